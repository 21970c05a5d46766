#include "core/cls_reg.h"

#include <algorithm>
#include <array>
#include <exception>
#include <new>

#include "core/ansi_text.h"

namespace veilpix {
namespace {

constexpr std::uint32_t kReadBufferSize = 256;

// The run-time's number and description for an error trapped while writing.
std::wstring DescribeError(const std::exception& error) {
  if (dynamic_cast<const std::bad_alloc*>(&error)) return L"ERROR #7 : メモリが不足しています。";
  return L"ERROR #51 : 内部エラーです。";
}

}  // namespace

std::wstring clsReg::RegGetString(const RegKey& lnghInKey, std::wstring_view strSubKey,
                                  std::wstring_view strValName) {
  std::wstring result;
  RegKey key{};
  if (api_.RegOpenKeyExA(lnghInKey, ToAnsi(strSubKey).c_str(), 0, kKeyAllSpecificRights, &key) !=
      0) {
    return result;
  }
  // NUL-filled, so a value stored without its terminating NUL still ends inside the buffer.
  std::array<std::uint8_t, kReadBufferSize> buffer{};
  std::uint32_t size = kReadBufferSize;
  std::uint32_t type = 0;
  const long rc =
      api_.RegQueryValueExA(key, ToAnsi(strValName).c_str(), nullptr, &type, buffer.data(), &size);
  if (rc == 0 && type == kRegSz) {
    const auto* bytes = reinterpret_cast<const char*>(buffer.data());
    // A value filling all 256 bytes without a NUL is read whole.
    const auto end = std::find(bytes, bytes + buffer.size(), '\0');
    result = FromAnsi(std::string_view(bytes, static_cast<size_t>(end - bytes)));
  }
  api_.RegCloseKey(key);
  return result;
}

bool clsReg::RegSetString(const RegKey& lnghKey, const std::wstring& strSubKey,
                          std::wstring_view strSetValue, std::wstring_view strValue) {
  try {
    // Converted before the key is opened, so a failed conversion cannot leave a key open.
    const std::string sub_key = ToAnsi(strSubKey);
    const std::string name = ToAnsi(strSetValue);
    const std::string data = ToAnsi(strValue);
    const SecurityAttributes security{};
    RegKey key{};
    std::uint32_t disposition = 0;
    // Without a key there is nothing to write to and nothing to close.
    if (api_.RegCreateKeyExA(lnghKey, sub_key.c_str(), 0, "", 0, kKeyAllSpecificRights, &security,
                             &key, &disposition) != 0) {
      return false;
    }
    const long rc = api_.RegSetValueExA(key, name.c_str(), 0, kRegSz,
                                        reinterpret_cast<const std::uint8_t*>(data.c_str()),
                                        static_cast<std::uint32_t>(data.size() + 1));
    api_.RegCloseKey(key);
    return rc == 0;
  } catch (const std::exception& error) {
    boxes_.MsgBox(DescribeError(error), kMbOkOnly, {});
    return false;
  }
}

}  // namespace veilpix
