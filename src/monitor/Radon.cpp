#include "Radon.h"

#include <windows.h>

#include <cstring>

#include "RadonDump.h"
#include "RadonReply.h"
#include "RadonTexts.h"
#include "cl_datetime.h"
#include "cl_except.h"
#include "cl_forms.h"
#include "cl_number.h"
#include "cl_sys.h"
#include "comthread.h"

TRadon* Monitor = nullptr;
uint16_t RecordIndex = 0;

namespace {

constexpr uint8_t UnsolicitedStatusCommand = 113;
constexpr uint8_t StatusReplyCommand = 66;
constexpr int MaxResends = 3;
constexpr const char* DefaultTestDateText = "07/31/1970";
constexpr DWORD LoaderBaud = 9600;
constexpr unsigned long LoaderAnswerMs = 5000;

bool IsStatusReply(uint8_t command) {
    return command == StatusReplyCommand || command == UnsolicitedStatusCommand;
}

// The open port's line at the loader's speed and parity while it stands; the speed and parity
// it had before come back on every way out.
class TLoaderLine {
public:
    explicit TLoaderLine(const TAdvancedCom& com) : port_(com.PortHandle()) {
        if (!com.Open()) throw Exception("Initialize port before setting DTR");
        saved_.DCBlength = sizeof saved_;
        if (!GetCommState(port_, &saved_)) throw Exception("GetCommState Failed.");
        DCB loader = saved_;
        loader.BaudRate = LoaderBaud;
        loader.Parity = EVENPARITY;
        if (!SetCommState(port_, &loader)) throw Exception("SetCommState Failed.");
    }
    ~TLoaderLine() { SetCommState(port_, &saved_); }
    TLoaderLine(const TLoaderLine&) = delete;
    TLoaderLine& operator=(const TLoaderLine&) = delete;

private:
    HANDLE port_;
    DCB saved_{};
};

}  // namespace

TRadon::TRadon(TComponent* owner) : TAdvancedCom(owner) { SetErrors(); }

void TRadon::ComInit() {
    TAdvancedCom::ComInit();
    SetRts(false);
    SetDtr(false);
}

// ---- packets and the exchange -------------------------------------------------------------

void TRadon::BuildComAPacket(int payloadLength, uint8_t command, uint8_t subCode,
                             const uint8_t* payload) {
    ::BuildComAPacket(PacketBuffer[0], static_cast<size_t>(payloadLength), command, subCode,
                      payload);
}

bool TRadon::SendPacket() {
    Write(PacketBuffer[0], PacketBuffer[0][1] + 3);
    return true;
}

void TRadon::SendMessageA(int payloadLength, uint8_t command, uint8_t subCode,
                          const uint8_t* payload) {
    ResendCount = 0;
    for (;;) {
        if (!ComThread)
            throw QMCRadonDataError("Could not find the device on COM port.\nMake sure the "
                                    "device is connected and COM port is selected");
        ComThread->SetDownloadMode(false);
        BuildComAPacket(payloadLength, command, subCode, payload);
        SetPacketNotify(false);
        if (AwaitReply(command)) {
            HandleComADataRecieved();
            SetPacketNotify(true);
            ResendCount = 0;
            return;
        }
        if (!AwaitStatusReply())
            throw QMCRadonDataError("Communication lost. Is monitor on? Is correct port selected?");
        if (Status[0] || Status[1])
            throw QMCRadonDataError(
                "Missed last communication message, Status Message has Errors! Will Resend.");
        if (ResendCount >= MaxResends)
            throw QMCRadonDataError("Intermittent communication Problem. Message Not Resent.");
        ++ResendCount;
    }
}

// Asks for the monitor's status and decodes the reply into Status; false when none came.
bool TRadon::AwaitStatusReply() {
    AwaitingStatus = true;
    try {
        BuildComAPacket(0, StatusCommand, WriteSubCode, nullptr);
        SetPacketNotify(false);
        const bool replied = AwaitReply(StatusReplyCommand);
        if (replied) HandleComADataRecieved();
        AwaitingStatus = false;
        return replied;
    } catch (...) {
        AwaitingStatus = false;
        throw;
    }
}

