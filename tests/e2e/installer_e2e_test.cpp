// The installer this tree made, run silently under Wine; Veilpix started the way Windows starts
// it at log-on; the uninstaller that Windows' list of programs names, run while Veilpix runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/veilpix_app.h"

namespace veilpix::testing {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veilpix";

class InstallerE2eTest : public ::testing::Test {
 protected:
  // Left behind, the log-on entry would start Veilpix whenever the Wine prefix boots.
  void TearDown() override {
    DeleteFileW((dir_ + L"\\uninstall.exe").c_str());
    RemoveDirectoryW(dir_.c_str());
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Veilpix");
    DeleteUserKey(kUninstallKey);
    DeleteUserKey(kVeilpixKey);
  }

  const std::wstring dir_ = std::wstring(_wgetenv(L"LOCALAPPDATA")) + L"\\Programs\\Veilpix";
  const std::wstring shortcut_ = std::wstring(_wgetenv(L"APPDATA")) +
                                 L"\\Microsoft\\Windows\\Start Menu\\Programs\\Veilpix.lnk";
};

TEST_F(InstallerE2eTest, SilentInstallPutsVeilpixInPlaceAndUninstallEndsItAndRemovesEveryTrace) {
  Program setup;
  ASSERT_TRUE(setup.Run(L"\"" + WinePath(VEILPIX_SETUP) + L"\" /S"));
  ASSERT_EQ(setup.WaitForExit(), 0u);
  const std::wstring exe = dir_ + L"\\Veilpix.exe";
  EXPECT_NE(GetFileAttributesW(shortcut_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadUserString(kUninstallKey, L"DisplayName"), L"Veilpix");
  const std::wstring run = ReadUserString(kRunKey, L"Veilpix");
  EXPECT_EQ(run, L"\"" + exe + L"\"");
  Program app;
  ASSERT_TRUE(app.Start(run));
  const HWND form1 = app.form1();

  // Waited for: the uninstaller runs in place and returns when it is done.
  Program uninstall;
  ASSERT_TRUE(uninstall.Run(ReadUserString(kUninstallKey, L"UninstallString") + L" /S _?=" + dir_));
  ASSERT_EQ(uninstall.WaitForExit(), 0u);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_FALSE(TrayIconShown(form1, 1));
  EXPECT_EQ(GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(shortcut_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadUserString(kRunKey, L"Veilpix"), L"<absent>");
  EXPECT_FALSE(UserKeyExists(kUninstallKey));
  // Veilpix wrote its position as it ended; that is gone too.
  EXPECT_FALSE(UserKeyExists(kVeilpixKey));
}

}  // namespace
}  // namespace veilpix::testing
