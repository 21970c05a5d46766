#include "tray/form1.h"

#include <cmath>

#include "core/picture_setting.h"
#include "resources/texts.h"

namespace veilpix {
namespace {

constexpr std::wstring_view kShown = WIDE(TXT_SHOWN);
constexpr std::wstring_view kHidden = WIDE(TXT_HIDDEN);

constexpr std::uint32_t kTrayIconId = 1;
constexpr std::uint32_t kNifMessageIconTip = 7;
constexpr size_t kTipLength = 64;

}  // namespace

Form1::Form1(RegistryApi& registry, SettingsStore& store, Desktop& desktop, Dialogs& dialogs,
             TrayImages images)
    : mnuTray(WIDE(TXT_MNU_TRAY)),
      mnuToggle(WIDE(TXT_MNU_TOGGLE)),
      mnuChange(WIDE(TXT_MNU_CHANGE)),
      mnuLine1(L"-"),
      mnuStart(WIDE(TXT_MNU_START)),
      mnuPos(WIDE(TXT_MNU_POS)),
      mnuLine2(L"-"),
      mnuAbout(WIDE(TXT_MNU_ABOUT)),
      mnuLine3(L"-"),
      mnuEnd(WIDE(TXT_MNU_END)),
      desktop_(desktop),
      dialogs_(dialogs),
      images_(images),
      settings_(store),
      reg_(registry, desktop) {}

// ---- Picture-display state and switching ----

void Form1::RefreshState() {
  const std::wstring value = reg_.RegGetString(kHkeyCurrentUser, kPicturesKey, kPicturesValue);
  Command1.SetCaption(value == L"no" ? kHidden : kShown);
  UpdateTrayIcon();
}

void Form1::ToggleImages() {
  if (mnuToggle.Checked()) {
    LoadTogglePath();
    if (!desktop_.StartMinimized(TogglePath)) {
      // Nothing has changed, so there is nothing to announce.
      desktop_.MsgBox(WIDE(TXT_START_FAILED) + TogglePath, kMbExclamation,
                      WIDE(TXT_START_FAILED_TITLE));
      RefreshState();
      return;
    }
  } else {
    const bool shown = Command1.Caption() == kShown;
    const std::wstring sub_key(kPicturesKey);
    if (reg_.RegSetString(kHkeyCurrentUser, sub_key, kPicturesValue, shown ? L"no" : L"yes"))
      Command1.SetCaption(shown ? kHidden : kShown);
  }
  desktop_.BroadcastSettingChange();
  RefreshState();
}

void Form1::Command1_Click() {
  ToggleImages();
}

void Form1::Timer1_Timer() {
  RefreshState();
}

void Form1::RegistryWatch_Change() {
  RefreshState();
}

void Form1::LoadTogglePath() {
  TogglePath = settings_.TogglePath();
}

// ---- Tray icon ----

void Form1::UpdateTrayIcon() {
  TrayData.hIcon = Command1.Caption() == kShown ? images_.shown : images_.hidden;
  if (IconFlag != L"0") {
    // Refused means the icon is not there: the shell was not ready for the first add (at log-on)
    // or lost the icon without saying so. Veilpix cannot be reached without it.
    if (!desktop_.NotifyIcon(kNimModify, TrayData)) desktop_.NotifyIcon(kNimAdd, TrayData);
    return;
  }
  TrayData.hWnd = Me.hWnd();
  TrayData.uID = kTrayIconId;
  TrayData.uFlags = kNifMessageIconTip;
  TrayData.uCallbackMessage = kWmMouseMove;
  TrayData.szTip = std::wstring(WIDE(TXT_APP_TITLE)) + L'\0';
  TrayData.szTip.resize(kTipLength, L' ');
  desktop_.NotifyIcon(kNimAdd, TrayData);
}

void Form1::Form_TaskbarCreated() {
  if (IconFlag != L"0") desktop_.NotifyIcon(kNimAdd, TrayData);
}

// ---- Tray mouse dispatch ----

void Form1::Form_MouseMove(int /*Button*/, int /*Shift*/, float X, float /*Y*/) {
  const long message = std::lround(X);
  if (message != kWmLButtonDown && message != kWmRButtonDown) return;
  if (dialogs_.AboutVisible()) dialogs_.CloseAbout();
  if (message == kWmLButtonDown) {
    if (mnuChange.Checked()) {
      ToggleImages();
    } else {
      ToggleWindow();
    }
    return;
  }
  Me.SetForeground();
  desktop_.DoEvents();
  Me.PopupMenu();
}

void Form1::ToggleWindow() {
  if (Me.Visible()) {
    Me.SetVisible(false);
  } else {
    Me.SetVisible(true);
    Me.MakeTopmost();
  }
}

// ---- Start-up and shut-down ----

void Form1::Form_Load() {
  IconFlag = L"0";
  RefreshState();
  LoadTogglePath();

  if (!desktop_.FileExists(TogglePath) || !settings_.Toggle()) {
    mnuToggle.SetChecked(false);
  } else {
    mnuToggle.SetChecked(true);
    mnuToggle.SetEnabled(false);
  }

  if (!settings_.Position()) {
    Me.Move(0, 0);
  } else {
    mnuPos.SetChecked(true);
    Me.Move(settings_.Top(), settings_.Left());
  }

  if (!settings_.Show()) {
    Me.SetVisible(false);
  } else {
    mnuStart.SetChecked(true);
  }

  if (settings_.Change()) {
    mnuChange.SetChecked(true);
    mnuStart.SetEnabled(false);
    mnuPos.SetEnabled(false);
    Me.SetVisible(false);
  }

  mnuTray.SetVisible(false);
  IconFlag = L"1";
}

void Form1::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
  Cancel = 1;
  Me.SetVisible(false);
}

