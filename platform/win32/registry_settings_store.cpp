#include "platform/win32/registry_settings_store.h"

#include <windows.h>

#include <string>

namespace veilpix {
namespace {

std::wstring SectionPath(std::wstring_view app, std::wstring_view section) {
  std::wstring path = L"Software\\";
  path.append(app).append(L"\\").append(section);
  return path;
}

}  // namespace

std::wstring RegistrySettingsStore::Read(std::wstring_view app, std::wstring_view section,
                                         std::wstring_view key, std::wstring_view default_text) {
  const std::wstring path = SectionPath(app, section);
  const std::wstring name(key);
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                   &size) != ERROR_SUCCESS) {
    return std::wstring(default_text);
  }
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                   text.data(), &size) != ERROR_SUCCESS) {
    return std::wstring(default_text);
  }
  text.resize(wcslen(text.c_str()));
  return text;
}

void RegistrySettingsStore::Write(std::wstring_view app, std::wstring_view section,
                                  std::wstring_view key, std::wstring_view text) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(app, section).c_str(), 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
    return;
  }
  const std::wstring name(key);
  const std::wstring data(text);
  RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
}

long RegistrySettingsStore::Erase(std::wstring_view app) {
  std::wstring path = L"Software\\";
  path.append(app);
  return RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
}

}  // namespace veilpix
