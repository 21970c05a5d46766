// The real Veilpix.exe through Wine's notification area: real clicks on its tray icon, its menu
// picked with the keys, its button and title bar, its command line, with the registry read back.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/e2e/veilpix_app.h"

namespace veilpix::testing {
namespace {

// A window whose thread never reads its messages. Hidden, it still gets broadcasts; it goes with
// the test's process.
DWORD WINAPI HungWindow(void*) {
  CreateWindowExW(0, L"STATIC", L"Hung", WS_OVERLAPPED, 0, 0, 100, 50, nullptr, nullptr, nullptr,
                  nullptr);
  Sleep(INFINITE);
  return 0;
}

// A window of another program that counts the broadcasts telling of the "windows" setting.
LONG told = 0;
LRESULT CALLBACK Listen(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_WININICHANGE && lparam &&
      lstrcmpW(reinterpret_cast<const wchar_t*>(lparam), L"windows") == 0) {
    InterlockedIncrement(&told);
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}
DWORD WINAPI ListeningWindow(void*) {
  WNDCLASSW listener{};
  listener.lpfnWndProc = Listen;
  listener.lpszClassName = L"Listener";
  RegisterClassW(&listener);
  CreateWindowExW(0, L"Listener", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                  nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0)) DispatchMessageW(&message);
  return 0;
}

bool Topmost(HWND hwnd) {
  return IsWindowVisible(hwnd) && (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

class TrayE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteUserKey(kVeilpixKey);
    WritePictures(L"yes");
  }
  void TearDown() override { DeleteUserKey(kVeilpixKey); }

  Program app;
};

TEST_F(TrayE2eTest, IconClicksSwitchAndOpenTheMenuWhoseChoicesAndEndTheNextStartApplies) {
  CloseHandle(CreateThread(nullptr, 0, ListeningWindow, nullptr, 0, nullptr));
  ASSERT_TRUE(app.Start());
  EXPECT_FALSE(IsWindowVisible(app.form1()));
  // Pointing at the icon shows its tip.
  const std::optional<POINT> icon = app.TrayIcon();
  ASSERT_TRUE(icon);
  MovePointer(*icon);
  EXPECT_TRUE(WaitUntil([] { return FindTopLevelWindow(0, L"tooltips_class32", true); }));

  ASSERT_TRUE(app.ClickTrayIcon());
  EXPECT_TRUE(WaitUntil([] { return Pictures() == L"no"; }));
  EXPECT_TRUE(WaitUntil([&] { return app.Caption() == L"非表示"; }));
  EXPECT_TRUE(WaitUntil([] { return told > 0; })) << "every top-level window is told";

  // As it starts, 左クリックで切換 is checked and the two below it are greyed.
  HWND menu = app.OpenMenu();
  ASSERT_TRUE(menu);
  const auto drawn = [&] { return PixelsShowing(menu, GetSysColor(COLOR_MENU)) > 100; };
  ASSERT_TRUE(WaitUntil(drawn));
  SaveScreenshot(L"tray-menu");
  EXPECT_GT(PixelsShowing(menu, GetSysColor(COLOR_GRAYTEXT)), 0) << "greyed items";
  const int marks = PixelsShowing(menu, GetSysColor(COLOR_MENUTEXT), 16);
  EXPECT_GT(marks, 0) << "a check mark";
  // 左クリックで切換 off: a left click shows the window, topmost, and hides it again.
  ASSERT_TRUE(Program::Pick(menu, {VK_HOME, VK_DOWN}));
  EXPECT_TRUE(WaitUntil([] { return ReadUserString(kSettingsKey, L"Change") == L"0"; }));
  ASSERT_TRUE(app.ClickTrayIcon());
  EXPECT_TRUE(WaitUntil([&] { return Topmost(app.form1()); }));
  ASSERT_TRUE(app.ClickTrayIcon());
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(app.form1()); }));
  menu = app.OpenMenu();
  ASSERT_TRUE(menu && WaitUntil(drawn));
  EXPECT_LT(PixelsShowing(menu, GetSysColor(COLOR_MENUTEXT), 16), marks) << "its mark is gone";
  // 起動時に画面表示 and 表示場所を記憶 on.
  ASSERT_TRUE(Program::Pick(menu, {VK_HOME, VK_DOWN, VK_DOWN}));
  EXPECT_TRUE(WaitUntil([] { return ReadUserString(kSettingsKey, L"Show") == L"1"; }));
  ASSERT_TRUE(app.PickMenuItem({VK_HOME, VK_DOWN, VK_DOWN, VK_DOWN}));
  EXPECT_TRUE(WaitUntil([] { return ReadUserString(kSettingsKey, L"Position") == L"1"; }));
  SetWindowPos(app.form1(), nullptr, 200, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  // "終了"
  const HWND form1 = app.form1();
  ASSERT_TRUE(app.PickMenuItem({VK_END}));
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_FALSE(TrayIconShown(form1, 1));
  EXPECT_EQ(ReadUserString(kSettingsKey, L"Left"), L"3000");  // twips: 15 to a pixel at 96 dpi
  EXPECT_EQ(ReadUserString(kSettingsKey, L"Top"), L"1500");

  Program again;
  ASSERT_TRUE(again.Start());
  EXPECT_TRUE(IsWindowVisible(again.form1()));
  // Shown, the window has its button in the keyboard focus: Enter and Space switch.
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  const DWORD thread = GetWindowThreadProcessId(again.form1(), nullptr);
  const HWND command1 = GetDlgItem(again.form1(), IDC_FORM1_COMMAND1);
  ASSERT_TRUE(
      WaitUntil([&] { return GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == command1; }));
  PostMessageW(command1, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(WaitUntil([] { return Pictures() == L"yes"; }));
  PostMessageW(command1, WM_KEYDOWN, VK_SPACE, 0);
  PostMessageW(command1, WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_TRUE(WaitUntil([] { return Pictures() == L"no"; }));
  RECT rect;
  GetWindowRect(again.form1(), &rect);
  EXPECT_EQ(rect.left, 200);
  EXPECT_EQ(rect.top, 100);
  // The title bar's close box only hides it: Veilpix lives on in the tray.
  PostMessageW(again.form1(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(again.form1()); }));
  EXPECT_EQ(again.WaitForExit(300), STILL_ACTIVE);
}

TEST_F(TrayE2eTest, WindowComesBackOnScreenFollowsOutsideChangesAndSwitchesPastAHungWindow) {
  for (const auto& [key, text] :
       {std::pair{L"Change", L"0"}, std::pair{L"Show", L"1"}, std::pair{L"Position", L"1"},
        std::pair{L"Top", L"-3000000"}, std::pair{L"Left", L"9e30"}}) {
    WriteUserString(kSettingsKey, key, text);
  }
  ASSERT_TRUE(app.Start());
  RECT window;
  GetWindowRect(app.form1(), &window);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT overlap;
  IntersectRect(&overlap, &window, &screen);
  EXPECT_TRUE(EqualRect(&overlap, &window)) << window.left << "," << window.top;

  // Outside changes show when they happen, not at the next poll: polled every two seconds, two
  // changes in a row could not both show within one and a half. The watch begins just after
  // start-up, so the first change may wait for the poll.
  for (const auto& [value, caption, wait] :
       {std::tuple{L"no", L"非表示", 5000}, {L"yes", L"表示", 1500}, {L"no", L"非表示", 1500}}) {
    WritePictures(value);
    EXPECT_TRUE(WaitUntil([&] { return app.Caption() == caption; }, wait)) << value;
  }

  CloseHandle(CreateThread(nullptr, 0, HungWindow, nullptr, 0, nullptr));  // hangs to the end
  ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"STATIC", L"Hung") != nullptr; }));
  ClickAt(CentreOf(GetDlgItem(app.form1(), IDC_FORM1_COMMAND1)));
  EXPECT_TRUE(WaitUntil([] { return Pictures() == L"yes"; }));
  EXPECT_TRUE(WaitUntil([&] { return app.Caption() == L"表示"; }));

  // An icon lost without a word is back at the next refresh, with nothing for the watch to see;
  // one lost as the shell restarts, at its "TaskbarCreated", before the refresh after that.
  Sleep(300);
  RemoveTrayIcon(app.form1(), 1);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(app.form1(), 1); }, 2500));
  RemoveTrayIcon(app.form1(), 1);
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(app.form1(), 1); }, 1500));
}

