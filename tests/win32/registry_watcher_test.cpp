#include "platform/win32/registry_watcher.h"

#include <gtest/gtest.h>

namespace veilpix::testing {
namespace {

constexpr wchar_t kParent[] = L"Software\\VeilpixWatchTest";
constexpr wchar_t kWatched[] = L"Software\\VeilpixWatchTest\\Deep\\Main";
constexpr UINT kChanged = WM_APP + 7;

void WriteValue(const wchar_t* key, const wchar_t* text) {
  HKEY handle;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(handle, L"Display Inline Images", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
}

// How many change notices reach the window's queue within `wait_ms`.
int CountNotices(HWND window, DWORD wait_ms) {
  int count = 0;
  const ULONGLONG deadline = GetTickCount64() + wait_ms;
  MSG message;
  while (GetTickCount64() < deadline) {
    while (PeekMessageW(&message, window, kChanged, kChanged, PM_REMOVE)) ++count;
    Sleep(10);
  }
  return count;
}

class RegistryWatcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kParent);
    window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window);
    RegDeleteTreeW(HKEY_CURRENT_USER, kParent);
  }
  HWND window = nullptr;
};

TEST_F(RegistryWatcherTest, PostsOnEveryChangeOfTheWatchedKeyAndOnlyThen) {
  WriteValue(kWatched, L"yes");
  RegistryWatcher watcher(window, kChanged, kWatched);
  EXPECT_EQ(CountNotices(window, 300), 0);
  WriteValue(kWatched, L"no");
  EXPECT_GE(CountNotices(window, 1000), 1);
  WriteValue(kWatched, L"yes");  // re-armed after the first notice
  EXPECT_GE(CountNotices(window, 1000), 1);
  WriteValue(L"Software\\VeilpixWatchTest\\Other", L"x");  // a sibling is not watched
  EXPECT_EQ(CountNotices(window, 500), 0);
}

TEST_F(RegistryWatcherTest, NoticesTheKeyBeingCreatedLater) {
  RegistryWatcher watcher(window, kChanged, kWatched);
  WriteValue(kParent, L"unrelated");  // the nearest existing ancestor appears first
  CountNotices(window, 500);
  WriteValue(kWatched, L"no");
  EXPECT_GE(CountNotices(window, 3000), 1);
  WriteValue(kWatched, L"yes");  // now the key itself is watched
  EXPECT_GE(CountNotices(window, 1000), 1);
}

}  // namespace
}  // namespace veilpix::testing
