// The model's decisions, event by event, through a world that notes every effect in order; and
// the command line, the chooser's paths and the language, decided apart from any window.
#include "core/veilpix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <tuple>
#include <utility>

#include "core/command_line.h"
#include "core/language.h"
#include "core/paths.h"
#include "resources/resource.h"

namespace veilpix {
namespace {

using View = std::wstring_view;
using Options = std::map<std::wstring, std::wstring, std::less<>>;
const std::wstring kDefaultPath = L"C:\\WINDOWS\\Favorites\\リンク\\Toggle Images.exe";

class FakeWorld final : public World {
 public:
  std::wostringstream log;  // every effect, in order
  std::wstring pictures;
  WriteResult write_result = WriteResult::kStored;
  Options options;
  long erase_error = 0;
  std::set<std::wstring, std::less<>> files;
  int shell_result = 42;
  bool icon_there = false;
  int refuse_adds = 0;
  std::function<void()> in_window = [] {};  // what the user does in About or the chooser
  std::function<void()> in_box = [] {};     // what else happens while a message box is open
  State shown;                              // what the window and the tray were last asked to show
  Veilpix model{*this, TextsFor(Language::kJapanese)};

  std::wstring Effects() { return std::exchange(log, {}).str(); }
  std::wstring Option(View key) { return ReadOption(key, L"<absent>"); }
  // Started with these options stored, its effects taken.
  std::wstring Start(Options stored = {}) {
    options = std::move(stored);
    model.Start();
    return Effects();
  }

