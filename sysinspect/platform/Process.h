// Files in a directory of the program's own and child processes: what the
// physical-memory dump through the command interpreter needs.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "WinTypes.h"

namespace nsx::platform {

enum class ChildEnd {
  NotStarted,  // CreateProcessA failed
  Ended,       // the process ended within the wait
  TimedOut,    // still running when the wait was over: it was ended
};

struct ChildOutcome {
  ChildEnd end = ChildEnd::NotStarted;
  std::uint32_t exitCode = 0;  // GetExitCodeProcess when it ended
};

class ProcessApi {
 public:
  virtual ~ProcessApi() = default;
  // GetFileAttributesA answers and has FILE_ATTRIBUTE_DIRECTORY.
  virtual bool DirectoryExists(const std::string& path) = 0;
  // CreateDirectoryA, RemoveDirectoryA, DeleteFileA.
  virtual bool MakeDirectory(const std::string& path) = 0;
  virtual bool RemoveEmptyDirectory(const std::string& path) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // CreateFileA(GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS,
  // FILE_ATTRIBUTE_NORMAL) and one WriteFile: the number of bytes written;
  // nullopt when the file cannot be created.
  virtual std::optional<std::uint32_t> WriteNewFile(const std::string& path, const Bytes& bytes) = 0;
  // CreateFileA(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
  // OPEN_EXISTING) and ReadFile of up to `count` bytes: the bytes read;
  // nullopt when the file cannot be opened.
  virtual std::optional<Bytes> ReadExistingFile(const std::string& path, std::uint32_t count) = 0;
  // CreateProcessA (no application name, no inheritance,
  // CREATE_NEW_CONSOLE | CREATE_NEW_PROCESS_GROUP, STARTF_USESHOWWINDOW with
  // SW_HIDE), then WaitForSingleObject for at most `timeoutMilliseconds`; a
  // process still running then is ended (TerminateProcess) and waited for,
  // so that it holds no file when the caller cleans up.
  virtual ChildOutcome RunHidden(const std::string& commandLine, std::uint32_t timeoutMilliseconds) = 0;
};

}  // namespace nsx::platform
