#!/usr/bin/env bash
# Builds the fuzz targets in the native tree (clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and explores with each for the given number of seconds (default
# 30). Each target keeps its corpus in build/native/fuzz-corpus/<name>, shared with the tests'
# short replay, so later runs start where earlier ones stopped; an input that breaks a target is
# saved in build/native/fuzz-artifacts.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-30}

cmake --preset native >/dev/null
cmake --build --preset native --target veilpix_fuzz_cls_reg veilpix_fuzz_settings

out=build/native
mkdir -p "$out/fuzz-artifacts"
for name in cls_reg settings; do
  corpus=$out/fuzz-corpus/$name
  log=$out/$name.log
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/fuzz-artifacts/$name-")
  [ -f "tests/fuzz/$name.dict" ] && options+=(-dict="tests/fuzz/$name.dict")
  if ! "$out/tests/fuzz/veilpix_fuzz_$name" "${options[@]}" "$corpus" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzz: $name broke; the input is in $out/fuzz-artifacts, the whole log in $log" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz: $name ran $runs inputs in $seconds s; corpus $(find "$corpus" -type f | wc -l) inputs"
done
