// The raw-data dump of the monitor object: the device record as tab-separated text for service
// use, every reading with its time, counts, sensor values and motion mark.
#pragma once

#include "RadonRecord.h"
#include "cl_string.h"

// The dump of `record`, with CR LF line ends. Raises EConvertError when the record holds
// readings and its interval index lies beyond the table, as that interval is no number.
AnsiString MonitorDumpText(const TDeviceRecord& record);
