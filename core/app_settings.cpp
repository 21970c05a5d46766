#include "core/app_settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace veilpix {
namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

}  // namespace

std::optional<double> ParseStoredNumber(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty() || text.size() > 64) return std::nullopt;
  std::string ascii;
  for (const wchar_t c : text) {
    const bool allowed =
        (c >= L'0' && c <= L'9') || c == L'.' || c == L'-' || c == L'+' || c == L'e' || c == L'E';
    if (!allowed) return std::nullopt;
    ascii.push_back(static_cast<char>(c));
  }
  // strtod rather than from_chars: the same result for these characters, and it spares the
  // download the tables of the standard library's own converter.
  char* end = nullptr;
  const double value = std::strtod(ascii.c_str(), &end);
  if (end == ascii.c_str() || *end != '\0' || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::wstring FormatSingle(float value) {
  // Whole numbers, as window positions usually are, in plain digits; others with the fewest
  // digits that read back as the same single (at most 9 are ever needed).
  char buffer[48] = "";
  if (std::fabs(value) < 1e9f && value == std::trunc(value)) {
    std::snprintf(buffer, sizeof buffer, "%.0f", static_cast<double>(value));
    return std::wstring(buffer, buffer + std::strlen(buffer));
  }
  for (int digits = 1; digits <= 9; ++digits) {
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(value));
    if (std::strtof(buffer, nullptr) == value) break;
  }
  return std::wstring(buffer, buffer + std::strlen(buffer));
}

double AppSettings::Number(std::wstring_view key, double default_value) const {
  const std::wstring default_text = FormatSingle(static_cast<float>(default_value));
  return ParseStoredNumber(store_.Read(kAppName, kSection, key, default_text))
      .value_or(default_value);
}

float AppSettings::Single(std::wstring_view key) const {
  const double value = Number(key, 0);
  // Beyond single precision it is not a position Veilpix could have written. Up to half a unit
  // above the largest single it still rounds to that single, as "3.4028235e+38" does.
  constexpr double kLargest = std::numeric_limits<float>::max();
  constexpr double kHalfUnitAboveLargest = 0x1p103;
  if (std::fabs(value) >= kLargest + kHalfUnitAboveLargest) return 0;
  return static_cast<float>(value);
}

std::wstring AppSettings::TogglePath() const {
  return store_.Read(kAppName, kSection, key::kTogglePath, kDefaultTogglePath);
}

void AppSettings::WritePosition(float top, float left) {
  Write(key::kTop, FormatSingle(top));
  Write(key::kLeft, FormatSingle(left));
}

}  // namespace veilpix
