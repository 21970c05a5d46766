#pragma once
// The chooser of the external switching program: a drive, a directory and a file list, OK and
// Cancel. OK accepts only a file whose name contains "Togg", stores its full path and puts the
// check mark on the main window's "use the external program" command.

#include "core/app_settings.h"
#include "core/message_boxes.h"
#include "platform/controls.h"
#include "platform/dir_list.h"
#include "platform/drive_list.h"
#include "platform/file_list.h"
#include "platform/file_system.h"

namespace veilpix {

class Form2 {
 public:
  // `mnuToggle` is the main window's menu item that OK checks.
  Form2(FileSystem& file_system, MessageBoxes& boxes, SettingsStore& store, Control& mnuToggle);
  Form2(const Form2&) = delete;
  Form2& operator=(const Form2&) = delete;

  DriveList drvList;
  DirList dirList;
  FileList filList;
  Control Label1;
  Control Command1;
  Control Command2;

  void Command1_Click();
  void Command2_Click();
  void drvList_Change();
  void dirList_Change();
  // A double-click on a file chooses it, as OK does.
  void filList_DblClick();
  void Form_Unload(int& Cancel);

  // True once the form has unloaded: its window closes and the form is dropped.
  bool Unloaded() const { return unloaded_; }

 private:
  void Unload();

  MessageBoxes& boxes_;
  AppSettings settings_;
  Control& mnuToggle_;
  bool unloaded_ = false;
};

}  // namespace veilpix
