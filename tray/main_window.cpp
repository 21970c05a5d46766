#include "tray/main_window.h"

#include "core/picture_setting.h"
#include "platform/twips.h"
#include "platform/win32/fonts.h"
#include "platform/win32/form_class.h"
#include "platform/win32/handles.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/screen_dpi.h"
#include "resources/resource.h"
#include "resources/texts.h"

namespace veilpix {
namespace {

constexpr wchar_t kClassName[] = L"VeilpixForm1";
constexpr UINT_PTR kTimer1Id = 1;

// Design sizes in twips: the outer window; its one button fills the client area.
constexpr double kFormWidth = 1020;
constexpr double kFormHeight = 840;
constexpr FontDescription kCommand1Font{WIDE(TXT_FORM1_FONT), 11.25};

constexpr int kFormControlMenu = 0;  // the window was closed from its title bar

// The tray menu's items, their command numbers and their handlers.
struct MenuCommand {
  Control Form1::*item;
  UINT id;
  void (Form1::*click)();
};
constexpr MenuCommand kMenuCommands[] = {
    {&Form1::mnuToggle, IDM_TOGGLE, &Form1::mnuToggle_Click},
    {&Form1::mnuChange, IDM_CHANGE, &Form1::mnuChange_Click},
    {&Form1::mnuStart, IDM_START, &Form1::mnuStart_Click},
    {&Form1::mnuPos, IDM_POS, &Form1::mnuPos_Click},
    {&Form1::mnuAbout, IDM_ABOUT, &Form1::mnuAbout_Click},
    {&Form1::mnuEnd, IDM_END, &Form1::mnuEnd_Click},
};

IconHandle LoadSmallIcon(HINSTANCE instance, int id) {
  return FromWin32<IconHandle>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), 0));
}

}  // namespace

TrayImages LoadTrayImages(HINSTANCE instance) {
  return {LoadSmallIcon(instance, IDI_SHOWN), LoadSmallIcon(instance, IDI_HIDDEN)};
}

MainWindow::~MainWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (owner_) DestroyWindow(owner_);
  // Detached from the window while the tray menu is hidden, so not destroyed with it.
  if (menu_bar_) DestroyMenu(menu_bar_);
  if (font_) DeleteObject(font_);
}

bool MainWindow::Create(HINSTANCE instance) {
  if (!RegisterFormClass(instance, kClassName, FormProc<MainWindow>, IDI_MAIN)) return false;

  taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
  dpi_ = ScreenDpi();
  owner_ =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  menu_bar_ = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_TRAYMENU));
  hwnd_ =
      CreateWindowExW(0, kClassName, WIDE(TXT_APP_TITLE), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                      0, 0, TwipsToPixels(kFormWidth, dpi_), TwipsToPixels(kFormHeight, dpi_),
                      owner_, menu_bar_, instance, this);
  if (!hwnd_) return false;
  CreateCommand1(instance);
  AttachMenu();
  form_.Me.SetHandle(FromWin32<WindowHandle>(hwnd_));

  form_.Form_Load();
  form_.Me.Attach(this);
  loaded_ = true;
  SetTimer(hwnd_, kTimer1Id, Form1::kTimer1Interval, nullptr);
  pictures_watcher_.emplace(std::wstring(kPicturesKey));
  WatchEvent(pictures_watcher_->Changed(), [this] {
    pictures_watcher_->Rearm();
    form_.RegistryWatch_Change();
  });
  return true;
}

void MainWindow::CreateCommand1(HINSTANCE instance) {
  RECT client;
  GetClientRect(hwnd_, &client);
  command1_ = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                              0, 0, client.right, client.bottom, hwnd_,
                              reinterpret_cast<HMENU>(IDC_FORM1_COMMAND1), instance, nullptr);
  font_ = CreateFontFrom(kCommand1Font, dpi_);
  SendMessageW(command1_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  // First in the tab order, so the dialog manager gives it the focus whenever the window is
  // activated; as the default button it takes Enter as well as Space.
  SendMessageW(hwnd_, DM_SETDEFID, IDC_FORM1_COMMAND1, 0);
  form_.Command1.Attach(std::make_unique<WindowMirror>(command1_));
}

void MainWindow::AttachMenu() {
  HMENU tray = GetSubMenu(menu_bar_, 0);
  for (const MenuCommand& command : kMenuCommands)
    (form_.*command.item).Attach(std::make_unique<MenuItemMirror>(tray, command.id));
  form_.mnuTray.Attach(std::make_unique<MenuBarMirror>(hwnd_, menu_bar_));
}

void MainWindow::ShowVisible(bool visible) {
  ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

void MainWindow::ShowPosition(float top, float left) {
  RECT rect;
  GetWindowRect(hwnd_, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  int x = TwipsToPixels(left, dpi_);
  int y = TwipsToPixels(top, dpi_);
  // A position stored on a monitor that is gone would leave the window unreachable.
  const RECT wanted{x, y, x + width, y + height};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& area = monitor.rcWork;
    if (x + width > area.right) x = area.right - width;
    if (y + height > area.bottom) y = area.bottom - height;
    if (x < area.left) x = area.left;
    if (y < area.top) y = area.top;
  }
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::MakeTopmost() {
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
}

void MainWindow::SetForeground() {
  SetForegroundWindow(hwnd_);
}

void MainWindow::PopupMenu() {
  POINT cursor;
  GetCursorPos(&cursor);
  TrackPopupMenuEx(GetSubMenu(menu_bar_, 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                   cursor.x, cursor.y, hwnd_, nullptr);
  // Lets the menu close when the user clicks elsewhere.
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void MainWindow::Unload() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT MainWindow::OnMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == taskbar_created_ && taskbar_created_ != 0) {
    form_.Form_TaskbarCreated();
    return 0;
  }
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_TIMER:
      if (wparam == kTimer1Id) form_.Timer1_Timer();
      return 0;
    case WM_MOUSEMOVE:  // the tray icon's callback message
      form_.Form_MouseMove(0, 0, static_cast<float>(static_cast<LONG>(lparam)), 0);
      return 0;
    case WM_SIZE:
      // The button is the whole window, also where Windows makes the window wider than
      // designed (the minimum width of a captioned window) or the hidden menu bar frees room.
      if (command1_) MoveWindow(command1_, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_MOVE:
      // Until the window takes the position Form_Load chose, its moves are not the user's.
      if (loaded_) OnMove();
      return 0;
    case WM_CLOSE: {
      int cancel = 0;
      form_.Form_QueryUnload(cancel, kFormControlMenu);
      if (!cancel) form_.mnuEnd_Click();
      return 0;
    }
    case WM_ENDSESSION:
      if (wparam) form_.mnuEnd_Click();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return DefaultProc(hwnd, message, wparam, lparam);
  }
}

void MainWindow::OnCommand(int id, int code) {
  if (id == IDC_FORM1_COMMAND1) {
    if (code == BN_CLICKED) form_.Command1_Click();
    return;
  }
  for (const MenuCommand& command : kMenuCommands) {
    if (command.id == static_cast<UINT>(id)) (form_.*command.click)();
  }
}

// The program ends with its main window: the watch stops and the loop is told to end.
void MainWindow::OnDestroy() {
  WatchEvent(nullptr, {});
  pictures_watcher_.reset();
  form_.Me.Attach(nullptr);
  hwnd_ = nullptr;
  PostQuitMessage(0);
}

void MainWindow::OnMove() {
  RECT rect;
  GetWindowRect(hwnd_, &rect);
  form_.Me.Moved(PixelsToTwips(rect.top, dpi_), PixelsToTwips(rect.left, dpi_));
}

}  // namespace veilpix
