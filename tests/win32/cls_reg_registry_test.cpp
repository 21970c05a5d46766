// clsReg and the settings store against Wine's real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/app_settings.h"
#include "core/cls_reg.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_registry_api.h"
#include "tests/win32/process_handles.h"

namespace veilpix::testing {
namespace {

constexpr char kTestKey[] = "Software\\VeilpixTest";
const std::wstring kWideTestKey = L"Software\\VeilpixTest";

class RealRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }

  // Stores raw bytes, so values without a NUL or with one inside can be made.
  static void PutRaw(const char* name, DWORD type, const std::string& bytes) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
  }
  static std::string GetRaw(const char* sub_key, const char* name) {
    char data[1024];
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, sub_key, name, RRF_RT_ANY | RRF_NOEXPAND, nullptr, data,
                     &size) != ERROR_SUCCESS) {
      return "<absent>";
    }
    return std::string(data, size);
  }
  std::wstring Read(const char* name) {
    return reg.RegGetString(kHkeyCurrentUser, kWideTestKey,
                            std::wstring(name, name + strlen(name)));
  }

  Win32RegistryApi api;
  Win32Desktop desktop;
  clsReg reg{api, desktop};
};

TEST_F(RealRegistryTest, ReadBoundariesAndTypes) {
  PutRaw("255", REG_SZ, std::string(255, 'a') + '\0');
  PutRaw("256", REG_SZ, std::string(256, 'a') + '\0');
  PutRaw("expand", REG_EXPAND_SZ, std::string("yes") + '\0');
  PutRaw("dword", REG_DWORD, std::string("\x01\0\0\0", 4));
  PutRaw("nonul", REG_SZ, "no");
  PutRaw("embedded", REG_SZ, std::string("ab\0cd\0", 6));
  PutRaw("empty", REG_SZ, std::string(1, '\0'));
  EXPECT_EQ(Read("255"), std::wstring(255, L'a'));
  EXPECT_EQ(Read("256"), L"");
  EXPECT_EQ(Read("expand"), L"");
  EXPECT_EQ(Read("dword"), L"");
  EXPECT_EQ(Read("nonul"), L"no");
  EXPECT_EQ(Read("embedded"), L"ab");
  EXPECT_EQ(Read("empty"), L"");
  EXPECT_EQ(Read("missing"), L"");
  EXPECT_EQ(reg.RegGetString(kHkeyCurrentUser, L"Software\\VeilpixTest\\Nowhere", L"x"), L"");
}

TEST_F(RealRegistryTest, WritesCreateEveryMissingKeyAndJapaneseRoundTrips) {
  ASSERT_EQ(GetACP(), 932u) << "the tests run with the Japanese ANSI code page";
  const std::wstring deep = kWideTestKey + L"\\A\\B\\C";
  EXPECT_TRUE(reg.RegSetString(kHkeyCurrentUser, deep, L"v", L"no"));
  EXPECT_EQ(GetRaw("Software\\VeilpixTest\\A\\B\\C", "v"), std::string("no\0", 3));
  EXPECT_TRUE(reg.RegSetString(kHkeyCurrentUser, deep, L"e", L""));
  EXPECT_EQ(GetRaw("Software\\VeilpixTest\\A\\B\\C", "e"), std::string(1, '\0'));
  EXPECT_TRUE(reg.RegSetString(kHkeyCurrentUser, deep, L"表示名", L"非表示"));
  EXPECT_EQ(GetRaw("Software\\VeilpixTest\\A\\B\\C", "\x95\x5c\x8e\xa6\x96\xbc"),
            std::string("\x94\xf1\x95\x5c\x8e\xa6\0", 7));
  EXPECT_EQ(reg.RegGetString(kHkeyCurrentUser, deep, L"表示名"), L"非表示");
}

TEST_F(RealRegistryTest, NoKeyHandleOutlivesACall) {
  PutRaw("v", REG_SZ, std::string("yes") + '\0');
  reg.RegGetString(kHkeyCurrentUser, kWideTestKey, L"v");  // first-use allocations settle
  const size_t before = CountProcessHandles();
  ASSERT_GT(before, 0u);
  for (int i = 0; i < 2000; ++i) {
    reg.RegGetString(kHkeyCurrentUser, kWideTestKey, L"v");
    reg.RegGetString(kHkeyCurrentUser, kWideTestKey, L"missing");
    reg.RegGetString(kHkeyCurrentUser, L"Software\\VeilpixTest\\Nowhere", L"v");
    reg.RegSetString(kHkeyCurrentUser, kWideTestKey, L"w", i % 2 ? L"yes" : L"no");
  }
  EXPECT_EQ(CountProcessHandles(), before);
}

TEST(RegistrySettingsStoreTest, KeepsTextPerUserAndErasesTheWholeApplication) {
  RegistrySettingsStore store;
  const std::wstring app = L"VeilpixStoreTest";
  store.Erase(app);
  EXPECT_EQ(store.Read(app, L"General", L"Show", L"0"), L"0");
  store.Write(app, L"General", L"Show", L"1");
  store.Write(app, L"General", L"TogglePath", L"C:\\Program Files\\Toggle Images.exe");
  store.Write(app, L"Other", L"Key", L"リンク");
  EXPECT_EQ(store.Read(app, L"General", L"Show", L"0"), L"1");
  EXPECT_EQ(store.Read(app, L"General", L"TogglePath", L""),
            L"C:\\Program Files\\Toggle Images.exe");
  EXPECT_EQ(store.Read(app, L"Other", L"Key", L""), L"リンク");
  HKEY key;
  ASSERT_EQ(
      RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\VeilpixStoreTest\\General", 0, KEY_READ, &key),
      ERROR_SUCCESS);
  RegCloseKey(key);

  EXPECT_TRUE(store.Erase(app));
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\VeilpixStoreTest", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  EXPECT_EQ(store.Read(app, L"General", L"Show", L"0"), L"0");
  EXPECT_FALSE(store.Erase(app));  // nothing left to erase
}

}  // namespace
}  // namespace veilpix::testing
