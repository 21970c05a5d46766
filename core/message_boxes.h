#pragma once

#include <string_view>

namespace veilpix {

inline constexpr unsigned kMbOkOnly = 0;
inline constexpr unsigned kMbCritical = 16;     // OK button and the stop icon
inline constexpr unsigned kMbExclamation = 48;  // OK button and the warning icon
inline constexpr unsigned kMbInformation = 64;  // OK button and the information icon

// Application-modal message boxes. An empty title stands for the application title "Veilpix".
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void MsgBox(std::wstring_view prompt, unsigned buttons, std::wstring_view title) = 0;
};

}  // namespace veilpix
