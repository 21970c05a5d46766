#!/usr/bin/env bash
# Builds the fuzz target in the native tree (clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and explores with it for the given number of seconds (default 30).
# Its corpus in build/native/fuzz-corpus/settings is shared with the tests' short replay, so later
# runs start where earlier ones stopped; an input that breaks it is saved in
# build/native/fuzz-artifacts.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-30}

cmake --preset native >/dev/null
cmake --build --preset native --target veilpix_fuzz_settings

out=build/native
corpus=$out/fuzz-corpus/settings
log=$out/fuzz-settings.log
mkdir -p "$out/fuzz-artifacts" "$corpus"
if ! "$out/tests/fuzz/veilpix_fuzz_settings" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$out/fuzz-artifacts/settings-" -dict=tests/fuzz/settings.dict "$corpus" \
  >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "fuzz: the settings target broke; the input is in $out/fuzz-artifacts, the log in $log" >&2
  exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
echo "fuzz: settings ran $runs inputs in $seconds s; corpus $(find "$corpus" -type f | wc -l) inputs"
