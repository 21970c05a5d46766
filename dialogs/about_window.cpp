#include "dialogs/about_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/twips.h"
#include "platform/win32/fonts.h"
#include "platform/win32/form_class.h"
#include "platform/win32/handles.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/screen_dpi.h"
#include "platform/win32/layout.h"
#include "resources/resource.h"
#include "resources/texts.h"

namespace veilpix {
namespace {

constexpr wchar_t kClassName[] = L"VeilpixForm3";
// Fixed single border: a caption and a close box, no resizing.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

// The client area in twips.
constexpr double kClientWidth = 5325;
constexpr double kClientHeight = 3645;

enum FontIndex { kTitleFont, kNoticeFont, kHeadingFont, kPlainFont, kLinkFont, kButtonFont };

constexpr FontDescription kFonts[] = {
    {WIDE(TXT_FORM3_TITLE_FONT), 15.75, FW_NORMAL, true, true, ANSI_CHARSET},
    {WIDE(TXT_FORM3_LABEL_FONT), 9, FW_BOLD, false, false, ANSI_CHARSET},
    {WIDE(TXT_FORM3_LABEL_FONT), 10.5, FW_BOLD, true, false, ANSI_CHARSET},
    {WIDE(TXT_FORM3_LABEL_FONT), 9, FW_NORMAL, false, false, ANSI_CHARSET},
    {WIDE(TXT_FORM3_LABEL_FONT), 9, FW_NORMAL, false, true, ANSI_CHARSET},
    {WIDE(TXT_FORM3_OK_FONT), 9.75, FW_BOLD, false, false, SHIFTJIS_CHARSET},
};

enum KindIndex { kLabel, kCenteredLabel, kLink, kPicture, kCheckBox, kButton };

struct Kind {
  const wchar_t* window_class;
  DWORD style;
};

// Every label and the picture notify, so that they take the mouse: only moves over the bare
// background reach the form.
constexpr Kind kKinds[] = {
    {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY},
    {L"STATIC", SS_CENTER | SS_NOPREFIX | SS_NOTIFY},
    {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY},
    {L"STATIC", SS_ICON | SS_NOTIFY},
    {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP},
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP},
};

}  // namespace

struct ChildLayout {
  Control* control;  // nullptr: the picture, whose state never changes
  int id;
  KindIndex kind;
  TwipsRect place;
  FontIndex font;
  const wchar_t* tooltip;
};

AboutWindow::AboutWindow(HINSTANCE instance, Desktop& desktop, SettingsStore& store)
    : instance_(instance),
      desktop_(desktop),
      store_(store),
      hand_(LoadCursorW(instance, MAKEINTRESOURCEW(IDC_HAND_LINK))) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};  // the tooltip control
  InitCommonControlsEx(&controls);
}

AboutWindow::~AboutWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void AboutWindow::ShowModal(WindowHandle owner, std::function<void()> end_program) {
  end_program_ = std::move(end_program);
  if (!hwnd_ && !Create(ToWin32<HWND>(owner))) return;
  RunModal(hwnd_);
  // Dropped once the window is gone and the modal loop has ended, not as the window closes: the
  // handler that closed it may still be running, and until then Check1 answers for its erase.
  if (!hwnd_) form_.reset();
}

void AboutWindow::Close() {
  if (hwnd_) form_->Command1_Click();
}

void AboutWindow::UnloadForm() {
  DestroyWindow(hwnd_);
}

void AboutWindow::EndMainForm() {
  end_program_();
}

// Owned by the main window: no taskbar button of its own, always above it.
bool AboutWindow::Create(HWND owner) {
  if (!RegisterFormClass(instance_, kClassName, FormProc<AboutWindow>, IDI_HIDDEN)) return false;
  dpi_ = ScreenDpi();
  const SIZE frame = FrameAroundClient(kClientWidth, kClientHeight, kStyle, dpi_);
  const POINT at = CentredOnScreen(frame);
  Form3Host& host = *this;
  form_.emplace(desktop_, store_, host, VEILPIX_VERSION_MAJOR, VEILPIX_VERSION_MINOR);
  hwnd_ = CreateWindowExW(0, kClassName, WIDE(TXT_FORM3_CAPTION), kStyle, at.x, at.y, frame.cx,
                          frame.cy, owner, nullptr, instance_, this);
  if (!hwnd_) {
    form_.reset();
    return false;
  }
  CreateControls();
  form_->Form_Load();
  return true;
}

