#pragma once
// The shell's tray icons, asked about and taken away from outside the program that added them.

#include <windows.h>

namespace veilpix::testing {

// True while the shell shows the tray icon `id` of `hwnd`.
bool TrayIconShown(HWND hwnd, UINT id);

// Takes that icon away, so no dead icon stays in the tray after its program is ended.
void RemoveTrayIcon(HWND hwnd, UINT id);

}  // namespace veilpix::testing
