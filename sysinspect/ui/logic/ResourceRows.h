// The rows the resources dialog shows for one device's resource record:
// which list each partial descriptor goes to and the texts of its columns.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nsx::ui {

// A partial resource descriptor as the dialog needs it: its type and the
// fields of that type, with the texts its flags decode to.
struct TResourceDescriptorView {
  std::uint8_t type = 0;  // 1 port, 2 interrupt, 3 memory, 4 DMA, 5 device-specific data
  std::uint64_t start = 0;                       // port, memory
  std::uint32_t length = 0;                      // port, memory
  std::uint32_t level = 0, vector = 0;           // interrupt
  std::uint64_t affinity = 0;                    // interrupt
  std::uint32_t channel = 0, port = 0;           // DMA
  std::uint32_t reserved1 = 0, reserved2 = 0, dataSize = 0;  // device-specific data
  std::string flagsText;  // port type, interrupt type or memory access
};

struct TResourceRecordView {
  std::string interfaceTypeName;
  std::uint32_t busNumber = 0;
  std::uint32_t version = 0, revision = 0;
  std::vector<TResourceDescriptorView> descriptors;
};

enum TResourceList { rlNone, rlDMA, rlIRQ, rlMemory, rlPort, rlDeviceData };

struct TResourceRow {
  TResourceList list;
  std::vector<std::string> cells;
};

// The row a descriptor adds; list rlNone for a type outside 1 to 5.
TResourceRow ResourceRow(const TResourceDescriptorView& descriptor);

// The four labels of the "General" group.
std::vector<std::string> ResourceGeneralLabels(const TResourceRecordView& record);

}  // namespace nsx::ui
