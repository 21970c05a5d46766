#include "platform/win32/control_mirrors.h"

#include <string>

namespace veilpix {

void WindowMirror::ShowCaption(std::wstring_view caption) {
  const std::wstring text(caption);
  SetWindowTextW(hwnd_, text.c_str());
}

void WindowMirror::ShowChecked(bool checked) {
  SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MenuItemMirror::ShowChecked(bool checked) {
  CheckMenuItem(menu_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MenuItemMirror::ShowEnabled(bool enabled) {
  EnableMenuItem(menu_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

COLORREF ResolveColor(OleColor color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color);
}

}  // namespace veilpix
