#include "platform/paths.h"

#include <algorithm>

namespace veilpix {
namespace {

constexpr wchar_t kSeparator = L'\\';

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

bool IsLetter(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

wchar_t FoldCase(wchar_t c) {
  return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

}  // namespace

std::wstring DriveOf(std::wstring_view path) {
  if (path.size() < 2 || !IsLetter(path[0]) || path[1] != L':') return {};
  return {FoldCase(path[0]), L':'};
}

std::wstring RootOf(std::wstring_view path) {
  if (!DriveOf(path).empty()) return std::wstring(path.substr(0, 2)) + kSeparator;
  if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return {};
  // "\\server\share\": the server and the share together are the root.
  size_t end = path.find_first_of(L"\\/", 2);
  if (end != std::wstring_view::npos) end = path.find_first_of(L"\\/", end + 1);
  std::wstring root(path.substr(0, end));
  root.push_back(kSeparator);
  return root;
}

std::wstring JoinPath(std::wstring_view directory, std::wstring_view name) {
  std::wstring path(directory);
  if (path.empty() || !IsSeparator(path.back())) path.push_back(kSeparator);
  path.append(name);
  return path;
}

std::vector<std::wstring> PathChain(std::wstring_view directory) {
  const std::wstring root = RootOf(directory);
  std::vector<std::wstring> chain;
  if (!root.empty()) chain.push_back(root);
  size_t start = std::min(root.size(), directory.size());
  while (start < directory.size()) {
    size_t end = directory.find_first_of(L"\\/", start);
    if (end == std::wstring_view::npos) end = directory.size();
    if (end > start) {
      const std::wstring_view name = directory.substr(start, end - start);
      chain.push_back(chain.empty() ? std::wstring(name) : JoinPath(chain.back(), name));
    }
    start = end + 1;
  }
  return chain;
}

void SortNames(std::vector<std::wstring>& names) {
  std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](wchar_t x, wchar_t y) { return FoldCase(x) < FoldCase(y); });
  });
}

}  // namespace veilpix
