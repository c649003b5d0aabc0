// The platform interface: every operation the topics ask of Windows, in plain
// C++ types. platform/win32 implements it with the real calls, platform/sim
// with a simulated machine.
#pragma once
#include <memory>

#include "Aspi.h"
#include "DataEngines.h"
#include "DeviceIo.h"
#include "Disk.h"
#include "Display.h"
#include "Firmware.h"
#include "Performance.h"
#include "Memory.h"
#include "Network.h"
#include "Multimedia.h"
#include "Process.h"
#include "Processor.h"
#include "Regional.h"
#include "Internet.h"
#include "Registry.h"
#include "Session.h"
#include "Shell.h"
#include "Spooler.h"
#include "System.h"

namespace nsx::platform {

class Platform {
 public:
  virtual ~Platform() = default;
  virtual SystemApi& System() = 0;
  virtual RegistryApi& Registry() = 0;
  virtual UserInterfaceApi& UserInterface() = 0;
  virtual RegionalApi& Regional() = 0;
  virtual InternetApi& Internet() = 0;
  virtual ProcessorApi& Processor() = 0;
  virtual MemoryApi& Memory() = 0;
  virtual PerformanceApi& Performance() = 0;
  virtual DiskApi& Disk() = 0;
  virtual DeviceIoApi& DeviceIo() = 0;
  virtual FirmwareApi& Firmware() = 0;
  virtual ProcessApi& Processes() = 0;
  virtual SessionApi& Session() = 0;
  virtual SpoolerApi& Spooler() = 0;
  virtual ShellApi& Shell() = 0;
  virtual DisplayApi& Display() = 0;
  virtual NetworkApi& Network() = 0;
  virtual MultimediaApi& Multimedia() = 0;
  virtual AspiApi& Aspi() = 0;
  virtual DataEnginesApi& DataEngines() = 0;
};

}  // namespace nsx::platform
