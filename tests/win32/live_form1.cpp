#include "tests/win32/live_form1.h"

#include "core/app_settings.h"
#include "platform/win32/handles.h"
#include "tests/win32/wine_helpers.h"

namespace veilpix::testing {

LiveForm1::LiveForm1()
    : dialogs_(GetModuleHandleW(nullptr), desktop_, store_),
      form_(registry_, store_, desktop_, dialogs_, LoadTrayImages(GetModuleHandleW(nullptr))),
      window_(form_) {
  AppSettings settings(store_);
  settings.EraseAll();
  settings.WriteFlag(key::kToggle, false);
  settings.WriteFlag(key::kChange, true);
  created_ = window_.Create(GetModuleHandleW(nullptr));
}

LiveForm1::~LiveForm1() {
  if (created_) desktop_.NotifyIcon(kNimDelete, form_.TrayData);
  AppSettings(store_).EraseAll();
}

bool LiveForm1::TrayIconPresent() const {
  return TrayIconShown(ToWin32<HWND>(form_.Me.hWnd()), form_.TrayData.uID);
}

}  // namespace veilpix::testing
