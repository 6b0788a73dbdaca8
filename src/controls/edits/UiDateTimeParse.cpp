#include "UiDateTimeParse.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "UiUtils.h"
#include "cl_locale.h"

namespace {

struct Token {
    int kind;
    AnsiString text;
};

std::vector<Token> Tokenize(AnsiString text) {
    std::vector<Token> tokens;
    AnsiString token;
    while (int kind = NextToken(text, token)) tokens.push_back({kind, token});
    return tokens;
}

// A run of decimal digits as a number; false for anything else or a run too long for a part.
bool ReadNumber(const AnsiString& digits, int& value) {
    if (digits.IsEmpty() || digits.Length() > 9) return false;
    value = 0;
    for (int i = 1; i <= digits.Length(); ++i) {
        if (digits[i] < '0' || digits[i] > '9') return false;
        value = value * 10 + (digits[i] - '0');
    }
    return true;
}

// Cuts a run of digits typed without separators into its parts: 1 + 2 or 2 + 2 digits, then
// 1 + 2 + 2 or 2 + 2 + 2; eight digits hold a four-digit year where the order puts the year.
std::vector<AnsiString> CutCompact(const AnsiString& digits, const AnsiString& order) {
    std::vector<int> widths;
    switch (digits.Length()) {
        case 3: widths = {1, 2}; break;
        case 4: widths = {2, 2}; break;
        case 5: widths = {1, 2, 2}; break;
        case 6: widths = {2, 2, 2}; break;
        case 8:
            for (int i = 1; i <= order.Length(); ++i) widths.push_back(order[i] == 'Y' ? 4 : 2);
            break;
        default: return {digits};
    }
    std::vector<AnsiString> parts;
    int pos = 1;
    for (int width : widths) {
        parts.push_back(digits.SubString(pos, width));
        pos += width;
    }
    return parts;
}

struct DateParts {
    int year = 0, month = 0, day = 0;
    AnsiString order;  // the letters of the parts not given yet
};

// A number goes to the year when it has four digits, to the day when it cannot be a month,
// else to the next part in the locale's order; a part given twice makes the date invalid.
bool PlaceDateNumber(DateParts& parts, int value) {
    if (parts.order.IsEmpty()) return false;
    const char first = parts.order[1];
    const char part = value > 999 ? 'Y' : value > 12 && first != 'Y' ? 'D' : first;
    if (!RemoveChar(parts.order, part)) return false;
    (part == 'D' ? parts.day : part == 'M' ? parts.month : parts.year) = value;
    return true;
}

bool EncodeDateParts(const DateParts& parts, const AnsiString& fullOrder, TDateTime& date) {
    if (parts.year >= 100) return TryEncodeDate(parts.year, parts.month, parts.day, date);
    // A year of one or two digits: the class library's date reading supplies the century.
    AnsiString text;
    for (int i = 1; i <= fullOrder.Length(); ++i) {
        const char part = fullOrder[i];
        if (i > 1) text += DateSeparator;
        text += IntToStr(part == 'D' ? parts.day : part == 'M' ? parts.month : parts.year);
    }
    return TryStrToDate(text, date);
}

// The time parts in the order of the long time format, minutes named once.
AnsiString TimeOrder() {
    AnsiString order;
    const AnsiString letters = GetFormatOrder(LongTimeFormat, "HMNSZ");
    for (int i = 1; i <= letters.Length(); ++i) {
        const char part = letters[i] == 'N' ? 'M' : letters[i];
        if (order.Pos(AnsiString(part)) == 0) order += part;
    }
    return order;
}

}  // namespace

AnsiString GetFormatOrder(const AnsiString& format, const AnsiString& letters) {
    const AnsiString upper = UpperCase(format);
    AnsiString order;
    for (int i = 1; i <= upper.Length(); ++i) {
        const AnsiString c(upper[i]);
        if (letters.Pos(c) > 0 && order.Pos(c) == 0) order += c;
    }
    return order;
}

int CharKind(char c) {
    if (!IsCharAlphaNumericA(c)) return 0;
    return IsCharAlphaA(c) ? -1 : 1;
}

int NextToken(AnsiString& text, AnsiString& token) {
    int start = 1;
    while (start <= text.Length() && CharKind(text[start]) == 0) ++start;
    if (start > text.Length()) {
        token = AnsiString();
        text = AnsiString();
        return 0;
    }
    const int kind = CharKind(text[start]);
    int end = start;
    while (end + 1 <= text.Length() && CharKind(text[end + 1]) == kind) ++end;
    token = text.SubString(start, end - start + 1);
    text = text.SubString(end + 1, text.Length() - end);
    return kind;
}

