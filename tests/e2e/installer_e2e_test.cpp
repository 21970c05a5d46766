// The Windows download under Wine: the installer run silently and through its wizard, Veilpix
// started from where it put it, the uninstaller run while Veilpix is running, with files,
// shortcut and registry read back; and the version and manifest Windows reads from the downloads.
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "tests/e2e/veilpix_app.h"

namespace veilpix::testing {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veilpix";
constexpr wchar_t kSettingsKey[] = L"Software\\Veilpix";
constexpr DWORD kInstallerTimeoutMs = 60000;

// The 64-bit installer this tree made, as Wine's drive Z: shows the build tree.
std::wstring SetupExe() {
  const char* unix_path = VEILPIX_SETUP;
  return L"Z:" + std::wstring(unix_path, unix_path + std::strlen(unix_path));
}

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
  wchar_t* path = nullptr;
  std::wstring result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) result = path;
  CoTaskMemFree(path);
  return result;
}

std::wstring DefaultInstallDir() {
  return KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Veilpix";
}

// A folder of the installer's choosing must also work; Wine wants /D= without blanks.
std::wstring OtherInstallDir() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"veilpix-e2e";
}

std::wstring Shortcut() {
  return KnownFolder(FOLDERID_Programs) + L"\\Veilpix.lnk";
}

std::wstring Quoted(const std::wstring& text) {
  return L"\"" + text + L"\"";
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs a command line to its end, calling `meanwhile` with its process id while it runs; the
// exit code, or nothing when it did not run or end.
std::optional<DWORD> RunToEnd(std::wstring command_line,
                              const std::function<void(DWORD)>& meanwhile = {}) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return std::nullopt;
  }
  const bool ended = WaitUntil(
      [&] {
        if (meanwhile) meanwhile(process.dwProcessId);
        return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
      },
      kInstallerTimeoutMs);
  std::optional<DWORD> result;
  DWORD code = 0;
  if (ended && GetExitCodeProcess(process.hProcess, &code)) {
    result = code;
  } else {
    TerminateProcess(process.hProcess, 99);
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return result;
}

// Presses the wizard's default button (Next, Install, Finish) whenever it can be pressed, as a
// user who takes every default does.
void PressDefaultButton(DWORD process_id) {
  HWND wizard = FindTopLevelWindow(process_id, L"#32770");
  HWND button = wizard ? GetDlgItem(wizard, IDOK) : nullptr;
  if (button && IsWindowVisible(button) && IsWindowEnabled(button)) {
    PostMessageW(button, BM_CLICK, 0, 0);
  }
}

std::wstring ProcessImage(HWND hwnd) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(hwnd, &process_id);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
  wchar_t path[MAX_PATH] = L"";
  DWORD size = MAX_PATH;
  if (process) {
    QueryFullProcessImageNameW(process, 0, path, &size);
    CloseHandle(process);
  }
  return path;
}

std::optional<DWORD> Install(const std::wstring& options = {}) {
  return RunToEnd(Quoted(SetupExe()) + L" /S " + options);
}

// Synchronous: the uninstaller runs in place and returns when it is done.
std::optional<DWORD> UninstallAndWait(const std::wstring& dir) {
  return RunToEnd(Quoted(dir + L"\\uninstall.exe") + L" /S _?=" + dir);
}

std::optional<std::wstring> ReadString(const wchar_t* key, const wchar_t* name) {
  wchar_t data[1024];
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return data;
}

std::optional<DWORD> ReadDword(const wchar_t* key, const wchar_t* name) {
  DWORD data = 0;
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &data, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return data;
}

bool KeyExists(const wchar_t* key) {
  HKEY handle;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

std::wstring ShortcutTarget(const std::wstring& link) {
  std::wstring target;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* shell_link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shell_link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t path[MAX_PATH];
      if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
          SUCCEEDED(shell_link->GetPath(path, MAX_PATH, nullptr, 0))) {
        target = path;
      }
      file->Release();
    }
    shell_link->Release();
  }
  CoUninitialize();
  return target;
}

