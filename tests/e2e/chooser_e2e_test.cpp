// The chooser of the external program in the real Veilpix.exe: opened from the tray menu while
// no program is at the stored path, driven through its lists and buttons, with the stored path
// read back and the chosen program's start observed.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/chooser_dialog.h"
#include "tests/e2e/veilpix_app.h"
#include "tests/win32/message_box_watcher.h"

namespace veilpix::testing {
namespace {

// A folder with blanks in its path. A launcher that ran the path unquoted would start
// "C:\users\Public\Veilpix.exe" or "...\Veilpix Test\Toggle.exe" instead: both are planted.
const std::wstring kPublic = L"C:\\users\\Public";
const std::wstring kTestFolder = kPublic + L"\\Veilpix Test";
const std::wstring kTools = kTestFolder + L"\\Toggle Tools";
const std::wstring kToggler = kTools + L"\\Toggle Images.exe";
const std::wstring kLowerCase = kTools + L"\\toggler.exe";
const std::vector<std::wstring> kDecoys = {kPublic + L"\\Veilpix.exe",
                                           kTestFolder + L"\\Toggle.exe"};
const std::wstring kRuns = VEILPIX_TOGGLER_RUNS;

// The stand-in program is built beside this test.
std::wstring StandIn() {
  wchar_t self[MAX_PATH];
  const std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  return path.substr(0, path.rfind(L'\\')) + L"\\veilpix_stand_in.exe";
}

std::wstring CurrentDirectory() {
  wchar_t path[MAX_PATH];
  return std::wstring(path, GetCurrentDirectoryW(MAX_PATH, path));
}

// The programs the stand-in recorded, one path a line.
std::wstring Runs() {
  std::ifstream in(kRuns.c_str(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()),
                      bytes.size() / sizeof(wchar_t));
}

class ChooserE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteVeilpixSettings();
    WritePictures(L"yes");
    RemoveFiles();
    CreateDirectoryW(kTestFolder.c_str(), nullptr);
    CreateDirectoryW(kTools.c_str(), nullptr);
    for (const std::wstring& copy : Programs())
      ASSERT_TRUE(CopyFileW(StandIn().c_str(), copy.c_str(), FALSE)) << StandIn();
    std::ofstream((kTools + L"\\readme.txt").c_str()) << "not a program";
  }
  void TearDown() override {
    app.PostMenuCommand(IDM_END);
    app.WaitForExit();
    DeleteVeilpixSettings();
    RemoveFiles();
  }

  static std::vector<std::wstring> Programs() {
    std::vector<std::wstring> programs = kDecoys;
    programs.push_back(kToggler);
    programs.push_back(kLowerCase);
    return programs;
  }
  static void RemoveFiles() {
    for (const std::wstring& file : Programs()) DeleteFileW(file.c_str());
    DeleteFileW((kTools + L"\\readme.txt").c_str());
    DeleteFileW(kRuns.c_str());
    RemoveDirectoryW(kTools.c_str());
    RemoveDirectoryW(kTestFolder.c_str());
  }

  // Starts Veilpix with no program at the default path and opens the chooser from its menu.
  void OpenChooser() {
    if (!app.form1()) {
      ASSERT_TRUE(app.Start());
    }
    app.PostMenuCommand(IDM_TOGGLE);
    ASSERT_TRUE(chooser.WaitOpen(app.process_id()));
  }
  // Goes to the tools folder as a user would: drive C:, then folder by folder.
  void OpenTools() {
    ASSERT_TRUE(chooser.PickDrive(L"C:"));
    for (const wchar_t* folder : {L"C:\\", L"users", L"Public", L"Veilpix Test", L"Toggle Tools"})
      ASSERT_TRUE(chooser.OpenDirectory(folder)) << folder;
  }
  // Clicks OK and waits for the message box that follows to be answered and gone.
  void ClickOkAndAnswer(const MessageBoxWatcher& boxes) {
    const size_t before = boxes.Seen().size();
    chooser.ClickOk();
    ASSERT_TRUE(boxes.WaitForBoxes(before + 1));
    // The box disables the chooser, its owner, until it is answered.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(chooser.hwnd()) != FALSE; }));
  }

  VeilpixApp app;
  ChooserDialog chooser;
};

