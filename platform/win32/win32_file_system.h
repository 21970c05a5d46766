#pragma once
// The file system through the wide Win32 calls. Asking about a drive without a medium fails
// quietly instead of putting up the system's "no disk" box.

#include "platform/file_system.h"

namespace veilpix {

class Win32FileSystem final : public FileSystem {
 public:
  std::vector<std::wstring> Drives() override;
  std::wstring CurrentDirectory() override;
  std::wstring DriveDirectory(std::wstring_view drive) override;
  bool CanRead(std::wstring_view directory) override;
  std::vector<std::wstring> SubDirectories(std::wstring_view directory) override;
  std::vector<std::wstring> Files(std::wstring_view directory, std::wstring_view pattern) override;
};

}  // namespace veilpix
