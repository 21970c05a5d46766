#include "platform/win32/folder_tree_drawing.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/win32/fonts.h"

namespace veilpix {
namespace {

// The shell's small folder icon, open or closed, without touching any real folder.
HICON SmallFolderIcon(bool open) {
  SHFILEINFOW info{};
  const UINT flags =
      SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
  return SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags) ? info.hIcon
                                                                                        : nullptr;
}

}  // namespace

FolderTreeDrawing::FolderTreeDrawing(int dpi)
    : open_folder_(SmallFolderIcon(true)),
      closed_folder_(SmallFolderIcon(false)),
      icon_size_(GetSystemMetrics(SM_CXSMICON)),
      indent_(MulDiv(8, dpi, 96)),
      gap_(MulDiv(3, dpi, 96)) {}

FolderTreeDrawing::~FolderTreeDrawing() {
  if (open_folder_) DestroyIcon(open_folder_);
  if (closed_folder_) DestroyIcon(closed_folder_);
}

int FolderTreeDrawing::ItemHeight(HFONT font) const {
  return std::max<int>(TextExtent(font, L"X", 1).cy, icon_size_) + 2;
}

void FolderTreeDrawing::Draw(const DRAWITEMSTRUCT& draw, const ListItem& item) const {
  HDC dc = draw.hDC;
  const RECT& row = draw.rcItem;
  FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));

  int x = row.left + gap_ + item.indent * indent_;
  if (HICON icon = item.open ? open_folder_ : closed_folder_) {
    DrawIconEx(dc, x, row.top + (row.bottom - row.top - icon_size_) / 2, icon, icon_size_,
               icon_size_, 0, nullptr, DI_NORMAL);
  }
  x += icon_size_ + gap_;

  // Only the name is highlighted, as in the classic directory list.
  const SIZE extent = TextExtent(static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT)),
                                 item.text.c_str(), static_cast<int>(item.text.size()));
  const RECT name{x, row.top, std::min<LONG>(x + extent.cx + 2 * gap_, row.right), row.bottom};
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  if (selected) FillRect(dc, &name, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT text = name;
  text.left += gap_;
  DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (draw.itemState & ODS_FOCUS) DrawFocusRect(dc, &name);
}

}  // namespace veilpix
