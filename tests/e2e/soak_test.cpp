// Veilpix runs all day: a refresh every two seconds, and whatever its user and other programs
// repeat. The real Veilpix.exe, driven from outside as the shell and its user drive it, goes
// through rounds of all of it, which must leave it holding exactly the kernel handles, GDI
// objects and windows it held before, and no more memory than a small allowance; idle, it must
// take no processor time. All is counted from outside, in ways that work for another process
// under Wine (which answers GetGuiResources, GetProcessHandleCount and another process's times
// with nothing). VEILPIX_SOAK_REFRESHES and VEILPIX_SOAK_SWITCHES (one round each) set longer
// runs (scripts/bench.sh does).
#include "tests/e2e/veilpix_app.h"  // with <windows.h>

#include <winternl.h>

#include <array>

namespace veilpix::testing {
namespace {

using std::filesystem::path;
const char* const kCounted[] = {"kernel handles", "GDI objects", "USER objects", "private bytes"};
const wchar_t* const kSwitches[] = {L"/on", L"/off", L"/toggle"};
const std::wstring kStandIn = WinePath(VEILPIX_STAND_IN), kStandInRan = kStandIn + L".ran";

// Has `window` drawn, as its user sees it first, then posts it the answer that closes it. Drawn
// every time, each window takes a DC of Wine's cache every round, which therefore stops growing
// in the first rounds (a DC, its region and its bitmap more whenever a window drawn for the first
// time finds no DC free).
bool Answered(HWND window, UINT message, WPARAM wparam) {
  return window && UpdateWindow(window) && PostMessageW(window, message, wparam, 0) &&
         WaitUntil([&] { return !IsWindowVisible(window); });
}

// One round, after `ticks` timer ticks, as the shell and the user do it: a switch by the tray
// icon (the shell's WM_MOUSEMOVE callback, icon 1), one from the command line (each round the
// next), another start, the tray menu, each option flipped twice, the external program turned
// on, started and off, a file that does not start, About with its erase refused and its link, the
// chooser cancelled, Internet Explorer's key deleted and made again. True when all happened.
bool Round(const Program& app, size_t ticks, size_t round) {
  const HWND tray = app.tray();
  for (size_t tick = 0; tick < ticks; ++tick) SendMessageW(tray, WM_TIMER, 1, 0);
  const std::wstring shown = ReadUserString(kIeMainKey, kPictures);
  SendMessageW(tray, WM_MOUSEMOVE, 1, WM_LBUTTONDOWN);
  bool done = ReadUserString(kIeMainKey, kPictures) != shown;
  const ULONGLONG started = GetTickCount64();
  done &= Program::ExitCode(Program::Veilpix(kSwitches[round % 3])) == 0;
  // Another start shows the window (drawn, see Answered) and ends as soon as a switch does, give
  // or take a second.
  Program second;
  done &= second.Run(Program::Veilpix()) &&
          second.WaitForExit(static_cast<DWORD>(2 * (GetTickCount64() - started) + 1000)) == 0 &&
          IsWindowVisible(tray) && UpdateWindow(tray);
  PostMessageW(tray, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN);
  done &= Answered(app.Shown(L"#32768"), WM_KEYDOWN, VK_ESCAPE);
  for (WPARAM id : {IDM_CHANGE, IDM_CHANGE, IDM_START, IDM_START, IDM_POS, IDM_POS})
    SendMessageW(tray, WM_COMMAND, id, 0);

  DeleteFileW(kStandInRan.c_str());
  WriteUserString(kSettingsKey, L"TogglePath", kStandIn.c_str());
  SendMessageW(tray, WM_COMMAND, IDM_TOGGLE, 0);
  SendMessageW(tray, WM_MOUSEMOVE, 1, WM_LBUTTONDOWN);
  WriteUserString(kSettingsKey, L"TogglePath", L"C:\\windows\\win.ini");
  PostMessageW(tray, WM_MOUSEMOVE, 1, WM_LBUTTONDOWN);
  done &= Answered(app.Shown(L"#32770"), WM_COMMAND, IDOK);  // " Cannot Start!"
  SendMessageW(tray, WM_COMMAND, IDM_TOGGLE, 0);
  done &= WaitUntil([] { return std::filesystem::exists(kStandInRan); });

  PostMessageW(tray, WM_COMMAND, IDM_ABOUT, 0);
  const HWND about = app.Shown(L"VeilpixAbout");
  UpdateWindow(about);
  PostMessageW(about, WM_COMMAND, IDC_ABOUT_ERASE, 0);
  done &= Answered(app.Shown(L"#32770"), WM_COMMAND, IDOK) &&
          Answered(about, WM_COMMAND, IDC_ABOUT_SUPPORT_LINK);  // which closes About
  WriteUserString(kSettingsKey, L"TogglePath", L"C:\\missing.exe");
  PostMessageW(tray, WM_COMMAND, IDM_TOGGLE, 0);
  done &= Answered(app.Shown(L"VeilpixChooser"), WM_CLOSE, 0);

  DeleteUserKey(kIeMainKey);
  WriteUserString(kIeMainKey, kPictures, L"no");
  return done && WaitUntil([&] { return app.Caption() == L"非表示"; });
}

size_t CountHandles(DWORD process_id) {
  std::vector<SYSTEM_HANDLE_INFORMATION> table(1 << 16);  // room for some 80,000 handles
  NtQuerySystemInformation(SystemHandleInformation, table.data(), table.size() * sizeof table[0],
                           nullptr);
  const auto& [count, handles] = table[0];
  return std::count_if(handles, handles + count,
                       [&](auto& handle) { return handle.OwnerPid == process_id; });
}

// Wine keeps a process's GDI objects in a table of its own, laid out like Windows' shared one,
// which its PEB points to: 65536 entries of 24 bytes, a live one's type in the low five bits of
// byte 14. Read through /proc: under QEMU wineserver cannot read another process's memory.
size_t CountGdiObjects(HANDLE process, const path& unix_process) {
  PROCESS_BASIC_INFORMATION basic{};
  NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr);
  std::ifstream memory(unix_process / "mem", std::ios::binary);
  std::uint32_t table = 0;
  memory.seekg(reinterpret_cast<std::uintptr_t>(basic.PebBaseAddress) + 0x94)
      .read(reinterpret_cast<char*>(&table), sizeof table);
  std::vector<std::array<char, 24>> entries(0x10000);
  memory.seekg(table).read(entries[0].data(), entries.size() * 24);
  return std::count_if(entries.begin(), entries.end(),
                       [&](const auto& entry) { return memory && entry[14] & 0x1F; });
}

// Its windows: top-level, hidden, and all their children. (Only wineserver knows whose a menu is.)
size_t CountWindows(DWORD process_id) {
  static size_t count;
  const auto own = [](HWND hwnd, LPARAM process_id) CALLBACK -> BOOL {
    DWORD owner = 0;
    count += GetWindowThreadProcessId(hwnd, &owner) && owner == static_cast<DWORD>(process_id);
    return TRUE;
  };
  EnumChildWindows(GetDesktopWindow(), own, process_id);
  return std::exchange(count, 0);
}

// The host's /proc entry of the Wine process that runs `exe`: Wine shows a program's Windows path
// as an argument of its process (after QEMU's and the loader's where QEMU runs it).
path UnixProcess(const path& exe) {
  for (const auto& entry : std::filesystem::directory_iterator(L"Z:\\proc")) {
    std::ifstream command(entry.path() / "cmdline");
    for (std::string field; std::getline(command, field, '\0');)
      if (field == exe.string()) return entry.path();
  }
  return {};
}

// Field `index` (from 0) of a /proc file of numbers, such as stat or statm.
long ProcField(const path& file, size_t index) {
  std::ifstream in(file);
  const std::vector<std::string> fields{std::istream_iterator<std::string>(in), {}};
  return index < fields.size() ? std::atol(fields[index].c_str()) : -1;
}

// Counted once two readings agree, so nothing is caught half-way. Memory is what the process's
// private data mappings take (VmData in pages): committed heaps and Wine's unix side alike.
std::array<size_t, 4> Count(const Program& app, const path& unix_process) {
  const auto [process, thread, id, thread_id] = app.process();
  std::array<size_t, 4> last{}, now{1};
  for (int readings = 0; now != last && readings < 100; ++readings, Sleep(50))
    last = std::exchange(now, {CountHandles(id), CountGdiObjects(process, unix_process),
                               CountWindows(id), ProcField(unix_process / "statm", 5) * 4096ul});
  return now;
}

struct SoakTest : ::testing::Test {
  void TearDown() override {
    RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);  // which Veilpix cannot erase
    DeleteUserKey(kVeilpixKey);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kWineBrowserKey, L"Browsers");
  }
};

