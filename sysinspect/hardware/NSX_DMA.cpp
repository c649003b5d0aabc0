#include "NSX_DMA.h"

#include "../core/Runtime.h"

namespace nsx {
namespace {

const std::uint32_t kFirstMegabyte = 0x100000;
const char kDumpDirectoryStem[] = "~RomDmp";
const char kDumpProgramName[] = "RomDump.com";
const char kDumpFileName[] = "Rom.dmp";
const char kDumpErrorCaption[] = "NSXC - TDMA.MapMemory";
const int kMaxDumpDirectories = 10000;
// No BIOS structure is larger; a bigger request is refused unread.
const std::uint32_t kMaxWindow = 0x100000;

// The dump program with its two selector bytes at kSelectorOffsets.
const std::uint8_t kDumpProgram[] = {
    0x31, 0xD2, 0xB6, 0x00, 0x8E, 0xDA, 0x31, 0xD2, 0x31, 0xC9, 0x49, 0x31, 0xDB, 0x43, 0xB4, 0x40,
    0xCD, 0x21, 0x72, 0x16, 0x31, 0xD2, 0xB6, 0x00, 0x8E, 0xDA, 0x31, 0xD2, 0x4A, 0x31, 0xC9, 0x41,
    0x89, 0xCB, 0xB4, 0x40, 0xCD, 0x21, 0x72, 0x02, 0xB0, 0x00, 0xB4, 0x4C, 0xCD, 0x21,
};
const int kSelectorOffsets[] = {3, 23};

// A range [address, address + length) that lies inside the first megabyte.
bool BelowOneMegabyte(std::uint32_t address, std::uint32_t length) {
  return std::uint64_t(address) + length <= kFirstMegabyte;
}

// The dump's directory and its two files; whatever happens, the dump, the
// program and the directory are deleted, in that order.
class TDumpDirectory {
 public:
  explicit TDumpDirectory(std::string directory)
      : dir_(std::move(directory)),
        program_(dir_ + "\\" + kDumpProgramName),
        dump_(dir_ + "\\" + kDumpFileName),
        created_(Machine().Processes().MakeDirectory(dir_)) {}
  TDumpDirectory(const TDumpDirectory&) = delete;
  TDumpDirectory& operator=(const TDumpDirectory&) = delete;
  ~TDumpDirectory() {
    if (!created_) return;
    auto& files = Machine().Processes();
    files.RemoveFile(dump_);
    files.RemoveFile(program_);
    files.RemoveEmptyDirectory(dir_);
  }
  bool Created() const { return created_; }
  const std::string& Program() const { return program_; }
  const std::string& Dump() const { return dump_; }

