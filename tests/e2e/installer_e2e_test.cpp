// The installer this tree made, run silently under Wine; Veilpix started the way Windows starts
// it at log-on; the uninstaller that Windows' list of programs names, run while Veilpix runs.
#include "tests/e2e/veilpix_app.h"

#include <commctrl.h>

namespace veilpix::testing {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veilpix";

class InstallerE2eTest : public E2eTest {
 protected:
  // Left behind, the log-on entry would start Veilpix whenever the Wine prefix boots.
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Veilpix");
    DeleteUserKey(kUninstallKey);
    E2eTest::TearDown();
  }

  const std::wstring dir_ = std::wstring(_wgetenv(L"LOCALAPPDATA")) + L"\\Programs\\Veilpix";
  const std::wstring menu_ =
      std::wstring(_wgetenv(L"APPDATA")) + L"\\Microsoft\\Windows\\Start Menu\\Programs\\Veilpix";
};

TEST_F(InstallerE2eTest, SilentInstallPutsVeilpixInPlaceAndUninstallEndsItAndRemovesEveryTrace) {
  ASSERT_EQ(Program::ExitCode(L"\"" + WinePath(VEILPIX_SETUP) + L"\" /S"), 0u);
  const std::wstring exe = dir_ + L"\\Veilpix.exe";
  const std::wstring plain = menu_ + L".lnk", toggle = menu_ + L" - switch pictures.lnk";
  EXPECT_TRUE(std::filesystem::exists(plain));
  // The switching shortcut's key, Ctrl+Alt+I, is where every link keeps it.
  char key[2] = {};
  std::ifstream(toggle.c_str(), std::ios::binary).seekg(0x40).read(key, 2);
  EXPECT_EQ(MAKEWORD(key[0], key[1]), MAKEWORD('I', HOTKEYF_CONTROL | HOTKEYF_ALT));
  EXPECT_EQ(ReadUserString(kUninstallKey, L"DisplayName"), L"Veilpix");
  const std::wstring run = ReadUserString(kRunKey, L"Veilpix");
  EXPECT_EQ(run, L"\"" + exe + L"\"");
  ASSERT_TRUE(app.Start(run));
  // Opened as the shell opens it, the switching shortcut runs the installed Veilpix to switch.
  ShellExecuteW(nullptr, nullptr, toggle.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  EXPECT_SOON(Pictures() == L"no" && app.Caption() == L"非表示");

  // Waited for: the uninstaller runs in place and returns when it is done.
  const std::wstring uninstall = ReadUserString(kUninstallKey, L"UninstallString");
  ASSERT_EQ(Program::ExitCode(uninstall + L" /S _?=" + dir_), 0u);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_FALSE(TrayIconShown(app.form1(), 1));
  for (const std::wstring& file : {exe, plain, toggle})
    EXPECT_FALSE(std::filesystem::exists(file)) << file;
  EXPECT_EQ(ReadUserString(kRunKey, L"Veilpix"), L"<absent>");
  EXPECT_FALSE(UserKeyExists(kUninstallKey));
  // Veilpix wrote its position as it ended; that is gone too.
  EXPECT_FALSE(UserKeyExists(kVeilpixKey));
}

}  // namespace
}  // namespace veilpix::testing
