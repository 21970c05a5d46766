// Odd registry values and stored settings, one named test each: none may crash, each reads as
// a defined state, and a switch afterwards still stores the right value.
#include <gtest/gtest.h>

#include "tests/unit/fake_registry.h"
#include "tests/unit/fakes.h"
#include "tray/form1.h"

namespace veilpix::testing {
namespace {

const std::string kIeMain = "Software\\Microsoft\\Internet Explorer\\Main";
const std::string kValue = "Display Inline Images";

struct PictureValueCase {
  const char* name;
  std::string bytes;  // stored as they are: a NUL must be part of them to be stored
  std::uint32_t type;
  bool key_exists;
  bool read_only;  // the user may read the key but not change it
  const wchar_t* caption;
  const char* after_click;  // the stored value after one click; nullptr: unchanged
};

void PrintTo(const PictureValueCase& c, std::ostream* out) {
  *out << c.name;
}

class PictureValueTest : public ::testing::TestWithParam<PictureValueCase> {};

TEST_P(PictureValueTest, ReadsAsADefinedStateAndSwitchesSafely) {
  const PictureValueCase& c = GetParam();
  FakeRegistry registry;
  FakeSettingsStore store;
  FakeDesktop desktop;
  FakeDialogs dialogs;
  if (c.key_exists) registry.PutString(kIeMain, kValue, c.bytes, c.type, false);
  registry.read_only = c.read_only;
  Form1 form(registry, store, desktop, dialogs);
  form.Form_Load();
  EXPECT_EQ(form.Command1.Caption(), c.caption);

  const std::vector<std::uint8_t> before = registry.Bytes(kIeMain, kValue);
  form.Command1_Click();
  const std::vector<std::uint8_t> after = registry.Bytes(kIeMain, kValue);
  if (c.after_click) {
    EXPECT_EQ(std::string(after.begin(), after.end()), std::string(c.after_click) + '\0');
  } else {
    EXPECT_EQ(after, before);
  }
  EXPECT_TRUE(desktop.boxes.empty());
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

const std::string kNul(1, '\0');

INSTANTIATE_TEST_SUITE_P(
    BadInput, PictureValueTest,
    ::testing::Values(
        PictureValueCase{"MissingKey", "", kRegSz, false, false, L"表示", "no"},
        PictureValueCase{"No", "no" + kNul, kRegSz, true, false, L"非表示", "yes"},
        PictureValueCase{"Yes", "yes" + kNul, kRegSz, true, false, L"表示", "no"},
        PictureValueCase{"CapitalNo", "No" + kNul, kRegSz, true, false, L"表示", "no"},
        PictureValueCase{"UpperYes", "YES" + kNul, kRegSz, true, false, L"表示", "no"},
        PictureValueCase{"ExpandSz", "no" + kNul, kRegExpandSz, true, false, L"表示", "no"},
        PictureValueCase{"Dword", std::string("\0\0\0\0", 4), 4, true, false, L"表示", "no"},
        PictureValueCase{"Binary", "no", 3, true, false, L"表示", "no"},
        PictureValueCase{"Chars255", std::string(255, 'n') + kNul, kRegSz, true, false, L"表示",
                         "no"},
        PictureValueCase{"Chars256", std::string(256, 'n') + kNul, kRegSz, true, false, L"表示",
                         "no"},
        PictureValueCase{"Chars10000", std::string(10000, 'n') + kNul, kRegSz, true, false, L"表示",
                         "no"},
        PictureValueCase{"NoNul", "no", kRegSz, true, false, L"非表示", "yes"},
        PictureValueCase{"EmbeddedNul", "no" + kNul + "yes" + kNul, kRegSz, true, false, L"非表示",
                         "yes"},
        PictureValueCase{"Empty", kNul, kRegSz, true, false, L"表示", "no"},
        PictureValueCase{"Japanese", "\x94\xf1\x95\x5c\x8e\xa6" + kNul, kRegSz, true, false,
                         L"表示", "no"},
        PictureValueCase{"InvalidDoubleByte", "\x81" + kNul, kRegSz, true, false, L"表示", "no"},
        PictureValueCase{"ReadOnlyKey", "no" + kNul, kRegSz, true, true, L"表示", nullptr}),
    [](const ::testing::TestParamInfo<PictureValueCase>& info) { return info.param.name; });

struct StoredSettingCase {
  const char* name;
  std::wstring_view key;
  std::wstring text;
  bool toggle_checked, change_checked, start_checked, pos_checked, visible;
  float top, left;
};

void PrintTo(const StoredSettingCase& c, std::ostream* out) {
  *out << c.name;
}

class StoredSettingTest : public ::testing::TestWithParam<StoredSettingCase> {};

TEST_P(StoredSettingTest, LoadsAsADefinedOptionAndKeepsTheText) {
  const StoredSettingCase& c = GetParam();
  FakeRegistry registry;
  FakeSettingsStore store;
  FakeDesktop desktop;
  FakeDialogs dialogs;
  desktop.files.insert(std::wstring(kDefaultTogglePath));
  // Start-up options available, position restored: every key is read.
  store.Set(key::kChange, L"0");
  store.Set(key::kShow, L"1");
  store.Set(key::kPosition, L"1");
  store.Set(c.key, c.text);
  Form1 form(registry, store, desktop, dialogs);
  form.Form_Load();
  EXPECT_EQ(form.mnuToggle.Checked(), c.toggle_checked);
  EXPECT_EQ(form.mnuChange.Checked(), c.change_checked);
  EXPECT_EQ(form.mnuStart.Checked(), c.start_checked);
  EXPECT_EQ(form.mnuPos.Checked(), c.pos_checked);
  EXPECT_EQ(form.Me.Visible(), c.visible);
  EXPECT_EQ(form.Me.Top(), c.top);
  EXPECT_EQ(form.Me.Left(), c.left);
  EXPECT_EQ(store.Get(c.key), c.text);  // reading never rewrites what is stored
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, StoredSettingTest,
    ::testing::Values(
        StoredSettingCase{"ToggleWord", key::kToggle, L"yes", true, false, true, true, true, 0, 0},
        StoredSettingCase{"ToggleEmpty", key::kToggle, L"", true, false, true, true, true, 0, 0},
        StoredSettingCase{"ToggleMinusOne", key::kToggle, L"-1", true, false, true, true, true, 0,
                          0},
        StoredSettingCase{"ToggleZero", key::kToggle, L"0", false, false, true, true, true, 0, 0},
        StoredSettingCase{"ChangeTwo", key::kChange, L"2", true, false, true, true, true, 0, 0},
        StoredSettingCase{"ChangeMinusOne", key::kChange, L"-1", true, false, true, true, true, 0,
                          0},
        StoredSettingCase{"ChangeNaN", key::kChange, L"NaN", true, true, true, true, false, 0, 0},
        StoredSettingCase{"ShowOverflow", key::kShow, L"1e309", true, false, false, true, false, 0,
                          0},
        StoredSettingCase{"ShowMinusOne", key::kShow, L"-1", true, false, true, true, true, 0, 0},
        StoredSettingCase{"PositionWord", key::kPosition, L"on", true, false, true, false, true, 0,
                          0},
        StoredSettingCase{"TopHuge", key::kTop, L"3e38", true, false, true, true, true, 3e38f, 0},
        StoredSettingCase{"TopBeyondSingle", key::kTop, L"1e39", true, false, true, true, true, 0,
                          0},
        StoredSettingCase{"LeftNegative", key::kLeft, L"-123456", true, false, true, true, true, 0,
                          -123456},
        StoredSettingCase{"LeftNaN", key::kLeft, L"NaN", true, false, true, true, true, 0, 0},
        StoredSettingCase{"TogglePathLong", key::kTogglePath, std::wstring(10000, L'x'), false,
                          false, true, true, true, 0, 0},
        StoredSettingCase{"TogglePathEmpty", key::kTogglePath, L"", false, false, true, true, true,
                          0, 0}),
    [](const ::testing::TestParamInfo<StoredSettingCase>& info) { return info.param.name; });

}  // namespace
}  // namespace veilpix::testing
