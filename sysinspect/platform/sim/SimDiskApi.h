// The disk and device interfaces answered from the simulated machine.
#pragma once
#include "../DeviceIo.h"
#include "../Disk.h"
#include "SimMachine.h"

namespace nsx::sim {

class SimDiskApi : public platform::DiskApi {
 public:
  explicit SimDiskApi(SimMachine& machine) : machine_(machine), data_(machine.disks) {}
  std::uint32_t LogicalDriveStrings(std::uint32_t bufferLength, std::string* buffer) override;
  std::uint32_t DriveType(const std::string& root) override;
  std::uint32_t SetErrorMode(std::uint32_t mode) override;
  std::optional<platform::DiskFreeSpace> FreeSpace(const std::string& root) override;
  bool HasFreeSpaceEx() override { return data_.hasFreeSpaceEx; }
  std::optional<platform::DiskFreeSpaceEx> FreeSpaceEx(const std::string& root) override;
  std::optional<platform::VolumeInformation> Volume(const std::string& root) override;
  std::optional<std::string> FullPathName(const std::string& path) override;
  std::optional<std::string> UniversalName(const std::string& localPath) override;
  std::vector<platform::NetConnection> ConnectedDisks() override;

 private:
  // Notes a query made while critical errors are not suppressed.
  void Asked(const std::string& root);
  // The drive of a root path, when it exists and has media.
  const SimDrive* Ready(const std::string& root);

  SimMachine& machine_;
  SimDisks& data_;
};

class SimDeviceIoApi : public platform::DeviceIoApi {
 public:
  explicit SimDeviceIoApi(SimMachine& machine) : machine_(machine), data_(machine.ide) {}
  long Open(const std::string& name, std::uint32_t access, std::uint32_t share, std::uint32_t creation,
            platform::DeviceHandle* handle) override;
  void Close(platform::DeviceHandle handle) override;
  long Control(platform::DeviceHandle handle, std::uint32_t code, const platform::Bytes& input,
               platform::Bytes* output, std::uint32_t* bytesReturned) override;
  std::string SystemMessage(std::uint32_t code) override;

 private:
  bool IsNT() const;
  long SmartIdentify(int position, const platform::Bytes& input, std::size_t at, platform::Bytes* output,
                     std::uint32_t* bytesReturned);

  SimMachine& machine_;
  SimIde& data_;
};

}  // namespace nsx::sim
