#pragma once
// What every Wine-side test and benchmark needs from outside the program under test: the
// per-user registry read and written directly, the shell's tray icons, a process's windows, and
// waiting for an event instead of sleeping.

#include <windows.h>

#include <functional>
#include <string>

namespace veilpix::testing {

// HKEY_CURRENT_USER text values; "<absent>" when there is no such REG_SZ value.
std::wstring ReadUserString(const wchar_t* key, const wchar_t* name);
void WriteUserString(const wchar_t* key, const wchar_t* name, const wchar_t* text);
bool UserKeyExists(const wchar_t* key);
void DeleteUserKey(const wchar_t* key);  // with everything below it

// True while the shell shows the tray icon `id` of `hwnd`.
bool TrayIconShown(HWND hwnd, UINT id);
// Takes that icon away, as an Explorer restart does or after its program was killed.
void RemoveTrayIcon(HWND hwnd, UINT id);

// The first top-level window of `class_name` in process `process_id` (0: any), or null.
HWND FindTopLevelWindow(DWORD process_id, const wchar_t* class_name, bool visible_only = false);

// Polls `done` every 10 ms until it holds or `timeout_ms` has passed.
bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms = 5000);

}  // namespace veilpix::testing
