#include "tests/win32/wine_helpers.h"

#include <shellapi.h>

namespace veilpix::testing {
namespace {

BOOL NotifyShell(DWORD action, HWND hwnd, UINT id) {
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = hwnd;
  icon.uID = id;
  return Shell_NotifyIconW(action, &icon);
}

struct WindowSearch {
  DWORD process_id;
  const wchar_t* class_name;
  bool visible_only;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  wchar_t name[64];
  if ((search->process_id == 0 || owner == search->process_id) &&
      (!search->visible_only || IsWindowVisible(hwnd)) && GetClassNameW(hwnd, name, 64) &&
      wcscmp(name, search->class_name) == 0) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::wstring ReadUserString(const wchar_t* key, const wchar_t* name) {
  wchar_t data[16384];
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS) {
    return L"<absent>";
  }
  return data;
}

void WriteUserString(const wchar_t* key, const wchar_t* name, const wchar_t* text) {
  HKEY handle;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
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
  WindowSearch search{process_id, class_name, visible_only, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (!done()) {
    if (GetTickCount64() > deadline) return false;
    Sleep(10);
  }
  return true;
}

}  // namespace veilpix::testing
