#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <vector>

#include "AnsiWide.h"
#include "Win32Software.h"

namespace nsx::win32 {
namespace {

// The shell-link object and its interfaces (named here, so that no GUID
// library is needed).
const CLSID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Resolve checks the target without asking anyone, searching the disk or
// changing the link; the high word bounds the wait in milliseconds.
const DWORD kResolveFlags = SLR_NO_UI | SLR_NOUPDATE | SLR_NOSEARCH | SLR_NOTRACK | (1000u << 16);

// COM for the calling thread, uninitialised when it was initialised.
class ComScope {
 public:
  ComScope() : result_(CoInitialize(nullptr)) {}
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  HRESULT Result() const { return result_; }

 private:
  HRESULT result_;
};

// An interface pointer released when it goes out of scope.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (pointer_) pointer_->Release();
  }
  T* operator->() const { return pointer_; }
  void** Out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  T* pointer_ = nullptr;
};

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

class Win32Shell : public platform::ShellApi {
 public:
  std::vector<platform::FoundFile> FindFiles(const std::string& pattern) override {
    std::vector<platform::FoundFile> found;
    WIN32_FIND_DATAA data{};
    FindHandle find(FindFirstFileA(pattern.c_str(), &data));
    if (find.Get() == INVALID_HANDLE_VALUE) return found;
    do {
      data.cFileName[MAX_PATH - 1] = '\0';
      found.push_back({data.cFileName, data.dwFileAttributes});
    } while (FindNextFileA(find.Get(), &data));
    return found;
  }

  platform::ShellLinkInfo ReadShellLink(const std::string& file) override {
    platform::ShellLinkInfo info;
    ComScope com;
    info.result = com.Result();
    if (FAILED(info.result)) return info;
    ComRef<IShellLinkA> link;
    info.result = CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkA, link.Out());
    if (FAILED(info.result)) return info;
    ComRef<IPersistFile> persist;
    info.result = link->QueryInterface(kIidPersistFile, persist.Out());
    if (FAILED(info.result)) return info;
    info.result = persist->Load(AnsiToWide(file).c_str(), STGM_READ);
    if (FAILED(info.result)) return info;
    // A target that does not resolve still leaves what the link stores.
    link->Resolve(nullptr, kResolveFlags);
    char path[platform::kShellLinkPathSize] = {0};
    WIN32_FIND_DATAA target{};
    info.result = link->GetPath(path, sizeof path, &target, SLGP_UNCPRIORITY);
    path[sizeof path - 1] = '\0';
    if (SUCCEEDED(info.result)) info.path = path;
    std::vector<char> arguments(platform::kShellLinkArgumentsSize, '\0');
    info.result = link->GetArguments(arguments.data(), static_cast<int>(arguments.size()));
    arguments.back() = '\0';
    if (SUCCEEDED(info.result)) info.arguments = arguments.data();
    return info;
  }

  std::vector<std::string> ReadIniSection(const std::string& file, const std::string& section) override {
    // The call answers size - 2 when the section does not fit.
    for (DWORD size = 4096; size <= (1u << 20); size *= 2) {
      std::vector<char> buffer(size, '\0');
      DWORD n = GetPrivateProfileSectionA(section.c_str(), buffer.data(), size, file.c_str());
      if (n == size - 2) continue;
      std::vector<std::string> lines;
      for (DWORD i = 0; i < n && buffer[i] != '\0';) {
        std::string line(&buffer[i]);
        i += static_cast<DWORD>(line.size()) + 1;
        lines.push_back(line);
      }
      return lines;
    }
    return {};
  }

  std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& fallback) override {
    // The call answers size - 1 when the value does not fit.
    for (DWORD size = 1024; size <= (1u << 20); size *= 2) {
      std::vector<char> buffer(size, '\0');
      DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(), size,
                                         file.c_str());
      if (n + 1 >= size) continue;
      return std::string(buffer.data(), n);
    }
    return fallback;
  }
};

}  // namespace

std::unique_ptr<platform::ShellApi> CreateWin32Shell() { return std::make_unique<Win32Shell>(); }

}  // namespace nsx::win32
