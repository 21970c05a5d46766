#pragma once
// Stand-ins for the registry, the settings store and the desktop. The desktop notes every call
// in one log, so a test sees what happened and in which order.

#include <algorithm>
#include <map>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "core/app_settings.h"
#include "core/registry_api.h"
#include "platform/desktop.h"

namespace veilpix::testing {

// Values by key path, a separator and name; keys can refuse changes, and open handles are kept.
class FakeRegistry final : public RegistryApi {
 public:
  struct Value {
    std::uint32_t type;
    std::string bytes;
  };
  std::map<std::string, Value> values;
  std::map<RegKey, std::string> open;  // handle -> key path
  bool read_only = false;              // write rights refused: no opening with them, no creating
  bool deny_write = false;             // keys open, but no value can be set
  bool throw_on_create = false;        // the run-time runs out of memory

  long RegOpenKeyExA(RegKey, const char* sub_key, std::uint32_t, std::uint32_t access,
                     RegKey* result) override {
    constexpr std::uint32_t kWriteRights = 0x2 | 0x4 | 0x20;  // set value, create sub-key, link
    return read_only && (access & kWriteRights) ? 5 : Open(sub_key, result);
  }
  long RegQueryValueExA(RegKey key, const char* name, std::uint32_t*, std::uint32_t* type,
                        std::uint8_t* data, std::uint32_t* size) override {
    const auto value = values.find(open.at(key) + "\\" + name);
    if (value == values.end()) return 2;
    if (value->second.bytes.size() > *size) return 234;  // more data
    *type = value->second.type;
    std::copy(value->second.bytes.begin(), value->second.bytes.end(), data);
    return 0;
  }
  long RegCreateKeyExA(RegKey, const char* sub_key, std::uint32_t, const char*, std::uint32_t,
                       std::uint32_t, const SecurityAttributes*, RegKey* result,
                       std::uint32_t*) override {
    if (throw_on_create) throw std::bad_alloc();
    return read_only ? 5 : Open(sub_key, result);
  }
  long RegSetValueExA(RegKey key, const char* name, std::uint32_t, std::uint32_t type,
                      const std::uint8_t* data, std::uint32_t size) override {
    if (deny_write) return 5;
    values[open.at(key) + "\\" + name] = {type, std::string(data, data + size)};
    return 0;
  }
  long RegCloseKey(RegKey key) override { return open.erase(key) ? 0 : 6; }

 private:
  long Open(const std::string& path, RegKey* result) {
    *result = static_cast<RegKey>(0x1000 + next_handle_++);
    open[*result] = path;
    return 0;
  }
  std::uintptr_t next_handle_ = 0;
};

// Texts by "App\Section\Key".
class FakeSettingsStore final : public SettingsStore {
 public:
  std::map<std::wstring, std::wstring> values;

  std::wstring Read(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                    std::wstring_view default_text) override {
    const auto found = values.find(Path(app, section, key));
    return found == values.end() ? std::wstring(default_text) : found->second;
  }
  void Write(std::wstring_view app, std::wstring_view section, std::wstring_view key,
             std::wstring_view text) override {
    values[Path(app, section, key)] = text;
  }
  long erase_error = 0;  // the store refuses to erase with this error
  long Erase(std::wstring_view app) override {
    if (erase_error) return erase_error;
    const std::wstring prefix = std::wstring(app) + L"\\";
    return std::erase_if(values, [&](const auto& v) { return v.first.starts_with(prefix); })
               ? 0
               : kNothingStored;
  }
  // Veilpix's own settings.
  void Set(std::wstring_view key, std::wstring_view text) { Write(kAppName, kSection, key, text); }
  std::wstring Get(std::wstring_view key) { return Read(kAppName, kSection, key, L"<absent>"); }

 private:
  static std::wstring Path(std::wstring_view a, std::wstring_view s, std::wstring_view k) {
    return std::wstring(a) + L"\\" + std::wstring(s) + L"\\" + std::wstring(k);
  }
};

class FakeDesktop final : public Desktop {
 public:
  std::wstring log;  // every call, in order
  std::vector<std::pair<std::uint32_t, NotifyIconData>> notified;
  std::set<std::wstring> files;  // the programs and other files that exist
  bool icon_shown = false;
  int refuse_adds = 0;
  std::int32_t shell_result = 42;

  void Note(std::wstring_view entry) { log.append(log.empty() ? L"" : L"; ").append(entry); }
  void MsgBox(std::wstring_view prompt, unsigned buttons, std::wstring_view title) override {
    Note(L"box " + std::to_wstring(buttons) + L" [" + std::wstring(title) + L"] " +
         std::wstring(prompt));
  }
  // The notification area: an add is refused while the shell is not ready, a modify while the
  // icon is not there.
  bool NotifyIcon(std::uint32_t action, const NotifyIconData& record) override {
    Note(L"notify " + std::to_wstring(action));
    notified.emplace_back(action, record);
    if (action == kNimModify) return icon_shown;
    if (action == kNimAdd && refuse_adds > 0) {
      --refuse_adds;
      return false;
    }
    icon_shown = action == kNimAdd;
    return true;
  }
  void BroadcastSettingChange() override { Note(L"broadcast"); }
  bool StartMinimized(std::wstring_view path) override {
    Note(L"start " + std::wstring(path));
    return FileExists(path);
  }
  bool FileExists(std::wstring_view path) override { return files.contains(std::wstring(path)); }
  void DoEvents() override { Note(L"do events"); }
  std::wstring ErrorText(long code) override { return L"error " + std::to_wstring(code); }
  std::int32_t ShellExecuteOpen(std::wstring_view file) override {
    Note(L"open " + std::wstring(file));
    return shell_result;
  }
};

}  // namespace veilpix::testing
