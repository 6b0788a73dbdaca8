#include "cl_number.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "cl_except.h"
#include "cl_locale.h"

namespace {

static_assert(LDBL_MANT_DIG <= 64, "mantissa must fit 64 bits");

// Unsigned integer of any size, little-endian 32-bit limbs.
class BigUnsigned {
public:
    explicit BigUnsigned(uint64_t value)
        : limbs_{static_cast<uint32_t>(value), static_cast<uint32_t>(value >> 32)} {
        Normalise();
    }

    void Multiply(uint32_t factor) {
        uint64_t carry = 0;
        for (uint32_t& limb : limbs_) {
            const uint64_t product = static_cast<uint64_t>(limb) * factor + carry;
            limb = static_cast<uint32_t>(product);
            carry = product >> 32;
        }
        if (carry) limbs_.push_back(static_cast<uint32_t>(carry));
    }

    void MultiplyByPowerOf2(int exponent) {
        for (; exponent > 0; exponent -= 31) Multiply(1u << (exponent < 31 ? exponent : 31));
    }

    void MultiplyByPowerOf5(int exponent) {
        static const uint32_t powers[] = {1,      5,       25,       125,       625,
                                          3125,   15625,   78125,    390625,    1953125,
                                          9765625, 48828125, 244140625, 1220703125};
        for (; exponent > 0; exponent -= 13) Multiply(powers[exponent < 13 ? exponent : 13]);
    }

    std::string ToDecimal() const {
        BigUnsigned n = *this;
        std::string out;  // least significant digit first
        while (!n.limbs_.empty()) {
            uint32_t chunk = n.Divide(1000000000u);
            for (int i = 0; i < 9; ++i, chunk /= 10) out += char('0' + chunk % 10);
        }
        const size_t last = out.find_last_not_of('0');
        out.resize(last == std::string::npos ? 0 : last + 1);
        return std::string(out.rbegin(), out.rend());
    }

private:
    uint32_t Divide(uint32_t divisor) {
        uint64_t remainder = 0;
        for (size_t i = limbs_.size(); i-- > 0;) {
            const uint64_t current = (remainder << 32) | limbs_[i];
            limbs_[i] = static_cast<uint32_t>(current / divisor);
            remainder = current % divisor;
        }
        Normalise();
        return static_cast<uint32_t>(remainder);
    }

    void Normalise() {
        while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
    }

    std::vector<uint32_t> limbs_;
};

// A non-negative decimal 0.d1d2d3... x 10^exponent without trailing zeros; zero has no digits.
struct Decimal {
    std::string digits;
    int exponent = 0;

    bool IsZero() const { return digits.empty(); }
    // The digit at `place` places right of the decimal point (negative: left of it).
    char DigitAfterPoint(int place) const {
        const int index = exponent + place - 1;
        return index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] : '0';
    }
};

void StripTrailingZeros(Decimal& d) {
    const size_t last = d.digits.find_last_not_of('0');
    d.digits.resize(last == std::string::npos ? 0 : last + 1);
    if (d.digits.empty()) d.exponent = 0;
}

// The exact decimal expansion of a finite non-negative value.
Decimal ExactDecimal(long double value) {
    Decimal d;
    if (value == 0) return d;
    int binaryExponent = 0;
    const long double fraction = std::frexp(value, &binaryExponent);
    BigUnsigned n(static_cast<uint64_t>(std::ldexp(fraction, 64)));
    binaryExponent -= 64;
    int decimalPlaces = 0;
    if (binaryExponent >= 0) {
        n.MultiplyByPowerOf2(binaryExponent);
    } else {
        n.MultiplyByPowerOf5(-binaryExponent);  // m / 2^k == m * 5^k / 10^k
        decimalPlaces = -binaryExponent;
    }
    d.digits = n.ToDecimal();
    d.exponent = static_cast<int>(d.digits.size()) - decimalPlaces;
    StripTrailingZeros(d);
    return d;
}

