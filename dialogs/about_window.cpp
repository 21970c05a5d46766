#include "dialogs/about_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/twips.h"
#include "platform/win32/form_class.h"
#include "platform/win32/handles.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/screen_dpi.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "tray/form1.h"

namespace veilpix {
namespace {

constexpr wchar_t kClassName[] = L"VeilpixForm3";
// Fixed single border: a caption and a close box, no resizing.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

// The client area in twips.
constexpr double kClientWidth = 5325;
constexpr double kClientHeight = 3645;

struct FontStyle {
  const wchar_t* face;
  double points;
  int weight;
  bool italic;
  bool underline;
  BYTE charset;
};

enum FontIndex { kTitleFont, kNoticeFont, kHeadingFont, kPlainFont, kLinkFont, kButtonFont };

constexpr FontStyle kFonts[] = {
    {WIDE(TXT_FORM3_TITLE_FONT), 15.75, FW_NORMAL, true, true, ANSI_CHARSET},
    {WIDE(TXT_FORM3_LABEL_FONT), 9, FW_BOLD, false, false, ANSI_CHARSET},
    {WIDE(TXT_FORM3_LABEL_FONT), 10.5, FW_BOLD, true, false, ANSI_CHARSET},
    {WIDE(TXT_FORM3_LABEL_FONT), 9, FW_NORMAL, false, false, ANSI_CHARSET},
    {WIDE(TXT_FORM3_LABEL_FONT), 9, FW_NORMAL, false, true, ANSI_CHARSET},
    {WIDE(TXT_FORM3_OK_FONT), 9.75, FW_BOLD, false, false, SHIFTJIS_CHARSET},
};

HFONT CreateFontFrom(const FontStyle& style, int dpi) {
  LOGFONTW font{};
  font.lfHeight = PointsToFontHeight(style.points, dpi);
  font.lfWeight = style.weight;
  font.lfItalic = style.italic;
  font.lfUnderline = style.underline;
  font.lfCharSet = style.charset;
  wcscpy_s(font.lfFaceName, style.face);
  return CreateFontIndirectW(&font);
}

enum class Kind { kLabel, kCenteredLabel, kLink, kPicture, kCheckBox, kButton };

const wchar_t* WindowClass(Kind kind) {
  return kind == Kind::kCheckBox || kind == Kind::kButton ? L"BUTTON" : L"STATIC";
}

// Every label and the picture notify, so that they take the mouse: only moves over the bare
// background reach the form.
DWORD Style(Kind kind) {
  switch (kind) {
    case Kind::kCenteredLabel:
      return SS_CENTER | SS_NOPREFIX | SS_NOTIFY;
    case Kind::kPicture:
      return SS_ICON | SS_NOTIFY;
    case Kind::kCheckBox:
      return BS_AUTOCHECKBOX | WS_TABSTOP;
    case Kind::kButton:
      // Drawn and keyed as the focused button: Enter reaches it only while it has the focus,
      // since the window names no default button for the keyboard to fall back on.
      return BS_DEFPUSHBUTTON | WS_TABSTOP;
    default:
      return SS_LEFT | SS_NOPREFIX | SS_NOTIFY;
  }
}

struct ChildLayout {
  Control* control;  // nullptr: the picture, whose state never changes
  int id;
  Kind kind;
  double left, top, width, height;  // twips
  FontIndex font;
  const wchar_t* tooltip;
};

}  // namespace

AboutWindow::AboutWindow(HINSTANCE instance, Desktop& desktop, SettingsStore& store)
    : instance_(instance),
      desktop_(desktop),
      store_(store),
      hand_(LoadCursorW(instance, MAKEINTRESOURCEW(IDC_HAND_LINK))) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};  // the tooltip control
  InitCommonControlsEx(&controls);
  RegisterFormClass(instance, kClassName, WindowProc, IDI_HIDDEN);
}

AboutWindow::~AboutWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void AboutWindow::ShowModal() {
  if (!hwnd_ && !Create()) return;
  RunModal(hwnd_);
  if (released_) {
    form_.reset();
    released_ = false;
  }
}

void AboutWindow::Close() {
  if (hwnd_) form_->Command1_Click();
}

