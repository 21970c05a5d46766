#pragma once
// Mirrors that carry a control's state into a real window or menu item.

#include <windows.h>

#include "platform/controls.h"

namespace veilpix {

// A child window: button, label, check box.
class WindowMirror final : public ControlMirror {
 public:
  explicit WindowMirror(HWND hwnd) : hwnd_(hwnd) {}
  void ShowCaption(std::wstring_view caption) override;
  void ShowEnabled(bool enabled) override { EnableWindow(hwnd_, enabled); }
  void ShowVisible(bool visible) override { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }
  // Check boxes show their value; other windows ignore the message.
  void ShowChecked(bool checked) override;
  // Labels draw in their colour when their parent answers WM_CTLCOLORSTATIC.
  void ShowForeColor(OleColor) override { InvalidateRect(hwnd_, nullptr, TRUE); }

 private:
  HWND hwnd_;
};

class MenuItemMirror final : public ControlMirror {
 public:
  MenuItemMirror(HMENU menu, UINT id) : menu_(menu), id_(id) {}
  void ShowChecked(bool checked) override;
  void ShowEnabled(bool enabled) override;

 private:
  HMENU menu_;
  UINT id_;
};

// A top-level menu: visible means shown as the window's menu bar.
class MenuBarMirror final : public ControlMirror {
 public:
  MenuBarMirror(HWND owner, HMENU bar) : owner_(owner), bar_(bar) {}
  void ShowVisible(bool visible) override { SetMenu(owner_, visible ? bar_ : nullptr); }

 private:
  HWND owner_;
  HMENU bar_;
};

// The RGB value a colour stands for, system colours resolved.
COLORREF ResolveColor(OleColor color);

}  // namespace veilpix