  std::wstring ReadPictures() override { return pictures; }
  WriteResult WritePictures(View text) override {
    log << L"write " << text << L"; ";
    if (write_result == WriteResult::kStored) pictures = text;
    return write_result;
  }
  void BroadcastChange() override { log << L"broadcast; "; }
  std::wstring ReadOption(View key, View absent) override {
    return std::wstring(options.contains(key) ? View(options.find(key)->second) : absent);
  }
  void WriteOption(View key, View text) override { options[std::wstring(key)] = text; }
  long EraseOptions() override {
    return erase_error ? erase_error : std::exchange(options, {}).empty() ? kNothingStored : 0;
  }
  bool FileExists(View path) override { return files.contains(path); }
  bool StartMinimized(View path) override {
    log << L"start " << path << L"; ";
    return FileExists(path);
  }
  int OpenDocument(View address) override {
    log << L"open " << address << L"; ";
    return shell_result;
  }
  std::wstring ErrorText(long code) override { return L"error " + std::to_wstring(code); }
  void ShowMessage(View text, unsigned style, View title) override {
    log << L"box " << style << L" [" << title << L"] " << text << L"; ";
    // Clicked again while the box is open: nothing starts again.
    model.TrayButton(kLeftButtonDown);
    model.Command(IDM_ABOUT);
    in_box();
  }
  // An add is refused while the shell is not ready, a modify while the icon is not there.
  bool TrayIcon(IconAction action) override {
    const wchar_t* names[] = {L"add ", L"modify ", L"delete "};
    log << names[static_cast<int>(action)] << (shown.pictures_shown ? L"shown; " : L"hidden; ");
    if (action == IconAction::kModify) return icon_there;
    if (action == IconAction::kAdd && refuse_adds > 0) return --refuse_adds, false;
    icon_there = action == IconAction::kAdd;
    return true;
  }
  void ShowState(const State& state) override { shown = state; }
  void ShowWindow(bool visible, bool topmost) override {
    log << (visible ? (topmost ? L"show topmost; " : L"show; ") : L"hide; ");
  }
  void MoveWindow(Position at) override { log << L"move " << at.top << L"," << at.left << L"; "; }
  Position WindowPosition() override { return {1200, 1234.5677f}; }
  void PopupMenu() override { log << L"menu; "; }
  void ShowChooser() override {
    log << L"chooser; ";
    in_window();
  }
  void ShowAbout() override { in_window(); }
  void CloseAbout() override { log << L"close about; "; }
  void EndProgram() override { log << L"end; "; }
};

// The marks of 外部ソフトを使用, 左クリックで切換, 起動時に画面表示 and 表示場所を記憶 as last
// shown, + or -, "(+)" for 外部ソフトを使用 greyed; then whether the window shows.
std::wstring Marks(const FakeWorld& world) {
  const State& state = world.shown;
  std::wstring out = state.external ? (state.external_locked ? L"(+)" : L"+") : L"-";
  for (const bool on : {state.click_switches, state.show_at_start, state.remember_position})
    out += on ? L" +" : L" -";
  return out + (world.model.state().window_visible ? L" shown" : L" hidden");
}

TEST(VeilpixTest, StartUpAppliesTheStoredOptionsAndAddsTheIcon) {
  // What is stored, whether the program is at its default path, the marks and window then and the
  // window's move. "Change" is on only at exactly 1, the others whenever not 0; a text that is
  // not a number, or not a single-precision one, reads as the default.
  const std::tuple<Options, int, const wchar_t*> cases[] = {
      {{}, 1, L"(+) + - - hidden 0,0"},
      {{}, 0, L"- + - - hidden 0,0"},
      {{{L"Toggle", L"0"}, {L"Top", L"300"}}, 1, L"- + - - hidden 0,0"},
      {{{L"Show", L" 1 "}, {L"Change", L"1.0"}}, 0, L"- + + - hidden 0,0"},
      {{{L"Toggle", L"-1"}, {L"Show", L"-1"}, {L"Change", L"2"}}, 1, L"(+) - + - shown 0,0"},
      {{{L"Position", L"2"}, {L"Top", L"-1e3"}, {L"Left", L"45"}}, 0, L"- + - + hidden -1000,45"},
      // The largest single, and just past what still rounds to it.
      {{{L"Position", L"1"}, {L"Top", L"-3.4028235e+38"}, {L"Left", L"3.4028236e+38"}},
       0,
       L"- + - + hidden -3.40282e+38,0"},
      {{{L"Toggle", L"0x0"}, {L"Change", L"1e309"}, {L"Show", L"1e"}}, 1, L"(+) + - - hidden 0,0"},
  };
  for (const auto& [stored, program_present, expected] : cases) {
    FakeWorld world;
    if (program_present) world.files.insert(kDefaultPath);
    const View marks = View(expected).substr(0, View(expected).rfind(L' '));
    const std::wstring at(expected + marks.size() + 1);
    EXPECT_EQ(world.Start(stored),
              L"add shown; move " + at + (marks.ends_with(L"shown") ? L"; show; " : L"; hide; "));
    EXPECT_EQ(Marks(world), marks);
    EXPECT_EQ(world.options, stored) << "start-up stores nothing";
  }
}

TEST(VeilpixTest, TrayButtonsCloseTheAboutWindowFirstAndOnlyExactlyNoReadsAsHidden) {
  // The first three are the picture write's results, in WriteResult's order.
  enum Setup { kDirect, kRefused, kNoMemory, kExternal, kStartFails, kEndsInBox, kNoSwitch };
  const std::wstring cannot_start =
      L"start D:\\Tog.exe; box 48 [ Cannot Start!] 外部ソフトを起動できませんでした。"
      L"ファイルを確認してください。\n\nD:\\Tog.exe; ";
  // What is stored, the mouse message, the setup, the effects after the About window closes.
  const std::tuple<std::wstring, int, Setup, std::wstring> cases[] = {
      {L"no", 0x200, kDirect, L""},  // moves, button-ups and double-clicks do nothing
      {L"no", 0x202, kDirect, L""},
      {L"no", 0x203, kDirect, L""},
      {L"no", 0x205, kDirect, L""},
      {L"no", kRightButtonDown, kDirect, L"menu; "},
      {L"no", kLeftButtonDown, kNoSwitch, L"show topmost; "},
      {L"no", kLeftButtonDown, kDirect, L"write yes; broadcast; modify shown; "},
      {L"", kLeftButtonDown, kDirect, L"write no; broadcast; modify hidden; "},
      {L"No", kLeftButtonDown, kDirect, L"write no; broadcast; modify hidden; "},
      {L"no ", kLeftButtonDown, kDirect, L"write no; broadcast; modify hidden; "},
      {L"no", kLeftButtonDown, kRefused, L"write yes; broadcast; modify hidden; "},
      {L"no", kLeftButtonDown, kNoMemory,
       L"write yes; box 0 [] ERROR #7 : メモリが不足しています。; broadcast; modify hidden; "},
      // The program at the path stored last; it switches the pictures in its own time.
      {L"no", kLeftButtonDown, kExternal, L"start D:\\Tog.exe; broadcast; modify hidden; "},
      {L"no", kLeftButtonDown, kStartFails, cannot_start + L"modify hidden; "},
      // Ended while the box is open: no icon comes back.
      {L"no", kLeftButtonDown, kEndsInBox, cannot_start + L"delete hidden; end; "},
  };
  for (const auto& [stored, message, setup, effects] : cases) {
    FakeWorld world;
    world.pictures = stored;
    if (setup >= kExternal) world.files.insert(kDefaultPath);
    if (setup == kExternal) world.files.insert(L"D:\\Tog.exe");
    if (setup == kEndsInBox) world.in_box = [&world] { world.model.Exit(); };
    world.Start(setup == kNoSwitch ? Options{{L"Change", L"0"}} : Options{});
    world.options[L"TogglePath"] = L"D:\\Tog.exe";  // chosen since the start
    world.write_result = static_cast<WriteResult>(setup <= kNoMemory ? setup : kDirect);
    world.in_window = [&world, mouse = message] { world.model.TrayButton(mouse); };
    world.model.Command(IDM_ABOUT);
    const bool acts = message == kLeftButtonDown || message == kRightButtonDown;
    EXPECT_EQ(world.Effects(), (acts ? L"close about; " : L"") + effects) << stored << setup;
  }
}

TEST(VeilpixTest, IconIsAddedUntilTheShellHasItAndNothingReachesTheShellAfterTheEnd) {
  FakeWorld world;
  world.refuse_adds = 1;  // at log-on the shell may not be ready yet
  world.Start();
  world.model.Refresh();
  world.model.TaskbarCreated();  // Explorer restarted: the icon must come back
  world.icon_there = false;      // lost without a word
  world.model.Refresh();
  world.model.Command(IDM_END);
  world.model.Refresh();
  world.model.TaskbarCreated();
  world.model.TrayButton(kLeftButtonDown);
  EXPECT_EQ(world.Effects(),
            L"modify shown; add shown; add shown; modify shown; add shown; delete shown; end; ");
  EXPECT_EQ(world.Option(L"Top"), L"1200");
  EXPECT_EQ(world.Option(L"Left"), L"1234.5677");  // all the digits the single needs
}

TEST(VeilpixTest, OptionCommandsFlipTheirMarkAndStoreItAtOnceAndTheHiddenButtonDoesNothing) {
  FakeWorld world;
  world.Start({{L"Show", L"1"}, {L"Change", L"0"}});
  world.model.CloseBox();
  world.model.ButtonClick();  // Enter or Space on the hidden window's focused button
  world.model.ShowFromOutside();
  const std::tuple<int, const wchar_t*, const wchar_t*, const wchar_t*> steps[] = {
      {IDM_START, L"Show", L"0", L"- - - - shown"},
      {IDM_START, L"Show", L"1", L"- - + - shown"},
      {IDM_POS, L"Position", L"1", L"- - + + shown"},
      {IDM_POS, L"Position", L"0", L"- - + - shown"},
      {IDM_CHANGE, L"Change", L"1", L"- + + - hidden"},
      {IDM_CHANGE, L"Change", L"0", L"- - + - hidden"},
  };
  for (const auto& [command, key, stored, marks] : steps) {
    world.model.Command(command);
    EXPECT_EQ(world.Option(key), stored);
    EXPECT_EQ(Marks(world), marks);
  }
  EXPECT_EQ(world.Effects(), L"hide; show topmost; hide; ");
}

TEST(VeilpixTest, ExternalProgramCommandAsksTheChooserOnlyForAMissingProgram) {
  FakeWorld world;
  world.Start();
  // The command, then what is stored and the mark the menu shows.
  const auto toggle = [&world](const wchar_t* expected) {
    world.model.Command(IDM_TOGGLE);
    EXPECT_EQ(world.Option(L"Toggle") + L" " + Marks(world).substr(0, 1), expected);
  };
  toggle(L"<absent> -");            // missing, and the user cancels the chooser
  world.options[L"Toggle"] = L"0";  // turned off in an earlier run
  world.in_window = [&world] { world.model.ChooserOk(L"D:\\", L"Toggle.exe"); };
  toggle(L"1 +");  // picked: stored as on, or the next start turns it off again
  toggle(L"0 -");
  world.files.insert(L"D:\\Toggle.exe");
  toggle(L"1 +");  // present: on at once
  EXPECT_EQ(world.Effects(), L"chooser; chooser; ");
  // Only a name with "Togg" in it, in that case; stored with the directory that is open.
  for (const wchar_t* refused : {L"toggle images.exe", L""}) {
    EXPECT_FALSE(world.model.ChooserOk(L"C:\\Tools", refused));
    EXPECT_EQ(world.Effects(), L"box 64 [ Invalid File!] この外部ソフトは使用できません！; ");
  }
  EXPECT_TRUE(world.model.ChooserOk(L"C:\\Tools", L"MyToggler.exe"));
  EXPECT_EQ(world.Option(L"TogglePath"), L"C:\\Tools\\MyToggler.exe");
}

TEST(VeilpixTest, EraseEndsWithoutStoringThePositionOrSaysWhyNot) {
  enum Store { kStored, kEmpty, kRefused };
  // While its box is open another start asks Veilpix to show itself: an ending one lets that
  // start take over; one that runs on shows its window.
  const std::tuple<Store, std::wstring> cases[] = {
      {kStored,
       L"box 64 [ Erasing Registry Has Finished!] レジストリの情報を消去しました。終了します！; "},
      {kEmpty,
       L"box 64 [ No Registry Information!] レジストリに書き込まれている情報はありません！; "
       L"show topmost; "},
      {kRefused, L"box 48 [] レジストリの情報を消去できませんでした。\n\nerror 5; show topmost; "},
  };
  for (const auto& [store, box] : cases) {
    FakeWorld world;
    world.Start(store == kEmpty ? Options{} : Options{{L"Show", L"1"}});
    world.erase_error = store == kRefused ? 5 : 0;  // access denied
    world.in_box = [&world] { world.model.ShowFromOutside(); };
    world.model.Erase();
    world.model.Exit();  // the session ends, if the erase did not end Veilpix
    EXPECT_EQ(world.Effects(), box + L"delete shown; end; ") << store;
    // The position is written back unless the settings were erased.
    EXPECT_EQ(world.options.size(), store == kStored ? 0u : store == kEmpty ? 2u : 3u) << store;
  }
}

TEST(VeilpixTest, LinkOpensItsPageAndClosesTheAboutWindowAndExplainsTheShellsFailures) {
  // The link, the shell's result (above 32: opened) and what the user is told.
  const std::tuple<int, int, std::wstring> cases[] = {
      {0, 33, L""}, {1, 2, L"box 16 [ｴﾗｰ] 指定されたﾌｧｲﾙが見つかりません。; "}, {1, 11, L""}};
  for (const auto& [link, result, box] : cases) {
    FakeWorld world;
    world.shell_result = result;
    world.Start();
    world.in_window = [&world, index = link] { world.model.OpenLink(index); };
    world.model.Command(IDM_ABOUT);
    const std::wstring page = link ? L"veilpix/issues" : L"veilpix";
    EXPECT_EQ(world.Effects(),
              L"open https://github.com/veilpix/" + page + L"; " + box + L"close about; ");
  }
}

TEST(CommandLineTest, OneSwitchInAnyCaseWithSlashOrDashElseInvalid) {
  // The arguments and what they ask for.
  const std::tuple<std::vector<std::wstring>, Launch> cases[] = {
      {{}, Launch::kResident},       {{L"/on"}, Launch::kOn},
      {{L"-OFF"}, Launch::kOff},     {{L"/Toggle"}, Launch::kToggle},
      {{L"/?"}, Launch::kUsage},     {{L"/on", L"/off"}, Launch::kInvalid},
      {{L"on"}, Launch::kInvalid},   {{L"/"}, Launch::kInvalid},
      {{L"/onn"}, Launch::kInvalid}, {{L"/ON "}, Launch::kInvalid},
      {{L""}, Launch::kResident},    {{L"", L"/off", L""}, Launch::kOff},
  };
  for (const auto& [arguments, launch] : cases)
    EXPECT_EQ(ParseLaunch(arguments), launch) << ::testing::PrintToString(arguments);
  // Stored now, then what /on, /off and /toggle store; only "no" reads as hidden.
  const std::tuple<View, View, View, View> values[] = {{L"no", L"yes", L"no", L"yes"},
                                                       {L"yes", L"yes", L"no", L"no"},
                                                       {L"", L"yes", L"no", L"no"},
                                                       {L"No", L"yes", L"no", L"no"}};
  for (const auto& [stored, on, off, toggle] : values) {
    EXPECT_EQ(PicturesAfter(Launch::kOn, stored), on);
    EXPECT_EQ(PicturesAfter(Launch::kOff, stored), off);
    EXPECT_EQ(PicturesAfter(Launch::kToggle, stored), toggle);
  }
}

TEST(LanguageTest, JapaneseOnlyWhereWindowsIsJapaneseAndNoEnglishTextIsJapanese) {
  // Japanese, Japanese of no region; US English, German, Chinese (PRC), the neutral id.
  for (int id : {0x411, 0x011}) EXPECT_EQ(LanguageFor(id), Language::kJapanese) << id;
  for (int id : {0x409, 0x407, 0x804, 0}) EXPECT_EQ(LanguageFor(id), Language::kEnglish) << id;
  // No kana, kanji or full-width form, so no Japanese font face either.
  for (const wchar_t* text : TextsFor(Language::kEnglish))
    EXPECT_TRUE(std::ranges::none_of(View(text), [](wchar_t c) { return c >= 0x3000; })) << text;
  // Every Japanese text as it was, to the character: FNV-1a over them all, each ended by U+FFFF.
  unsigned long long digest = 14695981039346656037u;
  for (const wchar_t* text : TextsFor(Language::kJapanese))
    for (const wchar_t c : std::wstring(text) + L'\xFFFF') digest = (digest ^ c) * 1099511628211u;
  EXPECT_EQ(digest, 0x4cfc6c7de56dc256u) << "a Japanese text changed";
}

// What the chooser opens for a picked drive: C: and D: are at a directory, A: and E: at their
// root, which cannot be read (A: has no medium; E:'s was taken out after a directory on it was
// opened).
std::wstring Pick(View drive, View opened) {
  const auto current = [](View name) {
    return std::wstring(name) + (name == L"C:" ? L"\\Tools" : name == L"D:" ? L"\\Games" : L"\\");
  };
  return DirectoryOnDrive(drive, opened, current,
                          [](View directory) { return directory.size() > 3; });
}

TEST(PathsTest, ChooserPaths) {
  using Chain = std::vector<std::wstring>;
  const std::pair<Chain, Chain> rows[] = {
      // A drive opens at its current directory.
      {{Pick(L"D:", L"C:\\Tools")}, {L"D:\\Games"}},
      // An empty drive silently gives way to the current directory of the drive still open...
      {{Pick(L"A:", L"C:\\Tools\\Newer")}, {L"C:\\Tools"}},
      // ... and with that drive unreadable too the open directory stays.
      {{Pick(L"A:", L"E:\\Setup")}, {L"E:\\Setup"}},
      // A file in a drive's root has one separator.
      {{JoinPath(L"D:\\", L"Toggle Images.exe")}, {L"D:\\Toggle Images.exe"}},
      // A chain starts at the root and drops a trailing separator; a share's root is the server
      // and the share.
      {PathChain(L"c:\\Program Files\\Toggle\\"),
       {L"c:\\", L"c:\\Program Files", L"c:\\Program Files\\Toggle"}},
      {PathChain(L"\\\\server\\share\\bin"), {L"\\\\server\\share\\", L"\\\\server\\share\\bin"}},
  };
  for (const auto& [got, expected] : rows) EXPECT_EQ(got, expected);
}

}  // namespace
}  // namespace veilpix
