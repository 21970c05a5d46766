#include "platform/win32/win32_registry_api.h"

#include "platform/win32/handles.h"

namespace veilpix {

long Win32RegistryApi::RegOpenKeyExA(RegKey root, const char* sub_key, std::uint32_t options,
                                     std::uint32_t access, RegKey* result) {
  HKEY key = nullptr;
  const LONG rc = ::RegOpenKeyExA(ToWin32<HKEY>(root), sub_key, options, access, &key);
  *result = FromWin32<RegKey>(key);
  return rc;
}

long Win32RegistryApi::RegQueryValueExA(RegKey key, const char* value_name, std::uint32_t* reserved,
                                        std::uint32_t* type, std::uint8_t* data,
                                        std::uint32_t* size) {
  DWORD win_type = 0;
  DWORD win_size = *size;
  const LONG rc =
      ::RegQueryValueExA(ToWin32<HKEY>(key), value_name, reinterpret_cast<DWORD*>(reserved),
                         &win_type, data, &win_size);
  *type = win_type;
  *size = win_size;
  return rc;
}

long Win32RegistryApi::RegCreateKeyExA(RegKey root, const char* sub_key, std::uint32_t reserved,
                                       const char* key_class, std::uint32_t options,
                                       std::uint32_t access, const SecurityAttributes* security,
                                       RegKey* result, std::uint32_t* disposition) {
  SECURITY_ATTRIBUTES attributes{};
  attributes.nLength = security->nLength;
  attributes.lpSecurityDescriptor = const_cast<void*>(security->lpSecurityDescriptor);
  attributes.bInheritHandle = static_cast<BOOL>(security->bInheritHandle);
  HKEY key = nullptr;
  DWORD win_disposition = 0;
  const LONG rc =
      ::RegCreateKeyExA(ToWin32<HKEY>(root), sub_key, reserved, const_cast<char*>(key_class),
                        options, access, &attributes, &key, &win_disposition);
  *result = FromWin32<RegKey>(key);
  *disposition = win_disposition;
  return rc;
}

long Win32RegistryApi::RegSetValueExA(RegKey key, const char* value_name, std::uint32_t reserved,
                                      std::uint32_t type, const std::uint8_t* data,
                                      std::uint32_t size) {
  return ::RegSetValueExA(ToWin32<HKEY>(key), value_name, reserved, type, data, size);
}

long Win32RegistryApi::RegCloseKey(RegKey key) {
  return ::RegCloseKey(ToWin32<HKEY>(key));
}

}  // namespace veilpix
