#include "dialogs/form2.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/paths.h"
#include "tests/unit/fake_file_system.h"
#include "tests/unit/fakes.h"

namespace veilpix::testing {
namespace {

const std::wstring kInvalidText = L"この外部ソフトは使用できません！";
const std::wstring kInvalidTitle = L" Invalid File!";

class Form2Test : public ::testing::Test {
 protected:
  // Opens the chooser in `directory`, the process's current directory.
  Form2& Open(const std::wstring& directory) {
    files.current_directory = directory;
    form.emplace(files, desktop, store, mnuToggle);
    return *form;
  }

  // The user's clicks: an entry of a list, found by its text.
  static int IndexOf(const ListControl& list, const std::wstring& text) {
    for (int i = 0; i < list.ListCount(); ++i) {
      if (list.Items()[i].text == text) return i;
    }
    ADD_FAILURE() << "no entry " << ::testing::PrintToString(text);
    return -1;
  }
  void PickFile(const std::wstring& name) {
    form->filList.SetListIndex(IndexOf(form->filList, name));
  }
  void OpenDirectory(const std::wstring& name) {
    form->dirList.SetListIndex(IndexOf(form->dirList, name));
    ASSERT_TRUE(form->dirList.OpenListIndex());
  }
  void PickDrive(const std::wstring& drive) {
    form->drvList.SetListIndex(IndexOf(form->drvList, drive));
  }

  FakeFileSystem files;
  FakeDesktop desktop;
  FakeSettingsStore store;
  Control mnuToggle;
  std::optional<Form2> form;
};

TEST_F(Form2Test, OkAcceptsOnlyNamesWithToggAndStoresTheFullPathOnce) {
  struct Case {
    std::wstring directory;
    std::wstring file;    // empty: nothing selected
    std::wstring stored;  // empty: refused
  };
  const Case cases[] = {
      {L"C:\\Program Files", L"Toggle Images.exe", L"C:\\Program Files\\Toggle Images.exe"},
      {L"C:\\Tools", L"MyToggler.exe", L"C:\\Tools\\MyToggler.exe"},
      {L"C:\\Tools\\", L"Toggle Images.exe", L"C:\\Tools\\Toggle Images.exe"},
      // A drive's root already ends in its separator: no second one.
      {L"D:\\", L"Toggle Images.exe", L"D:\\Toggle Images.exe"},
      {L"C:\\Tools", L"toggle images.exe", L""},
      {L"C:\\Tools", L"TOGGLE.EXE", L""},
      {L"C:\\Tools", L"Tog g.exe", L""},
      {L"C:\\Tools", L"", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.directory + L" | " + c.file));
    files = FakeFileSystem{};
    files.drives = {L"C:", L"D:"};
    files.AddFile(JoinPath(c.directory, L"Other.exe"));
    if (!c.file.empty()) files.AddFile(JoinPath(c.directory, c.file));
    store.values.clear();
    desktop.boxes.clear();
    mnuToggle.SetChecked(false);
    Open(c.directory);
    if (!c.file.empty()) PickFile(c.file);

    form->Command1_Click();

    if (c.stored.empty()) {
      ASSERT_EQ(desktop.boxes.size(), 1u);
      EXPECT_EQ(desktop.boxes[0].prompt, kInvalidText);
      EXPECT_EQ(desktop.boxes[0].buttons, 64u);
      EXPECT_EQ(desktop.boxes[0].title, kInvalidTitle);
      EXPECT_FALSE(store.Has(L"TogglePath"));
      EXPECT_FALSE(mnuToggle.Checked());
      EXPECT_FALSE(form->Unloaded()) << "the chooser stays open for another choice";
    } else {
      EXPECT_TRUE(desktop.boxes.empty());
      EXPECT_EQ(store.Get(L"TogglePath"), c.stored);
      EXPECT_TRUE(mnuToggle.Checked());
      EXPECT_TRUE(form->Unloaded());
    }
  }
}

TEST_F(Form2Test, OkTakesTheOpenedDirectoryNotTheHighlightedOne) {
  files.AddFile(L"C:\\Tools\\Toggle Images.exe");
  files.AddFile(L"C:\\Tools\\Newer\\Toggle Images 2.exe");
  Open(L"C:\\Tools");
  PickFile(L"Toggle Images.exe");
  // One click on a directory only highlights it; the file list stays where it was.
  form->dirList.SetListIndex(IndexOf(form->dirList, L"Newer"));
  EXPECT_EQ(form->dirList.Path(), L"C:\\Tools");
  EXPECT_EQ(form->filList.List(form->filList.ListIndex()), L"Toggle Images.exe");
  form->Command1_Click();
  EXPECT_EQ(store.Get(L"TogglePath"), L"C:\\Tools\\Toggle Images.exe");

  // Opening it shows its files, and a double-click on one chooses it.
  Open(L"C:\\Tools");
  OpenDirectory(L"Newer");
  EXPECT_EQ(form->filList.Path(), L"C:\\Tools\\Newer");
  EXPECT_EQ(form->filList.ListIndex(), -1);
  PickFile(L"Toggle Images 2.exe");
  form->filList_DblClick();
  EXPECT_EQ(store.Get(L"TogglePath"), L"C:\\Tools\\Newer\\Toggle Images 2.exe");
  EXPECT_TRUE(form->Unloaded());
}

TEST_F(Form2Test, ListsShowTheTreeAroundTheOpenedDirectoryAndItsProgramsSorted) {
  files.drives = {L"C:", L"D:", L"Z:"};
  files.AddDirectory(L"C:\\users\\Public\\Zeta");
  files.AddDirectory(L"C:\\users\\Public\\alpha");
  files.AddDirectory(L"C:\\users\\Other");
  files.AddFile(L"C:\\users\\Public\\B.exe");
  files.AddFile(L"C:\\users\\Public\\a.EXE");
  files.AddFile(L"C:\\users\\Public\\readme.txt");
  Open(L"C:\\users\\Public");

  EXPECT_EQ(form->drvList.Drive(), L"C:");
  struct Entry {
    std::wstring text;
    int indent;
    bool open;
    std::wstring path;
  };
  const Entry expected[] = {
      {L"C:\\", 0, true, L"C:\\"},
      {L"users", 1, true, L"C:\\users"},
      {L"Public", 2, true, L"C:\\users\\Public"},
      {L"alpha", 3, false, L"C:\\users\\Public\\alpha"},
      {L"Zeta", 3, false, L"C:\\users\\Public\\Zeta"},
  };
  ASSERT_EQ(form->dirList.ListCount(), 5);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(form->dirList.Items()[i].text, expected[i].text);
    EXPECT_EQ(form->dirList.Items()[i].indent, expected[i].indent);
    EXPECT_EQ(form->dirList.Items()[i].open, expected[i].open);
    EXPECT_EQ(form->dirList.List(i), expected[i].path);
  }
  EXPECT_EQ(form->dirList.ListIndex(), 2) << "the opened directory is highlighted";
  ASSERT_EQ(form->filList.ListCount(), 2);
  EXPECT_EQ(form->filList.List(0), L"a.EXE");
  EXPECT_EQ(form->filList.List(1), L"B.exe");
  EXPECT_EQ(form->filList.List(-1), L"");

