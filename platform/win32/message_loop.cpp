#include "platform/win32/message_loop.h"

#include <vector>

namespace veilpix {
namespace {

// Tab, Enter and Esc work in whichever of the program's windows is active.
void Dispatch(MSG& message) {
  HWND active = GetActiveWindow();
  if (active && IsDialogMessageW(active, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

// Only the program's own windows: the thread's IME windows must stay usable.
BOOL CALLBACK CollectEnabledWindow(HWND hwnd, LPARAM param) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
  if (instance == GetModuleHandleW(nullptr) && IsWindowEnabled(hwnd))
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

}  // namespace

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return static_cast<int>(message.wParam);
}

void RunModal(HWND dialog) {
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow,
                    reinterpret_cast<LPARAM>(&disabled));
  for (HWND hwnd : disabled) {
    if (hwnd != dialog) EnableWindow(hwnd, FALSE);
  }
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  MSG message;
  while (IsWindow(dialog)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // leave it for the outer loop
      break;
    }
    Dispatch(message);
  }
  for (HWND hwnd : disabled) {
    if (hwnd != dialog && IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  }
}

}  // namespace veilpix
