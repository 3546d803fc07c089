#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time over
# a scratch copy of its seed corpus in fuzz/corpus/, so that the committed seeds
# stay as they are; an input that fails is kept in the build folder and fails the run.
# Prints each target's rate; with CORVANE_FUZZ_MIN_RATE set (10000 is the aim
# on one free core) a target below it fails the run.
# Usage: tools/run_fuzzers.sh [seconds per target, default 30] [BUILD]
# BUILD names a build already configured with clang and -DCORVANE_BUILD_FUZZ=ON
# (CI's sanitizer build); without it the targets are built in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
min_rate="${CORVANE_FUZZ_MIN_RATE:-0}"
CORVANE_FUZZ_BUILD="${2:-build-fuzz}"
source tools/build_fuzzers.sh

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
slow=()
for target in "$CORVANE_FUZZ_BUILD"/fuzz/*_fuzz; do
  name="$(basename "$target" _fuzz)"
  seeds="$(fuzz_seeds "$name")"
  mkdir -p "$scratch/$name"
  [ -d "$seeds" ] && cp "$seeds"/* "$scratch/$name/"
  echo "== $name: ${seconds}s"
  status=0
  "$target" -max_total_time="$seconds" -timeout=10 -max_len="$(fuzz_max_len "$name")" \
    -print_final_stats=1 -artifact_prefix="$CORVANE_FUZZ_BUILD/$name-" "$scratch/$name" \
    >"$scratch/$name.log" 2>&1 || status=$?
  grep -E "^#[0-9]+ +(INITED|DONE)" "$scratch/$name.log" || true
  if [ "$status" -ne 0 ]; then
    tail -40 "$scratch/$name.log"
    echo "run_fuzzers: $name failed"
    exit 1
  fi
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$scratch/$name.log")"
  rate=$((runs / seconds))
  echo "== $name: $runs runs, $rate runs/s"
  [ "$rate" -ge "$min_rate" ] || slow+=("$name ($rate runs/s)")
done
if [ "${#slow[@]}" -gt 0 ]; then
  echo "run_fuzzers: below $min_rate runs/s: ${slow[*]}"
  exit 1
fi
