#pragma once
// Internet Explorer's per-user setting for showing pictures in web pages: REG_SZ "yes" or "no".

#include <string_view>

namespace veilpix {

inline constexpr std::wstring_view kPicturesKey = L"Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr std::wstring_view kPicturesValue = L"Display Inline Images";

}  // namespace veilpix
