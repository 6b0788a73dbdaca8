// Text extents a canvas has measured, kept per font description and device-context mapping, so
// that texts measured again and again (chart labels, captions) cost one GDI call each.
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>

class TFont;

class TTextExtentCache {
public:
    // The extent of `text` in `dc`, where `font`'s own handle is selected: remembered when
    // it was measured before with the same font description and DC mapping.
    SIZE Extent(HDC dc, const TFont& font, const char* text, int length);
    // For a new device context.
    void Clear() { sizes_.clear(); }

private:
    void BuildKey(HDC dc, const TFont& font, const char* text, int length);

    std::string key_;
    std::unordered_map<std::string, SIZE> sizes_;
};
