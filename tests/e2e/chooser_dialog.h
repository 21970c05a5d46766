#pragma once
// Veilpix's chooser of the external program, found and driven from outside as a user drives
// it: picks in its lists, double-clicks, button clicks and keys.

#include <windows.h>

#include <string>
#include <vector>

namespace veilpix::testing {

class ChooserDialog {
 public:
  // Waits for the process's chooser to open; false when none does within five seconds.
  bool WaitOpen(DWORD process_id);
  // Waits for it to close; false when it is still open after five seconds.
  bool WaitClosed() const;
  HWND hwnd() const { return hwnd_; }
  bool IsOpen() const { return IsWindow(hwnd_) && IsWindowVisible(hwnd_); }

  std::wstring Caption() const;
  std::wstring Label() const;
  std::wstring Drive() const;                     // the drive list's selected entry
  std::vector<std::wstring> Directories() const;  // the directory list's entries
  std::wstring HighlightedDirectory() const;
  std::vector<std::wstring> Files() const;

  // Each returns false when the entry is not listed.
  bool PickDrive(const std::wstring& drive) const;
  bool HighlightDirectory(const std::wstring& name) const;
  bool OpenDirectory(const std::wstring& name) const;  // a double-click
  bool PickFile(const std::wstring& name) const;
  // Posted, not sent: OK may put up a message box and wait for it.
  void ClickOk() const;
  void ClickCancel() const;
  void PressEscape() const;

 private:
  HWND Control(int id) const { return GetDlgItem(hwnd_, id); }
  // A list notification as the list itself sends it to the chooser, handled before returning.
  void Notify(int id, int code) const;

  HWND hwnd_ = nullptr;
};

}  // namespace veilpix::testing
