// What one refresh costs: Timer1_Timer on a real Form1 (registry read, caption, tray modify)
// against the least any poller of the value pays, RegOpenKeyExA, RegQueryValueExA and
// RegCloseKey of the same value. Rounds of the two alternate, so both see the same machine; the
// tray modify alone is timed too, as it is the part that leaves the process.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/measure.h"
#include "bench/report.h"
#include "tests/win32/live_form1.h"

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
  testing::LiveForm1 live;
  if (!live.Created() || !live.TrayIconPresent()) {
    std::fprintf(stderr, "refresh_cost: Form1's window or tray icon could not be made\n");
    return 1;
  }
  Form1& form = live.form();
  const auto refresh = [&form] { form.Timer1_Timer(); };
  const auto tray = [&live, &form] { live.desktop().NotifyIcon(kNimModify, form.TrayData); };
  PerCall(refresh);  // warm-up
  PerCall(BareRead);

  std::vector<double> refreshes, bare_reads, tray_modifies;
  for (int round = 0; round < kRounds; ++round) {
    refreshes.push_back(PerCall(refresh));
    bare_reads.push_back(PerCall(BareRead));
    tray_modifies.push_back(PerCall(tray));
    live.PumpMessages();
  }
  constexpr double kUsPerMs = 1000;
  const double bare = bench::Percentile(bare_reads, 0.5) * kUsPerMs;
  bench::PrintRow("one refresh, Timer1_Timer (median of 20 rounds of 500)",
                  bench::Percentile(refreshes, 0.5) * kUsPerMs, bare, "us",
                  "bare RegOpenKeyExA + RegQueryValueExA + RegCloseKey");
  bench::PrintRow("of which the tray modify, Shell_NotifyIconA",
                  bench::Percentile(tray_modifies, 0.5) * kUsPerMs, bare, "us",
                  "bare RegOpenKeyExA + RegQueryValueExA + RegCloseKey");
  return 0;
}
