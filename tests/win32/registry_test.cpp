// clsReg and the settings store against Wine's real registry, with the Japanese ANSI code page.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/cls_reg.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_registry_api.h"
#include "tests/win32/wine_helpers.h"

namespace veilpix::testing {
namespace {

constexpr wchar_t kTestKey[] = L"Software\\VeilpixTest";

TEST(RealRegistryTest, ClsRegCreatesMissingKeysAndConvertsJapaneseTextBothWays) {
  ASSERT_EQ(GetACP(), 932u) << "the tests run with the Japanese ANSI code page";
  DeleteUserKey(kTestKey);
  Win32RegistryApi api;
  Win32Desktop desktop;
  clsReg reg(api, desktop);
  const std::wstring deep = std::wstring(kTestKey) + L"\\A\\B";
  ASSERT_TRUE(reg.RegSetString(kHkeyCurrentUser, deep, L"表示名", L"非表示"));
  // The system keeps text in UTF-16: read back with the wide function, the ANSI bytes written
  // must have been code page 932.
  EXPECT_EQ(ReadUserString(deep.c_str(), L"表示名"), L"非表示");
  EXPECT_EQ(reg.RegGetString(kHkeyCurrentUser, deep, L"表示名"), L"非表示");
  EXPECT_EQ(reg.RegGetString(kHkeyCurrentUser, deep, L"missing"), L"");
  DeleteUserKey(kTestKey);
}

TEST(RealRegistryTest, SettingsStoreKeepsTextPerUserAndErasesTheWholeApplication) {
  RegistrySettingsStore store;
  const std::wstring app = L"VeilpixTest";
  store.Erase(app);
  EXPECT_EQ(store.Read(app, L"General", L"Show", L"0"), L"0");
  store.Write(app, L"General", L"TogglePath", L"C:\\リンク\\Toggle Images.exe");
  store.Write(app, L"Other", L"Key", L"x");
  EXPECT_EQ(ReadUserString(L"Software\\VeilpixTest\\General", L"TogglePath"),
            L"C:\\リンク\\Toggle Images.exe");
  EXPECT_EQ(store.Read(app, L"General", L"TogglePath", L""), L"C:\\リンク\\Toggle Images.exe");

  EXPECT_EQ(store.Erase(app), 0);
  EXPECT_FALSE(UserKeyExists(kTestKey));
  EXPECT_EQ(store.Erase(app), kNothingStored) << "nothing left to erase";
}

}  // namespace
}  // namespace veilpix::testing
