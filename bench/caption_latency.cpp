// How fast Veilpix's caption follows an outside change of the picture setting. This program
// starts the real Veilpix.exe and the floor, minimal_watcher.exe, then writes "Display Inline
// Images" from outside again and again and reads both programs' button captions about every
// millisecond until each shows the new state.
// Usage: veilpix_bench_latency <Veilpix.exe> <minimal_watcher.exe>
#include <windows.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench/launch.h"
#include "bench/measure.h"
#include "bench/report.h"
#include "win32/registry.h"
#include "resources/texts_japanese.h"

namespace {

using veilpix::bench::NowMs;

// The captions as Veilpix shows them in Japanese, the language the benchmarks run in.
const wchar_t* const kShown = veilpix::kJapaneseTexts[veilpix::text::kShown];
const wchar_t* const kHidden = veilpix::kJapaneseTexts[veilpix::text::kHidden];
constexpr int kWrites = 60;
constexpr double kGiveUpMs = 5000;

void WritePictures(const wchar_t* text) {
  RegSetKeyValueW(HKEY_CURRENT_USER, std::wstring(veilpix::kPicturesKey).c_str(),
                  std::wstring(veilpix::kPicturesValue).c_str(), REG_SZ, text,
                  static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
}

// The button of the program's main window, once it has one.
HWND WaitForButton(DWORD process_id) {
  const double start = NowMs();
  while (NowMs() - start < 15000) {
    for (HWND hwnd : veilpix::bench::TopLevelWindows(process_id)) {
      if (HWND button = FindWindowExW(hwnd, nullptr, L"BUTTON", nullptr)) return button;
    }
    Sleep(10);
  }
  return nullptr;
}

bool Shows(HWND button, const wchar_t* caption) {
  wchar_t text[64] = L"";
  GetWindowTextW(button, text, 64);
  return std::wstring(text) == caption;
}

// The button gets its caption a little after it is made, once the program has read the value.
bool WaitUntilShown(HWND button, const wchar_t* caption) {
  const double start = NowMs();
  while (!Shows(button, caption)) {
    if (NowMs() - start > kGiveUpMs) return false;
    Sleep(10);
  }
  return true;
}

// Milliseconds from the write until each button shows `caption`, kGiveUpMs when it never does.
void TimeWrite(const wchar_t* value, const wchar_t* caption, HWND veilpix, HWND floor,
               std::vector<double>& veilpix_ms, std::vector<double>& floor_ms) {
  double veilpix_seen = -1;
  double floor_seen = -1;
  const double start = NowMs();
  WritePictures(value);
  for (;;) {
    const double now = NowMs() - start;
    if (veilpix_seen < 0 && Shows(veilpix, caption)) veilpix_seen = now;
    if (floor_seen < 0 && Shows(floor, caption)) floor_seen = now;
    if ((veilpix_seen >= 0 && floor_seen >= 0) || now > kGiveUpMs) break;
    Sleep(1);
  }
  veilpix_ms.push_back(veilpix_seen < 0 ? kGiveUpMs : veilpix_seen);
  floor_ms.push_back(floor_seen < 0 ? kGiveUpMs : floor_seen);
}

}  // namespace

int main() {
  using namespace veilpix;
  const std::vector<std::wstring> programs = bench::Arguments();
  if (programs.size() != 2) {
    std::fprintf(stderr, "usage: veilpix_bench_latency <Veilpix.exe> <minimal_watcher.exe>\n");
    return 2;
  }
  WritePictures(L"yes");
  PROCESS_INFORMATION veilpix{};
  PROCESS_INFORMATION floor{};
  if (!bench::Launch(programs[0], veilpix) || !bench::Launch(programs[1], floor)) {
    std::fprintf(stderr, "caption_latency: a program did not start\n");
    return 1;
  }
  HWND veilpix_button = WaitForButton(veilpix.dwProcessId);
  HWND floor_button = WaitForButton(floor.dwProcessId);
  const bool ready = veilpix_button && floor_button && WaitUntilShown(veilpix_button, kShown) &&
                     WaitUntilShown(floor_button, kShown);
  std::vector<double> veilpix_ms;
  std::vector<double> floor_ms;
  // Pauses of varying length, so the writes do not fall in step with Veilpix's timer.
  std::minstd_rand pauses(1);
  for (int i = 0; ready && i < kWrites; ++i) {
    Sleep(50 + pauses() % 150);
    const bool hide = i % 2 == 0;
    TimeWrite(hide ? L"no" : L"yes", hide ? kHidden : kShown, veilpix_button, floor_button,
              veilpix_ms, floor_ms);
  }
  bench::End(veilpix);
  bench::End(floor);
  if (!ready) {
    std::fprintf(stderr, "caption_latency: a program's button did not show the setting\n");
    return 1;
  }
  bench::PrintRow("caption follows an outside write, median of 60",
                  bench::Percentile(veilpix_ms, 0.5), bench::Percentile(floor_ms, 0.5), "ms",
                  "minimal_watcher");
  bench::PrintRow("caption follows an outside write, 95th percentile",
                  bench::Percentile(veilpix_ms, 0.95), bench::Percentile(floor_ms, 0.95), "ms",
                  "minimal_watcher");
  return 0;
}
