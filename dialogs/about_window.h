#pragma once
// The About window (Form3) as a real window: created hidden on first use, shown modally,
// destroyed when it closes; the next use starts a fresh one.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/settings_store.h"
#include "dialogs/form3.h"
#include "platform/desktop.h"
#include "platform/win32/control_mirrors.h"

namespace veilpix {

struct ChildLayout;

class AboutWindow final : private Form3Host {
 public:
  AboutWindow(HINSTANCE instance, Desktop& desktop, SettingsStore& store);
  ~AboutWindow() override;
  AboutWindow(const AboutWindow&) = delete;
  AboutWindow& operator=(const AboutWindow&) = delete;

  // Shows the window above `owner` and returns once it has closed. Erasing the settings ends
  // the program through `end_program`.
  void ShowModal(WindowHandle owner, std::function<void()> end_program);
  bool IsVisible() const { return hwnd_ && IsWindowVisible(hwnd_); }
  // Closes the window the way its OK button does.
  void Close();
  // Check1 is set: the erase action has just run.
  bool SettingsErased() const { return form_ && form_->Check1.Checked(); }

  LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  void UnloadForm() override;
  void EndMainForm() override;

  bool Create(HWND owner);
  void CreateControls();
  void AddTooltip(HWND tool, const wchar_t* text);
  void ShowPicture(HWND box, int size);
  void SizeLinkToText(HWND label, const ChildLayout& layout);
  bool OnSetCursor(HWND child, UINT hit, UINT mouse_message);
  void OnCommand(int id, int code);
  LRESULT OnCtlColorStatic(HDC dc, HWND label);
  void OnDestroyed();

  HINSTANCE instance_;
  Desktop& desktop_;
  SettingsStore& store_;
  std::function<void()> end_program_;
  HCURSOR hand_;
  int dpi_ = 96;

  // One instance: the form, its window and what the window made.
  std::optional<Form3> form_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  HICON picture_ = nullptr;
  std::vector<HFONT> fonts_;
};

}  // namespace veilpix
