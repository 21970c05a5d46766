// The file system the chooser's lists stand on, against Wine's real one.
#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/paths.h"

namespace veilpix::testing {
namespace {

// Wine ends a drive's current directory with a separator, Windows does not; the lists take both.
std::wstring WithoutSeparator(const std::wstring& directory) {
  return PathChain(directory).back();
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  return names;
}

class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = JoinPath(temp, L"veilpix fs test");
    Remove();
    CreateDirectoryW(root_.c_str(), nullptr);
    for (const wchar_t* dir : {L"Tools", L"apps", L"hidden dir", L"folder.exe"})
      CreateDirectoryW(Path(dir).c_str(), nullptr);
    for (const wchar_t* file : {L"Toggle Images.exe", L"b.EXE", L"readme.txt", L"secret.exe"})
      CloseHandle(CreateFileW(Path(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    SetFileAttributesW(Path(L"hidden dir").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(Path(L"secret.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);
  }
  void TearDown() override { Remove(); }

  std::wstring Path(const wchar_t* name) const { return JoinPath(root_, name); }
  void Remove() const {
    for (const wchar_t* name : {L"Toggle Images.exe", L"b.EXE", L"readme.txt", L"secret.exe"}) {
      SetFileAttributesW(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(Path(name).c_str());
    }
    for (const wchar_t* name : {L"Tools", L"apps", L"hidden dir", L"folder.exe"}) {
      SetFileAttributesW(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
      RemoveDirectoryW(Path(name).c_str());
    }
    RemoveDirectoryW(root_.c_str());
  }

  Win32FileSystem files;
  std::wstring root_;
};

TEST_F(Win32FileSystemTest, ListsVisibleSubDirectoriesAndMatchingFilesOnly) {
  EXPECT_EQ(Sorted(files.SubDirectories(root_)),
            (std::vector<std::wstring>{L"Tools", L"apps", L"folder.exe"}));
  EXPECT_EQ(Sorted(files.Files(root_, L"*.exe")),
            (std::vector<std::wstring>{L"Toggle Images.exe", L"b.EXE"}));
  EXPECT_TRUE(files.SubDirectories(Path(L"Tools")).empty());
  EXPECT_TRUE(files.Files(Path(L"missing"), L"*.exe").empty());
}

TEST_F(Win32FileSystemTest, OnlyExistingDirectoriesCanBeRead) {
  EXPECT_TRUE(files.CanRead(root_));
  EXPECT_TRUE(files.CanRead(root_ + L"\\"));
  EXPECT_TRUE(files.CanRead(L"C:\\"));
  EXPECT_FALSE(files.CanRead(Path(L"missing")));
  EXPECT_FALSE(files.CanRead(Path(L"readme.txt")));
  // A letter no drive has.
  const std::vector<std::wstring> drives = files.Drives();
  std::wstring unused = L"?:";
  for (wchar_t letter = L'Q'; letter <= L'Y' && unused[0] == L'?'; ++letter) {
    if (std::find(drives.begin(), drives.end(), std::wstring{letter, L':'}) == drives.end())
      unused[0] = letter;
  }
  EXPECT_FALSE(files.CanRead(unused + L"\\"));
}

TEST_F(Win32FileSystemTest, DrivesAndTheirCurrentDirectories) {
  const std::vector<std::wstring> drives = files.Drives();
  EXPECT_NE(std::find(drives.begin(), drives.end(), L"C:"), drives.end());
  EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
  for (const std::wstring& drive : drives) EXPECT_EQ(drive.size(), 2u) << drive.c_str();

  const std::wstring current = files.CurrentDirectory();
  EXPECT_EQ(WithoutSeparator(files.DriveDirectory(DriveOf(current))), current);
  wchar_t saved[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, saved);
  ASSERT_TRUE(SetCurrentDirectoryW(root_.c_str()));
  EXPECT_EQ(files.CurrentDirectory(), root_);
  EXPECT_EQ(WithoutSeparator(files.DriveDirectory(DriveOf(root_))), root_);
  SetCurrentDirectoryW(saved);
}

}  // namespace
}  // namespace veilpix::testing
