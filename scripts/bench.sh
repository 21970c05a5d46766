#!/usr/bin/env bash
# Veilpix's benchmarks in one command: builds what they need, brings Wine up as scripts/test.sh
# does, and prints one table, each figure of Veilpix against its floor measured in the same run
# on the same machine. The i686 download runs under 32-bit Wine in the i386 root, through QEMU
# where the kernel cannot execute 32-bit code: then both Veilpix and its floors are emulated.
#
# Usage: bash scripts/bench.sh [soak refreshes, default 1000000]
# The soak drives the running Veilpix.exe from outside: it switches once every 100 refreshes, each
# switch in a round with a command-line switch, another start, the tray menu, the option
# commands, external starts, About and the chooser, several of them separate processes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
soak_refreshes=${1:-1000000}
soak_switches=$((soak_refreshes / 100))

bash scripts/setup.sh
cmake --preset windows -DVEILPIX_BENCH=ON >/dev/null
cmake --build --preset windows --target Veilpix minimal_tray minimal_watcher veilpix_bench_latency \
  veilpix_bench_refresh veilpix_bench_startup veilpix_e2e_tests

# shellcheck source=wine-env.sh
. scripts/wine-env.sh
trap veilpix_wine_down EXIT
veilpix_wine_up

build=$root/build/windows
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
# Windows programs end their lines with CR LF.
run() { wine "$@" | tr -d '\r'; }
row() {  # figure, Veilpix, floor, unit, floor's name
  awk -v f="$1" -v v="$2" -v b="$3" -v u="$4" -v n="$5" \
    'BEGIN { printf "| %s | %.1f %s | %.1f %s (%s) | %.2f |\n", f, v, u, b, u, n, (b ? v / b : 0) }'
}

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
echo "command: bash scripts/bench.sh $*"
echo "machine: $(nproc) CPUs, $cpu; load average $(cut -d' ' -f1-3 /proc/loadavg)"
how=natively
veilpix_emulating && how="through $("$VEILPIX_QEMU" --version | head -n 1)"
echo "Windows side: build/windows (i686) under 32-bit $(wine --version), $how"
echo
echo "| figure | Veilpix | floor | Veilpix / floor |"
echo "| --- | --- | --- | --- |"
run "$build/bench/veilpix_bench_latency.exe" "$(windows_path "$build/Veilpix.exe")" \
  "$(windows_path "$build/bench/minimal_watcher.exe")"
run "$build/bench/veilpix_bench_refresh.exe"
run "$build/bench/veilpix_bench_startup.exe" "$(windows_path "$build/Veilpix.exe")" \
  "$(windows_path "$build/bench/minimal_tray.exe")"

kib() { awk -v bytes="$(stat -c %s "$1")" 'BEGIN { printf "%.1f", bytes / 1024 }'; }
row "Veilpix.exe size" "$(kib "$build/Veilpix.exe")" 64 KiB goal
row "Veilpix.exe size" "$(kib "$build/Veilpix.exe")" "$(kib "$build/bench/minimal_tray.exe")" \
  KiB "minimal_tray.exe"

soak_log=$build/bench/soak.log
VEILPIX_SOAK_REFRESHES=$soak_refreshes VEILPIX_SOAK_SWITCHES=$soak_switches \
  run "$build/tests/e2e/veilpix_e2e_tests.exe" --gtest_filter='SoakTest.*' >"$soak_log" || true
grep -q '^\[  PASSED  \]' "$soak_log" || { cat "$soak_log" >&2; echo "bench: the soak failed" >&2; }
sed -n 's/^soak: \(.*\) \([0-9]*\) -> \([0-9]*\)$/\1|\2|\3/p' "$soak_log" |
  while IFS='|' read -r what before after; do
    awk -v f="soak of $soak_refreshes refreshes, $soak_switches switches: $what" -v a="$after" \
      -v b="$before" 'BEGIN { printf "| %s | %d after | %d before | %.4f |\n", f, a, b, a / b }'
  done
echo
sed -n 's/^soak: \([0-9]* refreshes and [0-9]* switches in .*\)$/soak: \1/p' "$soak_log"
