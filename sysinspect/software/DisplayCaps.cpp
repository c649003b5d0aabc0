#include "DisplayCaps.h"

#include "../platform/Display.h"

namespace nsx {
namespace {

const TCapsMember kCurveMembers[] = {
    // flag   list text                          report name
    {0x001, "Circles=%d",                 "Circles"},
    {0x002, "Pie Wedges=%d",              "PieWedges"},
    {0x004, "Chords=%d",                  "Chords"},
    {0x008, "Ellipses=%d",                "Ellipses"},
    {0x010, "Wide Borders=%d",            "WideBorders"},
    {0x020, "Styled Borders=%d",          "StyledBorders"},
    {0x040, "Wide and Styled Borders=%d", "WideAndStyledBorders"},
    {0x080, "Interiors=%d",               "Interiors"},
    {0x100, "Rounded Rectangles=%d",      "RoundedRectangles"},
};

const TCapsMember kLineMembers[] = {
    // flag  list text                        report name
    {0x02, "Polylines=%d",                "Polylines"},
    {0x04, "Markers=%d",                  "Markers"},
    {0x08, "Multiple Markers=%d",         "MultipleMarkers"},
    {0x10, "Wide Lines=%d",               "WideLines"},
    {0x20, "Styled Lines=%d",             "StyledLines"},
    {0x40, "Wide and Styled Lines=%d",    "WideAndStyledLines"},
    {0x80, "Interiors=%d",                "Interiors"},
};

const TCapsMember kPolygonMembers[] = {
    // flag  list text                          report name
    {0x01, "Alternate Fill Polygons=%d",  "AlternateFillPolygons"},
    {0x02, "Rectangles=%d",               "Rectangles"},
    {0x04, "Winding Fill Polygons=%d",    "WindingFillPolygons"},
    {0x08, "Single Scanlines=%d",         "SingleScanlines"},
    {0x10, "Wide Borders=%d",             "WideBorders"},
    {0x20, "Styled Borders=%d",           "StyledBorders"},
    {0x40, "Wide and Styled Borders=%d",  "WideAndStyledBorders"},
    {0x80, "Interiors=%d",                "Interiors"},
};

const TCapsMember kRasterMembers[] = {
    // flag    list text                                 report name
    {0x0002, "Requires Banding=%d",                    "RequiresBanding"},
    {0x0001, "Can Transfer Bitmaps=%d",                "BitmapsTransferSupport"},
    {0x0008, "Supports Bitmaps > 64K=%d",              "LargeBitmapSupport"},
    {0x0080, "Supports SetDIBits and GetDIBits=%d",    "SetGetDIBitsSupport"},
    {0x0200, "Supports SetDIBitsToDevice=%d",          "SetDIBitsToDeviceSupport"},
    {0x1000, "Can Perform Floodfills=%d",              "FloodfillsSupport"},
    {0x0010, "Supports Windows 2.0 Features=%d",       "Win20FeaturesSupport"},
    {0x0100, "Palette Based=%d",                       "PaletteBased"},
    {0x0004, "Scaling=%d",                             "Scaling"},
    {0x0800, "Supports StretchBlt=%d",                 "StretchBltSupport"},
    {0x2000, "Supports StretchDIBits=%d",              "StretchDIBitsSupport"},
};

const TCapsMember kTextMembers[] = {
    // flag     list text                                                  report name
    {0x00001, "Capable of Character Output Precision=%d",               "CapableOfCharacterOutputPrecision"},
    {0x00002, "Capable of Stroke Output Precision=%d",                  "CapableOfStrokeOutputPrecision"},
    {0x00004, "Capable of Stroke Clip Precision=%d",                    "CapableOfStrokeClipPrecision"},
    {0x00008, "Supports 90 Degree Character Rotation=%d",               "Suports90DegreeCharacterRotation"},
    {0x00010, "Supports Character Rotation to Any Angle=%d",            "SupportsCharacterRotationToAnyAngle"},
    {0x00020, "X And Y Scale Independent=%d",                           "XYScaleIndependent"},
    {0x00040, "Supports Doubled Character Scaling=%d",                  "SupportsDoubledCharacterScaling"},
    {0x00080, "Supports Integer Multiples Only When Scaling=%d",        "SupportsIntegerMultiplesOnlyWhenScaling"},
    {0x00100, "Supports Any Multiples For Exact Character Scaling=%d",  "SupportsAnyMultiplesForExactCharacterScaling"},
    {0x00200, "Supports Double Weight Characters=%d",                   "SupportsDoubleWeightCharacters"},
    {0x00400, "Supports Italics=%d",                                    "SupportsItalics"},
    {0x00800, "Supports Underlines=%d",                                 "SupportsUnderlines"},
    {0x01000, "Supports Strikeouts=%d",                                 "SupportsStrikeouts"},
    {0x02000, "Supports Raster Fonts=%d",                               "SupportsRasterFonts"},
    {0x04000, "Supports Vector Fonts=%d",                               "SupportsVectorFonts"},
    {0x10000, "Cannot Scroll Using Blts=%d",                            "CannotScrollUsingBlts"},
};

const TCapsMember kShadeBlendMembers[] = {
    // flag  list text                              report name
    {0x01, "Source Constant Alpha handling=%d",  "Source Constant Alpha handling"},
    {0x10, "GradientFill rectangles=%d",         "GradientFill rectangles"},
    {0x20, "GradientFill triangles=%d",          "GradientFill triangles"},
    {0x02, "Per-pixel alpha handling=%d",        "Per-pixel alpha handling"},
    {0x04, "Premultiplied alpha handling=%d",    "Premultiplied alpha handling"},
};

const TCapsMember kColorMgmtMembers[] = {
    // flag  list text                                  report name
    {0x04, "CMYK color space ICC color profile=%d",  "CMYK color space ICC color profile"},
    {0x01, "ICM performation=%d",                    "ICM performation"},
    {0x02, "Gamma Ramp support=%d",                  "Gamma Ramp support"},
};

template <std::size_t N>
constexpr TCapsSetInfo Set(int index, const char* section, const TCapsMember (&members)[N]) {
  return {index, section, members, N};
}

const TCapsSetInfo kCapsSets[kCapsKindCount] = {
    // GetDeviceCaps index              report section                 members
    Set(platform::kCapsCurveCaps,      "CurveCapabilities",           kCurveMembers),
    Set(platform::kCapsLineCaps,       "LineCapabilities",            kLineMembers),
    Set(platform::kCapsPolygonalCaps,  "PolygonCapabilities",         kPolygonMembers),
    Set(platform::kCapsRasterCaps,     "RasterCapabilities",          kRasterMembers),
    Set(platform::kCapsTextCaps,       "TextCapabilities",            kTextMembers),
    Set(platform::kCapsShadeBlendCaps, "ShadeBlendCapabilities",      kShadeBlendMembers),
    Set(platform::kCapsColorMgmtCaps,  "ColorManagementCapabilities", kColorMgmtMembers),
};

const char* const kTechnologyTexts[] = {
    // TECHNOLOGY 0 to 6
    "Vector Plotter", "Raster Display", "Raster Printer", "Raster Camera", "Character Stream", "Metafile",
    "Display File",
};

}  // namespace

const TCapsSetInfo& CapsSetInfo(TCapsKind kind) { return kCapsSets[kind]; }

std::uint32_t DecodeCapsSet(TCapsKind kind, std::int32_t value) {
  const TCapsSetInfo& set = kCapsSets[kind];
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < set.count; ++i)
    if (static_cast<std::uint32_t>(value) & set.members[i].flag) bits |= 1u << i;
  return bits;
}

void AppendCapsLines(TCapsKind kind, std::uint32_t bits, std::vector<std::string>& list) {
  const TCapsSetInfo& set = kCapsSets[kind];
  for (std::size_t i = 0; i < set.count; ++i) {
    std::string line = set.members[i].listText;
    line.replace(line.find("%d"), 2, (bits >> i) & 1u ? "1" : "0");
    list.push_back(line);
  }
}

const char* TechnologyText(std::int32_t technology) {
  if (technology < 0 || technology >= static_cast<std::int32_t>(std::size(kTechnologyTexts))) return nullptr;
  return kTechnologyTexts[technology];
}

}  // namespace nsx
