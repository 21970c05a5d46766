#pragma once
// Windows paths as plain text: drives, roots, joining, and the order the lists show names in.

#include <string>
#include <string_view>
#include <vector>

namespace veilpix {

// "C:" for any path on drive C, whatever the letter's case; empty for a path without a drive.
std::wstring DriveOf(std::wstring_view path);

// The root a path hangs from: "C:\" or "\\server\share\"; empty for a relative path.
std::wstring RootOf(std::wstring_view path);

// The directory and a name inside it, with exactly one separator between them, so a file in a
// drive's root ("D:\") becomes "D:\name", not "D:\\name".
std::wstring JoinPath(std::wstring_view directory, std::wstring_view name);

// A directory and every directory above it, the root first: "C:\a\b" gives "C:\", "C:\a" and
// "C:\a\b". A trailing separator is dropped except on the root.
std::vector<std::wstring> PathChain(std::wstring_view directory);

// Names in the order Windows lists show them: letters compared without case.
void SortNames(std::vector<std::wstring>& names);

}  // namespace veilpix
