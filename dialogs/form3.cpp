#include "dialogs/form3.h"

#include <string>

#include "core/app_settings.h"
#include "core/decimal.h"
#include "dialogs/module1.h"
#include "resources/texts.h"

namespace veilpix {

Form3::Form3(Desktop& desktop, SettingsStore& store, Form3Host& host, int major, int minor)
    : lblDescription(WIDE(TXT_FORM3_DESCRIPTION)),
      Label22(WIDE(TXT_FORM3_LICENCE)),
      Label13(WIDE(TXT_FORM3_SUPPORT)),
      Label20(WIDE(TXT_FORM3_WWW)),
      Label14(WIDE(TXT_FORM3_REPORT)),
      Label23(WIDE(TXT_FORM3_EMAIL)),
      lblUrl{Control(WIDE(TXT_SUPPORT_URL)), Control(WIDE(TXT_BUG_REPORT_URL))},
      Check1(WIDE(TXT_FORM3_CHECK1)),
      Command1(WIDE(TXT_FORM3_OK)),
      desktop_(desktop),
      store_(store),
      host_(host),
      major_(major),
      minor_(minor) {
  for (Control& link : lblUrl) link.SetForeColor(kLinkColor);
  Check1.SetVisible(false);
}

void Form3::Form_Load() {
  lblTitle.SetCaption(WIDE(TXT_FORM3_TITLE_PREFIX) + Decimal(major_) + L"." + Decimal(minor_));
  HotLinkIndex = -1;
}

void Form3::Command1_Click() {
  host_.UnloadForm();
}

// Each label opens the address it shows; the window closes whether or not that worked.
void Form3::lblUrl_Click(int Index) {
  if (Index >= 0 && Index < static_cast<int>(lblUrl.size()))
    OpenUrl(desktop_, lblUrl[Index].Caption());
  Command1_Click();
}

void Form3::ResetHotLink() {
  if (HotLinkIndex != -1) lblUrl[HotLinkIndex].SetForeColor(kLinkColor);
}

void Form3::lblUrl_MouseMove(int Index, int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {
  ResetHotLink();
  HotLinkIndex = static_cast<short>(Index);
  lblUrl[HotLinkIndex].SetForeColor(kHotLinkColor);
}

void Form3::Form_MouseMove(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {
  ResetHotLink();
  HotLinkIndex = -1;
}

// Erases every stored setting, for use before uninstalling, and ends the program. With nothing
// stored the user is told so and the program keeps running; so it does when the erase failed,
// with the settings left to be written on as before.
void Form3::picIcon_Click() {
  const long error = AppSettings(store_).EraseAll();
  if (error != 0 && error != kNothingStored) {
    desktop_.MsgBox(WIDE(TXT_ERASE_FAILED) + desktop_.ErrorText(error), kMbExclamation, {});
    return;
  }
  Check1.SetChecked(true);
  if (error == kNothingStored) {
    desktop_.MsgBox(WIDE(TXT_NOTHING_STORED), kMbInformation, WIDE(TXT_NOTHING_STORED_TITLE));
    return;
  }
  desktop_.MsgBox(WIDE(TXT_ERASED), kMbInformation, WIDE(TXT_ERASED_TITLE));
  host_.EndMainForm();
}

}  // namespace veilpix
