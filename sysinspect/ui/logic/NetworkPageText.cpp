#include "NetworkPageText.h"

namespace nsx::ui {
namespace {

std::string Decimal(std::int64_t value) { return std::to_string(value); }

const TCapsButton kCapsButtons[] = {
    // caption                  dialog title                      set
    {"Curve...",             "Curve Capabilities",            ckCurve},
    {"Line...",              "Line Capabilities",             ckLine},
    {"Polygonal...",         "Polygonal Capabilities",        ckPolygon},
    {"Raster...",            "Raster Capabilities",           ckRaster},
    {"Text...",              "Text Capabilities",             ckText},
    {"Shade Blend...",       "Shade Blend Capabilities",      ckShadeBlend},
    {"Color Management...",  "Color Management Capabilities", ckColorMgmt},
};

}  // namespace

std::vector<std::pair<std::string, std::string>> DisplayValueRows(const TDisplay& d, bool isNT) {
  std::vector<std::pair<std::string, std::string>> rows = {
      {"Technology", d.Technology()},
      {"Device Driver Version", Decimal(d.DeviceDriverVersion())},
      {"Resolution", Decimal(d.HorzRes()) + " x " + Decimal(d.VertRes()) + " - " + Decimal(d.ColorDepth()) + " bit"},
      {"Physical Size", "(" + Decimal(d.HorzSize()) + " x " + Decimal(d.VertSize()) + ") mm"},
      {"Pixel Width", Decimal(d.PixelWidth())},
      {"Pixel Height", Decimal(d.PixelHeight())},
      {"Pixel Diagonal", Decimal(d.PixelDiagonal())},
      {"Font Resolution", Decimal(d.FontResolution()) + " dpi"},
  };
  if (isNT) rows.push_back({"Vertical Refresh Rate", Decimal(d.VerticalRefreshRate()) + " Hz"});
  return rows;
}

const TCapsButton& CapsButton(int tag) {
  return kCapsButtons[tag >= 0 && tag < static_cast<int>(std::size(kCapsButtons)) ? tag : 0];
}

TStringList CapsButtonLines(const TDisplay& display, int tag) {
  TStringList lines;
  switch (CapsButton(tag).kind) {
    case ckCurve: display.GetCurveCapsStr(lines); break;
    case ckLine: display.GetLineCapsStr(lines); break;
    case ckPolygon: display.GetPolygonCapsStr(lines); break;
    case ckRaster: display.GetRasterCapsStr(lines); break;
    case ckText: display.GetTextCapsStr(lines); break;
    case ckShadeBlend: display.GetShadeBlendCapsStr(lines); break;
    default: display.GetColorMgmtCapsStr(lines); break;
  }
  return lines;
}

int NetworkAdapterIcon(int row, int cardAdapterIndex) { return row == cardAdapterIndex ? 15 : 22; }

TStringList DNSBoxLines(const TStringList& servers, const TStringList& suffixes) {
  TStringList lines;
  for (std::size_t i = 0; i < servers.size(); ++i)
    lines.push_back(i < suffixes.size() ? servers[i] + " " + suffixes[i] : servers[i]);
  return lines;
}

std::vector<TAddressRow> AdapterAddressRows(const TAdapter& a) {
  const struct {
    const char* resource;
    const TStringList& addresses;
    const TStringList& masks;
  } chains[] = {
      // caption                  addresses                   masks
      {"Local",                 a.IPAddress,                a.IPMask},
      {"Gateway",               a.Gateway_IPAddress,        a.Gateway_IPMask},
      {"DHCP Server",           a.DHCP_IPAddress,           a.DHCP_IPMask},
      {"Primary WINS Server",   a.PrimaryWINS_IPAddress,    a.PrimaryWINS_IPMask},
      {"Secondary WINS Server", a.SecondaryWINS_IPAddress,  a.SecondaryWINS_IPMask},
  };
  std::vector<TAddressRow> rows;
  for (const auto& chain : chains)
    for (std::size_t i = 0; i < chain.addresses.size(); ++i)
      rows.push_back({chain.resource, chain.addresses[i], i < chain.masks.size() ? chain.masks[i] : std::string()});
  return rows;
}

}  // namespace nsx::ui
