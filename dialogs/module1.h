#pragma once
// Module1: opens a document or web address with the program the user's system associates with it.

#include <string>

#include "platform/desktop.h"

namespace veilpix {

// True when the shell took the request. On failure the user has been told why, in Japanese,
// wherever the shell's result code has a message.
bool OpenUrl(Desktop& desktop, const std::wstring& address);

}  // namespace veilpix