// Keeps `count` significant digits, rounding half away from zero (count <= 0 keeps none).
void RoundToDigits(Decimal& d, int count) {
    if (count < 0) count = -1;
    if (d.IsZero() || count >= static_cast<int>(d.digits.size())) return;
    const bool up = count >= 0 && d.digits[count] >= '5';
    d.digits.resize(count < 0 ? 0 : count);
    if (up) {
        while (!d.digits.empty() && d.digits.back() == '9') d.digits.pop_back();
        if (d.digits.empty()) {
            d.digits = "1";
            ++d.exponent;
        } else {
            ++d.digits.back();
        }
    }
    StripTrailingZeros(d);
}

void RoundToDecimals(Decimal& d, int decimals) { RoundToDigits(d, d.exponent + decimals); }

std::string Grouped(const std::string& digits) {
    if (!ThousandSeparator) return digits;
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ThousandSeparator;
        out += digits[i];
    }
    return out;
}

std::string IntegerDigits(const Decimal& d) {
    std::string out;
    for (int place = 1 - d.exponent; place <= 0; ++place) out += d.DigitAfterPoint(place);
    return out.empty() ? "0" : out;
}

std::string FixedText(const Decimal& d, int decimals, bool grouping) {
    std::string out = IntegerDigits(d);
    if (grouping) out = Grouped(out);
    if (decimals > 0) out += DecimalSeparator;
    for (int place = 1; place <= decimals; ++place) out += d.DigitAfterPoint(place);
    return out;
}

std::string ExponentDigits(int exponent, int minDigits, bool alwaysSign) {
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), '0');
    if (exponent < 0) return "-" + digits;
    return alwaysSign ? "+" + digits : digits;
}

// d1.d2d3...E+XX with `mantissaDigits` digits (zeros added when fewer are significant).
std::string ExponentText(const Decimal& d, int mantissaDigits, int exponentDigits,
                         bool alwaysSign) {
    std::string mantissa = d.digits;
    if (static_cast<int>(mantissa.size()) < mantissaDigits) mantissa.resize(mantissaDigits, '0');
    std::string out(1, mantissa[0]);
    if (mantissa.size() > 1) out += DecimalSeparator + mantissa.substr(1);
    const int exponent = d.IsZero() ? 0 : d.exponent - 1;
    return out + "E" + ExponentDigits(exponent, exponentDigits, alwaysSign);
}

std::string GeneralText(const Decimal& d, int precision, int exponentDigits) {
    if (d.IsZero()) return "0";
    const int exponent = d.exponent - 1;
    if (exponent >= precision || exponent < -5) return ExponentText(d, 1, exponentDigits, false);
    const int decimals = static_cast<int>(d.digits.size()) - d.exponent;
    return FixedText(d, decimals > 0 ? decimals : 0, false);
}

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

// Special values, or an empty text for finite ones.
std::string NonFiniteText(long double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    return std::string();
}

std::string Signed(bool negative, const std::string& text) {
    return negative ? "-" + text : text;
}

}  // namespace

AnsiString FloatToStrF(Extended value, TFloatFormat format, int precision, int digits) {
    const std::string special = NonFiniteText(value);
    if (!special.empty()) return special;
    precision = Clamp(precision, 1, 18);
    Decimal d = ExactDecimal(std::fabs(value));
    RoundToDigits(d, precision);
    const bool negative = value < 0;
    switch (format) {
    case ffGeneral:
        return Signed(negative && !d.IsZero(), GeneralText(d, precision, Clamp(digits, 0, 4)));
    case ffExponent:
        return Signed(negative && !d.IsZero(),
                      ExponentText(d, precision, Clamp(digits, 0, 4), true));
    case ffFixed:
    case ffNumber:
        break;
    }
    if (d.exponent > precision) return Signed(negative, ExponentText(d, precision, 2, true));
    digits = Clamp(digits, 0, 18);
    RoundToDecimals(d, digits);
    return Signed(negative && !d.IsZero(), FixedText(d, digits, format == ffNumber));
}

AnsiString FloatToStr(Extended value) { return FloatToStrF(value, ffGeneral, 15, 0); }

// ---- FormatFloat ----------------------------------------------------------------------------

