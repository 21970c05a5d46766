#pragma once
// The five advapi32 calls that clsReg makes, with the same arguments, so that clsReg runs
// unchanged on the real registry and on a fake that can refuse access.

#include <cstdint>

namespace veilpix {

// A predefined root or an opened key: the registry's handle, opaque and pointer-sized.
enum class RegKey : std::uintptr_t {};

// HKEY_CURRENT_USER, a sign-extended 32-bit value.
inline constexpr RegKey kHkeyCurrentUser =
    static_cast<RegKey>(static_cast<std::uintptr_t>(std::intptr_t{-0x7FFFFFFF}));
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kKeyAllSpecificRights =
    63;  // query, set, create, enumerate, notify, link

// The SECURITY_ATTRIBUTES record RegCreateKeyExA receives.
struct SecurityAttributes {
  std::uint32_t nLength = 0;
  const void* lpSecurityDescriptor = nullptr;
  std::uint32_t bInheritHandle = 0;
};

// Each call returns 0 on success and a Windows error code otherwise.
class RegistryApi {
 public:
  virtual ~RegistryApi() = default;
  virtual long RegOpenKeyExA(RegKey root, const char* sub_key, std::uint32_t options,
                             std::uint32_t access, RegKey* result) = 0;
  virtual long RegQueryValueExA(RegKey key, const char* value_name, std::uint32_t* reserved,
                                std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) = 0;
  virtual long RegCreateKeyExA(RegKey root, const char* sub_key, std::uint32_t reserved,
                               const char* key_class, std::uint32_t options, std::uint32_t access,
                               const SecurityAttributes* security, RegKey* result,
                               std::uint32_t* disposition) = 0;
  virtual long RegSetValueExA(RegKey key, const char* value_name, std::uint32_t reserved,
                              std::uint32_t type, const std::uint8_t* data, std::uint32_t size) = 0;
  virtual long RegCloseKey(RegKey key) = 0;
};

}  // namespace veilpix
