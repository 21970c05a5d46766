#include "platform/dir_list.h"

#include "platform/paths.h"

namespace veilpix {

DirList::DirList(FileSystem& file_system) : file_system_(file_system) {
  Show(file_system_.CurrentDirectory());
}

bool DirList::SetPath(std::wstring_view path) {
  const bool bare_drive = path.size() == 2 && !DriveOf(path).empty();
  std::wstring full = bare_drive ? file_system_.DriveDirectory(path) : std::wstring(path);
  if (!file_system_.CanRead(full)) return false;
  const std::wstring before = path_;
  Show(full);
  if (path_ != before && Change) Change();
  return true;
}

std::wstring DirList::List(int index) const {
  if (index < 0 || index >= ListCount()) return {};
  return entry_paths_[index];
}

bool DirList::OpenListIndex() {
  return ListIndex() >= 0 && SetPath(List(ListIndex()));
}

void DirList::Show(std::wstring_view path) {
  entry_paths_ = PathChain(path);
  path_ = entry_paths_.empty() ? std::wstring(path) : entry_paths_.back();  // no trailing "\"
  std::vector<ListItem> items;
  int depth = 0;
  for (const std::wstring& entry : entry_paths_) {
    // The root shows whole ("C:\"); below it, each directory by its own name.
    const size_t name_start = depth == 0 ? 0 : entry.find_last_of(L'\\') + 1;
    items.push_back({entry.substr(name_start), depth++, true});
  }
  const int opened = static_cast<int>(items.size()) - 1;
  std::vector<std::wstring> names = file_system_.SubDirectories(path_);
  SortNames(names);
  for (const std::wstring& name : names) {
    entry_paths_.push_back(JoinPath(path_, name));
    items.push_back({name, depth, false});
  }
  Fill(std::move(items), opened);
}

}  // namespace veilpix
