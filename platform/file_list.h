#pragma once
// The file list: the files of one directory that match a pattern, at most one selected.

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/list_control.h"

namespace veilpix {

class FileList : public ListControl {
 public:
  // Lists the current directory's files that match `pattern` ("*.exe").
  FileList(FileSystem& file_system, std::wstring_view pattern);

  const std::wstring& Path() const { return path_; }
  // Lists the files of `path`; nothing is selected afterwards.
  void SetPath(std::wstring_view path);

  void SetListIndex(int index) { Select(index); }
  // The file name (without directory) of the entry at `index`; empty for -1.
  std::wstring List(int index) const;

 private:
  FileSystem& file_system_;
  std::wstring pattern_;
  std::wstring path_;
};

}  // namespace veilpix
