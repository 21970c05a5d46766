// GoogleTest's customisation point, seen first on the include path for the MinGW build: the
// win32-thread libstdc++ has no std::mutex or std::condition_variable, which GoogleTest's own
// Notification is made of. Only GoogleTest's thread helper waits on one, and no test here uses it.
#ifndef VEILPIX_TESTS_MINGW_GTEST_CUSTOM_GTEST_PORT_H_
#define VEILPIX_TESTS_MINGW_GTEST_CUSTOM_GTEST_PORT_H_

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_ = true; }
  void WaitForNotification() const {
    while (!notified_) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace testing::internal

#endif  // VEILPIX_TESTS_MINGW_GTEST_CUSTOM_GTEST_PORT_H_
