// The URL opener against Wine's real shell: a web address reaches the browser, a missing file
// is reported in Japanese.
#include <windows.h>

#include <gtest/gtest.h>

#include "dialogs/module1.h"
#include "platform/win32/win32_desktop.h"
#include "tests/win32/browser_stand_in.h"
#include "tests/win32/message_box_watcher.h"

namespace veilpix::testing {
namespace {

TEST(OpenUrlUnderWineTest, WebAddressGoesToTheBrowserUnchangedWithoutWaitingForIt) {
  BrowserStandIn browser(2000);
  ASSERT_TRUE(browser.Ready());
  MessageBoxWatcher boxes;
  Win32Desktop desktop;
  const std::wstring address = L"https://github.com/veilpix/veilpix/issues?q=is%3Aopen&x=1";

  EXPECT_TRUE(OpenUrl(desktop, address));
  EXPECT_EQ(browser.Opened(), "") << "returned only after the browser had run";
  EXPECT_EQ(browser.WaitForAddress(), "https://github.com/veilpix/veilpix/issues?q=is%3Aopen&x=1");
  EXPECT_TRUE(boxes.Seen().empty());
}

TEST(OpenUrlUnderWineTest, MissingFileIsReportedWithItsMessageThenFalse) {
  MessageBoxWatcher boxes;
  Win32Desktop desktop;
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring missing = std::wstring(windows) + L"\\veilpix-no-such-file.txt";

  EXPECT_FALSE(OpenUrl(desktop, missing));
  ASSERT_EQ(boxes.Seen().size(), 1u);
  EXPECT_EQ(boxes.Seen()[0].title, L"ｴﾗｰ");
  EXPECT_EQ(boxes.Seen()[0].text, L"指定されたﾌｧｲﾙが見つかりません。");
}

}  // namespace
}  // namespace veilpix::testing
