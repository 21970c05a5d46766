#include "platform/win32/registry_watcher.h"

namespace veilpix {
namespace {

// The thread only opens a key and waits: a small stack is plenty, and the default one would be
// most of Veilpix's memory.
constexpr SIZE_T kStackReservation = 64 * 1024;

}  // namespace

RegistryWatcher::RegistryWatcher(HWND window, UINT message, std::wstring sub_key)
    : window_(window),
      message_(message),
      sub_key_(std::move(sub_key)),
      changed_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_(CreateThread(nullptr, kStackReservation, ThreadMain, this,
                           STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr)) {}

RegistryWatcher::~RegistryWatcher() {
  SetEvent(stop_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  CloseHandle(stop_);
  CloseHandle(changed_);
}

HKEY RegistryWatcher::OpenWatchedKey(bool& whole_subtree) const {
  std::wstring path = sub_key_;
  whole_subtree = false;
  for (;;) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_NOTIFY, &key) == ERROR_SUCCESS)
      return key;
    const size_t separator = path.rfind(L'\\');
    if (separator == std::wstring::npos) return nullptr;
    path.resize(separator);
    whole_subtree = true;
  }
}

DWORD WINAPI RegistryWatcher::ThreadMain(void* self) {
  static_cast<RegistryWatcher*>(self)->Run();
  return 0;
}

void RegistryWatcher::Run() {
  const HANDLE events[] = {stop_, changed_};
  for (;;) {
    bool whole_subtree = false;
    HKEY key = OpenWatchedKey(whole_subtree);
    const bool armed =
        key && RegNotifyChangeKeyValue(key, whole_subtree,
                                       REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_NAME,
                                       changed_, TRUE) == ERROR_SUCCESS;
    // Unarmed (no key at all), the timer's refresh still shows changes; look again later.
    const DWORD wait = WaitForMultipleObjects(2, events, FALSE, armed ? INFINITE : 2000);
    if (key) RegCloseKey(key);
    if (wait == WAIT_OBJECT_0) return;
    if (wait == WAIT_OBJECT_0 + 1) PostMessageW(window_, message_, 0, 0);
  }
}

}  // namespace veilpix
