#pragma once
// Answers message boxes the way a user reads and dismisses them: a thread looks for the boxes
// of one process (class "#32770"), records each one's title and text (the static control with
// id 65535) and presses OK.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace veilpix::testing {

struct SeenMessageBox {
  std::wstring title;
  std::wstring text;
};

class MessageBoxWatcher {
 public:
  // Watches this process's boxes by default; boxes of another process work the same way.
  explicit MessageBoxWatcher(DWORD process_id = GetCurrentProcessId());
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  // The boxes answered so far, oldest first.
  std::vector<SeenMessageBox> Seen() const;
  // Waits until `count` boxes have been answered.
  bool WaitForBoxes(size_t count, DWORD timeout_ms = 5000) const;

 private:
  void Watch();
  void AnswerNewBoxes();

  DWORD process_id_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<SeenMessageBox> seen_;
  std::set<HWND> answered_;  // until they are gone
  std::thread thread_;
};

}  // namespace veilpix::testing
