#pragma once
// The chooser and the About window as the main window reaches them. Each is created when it is
// first needed and destroyed when it closes.

#include <windows.h>

#include "core/settings_store.h"
#include "dialogs/about_window.h"
#include "dialogs/chooser_window.h"
#include "platform/desktop.h"
#include "tray/dialogs.h"

namespace veilpix {

class Form1;

class Win32Dialogs final : public Dialogs {
 public:
  Win32Dialogs(HINSTANCE instance, Desktop& desktop, SettingsStore& store);
  // The main form both dialogs reach back into; set before either is shown.
  void SetMainForm(Form1& form);

  Handle ChooserIcon() override { return chooser_icon_; }
  Handle AboutIcon() override { return about_icon_; }
  void ShowChooser() override { chooser_.ShowModal(); }
  bool ChooserOpen() override { return chooser_.IsOpen(); }
  void BringChooserToFront() override { chooser_.BringToFront(); }
  void ShowAbout() override { about_.ShowModal(); }
  bool AboutVisible() override { return about_.IsVisible(); }
  void CloseAbout() override { about_.Close(); }
  int AboutCheck1Value() override { return about_.Check1Value(); }

 private:
  Handle chooser_icon_;
  Handle about_icon_;
  ChooserWindow chooser_;
  AboutWindow about_;
};

}  // namespace veilpix
