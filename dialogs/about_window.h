#pragma once
// The About window (Form3) as a real window. Placeholder until the About window is built.

#include <windows.h>

#include "core/settings_store.h"
#include "platform/desktop.h"

namespace veilpix {

class Form1;

class AboutWindow {
 public:
  AboutWindow(HINSTANCE instance, Desktop& desktop, SettingsStore& store)
      : instance_(instance), desktop_(desktop), store_(store) {}
  void SetMainForm(Form1& form) { form1_ = &form; }

  void ShowModal() { desktop_.MsgBox(L"(about)", kMbInformation, {}); }
  bool IsVisible() const { return false; }
  void Close() {}
  int Check1Value() const { return 0; }

 private:
  HINSTANCE instance_;
  Desktop& desktop_;
  SettingsStore& store_;
  Form1* form1_ = nullptr;
};

}  // namespace veilpix