  // Up to the root: its sub-directories hang from it with one separator.
  OpenDirectory(L"C:\\");
  EXPECT_EQ(form->dirList.Path(), L"C:\\");
  ASSERT_EQ(form->dirList.ListCount(), 2);
  EXPECT_EQ(form->dirList.List(1), L"C:\\users");
  EXPECT_EQ(form->dirList.Items()[1].indent, 1);
  EXPECT_EQ(form->filList.Path(), L"C:\\");
  EXPECT_EQ(form->filList.ListCount(), 0);
}

TEST_F(Form2Test, AnUnreadableDriveFallsBackSilentlyToTheOpenDrivesCurrentDirectory) {
  files.drives = {L"A:", L"C:", L"D:"};
  files.unreadable_drives = {L"A:"};
  files.drive_directories = {{L"D:", L"D:\\Games"}};
  files.AddFile(L"C:\\Work\\Toggle.exe");
  files.AddFile(L"D:\\Games\\Tools\\Toggle Tool.exe");
  files.AddFile(L"D:\\Games\\Toggle Game.exe");
  Open(L"C:\\Work");

  PickDrive(L"D:");
  EXPECT_EQ(form->dirList.Path(), L"D:\\Games") << "a drive opens at its current directory";
  EXPECT_EQ(form->filList.List(0), L"Toggle Game.exe");
  OpenDirectory(L"Tools");
  ASSERT_EQ(form->filList.Path(), L"D:\\Games\\Tools");

  PickDrive(L"A:");
  EXPECT_EQ(form->drvList.Drive(), L"D:");
  EXPECT_EQ(form->dirList.Path(), L"D:\\Games");
  EXPECT_EQ(form->filList.Path(), L"D:\\Games");
  EXPECT_EQ(form->filList.List(0), L"Toggle Game.exe");
  EXPECT_TRUE(desktop.boxes.empty());
  EXPECT_FALSE(form->Unloaded());

  // The open directory's own drive gone as well: the lists stay, and nothing loops.
  files.unreadable_drives = {L"A:", L"D:"};
  PickDrive(L"A:");
  EXPECT_EQ(form->drvList.Drive(), L"D:");
  EXPECT_EQ(form->dirList.Path(), L"D:\\Games");
  EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(Form2Test, CancelAndClosingStoreNothingAndLeaveTheMenuItemAlone) {
  files.AddFile(L"C:\\Tools\\Toggle Images.exe");
  for (const bool checked : {false, true}) {
    for (const bool by_cancel : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "checked " << checked << ", cancel " << by_cancel);
      mnuToggle.SetChecked(checked);
      Open(L"C:\\Tools");
      PickFile(L"Toggle Images.exe");
      if (by_cancel) {
        form->Command2_Click();
      } else {
        int cancel = 0;
        form->Form_Unload(cancel);  // the window system closed it
      }
      EXPECT_TRUE(form->Unloaded());
      EXPECT_TRUE(store.values.empty());
      EXPECT_EQ(mnuToggle.Checked(), checked);
      EXPECT_TRUE(desktop.boxes.empty());
    }
  }
}

}  // namespace
}  // namespace veilpix::testing
