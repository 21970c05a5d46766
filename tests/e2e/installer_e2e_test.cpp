// The installer this tree made, run silently under Wine; Veilpix started the way Windows starts
// it at log-on; the uninstaller that Windows' list of programs names, run while Veilpix runs.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/veilpix_app.h"

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
  const std::wstring toggle_shortcut_ =
      std::wstring(_wgetenv(L"APPDATA")) +
      L"\\Microsoft\\Windows\\Start Menu\\Programs\\Veilpix - switch pictures.lnk";
};

TEST_F(InstallerE2eTest, SilentInstallPutsVeilpixInPlaceAndUninstallEndsItAndRemovesEveryTrace) {
  Program setup;
  ASSERT_TRUE(setup.Run(L"\"" + WinePath(VEILPIX_SETUP) + L"\" /S"));
  ASSERT_EQ(setup.WaitForExit(), 0u);
  const std::wstring exe = dir_ + L"\\Veilpix.exe";
  EXPECT_NE(GetFileAttributesW(shortcut_.c_str()), INVALID_FILE_ATTRIBUTES);
  const Shortcut toggle = ReadShortcut(toggle_shortcut_);
  EXPECT_EQ(toggle.target, exe);
  EXPECT_EQ(toggle.arguments, L"/toggle");
  EXPECT_EQ(toggle.hotkey, MAKEWORD('I', HOTKEYF_CONTROL | HOTKEYF_ALT));
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
  EXPECT_EQ(GetFileAttributesW(toggle_shortcut_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadUserString(kRunKey, L"Veilpix"), L"<absent>");
  EXPECT_FALSE(UserKeyExists(kUninstallKey));
  // Veilpix wrote its position as it ended; that is gone too.
  EXPECT_FALSE(UserKeyExists(kVeilpixKey));
}

}  // namespace
}  // namespace veilpix::testing
