#include "cl_datetime.h"

#include <cstdlib>

#include "cl_except.h"
#include "cl_locale.h"
#include "cl_types.h"

const int MonthDays[2][13] = {{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                              {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
    return month >= 1 && month <= 12 ? MonthDays[IsLeapYear(year)][month] : 0;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
    if (day < 1 || day > DaysInAMonth(year, month)) return false;
    for (int m = 1; m < month; ++m) day += DaysInAMonth(year, m);
    const int y = year - 1;
    date = y * 365 + y / 4 - y / 100 + y / 400 + day - DateDelta;
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& time) {
    if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60 ||
        msec < 0 || msec >= 1000) {
        return false;
    }
    time = (hour * 3600000 + minute * 60000 + second * 1000 + msec) /
           static_cast<double>(MSecsPerDay);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date)) throw EConvertError(SDateEncodeError);
    return date;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    TDateTime time = 0;
    if (!TryEncodeTime(hour, minute, second, msec, time)) throw EConvertError(STimeEncodeError);
    return time;
}

namespace {

// The value rounded to whole milliseconds: its day number and the time of day.
struct DayAndTime {
    long long day;
    int msec;
};

DayAndTime Split(TDateTime value) {
    const long long total = Round(static_cast<Extended>(value) * MSecsPerDay);
    return {total / MSecsPerDay, static_cast<int>(std::llabs(total % MSecsPerDay))};
}

TDateTime Join(TDateTime date, TDateTime time) { return date < 0 ? date - time : date + time; }

}  // namespace

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                         int msec) {
    return Join(EncodeDate(year, month, day), EncodeTime(hour, minute, second, msec));
}

namespace {

long long FloorMod(long long a, long long b) { return ((a % b) + b) % b; }

void DecodeDay(long long dayNumber, int& year, int& month, int& day) {
    const int D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
    long long t = dayNumber + DateDelta;  // 1 = 0001-01-01
    year = month = day = 0;
    if (t <= 0 || t > 3652059) return;
    --t;
    int y = 1 + static_cast<int>(t / D400) * 400;
    t %= D400;
    long long i = t / D100, d = t % D100;
    if (i == 4) --i, d += D100;
    y += static_cast<int>(i) * 100;
    y += static_cast<int>(d / D4) * 4;
    d %= D4;
    i = d / D1, d %= D1;
    if (i == 4) --i, d += D1;
    y += static_cast<int>(i);
    int m = 1;
    while (d >= DaysInAMonth(y, m)) d -= DaysInAMonth(y, m++);
    year = y;
    month = m;
    day = static_cast<int>(d) + 1;
}

}  // namespace

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    DecodeDay(Split(value).day, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
    int t = Split(value).msec;
    msec = t % 1000;
    t /= 1000;
    second = t % 60;
    t /= 60;
    minute = t % 60;
    hour = t / 60;
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& msec) {
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, msec);
}

int DayOfWeek(TDateTime value) {
    return static_cast<int>(FloorMod(Split(value).day + DateDelta, 7)) + 1;
}

int WeekOfTheYear(TDateTime value) {
    const long long day = Split(value).day;
    const int isoDay = (DayOfWeek(value) + 5) % 7 + 1;  // Monday 1 .. Sunday 7
    const long long thursday = day - isoDay + 4;
    int year = 0, month = 0, dayOfMonth = 0;
    DecodeDay(thursday, year, month, dayOfMonth);
    return static_cast<int>((thursday - static_cast<long long>(EncodeDate(year, 1, 1))) / 7) + 1;
}

TDateTime IncMonth(TDateTime value, int months) {
    const DayAndTime parts = Split(value);
    int year = 0, month = 0, day = 0;
    DecodeDay(parts.day, year, month, day);
    const long long index = static_cast<long long>(year) * 12 + (month - 1) + months;
    const long long floorYear = index >= 0 ? index / 12 : (index - 11) / 12;
    year = static_cast<int>(floorYear);
    month = static_cast<int>(index - floorYear * 12) + 1;
    if (day > DaysInAMonth(year, month)) day = DaysInAMonth(year, month);
    return Join(EncodeDate(year, month, day), parts.msec / static_cast<double>(MSecsPerDay));
}

// ---- formatting -----------------------------------------------------------------------------

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsQuote(char c) { return c == '\'' || c == '"'; }

