#include "FirmwareProfile.h"


#include "../LittleEndian.h"
#include "ProfileError.h"
#include "ProfileFile.h"

namespace nsx::sim {
namespace {

const std::uint32_t kEntryPointAt = 0xF0000;
const std::uint32_t kTableAt = 0xE0000;
const std::uint32_t kTableRoom = 0x10000;
const std::uint32_t kImageTableOffset = 0x20;

bool Anchor(const platform::Bytes& b, std::size_t at, const char* text) {
  for (std::size_t i = 0; text[i]; ++i)
    if (at + i >= b.size() || b[at + i] != static_cast<std::uint8_t>(text[i])) return false;
  return true;
}

std::uint32_t Get(const platform::Bytes& b, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | (at + i < b.size() ? b[at + i] : 0);
  return value;
}

// Sets the checksum byte at `at` so that `length` bytes from `from` sum to 0.
void Checksum(platform::Bytes& b, std::size_t from, std::size_t length, std::size_t at) {
  b[at] = 0;
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < length; ++i) sum = static_cast<std::uint8_t>(sum + b[from + i]);
  b[at] = static_cast<std::uint8_t>(0x100 - sum);
}

bool ChecksumHolds(const platform::Bytes& b, std::size_t from, std::size_t length) {
  if (length == 0 || from + length > b.size()) return false;
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < length; ++i) sum = static_cast<std::uint8_t>(sum + b[from + i]);
  return sum == 0;
}

platform::Bytes FirmwareAnswer(const platform::Bytes& memory, std::uint8_t major, std::uint8_t minor,
                               std::uint32_t address, std::uint32_t length) {
  platform::Bytes answer = {0, major, minor, 0, 0, 0, 0, 0};
  if (std::uint64_t(address) + length > memory.size()) return {};
  platform::PutLittleEndian32(answer, 4, length);
  answer.insert(answer.end(), memory.begin() + address, memory.begin() + address + length);
  return answer;
}

}  // namespace

void PlaceDmiImage(const platform::Bytes& image, const std::string& fileName, platform::Bytes& lowMemory) {
  if (image.size() < kImageTableOffset) throw ProfileError(fileName, 0, "too short for an SMBIOS dump");
  platform::Bytes table(image.begin() + kImageTableOffset, image.end());
  if (table.size() > kTableRoom)
    throw ProfileError(fileName, 0, "its table of " + std::to_string(table.size()) +
                                        " bytes does not fit the BIOS area (64 KB at 0xE0000)");
  platform::Bytes entry(image.begin(), image.begin() + kImageTableOffset);
  if (Anchor(entry, 0, "_SM_")) {
    platform::PutLittleEndian32(entry, 0x18, kTableAt);
    Checksum(entry, 0x10, 0x0F, 0x15);
    Checksum(entry, 0, std::min<std::size_t>(entry[5], entry.size()), 4);
  } else if (Anchor(entry, 0, "_SM3_")) {
    platform::PutLittleEndian32(entry, 0x10, kTableAt);
    platform::PutLittleEndian32(entry, 0x14, 0);
    Checksum(entry, 0, std::min<std::size_t>(entry[6], entry.size()), 5);
  } else if (Anchor(entry, 0, "_DMI_")) {
    platform::PutLittleEndian32(entry, 0x08, kTableAt);
    Checksum(entry, 0, 0x0F, 5);
  } else {
    throw ProfileError(fileName, 0, "no \"_SM_\", \"_SM3_\" or \"_DMI_\" entry point at its start");
  }
  if (lowMemory.size() < kLowMemorySize) lowMemory.resize(kLowMemorySize, 0);
  std::copy(entry.begin(), entry.end(), lowMemory.begin() + kEntryPointAt);
  std::copy(table.begin(), table.end(), lowMemory.begin() + kTableAt);
}

std::optional<platform::Bytes> SmbiosFirmwareTable(const platform::Bytes& memory) {
  for (std::size_t at = kEntryPointAt; at + 0x20 <= memory.size() && at < kLowMemorySize; at += 16) {
    if (Anchor(memory, at, "_SM_") && ChecksumHolds(memory, at, memory[at + 5]))
      return FirmwareAnswer(memory, memory[at + 6], memory[at + 7], Get(memory, at + 0x18, 4), Get(memory, at + 0x16, 2));
    if (Anchor(memory, at, "_SM3_") && ChecksumHolds(memory, at, memory[at + 6]) && Get(memory, at + 0x14, 4) == 0)
      return FirmwareAnswer(memory, memory[at + 7], memory[at + 8], Get(memory, at + 0x10, 4), Get(memory, at + 0x0C, 4));
  }
  return std::nullopt;
}

void LoadFirmwareProfile(const IniFile& ini, const std::string& dir, SimMachine& machine) {
  auto& firmware = machine.firmware;
  std::string lowmemPath = dir + "/lowmem.bin", dmiPath = dir + "/dmi.bin";
  platform::Bytes bytes;
  if (ReadProfileFile(lowmemPath, &bytes)) {
    if (bytes.size() != kLowMemorySize)
      throw ProfileError(lowmemPath, 0, "holds " + std::to_string(bytes.size()) +
                                            " bytes; an image of the first megabyte holds 1048576");
    firmware.lowMemory = std::move(bytes);
  }
  if (ReadProfileFile(dmiPath, &bytes)) PlaceDmiImage(bytes, dmiPath, firmware.lowMemory);

  const IniSection* s = ini.Find("firmware");
  if (!s) return;
  auto flag = [&](const char* key, bool fallback) {
    const IniEntry* e = s->Find(key);
    if (!e) return fallback;
    if (e->value != "0" && e->value != "1") throw ProfileError(ini.fileName, e->line, std::string("\"") + key + "\" needs 0 or 1");
    return e->value == "1";
  };
  if (flag("FirmwareTable", false)) firmware.smbiosFirmwareTable = SmbiosFirmwareTable(firmware.lowMemory);
  firmware.linearMemoryReadable = flag("LinearMemory", true);
  if (!flag("Section", true)) firmware.sectionStatus = platform::kStatusAccessDenied;
  if (const IniEntry* e = s->Find("DumpProgram")) {
    if (e->value == "runs")
      machine.files.child = SimChild::Runs;
    else if (e->value == "hangs")
      machine.files.child = SimChild::Hangs;
    else if (e->value == "fails")
      machine.files.child = SimChild::DoesNotStart;
    else
      throw ProfileError(ini.fileName, e->line, "\"DumpProgram\" is runs, hangs or fails");
  }
}

}  // namespace nsx::sim
