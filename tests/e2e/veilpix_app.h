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
  // Runs Veilpix (the exe this tree built when no command line is given) and waits until it
  // idles with its icon in the tray.
  bool Start(std::wstring command_line = {});
  DWORD WaitForExit() const;  // the exit code; STILL_ACTIVE while it runs on

  HWND form1() const { return form1_; }
  DWORD process_id() const { return process_.dwProcessId; }
  std::wstring Caption() const;  // Command1's: the picture-display state

  // Where the tray shows the image of the current state; nothing if it shows it nowhere.
  std::optional<POINT> TrayIcon() const;
  bool ClickTrayIcon(bool right = false);
  // Opens the tray menu with a right click, saves a screenshot while it is open when named,
  // then presses `keys` and Return.
  bool PickMenuItem(std::initializer_list<WORD> keys, const wchar_t* screenshot = nullptr);
  // Picks the item that opens the window of `window_class`; null when it does not show.
  HWND OpenFromMenu(std::initializer_list<WORD> keys, const wchar_t* window_class);

 private:
  PROCESS_INFORMATION process_{};
  HWND form1_ = nullptr;
  int tray_clicks_ = 0;
};

// The real pointer, moved (and its buttons pressed or released) through the system's input queue.
void MovePointer(POINT to, DWORD buttons = 0);
void ClickAt(POINT at, bool right = false);
POINT CentreOf(HWND hwnd);
// How many pixels of the window's place on the screen show `colour`.
int PixelsShowing(HWND hwnd, COLORREF colour);
std::wstring TextOf(HWND hwnd);

// Saves the whole screen into the build tree's artefacts folder as `name`.bmp.
void SaveScreenshot(const wchar_t* name);

}  // namespace veilpix::testing