void AboutWindow::CreateControls() {
  for (const FontDescription& font : kFonts) fonts_.push_back(CreateFontFrom(font, dpi_));
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr);

  Form3& f = *form_;
  // In tab order, which is also the order of creation.
  // clang-format off
  const ChildLayout layouts[] = {
      {&f.lblUrl[1], IDC_FORM3_LBLURL1, kLink, {960, 2760, 4080, 225}, kLinkFont,
       WIDE(TXT_FORM3_TIP_REPORT)},
      {&f.Label23, IDC_FORM3_LABEL23, kLabel, {240, 2760, 735, 255}, kPlainFont, nullptr},
      {&f.Label20, IDC_FORM3_LABEL20, kLabel, {240, 1920, 615, 255}, kPlainFont, nullptr},
      {&f.lblUrl[0], IDC_FORM3_LBLURL0, kLink, {960, 1920, 3975, 225}, kLinkFont,
       WIDE(TXT_FORM3_TIP_SUPPORT)},
      {&f.Label13, IDC_FORM3_LABEL13, kLabel, {240, 1560, 2295, 375}, kHeadingFont, nullptr},
      {&f.Label14, IDC_FORM3_LABEL14, kLabel, {240, 2400, 2655, 375}, kHeadingFont, nullptr},
      {nullptr, IDC_FORM3_PICICON, kPicture, {480, 200, 480, 480}, kPlainFont,
       WIDE(TXT_FORM3_TIP_ERASE)},
      {&f.Label22, IDC_FORM3_LABEL22, kCenteredLabel, {120, 1080, 5055, 255}, kNoticeFont, nullptr},
      {&f.lblDescription, IDC_FORM3_LBLDESCRIPTION, kCenteredLabel, {120, 840, 5055, 285},
       kNoticeFont, nullptr},
      {&f.lblTitle, IDC_FORM3_LBLTITLE, kLabel, {1440, 240, 3270, 480}, kTitleFont, nullptr},
      {&f.Check1, IDC_FORM3_CHECK1, kCheckBox, {4800, 240, 255, 255}, kPlainFont, nullptr},
      {&f.Command1, IDC_FORM3_COMMAND1, kButton, {1680, 3120, 1815, 375}, kButtonFont, nullptr},
  };
  // clang-format on
  for (const ChildLayout& layout : layouts) {
    const Kind& kind = kKinds[layout.kind];
    const HWND hwnd = CreateChild(hwnd_, layout.id, kind.window_class, kind.style, 0, layout.place,
                                  fonts_[layout.font], dpi_);
    if (layout.tooltip) AddTooltip(hwnd, layout.tooltip);
    if (!layout.control) {
      ShowPicture(hwnd, TwipsToPixels(layout.place.width, dpi_));
      continue;
    }
    // Found again by WM_CTLCOLORSTATIC, which draws the label in the control's colour.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(layout.control));
    layout.control->Attach(std::make_unique<WindowMirror>(hwnd));
    if (layout.kind == kLink) SizeLinkToText(hwnd, layout);
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

// The box is exactly the size of its image.
void AboutWindow::ShowPicture(HWND box, int size) {
  picture_ = static_cast<HICON>(
      LoadImageW(instance_, MAKEINTRESOURCEW(IDI_WHIRLWIND), IMAGE_ICON, size, size, 0));
  SendMessageW(box, STM_SETICON, reinterpret_cast<WPARAM>(picture_), 0);
}

// A link label is exactly as large as its text, so the pointer is on the link only while it is
// over the text.
void AboutWindow::SizeLinkToText(HWND label, const ChildLayout& layout) {
  const std::wstring& text = layout.control->Caption();
  const SIZE size = TextExtent(fonts_[layout.font], text.c_str(), static_cast<int>(text.size()));
  SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT AboutWindow::OnMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_MOUSEMOVE:  // over the window's own background only
      form_->Form_MouseMove(0, 0, PixelsToTwips(GET_X_LPARAM(lparam), dpi_),
                            PixelsToTwips(GET_Y_LPARAM(lparam), dpi_));
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wparam), LOWORD(lparam), HIWORD(lparam))) return TRUE;
      break;
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_NCDESTROY:
      OnDestroyed();
      break;
    default:
      break;
  }
  return DefaultProc(hwnd, message, wparam, lparam);
}

// Esc arrives as IDCANCEL, which nothing here answers: OK is no cancel button.
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
    case IDOK:  // Enter: OK is no default button, so it answers only while it has the focus
      PressFocusedButton(hwnd_);
      break;
    default:
      break;
  }
}

// The link labels show the hand and report the pointer's moves over them. Each move over a child
// asks the window for the cursor first, so the labels need no procedure of their own.
bool AboutWindow::OnSetCursor(HWND child, UINT hit, UINT mouse_message) {
  const int id = GetDlgCtrlID(child);
  if (hit != HTCLIENT || (id != IDC_FORM3_LBLURL0 && id != IDC_FORM3_LBLURL1)) return false;
  if (mouse_message == WM_MOUSEMOVE) {
    const DWORD at = GetMessagePos();
    POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    ScreenToClient(child, &point);
    form_->lblUrl_MouseMove(id == IDC_FORM3_LBLURL0 ? 0 : 1, 0, 0, PixelsToTwips(point.x, dpi_),
                            PixelsToTwips(point.y, dpi_));
  }
  SetCursor(hand_);
  return true;
}

// Labels draw in their own text colour on the window's background.
LRESULT AboutWindow::OnCtlColorStatic(HDC dc, HWND label) {
  const auto* control = reinterpret_cast<const Control*>(GetWindowLongPtrW(label, GWLP_USERDATA));
  if (!control) {
    return DefaultProc(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(label));
  }
  SetTextColor(dc, ResolveColor(control->ForeColor()));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void AboutWindow::OnDestroyed() {
  for (HFONT font : fonts_) DeleteObject(font);
  fonts_.clear();
  DestroyIcon(picture_);
  picture_ = nullptr;
  tooltip_ = nullptr;
  hwnd_ = nullptr;
}

}  // namespace veilpix
