// The picture value's read and write rules, the options and the watch, against Wine's real
// registry with the Japanese ANSI code page.
#include "win32/registry.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/options.h"
#include "tests/win32/wine_helpers.h"

namespace veilpix {
namespace {

using namespace std::string_literals;
constexpr wchar_t kTestKey[] = L"Software\\VeilpixTest";

TEST(RegistryTest, ValuesReadAsStoredIn256BytesCutAtTheirFirstNulAndOnlyAsText) {
  ASSERT_EQ(GetACP(), 932u) << "the tests run with the Japanese ANSI code page";
  const std::string fill(255, 'x');
  // The value's type and bytes as stored (none: no value), what reads back.
  const std::tuple<DWORD, std::string, std::wstring> cases[] = {
      {REG_SZ, "no\0"s, L"no"},
      {REG_SZ, "no"s, L"no"},  // stored without its NUL
      {REG_SZ, "no\0yes\0"s, L"no"},
      {REG_SZ, fill + '\0', std::wstring(255, L'x')},
      {REG_SZ, fill + "x\0"s, L""},  // 257 bytes
      {REG_SZ, "\x94\xf1\x95\x5c\x8e\xa6\0"s, L"非表示"},
      {REG_EXPAND_SZ, "no\0"s, L""},
      {REG_DWORD, "no\0\0"s, L""},
      {REG_NONE, "", L""},
  };
  for (const auto& [type, bytes, text] : cases) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    if (type != REG_NONE)
      RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\VeilpixTest", "Value", type, bytes.data(),
                      static_cast<DWORD>(bytes.size()));
    EXPECT_EQ(ReadString(kTestKey, L"Value"), text) << type << " " << bytes.size();
  }
  // Missing keys are made; the text and its NUL are stored.
  const std::wstring deep = std::wstring(kTestKey) + L"\\A\\B";
  ASSERT_EQ(WriteString(deep, L"表示名", L"非表示"), WriteResult::kStored);
  // Read as stored, in the registry's own UTF-16: the ANSI functions would add a missing NUL.
  wchar_t stored[8] = {};
  DWORD size = sizeof stored;
  HKEY key = nullptr;
  RegOpenKeyExW(HKEY_CURRENT_USER, deep.c_str(), 0, KEY_READ, &key);
  RegQueryValueExW(key, L"表示名", nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &size);
  RegCloseKey(key);
  EXPECT_EQ(std::wstring(stored, size / sizeof(wchar_t)), L"非表示\0"s);
  EXPECT_EQ(ReadString(deep, L"表示名"), L"非表示");
  RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
}

TEST(RegistryTest, OptionsAreErasedWholeAndErrorsReadOnOneLine) {
  EraseOptions();
  EXPECT_EQ(ReadOption(L"Show", L"0"), L"0");
  WriteOption(L"TogglePath", L"C:\\リンク\\Toggle Images.exe");
  EXPECT_EQ(ReadOption(L"TogglePath", L""), L"C:\\リンク\\Toggle Images.exe");
  EXPECT_EQ(EraseOptions(), 0);
  EXPECT_FALSE(testing::UserKeyExists(L"Software\\Veilpix"));
  EXPECT_EQ(EraseOptions(), kNothingStored) << "nothing left to erase";
  const std::wstring denied = SystemErrorText(ERROR_ACCESS_DENIED);
  EXPECT_EQ(denied.find_first_of(L"\r\n"), std::wstring::npos) << ::testing::PrintToString(denied);
  EXPECT_TRUE(denied.ends_with(L"。 (5)")) << ::testing::PrintToString(denied);
}

TEST(RegistryTest, PositionsKeepFractionsAndExponentsThroughTheDownloadsOwnNumberFunctions) {
  // What is stored, the single it reads as, and what that single is written as again.
  for (const auto& [stored, value, written] : {std::tuple{L" 1234.5", 1234.5f, L"1234.5"},
                                               {L"1E+38", 1e38f, L"1e+038"},
                                               {L"-7.25e2", -725.0f, L"-725"},
                                               {L"0.1", 0.1f, L"0.1"}}) {
    EXPECT_EQ(StoredSingle(stored), value) << stored;
    EXPECT_EQ(FormatSingle(value), written) << stored;
  }
}

TEST(RegistryTest, WatchSeesEachChangeAlsoWhenTheKeyIsMadeLater) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer");
  const HANDLE changed = WatchPictures();
  // The key made under the watched ancestor, a change, then changes after the watch was armed
  // again on the key itself, the last after the key was deleted and made again between a notice
  // and the re-arm.
  for (const auto& [text, remade] :
       {std::pair{L"no", false}, {L"yes", false}, {L"no", true}, {L"yes", false}}) {
    WaitForSingleObject(changed, 0);  // a notice left from the watch moving to another key
    testing::WriteUserString(kPicturesKey, kPicturesValue, text);
    EXPECT_EQ(WaitForSingleObject(changed, 5000), WAIT_OBJECT_0) << "noticed: " << text;
    if (remade) testing::DeleteUserKey(L"Software\\Microsoft\\Internet Explorer");
    if (remade) testing::WriteUserString(kPicturesKey, kPicturesValue, text);
    RearmPicturesWatch();
  }
  EXPECT_EQ(WaitForSingleObject(changed, 300), WAIT_TIMEOUT) << "set with no change";
  StopWatchingPictures();
}

}  // namespace
}  // namespace veilpix
