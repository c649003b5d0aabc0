// What the internet settings need beyond the registry: whether a program
// file exists, and the active dial-up connections of the remote-access
// library (rasapi32.dll, loaded at run time when present).
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace nsx::platform {

// The answer of RasEnumConnectionsA: its status code and the number of
// connections it reported.
struct RasEnumResult {
  long status = 0;
  std::uint32_t connections = 0;
};

enum : long { kErrorBufferTooSmall = 603 };

class InternetApi {
 public:
  virtual ~InternetApi() = default;
  // GetFileAttributesA: true for an existing file that is not a directory.
  virtual bool FileExists(const std::string& path) = 0;
  // LoadLibraryA("rasapi32.dll"), GetProcAddress("RasEnumConnectionsA"), one
  // call with room for `entries` RASCONN records (the first one's size field
  // set), FreeLibrary. nullopt when the library or the entry point is absent.
  virtual std::optional<RasEnumResult> EnumRasConnections(std::uint32_t entries) = 0;
};

}  // namespace nsx::platform