TEST_F(TrayE2eTest, OneResidentPerSessionAndSwitchesFromTheCommandLineThatItFollows) {
  ASSERT_TRUE(app.Start());
  EXPECT_EQ(Program::RunVeilpix(L""), 0u);
  EXPECT_TRUE(WaitUntil([&] { return Topmost(app.form1()); })) << "the first one comes forward";

  // What each command line stores and returns; the running Veilpix's caption follows.
  const std::tuple<const wchar_t*, DWORD, const wchar_t*> cases[] = {
      {L"/off", 0, L"no"},     {L"-ON", 0, L"yes"},   {L"/toggle", 0, L"no"},
      {L"/on /off", 2, L"no"}, {L"/bogus", 2, L"no"}, {L"/TOGGLE", 0, L"yes"},
  };
  for (const auto& [arguments, code, stored] : cases) {
    EXPECT_EQ(Program::RunVeilpix(arguments), code) << arguments;
    const ULONGLONG ended = GetTickCount64();
    EXPECT_EQ(Pictures(), stored) << arguments;
    const wchar_t* caption = Pictures() == L"no" ? L"非表示" : L"表示";
    EXPECT_TRUE(WaitUntil([&] { return app.Caption() == caption; }, 1500)) << arguments;
    std::printf("%ls: exit %lu, caption %llu ms after\n", arguments, code,
                GetTickCount64() - ended);
  }
}

}  // namespace
}  // namespace veilpix::testing
