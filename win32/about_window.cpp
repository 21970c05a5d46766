#include "win32/about_window.h"

#include <commctrl.h>

#include "resources/resource.h"
#include "win32/forms.h"
#include "win32/message_loop.h"

namespace veilpix {
namespace {

constexpr wchar_t kClassName[] = L"VeilpixAbout";
// Fixed single border: a caption and a close box, no resizing.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr double kClientWidth = 5325;  // twips
constexpr double kClientHeight = 3645;

// Link labels are blue; the one under the pointer takes the active title bar's colour.
constexpr COLORREF kLinkColor = 0x00FF0000;

enum FontIndex { kTitleFont, kNoticeFont, kHeadingFont, kPlainFont, kLinkFont, kButtonFont };
constexpr FontDescription kFonts[] = {
    {text::kAboutTitleFont, 15.75, FW_NORMAL, true, true, ANSI_CHARSET},
    {text::kAboutLabelFont, 9, FW_BOLD, false, false, ANSI_CHARSET},
    {text::kAboutLabelFont, 10.5, FW_BOLD, true, false, ANSI_CHARSET},
    {text::kAboutLabelFont, 9, FW_NORMAL, false, false, ANSI_CHARSET},
    {text::kAboutLabelFont, 9, FW_NORMAL, false, true, ANSI_CHARSET},
    {text::kAboutOkFont, 9.75, FW_BOLD, false, false, SHIFTJIS_CHARSET},
};
constexpr int kFontCount = sizeof kFonts / sizeof kFonts[0];

// What kind of window a child is. Labels and the picture notify, so they take the mouse: only
// moves over the bare background reach the window, and only those reset the highlighted link.
struct Kind {
  const wchar_t* window_class;
  DWORD style;
};
constexpr Kind kLabel{L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY};
constexpr Kind kLink = kLabel;  // drawn blue, sized to its text
constexpr Kind kCentred{L"STATIC", SS_CENTER | SS_NOPREFIX | SS_NOTIFY};
constexpr Kind kPicture{L"STATIC", SS_ICON | SS_NOTIFY};
constexpr Kind kButton{L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};

struct Child {
  int id;
  Kind kind;
  TwipsRect place;
  FontIndex font;
  text::Id text;  // the title's is its prefix, the version follows
  text::Id tip = text::kNone;
};

// In tab order, which is also the order of creation.
// clang-format off
constexpr Child kChildren[] = {
    {IDC_ABOUT_REPORT_LINK, kLink, {960, 2760, 4080, 225}, kLinkFont, text::kBugReportUrl,
     text::kAboutTipReport},
    {IDC_ABOUT_EMAIL_LABEL, kLabel, {240, 2760, 735, 255}, kPlainFont, text::kAboutEmail},
    {IDC_ABOUT_WWW_LABEL, kLabel, {240, 1920, 615, 255}, kPlainFont, text::kAboutWww},
    {IDC_ABOUT_SUPPORT_LINK, kLink, {960, 1920, 3975, 225}, kLinkFont, text::kSupportUrl,
     text::kAboutTipSupport},
    {IDC_ABOUT_SUPPORT_HEADING, kLabel, {240, 1560, 2295, 375}, kHeadingFont, text::kAboutSupport},
    {IDC_ABOUT_REPORT_HEADING, kLabel, {240, 2400, 2655, 375}, kHeadingFont, text::kAboutReport},
    {IDC_ABOUT_ERASE, kPicture, {480, 200, 480, 480}, kPlainFont, text::kNone, text::kAboutTipErase},
    {IDC_ABOUT_LICENCE, kCentred, {120, 1080, 5055, 255}, kNoticeFont, text::kAboutLicence},
    {IDC_ABOUT_DESCRIPTION, kCentred, {120, 840, 5055, 285}, kNoticeFont,
     text::kAboutDescription},
    {IDC_ABOUT_TITLE, kLabel, {1440, 240, 3270, 480}, kTitleFont, text::kAboutTitlePrefix},
    {IDC_ABOUT_OK, kButton, {1680, 3120, 1815, 375}, kButtonFont, text::kAboutOk},
};
// clang-format on

// The one open About window and what it made; all of it goes when the window does.
struct About {
  HWND window = nullptr;
  Veilpix* veilpix = nullptr;
  HFONT fonts[kFontCount] = {};
  HICON picture = nullptr;
  HWND tooltip = nullptr;
  HCURSOR hand = nullptr;  // shared, not destroyed
  int hot_link = -1;       // the link drawn in the highlight colour, -1 for none
};
About about;

// The links by index: 0 the support page, 1 the bug reports.
constexpr int kLinkIds[] = {IDC_ABOUT_SUPPORT_LINK, IDC_ABOUT_REPORT_LINK};

// 0 or 1 for the two links, -1 for any other control.
int LinkIndex(int id) {
  return id == kLinkIds[0] ? 0 : id == kLinkIds[1] ? 1 : -1;
}

// Redraws the link that loses the highlight and the one that takes it.
void SetHotLink(int index) {
  if (index == about.hot_link) return;
  if (about.hot_link >= 0)
    InvalidateRect(GetDlgItem(about.window, kLinkIds[about.hot_link]), nullptr, TRUE);
  about.hot_link = index;
  if (index >= 0) InvalidateRect(GetDlgItem(about.window, kLinkIds[index]), nullptr, TRUE);
}

void AddTip(HWND tool, const wchar_t* text) {
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = about.window;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(about.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CreateChildren(HINSTANCE instance, int dpi) {
  for (int i = 0; i < kFontCount; ++i) about.fonts[i] = CreateFontFrom(kFonts[i], dpi);
  about.hand = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_HAND_LINK));
  // Owned by the window, so destroyed with it.
  about.tooltip =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, about.window, nullptr, instance, nullptr);
  wchar_t title[32];
  wsprintfW(title, L"%s%d.%d", UserTexts()[text::kAboutTitlePrefix], VEILPIX_VERSION_MAJOR,
            VEILPIX_VERSION_MINOR);
  for (const Child& child : kChildren) {
    const HFONT font = about.fonts[child.font];
    const HWND hwnd = CreateChild(about.window, child.id, child.kind.window_class, child.kind.style,
                                  0, child.place, font, dpi);
    if (child.tip != text::kNone) AddTip(hwnd, UserTexts()[child.tip]);
    if (child.text == text::kNone) continue;  // the picture
    const wchar_t* text = child.text == text::kAboutTitlePrefix ? title : UserTexts()[child.text];
    SetWindowTextW(hwnd, text);
    // A link is exactly as large as its text: the pointer is on the link only over the text.
    if (LinkIndex(child.id) >= 0) {
      const SIZE size = TextExtent(font, text);
      SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  // The box is exactly the size of the picture's large image.
  const int size = TwipsToPixels(480, dpi);
  about.picture = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_WHIRLWIND), IMAGE_ICON, size, size, 0));
  SendDlgItemMessageW(about.window, IDC_ABOUT_ERASE, STM_SETICON,
                      reinterpret_cast<WPARAM>(about.picture), 0);
}