// Sends the packet in PacketBuffer and waits until a reply to `command`, or a status message,
// has arrived; replies with other commands are passed over.
bool TRadon::AwaitReply(uint8_t command) {
    lastPacketSequence_ = ComThread->CopyLastPacket(LastPacket, LastPacketLength);
    ReceiveDataEvent->ResetEvent();
    ComThread->ForgetPartialPacket();
    SendPacket();
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ReplyTimeoutMs) return false;
        if (ReceiveDataEvent->WaitFor(ReplyTimeoutMs - elapsed) != wrSignaled) return false;
        ReceiveDataEvent->ResetEvent();
        const uint32_t sequence = ComThread->CopyLastPacket(LastPacket, LastPacketLength);
        if (sequence == lastPacketSequence_) continue;
        lastPacketSequence_ = sequence;
        const uint8_t replyCommand = LastPacket[3];
        if (replyCommand == command || IsStatusReply(replyCommand)) return true;
    }
}

void TRadon::HandleComADataRecieved() {
    DecodeReply(LastPacket, LastPacketLength, *this, RecordIndex, AwaitingStatus);
}

void TRadon::BuildDownloadPacket(int payloadLength, uint8_t command, uint8_t subCode,
                                 const uint8_t* payload) {
    ::BuildDownloadPacket(PacketBuffer[0], static_cast<size_t>(payloadLength), command, subCode,
                          payload);
}

void TRadon::SendDownloadPacket() { Write(PacketBuffer[0], 1); }

void TRadon::SendDownloadMessage(const uint8_t* byte) {
    if (ComThread) ComThread->SetDownloadMode(true);
    PacketBuffer[0][0] = *byte;
    SetPacketNotify(false);
    if (ReceiveDataEvent) ReceiveDataEvent->ResetEvent();
    SendDownloadPacket();
}

bool TRadon::CaptureDownloadDataRecieved(const uint8_t* byte) {
    if (ComThread) {
        ComThread->SetDownloadMode(false);
        ComThread->SetLastPacketByte(*byte);
    }
    return true;
}

// ---- requests -------------------------------------------------------------------------------

void TRadon::ReadRequest(uint8_t command) { SendMessageA(0, command, ReadSubCode, nullptr); }

void TRadon::WriteRequest(uint8_t command, const void* payload, int length) {
    SendMessageA(length, command, WriteSubCode, static_cast<const uint8_t*>(payload));
}

// The field's first `width` characters, padded first when it is shorter.
void TRadon::WriteText(uint8_t command, const AnsiString& text, int width) {
    WriteRequest(command, PaddedText(text, width).c_str(), width);
}

void TRadon::WriteIndex(uint8_t command, uint32_t value) {
    const uint8_t payload[2] = {static_cast<uint8_t>(value & 0xFF),
                                static_cast<uint8_t>((value >> 8) & 0xFF)};
    WriteRequest(command, payload, 2);
}

void TRadon::IncProgress(uint16_t n) {
    if (OnIncProgress) OnIncProgress(n);
}

// ---- operations -----------------------------------------------------------------------------

