// RegionalApi and InternetApi answered from a SimMachine.
#pragma once
#include "../Internet.h"
#include "../Regional.h"
#include "SimMachine.h"

namespace nsx::sim {

class SimRegionalApi : public platform::RegionalApi {
 public:
  explicit SimRegionalApi(SimMachine& machine) : machine_(machine) {}
  std::uint32_t CurrentTimeZone(platform::TimeZoneInformation* info) override;
  platform::SystemTime LocalTime() override;
  std::optional<std::string> LocaleText(std::uint32_t locale, std::uint32_t item) override;

 private:
  SimMachine& machine_;
};

class SimInternetApi : public platform::InternetApi {
 public:
  explicit SimInternetApi(SimMachine& machine) : machine_(machine) {}
  bool FileExists(const std::string& path) override;
  std::optional<platform::RasEnumResult> EnumRasConnections(std::uint32_t entries) override;

 private:
  SimMachine& machine_;
};

}  // namespace nsx::sim
