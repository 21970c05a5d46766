#pragma once
// What a process holds: kernel handles, GDI and USER objects and private memory. Wine implements
// neither GetProcessHandleCount, GetGuiResources nor PrivateUsage, so each count here has a way
// that works under Wine too.

#include <windows.h>

#include <cstddef>

namespace veilpix::testing {

// This process's kernel handles, counted from the system's handle table.
size_t CountProcessHandles();

// This process's GDI objects, stock objects included.
size_t CountGdiObjects();

// This process's USER objects. Under Wine these are its windows of every kind; an icon there
// also holds GDI bitmaps, so a leaked icon shows in the GDI count.
size_t CountUserObjects();

// Committed private memory of `process` in bytes: what Windows reports as PrivateUsage.
size_t PrivateBytes(HANDLE process);

}  // namespace veilpix::testing
