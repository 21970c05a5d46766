#pragma once
// The tray resident's window: hidden (or small, topmost, with its one button), owner of the tray
// icon, the tray menu, the timer and the registry watch. Its procedure decodes messages into the
// model's events; it is also the world the model acts on.

#include <windows.h>

namespace veilpix {

// The installer finds a running Veilpix by this class name.
inline constexpr wchar_t kTrayWindowClass[] = L"VeilpixTray";
// The shell reports the tray icon's mouse messages in lParam of this message.
inline constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;
inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT_PTR kRefreshTimerId = 1;
inline constexpr UINT kRefreshMilliseconds = 2000;

// What another start of Veilpix posts to this one's window to bring it forward.
UINT ShowFromOutsideMessage();

// Creates the tray window and runs start-up: the tray icon is added, the stored options applied,
// the timer and the registry watch started. Null when no window could be made. Destroying the
// window ends the program (WM_QUIT is posted).
HWND CreateTrayWindow(HINSTANCE instance);

}  // namespace veilpix
