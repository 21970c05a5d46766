#include "platform/controls.h"

namespace veilpix {

void Control::SetCaption(std::wstring_view caption) {
  caption_ = caption;
  if (mirror_) mirror_->ShowCaption(caption_);
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (mirror_) mirror_->ShowEnabled(enabled_);
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  if (mirror_) mirror_->ShowVisible(visible_);
}

void Control::SetChecked(bool checked) {
  checked_ = checked;
  if (mirror_) mirror_->ShowChecked(checked_);
}

void Control::SetForeColor(OleColor color) {
  fore_color_ = color;
  if (mirror_) mirror_->ShowForeColor(fore_color_);
}

void Control::Attach(std::unique_ptr<ControlMirror> mirror) {
  mirror_ = std::move(mirror);
  mirror_->ShowCaption(caption_);
  mirror_->ShowEnabled(enabled_);
  mirror_->ShowVisible(visible_);
  mirror_->ShowChecked(checked_);
  mirror_->ShowForeColor(fore_color_);
}

}  // namespace veilpix