namespace {

struct PatternLayout {
    int intPlaces = 0;   // placeholders before the decimal point
    int intZeros = 0;    // of those, the places from the first '0' on
    int fracPlaces = 0;  // placeholders after the decimal point
    int fracZeros = 0;   // places up to the last '0' after the point
    bool grouping = false;
    bool scientific = false;
};

bool IsQuote(char c) { return c == '\'' || c == '"'; }

bool IsExponentAt(const std::string& s, size_t at) {
    return (s[at] == 'E' || s[at] == 'e') && at + 1 < s.size() &&
           (s[at + 1] == '+' || s[at + 1] == '-');
}

// The text of the quoted literal that starts at `at` (up to the end when it is not closed);
// `at` moves past it.
std::string QuotedText(const std::string& s, size_t& at) {
    const size_t close = s.find(s[at], at + 1);
    const size_t end = close == std::string::npos ? s.size() : close;
    std::string text = s.substr(at + 1, end - at - 1);
    at = close == std::string::npos ? s.size() : close + 1;
    return text;
}

std::vector<std::string> SplitSections(const std::string& format) {
    std::vector<std::string> sections(1);
    for (size_t at = 0; at < format.size();) {
        if (IsQuote(format[at])) {
            const char quote = format[at];
            sections.back() += quote + QuotedText(format, at) + quote;
        } else if (format[at] == ';') {
            sections.emplace_back();
            ++at;
        } else {
            sections.back() += format[at++];
        }
    }
    return sections;
}

PatternLayout Analyse(const std::string& section) {
    PatternLayout layout;
    bool afterPoint = false;
    int firstZero = -1;
    for (size_t at = 0; at < section.size() && !layout.scientific;) {
        const char c = section[at];
        if (IsQuote(c)) {
            QuotedText(section, at);
            continue;
        }
        if (IsExponentAt(section, at)) {
            layout.scientific = true;
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            layout.grouping = true;
        } else if ((c == '0' || c == '#') && afterPoint) {
            ++layout.fracPlaces;
            if (c == '0') layout.fracZeros = layout.fracPlaces;
        } else if (c == '0' || c == '#') {
            if (c == '0' && firstZero < 0) firstZero = layout.intPlaces;
            ++layout.intPlaces;
        }
        ++at;
    }
    layout.intZeros = firstZero < 0 ? 0 : layout.intPlaces - firstZero;
    return layout;
}

// Writes one section for a non-negative value whose digits are already rounded.
class SectionWriter {
public:
    SectionWriter(const std::string& section, const PatternLayout& layout, const Decimal& d,
                  int exponent)
        : section_(section), layout_(layout), exponent_(exponent) {
        if (layout.scientific) {
            for (int i = 0; i < layout.intPlaces; ++i) {
                intDigits_ += i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0';
            }
            for (size_t i = layout.intPlaces; i < d.digits.size(); ++i) fracDigits_ += d.digits[i];
        } else {
            intDigits_ = d.exponent > 0 ? IntegerDigits(d) : std::string();
            for (int place = 1; place <= layout.fracPlaces; ++place) {
                fracDigits_ += d.DigitAfterPoint(place);
            }
        }
        const size_t last = fracDigits_.find_last_not_of('0');
        fracDigits_.resize(last == std::string::npos ? 0 : last + 1);
        if (static_cast<int>(fracDigits_.size()) < layout.fracZeros) {
            fracDigits_.resize(layout.fracZeros, '0');
        }
        if (static_cast<int>(intDigits_.size()) < layout.intZeros) {
            intDigits_.insert(0, layout.intZeros - intDigits_.size(), '0');
        }
    }

