// Plain C++ mirrors of the Windows values the platform interface passes on:
// status codes, registry roots and value types, version-query fields.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nsx::platform {

using Bytes = std::vector<std::uint8_t>;

// Win32 error codes as the registry and file calls return them.
enum : long {
  kErrorSuccess = 0,
  kErrorFileNotFound = 2,
  kErrorAccessDenied = 5,
  kErrorInvalidHandle = 6,
  kErrorMoreData = 234,
  kErrorNoMoreItems = 259,
};

// Predefined registry roots, with their Windows handle values.
enum class RegRoot : std::uint32_t {
  ClassesRoot = 0x80000000u,
  CurrentUser = 0x80000001u,
  LocalMachine = 0x80000002u,
  Users = 0x80000003u,
  PerformanceData = 0x80000004u,
  CurrentConfig = 0x80000005u,
  DynData = 0x80000006u,
};

// Registry value types (REG_*).
enum : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegLink = 6,
  kRegMultiSz = 7,
  kRegResourceList = 8,
  kRegFullResourceDescriptor = 9,
  kRegResourceRequirementsList = 10,
  kRegQword = 11,
};

// Platform ids of the version query.
enum : std::uint32_t {
  kPlatformWin32s = 0,
  kPlatformWin9x = 1,
  kPlatformNT = 2,
};

// The version query's answer: OSVERSIONINFOA, and the OSVERSIONINFOEXA
// fields when the extended form is supported (NT 4 SP6 and later).
struct VersionInfo {
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
  std::uint32_t buildNumber = 0;  // full 32 bits; 9x keeps major.minor in the high word
  std::uint32_t platformId = 0;
  std::string csdVersion;         // at most 127 characters, as the fixed buffer holds
  bool hasExtended = false;       // the OSVERSIONINFOEXA form answered
  std::uint16_t servicePackMajor = 0;
  std::uint16_t servicePackMinor = 0;
  std::uint16_t suiteMask = 0;
  std::uint8_t productType = 0;
  std::uint8_t reserved = 0;
};

}  // namespace nsx::platform
