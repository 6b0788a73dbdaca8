// Value types shared by every unit of the GIF codec: colours, severities, versions and the
// enumerations that choose colour reduction, dithering, compression and disposal.
#pragma once

#include <cstdint>
#include <functional>

#include "cl_string.h"
#include "cl_types.h"

struct TGIFColor {
    uint8_t Red;
    uint8_t Green;
    uint8_t Blue;
};

inline bool operator==(const TGIFColor& a, const TGIFColor& b)
{
    return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue;
}
inline bool operator!=(const TGIFColor& a, const TGIFColor& b) { return !(a == b); }

struct TUsageCount {
    int32_t UseCount;
    int32_t SourceIndex;
};

enum TGIFSeverity { gsInfo, gsWarning, gsError };
enum TGIFVersion { gvUnknown, gv87a, gv89a };
enum TColorReduction {
    rmNone, rmWindows20, rmWindows256, rmWindowsGray, rmMonochrome, rmGrayScale, rmNetscape,
    rmQuantize, rmQuantizeWindows, rmPalette
};
enum TDitherMode {
    dmNearest, dmFloydSteinberg, dmStucki, dmSierra, dmJaJuNI, dmSteveArche, dmBurkes
};
enum TGIFCompression { gcLZW, gcRLE };
enum TDisposalMethod { dmNone, dmNoDisposal, dmBackground, dmPrevious };

// The three-character version texts, indexed by TGIFVersion ("" for gvUnknown).
extern const char* const GIFVersions[3];

// Where the codec's pure parts report recoverable problems.
using TGIFWarningSink = std::function<void(TGIFSeverity, const AnsiString&)>;

TGIFColor Color2RGB(TColor color);
TColor RGB2Color(const TGIFColor& color);
