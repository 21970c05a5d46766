#pragma once
// A form's own window: visibility and position held here, mirrored into the real window.

#include "platform/handles.h"

namespace veilpix {

class FormMirror {
 public:
  virtual ~FormMirror() = default;
  virtual void ShowVisible(bool) {}
  virtual void ShowPosition(float /*top*/, float /*left*/) {}
  virtual void MakeTopmost() {}
  virtual void SetForeground() {}
  // Pops up the form's menu at the mouse position and returns when it has closed.
  virtual void PopupMenu() {}
  // Destroys the window; the program ends with it.
  virtual void Unload() {}
};

class FormWindow {
 public:
  bool Visible() const { return visible_; }
  float Top() const { return top_; }    // twips
  float Left() const { return left_; }  // twips
  WindowHandle hWnd() const { return hwnd_; }

  void SetVisible(bool visible) {
    visible_ = visible;
    if (mirror_) mirror_->ShowVisible(visible);
  }
  void Move(float top, float left) {
    top_ = top;
    left_ = left;
    if (mirror_) mirror_->ShowPosition(top, left);
  }
  void MakeTopmost() {
    if (mirror_) mirror_->MakeTopmost();
  }
  void SetForeground() {
    if (mirror_) mirror_->SetForeground();
  }
  void PopupMenu() {
    if (mirror_) mirror_->PopupMenu();
  }
  void Unload() {
    if (mirror_) mirror_->Unload();
  }

  // The real window reports where the user moved it.
  void Moved(float top, float left) {
    top_ = top;
    left_ = left;
  }
  void SetHandle(WindowHandle hwnd) { hwnd_ = hwnd; }
  // Applies the held position and visibility to the window; nullptr detaches.
  void Attach(FormMirror* mirror) {
    mirror_ = mirror;
    if (!mirror_) return;
    mirror_->ShowPosition(top_, left_);
    mirror_->ShowVisible(visible_);
  }

 private:
  bool visible_ = true;
  float top_ = 0;
  float left_ = 0;
  WindowHandle hwnd_{};
  FormMirror* mirror_ = nullptr;
};

}  // namespace veilpix
