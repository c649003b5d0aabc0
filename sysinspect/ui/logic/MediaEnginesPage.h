// The Media and Engines pages without their controls: the rows of their
// lists with the pictures they show, and the texts of their labels.
#pragma once
#include <string>
#include <vector>

namespace nsx {
class TMedia;
class TEngines;
class TDirectX;
class TASPI32;
struct TASPIScanResult;
}

namespace nsx::ui {

// A list row: its cells, first the caption, and its picture (-1: none).
struct TListRow {
  std::vector<std::string> cells;
  int icon;
};

// Pictures of the two pages in the overview's image list.
constexpr int kMediaDeviceIcon = 19;
constexpr int kSoundCardIcon = 15;
constexpr int kGamePortIcon = 21;
constexpr int kMIDIIcon = 30;
constexpr int kWaveIcon = 31;
constexpr int kMixerIcon = 32;
constexpr int kAUXIcon = 33;
constexpr int kDirectXIcon = 34;

// Media page: "Available Devices", one row per device, the game port and
// the sound card with pictures of their own; "Sound Devices", the device
// name and its kind ("Wave In", "Wave Out", "MIDI In", "MIDI Out", "AUX",
// "Mixer", in that order).
std::vector<TListRow> MediaDeviceRows(const TMedia& media);
std::vector<TListRow> SoundDeviceRows(const TMedia& media);

// Engines page: the ODBC, BDE, DAO and ADO labels, each the engine's name
// and its version, or "not found".
std::vector<std::string> EngineLabels(const TEngines& engines);
// " DirectX ": the installed version, or "Not installed."; a row per
// driver (its description and "Direct3D", "DirectMusic" or "DirectPlay"),
// none without a version.
std::string DirectXLabel(const TDirectX& directX);
std::vector<TListRow> DirectXRows(const TDirectX& directX);
// " Windows ASPI 32 ": the layer's version, or "not found"; a row per
// device of the scan: vendor and product, revision, adapter, target, type,
// vendor-specific text.
std::string AspiLabel(const TASPI32& aspi);
std::vector<TListRow> AspiRows(const TASPIScanResult& scan);

}  // namespace nsx::ui
