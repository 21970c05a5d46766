#include "tests/e2e/veilpix_app.h"

#include <shellapi.h>

#include <fstream>
#include <vector>

namespace veilpix::testing {
namespace {

constexpr wchar_t kIeMain[] = L"Software\\Microsoft\\Internet Explorer\\Main";
constexpr wchar_t kSettings[] = L"Software\\Veilpix\\General";

struct WindowSearch {
  DWORD process_id;
  const wchar_t* class_name;
  bool visible_only;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  wchar_t name[64];
  if ((search->process_id == 0 || owner == search->process_id) &&
      (!search->visible_only || IsWindowVisible(hwnd)) && GetClassNameW(hwnd, name, 64) &&
      wcscmp(name, search->class_name) == 0) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

std::wstring ReadString(const wchar_t* key, const wchar_t* name) {
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS) {
    return L"<absent>";
  }
  std::wstring data(size / sizeof(wchar_t), L'\0');
  RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, data.data(), &size);
  data.resize(wcslen(data.c_str()));
  return data;
}

void WriteString(const wchar_t* key, const wchar_t* name, const wchar_t* text) {
  HKEY handle;
  RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
  RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
}

}  // namespace

HWND FindTopLevelWindow(DWORD process_id, const wchar_t* class_name, bool visible_only) {
  WindowSearch search{process_id, class_name, visible_only, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (!done()) {
    if (GetTickCount64() > deadline) return false;
    Sleep(20);
  }
  return true;
}

std::wstring VeilpixApp::BuiltExe() {
  // The build tree's Unix path, as Wine's drive Z: shows it.
  std::string unix_path = VEILPIX_EXE;
  std::wstring path = L"Z:";
  for (const char c : unix_path) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
  return path;
}

VeilpixApp::~VeilpixApp() {
  if (!process_.hProcess) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
}

bool VeilpixApp::Start(const std::wstring& exe) {
  std::wstring application = exe.empty() ? BuiltExe() : exe;
  std::wstring command_line = L"\"" + application + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(application.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process_)) {
    return false;
  }
  WaitUntil([&] { return (form1_ = FindTopLevelWindow(process_.dwProcessId, L"VeilpixForm1")); },
            15000);
  if (!form1_ || !WaitUntil([&] { return TrayIconPresent(); }, 10000)) return false;
  // The icon is added in the middle of start-up; the rest is done once the program idles.
  WaitForInputIdle(process_.hProcess, 10000);
  DWORD_PTR result;
  return SendMessageTimeoutW(form1_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
}

HWND VeilpixApp::command1() const {
  return FindWindowExW(form1_, nullptr, L"BUTTON", nullptr);
}

std::wstring VeilpixApp::Caption() const {
  wchar_t text[64] = L"";
  GetWindowTextW(command1(), text, 64);
  return text;
}

void VeilpixApp::PostTray(UINT mouse_message) const {
  PostMessageW(form1_, WM_MOUSEMOVE, 1, mouse_message);
}

void VeilpixApp::PostMenuCommand(int id) const {
  PostMessageW(form1_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool ShellHasTrayIcon(HWND hwnd) {
  // Modifying nothing succeeds exactly when the shell has an icon for this window and id.
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = hwnd;
  data.uID = 1;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool ShellDropTrayIcon(HWND hwnd) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = hwnd;
  data.uID = 1;
  return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}

bool VeilpixApp::WaitForExit(DWORD timeout_ms) const {
  return WaitForSingleObject(process_.hProcess, timeout_ms) == WAIT_OBJECT_0;
}

DWORD VeilpixApp::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::wstring ReadPictures() {
  return ReadString(kIeMain, L"Display Inline Images");
}

void WritePictures(const wchar_t* text) {
  WriteString(kIeMain, L"Display Inline Images", text);
}

void DeleteVeilpixSettings() {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Veilpix");
}

std::wstring ReadSetting(const wchar_t* key) {
  return ReadString(kSettings, key);
}

void WriteSetting(const wchar_t* key, const wchar_t* text) {
  WriteString(kSettings, key, text);
}

std::wstring SaveScreenshot(const wchar_t* name) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const DWORD row = (width * 3 + 3) & ~3u;
  const DWORD image_size = row * height;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + image_size;
  info.bmiHeader.biSizeImage = image_size;

  std::wstring dir = VeilpixApp::BuiltExe();
  dir = dir.substr(0, dir.rfind(L"\\tray\\")) + L"\\artefacts";
  CreateDirectoryW(dir.c_str(), nullptr);
  const std::wstring path = dir + L"\\" + name + L".bmp";
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), image_size);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return path;
}

}  // namespace veilpix::testing
