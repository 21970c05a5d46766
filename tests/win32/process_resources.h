#pragma once
// What a process holds: kernel handles, GDI objects, USER objects and private memory. Wine
// implements neither GetProcessHandleCount, GetGuiResources nor PrivateUsage, so each count here
// has a way that works under Wine too.

#include <windows.h>

#include <cstddef>

namespace veilpix::testing {

// This process's kernel handles, counted from the system's handle table.
size_t CountProcessHandles();

// This process's GDI objects, stock objects included. Under Wine an icon holds GDI bitmaps, so a
// leaked icon shows here.
size_t CountGdiObjects();

// This process's USER objects. Under Wine its windows (children, hidden and message-only ones
// included) and menus; its icons are GDI bitmaps there, counted above.
size_t CountUserObjects();

// Committed private memory of `process` in bytes: what Windows reports as PrivateUsage.
size_t PrivateBytes(HANDLE process);

}  // namespace veilpix::testing
