// The simulated machine's multimedia devices, ASPI layer and automation
// objects: the data behind MultimediaApi, AspiApi and DataEnginesApi, and
// what those interfaces were asked.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "../Aspi.h"
#include "../Multimedia.h"
#include "../WinTypes.h"
#include "SimRegistry.h"

namespace nsx::sim {

// A wave, MIDI, auxiliary or mixer device: its product name (the first 32
// bytes fill szPname, without a NUL when the name is that long) and its
// vDriverVersion; `result` is what its caps query answers (0: the caps).
struct SimMediaDevice {
  std::string name;
  std::uint32_t driverVersion = 0;
  std::uint32_t result = platform::kMmSysErrNoError;
};

struct SimMultimedia {
  std::map<platform::MediaDeviceKind, std::vector<SimMediaDevice>> devices;
};

// A device on an ASPI host adapter (LUN 0).
struct SimAspiDevice {
  std::uint8_t deviceType = 0;       // SRB_DeviceType of the get-device-type request
  platform::Bytes inquiry;           // the INQUIRY data it returns (up to the buffer's length)
  std::uint8_t testUnitReadyStatus = platform::kSsComp;
  std::uint8_t inquiryStatus = platform::kSsComp;
  bool hangs = false;                // takes every execute request and never completes it
  bool ignoresAbort = false;         // an abort leaves its hung request pending
};

// Standard INQUIRY data as a SCSI-2 device returns it (56 bytes): the
// peripheral device type, then vendor (8 bytes), product (16), revision (4)
// and vendor-specific text (20), each cut or padded with blanks to its width.
platform::Bytes StandardInquiry(std::uint8_t deviceType, const std::string& vendor, const std::string& product,
                                const std::string& revision, const std::string& vendorSpecific);

struct SimAspiAdapter {
  bool answers = true;  // the host-adapter inquiry completes (SS_COMP)
  std::map<std::uint8_t, SimAspiDevice> targets;
};

struct SimAspi {
  bool library = false;      // wnaspi32.dll loads, with both entry points
  std::string fileName;      // its module file name
  // GetASPI32SupportInfo; nullopt: SS_COMP and the adapter count, or
  // SS_NO_ADAPTERS without adapters.
  std::optional<std::uint32_t> supportInfo;
  std::vector<SimAspiAdapter> adapters;
  bool eventsFail = false;   // CreateEventA fails

  // What was asked, in order: "adapter 0", "type 0:3", "exec 0:3 12/48/100"
  // (operation code, flags, buffer length), "wait 0:3 4000", "abort 0:3".
  std::vector<std::string> requests;
  std::uint64_t waitedMilliseconds = 0;  // over all waits for requests
  int liveRequests = 0;      // posted requests whose objects still exist
  int keptRequests = 0;      // requests given up while the layer still held them
};

// An automation object by its ProgID: its "Version" property (nullopt:
// the property cannot be read), where its server runs, and whether an
// instance is running already.
struct SimComClass {
  std::optional<std::string> version;
  bool inProcess = true;  // false: only a local server (an executable) provides it
  bool running = false;   // GetActiveObject finds an instance
};

struct SimCom {
  std::map<std::string, SimComClass, NoCaseLess> classes;
  long initializeResult = 0;  // what CoInitialize answers (S_OK)
  // What happened: CoInitialize and CoUninitialize calls, objects handed
  // out and not released, objects released after COM was shut down, and
  // servers started to make an object.
  int initializations = 0, uninitializations = 0;
  int liveObjects = 0;
  int releasedAfterUninitialize = 0;
  std::vector<std::string> serversStarted;
};

}  // namespace nsx::sim
