#pragma once
// Tells a window at once when a value under a key of HKEY_CURRENT_USER changes, so a change made
// elsewhere shows without waiting for the next timer tick. A background thread only waits and
// posts; whatever the window does about it runs on the GUI thread, one handler at a time.

#include <windows.h>

#include <string>

namespace veilpix {

class RegistryWatcher {
 public:
  RegistryWatcher(HWND window, UINT message, std::wstring sub_key);
  ~RegistryWatcher();
  RegistryWatcher(const RegistryWatcher&) = delete;
  RegistryWatcher& operator=(const RegistryWatcher&) = delete;

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Run();
  // The key itself, or while it does not exist yet its nearest existing ancestor, watched with
  // its whole subtree so the key's creation is noticed too.
  HKEY OpenWatchedKey(bool& whole_subtree) const;

  HWND window_;
  UINT message_;
  std::wstring sub_key_;
  HANDLE changed_;
  HANDLE stop_;
  HANDLE thread_;
};

}  // namespace veilpix
