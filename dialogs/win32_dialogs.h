#pragma once
// The chooser and the About window as the main window reaches them.

#include <windows.h>

#include "core/settings_store.h"
#include "platform/desktop.h"
#include "tray/dialogs.h"

namespace veilpix {

class Form1;

class Win32Dialogs final : public Dialogs {
 public:
  Win32Dialogs(HINSTANCE instance, Desktop& desktop, SettingsStore& store);
  void SetMainForm(Form1& form) { form1_ = &form; }

  Handle ChooserIcon() override { return chooser_icon_; }
  Handle AboutIcon() override { return about_icon_; }
  void ShowChooser() override;
  bool ChooserOpen() override { return false; }
  void BringChooserToFront() override {}
  void ShowAbout() override;
  bool AboutVisible() override { return false; }
  void CloseAbout() override {}
  int AboutCheck1Value() override { return 0; }

 private:
  HINSTANCE instance_;
  Desktop& desktop_;
  SettingsStore& store_;
  Form1* form1_ = nullptr;
  Handle chooser_icon_;
  Handle about_icon_;
};

}  // namespace veilpix