struct VersionResource {
  std::wstring fixed_file_version, fixed_product_version;
  std::wstring file_version, product_version, product_name;
};

std::wstring Dotted(DWORD most, DWORD least) {
  return std::to_wstring(HIWORD(most)) + L"." + std::to_wstring(LOWORD(most)) + L"." +
         std::to_wstring(HIWORD(least)) + L"." + std::to_wstring(LOWORD(least));
}

// Read the way Explorer's Details tab reads it.
VersionResource ReadVersionResource(const std::wstring& path) {
  VersionResource result;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  std::vector<BYTE> block(size);
  if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return result;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
    result.fixed_file_version = Dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    result.fixed_product_version = Dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
  }
  WORD* translation = nullptr;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < 2 * sizeof(WORD)) {
    return result;
  }
  auto text = [&](const wchar_t* name) {
    wchar_t query[64];
    swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translation[0], translation[1], name);
    wchar_t* value = nullptr;
    return VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&value), &length)
               ? std::wstring(value)
               : std::wstring();
  };
  result.file_version = text(L"FileVersion");
  result.product_version = text(L"ProductVersion");
  result.product_name = text(L"ProductName");
  return result;
}

// The manifest Windows reads before it starts the program: resource 1 of type RT_MANIFEST.
std::string ReadManifest(const std::wstring& path) {
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return {};
  std::string manifest;
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  if (loaded) {
    manifest.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
  }
  FreeLibrary(module);
  return manifest;
}

void ExpectReleaseVersionAndManifest(const std::wstring& path) {
  SCOPED_TRACE(path);
  const VersionResource version = ReadVersionResource(path);
  EXPECT_EQ(version.fixed_file_version, L"2.0.0.0");
  EXPECT_EQ(version.fixed_product_version, L"2.0.0.0");
  EXPECT_EQ(version.file_version, L"2.0.0.0");
  EXPECT_EQ(version.product_version, L"2.0.0.0");
  EXPECT_EQ(version.product_name, L"Veilpix");

  const std::string manifest = ReadManifest(path);
  std::smatch common_controls;
  ASSERT_TRUE(std::regex_search(
      manifest, common_controls,
      std::regex(R"(<assemblyIdentity[^>]*"Microsoft\.Windows\.Common-Controls"[^>]*>)")))
      << manifest;
  EXPECT_NE(common_controls.str().find("version=\"6.0.0.0\""), std::string::npos)
      << common_controls.str();
  EXPECT_TRUE(std::regex_search(manifest, std::regex(R"(<dpiAware[^>]*>\s*true\s*</dpiAware>)")))
      << manifest;
  // Without this Windows would take a program named "setup" for one that needs elevation.
  EXPECT_TRUE(
      std::regex_search(manifest, std::regex(R"(requestedExecutionLevel\s+level="asInvoker")")))
      << manifest;
}

class InstallerE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveEveryTrace();
    // Wine runs the uninstaller in place (_?=) only with a folder without blanks.
    ASSERT_EQ(DefaultInstallDir().find(L' '), std::wstring::npos) << DefaultInstallDir();
  }
  void TearDown() override {
    app.reset();  // a copy still running would hold its exe
    RemoveEveryTrace();
  }

  static void RemoveEveryTrace() {
    for (const std::wstring& dir : {DefaultInstallDir(), OtherInstallDir()}) {
      DeleteFileW((dir + L"\\Veilpix.exe").c_str());
      DeleteFileW((dir + L"\\uninstall.exe").c_str());
      RemoveDirectoryW(dir.c_str());
    }
    DeleteFileW(Shortcut().c_str());
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Veilpix");
    RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
  }

  // Starts Veilpix from where the installer put it.
  void StartInstalled(const std::wstring& dir) {
    app.emplace();
    ASSERT_TRUE(app->Start(dir + L"\\Veilpix.exe"));
  }

  std::optional<VeilpixApp> app;
};