TEST_F(ChooserE2eTest, ChosenTogglerIsStoredTickedAndStartedByTheTrayByItsWholePath) {
  OpenChooser();
  EXPECT_EQ(chooser.Caption(), L"外部ソフトの指定");
  EXPECT_EQ(chooser.Label(), L"外部ソフトを指定してください。");
  RECT client;
  GetClientRect(chooser.hwnd(), &client);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(client.right, MulDiv(4815, dpi, 1440));
  EXPECT_EQ(client.bottom, MulDiv(3510, dpi, 1440));

  OpenTools();
  EXPECT_EQ(chooser.Drive(), L"C:");
  EXPECT_EQ(chooser.HighlightedDirectory(), L"Toggle Tools");
  EXPECT_EQ(chooser.Files(), (std::vector<std::wstring>{L"Toggle Images.exe", L"toggler.exe"}));
  ASSERT_TRUE(chooser.PickFile(L"Toggle Images.exe"));
  SaveScreenshot(L"chooser");

  chooser.ClickOk();
  ASSERT_TRUE(chooser.WaitClosed());
  EXPECT_EQ(ReadSetting(L"TogglePath"), kToggler);

  // The menu item is ticked: a left click on the tray icon now starts the program instead of
  // writing the picture setting.
  app.PostTray(WM_LBUTTONDOWN);
  ASSERT_TRUE(WaitUntil([] { return !Runs().empty(); }));
  Sleep(500);  // time for a wrongly started decoy to show as well
  EXPECT_EQ(Runs(), kToggler + L"\n");
  EXPECT_EQ(ReadPictures(), L"yes");
}

TEST_F(ChooserE2eTest, NamesWithoutToggAreRefusedAndTheChooserStaysOpen) {
  OpenChooser();
  MessageBoxWatcher boxes(app.process_id());
  OpenTools();
  ClickOkAndAnswer(boxes);                        // nothing selected
  ASSERT_TRUE(chooser.PickFile(L"toggler.exe"));  // "togg", not "Togg"
  ClickOkAndAnswer(boxes);
  const auto seen = boxes.Seen();
  ASSERT_EQ(seen.size(), 2u);
  for (const SeenMessageBox& box : seen) {
    EXPECT_EQ(box.title, L" Invalid File!");
    EXPECT_EQ(box.text, L"この外部ソフトは使用できません！");
  }
  EXPECT_TRUE(chooser.IsOpen());
  EXPECT_EQ(ReadSetting(L"TogglePath"), L"<absent>");

  // One click on another folder only highlights it: OK still takes the opened one.
  ASSERT_TRUE(chooser.PickFile(L"Toggle Images.exe"));
  ASSERT_TRUE(chooser.HighlightDirectory(L"Public"));
  chooser.ClickOk();
  ASSERT_TRUE(chooser.WaitClosed());
  EXPECT_EQ(ReadSetting(L"TogglePath"), kToggler);
}

TEST_F(ChooserE2eTest, CancelEscAndCloseStoreNothingAndEachOpeningStartsAfresh) {
  const std::wstring here = CurrentDirectory();
  const std::wstring here_name = here.substr(here.rfind(L'\\') + 1);
  OpenChooser();
  // Veilpix was started in this test's directory, where the stand-in program lies.
  EXPECT_EQ(chooser.Drive(), here.substr(0, 2));
  EXPECT_EQ(chooser.HighlightedDirectory(), here_name);
  const auto files = chooser.Files();
  EXPECT_NE(std::find(files.begin(), files.end(), L"veilpix_stand_in.exe"), files.end());

  for (const auto close : {&ChooserDialog::ClickCancel, &ChooserDialog::PressEscape}) {
    OpenTools();
    ASSERT_TRUE(chooser.PickFile(L"Toggle Images.exe"));
    (chooser.*close)();
    ASSERT_TRUE(chooser.WaitClosed());
    OpenChooser();
    EXPECT_EQ(chooser.HighlightedDirectory(), here_name);
  }
  OpenTools();
  ASSERT_TRUE(chooser.PickFile(L"Toggle Images.exe"));
  PostMessageW(chooser.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(chooser.WaitClosed());

  EXPECT_EQ(ReadSetting(L"TogglePath"), L"<absent>");
  // The menu item stayed unticked: a left click switches the pictures itself.
  app.PostTray(WM_LBUTTONDOWN);
  EXPECT_TRUE(WaitUntil([] { return ReadPictures() == L"no"; }));
  EXPECT_EQ(Runs(), L"");
}

}  // namespace
}  // namespace veilpix::testing
