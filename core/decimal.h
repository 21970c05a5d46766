#pragma once

#include <string>

namespace veilpix {

// A whole number in decimal digits. Not std::to_wstring: that formats through the C library's
// wide printf, which would come into the download for a few small numbers.
inline std::wstring Decimal(long number) {
  const std::string digits = std::to_string(number);
  return {digits.begin(), digits.end()};
}

}  // namespace veilpix
