#include "cl_mask.h"

#include "cl_locale.h"

namespace {

bool IsLetter(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
           (u >= 0xC0 && u != 0xD7 && u != 0xF7);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char ApplyCase(char c, TMaskCase letterCase) {
    if (letterCase == mcUpper && c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    if (letterCase == mcLower && c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    return c;
}

TMaskPlace DataPlace(char c, TMaskCase letterCase) {
    TMaskPlace place;
    place.Case = letterCase;
    switch (c) {
    case 'L': place.Kind = mkLetter; place.Required = true; break;
    case 'l': place.Kind = mkLetter; break;
    case 'A': place.Kind = mkAlphaNumeric; place.Required = true; break;
    case 'a': place.Kind = mkAlphaNumeric; break;
    case 'C': place.Kind = mkAnyChar; place.Required = true; break;
    case 'c': place.Kind = mkAnyChar; break;
    case '0': place.Kind = mkDigit; place.Required = true; break;
    case '9': place.Kind = mkDigit; break;
    case '#': place.Kind = mkDigitOrSign; break;
    case ':': place.Literal = TimeSeparator; break;
    case '/': place.Literal = DateSeparator; break;
    case '_': place.Literal = ' '; break;
    default: place.Literal = c; break;
    }
    return place;
}

}  // namespace

TMaskRules::TMaskRules(const TEditMask& mask) {
    TMaskCase letterCase = mcAsTyped;
    int i = 1;
    for (; i <= mask.Length() && mask[i] != ';'; ++i) {
        const char c = mask[i];
        if (c == '\\' && i < mask.Length()) {
            TMaskPlace literal;
            literal.Literal = mask[++i];
            places_.push_back(literal);
        } else if (c == '<' && i < mask.Length() && mask[i + 1] == '>') {
            letterCase = mcAsTyped;
            ++i;
        } else if (c == '>') {
            letterCase = mcUpper;
        } else if (c == '<') {
            letterCase = mcLower;
        } else if (c == '!') {
            fillFromEnd_ = true;
        } else {
            places_.push_back(DataPlace(c, letterCase));
        }
    }
    if (++i <= mask.Length() && mask[i] != ';') saveLiterals_ = mask[i++] != '0';
    if (i <= mask.Length() && mask[i] == ';' && i < mask.Length()) blank_ = mask[i + 1];
}

char TMaskRules::Accept(int index, char c) const {
    if (index < 0 || index >= Count() || IsLiteral(index)) return '\0';
    const TMaskPlace& place = places_[index];
    bool accepted = false;
    switch (place.Kind) {
    case mkLetter: accepted = IsLetter(c); break;
    case mkAlphaNumeric: accepted = IsLetter(c) || IsDigit(c); break;
    case mkAnyChar: accepted = static_cast<unsigned char>(c) >= ' '; break;
    case mkDigit: accepted = IsDigit(c); break;
    case mkDigitOrSign: accepted = IsDigit(c) || c == '+' || c == '-'; break;
    case mkLiteral: break;
    }
    return accepted ? ApplyCase(c, place.Case) : '\0';
}

std::vector<char> TMaskRules::DataOf(const AnsiString& text) const {
    std::vector<char> data;
    if (!saveLiterals_) {
        for (int i = 1; i <= text.Length(); ++i) data.push_back(text[i]);
        return data;
    }
    int next = 1;
    for (int place = 0; place < Count() && next <= text.Length(); ++place) {
        if (!IsLiteral(place)) {
            data.push_back(text[next++]);
        } else if (text[next] == places_[place].Literal) {
            ++next;
        }
    }
    return data;
}

AnsiString TMaskRules::EditTextFor(const AnsiString& text) const {
    std::vector<char> data = DataOf(text);
    int dataPlaces = 0;
    for (int place = 0; place < Count(); ++place)
        if (!IsLiteral(place)) ++dataPlaces;
    if (fillFromEnd_ && static_cast<int>(data.size()) < dataPlaces)
        data.insert(data.begin(), dataPlaces - data.size(), ' ');
    AnsiString editText;
    size_t next = 0;
    for (int place = 0; place < Count(); ++place) {
        if (IsLiteral(place)) {
            editText += places_[place].Literal;
            continue;
        }
        const char c = next < data.size() ? data[next++] : ' ';
        const char accepted = c == ' ' || c == blank_ ? '\0' : Accept(place, c);
        editText += accepted ? accepted : blank_;
    }
    return editText;
}

AnsiString TMaskRules::TextFor(const AnsiString& editText) const {
    AnsiString text;
    for (int place = 0; place < Count() && place < editText.Length(); ++place) {
        const char c = editText[place + 1];
        if (IsLiteral(place)) {
            if (saveLiterals_) text += c;
        } else {
            text += c == blank_ ? ' ' : c;
        }
    }
    return text;
}

int TMaskRules::FirstInvalidPlace(const AnsiString& editText) const {
    for (int place = 0; place < Count(); ++place) {
        if (IsLiteral(place)) continue;
        const char c = place < editText.Length() ? editText[place + 1] : blank_;
        const bool empty = c == blank_ || c == ' ';
        if (empty ? places_[place].Required : Accept(place, c) != c) return place;
    }
    return -1;
}

int TMaskRules::NextDataPlace(int index) const {
    while (index < Count() && (index < 0 || IsLiteral(index))) ++index;
    return index;
}

int TMaskRules::PreviousDataPlace(int index) const {
    for (--index; index >= 0 && IsLiteral(index); --index) {}
    return index;
}

AnsiString FormatMaskText(const TEditMask& mask, const AnsiString& value) {
    const TMaskRules rules(mask);
    return rules.IsEmpty() ? value : rules.EditTextFor(value);
}
