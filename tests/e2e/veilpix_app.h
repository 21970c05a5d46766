#pragma once
// The programs of the download run from outside, and Veilpix driven the way the shell and the
// user drive it: the real mouse on its tray icon in Wine's notification area and on its menu's
// items, what it shows read from the screen's pixels.

#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>
#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/win32/wine_helpers.h"

// `condition` comes to hold within WaitUntil's usual wait.
#define EXPECT_SOON(condition) EXPECT_TRUE(WaitUntil([&] { return (condition); })) << #condition
#define ASSERT_SOON(condition) ASSERT_TRUE(WaitUntil([&] { return (condition); })) << #condition

namespace veilpix::testing {

inline constexpr wchar_t kVeilpixKey[] = L"Software\\Veilpix";
inline constexpr wchar_t kSettingsKey[] = L"Software\\Veilpix\\General";
inline constexpr wchar_t kIeMainKey[] = L"Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr wchar_t kPictures[] = L"Display Inline Images";
inline constexpr wchar_t kWineBrowserKey[] = L"Software\\Wine\\WineBrowser";
// The tray menu's items, top down.
enum MenuItem { kToggle, kChange, kStart, kPosition, kAbout, kEnd };

// A path of the build tree as Wine's drive Z: shows it.
inline std::wstring WinePath(const std::string& unix_path) {
  return L"Z:" + std::filesystem::path(unix_path).make_preferred().wstring();
}

inline const HDC kScreen = GetDC(nullptr);  // kept to the end of the run
inline int ScreenDpi() {
  return GetDeviceCaps(kScreen, LOGPIXELSX);
}

// The pixels of `area` on the screen, or of `icon` drawn on black or white, row by row from the
// top, as COLORREF values (without the alpha an icon may leave).
inline std::vector<DWORD> Pixels(const RECT& area, HICON icon = nullptr, bool white = false) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  BITMAPINFO info{{sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  SelectObject(memory, bitmap);
  PatBlt(memory, 0, 0, width, height, white ? WHITENESS : BLACKNESS);
  if (icon) DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  if (!icon) BitBlt(memory, 0, 0, width, height, kScreen, area.left, area.top, SRCCOPY);
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + width * height);
  for (DWORD& pixel : pixels) pixel = RGB(GetBValue(pixel), GetGValue(pixel), GetRValue(pixel));
  DeleteDC(memory);
  DeleteObject(bitmap);
  return pixels;
}

inline RECT RectOf(HWND hwnd) {
  RECT rect{};  // empty once the window is gone
  GetWindowRect(hwnd, &rect);
  return rect;
}
inline POINT CentreOf(HWND hwnd) {
  const RECT rect = RectOf(hwnd);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
// How many pixels of the window's place on the screen show the system colour `index`.
inline int PixelsShowing(HWND hwnd, int index) {
  const std::vector<DWORD> pixels = Pixels(RectOf(hwnd));
  return std::count(pixels.begin(), pixels.end(), GetSysColor(index));
}
// A pop-up menu's items top down as its pixels show them: each "+" or "-" for a check mark in
// its left margin or none, then "a" for text in the menu's text colour or "g" for greyed text. An
// item is a band of rows with text in them; `middles` gets the screen row through each.
inline std::string MenuMarks(HWND menu, std::vector<LONG>* middles = nullptr) {
  const RECT rect = RectOf(menu);
  const int width = rect.right - rect.left, margin = GetSystemMetrics(SM_CXMENUCHECK);
  const std::vector<DWORD> pixels = Pixels(rect);
  // Wine greys an item's text in this grey, whatever the system colours.
  const DWORD text = GetSysColor(COLOR_MENUTEXT), grey = RGB(128, 128, 128);
  const DWORD background = GetSysColor(COLOR_MENU);
  std::string marks;
  bool checked = false, active = false;
  LONG top = -1;  // of the item whose rows these are; -1 between items
  for (LONG row = 0; row * width < LONG(pixels.size()); ++row) {
    bool text_row = false, marked = false;
    for (int x = 1; x < width; ++x) {  // inside the menu's one-pixel border
      const DWORD pixel = pixels[row * width + x];
      if (x < margin) marked |= pixel != background;
      if (x >= margin && (pixel == text || pixel == grey)) text_row = true;
      active |= x >= margin && pixel == text;
    }
    checked |= text_row && marked;
    if (text_row && top < 0) top = row;
    if (text_row || top < 0) continue;
    marks += std::string(checked ? "+" : "-") + (active ? "a " : "g ");
    if (middles) middles->push_back(rect.top + (top + row) / 2);
    checked = active = false;
    top = -1;
  }
  return marks;
}
inline std::wstring TextOf(HWND hwnd) {
  wchar_t text[256] = L"";
  GetWindowTextW(hwnd, text, 256);
  return text;
}

// Sets who may do what with `key` (made where it is missing), as a security descriptor's text
// gives it.
inline void SetKeyAccess(const wchar_t* key, const wchar_t* access) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorW(access, SDDL_REVISION_1, &descriptor,
                                                       nullptr);
  HKEY handle = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, WRITE_DAC, nullptr, &handle, nullptr);
  RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, descriptor);
  RegCloseKey(handle);
  LocalFree(descriptor);
}

