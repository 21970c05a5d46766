#pragma once
// The chooser and the About window as the main form reaches them.

#include <windows.h>

#include "core/settings_store.h"
#include "dialogs/about_window.h"
#include "dialogs/chooser_window.h"
#include "dialogs/dialogs.h"
#include "platform/desktop.h"

namespace veilpix {

class Win32Dialogs final : public Dialogs {
 public:
  Win32Dialogs(HINSTANCE instance, Desktop& desktop, SettingsStore& store)
      : chooser_(instance, desktop, store), about_(instance, desktop, store) {}

  void ShowChooser(Control& mnuToggle) override { chooser_.ShowModal(mnuToggle); }
  bool ChooserOpen() override { return chooser_.IsOpen(); }
  void BringChooserToFront() override { chooser_.BringToFront(); }
  void ShowAbout(WindowHandle owner, std::function<void()> end_program) override {
    about_.ShowModal(owner, std::move(end_program));
  }
  bool AboutVisible() override { return about_.IsVisible(); }
  void CloseAbout() override { about_.Close(); }
  bool SettingsErased() override { return about_.SettingsErased(); }

 private:
  ChooserWindow chooser_;
  AboutWindow about_;
};

}  // namespace veilpix
