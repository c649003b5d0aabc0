#include "NSX_GUI.h"

#include "../hardware/NSX_APM.h"
#include "../hardware/NSX_CPU.h"
#include "../hardware/NSX_Machine.h"
#include "../hardware/NSX_Devices.h"
#include "../hardware/NSX_Disk.h"
#include "../hardware/NSX_IDE.h"
#include "../hardware/NSX_Memory.h"
#include "../software/NSX_Display.h"
#include "../software/NSX_Network.h"
#include "../software/NSX_Engines.h"
#include "../software/NSX_Media.h"
#include "../software/NSX_OS.h"
#include "../software/NSX_Printers.h"
#include "../software/NSX_Software.h"
#include "../software/NSX_Startup.h"

namespace nsx {

TNSystemInfo::TNSystemInfo()
    : about_(std::string(kComponentName) + " " + kComponentVersion + " - " + kCopyright) {
  // Creation order: CPU, Memory, OS, Disk, Machine, Network, Display, Media,
  // Devices, IDE, Engines, APM, Printers, Software, Startup.
  cpu_ = std::make_unique<TCPU>();
  memory_ = std::make_unique<TMemory>();
  os_ = std::make_unique<TOperatingSystem>();
  disk_ = std::make_unique<TDisk>();
  machine_ = std::make_unique<TMachine>();
  network_ = std::make_unique<TNetwork>();
  display_ = std::make_unique<TDisplay>();
  media_ = std::make_unique<TMedia>();
  devices_ = std::make_unique<TDevices>();
  ide_ = std::make_unique<TIDE>();
  engines_ = std::make_unique<TEngines>();
  apm_ = std::make_unique<TAPM>();
  printers_ = std::make_unique<TPrinters>();
  software_ = std::make_unique<TSoftware>();
  startup_ = std::make_unique<TStartup>();
}

TNSystemInfo::~TNSystemInfo() {
  // Members are destroyed in reverse declaration order; the topics are
  // released explicitly in their documented order.
  cpu_.reset();
  memory_.reset();
  os_.reset();
  disk_.reset();
  machine_.reset();
  network_.reset();
  display_.reset();
  media_.reset();
  devices_.reset();
  ide_.reset();
  engines_.reset();
  apm_.reset();
  printers_.reset();
  software_.reset();
  startup_.reset();
}

void TNSystemInfo::SetExceptionMode(TExceptionMode mode) {
  exceptionMode_ = mode;
  // Propagates to OS, Network, CPU and Engines, each only when it exists.
  if (os_) os_->SetExceptionMode(mode);
  if (network_) network_->SetExceptionMode(mode);
  if (cpu_) cpu_->SetExceptionMode(mode);
  if (engines_) engines_->SetExceptionMode(mode);
}

void TNSystemInfo::Refresh() {
  std::unique_ptr<TSplashHandle> splash = splashFactory_ ? splashFactory_() : nullptr;
  GatherTopics();  // the splash window goes with `splash`, whatever happens
}

void TNSystemInfo::GatherTopics() {
  // Devices, CPU, Memory, OS, Disk, the disk's drive, Machine, Network,
  // Display, Media, Engines, IDE, APM, Printers, Software, Startup.
  GuardCall(devices_->ClassName() + ".GetInfo", exceptionMode_, *devices_, &TDevices::GetInfo);
  GuardCall(cpu_->ClassName() + ".GetInfo", exceptionMode_, *cpu_, &TCPU::GetInfo, 1, true);
  GuardCall(memory_->ClassName() + ".GetInfo", exceptionMode_, *memory_, &TMemory::GetInfo);
  GuardCall(os_->ClassName() + ".GetInfo", exceptionMode_, *os_, &TOperatingSystem::GetInfo);
  GuardCall(disk_->ClassName() + ".GetInfo", exceptionMode_, *disk_, &TDisk::GetInfo);
  // Not guarded: the drive that holds the Windows directory.
  disk_->SetDrive(Sys().WindowsDirectory().substr(0, 2));
  GuardCall(machine_->ClassName() + ".GetInfo", exceptionMode_, *machine_, &TMachine::GetInfo, 1);
  GuardCall(network_->ClassName() + ".GetInfo", exceptionMode_, *network_, &TNetwork::GetInfo);
  GuardCall(display_->ClassName() + ".GetInfo", exceptionMode_, *display_, &TDisplay::GetInfo);
  GuardCall(media_->ClassName() + ".GetInfo", exceptionMode_, *media_, &TMedia::GetInfo);
  GuardCall(engines_->ClassName() + ".GetInfo", exceptionMode_, *engines_, &TEngines::GetInfo);
  GuardCall(ide_->ClassName() + ".GetInfo", exceptionMode_, *ide_, &TIDE::GetInfo);
  GuardCall(apm_->ClassName() + ".GetInfo", exceptionMode_, [this] { apm_->GetInfo(); });
  GuardCall(printers_->ClassName() + ".GetInfo", exceptionMode_, *printers_, &TPrinters::GetInfo);
  GuardCall(software_->ClassName() + ".GetInfo", exceptionMode_, *software_, &TSoftware::GetInfo);
  GuardCall(startup_->ClassName() + ".GetInfo", exceptionMode_, *startup_, &TStartup::GetInfo);
}

void TNSystemInfo::Report(TReportList& list) {
  WriteReportHeader(list);
  // Machine, OS, CPU, Memory, Display, APM, Media, Network, Devices, IDE,
  // Engines, Disk, Printers, Software, Startup.
  machine_->Report(list, false);
  os_->Report(list, false);
  cpu_->Report(list, false);
  memory_->Report(list, false);
  display_->Report(list, false);
  apm_->Report(list, false);
  media_->Report(list, false);
  network_->Report(list, false);
  devices_->Report(list, false);
  ide_->Report(list, false);
  engines_->Report(list, false);
  disk_->Report(list, false);
  printers_->Report(list, false);
  software_->Report(list, false);
  startup_->Report(list, false);
  WriteReportFooter(list);
}

void TNSystemInfo::ShowOverview() {
  if (overviewRunner_) overviewRunner_(*this);
}

}  // namespace nsx
