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

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Win32FileSystemTest, ListsVisibleEntriesAndReadsOnlyExistingDirectories) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring root = JoinPath(temp, L"veilpix fs test");
  const auto path = [&](const wchar_t* name) { return JoinPath(root, name); };
  const wchar_t* const dirs[] = {L"Tools", L"hidden dir", L"folder.exe"};
  const wchar_t* const files_made[] = {L"Toggle Images.exe", L"b.EXE", L"readme.txt",
                                       L"secret.exe"};
  CreateDirectoryW(root.c_str(), nullptr);
  for (const wchar_t* dir : dirs) CreateDirectoryW(path(dir).c_str(), nullptr);
  for (const wchar_t* file : files_made)
    CloseHandle(CreateFileW(path(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  SetFileAttributesW(path(L"hidden dir").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(path(L"secret.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);

  Win32FileSystem files;
  EXPECT_EQ(Sorted(files.SubDirectories(root)),
            (std::vector<std::wstring>{L"Tools", L"folder.exe"}));
  EXPECT_EQ(Sorted(files.Files(root, L"*.exe")),
            (std::vector<std::wstring>{L"Toggle Images.exe", L"b.EXE"}));
  EXPECT_TRUE(files.CanRead(root));
  EXPECT_TRUE(files.CanRead(L"C:\\"));
  EXPECT_FALSE(files.CanRead(path(L"missing")));
  EXPECT_FALSE(files.CanRead(path(L"readme.txt")));

  const std::vector<std::wstring> drives = files.Drives();
  EXPECT_NE(std::find(drives.begin(), drives.end(), L"C:"), drives.end());
  EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
  wchar_t saved[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, saved);
  ASSERT_TRUE(SetCurrentDirectoryW(root.c_str()));
  EXPECT_EQ(files.CurrentDirectory(), root);
  // Wine ends a drive's current directory with a separator, Windows does not; both are taken.
  EXPECT_EQ(PathChain(files.DriveDirectory(DriveOf(root))).back(), root);
  SetCurrentDirectoryW(saved);

  for (const wchar_t* file : files_made) {
    SetFileAttributesW(path(file).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path(file).c_str());
  }
  for (const wchar_t* dir : dirs) RemoveDirectoryW(path(dir).c_str());
  RemoveDirectoryW(root.c_str());
}

}  // namespace
}  // namespace veilpix::testing
