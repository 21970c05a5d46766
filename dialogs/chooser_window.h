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

class ChooserWindow {
 public:
  ChooserWindow(HINSTANCE instance, Desktop& desktop, SettingsStore& store)
      : instance_(instance), desktop_(desktop), store_(store) {}
  ChooserWindow(const ChooserWindow&) = delete;
  ChooserWindow& operator=(const ChooserWindow&) = delete;

  // Opens the chooser in the current directory and returns once it has closed; OK checks
  // `mnuToggle`.
  void ShowModal(Control& mnuToggle);
  bool IsOpen() const { return hwnd_ != nullptr; }
  void BringToFront();

  LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  // What one opening makes, dropped as a whole when it closes.
  struct Opening {
    Opening(FileSystem& file_system, Desktop& desktop, SettingsStore& store, Control& mnuToggle,
            int dpi);
    ~Opening();
    Opening(const Opening&) = delete;
    Opening& operator=(const Opening&) = delete;

    int dpi;
    Form2 form;
    FolderTreeDrawing folder_tree;
    HFONT font;  // label and buttons; the lists keep the system's default font
  };

  bool Create();
  void CreateControls();
  void OnCommand(int id, int code);
  void OnEnter();
  void OnDrawItem(const DRAWITEMSTRUCT& draw) const;
  void CloseIfUnloaded();

  HINSTANCE instance_;
  Desktop& desktop_;
  SettingsStore& store_;
  Win32FileSystem file_system_;
  std::optional<Opening> opening_;
  HWND hwnd_ = nullptr;
};

}  // namespace veilpix
