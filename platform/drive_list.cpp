#include "platform/drive_list.h"

#include <algorithm>

#include "platform/paths.h"

namespace veilpix {
namespace {

int IndexOfDrive(const std::vector<std::wstring>& drives, std::wstring_view drive_or_path) {
  const std::wstring drive = DriveOf(drive_or_path);
  const auto found = std::find_if(drives.begin(), drives.end(),
                                  [&](const std::wstring& d) { return DriveOf(d) == drive; });
  return drive.empty() || found == drives.end() ? -1 : static_cast<int>(found - drives.begin());
}

}  // namespace

DriveList::DriveList(FileSystem& file_system) : drives_(file_system.Drives()) {
  std::vector<ListItem> items;
  for (const std::wstring& drive : drives_) items.push_back({drive});
  Fill(std::move(items), IndexOfDrive(drives_, file_system.CurrentDirectory()));
}

std::wstring DriveList::Drive() const {
  return ListIndex() < 0 ? std::wstring() : drives_[ListIndex()];
}

void DriveList::SetDrive(std::wstring_view drive_or_path) {
  const int index = IndexOfDrive(drives_, drive_or_path);
  if (index >= 0) SetListIndex(index);
}

void DriveList::SetListIndex(int index) {
  const int before = ListIndex();
  Select(index);
  if (ListIndex() != before && Change) Change();
}

}  // namespace veilpix
