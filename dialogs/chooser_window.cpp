#include "dialogs/chooser_window.h"

#include "platform/twips.h"
#include "platform/win32/form_class.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/screen_dpi.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "tray/form1.h"

namespace veilpix {
namespace {

constexpr wchar_t kClassName[] = L"VeilpixForm2";

// The design, in twips relative to the client area.
constexpr double kClientWidth = 4815;
constexpr double kClientHeight = 3510;
constexpr double kFontPoints = 9.75;
// How far the drive list drops down below its own height.
constexpr double kDropDownHeight = 2400;

constexpr DWORD kListStyle = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

struct ControlDesign {
  int id;
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
  double left;
  double top;
  double width;
  double height;
  bool list_font;  // the lists keep the system's default font; the others have their own
};

// In tab order, which is also the order of creation.
constexpr ControlDesign kDesign[] = {
    {IDC_FORM2_DRVLIST, L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 120, 480, 2295,
     300 + kDropDownHeight, true},
    {IDC_FORM2_DIRLIST, L"LISTBOX", kListStyle | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
     WS_EX_CLIENTEDGE, 120, 840, 2295, 1980, true},
    {IDC_FORM2_FILLIST, L"LISTBOX", kListStyle, WS_EX_CLIENTEDGE, 2520, 480, 2175, 2250, true},
    {IDC_FORM2_LABEL1, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 120, 120, 2655, 255, false},
    {IDC_FORM2_COMMAND1, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, 720, 3000, 1575, 375, false},
    {IDC_FORM2_COMMAND2, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, 2640, 3000, 1575, 375, false},
};

// Widens a label whose text the substitute of its font draws wider than the design allows,
// so the text shows whole rather than cut off.
void FitWidthToText(HWND label) {
  wchar_t text[128] = L"";
  const int length = GetWindowTextW(label, text, 128);
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text, length, &extent);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  RECT rect;
  GetClientRect(label, &rect);
  if (extent.cx > rect.right)
    SetWindowPos(label, nullptr, 0, 0, extent.cx, rect.bottom, SWP_NOMOVE | SWP_NOZORDER);
}

// The lists' font: the system's default.
HFONT ListFont() {
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

ChooserWindow::ChooserWindow(HINSTANCE instance, Desktop& desktop, SettingsStore& store)
    : instance_(instance), desktop_(desktop), store_(store) {
  RegisterFormClass(instance, kClassName, WindowProc, IDI_SHOWN);
}

void ChooserWindow::ShowModal() {
  if (IsOpen()) {
    BringToFront();
    return;
  }
  form_.emplace(file_system_, desktop_, store_, form1_->mnuToggle);
  if (Create()) RunModal(hwnd_);
  Release();
}

void ChooserWindow::BringToFront() {
  if (hwnd_) SetForegroundWindow(hwnd_);
}

bool ChooserWindow::Create() {
  dpi_ = ScreenDpi();
  // A fixed single border: the chooser cannot be resized.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, TwipsToPixels(kClientWidth, dpi_), TwipsToPixels(kClientHeight, dpi_)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  // Where the window system puts a new window, not centred.
  hwnd_ = CreateWindowExW(0, kClassName, WIDE(TXT_FORM2_CAPTION), style, CW_USEDEFAULT,
                          CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                          nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  CreateControls();
  return true;
}

void ChooserWindow::CreateControls() {
  LOGFONTW font{};
  font.lfHeight = PointsToFontHeight(kFontPoints, dpi_);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  wcscpy_s(font.lfFaceName, WIDE(TXT_FORM2_FONT));
  font_ = CreateFontIndirectW(&font);
  folder_tree_.emplace(dpi_);  // the directory list measures its entries as it is created

  for (const ControlDesign& design : kDesign) {
    HWND control = CreateWindowExW(
        design.ex_style, design.window_class, L"", WS_CHILD | WS_VISIBLE | design.style,
        TwipsToPixels(design.left, dpi_), TwipsToPixels(design.top, dpi_),
        TwipsToPixels(design.width, dpi_), TwipsToPixels(design.height, dpi_), hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance_, nullptr);
    SendMessageW(control, WM_SETFONT,
                 reinterpret_cast<WPARAM>(design.list_font ? ListFont() : font_), FALSE);
  }
  const auto item = [this](int id) { return GetDlgItem(hwnd_, id); };
  drv_mirror_.emplace(item(IDC_FORM2_DRVLIST), kComboBoxMessages);
  form_->drvList.Attach(&*drv_mirror_);
  dir_mirror_.emplace(item(IDC_FORM2_DIRLIST), kListBoxMessages);
  form_->dirList.Attach(&*dir_mirror_);
  fil_mirror_.emplace(item(IDC_FORM2_FILLIST), kListBoxMessages);
  form_->filList.Attach(&*fil_mirror_);
  label1_mirror_.emplace(item(IDC_FORM2_LABEL1));
  form_->Label1.Attach(&*label1_mirror_);
  FitWidthToText(item(IDC_FORM2_LABEL1));
  command1_mirror_.emplace(item(IDC_FORM2_COMMAND1));
  form_->Command1.Attach(&*command1_mirror_);
  command2_mirror_.emplace(item(IDC_FORM2_COMMAND2));
  form_->Command2.Attach(&*command2_mirror_);
}

void ChooserWindow::Release() {
  if (hwnd_) DestroyWindow(hwnd_);  // the program is ending while the chooser is open
  form_.reset();
  drv_mirror_.reset();
  dir_mirror_.reset();
  fil_mirror_.reset();
  label1_mirror_.reset();
  command1_mirror_.reset();
  command2_mirror_.reset();
  folder_tree_.reset();
  if (font_) DeleteObject(font_);
  font_ = nullptr;
  focus_ = nullptr;
}

LRESULT CALLBACK ChooserWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<ChooserWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || !self->hwnd_ || !self->form_) return DefWindowProcW(hwnd, message, wparam, lparam);
  return self->OnMessage(message, wparam, lparam);
}

LRESULT ChooserWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wparam) != WA_INACTIVE);
      return 0;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      measure->itemHeight = folder_tree_->ItemHeight(ListFont());
      return TRUE;
    }
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_CLOSE: {
      int cancel = 0;
      form_->Form_Unload(cancel);
      CloseIfUnloaded();
      return 0;
    }
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wparam, lparam);
  }
}