// Erase and OpenLink may close the window, or end the program and so destroy it: nothing of
// the window is used after them. Esc arrives as IDCANCEL, which nothing answers.
void OnCommand(int id, int code) {
  Veilpix* veilpix = about.veilpix;
  if (id == IDC_ABOUT_OK && code == BN_CLICKED) {
    CloseAboutWindow();
  } else if (LinkIndex(id) >= 0 && code == STN_CLICKED) {
    veilpix->OpenLink(LinkIndex(id));
  } else if (id == IDC_ABOUT_ERASE && code == STN_CLICKED) {
    veilpix->Erase();
  } else if (id == IDOK) {  // Enter: OK is no default button, it answers only with the focus
    PressFocusedButton(about.window);
  }
}

// Every move over a child asks the window for the cursor first: the links take the hand and
// the highlight there, with no procedure of their own.
bool OnSetCursor(HWND child, UINT hit, UINT mouse_message) {
  const int index = LinkIndex(GetDlgCtrlID(child));
  if (hit != HTCLIENT || index < 0) return false;
  if (mouse_message == WM_MOUSEMOVE) SetHotLink(index);
  SetCursor(about.hand);
  return true;
}

// Labels draw in their text colour on the dialog face.
LRESULT OnCtlColorStatic(HDC dc, HWND child) {
  const int index = LinkIndex(GetDlgCtrlID(child));
  SetTextColor(dc, index < 0                 ? GetSysColor(COLOR_BTNTEXT)
                   : index == about.hot_link ? GetSysColor(COLOR_ACTIVECAPTION)
                                             : kLinkColor);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// The children and the tooltip (owned by the window) are gone: nothing uses the fonts or the
// picture any more.
void OnNcDestroy() {
  for (HFONT font : about.fonts) DeleteObject(font);
  if (about.picture) DestroyIcon(about.picture);
  about = About{};
}

LRESULT CALLBACK AboutProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_MOUSEMOVE:  // over the window's own background only
      SetHotLink(-1);
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
      OnNcDestroy();
      break;
  }
  return DefDlgProcW(hwnd, message, wparam, lparam);
}

}  // namespace

void ShowAboutWindow(HINSTANCE instance, HWND owner, Veilpix& veilpix) {
  if (about.window) return;  // one at a time
  // The tooltip control's class.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterFormClass(instance, kClassName, AboutProc, IDI_HIDDEN)) return;
  const int dpi = ScreenDpi();
  const SIZE frame = FrameAroundClient(kClientWidth, kClientHeight, kStyle, dpi);
  // Owned by `owner`: no taskbar button of its own, always above it.
  const HWND window = CreateWindowExW(0, kClassName, UserTexts()[text::kAboutCaption], kStyle,
                                      (GetSystemMetrics(SM_CXSCREEN) - frame.cx) / 2,
                                      (GetSystemMetrics(SM_CYSCREEN) - frame.cy) / 2, frame.cx,
                                      frame.cy, owner, nullptr, instance, nullptr);
  if (!window) return;
  about.window = window;
  about.veilpix = &veilpix;
  CreateChildren(instance, dpi);
  RunModal(window);
}

void CloseAboutWindow() {
  if (about.window) DestroyWindow(about.window);
}

}  // namespace veilpix
