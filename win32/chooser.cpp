#include "win32/chooser.h"

#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "core/paths.h"
#include "resources/resource.h"
#include "win32/forms.h"
#include "win32/message_loop.h"

namespace veilpix {
namespace {

constexpr wchar_t kClassName[] = L"VeilpixChooser";
constexpr wchar_t kProgramPattern[] = L"*.exe";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // a fixed size
constexpr FontDescription kFont{text::kChooserFont, 9.75};
constexpr DWORD kDriveStyle = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kListStyle = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
constexpr DWORD kDirStyle = kListStyle | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
constexpr DWORD kLabelStyle = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD kButtonStyle = WS_TABSTOP | BS_PUSHBUTTON;  // neither is the default button

// In tab order, which is the order of creation. The controls with a text are drawn in the form's
// font, the lists in the system's default GUI font. The drive list's height holds its drop-down.
struct ChildLayout {
  int id;
  const wchar_t* window_class;
  text::Id text;
  DWORD style;
  TwipsRect place;
  DWORD ex_style = 0;
};
// clang-format off
constexpr ChildLayout kLayout[] = {
    {IDC_CHOOSER_DRIVES, L"COMBOBOX", text::kNone, kDriveStyle, {120, 480, 2295, 300 + 2400}},
    {IDC_CHOOSER_DIRECTORIES, L"LISTBOX", text::kNone, kDirStyle, {120, 840, 2295, 1980}, WS_EX_CLIENTEDGE},
    {IDC_CHOOSER_FILES, L"LISTBOX", text::kNone, kListStyle, {2520, 480, 2175, 2250}, WS_EX_CLIENTEDGE},
    {IDC_CHOOSER_PROMPT, L"STATIC", text::kChooserPrompt, kLabelStyle, {120, 120, 2655, 255}},
    {IDC_CHOOSER_OK, L"BUTTON", text::kChooserOk, kButtonStyle, {720, 3000, 1575, 375}},
    {IDC_CHOOSER_CANCEL, L"BUTTON", text::kChooserCancel, kButtonStyle, {2640, 3000, 1575, 375}},
};
// clang-format on

// The one open chooser.
HWND chooser = nullptr;
Veilpix* model = nullptr;
HFONT form_font = nullptr;
HICON open_folder = nullptr;
HICON closed_folder = nullptr;
std::wstring opened;  // the directory whose programs the file list shows
// The directory list's entries: the chain from the root down to `opened`, then its directories.
std::vector<std::wstring> entries;
size_t chain_length = 0;

HFONT ListFont() {
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

LRESULT Send(int id, UINT message, WPARAM wparam = 0, const wchar_t* text = nullptr) {
  return SendDlgItemMessageW(chooser, id, message, wparam, reinterpret_cast<LPARAM>(text));
}

// The text of the selected entry of a list (of a combo box with CB_GETLBTEXT): a file name or a
// drive, which fits MAX_PATH. Empty when none is selected.
std::wstring SelectedText(int id, UINT get_selection = LB_GETCURSEL, UINT get_text = LB_GETTEXT) {
  wchar_t text[MAX_PATH] = L"";
  const LRESULT index = Send(id, get_selection);
  if (index >= 0) Send(id, get_text, index, text);
  return text;
}

// How the directory list names entry `index`: the root whole ("C:\"), the others by their name.
const wchar_t* DirectoryName(size_t index) {
  const std::wstring& path = entries[index];
  return path.c_str() + (index == 0 ? 0 : path.find_last_of(L'\\') + 1);
}

// Of "." the current directory, of "D:" the one the system keeps for drive D; either fits
// MAX_PATH.
std::wstring FullPath(std::wstring_view path) {
  wchar_t full[MAX_PATH] = L"";
  GetFullPathNameW(std::wstring(path).c_str(), MAX_PATH, full, nullptr);
  return full;
}

// A drive without a medium answers false instead of asking the user to insert one.
bool Readable(std::wstring_view directory) {
  DWORD mode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS, &mode);
  const DWORD attributes = GetFileAttributesW(std::wstring(directory).c_str());
  SetThreadErrorMode(mode, nullptr);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The names in `directory` that match `pattern`, of its sub-directories or of its files, hidden
// and system ones left out as the system's own file lists leave them, sorted without regard to
// case as the locale sorts.
std::vector<std::wstring> Names(const std::wstring& directory, const wchar_t* pattern,
                                bool directories) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  const HANDLE find = FindFirstFileW(JoinPath(directory, pattern).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring_view name = found.cFileName;
    if (((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == directories &&
        !(found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) &&
        name != L"." && name != L"..")
      names.emplace_back(name);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
    return lstrcmpiW(a.c_str(), b.c_str()) < 0;
  });
  return names;
}

// Shows `directory` opened, its programs in the file list and its drive picked.
void Open(std::wstring directory) {
  entries = PathChain(directory);
  chain_length = entries.size();
  opened = entries.back();
  for (const std::wstring& name : Names(opened, L"*", true))
    entries.push_back(JoinPath(opened, name));
  Send(IDC_CHOOSER_DIRECTORIES, LB_RESETCONTENT);
  for (size_t i = 0; i < entries.size(); ++i)
    Send(IDC_CHOOSER_DIRECTORIES, LB_ADDSTRING, 0, DirectoryName(i));
  Send(IDC_CHOOSER_DIRECTORIES, LB_SETCURSEL, chain_length - 1);
  Send(IDC_CHOOSER_FILES, LB_RESETCONTENT);
  for (const std::wstring& name : Names(opened, kProgramPattern, false))
    Send(IDC_CHOOSER_FILES, LB_ADDSTRING, 0, name.c_str());
  Send(IDC_CHOOSER_DRIVES, CB_SETCURSEL,
       Send(IDC_CHOOSER_DRIVES, CB_FINDSTRINGEXACT, -1, DriveOf(opened).c_str()));
}

void OpenHighlightedDirectory() {
  const LRESULT index = Send(IDC_CHOOSER_DIRECTORIES, LB_GETCURSEL);
  // A directory removed since it was listed cannot be opened.
  if (index < 0 || !Readable(entries[index])) return (void)MessageBeep(MB_ICONWARNING);
  Open(entries[index]);
}

// OK: the model takes the program, or says why not while the chooser stays open.
void Choose() {
  if (model->ChooserOk(opened, SelectedText(IDC_CHOOSER_FILES)) && chooser) DestroyWindow(chooser);
}

void OnCommand(int id, int code) {
  const bool double_click = code == LBN_DBLCLK;
  if (id == IDC_CHOOSER_DRIVES && code == CBN_SELCHANGE) {
    const std::wstring drive = SelectedText(id, CB_GETCURSEL, CB_GETLBTEXT);
    Open(DirectoryOnDrive(drive, opened, FullPath, Readable));
  }
  if (id == IDC_CHOOSER_DIRECTORIES && double_click) OpenHighlightedDirectory();
  if ((id == IDC_CHOOSER_FILES && double_click) || id == IDC_CHOOSER_OK) Choose();
  // IDCANCEL comes from Esc and, through the dialog manager, from the close box.
  if (id == IDC_CHOOSER_CANCEL || id == IDCANCEL) DestroyWindow(chooser);
  // Enter, with no default button: the focused button, or a focused list as a double-click.
  if (id == IDOK && !PressFocusedButton(chooser)) OnCommand(FocusedControlId(chooser), LBN_DBLCLK);
}

// The classic directory list: each level indented by half an icon behind an open folder, the
// sub-directories one level deeper behind closed ones; only the name is highlighted.
void OnDrawItem(const DRAWITEMSTRUCT& draw) {
  const RECT& row = draw.rcItem;
  if (draw.itemID >= entries.size()) return;  // none: the list is being filled
  const int icon = GetSystemMetrics(SM_CXSMICON);
  const int gap = icon / 5;
  FillRect(draw.hDC, &row, GetSysColorBrush(COLOR_WINDOW));
  int x = row.left + gap + static_cast<int>(std::min<size_t>(draw.itemID, chain_length)) * icon / 2;
  DrawIconEx(draw.hDC, x, (row.top + row.bottom - icon) / 2,
             draw.itemID < chain_length ? open_folder : closed_folder, icon, icon, 0, nullptr,
             DI_NORMAL);
  x += icon + gap;
  const wchar_t* name = DirectoryName(draw.itemID);
  SIZE extent{};
  GetTextExtentPoint32W(draw.hDC, name, static_cast<int>(wcslen(name)), &extent);
  RECT text{x, row.top, std::min<LONG>(x + extent.cx + 2 * gap, row.right), row.bottom};
  const bool selected = draw.itemState & ODS_SELECTED;
  if (selected) FillRect(draw.hDC, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
  if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &text);
  SetBkMode(draw.hDC, TRANSPARENT);
  SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  text.left += gap;
  DrawTextW(draw.hDC, name, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT CALLBACK ChooserProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_MEASUREITEM:  // the directory list's entries: its font's height or an icon's
      reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight =
          std::max<int>(TextExtent(ListFont(), L"X").cy, GetSystemMetrics(SM_CYSMICON)) + 2;
      return TRUE;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_NCDESTROY:  // after the children, which use the font
      DeleteObject(form_font);
      DestroyIcon(open_folder);
      DestroyIcon(closed_folder);
      chooser = nullptr;
      entries = {};
      break;
    default:
      break;
  }
  return DefDlgProcW(hwnd, message, wparam, lparam);
}

// The shell's small folder icon, open or closed, without touching a real folder.
HICON SmallFolderIcon(UINT open) {
  SHFILEINFOW info{};
  SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                 SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON | open);
  return info.hIcon;
}

void CreateChildren(int dpi) {
  for (const ChildLayout& child : kLayout) {
    const bool labelled = child.text != text::kNone;
    const HWND hwnd =
        CreateChild(chooser, child.id, child.window_class, child.style, child.ex_style, child.place,
                    labelled ? form_font : ListFont(), dpi);
    if (labelled) SetWindowTextW(hwnd, UserTexts()[child.text]);
  }
  // A wider substitute for the label's font must not cut its text off.
  const HWND label = GetDlgItem(chooser, IDC_CHOOSER_PROMPT);
  const SIZE extent = TextExtent(form_font, UserTexts()[text::kChooserPrompt]);
  RECT client;
  GetClientRect(label, &client);
  SetWindowPos(label, nullptr, 0, 0, std::max(extent.cx, client.right), client.bottom,
               SWP_NOMOVE | SWP_NOZORDER);
  // "C:\", NUL, "D:\", NUL, ..., NUL: 26 drives at most, then a NUL.
  wchar_t roots[26 * 4 + 1] = L"";
  GetLogicalDriveStringsW(26 * 4, roots);
  for (const wchar_t* root = roots; *root; root += wcslen(root) + 1)
    Send(IDC_CHOOSER_DRIVES, CB_ADDSTRING, 0, DriveOf(root).c_str());
}

}  // namespace

void ShowChooser(HINSTANCE instance, Veilpix& veilpix) {
  if (chooser) {
    SetForegroundWindow(chooser);
    return;
  }
  if (!RegisterFormClass(instance, kClassName, ChooserProcedure, IDI_SHOWN)) return;
  const int dpi = ScreenDpi();
  const SIZE frame = FrameAroundClient(4815, 3510, kStyle, dpi);  // the client area in twips
  // Where the window system puts a new window, not centred.
  chooser =
      CreateWindowExW(0, kClassName, UserTexts()[text::kChooserCaption], kStyle, CW_USEDEFAULT,
                      CW_USEDEFAULT, frame.cx, frame.cy, nullptr, nullptr, instance, nullptr);
  if (!chooser) return;
  model = &veilpix;
  form_font = CreateFontFrom(kFont, dpi);
  open_folder = SmallFolderIcon(SHGFI_OPENICON);
  closed_folder = SmallFolderIcon(0);
  CreateChildren(dpi);
  Open(FullPath(L"."));
  RunModal(chooser);
  if (chooser) DestroyWindow(chooser);  // the program ended while it was open
}

}  // namespace veilpix
