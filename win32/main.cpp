#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "core/command_line.h"
#include "resources/texts.h"
#include "win32/message_loop.h"
#include "win32/registry.h"
#include "win32/tray_window.h"

namespace {

using namespace veilpix;

std::vector<std::wstring> Arguments() {
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(words[i]);
  LocalFree(words);
  return arguments;
}

// Writes the setting as the tray's switch does, with no window: 0 when stored, 1 when not.
int SwitchFromCommandLine(Launch launch) {
  const std::wstring_view text = PicturesAfter(launch, ReadString(kPicturesKey, kPicturesValue));
  if (WriteString(kPicturesKey, kPicturesValue, text) != WriteResult::kStored) return 1;
  BroadcastSettingChange();
  return 0;
}

// Brings the resident's window forward, once the resident (perhaps still starting) has one.
int ShowRunningVeilpix() {
  for (int tries = 0; tries < 50; ++tries) {
    if (HWND running = FindWindowW(kTrayWindowClass, nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(running, &process);
      AllowSetForegroundWindow(process);  // this start has the user's foreground rights
      PostMessageW(running, ShowFromOutsideMessage(), 0, 0);
      break;
    }
    Sleep(100);
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const Launch launch = ParseLaunch(Arguments());
  switch (launch) {
    case Launch::kResident:
      break;
    case Launch::kUsage:
      MessageBoxW(nullptr, WIDE(TXT_USAGE), WIDE(TXT_APP_TITLE), MB_OK | MB_ICONINFORMATION);
      return 0;
    case Launch::kInvalid:
      return 2;
    default:
      return SwitchFromCommandLine(launch);
  }
  // One resident per user session. The mutex goes with its process, so a copy that crashed
  // does not keep the next start out.
  CreateMutexW(nullptr, FALSE, L"Local\\Veilpix");
  if (GetLastError() == ERROR_ALREADY_EXISTS) return ShowRunningVeilpix();
  if (!CreateTrayWindow(instance)) return 1;
  return RunMessageLoop();
}
