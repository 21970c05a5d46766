#pragma once
// The file system as the drive, directory and file lists see it.

#include <string>
#include <string_view>
#include <vector>

namespace veilpix {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Every available drive as its name ("C:"), in drive-letter order.
  virtual std::vector<std::wstring> Drives() = 0;
  // The process's current directory.
  virtual std::wstring CurrentDirectory() = 0;
  // The directory that a drive ("D:") stands for: its current directory.
  virtual std::wstring DriveDirectory(std::wstring_view drive) = 0;
  // False when the directory cannot be read, as on a removable drive without a medium.
  virtual bool CanRead(std::wstring_view directory) = 0;
  // The names of the directory's sub-directories the user normally sees, without "." and "..".
  virtual std::vector<std::wstring> SubDirectories(std::wstring_view directory) = 0;
  // The names of the directory's files that match `pattern` ("*.exe"), hidden ones left out.
  virtual std::vector<std::wstring> Files(std::wstring_view directory,
                                          std::wstring_view pattern) = 0;
};

}  // namespace veilpix
