// Folders, shell links and initialisation files: what the startup topic
// reads besides the registry.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nsx::platform {

// FILE_ATTRIBUTE_* bits.
enum : std::uint32_t {
  kFileAttributeReadOnly = 0x01,
  kFileAttributeHidden = 0x02,
  kFileAttributeSystem = 0x04,
  kFileAttributeDirectory = 0x10,
  kFileAttributeArchive = 0x20,
};

// HRESULT values the shell-link steps answer.
enum : long {
  kHResultOk = 0,
  kHResultFalse = 1,
  kHResultFail = static_cast<long>(0x80004005u),
  kHResultFileNotFound = static_cast<long>(0x80070002u),  // HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
};

// The documented sizes of the shell-link buffers: MAX_PATH for the path,
// INFOTIPSIZE for the arguments (each with its terminating NUL).
constexpr std::size_t kShellLinkPathSize = 260;
constexpr std::size_t kShellLinkArgumentsSize = 1024;

struct FoundFile {
  std::string name;  // cFileName: the long name, without the folder
  std::uint32_t attributes = 0;
};

// What a shell link stores, as IShellLinkA gives it.
struct ShellLinkInfo {
  long result = kHResultFail;  // the first failing step's code, else the last step's
  std::string path;            // GetPath, at most kShellLinkPathSize - 1 characters
  std::string arguments;       // GetArguments, at most kShellLinkArgumentsSize - 1 characters
};

class ShellApi {
 public:
  virtual ~ShellApi() = default;
  // FindFirstFileA / FindNextFileA / FindClose: every entry the pattern
  // (a folder, a backslash and a wildcard name) matches, in search order.
  virtual std::vector<FoundFile> FindFiles(const std::string& pattern) = 0;
  // The shell-link object for one file: CoInitialize, CoCreateInstance of
  // CLSID_ShellLink (in process) for IShellLinkA, IPersistFile::Load (the name
  // in UTF-16, read mode), Resolve without a window and with
  // SLR_NO_UI | SLR_NOUPDATE | SLR_NOSEARCH | SLR_NOTRACK (never searching
  // the disk or asking the user), GetPath with SLGP_UNCPRIORITY and
  // GetArguments, each into a buffer of its documented size and always
  // terminated; CoUninitialize when CoInitialize succeeded. A link whose
  // target does not resolve still gives the path and arguments it stores.
  virtual ShellLinkInfo ReadShellLink(const std::string& file) = 0;
  // GetPrivateProfileSectionA: the section's lines ("key=value") in file
  // order; empty when the file or section does not exist. A file name
  // without a path means the Windows directory (on the NT family the system
  // maps WIN.INI and SYSTEM.INI sections to the registry).
  virtual std::vector<std::string> ReadIniSection(const std::string& file, const std::string& section) = 0;
  // GetPrivateProfileStringA: the key's value as the system gives it
  // (surrounding blanks, and quotes enclosing the whole value, removed), or
  // `fallback` when the key does not exist.
  virtual std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& fallback) = 0;
};

}  // namespace nsx::platform