    std::string Write() {
        bool afterPoint = false;
        bool pointWritten = false;
        for (size_t at = 0; at < section_.size();) {
            const char c = section_[at];
            if (IsQuote(c)) {
                out_ += QuotedText(section_, at);
                continue;
            }
            if (IsExponentAt(section_, at) && layout_.scientific) {
                at = WriteExponent(at);
                continue;
            }
            if (c == '.' && !pointWritten) {
                afterPoint = pointWritten = true;
                if (layout_.intPlaces == 0) WriteIntegerDigits(0, intDigits_.size());
                if (!fracDigits_.empty()) out_ += DecimalSeparator;
            } else if ((c == '0' || c == '#') && afterPoint) {
                if (fracIndex_ < fracDigits_.size()) out_ += fracDigits_[fracIndex_];
                ++fracIndex_;
            } else if (c == '0' || c == '#') {
                WriteIntegerPlace();
            } else if (c != ',') {
                out_ += c;
            }
            ++at;
        }
        return out_;
    }

private:
    void WriteIntegerPlace() {
        const int size = static_cast<int>(intDigits_.size());
        const int end = size - (layout_.intPlaces - 1 - intIndex_);
        const int begin = intIndex_ == 0 ? 0 : end - 1;
        ++intIndex_;
        if (end > 0) WriteIntegerDigits(begin < 0 ? 0 : begin, end);
    }

    void WriteIntegerDigits(size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            out_ += intDigits_[i];
            const size_t remaining = intDigits_.size() - 1 - i;
            if (layout_.grouping && !layout_.scientific && remaining > 0 && remaining % 3 == 0 &&
                ThousandSeparator) {
                out_ += ThousandSeparator;
            }
        }
    }

    size_t WriteExponent(size_t at) {
        const bool alwaysSign = section_[at + 1] == '+';
        size_t end = at + 2;
        int minDigits = 0;
        while (end < section_.size() && section_[end] == '0') ++end, ++minDigits;
        out_ += section_[at];
        out_ += ExponentDigits(exponent_, minDigits, alwaysSign);
        return end;
    }

    const std::string& section_;
    const PatternLayout& layout_;
    int exponent_;
    std::string intDigits_;
    std::string fracDigits_;
    int intIndex_ = 0;
    size_t fracIndex_ = 0;
    std::string out_;
};

// Formats |value| by one section; `zero` tells whether the shown value is 0.
std::string FormatSection(const std::string& section, long double magnitude, bool& zero) {
    const PatternLayout layout = Analyse(section);
    Decimal d = ExactDecimal(magnitude);
    RoundToDigits(d, 15);
    int exponent = 0;
    if (layout.scientific) {
        const int places = layout.intPlaces + layout.fracPlaces;
        RoundToDigits(d, places > 0 ? places : 1);
        if (!d.IsZero()) exponent = d.exponent - layout.intPlaces;
    } else {
        RoundToDecimals(d, layout.fracPlaces);
    }
    zero = d.IsZero();
    return SectionWriter(section, layout, d, exponent).Write();
}

}  // namespace

AnsiString FormatFloat(const AnsiString& format, Extended value) {
    const std::string special = NonFiniteText(value);
    if (!special.empty()) return special;
    if (format.IsEmpty()) return FloatToStr(value);
    const std::vector<std::string> sections = SplitSections(format.str());
    const bool negative = value < 0;
    const bool ownNegative = negative && sections.size() > 1 && !sections[1].empty();
    bool zero = false;
    std::string text = FormatSection(ownNegative ? sections[1] : sections[0], std::fabs(value), zero);
    if (!zero) return negative && !ownNegative ? "-" + text : text;
    if (sections.size() > 2 && !sections[2].empty()) return FormatSection(sections[2], 0, zero);
    return ownNegative ? FormatSection(sections[0], 0, zero) : text;
}

// ---- text to number -------------------------------------------------------------------------

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads an integer of the StrToInt syntax whose hexadecimal form has at most `hexBits` bits
// (taken as two's complement) and whose decimal form lies in [minimum, maximum].
bool ParseInteger(const std::string& s, int hexBits, long long minimum, long long maximum,
                  long long& value) {
    size_t at = 0;
    const bool negative = at < s.size() && s[at] == '-';
    if (at < s.size() && (s[at] == '-' || s[at] == '+')) ++at;
    bool hex = false;
    if (at < s.size() && s[at] == '$') {
        hex = true;
        ++at;
    } else if (at + 1 < s.size() && s[at] == '0' && (s[at + 1] == 'x' || s[at + 1] == 'X')) {
        hex = true;
        at += 2;
    }
    if (at >= s.size()) return false;
    const unsigned long long limit =
        hex ? (hexBits == 64 ? ~0ULL : (1ULL << hexBits) - 1)
        : negative ? static_cast<unsigned long long>(-(minimum + 1)) + 1
                   : static_cast<unsigned long long>(maximum);
    const unsigned base = hex ? 16 : 10;
    unsigned long long magnitude = 0;
    for (; at < s.size(); ++at) {
        const int digit = hex ? HexDigitValue(s[at]) : (IsDigit(s[at]) ? s[at] - '0' : -1);
        if (digit < 0) return false;
        if (magnitude > (limit - digit) / base) return false;
        magnitude = magnitude * base + digit;
    }
    const unsigned long long bits =
        hex && hexBits == 32 ? static_cast<unsigned long long>(static_cast<int32_t>(magnitude))
                             : magnitude;
    value = static_cast<long long>(negative ? 0ULL - bits : bits);
    return true;
}

}  // namespace

