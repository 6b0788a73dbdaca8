// The long string: a single-byte ANSI text with value semantics and 1-based positions.
// Free string functions (trimming, case, comparison, Format) live beside it.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

class AnsiString {
public:
    AnsiString() = default;
    AnsiString(const char* text) : s_(text ? text : "") {}
    AnsiString(const char* text, int length) : s_(text, length > 0 ? length : 0) {}
    AnsiString(const std::string& text) : s_(text) {}
    AnsiString(std::string&& text) : s_(std::move(text)) {}
    explicit AnsiString(char c) : s_(1, c) {}

    int Length() const { return static_cast<int>(s_.size()); }
    bool IsEmpty() const { return s_.empty(); }
    const char* c_str() const { return s_.c_str(); }
    const std::string& str() const { return s_; }
    std::string& str() { return s_; }

    // 1-based character access; index must lie in 1..Length().
    char operator[](int index) const { return s_[index - 1]; }
    char& operator[](int index) { return s_[index - 1]; }

    // Up to `count` characters from `pos`; empty when `pos` lies beyond the end. Position 0
    // counts as 1.
    AnsiString SubString(int pos, int count) const;
    // 1-based position of `sub`, 0 when absent.
    int Pos(const AnsiString& sub) const;
    // Removes up to `count` characters at `pos`; nothing when `pos` is 0 or beyond the end.
    AnsiString& Delete(int pos, int count);
    AnsiString& Insert(const AnsiString& text, int pos);
    // 1-based position of the last character that is one of `delimiters`, 0 when none.
    int LastDelimiter(const AnsiString& delimiters) const;
    AnsiString& SetLength(int length);

    AnsiString Trim() const;
    AnsiString TrimLeft() const;
    AnsiString TrimRight() const;
    AnsiString UpperCase() const;
    AnsiString LowerCase() const;

    static AnsiString StringOfChar(char c, int count);
    AnsiString& sprintf(const char* format, ...);

    AnsiString& operator+=(const AnsiString& other) { s_ += other.s_; return *this; }
    AnsiString& operator+=(const char* other) { s_ += other ? other : ""; return *this; }
    AnsiString& operator+=(char c) { s_ += c; return *this; }

    friend AnsiString operator+(const AnsiString& a, const AnsiString& b) { return a.s_ + b.s_; }
    friend AnsiString operator+(const AnsiString& a, const char* b) { return a.s_ + (b ? b : ""); }
    friend AnsiString operator+(const char* a, const AnsiString& b) { return (a ? a : "") + b.s_; }
    friend AnsiString operator+(const AnsiString& a, char b) { return a.s_ + b; }
    friend bool operator==(const AnsiString& a, const AnsiString& b) { return a.s_ == b.s_; }
    friend bool operator!=(const AnsiString& a, const AnsiString& b) { return a.s_ != b.s_; }
    friend bool operator<(const AnsiString& a, const AnsiString& b) { return a.s_ < b.s_; }
    friend bool operator>(const AnsiString& a, const AnsiString& b) { return a.s_ > b.s_; }
    friend bool operator<=(const AnsiString& a, const AnsiString& b) { return a.s_ <= b.s_; }
    friend bool operator>=(const AnsiString& a, const AnsiString& b) { return a.s_ >= b.s_; }

private:
    std::string s_;
};

// Removes every character at or below the blank (blanks and control characters) at both ends.
AnsiString Trim(const AnsiString& s);
AnsiString TrimLeft(const AnsiString& s);
AnsiString TrimRight(const AnsiString& s);
// ASCII letters only.
AnsiString UpperCase(const AnsiString& s);
AnsiString LowerCase(const AnsiString& s);
// The Ansi* functions follow the system's ANSI code page and user locale (Win32).
AnsiString AnsiUpperCase(const AnsiString& s);
AnsiString AnsiLowerCase(const AnsiString& s);
// Case-insensitive for ASCII letters.
int CompareText(const AnsiString& a, const AnsiString& b);
int CompareStr(const AnsiString& a, const AnsiString& b);
int AnsiCompareText(const AnsiString& a, const AnsiString& b);
int AnsiCompareStr(const AnsiString& a, const AnsiString& b);
bool SameText(const AnsiString& a, const AnsiString& b);
int Pos(const AnsiString& sub, const AnsiString& s);
AnsiString Copy(const AnsiString& s, int pos, int count);
AnsiString StringOfChar(char c, int count);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
AnsiString StringReplace(const AnsiString& s, const AnsiString& oldPattern,
                         const AnsiString& newPattern, int flags);

