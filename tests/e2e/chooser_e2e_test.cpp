// The chooser of the external program in the real exe: opened from the tray menu while no
// program is at the stored path, driven through its lists, with the stored path read back and
// the chosen program's start observed.
#include "tests/e2e/veilpix_app.h"

namespace veilpix::testing {
namespace {

using std::filesystem::exists;

// A folder with blanks in its path. A launcher that ran the path unquoted would start
// "C:\users\Public\Veilpix.exe" or "...\Veilpix Test\Toggle.exe" instead: both are planted.
const std::wstring kFolder = L"C:\\users\\Public\\Veilpix Test";
const std::wstring kPrograms[] = {kFolder + L"\\Toggle Tools\\Toggle Images.exe",
                                  L"C:\\users\\Public\\Veilpix.exe", kFolder + L"\\Toggle.exe"};

// Selects `entry` in one of the chooser's lists, or double-clicks it, with the notifications
// the list then sends (CBN_SELCHANGE and LBN_SELCHANGE are the same code).
void Choose(HWND chooser, int id, const wchar_t* entry, bool double_click = false) {
  const HWND list = GetDlgItem(chooser, id);
  SendMessageW(list, id == IDC_FORM2_DRVLIST ? CB_SELECTSTRING : LB_SELECTSTRING, -1,
               LPARAM(entry));
  SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), LPARAM(list));
  if (double_click) SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), LPARAM(list));
}

class ChooserE2eTest : public E2eTest {
 protected:
  void SetUp() override {
    TearDown();
    E2eTest::SetUp();
    std::filesystem::create_directories(kFolder + L"\\Toggle Tools");
    for (const std::wstring& copy : kPrograms)
      ASSERT_TRUE(CopyFileW(WinePath(VEILPIX_STAND_IN).c_str(), copy.c_str(), FALSE)) << copy;
  }
  void TearDown() override {
    E2eTest::TearDown();
    std::filesystem::remove_all(kFolder);
    for (const auto& decoy : {kPrograms[1], kPrograms[1] + L".ran"}) std::filesystem::remove(decoy);
  }
};

TEST_F(ChooserE2eTest, ChosenProgramIsStoredAndTheTrayStartsItByItsWholePath) {
  ASSERT_TRUE(app.Start());
  // Esc and the close box close it with nothing stored, and give the main window back.
  HWND chooser;
  for (const auto& [message, key] :
       {std::pair<UINT, WPARAM>{WM_KEYDOWN, VK_ESCAPE}, {WM_SYSCOMMAND, SC_CLOSE}}) {
    ASSERT_TRUE(chooser = app.Open(kToggle, L"VeilpixChooser"));
    EXPECT_FALSE(IsWindowEnabled(app.form1())) << "modal";
    PostMessageW(chooser, message, key, 0);
    EXPECT_SOON(!IsWindow(chooser)) << message;
    EXPECT_TRUE(IsWindowEnabled(app.form1()));
  }
  EXPECT_EQ(Setting(L"TogglePath"), L"<absent>");

  ASSERT_TRUE(chooser = app.Open(kToggle, L"VeilpixChooser"));
  Choose(chooser, IDC_FORM2_DRVLIST, L"C:");
  for (const wchar_t* folder : {L"C:\\", L"users", L"Public", L"Veilpix Test"})
    Choose(chooser, IDC_FORM2_DIRLIST, folder, true);
  // One click on a folder only highlights it; a double click opens it.
  const HWND files = GetDlgItem(chooser, IDC_FORM2_FILLIST);
  Choose(chooser, IDC_FORM2_DIRLIST, L"Toggle Tools");
  EXPECT_EQ(SendMessageW(files, LB_FINDSTRINGEXACT, -1, LPARAM(L"Toggle.exe")), 0);
  Choose(chooser, IDC_FORM2_DIRLIST, L"Toggle Tools", true);
  ASSERT_EQ(SendMessageW(files, LB_FINDSTRINGEXACT, -1, LPARAM(L"Toggle Images.exe")), 0);
  EXPECT_SOON(PixelsShowing(GetDlgItem(chooser, IDC_FORM2_DIRLIST), COLOR_HIGHLIGHT) > 0)
      << "the opened folder drawn highlighted";
  // Enter on the file the mouse selected takes it.
  ClickAt({RectOf(files).left + 20, RectOf(files).top + 8});
  EXPECT_SOON(PixelsShowing(files, COLOR_HIGHLIGHT) > 0);
  SaveScreenshot(L"chooser");
  PostMessageW(files, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_SOON(!IsWindow(chooser));
  EXPECT_EQ(Setting(L"TogglePath"), kPrograms[0]);

  // The menu item is ticked: a left click starts the program instead of writing the setting.
  ASSERT_TRUE(app.ClickTrayIcon());
  EXPECT_SOON(exists(kPrograms[0] + L".ran"));
  EXPECT_FALSE(exists(kPrograms[1] + L".ran") || exists(kPrograms[2] + L".ran"));
  EXPECT_EQ(Pictures(), L"yes");

  // Ended with a window open, as the installer ends it: nothing stays behind.
  ASSERT_NE(app.Open(kAbout, L"VeilpixAbout"), nullptr);
  PostMessageW(app.form1(), WM_COMMAND, IDM_END, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

}  // namespace
}  // namespace veilpix::testing