void TRadon::RetrieveAll() {
    ReadRequest(70);
    IncProgress(2);
    for (uint8_t command : {32, 33, 8}) ReadRequest(command);
    IncProgress(2);
    for (uint8_t command : {9, 34, 35}) ReadRequest(command);
    IncProgress(2);
    if (ModelNumber == "6916")
        for (uint8_t command : {98, 97, 96, 36, 37, 39}) ReadRequest(command);
    IncProgress(2);
    for (uint8_t command : {32, 80, 81, 82, 83}) ReadRequest(command);
    IncProgress(2);
    for (uint8_t command : {1, 2, 3}) ReadRequest(command);
    IncProgress(5);
    for (uint8_t command : {4, 5}) ReadRequest(command);
    IncProgress(5);
    for (uint8_t command : {6, 7, 128, 112}) ReadRequest(command);
    IncProgress(5);
    for (uint8_t command : {64, 71}) ReadRequest(command);
    IncProgress(5);
    ReadRequest(48);
    ComputeStartTime();

    const double interval = IntervalIndexHours(IntervalIndex) * OneHour;
    Measurements[0].Time = StartTime - DelayIndex * 12 * OneHour;
    ReadRecord(0);
    IncProgress(5);
    double accumulator = 0;
    for (RecordIndex = 1; RecordIndex < NumMeasurements; ++RecordIndex) {
        Measurements[RecordIndex].Time = StartTime + (RecordIndex - 1) * interval;
        ReadRecord(RecordIndex);
        accumulator += 40.0 / NumMeasurements;
        if (accumulator > 1.0) {
            IncProgress(static_cast<uint16_t>(accumulator));
            accumulator = 0;
        }
    }
}

void TRadon::ReadRecord(uint16_t index) {
    RecordIndex = index;
    const uint8_t payload[2] = {static_cast<uint8_t>(index & 0xFF),
                                static_cast<uint8_t>(index >> 8)};
    SendMessageA(2, 49, ReadSubCode, payload);
}

// The start of the test from its header; without records, the default test date.
void TRadon::ComputeStartTime() {
    if (NumMeasurements == 0) {
        String2Date(&DefaultTestDate, DefaultTestDateText);
        StartTime = EncodeDate(DefaultTestDate.Year, DefaultTestDate.Month, DefaultTestDate.Day);
        return;
    }
    int month = 0, day = 0;
    if (!DayOfYearToDate(StartYear, StartDayOfYear, month, day))
        throw QMCRadonDataError("The test header's start day " + IntToStr(int(StartDayOfYear)) +
                                " lies outside the year " + IntToStr(int(StartYear)) +
                                ". The test was not retrieved.");
    if (StartHour > 23 || StartSeconds >= 3600)
        throw QMCRadonDataError("The test header's start time (hour " +
                                IntToStr(int(StartHour)) + ", second " +
                                IntToStr(int(StartSeconds)) +
                                " of the hour) is out of range. The test was not retrieved.");
    try {
        StartTime = EncodeDate(StartYear, month, day) +
                    EncodeTime(StartHour, StartSeconds / 60, StartSeconds % 60, 0);
    } catch (const EConvertError&) {
        throw QMCRadonDataError("The test header's start year " + IntToStr(int(StartYear)) +
                                " is out of range. The test was not retrieved.");
    }
}

void TRadon::SendAll() {
    WriteText(1, CompanyName, 30);
    WriteText(2, Address1, 30);
    WriteText(3, Address2, 30);
    WriteText(4, City, 20);
    WriteText(5, State, 10);
    WriteText(6, Zip, 10);
    WriteText(7, PhoneNumber, 20);
    WriteText(9, Pin, 4);
    WriteIndex(80, UnitsIndex);
    WriteText(8, LicenseNumber, 10);
}

void TRadon::SendSystemTime() {
    uint8_t payload[10];
    for (int i = 0; i < 5; ++i) {
        payload[2 * i] = static_cast<uint8_t>(SystemTime[i] & 0xFF);
        payload[2 * i + 1] = static_cast<uint8_t>(SystemTime[i] >> 8);
    }
    WriteRequest(71, payload, sizeof payload);
}

void TRadon::SoftwareReset() {
    ReadRequest(64);
    UnitsIndex = DelayIndex = IntervalIndex = 0;
    WriteIndex(80, UnitsIndex);
    WriteIndex(81, DelayIndex);
    WriteIndex(82, IntervalIndex);
    DurationIndex = 2;
    WriteIndex(83, DurationIndex);
    ReadRequest(65);
}

void TRadon::SetPin(const AnsiString& pin) {
    if (pin.Length() != 4)
        throw QMCRadonDataError("Invalid Pin value : Must contain 4 digits between 1-4");
    for (int i = 1; i <= 4; ++i)
        if (pin[i] < '1' || pin[i] > '4')
            throw QMCRadonDataError(
                "Invalid Pin value : Are all digits between 1-4?\nIs pin 4 digits long>");
    Pin = pin;
}

