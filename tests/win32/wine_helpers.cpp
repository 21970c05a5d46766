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

// What `draw` paints into a bitmap of that size, row by row from the top, as COLORREF values.
std::vector<COLORREF> Drawn(int width, int height, const std::function<void(HDC)>& draw) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  draw(memory);
  GdiFlush();
  std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
  const auto* rgb = static_cast<const DWORD*>(bits);  // blue in the low byte
  for (size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = RGB(GetBValue(rgb[i]), GetGValue(rgb[i]), GetRValue(rgb[i]));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
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

std::vector<COLORREF> ScreenPixels(const RECT& area) {
  return Drawn(area.right - area.left, area.bottom - area.top, [&](HDC memory) {
    HDC screen = GetDC(nullptr);
    BitBlt(memory, 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left,
           area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  });
}

std::optional<POINT> FindTrayImage(HICON icon) {
  const int size = GetSystemMetrics(SM_CXSMICON);
  const auto drawn_on = [&](COLORREF background) {
    return Drawn(size, size, [&](HDC memory) {
      const RECT all{0, 0, size, size};
      SetDCBrushColor(memory, background);
      FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
      DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    });
  };
  // The icon's opaque pixels are those that look the same on black and on white.
  const std::vector<COLORREF> on_black = drawn_on(RGB(0, 0, 0));
  const std::vector<COLORREF> on_white = drawn_on(RGB(255, 255, 255));
  RECT tray{};
  GetWindowRect(FindWindowW(L"Shell_TrayWnd", nullptr), &tray);
  const int width = tray.right - tray.left;
  const std::vector<COLORREF> screen = ScreenPixels(tray);
  for (int y = 0; y + size <= tray.bottom - tray.top; ++y) {
    for (int x = 0; x + size <= width; ++x) {
      bool same = true;
      for (int i = 0; same && i < size * size; ++i) {
        same = on_black[i] != on_white[i] ||
               screen[(y + i / size) * width + x + i % size] == on_black[i];
      }
      if (same) return POINT{tray.left + x + size / 2, tray.top + y + size / 2};
    }
  }
  return std::nullopt;
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
