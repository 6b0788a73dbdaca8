// Maps realised faces to the standard fonts and encodes text for them.
#include "FontChoice.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

namespace pdfengine {

namespace {

bool Contains(const std::wstring& face, const wchar_t* part) {
    return face.find(part) != std::wstring::npos;
}

enum Family { Sans, Serif, Mono };

Family FamilyOf(const std::wstring& lower, unsigned pitchAndFamily) {
    static const wchar_t* const mono[] = {L"courier", L"mono", L"consol", L"fixedsys",
                                          L"lucida console", L"terminal"};
    static const wchar_t* const serif[] = {L"times", L"serif", L"roman", L"georgia",
                                           L"garamond", L"book", L"cambria", L"palatino",
                                           L"century"};
    for (const wchar_t* part : mono) {
        if (Contains(lower, part)) return Mono;
    }
    if (Contains(lower, L"sans")) return Sans;
    for (const wchar_t* part : serif) {
        if (Contains(lower, part)) return Serif;
    }
    // TMPF_FIXED_PITCH set means a variable pitch font.
    if (!(pitchAndFamily & TMPF_FIXED_PITCH)) return Mono;
    if ((pitchAndFamily & 0xF0) == FF_ROMAN) return Serif;
    if ((pitchAndFamily & 0xF0) == FF_MODERN) return Mono;
    return Sans;
}

}  // namespace

FontChoice ChooseStandardFont(const std::wstring& face, unsigned pitchAndFamily, bool bold,
                              bool italic) {
    std::wstring lower = face;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    FontChoice choice;
    if (lower == L"symbol") {
        choice.name = "Symbol";
        choice.symbol = true;
        return choice;
    }
    if (Contains(lower, L"dings") || Contains(lower, L"marlett") || Contains(lower, L"webdings")) {
        return choice;
    }
    static const char* const names[3][4] = {
        {"Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique"},
        {"Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic"},
        {"Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique"}};
    choice.name = names[FamilyOf(lower, pitchAndFamily)][(bold ? 1 : 0) + (italic ? 2 : 0)];
    choice.encoding = "WinAnsiEncoding";
    return choice;
}

bool EncodeText(const std::wstring& text, const FontChoice& font, std::string& encoded) {
    encoded.clear();
    if (text.empty()) return true;
    if (font.symbol) {
        for (wchar_t c : text) {
            const unsigned code = (c >= 0xF000 && c <= 0xF0FF) ? c - 0xF000 : c;
            if (code > 0xFF) return false;
            encoded += static_cast<char>(code);
        }
        return true;
    }
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, text.c_str(),
                                         static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         &lost);
    if (size <= 0 || lost) return false;
    encoded.resize(static_cast<size_t>(size));
    WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                        &encoded[0], size, nullptr, &lost);
    return !lost;
}

}  // namespace pdfengine
