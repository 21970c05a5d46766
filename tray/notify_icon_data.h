#pragma once

#include <cstdint>
#include <string>

#include "platform/desktop.h"

namespace veilpix {

// The tray icon's record as the shell receives it. The tip is a 64-character fixed-length text.
struct NotifyIconData {
  std::uint32_t cbSize = 0;
  Handle hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  Handle hIcon = 0;
  std::wstring szTip;

  // Little-endian, the tip converted to ANSI and cut or blank-filled to its 64 bytes.
  NotifyIconBytes Bytes() const;
};

}  // namespace veilpix
