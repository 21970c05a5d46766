#include "dialogs/form2.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

#include "tests/unit/fakes.h"

namespace veilpix::testing {
namespace {

// The chooser with what it stands on. Drives A: (without a medium), C: and D:, whose current
// directory is D:\Games; the readable directories with their entries, unsorted, as the file
// system gives them.
class Rig final : public FileSystem {
 public:
  std::map<std::wstring, std::vector<std::wstring>> directories{
      {L"C:\\", {L"Tools"}},
      {L"C:\\Tools", {L"Newer", L"alpha"}},
      {L"C:\\Tools\\Newer", {}},
      {L"D:\\", {L"Games"}},
      {L"D:\\Games", {}}};
  std::map<std::wstring, std::vector<std::wstring>> files{
      {L"C:\\Tools", {L"Zeta.exe", L"toggle images.exe", L"MyToggler.exe"}},
      {L"C:\\Tools\\Newer", {L"Toggle 2.exe"}},
      {L"D:\\", {L"Toggle Images.exe"}}};
  std::wstring current_directory;
  FakeDesktop desktop;
  FakeSettingsStore store;
  Control mnuToggle;
  std::optional<Form2> form;

  // Opens the chooser in `directory`, the process's current directory.
  Form2& Open(const std::wstring& directory) {
    current_directory = directory;
    return form.emplace(*this, desktop, store, mnuToggle);
  }

  std::vector<std::wstring> Drives() override { return {L"A:", L"C:", L"D:"}; }
  std::wstring CurrentDirectory() override { return current_directory; }
  std::wstring DriveDirectory(std::wstring_view drive) override {
    return drive == L"D:" ? L"D:\\Games" : std::wstring(drive) + L"\\";
  }
  bool CanRead(std::wstring_view directory) override {
    return directories.contains(std::wstring(directory));
  }
  std::vector<std::wstring> SubDirectories(std::wstring_view directory) override {
    return directories[std::wstring(directory)];
  }
  // Only programs are ever asked for.
  std::vector<std::wstring> Files(std::wstring_view directory, std::wstring_view pattern) override {
    return pattern == L"*.exe" ? files[std::wstring(directory)] : std::vector<std::wstring>{};
  }
};

// One click on the entry of a list with this text.
template <typename List>
void Click(List& list, std::wstring_view text) {
  const auto& items = list.Items();
  const auto item = std::find_if(items.begin(), items.end(),
                                 [&](const ListItem& entry) { return entry.text == text; });
  ASSERT_NE(item, items.end()) << ::testing::PrintToString(std::wstring(text));
  list.SetListIndex(static_cast<int>(item - items.begin()));
}

// A list's entries: indented by dots, the directories on the way to the opened one marked "*".
std::wstring Entries(const ListControl& list) {
  std::wstring text;
  for (const ListItem& item : list.Items()) {
    text += L"[" + std::wstring(item.indent, L'.') + item.text + (item.open ? L"*]" : L"]");
  }
  return text;
}

TEST(Form2Test, OkTakesOnlyANameWithToggInThatCaseAndStoresItsPathInTheOpenedDirectory) {
  // The opened directory, the directory then highlighted but not opened, the file selected (none
  // when empty), the path stored (none: refused).
  const std::tuple<std::wstring, std::wstring, std::wstring, std::wstring> cases[] = {
      {L"C:\\Tools", L"Newer", L"MyToggler.exe", L"C:\\Tools\\MyToggler.exe"},
      {L"D:\\", L"", L"Toggle Images.exe", L"D:\\Toggle Images.exe"},  // one separator after a root
      {L"C:\\Tools", L"", L"toggle images.exe", L""},
      {L"C:\\Tools", L"", L"", L""},
  };
  for (const auto& [directory, highlighted, file, stored] : cases) {
    SCOPED_TRACE(::testing::PrintToString(directory + L" " + file));
    Rig rig;
    Form2& form = rig.Open(directory);
    if (!file.empty()) Click(form.filList, file);
    if (!highlighted.empty()) Click(form.dirList, highlighted);
    form.Command1_Click();
    const bool accepted = !stored.empty();
    EXPECT_EQ(rig.store.Get(L"TogglePath"), accepted ? stored : L"<absent>");
    EXPECT_EQ(rig.mnuToggle.Checked(), accepted);
    EXPECT_EQ(form.Unloaded(), accepted) << "a refused name leaves the chooser open";
    EXPECT_EQ(rig.desktop.log,
              accepted ? L"" : L"box 64 [ Invalid File!] この外部ソフトは使用できません！");
  }
}

TEST(Form2Test, ListsShowTheTreeAroundTheOpenedDirectoryAndItsProgramsSorted) {
  Rig rig;
  Form2& form = rig.Open(L"C:\\Tools");
  EXPECT_EQ(Entries(form.dirList), L"[C:\\*][.Tools*][..alpha][..Newer]");
  EXPECT_EQ(form.dirList.ListIndex(), 1);
  EXPECT_EQ(Entries(form.filList), L"[MyToggler.exe][toggle images.exe][Zeta.exe]");
  Click(form.filList, L"MyToggler.exe");
  Click(form.dirList, L"Newer");
  ASSERT_TRUE(form.dirList.OpenListIndex());
  EXPECT_EQ(Entries(form.filList), L"[Toggle 2.exe]");
  EXPECT_EQ(form.filList.ListIndex(), -1);
  Click(form.filList, L"Toggle 2.exe");
  form.filList_DblClick();
  EXPECT_EQ(rig.store.Get(L"TogglePath"), L"C:\\Tools\\Newer\\Toggle 2.exe");
  EXPECT_TRUE(form.Unloaded());
}

TEST(Form2Test, AnUnreadableDriveFallsBackSilentlyAndCancelStoresNothing) {
  Rig rig;
  rig.mnuToggle.SetChecked(true);
  Form2& form = rig.Open(L"C:\\Tools");
  Click(form.drvList, L"D:");
  EXPECT_EQ(form.dirList.Path(), L"D:\\Games") << "a drive opens at its current directory";
  Click(form.drvList, L"A:");
  EXPECT_EQ(form.drvList.Drive(), L"D:");
  EXPECT_EQ(form.dirList.Path(), L"D:\\Games");
  EXPECT_EQ(form.filList.Path(), L"D:\\Games");
  EXPECT_FALSE(form.Unloaded());

  form.Command2_Click();
  EXPECT_TRUE(form.Unloaded());
  EXPECT_TRUE(rig.store.values.empty());
  EXPECT_TRUE(rig.mnuToggle.Checked());
  EXPECT_TRUE(rig.desktop.log.empty());
}

}  // namespace
}  // namespace veilpix::testing
