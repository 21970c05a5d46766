#include "tray/form1.h"

#include <gtest/gtest.h>

#include "tests/unit/fake_registry.h"
#include "tests/unit/fakes.h"

namespace veilpix::testing {
namespace {

const std::string kIeMain = "Software\\Microsoft\\Internet Explorer\\Main";
const std::string kValue = "Display Inline Images";
const std::wstring kDefaultPath = L"C:\\WINDOWS\\Favorites\\リンク\\Toggle Images.exe";

class RecordingFormMirror final : public FormMirror {
 public:
  explicit RecordingFormMirror(std::vector<std::string>& log) : log_(log) {}
  void MakeTopmost() override { log_.push_back("topmost"); }
  void SetForeground() override { log_.push_back("foreground"); }
  void PopupMenu(const Control& menu) override {
    log_.push_back("popup " + Narrow(menu.Caption()));
  }

 private:
  static std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
  }
  std::vector<std::string>& log_;
};

class Form1Test : public ::testing::Test {
 protected:
  Form1Test() {
    dialogs.log = &desktop.log;
    form.Me.SetHandle(0x0BEE);
  }

  void SetPictures(const std::string& text) { registry.PutString(kIeMain, kValue, text); }
  std::string Pictures() const {
    const auto bytes = registry.Bytes(kIeMain, kValue);
    return bytes.empty() ? "<absent>" : std::string(bytes.begin(), bytes.end() - 1);
  }
  void Load() {
    form.Form_Load();
    form.Me.Attach(&mirror);
    desktop.log.clear();
  }
  std::uint32_t LastIcon() const {
    const auto& bytes = desktop.notify_calls.back().second;
    return bytes[20] | bytes[21] << 8 | bytes[22] << 16 |
           static_cast<std::uint32_t>(bytes[23]) << 24;
  }
  void Click(long message) { form.Form_MouseMove(0, 0, static_cast<float>(message), 0); }

  FakeRegistry registry;
  FakeSettingsStore store;
  FakeDesktop desktop;
  FakeDialogs dialogs;
  Form1 form{registry, store, desktop, dialogs};
  RecordingFormMirror mirror{desktop.log};
};

TEST_F(Form1Test, StateFollowsTheRegistryTextExactly) {
  struct Case {
    const char* stored;  // nullptr: no value at all
    const wchar_t* caption;
    Handle icon;
  };
  const Case cases[] = {
      {"no", L"非表示", FakeDialogs::kAboutIcon},    {"yes", L"表示", FakeDialogs::kChooserIcon},
      {"No", L"表示", FakeDialogs::kChooserIcon},    {"NO", L"表示", FakeDialogs::kChooserIcon},
      {"", L"表示", FakeDialogs::kChooserIcon},      {"no ", L"表示", FakeDialogs::kChooserIcon},
      {nullptr, L"表示", FakeDialogs::kChooserIcon},
  };
  Load();
  for (const Case& c : cases) {
    registry.keys.clear();
    if (c.stored) SetPictures(c.stored);
    form.Timer1_Timer();
    EXPECT_EQ(form.Command1.Caption(), c.caption) << (c.stored ? c.stored : "(missing)");
    EXPECT_EQ(LastIcon(), c.icon);
    EXPECT_EQ(desktop.notify_calls.back().first, kNimModify);
  }
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(Form1Test, ClickWritesTheOppositeValueBroadcastsAndReadsItBack) {
  Load();  // no value at all: shown
  form.Command1_Click();
  EXPECT_EQ(Pictures(), "no");
  EXPECT_EQ(form.Command1.Caption(), L"非表示");
  EXPECT_EQ(LastIcon(), FakeDialogs::kAboutIcon);
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"broadcast", "notify 1"}));

  SetPictures("NO");  // anything but "no" counts as shown: a click hides
  form.Timer1_Timer();
  form.Command1_Click();
  EXPECT_EQ(Pictures(), "no");
  form.Command1_Click();
  EXPECT_EQ(Pictures(), "yes");
  EXPECT_EQ(form.Command1.Caption(), L"表示");
  EXPECT_EQ(desktop.broadcasts, 3);

  SetPictures("no");  // changed elsewhere: the click decides by the caption it shows
  form.Command1_Click();
  EXPECT_EQ(Pictures(), "no");
}

