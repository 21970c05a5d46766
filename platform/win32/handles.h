#pragma once
// Between Win32 handles and the 32-bit handle values the portable code keeps.

#include <windows.h>

#include <cstdint>

namespace veilpix {

template <typename T>
inline T FromHandleValue(std::uint32_t value) {
  // Predefined roots such as HKEY_CURRENT_USER are sign-extended values.
  return reinterpret_cast<T>(static_cast<LONG_PTR>(static_cast<LONG>(value)));
}

template <typename T>
inline std::uint32_t ToHandleValue(T handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(handle));
}

}  // namespace veilpix
