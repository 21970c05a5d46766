#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "platform/paths.h"

namespace veilpix {
namespace {

// While alive, a drive that is not ready reports an error instead of asking the user.
class QuietDriveErrors {
 public:
  QuietDriveErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_); }
  ~QuietDriveErrors() { SetThreadErrorMode(old_, nullptr); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  DWORD old_ = 0;
};

// The names in `directory` that match `pattern`, of directories or of files as `directories`
// asks; "." and ".." and hidden entries are left out.
std::vector<std::wstring> ListEntries(std::wstring_view directory, std::wstring_view pattern,
                                      bool directories) {
  QuietDriveErrors quiet;
  const std::wstring search = JoinPath(directory, pattern);
  WIN32_FIND_DATAW found;
  HANDLE find =
      FindFirstFileExW(search.c_str(), FindExInfoBasic, &found,
                       directories ? FindExSearchLimitToDirectories : FindExSearchNameMatch,
                       nullptr, FIND_FIRST_EX_LARGE_FETCH);
  std::vector<std::wstring> names;
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring_view name = found.cFileName;
    const bool is_directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (is_directory != directories || (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) ||
        name == L"." || name == L"..") {
      continue;
    }
    names.emplace_back(name);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return names;
}

}  // namespace

std::vector<std::wstring> Win32FileSystem::Drives() {
  // "C:\", NUL, "D:\", NUL, ..., NUL; the extra zero keeps the walk inside even if the drives
  // change between the two calls.
  std::vector<wchar_t> roots(GetLogicalDriveStringsW(0, nullptr) + 1, L'\0');
  GetLogicalDriveStringsW(static_cast<DWORD>(roots.size() - 1), roots.data());
  std::vector<std::wstring> drives;
  for (const wchar_t* root = roots.data(); *root; root += wcslen(root) + 1) {
    const std::wstring drive = DriveOf(root);
    if (!drive.empty()) drives.push_back(drive);
  }
  return drives;
}

std::wstring Win32FileSystem::CurrentDirectory() {
  std::wstring path(GetCurrentDirectoryW(0, nullptr), L'\0');
  path.resize(GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data()));
  return path;
}

std::wstring Win32FileSystem::DriveDirectory(std::wstring_view drive) {
  // "D:" alone names the drive's current directory; the system remembers one for each drive.
  const std::wstring name(drive);
  std::wstring path(GetFullPathNameW(name.c_str(), 0, nullptr, nullptr), L'\0');
  path.resize(
      GetFullPathNameW(name.c_str(), static_cast<DWORD>(path.size()), path.data(), nullptr));
  return path;
}

bool Win32FileSystem::CanRead(std::wstring_view directory) {
  QuietDriveErrors quiet;
  const std::wstring path(directory);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::wstring> Win32FileSystem::SubDirectories(std::wstring_view directory) {
  return ListEntries(directory, L"*", true);
}

std::vector<std::wstring> Win32FileSystem::Files(std::wstring_view directory,
                                                 std::wstring_view pattern) {
  return ListEntries(directory, pattern, false);
}

}  // namespace veilpix
