// Entry points bound at run time, so that a program built for every release
// starts where an entry (or a whole library) is missing: entries of a module
// the process has loaded already, and libraries loaded for a scope.
#pragma once
#include <windows.h>

namespace nsx::win32 {

// An entry of a module, typed; null when the module or the entry is absent.
template <class Function>
Function ModuleEntry(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// An entry of a module already loaded in the process (never loaded here).
template <class Function>
Function LoadedModuleEntry(const char* module, const char* name) {
  return ModuleEntry<Function>(GetModuleHandleA(module), name);
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
    return ModuleEntry<Function>(module_, name);
  }

 private:
  HMODULE module_;
};

}  // namespace nsx::win32