bool TryStrToInt64(const AnsiString& s, long long& value) {
    return ParseInteger(s.str(), 64, INT64_MIN, INT64_MAX, value);
}

bool TryStrToInt(const AnsiString& s, int& value) {
    long long wide = 0;
    if (!ParseInteger(s.str(), 32, INT32_MIN, INT32_MAX, wide)) return false;
    value = static_cast<int>(wide);
    return true;
}

int StrToInt(const AnsiString& s) {
    int value = 0;
    if (!TryStrToInt(s, value)) throw EConvertError(SInvalidInteger, s);
    return value;
}

int StrToIntDef(const AnsiString& s, int defaultValue) {
    int value = 0;
    return TryStrToInt(s, value) ? value : defaultValue;
}

long long StrToInt64(const AnsiString& s) {
    long long value = 0;
    if (!TryStrToInt64(s, value)) throw EConvertError(SInvalidInteger, s);
    return value;
}

long long StrToInt64Def(const AnsiString& s, long long defaultValue) {
    long long value = 0;
    return TryStrToInt64(s, value) ? value : defaultValue;
}

namespace {

size_t SkipDigits(const std::string& s, size_t at) {
    while (at < s.size() && IsDigit(s[at])) ++at;
    return at;
}

// The text in the C library's syntax ('.' as point), or empty when it is not a number.
std::string CanonicalFloat(const std::string& text) {
    size_t begin = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    if (begin == std::string::npos) return std::string();
    const std::string s = text.substr(begin, last - begin + 1);
    std::string out;
    size_t at = 0;
    if (s[at] == '+' || s[at] == '-') out += s[at++];
    size_t end = SkipDigits(s, at);
    bool anyDigit = end > at;
    out.append(s, at, end - at);
    at = end;
    if (at < s.size() && s[at] == DecimalSeparator) {
        end = SkipDigits(s, ++at);
        anyDigit = anyDigit || end > at;
        out += '.';
        out.append(s, at, end - at);
        at = end;
    }
    if (!anyDigit) return std::string();
    if (at < s.size() && (s[at] == 'e' || s[at] == 'E')) {
        out += 'e';
        ++at;
        if (at < s.size() && (s[at] == '+' || s[at] == '-')) out += s[at++];
        end = SkipDigits(s, at);
        if (end == at) return std::string();
        out.append(s, at, end - at);
        at = end;
    }
    return at == s.size() ? out : std::string();
}

}  // namespace

bool TryStrToFloat(const AnsiString& s, Extended& value) {
    const std::string canonical = CanonicalFloat(s.str());
    if (canonical.empty()) return false;
    const long double result = std::strtold(canonical.c_str(), nullptr);
    if (!std::isfinite(result)) return false;
    value = result;
    return true;
}

bool TryStrToFloat(const AnsiString& s, double& value) {
    Extended wide = 0;
    if (!TryStrToFloat(s, wide) || std::fabs(wide) > DBL_MAX) return false;
    value = static_cast<double>(wide);
    return true;
}

Extended StrToFloat(const AnsiString& s) {
    Extended value = 0;
    if (!TryStrToFloat(s, value)) throw EConvertError(SInvalidFloat, s);
    return value;
}

Extended StrToFloatDef(const AnsiString& s, Extended defaultValue) {
    Extended value = 0;
    return TryStrToFloat(s, value) ? value : defaultValue;
}
