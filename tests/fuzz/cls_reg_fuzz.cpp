// clsReg::RegGetString over whatever a registry can hand back: any bytes, any type, any return
// code, any size reported. The read must not crash, must return no NUL and no more characters
// than its 256-byte buffer holds, must close the key it opened, and must not lose a value that
// is there.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/cls_reg.h"
#include "core/picture_setting.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/fakes.h"

namespace veilpix::fuzzing {
namespace {

constexpr RegKey kOpenedKey = 0x1234;
constexpr long kErrorMoreData = 234;

// A registry whose one value is whatever the fuzzer says.
class FuzzedRegistry final : public RegistryApi {
 public:
  explicit FuzzedRegistry(FuzzedDataProvider& input)
      : open_result_(input.ConsumeBool() ? 0 : input.ConsumeIntegralInRange<long>(1, 0xFFFF)),
        query_result_(QueryResult(input)),
        type_(input.ConsumeBool() ? kRegSz : input.ConsumeIntegral<std::uint32_t>()),
        reported_size_(input.ConsumeIntegral<std::uint32_t>()),
        data_(input.ConsumeRemainingBytes<std::uint8_t>()) {}

  bool ReadSucceeds() const { return open_result_ == 0 && query_result_ == 0 && type_ == kRegSz; }
  bool HoldsText() const { return !data_.empty() && data_.front() != 0; }
  int open_keys() const { return open_keys_; }

  long RegOpenKeyExA(RegKey, const char*, std::uint32_t, std::uint32_t, RegKey* result) override {
    if (open_result_ != 0) return open_result_;
    *result = kOpenedKey;
    ++open_keys_;
    return 0;
  }

  long RegQueryValueExA(RegKey key, const char*, std::uint32_t*, std::uint32_t* type,
                        std::uint8_t* data, std::uint32_t* size) override {
    Require(key == kOpenedKey, "a query runs on the key that was opened");
    Require(*size > 0, "the query offers a buffer");
    // The caller vouches for *size bytes: reading the last one lets the sanitizer check that.
    const volatile std::uint8_t last = data[*size - 1];
    static_cast<void>(last);
    // Like the real call, it writes no more than the value holds and the caller offered.
    std::copy_n(data_.begin(), std::min<size_t>(data_.size(), *size), data);
    *type = type_;
    *size = reported_size_;  // not to be trusted
    return query_result_;
  }

  long RegCreateKeyExA(RegKey, const char*, std::uint32_t, const char*, std::uint32_t,
                       std::uint32_t, const SecurityAttributes*, RegKey*, std::uint32_t*) override {
    Require(false, "a read creates no key");
    return 5;
  }

  long RegSetValueExA(RegKey, const char*, std::uint32_t, std::uint32_t, const std::uint8_t*,
                      std::uint32_t) override {
    Require(false, "a read writes nothing");
    return 5;
  }

  long RegCloseKey(RegKey key) override {
    Require(key == kOpenedKey && open_keys_ > 0, "only the opened key is closed, once");
    --open_keys_;
    return 0;
  }

 private:
  // Mostly success and "too large", the answers a real registry gives most.
  static long QueryResult(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 3)) {
      case 0:
      case 1:
        return 0;
      case 2:
        return kErrorMoreData;
      default:
        return input.ConsumeIntegralInRange<long>(1, 0xFFFF);
    }
  }

  long open_result_;
  long query_result_;
  std::uint32_t type_;
  std::uint32_t reported_size_;
  std::vector<std::uint8_t> data_;
  int open_keys_ = 0;
};

}  // namespace
}  // namespace veilpix::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace veilpix;
  using fuzzing::Require;
  FuzzedDataProvider input(data, size);
  fuzzing::FuzzedRegistry registry(input);
  veilpix::testing::FakeDesktop boxes;
  clsReg reg(registry, boxes);

  const std::wstring text = reg.RegGetString(kHkeyCurrentUser, kPicturesKey, kPicturesValue);

  Require(registry.open_keys() == 0, "no key stays open");
  Require(text.find(L'\0') == std::wstring::npos, "the text has no NUL");
  Require(text.size() <= 256, "the text fits the 256-byte buffer");
  Require(boxes.boxes.empty(), "a read shows no message");
  if (!registry.ReadSucceeds()) {
    Require(text.empty(), "a failed read gives \"\"");
  } else if (registry.HoldsText()) {
    Require(!text.empty(), "a value that is there is not lost");
  }
  return 0;
}
