#!/usr/bin/env bash
# A long fuzzing campaign: every libFuzzer target runs for its share of the
# given hours over a corpus that persists between campaigns, outside the
# repository (CORVANE_FUZZ_HOME, default ~/.cache/corvane-fuzz). Each target's
# corpus starts from the committed seeds; after the run it is minimised, and
# the inputs that reach code the committed seeds do not are kept in
# <home>/new-seeds/<target>/ for review (add them to fuzz/corpus/ with held
# dumps). Prints runs, rate and coverage per target; an input that fails is
# kept in <home>/artifacts/ and fails the campaign.
# Usage: tools/fuzz_campaign.sh HOURS        (fractions allowed: 0.1 is 6 minutes)
# CORVANE_FUZZ_BUILD names another fuzz build to use (CI's sanitizer build).
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 1 ] || { echo "usage: tools/fuzz_campaign.sh HOURS" >&2; exit 2; }
hours="$1"
home="${CORVANE_FUZZ_HOME:-$HOME/.cache/corvane-fuzz}"
source tools/build_fuzzers.sh

targets=("$CORVANE_FUZZ_BUILD"/fuzz/*_fuzz)
total="$(awk -v h="$hours" 'BEGIN { printf "%d", h * 3600 }')"
share=$((total / ${#targets[@]}))
[ "$share" -ge 1 ] || { echo "fuzz_campaign: $hours hours is too short for ${#targets[@]} targets" >&2; exit 2; }
mkdir -p "$home/artifacts" "$home/new-seeds"
echo "fuzz_campaign: ${#targets[@]} targets, ${share}s each, corpus in $home"

failed=()
report=()
for target in "${targets[@]}"; do
  name="$(basename "$target" _fuzz)"
  seeds="$(fuzz_seeds "$name")"
  corpus="$home/corpus/$name"
  log="$home/$name.log"
  mkdir -p "$corpus"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus/"
  echo "== $name: ${share}s"
  status=0
  "$target" -max_total_time="$share" -timeout=10 -rss_limit_mb=2048 \
    -max_len="$(fuzz_max_len "$name")" -print_final_stats=1 \
    -artifact_prefix="$home/artifacts/$name-" "$corpus" >"$log" 2>&1 || status=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
  cov="$(grep -E '^#[0-9]+' "$log" | tail -1 | sed -n 's/.*cov: \([0-9]*\).*ft: \([0-9]*\).*/\1 \2/p')"
  [ "$status" -eq 0 ] || failed+=("$name")

  # Minimise: the smallest set of inputs with the corpus's coverage.
  minimised="$home/corpus/$name.min"
  rm -rf "$minimised" && mkdir -p "$minimised"
  "$target" -merge=1 -max_len="$(fuzz_max_len "$name")" "$minimised" "$corpus" \
    >>"$log" 2>&1 && rm -rf "$corpus" && mv "$minimised" "$corpus"
  # Worth keeping: what adds coverage to the committed seeds.
  fresh="$home/new-seeds/$name"
  rm -rf "$fresh" "$fresh.seeds" && mkdir -p "$fresh" "$fresh.seeds"
  [ -d "$seeds" ] && cp "$seeds"/* "$fresh.seeds/"
  "$target" -merge=1 -max_len="$(fuzz_max_len "$name")" "$fresh.seeds" "$corpus" >>"$log" 2>&1 || true
  for seed in "$fresh.seeds"/*; do
    [ -e "$seeds/$(basename "$seed")" ] || mv "$seed" "$fresh/"
  done
  rm -rf "$fresh.seeds"
  kept="$(ls "$fresh" | wc -l)"
  line="$(printf '%-16s runs %-10s runs/s %-7s cov %-6s ft %-6s corpus %-5s new seeds %s' \
    "$name" "${runs:-0}" "$(( ${runs:-0} / share ))" "${cov%% *}" "${cov##* }" \
    "$(ls "$corpus" | wc -l)" "$kept")"
  [ "$status" -eq 0 ] || line="$line  FAILED (see $log)"
  echo "$line"
  report+=("$line")
done

echo "== fuzz_campaign: ${hours} h"
printf '%s\n' "${report[@]}"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzz_campaign: failing inputs in $home/artifacts/ from: ${failed[*]}"
  exit 1
fi
