#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time over
# a scratch copy of its seed corpus in fuzz/corpus/, so that the committed seeds
# stay as they are; an input that fails is kept in build-fuzz/ and fails the run.
# Usage: tools/run_fuzzers.sh [seconds per target, default 30] [BUILD]
# BUILD names a build already configured with clang and -DCORVANE_BUILD_FUZZ=ON
# (CI's sanitizer build); without it the targets are built in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
build="${2:-}"

if [ -z "$build" ]; then
  build=build-fuzz
  CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_WERROR=ON -DCORVANE_BUILD_FUZZ=ON -DCORVANE_BUILD_QT=OFF \
    -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF
fi
cmake --build "$build"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for target in "$build"/fuzz/*_fuzz; do
  name="$(basename "$target" _fuzz)"
  # corpus/<name>, or without a trailing _reader (gerber_reader_fuzz uses corpus/gerber)
  seeds="fuzz/corpus/$name"
  [ -d "$seeds" ] || seeds="fuzz/corpus/${name%_reader}"
  mkdir -p "$scratch/$name"
  [ -d "$seeds" ] && cp "$seeds"/* "$scratch/$name/"
  echo "== $name: ${seconds}s"
  "$target" -max_total_time="$seconds" -timeout=10 -max_len=65536 \
    -artifact_prefix="$build/$name-" "$scratch/$name"
done
