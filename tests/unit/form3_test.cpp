#include "dialogs/form3.h"

#include <gtest/gtest.h>

#include <tuple>

#include "dialogs/module1.h"
#include "tests/unit/fakes.h"

namespace veilpix::testing {
namespace {

constexpr OleColor kBlue = 0x00FF0000;
constexpr OleColor kTitleBar = 0x80000002;  // COLOR_ACTIVECAPTION

// The About window. Its host, the window and the main form, notes what is asked of it in the
// desktop's log, so its order against message boxes and the shell shows.
class Rig final : public Form3Host {
 public:
  FakeSettingsStore store;
  FakeDesktop desktop;
  Form3 form{desktop, store, *this, 2, 10};

  Rig() { form.Form_Load(); }
  void UnloadForm() override { desktop.Note(L"unload"); }
  void EndMainForm() override { desktop.Note(L"end main form"); }
};

TEST(Form3Test, TheLinkUnderThePointerIsHighlightedUntilTheBackgroundIsReached) {
  Rig rig;
  Form3& form = rig.form;
  constexpr int kBackground = -1;
  // Where the pointer moves (onto a link or the bare background), the link highlighted then and
  // the two links' colours.
  const std::tuple<int, short, OleColor, OleColor> steps[] = {
      {0, 0, kTitleBar, kBlue},
      {1, 1, kBlue, kTitleBar},
      {kBackground, -1, kBlue, kBlue},
  };
  for (const auto& [move, hot, link0, link1] : steps) {
    move == kBackground ? form.Form_MouseMove(0, 0, 100, 100)
                        : form.lblUrl_MouseMove(move, 0, 0, 10, 10);
    EXPECT_EQ(form.HotLinkIndex, hot);
    EXPECT_EQ(form.lblUrl[0].ForeColor(), link0) << hot;
    EXPECT_EQ(form.lblUrl[1].ForeColor(), link1) << hot;
  }
}

TEST(Form3Test, LinkClickOpensItsPageAndClosesTheWindowEvenWhenOpeningFails) {
  const std::tuple<int, std::int32_t, std::wstring> cases[] = {
      {0, 42, L"open https://github.com/veilpix/veilpix; unload"},
      {1, 42, L"open https://github.com/veilpix/veilpix/issues; unload"},
      {1, 2,
       L"open https://github.com/veilpix/veilpix/issues; box 16 [ｴﾗｰ] "
       L"指定されたﾌｧｲﾙが見つかりません。; unload"},
  };
  for (const auto& [index, shell_result, log] : cases) {
    Rig rig;
    rig.desktop.shell_result = shell_result;
    rig.form.lblUrl_Click(index);
    EXPECT_EQ(rig.desktop.log, log) << index;
  }
}

TEST(Form3Test, EraseRemovesEverySettingAndEndsTheProgramOrSaysWhyNot) {
  enum Store { kStored, kEmpty, kRefused };
  // What the store holds or does, whether Check1 is set then (so the main form's exit must not
  // store its position), what the user is told.
  const std::tuple<Store, bool, std::wstring> cases[] = {
      {kStored, true,
       L"box 64 [ Erasing Registry Has Finished!] レジストリの情報を消去しました。終了します！; "
       L"end main form"},
      {kEmpty, true,
       L"box 64 [ No Registry Information!] レジストリに書き込まれている情報はありません！"},
      {kRefused, false, L"box 48 [] レジストリの情報を消去できませんでした。\n\nerror 5"},
  };
  for (const auto& [store, check1, log] : cases) {
    Rig rig;
    rig.store.Write(L"Other Program", L"General", L"Top", L"7");
    if (store != kEmpty) rig.store.Set(L"Top", L"1500");
    if (store == kRefused) rig.store.erase_error = 5;  // access denied
    rig.form.picIcon_Click();
    EXPECT_EQ(rig.form.Check1.Checked(), check1) << store;
    EXPECT_EQ(rig.store.values.size(), store == kRefused ? 2u : 1u) << "another's settings stay";
    EXPECT_EQ(rig.desktop.log, log);
  }
}

TEST(OpenUrlTest, SucceedsOnlyAboveThirtyTwoAndExplainsTheFailuresThatHaveAMessage) {
  const std::pair<std::int32_t, std::wstring> cases[] = {
      {33, L""},
      {0, L"ﾒﾓﾘが足りません。"},
      {1, L""},
      {2, L"指定されたﾌｧｲﾙが見つかりません。"},
      {3, L"指定されたﾊﾟｽが見つかりません。"},
      {4, L""},
      {5, L"ｵﾍﾟﾚｰﾃｨﾝｸﾞｼｽﾃﾑは指定されたﾌｧｲﾙへのｱｸｾｽを拒否しました。"},
      {8, L"ﾒﾓﾘが足りません。"},
      {11, L""},
      {25, L""},
      {26, L"共有違反が発生しました。"},
      {27, L"ﾌｧｲﾙ名の関連付けが不十分または不正です。"},
      {28, L"DDE変換が要求時間切れで処理されませんでした。"},
      {29, L"DDE変換が失敗しました。"},
      {30, L"DDE変換が処理できませんでした。"},
      {31, L"指定されたﾌｧｲﾙの拡張子にはｱﾌﾟﾘｹｰｼｮﾝが関連付けられていません。"},
      {32, L"指定されたﾀﾞｲﾅﾐｯｸﾘﾝｸﾗｲﾌﾞﾗﾘが見つかりません。"},
      {-2, L""},
  };
  for (const auto& [shell_result, message] : cases) {
    FakeDesktop desktop;
    desktop.shell_result = shell_result;
    EXPECT_EQ(OpenUrl(desktop, L"https://example.com/"), shell_result > 32) << shell_result;
    EXPECT_EQ(desktop.log, L"open https://example.com/" +
                               (message.empty() ? L"" : L"; box 16 [ｴﾗｰ] " + message));
  }
}

}  // namespace
}  // namespace veilpix::testing
