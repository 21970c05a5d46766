#include "tests/win32/browser_stand_in.h"

#include <fstream>
#include <iterator>

namespace veilpix::testing {
namespace {

constexpr wchar_t kWineBrowserKey[] = L"Software\\Wine\\WineBrowser";
constexpr wchar_t kBrowsers[] = L"Browsers";

// Wine's own conversion of a Windows path into the Unix path its programs see.
std::string UnixPath(const std::wstring& windows_path) {
  using GetUnixFileName = char*(__cdecl*)(const wchar_t*);
  const auto convert = reinterpret_cast<GetUnixFileName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return {};
  char* unix_path = convert(windows_path.c_str());
  if (!unix_path) return {};
  std::string result = unix_path;
  HeapFree(GetProcessHeap(), 0, unix_path);
  return result;
}

std::optional<std::wstring> ReadBrowsers() {
  wchar_t data[1024];
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, kWineBrowserKey, kBrowsers, RRF_RT_REG_SZ, nullptr, data,
                   &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(data);
}

void WriteBrowsers(const std::optional<std::wstring>& value) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kWineBrowserKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  if (value) {
    RegSetValueExW(key, kBrowsers, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                   static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
  } else {
    RegDeleteValueW(key, kBrowsers);
  }
  RegCloseKey(key);
}

// Unix paths are UTF-8.
std::wstring Widen(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                  wide.data(), static_cast<int>(wide.size())));
  return wide;
}

}  // namespace

BrowserStandIn::BrowserStandIn(DWORD delay_ms) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  folder_ = std::wstring(temp) + L"veilpix-browser-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder_.c_str(), nullptr);
  const std::wstring script = folder_ + L"\\browser.sh";
  record_ = folder_ + L"\\opened.txt";
  DeleteFileW(record_.c_str());
  const std::string unix_script = UnixPath(script);
  const std::string unix_record = UnixPath(record_);
  if (unix_script.empty() || unix_record.empty()) return;

  // The record appears whole: written under another name, then renamed.
  std::ofstream out(script.c_str(), std::ios::binary);
  out << "sleep " << delay_ms / 1000.0 << "\n"
      << "printf '%s' \"$1\" > '" << unix_record << ".part'\n"
      << "mv '" << unix_record << ".part' '" << unix_record << "'\n";
  out.close();
  if (!out) return;
  previous_browsers_ = ReadBrowsers();
  WriteBrowsers(L"/bin/sh \"" + Widen(unix_script) + L"\"");
  ready_ = true;
}

BrowserStandIn::~BrowserStandIn() {
  if (ready_) WriteBrowsers(previous_browsers_);
  DeleteFileW(record_.c_str());
  DeleteFileW((folder_ + L"\\browser.sh").c_str());
  RemoveDirectoryW(folder_.c_str());
}

std::string BrowserStandIn::Opened() const {
  std::ifstream in(record_.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string BrowserStandIn::WaitForAddress(DWORD timeout_ms) const {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (GetFileAttributesW(record_.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount64() > deadline) return {};
    Sleep(20);
  }
  return Opened();
}

}  // namespace veilpix::testing
