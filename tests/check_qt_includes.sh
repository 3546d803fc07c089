#!/usr/bin/env bash
# Fails when a file outside src/qt and tests/qt includes a Qt header.
set -euo pipefail
root=${1:-.}
cd "$root"
hits=$(grep -rlE '#[[:space:]]*include[[:space:]]*[<"]Q[A-Za-z]' src tests bench fuzz 2>/dev/null \
  | grep -vE '^(src|tests)/qt/' || true)
if [ -n "$hits" ]; then
  echo "Qt headers included outside src/qt and tests/qt:"
  echo "$hits"
  exit 1
fi
echo "no Qt header outside src/qt and tests/qt"
