#include "platform/win32/message_loop.h"

#include <vector>

namespace veilpix {
namespace {

struct Watch {
  HANDLE event = nullptr;
  std::function<void()> set;
};

// The GUI thread's: its loops, the main one and the modal ones inside it, share it.
Watch& CurrentWatch() {
  static Watch watch;
  return watch;
}

// The next message, once one has come, running the watch whenever its event is set first. False
// at WM_QUIT.
bool NextMessage(MSG& message) {
  while (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    const Watch& watch = CurrentWatch();
    const DWORD events = watch.event ? 1 : 0;
    if (MsgWaitForMultipleObjectsEx(events, &watch.event, INFINITE, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0 &&
        events) {
      watch.set();
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
BOOL CALLBACK CollectEnabledWindow(HWND hwnd, LPARAM param) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
  if (instance == GetModuleHandleW(nullptr) && IsWindowEnabled(hwnd))
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

}  // namespace

int RunMessageLoop() {
  MSG message;
  while (NextMessage(message)) Dispatch(message);
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
    if (!NextMessage(message)) {
      PostQuitMessage(static_cast<int>(message.wParam));  // leave it for the outer loop
      break;
    }
    Dispatch(message);
  }
  for (HWND hwnd : disabled) {
    if (hwnd != dialog && IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  }
}

void RunPending() {
  MSG message;
  for (;;) {
    const Watch& watch = CurrentWatch();
    if (watch.event && WaitForSingleObject(watch.event, 0) == WAIT_OBJECT_0) watch.set();
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // leave it for the loop
      return;
    }
    Dispatch(message);
  }
}

void WatchEvent(HANDLE event, std::function<void()> set) {
  CurrentWatch() = {event, std::move(set)};
}

}  // namespace veilpix
