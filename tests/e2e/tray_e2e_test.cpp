// The real Veilpix.exe in Wine's desktop, driven through its tray icon, its menu and its button,
// with the registry read back.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/e2e/veilpix_app.h"

namespace veilpix::testing {
namespace {

class TrayE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteVeilpixSettings();
    WritePictures(L"yes");
  }
  void TearDown() override { DeleteVeilpixSettings(); }

  // With left-click switching off and the window shown at start-up.
  void StartWithWindow() {
    WriteSetting(L"Change", L"0");
    WriteSetting(L"Show", L"1");
    ASSERT_TRUE(app.Start());
  }

  VeilpixApp app;
};

TEST_F(TrayE2eTest, FirstRunLivesHiddenInTheTrayAndLeftClickSwitches) {
  ASSERT_TRUE(app.Start());
  EXPECT_FALSE(app.Visible());
  EXPECT_EQ(app.Caption(), L"表示");
  SaveScreenshot(L"tray-shown");

  app.PostTray(WM_LBUTTONDOWN);
  EXPECT_TRUE(WaitUntil([] { return ReadPictures() == L"no"; }));
  EXPECT_TRUE(WaitUntil([&] { return app.Caption() == L"非表示"; }));
  SaveScreenshot(L"tray-hidden");

  app.PostTray(WM_LBUTTONDOWN);
  EXPECT_TRUE(WaitUntil([] { return ReadPictures() == L"yes"; }));

  // Moves, releases and double-clicks do nothing.
  for (const UINT message : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP})
    app.PostTray(message);
  Sleep(300);
  EXPECT_EQ(ReadPictures(), L"yes");
  EXPECT_FALSE(app.Visible());
}

TEST_F(TrayE2eTest, ButtonSwitchesAndOutsideChangesShowWithinTwoSeconds) {
  StartWithWindow();
  ASSERT_TRUE(WaitUntil([&] { return app.Visible(); }));
  EXPECT_EQ(app.Caption(), L"表示");
  SendMessageW(app.command1(), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([] { return ReadPictures() == L"no"; }));
  EXPECT_EQ(app.Caption(), L"非表示");

  WritePictures(L"yes");
  EXPECT_TRUE(WaitUntil([&] { return app.Caption() == L"表示"; }, 2500));
  WritePictures(L"no");
  EXPECT_TRUE(WaitUntil([&] { return app.Caption() == L"非表示"; }, 2500));
}

TEST_F(TrayE2eTest, LeftClickShowsTheTopmostWindowAndHidesItWhenSwitchingIsOff) {
  WriteSetting(L"Change", L"0");
  ASSERT_TRUE(app.Start());
  ASSERT_FALSE(app.Visible());
  app.PostTray(WM_LBUTTONDOWN);
  EXPECT_TRUE(WaitUntil([&] { return app.Visible() && app.Topmost(); }));
  app.PostTray(WM_LBUTTONDOWN);
  EXPECT_TRUE(WaitUntil([&] { return !app.Visible(); }));
  EXPECT_EQ(ReadPictures(), L"yes");
}

TEST_F(TrayE2eTest, RightClickMenuIsOperatedWithTheKeyboard) {
  ASSERT_TRUE(app.Start());
  // Above the tray icon, so the menu opens beside the tray without hiding it.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 24, GetSystemMetrics(SM_CYSCREEN) - 190);
  app.PostTray(WM_RBUTTONDOWN);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) != nullptr; }));
  WaitUntil([&] { return IsWindowVisible(menu) != FALSE; });
  Sleep(300);  // painted
  SaveScreenshot(L"tray-menu");
  // Home, then down to the second item, "左クリックで切換": turns left-click switching off.
  PostMessageW(menu, WM_KEYDOWN, VK_HOME, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(WaitUntil([] { return ReadSetting(L"Change") == L"0"; }));
  EXPECT_TRUE(WaitUntil([] { return FindWindowW(L"#32768", nullptr) == nullptr; }));
}

TEST_F(TrayE2eTest, OptionCommandsStoreAndARestartAppliesThem) {
  StartWithWindow();
  app.PostMenuCommand(IDM_POS);
  EXPECT_TRUE(WaitUntil([] { return ReadSetting(L"Position") == L"1"; }));
  app.PostMenuCommand(IDM_START);
  EXPECT_TRUE(WaitUntil([] { return ReadSetting(L"Show") == L"0"; }));
  app.PostMenuCommand(IDM_START);
  EXPECT_TRUE(WaitUntil([] { return ReadSetting(L"Show") == L"1"; }));
  SetWindowPos(app.form1(), nullptr, 200, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

  app.PostMenuCommand(IDM_END);
  ASSERT_TRUE(app.WaitForExit());
  EXPECT_EQ(app.ExitCode(), 0u);
  EXPECT_EQ(ReadSetting(L"Left"), L"3000");  // twips: 15 to a pixel at 96 dpi
  EXPECT_EQ(ReadSetting(L"Top"), L"1500");

  VeilpixApp again;
  ASSERT_TRUE(again.Start());
  EXPECT_TRUE(WaitUntil([&] { return again.Visible(); }));
  RECT rect;
  GetWindowRect(again.form1(), &rect);
  EXPECT_EQ(rect.left, 200);
  EXPECT_EQ(rect.top, 100);
}

TEST_F(TrayE2eTest, ExitStoresThePositionEvenWhenItIsNotRestoredAndRemovesTheIcon) {
  ASSERT_TRUE(app.Start());
  const HWND form1 = app.form1();
  app.PostMenuCommand(IDM_END);
  ASSERT_TRUE(app.WaitForExit());
  EXPECT_EQ(ReadSetting(L"Top"), L"0");
  EXPECT_EQ(ReadSetting(L"Left"), L"0");
  EXPECT_EQ(ReadSetting(L"Position"), L"<absent>");
  EXPECT_FALSE(ShellHasTrayIcon(form1));
}

TEST_F(TrayE2eTest, IconComesBackWhenTheNotificationAreaIsRecreated) {
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(ShellDropTrayIcon(app.form1()));  // as if Explorer had restarted
  ASSERT_FALSE(app.TrayIconPresent());
  PostMessageW(app.form1(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return app.TrayIconPresent(); }));
}

}  // namespace
}  // namespace veilpix::testing
