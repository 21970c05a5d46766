#pragma once
// The main window: the picture-display state on its one button, the tray icon, the tray menu
// whose check marks are the live options, start-up and shut-down.

#include <string>

#include "core/app_settings.h"
#include "core/cls_reg.h"
#include "dialogs/dialogs.h"
#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/form_window.h"

namespace veilpix {

// Mouse messages the shell reports for the tray icon.
inline constexpr long kWmMouseMove = 0x200;
inline constexpr long kWmLButtonDown = 0x201;
inline constexpr long kWmRButtonDown = 0x204;

// The tray's two images: pictures shown, pictures hidden.
struct TrayImages {
  IconHandle shown;
  IconHandle hidden;
};

class Form1 {
 public:
  Form1(RegistryApi& registry, SettingsStore& store, Desktop& desktop, Dialogs& dialogs,
        TrayImages images);

  // Timer1's period in milliseconds: how often the state is read again.
  static constexpr unsigned kTimer1Interval = 2000;

  // Full path of the external switching program.
  std::wstring TogglePath;
  // "0" until the tray icon has been added, then "1".
  std::wstring IconFlag;
  NotifyIconData TrayData;

  FormWindow Me;
  Control Command1;
  Control mnuTray;
  Control mnuToggle;
  Control mnuChange;
  Control mnuLine1;
  Control mnuStart;
  Control mnuPos;
  Control mnuLine2;
  Control mnuAbout;
  Control mnuLine3;
  Control mnuEnd;

  void Form_Load();
  // Closing the window from its title bar only hides it: Veilpix lives on in the tray.
  void Form_QueryUnload(int& Cancel, int UnloadMode);
  void Form_Unload(int& Cancel);
  // The tray icon's notifications: the mouse message on the icon arrives as X.
  void Form_MouseMove(int Button, int Shift, float X, float Y);
  // The shell's notification area was recreated (Explorer restarted).
  void Form_TaskbarCreated();
  void Command1_Click();
  void Timer1_Timer();
  // The picture setting changed outside Veilpix: shown at once rather than at the next tick.
  void RegistryWatch_Change();
  void mnuToggle_Click();
  void mnuChange_Click();
  void mnuStart_Click();
  void mnuPos_Click();
  void mnuAbout_Click();
  void mnuEnd_Click();

 private:
  void RefreshState();
  void ToggleImages();
  void UpdateTrayIcon();
  void LoadTogglePath();
  void ToggleWindow();

  Desktop& desktop_;
  Dialogs& dialogs_;
  TrayImages images_;
  AppSettings settings_;
  clsReg reg_;
};

}  // namespace veilpix