TEST_F(Form1Test, RefusedWriteKeepsTheStateButStillBroadcastsAndRefreshes) {
  SetPictures("yes");
  Load();
  registry.deny_write = true;
  form.Command1_Click();
  EXPECT_EQ(Pictures(), "yes");
  EXPECT_EQ(form.Command1.Caption(), L"表示");
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"broadcast", "notify 1"}));
  EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(Form1Test, ExternalModeStartsTheProgramAtTheLatestStoredPath) {
  desktop.files.insert(kDefaultPath);
  SetPictures("yes");
  Load();
  ASSERT_TRUE(form.mnuToggle.Checked());
  store.Set(key::kTogglePath, L"D:\\Tools\\Toggle Images.exe");
  EXPECT_EQ(form.TogglePath, kDefaultPath);  // not reloaded until the next switch

  form.Command1_Click();
  EXPECT_EQ(desktop.started, (std::vector<std::wstring>{L"D:\\Tools\\Toggle Images.exe"}));
  EXPECT_EQ(form.TogglePath, L"D:\\Tools\\Toggle Images.exe");
  EXPECT_EQ(Pictures(), "yes");  // the program switches, not Veilpix
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"start", "broadcast", "notify 1"}));

  desktop.log.clear();
  desktop.start_fails = true;
  form.Command1_Click();
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_NE(desktop.boxes[0].prompt.find(L"D:\\Tools\\Toggle Images.exe"), std::wstring::npos);
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"start", "msgbox", "notify 1"}));
}

TEST_F(Form1Test, LoadAppliesTheStoredOptions) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::wstring_view, const wchar_t*>> stored;
    bool file_exists;
    bool toggle_checked, toggle_enabled, change_checked, start_checked, start_enabled;
    bool pos_checked, pos_enabled, visible;
    float top, left;
  };
  // clang-format off
  const Case cases[] = {
      // name, stored, program present,
      //   toggle checked/enabled, change checked, start checked/enabled, pos checked/enabled,
      //   visible, top, left
      {"first run, program present", {}, true,
       true, false, true, false, false, false, false, false, 0, 0},
      {"first run, no program", {}, false,
       false, true, true, false, false, false, false, false, 0, 0},
      {"toggle off", {{key::kToggle, L"0"}}, true,
       false, true, true, false, false, false, false, false, 0, 0},
      {"show, click shows window", {{key::kShow, L"-1"}, {key::kChange, L"0"}}, false,
       false, true, false, true, true, false, true, true, 0, 0},
      {"show but change on", {{key::kShow, L"1"}}, false,
       false, true, true, true, false, false, false, false, 0, 0},
      {"position restored",
       {{key::kPosition, L"1"}, {key::kTop, L"300"}, {key::kLeft, L"450.5"},
        {key::kChange, L"2"}, {key::kShow, L"1"}}, false,
       false, true, false, true, true, true, true, true, 300, 450.5f},
      {"position stored but off", {{key::kTop, L"300"}, {key::kLeft, L"450"}}, false,
       false, true, true, false, false, false, false, false, 0, 0},
      {"garbage reads as defaults",
       {{key::kToggle, L"x"}, {key::kChange, L"x"}, {key::kShow, L"x"}, {key::kPosition, L"x"}},
       true,
       true, false, true, false, false, false, false, false, 0, 0},
  };
  // clang-format on
  for (const Case& c : cases) {
    FakeSettingsStore case_store;
    FakeDesktop case_desktop;
    for (const auto& [key, text] : c.stored) case_store.Set(key, text);
    if (c.file_exists) case_desktop.files.insert(kDefaultPath);
    Form1 f(registry, case_store, case_desktop, dialogs);
    f.Form_Load();
    SCOPED_TRACE(c.name);
    EXPECT_EQ(f.mnuToggle.Checked(), c.toggle_checked);
    EXPECT_EQ(f.mnuToggle.Enabled(), c.toggle_enabled);
    EXPECT_EQ(f.mnuChange.Checked(), c.change_checked);
    EXPECT_EQ(f.mnuStart.Checked(), c.start_checked);
    EXPECT_EQ(f.mnuStart.Enabled(), c.start_enabled);
    EXPECT_EQ(f.mnuPos.Checked(), c.pos_checked);
    EXPECT_EQ(f.mnuPos.Enabled(), c.pos_enabled);
    EXPECT_EQ(f.Me.Visible(), c.visible);
    EXPECT_EQ(f.Me.Top(), c.top);
    EXPECT_EQ(f.Me.Left(), c.left);
    EXPECT_FALSE(f.mnuTray.Visible());
    EXPECT_EQ(f.IconFlag, L"1");
    EXPECT_EQ(f.TogglePath, kDefaultPath);
    // Loading reads options; it stores nothing.
    EXPECT_EQ(case_store.values.size(), c.stored.size());
  }
}

