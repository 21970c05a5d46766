#pragma once

#include "core/registry_api.h"

namespace veilpix {

// The registry functions of advapi32, called as they are.
class Win32RegistryApi final : public RegistryApi {
 public:
  long RegOpenKeyExA(RegKey root, const char* sub_key, std::uint32_t options, std::uint32_t access,
                     RegKey* result) override;
  long RegQueryValueExA(RegKey key, const char* value_name, std::uint32_t* reserved,
                        std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override;
  long RegCreateKeyExA(RegKey root, const char* sub_key, std::uint32_t reserved,
                       const char* key_class, std::uint32_t options, std::uint32_t access,
                       const SecurityAttributes* security, RegKey* result,
                       std::uint32_t* disposition) override;
  long RegSetValueExA(RegKey key, const char* value_name, std::uint32_t reserved,
                      std::uint32_t type, const std::uint8_t* data, std::uint32_t size) override;
  long RegCloseKey(RegKey key) override;
};

}  // namespace veilpix
