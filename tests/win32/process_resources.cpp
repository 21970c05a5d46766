#include "tests/win32/process_resources.h"

#include <winternl.h>

#include <cstdint>
#include <vector>

namespace veilpix::testing {
namespace {

struct HandleEntry {
  ULONG process_id;
  UCHAR object_type;
  UCHAR flags;
  USHORT handle;
  PVOID object;
  ACCESS_MASK access;
};

struct HandleTable {
  ULONG count;
  HandleEntry entries[1];
};

constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);

// Wine keeps a process's GDI objects in a handle table laid out like Windows' shared one, which
// the PEB points to: 65536 entries of 24 bytes, a live entry's object type in the low five bits
// of byte 14.
size_t CountGdiTableEntries() {
  constexpr size_t kEntries = 0x10000;
  constexpr size_t kEntrySize = 24;
  constexpr size_t kTypeOffset = 14;
  constexpr size_t kTableInPeb = sizeof(void*) == 8 ? 0xF8 : 0x94;
  PROCESS_BASIC_INFORMATION process{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &process,
                                sizeof process, nullptr) != 0) {
    return 0;
  }
  const auto* peb = reinterpret_cast<const std::uint8_t*>(process.PebBaseAddress);
  const auto* table = *reinterpret_cast<const std::uint8_t* const*>(peb + kTableInPeb);
  if (!table) return 0;
  size_t count = 0;
  for (size_t i = 0; i < kEntries; ++i) {
    if (table[i * kEntrySize + kTypeOffset] & 0x1F) ++count;
  }
  return count;
}

// Wine numbers USER objects 0x20 + 2 * slot in a handle's low word and takes a handle whose high
// word is 0 for whatever object holds that slot now, so each slot is asked once. Menus first:
// asking about one never leaves the process, and a menu is always the process's own; a window
// may be another process's.
size_t CountUserSlots() {
  constexpr UINT kFirst = 0x20;
  constexpr UINT kLast = 0xFFEF;
  const DWORD self = GetCurrentProcessId();
  size_t count = 0;
  for (UINT low = kFirst; low <= kLast; low += 2) {
    const auto handle = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(low));
    DWORD owner = 0;
    if (IsMenu(static_cast<HMENU>(handle)) ||
        (IsWindow(static_cast<HWND>(handle)) &&
         GetWindowThreadProcessId(static_cast<HWND>(handle), &owner) && owner == self)) {
      ++count;
    }
  }
  return count;
}

}  // namespace

size_t CountProcessHandles() {
  std::vector<unsigned char> buffer(1 << 16);
  LONG status;
  while ((status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                            static_cast<ULONG>(buffer.size()), nullptr)) ==
         kStatusInfoLengthMismatch) {
    buffer.resize(buffer.size() * 2);
  }
  if (status != 0) return 0;
  const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
  const ULONG self = GetCurrentProcessId();
  size_t count = 0;
  for (ULONG i = 0; i < table->count; ++i) {
    if (table->entries[i].process_id == self) ++count;
  }
  return count;
}

size_t CountGdiObjects() {
  SetLastError(ERROR_SUCCESS);
  const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (count == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) return CountGdiTableEntries();
  return count;
}

size_t CountUserObjects() {
  SetLastError(ERROR_SUCCESS);
  const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (count == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) return CountUserSlots();
  return count;
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
