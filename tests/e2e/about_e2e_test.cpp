// The About window of the real exe, opened from the tray menu and used with the real pointer
// and keys: its links, its keyboard and its erase picture, with the registry read back.
#include "tests/e2e/veilpix_app.h"

namespace veilpix::testing {
namespace {

constexpr wchar_t kWineBrowserKey[] = L"Software\\Wine\\WineBrowser";

using AboutE2eTest = E2eTest;

TEST_F(AboutE2eTest, LinksLightUpUnderThePointerAndOpenTheirPageAndThePictureErasesEverything) {
  WriteUserString(kSettingsKey, L"Toggle", L"0");  // something to erase
  ASSERT_TRUE(app.Start());
  HWND about, box;
  ASSERT_TRUE(about = app.Open(kAbout, L"VeilpixAbout"));
  EXPECT_FALSE(IsWindowEnabled(app.form1())) << "modal";
  EXPECT_EQ(TextOf(GetDlgItem(about, IDC_FORM3_LBLTITLE)), L"Veilpix Ver 2.0");
  const HWND ok = GetDlgItem(about, IDC_FORM3_COMMAND1);
  EXPECT_EQ(GetWindowLongW(ok, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON) << "not drawn as default";
  const HWND link = GetDlgItem(about, IDC_FORM3_LBLURL0);

  // Esc does nothing: the window still shows when the pointer's move behind it arrives.
  PostMessageW(ok, WM_KEYDOWN, VK_ESCAPE, 0);
  MovePointer(CentreOf(link));
  EXPECT_SOON(PixelsShowing(link, COLOR_ACTIVECAPTION) > 0);
  EXPECT_TRUE(IsWindowVisible(about));
  CURSORINFO cursor{sizeof cursor, 0, nullptr, {}};
  EXPECT_TRUE(GetCursorInfo(&cursor) && cursor.hCursor != LoadCursorW(nullptr, IDC_ARROW))
      << "the hand over a link";
  EXPECT_TRUE(app.Shown(L"tooltips_class32")) << "the link's tip";
  const RECT other_link = RectOf(GetDlgItem(about, IDC_FORM3_LBLURL1));
  MovePointer({other_link.right + 4, other_link.top});  // the window's own background
  EXPECT_SOON(PixelsShowing(link, COLOR_ACTIVECAPTION) == 0);
  SaveScreenshot(L"about");
  PostMessageW(ok, WM_KEYDOWN, VK_RETURN, 0);  // on the focused OK
  EXPECT_SOON(!IsWindow(about));
  EXPECT_TRUE(IsWindowEnabled(app.form1()));

  // Wine's browser launcher runs what stands in for the user's web browser: a shell that records
  // the address it is given on drive C:.
  WriteUserString(kWineBrowserKey, L"Browsers",
                  LR"(/bin/sh -c "printf %s \"$0\" >\"$WINEPREFIX/drive_c/address\"")");
  DeleteFileW(L"C:\\address");
  ASSERT_TRUE(about = app.Open(kAbout, L"VeilpixAbout"));
  ClickAt(CentreOf(GetDlgItem(about, IDC_FORM3_LBLURL1)));
  std::string address;
  EXPECT_SOON((std::ifstream("C:\\address") >> address,
               address == "https://github.com/veilpix/veilpix/issues"))
      << address;
  EXPECT_SOON(!IsWindow(about));
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kWineBrowserKey, L"Browsers");

  ASSERT_TRUE(about = app.Open(kAbout, L"VeilpixAbout"));
  ClickAt(CentreOf(GetDlgItem(about, IDC_FORM3_PICICON)));
  ASSERT_TRUE(box = app.Shown(L"#32770"));
  EXPECT_EQ(TextOf(box), L" Erasing Registry Has Finished!");
  EXPECT_TRUE(SendMessageW(FindWindowExW(box, nullptr, L"Static", nullptr), STM_GETICON, 0, 0))
      << "its icon";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_FALSE(UserKeyExists(kVeilpixKey));  // nor the position written back as it ended
  EXPECT_FALSE(TrayIconShown(app.form1(), 1));
}

}  // namespace
}  // namespace veilpix::testing
