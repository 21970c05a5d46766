#include "platform/win32/registry_watcher.h"

#include <gtest/gtest.h>

#include "tests/win32/wine_helpers.h"

namespace veilpix::testing {
namespace {

constexpr wchar_t kParent[] = L"Software\\VeilpixWatchTest";
constexpr wchar_t kWatched[] = L"Software\\VeilpixWatchTest\\Deep\\Main";

// Writes under `key` and waits for the watcher's event, then lets it watch again. A notice left
// from the watch moving to another key is taken first.
bool NoticedAfterWriting(RegistryWatcher& watcher, const wchar_t* key, const wchar_t* text) {
  WaitForSingleObject(watcher.Changed(), 0);
  WriteUserString(key, L"Display Inline Images", text);
  const bool noticed = WaitForSingleObject(watcher.Changed(), 5000) == WAIT_OBJECT_0;
  watcher.Rearm();
  return noticed;
}

TEST(RegistryWatcherTest, SetsItsEventOnEachChangeAlsoWhenTheKeyIsCreatedLater) {
  DeleteUserKey(kParent);
  {
    RegistryWatcher watcher(kWatched);
    // The nearest existing ancestor appears first, then the key itself.
    EXPECT_TRUE(NoticedAfterWriting(watcher, kParent, L"1"));
    EXPECT_TRUE(NoticedAfterWriting(watcher, kWatched, L"2"));
    EXPECT_TRUE(NoticedAfterWriting(watcher, kWatched, L"3")) << "armed again on the key itself";
    EXPECT_EQ(WaitForSingleObject(watcher.Changed(), 300), WAIT_TIMEOUT) << "set with no change";
  }
  DeleteUserKey(kParent);
}

}  // namespace
}  // namespace veilpix::testing
