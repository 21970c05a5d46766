#pragma once

#include "core/settings_store.h"

namespace veilpix {

// Application "A", section "S" is the key HKEY_CURRENT_USER\Software\A\S, one REG_SZ per key.
class RegistrySettingsStore final : public SettingsStore {
 public:
  std::wstring Read(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                    std::wstring_view default_text) override;
  void Write(std::wstring_view app, std::wstring_view section, std::wstring_view key,
             std::wstring_view text) override;
  long Erase(std::wstring_view app) override;
};

}  // namespace veilpix
