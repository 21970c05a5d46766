// clsReg::RegGetString over any value a registry can hold: any bytes of any type. The read must
// stay inside its 256-byte buffer, close the key it opened, show nothing, and give the text up to
// the first NUL of a REG_SZ value that fits the buffer and "" for anything else.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "core/ansi_text.h"
#include "core/cls_reg.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace veilpix;
  FuzzedDataProvider input(data, size);
  const std::uint32_t type = input.ConsumeBool() ? kRegSz : input.ConsumeIntegral<std::uint32_t>();
  const std::string bytes = input.ConsumeRemainingBytesAsString();
  testing::FakeRegistry registry;
  registry.values["Key\\Value"] = {type, bytes};
  testing::FakeDesktop desktop;

  const std::wstring text =
      clsReg(registry, desktop).RegGetString(kHkeyCurrentUser, L"Key", L"Value");

  fuzzing::Require(registry.open.empty(), "no key stays open");
  fuzzing::Require(desktop.log.empty(), "a read shows no message");
  const bool fits = type == kRegSz && bytes.size() <= 256;
  fuzzing::Require(text == (fits ? FromAnsi(bytes.substr(0, bytes.find('\0'))) : L""),
                   "a REG_SZ value that fits reads up to its first NUL, anything else as \"\"");
  return 0;
}
