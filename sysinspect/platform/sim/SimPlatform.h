// The platform interface answered from a SimMachine.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../Platform.h"
#include "SimDiskApi.h"
#include "SimDisplayApi.h"
#include "SimEnginesApi.h"
#include "SimFirmwareApi.h"
#include "SimHardwareApi.h"
#include "SimMachine.h"
#include "SimNetworkApi.h"
#include "SimRegional.h"
#include "SimSoftwareApi.h"

namespace nsx::sim {

class SimPlatform : public platform::Platform,
                    platform::SystemApi,
                    platform::UserInterfaceApi,
                    platform::SessionApi {
 public:
  explicit SimPlatform(SimMachine machine);
  ~SimPlatform() override;

  platform::SystemApi& System() override { return *this; }
  platform::RegistryApi& Registry() override { return *registryApi_; }
  platform::UserInterfaceApi& UserInterface() override { return *this; }
  platform::RegionalApi& Regional() override { return regionalApi_; }
  platform::InternetApi& Internet() override { return internetApi_; }
  platform::ProcessorApi& Processor() override { return processorApi_; }
  platform::MemoryApi& Memory() override { return memoryApi_; }
  platform::PerformanceApi& Performance() override { return performanceApi_; }
  platform::DiskApi& Disk() override { return diskApi_; }
  platform::DeviceIoApi& DeviceIo() override { return deviceIoApi_; }
  platform::FirmwareApi& Firmware() override { return firmwareApi_; }
  platform::ProcessApi& Processes() override { return processApi_; }
  platform::SessionApi& Session() override { return *this; }
  platform::SpoolerApi& Spooler() override { return spoolerApi_; }
  platform::ShellApi& Shell() override { return shellApi_; }
  platform::DisplayApi& Display() override { return displayApi_; }
  platform::NetworkApi& Network() override { return networkApi_; }
  platform::MultimediaApi& Multimedia() override { return multimediaApi_; }
  platform::AspiApi& Aspi() override { return aspiApi_; }
  platform::DataEnginesApi& DataEngines() override { return dataEnginesApi_; }

  SimMachine& Machine() { return machine_; }
  SimRegistryApi& RegistryApi() { return *registryApi_; }

  // Where errors go: console lines and message boxes are recorded, and console
  // lines are also handed to `consoleSink` when it is set (the reporter prints them).
  std::vector<std::string> consoleLines;
  std::vector<std::string> messageBoxes;
  std::function<void(const std::string&)> consoleSink;
  bool console = true;

  // SystemApi
  platform::VersionInfo GetVersion() override;
  std::optional<std::string> ComputerName() override;
  std::optional<std::string> UserName() override;
  std::string WindowsDirectory() override;
  std::string SystemDirectory() override;
  std::string TempPath() override;
  platform::Bytes GetEnvironmentBlock() override;
  std::optional<std::string> ExpandEnvironment(const std::string& text) override;
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;
  std::optional<std::string> SpecialFolderPath(int csidl) override;
  std::uint16_t GetSystemDefaultLangId() override;
  std::uint32_t GetAnsiCodePage() override;
  std::optional<platform::Bytes> FileVersionInfo(const std::string& fileName) override;
  bool HasLoadedModuleEntry(const std::string& module, const std::string& entry) override;
  std::string WideToAnsi(const std::u16string& text) override;
  std::uint32_t GetTickCount() override;

  // SessionApi
  std::optional<platform::KeyboardState> Keyboard() override { return machine_.keyboard; }
  std::optional<std::uint64_t> TickCount64() override { return machine_.tickCount64; }

  // UserInterfaceApi
  bool IsConsoleProcess() override { return console; }
  void WriteConsoleLine(const std::string& line) override;
  void ShowErrorBox(const std::string& text, const std::string& caption) override;

 private:
  SimMachine machine_;
  SimProcessorApi processorApi_{machine_.processor};
  SimMemoryApi memoryApi_{machine_.memory};
  std::unique_ptr<SimRegistryApi> registryApi_;
  SimRegionalApi regionalApi_{machine_};
  SimInternetApi internetApi_{machine_};
  SimPerformanceApi performanceApi_{machine_.performance};
  SimDiskApi diskApi_{machine_};
  SimDeviceIoApi deviceIoApi_{machine_};
  SimFirmwareApi firmwareApi_{machine_.firmware};
  SimProcessApi processApi_{machine_};
  SimSpoolerApi spoolerApi_{machine_};
  SimShellApi shellApi_{machine_};
  SimDisplayApi displayApi_{machine_.display};
  SimNetworkApi networkApi_{machine_};
  SimMultimediaApi multimediaApi_{machine_.media};
  SimAspiApi aspiApi_{machine_.aspi};
  SimDataEnginesApi dataEnginesApi_{machine_.com, machine_.currentDirectory};
};

}  // namespace nsx::sim
