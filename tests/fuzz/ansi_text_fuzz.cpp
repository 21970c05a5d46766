// The conversion every registry text passes through, between wide text and the ANSI code page:
// any bytes read back and any wide text written. Embedded NULs are converted like any other
// character, one character never becomes several, and what has been converted once converts
// back and forth unchanged.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/ansi_text.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace veilpix;
  using fuzzing::Require;

  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::wstring read = FromAnsi(bytes);
  Require(read.size() <= bytes.size(), "every character comes from at least one byte");
  Require(
      std::count(read.begin(), read.end(), L'\0') == std::count(bytes.begin(), bytes.end(), '\0'),
      "NULs read back are kept, none are made up");
  Require(FromAnsi(ToAnsi(read)) == read, "text read back is written back as it was read");

  std::wstring units;
  for (size_t i = 0; i + 1 < size; i += 2) {
    units.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
  }
  const std::string written = ToAnsi(units);
  Require(written.size() <= 2 * units.size(), "a character takes at most two bytes");
  Require(std::count(written.begin(), written.end(), '\0') ==
              std::count(units.begin(), units.end(), L'\0'),
          "NULs written are kept, none are made up");
  Require(FromAnsi(written).size() == units.size(),
          "a character written reads back as one character");
  return 0;
}
