// Text in the PDF's standard fonts: which of the fourteen standard faces stands for a font the
// metafile selected, and the text in that face's single-byte encoding.
#pragma once

#include <string>

namespace pdfengine {

struct FontChoice {
    const char* name = nullptr;      // a standard font name; null when none can stand for it
    const char* encoding = nullptr;  // "WinAnsiEncoding", or null for the font's own encoding
    bool symbol = false;
};

// `face` is the face the system actually realised; `pitchAndFamily` as in TEXTMETRIC.
FontChoice ChooseStandardFont(const std::wstring& face, unsigned pitchAndFamily, bool bold,
                              bool italic);

// False when a character has no place in the font's encoding.
bool EncodeText(const std::wstring& text, const FontChoice& font, std::string& encoded);

}  // namespace pdfengine
