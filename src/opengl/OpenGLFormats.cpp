#include "OpenGLFormats.h"

#include <cstring>

namespace {

constexpr DWORD SystemFlags[] = {
    PFD_DRAW_TO_WINDOW, PFD_DRAW_TO_BITMAP, PFD_SUPPORT_GDI, PFD_SUPPORT_OPENGL,
    PFD_GENERIC_ACCELERATED, PFD_GENERIC_FORMAT, PFD_NEED_PALETTE, PFD_NEED_SYSTEM_PALETTE,
    0, PFD_STEREO, PFD_SWAP_LAYER_BUFFERS};

PIXELFORMATDESCRIPTOR EmptyDescriptor() {
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    format.nVersion = 1;
    return format;
}

BYTE ChannelLevel(int index, BYTE shift, BYTE bits) {
    const int top = (1 << bits) - 1;
    return static_cast<BYTE>(((index >> shift) & top) * 255 / top);
}

}  // namespace

const std::vector<AnsiString>& PFDFlagNames() {
    static const std::vector<AnsiString> names = {
        "f_PFD_DRAW_TO_WINDOW", "f_PFD_DRAW_TO_BITMAP", "f_PFD_SUPPORT_GDI",
        "f_PFD_SUPPORT_OPENGL", "f_PFD_GENERIC_ACCELERATED", "f_PFD_GENERIC_FORMAT",
        "f_PFD_NEED_PALETTE", "f_PFD_NEED_SYSTEM_PALETTE", "f_PFD_DOUBLEBUFFER", "f_PFD_STEREO",
        "f_PFD_SWAP_LAYER_BUFFERS"};
    return names;
}

DWORD PFDFlagsToSystem(const TPFDFlagSet& flags) {
    DWORD system = 0;
    for (TPFDFlags flag : flags) system |= SystemFlags[flag];
    if (!flags.count(f_PFD_SUPPORT_GDI)) system |= PFD_DOUBLEBUFFER;
    return system;
}

TPFDFlagSet ReconcilePFDFlags(const TPFDFlagSet& current, const TPFDFlagSet& requested) {
    TPFDFlagSet result = requested;
    const bool gdi = requested.count(f_PFD_SUPPORT_GDI) > 0;
    const bool doubleBuffer = requested.count(f_PFD_DOUBLEBUFFER) > 0;
    const bool hadGdi = current.count(f_PFD_SUPPORT_GDI) > 0;
    if (gdi && doubleBuffer)
        result.erase(hadGdi ? f_PFD_SUPPORT_GDI : f_PFD_DOUBLEBUFFER);
    else if (!gdi && !doubleBuffer)
        result.insert(hadGdi ? f_PFD_DOUBLEBUFFER : f_PFD_SUPPORT_GDI);
    return result;
}

PIXELFORMATDESCRIPTOR WindowPixelFormat(BYTE pixelType, BYTE colorBits, BYTE accumBits,
                                        BYTE depthBits, DWORD flags) {
    PIXELFORMATDESCRIPTOR format = EmptyDescriptor();
    format.iPixelType = pixelType;
    format.cColorBits = colorBits;
    format.cAccumBits = accumBits;
    format.cDepthBits = depthBits;
    format.dwFlags = flags;
    return format;
}

PIXELFORMATDESCRIPTOR BitmapPixelFormat(DWORD flags) {
    PIXELFORMATDESCRIPTOR format = EmptyDescriptor();
    format.dwFlags = flags;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cRedBits = 8;
    format.cRedShift = 16;
    format.cGreenBits = 8;
    format.cGreenShift = 8;
    format.cBlueBits = 8;
    format.cAlphaBits = 8;
    format.cAlphaShift = 24;
    format.cAccumBits = 64;
    format.cAccumRedBits = format.cAccumGreenBits = format.cAccumBlueBits = 16;
    format.cAccumAlphaBits = 16;
    format.cDepthBits = 32;
    format.cStencilBits = 8;
    return format;
}

std::vector<PALETTEENTRY> FormatPaletteEntries(const PIXELFORMATDESCRIPTOR& format) {
    const int count = format.cColorBits < 16 ? 1 << format.cColorBits : 0;
    for (BYTE bits : {format.cRedBits, format.cGreenBits, format.cBlueBits})
        if (bits == 0 || bits > 16) return {};
    if (count == 0) return {};
    std::vector<PALETTEENTRY> entries(count);
    for (int i = 0; i < count; ++i) {
        entries[i].peRed = ChannelLevel(i, format.cRedShift, format.cRedBits);
        entries[i].peGreen = ChannelLevel(i, format.cGreenShift, format.cGreenBits);
        entries[i].peBlue = ChannelLevel(i, format.cBlueShift, format.cBlueBits);
        entries[i].peFlags = 0;
    }
    return entries;
}

bool ExtensionListed(const char* extensions, const AnsiString& name) {
    if (!extensions || name.IsEmpty()) return false;
    const size_t length = static_cast<size_t>(name.Length());
    for (const char* word = extensions; *word;) {
        while (*word == ' ') ++word;
        const size_t wordLength = std::strcspn(word, " ");
        if (wordLength == length && std::strncmp(word, name.c_str(), length) == 0) return true;
        word += wordLength;
    }
    return false;
}