AnsiString LocaleMonthName(unsigned long locale, int month) {
    SYSTEMTIME day = {};
    day.wYear = 2000;
    day.wMonth = static_cast<WORD>(month);
    day.wDay = 1;
    char buffer[128];
    if (GetDateFormatA(locale, 0, &day, "dd MMMM", buffer, sizeof buffer) == 0) return "";
    return AnsiString(buffer).SubString(4, sizeof buffer);
}

int MonthFromName(const AnsiString& word) {
    for (int month = 1; month <= 12; ++month) {
        if (word == AnsiUpperCase(ShortMonthNames[month]) ||
            word == AnsiUpperCase(LongMonthNames[month]) ||
            word == AnsiUpperCase(LocaleMonthName(LOCALE_USER_DEFAULT, month)) ||
            word == AnsiUpperCase(LocaleMonthName(0x409, month)))
            return month;
    }
    return -1;
}

int AmPmFromName(const AnsiString& word) {
    if (word == AnsiUpperCase(TimeAMString) || word == "AM" || word == "A") return -1;
    if (word == AnsiUpperCase(TimePMString) || word == "PM" || word == "P") return 1;
    return 0;
}

bool StrToDateEx(const AnsiString& text, TDateTime& date) {
    const std::vector<Token> tokens = Tokenize(AnsiUpperCase(text));
    const AnsiString fullOrder = GetFormatOrder(ShortDateFormat, "DMY");
    DateParts parts;
    parts.order = fullOrder;
    DecodeDate(Trunc(Now()), parts.year, parts.month, parts.day);

    // Month names first, so that the numbers fill the parts the names leave.
    std::vector<AnsiString> numbers;
    bool named = false;
    for (const Token& token : tokens) {
        if (token.kind == 1) {
            numbers.push_back(token.text);
            continue;
        }
        const int month = MonthFromName(token.text);
        if (month < 0) continue;
        if (named) return false;
        named = true;
        parts.month = month;
        RemoveChar(parts.order, 'M');
    }
    if (numbers.empty() && !named) return false;
    if (numbers.size() == 1 && !named) numbers = CutCompact(numbers[0], fullOrder);
    // Four-digit years first: the other numbers then share the day and month.
    std::vector<int> values;
    for (const AnsiString& digits : numbers) {
        int value;
        if (!ReadNumber(digits, value)) return false;
        values.push_back(value);
    }
    std::stable_partition(values.begin(), values.end(), [](int value) { return value > 999; });
    for (int value : values)
        if (!PlaceDateNumber(parts, value)) return false;
    TDateTime result;
    if (!EncodeDateParts(parts, fullOrder, result)) return false;
    date = result;
    return true;
}

bool StrToTimeEx(const AnsiString& text, TDateTime& time) {
    const std::vector<Token> tokens = Tokenize(AnsiUpperCase(text));
    AnsiString order = TimeOrder();
    int values[4] = {0, 0, 0, 0};  // hour, minute, second, millisecond
    int mark = 0;
    std::vector<AnsiString> numbers;
    for (const Token& token : tokens) {
        if (token.kind == 1) {
            numbers.push_back(token.text);
            continue;
        }
        const int word = AmPmFromName(token.text);
        if (word == 0) continue;
        if (mark != 0 && mark != word) return false;
        mark = word;
    }
    if (numbers.empty()) return false;
    if (numbers.size() == 1 && (numbers[0].Length() == 3 || numbers[0].Length() == 4)) {
        const int hourWidth = numbers[0].Length() - 2;
        numbers = {numbers[0].SubString(1, hourWidth), numbers[0].SubString(hourWidth + 1, 2)};
    }
    for (const AnsiString& digits : numbers) {
        int value;
        if (order.IsEmpty() || !ReadNumber(digits, value)) return false;
        const int part = AnsiString("HMSZ").Pos(AnsiString(order[1])) - 1;
        order.Delete(1, 1);
        values[part] = value;
    }
    int& hour = values[0];
    if (mark != 0) {
        if (hour > 12 || (hour == 0 && mark > 0)) return false;
        if (mark > 0 && hour < 12) hour += 12;
        if (mark < 0 && hour == 12) hour = 0;
    }
    TDateTime result;
    if (!TryEncodeTime(hour, values[1], values[2], values[3], result)) return false;
    time = result;
    return true;
}