TEST_F(Form1Test, TrayIconIsAddedOnceThenModifiedAndDeletedWithTheSameRecord) {
  Load();
  ASSERT_EQ(desktop.notify_calls.size(), 1u);
  EXPECT_EQ(desktop.notify_calls[0].first, kNimAdd);
  const NotifyIconBytes added = desktop.notify_calls[0].second;
  EXPECT_EQ(added[4] | added[5] << 8, 0x0BEE);  // Form1's window
  EXPECT_EQ(std::string(added.begin() + 24, added.begin() + 32), std::string("Veilpix\0", 8));

  form.Timer1_Timer();
  form.Timer1_Timer();
  EXPECT_EQ(desktop.notify_calls[1].first, kNimModify);
  EXPECT_EQ(desktop.notify_calls[2].second, added);  // unchanged state: same record

  form.Form_TaskbarCreated();  // Explorer restarted: the icon must come back
  EXPECT_EQ(desktop.notify_calls.back().first, kNimAdd);
  EXPECT_EQ(desktop.notify_calls.back().second, added);

  form.mnuEnd_Click();
  EXPECT_EQ(desktop.notify_calls.back().first, kNimDelete);
  EXPECT_EQ(desktop.notify_calls.back().second, added);
  EXPECT_TRUE(desktop.ended);
}

TEST_F(Form1Test, ExitStoresThePositionUnlessTheSettingsWereJustErased) {
  Load();
  form.Me.Moved(1200, 2400);
  form.mnuEnd_Click();
  EXPECT_EQ(store.Get(key::kTop), L"1200");
  EXPECT_EQ(store.Get(key::kLeft), L"2400");
  EXPECT_EQ(desktop.log.back(), "end");

  store.values.clear();
  desktop.log.clear();
  dialogs.about_check1 = 1;
  form.mnuEnd_Click();
  EXPECT_TRUE(store.values.empty());
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"notify 2", "end"}));
}

TEST_F(Form1Test, OptionCommandsFlipTheirCheckAndStoreItAtOnce) {
  Load();
  form.mnuChange_Click();  // off: start-up options become available
  EXPECT_FALSE(form.mnuChange.Checked());
  EXPECT_TRUE(form.mnuStart.Enabled());
  EXPECT_TRUE(form.mnuPos.Enabled());
  EXPECT_FALSE(form.Me.Visible());
  EXPECT_EQ(store.Get(key::kChange), L"0");

  form.mnuStart_Click();
  EXPECT_TRUE(form.mnuStart.Checked());
  EXPECT_EQ(store.Get(key::kShow), L"1");
  form.mnuStart_Click();
  EXPECT_EQ(store.Get(key::kShow), L"0");
  form.mnuPos_Click();
  EXPECT_TRUE(form.mnuPos.Checked());
  EXPECT_EQ(store.Get(key::kPosition), L"1");

  Click(kWmLButtonDown);  // shows the window
  ASSERT_TRUE(form.Me.Visible());
  form.mnuChange_Click();  // on: hides the window and greys the start-up options
  EXPECT_TRUE(form.mnuChange.Checked());
  EXPECT_FALSE(form.mnuStart.Enabled());
  EXPECT_FALSE(form.mnuPos.Enabled());
  EXPECT_FALSE(form.Me.Visible());
  EXPECT_EQ(store.Get(key::kChange), L"1");
}

