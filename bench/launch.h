#pragma once
// Starting, measuring and ending the programs the benchmarks measure, whose paths come on the
// command line.

#include <windows.h>

#include <string>
#include <vector>

namespace veilpix::bench {

// This program's command-line arguments after its own name.
std::vector<std::wstring> Arguments();

// Starts `exe` (a Windows path); false if it cannot start.
bool Launch(const std::wstring& exe, PROCESS_INFORMATION& process);

// The program's top-level windows, owned ones included.
std::vector<HWND> TopLevelWindows(DWORD process_id);

// True while the shell shows a tray icon (id 1) of one of the program's windows.
bool HasTrayIcon(DWORD process_id);

// Takes the program's tray icon away, so no dead icon stays in the shell, and ends it.
void End(PROCESS_INFORMATION& process);

// Committed private memory of `process` in bytes: what Windows reports as PrivateUsage, which
// Wine does not.
size_t PrivateBytes(HANDLE process);

}  // namespace veilpix::bench
