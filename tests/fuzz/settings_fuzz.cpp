// Veilpix's options as start-up reads them back from whatever texts the store holds: a user or
// another program can put anything there. Reading must not crash, positions must come back
// finite, and every position a window can have, written at exit, must read back unchanged at the
// next start.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "core/app_settings.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/fakes.h"

namespace veilpix::fuzzing {
namespace {

constexpr unsigned char kWideEscape = 0xFF;
// The farthest a window edge can be, in twips: a 32-bit pixel coordinate at 1 dot per inch.
constexpr float kFarthestTwips = 2147483648.0f * 1440.0f;

// A stored text: each byte one character, so digits, signs and blanks are easy to reach; the
// escape byte takes the next two bytes as any UTF-16 unit.
std::wstring StoredText(FuzzedDataProvider& input) {
  const std::string bytes = input.ConsumeRandomLengthString(96);
  std::wstring text;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == kWideEscape && i + 2 < bytes.size()) {
      const auto low = static_cast<unsigned char>(bytes[i + 1]);
      const auto high = static_cast<unsigned char>(bytes[i + 2]);
      text.push_back(static_cast<wchar_t>(low | high << 8));
      i += 2;
    } else {
      text.push_back(static_cast<wchar_t>(byte));
    }
  }
  return text;
}

}  // namespace
}  // namespace veilpix::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace veilpix;
  using fuzzing::Require;
  FuzzedDataProvider input(data, size);

  const std::wstring loose = fuzzing::StoredText(input);
  if (const auto number = ParseStoredNumber(loose)) {
    Require(std::isfinite(*number), "a stored number is finite");
  }

  veilpix::testing::FakeSettingsStore store;
  for (const std::wstring_view key :
       {key::kToggle, key::kChange, key::kShow, key::kPosition, key::kTop, key::kLeft}) {
    if (input.ConsumeBool()) store.Set(key, fuzzing::StoredText(input));
  }
  AppSettings settings(store);
  static_cast<void>(settings.Toggle());
  static_cast<void>(settings.Change());
  static_cast<void>(settings.Show());
  static_cast<void>(settings.Position());
  Require(std::isfinite(settings.Top()), "Top reads as a finite number");
  Require(std::isfinite(settings.Left()), "Left reads as a finite number");

  const float top =
      input.ConsumeFloatingPointInRange(-fuzzing::kFarthestTwips, fuzzing::kFarthestTwips);
  const float left =
      input.ConsumeFloatingPointInRange(-fuzzing::kFarthestTwips, fuzzing::kFarthestTwips);
  settings.WritePosition(top, left);
  Require(settings.Top() == top, "a written Top reads back unchanged");
  Require(settings.Left() == left, "a written Left reads back unchanged");
  return 0;
}
