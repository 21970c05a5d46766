// A window position as start-up reads it back from whatever text is stored, since a user or
// another program can put anything there: it must come back finite. And every position a window
// can have, written at exit, must read back unchanged at the next start.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "core/options.h"
#include "tests/fuzz/fuzz_check.h"

// The farthest a window edge can be, in twips: a 32-bit pixel coordinate at 1 dot per inch.
constexpr float kFarthestTwips = 2147483648.0f * 1440.0f;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace veilpix;
  FuzzedDataProvider input(data, size);
  // One character a byte, so digits, signs and blanks are easy to reach; a byte above 0x7F stands
  // for a character beyond ASCII whose low byte is again anything.
  std::wstring text;
  for (const unsigned char byte : input.ConsumeRandomLengthString(96)) {
    text.push_back(byte < 0x80 ? byte : 0x100 | (byte & 0x7F));
  }
  fuzzing::Require(std::isfinite(StoredSingle(text)), "any stored text reads as a finite position");
  const float position = input.ConsumeFloatingPointInRange(-kFarthestTwips, kFarthestTwips);
  fuzzing::Require(StoredSingle(FormatSingle(position)) == position,
                   "a written position reads back unchanged");
  return 0;
}
