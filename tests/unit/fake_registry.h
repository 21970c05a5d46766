#pragma once
// An in-memory registry behind the same five calls, which can refuse access and counts the
// handles left open.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/registry_api.h"

namespace veilpix::testing {

struct FakeValue {
  std::uint32_t type = kRegSz;
  std::vector<std::uint8_t> bytes;
};

class FakeRegistry final : public RegistryApi {
 public:
  // Keys are "root\\path"; paths compare case-sensitively, which is enough for the tests.
  std::map<std::string, std::map<std::string, FakeValue>> keys;
  bool read_only = false;   // the user may read but not change: write rights are refused
  bool deny_write = false;  // keys open, but RegSetValueExA fails
  bool throw_on_create = false;
  std::vector<std::string> calls;

  void PutString(const std::string& path, const std::string& name, const std::string& text,
                 std::uint32_t type = kRegSz, bool with_nul = true);
  // The stored bytes of a value; empty when absent.
  std::vector<std::uint8_t> Bytes(const std::string& path, const std::string& name) const;
  bool Has(const std::string& path, const std::string& name) const;
  size_t OpenHandles() const { return open_.size(); }

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

 private:
  static std::string KeyPath(RegKey root, const char* sub_key);
  RegKey NewHandle(const std::string& path);

  std::map<RegKey, std::string> open_;
  RegKey next_handle_ = 0x1000;
};

}  // namespace veilpix::testing
