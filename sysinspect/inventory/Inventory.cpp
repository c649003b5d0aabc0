#include "Inventory.h"

#include "../core/AnsiText.h"
#include "../core/NSX_GUI.h"
#include "InventorySections.h"

namespace nsx::inventory {

std::string DeviceId(const InventoryOptions& options) {
  if (!Trim(options.deviceId).empty()) return Trim(options.deviceId);
  return DeviceId(GetMachineName(), ReadInstallStamp());
}

std::string BuildInventoryRequest(TNSystemInfo& info, const InventoryOptions& options) {
  const std::uint32_t codePage = Sys().GetAnsiCodePage();
  TInventoryFacts facts = ReadInventoryFacts(info);

  TInventoryXml sections(codePage);
  WriteBios(info, sections);
  WriteCpus(info, sections);
  WriteMemories(info, sections);
  WriteSlots(info, sections);
  WritePorts(info, sections);
  WriteStorages(info, sections);
  WriteDrives(facts.Drives, sections);
  WriteNetworks(info, sections);
  WriteVideos(info, sections);
  WriteMonitors(info, sections);
  WriteSounds(info, sections);
  WritePrinters(info, sections);
  WriteControllers(info, sections);
  WriteSoftwares(facts.Products, sections);
  WriteAccountInfo(options.tag, sections);

  // HARDWARE tells the server which sections the request carries, so it is
  // written once they are.
  TInventoryXml hardware(codePage);
  WriteHardware(info, sections.ChecksumBits() | kHardware.checksumBit, hardware);

  // The server reads the encoding from the first line, in double quotes.
  return "<?xml version=\"1.0\" encoding=\"" + EncodingLabel(Sys().GetSystemDefaultLangId(), codePage) + "\"?>\n" +
         "<REQUEST>\n<DEVICEID>" + XmlText(DeviceId(options), codePage) + "</DEVICEID>\n" +
         "<QUERY>INVENTORY</QUERY>\n<CONTENT>\n" + hardware.Text() + sections.Text() + "</CONTENT>\n</REQUEST>\n";
}

}  // namespace nsx::inventory
