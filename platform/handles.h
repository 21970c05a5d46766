#pragma once
// The system's window and icon handles as the portable code keeps them: opaque, pointer-sized.

#include <cstdint>

namespace veilpix {

enum class WindowHandle : std::uintptr_t {};
enum class IconHandle : std::uintptr_t {};

}  // namespace veilpix
