#include "Runtime.h"

#include <stdexcept>

#include "Norvik_Native.h"
#include "Norvik_Routines.h"

namespace nsx {
namespace {

// The process-wide state the shared routines name: the machine and what was
// identified on it at start. Written only by StartUp/ShutDown.
struct RuntimeState {
  std::unique_ptr<platform::Platform> machine;
  TNativeEntries native;
  TOSIdentification os;
};

RuntimeState& State() {
  static RuntimeState state;
  return state;
}

}  // namespace

struct ScopedMachine::Saved {
  RuntimeState state;
};

void StartUp(std::unique_ptr<platform::Platform> machine) {
  RuntimeState& state = State();
  state.machine = std::move(machine);
  auto version = state.machine->System().GetVersion();
  state.native = BindNativeEntries(state.machine->System(), version.platformId);
  state.os = DescribeOS(IdentifyOS(version, state.machine->Registry()));
  state.os.MachineName = UpperCase(GetMachineName());
}

void ShutDown() { State() = RuntimeState(); }

bool IsStarted() { return State().machine != nullptr; }

platform::Platform& Machine() {
  if (!State().machine) throw std::logic_error("no machine installed: call StartUp first");
  return *State().machine;
}

platform::SystemApi& Sys() { return Machine().System(); }
platform::RegistryApi& Reg() { return Machine().Registry(); }

const TOSIdentification& OSInfo() { return State().os; }
const TNativeEntries& NativeEntries() { return State().native; }

ScopedMachine::ScopedMachine(std::unique_ptr<platform::Platform> machine) : saved_(std::make_unique<Saved>()) {
  saved_->state = std::move(State());
  StartUp(std::move(machine));
}

ScopedMachine::~ScopedMachine() { State() = std::move(saved_->state); }

}  // namespace nsx
