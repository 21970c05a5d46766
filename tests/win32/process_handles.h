#pragma once

#include <cstddef>

namespace veilpix::testing {

// The kernel handles this process holds, counted from the system's handle table:
// GetProcessHandleCount is of no use under Wine, where it always reports 0.
size_t CountProcessHandles();

}  // namespace veilpix::testing