void AboutWindow::UnloadForm() {
  DestroyWindow(hwnd_);
}

// The form is dropped once the modal loop has ended, not here: it may still be running the
// handler that closed it, and until then its check box answers for its erase action.
void AboutWindow::ReleaseForm() {
  released_ = true;
}

void AboutWindow::EndMainForm() {
  form1_->mnuEnd_Click();
}

bool AboutWindow::Create() {
  dpi_ = ScreenDpi();
  RECT frame{0, 0, TwipsToPixels(kClientWidth, dpi_), TwipsToPixels(kClientHeight, dpi_)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Owned by the main window: no taskbar button of its own, always above it.
  const HWND owner = form1_ ? FromHandleValue<HWND>(form1_->Me.hWnd()) : nullptr;

  Form3Host& host = *this;
  form_.emplace(desktop_, store_, host, VEILPIX_VERSION_MAJOR, VEILPIX_VERSION_MINOR);
  released_ = false;
  hwnd_ = CreateWindowExW(
      0, kClassName, WIDE(TXT_FORM3_CAPTION), kStyle, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
      (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, owner, nullptr, instance_, this);
  if (!hwnd_) {
    form_.reset();
    return false;
  }
  CreateControls();
  form_->Form_Load();
  return true;
}

void AboutWindow::CreateControls() {
  for (const FontStyle& style : kFonts) fonts_.push_back(CreateFontFrom(style, dpi_));
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr);

  Form3& f = *form_;
  // In tab order, which is also the order of creation.
  const ChildLayout layouts[] = {
      {&f.lblUrl[1], IDC_FORM3_LBLURL1, Kind::kLink, 960, 2760, 4080, 225, kLinkFont,
       WIDE(TXT_FORM3_TIP_REPORT)},
      {&f.Label23, IDC_FORM3_LABEL23, Kind::kLabel, 240, 2760, 735, 255, kPlainFont, nullptr},
      {&f.Label20, IDC_FORM3_LABEL20, Kind::kLabel, 240, 1920, 615, 255, kPlainFont, nullptr},
      {&f.lblUrl[0], IDC_FORM3_LBLURL0, Kind::kLink, 960, 1920, 3975, 225, kLinkFont,
       WIDE(TXT_FORM3_TIP_SUPPORT)},
      {&f.Label13, IDC_FORM3_LABEL13, Kind::kLabel, 240, 1560, 2295, 375, kHeadingFont, nullptr},
      {&f.Label14, IDC_FORM3_LABEL14, Kind::kLabel, 240, 2400, 2655, 375, kHeadingFont, nullptr},
      {nullptr, IDC_FORM3_PICICON, Kind::kPicture, 480, 200, 480, 480, kPlainFont,
       WIDE(TXT_FORM3_TIP_ERASE)},
      {&f.Label22, IDC_FORM3_LABEL22, Kind::kCenteredLabel, 120, 1080, 5055, 255, kNoticeFont,
       nullptr},
      {&f.lblDescription, IDC_FORM3_LBLDESCRIPTION, Kind::kCenteredLabel, 120, 840, 5055, 285,
       kNoticeFont, nullptr},
      {&f.lblTitle, IDC_FORM3_LBLTITLE, Kind::kLabel, 1440, 240, 3270, 480, kTitleFont, nullptr},
      {&f.Check1, IDC_FORM3_CHECK1, Kind::kCheckBox, 4800, 240, 255, 255, kPlainFont, nullptr},
      {&f.Command1, IDC_FORM3_COMMAND1, Kind::kButton, 1680, 3120, 1815, 375, kButtonFont, nullptr},
  };
  for (const ChildLayout& layout : layouts) {
    const int width = TwipsToPixels(layout.width, dpi_);
    const HWND hwnd = CreateWindowExW(
        0, WindowClass(layout.kind), L"", WS_CHILD | WS_VISIBLE | Style(layout.kind),
        TwipsToPixels(layout.left, dpi_), TwipsToPixels(layout.top, dpi_), width,
        TwipsToPixels(layout.height, dpi_), hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), instance_, nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[layout.font]), FALSE);
    if (layout.tooltip) AddTooltip(hwnd, layout.tooltip);
    if (layout.kind == Kind::kPicture) {
      // The box is exactly the size of its image.
      picture_ = static_cast<HICON>(
          LoadImageW(instance_, MAKEINTRESOURCEW(IDI_WHIRLWIND), IMAGE_ICON, width, width, 0));
      SendMessageW(hwnd, STM_SETICON, reinterpret_cast<WPARAM>(picture_), 0);
      continue;
    }
    Child& child =
        children_.emplace_back(Child{hwnd, layout.control, std::make_unique<WindowMirror>(hwnd)});
    layout.control->Attach(child.mirror.get());
    if (layout.kind == Kind::kLink) {
      SizeToText(hwnd, fonts_[layout.font], layout.control->Caption());
      SetWindowSubclass(hwnd, LinkProc, static_cast<UINT_PTR>(layout.control - f.lblUrl.data()),
                        reinterpret_cast<DWORD_PTR>(this));
    }
    if (layout.kind == Kind::kButton) command1_ = hwnd;
  }
}

