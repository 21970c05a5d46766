#pragma once
// Conversion between the program's wide text and the system ANSI code page, the encoding the
// "A" functions of Windows take (code page 932 on a Japanese system).

#include <string>
#include <string_view>

namespace veilpix {

// Embedded NULs are converted like any other character.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

}  // namespace veilpix
