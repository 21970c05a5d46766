#pragma once
// How the main window reaches the chooser (Form2) and the About window (Form3). Each dialog is
// created on first use and destroyed when it closes.

#include "platform/controls.h"

namespace veilpix {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The dialogs' window icons, which are also the two tray images.
  virtual Handle ChooserIcon() = 0;
  virtual Handle AboutIcon() = 0;

  virtual void ShowChooser() = 0;  // modal
  virtual bool ChooserOpen() = 0;
  virtual void BringChooserToFront() = 0;

  virtual void ShowAbout() = 0;  // modal
  virtual bool AboutVisible() = 0;
  virtual void CloseAbout() = 0;
  // The About window's hidden check box: 1 once its erase action has run.
  virtual int AboutCheck1Value() = 0;
};

}  // namespace veilpix
