#include "dialogs/module1.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "resources/texts.h"

namespace veilpix {
namespace {

struct ShellFailure {
  std::int32_t code;
  std::wstring_view message;
};

// The shell's failure codes that the user is told about; every other failure passes silently.
constexpr ShellFailure kShellFailures[] = {
    {0, WIDE(TXT_OPEN_NO_MEMORY)},
    {2, WIDE(TXT_OPEN_FILE_NOT_FOUND)},
    {3, WIDE(TXT_OPEN_PATH_NOT_FOUND)},
    {5, WIDE(TXT_OPEN_ACCESS_DENIED)},
    {8, WIDE(TXT_OPEN_NO_MEMORY)},
    {26, WIDE(TXT_OPEN_SHARING_VIOLATION)},
    {27, WIDE(TXT_OPEN_ASSOCIATION_INCOMPLETE)},
    {28, WIDE(TXT_OPEN_DDE_TIMEOUT)},
    {29, WIDE(TXT_OPEN_DDE_FAILED)},
    {30, WIDE(TXT_OPEN_DDE_BUSY)},
    {31, WIDE(TXT_OPEN_NO_ASSOCIATION)},
    {32, WIDE(TXT_OPEN_DLL_NOT_FOUND)},
};

// Results above this are the shell's success.
constexpr std::int32_t kLastShellFailure = 32;

}  // namespace

bool OpenUrl(Desktop& desktop, const std::wstring& address) {
  const std::int32_t result = desktop.ShellExecuteOpen(address);
  if (result > kLastShellFailure) return true;
  const auto failure = std::find_if(std::begin(kShellFailures), std::end(kShellFailures),
                                    [result](const ShellFailure& f) { return f.code == result; });
  if (failure != std::end(kShellFailures))
    desktop.MsgBox(failure->message, kMbCritical, WIDE(TXT_OPEN_FAILED_TITLE));
  return false;
}

}  // namespace veilpix
