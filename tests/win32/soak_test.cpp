// Veilpix polls every two seconds all day. Many days of refreshes and more switches than a user
// makes in a year must leave the process holding no more kernel handles, GDI or USER objects than
// before, and no more private memory than a small allowance for caches that fill once.
// VEILPIX_SOAK_REFRESHES and VEILPIX_SOAK_SWITCHES set longer runs (scripts/bench.sh does).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/win32/live_form1.h"
#include "tests/win32/process_handles.h"
#include "tests/win32/process_resources.h"

namespace veilpix::testing {
namespace {

// Allocator, registry and shell caches fill in the first ticks; counting starts after these.
constexpr size_t kWarmUpRefreshes = 1000;
constexpr size_t kWarmUpSwitches = 100;
constexpr size_t kPrivateSlack = 64 * 1024;

struct Holdings {
  size_t handles;
  size_t gdi;
  size_t user;
  size_t private_bytes;
};

size_t CountFromEnvironment(const char* name, size_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

// Counted once the registry watcher has re-armed after the last change and every message has
// been handled, so nothing is caught half-way.
Holdings Settle(LiveForm1& live) {
  Sleep(200);
  live.PumpMessages();
  return {CountProcessHandles(), CountGdiObjects(), CountUserObjects(),
          PrivateBytes(GetCurrentProcess())};
}

// `refreshes` timer ticks with `switches` clicks on Command1 spread evenly among them, the
// messages that arrive in between handled as the message loop would. Returns how many clicks
// changed the picture state.
size_t Drive(LiveForm1& live, size_t refreshes, size_t switches) {
  Form1& form = live.form();
  const size_t every = std::max<size_t>(1, refreshes / std::max<size_t>(1, switches));
  size_t clicks = 0;
  size_t changed = 0;
  for (size_t tick = 1; tick <= refreshes; ++tick) {
    form.Timer1_Timer();
    if (tick % every == 0 && clicks < switches) {
      const std::wstring before = form.Command1.Caption();
      form.Command1_Click();
      ++clicks;
      if (form.Command1.Caption() != before) ++changed;
    }
    if (tick % 100 == 0 || tick % every == 0) live.PumpMessages();
  }
  return changed;
}

void Print(const char* what, size_t before, size_t after) {
  std::printf("soak: %s %zu -> %zu\n", what, before, after);
}

TEST(SoakTest, RefreshesAndSwitchesLeaveNothingBehind) {
  const size_t refreshes = CountFromEnvironment("VEILPIX_SOAK_REFRESHES", 3000);
  const size_t switches = CountFromEnvironment("VEILPIX_SOAK_SWITCHES", 300);
  LiveForm1 live;
  ASSERT_TRUE(live.Created());
  ASSERT_TRUE(live.TrayIconPresent()) << "the soak runs against the shell's real tray";
  ASSERT_FALSE(live.form().mnuToggle.Checked()) << "switches must write the registry directly";

  ASSERT_EQ(Drive(live, kWarmUpRefreshes, kWarmUpSwitches), kWarmUpSwitches);
  const Holdings before = Settle(live);
  const ULONGLONG started = GetTickCount64();
  const size_t changed = Drive(live, refreshes, switches);
  const double seconds = static_cast<double>(GetTickCount64() - started) / 1000;
  const Holdings after = Settle(live);

  std::printf("soak: %zu refreshes and %zu switches in %.1f s\n", refreshes, switches, seconds);
  Print("kernel handles", before.handles, after.handles);
  Print("GDI objects", before.gdi, after.gdi);
  Print("USER objects", before.user, after.user);
  Print("private bytes", before.private_bytes, after.private_bytes);
  std::fflush(stdout);

  EXPECT_EQ(changed, switches) << "every click switches the pictures";
  EXPECT_TRUE(live.TrayIconPresent());
  EXPECT_GT(before.handles, 0u);
  EXPECT_GT(before.gdi, 0u);
  EXPECT_GT(before.user, 0u);
  EXPECT_EQ(after.handles, before.handles);
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.user, before.user);
  EXPECT_LE(after.private_bytes, before.private_bytes + kPrivateSlack);
}

}  // namespace
}  // namespace veilpix::testing
