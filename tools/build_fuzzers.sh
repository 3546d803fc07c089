#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/, with the fuzz
# build's small bounds; sourced by run_fuzzers.sh and fuzz_campaign.sh, which
# then find the targets as $CORVANE_FUZZ_BUILD/fuzz/*_fuzz. With
# CORVANE_FUZZ_BUILD naming another build already configured with clang and
# -DCORVANE_BUILD_FUZZ=ON (CI's sanitizer build), that build is brought up to
# date instead.
set -euo pipefail
CORVANE_FUZZ_BUILD="${CORVANE_FUZZ_BUILD:-build-fuzz}"
if [ "$CORVANE_FUZZ_BUILD" = build-fuzz ]; then
  CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_WERROR=ON -DCORVANE_BUILD_FUZZ=ON -DCORVANE_BUILD_QT=OFF \
    -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$CORVANE_FUZZ_BUILD" -j"${CORVANE_FUZZ_JOBS:-2}"

# The seed folder of a target: fuzz/corpus/<name>, or without a trailing
# _reader (gerber_reader_fuzz uses corpus/gerber).
fuzz_seeds() {
  local name="$1"
  local seeds="fuzz/corpus/$name"
  [ -d "$seeds" ] || seeds="fuzz/corpus/${name%_reader}"
  echo "$seeds"
}

# The longest input each target is given: the line readers see lines of at
# most 510 characters, the booleans of the geometry grow faster than the text,
# and every other target reads a small file.
fuzz_max_len() {
  case "$1" in
    aperture_line | drill_tool_line | nc_drill_line) echo 2048 ;;
    geometry) echo 1024 ;;
    *) echo 4096 ;;
  esac
}
