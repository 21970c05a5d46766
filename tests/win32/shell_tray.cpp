#include "tests/win32/shell_tray.h"

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

}  // namespace

bool TrayIconShown(HWND hwnd, UINT id) {
  // A modify that changes nothing succeeds exactly when the icon is there.
  return NotifyShell(NIM_MODIFY, hwnd, id) != FALSE;
}

void RemoveTrayIcon(HWND hwnd, UINT id) {
  NotifyShell(NIM_DELETE, hwnd, id);
}

}  // namespace veilpix::testing
