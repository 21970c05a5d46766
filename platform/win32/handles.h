#pragma once
// Between Win32 handles and the opaque handles the portable code keeps: the same bits both ways.

#include <windows.h>

#include <cstdint>

namespace veilpix {

template <typename Win32Handle, typename Opaque>
Win32Handle ToWin32(Opaque handle) {
  return reinterpret_cast<Win32Handle>(static_cast<std::uintptr_t>(handle));
}

template <typename Opaque, typename Win32Handle>
Opaque FromWin32(Win32Handle handle) {
  return static_cast<Opaque>(reinterpret_cast<std::uintptr_t>(handle));
}

}  // namespace veilpix
