#include <windows.h>

#include "cl_datetime.h"
#include "cl_hooks.h"

TDateTime Now() {
    if (Hooks().Now) return Hooks().Now();
    SYSTEMTIME t;
    GetLocalTime(&t);
    return EncodeDate(t.wYear, t.wMonth, t.wDay) +
           EncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

TDateTime Date() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return EncodeDate(t.wYear, t.wMonth, t.wDay);
}

TDateTime Time() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return EncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}
