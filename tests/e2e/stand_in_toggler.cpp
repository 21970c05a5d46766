// Stands in for the external switching program: leaves "<its own path>.ran" behind, holding how it
// was asked to show its window (SW_*), so a test can tell which copy Veilpix started and how, and
// ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  wchar_t path[MAX_PATH + 4];
  lstrcpyW(path + GetModuleFileNameW(nullptr, path, MAX_PATH), L".ran");
  const HANDLE ran = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const char digit = static_cast<char>('0' + show);
  DWORD written = 0;
  WriteFile(ran, &digit, 1, &written, nullptr);
  CloseHandle(ran);
  return 0;
}
