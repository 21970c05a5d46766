#include "platform/win32/win32_desktop.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "core/ansi_text.h"
#include "core/decimal.h"
#include "platform/win32/handles.h"
#include "platform/win32/message_loop.h"

#include "resources/texts.h"

namespace veilpix {
namespace {

// Per window; a hung window is skipped at once, a slow one cannot hold Veilpix for long.
constexpr UINT kBroadcastTimeoutMs = 500;

}  // namespace

void Win32Desktop::MsgBox(std::wstring_view prompt, unsigned buttons, std::wstring_view title) {
  const std::wstring text(prompt);
  const std::wstring caption =
      title.empty() ? std::wstring(WIDE(TXT_APP_TITLE)) : std::wstring(title);
  HWND owner = GetActiveWindow();
  // A tray program often has no active window: then the box must still block the whole task.
  const UINT modality = owner ? MB_APPLMODAL : MB_TASKMODAL;
  MessageBoxW(owner, text.c_str(), caption.c_str(), buttons | modality | MB_SETFOREGROUND);
}

// The record's first, smallest form, which every shell takes.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88);

bool Win32Desktop::NotifyIcon(std::uint32_t action, const NotifyIconData& record) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = ToWin32<HWND>(record.hWnd);
  data.uID = record.uID;
  data.uFlags = record.uFlags;
  data.uCallbackMessage = record.uCallbackMessage;
  data.hIcon = ToWin32<HICON>(record.hIcon);
  const std::string tip = ToAnsi(record.szTip);
  tip.copy(data.szTip, sizeof data.szTip - 1);
  return Shell_NotifyIconA(action, &data) != FALSE;
}

void Win32Desktop::BroadcastSettingChange() {
  static char section[] = "windows";
  SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(section),
                      SMTO_ABORTIFHUNG, kBroadcastTimeoutMs, nullptr);
}

bool Win32Desktop::StartMinimized(std::wstring_view path) {
  const std::wstring application(path);
  // The path is the application name and, quoted, the command line: a path with blanks can
  // never start a program named by its first word.
  std::wstring command_line = L"\"" + application + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMINIMIZED;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(application.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool Win32Desktop::FileExists(std::wstring_view path) {
  const std::wstring name(path);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32Desktop::DoEvents() {
  RunPending();
}

std::wstring Win32Desktop::ErrorText(long code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring description(text, length);
  LocalFree(text);
  while (!description.empty() && iswspace(description.back())) description.pop_back();
  return description + L" (" + Decimal(code) + L")";
}

std::int32_t Win32Desktop::ShellExecuteOpen(std::wstring_view file) {
  const std::string ansi = ToAnsi(file);
  const HINSTANCE result =
      ShellExecuteA(GetDesktopWindow(), "open", ansi.c_str(), nullptr, "", SW_SHOWNORMAL);
  return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace veilpix
