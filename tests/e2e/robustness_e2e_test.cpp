// The real exe against a desktop that misbehaves and settings that make no sense.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "resources/resource.h"
#include "tests/e2e/veilpix_app.h"

namespace veilpix::testing {
namespace {

class RobustnessE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteVeilpixSettings();
    WritePictures(L"yes");
  }
  void TearDown() override { DeleteVeilpixSettings(); }
  VeilpixApp app;
};

// A top-level window whose thread has stopped reading its messages.
class HungWindow {
 public:
  HungWindow() {
    thread_ = std::thread([this] {
      window_ = CreateWindowExW(0, L"STATIC", L"Hung", WS_OVERLAPPED | WS_VISIBLE, 10, 10, 100, 50,
                                nullptr, nullptr, nullptr, nullptr);
      created_ = true;
      WaitForSingleObject(release_, INFINITE);
      DestroyWindow(window_);
    });
    WaitUntil([this] { return created_.load(); });
  }
  ~HungWindow() {
    SetEvent(release_);
    thread_.join();
    CloseHandle(release_);
  }

 private:
  HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> created_{false};
  HWND window_ = nullptr;
  std::thread thread_;
};

TEST_F(RobustnessE2eTest, SwitchingCompletesWhileAnotherProgramsWindowHangs) {
  ASSERT_TRUE(app.Start());
  HungWindow hung;
  app.PostTray(WM_LBUTTONDOWN);
  EXPECT_TRUE(WaitUntil([&] { return app.Caption() == L"非表示"; }, 10000));
  app.PostTray(WM_LBUTTONDOWN);
  EXPECT_TRUE(WaitUntil([&] { return app.Caption() == L"表示"; }, 10000));
  // Still answering: the next outside change shows too.
  WritePictures(L"no");
  EXPECT_TRUE(WaitUntil([&] { return app.Caption() == L"非表示"; }, 10000));
}

TEST_F(RobustnessE2eTest, APositionOffEveryMonitorIsPulledBackOnScreen) {
  WriteSetting(L"Change", L"0");
  WriteSetting(L"Show", L"1");
  WriteSetting(L"Position", L"1");
  WriteSetting(L"Top", L"-3000000");
  WriteSetting(L"Left", L"9e30");
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitUntil([&] { return app.Visible(); }));
  RECT window;
  GetWindowRect(app.form1(), &window);
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT overlap;
  EXPECT_TRUE(IntersectRect(&overlap, &window, &screen));
  EXPECT_TRUE(EqualRect(&overlap, &window)) << window.left << "," << window.top;
}

TEST_F(RobustnessE2eTest, NonsenseOptionsReadAsTheirDefaults) {
  for (const wchar_t* key : {L"Toggle", L"Change", L"Show", L"Position", L"Top", L"Left"})
    WriteSetting(key, L"NaN");
  WriteSetting(L"TogglePath", std::wstring(10000, L'x').c_str());
  ASSERT_TRUE(app.Start());
  Sleep(300);
  EXPECT_FALSE(app.Visible());   // "Show" off, "Change" on
  app.PostTray(WM_LBUTTONDOWN);  // no program at that path: direct switching
  EXPECT_TRUE(WaitUntil([] { return ReadPictures() == L"no"; }));
  app.PostMenuCommand(IDM_END);
  ASSERT_TRUE(app.WaitForExit());
  EXPECT_EQ(ReadSetting(L"Top"), L"0");
  EXPECT_EQ(ReadSetting(L"TogglePath").size(), 10000u);  // kept as it was
}

}  // namespace
}  // namespace veilpix::testing
