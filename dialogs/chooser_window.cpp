#include "dialogs/chooser_window.h"

#include "platform/twips.h"
#include "platform/win32/fonts.h"
#include "platform/win32/form_class.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/screen_dpi.h"
#include "platform/win32/layout.h"
#include "resources/resource.h"
#include "resources/texts.h"

namespace veilpix {
namespace {

constexpr wchar_t kClassName[] = L"VeilpixForm2";

// The design, in twips relative to the client area.
constexpr double kClientWidth = 4815;
constexpr double kClientHeight = 3510;
constexpr FontDescription kFont{WIDE(TXT_FORM2_FONT), 9.75};
// A fixed single border: the chooser cannot be resized.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// How far the drive list drops down below its own height.
constexpr double kDropDownHeight = 2400;

constexpr DWORD kListStyle = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

struct ControlDesign {
  int id;
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
  TwipsRect place;
  bool list_font;  // the lists keep the system's default font; the others have their own
};

// In tab order, which is also the order of creation.
// clang-format off
constexpr ControlDesign kDesign[] = {
    {IDC_FORM2_DRVLIST, L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
     {120, 480, 2295, 300 + kDropDownHeight}, true},
    {IDC_FORM2_DIRLIST, L"LISTBOX", kListStyle | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
     WS_EX_CLIENTEDGE, {120, 840, 2295, 1980}, true},
    {IDC_FORM2_FILLIST, L"LISTBOX", kListStyle, WS_EX_CLIENTEDGE, {2520, 480, 2175, 2250}, true},
    {IDC_FORM2_LABEL1, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, {120, 120, 2655, 255}, false},
    {IDC_FORM2_COMMAND1, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, {720, 3000, 1575, 375}, false},
    {IDC_FORM2_COMMAND2, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, {2640, 3000, 1575, 375}, false},
};
// clang-format on

// Widens a label whose text the substitute of its font draws wider than the design allows,
// so the text shows whole rather than cut off.
void FitWidthToText(HWND label, HFONT font, const std::wstring& text) {
  const SIZE extent = TextExtent(font, text.c_str(), static_cast<int>(text.size()));
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

ChooserWindow::Opening::Opening(FileSystem& file_system, Desktop& desktop, SettingsStore& store,
                                Control& mnuToggle, int dpi)
    : dpi(dpi),
      form(file_system, desktop, store, mnuToggle),
      folder_tree(dpi),
      font(CreateFontFrom(kFont, dpi)) {}

ChooserWindow::Opening::~Opening() {
  DeleteObject(font);
}

void ChooserWindow::ShowModal(Control& mnuToggle) {
  if (IsOpen()) {
    BringToFront();
    return;
  }
  opening_.emplace(file_system_, desktop_, store_, mnuToggle, ScreenDpi());
  if (Create()) RunModal(hwnd_);
  if (hwnd_) DestroyWindow(hwnd_);  // the program is ending while the chooser is open
  opening_.reset();
}

void ChooserWindow::BringToFront() {
  if (hwnd_) SetForegroundWindow(hwnd_);
}

bool ChooserWindow::Create() {
  if (!RegisterFormClass(instance_, kClassName, FormProc<ChooserWindow>, IDI_SHOWN)) return false;
  const SIZE frame = FrameAroundClient(kClientWidth, kClientHeight, kStyle, opening_->dpi);
  // Where the window system puts a new window, not centred.
  hwnd_ = CreateWindowExW(0, kClassName, WIDE(TXT_FORM2_CAPTION), kStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, frame.cx, frame.cy, nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  CreateControls();
  return true;
}

void ChooserWindow::CreateControls() {
  Opening& o = *opening_;
  for (const ControlDesign& d : kDesign) {
    CreateChild(hwnd_, d.id, d.window_class, d.style, d.ex_style, d.place,
                d.list_font ? ListFont() : o.font, o.dpi);
  }
  const auto item = [this](int id) { return GetDlgItem(hwnd_, id); };
  const std::pair<ListControl*, int> lists[] = {{&o.form.drvList, IDC_FORM2_DRVLIST},
                                                {&o.form.dirList, IDC_FORM2_DIRLIST},
                                                {&o.form.filList, IDC_FORM2_FILLIST}};
  for (const auto& [list, id] : lists) {
    const ListMessages& messages = id == IDC_FORM2_DRVLIST ? kComboBoxMessages : kListBoxMessages;
    list->Attach(std::make_unique<ListWindowMirror>(item(id), messages));
  }
  const std::pair<Control*, int> controls[] = {{&o.form.Label1, IDC_FORM2_LABEL1},
                                               {&o.form.Command1, IDC_FORM2_COMMAND1},
                                               {&o.form.Command2, IDC_FORM2_COMMAND2}};
  for (const auto& [control, id] : controls)
    control->Attach(std::make_unique<WindowMirror>(item(id)));
  FitWidthToText(item(IDC_FORM2_LABEL1), o.font, o.form.Label1.Caption());
}

LRESULT ChooserWindow::OnMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      measure->itemHeight = opening_->folder_tree.ItemHeight(ListFont());
      return TRUE;
    }
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_CLOSE: {
      int cancel = 0;
      opening_->form.Form_Unload(cancel);
      CloseIfUnloaded();
      return 0;
    }
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return DefaultProc(hwnd, message, wparam, lparam);
}

void ChooserWindow::OnCommand(int id, int code) {
  const auto selected = [this, id](UINT get_selection) {
    return static_cast<int>(SendDlgItemMessageW(hwnd_, id, get_selection, 0, 0));
  };
  switch (id) {
    case IDC_FORM2_DRVLIST:
      if (code == CBN_SELCHANGE) opening_->form.drvList.SetListIndex(selected(CB_GETCURSEL));
      break;
    case IDC_FORM2_DIRLIST:
      if (code == LBN_SELCHANGE) opening_->form.dirList.SetListIndex(selected(LB_GETCURSEL));
      // A directory that has gone since it was listed cannot be opened.
      if (code == LBN_DBLCLK && !opening_->form.dirList.OpenListIndex())
        MessageBeep(MB_ICONWARNING);
      break;
    case IDC_FORM2_FILLIST:
      if (code == LBN_SELCHANGE) opening_->form.filList.SetListIndex(selected(LB_GETCURSEL));
      if (code == LBN_DBLCLK) opening_->form.filList_DblClick();
      break;
    case IDC_FORM2_COMMAND1:
      if (code == BN_CLICKED) opening_->form.Command1_Click();
      break;
    case IDC_FORM2_COMMAND2:
    case IDCANCEL:  // the Esc key
      if (code == BN_CLICKED) opening_->form.Command2_Click();
      break;
    case IDOK:  // the Enter key: OK is not the default button
      OnEnter();
      break;
    default:
      break;
  }
  CloseIfUnloaded();
}

// Neither button is the default: Enter acts on the control that has the focus, on a list as a
// double-click does (opens the directory, chooses the file).
void ChooserWindow::OnEnter() {
  if (PressFocusedButton(hwnd_)) return;
  const int id = FocusedControlId(hwnd_);
  if (id == IDC_FORM2_DIRLIST || id == IDC_FORM2_FILLIST) OnCommand(id, LBN_DBLCLK);
}

void ChooserWindow::OnDrawItem(const DRAWITEMSTRUCT& draw) const {
  const auto& items = opening_->form.dirList.Items();
  if (draw.itemID < items.size()) {
    opening_->folder_tree.Draw(draw, items[draw.itemID]);
  } else if (draw.itemState & ODS_FOCUS) {
    DrawFocusRect(draw.hDC, &draw.rcItem);  // an empty list that has the focus
  }
}

void ChooserWindow::CloseIfUnloaded() {
  if (hwnd_ && opening_->form.Unloaded()) DestroyWindow(hwnd_);
}

}  // namespace veilpix
