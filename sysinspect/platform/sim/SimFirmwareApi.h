// The firmware, file and child-process interfaces answered from the
// simulated machine.
#pragma once
#include "SimMachine.h"

namespace nsx::sim {

class SimFirmwareApi : public platform::FirmwareApi {
 public:
  explicit SimFirmwareApi(SimFirmware& data) : data_(data) {}
  bool CopyLinearMemory(std::uint32_t address, std::uint32_t length, std::uint8_t* destination) override;
  std::uint32_t OpenPhysicalMemory(std::uintptr_t* section) override;
  bool ReadView(std::uintptr_t section, std::uint32_t offset, std::uint32_t length, platform::Bytes* bytes) override;
  void CloseSection(std::uintptr_t section) override;
  std::optional<platform::Bytes> SystemFirmwareTable(std::uint32_t provider, std::uint32_t tableId) override;

 private:
  SimFirmware& data_;
  std::uintptr_t openSections_ = 0;
};

class SimProcessApi : public platform::ProcessApi {
 public:
  // The command interpreter is the machine's ComSpec; its child reads the
  // machine's first megabyte.
  explicit SimProcessApi(SimMachine& machine) : machine_(machine), files_(machine.files) {}
  bool DirectoryExists(const std::string& path) override;
  bool MakeDirectory(const std::string& path) override;
  bool RemoveEmptyDirectory(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  std::optional<std::uint32_t> WriteNewFile(const std::string& path, const platform::Bytes& bytes) override;
  std::optional<platform::Bytes> ReadExistingFile(const std::string& path, std::uint32_t count) override;
  platform::ChildOutcome RunHidden(const std::string& commandLine, std::uint32_t timeoutMilliseconds) override;

 private:
  SimMachine& machine_;
  SimFileSystem& files_;
};

// A path without its trailing backslashes.
std::string WithoutTrailingSlash(std::string path);
// The directory part of a path ("" for a bare name).
std::string ParentDirectory(const std::string& path);

}  // namespace nsx::sim
