// The OpenGL panel's pixel-format rules: the flag set and its system flags, the descriptors the
// panel asks for, the logical palette a colour-index format needs and the extension lookup.
#pragma once

#include <windows.h>

#include <set>
#include <vector>

#include "cl_string.h"

enum TPFDPixelTypes { f_PFD_TYPE_RGBA, f_PFD_TYPE_COLORINDEX };

enum TPFDFlags {
    f_PFD_DRAW_TO_WINDOW, f_PFD_DRAW_TO_BITMAP, f_PFD_SUPPORT_GDI, f_PFD_SUPPORT_OPENGL,
    f_PFD_GENERIC_ACCELERATED, f_PFD_GENERIC_FORMAT, f_PFD_NEED_PALETTE,
    f_PFD_NEED_SYSTEM_PALETTE, f_PFD_DOUBLEBUFFER, f_PFD_STEREO, f_PFD_SWAP_LAYER_BUFFERS
};
using TPFDFlagSet = std::set<TPFDFlags>;

// The element names, in order, as the panel's streams write them.
const std::vector<AnsiString>& PFDFlagNames();

// The system flags a set requests: each element its own flag, except that without
// f_PFD_SUPPORT_GDI double buffering is requested and f_PFD_DOUBLEBUFFER requests nothing.
DWORD PFDFlagsToSystem(const TPFDFlagSet& flags);

// The set the panel keeps when `requested` replaces `current`: exactly one of GDI support and
// double buffering stays, the newly added one when both are asked for, the other one of the
// current set's when neither is.
TPFDFlagSet ReconcilePFDFlags(const TPFDFlagSet& current, const TPFDFlagSet& requested);

// The window format the panel asks for: size and version set, the rest zero but these fields.
PIXELFORMATDESCRIPTOR WindowPixelFormat(BYTE pixelType, BYTE colorBits, BYTE accumBits,
                                        BYTE depthBits, DWORD flags);
// The format of an off-screen target: 32 colour bits laid out as a 32-bit DIB holds them (blue,
// green, red, then alpha: red at shift 16, green at 8, blue at 0, alpha at 24), 64
// accumulation bits (16 per channel), 32 depth and 8 stencil bits.
PIXELFORMATDESCRIPTOR BitmapPixelFormat(DWORD flags);

// The palette of a colour-index format: 2^cColorBits entries (counted in 16 bits), each
// channel spread over 0..255. Empty when the format has no entries or a channel has no bits.
std::vector<PALETTEENTRY> FormatPaletteEntries(const PIXELFORMATDESCRIPTOR& format);

// True when `name` is one of the space-separated words of `extensions`, exactly.
bool ExtensionListed(const char* extensions, const AnsiString& name);
