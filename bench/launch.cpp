#include "bench/launch.h"

#include <shellapi.h>

#include "tests/win32/wine_helpers.h"

namespace veilpix::bench {
namespace {

constexpr UINT kTrayIconId = 1;

struct WindowSearch {
  DWORD process_id;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == search->process_id) search->found.push_back(hwnd);
  return TRUE;
}

}  // namespace

std::vector<std::wstring> Arguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> result;
  for (int i = 1; i < count; ++i) result.emplace_back(arguments[i]);
  LocalFree(arguments);
  return result;
}

bool Launch(const std::wstring& exe, PROCESS_INFORMATION& process) {
  std::wstring command_line = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process) != FALSE;
}

std::vector<HWND> TopLevelWindows(DWORD process_id) {
  WindowSearch search{process_id, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool HasTrayIcon(DWORD process_id) {
  for (HWND hwnd : TopLevelWindows(process_id)) {
    if (testing::TrayIconShown(hwnd, kTrayIconId)) return true;
  }
  return false;
}

void End(PROCESS_INFORMATION& process) {
  for (HWND hwnd : TopLevelWindows(process.dwProcessId)) testing::RemoveTrayIcon(hwnd, kTrayIconId);
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

size_t PrivateBytes(HANDLE process) {
  size_t total = 0;
  MEMORY_BASIC_INFORMATION region;
  const BYTE* address = nullptr;
  while (VirtualQueryEx(process, address, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    address = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize;
  }
  return total;
}

}  // namespace veilpix::bench
