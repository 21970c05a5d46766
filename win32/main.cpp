#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "core/command_line.h"
#include "win32/forms.h"
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

// Brings the resident's window forward and returns false at once, or waits while it is ending
// (its last box may still be open) and returns true when it has ended: this start holds `claim`
// then and is the resident. A resident that answers for five seconds with no window (still
// starting, hung), or that this start may not wait for (elevated), is left alone.
bool ResidentEnded(HANDLE claim) {
  for (int tries = 0; tries < 50;) {
    DWORD_PTR staying = 0;
    HWND running = FindWindowW(kTrayWindowClass, nullptr);
    if (running) {
      DWORD process = 0;
      GetWindowThreadProcessId(running, &process);
      AllowSetForegroundWindow(process);  // this start has the user's foreground rights
    }
    const bool answered = running && SendMessageTimeoutW(running, ShowFromOutsideMessage(), 0, 0,
                                                         SMTO_ABORTIFHUNG, 1000, &staying);
    if (staying || !claim) return false;
    tries += !answered;
    // Abandoned: the resident's process has ended.
    const DWORD waited = WaitForSingleObject(claim, 100);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return true;
  }
  return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const Launch launch = ParseLaunch(Arguments());
  switch (launch) {
    case Launch::kResident:
      break;
    case Launch::kUsage:
      MessageBoxW(nullptr, UserTexts()[text::kUsage], UserTexts()[text::kAppTitle],
                  MB_OK | MB_ICONINFORMATION);
      return 0;
    case Launch::kInvalid:
      return 2;
    default:
      return SwitchFromCommandLine(launch);
  }
  // One resident per user session: it owns this mutex until its process ends, so a copy that
  // crashed does not keep the next start out. A copy running elevated denies the open.
  const HANDLE claim = CreateMutexW(nullptr, TRUE, L"Local\\Veilpix");
  const DWORD error = GetLastError();
  if ((error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED) && !ResidentEnded(claim))
    return 0;
  // Links open through the shell, which asks for COM on the calling thread.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  if (!CreateTrayWindow(instance)) return 1;
  return RunMessageLoop();
}
