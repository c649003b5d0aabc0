// Entry points bound at run time, so that a program built for every release
// starts where an entry (or a whole library) is missing: entries of a module
// the process has loaded already, and libraries loaded for a scope.
#pragma once
#include <windows.h>

namespace nsx::win32 {

// An entry of a module already loaded in the process, typed; null when the
// module or the entry is absent.
template <class Function>
Function LoadedModuleEntry(const char* module, const char* name) {
  HMODULE handle = GetModuleHandleA(module);
  return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

// A library loaded for a scope and freed with it.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const char* name) : module_(LoadLibraryA(name)) {}
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;
  ~LoadedLibrary() {
    if (module_) FreeLibrary(module_);
  }
  explicit operator bool() const { return module_ != nullptr; }
  template <class Function>
  Function Entry(const char* name) const {
    return module_ ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
  }

 private:
  HMODULE module_;
};

}  // namespace nsx::win32
