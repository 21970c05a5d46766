#pragma once
// Windows paths as plain text, for the chooser: drives, the chain of directories down to one,
// and a name joined to its directory.

#include <string>
#include <string_view>
#include <vector>

namespace veilpix {

// "C:" for any path on drive C, whatever the letter's case; empty for a path without a drive.
std::wstring DriveOf(std::wstring_view path);

// The directory and a name inside it, with exactly one separator between them, so a file in a
// drive's root ("D:\") becomes "D:\name", not "D:\\name".
std::wstring JoinPath(std::wstring_view directory, std::wstring_view name);

// A directory and every directory above it, the root first: "C:\a\b" gives "C:\", "C:\a" and
// "C:\a\b"; a share's root is "\\server\share\". A trailing separator is dropped except on a root.
std::vector<std::wstring> PathChain(std::wstring_view directory);

// The directory to open when the user picks `drive`: that drive's current directory or, when it
// cannot be read (a drive without a medium), silently the current directory of the drive still
// open; `opened` itself when neither can be read. The caller shows the result's drive as picked.
// A template, not std::function, whose thrower would add 40 KB to the download.
template <typename DriveDirectory, typename Readable>
std::wstring DirectoryOnDrive(std::wstring_view drive, std::wstring_view opened,
                              const DriveDirectory& drive_directory, const Readable& readable) {
  for (const std::wstring& candidate : {std::wstring(drive), DriveOf(opened)}) {
    std::wstring directory = drive_directory(candidate);
    if (readable(directory)) return directory;
  }
  return std::wstring(opened);
}

}  // namespace veilpix
