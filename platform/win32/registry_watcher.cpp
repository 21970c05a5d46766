#include "platform/win32/registry_watcher.h"

namespace veilpix {

RegistryWatcher::RegistryWatcher(std::wstring sub_key)
    : sub_key_(std::move(sub_key)), changed_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
  Rearm();
}

RegistryWatcher::~RegistryWatcher() {
  if (key_) RegCloseKey(key_);
  CloseHandle(changed_);
}

void RegistryWatcher::Rearm() {
  std::wstring path = sub_key_;
  HKEY key = nullptr;
  while (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_NOTIFY, &key) != ERROR_SUCCESS) {
    const size_t separator = path.rfind(L'\\');
    // Not even HKEY_CURRENT_USER\Software: the timer's refresh is all there is.
    if (separator == std::wstring::npos) return;
    path.resize(separator);
  }
  // Asked again on the key already watched, not on a new handle: closing a watched key sets the
  // event, which would wake the loop for nothing.
  if (key_ && path == watched_) {
    RegCloseKey(key);
  } else {
    if (key_) RegCloseKey(key_);
    key_ = key;
    watched_ = path;
  }
  RegNotifyChangeKeyValue(key_, path != sub_key_,
                          REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_NAME, changed_, TRUE);
}

}  // namespace veilpix
