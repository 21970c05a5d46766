#pragma once
// The About window: name and version, the support and bug-report links, and the picture that
// erases every stored option and ends Veilpix.

#include <windows.h>

#include "core/veilpix.h"

namespace veilpix {

// Shows it centred on the screen above `owner` and returns once it has closed.
void ShowAboutWindow(HINSTANCE instance, HWND owner, Veilpix& veilpix);
// Closes it, if it is open, as its OK button does.
void CloseAboutWindow();

}  // namespace veilpix