TEST_F(SoakTest, RepeatedActionsLeaveNothingBehindAndIdleTakesNoProcessorTime) {
  const char* refreshes_set = std::getenv("VEILPIX_SOAK_REFRESHES");
  const char* switches_set = std::getenv("VEILPIX_SOAK_SWITCHES");
  const size_t refreshes = refreshes_set ? std::atoi(refreshes_set) : 300;
  const size_t switches = switches_set ? std::atoi(switches_set) : 10;
  TearDown();
  WriteUserString(kWineBrowserKey, L"Browsers", L"/bin/true");  // Wine's browser launcher runs it
  // Options that can be read, written and deleted, but not opened whole for reading as an erase
  // does first: it fails with access denied.
  SetKeyAccess(kSettingsKey, L"D:(A;;0x10003;;;WD)");
  Program app;
  ASSERT_TRUE(app.Start());
  const path unix_process = UnixProcess(WinePath(VEILPIX_EXE));
  // Allocator, registry, shell and font caches fill in the first rounds; counting starts after.
  ASSERT_TRUE(Round(app, 10, 0) && Round(app, 10, 1));
  const auto before = Count(app, unix_process);
  const ULONGLONG started = GetTickCount64();
  size_t done = 0;  // rounds that did everything
  for (size_t round = 0; round < switches; ++round) done += Round(app, refreshes / switches, round);
  EXPECT_EQ(done, switches) << "every round does each of its actions";
  const ULONGLONG took_ms = GetTickCount64() - started;
  const auto after = Count(app, unix_process);
  // User and system time are stat's fields 13 and 14.
  long idle = -ProcField(unix_process / "stat", 13) - ProcField(unix_process / "stat", 14);
  Sleep(3000);
  idle += ProcField(unix_process / "stat", 13) + ProcField(unix_process / "stat", 14);
  // The kernel's clock ticks 100 times a second: a refresh or two of the timer take one or two.
  EXPECT_LE(idle, 10) << "clock ticks of processor time, idle for 3 s";

  std::printf("soak: %zu refreshes and %zu switches in %.1f s; idle 3 s: %ld clock ticks busy\n",
              refreshes, switches, took_ms / 1000.0, idle);
  for (size_t i = 0; i < before.size(); ++i) {
    std::printf("soak: %s %zu -> %zu\n", kCounted[i], before[i], after[i]);
    EXPECT_GT(before[i], 0u) << "every count works";
    EXPECT_TRUE(i < 3 ? after[i] == before[i] : after[i] <= before[i] + 64 * 1024) << kCounted[i];
  }
}

}  // namespace
}  // namespace veilpix::testing
