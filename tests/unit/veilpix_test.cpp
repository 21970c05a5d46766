// The model's decisions, event by event, through a world that notes every effect in order.
#include "core/veilpix.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <tuple>
#include <utility>

#include "resources/resource.h"

namespace veilpix {
namespace {

using Options = std::map<std::wstring, std::wstring>;
const std::wstring kDefaultPath = L"C:\\WINDOWS\\Favorites\\リンク\\Toggle Images.exe";

class FakeWorld final : public World {
 public:
  std::wostringstream log;  // every effect, in order
  std::wstring pictures;
  WriteResult write_result = WriteResult::kStored;
  Options options;
  long erase_error = 0;
  std::set<std::wstring> files;
  int shell_result = 42;
  bool icon_there = false;
  int refuse_adds = 0;
  bool chooser_picks = false;      // the user picks a program in the chooser, or cancels it
  std::function<void()> in_about;  // what the user does while the About window is open
  bool ends_in_box = false;        // the session ends while a message box is open
  Veilpix model{*this};

  std::wstring Effects() { return std::exchange(log, {}).str(); }
  std::wstring Option(const wchar_t* key) {
    return options.contains(key) ? options[key] : L"<absent>";
  }
  // Started with these options stored, its effects taken.
  std::wstring Start(Options stored = {}) {
    options = std::move(stored);
    model.Start();
    return Effects();
  }

