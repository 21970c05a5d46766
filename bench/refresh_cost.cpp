// What one refresh costs: a timer tick sent to the real tray window in this process (registry
// read, caption, tray modify) against the least any program showing the value in the tray pays:
// RegOpenKeyExA, RegQueryValueExA and RegCloseKey of the same value, and one Shell_NotifyIconA
// modify of the same icon. Rounds of the two alternate, so both see the same machine.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "bench/measure.h"
#include "bench/report.h"
#include "resources/resource.h"
#include "bench/live_tray.h"
#include "tests/win32/wine_helpers.h"
#include "win32/tray_window.h"

namespace {

constexpr int kRounds = 20;
constexpr int kCallsPerRound = 500;  // 10,000 calls of each

constexpr char kPicturesKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr char kPicturesValue[] = "Display Inline Images";

void BareRead() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kPicturesKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return;
  }
  BYTE data[256];
  DWORD size = sizeof data;
  DWORD type = 0;
  RegQueryValueExA(key, kPicturesValue, nullptr, &type, data, &size);
  RegCloseKey(key);
}

void BareModify(NOTIFYICONDATAA& icon) {
  Shell_NotifyIconA(NIM_MODIFY, &icon);
}

// Milliseconds per call of `call`, over one round.
template <typename Call>
double PerCall(Call call) {
  const double start = veilpix::bench::NowMs();
  for (int i = 0; i < kCallsPerRound; ++i) call();
  return (veilpix::bench::NowMs() - start) / kCallsPerRound;
}

}  // namespace

int main() {
  using namespace veilpix;
  RegSetKeyValueA(HKEY_CURRENT_USER, kPicturesKey, kPicturesValue, REG_SZ, "yes", 4);
  const HWND tray = testing::StartLiveTray();
  if (!tray || !testing::TrayIconShown(tray, kTrayIconId)) {
    std::fprintf(stderr, "refresh_cost: the tray window or its icon could not be made\n");
    return 1;
  }
  NOTIFYICONDATAA icon{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = tray;
  icon.uID = kTrayIconId;
  icon.uFlags = NIF_ICON;
  icon.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SHOWN));
  const auto refresh = [tray] { SendMessageW(tray, WM_TIMER, kRefreshTimerId, 0); };
  const auto floor = [&icon] {
    BareRead();
    BareModify(icon);
  };
  PerCall(refresh);  // warm-up
  PerCall(floor);

  std::vector<double> refreshes, floors;
  for (int round = 0; round < kRounds; ++round) {
    refreshes.push_back(PerCall(refresh));
    floors.push_back(PerCall(floor));
    testing::PumpMessages(0);
  }
  constexpr double kUsPerMs = 1000;
  bench::PrintRow("one refresh, WM_TIMER to the tray window (median of 20 rounds of 500)",
                  bench::Percentile(refreshes, 0.5) * kUsPerMs,
                  bench::Percentile(floors, 0.5) * kUsPerMs, "us",
                  "bare registry read and Shell_NotifyIconA modify");
  testing::EndLiveTray(tray);
  return 0;
}
