// The About window of the real exe, opened from the tray menu and used with the real pointer
// and keys: its links, its keyboard and its erase picture, with the registry read back.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "resources/resource.h"
#include "tests/e2e/veilpix_app.h"

namespace veilpix::testing {
namespace {

constexpr wchar_t kWineBrowserKey[] = L"Software\\Wine\\WineBrowser";

// Stands in for the user's web browser: Wine's browser launcher runs a script that records the
// address it is given. It lives in /tmp, which Wine shows as Z:\tmp.
class BrowserStandIn {
 public:
  BrowserStandIn() {
    std::ofstream((record_ + L".sh").c_str(), std::ios::binary)
        << "printf %s \"$1\" > " << unix_ << ".part && mv " << unix_ << ".part " << unix_ << "\n";
    const std::wstring script(unix_.begin(), unix_.end());
    WriteUserString(kWineBrowserKey, L"Browsers", (L"/bin/sh " + script + L".sh").c_str());
  }
  ~BrowserStandIn() {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kWineBrowserKey, L"Browsers");
    DeleteFileW((record_ + L".sh").c_str());
    DeleteFileW(record_.c_str());
  }
  std::string WaitForAddress() const {
    std::string address;
    WaitUntil([&] {
      std::ifstream in(record_.c_str());
      address.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      return !address.empty();
    });
    return address;
  }

 private:
  const std::string unix_ = "/tmp/veilpix-browser-" + std::to_string(GetCurrentProcessId());
  const std::wstring record_ = WinePath(unix_.c_str());
};

// "バージョン情報", the item above "終了"
constexpr std::initializer_list<WORD> kAboutItem = {VK_END, VK_UP};

TEST(AboutE2eTest, LinksLightUpUnderThePointerAndOpenTheirPageAndThePictureErasesEverything) {
  DeleteUserKey(kVeilpixKey);
  WriteUserString(kSettingsKey, L"Toggle", L"0");  // something to erase
  Program app;
  ASSERT_TRUE(app.Start());
  HWND about = app.OpenFromMenu(kAboutItem, L"VeilpixAbout");
  ASSERT_NE(about, nullptr);
  EXPECT_FALSE(IsWindowEnabled(app.form1())) << "modal";
  EXPECT_EQ(TextOf(GetDlgItem(about, IDC_FORM3_LBLTITLE)), L"Veilpix Ver 2.0");
  const HWND ok = GetDlgItem(about, IDC_FORM3_COMMAND1);
  EXPECT_EQ(GetWindowLongW(ok, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON) << "not drawn as default";
  const HWND link = GetDlgItem(about, IDC_FORM3_LBLURL0);
  const COLORREF hot = GetSysColor(COLOR_ACTIVECAPTION);

  // Esc does nothing: the window still shows when the pointer's move behind it arrives.
  PostMessageW(ok, WM_KEYDOWN, VK_ESCAPE, 0);
  MovePointer(CentreOf(link));
  EXPECT_TRUE(WaitUntil([&] { return PixelsShowing(link, hot) > 0; }));
  EXPECT_TRUE(IsWindowVisible(about));
  CURSORINFO cursor{};
  cursor.cbSize = sizeof cursor;
  EXPECT_TRUE(GetCursorInfo(&cursor) && cursor.hCursor != LoadCursorW(nullptr, IDC_ARROW))
      << "the hand over a link";
  EXPECT_TRUE(WaitUntil([&] {
    return FindTopLevelWindow(app.process_id(), L"tooltips_class32", true);
  })) << "the link's tip";
  RECT other_link;
  GetWindowRect(GetDlgItem(about, IDC_FORM3_LBLURL1), &other_link);
  MovePointer({other_link.right + 4, other_link.top});  // the window's own background
  EXPECT_TRUE(WaitUntil([&] { return PixelsShowing(link, hot) == 0; }));
  SaveScreenshot(L"about");
  PostMessageW(ok, WM_KEYDOWN, VK_RETURN, 0);  // on the focused OK
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  EXPECT_TRUE(IsWindowEnabled(app.form1()));

  const BrowserStandIn browser;
  about = app.OpenFromMenu(kAboutItem, L"VeilpixAbout");
  ASSERT_NE(about, nullptr);
  ClickAt(CentreOf(GetDlgItem(about, IDC_FORM3_LBLURL1)));
  EXPECT_EQ(browser.WaitForAddress(), "https://github.com/veilpix/veilpix/issues");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));

  about = app.OpenFromMenu(kAboutItem, L"VeilpixAbout");
  ASSERT_NE(about, nullptr);
  const HWND form1 = app.form1();
  ClickAt(CentreOf(GetDlgItem(about, IDC_FORM3_PICICON)));
  const HWND box = app.MessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(TextOf(box), L" Erasing Registry Has Finished!");
  EXPECT_TRUE(ShowsIcon(box));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_FALSE(UserKeyExists(kVeilpixKey));  // nor the position written back as it ended
  EXPECT_FALSE(TrayIconShown(form1, 1));
}

}  // namespace
}  // namespace veilpix::testing
