// TNSystemInfo: the one aggregate that owns an object per topic, gathers
// them in a fixed order under its exception mode and writes the report of
// all topics.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "NSX_Common.h"

namespace nsx {

class TCPU;
class TMemory;
class TAPM;
class TDisk;
class TIDE;
class TMachine;
class TDevices;
class TDisplay;
class TNetwork;
class TEngines;
class TMedia;
class TOperatingSystem;
class TPrinters;
class TSoftware;
class TStartup;

// The splash window shown while gathering; destroyed with its handle. The
// user interface supplies it; a console program has none.
class TSplashHandle {
 public:
  virtual ~TSplashHandle() = default;
};
using TSplashFactory = std::function<std::unique_ptr<TSplashHandle>()>;

class TNSystemInfo {
 public:
  TNSystemInfo();
  TNSystemInfo(const TNSystemInfo&) = delete;
  TNSystemInfo& operator=(const TNSystemInfo&) = delete;
  virtual ~TNSystemInfo();

  const std::string& About() const { return about_; }
  TExceptionMode ExceptionMode() const { return exceptionMode_; }
  void SetExceptionMode(TExceptionMode mode);

  // Gathers every topic, in order, behind the splash window.
  void Refresh();
  // Writes the report of all topics into the list (what the last Refresh left).
  virtual void Report(TReportList& list);
  // Creates, fills and shows the overview window modally (the user interface
  // supplies it).
  void ShowOverview();

  void SetSplashFactory(TSplashFactory factory) { splashFactory_ = std::move(factory); }
  void SetOverviewRunner(std::function<void(TNSystemInfo&)> runner) { overviewRunner_ = std::move(runner); }

  // Topic objects, owned for the aggregate's whole life; each joins here as
  // its class exists.
  TCPU& CPU() { return *cpu_; }
  TMemory& Memory() { return *memory_; }
  TOperatingSystem& OS() { return *os_; }
  TDisk& Disk() { return *disk_; }
  TIDE& IDE() { return *ide_; }
  TMachine& Machine() { return *machine_; }
  TNetwork& Network() { return *network_; }
  TDisplay& Display() { return *display_; }
  TMedia& Media() { return *media_; }
  TDevices& Devices() { return *devices_; }
  TEngines& Engines() { return *engines_; }
  TAPM& APM() { return *apm_; }
  TPrinters& Printers() { return *printers_; }
  TSoftware& Software() { return *software_; }
  TStartup& Startup() { return *startup_; }

 private:
  void GatherTopics();

  std::string about_;
  TExceptionMode exceptionMode_ = emMessage;
  TSplashFactory splashFactory_;
  std::function<void(TNSystemInfo&)> overviewRunner_;
  std::unique_ptr<TCPU> cpu_;
  std::unique_ptr<TMemory> memory_;
  std::unique_ptr<TOperatingSystem> os_;
  std::unique_ptr<TDisk> disk_;
  std::unique_ptr<TIDE> ide_;
  std::unique_ptr<TMachine> machine_;
  std::unique_ptr<TNetwork> network_;
  std::unique_ptr<TDisplay> display_;
  std::unique_ptr<TMedia> media_;
  std::unique_ptr<TDevices> devices_;
  std::unique_ptr<TEngines> engines_;
  std::unique_ptr<TAPM> apm_;
  std::unique_ptr<TPrinters> printers_;
  std::unique_ptr<TSoftware> software_;
  std::unique_ptr<TStartup> startup_;
};

}  // namespace nsx
