// Veilpix runs all day: a refresh every two seconds, and whatever its user repeats. Rounds of all
// of it must leave the process holding exactly the kernel handles, GDI objects and USER objects
// it held before, and no more private memory than a small allowance. VEILPIX_SOAK_REFRESHES and
// VEILPIX_SOAK_SWITCHES (one round each) set longer runs (scripts/bench.sh does).
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/veilpix.h"
#include "tests/win32/live_tray.h"  // with the tray window's and the test helpers' names
#include "tests/win32/process_resources.h"
#include "win32/registry.h"

namespace veilpix::testing {
namespace {

constexpr wchar_t kStandIn[] = L"veilpix_soak_stand_in.exe";  // built beside this test
constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kChooserClass[] = L"VeilpixChooser";
// Kernel handles, GDI objects, USER objects, private bytes; the last within a small allowance.
constexpr const char* kCounted[] = {"kernel handles", "GDI objects", "USER objects",
                                    "private bytes"};
using Holdings = std::array<size_t, 4>;
constexpr size_t kPrivateSlack = 64 * 1024;

size_t CountFromEnvironment(const char* name, size_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

std::wstring BesideThisTest(const std::wstring& name) {
  wchar_t path[MAX_PATH];
  const std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  return self.substr(0, self.rfind(L'\\') + 1) + name;
}

bool StandInRunning() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W process{};
  process.dwSize = sizeof process;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &process); more;
       more = Process32NextW(snapshot, &process))
    found |= _wcsicmp(process.szExeFile, kStandIn) == 0;
  CloseHandle(snapshot);
  return found;
}

// Sends the tray window a message that opens a modal window of `window_class`, which a thread
// timer (its modal loop runs one like any message) closes as its user does once it shows; false
// when none opened, or a chooser without programs listed.
bool OpenAndClose(HWND tray, UINT message, WPARAM wparam, LPARAM lparam,
                  const wchar_t* window_class) {
  static const wchar_t* closing;
  static bool shown;
  closing = window_class;
  shown = false;
  const auto close = [](HWND, UINT, UINT_PTR timer, DWORD) CALLBACK {
    const HWND window = FindTopLevelWindow(GetCurrentProcessId(), closing, true);
    if (!window) return;
    KillTimer(nullptr, timer);
    shown = closing != kChooserClass ||
            SendDlgItemMessageW(window, IDC_CHOOSER_FILES, LB_GETCOUNT, 0, 0) > 0;
    closing == kMenuClass ? EndMenu() : PostMessageW(window, WM_CLOSE, 0, 0);
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, close);
  SendMessageW(tray, message, wparam, lparam);
  KillTimer(nullptr, timer);
  return shown;
}

// One round, among `ticks` timer ticks: a switch by the tray icon's left click, the tray menu
// opened and closed, each option flipped twice, the external program turned on, started by a left
// click and turned off, About opened and closed, the chooser opened on a missing program and
// cancelled. True when each of them happened.
bool Round(HWND tray, size_t ticks) {
  const auto command = [tray](int id) { SendMessageW(tray, WM_COMMAND, id, 0); };
  const auto click = [tray] {
    SendMessageW(tray, kTrayCallbackMessage, kTrayIconId, kLeftButtonDown);
  };
  for (size_t tick = 0; tick < ticks; ++tick) SendMessageW(tray, WM_TIMER, kRefreshTimerId, 0);
  const std::wstring shown = ReadUserString(kPicturesKey, kPicturesValue);
  click();
  bool done = ReadUserString(kPicturesKey, kPicturesValue) != shown;
  done &= OpenAndClose(tray, kTrayCallbackMessage, kTrayIconId, kRightButtonDown, kMenuClass);
  for (int id : {IDM_CHANGE, IDM_CHANGE, IDM_START, IDM_START, IDM_POS, IDM_POS}) command(id);

  const std::wstring ran = BesideThisTest(kStandIn) + L".ran";
  DeleteFileW(ran.c_str());
  WriteUserString(kOptionsKey, L"TogglePath", BesideThisTest(kStandIn).c_str());
  command(IDM_TOGGLE);
  click();
  command(IDM_TOGGLE);
  // Ended before anything is counted.
  done &= WaitUntil([&] {
    return GetFileAttributesW(ran.c_str()) != INVALID_FILE_ATTRIBUTES && !StandInRunning();
  });

  done &= OpenAndClose(tray, WM_COMMAND, IDM_ABOUT, 0, L"VeilpixAbout");
  WriteUserString(kOptionsKey, L"TogglePath", BesideThisTest(L"missing.exe").c_str());
  done &= OpenAndClose(tray, WM_COMMAND, IDM_TOGGLE, 0, kChooserClass);
  PumpMessages(0);
  return done;
}

// Counted once two readings agree, so nothing is caught half-way.
Holdings Count() {
  Holdings last{}, now{};
  int readings = 0;
  do {
    PumpMessages(50);
    last = now;
    now = {CountProcessHandles(), CountGdiObjects(), CountUserObjects(),
           PrivateBytes(GetCurrentProcess())};
  } while (now != last && ++readings < 100);
  return now;
}

TEST(SoakTest, RepeatedActionsLeaveNothingBehind) {
  const size_t refreshes = CountFromEnvironment("VEILPIX_SOAK_REFRESHES", 300);
  const size_t switches = CountFromEnvironment("VEILPIX_SOAK_SWITCHES", 30);
  // The chooser opens here and lists the programs built beside this test.
  SetCurrentDirectoryW(BesideThisTest(L"").c_str());
  const HWND tray = StartLiveTray();
  ASSERT_TRUE(tray);
  ASSERT_TRUE(TrayIconShown(tray, kTrayIconId)) << "the soak runs against the real tray";
  // Allocator, registry, shell and font caches fill in the first rounds; counting starts after.
  ASSERT_TRUE(Round(tray, 10) && Round(tray, 10));
  const Holdings before = Count();
  const ULONGLONG started = GetTickCount64();
  size_t done = 0;  // rounds that did everything
  for (size_t round = 0; round < switches; ++round) done += Round(tray, refreshes / switches);
  EXPECT_EQ(done, switches)
      << "every round switches, starts the external program and opens each window";
  const double seconds = static_cast<double>(GetTickCount64() - started) / 1000;
  const Holdings after = Count();
  EXPECT_TRUE(TrayIconShown(tray, kTrayIconId));
  EndLiveTray(tray);

  std::printf(
      "soak: %zu refreshes and %zu switches in %.1f s (each switch with the menu, the options, "
      "an external start, About and the chooser)\n",
      refreshes, switches, seconds);
  for (size_t i = 0; i < before.size(); ++i) {
    std::printf("soak: %s %zu -> %zu\n", kCounted[i], before[i], after[i]);
    EXPECT_GT(before[i], 0u) << "every count works";
    EXPECT_TRUE(i < 3 ? after[i] == before[i] : after[i] <= before[i] + kPrivateSlack)
        << kCounted[i];
  }
  std::fflush(stdout);
}

}  // namespace
}  // namespace veilpix::testing
