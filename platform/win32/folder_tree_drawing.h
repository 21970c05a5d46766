#pragma once
// Draws the entries of a directory list as a tree: each one indented to its level behind an
// open or closed folder, as the classic directory list shows them.

#include <windows.h>

#include "platform/list_control.h"

namespace veilpix {

class FolderTreeDrawing {
 public:
  explicit FolderTreeDrawing(int dpi);
  ~FolderTreeDrawing();
  FolderTreeDrawing(const FolderTreeDrawing&) = delete;
  FolderTreeDrawing& operator=(const FolderTreeDrawing&) = delete;

  // The height of one entry for a list drawn in `font`.
  int ItemHeight(HFONT font) const;
  void Draw(const DRAWITEMSTRUCT& draw, const ListItem& item) const;

 private:
  HICON open_folder_ = nullptr;
  HICON closed_folder_ = nullptr;
  int icon_size_;
  int indent_;
  int gap_;
};

}  // namespace veilpix