bool StartsWithNoCase(const std::string& s, size_t at, const char* word) {
    for (size_t i = 0; word[i]; ++i) {
        if (at + i >= s.size() || Lower(s[at + i]) != word[i]) return false;
    }
    return true;
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

bool HasAmPm(const std::string& format) {
    for (size_t at = 0; at < format.size();) {
        if (IsQuote(format[at])) {
            QuotedText(format, at);
        } else if (StartsWithNoCase(format, at, "am/pm") || StartsWithNoCase(format, at, "a/p") ||
                   StartsWithNoCase(format, at, "ampm")) {
            return true;
        } else {
            ++at;
        }
    }
    return false;
}

std::string TwoDigits(int value) {
    return std::string(1, char('0' + value / 10 % 10)) + char('0' + value % 10);
}

std::string Padded(int value, size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

class DateTimeWriter {
public:
    explicit DateTimeWriter(TDateTime value) : isMidnight_(Split(value).msec == 0) {
        DecodeDateTime(value, year_, month_, day_, hour_, minute_, second_, msec_);
        dayOfWeek_ = DayOfWeek(value);
    }

    std::string Write(const std::string& format) {
        Append(format.empty() ? "c" : format, 0);
        return out_;
    }

private:
    void Append(const std::string& format, int depth) {
        if (depth > 2) return;
        const bool twelveHour = HasAmPm(format);
        bool afterHour = false;
        for (size_t at = 0; at < format.size();) {
            const char c = Lower(format[at]);
            size_t run = 1;
            while (at + run < format.size() && Lower(format[at + run]) == c) ++run;
            if (IsQuote(format[at])) {
                out_ += QuotedText(format, at);
                continue;
            }
            size_t used = 1;
            bool hourToken = false;
            switch (c) {
            case 'd': used = Day(run, depth); break;
            case 'm': used = afterHour && run <= 2 ? Number(minute_, run) : Month(run); break;
            case 'y':
                used = run;
                out_ += run <= 2 ? TwoDigits(year_ % 100) : Padded(year_, 4);
                break;
            case 'h':
                used = Number(twelveHour ? (hour_ + 11) % 12 + 1 : hour_, run);
                hourToken = true;
                break;
            case 'n': used = Number(minute_, run); break;
            case 's': used = Number(second_, run); break;
            case 'z':
                used = run >= 3 ? 3 : 1;
                out_ += run >= 3 ? Padded(msec_, 3) : std::to_string(msec_);
                break;
            case 't':
                used = run >= 2 ? 2 : 1;
                Append(run >= 2 ? LongTimeFormat.str() : ShortTimeFormat.str(), depth + 1);
                break;
            case 'a': used = AmPm(format, at); break;
            case 'c':
                Append(ShortDateFormat.str(), depth + 1);
                if (!isMidnight_) {
                    out_ += ' ';
                    Append(LongTimeFormat.str(), depth + 1);
                }
                break;
            case '/': out_ += DateSeparator; break;
            case ':': out_ += TimeSeparator; break;
            default: out_ += format[at]; break;
            }
            if (IsPatternLetter(c)) afterHour = hourToken;
            at += used;
        }
    }

    static bool IsPatternLetter(char c) {
        return c == 'd' || c == 'm' || c == 'y' || c == 'h' || c == 'n' || c == 's' || c == 'z' ||
               c == 't' || c == 'a' || c == 'c';
    }

    size_t Number(int value, size_t run) {
        out_ += run >= 2 ? TwoDigits(value) : std::to_string(value);
        return run >= 2 ? 2 : 1;
    }

    size_t Day(size_t run, int depth) {
        switch (run) {
        case 1:
        case 2: return Number(day_, run);
        case 3: out_ += ShortDayNames[dayOfWeek_].str(); return 3;
        case 4: out_ += LongDayNames[dayOfWeek_].str(); return 4;
        case 5: Append(ShortDateFormat.str(), depth + 1); return 5;
        default: Append(LongDateFormat.str(), depth + 1); return 6;
        }
    }

    size_t Month(size_t run) {
        if (run <= 2) return Number(month_, run);
        if (month_ < 1) return run;
        out_ += (run == 3 ? ShortMonthNames[month_] : LongMonthNames[month_]).str();
        return run == 3 ? 3 : 4;
    }

    size_t AmPm(const std::string& format, size_t at) {
        const bool pm = hour_ >= 12;
        if (StartsWithNoCase(format, at, "am/pm")) {
            out_.append(format, at + (pm ? 3 : 0), 2);
            return 5;
        }
        if (StartsWithNoCase(format, at, "a/p")) {
            out_ += format[at + (pm ? 2 : 0)];
            return 3;
        }
        if (StartsWithNoCase(format, at, "ampm")) {
            out_ += (pm ? TimePMString : TimeAMString).str();
            return 4;
        }
        out_ += format[at];
        return 1;
    }

    bool isMidnight_;
    int year_ = 0, month_ = 0, day_ = 0, hour_ = 0, minute_ = 0, second_ = 0, msec_ = 0;
    int dayOfWeek_ = 1;
    std::string out_;
};

}  // namespace

AnsiString FormatDateTime(const AnsiString& format, TDateTime value) {
    return DateTimeWriter(value).Write(format.str());
}

void DateTimeToString(AnsiString& result, const AnsiString& format, TDateTime value) {
    result = FormatDateTime(format, value);
}

AnsiString DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }
AnsiString DateToStr(TDateTime value) { return FormatDateTime("ddddd", value); }
AnsiString TimeToStr(TDateTime value) { return FormatDateTime("tt", value); }

// ---- reading --------------------------------------------------------------------------------

namespace {

class DateTimeScanner {
public:
    explicit DateTimeScanner(const AnsiString& text) : s_(Trim(text).str()) {}

    bool AtEnd() const { return at_ >= s_.size(); }
    size_t Position() const { return at_; }
    void SetPosition(size_t at) { at_ = at; }

