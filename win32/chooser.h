#pragma once
// The chooser of the external switching program: a drive, a directory and a file list, OK and
// Cancel. OK hands the opened directory and the selected file to the model, which decides.

#include <windows.h>

#include "core/veilpix.h"

namespace veilpix {

// Opens it in the current directory and returns once it has closed. While one is open, another
// call only brings it to the front.
void ShowChooser(HINSTANCE instance, Veilpix& veilpix);

}  // namespace veilpix
