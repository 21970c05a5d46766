#pragma once
// Notices at once when a value under a key of HKEY_CURRENT_USER changes, so a change made
// elsewhere shows without waiting for the next timer tick. Its event is set on a change; the
// message loops of the GUI thread wait for it beside the messages (see message_loop.h): a thread
// of its own would cost Veilpix more memory than everything else it keeps.

#include <windows.h>

#include <string>

namespace veilpix {

class RegistryWatcher {
 public:
  // Watching from the start.
  explicit RegistryWatcher(std::wstring sub_key);
  ~RegistryWatcher();
  RegistryWatcher(const RegistryWatcher&) = delete;
  RegistryWatcher& operator=(const RegistryWatcher&) = delete;

  // Set (and reset by the wait that sees it) when a value changed.
  HANDLE Changed() const { return changed_; }
  // Watches for the next change: the system tells of one only. The key itself once it exists,
  // until then its nearest existing ancestor with its whole subtree, so the key's creation is
  // noticed too.
  void Rearm();

 private:
  std::wstring sub_key_;
  HANDLE changed_;
  HKEY key_ = nullptr;
  std::wstring watched_;  // the path key_ was opened at
};

}  // namespace veilpix
