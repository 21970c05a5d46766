#pragma once
// Form1's real window: creates it, mirrors Form1's state into it and hands its messages to
// Form1's handlers.

#include <windows.h>

#include <optional>

#include "platform/win32/control_mirrors.h"
#include "platform/win32/registry_watcher.h"
#include "tray/form1.h"

namespace veilpix {

// The tray images, loaded once at the small-icon size so the tray shows them sharp.
TrayImages LoadTrayImages(HINSTANCE instance);

class MainWindow final : public FormMirror {
 public:
  explicit MainWindow(Form1& form) : form_(form) {}
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window, runs Form_Load, then shows the window unless Form_Load hid it.
  bool Create(HINSTANCE instance);

  void ShowVisible(bool visible) override;
  void ShowPosition(float top, float left) override;
  void MakeTopmost() override;
  void SetForeground() override;
  void PopupMenu() override;
  void Unload() override;

  LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  void OnCommand(int id, int code);
  void OnMove();
  void OnDestroy();
  void CreateCommand1(HINSTANCE instance);
  void AttachMenu();

  Form1& form_;
  HWND owner_ = nullptr;  // hidden: keeps the window off the taskbar
  HWND hwnd_ = nullptr;
  HWND command1_ = nullptr;
  HMENU menu_bar_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  UINT taskbar_created_ = 0;
  bool loaded_ = false;
  std::optional<RegistryWatcher> pictures_watcher_;
};

}  // namespace veilpix
