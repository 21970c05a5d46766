#include "win32/tray_window.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "core/veilpix.h"
#include "resources/resource.h"
#include "win32/about_window.h"
#include "win32/chooser.h"
#include "win32/forms.h"
#include "win32/message_loop.h"
#include "win32/registry.h"

namespace veilpix {
namespace {

// The outer size in twips; the one button fills the client area.
constexpr double kWidth = 1020;
constexpr double kHeight = 840;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr FontDescription kButtonFont{text::kMainFont, 11.25};

// The record's first, smallest form, which every shell takes.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88);

HINSTANCE instance = nullptr;
HWND owner = nullptr;  // hidden: keeps the window off the taskbar
HWND window = nullptr;
HWND button = nullptr;  // the one button, its caption the state
HMENU menu = nullptr;   // the tray menu
HFONT font = nullptr;
HICON tray_images[2] = {};  // pictures hidden, shown; loaded once
bool pictures_shown = true;
int dpi = 96;
UINT taskbar_created = 0;

// The world as the model sees it, through this window and the registry.
class TrayWorld final : public World {
 public:
  std::wstring ReadPictures() override { return ReadString(kPicturesKey, kPicturesValue); }
  WriteResult WritePictures(std::wstring_view text) override {
    return WriteString(kPicturesKey, kPicturesValue, text);
  }
  void BroadcastChange() override { BroadcastSettingChange(); }
  std::wstring ReadOption(std::wstring_view key, std::wstring_view absent) override {
    return veilpix::ReadOption(key, absent);
  }
  void WriteOption(std::wstring_view key, std::wstring_view text) override {
    veilpix::WriteOption(key, text);
  }
  long EraseOptions() override { return veilpix::EraseOptions(); }
  bool FileExists(std::wstring_view path) override;
  bool StartMinimized(std::wstring_view path) override;
  int OpenDocument(std::wstring_view address) override;
  std::wstring ErrorText(long code) override { return SystemErrorText(code); }
  void ShowMessage(std::wstring_view text, unsigned style, std::wstring_view title) override;
  bool TrayIcon(IconAction action) override;
  void ShowState(const State& state) override;
  void ShowWindow(bool visible, bool topmost) override;
  void MoveWindow(Position position) override;
  Position WindowPosition() override;
  void PopupMenu() override;
  void ShowChooser() override { veilpix::ShowChooser(instance, model); }
  void ShowAbout() override { ShowAboutWindow(instance, window, model); }
  void CloseAbout() override { CloseAboutWindow(); }
  void EndProgram() override { DestroyWindow(window); }

