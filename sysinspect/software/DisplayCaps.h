// The seven GDI capability sets of the screen: their members in set order,
// the flag that sets each, and the texts the overview's lists and the
// report give them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nsx {

enum TCurveCap { ccCircles, ccPieWedges, ccChords, ccEllipses, ccWideBorders, ccStyledBorders, ccWideStyledBorders,
                 ccInteriors, ccRoundedRects };
enum TLineCap { lcPolylines, lcMarkers, lcMultipleMarkers, lcWideLines, lcStyledLines, lcWideStyledLines,
                lcInteriors };
enum TPolygonCap { pcAltFillPolygons, pcRectangles, pcWindingFillPolygons, pcSingleScanlines, pcWideBorders,
                   pcStyledBorders, pcWideStyledBorders, pcInteriors };
enum TRasterCap { rcRequiresBanding, rcTransferBitmaps, rcBitmaps64K, rcSetGetDIBits, rcSetDIBitsToDevice,
                  rcFloodfills, rcWindows2xFeatures, rcPaletteBased, rcScaling, rcStretchBlt, rcStretchDIBits };
enum TTextCap { tcCharOutPrec, tcStrokeOutPrec, tcStrokeClipPrec, tcCharRotation90, tcCharRotationAny,
                tcScaleIndependent, tcDoubledCharScaling, tcIntMultiScaling, tcAnyMultiExactScaling,
                tcDoubleWeightChars, tcItalics, tcUnderlines, tcStrikeouts, tcRasterFonts, tcVectorFonts,
                tcNoScrollUsingBlts };
enum TShadeBlendCap { sbcConstAlpha, sbcGradRect, sbcGradTri, sbcPixelAlpha, sbcPremultAlpha };
enum TColorMgmtCap { cmcCMYKColor, cmcDeviceICM, cmcGammaRamp };

// A set of members of one enumeration: bit n holds member n.
template <class Member>
class TCapsSet {
 public:
  TCapsSet() = default;
  explicit TCapsSet(std::uint32_t bits) : bits_(bits) {}
  bool Contains(Member member) const { return (bits_ >> member) & 1u; }
  std::uint32_t Bits() const { return bits_; }

 private:
  std::uint32_t bits_ = 0;
};
using TCurveCaps = TCapsSet<TCurveCap>;
using TLineCaps = TCapsSet<TLineCap>;
using TPolygonCaps = TCapsSet<TPolygonCap>;
using TRasterCaps = TCapsSet<TRasterCap>;
using TTextCaps = TCapsSet<TTextCap>;
using TShadeBlendCaps = TCapsSet<TShadeBlendCap>;
using TColorMgmtCaps = TCapsSet<TColorMgmtCap>;

enum TCapsKind { ckCurve, ckLine, ckPolygon, ckRaster, ckText, ckShadeBlend, ckColorMgmt, kCapsKindCount };

struct TCapsMember {
  std::uint32_t flag;      // the GDI flag that sets it
  const char* listText;    // the overview's "Name=%d" line
  const char* reportName;  // the report's data name
};

struct TCapsSetInfo {
  int capsIndex;        // GetDeviceCaps index
  const char* section;  // the report's section
  const TCapsMember* members;
  std::size_t count;
};

const TCapsSetInfo& CapsSetInfo(TCapsKind kind);
// The set of a GetDeviceCaps value: member n is in it when its flag is set.
std::uint32_t DecodeCapsSet(TCapsKind kind, std::int32_t value);
// Appends "Name=1" or "Name=0" per member, in set order.
void AppendCapsLines(TCapsKind kind, std::uint32_t bits, std::vector<std::string>& list);

// The device technology's text (TECHNOLOGY 0 to 6); nullptr for other values.
const char* TechnologyText(std::int32_t technology);

}  // namespace nsx
