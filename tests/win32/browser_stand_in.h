#pragma once
// Stands in for the user's web browser under Wine: Wine's browser launcher (winebrowser) is
// pointed at a small shell script that records the address it is given. The previous setting
// comes back when the stand-in goes.

#include <windows.h>

#include <optional>
#include <string>

namespace veilpix::testing {

class BrowserStandIn {
 public:
  // The browser waits `delay_ms` before it records the address, so a caller that waits for the
  // browser shows.
  explicit BrowserStandIn(DWORD delay_ms = 0);
  ~BrowserStandIn();
  BrowserStandIn(const BrowserStandIn&) = delete;
  BrowserStandIn& operator=(const BrowserStandIn&) = delete;

  bool Ready() const { return ready_; }
  // The address the browser was started with; empty if it was not started.
  std::string Opened() const;
  // Waits until the browser was started, then gives its address.
  std::string WaitForAddress(DWORD timeout_ms = 15000) const;

 private:
  std::wstring folder_;  // Windows path
  std::wstring record_;  // Windows path of the file the script writes
  std::optional<std::wstring> previous_browsers_;
  bool ready_ = false;
};

}  // namespace veilpix::testing
