#pragma once
// The About window: name and version, links to the support and bug-report pages, and a picture
// that erases every stored setting and ends the program.

#include <array>

#include "core/settings_store.h"
#include "platform/controls.h"
#include "platform/desktop.h"

namespace veilpix {

// Link labels are blue; the one under the pointer takes the active title bar's colour.
inline constexpr OleColor kLinkColor = 0x00FF0000;
inline constexpr OleColor kHotLinkColor = 0x80000002;  // COLOR_ACTIVECAPTION

// What Form3 needs of the window it lives in and of the main form.
class Form3Host {
 public:
  virtual ~Form3Host() = default;
  // Closes the window; the next use of the About window starts a fresh instance.
  virtual void UnloadForm() = 0;
  // The main form's mnuEnd_Click: unloads the main window and ends the program.
  virtual void EndMainForm() = 0;
};

class Form3 {
 public:
  // `major` and `minor` are the program's own version numbers.
  Form3(Desktop& desktop, SettingsStore& store, Form3Host& host, int major, int minor);

  Control lblTitle;
  Control lblDescription;
  Control Label22;
  Control Label13;
  Control Label20;
  Control Label14;
  Control Label23;
  std::array<Control, 2> lblUrl;
  Control Check1;  // invisible; checked (Value 1) once the erase action has run
  Control Command1;

  // The index of the link label drawn in the highlight colour, -1 when none is.
  short HotLinkIndex = -1;

  void Form_Load();
  // Only moves over the window's own background arrive here.
  void Form_MouseMove(int Button, int Shift, float X, float Y);
  void Command1_Click();
  void lblUrl_Click(int Index);
  void lblUrl_MouseMove(int Index, int Button, int Shift, float X, float Y);
  void picIcon_Click();

 private:
  void ResetHotLink();

  Desktop& desktop_;
  SettingsStore& store_;
  Form3Host& host_;
  int major_;
  int minor_;
};

}  // namespace veilpix
