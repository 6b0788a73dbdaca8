// Date-time steps of chart axes: the step table, choosing the next and the matching step,
// rounding dates to a step and stepping dates by the calendar.
#pragma once

#include "cl_datetime.h"

enum TDateTimeStep {
    dtOneMicroSecond,
    dtOneMillisecond,
    dtOneSecond,
    dtFiveSeconds,
    dtTenSeconds,
    dtFifteenSeconds,
    dtThirtySeconds,
    dtOneMinute,
    dtFiveMinutes,
    dtTenMinutes,
    dtFifteenMinutes,
    dtThirtyMinutes,
    dtOneHour,
    dtTwoHours,
    dtSixHours,
    dtTwelveHours,
    dtOneDay,
    dtTwoDays,
    dtThreeDays,
    dtOneWeek,
    dtHalfMonth,
    dtOneMonth,
    dtTwoMonths,
    dtThreeMonths,
    dtFourMonths,
    dtSixMonths,
    dtOneYear,
    dtNone
};

// Each step's length in days.
extern const double DateTimeStep[dtNone + 1];

int DaysInMonth(int year, int month);
// The short date format for ranges above one day, else the short time format.
AnsiString DateTimeDefaultFormat(double range);
// The length of the step after the largest one not above `step`.
double NextDateTimeStep(double step);
// The step whose length is within a microsecond of `step`; dtNone when none is.
TDateTimeStep FindDateTimeStep(double step);
// The date (time dropped) rounded down to the start of a half month, month or year; dates on
// or before 1 January 1900 come back unchanged.
TDateTime PlotRoundDate(TDateTime date, TDateTimeStep step);
// Steps `value` by the step length, or with `calendar` from half month up by the calendar
// (a one-year step moves by as many whole years as the step length holds).
void PlotDateTimeIncrement(bool calendar, bool forward, double& value, double stepLength,
                           TDateTimeStep step);
