#include "core/app_settings.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

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
  const char* first = ascii.data();
  const char* last = first + ascii.size();
  if (*first == '+') ++first;  // from_chars takes no plus sign
  double value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::wstring FormatSingle(float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::wstring(buffer, result.ptr);
}

double AppSettings::Number(std::wstring_view key, double default_value) const {
  const std::wstring default_text = FormatSingle(static_cast<float>(default_value));
  return ParseStoredNumber(store_.Read(kAppName, kSection, key, default_text))
      .value_or(default_value);
}

float AppSettings::Single(std::wstring_view key) const {
  const double value = Number(key, 0);
  // Beyond single precision it is not a position Veilpix could have written.
  if (std::fabs(value) > std::numeric_limits<float>::max()) return 0;
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