 private:
  std::string dir_, program_, dump_;
  bool created_;
};

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

}  // namespace

bool OnNTPlatform() { return OSInfo().IsNT || OSInfo().OSPlatformId == platform::kPlatformNT; }

std::uint8_t DumpSelector(std::uint32_t address) {
  return static_cast<std::uint8_t>(16 * ((address >> 16) & 0xF) + ((address >> 20) & 0xF));
}

std::optional<platform::Bytes> DumpProgram(std::uint8_t selector) {
  if (selector & 0x0F) return std::nullopt;
  platform::Bytes program(std::begin(kDumpProgram), std::end(kDumpProgram));
  for (int offset : kSelectorOffsets) program[offset] = selector;
  return program;
}

bool DumpSegment(std::uint8_t selector, platform::Bytes& window, std::uint32_t timeoutMilliseconds) {
  window.assign(kSegmentSize, 0);
  std::string temp = Sys().TempPath();
  if (temp.empty()) return false;
  if (temp.back() != '\\') temp += '\\';
  auto& files = Machine().Processes();
  std::string directory;
  for (int i = 1; i <= kMaxDumpDirectories && directory.empty(); ++i) {
    std::string candidate = temp + kDumpDirectoryStem + std::to_string(i);
    if (!files.DirectoryExists(candidate)) directory = candidate;
  }
  if (directory.empty()) return false;
  TDumpDirectory dump(directory);
  if (!dump.Created()) return false;

  auto program = DumpProgram(selector);
  if (!program) return false;
  auto written = files.WriteNewFile(dump.Program(), *program);
  if (!written || *written != program->size()) return false;

  auto comSpec = Sys().EnvironmentVariable("ComSpec");
  if (!comSpec || comSpec->empty()) return false;
  // The outer quotes are the ones the interpreter's /C takes away, so the
  // quoted paths inside survive blanks in the temporary directory.
  std::string command = Quoted(*comSpec) + " /C \"" + Quoted(dump.Program()) + " > " + Quoted(dump.Dump()) + "\"";
  platform::ChildOutcome child = files.RunHidden(command, timeoutMilliseconds);
  if (child.end != platform::ChildEnd::Ended || child.exitCode != 0) return false;

  auto bytes = files.ReadExistingFile(dump.Dump(), kSegmentSize);
  if (!bytes || bytes->size() != kSegmentSize) return false;
  window = std::move(*bytes);
  return true;
}

TDMA::TDMA() : pageSize_(Machine().Processor().SystemInfo().pageSize) {}

bool TDMA::MapMemory(std::uint32_t address, std::uint32_t length) {
  start_ = address;
  buffer_.clear();
  if (length == 0 || length > kMaxWindow || std::uint64_t(address) + length > 0x100000000ull) return false;
  buffer_.assign(length, 0);
  if (!OnNTPlatform()) return MapLinear(address, length);
  if (MapSection(address, length)) return true;
  return MapDump(address, length);
}

bool TDMA::MapLinear(std::uint32_t address, std::uint32_t length) {
  // Only the first megabyte is physical memory at its own linear address.
  if (!BelowOneMegabyte(address, length)) return false;
  return Machine().Firmware().CopyLinearMemory(address, length, buffer_.data());
}

bool TDMA::MapSection(std::uint32_t address, std::uint32_t length) {
  auto& firmware = Machine().Firmware();
  std::uintptr_t section = 0;
  if (firmware.OpenPhysicalMemory(&section) != platform::kStatusSuccess) return false;
  struct TSectionCloser {
    platform::FirmwareApi& firmware;
    std::uintptr_t section;
    ~TSectionCloser() { firmware.CloseSection(section); }
  } closer{firmware, section};
  std::uint32_t page = pageSize_ ? pageSize_ : 4096;
  std::uint32_t base = address - address % page;
  std::uint32_t delta = address - base;
  if (std::uint64_t(length) + delta > 0xFFFFFFFFull) return false;
  platform::Bytes view;
  if (!firmware.ReadView(section, base, length + delta, &view) || view.size() < std::uint64_t(length) + delta)
    return false;
  std::copy(view.begin() + delta, view.begin() + delta + length, buffer_.begin());
  return true;
}

bool TDMA::MapDump(std::uint32_t address, std::uint32_t length) {
  std::uint32_t offset = address & 0xFFFF;
  // The program dumps one 64 KB segment of the first megabyte: a request
  // beyond it, or across the segment's end, is refused.
  if (!BelowOneMegabyte(address, length) || offset + std::uint64_t(length) > kSegmentSize) return false;
  try {
    platform::Bytes segment;
    if (!DumpSegment(DumpSelector(address), segment, kDumpTimeoutMilliseconds)) return false;
    std::copy(segment.begin() + offset, segment.begin() + offset + length, buffer_.begin());
    return true;
  } catch (const std::exception& error) {
    buffer_.assign(length, 0);
    if (exceptionMode_ == emRaise) throw;
    if (exceptionMode_ == emMessage) {
      auto& ui = Machine().UserInterface();
      if (ui.IsConsoleProcess())
        ui.WriteConsoleLine(std::string(kDumpErrorCaption) + ": " + error.what());
      else
        ui.ShowErrorBox(error.what(), kDumpErrorCaption);
    }
    return false;
  }
}

}  // namespace nsx
