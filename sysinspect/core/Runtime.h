// The running machine: the platform every routine asks, and the values
// identified once at start. There is one per process; tests replace it with
// a simulated machine for their own scope.
#pragma once
#include <memory>

#include "../platform/Platform.h"

namespace nsx {

struct TOSIdentification;
struct TNativeEntries;

// Installs the platform, binds the native entry points and identifies the
// Windows release and computer name (the start-up of the shared routines).
void StartUp(std::unique_ptr<platform::Platform> machine);
void ShutDown();
bool IsStarted();

platform::Platform& Machine();
platform::SystemApi& Sys();
platform::RegistryApi& Reg();

// Installs a machine for a scope and puts the previous one back afterwards.
class ScopedMachine {
 public:
  explicit ScopedMachine(std::unique_ptr<platform::Platform> machine);
  ScopedMachine(const ScopedMachine&) = delete;
  ScopedMachine& operator=(const ScopedMachine&) = delete;
  ~ScopedMachine();

 private:
  struct Saved;
  std::unique_ptr<Saved> saved_;
};

}  // namespace nsx
