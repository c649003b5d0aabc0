#include <strings.h>

#include <cstdio>

#include "NetworkProfile.h"
#include "ProfileError.h"

namespace nsx::sim {
namespace {

struct TCapsName {
  const char* name;
  int index;
};
const TCapsName kCapsNames[] = {
    // GetDeviceCaps index name   index
    {"DRIVERVERSION",  platform::kCapsDriverVersion},
    {"TECHNOLOGY",     platform::kCapsTechnology},
    {"HORZSIZE",       platform::kCapsHorzSize},
    {"VERTSIZE",       platform::kCapsVertSize},
    {"HORZRES",        platform::kCapsHorzRes},
    {"VERTRES",        platform::kCapsVertRes},
    {"BITSPIXEL",      platform::kCapsBitsPixel},
    {"CURVECAPS",      platform::kCapsCurveCaps},
    {"LINECAPS",       platform::kCapsLineCaps},
    {"POLYGONALCAPS",  platform::kCapsPolygonalCaps},
    {"TEXTCAPS",       platform::kCapsTextCaps},
    {"RASTERCAPS",     platform::kCapsRasterCaps},
    {"ASPECTX",        platform::kCapsAspectX},
    {"ASPECTY",        platform::kCapsAspectY},
    {"ASPECTXY",       platform::kCapsAspectXY},
    {"LOGPIXELSY",     platform::kCapsLogPixelsY},
    {"VREFRESH",       platform::kCapsVRefresh},
    {"SHADEBLENDCAPS", platform::kCapsShadeBlendCaps},
    {"COLORMGMTCAPS",  platform::kCapsColorMgmtCaps},
};

// "WIDTHxHEIGHTxBITS" with an optional "@HZ".
platform::DisplayMode Mode(const IniEntry& e, const std::string& file) {
  platform::DisplayMode mode;
  unsigned w = 0, h = 0, bits = 0, hz = 0;
  int used = 0;
  int n = std::sscanf(e.value.c_str(), "%ux%ux%u%n@%u%n", &w, &h, &bits, &used, &hz, &used);
  if (n < 3 || static_cast<std::size_t>(used) != e.value.size())
    throw ProfileError(file, e.line, "a mode is WIDTHxHEIGHTxBITS or WIDTHxHEIGHTxBITS@HZ, not \"" + e.value + "\"");
  mode.width = w;
  mode.height = h;
  mode.bitsPerPel = bits;
  mode.frequency = hz;
  return mode;
}

}  // namespace

void LoadDisplayProfile(const IniFile& ini, SimMachine& machine) {
  const IniSection* s = ini.Find("display");
  if (!s) return;
  SimDisplay& d = machine.display;
  for (const auto& e : s->entries) {
    if (strcasecmp(e.key.c_str(), "Mode") == 0) {
      d.modes.push_back(Mode(e, ini.fileName));
    } else if (strcasecmp(e.key.c_str(), "DC") == 0) {
      d.screenDC = IniUnsigned(e, ini.fileName, 1) != 0;
    } else if (strcasecmp(e.key.c_str(), "EndlessModes") == 0) {
      d.endlessModes = IniUnsigned(e, ini.fileName, 1) != 0;
    } else {
      int index = -1;
      for (const auto& row : kCapsNames)
        if (strcasecmp(row.name, e.key.c_str()) == 0) index = row.index;
      if (index < 0) index = static_cast<int>(IniUnsigned({e.key, e.key, e.line}, ini.fileName, 0xFFFF));
      d.caps[index] = static_cast<std::int32_t>(IniUnsigned(e, ini.fileName, 0xFFFFFFFFu));
    }
  }
}

}  // namespace nsx::sim
