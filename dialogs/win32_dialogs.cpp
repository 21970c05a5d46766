#include "dialogs/win32_dialogs.h"

#include "platform/win32/handles.h"
#include "resources/resource.h"

namespace veilpix {
namespace {

// Loaded once at the small-icon size, so the tray shows a sharp image and no handle is made
// per refresh.
Handle LoadTrayIcon(HINSTANCE instance, int id) {
  return ToHandleValue(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                  GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
}

}  // namespace

Win32Dialogs::Win32Dialogs(HINSTANCE instance, Desktop& desktop, SettingsStore& store)
    : instance_(instance),
      desktop_(desktop),
      store_(store),
      chooser_icon_(LoadTrayIcon(instance, IDI_SHOWN)),
      about_icon_(LoadTrayIcon(instance, IDI_HIDDEN)) {}

void Win32Dialogs::ShowChooser() {
  desktop_.MsgBox(L"(chooser)", kMbInformation, {});
}

void Win32Dialogs::ShowAbout() {
  desktop_.MsgBox(L"(about)", kMbInformation, {});
}

}  // namespace veilpix