  Veilpix model{*this, UserTexts()};
} world;

bool TrayWorld::FileExists(std::wstring_view path) {
  const DWORD attributes = GetFileAttributesW(std::wstring(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TrayWorld::StartMinimized(std::wstring_view path) {
  // The path is the application name and, quoted, the command line: a path with blanks can
  // never start a program named by its first word.
  const std::wstring application(path);
  std::wstring command_line = L"\"" + application + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMINIMIZED;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(application.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

int TrayWorld::OpenDocument(std::wstring_view address) {
  const HINSTANCE result = ShellExecuteA(GetDesktopWindow(), "open", ToAnsi(address).c_str(),
                                         nullptr, "", SW_SHOWNORMAL);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

void TrayWorld::ShowMessage(std::wstring_view text, unsigned style, std::wstring_view title) {
  const std::wstring caption(title.empty() ? UserTexts()[text::kAppTitle] : title);
  // A tray program often has no active window: then the box must still block the whole task.
  HWND active = GetActiveWindow();
  MessageBoxW(active, std::wstring(text).c_str(), caption.c_str(),
              style | MB_SETFOREGROUND | (active ? MB_APPLMODAL : MB_TASKMODAL));
}

bool TrayWorld::TrayIcon(IconAction action) {
  NOTIFYICONDATAA icon{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = window;
  icon.uID = kTrayIconId;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = kTrayCallbackMessage;
  icon.hIcon = tray_images[pictures_shown];
  // The name, its NUL, then blanks to the end of the field: the tip ends at the NUL.
  std::string tip = ToAnsi(UserTexts()[text::kAppTitle]) + '\0';
  tip.resize(sizeof icon.szTip - 1, ' ');
  tip.copy(icon.szTip, tip.size());
  const DWORD message[] = {NIM_ADD, NIM_MODIFY, NIM_DELETE};
  return Shell_NotifyIconA(message[static_cast<int>(action)], &icon) != FALSE;
}

// The caption, the image the tray gets next and the menu's marks, all from the model's state.
void TrayWorld::ShowState(const State& state) {
  pictures_shown = state.pictures_shown;
  SetWindowTextW(button, UserTexts()[state.pictures_shown ? text::kShown : text::kHidden]);
  const struct {
    UINT id;
    bool checked, enabled;
  } items[] = {
      {IDM_TOGGLE, state.external, !state.external_locked},
      {IDM_CHANGE, state.click_switches, true},
      {IDM_START, state.show_at_start, !state.click_switches},
      {IDM_POS, state.remember_position, !state.click_switches},
  };
  for (const auto& item : items) {
    CheckMenuItem(menu, item.id, item.checked ? MF_CHECKED : MF_UNCHECKED);
    EnableMenuItem(menu, item.id, item.enabled ? MF_ENABLED : MF_GRAYED);
  }
}

void TrayWorld::ShowWindow(bool visible, bool topmost) {
  ::ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
  if (topmost)
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
}

// A position stored on a monitor that is gone would leave the window out of reach.
void TrayWorld::MoveWindow(Position position) {
  RECT rect;
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  int x = TwipsToPixels(position.left, dpi);
  int y = TwipsToPixels(position.top, dpi);
  const RECT wanted{x, y, x + width, y + height};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& area = monitor.rcWork;
    x = std::max(area.left, std::min<LONG>(x, area.right - width));
    y = std::max(area.top, std::min<LONG>(y, area.bottom - height));
  }
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Position TrayWorld::WindowPosition() {
  RECT rect;
  GetWindowRect(window, &rect);
  return {PixelsToTwips(rect.top, dpi), PixelsToTwips(rect.left, dpi)};
}

void TrayWorld::PopupMenu() {
  // In front first, and a message after, so the menu closes when the user clicks elsewhere.
  SetForegroundWindow(window);
  POINT cursor;
  GetCursorPos(&cursor);
  // Items answer the left button only: the right button that opened the menu is still to come
  // up, perhaps over an item where the menu covers the icon.
  TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, window,
                   nullptr);
  PostMessageW(window, WM_NULL, 0, 0);
}

void OnPicturesChanged() {
  RearmPicturesWatch();
  world.model.Refresh();
}

void OnCommand(int id, int code) {
  if (id == IDC_MAIN_BUTTON) {
    if (code == BN_CLICKED) world.model.ButtonClick();
  } else {
    world.model.Command(id);
  }
}

// The program ends with its window: the watch and the loop stop, what it made goes.
void OnDestroy() {
  WatchEvent(nullptr, nullptr);
  StopWatchingPictures();
  KillTimer(window, kRefreshTimerId);
  DestroyMenu(menu);  // not the window's own menu, so not destroyed with it
  DeleteObject(font);
  for (HICON& image : tray_images) DestroyIcon(image);
  DestroyWindow(owner);
  window = button = owner = nullptr;
  PostQuitMessage(0);
}

LRESULT CALLBACK TrayWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == taskbar_created && taskbar_created != 0) {
    world.model.TaskbarCreated();
    return 0;
  }
  if (message == ShowFromOutsideMessage()) {
    if (!world.model.ShowFromOutside()) return FALSE;
    SetForegroundWindow(hwnd);
    return TRUE;
  }
  switch (message) {
    case kTrayCallbackMessage:
      world.model.TrayButton(static_cast<int>(lparam));
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_TIMER:
      world.model.Refresh();
      return 0;
    case WM_SIZE:
      // The button is the whole client area, also where Windows makes the window wider than
      // designed (the least width of a captioned window).
      ::MoveWindow(button, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_CLOSE:
      world.model.CloseBox();
      return 0;
    case WM_ENDSESSION:
      if (wparam) world.model.Exit();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return DefDlgProcW(hwnd, message, wparam, lparam);
  }
}

// The tray menu in the user's language: the commands in groups, a separator between two.
HMENU CreateTrayMenu() {
  const struct {
    UINT id;
    text::Id text;
  } items[] = {
      // clang-format off
      {IDM_TOGGLE, text::kMenuToggle}, {IDM_CHANGE, text::kMenuChange}, {},
      {IDM_START, text::kMenuStart}, {IDM_POS, text::kMenuPosition}, {},
      {IDM_ABOUT, text::kMenuAbout}, {},
      {IDM_END, text::kMenuEnd},
      // clang-format on
  };
  const HMENU popup = CreatePopupMenu();
  for (const auto& item : items)
    AppendMenuW(popup, item.id ? MF_STRING : MF_SEPARATOR, item.id, UserTexts()[item.text]);
  return popup;
}

HICON LoadTrayImage(int id) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       0));
}

}  // namespace

UINT ShowFromOutsideMessage() {
  static const UINT message = RegisterWindowMessageW(L"Veilpix.ShowFromOutside");
  return message;
}

HWND CreateTrayWindow(HINSTANCE program) {
  instance = program;
  if (!RegisterFormClass(instance, kTrayWindowClass, TrayWindowProc, IDI_MAIN)) return nullptr;
  dpi = ScreenDpi();
  taskbar_created = RegisterWindowMessageW(L"TaskbarCreated");
  tray_images[0] = LoadTrayImage(IDI_HIDDEN);
  tray_images[1] = LoadTrayImage(IDI_SHOWN);
  menu = CreateTrayMenu();
  owner =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  window = CreateWindowExW(0, kTrayWindowClass, UserTexts()[text::kAppTitle], kStyle, 0, 0,
                           TwipsToPixels(kWidth, dpi), TwipsToPixels(kHeight, dpi), owner, nullptr,
                           instance, nullptr);
  if (!window) return nullptr;
  // Another start asks this one to show itself, also when this one runs elevated.
  ChangeWindowMessageFilterEx(window, ShowFromOutsideMessage(), MSGFLT_ALLOW, nullptr);
  font = CreateFontFrom(kButtonFont, dpi);
  RECT client;
  GetClientRect(window, &client);
  button = CreateChild(window, IDC_MAIN_BUTTON, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0,
                       {0, 0, PixelsToTwips(client.right, dpi), PixelsToTwips(client.bottom, dpi)},
                       font, dpi);
  // First in the tab order, the dialog manager focuses it whenever the window is activated; as
  // the default button it takes Enter as well as Space.
  SendMessageW(window, DM_SETDEFID, IDC_MAIN_BUTTON, 0);

  world.model.Start();
  SetTimer(window, kRefreshTimerId, kRefreshMilliseconds, nullptr);
  WatchEvent(WatchPictures(), OnPicturesChanged);
  return window;
}

}  // namespace veilpix
