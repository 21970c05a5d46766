#pragma once

#include <windows.h>

#include <functional>

namespace veilpix {

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Shows `dialog` modally over the program's other windows and returns once it is destroyed.
// The windows it disables still receive their timer ticks and tray notifications.
void RunModal(HWND dialog);

// Runs what has come (messages, the watched event) and returns once nothing more is waiting.
void RunPending();

// An event the loops wait for beside the messages: `set` runs on this thread each time it is
// set. One at a time; a null event stops the watch.
void WatchEvent(HANDLE event, std::function<void()> set);

}  // namespace veilpix
