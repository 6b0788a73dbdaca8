// Reply decoding into the device record: layouts, sub-code rules, status rule and the checks
// that keep a bad reply from storing anything.
#include "RadonError.h"
#include "RadonPacket.h"
#include "RadonReply.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Reply(uint8_t command, uint8_t subCode, const Bytes& payload) {
    Bytes out(payload.size() + PacketOverhead);
    BuildComAPacket(out.data(), payload.size(), command, subCode, payload.data());
    return out;
}

Bytes Text(const char* text) { return Bytes(text, text + std::strlen(text)); }

Bytes Float(float f) {
    Bytes b(4);
    std::memcpy(b.data(), &f, 4);
    return b;
}

class ReplyDecoding : public ::testing::Test {
protected:
    void Decode(const Bytes& packet, uint16_t recordIndex = 0) {
        DecodeReply(packet.data(), packet.size(), *record, recordIndex, awaitingStatus);
    }
    AnsiString DecodeFailure(const Bytes& packet, uint16_t recordIndex = 0) {
        try {
            Decode(packet, recordIndex);
        } catch (const QMCRadonDataError& e) {
            return e.GetText();
        }
        return "(nothing raised)";
    }
    std::unique_ptr<TDeviceRecord> record = std::make_unique<TDeviceRecord>();
    bool awaitingStatus = false;
};

TEST_F(ReplyDecoding, TextsAreCutAtTheirWidthOrAtAZeroAndPaddedWithSpaces) {
    struct Case { uint8_t command; const char* payload; AnsiString TDeviceRecord::*field; const char* stored; };
    const Case cases[] = {
        {32, "6916", &TDeviceRecord::ModelNumber, "6916"},
        {32, "69", &TDeviceRecord::ModelNumber, "69  "},
        {4, "Springfield-by-the-Lakeside", &TDeviceRecord::City, "Springfield-by-the-L"},
        {1, "ACME\0garbage", &TDeviceRecord::CompanyName, "ACME                          "},
        {9, "31425", &TDeviceRecord::Pin, "3142"},
        {34, "03/15/2009", &TDeviceRecord::CalibrationDate, "03/15/2009"},
        {7, "", &TDeviceRecord::PhoneNumber, "                    "},
    };
    for (const Case& c : cases) {
        Bytes payload = Text(c.payload);
        if (c.command == 1) payload = Bytes(c.payload, c.payload + 12);
        Decode(Reply(c.command, ReadSubCode, payload));
        EXPECT_EQ((*record).*c.field, AnsiString(c.stored)) << int(c.command);
    }
}

TEST_F(ReplyDecoding, ReadOnlyRowsIgnoreRepliesToWrites) {
    const Bytes factors = [] { Bytes b = Float(2.5f); Bytes c = Float(3.5f); b.insert(b.end(), c.begin(), c.end()); return b; }();
    Decode(Reply(35, WriteSubCode, factors));
    Decode(Reply(33, WriteSubCode, Text("XYZ")));
    EXPECT_EQ(record->CF1, 0.0f);
    EXPECT_EQ(record->SerialNumber, AnsiString());
    Decode(Reply(35, ReadSubCode, factors));
    EXPECT_EQ(record->CF1, 2.5f);
    EXPECT_EQ(record->CF2, 3.5f);
}

TEST_F(ReplyDecoding, IndexesStoreWhateverTheSubCode) {
    Decode(Reply(80, WriteSubCode, {0x01, 0x00}));
    EXPECT_EQ(record->UnitsIndex, 1u);
    Decode(Reply(80, ReadSubCode, {0x00, 0x00}));
    EXPECT_EQ(record->UnitsIndex, 0u);
    Decode(Reply(83, ReadSubCode, {0x34, 0x12}));
    EXPECT_EQ(record->DurationIndex, 0x1234u);
}

