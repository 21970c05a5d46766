#pragma once
// The shell and the desktop, as the forms need them.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/message_boxes.h"
#include "platform/handles.h"

namespace veilpix {

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;

// The tray icon's record as the shell receives it. The tip is a 64-character fixed-length text.
struct NotifyIconData {
  WindowHandle hWnd{};
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  IconHandle hIcon{};
  std::wstring szTip;
};

class Desktop : public MessageBoxes {
 public:
  // Adds, modifies or deletes the tray icon; false when the shell refused.
  virtual bool NotifyIcon(std::uint32_t action, const NotifyIconData& record) = 0;
  // WM_WININICHANGE with "windows" to every top-level window, without waiting on hung ones.
  virtual void BroadcastSettingChange() = 0;
  // Starts the program minimised with focus and does not wait for it; false if it cannot start.
  virtual bool StartMinimized(std::wstring_view path) = 0;
  // True when `path` names an existing file (not a folder).
  virtual bool FileExists(std::wstring_view path) = 0;
  // Lets pending events run once.
  virtual void DoEvents() = 0;
  // The system's description of one of its error codes, with the code: "... (5)".
  virtual std::wstring ErrorText(long code) = 0;
  // Asks the shell to open a document or address with its associated program, owned by the
  // desktop window, in a normal window; the shell's result (above 32 on success).
  virtual std::int32_t ShellExecuteOpen(std::wstring_view file) = 0;
};

}  // namespace veilpix
