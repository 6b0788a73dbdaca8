// The edit-mask engine of the masked edit: the mask syntax, the edit text with its literals
// and blanks, the text saved with or without the literals, and the check of required places.
#pragma once

#include <vector>

#include "cl_string.h"

// A mask has up to three fields separated by ';': the mask characters, the save-literals flag
// ('0': the text holds the typed characters only; anything else, the default: the literals
// too) and the blank character shown in empty places (default '_'). Mask characters:
//   L  letter, required        l  letter, optional
//   A  letter or digit, req.   a  letter or digit, optional
//   C  any character, req.     c  any character, optional
//   0  digit, required         9  digit, optional      #  digit or sign, optional
//   >  upper case from here    <  lower case from here  <>  case as typed from here
//   !  a shorter text fills the last places (the first ones stay blank)
//   \  the next character is a literal
//   :  the time separator      /  the date separator    _  a literal blank
// Every other character is a literal.
using TEditMask = AnsiString;

enum TMaskCharKind { mkLiteral, mkLetter, mkAlphaNumeric, mkAnyChar, mkDigit, mkDigitOrSign };
enum TMaskCase { mcAsTyped, mcUpper, mcLower };

struct TMaskPlace {
    TMaskCharKind Kind = mkLiteral;
    bool Required = false;
    TMaskCase Case = mcAsTyped;
    char Literal = ' ';
};

// A parsed mask. Places are counted from 0; the edit text has one character per place.
class TMaskRules {
public:
    explicit TMaskRules(const TEditMask& mask);

    bool IsEmpty() const { return places_.empty(); }
    int Count() const { return static_cast<int>(places_.size()); }
    const TMaskPlace& Place(int index) const { return places_[index]; }
    bool IsLiteral(int index) const { return places_[index].Kind == mkLiteral; }
    bool SaveLiterals() const { return saveLiterals_; }
    char Blank() const { return blank_; }
    bool FillFromEnd() const { return fillFromEnd_; }

    // The typed character as stored at a data place (its case applied); '\0' when the place
    // does not take it.
    char Accept(int index, char c) const;
    // The edit text for a text (with or without literals, as SaveLiterals says): literals in
    // their places, the text's characters in the data places, blanks where it has none or
    // has a character that the place refuses.
    AnsiString EditTextFor(const AnsiString& text) const;
    // The text of an edit text: the data places (empty ones as blanks ' '), with the literals
    // only when SaveLiterals.
    AnsiString TextFor(const AnsiString& editText) const;
    // The first place whose character is missing (required) or refused; -1 when the edit text
    // satisfies the mask.
    int FirstInvalidPlace(const AnsiString& editText) const;
    // The first data place at or after `index` (Count when none); the last before it (-1).
    int NextDataPlace(int index) const;
    int PreviousDataPlace(int index) const;

private:
    // The characters that the text gives the data places, in order.
    std::vector<char> DataOf(const AnsiString& text) const;

    std::vector<TMaskPlace> places_;
    bool saveLiterals_ = true;
    char blank_ = '_';
    bool fillFromEnd_ = false;
};

// The edit text that the mask makes of `value` (empty mask: the value itself).
AnsiString FormatMaskText(const TEditMask& mask, const AnsiString& value);
