// Startup and printer data of any content gather and report: a boot
// execute list and a run value of any type and bytes, initialisation files
// and link texts of any characters, printer names compared in a single-byte
// and a double-byte code page.
#include <cstdint>
#include <memory>
#include <string>

#include "core/Runtime.h"
#include "platform/sim/SimPlatform.h"
#include "software/NSX_Printers.h"
#include "software/NSX_Startup.h"

namespace {

using nsx::platform::Bytes;

void Gather(std::uint32_t codePage, std::uint32_t type, const Bytes& value, const std::string& text) {
  nsx::sim::SimMachine m;
  m.AddNtdllEntries();
  m.ansiCodePage = codePage;
  m.registry.SetBinary("HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager", "BootExecute", value, type);
  m.registry.SetBinary("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", text, value, type);
  m.registry.SetBinary("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx\\1", "step", value, type);
  m.specialFolders[7] = "C:\\Startup";
  m.shellFiles.files["C:\\Startup\\" + text + ".lnk"].link = nsx::sim::SimShellLink{text, text + text, false};
  m.shellFiles.iniFiles["C:\\WINDOWS\\WIN.INI"] = nsx::sim::ParseSimIniFile(text);
  m.shellFiles.iniFiles["C:\\WINDOWS\\SYSTEM.INI"] = nsx::sim::ParseSimIniFile(text);
  m.spooler.printers = {{{text, text, text}}, {{std::string(value.begin(), value.end()), "", ""}}};
  nsx::ScopedMachine machine(std::make_unique<nsx::sim::SimPlatform>(std::move(m)));
  nsx::TReportList list(codePage);
  nsx::TStartup startup;
  startup.GetInfo();
  startup.Report(list, true);
  nsx::TPrinters printers;
  printers.GetInfo();
  printers.Report(list, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::uint32_t type = data[0] % 12;
  std::size_t split = 2 + data[1] % (size - 1);
  if (split > size) split = size;
  Bytes value(data + 2, data + split);
  std::string text(reinterpret_cast<const char*>(data + split), size - split);
  nsx::sim::MatchesWildcard(text, std::string(value.begin(), value.end()));
  nsx::RunOnceExCommand(text);
  nsx::ShortcutEntryName(text);
  for (std::uint32_t codePage : {1252u, 932u}) Gather(codePage, type, value, text);
  return 0;
}
