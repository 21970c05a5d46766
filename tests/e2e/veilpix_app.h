#pragma once
// The programs of the download run from outside, and Veilpix driven the way the shell and the
// user drive it: the real mouse on its tray icon in Wine's notification area, its menu picked
// with the keys.

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>

#include "tests/win32/wine_helpers.h"

namespace veilpix::testing {

inline constexpr wchar_t kVeilpixKey[] = L"Software\\Veilpix";
inline constexpr wchar_t kSettingsKey[] = L"Software\\Veilpix\\General";

// A path of the build tree as Wine's drive Z: shows it.
std::wstring WinePath(const char* unix_path);

// Internet Explorer's picture setting: "yes", "no" or "<absent>".
std::wstring Pictures();
void WritePictures(const wchar_t* text);

class Program {
 public:
  Program() = default;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();  // ends it if it still runs, and takes its tray icon away

  bool Run(std::wstring command_line);
  // Runs Veilpix.exe with `arguments` and waits for its exit code.
  static DWORD RunVeilpix(const wchar_t* arguments);
  // Runs Veilpix and waits until it idles with its icon in the tray.
  bool Start(std::wstring command_line = {});
  // The exit code; STILL_ACTIVE while it runs on.
  DWORD WaitForExit(DWORD timeout_ms = 30000) const;

  HWND form1() const { return form1_; }
  DWORD process_id() const { return process_.dwProcessId; }
  std::wstring Caption() const;  // the button's: the picture-display state

  // Where the tray shows the image of the current state; nothing if it shows it nowhere.
  std::optional<POINT> TrayIcon() const;
  bool ClickTrayIcon(bool right = false);
  // The tray menu, opened with a right click; null when it does not show.
  HWND OpenMenu();
  // Presses `keys` and Return in an open menu.
  static bool Pick(HWND menu, std::initializer_list<WORD> keys);
  bool PickMenuItem(std::initializer_list<WORD> keys) { return Pick(OpenMenu(), keys); }
  // Picks the item that opens the window of `window_class`; null when it does not show.
  HWND OpenFromMenu(std::initializer_list<WORD> keys, const wchar_t* window_class);
  // The message box Veilpix shows; null when none shows.
  HWND MessageBox() const;

 private:
  PROCESS_INFORMATION process_{};
  HWND form1_ = nullptr;
};

// The real pointer, moved (and its buttons pressed or released) through the system's input queue.
void MovePointer(POINT to, DWORD buttons = 0);
void ClickAt(POINT at, bool right = false);
POINT CentreOf(HWND hwnd);
// How many pixels of the window's place on the screen show `colour`; within `columns` of its
// left edge when given.
int PixelsShowing(HWND hwnd, COLORREF colour, int columns = 0);
std::wstring TextOf(HWND hwnd);
// A message box shows its icon as a picture among its children.
bool ShowsIcon(HWND box);

// Saves the whole screen into the build tree's artefacts folder as `name`.bmp.
void SaveScreenshot(const wchar_t* name);

}  // namespace veilpix::testing
