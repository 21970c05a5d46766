#pragma once
// Reads and writes REG_SZ values through the ANSI registry functions. Every call opens and closes
// its own key, so no handle outlives a call: RegGetString runs on every timer tick.

#include <string>
#include <string_view>

#include "core/message_boxes.h"
#include "core/registry_api.h"

namespace veilpix {

class clsReg {
 public:
  clsReg(RegistryApi& api, MessageBoxes& boxes) : api_(api), boxes_(boxes) {}

  // The value's text, or "" on every failure (missing key or value, not REG_SZ, over 256 bytes).
  std::wstring RegGetString(const RegKey& lnghInKey, std::wstring_view strSubKey,
                            std::wstring_view strValName);

  // ﾚｼﾞｽﾄﾘに文字列を書き込む。
  bool RegSetString(const RegKey& lnghKey, const std::wstring& strSubKey,
                    std::wstring_view strSetValue, std::wstring_view strValue);

 private:
  RegistryApi& api_;
  MessageBoxes& boxes_;
};

}  // namespace veilpix
