#include "win32/message_loop.h"

#include <vector>

namespace veilpix {
namespace {

HANDLE watched_event = nullptr;
void (*on_watched_event)() = nullptr;

// The next message, running the watch whenever its event is set first. False at WM_QUIT.
bool NextMessage(MSG& message) {
  while (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    const DWORD events = watched_event ? 1 : 0;
    if (MsgWaitForMultipleObjectsEx(events, &watched_event, INFINITE, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0 &&
        events) {
      on_watched_event();
    }
  }
  return message.message != WM_QUIT;
}

// Tab, Enter and Esc work in whichever of the program's windows is active.
void Dispatch(MSG& message) {
  HWND active = GetActiveWindow();
  if (active && IsDialogMessageW(active, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

// Only the program's own windows: the thread's IME windows must stay usable.
BOOL CALLBACK CollectEnabledWindow(HWND hwnd, LPARAM windows) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
  if (instance == GetModuleHandleW(nullptr) && IsWindowEnabled(hwnd))
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hwnd);
  return TRUE;
}

}  // namespace

void WatchEvent(HANDLE event, void (*set)()) {
  watched_event = event;
  on_watched_event = set;
}

int RunMessageLoop() {
  MSG message;
  while (NextMessage(message)) Dispatch(message);
  return static_cast<int>(message.wParam);
}

void RunModal(HWND window) {
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow,
                    reinterpret_cast<LPARAM>(&disabled));
  for (HWND hwnd : disabled) {
    if (hwnd != window) EnableWindow(hwnd, FALSE);
  }
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  MSG message;
  while (IsWindow(window)) {
    if (!NextMessage(message)) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    Dispatch(message);
  }
  for (HWND hwnd : disabled) {
    if (hwnd != window && IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  }
}

}  // namespace veilpix