void ChooserWindow::OnCommand(int id, int code) {
  const auto selected = [this, id](UINT get_selection) {
    return static_cast<int>(SendDlgItemMessageW(hwnd_, id, get_selection, 0, 0));
  };
  switch (id) {
    case IDC_FORM2_DRVLIST:
      if (code == CBN_SELCHANGE) form_->drvList.SetListIndex(selected(CB_GETCURSEL));
      break;
    case IDC_FORM2_DIRLIST:
      if (code == LBN_SELCHANGE) form_->dirList.SetListIndex(selected(LB_GETCURSEL));
      // A directory that has gone since it was listed cannot be opened.
      if (code == LBN_DBLCLK && !form_->dirList.OpenListIndex()) MessageBeep(MB_ICONWARNING);
      break;
    case IDC_FORM2_FILLIST:
      if (code == LBN_SELCHANGE) form_->filList.SetListIndex(selected(LB_GETCURSEL));
      if (code == LBN_DBLCLK) form_->filList_DblClick();
      break;
    case IDC_FORM2_COMMAND1:
      if (code == BN_CLICKED) form_->Command1_Click();
      break;
    case IDC_FORM2_COMMAND2:
    case IDCANCEL:  // the Esc key
      if (code == BN_CLICKED) form_->Command2_Click();
      break;
    case IDOK:  // the Enter key: OK is not the default button
      OnEnter();
      break;
    default:
      break;
  }
  CloseIfUnloaded();
}

// Enter acts on the control that has the focus: opens a directory, chooses a file, clicks a
// button.
void ChooserWindow::OnEnter() {
  HWND focus = GetFocus();
  if (!focus || GetParent(focus) != hwnd_) return;
  const int id = GetDlgCtrlID(focus);
  if (id == IDC_FORM2_DIRLIST || id == IDC_FORM2_FILLIST) OnCommand(id, LBN_DBLCLK);
  if (id == IDC_FORM2_COMMAND1 || id == IDC_FORM2_COMMAND2) OnCommand(id, BN_CLICKED);
}

// The focus comes back to the control that had it, the drive list at first.
void ChooserWindow::OnActivate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) focus_ = focus;
    return;
  }
  SetFocus(focus_ ? focus_ : GetDlgItem(hwnd_, IDC_FORM2_DRVLIST));
}

void ChooserWindow::OnDrawItem(const DRAWITEMSTRUCT& draw) const {
  const auto& items = form_->dirList.Items();
  if (draw.itemID < items.size()) {
    folder_tree_->Draw(draw, items[draw.itemID]);
  } else if (draw.itemState & ODS_FOCUS) {
    DrawFocusRect(draw.hDC, &draw.rcItem);  // an empty list that has the focus
  }
}

void ChooserWindow::CloseIfUnloaded() {
  if (hwnd_ && form_->Unloaded()) DestroyWindow(hwnd_);
}

}  // namespace veilpix
