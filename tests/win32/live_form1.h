#pragma once
// One real Form1 wired as WinMain wires it: the real registry, settings store, desktop and
// dialogs, its main window created in this process (Form_Load run, tray icon added, timer and
// registry watcher started). A test or a benchmark calls its handlers directly and counts what
// the process holds. One per process: the window class is registered once.

#include <windows.h>

#include "dialogs/win32_dialogs.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_registry_api.h"
#include "tray/form1.h"
#include "tray/main_window.h"

namespace veilpix::testing {

class LiveForm1 {
 public:
  // Starts from stored settings for direct mode (a switch writes the registry itself) and
  // left-click switching (the main window stays hidden).
  LiveForm1();
  // Takes the tray icon away and erases the stored settings.
  ~LiveForm1();
  LiveForm1(const LiveForm1&) = delete;
  LiveForm1& operator=(const LiveForm1&) = delete;

  bool Created() const { return created_; }
  Form1& form() { return form_; }
  Desktop& desktop() { return desktop_; }
  // Handles the messages that have arrived (timer ticks, the registry watcher's notices), as the
  // message loop does between two events.
  void PumpMessages() { desktop_.DoEvents(); }
  // True while the shell shows Form1's tray icon.
  bool TrayIconPresent() const;

 private:
  Win32RegistryApi registry_;
  RegistrySettingsStore store_;
  Win32Desktop desktop_;
  Win32Dialogs dialogs_;
  Form1 form_;
  MainWindow window_;
  bool created_ = false;
};

}  // namespace veilpix::testing
