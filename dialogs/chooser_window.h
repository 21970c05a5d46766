#pragma once
// The chooser (Form2) as a real window: made afresh for every opening, shown modally, and
// destroyed with its form when it closes.

#include <windows.h>

#include <optional>

#include "core/settings_store.h"
#include "dialogs/form2.h"
#include "platform/desktop.h"
#include "platform/win32/control_mirrors.h"
#include "platform/win32/folder_tree_drawing.h"
#include "platform/win32/list_mirrors.h"
#include "platform/win32/win32_file_system.h"

namespace veilpix {

class Form1;

class ChooserWindow {
 public:
  ChooserWindow(HINSTANCE instance, Desktop& desktop, SettingsStore& store);
  ChooserWindow(const ChooserWindow&) = delete;
  ChooserWindow& operator=(const ChooserWindow&) = delete;

  // The main form whose "use the external program" item OK checks; set before ShowModal.
  void SetMainForm(Form1& form) { form1_ = &form; }

  // Opens the chooser in the current directory and returns once it has closed.
  void ShowModal();
  bool IsOpen() const { return hwnd_ != nullptr; }
  void BringToFront();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  bool Create();
  void CreateControls();
  void OnCommand(int id, int code);
  void OnEnter();
  void OnActivate(bool active);
  void OnDrawItem(const DRAWITEMSTRUCT& draw) const;
  void CloseIfUnloaded();
  void Release();

  HINSTANCE instance_;
  Desktop& desktop_;
  SettingsStore& store_;
  Form1* form1_ = nullptr;
  Win32FileSystem file_system_;
  std::optional<Form2> form_;

  HWND hwnd_ = nullptr;
  HWND focus_ = nullptr;  // given back when the window is activated again
  int dpi_ = 96;
  HFONT font_ = nullptr;  // label and buttons
  std::optional<FolderTreeDrawing> folder_tree_;
  std::optional<ListWindowMirror> drv_mirror_;
  std::optional<ListWindowMirror> dir_mirror_;
  std::optional<ListWindowMirror> fil_mirror_;
  std::optional<WindowMirror> label1_mirror_;
  std::optional<WindowMirror> command1_mirror_;
  std::optional<WindowMirror> command2_mirror_;
};

}  // namespace veilpix
