#include "RadonReply.h"

#include <cstring>

#include "RadonError.h"
#include "RadonPacket.h"

namespace {

constexpr uint8_t HighestCommand = 149;

struct TPayload {
    const uint8_t* bytes;
    size_t size;

    uint16_t U16(size_t at) const { return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8)); }
    uint32_t U32(size_t at) const {
        return static_cast<uint32_t>(U16(at)) | (static_cast<uint32_t>(U16(at + 2)) << 16);
    }
    float F32(size_t at) const {
        float value;
        std::memcpy(&value, bytes + at, sizeof value);
        return value;
    }
    void CopyTo(uint8_t* target, size_t count) const { std::memcpy(target, bytes, count); }
    // At most `width` characters, ending early at a zero byte, padded with spaces to `width`.
    AnsiString Text(int width) const {
        std::string text;
        for (size_t i = 0; i < size && text.size() < static_cast<size_t>(width) && bytes[i]; ++i)
            text += static_cast<char>(bytes[i]);
        text.resize(width, ' ');
        return text;
    }
};

AnsiString* TextField(TDeviceRecord& r, uint8_t command, int& width) {
    width = 30;
    switch (command) {
    case 1: return &r.CompanyName;
    case 2: return &r.Address1;
    case 3: return &r.Address2;
    }
    width = 20;
    if (command == 4) return &r.City;
    if (command == 7) return &r.PhoneNumber;
    width = 10;
    switch (command) {
    case 5: return &r.State;
    case 6: return &r.Zip;
    case 8: return &r.LicenseNumber;
    case 33: return &r.SerialNumber;
    case 34: return &r.CalibrationDate;
    }
    width = 4;
    if (command == 9) return &r.Pin;
    if (command == 32) return &r.ModelNumber;
    return nullptr;
}

bool StoredOnlyFromReadReply(uint8_t command) {
    switch (command) {
    case 35: case 36: case 37: case 39: case 70: return true;
    default: return command <= 9 || (command >= 32 && command <= 34);
    }
}

void CheckLength(uint8_t command, const TPayload& payload) {
    const size_t needed = ReplyPayloadLength(command);
    if (payload.size >= needed) return;
    throw QMCRadonDataError("The monitor's reply to command " + IntToStr(int(command)) +
                            " was too short: " + IntToStr(int(payload.size)) + " bytes where " +
                            IntToStr(int(needed)) + " are needed. Nothing was stored.");
}

void DecodeStatus(TDeviceRecord& r, const TPayload& p, bool& awaitingStatus, const char* text) {
    p.CopyTo(r.Status, sizeof r.Status);
    if (awaitingStatus) {
        awaitingStatus = false;
        return;
    }
    throw QMCRadonDataError(text);
}

void DecodeHeader(TDeviceRecord& r, const TPayload& p) {
    const uint16_t count = p.U16(0);
    r.StartYear = p.U16(2);
    r.StartDayOfYear = p.U16(4);
    r.StartHour = p.U16(6);
    r.StartSeconds = p.U16(8);
    r.HeaderWord1 = p.U32(10);
    r.HeaderWord2 = p.U32(14);
    if (count <= MaxMeasurements) {
        r.NumMeasurements = count;
        return;
    }
    r.NumMeasurements = 0;
    throw QMCRadonDataError("The monitor holds a test of " + IntToStr(int(count)) +
                            " records, more than the " + IntToStr(MaxMeasurements) +
                            " this program can read. The test was not retrieved.");
}

void DecodeMeasurement(TDeviceRecord& r, const TPayload& p, uint16_t recordIndex) {
    if (recordIndex >= MaxMeasurements)
        throw QMCRadonDataError("Record " + IntToStr(int(recordIndex)) +
                                " lies beyond the records this program can hold.");
    TMeasurement& m = r.Measurements[recordIndex];
    m.RecordNumber = p.U16(0);
    m.Alpha0Counts = p.U16(2);
    m.Alpha1Counts = p.U16(4);
    m.Temperature = p.F32(6);
    m.Pressure = p.F32(10);
    m.Humidity = p.F32(14);
    m.Flags = p.bytes[18];
}

void DecodeValue(TDeviceRecord& r, uint8_t command, const TPayload& p, uint16_t recordIndex,
                 bool& awaitingStatus) {
    switch (command) {
    case 35: r.CF1 = p.F32(0); r.CF2 = p.F32(4); break;
    case 36: r.HumiditySlope = p.F32(0); break;
    case 37: r.HumidityF0 = p.F32(0); break;
    case 39: p.CopyTo(r.Command39Value, 4); break;
    case 48: DecodeHeader(r, p); break;
    case 49: DecodeMeasurement(r, p, recordIndex); break;
    case 64: p.CopyTo(r.ErrorCodes, 4); break;
    case 66:
        DecodeStatus(r, p, awaitingStatus, "Device sent a STATUS message. Device may not be ready.");
        break;
    case 69:
        for (size_t i = 0; i < 7; ++i) r.Command69Values[i] = p.bytes[2 * i];
        break;
    case 70: r.FirmwareVersion = p.U16(0); break;
    case 71:
        for (size_t i = 0; i < 5; ++i) r.SystemTime[i] = p.U16(2 * i);
        break;
    case 80: r.UnitsIndex = p.U16(0); break;
    case 81: r.DelayIndex = p.U16(0); break;
    case 82: r.IntervalIndex = p.U16(0); break;
    case 83: r.DurationIndex = p.U16(0); break;
    case 96: p.CopyTo(r.Command96Value, 4); break;
    case 97: p.CopyTo(r.Command97Value, 4); break;
    case 98: p.CopyTo(r.Command98Value, 4); break;
    case 112: r.Command112Value = p.bytes[0]; break;
    case 113: DecodeStatus(r, p, awaitingStatus, "Device sent an STATUS message. Check Errors."); break;
    case 117: p.CopyTo(r.Command117Value, 4); break;
    case 128: r.BatteryVoltage = p.F32(0); break;
    case 149: r.Command149Value = p.bytes[0]; break;
    default: break;
    }
}

}  // namespace

size_t ReplyPayloadLength(uint8_t command) {
    switch (command) {
    case 35: return 8;
    case 36: case 37: case 39: case 64: case 96: case 97: case 98: case 117: case 128: return 4;
    case 48: return 18;
    case 49: return 19;
    case 66: case 113: return 6;
    case 69: return 14;
    case 70: case 80: case 81: case 82: case 83: return 2;
    case 71: return 10;
    case 112: case 149: return 1;
    default: return 0;
    }
}

void DecodeReply(const uint8_t* packet, size_t size, TDeviceRecord& record,
                 uint16_t recordIndex, bool& awaitingStatus) {
    if (size < PacketOverhead || packet[0] != PacketStartByte) return;
    const uint8_t command = packet[3];
    if (command > HighestCommand) return;
    if (StoredOnlyFromReadReply(command) && packet[4] != ReadSubCode) return;
    const TPayload payload{packet + PacketHeaderSize, size - PacketOverhead};
    int width = 0;
    if (AnsiString* text = TextField(record, command, width)) {
        *text = payload.Text(width);
        return;
    }
    CheckLength(command, payload);
    DecodeValue(record, command, payload, recordIndex, awaitingStatus);
}
