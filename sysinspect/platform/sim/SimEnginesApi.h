// The multimedia, ASPI and data-engine interfaces answered from the
// simulated machine.
#pragma once
#include "../DataEngines.h"
#include "SimMachine.h"

namespace nsx::sim {

class SimMultimediaApi : public platform::MultimediaApi {
 public:
  explicit SimMultimediaApi(SimMultimedia& data) : data_(data) {}
  std::uint32_t DeviceCount(platform::MediaDeviceKind kind) override;
  std::uint32_t DeviceCaps(platform::MediaDeviceKind kind, std::uint32_t id, platform::Bytes* caps) override;

 private:
  SimMultimedia& data_;
};

// Requests complete at once, except on a hanging device, whose requests
// stay pending until an abort (and for good when it ignores aborts).
class SimAspiApi : public platform::AspiApi {
 public:
  explicit SimAspiApi(SimAspi& data) : data_(data) {}
  bool Bound() override { return data_.library; }
  std::uint32_t SupportInfo() override;
  std::uint32_t InquireHostAdapter(std::uint8_t hostAdapter) override;
  std::uint32_t GetDeviceType(std::uint8_t hostAdapter, std::uint8_t target, std::uint8_t lun,
                              std::uint8_t* deviceType) override;
  std::unique_ptr<platform::AspiExecution> Execute(const platform::AspiScsiRequest& request) override;
  std::string LibraryFileName() override { return data_.library ? data_.fileName : std::string(); }

 private:
  const SimAspiDevice* Device(std::uint8_t hostAdapter, std::uint8_t target) const;
  SimAspi& data_;
};

class SimDataEnginesApi : public platform::DataEnginesApi {
 public:
  SimDataEnginesApi(SimCom& com, const std::string& currentDirectory) : com_(com), currentDirectory_(currentDirectory) {}
  std::string CurrentDirectory() override { return currentDirectory_; }
  long InitializeCom() override;
  void UninitializeCom() override { ++com_.uninitializations; }
  platform::ComObject DispatchObject(const std::string& progId, std::uint32_t context) override;
  std::optional<std::string> PropertyText(platform::ComObject object, const std::string& name) override;
  void Release(platform::ComObject object) override;

 private:
  SimCom& com_;
  const std::string& currentDirectory_;
  std::vector<std::string> handedOut_;  // object n is handedOut_[n - 1]
};

}  // namespace nsx::sim
