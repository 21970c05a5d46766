// The floor for how fast Veilpix's caption follows an outside change of the picture setting: a
// program that does nothing but wait for the registry's change notice on the key and then show
// the value's state as its button's caption, the way Veilpix shows it.
#include <windows.h>

#include <string>

#include "win32/registry.h"
#include "resources/texts_japanese.h"

namespace {

// Armed before the value is read, so no change can fall between the read and the wait.
void ArmAndShow(HKEY key, HANDLE changed, HWND button) {
  RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed, TRUE);
  wchar_t value[256] = L"";
  DWORD size = sizeof value - sizeof(wchar_t);
  RegQueryValueExW(key, std::wstring(veilpix::kPicturesValue).c_str(), nullptr, nullptr,
                   reinterpret_cast<BYTE*>(value), &size);
  using namespace veilpix;
  SetWindowTextW(button,
                 kJapaneseTexts[std::wstring(value) == L"no" ? text::kHidden : text::kShown]);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  HWND window = CreateWindowExW(0, L"STATIC", L"Minimal watcher", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                100, nullptr, nullptr, instance, nullptr);
  HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 40, window,
                                nullptr, instance, nullptr);
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, std::wstring(veilpix::kPicturesKey).c_str(), 0,
                    KEY_QUERY_VALUE | KEY_NOTIFY, &key) != ERROR_SUCCESS) {
    return 1;
  }
  HANDLE changed = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  ArmAndShow(key, changed, button);
  for (;;) {
    const DWORD woke = MsgWaitForMultipleObjects(1, &changed, FALSE, INFINITE, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) {
      ArmAndShow(key, changed, button);
      continue;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return 0;
      DispatchMessageW(&message);
    }
  }
}
