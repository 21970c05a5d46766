// The About window of the real exe, opened from the tray menu: what it shows, how it closes,
// its two links and its erase picture, with the registry read back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "resources/resource.h"
#include "tests/e2e/veilpix_app.h"
#include "tests/win32/browser_stand_in.h"
#include "tests/win32/message_box_watcher.h"

namespace veilpix::testing {
namespace {

constexpr char kSupportPage[] = "https://github.com/veilpix/veilpix";
constexpr char kBugReportPage[] = "https://github.com/veilpix/veilpix/issues";

std::wstring TextOf(HWND hwnd) {
  wchar_t text[256] = L"";
  GetWindowTextW(hwnd, text, 256);
  return text;
}

bool VeilpixSettingsExist() {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Veilpix", 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

// A click as the control receives it from the mouse.
void Click(HWND control) {
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

int Pixels(int twips) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return (twips * dpi + 720) / 1440;
}

// Puts the real pointer into the screen's top left corner. Under Wine a jump of the pointer can
// be undone by a stale move from where it was, so it is put there until it stays.
bool ParkPointer() {
  for (int attempt = 0; attempt < 20; ++attempt) {
    SetCursorPos(0, 0);
    Sleep(100);
    POINT at;
    GetCursorPos(&at);
    if (at.x == 0 && at.y == 0) return true;
  }
  return false;
}

// The pointer moving over a window, as the system reports it to the window under it.
void MoveOver(HWND hwnd, POINT client) {
  PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

POINT CentreOf(HWND hwnd) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// How many pixels of the window's area on the screen show `colour`.
int PixelsOfColour(HWND hwnd, COLORREF colour) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  const DWORD wanted = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
  int count = 0;
  for (int i = 0; i < width * height; ++i) count += (pixels[i] & 0xFFFFFF) == wanted;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return count;
}

class AboutE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteVeilpixSettings();
    WritePictures(L"yes");
  }
  void TearDown() override { DeleteVeilpixSettings(); }

  // Opens the About window from the tray menu and waits until it shows.
  HWND OpenAbout() {
    app.PostMenuCommand(IDM_ABOUT);
    HWND about = nullptr;
    WaitUntil(
        [&] { return (about = FindTopLevelWindow(app.process_id(), L"VeilpixForm3", true)); });
    return about;
  }

  VeilpixApp app;
};

TEST_F(AboutE2eTest, ShowsTheVersionCentredAndATrayClickClosesItBeforeSwitching) {
  ASSERT_TRUE(app.Start());
  const HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(TextOf(about), L"バージョン情報");
  EXPECT_EQ(TextOf(GetDlgItem(about, IDC_FORM3_LBLTITLE)), L"Veilpix Ver 2.0");
  EXPECT_EQ(TextOf(GetDlgItem(about, IDC_FORM3_LBLURL0)), L"https://github.com/veilpix/veilpix");
  EXPECT_EQ(TextOf(GetDlgItem(about, IDC_FORM3_LBLURL1)),
            L"https://github.com/veilpix/veilpix/issues");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(about, IDC_FORM3_CHECK1)));

  RECT client;
  GetClientRect(about, &client);
  EXPECT_EQ(client.right, Pixels(5325));
  EXPECT_EQ(client.bottom, Pixels(3645));
  RECT frame;
  GetWindowRect(about, &frame);
  EXPECT_LE(std::abs(frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN)), 1);
  EXPECT_LE(std::abs(frame.top + frame.bottom - GetSystemMetrics(SM_CYSCREEN)), 1);
  // Modal: the main window takes no input meanwhile.
  EXPECT_FALSE(IsWindowEnabled(app.form1()));
  // Drawn now, not whenever the program gets round to it.
  RedrawWindow(about, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
  SaveScreenshot(L"about");

  // Left-click switching is on by default: the click closes the window, then switches.
  app.PostTray(WM_LBUTTONDOWN);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  EXPECT_TRUE(WaitUntil([] { return ReadPictures() == L"no"; }));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app.form1()) != FALSE; }));
}

