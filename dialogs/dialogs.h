#pragma once
// How the main form reaches the chooser (Form2) and the About window (Form3), handing each what
// it needs of the main form as it opens. Each dialog is made on first use and destroyed when it
// closes.

#include <functional>

#include "platform/controls.h"
#include "platform/handles.h"

namespace veilpix {

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Modal. OK stores the chosen program and checks `mnuToggle`.
  virtual void ShowChooser(Control& mnuToggle) = 0;
  virtual bool ChooserOpen() = 0;
  virtual void BringChooserToFront() = 0;

  // Modal, above `owner`. Erasing the settings ends the program through `end_program`.
  virtual void ShowAbout(WindowHandle owner, std::function<void()> end_program) = 0;
  virtual bool AboutVisible() = 0;
  virtual void CloseAbout() = 0;
  // The About window has just erased the stored settings (or found none), so nothing may be
  // written back.
  virtual bool SettingsErased() = 0;
};

}  // namespace veilpix
