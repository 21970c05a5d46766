#include "platform/file_list.h"

#include "platform/paths.h"

namespace veilpix {

FileList::FileList(FileSystem& file_system, std::wstring_view pattern)
    : file_system_(file_system), pattern_(pattern) {
  SetPath(file_system_.CurrentDirectory());
}

void FileList::SetPath(std::wstring_view path) {
  path_ = path;
  std::vector<std::wstring> names = file_system_.Files(path_, pattern_);
  SortNames(names);
  std::vector<ListItem> items;
  for (std::wstring& name : names) items.push_back({std::move(name)});
  Fill(std::move(items), -1);
}

std::wstring FileList::List(int index) const {
  if (index < 0 || index >= ListCount()) return {};
  return Items()[index].text;
}

}  // namespace veilpix
