#include "tests/e2e/veilpix_app.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <optional>
#include <vector>

#include "resources/resource.h"

namespace veilpix::testing {
namespace {

constexpr wchar_t kIeMainKey[] = L"Software\\Microsoft\\Internet Explorer\\Main";
constexpr wchar_t kPictures[] = L"Display Inline Images";

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

// The screen's pixels in `area`, row by row from the top, as COLORREF values.
std::vector<COLORREF> ScreenPixels(const RECT& area) {
  return Drawn(area.right - area.left, area.bottom - area.top, [&](HDC memory) {
    HDC screen = GetDC(nullptr);
    BitBlt(memory, 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left,
           area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  });
}

// The centre of the place where the shell's notification area shows `icon`, found by its
// pixels on the screen; nothing while it shows there nowhere.
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

}  // namespace

std::wstring WinePath(const char* unix_path) {
  std::wstring path = L"Z:";
  for (const char* c = unix_path; *c; ++c) path.push_back(*c == '/' ? L'\\' : *c);
  return path;
}

std::wstring Pictures() {
  return ReadUserString(kIeMainKey, kPictures);
}

void WritePictures(const wchar_t* text) {
  WriteUserString(kIeMainKey, kPictures, text);
}

Program::~Program() {
  if (!process_.hProcess) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    RemoveTrayIcon(form1_, 1);  // a stale icon would take the place of the next one
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
}

bool Program::Run(std::wstring command_line) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_);
}

bool Program::Start(std::wstring command_line) {
  if (!Run(command_line.empty() ? L"\"" + WinePath(VEILPIX_EXE) + L"\"" : command_line))
    return false;
  const bool shown = WaitUntil(
      [&] {
        form1_ = FindTopLevelWindow(process_.dwProcessId, L"VeilpixForm1");
        return form1_ && TrayIconShown(form1_, 1);
      },
      15000);
  // The icon is added in the middle of start-up; the rest is done once the program idles.
  DWORD_PTR result;
  return shown && WaitForInputIdle(process_.hProcess, 10000) == 0 &&
         SendMessageTimeoutW(form1_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
}

DWORD Program::WaitForExit(DWORD timeout_ms) const {
  DWORD code = STILL_ACTIVE;
  WaitForSingleObject(process_.hProcess, timeout_ms);
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::wstring Program::Caption() const {
  return TextOf(GetDlgItem(form1_, IDC_FORM1_COMMAND1));
}

std::optional<POINT> Program::TrayIcon() const {
  // The image of the state the button shows, loaded from the exe as Veilpix loads it.
  static const HMODULE exe =
      LoadLibraryExW(WinePath(VEILPIX_EXE).c_str(), nullptr,
                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  const int id = Caption() == L"表示" ? IDI_SHOWN : IDI_HIDDEN;
  const int size = GetSystemMetrics(SM_CXSMICON);
  const auto image =
      static_cast<HICON>(LoadImageW(exe, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_SHARED));
  std::optional<POINT> at;
  WaitUntil([&] { return (at = FindTrayImage(image)).has_value(); });
  return at;
}

bool Program::ClickTrayIcon(bool right) {
  std::optional<POINT> at = TrayIcon();
  if (!at) return false;
  // Clicks on alternate sides of the icon, so that no two make a double-click, also where one
  // program's last click and the next one's first follow each other.
  static int clicks = 0;
  at->x += ++clicks % 2 ? -3 : 3;
  ClickAt(*at, right);
  return true;
}

HWND Program::OpenMenu() {
  HWND menu = nullptr;
  if (ClickTrayIcon(true))
    WaitUntil([&] { return (menu = FindTopLevelWindow(process_id(), L"#32768", true)); });
  return menu;
}

bool Program::Pick(HWND menu, std::initializer_list<WORD> keys) {
  // Keys that come before the menu takes them are lost: Home until it shows an item highlighted.
  if (!menu || !WaitUntil([&] {
        PostMessageW(menu, WM_KEYDOWN, VK_HOME, 0);
        return PixelsShowing(menu, GetSysColor(COLOR_HIGHLIGHT)) > 0;
      })) {
    return false;
  }
  for (const WORD key : keys) PostMessageW(menu, WM_KEYDOWN, key, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  return WaitUntil([&] { return !IsWindowVisible(menu); });
}

HWND Program::OpenFromMenu(std::initializer_list<WORD> keys, const wchar_t* window_class) {
  HWND window = nullptr;
  if (PickMenuItem(keys)) {
    WaitUntil([&] { return (window = FindTopLevelWindow(process_id(), window_class, true)); });
  }
  return window;
}

HWND Program::MessageBox() const {
  HWND box = nullptr;
  WaitUntil([&] { return (box = FindTopLevelWindow(process_id(), L"#32770", true)); });
  return box;
}

DWORD Program::RunVeilpix(const wchar_t* arguments) {
  Program program;
  return program.Run(L"\"" + WinePath(VEILPIX_EXE) + L"\" " + arguments) ? program.WaitForExit()
                                                                         : ~0u;
}

// Each event carries where it happens: Wine may still move the pointer back to where it was
// for a moment, but a press never lands there.
void MovePointer(POINT to, DWORD buttons) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(to.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(to.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void ClickAt(POINT at, bool right) {
  const DWORD down = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  MovePointer(at);
  MovePointer(at, down);
  MovePointer(at, down << 1);  // the same button's release
}

POINT CentreOf(HWND hwnd) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

int PixelsShowing(HWND hwnd, COLORREF colour, int columns) {
  RECT rect{};  // empty once the window is gone
  GetWindowRect(hwnd, &rect);
  if (columns) rect.right = rect.left + columns;
  const std::vector<COLORREF> pixels = ScreenPixels(rect);
  return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

bool ShowsIcon(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child))
      return true;
  }
  return false;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[256] = L"";
  GetWindowTextW(hwnd, text, 256);
  return text;
}

void SaveScreenshot(const wchar_t* name) {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  // Under emulation a window takes long to paint: the screen is saved once it holds still.
  std::vector<COLORREF> pixels = ScreenPixels(screen);
  for (int i = 0; i < 20; ++i) {
    Sleep(250);
    std::vector<COLORREF> again = ScreenPixels(screen);
    if (again == pixels) break;
    pixels = std::move(again);
  }
  // A BMP keeps blue in the low byte.
  for (COLORREF& pixel : pixels) pixel = RGB(GetBValue(pixel), GetGValue(pixel), GetRValue(pixel));
  // 32 bits a pixel, the top row first.
  const BITMAPINFOHEADER info{
      sizeof(BITMAPINFOHEADER), screen.right, -screen.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info;
  const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(offset + pixels.size() * 4), 0, 0, offset};
  std::string folder = VEILPIX_EXE;
  folder = folder.substr(0, folder.rfind('/')) + "/artefacts";
  CreateDirectoryW(WinePath(folder.c_str()).c_str(), nullptr);
  std::ofstream out((WinePath((folder + "/").c_str()) + name + L".bmp").c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(pixels.data()), pixels.size() * 4);
}

}  // namespace veilpix::testing
