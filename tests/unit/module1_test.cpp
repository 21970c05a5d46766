#include "dialogs/module1.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace veilpix::testing {
namespace {

TEST(OpenUrlTest, ShellResultsMapToSuccessOrTheirMessage) {
  struct Case {
    std::int32_t shell_result;
    bool opened;
    const wchar_t* message;  // nullptr: no message box at all
  };
  const Case cases[] = {
      {33, true, nullptr},
      {42, true, nullptr},
      {0, false, L"ﾒﾓﾘが足りません。"},
      {1, false, nullptr},
      {2, false, L"指定されたﾌｧｲﾙが見つかりません。"},
      {3, false, L"指定されたﾊﾟｽが見つかりません。"},
      {4, false, nullptr},
      {5, false, L"ｵﾍﾟﾚｰﾃｨﾝｸﾞｼｽﾃﾑは指定されたﾌｧｲﾙへのｱｸｾｽを拒否しました。"},
      {8, false, L"ﾒﾓﾘが足りません。"},
      {11, false, nullptr},
      {25, false, nullptr},
      {26, false, L"共有違反が発生しました。"},
      {27, false, L"ﾌｧｲﾙ名の関連付けが不十分または不正です。"},
      {28, false, L"DDE変換が要求時間切れで処理されませんでした。"},
      {29, false, L"DDE変換が失敗しました。"},
      {30, false, L"DDE変換が処理できませんでした。"},
      {31, false, L"指定されたﾌｧｲﾙの拡張子にはｱﾌﾟﾘｹｰｼｮﾝが関連付けられていません。"},
      {32, false, L"指定されたﾀﾞｲﾅﾐｯｸﾘﾝｸﾗｲﾌﾞﾗﾘが見つかりません。"},
      {-2, false, nullptr},
      {INT32_MIN, false, nullptr},
  };
  for (const Case& c : cases) {
    FakeDesktop desktop;
    desktop.shell_result = c.shell_result;
    EXPECT_EQ(OpenUrl(desktop, L"https://example.com/"), c.opened) << c.shell_result;
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], L"https://example.com/");
    if (!c.message) {
      EXPECT_TRUE(desktop.boxes.empty()) << c.shell_result;
      continue;
    }
    ASSERT_EQ(desktop.boxes.size(), 1u) << c.shell_result;
    EXPECT_EQ(desktop.boxes[0].prompt, c.message);
    EXPECT_EQ(desktop.boxes[0].buttons, kMbCritical);
    EXPECT_EQ(desktop.boxes[0].title, L"ｴﾗｰ");
  }
}

TEST(OpenUrlTest, HandsTheShellTheCallersTextAsIsAndLeavesItAlone) {
  std::wstring address = L"C:\\Program Files\\Veilpix\\読んでね.txt";
  const std::wstring before = address;
  FakeDesktop desktop;
  desktop.shell_result = 2;
  OpenUrl(desktop, address);
  EXPECT_EQ(address, before);
  ASSERT_EQ(desktop.opened.size(), 1u);
  EXPECT_EQ(desktop.opened[0], before);
}

}  // namespace
}  // namespace veilpix::testing
