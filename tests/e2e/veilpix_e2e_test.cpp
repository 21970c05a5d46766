// The real Veilpix.exe, each pass a user's flow: through Wine's notification area (real clicks
// on its tray icon and its menu's items), its button, title bar and command line; the
// About window and the chooser opened from the menu and used with the real pointer and keys; the
// installer this tree made and its uninstaller. The registry is read back throughout.
#include "tests/e2e/veilpix_app.h"

#include <commctrl.h>

namespace veilpix::testing {
namespace {

using std::filesystem::exists;

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veilpix";
// Where the installer puts Veilpix and its shortcuts.
const std::wstring kInstallDir = std::wstring(_wgetenv(L"LOCALAPPDATA")) + L"\\Programs\\Veilpix";
const std::wstring kShortcut =
    std::wstring(_wgetenv(L"APPDATA")) + L"\\Microsoft\\Windows\\Start Menu\\Programs\\Veilpix";
// The chooser's programs, in a folder with blanks in its path. A launcher that ran the path
// unquoted would start "C:\users\Public\Veilpix.exe" or "...\Veilpix Test\Toggle.exe" instead:
// both are planted.
const std::wstring kFolder = L"C:\\users\\Public\\Veilpix Test";
const std::wstring kPrograms[] = {kFolder + L"\\Toggle Tools\\Toggle Images.exe",
                                  L"C:\\users\\Public\\Veilpix.exe", kFolder + L"\\Toggle.exe"};

// How many broadcasts telling of the "windows" setting reached another program's window.
LONG told = 0;
LRESULT CALLBACK Listen(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  InterlockedExchangeAdd(&told,
                         message == WM_WININICHANGE && lparam &&
                             !lstrcmpW(reinterpret_cast<const wchar_t*>(lparam), L"windows"));
  return DefWindowProcW(hwnd, message, wparam, lparam);
}
// A window in a thread of its own, which goes with the test's process. A hung one never reads
// its messages; hidden, it still gets broadcasts.
DWORD WINAPI OtherWindow(void* hung) {
  const WNDCLASSW listener{0, Listen, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, L"Other"};
  RegisterClassW(&listener);
  CreateWindowExW(0, L"Other", hung ? L"Hung" : L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                  nullptr, nullptr);
  if (hung) Sleep(INFINITE);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0)) DispatchMessageW(&message);
  return 0;
}

// Read-only, a key refuses writes, as a policy or a program running elevated may make it.
constexpr wchar_t kReadOnly[] = L"D:(A;;KR;;;WD)", kAllAccess[] = L"D:(A;;KA;;;WD)";

// Selects the first entry that begins with `name` in one of the chooser's lists, and double-clicks
// it when asked, with the notifications the list then sends (CBN_SELCHANGE and LBN_SELCHANGE are
// the same code).
void Choose(HWND chooser, int id, const wchar_t* name, bool double_click = false) {
  const HWND list = GetDlgItem(chooser, id);
  SendMessageW(list, id == IDC_CHOOSER_DRIVES ? CB_SELECTSTRING : LB_SELECTSTRING, -1,
               LPARAM(name));
  SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), LPARAM(list));
  if (double_click) SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), LPARAM(list));
}

// The chooser's programs, each a copy of the stand-in.
// Beside them, hidden and system files and folders, which the chooser leaves out, and a folder
// the chooser pass takes away.
const std::wstring kTools = kFolder + L"\\Toggle Tools";
void PlantPrograms() {
  for (const std::wstring& folder : {kTools + L"\\Hidden", kFolder + L"\\Gone"})
    std::filesystem::create_directories(folder);
  for (const std::wstring& copy :
       {kPrograms[0], kPrograms[1], kPrograms[2], kTools + L"\\Toggle Hidden.exe",
        kTools + L"\\Toggle System.exe"})
    ASSERT_TRUE(CopyFileW(WinePath(VEILPIX_STAND_IN).c_str(), copy.c_str(), FALSE)) << copy;
  for (const auto& [name, attribute] : {std::pair{L"\\Hidden", FILE_ATTRIBUTE_HIDDEN},
                                        {L"\\Toggle Hidden.exe", FILE_ATTRIBUTE_HIDDEN},
                                        {L"\\Toggle System.exe", FILE_ATTRIBUTE_SYSTEM}})
    SetFileAttributesW((kTools + name).c_str(), attribute);
}

