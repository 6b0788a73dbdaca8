#include "cl_textextents.h"

#include "cl_graphics.h"

namespace {

// Beyond this many texts the cache starts again rather than grow without end.
constexpr size_t kMaxTexts = 4096;

template <typename T>
void AppendBytes(std::string& key, const T& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// What of the DC turns a font's glyph widths into logical units.
void AppendMapping(std::string& key, HDC dc) {
    SIZE window{}, viewport{};
    GetWindowExtEx(dc, &window);
    GetViewportExtEx(dc, &viewport);
    AppendBytes(key, GetMapMode(dc));
    AppendBytes(key, window);
    AppendBytes(key, viewport);
    AppendBytes(key, GetTextCharacterExtra(dc));
    const int graphicsMode = GetGraphicsMode(dc);
    AppendBytes(key, graphicsMode);
    if (graphicsMode == GM_ADVANCED) {
        XFORM transform{};
        GetWorldTransform(dc, &transform);
        AppendBytes(key, transform);
    }
}

// Everything the font's handle is made from.
void AppendFont(std::string& key, const TFont& font) {
    int styles = 0;
    for (TFontStyle style : font.Style()) styles |= 1 << style;
    AppendBytes(key, font.Height());
    AppendBytes(key, font.Orientation());
    AppendBytes(key, styles);
    AppendBytes(key, font.Pitch());
    AppendBytes(key, font.Charset());
    key.append(font.Name().c_str(), font.Name().Length() + 1);
}

}  // namespace

void TTextExtentCache::BuildKey(HDC dc, const TFont& font, const char* text, int length) {
    key_.clear();
    AppendMapping(key_, dc);
    AppendFont(key_, font);
    key_.append(text, length);
}

SIZE TTextExtentCache::Extent(HDC dc, const TFont& font, const char* text, int length) {
    BuildKey(dc, font, text, length);
    const auto known = sizes_.find(key_);
    if (known != sizes_.end()) return known->second;
    SIZE size{};
    GetTextExtentPoint32A(dc, text, length, &size);
    if (sizes_.size() >= kMaxTexts) sizes_.clear();
    sizes_.emplace(key_, size);
    return size;
}
