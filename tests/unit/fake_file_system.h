#pragma once
// A file system held in memory: drives, directories and files by full path, and drives that
// cannot be read, as a removable drive without a medium, which Wine cannot show.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace veilpix::testing {

class FakeFileSystem final : public FileSystem {
 public:
  std::vector<std::wstring> drives{L"C:"};
  std::wstring current_directory = L"C:\\";
  std::map<std::wstring, std::wstring> drive_directories;  // "D:" -> its current directory
  std::set<std::wstring> unreadable_drives;                // "A:"

  // Adds a directory or a file with every directory above it.
  void AddDirectory(const std::wstring& path);
  void AddFile(const std::wstring& path);

  std::vector<std::wstring> Drives() override { return drives; }
  std::wstring CurrentDirectory() override { return current_directory; }
  std::wstring DriveDirectory(std::wstring_view drive) override;
  bool CanRead(std::wstring_view directory) override;
  std::vector<std::wstring> SubDirectories(std::wstring_view directory) override;
  std::vector<std::wstring> Files(std::wstring_view directory, std::wstring_view pattern) override;

 private:
  std::set<std::wstring> directories_;
  std::set<std::wstring> files_;
};

}  // namespace veilpix::testing
