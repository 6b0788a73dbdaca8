// The long string: a single-byte ANSI text with value semantics and 1-based positions.
// Free string functions (trimming, case, comparison, Format) live beside it.
#pragma once

#include <cstdarg>
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
AnsiString UpperCase(const AnsiString& s);
AnsiString LowerCase(const AnsiString& s);
AnsiString AnsiUpperCase(const AnsiString& s);
AnsiString AnsiLowerCase(const AnsiString& s);
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
AnsiString IntToStr(long long value);
AnsiString UIntToStr(unsigned value);
// Upper-case hexadecimal, zero-padded to at least `digits` characters.
AnsiString IntToHex(long long value, int digits);
