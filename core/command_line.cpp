#include "core/command_line.h"

namespace veilpix {

Launch ParseLaunch(const std::vector<std::wstring>& arguments) {
  // Shortcuts and scripts may pass "" where they have nothing to say.
  std::vector<std::wstring_view> words;
  for (const std::wstring& argument : arguments) {
    if (!argument.empty()) words.push_back(argument);
  }
  if (words.empty()) return Launch::kResident;
  const std::wstring_view word = words[0];
  if (words.size() > 1 || word.size() < 2 || (word[0] != L'/' && word[0] != L'-'))
    return Launch::kInvalid;
  std::wstring name;
  for (const wchar_t c : word.substr(1)) name.push_back(c >= L'A' && c <= L'Z' ? c + 32 : c);
  if (name == L"on") return Launch::kOn;
  if (name == L"off") return Launch::kOff;
  if (name == L"toggle") return Launch::kToggle;
  if (name == L"?") return Launch::kUsage;
  return Launch::kInvalid;
}

std::wstring_view PicturesAfter(Launch launch, std::wstring_view stored) {
  // As the tray sees it, only "no" means hidden.
  const bool show = launch == Launch::kOn || (launch == Launch::kToggle && stored == L"no");
  return show ? L"yes" : L"no";
}

}  // namespace veilpix
