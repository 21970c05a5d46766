// The model's decisions, event by event, through a world that notes every effect in order.
#include "core/veilpix.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <tuple>

#include "resources/resource.h"

namespace veilpix {
namespace {

const std::wstring kDefaultPath = L"C:\\WINDOWS\\Favorites\\リンク\\Toggle Images.exe";

class FakeWorld final : public World {
 public:
  std::wstring log;  // every effect, in order
  std::wstring pictures;
  WriteResult write_result = WriteResult::kStored;
  std::map<std::wstring, std::wstring> options;
  long erase_error = 0;
  std::set<std::wstring> files;
  int shell_result = 42;
  bool icon_there = false;
  int refuse_adds = 0;
  bool chooser_picks = false;  // the user picks a program in the chooser, or cancels it
  Position window_at{1200, 1234.5677f};
  std::function<void()> in_about;  // what the user does while the About window is open
  bool ends_in_box = false;        // the session ends while a message box is open
  Veilpix model{*this};

  void Note(const std::wstring& entry) { log += (log.empty() ? L"" : L"; ") + entry; }
  std::wstring Option(const wchar_t* key) {
    return options.contains(key) ? options[key] : L"<absent>";
  }
  // A start with these options stored, the log cleared after it.
  void Start(std::map<std::wstring, std::wstring> stored = {}) {
    options = std::move(stored);
    model.Start();
    log.clear();
  }

