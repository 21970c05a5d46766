#include "core/options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <limits>

namespace veilpix {
namespace {

#if defined(_WIN32)
// msvcrt.dll's own reader and formatter: MinGW's portable ones would add some 40 KB to the
// download. Its exponents have three digits ("3e+038"), which read back the same.
double ReadDecimal(const std::wstring& text) {
  return _wtof(text.c_str());
}
constexpr auto kFormat = _snprintf;
#else
double ReadDecimal(const std::wstring& text) {
  return std::wcstod(text.c_str(), nullptr);
}
constexpr auto kFormat = std::snprintf;
#endif

// A sign, digits with at most one point among them, then perhaps an exponent: e, a sign, digits.
bool IsDecimal(std::wstring_view text) {
  size_t at = 0;
  const auto sign = [&] { at += at < text.size() && (text[at] == L'+' || text[at] == L'-'); };
  const auto digits = [&] {
    const size_t start = at;
    while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') ++at;
    return at - start;
  };
  sign();
  size_t mantissa = digits();
  if (at < text.size() && text[at] == L'.') ++at, mantissa += digits();
  if (mantissa == 0) return false;
  if (at < text.size() && (text[at] == L'e' || text[at] == L'E')) {
    ++at;
    sign();
    if (digits() == 0) return false;
  }
  return at == text.size();
}

std::wstring WideOf(const char* ascii) {
  return std::wstring(ascii, ascii + std::strlen(ascii));
}

}  // namespace

std::optional<double> ParseStoredNumber(std::wstring_view text) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.size() > 64 || !IsDecimal(text)) return std::nullopt;
  const double value = ReadDecimal(std::wstring(text));
  if (!std::isfinite(value)) return std::nullopt;
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
    kFormat(buffer, sizeof buffer, "%.0f", static_cast<double>(value));
    return WideOf(buffer);
  }
  for (int digits = 1; digits <= 9; ++digits) {
    kFormat(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(value));
    if (StoredSingle(WideOf(buffer)) == value) break;
  }
  return WideOf(buffer);
}

}  // namespace veilpix