void TRadon::SetSystemTime(uint16_t hour, uint16_t minute, uint16_t) {
    SystemTime[3] = hour;
    SystemTime[4] = minute;
}

void TRadon::SendCorrectionFactors() {
    WriteRequest(39, Command39Value, 4);
    WriteRequest(36, &HumiditySlope, 4);
    WriteRequest(37, &HumidityF0, 4);
    WriteText(34, CalibrationDate, 10);
    const float factors[2] = {CF1, CF2};
    WriteRequest(35, factors, sizeof factors);
}

// Demonstration values; the application does not use them.
void TRadon::Initialize() {
    NumMeasurements = StartYear = StartDayOfYear = StartHour = StartSeconds = 0;
    HeaderWord1 = HeaderWord2 = 0;
    Command112Value = 0;
    std::memset(ErrorCodes, 0, sizeof ErrorCodes);
    ModelNumber = "6916";
    SerialNumber = "0123456789";
    CalibrationDate = "07/31/1970";
    CF1 = CF2 = 2.7f;
    HumiditySlope = 0.0377f;
    HumidityF0 = 15373.0f;
    std::memset(Command39Value, 0, sizeof Command39Value);
    FirmwareVersion = 100;
    CompanyName = PaddedText("Company Name", 30);
    Address1 = Address2 = City = State = LicenseNumber = "None";
    Zip = "0000";
    PhoneNumber = "(000) 000-0000";
    Pin = "3142";
    UnitsIndex = DelayIndex = 0;
    IntervalIndex = 1;
    DurationIndex = 2;
    TMeasurement blank;
    blank.RecordNumber = blank.Alpha0Counts = blank.Alpha1Counts = 0xFFFF;
    blank.Temperature = blank.Pressure = blank.Humidity = -1.0f;
    for (TMeasurement& m : Measurements) m = blank;
}

void TRadon::BSLEntrySequence() {
    const TLoaderLine line(*this);
    ReceiveDataEvent->ResetEvent();
    SetDtr(false);
    SetRts(false);
    SetRts(true);
    SetRts(false);
    SetRts(true);
    SetDtr(true);
    SetRts(false);
    ReceiveDataEvent->WaitFor(LoaderAnswerMs);
}

void TRadon::StandardRESETSequence() {
    const TLoaderLine line(*this);
    SetDtr(false);
    SetRts(false);
    SetDtr(false);
}

void TRadon::WriteRawData(const AnsiString& path) {
    const AnsiString text = MonitorDumpText(*this);
    try {
        WriteFileWhole(path, text.c_str(), static_cast<size_t>(text.Length()));
    } catch (const EFCreateError&) {
        Application->MessageBox("Unable to open output file " + path, "RawDataWrite",
                                MB_OK | MB_ICONWARNING);
    }
}

// ---- texts ----------------------------------------------------------------------------------

void TRadon::PadString(const AnsiString& text, AnsiString& result, int width) const {
    result = PaddedText(text, width);
}

AnsiString TRadon::DurationIndex2String() const { return DurationIndexText(DurationIndex); }
AnsiString TRadon::IntervalIndex2String() const { return IntervalIndexText(IntervalIndex); }
AnsiString TRadon::DelayIndex2String() const { return DelayIndexText(DelayIndex); }
AnsiString TRadon::UnitsIndex2String() const { return UnitsIndexText(UnitsIndex); }
AnsiString TRadon::Flags2String(uint8_t flags) const { return FlagsText(flags); }

void TRadon::Julian2Gregorian(int year, int dayOfYear, int& month, int& day) const {
    DayOfYearToDate(year, dayOfYear, month, day);
}

void TRadon::SetErrors() {
    for (int bit = 0; bit < NoticeCount; ++bit) Errors[bit] = NoticeText(bit);
}
