#pragma once
// The per-user store of text settings, addressed by application, section and key.

#include <string>
#include <string_view>

namespace veilpix {

inline constexpr long kNothingStored = 2;  // ERROR_FILE_NOT_FOUND

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or `default_text` when the key (or its application or section) is absent.
  virtual std::wstring Read(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                            std::wstring_view default_text) = 0;
  // Creates the application, section and key as needed.
  virtual void Write(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                     std::wstring_view text) = 0;
  // Removes everything stored under `app`: 0 when done, kNothingStored when nothing was stored
  // there, the system's error code when the store refused or stopped half-way.
  virtual long Erase(std::wstring_view app) = 0;
};

}  // namespace veilpix
