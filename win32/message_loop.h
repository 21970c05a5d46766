#pragma once
// The one message loop of Veilpix's one thread. It waits for the registry watch's event beside
// the messages: a thread of its own for the watch would cost more memory than everything else.

#include <windows.h>

namespace veilpix {

// An event the loop waits for beside the messages, and what runs each time it is set; null
// stops the watch.
void WatchEvent(HANDLE event, void (*set)());

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop();

// Shows `window` over the program's other windows, which it disables, and returns once it is
// destroyed. The disabled windows still get their timer ticks and tray notifications. A WM_QUIT
// that comes meanwhile is left for the outer loop.
void RunModal(HWND window);

}  // namespace veilpix