void Form1::Form_Unload(int& /*Cancel*/) {
  // Right after the settings were erased the position must not be written back.
  if (!dialogs_.SettingsErased()) settings_.WritePosition(Me.Top(), Me.Left());
  desktop_.NotifyIcon(kNimDelete, TrayData);
}

void Form1::mnuEnd_Click() {
  int cancel = 0;
  Form_Unload(cancel);
  Me.Unload();
}

// ---- Tray menu ----

void Form1::mnuToggle_Click() {
  if (mnuToggle.Checked()) {
    mnuToggle.SetChecked(false);
    settings_.WriteFlag(key::kToggle, false);
    return;
  }
  // A second chooser would ask for the same choice twice.
  if (dialogs_.ChooserOpen()) {
    dialogs_.BringChooserToFront();
    return;
  }
  if (desktop_.FileExists(TogglePath)) {
    settings_.WriteFlag(key::kToggle, true);
  } else {
    dialogs_.ShowChooser(mnuToggle);  // stores the chosen path and checks mnuToggle itself
    // Stored as well: a "0" left from before would otherwise turn the program the user just
    // chose off again at the next start.
    if (mnuToggle.Checked()) settings_.WriteFlag(key::kToggle, true);
  }
  if (desktop_.FileExists(TogglePath)) mnuToggle.SetChecked(true);
}

void Form1::mnuChange_Click() {
  const bool on = !mnuChange.Checked();
  mnuChange.SetChecked(on);
  mnuStart.SetEnabled(!on);
  mnuPos.SetEnabled(!on);
  if (on) Me.SetVisible(false);
  settings_.WriteFlag(key::kChange, on);
}

void Form1::mnuStart_Click() {
  mnuStart.SetChecked(!mnuStart.Checked());
  settings_.WriteFlag(key::kShow, mnuStart.Checked());
}

void Form1::mnuPos_Click() {
  mnuPos.SetChecked(!mnuPos.Checked());
  settings_.WriteFlag(key::kPosition, mnuPos.Checked());
}

void Form1::mnuAbout_Click() {
  dialogs_.ShowAbout(Me.hWnd(), [this] { mnuEnd_Click(); });
}

}  // namespace veilpix
