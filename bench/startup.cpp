// From process start to the tray icon, and private memory once started: the real Veilpix.exe
// against the floor, minimal_tray.exe. The two take turns; each one's first start warms the file
// cache and is not counted. Veilpix starts as on a first run, with no stored settings.
// Usage: veilpix_bench_startup <Veilpix.exe> <minimal_tray.exe>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/launch.h"
#include "bench/measure.h"
#include "bench/report.h"

namespace {

using veilpix::bench::NowMs;

constexpr int kStarts = 10;
constexpr double kGiveUpMs = 20000;
// Start-up goes on after the icon (the window shown or hidden, the first paint).
constexpr DWORD kSettleMs = 500;

struct Starts {
  std::vector<double> to_icon_ms;
  std::vector<double> private_kib;
};

bool StartOnce(const std::wstring& exe, Starts& starts) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Veilpix");
  PROCESS_INFORMATION process{};
  const double start = NowMs();
  if (!veilpix::bench::Launch(exe, process)) return false;
  while (!veilpix::bench::HasTrayIcon(process.dwProcessId)) {
    if (NowMs() - start > kGiveUpMs) {
      veilpix::bench::End(process);
      return false;
    }
    Sleep(1);
  }
  starts.to_icon_ms.push_back(NowMs() - start);
  WaitForInputIdle(process.hProcess, 5000);
  Sleep(kSettleMs);
  starts.private_kib.push_back(
      static_cast<double>(veilpix::bench::PrivateBytes(process.hProcess)) / 1024);
  veilpix::bench::End(process);
  return true;
}

}  // namespace

int main() {
  using namespace veilpix;
  const std::vector<std::wstring> programs = bench::Arguments();
  if (programs.size() != 2) {
    std::fprintf(stderr, "usage: veilpix_bench_startup <Veilpix.exe> <minimal_tray.exe>\n");
    return 2;
  }
  Starts warm_up;
  Starts veilpix;
  Starts floor;
  bool started = StartOnce(programs[0], warm_up) && StartOnce(programs[1], warm_up);
  for (int i = 0; started && i < kStarts; ++i) {
    started = StartOnce(programs[0], veilpix) && StartOnce(programs[1], floor);
  }
  if (!started) {
    std::fprintf(stderr, "startup: a program did not show its tray icon\n");
    return 1;
  }
  bench::PrintRow("start to tray icon, median of 10", bench::Percentile(veilpix.to_icon_ms, 0.5),
                  bench::Percentile(floor.to_icon_ms, 0.5), "ms", "minimal_tray");
  bench::PrintRow("private memory after start, median of 10",
                  bench::Percentile(veilpix.private_kib, 0.5),
                  bench::Percentile(floor.private_kib, 0.5), "KiB", "minimal_tray");
  return 0;
}