TEST_F(Form1Test, ToggleCommandUsesTheChooserOnlyWhenTheProgramIsMissing) {
  Load();
  ASSERT_FALSE(form.mnuToggle.Checked());

  form.mnuToggle_Click();  // missing, user cancels
  EXPECT_EQ(dialogs.chooser_shown, 1);
  EXPECT_FALSE(form.mnuToggle.Checked());
  EXPECT_FALSE(store.Has(key::kToggle));

  dialogs.on_show_chooser = [&] {
    store.Set(key::kTogglePath, L"D:\\Toggle Images.exe");
    form.mnuToggle.SetChecked(true);
  };
  store.Set(key::kToggle, L"0");  // turned off in an earlier run
  form.mnuToggle_Click();         // picked: the chooser ticks it, and the choice is kept
  EXPECT_TRUE(form.mnuToggle.Checked());
  EXPECT_EQ(store.Get(key::kToggle), L"1");
  EXPECT_EQ(form.TogglePath, kDefaultPath);

  form.mnuToggle_Click();  // off
  EXPECT_FALSE(form.mnuToggle.Checked());
  EXPECT_EQ(store.Get(key::kToggle), L"0");

  desktop.files.insert(kDefaultPath);
  form.mnuToggle_Click();  // present: on without the chooser
  EXPECT_TRUE(form.mnuToggle.Checked());
  EXPECT_EQ(store.Get(key::kToggle), L"1");
  EXPECT_EQ(dialogs.chooser_shown, 2);
}

TEST_F(Form1Test, ToggleCommandWhileTheChooserIsOpenOnlyBringsItToTheFront) {
  Load();
  dialogs.chooser_open = true;
  form.mnuToggle_Click();
  EXPECT_EQ(dialogs.chooser_shown, 0);
  EXPECT_EQ(dialogs.chooser_brought_to_front, 1);
  EXPECT_FALSE(form.mnuToggle.Checked());
  EXPECT_TRUE(store.values.empty());
}

TEST_F(Form1Test, TrayMouseMessagesAreDispatchedByKind) {
  Load();
  for (const long message : {0x200L, 0x202L, 0x203L, 0x205L, 0x206L, 0L, 513L * 15}) {
    Click(message);
  }
  EXPECT_TRUE(desktop.log.empty());
  EXPECT_EQ(Pictures(), "<absent>");

  dialogs.about_visible = true;
  Click(kWmLButtonDown);  // left-click switching on: the About window closes, pictures switch
  EXPECT_EQ(Pictures(), "no");
  EXPECT_EQ(desktop.log.front(), "close about");

  desktop.log.clear();
  dialogs.about_visible = true;
  Click(kWmRButtonDown);
  EXPECT_EQ(desktop.log,
            (std::vector<std::string>{"close about", "foreground", "doevents", "popup Menu"}));
}

TEST_F(Form1Test, LeftClickShowsTheTopmostWindowAndHidesItWhenSwitchingIsOff) {
  store.Set(key::kChange, L"0");
  Load();
  ASSERT_FALSE(form.Me.Visible());
  Click(kWmLButtonDown);
  EXPECT_TRUE(form.Me.Visible());
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"topmost"}));
  Click(kWmLButtonDown);
  EXPECT_FALSE(form.Me.Visible());
  EXPECT_EQ(Pictures(), "<absent>");

  int cancel = 0;
  Click(kWmLButtonDown);
  form.Form_QueryUnload(cancel, 0);  // the title bar's close button keeps Veilpix in the tray
  EXPECT_EQ(cancel, 1);
  EXPECT_FALSE(form.Me.Visible());
  EXPECT_FALSE(desktop.ended);
}

}  // namespace
}  // namespace veilpix::testing
