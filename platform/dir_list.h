#pragma once
// The directory list: the opened directory with every directory above it, then its
// sub-directories. One entry is highlighted; opening one (a double-click) changes Path.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/list_control.h"

namespace veilpix {

class DirList : public ListControl {
 public:
  // Opens the current directory.
  explicit DirList(FileSystem& file_system);

  // Raised whenever Path changes.
  std::function<void()> Change;

  // The opened directory's full path.
  const std::wstring& Path() const { return path_; }
  // Opens `path`; a bare drive ("D:") opens that drive's current directory. Fails, changing
  // nothing, when the directory cannot be read (a removable drive without a medium).
  [[nodiscard]] bool SetPath(std::wstring_view path);

  // Highlights the entry at `index` without opening it.
  void SetListIndex(int index) { Select(index); }
  // The full path of the entry at `index`; empty outside the entries.
  std::wstring List(int index) const;
  // Opens the highlighted entry; false when it cannot be read any more.
  bool OpenListIndex();

 private:
  void Show(std::wstring_view path);

  FileSystem& file_system_;
  std::wstring path_;
  std::vector<std::wstring> entry_paths_;
};

}  // namespace veilpix
