#pragma once
// The real Veilpix.exe, started and driven from outside the way the shell and the user drive it.

#include <windows.h>

#include <functional>
#include <string>

namespace veilpix::testing {

// The first top-level window of `class_name` in process `process_id` (0: any process), or null.
HWND FindTopLevelWindow(DWORD process_id, const wchar_t* class_name, bool visible_only = false);

// True while the shell knows a tray icon of `hwnd` with id 1.
bool ShellHasTrayIcon(HWND hwnd);
// Drops that icon from the notification area, as an Explorer restart does.
bool ShellDropTrayIcon(HWND hwnd);

// Polls `done` every 20 ms until it holds or `timeout_ms` has passed.
bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms = 5000);

class VeilpixApp {
 public:
  VeilpixApp() = default;
  VeilpixApp(const VeilpixApp&) = delete;
  VeilpixApp& operator=(const VeilpixApp&) = delete;
  ~VeilpixApp();  // ends a copy that is still running

  // Starts Veilpix.exe (from `exe`, or the one this build made) and waits for its main window.
  bool Start(const std::wstring& exe = {});
  HWND form1() const { return form1_; }
  HWND command1() const;
  DWORD process_id() const { return process_.dwProcessId; }

  std::wstring Caption() const;  // Command1's caption: the picture-display state
  bool Visible() const { return IsWindowVisible(form1_) != FALSE; }
  bool Topmost() const { return (GetWindowLongW(form1_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

  // A notification for the tray icon, as the shell sends it.
  void PostTray(UINT mouse_message) const;
  void PostMenuCommand(int id) const;
  bool TrayIconPresent() const { return ShellHasTrayIcon(form1_); }

  bool WaitForExit(DWORD timeout_ms = 5000) const;
  DWORD ExitCode() const;

  static std::wstring BuiltExe();

 private:
  PROCESS_INFORMATION process_{};
  HWND form1_ = nullptr;
};

// The IE picture setting and Veilpix's stored settings, read and written directly.
std::wstring ReadPictures();  // "<absent>" when there is no value
void WritePictures(const wchar_t* text);
void DeleteVeilpixSettings();
std::wstring ReadSetting(const wchar_t* key);  // "<absent>" when not stored
void WriteSetting(const wchar_t* key, const wchar_t* text);

// Saves the whole screen as a BMP into the build tree's artefacts folder; returns its path.
std::wstring SaveScreenshot(const wchar_t* name);

}  // namespace veilpix::testing
