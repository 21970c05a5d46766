#pragma once
// The chooser (Form2) as a real window. Placeholder until the chooser is built.

#include <windows.h>

#include "core/settings_store.h"
#include "platform/desktop.h"

namespace veilpix {

class Form1;

class ChooserWindow {
 public:
  ChooserWindow(HINSTANCE instance, Desktop& desktop, SettingsStore& store)
      : instance_(instance), desktop_(desktop), store_(store) {}
  void SetMainForm(Form1& form) { form1_ = &form; }

  void ShowModal() { desktop_.MsgBox(L"(chooser)", kMbInformation, {}); }
  bool IsOpen() const { return false; }
  void BringToFront() {}

 private:
  HINSTANCE instance_;
  Desktop& desktop_;
  SettingsStore& store_;
  Form1* form1_ = nullptr;
};

}  // namespace veilpix
