#include "tests/win32/process_handles.h"

#include <windows.h>

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

using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);

}  // namespace

size_t CountProcessHandles() {
  const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  std::vector<unsigned char> buffer(1 << 16);
  LONG status;
  while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                         nullptr)) == kStatusInfoLengthMismatch) {
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

}  // namespace veilpix::testing
