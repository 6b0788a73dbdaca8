#include "cl_string.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

AnsiString AnsiString::SubString(int pos, int count) const {
    if (pos < 1) pos = 1;
    if (count <= 0 || pos > Length()) return AnsiString();
    return s_.substr(pos - 1, std::min(count, Length() - pos + 1));
}

int AnsiString::Pos(const AnsiString& sub) const {
    if (sub.IsEmpty()) return 0;
    const auto found = s_.find(sub.s_);
    return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

AnsiString& AnsiString::Delete(int pos, int count) {
    if (pos < 1 || pos > Length() || count <= 0) return *this;
    s_.erase(pos - 1, std::min(count, Length() - pos + 1));
    return *this;
}

AnsiString& AnsiString::Insert(const AnsiString& text, int pos) {
    if (pos < 1) pos = 1;
    if (pos > Length() + 1) pos = Length() + 1;
    s_.insert(pos - 1, text.s_);
    return *this;
}

int AnsiString::LastDelimiter(const AnsiString& delimiters) const {
    const auto found = s_.find_last_of(delimiters.s_);
    return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

AnsiString& AnsiString::SetLength(int length) {
    s_.resize(length > 0 ? length : 0);
    return *this;
}

AnsiString AnsiString::TrimLeft() const {
    size_t first = 0;
    while (first < s_.size() && IsBlankOrControl(s_[first])) ++first;
    return s_.substr(first);
}

AnsiString AnsiString::TrimRight() const {
    size_t end = s_.size();
    while (end > 0 && IsBlankOrControl(s_[end - 1])) --end;
    return s_.substr(0, end);
}

AnsiString AnsiString::Trim() const { return TrimLeft().TrimRight(); }

AnsiString AnsiString::UpperCase() const {
    std::string out = s_;
    std::transform(out.begin(), out.end(), out.begin(), AsciiUpper);
    return out;
}

AnsiString AnsiString::LowerCase() const {
    std::string out = s_;
    std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
    return out;
}

AnsiString AnsiString::StringOfChar(char c, int count) {
    return std::string(count > 0 ? count : 0, c);
}

AnsiString& AnsiString::sprintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> buffer(needed > 0 ? needed + 1 : 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    s_.assign(buffer.data(), needed > 0 ? needed : 0);
    return *this;
}

AnsiString Trim(const AnsiString& s) { return s.Trim(); }
AnsiString TrimLeft(const AnsiString& s) { return s.TrimLeft(); }
AnsiString TrimRight(const AnsiString& s) { return s.TrimRight(); }
AnsiString UpperCase(const AnsiString& s) { return s.UpperCase(); }
AnsiString LowerCase(const AnsiString& s) { return s.LowerCase(); }

int CompareStr(const AnsiString& a, const AnsiString& b) { return a.str().compare(b.str()); }

int CompareText(const AnsiString& a, const AnsiString& b) {
    return CompareStr(a.UpperCase(), b.UpperCase());
}

bool SameText(const AnsiString& a, const AnsiString& b) { return CompareText(a, b) == 0; }
int Pos(const AnsiString& sub, const AnsiString& s) { return s.Pos(sub); }
AnsiString Copy(const AnsiString& s, int pos, int count) { return s.SubString(pos, count); }
AnsiString StringOfChar(char c, int count) { return AnsiString::StringOfChar(c, count); }

AnsiString StringReplace(const AnsiString& s, const AnsiString& oldPattern,
                         const AnsiString& newPattern, int flags) {
    if (oldPattern.IsEmpty()) return s;
    const std::string haystack = (flags & rfIgnoreCase) ? s.UpperCase().str() : s.str();
    const std::string needle = (flags & rfIgnoreCase) ? oldPattern.UpperCase().str()
                                                      : oldPattern.str();
    std::string out;
    size_t from = 0;
    while (true) {
        const size_t at = haystack.find(needle, from);
        if (at == std::string::npos) break;
        out.append(s.str(), from, at - from);
        out += newPattern.str();
        from = at + needle.size();
        if (!(flags & rfReplaceAll)) break;
    }
    out.append(s.str(), from, std::string::npos);
    return out;
}

AnsiString IntToStr(int value) { return std::to_string(value); }
AnsiString IntToStr(long long value) { return std::to_string(value); }
AnsiString UIntToStr(unsigned value) { return std::to_string(value); }

AnsiString IntToHex(long long value, int digits) {
    static const char hex[] = "0123456789ABCDEF";
    unsigned long long v = static_cast<unsigned long long>(value);
    if (value < 0 && value >= -0x80000000LL) v &= 0xFFFFFFFFULL;
    std::string out;
    do {
        out.insert(out.begin(), hex[v & 15]);
        v >>= 4;
    } while (v);
    if (static_cast<int>(out.size()) < digits) out.insert(0, digits - out.size(), '0');
    return out;
}
