#include "gif_types.h"

const char* const GIFVersions[3] = {"", "87a", "89a"};

TGIFColor Color2RGB(TColor color)
{
    const uint32_t value = static_cast<uint32_t>(color);
    return TGIFColor{static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                     static_cast<uint8_t>(value >> 16)};
}

TColor RGB2Color(const TGIFColor& color)
{
    return static_cast<TColor>(color.Red + color.Green * 256 + color.Blue * 65536);
}
