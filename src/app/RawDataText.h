// The raw-data text of a test: one block per calendar day of tab-separated readings, either as
// the monitor's counts (the test data file's data section) or converted for the user.
#pragma once

#include "RadonRecord.h"
#include "cl_string.h"

// The measurement interval in hours; raises EConvertError "'Unknown' is not a valid floating
// point value" for an index without one.
double IntervalHours(uint32_t intervalIndex);
// The same interval in days, an hour counted as the monitor's record counts it.
double IntervalDays(uint32_t intervalIndex);

// Readings 1 to NumMeasurements - 1, reading i stamped StartTime + i intervals; line breaks are
// single LF characters. Converted: for the user, concentrations and sensor values in the test's
// units with the system's decimal, date and time separators, then the footer for the signature
// and the two software versions (`productVersion` the program's). Not converted: the monitor's
// counts in the test data file's fixed forms, whatever the locale.
AnsiString RawDataText(const TDeviceRecord& record, bool convert,
                       const AnsiString& productVersion);

// Every LF as CR LF, as a file written in text mode holds it.
AnsiString WithCrLf(const AnsiString& text);
