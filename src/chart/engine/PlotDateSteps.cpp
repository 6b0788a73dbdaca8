#include "PlotDateSteps.h"

#include <cmath>

#include "cl_locale.h"
#include "cl_types.h"

const double DateTimeStep[dtNone + 1] = {1.0 / 86400000000.0,
                                         1.0 / 86400000.0,
                                         1.0 / 86400,
                                         5.0 / 86400,
                                         10.0 / 86400,
                                         15.0 / 86400,
                                         30.0 / 86400,
                                         1.0 / 1440,
                                         5.0 / 1440,
                                         10.0 / 1440,
                                         15.0 / 1440,
                                         30.0 / 1440,
                                         1.0 / 24,
                                         2.0 / 24,
                                         0.25,
                                         0.5,
                                         1,
                                         2,
                                         3,
                                         7,
                                         15,
                                         30,
                                         60,
                                         90,
                                         120,
                                         182,
                                         365,
                                         1};

namespace {

const TDateTime kFirstLabelDateLimit = EncodeDate(1900, 1, 1);

// Moves by whole months; the day is kept, clamped to the target month's length.
void AddMonths(int& year, int& month, int& day, int months) {
    int index = year * 12 + (month - 1) + months;
    year = index / 12;
    month = index % 12 + 1;
    day = Min(day, DaysInMonth(year, month));
}

}  // namespace

int DaysInMonth(int year, int month) { return MonthDays[IsLeapYear(year) ? 1 : 0][month]; }

AnsiString DateTimeDefaultFormat(double range) {
    return range > 1 ? ShortDateFormat : ShortTimeFormat;
}

double NextDateTimeStep(double step) {
    for (int s = dtSixMonths; s >= dtOneMicroSecond; --s)
        if (DateTimeStep[s] <= step) return DateTimeStep[s + 1];
    return DateTimeStep[dtOneMicroSecond];
}

TDateTimeStep FindDateTimeStep(double step) {
    for (int s = dtOneYear; s >= dtOneMicroSecond; --s)
        if (std::fabs(DateTimeStep[s] - step) < DateTimeStep[dtOneMicroSecond])
            return static_cast<TDateTimeStep>(s);
    return dtNone;
}

TDateTime PlotRoundDate(TDateTime date, TDateTimeStep step) {
    if (date <= kFirstLabelDateLimit) return date;
    int year, month, day;
    DecodeDate(date, year, month, day);
    switch (step) {
        case dtHalfMonth:
            day = day >= 15 ? 15 : 1;
            break;
        case dtOneMonth:
        case dtTwoMonths:
        case dtThreeMonths:
        case dtFourMonths:
        case dtSixMonths:
            day = 1;
            break;
        case dtOneYear:
            day = 1;
            month = 1;
            break;
        default:
            break;
    }
    return EncodeDate(year, month, day);
}

void PlotDateTimeIncrement(bool calendar, bool forward, double& value, double stepLength,
                           TDateTimeStep step) {
    const int monthSteps[] = {1, 2, 3, 4, 6};
    const bool monthly = step >= dtOneMonth && step <= dtSixMonths;
    if (!calendar || (step != dtHalfMonth && !monthly && step != dtOneYear)) {
        value += forward ? stepLength : -stepLength;
        return;
    }
    int year, month, day;
    DecodeDate(value, year, month, day);
    if (step == dtHalfMonth) {
        if (forward) {
            if (day < 15) {
                day = 15;
            } else {
                day = 1;
                AddMonths(year, month, day, 1);
            }
        } else if (day > 15) {
            day = 15;
        } else if (day >= 2) {
            day = 1;
        } else {
            day = 15;
            AddMonths(year, month, day, -1);
        }
    } else if (monthly) {
        day = 1;
        const int months = monthSteps[step - dtOneMonth];
        AddMonths(year, month, day, forward ? months : -months);
    } else {
        // A step of several years (an axis increment doubled past one year) moves by as many.
        const int years = Max(1, static_cast<int>(Round(stepLength / DateTimeStep[dtOneYear])));
        AddMonths(year, month, day, forward ? 12 * years : -12 * years);
    }
    value = EncodeDate(year, month, day);
}
