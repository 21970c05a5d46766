#pragma once
// The About window (Form3) as a real window: created hidden on first use, shown modally,
// destroyed when it closes; the next use starts a fresh one.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/settings_store.h"
#include "dialogs/form3.h"
#include "platform/desktop.h"
#include "platform/win32/control_mirrors.h"

namespace veilpix {

class Form1;

class AboutWindow final : private Form3Host {
 public:
  AboutWindow(HINSTANCE instance, Desktop& desktop, SettingsStore& store);
  ~AboutWindow() override;
  void SetMainForm(Form1& form) { form1_ = &form; }

  // Returns once the window has closed.
  void ShowModal();
  bool IsVisible() const { return hwnd_ && IsWindowVisible(hwnd_); }
  // Closes the window the way its OK button does.
  void Close();
  // Check1's Value: 1 once the erase action has run; 0 where there is no window.
  int Check1Value() const { return form_ && form_->Check1.Checked() ? 1 : 0; }

 private:
  // A control's window and the mirror that carries the form's state into it.
  struct Child {
    HWND hwnd;
    Control* control;
    std::unique_ptr<WindowMirror> mirror;
  };

  void UnloadForm() override;
  void ReleaseForm() override;
  void EndMainForm() override;

  bool Create();
  void CreateControls();
  void AddTooltip(HWND tool, const wchar_t* text);
  void SizeToText(HWND label, HFONT font, const std::wstring& text);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK LinkProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR index, DWORD_PTR window);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnCommand(int id, int code);
  LRESULT OnCtlColorStatic(HDC dc, HWND label);
  void OnDestroyed();

  HINSTANCE instance_;
  Desktop& desktop_;
  SettingsStore& store_;
  Form1* form1_ = nullptr;
  HCURSOR hand_;
  int dpi_ = 96;

  // One instance: the form, its window and what the window made.
  std::optional<Form3> form_;
  bool released_ = false;  // Form_Unload has let go of form_
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND command1_ = nullptr;
  HICON picture_ = nullptr;
  std::vector<HFONT> fonts_;
  std::vector<Child> children_;
};

}  // namespace veilpix