// Each pass starts with pictures shown and leaves the prefix as it found it: no settings, no
// planted programs, no browser stand-in, no installation (whose log-on entry would start Veilpix
// whenever the prefix boots). The installation's folder goes last: a failed pass may leave the
// installed exe running until the pass ends, and then the next pass takes it away.
class E2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    WriteUserString(kIeMainKey, kPictures, L"yes");
  }
  void TearDown() override {
    SetKeyAccess(kIeMainKey, kAllAccess);
    DeleteUserKey(kVeilpixKey);
    std::filesystem::remove_all(kFolder);
    for (const auto& decoy : {kPrograms[1], kPrograms[1] + L".ran"}) std::filesystem::remove(decoy);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kWineBrowserKey, L"Browsers");
    DeleteFileW(L"C:\\address");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Veilpix");
    DeleteUserKey(kUninstallKey);
    std::filesystem::remove_all(kInstallDir);
  }

  static std::wstring Setting(const wchar_t* name) { return ReadUserString(kSettingsKey, name); }
  // Internet Explorer's picture setting: "yes", "no" or "<absent>".
  static std::wstring Pictures() { return ReadUserString(kIeMainKey, kPictures); }

  Program app;  // the Veilpix of the pass
};
using TrayE2eTest = E2eTest;
using AboutE2eTest = E2eTest;
using ChooserE2eTest = E2eTest;
using InstallerE2eTest = E2eTest;

TEST_F(TrayE2eTest, IconClicksSwitchAndOpenTheMenuWhoseChoicesAndEndTheNextStartApplies) {
  PlantPrograms();  // the external program is there, not in use
  WriteUserString(kSettingsKey, L"TogglePath", kPrograms[0].c_str());
  WriteUserString(kSettingsKey, L"Toggle", L"0");
  CloseHandle(CreateThread(nullptr, 0, OtherWindow, nullptr, 0, nullptr));
  ASSERT_TRUE(app.Start());
  EXPECT_FALSE(IsWindowVisible(app.tray()));
  // Pointing at the icon shows its tip (pointed at again where Wine moved the pointer back before
  // the tip's time), the name alone: blanks after it would widen the tip.
  RECT tip{};
  for (int tries = 0; tries < 3 && tip.right <= tip.left; ++tries) {
    MovePointer(app.TrayIcon().value_or(POINT{}));
    tip = RectOf(app.Shown(L"tooltips_class32", false));
  }
  EXPECT_LT(tip.right - tip.left, 4 * (tip.bottom - tip.top)) << tip.right - tip.left;
  ASSERT_TRUE(app.ClickTrayIcon());
  EXPECT_SOON(Pictures() == L"no" && app.Caption() == L"非表示");
  EXPECT_SOON(told > 0) << "every top-level window is told";

  // Each menu's items top down ("+" checked, "g" greyed) and the pick made in it. As it starts,
  // 左クリックで切換 is checked and the two below it are greyed; then it is turned off, the two
  // below and the external program on.
  const std::tuple<const char*, MenuItem, const wchar_t*, const wchar_t*> picks[] = {
      {"-a +a -g -g -a -a ", kChange, L"Change", L"0"},
      {"-a -a -a -a -a -a ", kStart, L"Show", L"1"},
      {"-a -a +a -a -a -a ", kPosition, L"Position", L"1"},
      {"-a -a +a +a -a -a ", kToggle, L"Toggle", L"1"},
  };
  for (const auto& [marks, item, name, stored] : picks) {
    ASSERT_EQ(app.Pick(item, item == kChange ? L"tray-menu" : nullptr), marks);
    EXPECT_SOON(Setting(name) == stored) << name;
  }
  SetWindowPos(app.tray(), nullptr, 200, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(app.Pick(kEnd), "+a -a +a +a -a -a ");
  EXPECT_EQ(app.WaitForExit(), 0u);
  const auto twips = [](int pixels) { return std::to_wstring(pixels * 1440 / ScreenDpi()); };
  EXPECT_EQ(Setting(L"Left") + L"," + Setting(L"Top"), twips(200) + L"," + twips(100));

  Program again;
  ASSERT_TRUE(again.Start());
  EXPECT_TRUE(IsWindowVisible(again.tray()));
  const RECT place = RectOf(again.tray());
  EXPECT_EQ(std::pair(place.left, place.top), std::pair(200L, 100L));
  // Shown, the window's button takes Enter and Space: they switch, through the external program,
  // which is now in use.
  const HWND button = GetDlgItem(again.tray(), IDC_MAIN_BUTTON);
  const std::wstring ran = kPrograms[0] + L".ran";
  PostMessageW(button, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_SOON(DeleteFileW(ran.c_str()));
  PostMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
  PostMessageW(button, WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_SOON(exists(ran));
  // The title bar's close box only hides it: Veilpix lives on in the tray.
  PostMessageW(again.tray(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_SOON(!IsWindowVisible(again.tray()));
  EXPECT_EQ(again.WaitForExit(300), STILL_ACTIVE);
  // Started with its program present and in use, the external program is locked on.
  ASSERT_EQ(again.Pick(kEnd), "+g -a +a +a -a -a ");
  EXPECT_EQ(again.WaitForExit(), 0u);
}

TEST_F(TrayE2eTest, WindowComesBackOnScreenFollowsOutsideChangesAndSwitchesPastAHungWindow) {
  // Shown at start where it was left, far off the screen.
  for (const wchar_t* name : {L"Show", L"Position"}) WriteUserString(kSettingsKey, name, L"1");
  WriteUserString(kSettingsKey, L"Change", L"0");
  WriteUserString(kSettingsKey, L"Top", L"-3000000");
  WriteUserString(kSettingsKey, L"Left", L"9e30");
  ASSERT_TRUE(app.Start());
  RECT window = RectOf(app.tray()), screen = RectOf(GetDesktopWindow()), outside;
  EXPECT_FALSE(SubtractRect(&outside, &window, &screen)) << window.left << "," << window.top;
  EXPECT_TRUE(GetWindow(app.tray(), GW_OWNER)) << "owned: no taskbar button of its own";

  // Outside changes show when they happen, not at the next poll: polled every two seconds, two
  // changes in a row could not both show within one and a half. The watch begins just after
  // start-up, so the first change may wait for the poll.
  for (const auto& [value, caption, wait] :
       {std::tuple{L"no", L"非表示", 5000}, {L"yes", L"表示", 1500}, {L"no", L"非表示", 1500}}) {
    WriteUserString(kIeMainKey, kPictures, value);
    EXPECT_TRUE(WaitUntil([&] { return app.Caption() == caption; }, wait)) << value;
  }

  // Another program's window that never answers again.
  CloseHandle(CreateThread(nullptr, 0, OtherWindow, reinterpret_cast<void*>(true), 0, nullptr));
  ASSERT_SOON(FindWindowW(L"Other", L"Hung"));
  ClickAt(CentreOf(GetDlgItem(app.tray(), IDC_MAIN_BUTTON)));
  EXPECT_TRUE(WaitUntil([&] { return Pictures() == L"yes" && app.Caption() == L"表示"; }, 1500))
      << "a hung window holds a switch up for half a second at most";

  // An icon lost without a word is back at the next refresh, with nothing for the watch to see;
  // one lost as the shell restarts, at its "TaskbarCreated", before the refresh after that.
  Sleep(300);
  RemoveTrayIcon(app.tray(), 1);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(app.tray(), 1); }, 2500));
  RemoveTrayIcon(app.tray(), 1);
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(app.tray(), 1); }, 1500));
}

