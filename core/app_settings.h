#pragma once
// Veilpix's options between runs: application "Veilpix", section "General", one text per key.
// While the program runs the live values are the tray menu's check marks; these are only read
// at start-up and written the moment an option changes.

#include <optional>
#include <string>
#include <string_view>

#include "core/settings_store.h"

namespace veilpix {

inline constexpr std::wstring_view kAppName = L"Veilpix";
inline constexpr std::wstring_view kSection = L"General";
inline constexpr std::wstring_view kDefaultTogglePath =
    L"C:\\WINDOWS\\Favorites\\リンク\\Toggle Images.exe";

namespace key {
inline constexpr std::wstring_view kToggle = L"Toggle";
inline constexpr std::wstring_view kChange = L"Change";
inline constexpr std::wstring_view kShow = L"Show";
inline constexpr std::wstring_view kPosition = L"Position";
inline constexpr std::wstring_view kTop = L"Top";
inline constexpr std::wstring_view kLeft = L"Left";
inline constexpr std::wstring_view kTogglePath = L"TogglePath";
}  // namespace key

// A stored number as the settings read it: blanks around it allowed, decimal or exponent form.
// Anything else, infinities and NaN included, is not a number.
std::optional<double> ParseStoredNumber(std::wstring_view text);

// Single precision written the shortest way that reads back to the same value ("1500", "-7.5").
std::wstring FormatSingle(float value);

class AppSettings {
 public:
  explicit AppSettings(SettingsStore& store) : store_(store) {}

  bool Toggle() const { return Number(key::kToggle, 1) != 0; }      // default on
  bool Change() const { return Number(key::kChange, 1) == 1; }      // on only when exactly 1
  bool Show() const { return Number(key::kShow, 0) != 0; }          // default off
  bool Position() const { return Number(key::kPosition, 0) != 0; }  // default off
  float Top() const { return Single(key::kTop); }
  float Left() const { return Single(key::kLeft); }
  std::wstring TogglePath() const;

  // On/off options are stored as the digits "1" and "0".
  void WriteFlag(std::wstring_view key, bool on) { Write(key, on ? L"1" : L"0"); }
  void WritePosition(float top, float left);
  void WriteTogglePath(std::wstring_view path) { Write(key::kTogglePath, path); }
  long EraseAll() { return store_.Erase(kAppName); }

 private:
  // A stored text that is not a number reads as the key's default.
  double Number(std::wstring_view key, double default_value) const;
  float Single(std::wstring_view key) const;
  void Write(std::wstring_view key, std::wstring_view text) {
    store_.Write(kAppName, kSection, key, text);
  }

  SettingsStore& store_;
};

}  // namespace veilpix
