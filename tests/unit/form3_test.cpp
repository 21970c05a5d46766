#include "dialogs/form3.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace veilpix::testing {
namespace {

constexpr wchar_t kSupportPage[] = L"https://github.com/veilpix/veilpix";
constexpr wchar_t kBugReportPage[] = L"https://github.com/veilpix/veilpix/issues";

// Records what the form asks of its window and of the main form, in the desktop's log, so the
// order against message boxes and the shell shows.
class RecordingHost final : public Form3Host {
 public:
  explicit RecordingHost(std::vector<std::string>& log) : log_(log) {}
  void UnloadForm() override { log_.push_back("unload"); }
  void ReleaseForm() override { log_.push_back("release"); }
  void EndMainForm() override { log_.push_back("end main form"); }

 private:
  std::vector<std::string>& log_;
};

class Form3Test : public ::testing::Test {
 protected:
  Form3Test() { form.Form_Load(); }

  std::vector<OleColor> LinkColors() const {
    return {form.lblUrl[0].ForeColor(), form.lblUrl[1].ForeColor()};
  }
  using Log = std::vector<std::string>;

  FakeSettingsStore store;
  FakeDesktop desktop;
  RecordingHost host{desktop.log};
  Form3 form{desktop, store, host, 2, 0};
};

TEST(Form3TitleTest, NameAndVersionAsPlainDecimals) {
  struct Case {
    int major;
    int minor;
    const wchar_t* title;
  };
  const Case cases[] = {{2, 0, L"Veilpix Ver 2.0"},
                        {2, 5, L"Veilpix Ver 2.5"},
                        {2, 10, L"Veilpix Ver 2.10"},
                        {12, 3, L"Veilpix Ver 12.3"}};
  for (const Case& c : cases) {
    FakeSettingsStore store;
    FakeDesktop desktop;
    RecordingHost host{desktop.log};
    Form3 form{desktop, store, host, c.major, c.minor};
    form.Form_Load();
    EXPECT_EQ(form.lblTitle.Caption(), c.title);
  }
}

TEST_F(Form3Test, DesignTimeStateOfAFreshWindow) {
  EXPECT_EQ(form.HotLinkIndex, -1);
  EXPECT_FALSE(form.Check1.Checked());
  EXPECT_FALSE(form.Check1.Visible());
  EXPECT_EQ(LinkColors(), (std::vector<OleColor>{kLinkColor, kLinkColor}));
  // Each link shows the address a click on it opens.
  EXPECT_EQ(form.lblUrl[0].Caption(), kSupportPage);
  EXPECT_EQ(form.lblUrl[1].Caption(), kBugReportPage);
}

TEST_F(Form3Test, TheLinkUnderThePointerIsHighlightedUntilTheBackgroundIsReached) {
  struct Step {
    const char* move;  // "0", "1": onto that link; "form": onto the bare background
    short hot;
    std::vector<OleColor> colors;
  };
  const Step steps[] = {
      {"0", 0, {kHotLinkColor, kLinkColor}},
      {"0", 0, {kHotLinkColor, kLinkColor}},  // every move over the link highlights it again
      {"1", 1, {kLinkColor, kHotLinkColor}},
      {"form", -1, {kLinkColor, kLinkColor}},
      {"form", -1, {kLinkColor, kLinkColor}},
      {"1", 1, {kLinkColor, kHotLinkColor}},
      {"0", 0, {kHotLinkColor, kLinkColor}},
      {"form", -1, {kLinkColor, kLinkColor}},
  };
  for (const Step& step : steps) {
    const std::string move = step.move;
    if (move == "form") {
      form.Form_MouseMove(0, 0, 100, 100);
    } else {
      form.lblUrl_MouseMove(move == "0" ? 0 : 1, 0, 0, 10, 10);
    }
    EXPECT_EQ(form.HotLinkIndex, step.hot) << "after a move onto " << move;
    EXPECT_EQ(LinkColors(), step.colors) << "after a move onto " << move;
  }
}

TEST_F(Form3Test, LinkClickOpensItsPageAndClosesTheWindowEvenWhenOpeningFails) {
  struct Case {
    int index;
    std::int32_t shell_result;
    std::vector<std::wstring> opened;
    Log log;
  };
  const Case cases[] = {
      {0, 42, {kSupportPage}, {"shell open", "unload"}},
      {1, 42, {kBugReportPage}, {"shell open", "unload"}},
      // The opener's message comes first, then the window closes.
      {1, 2, {kBugReportPage}, {"shell open", "msgbox", "unload"}},
      {0, 11, {kSupportPage}, {"shell open", "unload"}},
      {2, 42, {}, {"unload"}},
      {-1, 42, {}, {"unload"}},
  };
  for (const Case& c : cases) {
    desktop.log.clear();
    desktop.opened.clear();
    desktop.shell_result = c.shell_result;
    form.lblUrl_Click(c.index);
    EXPECT_EQ(desktop.opened, c.opened) << c.index;
    EXPECT_EQ(desktop.log, c.log) << c.index;
  }
}

TEST_F(Form3Test, OkClosesTheWindowAndUnloadingLetsTheInstanceGo) {
  form.Command1_Click();
  EXPECT_EQ(desktop.log, Log{"unload"});
  int cancel = 0;
  form.Form_Unload(cancel);
  EXPECT_EQ(cancel, 0);
  EXPECT_EQ(desktop.log, (Log{"unload", "release"}));
}

TEST_F(Form3Test, EraseWithStoredSettingsRemovesThemAllAndEndsTheProgramAfterTheMessage) {
  store.Set(L"Change", L"0");
  store.Set(L"Top", L"1500");
  store.Write(L"Veilpix", L"Other", L"Key", L"x");
  store.Write(L"Other Program", L"General", L"Top", L"7");
  form.picIcon_Click();
  EXPECT_TRUE(form.Check1.Checked());
  EXPECT_EQ(store.values.size(), 1u);
  EXPECT_EQ(store.values.count(L"Other Program\\General\\Top"), 1u);
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].prompt, L"レジストリの情報を消去しました。終了します！");
  EXPECT_EQ(desktop.boxes[0].buttons, kMbInformation);
  EXPECT_EQ(desktop.boxes[0].title, L" Erasing Registry Has Finished!");
  EXPECT_EQ(desktop.log, (Log{"msgbox", "end main form"}));
}

TEST_F(Form3Test, EraseWithNothingStoredSaysSoAndKeepsRunning) {
  store.Write(L"Other Program", L"General", L"Top", L"7");
  form.picIcon_Click();
  EXPECT_TRUE(form.Check1.Checked());
  EXPECT_EQ(store.values.size(), 1u);
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].prompt, L"レジストリに書き込まれている情報はありません！");
  EXPECT_EQ(desktop.boxes[0].buttons, kMbInformation);
  EXPECT_EQ(desktop.boxes[0].title, L" No Registry Information!");
  EXPECT_EQ(desktop.log, Log{"msgbox"});  // neither the main form's end nor an unload

  // Settings stored since are erased by the next click; the check box stays set.
  store.Set(L"Top", L"0");
  form.picIcon_Click();
  EXPECT_FALSE(store.Has(L"Top"));
  EXPECT_EQ(desktop.log, (Log{"msgbox", "msgbox", "end main form"}));
  EXPECT_TRUE(form.Check1.Checked());
}

}  // namespace
}  // namespace veilpix::testing
