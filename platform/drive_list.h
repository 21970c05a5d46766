#pragma once
// The drive list: every available drive, one of them selected.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/list_control.h"

namespace veilpix {

class DriveList : public ListControl {
 public:
  // Lists the drives and selects the one the current directory is on.
  explicit DriveList(FileSystem& file_system);

  // Raised whenever another drive is selected, by the user or by code.
  std::function<void()> Change;

  // The selected drive ("C:"); empty when none is.
  std::wstring Drive() const;
  // Selects the drive of `drive_or_path`; a drive that is not listed changes nothing.
  void SetDrive(std::wstring_view drive_or_path);
  // The user picked the entry at `index`.
  void SetListIndex(int index);

 private:
  std::vector<std::wstring> drives_;
};

}  // namespace veilpix
