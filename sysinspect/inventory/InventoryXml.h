// Building the sections of an OCS Inventory NG request: one element per
// entry, one child per field, every text made safe for XML in the machine's
// ANSI code page, and the CHECKSUM bits of the sections written.
#pragma once
#include <cstdint>
#include <string>

namespace nsx::inventory {

// A section of the request and its bit in HARDWARE's CHECKSUM (the masks of
// the server's Apache/Ocsinventory/Map.pm; 0: the server keeps no bit).
struct TSection {
  const char* name;
  std::uint32_t checksumBit;
};

// name           checksum bit
constexpr TSection kHardware{"HARDWARE", 1};
constexpr TSection kBios{"BIOS", 2};
constexpr TSection kMemories{"MEMORIES", 4};
constexpr TSection kSlots{"SLOTS", 8};
constexpr TSection kControllers{"CONTROLLERS", 32};
constexpr TSection kMonitors{"MONITORS", 64};
constexpr TSection kPorts{"PORTS", 128};
constexpr TSection kStorages{"STORAGES", 256};
constexpr TSection kDrives{"DRIVES", 512};
constexpr TSection kNetworks{"NETWORKS", 4096};
constexpr TSection kPrinters{"PRINTERS", 8192};
constexpr TSection kSounds{"SOUNDS", 16384};
constexpr TSection kVideos{"VIDEOS", 32768};
constexpr TSection kSoftwares{"SOFTWARES", 65536};
constexpr TSection kCpus{"CPUS", 262144};
constexpr TSection kAccountInfo{"ACCOUNTINFO", 0};

// Text as it may stand between tags: characters XML forbids and bytes the
// code page leaves undefined become '?', markup characters become entities.
std::string XmlText(const std::string& text, std::uint32_t codePage);

class TInventoryXml;

// One element of a section, closed when it goes out of scope.
class TEntry {
 public:
  TEntry(TInventoryXml& xml, const TSection& section);
  TEntry(const TEntry&) = delete;
  TEntry& operator=(const TEntry&) = delete;
  ~TEntry();

  // A text field; an empty (or all-blank) text is left out, as the server
  // drops empty elements anyway.
  void Text(const char* field, const std::string& value);
  // A number field, always written: the server may put it into SQL as it is.
  void Integer(const char* field, std::int64_t value);

 private:
  TInventoryXml& xml_;
  const char* name_;
};

class TInventoryXml {
 public:
  explicit TInventoryXml(std::uint32_t codePage) : codePage_(codePage) {}

  TEntry Entry(const TSection& section) { return TEntry(*this, section); }
  // The CHECKSUM bits of every section that has an entry here.
  std::uint32_t ChecksumBits() const { return checksumBits_; }
  const std::string& Text() const { return text_; }

 private:
  friend class TEntry;
  std::uint32_t codePage_;
  std::uint32_t checksumBits_ = 0;
  std::string text_;
};

}  // namespace nsx::inventory
