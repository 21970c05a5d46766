// Stands in for the external switching program: leaves "<its own path>.ran" behind, so a test
// can tell which copy Veilpix started, and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t path[MAX_PATH + 4];
  lstrcpyW(path + GetModuleFileNameW(nullptr, path, MAX_PATH), L".ran");
  CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  return 0;
}
