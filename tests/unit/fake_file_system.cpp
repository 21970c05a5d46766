#include "tests/unit/fake_file_system.h"

#include <cwctype>

#include "platform/paths.h"

namespace veilpix::testing {
namespace {

// The directory part of a path and its last name: "C:\a\b" gives "C:\a" and "b".
std::pair<std::wstring, std::wstring> Split(const std::wstring& path) {
  const size_t slash = path.find_last_of(L'\\');
  std::wstring parent = path.substr(0, slash);
  if (parent.size() == 2) parent.push_back(L'\\');  // a drive's root keeps its separator
  return {parent, path.substr(slash + 1)};
}

std::wstring WithoutTrailingSeparator(std::wstring_view directory) {
  const std::vector<std::wstring> chain = PathChain(directory);
  return chain.empty() ? std::wstring() : chain.back();
}

// Only the patterns the lists use: "*" followed by a suffix, compared without case.
bool Matches(const std::wstring& name, std::wstring_view pattern) {
  const std::wstring_view suffix = pattern.substr(1);
  if (name.size() < suffix.size()) return false;
  for (size_t i = 0; i < suffix.size(); ++i) {
    if (towlower(name[name.size() - suffix.size() + i]) != towlower(suffix[i])) return false;
  }
  return true;
}

}  // namespace

void FakeFileSystem::AddDirectory(const std::wstring& path) {
  for (const std::wstring& directory : PathChain(path)) directories_.insert(directory);
}

void FakeFileSystem::AddFile(const std::wstring& path) {
  AddDirectory(Split(path).first);
  files_.insert(path);
}

std::wstring FakeFileSystem::DriveDirectory(std::wstring_view drive) {
  const auto found = drive_directories.find(std::wstring(drive));
  return found != drive_directories.end() ? found->second : std::wstring(drive) + L"\\";
}

bool FakeFileSystem::CanRead(std::wstring_view directory) {
  if (unreadable_drives.count(DriveOf(directory))) return false;
  const std::wstring path = WithoutTrailingSeparator(directory);
  return path == RootOf(directory) || directories_.count(path) != 0;
}

std::vector<std::wstring> FakeFileSystem::SubDirectories(std::wstring_view directory) {
  const std::wstring parent = WithoutTrailingSeparator(directory);
  std::vector<std::wstring> names;
  for (const std::wstring& path : directories_) {
    if (path != RootOf(path) && Split(path).first == parent) names.push_back(Split(path).second);
  }
  return names;
}

std::vector<std::wstring> FakeFileSystem::Files(std::wstring_view directory,
                                                std::wstring_view pattern) {
  const std::wstring parent = WithoutTrailingSeparator(directory);
  std::vector<std::wstring> names;
  for (const std::wstring& path : files_) {
    const auto [dir, name] = Split(path);
    if (dir == parent && Matches(name, pattern)) names.push_back(name);
  }
  return names;
}

}  // namespace veilpix::testing
