#include "win32/registry.h"

#include <algorithm>

namespace veilpix {
namespace {

constexpr DWORD kReadBufferSize = 256;
constexpr REGSAM kAllKeyRights = 63;       // query, set, create sub-key, enumerate, notify, link
constexpr UINT kBroadcastTimeoutMs = 500;  // per window: a slow one cannot hold Veilpix long
constexpr wchar_t kOptionsKey[] = L"Software\\Veilpix\\General";
constexpr wchar_t kVeilpixKey[] = L"Software\\Veilpix";

std::wstring FromAnsi(const char* bytes, int length) {
  std::wstring text(MultiByteToWideChar(CP_ACP, 0, bytes, length, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes, length, text.data(), static_cast<int>(text.size()));
  return text;
}

struct Watch {
  HANDLE changed = nullptr;
  HKEY key = nullptr;
  std::wstring path;  // where `key` was opened
} watch;

}  // namespace

std::string ToAnsi(std::wstring_view text) {
  const int length = static_cast<int>(text.size());
  std::string bytes(WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, 0, 0), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), static_cast<int>(bytes.size()),
                      nullptr, nullptr);
  return bytes;
}

std::wstring ReadString(std::wstring_view sub_key, std::wstring_view name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, ToAnsi(sub_key).c_str(), 0, kAllKeyRights, &key) != 0)
    return {};
  // NUL-filled, so a value stored without its NUL still ends inside the buffer.
  char buffer[kReadBufferSize] = {};
  DWORD size = kReadBufferSize;
  DWORD type = 0;
  const LONG rc = RegQueryValueExA(key, ToAnsi(name).c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (rc != 0 || type != REG_SZ) return {};
  // A value filling all 256 bytes without a NUL is read whole.
  return FromAnsi(buffer,
                  static_cast<int>(std::find(buffer, buffer + kReadBufferSize, '\0') - buffer));
}

WriteResult WriteString(std::wstring_view sub_key, std::wstring_view name, std::wstring_view text) {
  // Converted before the key is opened, so a failed conversion cannot leave a key open.
  const std::string data = ToAnsi(text);
  if (data.empty() && !text.empty()) return WriteResult::kOutOfMemory;
  SECURITY_ATTRIBUTES security{};  // length 0, no descriptor, not inherited
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, ToAnsi(sub_key).c_str(), 0, const_cast<char*>(""), 0,
                      kAllKeyRights, &security, &key, nullptr) != 0) {
    return WriteResult::kRefused;
  }
  const LONG rc = RegSetValueExA(key, ToAnsi(name).c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(data.c_str()),
                                 static_cast<DWORD>(data.size() + 1));
  RegCloseKey(key);
  return rc == 0 ? WriteResult::kStored : WriteResult::kRefused;
}

std::wstring SystemErrorText(long code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring description(text, length);
  LocalFree(text);
  // The system ends its texts with a line break, which would stand between text and code.
  while (!description.empty() && iswspace(description.back())) description.pop_back();
  wchar_t number[16];
  wsprintfW(number, L" (%ld)", code);
  return description + number;
}

void BroadcastSettingChange() {
  static char section[] = "windows";
  SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(section),
                      SMTO_ABORTIFHUNG, kBroadcastTimeoutMs, nullptr);
}

std::wstring ReadOption(std::wstring_view key, std::wstring_view absent) {
  const std::wstring name(key);
  wchar_t text[1024];
  DWORD size = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, kOptionsKey, name.c_str(), RRF_RT_REG_SZ, nullptr, text,
                   &size) != ERROR_SUCCESS) {
    return std::wstring(absent);
  }
  return text;
}

void WriteOption(std::wstring_view key, std::wstring_view text) {
  const std::wstring name(key);
  const std::wstring data(text);
  RegSetKeyValueW(HKEY_CURRENT_USER, kOptionsKey, name.c_str(), REG_SZ, data.c_str(),
                  static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

long EraseOptions() {
  return RegDeleteTreeW(HKEY_CURRENT_USER, kVeilpixKey);
}

HANDLE WatchPictures() {
  watch.changed = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  RearmPicturesWatch();
  return watch.changed;
}

void RearmPicturesWatch() {
  std::wstring path = kPicturesKey;
  HKEY key = nullptr;
  while (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_NOTIFY, &key) != ERROR_SUCCESS) {
    const size_t separator = path.rfind(L'\\');
    if (separator == std::wstring::npos) return;  // the timer's refresh is all there is
    path.resize(separator);
  }
  // Armed again on the key already watched, not on a new handle: closing a watched key sets
  // the event, which would wake the loop for nothing.
  const bool same = watch.key && path == watch.path;
  if (same) {
    RegCloseKey(key);
  } else {
    if (watch.key) RegCloseKey(watch.key);
    watch.key = key;
    watch.path = path;
  }
  if (RegNotifyChangeKeyValue(watch.key, path != kPicturesKey,
                              REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_NAME, watch.changed,
                              TRUE) != ERROR_SUCCESS &&
      same) {
    // The key watched was deleted (and perhaps made again) since: watched anew, on a fresh one.
    RegCloseKey(watch.key);
    watch.key = nullptr;
    RearmPicturesWatch();
  }
}

void StopWatchingPictures() {
  if (watch.key) RegCloseKey(watch.key);
  if (watch.changed) CloseHandle(watch.changed);
  watch = {};
}

}  // namespace veilpix