TEST_F(TrayE2eTest, OneResidentPerSessionAndSwitchesFromTheCommandLineThatItFollows) {
  CloseHandle(CreateThread(nullptr, 0, OtherWindow, nullptr, 0, nullptr));
  ASSERT_TRUE(app.Start());
  EXPECT_EQ(Program::ExitCode(Program::Veilpix()), 0u);
  // The first one comes forward, topmost, with its button in the keyboard focus.
  GUITHREADINFO gui{sizeof gui, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, {}};
  EXPECT_SOON(IsWindowVisible(app.tray()) &&
              GetWindowLongW(app.tray(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_SOON(GetGUIThreadInfo(app.process().dwThreadId, &gui) &&
              gui.hwndFocus == GetDlgItem(app.tray(), IDC_MAIN_BUTTON));
  // What each command line stores and returns; the running Veilpix's caption follows. Only a
  // setting stored is told to every top-level window. The last cannot be stored.
  const std::tuple<const wchar_t*, DWORD, const wchar_t*> cases[] = {
      {L"/off", 0, L"no"}, {L"/bogus", 2, L"no"}, {L"/toggle", 0, L"yes"}, {L"/off", 1, L"yes"}};
  for (const auto& [arguments, code, stored] : cases) {
    if (code == 1) SetKeyAccess(kIeMainKey, kReadOnly);
    const LONG before = told;
    EXPECT_EQ(Program::ExitCode(Program::Veilpix(arguments)), code) << arguments;
    EXPECT_EQ(Pictures(), stored) << arguments;
    EXPECT_EQ(told > before, code == 0) << arguments;
    const wchar_t* caption = Pictures() == L"no" ? L"非表示" : L"表示";
    EXPECT_TRUE(WaitUntil([&] { return app.Caption() == caption; }, 1500)) << arguments;
  }
  // A log-off that another program cancelled leaves Veilpix running; one that happens ends it.
  PostMessageW(app.tray(), WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(app.WaitForExit(500), STILL_ACTIVE);
  PostMessageW(app.tray(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);

  // The usage, in a box with its icon.
  Program usage;
  ASSERT_TRUE(usage.Run(Program::Veilpix(L"/?")));
  const HWND box = usage.Shown(L"#32770");
  EXPECT_TRUE(SendMessageW(FindWindowExW(box, nullptr, L"Static", nullptr), STM_GETICON, 0, 0));
  EXPECT_NE(TextOf(GetDlgItem(box, 0xFFFF)).find(L"/toggle"), std::wstring::npos);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(usage.WaitForExit(), 0u);
  // A Veilpix that this start may not even ask (one running elevated) is a Veilpix running.
  SECURITY_ATTRIBUTES locked{sizeof locked, nullptr, FALSE};
  ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:", SDDL_REVISION_1,
                                                       &locked.lpSecurityDescriptor, nullptr);
  const HANDLE claim = CreateMutexW(&locked, TRUE, L"Local\\Veilpix");
  EXPECT_EQ(Program::ExitCode(Program::Veilpix()), 0u);
  CloseHandle(claim);
}

TEST_F(AboutE2eTest, LinksLightUpUnderThePointerAndOpenTheirPageAndThePictureErasesEverything) {
  WriteUserString(kSettingsKey, L"Toggle", L"0");  // something to erase
  ASSERT_TRUE(app.Start());
  HWND about, box;
  ASSERT_TRUE(about = app.Open(kAbout, L"VeilpixAbout"));
  EXPECT_FALSE(IsWindowEnabled(app.tray())) << "modal";
  const POINT centre = CentreOf(about), middle = CentreOf(GetDesktopWindow());
  EXPECT_LE(abs(centre.x - middle.x) + abs(centre.y - middle.y), 2) << "centred on the screen";
  const HWND ok = GetDlgItem(about, IDC_ABOUT_OK);
  EXPECT_EQ(GetWindowLongW(ok, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON) << "not drawn as default";
  const HWND link = GetDlgItem(about, IDC_ABOUT_SUPPORT_LINK);

  // Esc does nothing: the window still shows when the pointer's move behind it arrives, and in the
  // picture.
  PostMessageW(ok, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitWithPointerAt(CentreOf(link), [&] {
    return PixelsShowing(link, COLOR_ACTIVECAPTION) > 0;
  })) << "the link lit";
  CURSORINFO on_link{sizeof on_link, 0, nullptr, {}}, off_link = on_link;
  GetCursorInfo(&on_link);
  EXPECT_TRUE(app.Shown(L"tooltips_class32")) << "the link's tip";
  // Beside the link's text, where its line of the layout still reaches, is the window's own
  // background: there the link is unlit, and the pointer the arrow, not the hand.
  POINT beside{MulDiv(4800, ScreenDpi(), 1440), 0};
  ClientToScreen(about, &beside);
  EXPECT_TRUE(WaitWithPointerAt({beside.x, CentreOf(link).y}, [&] {
    return PixelsShowing(link, COLOR_ACTIVECAPTION) == 0 && GetCursorInfo(&off_link) &&
           off_link.hCursor != on_link.hCursor;
  }));
  SaveScreenshot(L"about");
  PostMessageW(ok, WM_KEYDOWN, VK_RETURN, 0);  // on the focused OK
  EXPECT_SOON(!IsWindow(about));
  EXPECT_SOON(IsWindowEnabled(app.tray()));

  // Wine's browser launcher runs what stands in for the user's web browser: a shell that records
  // the address it is given on drive C:.
  WriteUserString(kWineBrowserKey, L"Browsers",
                  LR"(/bin/sh -c "printf %s \"$0\" >\"$WINEPREFIX/drive_c/address\"")");
  ASSERT_TRUE(about = app.Open(kAbout, L"VeilpixAbout"));
  ClickAt(CentreOf(GetDlgItem(about, IDC_ABOUT_REPORT_LINK)));
  std::string address;
  EXPECT_SOON((std::ifstream("C:\\address") >> address,
               address == "https://github.com/veilpix/veilpix/issues"))
      << address;
  EXPECT_SOON(!IsWindow(about));

  ASSERT_TRUE(about = app.Open(kAbout, L"VeilpixAbout"));
  ClickAt(CentreOf(GetDlgItem(about, IDC_ABOUT_ERASE)));
  ASSERT_TRUE(box = app.Shown(L"#32770"));
  EXPECT_EQ(TextOf(box), L" Erasing Registry Has Finished!");
  EXPECT_TRUE(SendMessageW(FindWindowExW(box, nullptr, L"Static", nullptr), STM_GETICON, 0, 0))
      << "its icon";
  // Started again while that box is open, Veilpix waits, and is the resident once this one ends.
  Program next;
  ASSERT_TRUE(next.Run(Program::Veilpix()));
  EXPECT_EQ(next.WaitForExit(1000), STILL_ACTIVE);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_TRUE(next.InTray());
}

TEST_F(ChooserE2eTest, ChosenProgramIsStoredAndTheTrayStartsItByItsWholePath) {
  PlantPrograms();
  // A drive that cannot be read (no medium in it): picking it leaves the chooser where it was.
  DefineDosDeviceW(0, L"Q:", L"C:\\nowhere");
  ASSERT_TRUE(app.Start());
  // Esc and the close box close it with nothing stored, and give the main window back.
  HWND chooser;
  for (const auto& [message, key] :
       {std::pair<UINT, WPARAM>{WM_KEYDOWN, VK_ESCAPE}, {WM_SYSCOMMAND, SC_CLOSE}}) {
    ASSERT_TRUE(chooser = app.Open(kToggle, L"VeilpixChooser"));
    EXPECT_FALSE(IsWindowEnabled(app.tray())) << "modal";
    PostMessageW(chooser, message, key, 0);
    EXPECT_SOON(!IsWindow(chooser)) << message;
    EXPECT_SOON(IsWindowEnabled(app.tray()));
  }
  EXPECT_EQ(Setting(L"TogglePath"), L"<absent>");

  ASSERT_TRUE(chooser = app.Open(kToggle, L"VeilpixChooser"));
  Choose(chooser, IDC_CHOOSER_DRIVES, L"C:");
  const HWND drives = GetDlgItem(chooser, IDC_CHOOSER_DRIVES);
  ASSERT_GT(SendMessageW(drives, CB_FINDSTRINGEXACT, -1, LPARAM(L"Q:")), 0);
  // The folders below are then picked on C:, and the picture shows which drive the list shows.
  Choose(chooser, IDC_CHOOSER_DRIVES, L"Q:");
  for (const wchar_t* folder : {L"C:\\", L"users", L"Public", L"Veilpix Test"})
    Choose(chooser, IDC_CHOOSER_DIRECTORIES, folder, true);
  // One click on a folder only highlights it; a double click opens it.
  const HWND files = GetDlgItem(chooser, IDC_CHOOSER_FILES);
  RemoveDirectoryW((kFolder + L"\\Gone").c_str());
  Choose(chooser, IDC_CHOOSER_DIRECTORIES, L"Gone", true);  // gone since it was listed
  Choose(chooser, IDC_CHOOSER_DIRECTORIES, L"Toggle Tools");
  EXPECT_EQ(SendMessageW(files, LB_FINDSTRINGEXACT, -1, LPARAM(L"Toggle.exe")), 0);
  Choose(chooser, IDC_CHOOSER_DIRECTORIES, L"Toggle Tools", true);
  ASSERT_EQ(SendMessageW(files, LB_FINDSTRINGEXACT, -1, LPARAM(L"Toggle Images.exe")), 0);
  // The picture shows that only that is listed: hidden and system files and folders are left out,
  // and so are "." and "..".
  // Enter on the file the mouse selected takes it.
  ClickAt({RectOf(files).left + 20, RectOf(files).top + 8});
  EXPECT_SOON(PixelsShowing(files, COLOR_HIGHLIGHT) > 0);
  SaveScreenshot(L"chooser");
  PostMessageW(files, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_SOON(!IsWindow(chooser));
  EXPECT_EQ(Setting(L"TogglePath"), kPrograms[0]);

  // The menu item is ticked: a left click starts the program (and writes nothing: VeilpixTest).
  ASSERT_TRUE(app.ClickTrayIcon());
  int shown_as = -1;  // how the program was asked to show its window
  EXPECT_SOON((std::ifstream(std::filesystem::path(kPrograms[0] + L".ran")) >> shown_as,
               shown_as == SW_SHOWMINIMIZED));
  EXPECT_FALSE(exists(kPrograms[1] + L".ran") || exists(kPrograms[2] + L".ran"));

  // Ended with the chooser open (it has no owner to go with), as the installer ends Veilpix:
  // nothing stays behind.
  ASSERT_EQ(app.Pick(kToggle), "+a +a -g -g -a -a ");            // off
  WriteUserString(kSettingsKey, L"TogglePath", kTools.c_str());  // a folder is no program
  ASSERT_NE(app.Open(kToggle, L"VeilpixChooser"), nullptr);
  PostMessageW(app.tray(), WM_COMMAND, IDM_END, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

// Run under an English display language (see CMakeLists.txt). Every window takes its texts from
// the table of the language Veilpix picked: the caption tells which it picked, and the pictures
// of the menu and the About window compare their texts.
TEST_F(E2eTest, InEnglishTheTextsAreEnglishAndFitTheirControlsInTheSystemsMessageFont) {
  // With pictures hidden, the tray image the menu is opened from is the one for any caption but
  // 表示 (Program::TrayIcon).
  WriteUserString(kIeMainKey, kPictures, L"no");
  ASSERT_TRUE(app.Start());
  EXPECT_EQ(app.Caption(), L"Hidden");
  ASSERT_EQ(app.Pick(kAbout, L"tray-menu-english"), "-a +a -g -g -a -a ");
  const HWND about = app.Shown(L"VeilpixAbout");
  SaveScreenshot(L"about-english");
  // Each text fits its control in the system's message font, even bold; a link is as high as
  // that font, as Veilpix measured its address in the link's own font.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  const HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, CreateFontW(metrics.lfMessageFont.lfHeight, 0, 0, 0, FW_BOLD, 0, 0, 0,
                               DEFAULT_CHARSET, 0, 0, 0, 0, metrics.lfMessageFont.lfFaceName));
  for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring text = TextOf(child);
    RECT place = RectOf(child), extent{place.left, place.top, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const bool link = text.starts_with(L"https://");
    EXPECT_TRUE(link ? extent.bottom == place.bottom : extent.right <= place.right) << text;
  }
}

TEST_F(InstallerE2eTest, SilentInstallPutsVeilpixInPlaceAndUninstallEndsItAndRemovesEveryTrace) {
  ASSERT_EQ(Program::ExitCode(L"\"" + WinePath(VEILPIX_SETUP) + L"\" /S"), 0u);
  const std::wstring exe = kInstallDir + L"\\Veilpix.exe";
  const std::wstring plain = kShortcut + L".lnk", toggle = kShortcut + L" - switch pictures.lnk";
  EXPECT_TRUE(exists(plain));
  // The switching shortcut's key, Ctrl+Alt+I, is where every link keeps it.
  char key[2] = {};
  std::ifstream(toggle.c_str(), std::ios::binary).seekg(0x40).read(key, 2);
  EXPECT_EQ(MAKEWORD(key[0], key[1]), MAKEWORD('I', HOTKEYF_CONTROL | HOTKEYF_ALT));
  EXPECT_EQ(ReadUserString(kUninstallKey, L"DisplayName"), L"Veilpix");
  const std::wstring run = ReadUserString(kRunKey, L"Veilpix");
  EXPECT_EQ(run, L"\"" + exe + L"\"");
  ASSERT_TRUE(app.Start(run));
  // Opened as the shell opens it, the switching shortcut runs the installed Veilpix to switch.
  ShellExecuteW(nullptr, nullptr, toggle.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  EXPECT_SOON(Pictures() == L"no" && app.Caption() == L"非表示");

  // Waited for: the uninstaller runs in place and returns when it is done.
  const std::wstring uninstall = ReadUserString(kUninstallKey, L"UninstallString");
  ASSERT_EQ(Program::ExitCode(uninstall + L" /S _?=" + kInstallDir), 0u);
  EXPECT_EQ(app.WaitForExit(), 0u);
  for (const std::wstring& file : {exe, plain, toggle}) EXPECT_FALSE(exists(file)) << file;
  EXPECT_EQ(ReadUserString(kRunKey, L"Veilpix"), L"<absent>");
  EXPECT_FALSE(UserKeyExists(kUninstallKey));
  // Veilpix wrote its position as it ended; that is gone too.
  EXPECT_FALSE(UserKeyExists(kVeilpixKey));
}

}  // namespace
}  // namespace veilpix::testing
