// The installer this tree made, run silently under Wine; Veilpix started the way Windows starts
// it at log-on; the uninstaller that Windows' list of programs names, run while Veilpix runs.
#include "tests/e2e/veilpix_app.h"

#include <shlobj.h>

namespace veilpix::testing {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veilpix";

struct Shortcut {
  std::wstring target, arguments;
  WORD hotkey = 0;
};

// What a shortcut runs and its key, as the shell reads them; empty when it cannot be read.
Shortcut ReadShortcut(const std::wstring& path) {
  Shortcut read;
  CoInitialize(nullptr);
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  wchar_t text[MAX_PATH];
  if (SUCCEEDED(
          CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file))) &&
      SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
    if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) read.target = text;
    if (SUCCEEDED(link->GetArguments(text, MAX_PATH))) read.arguments = text;
    link->GetHotkey(&read.hotkey);
  }
  if (file) file->Release();
  if (link) link->Release();
  CoUninitialize();
  return read;
}

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
  const std::wstring shortcut_ = std::wstring(_wgetenv(L"APPDATA")) +
                                 L"\\Microsoft\\Windows\\Start Menu\\Programs\\Veilpix.lnk";
  const std::wstring toggle_shortcut_ =
      std::wstring(_wgetenv(L"APPDATA")) +
      L"\\Microsoft\\Windows\\Start Menu\\Programs\\Veilpix - switch pictures.lnk";
};

TEST_F(InstallerE2eTest, SilentInstallPutsVeilpixInPlaceAndUninstallEndsItAndRemovesEveryTrace) {
  ASSERT_EQ(Program::ExitCode(L"\"" + WinePath(VEILPIX_SETUP) + L"\" /S"), 0u);
  const std::wstring exe = dir_ + L"\\Veilpix.exe";
  EXPECT_NE(GetFileAttributesW(shortcut_.c_str()), INVALID_FILE_ATTRIBUTES);
  const Shortcut toggle = ReadShortcut(toggle_shortcut_);
  EXPECT_EQ(toggle.target, exe);
  EXPECT_EQ(toggle.arguments, L"/toggle");
  EXPECT_EQ(toggle.hotkey, MAKEWORD('I', HOTKEYF_CONTROL | HOTKEYF_ALT));
  EXPECT_EQ(ReadUserString(kUninstallKey, L"DisplayName"), L"Veilpix");
  const std::wstring run = ReadUserString(kRunKey, L"Veilpix");
  EXPECT_EQ(run, L"\"" + exe + L"\"");
  ASSERT_TRUE(app.Start(run));

  // Waited for: the uninstaller runs in place and returns when it is done.
  const std::wstring uninstall = ReadUserString(kUninstallKey, L"UninstallString");
  ASSERT_EQ(Program::ExitCode(uninstall + L" /S _?=" + dir_), 0u);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_FALSE(TrayIconShown(app.form1(), 1));
  EXPECT_EQ(GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(shortcut_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(toggle_shortcut_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadUserString(kRunKey, L"Veilpix"), L"<absent>");
  EXPECT_FALSE(UserKeyExists(kUninstallKey));
  // Veilpix wrote its position as it ended; that is gone too.
  EXPECT_FALSE(UserKeyExists(kVeilpixKey));
}

}  // namespace
}  // namespace veilpix::testing
