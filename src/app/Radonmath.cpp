#include "Radonmath.h"

#include "cl_number.h"

void String2Date(TDateTimeFields* fields, AnsiString text) {
    int separator = text.LastDelimiter("/-");
    fields->Year = StrToInt(text.SubString(separator + 1, 4));
    text.Delete(separator, 5);
    separator = text.LastDelimiter("/-");
    fields->Day = StrToInt(text.SubString(separator + 1, 2));
    text.Delete(separator, 3);
    fields->Month = StrToInt(text);
}

void String2Time(TDateTimeFields* fields, AnsiString text) {
    const int separator = text.LastDelimiter(":");
    fields->Minute = StrToInt(text.SubString(separator + 1, 2));
    text.Delete(separator, 3);
    fields->Hour = StrToInt(text);
}
