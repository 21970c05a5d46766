#include "tests/unit/fakes.h"

#include "core/app_settings.h"

namespace veilpix::testing {
namespace {

std::wstring Path(std::wstring_view app, std::wstring_view section, std::wstring_view key) {
  std::wstring path(app);
  path.append(L"\\").append(section).append(L"\\").append(key);
  return path;
}

}  // namespace

std::wstring FakeSettingsStore::Read(std::wstring_view app, std::wstring_view section,
                                     std::wstring_view key, std::wstring_view default_text) {
  const auto found = values.find(Path(app, section, key));
  return found == values.end() ? std::wstring(default_text) : found->second;
}

void FakeSettingsStore::Write(std::wstring_view app, std::wstring_view section,
                              std::wstring_view key, std::wstring_view text) {
  values[Path(app, section, key)] = text;
}

bool FakeSettingsStore::Erase(std::wstring_view app) {
  const std::wstring prefix = std::wstring(app) + L"\\";
  bool erased = false;
  for (auto it = values.begin(); it != values.end();) {
    if (it->first.rfind(prefix, 0) == 0) {
      it = values.erase(it);
      erased = true;
    } else {
      ++it;
    }
  }
  return erased;
}

void FakeSettingsStore::Set(std::wstring_view key, std::wstring_view text) {
  Write(kAppName, kSection, key, text);
}

bool FakeSettingsStore::Has(std::wstring_view key) const {
  return values.count(Path(kAppName, kSection, key)) != 0;
}

std::wstring FakeSettingsStore::Get(std::wstring_view key) const {
  const auto found = values.find(Path(kAppName, kSection, key));
  return found == values.end() ? L"<absent>" : found->second;
}

void FakeDesktop::MsgBox(std::wstring_view prompt, unsigned buttons, std::wstring_view title) {
  boxes.push_back({std::wstring(prompt), buttons, std::wstring(title)});
  log.push_back("msgbox");
}

bool FakeDesktop::NotifyIcon(std::uint32_t action, const NotifyIconBytes& record) {
  notify_calls.emplace_back(action, record);
  log.push_back("notify " + std::to_string(action));
  return true;
}

void FakeDesktop::BroadcastSettingChange() {
  ++broadcasts;
  log.push_back("broadcast");
}

bool FakeDesktop::StartMinimized(std::wstring_view path) {
  log.push_back("start");
  if (start_fails) return false;
  started.emplace_back(path);
  return true;
}

void FakeDesktop::DoEvents() {
  ++do_events;
  log.push_back("doevents");
}

void FakeDesktop::EndProgram() {
  ended = true;
  log.push_back("end");
}

std::int32_t FakeDesktop::ShellExecuteOpen(std::wstring_view file) {
  opened.emplace_back(file);
  log.push_back("shell open");
  return shell_result;
}

void FakeDialogs::ShowChooser() {
  ++chooser_shown;
  if (on_show_chooser) on_show_chooser();
}

void FakeDialogs::CloseAbout() {
  ++about_closed;
  about_visible = false;
  if (log) log->push_back("close about");
}

}  // namespace veilpix::testing
