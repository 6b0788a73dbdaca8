#include "cl_string.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "cl_except.h"
#include "cl_number.h"

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
AnsiString IntToStr(long value) { return std::to_string(value); }
AnsiString IntToStr(long long value) { return std::to_string(value); }
AnsiString IntToStr(unsigned value) { return std::to_string(value); }
AnsiString IntToStr(unsigned long value) { return std::to_string(value); }
AnsiString IntToStr(unsigned long long value) { return std::to_string(value); }
AnsiString UIntToStr(unsigned value) { return std::to_string(value); }

namespace {

std::string HexDigits(unsigned long long v, int minDigits) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), hex[v & 15]);
        v >>= 4;
    } while (v);
    if (static_cast<int>(out.size()) < minDigits) out.insert(0, minDigits - out.size(), '0');
    return out;
}

// A negative value that fits 32 bits as its 32-bit two's complement.
unsigned long long HexValue(long long value) {
    unsigned long long v = static_cast<unsigned long long>(value);
    if (value < 0 && value >= -0x80000000LL) v &= 0xFFFFFFFFULL;
    return v;
}

}  // namespace

AnsiString IntToHex(long long value, int digits) { return HexDigits(HexValue(value), digits); }

AnsiString AnsiQuotedStr(const AnsiString& s, char quote) {
    std::string out(1, quote);
    for (char c : s.str()) {
        out += c;
        if (c == quote) out += c;
    }
    return out + quote;
}

AnsiString QuotedStr(const AnsiString& s) { return AnsiQuotedStr(s, '\''); }

std::string TFormatArg::text() const {
    if (!text_) return std::string(1, char_);
    return length_ < 0 ? std::string(text_) : std::string(text_, length_);
}

namespace {

struct FormatSpec {
    bool leftJustify = false;
    int width = -1;
    int precision = -1;
    char type = 0;
};

class Formatter {
public:
    Formatter(const AnsiString& format, const TFormatArg* args, int count)
        : format_(format.str()), args_(args), count_(count) {}

    AnsiString Run() {
        while (at_ < format_.size()) {
            const char c = format_[at_++];
            if (c != '%') {
                out_ += c;
            } else if (at_ < format_.size() && format_[at_] == '%') {
                out_ += '%';
                ++at_;
            } else {
                const FormatSpec spec = ParseSpec();
                out_ += Pad(spec, Convert(spec));
            }
        }
        return out_;
    }

private:
    [[noreturn]] void Invalid() const { throw EConvertError(SInvalidFormat, format_); }

    char Peek() const { return at_ < format_.size() ? format_[at_] : '\0'; }

    // Digits at the cursor, or -1 when there are none.
    int ReadNumber() {
        if (!IsDigit(Peek())) return -1;
        int value = 0;
        while (IsDigit(Peek())) {
            value = value * 10 + (format_[at_++] - '0');
            if (value > 100000) Invalid();
        }
        return value;
    }

    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    int ReadNumberOrStar() {
        if (Peek() != '*') return ReadNumber();
        ++at_;
        const TFormatArg& arg = NextArg();
        if (arg.kind() != TFormatArg::fkInteger && arg.kind() != TFormatArg::fkUnsigned) Invalid();
        return static_cast<int>(arg.integer());
    }

    FormatSpec ParseSpec() {
        FormatSpec spec;
        const size_t start = at_;
        const int number = ReadNumber();
        if (Peek() == ':') {
            if (number < 0) Invalid();
            next_ = number;
            ++at_;
        } else {
            at_ = start;
        }
        if (Peek() == '-') {
            spec.leftJustify = true;
            ++at_;
        }
        spec.width = ReadNumberOrStar();
        if (Peek() == '.') {
            ++at_;
            spec.precision = ReadNumberOrStar();
        }
        if (at_ >= format_.size()) Invalid();
        spec.type = static_cast<char>(format_[at_++] | 0x20);
        return spec;
    }

    const TFormatArg& NextArg() {
        if (next_ >= count_) throw EConvertError(SArgumentMissing, format_);
        return args_[next_++];
    }

    std::string Convert(const FormatSpec& spec) {
        const TFormatArg& arg = NextArg();
        switch (spec.type) {
        case 'd': return Integer(arg, spec, false);
        case 'u': return Integer(arg, spec, true);
        case 'x': return Hex(arg, spec);
        case 's': return String(arg, spec);
        case 'p': return Pointer(arg);
        case 'e': return Float(arg, ffExponent, spec.precision < 0 ? 15 : spec.precision, 3);
        case 'g': return Float(arg, ffGeneral, spec.precision < 0 ? 15 : spec.precision, 0);
        case 'f': return Float(arg, ffFixed, 18, spec.precision < 0 ? 2 : spec.precision);
        case 'n': return Float(arg, ffNumber, 18, spec.precision < 0 ? 2 : spec.precision);
        default: Invalid();
        }
    }

    void RequireInteger(const TFormatArg& arg) const {
        if (arg.kind() != TFormatArg::fkInteger && arg.kind() != TFormatArg::fkUnsigned) Invalid();
    }

    std::string Integer(const TFormatArg& arg, const FormatSpec& spec, bool asUnsigned) {
        RequireInteger(arg);
        long long value = arg.integer();
        if (asUnsigned && arg.kind() == TFormatArg::fkInteger && value < 0 &&
            value >= -0x80000000LL) {
            value &= 0xFFFFFFFFLL;
        }
        const bool isUnsigned = asUnsigned || arg.kind() == TFormatArg::fkUnsigned;
        const bool negative = !isUnsigned && value < 0;
        std::string digits = isUnsigned ? std::to_string(static_cast<unsigned long long>(value))
                                        : std::to_string(value);
        if (negative) digits.erase(0, 1);
        if (static_cast<int>(digits.size()) < spec.precision) {
            digits.insert(0, spec.precision - digits.size(), '0');
        }
        return negative ? "-" + digits : digits;
    }

    std::string Hex(const TFormatArg& arg, const FormatSpec& spec) {
        RequireInteger(arg);
        const long long value = arg.integer();
        return HexDigits(arg.kind() == TFormatArg::fkInteger ? HexValue(value)
                                                             : static_cast<unsigned long long>(value),
                         spec.precision);
    }

    std::string String(const TFormatArg& arg, const FormatSpec& spec) {
        if (arg.kind() != TFormatArg::fkString) Invalid();
        std::string text = arg.text();
        if (spec.precision >= 0 && static_cast<int>(text.size()) > spec.precision) {
            text.resize(spec.precision);
        }
        return text;
    }

    std::string Pointer(const TFormatArg& arg) {
        if (arg.kind() != TFormatArg::fkPointer) Invalid();
        return HexDigits(reinterpret_cast<uintptr_t>(arg.pointer()), 2 * sizeof(void*));
    }

    std::string Float(const TFormatArg& arg, TFloatFormat format, int precision, int digits) {
        if (arg.kind() != TFormatArg::fkFloat) Invalid();
        return FloatToStrF(arg.floating(), format, precision, digits).str();
    }

    static std::string Pad(const FormatSpec& spec, std::string text) {
        if (static_cast<int>(text.size()) >= spec.width) return text;
        const std::string fill(spec.width - text.size(), ' ');
        return spec.leftJustify ? text + fill : fill + text;
    }

    const std::string& format_;
    const TFormatArg* args_;
    int count_;
    int next_ = 0;
    size_t at_ = 0;
    std::string out_;
};

}  // namespace

AnsiString FormatArgs(const AnsiString& format, const TFormatArg* args, int count) {
    return Formatter(format, args, count).Run();
}
