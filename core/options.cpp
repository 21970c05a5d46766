#include "core/options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace veilpix {

std::optional<double> ParseStoredNumber(std::wstring_view text) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.empty() || text.size() > 64) return std::nullopt;
  std::string ascii;
  for (const wchar_t c : text) {
    if (!std::wcschr(L"0123456789.+-eE", c) || c == 0) return std::nullopt;
    ascii.push_back(static_cast<char>(c));
  }
  // strtod rather than from_chars: the same result for these characters, without the tables of
  // the standard library's own converter in the download.
  char* end = nullptr;
  const double value = std::strtod(ascii.c_str(), &end);
  if (end == ascii.c_str() || *end != '\0' || !std::isfinite(value)) return std::nullopt;
  return value;
}

float StoredSingle(std::wstring_view text) {
  const double value = ParseStoredNumber(text).value_or(0);
  // Up to half a unit above the largest single it still rounds to that single, as
  // "3.4028235e+38" does; beyond, it would round to infinity.
  constexpr double kLimit = std::numeric_limits<float>::max() + 0x1p103;
  return std::fabs(value) < kLimit ? static_cast<float>(value) : 0;
}

std::wstring FormatSingle(float value) {
  // Whole numbers, as window positions usually are, in plain digits; others with the fewest
  // digits that read back as the same single (at most 9 are ever needed).
  char buffer[48] = "";
  if (std::fabs(value) < 1e9f && value == std::trunc(value)) {
    std::snprintf(buffer, sizeof buffer, "%.0f", static_cast<double>(value));
  } else {
    for (int digits = 1; digits <= 9; ++digits) {
      std::snprintf(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(value));
      if (std::strtof(buffer, nullptr) == value) break;
    }
  }
  return std::wstring(buffer, buffer + std::strlen(buffer));
}

}  // namespace veilpix
