#pragma once
// Veilpix's options between runs: one text per key, in the key Software\Veilpix\General of the
// user's registry. While it runs, the live values are the tray menu's marks; these are read at
// start-up and written the moment an option changes.

#include <optional>
#include <string>
#include <string_view>

namespace veilpix {

inline constexpr std::wstring_view kDefaultTogglePath =
    L"C:\\WINDOWS\\Favorites\\リンク\\Toggle Images.exe";

namespace key {
inline constexpr std::wstring_view kToggle = L"Toggle";      // the external program, on/off
inline constexpr std::wstring_view kChange = L"Change";      // a left click switches
inline constexpr std::wstring_view kShow = L"Show";          // the window shows at start-up
inline constexpr std::wstring_view kPosition = L"Position";  // its position is restored
inline constexpr std::wstring_view kTop = L"Top";            // twips
inline constexpr std::wstring_view kLeft = L"Left";
inline constexpr std::wstring_view kTogglePath = L"TogglePath";
}  // namespace key

// A stored number: blanks around it allowed, decimal or exponent form. Anything else, infinities
// and NaN included, is not a number.
std::optional<double> ParseStoredNumber(std::wstring_view text);

// A stored position: a number beyond single precision is none Veilpix could have written, and
// reads as 0 like any text that is not a number.
float StoredSingle(std::wstring_view text);

// Single precision written the shortest way that reads back to the same value ("1500", "-7.5").
std::wstring FormatSingle(float value);

}  // namespace veilpix
