#include "tests/unit/fake_registry.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace veilpix::testing {
namespace {
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorAccessDenied = 5;
constexpr long kErrorInvalidHandle = 6;
constexpr long kErrorMoreData = 234;
constexpr std::uint32_t kWriteRights = 0x2 | 0x4 | 0x20;  // set value, create sub-key, link
}  // namespace

std::string FakeRegistry::KeyPath(RegKey root, const char* sub_key) {
  return std::to_string(root) + "\\" + sub_key;
}

void FakeRegistry::PutString(const std::string& path, const std::string& name,
                             const std::string& text, std::uint32_t type, bool with_nul) {
  FakeValue value{type, std::vector<std::uint8_t>(text.begin(), text.end())};
  if (with_nul) value.bytes.push_back(0);
  keys[KeyPath(kHkeyCurrentUser, path.c_str())][name] = value;
}

std::vector<std::uint8_t> FakeRegistry::Bytes(const std::string& path,
                                              const std::string& name) const {
  const auto key = keys.find(KeyPath(kHkeyCurrentUser, path.c_str()));
  if (key == keys.end()) return {};
  const auto value = key->second.find(name);
  return value == key->second.end() ? std::vector<std::uint8_t>{} : value->second.bytes;
}

bool FakeRegistry::Has(const std::string& path, const std::string& name) const {
  const auto key = keys.find(KeyPath(kHkeyCurrentUser, path.c_str()));
  return key != keys.end() && key->second.count(name) != 0;
}

RegKey FakeRegistry::NewHandle(const std::string& path) {
  const RegKey handle = next_handle_++;
  open_[handle] = path;
  return handle;
}

long FakeRegistry::RegOpenKeyExA(RegKey root, const char* sub_key, std::uint32_t options,
                                 std::uint32_t access, RegKey* result) {
  calls.push_back("open " + std::string(sub_key) + " options=" + std::to_string(options) +
                  " access=" + std::to_string(access));
  const std::string path = KeyPath(root, sub_key);
  if (!keys.count(path)) return kErrorFileNotFound;
  if (read_only && (access & kWriteRights)) return kErrorAccessDenied;
  *result = NewHandle(path);
  return 0;
}

long FakeRegistry::RegQueryValueExA(RegKey key, const char* value_name, std::uint32_t* reserved,
                                    std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
  calls.push_back("query " + std::string(value_name) + " size=" + std::to_string(*size) +
                  (reserved ? " reserved" : ""));
  if (!open_.count(key)) return kErrorInvalidHandle;
  const auto& values = keys[open_[key]];
  const auto value = values.find(value_name);
  if (value == values.end()) return kErrorFileNotFound;
  *type = value->second.type;
  const auto needed = static_cast<std::uint32_t>(value->second.bytes.size());
  if (needed > *size) {
    *size = needed;
    return kErrorMoreData;
  }
  std::copy(value->second.bytes.begin(), value->second.bytes.end(), data);
  *size = needed;
  return 0;
}

long FakeRegistry::RegCreateKeyExA(RegKey root, const char* sub_key, std::uint32_t reserved,
                                   const char* key_class, std::uint32_t options,
                                   std::uint32_t access, const SecurityAttributes* security,
                                   RegKey* result, std::uint32_t* disposition) {
  calls.push_back("create " + std::string(sub_key) + " reserved=" + std::to_string(reserved) +
                  " class=" + (key_class ? "\"" + std::string(key_class) + "\"" : "null") +
                  " options=" + std::to_string(options) + " access=" + std::to_string(access) +
                  " security=" +
                  (security ? std::to_string(security->nLength) + "," +
                                  std::to_string(security->lpSecurityDescriptor) + "," +
                                  std::to_string(security->bInheritHandle)
                            : "null"));
  if (throw_on_create) throw std::bad_alloc();
  if (read_only) return kErrorAccessDenied;
  const std::string path = KeyPath(root, sub_key);
  *disposition = keys.count(path) ? 2 : 1;
  keys[path];
  *result = NewHandle(path);
  return 0;
}

long FakeRegistry::RegSetValueExA(RegKey key, const char* value_name, std::uint32_t reserved,
                                  std::uint32_t type, const std::uint8_t* data,
                                  std::uint32_t size) {
  calls.push_back("set " + std::string(value_name) + " reserved=" + std::to_string(reserved) +
                  " type=" + std::to_string(type) + " size=" + std::to_string(size));
  if (!open_.count(key)) return kErrorInvalidHandle;
  if (deny_write) return kErrorAccessDenied;
  keys[open_[key]][value_name] = FakeValue{type, std::vector<std::uint8_t>(data, data + size)};
  return 0;
}

long FakeRegistry::RegCloseKey(RegKey key) {
  calls.push_back("close");
  return open_.erase(key) ? 0 : kErrorInvalidHandle;
}

}  // namespace veilpix::testing
