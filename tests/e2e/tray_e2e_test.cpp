// The real Veilpix.exe through Wine's notification area: real clicks on its tray icon, its menu
// picked with the keys, its button and title bar, its command line, with the registry read back.
#include "tests/e2e/veilpix_app.h"

namespace veilpix::testing {
namespace {

// How many broadcasts telling of the "windows" setting reached another program's window.
LONG told = 0;
LRESULT CALLBACK Listen(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  InterlockedExchangeAdd(&told,
                         message == WM_WININICHANGE && lparam &&
                             !lstrcmpW(reinterpret_cast<const wchar_t*>(lparam), L"windows"));
  return DefWindowProcW(hwnd, message, wparam, lparam);
}
// A window in a thread of its own, which goes with the test's process. A hung one never reads
// its messages; hidden, it still gets broadcasts.
DWORD WINAPI OtherWindow(void* hung) {
  const WNDCLASSW listener{0, Listen, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, L"Other"};
  RegisterClassW(&listener);
  CreateWindowExW(0, L"Other", hung ? L"Hung" : L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                  nullptr, nullptr);
  if (hung) Sleep(INFINITE);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0)) DispatchMessageW(&message);
  return 0;
}

using TrayE2eTest = E2eTest;

TEST_F(TrayE2eTest, IconClicksSwitchAndOpenTheMenuWhoseChoicesAndEndTheNextStartApplies) {
  CloseHandle(CreateThread(nullptr, 0, OtherWindow, nullptr, 0, nullptr));
  ASSERT_TRUE(app.Start());
  EXPECT_FALSE(IsWindowVisible(app.form1()));
  // Pointing at the icon shows its tip.
  MovePointer(app.TrayIcon().value_or(POINT{}));
  EXPECT_TRUE(app.Shown(L"tooltips_class32", false));
  ASSERT_TRUE(app.ClickTrayIcon());
  EXPECT_SOON(Pictures() == L"no" && app.Caption() == L"非表示");
  EXPECT_SOON(told > 0) << "every top-level window is told";

  // As it starts, 左クリックで切換 is checked and the two below it are greyed.
  HWND menu = app.OpenMenu();
  ASSERT_TRUE(menu);
  SaveScreenshot(L"tray-menu");
  EXPECT_GT(PixelsShowing(menu, COLOR_GRAYTEXT), 0) << "greyed items";
  int marks = PixelsShowing(menu, COLOR_MENUTEXT, 16);
  EXPECT_GT(marks, 0) << "a check mark";
  // 左クリックで切換 off, then the two below on; the next menu shows each pick's mark changed.
  ASSERT_TRUE(app.Pick(kChange, menu));
  EXPECT_SOON(Setting(L"Change") == L"0");
  for (const auto& [item, name] : {std::pair{kStart, L"Show"}, {kPosition, L"Position"}}) {
    ASSERT_TRUE(menu = app.OpenMenu());
    const int now = PixelsShowing(menu, COLOR_MENUTEXT, 16);
    EXPECT_NE(now, std::exchange(marks, now)) << name;
    ASSERT_TRUE(app.Pick(item, menu));
    EXPECT_SOON(Setting(name) == L"1");
  }
  // Now a left click shows the window, topmost, and the next hides it.
  ASSERT_TRUE(app.ClickTrayIcon());
  EXPECT_SOON(IsWindowVisible(app.form1()) && app.Topmost());
  ASSERT_TRUE(app.ClickTrayIcon());
  EXPECT_SOON(!IsWindowVisible(app.form1()));
  SetWindowPos(app.form1(), nullptr, 200, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(app.Pick(kEnd));
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_FALSE(TrayIconShown(app.form1(), 1));
  EXPECT_EQ(Setting(L"Left") + L"," + Setting(L"Top"), L"3000,1500");  // 15 twips a pixel

  Program again;
  ASSERT_TRUE(again.Start());
  EXPECT_TRUE(IsWindowVisible(again.form1()));
  const RECT place = RectOf(again.form1());
  EXPECT_EQ(std::pair(place.left, place.top), std::pair(200L, 100L));
  // Shown, the window has its button in the keyboard focus: Enter and Space switch.
  GUITHREADINFO gui{sizeof gui, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, {}};
  const HWND command1 = GetDlgItem(again.form1(), IDC_FORM1_COMMAND1);
  ASSERT_SOON(GetGUIThreadInfo(GetWindowThreadProcessId(command1, nullptr), &gui) &&
              gui.hwndFocus == command1);
  PostMessageW(command1, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_SOON(Pictures() == L"yes");
  PostMessageW(command1, WM_KEYDOWN, VK_SPACE, 0);
  PostMessageW(command1, WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_SOON(Pictures() == L"no");
  // The title bar's close box only hides it: Veilpix lives on in the tray.
  PostMessageW(again.form1(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_SOON(!IsWindowVisible(again.form1()));
  EXPECT_EQ(again.WaitForExit(300), STILL_ACTIVE);
}

TEST_F(TrayE2eTest, WindowComesBackOnScreenFollowsOutsideChangesAndSwitchesPastAHungWindow) {
  // Shown at start where it was left, far off the screen.
  for (const wchar_t* name : {L"Show", L"Position"}) WriteUserString(kSettingsKey, name, L"1");
  WriteUserString(kSettingsKey, L"Change", L"0");
  WriteUserString(kSettingsKey, L"Top", L"-3000000");
  WriteUserString(kSettingsKey, L"Left", L"9e30");
  ASSERT_TRUE(app.Start());
  RECT window = RectOf(app.form1()), screen = RectOf(GetDesktopWindow()), inside;
  EXPECT_TRUE(IntersectRect(&inside, &window, &screen) && EqualRect(&inside, &window))
      << window.left << "," << window.top;

  // Outside changes show when they happen, not at the next poll: polled every two seconds, two
  // changes in a row could not both show within one and a half. The watch begins just after
  // start-up, so the first change may wait for the poll.
  for (const auto& [value, caption, wait] :
       {std::tuple{L"no", L"非表示", 5000}, {L"yes", L"表示", 1500}, {L"no", L"非表示", 1500}}) {
    WritePictures(value);
    EXPECT_TRUE(WaitUntil([&] { return app.Caption() == caption; }, wait)) << value;
  }

  // Hung to the end.
  CloseHandle(CreateThread(nullptr, 0, OtherWindow, reinterpret_cast<void*>(true), 0, nullptr));
  ASSERT_SOON(FindWindowW(L"Other", L"Hung"));
  ClickAt(CentreOf(GetDlgItem(app.form1(), IDC_FORM1_COMMAND1)));
  EXPECT_SOON(Pictures() == L"yes" && app.Caption() == L"表示");

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
  EXPECT_EQ(Program::ExitCode(Program::Veilpix()), 0u);
  EXPECT_SOON(IsWindowVisible(app.form1()) && app.Topmost()) << "the first one comes forward";
  // What each command line stores and returns; the running Veilpix's caption follows.
  const std::tuple<const wchar_t*, DWORD, const wchar_t*> cases[] = {
      {L"/off", 0, L"no"},     {L"-ON", 0, L"yes"},   {L"/toggle", 0, L"no"},
      {L"/on /off", 2, L"no"}, {L"/bogus", 2, L"no"}, {L"/TOGGLE", 0, L"yes"},
  };
  for (const auto& [arguments, code, stored] : cases) {
    EXPECT_EQ(Program::ExitCode(Program::Veilpix(arguments)), code) << arguments;
    EXPECT_EQ(Pictures(), stored) << arguments;
    const wchar_t* caption = Pictures() == L"no" ? L"非表示" : L"表示";
    EXPECT_TRUE(WaitUntil([&] { return app.Caption() == caption; }, 1500)) << arguments;
  }
}

}  // namespace
}  // namespace veilpix::testing
