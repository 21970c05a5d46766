#include "platform/win32/registry_watcher.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/win32/wine_helpers.h"

namespace veilpix::testing {
namespace {

constexpr wchar_t kParent[] = L"Software\\VeilpixWatchTest";
constexpr wchar_t kWatched[] = L"Software\\VeilpixWatchTest\\Deep\\Main";
constexpr UINT kChanged = WM_APP + 7;

// Writes new text until a notice reaches the window's queue, taking every notice there: the
// watcher arms on its own thread, so a write just before it is armed again goes unnoticed (and
// rewriting the same text is no change at all).
bool NoticedAfterWriting(HWND window, const wchar_t* key) {
  MSG message;
  int writes = 0;
  return WaitUntil([&] {
    WriteUserString(key, L"Display Inline Images", std::to_wstring(++writes).c_str());
    bool any = false;
    while (PeekMessageW(&message, window, kChanged, kChanged, PM_REMOVE)) any = true;
    return any;
  });
}

TEST(RegistryWatcherTest, PostsOnEachChangeAlsoWhenTheKeyIsCreatedLater) {
  DeleteUserKey(kParent);
  const HWND window =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  {
    RegistryWatcher watcher(window, kChanged, kWatched);
    // The nearest existing ancestor appears first, then the key itself.
    EXPECT_TRUE(NoticedAfterWriting(window, kParent));
    EXPECT_TRUE(NoticedAfterWriting(window, kWatched));
    EXPECT_TRUE(NoticedAfterWriting(window, kWatched)) << "armed again on the key itself";
  }
  DestroyWindow(window);
  DeleteUserKey(kParent);
}

}  // namespace
}  // namespace veilpix::testing