  std::wstring ReadPictures() override { return pictures; }
  WriteResult WritePictures(std::wstring_view text) override {
    log << L"write " << text << L"; ";
    if (write_result == WriteResult::kStored) pictures = text;
    return write_result;
  }
  void BroadcastChange() override { log << L"broadcast; "; }
  std::wstring ReadOption(std::wstring_view key, std::wstring_view absent) override {
    const auto found = options.find(std::wstring(key));
    return found == options.end() ? std::wstring(absent) : found->second;
  }
  void WriteOption(std::wstring_view key, std::wstring_view text) override {
    options[std::wstring(key)] = text;
  }
  long EraseOptions() override {
    if (erase_error) return erase_error;
    return std::exchange(options, {}).empty() ? kNothingStored : 0;
  }
  bool FileExists(std::wstring_view path) override { return files.contains(std::wstring(path)); }
  bool StartMinimized(std::wstring_view path) override {
    log << L"start " << path << L"; ";
    return FileExists(path);
  }
  int OpenDocument(std::wstring_view address) override {
    log << L"open " << address << L"; ";
    return shell_result;
  }
  std::wstring ErrorText(long code) override { return L"error " + std::to_wstring(code); }
  void ShowMessage(std::wstring_view text, unsigned style, std::wstring_view title) override {
    log << L"box " << style << L" [" << title << L"] " << text << L"; ";
    // Clicked again while the box is open: nothing starts again.
    model.TrayButton(kLeftButtonDown);
    model.Command(IDM_ABOUT);
    if (ends_in_box) model.Exit();
  }
  // An add is refused while the shell is not ready, a modify while the icon is not there.
  bool TrayIcon(IconAction action) override {
    const wchar_t* names[] = {L"add ", L"modify ", L"delete "};
    log << names[static_cast<int>(action)]
        << (model.state().pictures_shown ? L"shown; " : L"hidden; ");
    if (action == IconAction::kModify) return icon_there;
    if (action == IconAction::kAdd && refuse_adds > 0) return --refuse_adds, false;
    icon_there = action == IconAction::kAdd;
    return true;
  }
  void ShowState(const State&) override {}
  void ShowWindow(bool visible, bool topmost) override {
    log << (visible ? (topmost ? L"show topmost; " : L"show; ") : L"hide; ");
  }
  void MoveWindow(Position at) override { log << L"move " << at.top << L"," << at.left << L"; "; }
  Position WindowPosition() override { return {1200, 1234.5677f}; }
  void PopupMenu() override { log << L"menu; "; }
  void ShowChooser() override {
    log << L"chooser; ";
    if (chooser_picks) model.ChooserOk(L"D:\\", L"Toggle.exe");
  }
  void ShowAbout() override {
    if (in_about) in_about();
  }
  void CloseAbout() override { log << L"close about; "; }
  void EndProgram() override { log << L"end; "; }
};

// The marks of 外部ソフトを使用, 左クリックで切換, 起動時に画面表示 and 表示場所を記憶, + or -,
// "(+)" for 外部ソフトを使用 greyed; then whether the window shows.
std::string Marks(const State& state) {
  std::string out = state.external ? (state.external_locked ? "(+)" : "+") : "-";
  for (const bool on : {state.click_switches, state.show_at_start, state.remember_position})
    out += on ? " +" : " -";
  return out + (state.window_visible ? " shown" : " hidden");
}

TEST(VeilpixTest, StartUpAppliesTheStoredOptionsAndAddsTheIcon) {
  // What is stored, whether the program is at its default path, the marks and window then, the
  // window's move. "Change" is on only at exactly 1, the others whenever not 0; a text that is
  // not a number, or not a single-precision one, reads as the default.
  const std::tuple<Options, bool, const char*, const wchar_t*> cases[] = {
      {{}, true, "(+) + - - hidden", L"0,0"},
      {{}, false, "- + - - hidden", L"0,0"},
      {{{L"Toggle", L"0"}, {L"Top", L"300"}}, true, "- + - - hidden", L"0,0"},
      {{{L"Show", L" 1 "}, {L"Change", L"1.0"}}, false, "- + + - hidden", L"0,0"},
      {{{L"Toggle", L"-1"}, {L"Show", L"-1"}, {L"Change", L"2"}}, true, "(+) - + - shown", L"0,0"},
      {{{L"Position", L"2"}, {L"Top", L"-1e3"}, {L"Left", L"45"}},
       false,
       "- + - + hidden",
       L"-1000,45"},
      // The largest single, and just past what still rounds to it.
      {{{L"Position", L"1"}, {L"Top", L"-3.4028235e+38"}, {L"Left", L"3.4028236e+38"}},
       false,
       "- + - + hidden",
       L"-3.40282e+38,0"},
      {{{L"Toggle", L"0x0"}, {L"Change", L"1e309"}, {L"Show", L"1e"}},
       true,
       "(+) + - - hidden",
       L"0,0"},
  };
  for (const auto& [stored, program_present, marks, at] : cases) {
    FakeWorld world;
    if (program_present) world.files.insert(kDefaultPath);
    const std::wstring visible = std::string(marks).ends_with("shown") ? L"show" : L"hide";
    EXPECT_EQ(world.Start(stored),
              L"add shown; move " + std::wstring(at) + L"; " + visible + L"; ");
    EXPECT_EQ(Marks(world.model.state()), marks);
    EXPECT_EQ(world.options, stored) << "start-up stores nothing";
  }
}

TEST(VeilpixTest, TrayButtonsCloseTheAboutWindowFirstAndOnlyExactlyNoReadsAsHidden) {
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
    world.ends_in_box = setup == kEndsInBox;
    world.Start(setup == kNoSwitch ? Options{{L"Change", L"0"}} : Options{});
    world.options[L"TogglePath"] = L"D:\\Tog.exe";  // chosen since the start
    world.write_result = setup == kRefused    ? WriteResult::kRefused
                         : setup == kNoMemory ? WriteResult::kOutOfMemory
                                              : WriteResult::kStored;
    world.in_about = [&world, mouse = message] { world.model.TrayButton(mouse); };
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
  const std::tuple<int, const wchar_t*, const wchar_t*, const char*> steps[] = {
      {IDM_START, L"Show", L"0", "- - - - shown"},
      {IDM_START, L"Show", L"1", "- - + - shown"},
      {IDM_POS, L"Position", L"1", "- - + + shown"},
      {IDM_POS, L"Position", L"0", "- - + - shown"},
      {IDM_CHANGE, L"Change", L"1", "- + + - hidden"},
      {IDM_CHANGE, L"Change", L"0", "- - + - hidden"},
  };
  for (const auto& [command, key, stored, marks] : steps) {
    world.model.Command(command);
    EXPECT_EQ(world.Option(key), stored);
    EXPECT_EQ(Marks(world.model.state()), marks);
  }
  EXPECT_EQ(world.Effects(), L"hide; show topmost; hide; ");
}

TEST(VeilpixTest, ExternalProgramCommandAsksTheChooserOnlyForAMissingProgram) {
  FakeWorld world;
  world.Start();
  world.model.Command(IDM_TOGGLE);  // missing, and the user cancels the chooser
  EXPECT_EQ(world.Option(L"Toggle"), L"<absent>");
  world.options[L"Toggle"] = L"0";  // turned off in an earlier run
  world.chooser_picks = true;
  world.model.Command(IDM_TOGGLE);  // picked: stored as on, or the next start turns it off again
  EXPECT_EQ(world.Option(L"Toggle"), L"1");
  world.model.Command(IDM_TOGGLE);
  EXPECT_EQ(world.Option(L"Toggle"), L"0");
  world.files.insert(L"D:\\Toggle.exe");
  world.model.Command(IDM_TOGGLE);  // present: on at once
  EXPECT_EQ(world.Option(L"Toggle"), L"1");
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
  const std::tuple<Store, std::wstring> cases[] = {
      {kStored,
       L"box 64 [ Erasing Registry Has Finished!] レジストリの情報を消去しました。終了します！"},
      {kEmpty,
       L"box 64 [ No Registry Information!] レジストリに書き込まれている情報はありません！"},
      {kRefused, L"box 48 [] レジストリの情報を消去できませんでした。\n\nerror 5"},
  };
  for (const auto& [store, box] : cases) {
    FakeWorld world;
    world.Start(store == kEmpty ? Options{} : Options{{L"Show", L"1"}});
    world.erase_error = store == kRefused ? 5 : 0;  // access denied
    world.model.Erase();
    world.model.Exit();  // the session ends, if the erase did not end Veilpix
    EXPECT_EQ(world.Effects(), box + L"; delete shown; end; ") << store;
    // The position is written back only where the erase failed.
    EXPECT_EQ(world.options.size(), store == kRefused ? 3u : 0u) << store;
  }
}

TEST(VeilpixTest, LinkOpensItsPageAndClosesTheAboutWindowAndExplainsTheShellsFailures) {
  // The link, the shell's result, the message shown (none: empty). Results above 32 are success;
  // of the failures, those the user can act on are explained.
  const std::tuple<int, int, std::wstring> cases[] = {
      {0, 33, L""},
      {1, 0, L"ﾒﾓﾘが足りません。"},
      {1, 8, L"ﾒﾓﾘが足りません。"},
      {1, 1, L""},
      {1, 2, L"指定されたﾌｧｲﾙが見つかりません。"},
      {1, 11, L""},
      {1, 26, L"共有違反が発生しました。"},
      {1, 32, L"指定されたﾀﾞｲﾅﾐｯｸﾘﾝｸﾗｲﾌﾞﾗﾘが見つかりません。"},
      {1, -2, L""},
  };
  for (const auto& [link, result, message] : cases) {
    FakeWorld world;
    world.shell_result = result;
    world.Start();
    world.in_about = [&world, index = link] { world.model.OpenLink(index); };
    world.model.Command(IDM_ABOUT);
    const std::wstring page = link == 0 ? L"https://github.com/veilpix/veilpix"
                                        : L"https://github.com/veilpix/veilpix/issues";
    EXPECT_EQ(world.Effects(), L"open " + page + L"; " +
                                   (message.empty() ? L"" : L"box 16 [ｴﾗｰ] " + message + L"; ") +
                                   L"close about; ")
        << result;
  }
}

}  // namespace
}  // namespace veilpix
