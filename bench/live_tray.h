#pragma once
// Veilpix's real tray window in the benchmark's own process, so that a refresh can be timed
// without a message crossing processes: made as the program starts it (tray icon, options
// applied, timer, registry watch) from stored options for direct switching (a switch writes the
// setting itself) by a left click (the window stays hidden).

#include <windows.h>

#include "resources/resource.h"
#include "tests/win32/wine_helpers.h"
#include "win32/message_loop.h"
#include "win32/tray_window.h"

namespace veilpix::testing {

inline constexpr wchar_t kOptionsKey[] = L"Software\\Veilpix\\General";

// Null when it could not be made.
inline HWND StartLiveTray() {
  DeleteUserKey(L"Software\\Veilpix");
  WriteUserString(kOptionsKey, L"Toggle", L"0");
  WriteUserString(kOptionsKey, L"Change", L"1");
  return CreateTrayWindow(GetModuleHandleW(nullptr));
}

// Ends Veilpix as its menu does, drops the WM_QUIT that leaves behind, erases the options.
inline void EndLiveTray(HWND tray) {
  SendMessageW(tray, WM_COMMAND, IDM_END, 0);
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  DeleteUserKey(L"Software\\Veilpix");
}

// Runs Veilpix's own message loop for about `ms` milliseconds: what was posted meanwhile, timer
// ticks, the registry watch.
inline void PumpMessages(UINT ms) {
  SetTimer(nullptr, 0, ms, [](HWND, UINT, UINT_PTR timer, DWORD) CALLBACK {
    KillTimer(nullptr, timer);
    PostQuitMessage(0);
  });
  RunMessageLoop();
}

}  // namespace veilpix::testing
