#pragma once
// The window class of each of Veilpix's forms, and the procedure that hands a form window's
// messages to its C++ object.

#include <windows.h>

namespace veilpix {

// Registers a form's window class: its own procedure and icon (large and small), the arrow
// cursor, the dialog face colour, and the dialog manager's extra bytes. True when the class is
// there to use, also when it was registered before.
bool RegisterFormClass(HINSTANCE instance, const wchar_t* class_name, WNDPROC procedure,
                       int icon_id);

// The window procedure of a form class whose windows are made with their `Window` object as the
// last argument of CreateWindowExW. The object's OnMessage answers the messages it handles and
// returns DefaultProc for the rest. From WM_NCDESTROY on, the object is no longer called.
template <typename Window>
LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return window ? window->OnMessage(hwnd, message, wparam, lparam)
                : DefDlgProcW(hwnd, message, wparam, lparam);
}

// What a form window does with a message it does not handle itself: the dialog manager gives
// it keyboard navigation, default and cancel buttons, and keeps the focus on a control.
inline LRESULT DefaultProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefDlgProcW(hwnd, message, wparam, lparam);
}

// The id of the window's control that has the keyboard focus; 0 when none has. Enter reaches a
// form as IDOK wherever the focus is, unless a default button takes it.
inline int FocusedControlId(HWND window) {
  HWND focus = GetFocus();
  return focus && IsChild(window, focus) ? GetDlgCtrlID(focus) : 0;
}

// What Enter does where no button is the default: presses the push button that has the focus,
// which then reports its click as a mouse click would. False when the focus is elsewhere.
inline bool PressFocusedButton(HWND window) {
  HWND focus = GetFocus();
  if (!focus || !IsChild(window, focus)) return false;
  const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, 0, 0);
  if (!(code & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON))) return false;
  SendMessageW(focus, BM_CLICK, 0, 0);
  return true;
}

}  // namespace veilpix
