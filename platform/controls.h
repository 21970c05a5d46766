#pragma once
// Controls that hold their own state and mirror it into a real window when one is attached.
// Reads always come from the object, so the logic reads back what it set, and a form runs
// whole with no window at all.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace veilpix {

// Colours in the 0x00BBGGRR order; with the top bit set, 0x80000000 + n names system colour n.
using OleColor = std::uint32_t;

// Receives every change of a control's state; the win32 side implements it per kind of control.
class ControlMirror {
 public:
  virtual ~ControlMirror() = default;
  virtual void ShowCaption(std::wstring_view) {}
  virtual void ShowEnabled(bool) {}
  virtual void ShowVisible(bool) {}
  virtual void ShowChecked(bool) {}
  virtual void ShowForeColor(OleColor) {}
};

class Control {
 public:
  explicit Control(std::wstring caption = {}) : caption_(std::move(caption)) {}

  const std::wstring& Caption() const { return caption_; }
  bool Enabled() const { return enabled_; }
  bool Visible() const { return visible_; }
  bool Checked() const { return checked_; }
  OleColor ForeColor() const { return fore_color_; }

  void SetCaption(std::wstring_view caption);
  void SetEnabled(bool enabled);
  void SetVisible(bool visible);
  void SetChecked(bool checked);
  void SetForeColor(OleColor color);

  // Pushes the whole state into the mirror, which from then on shows every change.
  void Attach(std::unique_ptr<ControlMirror> mirror);

 private:
  std::wstring caption_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  OleColor fore_color_ = 0x80000012;  // COLOR_BTNTEXT
  std::unique_ptr<ControlMirror> mirror_;
};

}  // namespace veilpix