TEST_F(InstallerE2eTest, SilentInstallPutsVeilpixInPlaceWithShortcutLogOnEntryAndUninstaller) {
  ASSERT_EQ(Install(), 0u);
  const std::wstring dir = DefaultInstallDir();
  const std::wstring exe = dir + L"\\Veilpix.exe";

  EXPECT_EQ(FileBytes(exe), FileBytes(VeilpixApp::BuiltExe())) << "not the exe this tree built";
  EXPECT_TRUE(FileExists(dir + L"\\uninstall.exe"));
  EXPECT_EQ(ShortcutTarget(Shortcut()), exe);
  EXPECT_EQ(ReadString(kRunKey, L"Veilpix"), Quoted(exe)) << "log-on start is on by default";

  EXPECT_EQ(ReadString(kUninstallKey, L"DisplayName"), L"Veilpix");
  EXPECT_EQ(ReadString(kUninstallKey, L"DisplayVersion"), L"2.0");
  EXPECT_EQ(ReadString(kUninstallKey, L"Publisher"), L"Veilpix developers");
  EXPECT_EQ(ReadString(kUninstallKey, L"DisplayIcon"), exe + L",0");
  EXPECT_EQ(ReadString(kUninstallKey, L"InstallLocation"), dir);
  EXPECT_EQ(ReadString(kUninstallKey, L"UninstallString"), Quoted(dir + L"\\uninstall.exe"));
  EXPECT_EQ(ReadString(kUninstallKey, L"QuietUninstallString"),
            Quoted(dir + L"\\uninstall.exe") + L" /S");
  EXPECT_EQ(ReadDword(kUninstallKey, L"NoModify"), 1u);
  EXPECT_EQ(ReadDword(kUninstallKey, L"NoRepair"), 1u);
  // In KiB: the exe and the uninstaller, give or take rounding.
  const DWORD installed_kib = static_cast<DWORD>(
      (FileBytes(exe).size() + FileBytes(dir + L"\\uninstall.exe").size()) / 1024);
  const std::optional<DWORD> estimated = ReadDword(kUninstallKey, L"EstimatedSize");
  ASSERT_TRUE(estimated.has_value());
  EXPECT_GE(*estimated + 2, installed_kib);
  EXPECT_LE(*estimated, installed_kib + 2);
}

TEST_F(InstallerE2eTest, SilentUninstallEndsTheRunningVeilpixThenRemovesEverything) {
  ASSERT_EQ(Install(), 0u);
  const std::wstring dir = DefaultInstallDir();
  StartInstalled(dir);
  const HWND form1 = app->form1();
  WriteSetting(L"Change", L"0");  // a choice the user made

  ASSERT_EQ(UninstallAndWait(dir), 0u);
  // Ended, the way its 終了 command ends it, before the uninstaller went on.
  EXPECT_TRUE(app->WaitForExit(0));
  EXPECT_EQ(app->ExitCode(), 0u);
  EXPECT_FALSE(ShellHasTrayIcon(form1));

  EXPECT_FALSE(FileExists(dir + L"\\Veilpix.exe"));
  EXPECT_FALSE(FileExists(Shortcut()));
  EXPECT_EQ(ReadString(kRunKey, L"Veilpix"), std::nullopt);
  EXPECT_FALSE(KeyExists(kUninstallKey));
  // Veilpix wrote its position as it ended; that must be gone too.
  EXPECT_FALSE(KeyExists(kSettingsKey));
}

