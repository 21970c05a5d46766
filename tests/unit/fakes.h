#pragma once
// Stand-ins for the settings store, the desktop and the dialogs that record what the forms do.

#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/desktop.h"
#include "core/settings_store.h"
#include "tray/dialogs.h"

namespace veilpix::testing {

class FakeSettingsStore final : public SettingsStore {
 public:
  // "App\\Section\\Key" -> text
  std::map<std::wstring, std::wstring> values;

  std::wstring Read(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                    std::wstring_view default_text) override;
  void Write(std::wstring_view app, std::wstring_view section, std::wstring_view key,
             std::wstring_view text) override;
  bool Erase(std::wstring_view app) override;

  // Shorthands for section "General" of "Veilpix".
  void Set(std::wstring_view key, std::wstring_view text);
  bool Has(std::wstring_view key) const;
  std::wstring Get(std::wstring_view key) const;
};

struct MessageBoxCall {
  std::wstring prompt;
  unsigned buttons;
  std::wstring title;
};

class FakeDesktop final : public Desktop {
 public:
  std::vector<MessageBoxCall> boxes;
  std::vector<std::pair<std::uint32_t, NotifyIconBytes>> notify_calls;
  std::vector<std::wstring> started;
  std::set<std::wstring> files;  // paths that exist
  bool start_fails = false;
  int broadcasts = 0;
  int do_events = 0;
  bool ended = false;
  std::vector<std::string> log;  // the order of the calls that matter for ordering tests

  void MsgBox(std::wstring_view prompt, unsigned buttons, std::wstring_view title) override;
  bool NotifyIcon(std::uint32_t action, const NotifyIconBytes& record) override;
  void BroadcastSettingChange() override;
  bool StartMinimized(std::wstring_view path) override;
  bool FileExists(std::wstring_view path) override { return files.count(std::wstring(path)) != 0; }
  void DoEvents() override;
  void EndProgram() override;
  std::int32_t ShellExecuteOpen(std::wstring_view file) override;

  std::int32_t shell_result = 42;       // what ShellExecuteOpen answers
  std::vector<std::wstring> opened;     // files and addresses handed to the shell
};

class FakeDialogs final : public Dialogs {
 public:
  static constexpr Handle kChooserIcon = 0x2001;
  static constexpr Handle kAboutIcon = 0x3001;

  bool about_visible = false;
  bool chooser_open = false;
  int about_check1 = 0;
  int chooser_shown = 0;
  int chooser_brought_to_front = 0;
  int about_shown = 0;
  int about_closed = 0;
  std::function<void()> on_show_chooser;  // what the user does in the chooser
  std::vector<std::string>* log = nullptr;

  Handle ChooserIcon() override { return kChooserIcon; }
  Handle AboutIcon() override { return kAboutIcon; }
  void ShowChooser() override;
  bool ChooserOpen() override { return chooser_open; }
  void BringChooserToFront() override { ++chooser_brought_to_front; }
  void ShowAbout() override { ++about_shown; }
  bool AboutVisible() override { return about_visible; }
  void CloseAbout() override;
  int AboutCheck1Value() override { return about_check1; }
};

}  // namespace veilpix::testing
