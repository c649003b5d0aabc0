#include "EnginesProfile.h"

#include <strings.h>

#include <cstdio>

#include "CodePage.h"
#include "ProfileError.h"
#include "ProfileFile.h"

namespace nsx::sim {
namespace {

struct MediaKindName {
  const char* key;
  platform::MediaDeviceKind kind;
};
const MediaKindName kMediaKinds[] = {
    // key      kind
    {"WaveOut", platform::MediaDeviceKind::WaveOut},
    {"WaveIn",  platform::MediaDeviceKind::WaveIn},
    {"MidiOut", platform::MediaDeviceKind::MidiOut},
    {"MidiIn",  platform::MediaDeviceKind::MidiIn},
    {"Aux",     platform::MediaDeviceKind::Aux},
    {"Mixer",   platform::MediaDeviceKind::Mixer},
};

bool Named(const std::string& name, const char* wanted) { return strcasecmp(name.c_str(), wanted) == 0; }

class EnginesLoader {
 public:
  EnginesLoader(const IniFile& ini, const std::string& dir, SimMachine& machine) : ini_(ini), dir_(dir), m_(machine) {}

  void Run() {
    m_.aspi.fileName = m_.systemDir + "\\WNASPI32.DLL";
    for (const auto& section : ini_.sections) {
      const std::string& name = section.name;
      if (Named(name, "machine")) Machine(section);
      if (Named(name, "media")) Media(section);
      if (Named(name, "aspi")) Aspi(section);
      if (strncasecmp(name.c_str(), "aspi adapter ", 13) == 0) Adapter(section);
      else if (strncasecmp(name.c_str(), "aspi ", 5) == 0) Device(section);
      if (Named(name, "com")) Com(section, true);
      if (Named(name, "com local")) Com(section, false);
    }
  }

 private:
  std::uint64_t Unsigned(const IniEntry& e, std::uint64_t max) const { return IniUnsigned(e, ini_.fileName, max); }
  std::uint8_t U8(const IniEntry& e) const { return static_cast<std::uint8_t>(Unsigned(e, 0xFF)); }
  bool Flag(const IniEntry& e) const { return Unsigned(e, 1) != 0; }
  std::string Ansi(const std::string& utf8) const { return Utf8ToAnsi(utf8, m_.ansiCodePage); }
  [[noreturn]] void Fail(int line, const std::string& message) const {
    throw ProfileError(ini_.fileName, line, message);
  }

  void Machine(const IniSection& s) {
    if (auto* e = s.Find("CurrentDir")) m_.currentDirectory = Ansi(e->value);
  }

  // KIND=VERSION,NAME: one device of a kind, in id order.
  void Media(const IniSection& s) {
    for (const auto& e : s.entries) {
      const MediaKindName* kind = nullptr;
      for (const auto& row : kMediaKinds)
        if (Named(e.key, row.key)) kind = &row;
      auto comma = e.value.find(',');
      if (!kind || comma == std::string::npos)
        Fail(e.line, "a multimedia device is KIND=VERSION,NAME with KIND one of WaveOut, WaveIn, MidiOut, MidiIn, "
                     "Aux, Mixer");
      SimMediaDevice device;
      device.driverVersion =
          static_cast<std::uint32_t>(Unsigned({e.key, e.value.substr(0, comma), e.line}, 0xFFFFFFFFu));
      device.name = Ansi(e.value.substr(comma + 1));
      m_.media.devices[kind->kind].push_back(device);
    }
  }

  void Aspi(const IniSection& s) {
    m_.aspi.library = true;
    if (auto* e = s.Find("Library")) m_.aspi.library = Flag(*e);
    if (auto* e = s.Find("File")) m_.aspi.fileName = Ansi(e->value);
    if (auto* e = s.Find("SupportInfo")) m_.aspi.supportInfo = static_cast<std::uint32_t>(Unsigned(*e, 0xFFFFFFFFu));
    if (auto* e = s.Find("Events")) m_.aspi.eventsFail = !Flag(*e);
  }

  SimAspiAdapter& AdapterAt(unsigned number) {
    if (m_.aspi.adapters.size() <= number) m_.aspi.adapters.resize(number + 1);
    return m_.aspi.adapters[number];
  }

  int FirstLine(const IniSection& s) const { return s.entries.empty() ? 0 : s.entries[0].line; }

  void Adapter(const IniSection& s) {
    unsigned number = 0;
    char end = 0;
    if (std::sscanf(s.name.c_str() + 13, "%u%c", &number, &end) != 1 || number > 7)
      Fail(FirstLine(s), "an adapter section is [aspi adapter H] with H from 0 to 7, not [" + s.name + "]");
    SimAspiAdapter& adapter = AdapterAt(number);
    if (auto* e = s.Find("Answers")) adapter.answers = Flag(*e);
  }

  // [aspi H:T]: the device at target T of host adapter H.
  void Device(const IniSection& s) {
    unsigned adapter = 0, target = 0;
    char end = 0;
    if (std::sscanf(s.name.c_str() + 5, "%u:%u%c", &adapter, &target, &end) != 2 || adapter > 7 || target > 15)
      Fail(FirstLine(s), "a device section is [aspi H:T] with H from 0 to 7 and T from 0 to 15, not [" + s.name + "]");
    SimAspiDevice& device = AdapterAt(adapter).targets[static_cast<std::uint8_t>(target)];
    auto text = [&](const char* key) {
      auto* e = s.Find(key);
      return e ? Ansi(e->value) : std::string();
    };
    if (auto* e = s.Find("Type")) device.deviceType = U8(*e);
    device.inquiry = StandardInquiry(device.deviceType, text("Vendor"), text("Product"), text("Revision"), text("Info"));
    if (auto* e = s.Find("Inquiry")) device.inquiry = ReadBytes(*e);
    if (auto* e = s.Find("TestUnitReady")) device.testUnitReadyStatus = U8(*e);
    if (auto* e = s.Find("InquiryStatus")) device.inquiryStatus = U8(*e);
    if (auto* e = s.Find("Hangs")) device.hangs = Flag(*e);
    if (auto* e = s.Find("IgnoresAbort")) device.ignoresAbort = Flag(*e);
  }

  platform::Bytes ReadBytes(const IniEntry& e) const {
    std::string path = dir_ + "/" + e.value;
    platform::Bytes bytes;
    if (!ReadProfileFile(path, &bytes)) Fail(e.line, "cannot read " + path);
    return bytes;
  }

  // ProgID=version: an automation object and its "Version" text.
  void Com(const IniSection& s, bool inProcess) {
    for (const auto& e : s.entries) {
      SimComClass& cls = m_.com.classes[e.key];
      cls.version = Ansi(e.value);
      cls.inProcess = inProcess;
    }
  }

  const IniFile& ini_;
  std::string dir_;
  SimMachine& m_;
};

}  // namespace

void LoadEnginesProfile(const IniFile& ini, const std::string& dir, SimMachine& machine) {
  EnginesLoader(ini, dir, machine).Run();
}

}  // namespace nsx::sim