TEST_F(InstallerE2eTest, UninstallWithoutWaitingRemovesItselfAndTheFolder) {
  ASSERT_EQ(Install(), 0u);
  const std::wstring dir = DefaultInstallDir();
  ASSERT_EQ(RunToEnd(Quoted(dir + L"\\uninstall.exe") + L" /S"), 0u);
  // It returns at once and goes on from a copy of itself.
  WaitUntil([&] { return !FileExists(dir) && !KeyExists(kUninstallKey); }, 30000);
  EXPECT_FALSE(FileExists(dir)) << "the uninstaller or its folder was left behind";
  EXPECT_FALSE(FileExists(Shortcut()));
  EXPECT_FALSE(KeyExists(kUninstallKey));
}

TEST_F(InstallerE2eTest, LogOnSwitchAndFolderAreHonouredAndKeptByUpgrades) {
  const std::wstring dir = OtherInstallDir();
  const std::wstring exe = dir + L"\\Veilpix.exe";
  ASSERT_EQ(Install(L"/AUTOSTART=0 /D=" + dir), 0u);
  EXPECT_TRUE(FileExists(exe));
  EXPECT_FALSE(FileExists(DefaultInstallDir()));
  EXPECT_EQ(ReadString(kRunKey, L"Veilpix"), std::nullopt);

  // An upgrade without /D= goes where the last install went.
  ASSERT_EQ(Install(L"/AUTOSTART=1"), 0u);
  EXPECT_FALSE(FileExists(DefaultInstallDir()));
  EXPECT_EQ(ReadString(kRunKey, L"Veilpix"), Quoted(exe));
  EXPECT_EQ(ShortcutTarget(Shortcut()), exe);

  ASSERT_EQ(Install(L"/AUTOSTART=0"), 0u);
  EXPECT_EQ(ReadString(kRunKey, L"Veilpix"), std::nullopt);

  ASSERT_EQ(UninstallAndWait(dir), 0u);
  EXPECT_FALSE(FileExists(exe));
  EXPECT_FALSE(KeyExists(kUninstallKey));
}

TEST_F(InstallerE2eTest, UnknownLogOnValueIsRefusedAndNothingIsInstalled) {
  EXPECT_EQ(Install(L"/AUTOSTART=yes"), 2u);
  EXPECT_FALSE(FileExists(DefaultInstallDir()));
  EXPECT_FALSE(KeyExists(kUninstallKey));
  EXPECT_EQ(ReadString(kRunKey, L"Veilpix"), std::nullopt);
}

TEST_F(InstallerE2eTest, UpgradeEndsTheRunningVeilpixBeforeReplacingIt) {
  ASSERT_EQ(Install(), 0u);
  const std::wstring dir = DefaultInstallDir();
  StartInstalled(dir);

  ASSERT_EQ(Install(), 0u);
  EXPECT_TRUE(app->WaitForExit(0));
  EXPECT_EQ(app->ExitCode(), 0u);
  EXPECT_EQ(FileBytes(dir + L"\\Veilpix.exe"), FileBytes(VeilpixApp::BuiltExe()));
}

TEST_F(InstallerE2eTest, WizardWithItsDefaultsInstallsWithLogOnStartAndStartsVeilpixAtTheEnd) {
  ASSERT_EQ(RunToEnd(Quoted(SetupExe()), PressDefaultButton), 0u);
  const std::wstring dir = DefaultInstallDir();
  const std::wstring exe = dir + L"\\Veilpix.exe";
  EXPECT_EQ(ReadString(kRunKey, L"Veilpix"), Quoted(exe));

  HWND form1 = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (form1 = FindTopLevelWindow(0, L"VeilpixForm1")); }, 15000))
      << "the finish page did not start Veilpix";
  EXPECT_EQ(ProcessImage(form1), exe);
  ASSERT_EQ(UninstallAndWait(dir), 0u);
  EXPECT_FALSE(IsWindow(form1));
}

TEST_F(InstallerE2eTest, ExeAndInstallerCarryTheReleaseVersionAndTheirManifest) {
  ExpectReleaseVersionAndManifest(VeilpixApp::BuiltExe());
  ExpectReleaseVersionAndManifest(SetupExe());
}

}  // namespace
}  // namespace veilpix::testing