void AboutWindow::AddTooltip(HWND tool, const wchar_t* text) {
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = hwnd_;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

// Link labels are exactly as large as their text, so the pointer is on the link only while
// it is over the text.
void AboutWindow::SizeToText(HWND label, HFONT font, const std::wstring& text) {
  HDC dc = GetDC(label);
  const HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK AboutWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || self->hwnd_ != hwnd) return DefWindowProcW(hwnd, message, wparam, lparam);
  return self->OnMessage(message, wparam, lparam);
}

LRESULT AboutWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_MOUSEMOVE:  // over the window's own background only
      form_->Form_MouseMove(0, 0, PixelsToTwips(GET_X_LPARAM(lparam), dpi_),
                            PixelsToTwips(GET_Y_LPARAM(lparam), dpi_));
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_SETFOCUS:  // the button is the one control that takes the focus
      SetFocus(command1_);
      return 0;
    case WM_DESTROY: {
      int cancel = 0;
      form_->Form_Unload(cancel);
      return 0;
    }
    case WM_NCDESTROY:
      OnDestroyed();
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

// Esc and Enter arrive as IDCANCEL and IDOK, which no control here has: neither does anything.
void AboutWindow::OnCommand(int id, int code) {
  switch (id) {
    case IDC_FORM3_COMMAND1:
      if (code == BN_CLICKED) form_->Command1_Click();
      break;
    case IDC_FORM3_LBLURL0:
    case IDC_FORM3_LBLURL1:
      if (code == STN_CLICKED) form_->lblUrl_Click(id == IDC_FORM3_LBLURL0 ? 0 : 1);
      break;
    case IDC_FORM3_PICICON:
      if (code == STN_CLICKED) form_->picIcon_Click();
      break;
    default:
      break;
  }
}

// The link labels show the hand and report the pointer's moves over them.
LRESULT CALLBACK AboutWindow::LinkProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR index, DWORD_PTR window) {
  auto* self = reinterpret_cast<AboutWindow*>(window);
  switch (message) {
    case WM_SETCURSOR:
      if (LOWORD(lparam) != HTCLIENT) break;
      SetCursor(self->hand_);
      return TRUE;
    case WM_MOUSEMOVE:
      self->form_->lblUrl_MouseMove(static_cast<int>(index), 0, 0,
                                    PixelsToTwips(GET_X_LPARAM(lparam), self->dpi_),
                                    PixelsToTwips(GET_Y_LPARAM(lparam), self->dpi_));
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, LinkProc, index);
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

// Labels draw in their own text colour on the window's background.
LRESULT AboutWindow::OnCtlColorStatic(HDC dc, HWND label) {
  for (const Child& child : children_) {
    if (child.hwnd != label) continue;
    SetTextColor(dc, ResolveColor(child.control->ForeColor()));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(label));
}

void AboutWindow::OnDestroyed() {
  for (Child& child : children_) child.control->Attach(nullptr);
  children_.clear();
  for (HFONT font : fonts_) DeleteObject(font);
  fonts_.clear();
  DestroyIcon(picture_);
  picture_ = nullptr;
  tooltip_ = nullptr;
  command1_ = nullptr;
  hwnd_ = nullptr;
}

}  // namespace veilpix
