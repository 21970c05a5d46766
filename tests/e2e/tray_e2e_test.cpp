// The real Veilpix.exe through Wine's notification area: real clicks on its tray icon, its menu
// picked with the keys, its button, with the registry read back.
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

  // "左クリックで切換" off, then "起動時に画面表示" and "表示場所を記憶" on.
  ASSERT_TRUE(app.PickMenuItem({VK_HOME, VK_DOWN}, L"tray-menu"));
  EXPECT_TRUE(WaitUntil([] { return ReadUserString(kSettingsKey, L"Change") == L"0"; }));
  ASSERT_TRUE(app.PickMenuItem({VK_HOME, VK_DOWN, VK_DOWN}));
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
  // The switch has completed when the next outside change shows.
  WritePictures(L"no");
  EXPECT_TRUE(WaitUntil([&] { return app.Caption() == L"非表示"; }));

  // An icon lost without a word is back at the next refresh; one lost as the shell restarts,
  // at its "TaskbarCreated", before the refresh after that.
  RemoveTrayIcon(app.form1(), 1);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(app.form1(), 1); }, 2500));
  RemoveTrayIcon(app.form1(), 1);
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(app.form1(), 1); }, 1500));
}

}  // namespace
}  // namespace veilpix::testing
