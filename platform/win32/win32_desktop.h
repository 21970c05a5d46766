#pragma once

#include "platform/desktop.h"

namespace veilpix {

class Win32Desktop final : public Desktop {
 public:
  void MsgBox(std::wstring_view prompt, unsigned buttons, std::wstring_view title) override;
  bool NotifyIcon(std::uint32_t action, const NotifyIconData& record) override;
  void BroadcastSettingChange() override;
  bool StartMinimized(std::wstring_view path) override;
  bool FileExists(std::wstring_view path) override;
  void DoEvents() override;
  std::wstring ErrorText(long code) override;
  std::int32_t ShellExecuteOpen(std::wstring_view file) override;
};

}  // namespace veilpix
