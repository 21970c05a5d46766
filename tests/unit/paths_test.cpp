#include "core/paths.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace veilpix::testing {
namespace {

// Each directory of a chain on a line of its own.
std::wstring Lines(const std::vector<std::wstring>& chain) {
  std::wstring lines;
  for (const std::wstring& directory : chain) lines += directory + L'\n';
  return lines;
}

// What the chooser opens for a picked drive. A: has no medium; E:'s medium was taken out after
// a directory on it was opened.
std::wstring Pick(std::wstring_view drive, std::wstring_view opened) {
  const std::map<std::wstring, std::wstring, std::less<>> current{
      {L"A:", L"A:\\"}, {L"C:", L"C:\\Tools"}, {L"D:", L"D:\\Games"}, {L"E:", L"E:\\"}};
  const std::set<std::wstring, std::less<>> readable{L"C:\\Tools", L"C:\\Tools\\Newer",
                                                     L"D:\\Games"};
  return DirectoryOnDrive(
      drive, opened, [&](std::wstring_view name) { return current.find(name)->second; },
      [&](std::wstring_view directory) { return readable.contains(directory); });
}

TEST(PathsTest, ChooserPaths) {
  const struct {
    const char* what;
    std::wstring got;
    std::wstring expected;
  } rows[] = {
      {"a drive opens at its current directory", Pick(L"D:", L"C:\\Tools"), L"D:\\Games"},
      {"an empty drive silently gives way to the current directory of the drive still open",
       Pick(L"A:", L"C:\\Tools\\Newer"), L"C:\\Tools"},
      {"with that drive unreadable too the open directory stays", Pick(L"A:", L"E:\\Setup"),
       L"E:\\Setup"},
      {"a file in a drive's root has one separator", JoinPath(L"D:\\", L"Toggle Images.exe"),
       L"D:\\Toggle Images.exe"},
      {"the chain starts at the root and drops a trailing separator",
       Lines(PathChain(L"c:\\Program Files\\Toggle\\")),
       L"c:\\\nc:\\Program Files\nc:\\Program Files\\Toggle\n"},
      {"a share's root is the server and the share", Lines(PathChain(L"\\\\server\\share\\bin")),
       L"\\\\server\\share\\\n\\\\server\\share\\bin\n"},
  };
  for (const auto& row : rows) EXPECT_EQ(row.got, row.expected) << row.what;
}

}  // namespace
}  // namespace veilpix::testing
