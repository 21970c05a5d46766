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

}  // namespace veilpix
