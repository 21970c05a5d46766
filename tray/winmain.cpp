#include <windows.h>

#include <cstdlib>

#include "dialogs/win32_dialogs.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_registry_api.h"
#include "tray/form1.h"
#include "tray/main_window.h"

#if defined(__GLIBCXX__)
// A GUI program has no console to print a demangled reason for std::terminate on; leaving out
// libstdc++'s verbose handler leaves out its demangler too, a sixth of the download.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx
#endif

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
