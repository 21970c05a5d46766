#pragma once

#include <windows.h>

namespace veilpix {

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Shows `dialog` modally over the program's other windows and returns once it is destroyed.
// The windows it disables still receive their timer ticks and tray notifications.
void RunModal(HWND dialog);

}  // namespace veilpix
