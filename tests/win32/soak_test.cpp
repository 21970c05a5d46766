// Veilpix refreshes every two seconds all day. Refreshes and switches must leave the process
// holding exactly the kernel handles and GDI objects it held before, and no more private
// memory than a small allowance. VEILPIX_SOAK_REFRESHES and VEILPIX_SOAK_SWITCHES set longer runs
// (scripts/bench.sh does).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "tests/win32/live_form1.h"
#include "tests/win32/process_resources.h"
#include "tests/win32/wine_helpers.h"

namespace veilpix::testing {
namespace {

constexpr size_t kPrivateSlack = 64 * 1024;

size_t CountFromEnvironment(const char* name, size_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

// Timer ticks with clicks on Command1 spread evenly among them, the messages that arrive in
// between handled as the message loop would; how many clicks changed the picture state.
size_t Drive(LiveForm1& live, size_t refreshes, size_t switches) {
  Form1& form = live.form();
  const size_t every = refreshes / switches;
  size_t changed = 0;
  for (size_t tick = 1; tick <= refreshes; ++tick) {
    form.Timer1_Timer();
    if (tick % every != 0) continue;
    const std::wstring before = form.Command1.Caption();
    form.Command1_Click();
    changed += form.Command1.Caption() != before;
    live.PumpMessages();
  }
  return changed;
}

struct Holdings {
  size_t handles, gdi, private_bytes;
  bool operator==(const Holdings&) const = default;
};

// Counted once two readings agree, so nothing is caught half-way.
Holdings Count(LiveForm1& live) {
  Holdings last{}, now{};
  WaitUntil([&] {
    live.PumpMessages();
    last = now;
    now = {CountProcessHandles(), CountGdiObjects(), PrivateBytes(GetCurrentProcess())};
    return now == last;
  });
  return now;
}

TEST(SoakTest, RefreshesAndSwitchesLeaveNothingBehind) {
  const size_t refreshes = CountFromEnvironment("VEILPIX_SOAK_REFRESHES", 300);
  const size_t switches = CountFromEnvironment("VEILPIX_SOAK_SWITCHES", 30);
  LiveForm1 live;
  ASSERT_TRUE(live.Created());
  ASSERT_TRUE(live.TrayIconPresent()) << "the soak runs against the shell's real tray";
  // Allocator, registry and shell caches fill in the first rounds; counting starts after them.
  ASSERT_EQ(Drive(live, 100, 10), 10u);
  const Holdings before = Count(live);
  const ULONGLONG started = GetTickCount64();
  EXPECT_EQ(Drive(live, refreshes, switches), switches) << "every click switches the pictures";
  const double seconds = static_cast<double>(GetTickCount64() - started) / 1000;
  const Holdings after = Count(live);

  std::printf("soak: %zu refreshes and %zu switches in %.1f s\n", refreshes, switches, seconds);
  std::printf("soak: kernel handles %zu -> %zu\n", before.handles, after.handles);
  std::printf("soak: GDI objects %zu -> %zu\n", before.gdi, after.gdi);
  std::printf("soak: private bytes %zu -> %zu\n", before.private_bytes, after.private_bytes);
  std::fflush(stdout);
  EXPECT_TRUE(live.TrayIconPresent());
  EXPECT_GT(before.handles * before.gdi, 0u) << "every count works";
  EXPECT_EQ(after.handles, before.handles);
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_LE(after.private_bytes, before.private_bytes + kPrivateSlack);
}

}  // namespace
}  // namespace veilpix::testing