TEST_F(AboutE2eTest, LinkUnderThePointerTakesTheTitleBarColourUntilThePointerReachesTheBackground) {
  // The real pointer waits in a corner, away from the window, so only the moves below reach it.
  ASSERT_TRUE(ParkPointer());
  ASSERT_TRUE(app.Start());
  const HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  const HWND links[] = {GetDlgItem(about, IDC_FORM3_LBLURL0), GetDlgItem(about, IDC_FORM3_LBLURL1)};
  RECT link1;
  GetWindowRect(links[1], &link1);
  // Just right of the second link's text: the link ends with its text.
  POINT background{link1.right + 4, (link1.top + link1.bottom) / 2};

  // Every label and the picture take the pointer themselves; only the bare background is the
  // window's own.
  for (const int id : {IDC_FORM3_LBLURL0, IDC_FORM3_LBLURL1, IDC_FORM3_LABEL13, IDC_FORM3_LABEL14,
                       IDC_FORM3_LABEL20, IDC_FORM3_LABEL23, IDC_FORM3_LABEL22,
                       IDC_FORM3_LBLDESCRIPTION, IDC_FORM3_LBLTITLE, IDC_FORM3_PICICON}) {
    const HWND control = GetDlgItem(about, id);
    EXPECT_EQ(WindowFromPoint(CentreOf(control)), control) << id;
  }
  EXPECT_EQ(WindowFromPoint(background), about);
  ScreenToClient(about, &background);

  const COLORREF blue = RGB(0, 0, 255);
  const COLORREF hot = GetSysColor(COLOR_ACTIVECAPTION);
  ASSERT_NE(hot, blue);
  // Each step: where the pointer moves, then which colour each link must show.
  struct Step {
    const char* onto;
    HWND hwnd;
    COLORREF link0;
    COLORREF link1;
  };
  const Step steps[] = {
      {"link 0", links[0], hot, blue},
      {"link 1", links[1], blue, hot},
      {"another label", GetDlgItem(about, IDC_FORM3_LABEL14), blue, hot},
      {"the picture", GetDlgItem(about, IDC_FORM3_PICICON), blue, hot},
      {"the background", about, blue, blue},
      {"link 0", links[0], hot, blue},
      {"the background", about, blue, blue},
  };
  for (const Step& step : steps) {
    MoveOver(step.hwnd, step.hwnd == about ? background : POINT{2, 2});
    for (int i = 0; i < 2; ++i) {
      const COLORREF wanted = i == 0 ? step.link0 : step.link1;
      const COLORREF other = wanted == hot ? blue : hot;
      EXPECT_TRUE(WaitUntil(
          [&] {
            return PixelsOfColour(links[i], wanted) > 0 && PixelsOfColour(links[i], other) == 0;
          },
          2000))
          << "link " << i << " after the pointer moved onto " << step.onto;
    }
  }
}

TEST_F(AboutE2eTest, EscDoesNothingAndEnterActsOnTheFocusedOkButton) {
  ASSERT_TRUE(app.Start());
  const HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  const HWND ok = GetDlgItem(about, IDC_FORM3_COMMAND1);
  EXPECT_EQ(TextOf(ok), L"ＯＫ");

  // Keys go where the focus is: the window is ready once its button has it.
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(about) == ok; }));

  PostMessageW(ok, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(about, WM_KEYDOWN, VK_ESCAPE, 0);
  Sleep(500);
  EXPECT_TRUE(IsWindowVisible(about));

  PostMessageW(ok, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  EXPECT_FALSE(app.WaitForExit(0));
}

TEST_F(AboutE2eTest, EachLinkOpensItsPageAndClosesTheWindow) {
  ASSERT_TRUE(app.Start());
  const std::pair<int, const char*> links[] = {{IDC_FORM3_LBLURL0, kSupportPage},
                                               {IDC_FORM3_LBLURL1, kBugReportPage}};
  for (const auto& [id, page] : links) {
    BrowserStandIn browser;
    ASSERT_TRUE(browser.Ready());
    const HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    Click(GetDlgItem(about, id));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); })) << page;
    EXPECT_EQ(browser.WaitForAddress(), page);
  }
}

TEST_F(AboutE2eTest, ErasePictureRemovesEverySettingAndEndsWithoutWritingThePositionBack) {
  WriteSetting(L"Change", L"0");
  WriteSetting(L"Position", L"1");
  WriteSetting(L"Top", L"1500");
  WriteSetting(L"Left", L"3000");
  ASSERT_TRUE(app.Start());
  const HWND form1 = app.form1();
  const HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  MessageBoxWatcher boxes(app.process_id());

  Click(GetDlgItem(about, IDC_FORM3_PICICON));
  ASSERT_TRUE(boxes.WaitForBoxes(1));
  EXPECT_EQ(boxes.Seen()[0].title, L" Erasing Registry Has Finished!");
  EXPECT_EQ(boxes.Seen()[0].text, L"レジストリの情報を消去しました。終了します！");
  ASSERT_TRUE(app.WaitForExit());
  EXPECT_EQ(app.ExitCode(), 0u);
  EXPECT_FALSE(VeilpixSettingsExist());
  EXPECT_FALSE(ShellHasTrayIcon(form1));
}

TEST_F(AboutE2eTest, ErasePictureWithNothingStoredSaysSoAndTheProgramKeepsRunning) {
  ASSERT_TRUE(app.Start());
  ASSERT_FALSE(VeilpixSettingsExist());
  const HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  MessageBoxWatcher boxes(app.process_id());

  Click(GetDlgItem(about, IDC_FORM3_PICICON));
  ASSERT_TRUE(boxes.WaitForBoxes(1));
  EXPECT_EQ(boxes.Seen()[0].title, L" No Registry Information!");
  EXPECT_EQ(boxes.Seen()[0].text, L"レジストリに書き込まれている情報はありません！");
  Sleep(300);
  EXPECT_FALSE(app.WaitForExit(0));
  EXPECT_TRUE(IsWindowVisible(about));

  // Closed, the window and its check box are gone: the exit stores the position as usual.
  PostMessageW(GetDlgItem(about, IDC_FORM3_COMMAND1), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  app.PostMenuCommand(IDM_END);
  ASSERT_TRUE(app.WaitForExit());
  EXPECT_EQ(ReadSetting(L"Top"), L"0");
  EXPECT_EQ(ReadSetting(L"Left"), L"0");
}

}  // namespace
}  // namespace veilpix::testing