AnsiString IntToStr(int value);
AnsiString IntToStr(long value);
AnsiString IntToStr(long long value);
AnsiString IntToStr(unsigned value);
AnsiString IntToStr(unsigned long value);
AnsiString IntToStr(unsigned long long value);
AnsiString UIntToStr(unsigned value);
// Upper-case hexadecimal, zero-padded to at least `digits` characters. Negative values that
// fit 32 bits are written as 32-bit two's complement.
AnsiString IntToHex(long long value, int digits);

// `s` between `quote` characters, each `quote` inside doubled.
AnsiString AnsiQuotedStr(const AnsiString& s, char quote);
AnsiString QuotedStr(const AnsiString& s);

// One argument of Format, tagged with its kind so that a specifier can check it.
class TFormatArg {
public:
    enum Kind { fkNone, fkInteger, fkUnsigned, fkFloat, fkString, fkPointer };

    TFormatArg() = default;
    TFormatArg(int v) : kind_(fkInteger), integer_(v) {}
    TFormatArg(long v) : kind_(fkInteger), integer_(v) {}
    TFormatArg(long long v) : kind_(fkInteger), integer_(v) {}
    TFormatArg(unsigned v) : kind_(fkUnsigned), integer_(static_cast<long long>(v)) {}
    TFormatArg(unsigned long v) : kind_(fkUnsigned), integer_(static_cast<long long>(v)) {}
    TFormatArg(unsigned long long v) : kind_(fkUnsigned), integer_(static_cast<long long>(v)) {}
    TFormatArg(double v) : kind_(fkFloat), float_(v) {}
    TFormatArg(long double v) : kind_(fkFloat), float_(v) {}
    TFormatArg(char c) : kind_(fkString), char_(c), text_(nullptr) {}
    TFormatArg(const char* s) : kind_(fkString), text_(s ? s : ""), length_(-1) {}
    TFormatArg(const AnsiString& s) : kind_(fkString), text_(s.c_str()), length_(s.Length()) {}
    TFormatArg(const std::string& s)
        : kind_(fkString), text_(s.c_str()), length_(static_cast<int>(s.size())) {}
    TFormatArg(const void* p) : kind_(fkPointer), pointer_(p) {}
    TFormatArg(std::nullptr_t) : kind_(fkPointer) {}

    Kind kind() const { return kind_; }
    long long integer() const { return integer_; }
    long double floating() const { return float_; }
    const void* pointer() const { return pointer_; }
    std::string text() const;

private:
    Kind kind_ = fkNone;
    long long integer_ = 0;
    long double float_ = 0;
    const void* pointer_ = nullptr;
    char char_ = 0;
    const char* text_ = "";
    int length_ = 0;
};

// Formats `args` by `format`: %[index:][-][width][.precision]type with the types d, u, x
// (upper case), s, p, e, f, g, n (thousands separators) and %%; width and precision may be
// '*'. Float types use the locale's separators. A missing argument, or one whose kind does
// not suit its specifier, raises EConvertError.
AnsiString FormatArgs(const AnsiString& format, const TFormatArg* args, int count);

template <class... A> AnsiString Format(const AnsiString& format, const A&... args) {
    const TFormatArg list[] = {TFormatArg(args)..., TFormatArg()};
    return FormatArgs(format, list, static_cast<int>(sizeof...(A)));
}
