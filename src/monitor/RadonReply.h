// Decoding of the monitor's reply packets into the device record: one pure function over the
// packet's bytes, checked against each command's payload layout.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RadonRecord.h"

// Stores the reply `packet` (start byte to checksum) into `record`. A command-49 reply goes to
// Measurements[recordIndex]. A status reply clears `awaitingStatus` when it was asked for.
// The reply to a write carries the written value back only where the command's payload is
// stored whatever the sub-code (the indexes, the clock); elsewhere its payload is not read and
// may be empty.
// Raises QMCRadonDataError for an unasked status message, a payload shorter than its command's
// layout, a record index beyond the record array and a header announcing more records than fit.
void DecodeReply(const uint8_t* packet, size_t size, TDeviceRecord& record,
                 uint16_t recordIndex, bool& awaitingStatus);

// The payload length the command's reply layout needs; 0 for texts and replies not decoded.
size_t ReplyPayloadLength(uint8_t command);
