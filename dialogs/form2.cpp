#include "dialogs/form2.h"

#include "platform/paths.h"
#include "resources/texts.h"

namespace veilpix {
namespace {

// Only a switching program whose name says so: the test is on character codes, so case counts.
constexpr std::wstring_view kTogglerMark = L"Togg";
constexpr std::wstring_view kProgramPattern = L"*.exe";

}  // namespace

Form2::Form2(FileSystem& file_system, MessageBoxes& boxes, SettingsStore& store, Control& mnuToggle)
    : drvList(file_system),
      dirList(file_system),
      filList(file_system, kProgramPattern),
      Label1(WIDE(TXT_FORM2_LABEL1)),
      Command1(WIDE(TXT_FORM2_OK)),
      Command2(WIDE(TXT_FORM2_CANCEL)),
      boxes_(boxes),
      settings_(store),
      mnuToggle_(mnuToggle) {
  drvList.Change = [this] { drvList_Change(); };
  dirList.Change = [this] { dirList_Change(); };
}

void Form2::Command1_Click() {
  const std::wstring name = filList.List(filList.ListIndex());
  if (name.find(kTogglerMark) == std::wstring::npos) {
    boxes_.MsgBox(WIDE(TXT_INVALID_FILE), kMbInformation, WIDE(TXT_INVALID_FILE_TITLE));
    return;
  }
  // The opened directory, whose files the file list shows, not a merely highlighted one.
  settings_.WriteTogglePath(JoinPath(dirList.Path(), name));
  mnuToggle_.SetChecked(true);
  Unload();
}

void Form2::Command2_Click() {
  Unload();
}

void Form2::drvList_Change() {
  if (dirList.SetPath(drvList.Drive())) return;
  // An unreadable drive (no medium): back to the drive still open, without a word. That
  // raises this handler once more, which opens that drive's current directory.
  drvList.SetDrive(dirList.Path());
}

void Form2::dirList_Change() {
  filList.SetPath(dirList.Path());
}

void Form2::filList_DblClick() {
  Command1_Click();
}

void Form2::Form_Unload(int& /*Cancel*/) {
  unloaded_ = true;
}

void Form2::Unload() {
  int cancel = 0;
  Form_Unload(cancel);
}

}  // namespace veilpix
