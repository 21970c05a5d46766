#include "tests/win32/process_resources.h"

#include <winternl.h>

#include <cstdint>
#include <vector>

namespace veilpix::testing {
namespace {

// Wine keeps a process's GDI objects in a handle table laid out like Windows' shared one, which
// the PEB points to: 65536 entries of 24 bytes, a live entry's object type in the low five bits
// of byte 14.
size_t CountGdiTableEntries() {
  PROCESS_BASIC_INFORMATION process{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &process,
                                sizeof process, nullptr) != 0) {
    return 0;
  }
  const auto* peb = reinterpret_cast<const std::uint8_t*>(process.PebBaseAddress);
  const auto* table =
      *reinterpret_cast<const std::uint8_t* const*>(peb + (sizeof(void*) == 8 ? 0xF8 : 0x94));
  size_t count = 0;
  for (size_t i = 0; table && i < 0x10000; ++i) count += (table[i * 24 + 14] & 0x1F) != 0;
  return count;
}

// Wine numbers USER objects 0x20 + 2 * slot in a handle's low word and takes a handle whose high
// word is 0 for whatever object holds that slot now, so each slot is asked once. Menus first:
// asking about one never leaves the process, and a menu is always the process's own; a window
// may be another process's.
size_t CountUserSlots() {
  size_t count = 0;
  for (UINT_PTR low = 0x20; low <= 0xFFEF; low += 2) {
    const auto handle = reinterpret_cast<HANDLE>(low);
    DWORD owner = 0;
    count += IsMenu(static_cast<HMENU>(handle)) ||
             (GetWindowThreadProcessId(static_cast<HWND>(handle), &owner) &&
              owner == GetCurrentProcessId());
  }
  return count;
}

// Wine answers GetGuiResources with ERROR_CALL_NOT_IMPLEMENTED; then `fallback` counts.
size_t CountGuiResources(DWORD flags, size_t (*fallback)()) {
  SetLastError(ERROR_SUCCESS);
  const DWORD count = GetGuiResources(GetCurrentProcess(), flags);
  return count == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? fallback() : count;
}

}  // namespace

size_t CountProcessHandles() {
  constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);
  std::vector<unsigned char> buffer(1 << 16);
  LONG status;
  while ((status = NtQuerySystemInformation(SystemHandleInformation, buffer.data(),
                                            static_cast<ULONG>(buffer.size()), nullptr)) ==
         kStatusInfoLengthMismatch) {
    buffer.resize(buffer.size() * 2);
  }
  const auto* table = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
  size_t count = 0;
  for (ULONG i = 0; status == 0 && i < table->Count; ++i)
    count += table->Handle[i].OwnerPid == GetCurrentProcessId();
  return count;
}

size_t CountGdiObjects() {
  return CountGuiResources(GR_GDIOBJECTS, CountGdiTableEntries);
}

size_t CountUserObjects() {
  return CountGuiResources(GR_USEROBJECTS, CountUserSlots);
}

size_t PrivateBytes(HANDLE process) {
  size_t total = 0;
  MEMORY_BASIC_INFORMATION region;
  const std::uint8_t* address = nullptr;
  while (VirtualQueryEx(process, address, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    address = static_cast<const std::uint8_t*>(region.BaseAddress) + region.RegionSize;
  }
  return total;
}

}  // namespace veilpix::testing
