#include "platform/win32/list_mirrors.h"

namespace veilpix {

void ListWindowMirror::ShowItems(const std::vector<ListItem>& items) {
  // One repaint for the whole list, not one per entry.
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd_, messages_.reset, 0, 0);
  for (const ListItem& item : items)
    SendMessageW(hwnd_, messages_.add, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListWindowMirror::ShowListIndex(int index) {
  SendMessageW(hwnd_, messages_.select, static_cast<WPARAM>(index), 0);
}

}  // namespace veilpix
