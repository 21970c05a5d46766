#include "tray/notify_icon_data.h"

#include <algorithm>

#include "core/ansi_text.h"

namespace veilpix {
namespace {

void Put32(NotifyIconBytes& bytes, size_t offset, std::uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

NotifyIconBytes NotifyIconData::Bytes() const {
  constexpr size_t kTipOffset = 24;
  constexpr size_t kTipSize = 64;
  NotifyIconBytes bytes{};
  Put32(bytes, 0, cbSize);
  Put32(bytes, 4, hWnd);
  Put32(bytes, 8, uID);
  Put32(bytes, 12, uFlags);
  Put32(bytes, 16, uCallbackMessage);
  Put32(bytes, 20, hIcon);
  std::fill(bytes.begin() + kTipOffset, bytes.end(), static_cast<std::uint8_t>(' '));
  const std::string tip = ToAnsi(szTip);
  std::copy_n(tip.begin(), std::min(tip.size(), kTipSize), bytes.begin() + kTipOffset);
  return bytes;
}

}  // namespace veilpix
