#include "tray/form1.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "tests/unit/fakes.h"

namespace veilpix::testing {
namespace {

using namespace key;
using namespace std::string_literals;

const std::string kPictures = "Software\\Microsoft\\Internet Explorer\\Main\\Display Inline Images";
const std::wstring kDefaultPath = L"C:\\WINDOWS\\Favorites\\リンク\\Toggle Images.exe";
constexpr WindowHandle kWindow{0x12345678};
constexpr IconHandle kShownIcon{0x2001};
constexpr IconHandle kHiddenIcon{0x3001};

// Command1 in its window: notes each caption it shows.
struct CaptionNotes final : ControlMirror {
  explicit CaptionNotes(FakeDesktop& desktop) : desktop(desktop) {}
  void ShowCaption(std::wstring_view s) override { desktop.Note(L"caption " + std::wstring(s)); }
  FakeDesktop& desktop;
};

// Form1 with fakes all around. The rig plays the dialogs and the window, and notes what the form
// shows and asks of them in the desktop's log, so their order against the shell calls shows.
class Rig final : public Dialogs, public FormMirror {
 public:
  FakeRegistry registry;
  FakeSettingsStore store;
  FakeDesktop desktop;
  Form1 form{registry, store, desktop, *this, {kShownIcon, kHiddenIcon}};
  bool about_visible = false;
  bool chooser_open = false;
  bool chooser_picks = false;  // the user picks a program in the chooser, or cancels it
  bool settings_erased = false;

  // Loads the form into its window, which from then on mirrors the window and its button.
  void Load() {
    form.Me.SetHandle(kWindow);
    form.Form_Load();
    form.Command1.Attach(std::make_unique<CaptionNotes>(desktop));
    form.Me.Attach(this);
    desktop.log.clear();
  }
  // The shell reports a mouse message on the tray icon.
  void Tray(long message) { form.Form_MouseMove(0, 0, static_cast<float>(message), 0); }

