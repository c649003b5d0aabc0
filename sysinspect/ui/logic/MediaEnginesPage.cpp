#include "MediaEnginesPage.h"

#include "software/NSX_Engines.h"
#include "software/NSX_Media.h"

namespace nsx::ui {
namespace {

// "Name version", or "Name not found" without a version.
std::string EngineLabel(const std::string& name, const std::string& version) {
  return version.empty() ? name + " not found" : name + " " + version;
}

void AddRows(std::vector<TListRow>& rows, const TStringList& items, const char* kind, int icon) {
  for (const auto& item : items) rows.push_back({{item, kind}, icon});
}

}  // namespace

std::vector<TListRow> MediaDeviceRows(const TMedia& media) {
  std::vector<TListRow> rows;
  const TStringList& devices = media.Devices();
  for (std::size_t i = 0; i < devices.size(); ++i) {
    auto index = static_cast<std::int32_t>(i);
    int icon = index == media.GamePortIndex()    ? kGamePortIcon
               : index == media.SoundCardIndex() ? kSoundCardIcon
                                                 : kMediaDeviceIcon;
    rows.push_back({{devices[i]}, icon});
  }
  return rows;
}

std::vector<TListRow> SoundDeviceRows(const TMedia& media) {
  std::vector<TListRow> rows;
  AddRows(rows, media.WAVEIn(), "Wave In", kWaveIcon);
  AddRows(rows, media.WAVEOut(), "Wave Out", kWaveIcon);
  AddRows(rows, media.MIDIIn(), "MIDI In", kMIDIIcon);
  AddRows(rows, media.MIDIOut(), "MIDI Out", kMIDIIcon);
  AddRows(rows, media.AUX(), "AUX", kAUXIcon);
  AddRows(rows, media.Mixer(), "Mixer", kMixerIcon);
  return rows;
}

std::vector<std::string> EngineLabels(const TEngines& engines) {
  return {EngineLabel("Open Database Connectivity", engines.ODBC()),
          EngineLabel("Borland Database Engine", engines.BDE()),
          EngineLabel("Microsoft Data Access Objects", engines.DAO()),
          EngineLabel("Microsoft ActiveX Data Objects", engines.ADO())};
}

std::string DirectXLabel(const TDirectX& directX) {
  return directX.Version().empty() ? "Not installed." : "Installed version: " + directX.Version();
}

std::vector<TListRow> DirectXRows(const TDirectX& directX) {
  std::vector<TListRow> rows;
  if (directX.Version().empty()) return rows;
  AddRows(rows, directX.Direct3D(), "Direct3D", kDirectXIcon);
  AddRows(rows, directX.DirectMusic(), "DirectMusic", kDirectXIcon);
  AddRows(rows, directX.DirectPlay(), "DirectPlay", kDirectXIcon);
  return rows;
}

std::string AspiLabel(const TASPI32& aspi) { return EngineLabel("Adaptec ASPI", aspi.ASPI()); }

std::vector<TListRow> AspiRows(const TASPIScanResult& scan) {
  std::vector<TListRow> rows;
  for (std::size_t k = 0; k < scan.HostAdapters.size(); ++k)
    rows.push_back({{scan.Vendors[k] + scan.Products[k], scan.Revisions[k], scan.HostAdapters[k], scan.Targets[k],
                     scan.DeviceTypes[k], scan.VendorSpecific[k]},
                    -1});
  return rows;
}

}  // namespace nsx::ui
