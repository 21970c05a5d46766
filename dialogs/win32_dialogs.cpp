#include "dialogs/win32_dialogs.h"

#include "platform/win32/handles.h"
#include "resources/resource.h"

namespace veilpix {
namespace {

// Loaded once at the small-icon size, so the tray shows a sharp image and no handle is made
// per refresh.
Handle LoadTrayIcon(HINSTANCE instance, int id) {
  return ToHandleValue(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                  GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                  0));
}

}  // namespace

Win32Dialogs::Win32Dialogs(HINSTANCE instance, Desktop& desktop, SettingsStore& store)
    : chooser_icon_(LoadTrayIcon(instance, IDI_SHOWN)),
      about_icon_(LoadTrayIcon(instance, IDI_HIDDEN)),
      chooser_(instance, desktop, store),
      about_(instance, desktop, store) {}

void Win32Dialogs::SetMainForm(Form1& form) {
  chooser_.SetMainForm(form);
  about_.SetMainForm(form);
}

}  // namespace veilpix