  void ShowChooser(Control& mnuToggle) override {
    desktop.Note(L"chooser");
    if (chooser_picks) mnuToggle.SetChecked(true);
  }
  bool ChooserOpen() override { return chooser_open; }
  void BringChooserToFront() override { desktop.Note(L"chooser to front"); }
  void ShowAbout(WindowHandle, std::function<void()>) override {}
  bool AboutVisible() override { return about_visible; }
  void CloseAbout() override { desktop.Note(L"close about"); }
  bool SettingsErased() override { return settings_erased; }
  void MakeTopmost() override { desktop.Note(L"topmost"); }
  void SetForeground() override { desktop.Note(L"foreground"); }
  void PopupMenu() override { desktop.Note(L"popup"); }
  void Unload() override { desktop.Note(L"unload"); }
};

// The check marks of mnuToggle, mnuChange, mnuStart and mnuPos, + or -, in parentheses while
// greyed; then the window's visibility and position.
std::string Describe(const Form1& form) {
  std::ostringstream out;
  for (const Control* item : {&form.mnuToggle, &form.mnuChange, &form.mnuStart, &form.mnuPos}) {
    const std::string check = item->Checked() ? "+" : "-";
    out << (item->Enabled() ? check : "(" + check + ")") << " ";
  }
  out << (form.Me.Visible() ? "shown " : "hidden ") << form.Me.Top() << "," << form.Me.Left();
  return out.str();
}

TEST(Form1Test, OnlyExactlyNoReadsAsHiddenAndAClickStoresTheOpposite) {
  const std::string fill(252, 'x');
  // The value's type (0: no value at all) and bytes, whether it reads as hidden, its bytes after
  // a click.
  const std::tuple<const char*, std::uint32_t, std::string, bool, std::string> cases[] = {
      {"no value", 0, "", false, "no\0"s},
      {"no", kRegSz, "no\0"s, true, "yes\0"s},
      {"yes", kRegSz, "yes\0"s, false, "no\0"s},
      {"No", kRegSz, "No\0"s, false, "no\0"s},
      {"no and a blank", kRegSz, "no \0"s, false, "no\0"s},
      {"without its NUL", kRegSz, "no", true, "yes\0"s},
      {"embedded NUL", kRegSz, "no\0yes\0"s, true, "yes\0"s},
      {"REG_EXPAND_SZ", kRegExpandSz, "no\0"s, false, "no\0"s},
      {"REG_DWORD", 4, "no\0\0"s, false, "no\0"s},
      {"256 bytes", kRegSz, "no\0"s + fill + '\0', true, "yes\0"s},
      {"257 bytes", kRegSz, "no\0"s + fill + "x\0"s, false, "no\0"s},
  };
  for (const auto& [name, type, stored, hidden, after_click] : cases) {
    SCOPED_TRACE(name);
    Rig rig;
    if (type != 0) rig.registry.values[kPictures] = {type, stored};
    rig.Load();
    EXPECT_EQ(rig.form.Command1.Caption(), hidden ? L"非表示" : L"表示");
    rig.form.Command1_Click();
    EXPECT_EQ(rig.registry.values[kPictures].bytes, after_click);
    EXPECT_TRUE(rig.registry.open.empty());
  }
}

TEST(Form1Test, TrayButtonDownsActAfterClosingTheAboutWindowAndSwitchesAreBroadcast) {
  enum Setup { kDirect, kReadOnly, kWriteRefused, kOutOfMemory, kExternal, kStartFails, kNoSwitch };
  // Pictures are hidden and the About window is open when the message comes.
  const std::tuple<long, Setup, std::wstring> cases[] = {
      {kWmMouseMove, kDirect, L""},
      {0x202, kDirect, L""},  // left button up
      {0x203, kDirect, L""},  // left double-click
      {0x205, kDirect, L""},  // right button up
      {kWmRButtonDown, kDirect, L"close about; foreground; do events; popup"},
      {kWmLButtonDown, kNoSwitch, L"close about; topmost"},
      {kWmLButtonDown, kDirect, L"close about; caption 表示; broadcast; caption 表示; notify 1"},
      // Opened with write rights, a key the user may only read cannot be read either.
      {kWmLButtonDown, kReadOnly, L"close about; broadcast; caption 表示; notify 1"},
      {kWmLButtonDown, kWriteRefused, L"close about; broadcast; caption 非表示; notify 1"},
      {kWmLButtonDown, kOutOfMemory,
       L"close about; box 0 [] ERROR #7 : メモリが不足しています。; broadcast; caption 非表示; "
       L"notify 1"},
      // The program at the path stored last; it switches the pictures in its own time.
      {kWmLButtonDown, kExternal,
       L"close about; start D:\\Tog.exe; broadcast; caption 非表示; notify 1"},
      {kWmLButtonDown, kStartFails,
       L"close about; start D:\\Tog.exe; box 48 [ Cannot Start!] "
       L"外部ソフトを起動できませんでした。ファイルを確認してください。\n\nD:\\Tog.exe; "
       L"caption 非表示; notify 1"},
  };
  for (const auto& [message, setup, log] : cases) {
    Rig rig;
    rig.registry.values[kPictures] = {kRegSz, "no\0"s};
    rig.registry.read_only = setup == kReadOnly;
    if (setup == kNoSwitch) rig.store.Set(kChange, L"0");
    if (setup == kExternal || setup == kStartFails) rig.desktop.files.insert(kDefaultPath);
    if (setup == kExternal) rig.desktop.files.insert(L"D:\\Tog.exe");
    rig.Load();
    rig.store.Set(kTogglePath, L"D:\\Tog.exe");  // chosen since the start
    rig.registry.deny_write = setup == kWriteRefused;
    rig.registry.throw_on_create = setup == kOutOfMemory;
    rig.about_visible = true;
    rig.Tray(message);
    EXPECT_EQ(rig.desktop.log, log) << message << " " << setup;
    EXPECT_TRUE(rig.registry.open.empty());
  }
}

TEST(Form1Test, TrayRecordIsAddedUntilTheShellHasItThenModifiedAndDeletedByAnExitStoringPosition) {
  Rig rig;
  rig.desktop.refuse_adds = 1;  // at log-on the shell may not be ready yet
  rig.Load();
  rig.form.Timer1_Timer();
  rig.form.Command1_Click();
  rig.form.Form_TaskbarCreated();  // Explorer restarted: the icon must come back
  rig.desktop.icon_shown = false;  // lost without a word
  rig.form.Timer1_Timer();
  rig.form.Me.Moved(1200, 1234.5677f);
  rig.form.mnuEnd_Click();
  EXPECT_EQ(rig.store.Get(kTop), L"1200");
  EXPECT_EQ(rig.store.Get(kLeft), L"1234.5677");  // all the digits the single needs
  std::vector<std::uint32_t> actions;
  std::vector<IconHandle> icons;
  for (const auto& [action, record] : rig.desktop.notified) {
    actions.push_back(action);
    icons.push_back(record.hIcon);
    // Window, icon number, flags (message, icon, tip), callback message WM_MOUSEMOVE.
    EXPECT_EQ(record.hWnd, kWindow);
    EXPECT_EQ(std::tuple(record.uID, record.uFlags, record.uCallbackMessage),
              std::tuple(1u, 7u, 0x200u));
    EXPECT_EQ(record.szTip, L"Veilpix\0"s + std::wstring(56, L' '));
  }
  EXPECT_EQ(actions, (std::vector{kNimAdd, kNimModify, kNimAdd, kNimModify, kNimAdd, kNimModify,
                                  kNimAdd, kNimDelete}));
  EXPECT_EQ(icons, (std::vector{kShownIcon, kShownIcon, kShownIcon, kHiddenIcon, kHiddenIcon,
                                kHiddenIcon, kHiddenIcon, kHiddenIcon}));
}

TEST(Form1Test, StartUpAppliesTheStoredOptionsAndStoresNothing) {
  using Stored = std::vector<std::pair<std::wstring_view, const wchar_t*>>;
  // What is stored, whether the program is at its default path, the options and window then.
  // "Change" is on only at exactly 1, the others whenever not 0; what is not a number, or not a
  // single-precision one, reads as the default.
  const std::tuple<Stored, bool, const char*> cases[] = {
      {{}, true, "(+) + (-) (-) hidden 0,0"},
      {{}, false, "- + (-) (-) hidden 0,0"},
      {{{kToggle, L"0"}}, true, "- + (-) (-) hidden 0,0"},
      {{{kShow, L" 1 "}, {kChange, L"1.0"}}, false, "- + (+) (-) hidden 0,0"},
      {{{kToggle, L"-1"}, {kShow, L"-1"}, {kChange, L"2"}}, true, "(+) - + - shown 0,0"},
      {{{kPosition, L"2"}, {kTop, L"-1e3"}, {kLeft, L"45"}}, false, "- + (-) (+) hidden -1000,45"},
      {{{kPosition, L"1"}, {kTop, L"3e38"}, {kLeft, L"1e39"}}, false, "- + (-) (+) hidden 3e+38,0"},
      // The largest single, and just past what still rounds to it.
      {{{kPosition, L"1"}, {kTop, L"-3.4028235e+38"}, {kLeft, L"3.4028236e+38"}},
       false,
       "- + (-) (+) hidden -3.40282e+38,0"},
      {{{kTop, L"300"}}, false, "- + (-) (-) hidden 0,0"},
      {{{kToggle, L"0x0"}, {kChange, L"1e309"}, {kShow, L"1e"}}, true, "(+) + (-) (-) hidden 0,0"},
  };
  for (const auto& [stored, program_present, state] : cases) {
    Rig rig;
    for (const auto& [name, text] : stored) rig.store.Set(name, text);
    if (program_present) rig.desktop.files.insert(kDefaultPath);
    rig.Load();
    EXPECT_EQ(Describe(rig.form), state);
    EXPECT_EQ(rig.store.values.size(), stored.size());
  }
}

TEST(Form1Test, OptionCommandsFlipTheirCheckAndStoreItAtOnceAndTheCloseButtonOnlyHides) {
  Rig rig;
  rig.store.Set(kShow, L"1");
  rig.store.Set(kChange, L"0");
  rig.Load();
  int cancel = 0;
  rig.form.Form_QueryUnload(cancel, 0);
  EXPECT_EQ(cancel, 1);
  rig.Tray(kWmLButtonDown);  // hidden by the close button, so shown again
  const std::tuple<void (Form1::*)(), std::wstring_view, const wchar_t*, const char*> steps[] = {
      {&Form1::mnuStart_Click, kShow, L"0", "- - - - shown 0,0"},
      {&Form1::mnuStart_Click, kShow, L"1", "- - + - shown 0,0"},
      {&Form1::mnuPos_Click, kPosition, L"1", "- - + + shown 0,0"},
      {&Form1::mnuPos_Click, kPosition, L"0", "- - + - shown 0,0"},
      {&Form1::mnuChange_Click, kChange, L"1", "- + (+) (-) hidden 0,0"},
      {&Form1::mnuChange_Click, kChange, L"0", "- - + - hidden 0,0"},
  };
  for (const auto& [command, name, stored, state] : steps) {
    (rig.form.*command)();
    EXPECT_EQ(rig.store.Get(name), stored);
    EXPECT_EQ(Describe(rig.form), state);
  }
}

TEST(Form1Test, ExternalProgramCommandAsksTheChooserOnlyForAMissingProgramAndNeverTwice) {
  Rig rig;
  rig.Load();
  rig.form.mnuToggle_Click();    // missing, and the user cancels the chooser
  rig.store.Set(kToggle, L"0");  // turned off in an earlier run
  rig.chooser_picks = true;
  rig.form.mnuToggle_Click();  // a program picked: stored as on, or the next start turns it off
  EXPECT_EQ(rig.store.Get(kToggle), L"1");
  rig.form.mnuToggle_Click();
  rig.chooser_open = true;
  rig.form.mnuToggle_Click();
  EXPECT_EQ(rig.store.Get(kToggle), L"0");
  rig.chooser_open = false;
  rig.desktop.files.insert(kDefaultPath);
  rig.form.mnuToggle_Click();  // present: on at once
  EXPECT_TRUE(rig.form.mnuToggle.Checked());
  EXPECT_EQ(rig.store.Get(kToggle), L"1");
  EXPECT_EQ(rig.desktop.log, L"chooser; chooser; chooser to front");
}

TEST(Form1Test, ExitRightAfterTheSettingsWereErasedDoesNotStoreThePosition) {
  Rig rig;
  rig.Load();
  rig.settings_erased = true;
  rig.form.mnuEnd_Click();
  EXPECT_TRUE(rig.store.values.empty());
  EXPECT_EQ(rig.desktop.log, L"notify 2; unload");
}

}  // namespace
}  // namespace veilpix::testing
