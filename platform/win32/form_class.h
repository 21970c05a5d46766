#pragma once

#include <windows.h>

namespace veilpix {

// Registers the window class of one of Veilpix's forms: its own procedure and icon (large and
// small), the arrow cursor and the dialog face colour. False when registration failed.
bool RegisterFormClass(HINSTANCE instance, const wchar_t* class_name, WNDPROC procedure,
                       int icon_id);

}  // namespace veilpix
