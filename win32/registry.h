#pragma once
// Veilpix's registry: Internet Explorer's picture setting (through the ANSI functions, in the
// system's code page, a key opened and closed for each call), Veilpix's own options, and the
// watch that notices an outside change of the setting at once.

#include <windows.h>

#include <string>
#include <string_view>

#include "core/veilpix.h"

namespace veilpix {

inline constexpr wchar_t kPicturesKey[] = L"Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr wchar_t kPicturesValue[] = L"Display Inline Images";

// Text in the system's ANSI code page, as the "A" functions take it.
std::string ToAnsi(std::wstring_view text);

// A REG_SZ value of HKEY_CURRENT_USER as stored: read into 256 bytes and cut at the first NUL;
// "" when the key or value is missing, the key cannot be opened with all six key rights, the
// value is larger or of another type.
std::wstring ReadString(std::wstring_view sub_key, std::wstring_view name);
// Creates the missing keys and stores the text with its NUL.
WriteResult WriteString(std::wstring_view sub_key, std::wstring_view name, std::wstring_view text);

// The system's description of one of its error codes, on one line, with the code: "... (5)".
std::wstring SystemErrorText(long code);

// WM_WININICHANGE with "windows" to every top-level window, skipping hung ones at once.
void BroadcastSettingChange();

// Veilpix's options: HKEY_CURRENT_USER\Software\Veilpix\General, one REG_SZ per key.
std::wstring ReadOption(std::wstring_view key, std::wstring_view absent);
void WriteOption(std::wstring_view key, std::wstring_view text);
// Removes Software\Veilpix whole: 0, kNothingStored, or the system's error code.
long EraseOptions();

// Watches the picture setting's key, or until it exists its nearest existing ancestor with its
// subtree. The event is set on a change; the system tells of one change only, so after each the
// watch is armed again.
HANDLE WatchPictures();
void RearmPicturesWatch();
void StopWatchingPictures();

}  // namespace veilpix
