#pragma once
// What a start of Veilpix.exe is asked to do by its arguments.

#include <string>
#include <string_view>
#include <vector>

namespace veilpix {

enum class Launch {
  kResident,  // no argument: the tray resident (or the one already running, brought forward)
  kOn,        // /on: pictures shown
  kOff,       // /off: pictures hidden
  kToggle,    // /toggle: the opposite of what is stored
  kUsage,     // /?
  kInvalid,   // anything else, or more than one argument
};

// The arguments after the program's name, empty ones left out. Case does not matter, and "-"
// works like "/".
Launch ParseLaunch(const std::vector<std::wstring>& arguments);

// What a switch from the command line stores, given what is stored now; written as the tray's
// switch writes it.
std::wstring_view PicturesAfter(Launch launch, std::wstring_view stored);

}  // namespace veilpix
