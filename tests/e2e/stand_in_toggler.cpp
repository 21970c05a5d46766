// Stands in for the external switching program: records where it was started from, so a test
// can tell which file Veilpix ran, and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t path[MAX_PATH] = L"";
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring line = std::wstring(path, length) + L"\n";
  HANDLE runs =
      CreateFileW(VEILPIX_TOGGLER_RUNS, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (runs == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(runs, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written,
            nullptr);
  CloseHandle(runs);
  return 0;
}