    bool SkipBlanks() {
        const size_t start = at_;
        while (at_ < s_.size() && static_cast<unsigned char>(s_[at_]) <= ' ') ++at_;
        return at_ > start;
    }

    // Up to nine digits; `digits` tells how many there were.
    bool Number(int& value, int& digits) {
        value = digits = 0;
        while (at_ < s_.size() && s_[at_] >= '0' && s_[at_] <= '9') {
            if (++digits > 9) return false;
            value = value * 10 + (s_[at_++] - '0');
        }
        return digits > 0;
    }

    bool Number(int& value) {
        int digits = 0;
        return Number(value, digits);
    }

    bool Char(char c) {
        if (at_ >= s_.size() || s_[at_] != c) return false;
        ++at_;
        return true;
    }

    bool Word(const AnsiString& word) {
        if (word.IsEmpty() || !StartsWithNoCase(s_, at_, LowerCase(word).c_str())) return false;
        at_ += word.Length();
        return true;
    }

private:
    std::string s_;
    size_t at_ = 0;
};

enum DateOrder { doMDY, doDMY, doYMD };

DateOrder ShortDateOrder() {
    const std::string& format = ShortDateFormat.str();
    for (size_t at = 0; at < format.size();) {
        if (IsQuote(format[at])) {
            QuotedText(format, at);
            continue;
        }
        switch (Lower(format[at++])) {
        case 'y': return doYMD;
        case 'd': return doDMY;
        case 'm': return doMDY;
        default: break;
        }
    }
    return doMDY;
}

bool ScanDate(DateTimeScanner& scanner, TDateTime& date) {
    int numbers[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && !scanner.Char(DateSeparator)) return false;
        if (!scanner.Number(numbers[i], digits[i])) return false;
    }
    static const int yearMonthDay[3][3] = {{2, 0, 1}, {2, 1, 0}, {0, 1, 2}};
    const int* order = yearMonthDay[ShortDateOrder()];
    int year = numbers[order[0]];
    if (digits[order[0]] <= 2) year += year < 50 ? 2000 : 1900;
    return TryEncodeDate(year, numbers[order[1]], numbers[order[2]], date);
}

// -1 without a marker, 0 for AM, 1 for PM.
int ScanAmPm(DateTimeScanner& scanner) {
    if (scanner.Word(TimeAMString) || scanner.Word("AM")) return 0;
    if (scanner.Word(TimePMString) || scanner.Word("PM")) return 1;
    if (scanner.Word("A")) return 0;
    if (scanner.Word("P")) return 1;
    return -1;
}

bool ScanTime(DateTimeScanner& scanner, TDateTime& time) {
    int hour = 0, minute = 0, second = 0, msec = 0;
    if (!scanner.Number(hour)) return false;
    const bool hasMinutes = scanner.Char(TimeSeparator);
    if (hasMinutes) {
        if (!scanner.Number(minute)) return false;
        if (scanner.Char(TimeSeparator)) {
            if (!scanner.Number(second)) return false;
            if (scanner.Char('.') && !scanner.Number(msec)) return false;
        }
    }
    scanner.SkipBlanks();
    const int marker = ScanAmPm(scanner);
    if (marker < 0 && !hasMinutes) return false;
    if (marker >= 0) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + marker * 12;
    }
    return TryEncodeTime(hour, minute, second, msec, time);
}

}  // namespace

bool TryStrToDate(const AnsiString& s, TDateTime& value) {
    DateTimeScanner scanner(s);
    TDateTime date = 0;
    if (!ScanDate(scanner, date) || !scanner.AtEnd()) return false;
    value = date;
    return true;
}

bool TryStrToTime(const AnsiString& s, TDateTime& value) {
    DateTimeScanner scanner(s);
    TDateTime time = 0;
    if (!ScanTime(scanner, time) || !scanner.AtEnd()) return false;
    value = time;
    return true;
}

bool TryStrToDateTime(const AnsiString& s, TDateTime& value) {
    DateTimeScanner scanner(s);
    TDateTime date = 0, time = 0;
    if (ScanDate(scanner, date)) {
        if (scanner.AtEnd()) {
            value = date;
            return true;
        }
        if (!scanner.SkipBlanks() || !ScanTime(scanner, time) || !scanner.AtEnd()) return false;
        value = Join(date, time);
        return true;
    }
    scanner.SetPosition(0);
    if (!ScanTime(scanner, time) || !scanner.AtEnd()) return false;
    value = time;
    return true;
}

TDateTime StrToDate(const AnsiString& s) {
    TDateTime value = 0;
    if (!TryStrToDate(s, value)) throw EConvertError(SInvalidDate, s);
    return value;
}

TDateTime StrToTime(const AnsiString& s) {
    TDateTime value = 0;
    if (!TryStrToTime(s, value)) throw EConvertError(SInvalidTime, s);
    return value;
}

TDateTime StrToDateTime(const AnsiString& s) {
    TDateTime value = 0;
    if (!TryStrToDateTime(s, value)) throw EConvertError(SInvalidDateTime, s);
    return value;
}
