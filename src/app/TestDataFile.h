// The test data file: a retrieved test with its customer, company and mitigation answers as
// labelled, tab-separated lines, written and read as plain text apart from any window.
#pragma once

#include <cstdint>

#include "RadonRecord.h"
#include "cl_except.h"
#include "cl_streams.h"

constexpr int CustomerFieldCount = 7;
// Far more than any test data file holds: 720 readings and the texts of the windows.
constexpr int64_t MaxTestFileSize = 16 * 1024 * 1024;

// What the file holds of the windows. The customer fields run name, address 1, address 2,
// city, state, zip, phone.
struct TTestFileWindow {
    bool MitigationInstalled = false;
    int MitigationWorking = -1;  // 0 "Yes", 1 "No", -1 none
    AnsiString InspectorName;
    AnsiString Billing[CustomerFieldCount];
    AnsiString Site[CustomerFieldCount];
};

// A test read from a file, kept apart from the shown test until the whole file was read.
struct TLoadedTest {
    TDeviceRecord Record;
    TTestFileWindow Window;
};

// A file that cannot be read whole; the message names the line ("Line 9: ...").
CL_DECLARE_EXCEPTION(ETestFileError, Exception);

// The inspector and the company texts of the record, one labelled line each, LF ended.
AnsiString CompanyBlockText(const AnsiString& inspectorName, const TDeviceRecord& record);
// The billing and site addresses, labelled, trimmed, LF ended.
AnsiString CustomerBlockText(const TTestFileWindow& window);
// The inspector and company lines of the main window, leaving out texts that are "None".
AnsiString InspectorInfoText(const AnsiString& inspectorName, const TDeviceRecord& record);

// The whole file as it lies on disk (CR LF line ends), the raw readings after line 50.
AnsiString TestDataFileText(const TDeviceRecord& record, const TTestFileWindow& window,
                            const AnsiString& softwareVersion);

// The text after the first TAB of a line, trimmed; a line without a TAB as it stands.
AnsiString FieldValue(const AnsiString& line);
// Reads one line (its CR LF or LF dropped) and gives its FieldValue.
AnsiString ReadFieldValue(TStream& stream);

// The rows of every model text but "6915" carry the three sensor columns.
bool HasSensorColumns(const TDeviceRecord& record);

// Reads a whole file into `test`; raises ETestFileError for a missing line, a value that is
// not a number or a date, a token longer than its field, or more readings than a test holds.
void ReadTestDataFile(TStream& stream, TLoadedTest& test);

// Reads the named file into `test`. Raises ETestFileError naming the file when it is larger
// than MaxTestFileSize, before anything is read; EFOpenError when it cannot be opened; and
// whatever ReadTestDataFile raises.
void LoadTestDataFile(const AnsiString& fileName, TLoadedTest& test);

// Copies into the shown test what a file holds of the device record: identity, calibration,
// company, battery, indexes, count, start time and readings 1 to NumMeasurements - 1.
void CopyTestFileFields(const TDeviceRecord& from, TDeviceRecord& to);

// The name with ".txt" appended unless it already ends in exactly ".txt" (letter case counts).
AnsiString WithTxtExtension(const AnsiString& fileName);
