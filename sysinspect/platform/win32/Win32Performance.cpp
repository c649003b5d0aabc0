#include "Win32Performance.h"

#include <windows.h>

#include "Binding.h"

namespace nsx::win32 {
namespace {

using QueryFunction = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

QueryFunction LookUpQuery() {
  // ntdll is in every NT process; it is never loaded here.
  return LoadedModuleEntry<QueryFunction>("NTDLL.DLL", "ZwQuerySystemInformation");
}

}  // namespace

std::uint32_t Win32Performance::QuerySystemInformation(std::uint32_t infoClass, platform::Bytes& buffer) {
  QueryFunction query = LookUpQuery();
  if (!query) return platform::kStatusNotImplemented;
  ULONG returned = 0;
  return static_cast<std::uint32_t>(
      query(infoClass, buffer.data(), static_cast<ULONG>(buffer.size()), &returned));
}

}  // namespace nsx::win32