  std::wstring ReadPictures() override { return pictures; }
  WriteResult WritePictures(std::wstring_view text) override {
    Note(L"write " + std::wstring(text));
    if (write_result == WriteResult::kStored) pictures = text;
    return write_result;
  }
  void BroadcastChange() override { Note(L"broadcast"); }
  std::wstring ReadOption(std::wstring_view key, std::wstring_view absent) override {
    const auto found = options.find(std::wstring(key));
    return found == options.end() ? std::wstring(absent) : found->second;
  }
  void WriteOption(std::wstring_view key, std::wstring_view text) override {
    options[std::wstring(key)] = text;
  }
  long EraseOptions() override {
    if (erase_error) return erase_error;
    const bool any = !options.empty();
    options.clear();
    return any ? 0 : kNothingStored;
  }
  bool FileExists(std::wstring_view path) override { return files.contains(std::wstring(path)); }
  bool StartMinimized(std::wstring_view path) override {
    Note(L"start " + std::wstring(path));
    return FileExists(path);
  }
  int OpenDocument(std::wstring_view address) override {
    Note(L"open " + std::wstring(address));
    return shell_result;
  }
  std::wstring ErrorText(long code) override { return L"error " + std::to_wstring(code); }
  void ShowMessage(std::wstring_view text, unsigned style, std::wstring_view title) override {
    Note(L"box " + std::to_wstring(style) + L" [" + std::wstring(title) + L"] " +
         std::wstring(text));
    // Clicked again while the box is open: nothing starts again.
    model.TrayButton(kLeftButtonDown);
    model.Command(IDM_ABOUT);
    if (ends_in_box) model.Exit();
  }
  // The notification area: an add is refused while the shell is not ready, a modify while the
  // icon is not there.
  bool TrayIcon(IconAction action) override {
    const bool shown = model.state().pictures_shown;
    Note(std::wstring(action == IconAction::kAdd      ? L"add "
                      : action == IconAction::kModify ? L"modify "
                                                      : L"delete ") +
         (shown ? L"shown" : L"hidden"));
    if (action == IconAction::kModify) return icon_there;
    if (action == IconAction::kAdd && refuse_adds > 0) return --refuse_adds, false;
    icon_there = action == IconAction::kAdd;
    return true;
  }
  void ShowState(const State&) override {}
  void ShowWindow(bool visible, bool topmost) override {
    Note(visible ? (topmost ? L"show topmost" : L"show") : L"hide");
  }
  void MoveWindow(Position at) override {
    Note(L"move " + std::to_wstring(at.top) + L"," + std::to_wstring(at.left));
  }
  Position WindowPosition() override { return window_at; }
  void PopupMenu() override { Note(L"menu"); }
  void ShowChooser() override {
    Note(L"chooser");
    if (chooser_picks) model.ChooserOk(L"D:\\", L"Toggle.exe");
  }
  void ShowAbout() override {
    Note(L"about");
    if (in_about) in_about();
  }
  void CloseAbout() override { Note(L"close about"); }
  void EndProgram() override { Note(L"end"); }
};

// The marks of 外部ソフトを使用, 左クリックで切換, 起動時に画面表示 and 表示場所を記憶, + or -,
// in parentheses while greyed; then whether the window shows.
std::string Marks(const State& state) {
  std::string out;
  const std::tuple<bool, bool> items[] = {{state.external, !state.external_locked},
                                          {state.click_switches, true},
                                          {state.show_at_start, !state.click_switches},
                                          {state.remember_position, !state.click_switches}};
  for (const auto& [checked, enabled] : items) {
    const std::string mark = checked ? "+" : "-";
    out += (enabled ? mark : "(" + mark + ")") + " ";
  }
  return out + (state.window_visible ? "shown" : "hidden");
}

TEST(VeilpixTest, StartUpAppliesTheStoredOptionsAndAddsTheIcon) {
  // What is stored, whether the program is at its default path, the menu and window then, what
  // start-up did. "Change" is on only at exactly 1, the others whenever not 0; a text that is
  // not a number, or not a single-precision one, reads as the default.
  using Stored = std::map<std::wstring, std::wstring>;
  const std::tuple<Stored, bool, const char*, std::wstring> cases[] = {
      {{}, true, "(+) + (-) (-) hidden", L"add shown; move 0.000000,0.000000; hide"},
      {{}, false, "- + (-) (-) hidden", L"add shown; move 0.000000,0.000000; hide"},
      {{{L"Toggle", L"0"}}, true, "- + (-) (-) hidden", L"add shown; move 0.000000,0.000000; hide"},
      {{{L"Show", L" 1 "}, {L"Change", L"1.0"}},
       false,
       "- + (+) (-) hidden",
       L"add shown; move 0.000000,0.000000; hide"},
      {{{L"Toggle", L"-1"}, {L"Show", L"-1"}, {L"Change", L"2"}},
       true,
       "(+) - + - shown",
       L"add shown; move 0.000000,0.000000; show"},
      {{{L"Position", L"2"}, {L"Top", L"-1e3"}, {L"Left", L"45"}},
       false,
       "- + (-) (+) hidden",
       L"add shown; move -1000.000000,45.000000; hide"},
      // The largest single, and just past what still rounds to it.
      {{{L"Position", L"1"}, {L"Top", L"-3.4028235e+38"}, {L"Left", L"3.4028236e+38"}},
       false,
       "- + (-) (+) hidden",
       L"add shown; move " + std::to_wstring(-3.4028235e+38f) + L",0.000000; hide"},
      {{{L"Top", L"300"}, {L"Toggle", L"0x0"}, {L"Change", L"1e309"}, {L"Show", L"1e"}},
       true,
       "(+) + (-) (-) hidden",
       L"add shown; move 0.000000,0.000000; hide"},
  };
  for (const auto& [stored, program_present, marks, effects] : cases) {
    FakeWorld world;
    if (program_present) world.files.insert(kDefaultPath);
    world.options = stored;
    world.model.Start();
    EXPECT_EQ(Marks(world.model.state()), marks);
    EXPECT_EQ(world.log, effects);
    EXPECT_EQ(world.options, stored) << "start-up stores nothing";
  }
}

TEST(VeilpixTest, TrayButtonsActAfterClosingTheAboutWindowAndOnlyExactlyNoReadsAsHidden) {
  enum Setup { kDirect, kRefused, kOutOfMemory, kExternal, kStartFails, kEndsInBox, kNoSwitch };
  // What is stored, the mouse message, the setup, the effects. The About window is open.
  const std::tuple<std::wstring, int, Setup, std::wstring> cases[] = {
      {L"no", 0x200, kDirect, L""},  // moves, button-ups and double-clicks do nothing
      {L"no", 0x202, kDirect, L""},
      {L"no", 0x203, kDirect, L""},
      {L"no", 0x205, kDirect, L""},
      {L"no", kRightButtonDown, kDirect, L"close about; menu"},
      {L"no", kLeftButtonDown, kNoSwitch, L"close about; show topmost"},
      {L"no", kLeftButtonDown, kDirect, L"close about; write yes; broadcast; modify shown"},
      {L"", kLeftButtonDown, kDirect, L"close about; write no; broadcast; modify hidden"},
      {L"No", kLeftButtonDown, kDirect, L"close about; write no; broadcast; modify hidden"},
      {L"no ", kLeftButtonDown, kDirect, L"close about; write no; broadcast; modify hidden"},
      {L"no", kLeftButtonDown, kRefused, L"close about; write yes; broadcast; modify hidden"},
      {L"no", kLeftButtonDown, kOutOfMemory,
       L"close about; write yes; box 0 [] ERROR #7 : メモリが不足しています。; broadcast; "
       L"modify hidden"},
      // The program at the path stored last; it switches the pictures in its own time.
      {L"no", kLeftButtonDown, kExternal,
       L"close about; start D:\\Tog.exe; broadcast; modify hidden"},
      {L"no", kLeftButtonDown, kStartFails,
       L"close about; start D:\\Tog.exe; box 48 [ Cannot Start!] "
       L"外部ソフトを起動できませんでした。ファイルを確認してください。\n\nD:\\Tog.exe; "
       L"modify hidden"},
      // Ended while the box is open: no icon comes back.
      {L"no", kLeftButtonDown, kEndsInBox,
       L"close about; start D:\\Tog.exe; box 48 [ Cannot Start!] "
       L"外部ソフトを起動できませんでした。ファイルを確認してください。\n\nD:\\Tog.exe; "
       L"delete hidden; end"},
  };
  for (const auto& [stored, message, setup, effects] : cases) {
    FakeWorld world;
    world.pictures = stored;
    if (setup == kExternal || setup >= kStartFails) world.files.insert(kDefaultPath);
    world.ends_in_box = setup == kEndsInBox;
    if (setup == kExternal) world.files.insert(L"D:\\Tog.exe");
    world.Start(setup == kNoSwitch ? std::map<std::wstring, std::wstring>{{L"Change", L"0"}}
                                   : std::map<std::wstring, std::wstring>{});
    world.options[L"TogglePath"] = L"D:\\Tog.exe";  // chosen since the start
    world.write_result = setup == kRefused       ? WriteResult::kRefused
                         : setup == kOutOfMemory ? WriteResult::kOutOfMemory
                                                 : WriteResult::kStored;
    world.in_about = [&world, mouse = message] {
      world.log.clear();
      world.model.TrayButton(mouse);
    };
    world.model.Command(IDM_ABOUT);
    EXPECT_EQ(world.log, effects) << stored << " " << message << " " << setup;
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
  EXPECT_EQ(world.log,
            L"modify shown; add shown; add shown; modify shown; add shown; delete shown; end");
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
      {IDM_CHANGE, L"Change", L"1", "- + (+) (-) hidden"},
      {IDM_CHANGE, L"Change", L"0", "- - + - hidden"},
  };
  for (const auto& [command, key, stored, marks] : steps) {
    world.model.Command(command);
    EXPECT_EQ(world.Option(key), stored);
    EXPECT_EQ(Marks(world.model.state()), marks);
  }
  EXPECT_EQ(world.log, L"hide; show topmost; hide");
}

TEST(VeilpixTest, ExternalProgramCommandAsksTheChooserOnlyForAMissingProgram) {
  FakeWorld world;
  world.Start();
  world.model.Command(IDM_TOGGLE);  // missing, and the user cancels the chooser
  EXPECT_EQ(world.Option(L"Toggle"), L"<absent>");
  world.options[L"Toggle"] = L"0";  // turned off in an earlier run
  world.chooser_picks = true;
  world.model.Command(
      IDM_TOGGLE);  // a program picked: stored as on, or the next start turns it off
  EXPECT_EQ(world.Option(L"TogglePath"), L"D:\\Toggle.exe") << "one separator after a root";
  EXPECT_EQ(world.Option(L"Toggle"), L"1");
  world.model.Command(IDM_TOGGLE);
  EXPECT_EQ(world.Option(L"Toggle"), L"0");
  world.files.insert(L"D:\\Toggle.exe");
  world.model.Command(IDM_TOGGLE);  // present: on at once
  EXPECT_TRUE(world.model.state().external);
  EXPECT_EQ(world.Option(L"Toggle"), L"1");
  EXPECT_EQ(world.log, L"chooser; chooser");
  // Only a name with "Togg" in it, in that case.
  for (const wchar_t* refused : {L"toggle images.exe", L""}) {
    world.log.clear();
    EXPECT_FALSE(world.model.ChooserOk(L"C:\\Tools", refused));
    EXPECT_EQ(world.log, L"box 64 [ Invalid File!] この外部ソフトは使用できません！");
  }
  EXPECT_TRUE(world.model.ChooserOk(L"C:\\Tools", L"MyToggler.exe"));
  EXPECT_EQ(world.Option(L"TogglePath"), L"C:\\Tools\\MyToggler.exe");
}

TEST(VeilpixTest, EraseEndsWithoutStoringThePositionOrSaysWhyNot) {
  enum Store { kStored, kEmpty, kRefused };
  const std::tuple<Store, std::wstring> cases[] = {
      {kStored,
       L"box 64 [ Erasing Registry Has Finished!] レジストリの情報を消去しました。終了します！; "
       L"delete shown; end"},
      {kEmpty,
       L"box 64 [ No Registry Information!] レジストリに書き込まれている情報はありません！; "
       L"delete shown; end"},
      {kRefused,
       L"box 48 [] レジストリの情報を消去できませんでした。\n\nerror 5; delete shown; end"},
  };
  for (const auto& [store, effects] : cases) {
    FakeWorld world;
    world.Start(store == kEmpty ? std::map<std::wstring, std::wstring>{}
                                : std::map<std::wstring, std::wstring>{{L"Show", L"1"}});
    if (store == kRefused) world.erase_error = 5;  // access denied
    world.model.Erase();
    world.model.Exit();  // the session ends, if the erase did not end Veilpix
    EXPECT_EQ(world.log, effects) << store;
    // The position is written back only where the erase failed.
    EXPECT_EQ(world.options.size(), store == kRefused ? 3u : 0u) << store;
  }
}

TEST(VeilpixTest, LinkOpensItsPageAndClosesTheAboutWindowAndExplainsTheShellsFailures) {
  // The link, the shell's result, the message shown (none: empty).
  const std::tuple<int, int, std::wstring> cases[] = {
      {0, 33, L""},
      {1, 0, L"ﾒﾓﾘが足りません。"},
      {1, 1, L""},
      {1, 2, L"指定されたﾌｧｲﾙが見つかりません。"},
      {1, 3, L"指定されたﾊﾟｽが見つかりません。"},
      {1, 5, L"ｵﾍﾟﾚｰﾃｨﾝｸﾞｼｽﾃﾑは指定されたﾌｧｲﾙへのｱｸｾｽを拒否しました。"},
      {1, 8, L"ﾒﾓﾘが足りません。"},
      {1, 11, L""},
      {1, 26, L"共有違反が発生しました。"},
      {1, 27, L"ﾌｧｲﾙ名の関連付けが不十分または不正です。"},
      {1, 28, L"DDE変換が要求時間切れで処理されませんでした。"},
      {1, 29, L"DDE変換が失敗しました。"},
      {1, 30, L"DDE変換が処理できませんでした。"},
      {1, 31, L"指定されたﾌｧｲﾙの拡張子にはｱﾌﾟﾘｹｰｼｮﾝが関連付けられていません。"},
      {1, 32, L"指定されたﾀﾞｲﾅﾐｯｸﾘﾝｸﾗｲﾌﾞﾗﾘが見つかりません。"},
      {1, -2, L""},
  };
  for (const auto& [link, result, message] : cases) {
    FakeWorld world;
    world.shell_result = result;
    world.Start();
    world.in_about = [&world, index = link] {
      world.log.clear();
      world.model.OpenLink(index);
    };
    world.model.Command(IDM_ABOUT);
    const std::wstring page = link == 0 ? L"https://github.com/veilpix/veilpix"
                                        : L"https://github.com/veilpix/veilpix/issues";
    EXPECT_EQ(world.log, L"open " + page + (message.empty() ? L"" : L"; box 16 [ｴﾗｰ] " + message) +
                             L"; close about")
        << result;
  }
}

}  // namespace
}  // namespace veilpix
