#include "tests/e2e/chooser_dialog.h"

#include <algorithm>

#include "resources/resource.h"
#include "tests/e2e/veilpix_app.h"

namespace veilpix::testing {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

LRESULT Send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(hwnd, message, wparam, lparam, SMTO_NORMAL, kSendTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

// The entries of a list box or combo box, read with its own messages.
std::vector<std::wstring> Entries(HWND list, UINT get_count, UINT get_length, UINT get_text) {
  std::vector<std::wstring> entries;
  const int count = static_cast<int>(Send(list, get_count, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring text(static_cast<size_t>(Send(list, get_length, i, 0)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(Send(list, get_text, i, reinterpret_cast<LPARAM>(text.data()))));
    entries.push_back(text);
  }
  return entries;
}

std::vector<std::wstring> ListBoxEntries(HWND list) {
  return Entries(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

int IndexOf(const std::vector<std::wstring>& entries, const std::wstring& text) {
  const auto found = std::find(entries.begin(), entries.end(), text);
  return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

}  // namespace

bool ChooserDialog::WaitOpen(DWORD process_id) {
  return WaitUntil([&] { return (hwnd_ = FindTopLevelWindow(process_id, L"VeilpixForm2", true)); });
}

bool ChooserDialog::WaitClosed() const {
  return WaitUntil([&] { return !IsWindow(hwnd_); });
}

std::wstring ChooserDialog::Caption() const {
  wchar_t text[128] = L"";
  GetWindowTextW(hwnd_, text, 128);
  return text;
}

std::wstring ChooserDialog::Label() const {
  wchar_t text[128] = L"";
  GetWindowTextW(Control(IDC_FORM2_LABEL1), text, 128);
  return text;
}

std::wstring ChooserDialog::Drive() const {
  HWND drives = Control(IDC_FORM2_DRVLIST);
  const int index = static_cast<int>(Send(drives, CB_GETCURSEL, 0, 0));
  const auto entries = Entries(drives, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
  return index < 0 || index >= static_cast<int>(entries.size()) ? L"" : entries[index];
}

std::vector<std::wstring> ChooserDialog::Directories() const {
  return ListBoxEntries(Control(IDC_FORM2_DIRLIST));
}

std::wstring ChooserDialog::HighlightedDirectory() const {
  const int index = static_cast<int>(Send(Control(IDC_FORM2_DIRLIST), LB_GETCURSEL, 0, 0));
  const auto entries = Directories();
  return index < 0 || index >= static_cast<int>(entries.size()) ? L"" : entries[index];
}

std::vector<std::wstring> ChooserDialog::Files() const {
  return ListBoxEntries(Control(IDC_FORM2_FILLIST));
}

bool ChooserDialog::PickDrive(const std::wstring& drive) const {
  HWND drives = Control(IDC_FORM2_DRVLIST);
  const int index = IndexOf(Entries(drives, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT), drive);
  if (index < 0) return false;
  Send(drives, CB_SETCURSEL, index, 0);
  Notify(IDC_FORM2_DRVLIST, CBN_SELCHANGE);
  return true;
}

bool ChooserDialog::HighlightDirectory(const std::wstring& name) const {
  const int index = IndexOf(Directories(), name);
  if (index < 0) return false;
  Send(Control(IDC_FORM2_DIRLIST), LB_SETCURSEL, index, 0);
  Notify(IDC_FORM2_DIRLIST, LBN_SELCHANGE);
  return true;
}

bool ChooserDialog::OpenDirectory(const std::wstring& name) const {
  if (!HighlightDirectory(name)) return false;
  Notify(IDC_FORM2_DIRLIST, LBN_DBLCLK);
  return true;
}

bool ChooserDialog::PickFile(const std::wstring& name) const {
  const int index = IndexOf(Files(), name);
  if (index < 0) return false;
  Send(Control(IDC_FORM2_FILLIST), LB_SETCURSEL, index, 0);
  Notify(IDC_FORM2_FILLIST, LBN_SELCHANGE);
  return true;
}

void ChooserDialog::ClickOk() const {
  PostMessageW(Control(IDC_FORM2_COMMAND1), BM_CLICK, 0, 0);
}

void ChooserDialog::ClickCancel() const {
  PostMessageW(Control(IDC_FORM2_COMMAND2), BM_CLICK, 0, 0);
}

void ChooserDialog::PressEscape() const {
  HWND files = Control(IDC_FORM2_FILLIST);
  PostMessageW(files, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(files, WM_KEYUP, VK_ESCAPE, 1 | 0xC0000000);
}

void ChooserDialog::Notify(int id, int code) const {
  Send(hwnd_, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Control(id)));
}

}  // namespace veilpix::testing
