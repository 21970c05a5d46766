#include "tests/win32/wine_helpers.h"

#include <shellapi.h>

namespace veilpix::testing {

static BOOL NotifyShell(DWORD action, HWND hwnd, UINT id) {
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = hwnd;
  icon.uID = id;
  return Shell_NotifyIconW(action, &icon);
}

std::wstring ReadUserString(const wchar_t* key, const wchar_t* name) {
  wchar_t data[16384];
  DWORD size = sizeof data;
  return RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, data, &size)
             ? L"<absent>"
             : data;
}

// Makes the key when it is missing.
void WriteUserString(const wchar_t* key, const wchar_t* name, const wchar_t* text) {
  RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, text,
                  static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
}

bool UserKeyExists(const wchar_t* key) {
  HKEY handle;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

void DeleteUserKey(const wchar_t* key) {
  RegDeleteTreeW(HKEY_CURRENT_USER, key);
}

bool TrayIconShown(HWND hwnd, UINT id) {
  // A modify that changes nothing succeeds exactly when the icon is there.
  return NotifyShell(NIM_MODIFY, hwnd, id) != FALSE;
}

void RemoveTrayIcon(HWND hwnd, UINT id) {
  NotifyShell(NIM_DELETE, hwnd, id);
}

HWND FindTopLevelWindow(DWORD process_id, const wchar_t* class_name, bool visible_only) {
  for (HWND hwnd = nullptr; (hwnd = FindWindowExW(nullptr, hwnd, class_name, nullptr));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if ((!process_id || owner == process_id) && (!visible_only || IsWindowVisible(hwnd)))
      return hwnd;
  }
  return nullptr;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  for (const ULONGLONG deadline = GetTickCount64() + timeout_ms; !done(); Sleep(10))
    if (GetTickCount64() > deadline) return false;
  return true;
}

}  // namespace veilpix::testing
