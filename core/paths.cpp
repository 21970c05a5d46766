#include "core/paths.h"

#include <algorithm>

namespace veilpix {
namespace {

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

// The root a path hangs from: "C:\" or "\\server\share\"; empty for a relative path.
std::wstring RootOf(std::wstring_view path) {
  if (!DriveOf(path).empty()) return std::wstring(path.substr(0, 2)) + L'\\';
  if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return {};
  size_t end = path.find_first_of(L"\\/", 2);
  if (end != std::wstring_view::npos) end = path.find_first_of(L"\\/", end + 1);
  return std::wstring(path.substr(0, end)) + L'\\';
}

}  // namespace

std::wstring DriveOf(std::wstring_view path) {
  if (path.size() < 2 || path[1] != L':') return {};
  const wchar_t letter = path[0] >= L'a' && path[0] <= L'z' ? path[0] - L'a' + L'A' : path[0];
  if (letter < L'A' || letter > L'Z') return {};
  return {letter, L':'};
}

std::wstring JoinPath(std::wstring_view directory, std::wstring_view name) {
  std::wstring path(directory);
  if (path.empty() || !IsSeparator(path.back())) path.push_back(L'\\');
  return path.append(name);
}

std::vector<std::wstring> PathChain(std::wstring_view directory) {
  const std::wstring root = RootOf(directory);
  std::vector<std::wstring> chain;
  if (!root.empty()) chain.push_back(root);
  size_t start = std::min(root.size(), directory.size());
  while (start < directory.size()) {
    size_t end = directory.find_first_of(L"\\/", start);
    if (end == std::wstring_view::npos) end = directory.size();
    const std::wstring_view name = directory.substr(start, end - start);
    if (!name.empty())
      chain.push_back(chain.empty() ? std::wstring(name) : JoinPath(chain.back(), name));
    start = end + 1;
  }
  return chain;
}

}  // namespace veilpix