// The real pointer, moved (and its buttons pressed or released) through the system's input
// queue. Each event carries where it happens: Wine may still move the pointer back to where it
// was for a moment, but a press never lands there.
inline void MovePointer(POINT to, DWORD buttons = 0) {
  INPUT input{INPUT_MOUSE, {}};
  input.mi.dx = MulDiv(to.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(to.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}
// Waits until `done` holds with the pointer resting at `at`. Wine may move it back to where it was
// for a moment, over what then takes the mouse; so it is moved at each look, to one of two pixels
// side by side: moved to where it is, it would not move.
inline bool WaitWithPointerAt(POINT at, const std::function<bool()>& done) {
  int look = 0;
  return WaitUntil([&] { return MovePointer({at.x + ++look % 2, at.y}), done(); });
}
// There, then the button pressed, then the same button released.
inline void ClickAt(POINT at, bool right = false) {
  const DWORD down = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  for (const DWORD buttons : {DWORD{0}, down, down << 1}) MovePointer(at, buttons);
}

// Saves the whole screen as artefacts/`name`.bmp in the build tree, the name followed by the
// screen's dots per inch where they are not 96 ("about-144dpi").
inline void SaveScreenshot(std::wstring name) {
  if (ScreenDpi() != 96) name += L"-" + std::to_wstring(ScreenDpi()) + L"dpi";
  const RECT screen = RectOf(GetDesktopWindow());
  // Under emulation a window takes long to paint: the screen is saved once it holds still.
  std::vector<DWORD> pixels, before;
  for (int i = 0; i < 20 && (pixels = Pixels(screen)) != before; ++i) {
    before = pixels;
    Sleep(250);
  }
  // A BMP keeps blue in the low byte.
  for (DWORD& pixel : pixels) pixel = RGB(GetBValue(pixel), GetGValue(pixel), GetRValue(pixel));
  BITMAPINFOHEADER info{sizeof info, screen.right, -screen.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  // The two headers take 14 and 40 bytes.
  const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(54 + pixels.size() * 4), 0, 0, 54};
  const std::wstring folder = WinePath(VEILPIX_EXE "/../artefacts");  // beside the exe
  CreateDirectoryW(folder.c_str(), nullptr);
  std::ofstream out((folder + L"\\" + name + L".bmp").c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(pixels.data()), pixels.size() * 4);
}

// A program of the download, run from outside; Veilpix driven through its tray icon and menu.
class Program {
 public:
  ~Program() {  // ends it if it still runs, and takes its tray icon away
    if (process_.hProcess && WaitForExit(0) == STILL_ACTIVE) {
      RemoveTrayIcon(tray_, 1);  // a stale icon would take the place of the next one
      TerminateProcess(process_.hProcess, 99);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }

  static std::wstring Veilpix(const wchar_t* arguments = L"") {
    return L"\"" + WinePath(VEILPIX_EXE) + L"\" " + arguments;
  }
  // Runs `command_line` and waits for its exit code; ~0 when it does not start.
  static DWORD ExitCode(const std::wstring& command_line) {
    Program program;
    return program.Run(command_line) ? program.WaitForExit() : ~0u;
  }
  bool Run(std::wstring command_line) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process_);
  }
  // Runs Veilpix and waits until it idles with its icon in the tray.
  bool Start(const std::wstring& command_line = Veilpix()) { return Run(command_line) && InTray(); }
  // Waits until the Veilpix running idles with its icon in the tray.
  bool InTray() {
    const auto in_tray = [&] {
      tray_ = FindTopLevelWindow(process_.dwProcessId, L"VeilpixTray");
      return tray_ && TrayIconShown(tray_, 1);
    };
    // The icon is added in the middle of start-up; the rest is done once the program idles.
    return WaitUntil(in_tray, 15000) && WaitForInputIdle(process_.hProcess, 10000) == 0 &&
           SendMessageTimeoutW(tray_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr);
  }
  // The exit code; STILL_ACTIVE while it runs on.
  DWORD WaitForExit(DWORD timeout_ms = 30000) const {
    DWORD code = STILL_ACTIVE;
    WaitForSingleObject(process_.hProcess, timeout_ms);
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

  const PROCESS_INFORMATION& process() const { return process_; }
  HWND tray() const { return tray_; }
  std::wstring Caption() const { return TextOf(GetDlgItem(tray_, IDC_MAIN_BUTTON)); }
  // Its visible top-level window of `window_class` (any program's unless `own`), once it shows.
  HWND Shown(const wchar_t* window_class, bool own = true) const {
    const DWORD id = own ? process_.dwProcessId : 0;
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindTopLevelWindow(id, window_class, true)) != nullptr; });
    return window;
  }

  // Where the tray shows the image of the state the caption shows, found by its pixels.
  std::optional<POINT> TrayIcon() const {
    const int size = GetSystemMetrics(SM_CXSMICON);
    const int id = Caption() == L"表示" ? IDI_SHOWN : IDI_HIDDEN;
    HICON icon = nullptr;  // the small image, as the tray takes it from the exe
    ExtractIconExW(WinePath(VEILPIX_EXE).c_str(), -id, nullptr, &icon, 1);
    // The icon's opaque pixels are those that look the same on black and on white.
    const std::vector<DWORD> black = Pixels({0, 0, size, size}, icon);
    const std::vector<DWORD> white = Pixels({0, 0, size, size}, icon, true);
    DestroyIcon(icon);
    const RECT tray = RectOf(FindWindowW(L"Shell_TrayWnd", nullptr));
    const int width = tray.right - tray.left;
    std::optional<POINT> at;
    WaitUntil([&] {
      const std::vector<DWORD> screen = Pixels(tray);
      for (int y = 0; !at && y + size <= tray.bottom - tray.top; ++y) {
        for (int x = 0; !at && x + size <= width; ++x) {
          int i = 0;
          while (i < size * size && (black[i] != white[i] ||
                                     screen[(y + i / size) * width + x + i % size] == black[i]))
            ++i;
          if (i == size * size) at = POINT{tray.left + x + size / 2, tray.top + y + size / 2};
        }
      }
      return at.has_value();
    });
    return at;
  }
  bool ClickTrayIcon(bool right = false) {
    const std::optional<POINT> at = TrayIcon();
    // Clicks on alternate sides of the icon, so that no two make a double-click, also where one
    // program's last click and the next one's first follow each other. A test process's first
    // click waits out the double-click time: the process before may have clicked there just now.
    static int clicks = 0;
    if (at && !clicks++) Sleep(GetDoubleClickTime());
    if (at) ClickAt({at->x + (clicks % 2 ? -3 : 3), at->y}, right);
    return at.has_value();
  }
  // Picks `item` in the menu a right click opens, with a click on it once the menu is drawn (keys
  // would race with the pointer's moves; a click says where it lands), and returns what its items
  // showed then (see MenuMarks); "" when the menu or the pick did not happen. The items are read
  // with the pointer in the menu's top margin, on no item, so none shows highlighted, also where
  // the menu opened under the pointer; the menu is drawn once all show, alike at two looks in a
  // row (on a busy machine they may still be coming). `screenshot` names a capture taken then.
  std::string Pick(MenuItem item, const wchar_t* screenshot = nullptr) {
    const HWND menu = ClickTrayIcon(true) ? Shown(L"#32768") : nullptr;
    std::string marks, before;
    std::vector<LONG> middles;
    const auto drawn = [&] {
      middles.clear();
      before = std::exchange(marks, MenuMarks(menu, &middles));
      return middles.size() == kEnd + 1 && marks == before;
    };
    if (!menu || !WaitWithPointerAt({RectOf(menu).left + 1, RectOf(menu).top + 1}, drawn))
      return "";
    if (screenshot) SaveScreenshot(screenshot);
    ClickAt({CentreOf(menu).x, middles[item]});
    return WaitUntil([&] { return !IsWindowVisible(menu); }) ? marks : "";
  }
  // The window of `window_class` that picking `item` opens; null when it does not show.
  HWND Open(MenuItem item, const wchar_t* window_class) {
    return Pick(item).empty() ? nullptr : Shown(window_class);
  }

 private:
  PROCESS_INFORMATION process_{};
  HWND tray_ = nullptr;
};

}  // namespace veilpix::testing
