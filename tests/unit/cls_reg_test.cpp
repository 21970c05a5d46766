#include "core/cls_reg.h"

#include <gtest/gtest.h>

#include "tests/unit/fake_registry.h"
#include "tests/unit/fakes.h"

namespace veilpix::testing {
namespace {

const std::string kKey = "Software\\Test";
const std::wstring kWideKey = L"Software\\Test";

class ClsRegTest : public ::testing::Test {
 protected:
  FakeRegistry registry;
  FakeDesktop desktop;
  clsReg reg{registry, desktop};
};

TEST_F(ClsRegTest, ReadsOnlyWholeRegSzValuesThatFitTheBuffer) {
  struct Case {
    const char* name;
    std::string stored;
    std::uint32_t type;
    bool with_nul;
    std::wstring expected;
  };
  const Case cases[] = {
      {"plain", "yes", kRegSz, true, L"yes"},
      {"empty", "", kRegSz, true, L""},
      {"expand_sz", "yes", kRegExpandSz, true, L""},
      {"dword", std::string("\x01\0\0\0", 4), 4, false, L""},
      {"255 chars + NUL", std::string(255, 'a'), kRegSz, true, std::wstring(255, L'a')},
      {"256 chars + NUL", std::string(256, 'a'), kRegSz, true, L""},
      {"no NUL", "no", kRegSz, false, L"no"},
      {"embedded NUL", std::string("ab\0cd", 5), kRegSz, true, L"ab"},
      {"256 bytes, no NUL", std::string(256, 'z'), kRegSz, false, std::wstring(256, L'z')},
      {"double-byte", "\x95\x5c\x8e\xa6", kRegSz, true, L"表示"},
  };
  for (const Case& c : cases) {
    registry.PutString(kKey, c.name, c.stored, c.type, c.with_nul);
    EXPECT_EQ(
        reg.RegGetString(kHkeyCurrentUser, kWideKey, std::wstring(c.name, c.name + strlen(c.name))),
        c.expected)
        << c.name;
  }
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(ClsRegTest, ReadFailuresGiveEmptyTextAndCloseWhatTheyOpened) {
  EXPECT_EQ(reg.RegGetString(kHkeyCurrentUser, L"Software\\Missing", L"v"), L"");
  registry.PutString(kKey, "present", "x");
  EXPECT_EQ(reg.RegGetString(kHkeyCurrentUser, kWideKey, L"absent"), L"");
  // Opened with all six key rights, a read-only key cannot be read either.
  registry.read_only = true;
  EXPECT_EQ(reg.RegGetString(kHkeyCurrentUser, kWideKey, L"present"), L"");
  EXPECT_EQ(registry.OpenHandles(), 0u);
  EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(ClsRegTest, ReadPassesTheAgreedArguments) {
  registry.PutString(kKey, "v", "x");
  reg.RegGetString(kHkeyCurrentUser, kWideKey, L"v");
  const std::vector<std::string> expected{"open Software\\Test options=0 access=63",
                                          "query v size=256", "close"};
  EXPECT_EQ(registry.calls, expected);
}

TEST_F(ClsRegTest, WriteCreatesTheKeyAndStoresTheTextWithItsNul) {
  const std::wstring deep = L"Software\\A\\B\\C";
  EXPECT_TRUE(reg.RegSetString(kHkeyCurrentUser, deep, L"Display Inline Images", L"no"));
  EXPECT_EQ(registry.Bytes("Software\\A\\B\\C", "Display Inline Images"),
            (std::vector<std::uint8_t>{'n', 'o', 0}));
  EXPECT_TRUE(reg.RegSetString(kHkeyCurrentUser, deep, L"empty", L""));
  EXPECT_EQ(registry.Bytes("Software\\A\\B\\C", "empty"), (std::vector<std::uint8_t>{0}));
  EXPECT_TRUE(reg.RegSetString(kHkeyCurrentUser, deep, L"jp", L"表示"));
  EXPECT_EQ(registry.Bytes("Software\\A\\B\\C", "jp").size(), 5u);
  EXPECT_EQ(reg.RegGetString(kHkeyCurrentUser, deep, L"jp"), L"表示");
  EXPECT_EQ(registry.calls.front(),
            "create Software\\A\\B\\C reserved=0 class=\"\" options=0 access=63 security=0,0,0");
  EXPECT_EQ(registry.calls[1], "set Display Inline Images reserved=0 type=1 size=3");
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(ClsRegTest, RefusedWritesReturnFalseSilentlyAndCloseOnlyWhatWasOpened) {
  registry.deny_write = true;
  EXPECT_FALSE(reg.RegSetString(kHkeyCurrentUser, kWideKey, L"v", L"yes"));
  EXPECT_EQ(registry.calls.back(), "close");

  registry.calls.clear();
  registry.deny_write = false;
  registry.read_only = true;
  EXPECT_FALSE(reg.RegSetString(kHkeyCurrentUser, kWideKey, L"v", L"yes"));
  // No key was created, so nothing is written to or closed.
  ASSERT_EQ(registry.calls.size(), 1u);
  EXPECT_EQ(registry.calls[0].rfind("create", 0), 0u);
  EXPECT_TRUE(desktop.boxes.empty());
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(ClsRegTest, RunTimeErrorWhileWritingIsReportedAndReturnsFalse) {
  registry.throw_on_create = true;
  EXPECT_FALSE(reg.RegSetString(kHkeyCurrentUser, kWideKey, L"v", L"yes"));
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].prompt, L"ERROR #7 : メモリが不足しています。");
  EXPECT_EQ(desktop.boxes[0].buttons, kMbOkOnly);
  EXPECT_EQ(desktop.boxes[0].title, L"");  // the application title
}

}  // namespace
}  // namespace veilpix::testing
