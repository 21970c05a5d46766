#include <windows.h>

#include "dialogs/win32_dialogs.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_registry_api.h"
#include "tray/form1.h"
#include "tray/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace veilpix;
  Win32RegistryApi registry;
  RegistrySettingsStore store;
  Win32Desktop desktop;
  Win32Dialogs dialogs(instance, desktop, store);
  Form1 form(registry, store, desktop, dialogs, LoadTrayImages(instance));
  MainWindow window(form);
  if (!window.Create(instance)) return 1;
  return RunMessageLoop();
}
