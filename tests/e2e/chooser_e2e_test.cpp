// The chooser of the external program in the real exe: opened from the tray menu while no
// program is at the stored path, driven through its lists, with the stored path read back and
// the chosen program's start observed.
#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "tests/e2e/veilpix_app.h"

namespace veilpix::testing {
namespace {

// A folder with blanks in its path. A launcher that ran the path unquoted would start
// "C:\users\Public\Veilpix.exe" or "...\Veilpix Test\Toggle.exe" instead: both are planted.
const std::wstring kTestFolder = L"C:\\users\\Public\\Veilpix Test";
const std::wstring kTools = kTestFolder + L"\\Toggle Tools";
const std::wstring kPrograms[] = {kTools + L"\\Toggle Images.exe",
                                  L"C:\\users\\Public\\Veilpix.exe", kTestFolder + L"\\Toggle.exe"};

bool Ran(const std::wstring& program) {
  return GetFileAttributesW((program + L".ran").c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Selects `entry` in one of the chooser's lists, or double-clicks it, with the notifications
// the list then sends (CBN_SELCHANGE and LBN_SELCHANGE are the same code).
void Pick(HWND chooser, int id, const wchar_t* entry, bool double_click = false) {
  const HWND list = GetDlgItem(chooser, id);
  const bool drives = id == IDC_FORM2_DRVLIST;
  const LRESULT index = SendMessageW(list, drives ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT, -1,
                                     reinterpret_cast<LPARAM>(entry));
  SendMessageW(list, drives ? CB_SETCURSEL : LB_SETCURSEL, index, 0);
  const auto notify = [&](WORD code) {
    SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(list));
  };
  notify(LBN_SELCHANGE);
  if (double_click) notify(LBN_DBLCLK);
}

class ChooserE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    WritePictures(L"yes");
    CreateDirectoryW(kTestFolder.c_str(), nullptr);
    CreateDirectoryW(kTools.c_str(), nullptr);
    for (const std::wstring& copy : kPrograms)
      ASSERT_TRUE(CopyFileW(WinePath(VEILPIX_STAND_IN).c_str(), copy.c_str(), FALSE)) << copy;
  }
  void TearDown() override {
    DeleteUserKey(kVeilpixKey);
    for (const std::wstring& program : kPrograms) {
      DeleteFileW(program.c_str());
      DeleteFileW((program + L".ran").c_str());
    }
    RemoveDirectoryW(kTools.c_str());
    RemoveDirectoryW(kTestFolder.c_str());
  }
};

TEST_F(ChooserE2eTest, ChosenProgramIsStoredAndTheTrayStartsItByItsWholePath) {
  Program app;
  ASSERT_TRUE(app.Start());
  // Esc and the close box close it with nothing stored, and give the main window back.
  for (const auto& [message, key] :
       {std::pair<UINT, WPARAM>{WM_KEYDOWN, VK_ESCAPE}, {WM_SYSCOMMAND, SC_CLOSE}}) {
    const HWND chooser = app.OpenFromMenu({VK_HOME}, L"VeilpixChooser");  // "外部ソフトを使用"
    ASSERT_NE(chooser, nullptr);
    EXPECT_FALSE(IsWindowEnabled(app.form1())) << "modal";
    PostMessageW(chooser, message, key, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(chooser); })) << message;
    EXPECT_TRUE(IsWindowEnabled(app.form1()));
  }
  EXPECT_EQ(ReadUserString(kSettingsKey, L"TogglePath"), L"<absent>");

  const HWND chooser = app.OpenFromMenu({VK_HOME}, L"VeilpixChooser");
  ASSERT_NE(chooser, nullptr);
  Pick(chooser, IDC_FORM2_DRVLIST, L"C:");
  for (const wchar_t* folder : {L"C:\\", L"users", L"Public", L"Veilpix Test"})
    Pick(chooser, IDC_FORM2_DIRLIST, folder, true);
  // One click on a folder only highlights it; a double click opens it.
  const HWND files = GetDlgItem(chooser, IDC_FORM2_FILLIST);
  Pick(chooser, IDC_FORM2_DIRLIST, L"Toggle Tools");
  EXPECT_EQ(SendMessageW(files, LB_FINDSTRINGEXACT, -1, LPARAM(L"Toggle.exe")), 0);
  Pick(chooser, IDC_FORM2_DIRLIST, L"Toggle Tools", true);
  ASSERT_EQ(SendMessageW(files, LB_FINDSTRINGEXACT, -1, LPARAM(L"Toggle Images.exe")), 0);
  const HWND folders = GetDlgItem(chooser, IDC_FORM2_DIRLIST);
  EXPECT_TRUE(WaitUntil([&] { return PixelsShowing(folders, GetSysColor(COLOR_HIGHLIGHT)) > 0; }))
      << "the opened folder drawn highlighted";
  // Enter on the file the mouse selected takes it.
  RECT list;
  GetWindowRect(files, &list);
  ClickAt({list.left + 20, list.top + 8});
  EXPECT_TRUE(WaitUntil([&] { return PixelsShowing(files, GetSysColor(COLOR_HIGHLIGHT)) > 0; }));
  SaveScreenshot(L"chooser");
  PostMessageW(files, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }));
  EXPECT_EQ(ReadUserString(kSettingsKey, L"TogglePath"), kPrograms[0]);

  // The menu item is ticked: a left click starts the program instead of writing the setting.
  ASSERT_TRUE(app.ClickTrayIcon());
  EXPECT_TRUE(WaitUntil([] { return Ran(kPrograms[0]); }));
  EXPECT_FALSE(Ran(kPrograms[1]) || Ran(kPrograms[2]));
  EXPECT_EQ(Pictures(), L"yes");

  // Ended with a window open, as the installer ends it: nothing stays behind.
  ASSERT_NE(app.OpenFromMenu({VK_END, VK_UP}, L"VeilpixAbout"), nullptr);
  PostMessageW(app.form1(), WM_COMMAND, IDM_END, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

}  // namespace
}  // namespace veilpix::testing