TEST_F(ReplyDecoding, HeaderAndRecordLayouts) {
    Decode(Reply(48, ReadSubCode, {0x32, 0x00, 0xD9, 0x07, 0x3C, 0x00, 0x0A, 0x00, 0x0F, 0x0E,
                                   0x44, 0x33, 0x22, 0x11, 0x88, 0x77, 0x66, 0x55}));
    EXPECT_EQ(record->NumMeasurements, 50);
    EXPECT_EQ(record->StartYear, 2009);
    EXPECT_EQ(record->StartDayOfYear, 60);
    EXPECT_EQ(record->StartHour, 10);
    EXPECT_EQ(record->StartSeconds, 0x0E0F);
    EXPECT_EQ(record->HeaderWord1, 0x11223344u);
    EXPECT_EQ(record->HeaderWord2, 0x55667788u);

    Bytes measurement{0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
    for (float f : {21.5f, 29.75f, 45.25f}) {
        const Bytes b = Float(f);
        measurement.insert(measurement.end(), b.begin(), b.end());
    }
    measurement.push_back(0x10);
    Decode(Reply(49, ReadSubCode, measurement), 719);
    const TMeasurement& m = record->Measurements[719];
    EXPECT_EQ(m.RecordNumber, 0x0201);
    EXPECT_EQ(m.Alpha0Counts, 0x0403);
    EXPECT_EQ(m.Alpha1Counts, 0x0605);
    EXPECT_EQ(m.Temperature, 21.5f);
    EXPECT_EQ(m.Pressure, 29.75f);
    EXPECT_EQ(m.Humidity, 45.25f);
    EXPECT_EQ(m.Flags, 0x10);
}

TEST_F(ReplyDecoding, SmallValueRows) {
    Decode(Reply(71, ReadSubCode, {0xD9, 0x07, 12, 0, 31, 0, 23, 0, 59, 0}));
    EXPECT_EQ(record->SystemTime[0], 2009);
    EXPECT_EQ(record->SystemTime[4], 59);
    Decode(Reply(64, ReadSubCode, {0x01, 0x02, 0x04, 0x80}));
    EXPECT_EQ(record->ErrorCodes[3], 0x80);
    Decode(Reply(69, ReadSubCode, {1, 0xF1, 2, 0xF2, 3, 0xF3, 4, 0xF4, 5, 0xF5, 6, 0xF6, 7, 0xF7}));
    EXPECT_EQ(Bytes(record->Command69Values, record->Command69Values + 7), (Bytes{1, 2, 3, 4, 5, 6, 7}));
    Decode(Reply(128, WriteSubCode, Float(8.75f)));
    EXPECT_EQ(record->BatteryVoltage, 8.75f);
    Decode(Reply(70, ReadSubCode, {0xD5, 0x00}));
    EXPECT_EQ(record->FirmwareVersion, 213);
}

TEST_F(ReplyDecoding, AskedForStatusIsAcceptedUnaskedRaisesAfterStoring) {
    awaitingStatus = true;
    Decode(Reply(66, WriteSubCode, {1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(awaitingStatus);
    EXPECT_EQ(record->Status[5], 6);

    EXPECT_EQ(DecodeFailure(Reply(66, ReadSubCode, {7, 0, 0, 0, 0, 0})),
              AnsiString("Device sent a STATUS message. Device may not be ready."));
    EXPECT_EQ(record->Status[0], 7);
    EXPECT_EQ(DecodeFailure(Reply(113, ReadSubCode, {8, 0, 0, 0, 0, 0})),
              AnsiString("Device sent an STATUS message. Check Errors."));
    EXPECT_EQ(record->Status[0], 8);
}

TEST_F(ReplyDecoding, ShortPayloadStoresNothingAndNamesTheCommand) {
    record->Measurements[3].Alpha0Counts = 77;
    EXPECT_EQ(DecodeFailure(Reply(49, ReadSubCode, Bytes(12, 0xEE)), 3),
              AnsiString("The monitor's reply to command 49 was too short: 12 bytes where 19 are "
                         "needed. Nothing was stored."));
    EXPECT_EQ(record->Measurements[3].Alpha0Counts, 77);
    EXPECT_NE(DecodeFailure(Reply(35, ReadSubCode, Bytes(4, 0))).Pos("command 35"), 0);
    EXPECT_EQ(record->CF1, 0.0f);
}

TEST_F(ReplyDecoding, HeaderAboveTheRecordArrayIsRefused) {
    const AnsiString text = DecodeFailure(Reply(48, ReadSubCode, {0xD1, 0x02, 0xD9, 0x07, 1, 0, 0, 0, 0, 0,
                                                                  0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(text, AnsiString("The monitor holds a test of 721 records, more than the 720 this "
                               "program can read. The test was not retrieved."));
    EXPECT_EQ(record->NumMeasurements, 0);
    EXPECT_NE(DecodeFailure(Reply(49, ReadSubCode, Bytes(19, 0)), 720), AnsiString("(nothing raised)"));
}

TEST_F(ReplyDecoding, PacketsThatAreNotRepliesChangeNothing) {
    Bytes packet = Reply(80, ReadSubCode, {0x05, 0x00});
    packet[0] = 0x55;
    Decode(packet);
    Decode(Reply(150, ReadSubCode, {0x05, 0x00}));
    Decode(Reply(65, ReadSubCode, {}));
    Decode(Reply(72, ReadSubCode, {1, 2}));
    EXPECT_EQ(record->UnitsIndex, 0u);
}

}  // namespace
