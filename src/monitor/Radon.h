// The monitor object: the serial component speaking the monitor's packet protocol, the device
// record of the connected monitor, and the operations the windows run on it.
#pragma once

#include <cstdint>
#include <functional>

#include "AdvancedCom.h"
#include "RadonError.h"
#include "RadonPacket.h"
#include "RadonRecord.h"

constexpr unsigned long ReplyTimeoutMs = 5000;

class TRadon : public TAdvancedCom, public TDeviceRecord {
    CL_COMPONENT_CLASS(TRadon, TAdvancedCom)

    explicit TRadon(TComponent* owner);

    void ComInit() override;

    // Packets and the request exchange.
    void BuildComAPacket(int payloadLength, uint8_t command, uint8_t subCode,
                         const uint8_t* payload);
    bool SendPacket();
    // One complete exchange: the reply is decoded into the record on return.
    void SendMessageA(int payloadLength, uint8_t command, uint8_t subCode,
                      const uint8_t* payload);
    void HandleComADataRecieved();
    void BuildDownloadPacket(int payloadLength, uint8_t command, uint8_t subCode,
                             const uint8_t* payload);
    void SendDownloadPacket();
    void SendDownloadMessage(const uint8_t* byte);
    bool CaptureDownloadDataRecieved(const uint8_t* byte);

    // Monitor operations.
    void RetrieveAll();
    void SendAll();
    void SendSystemTime();
    void SoftwareReset();
    void SetPin(const AnsiString& pin);
    AnsiString GetPin() const { return Pin; }
    void SetSystemTime(uint16_t hour, uint16_t minute, uint16_t ignored);
    void SendCorrectionFactors();
    void Initialize();
    // The monitor's loader entry and its plain reset: both drive DTR and RTS at 9600 bits per
    // second and even parity, then put the port's speed and parity back. The entry waits up
    // to 5000 ms for a packet from the monitor.
    void BSLEntrySequence();
    void StandardRESETSequence();
    // Writes the record as tab-separated text to `path`; a file that cannot be written is
    // reported in a message box.
    void WriteRawData(const AnsiString& path);

    void PadString(const AnsiString& text, AnsiString& result, int width) const;
    AnsiString DurationIndex2String() const;
    AnsiString IntervalIndex2String() const;
    AnsiString DelayIndex2String() const;
    AnsiString UnitsIndex2String() const;
    AnsiString Flags2String(uint8_t flags) const;
    void Julian2Gregorian(int year, int dayOfYear, int& month, int& day) const;
    void SetErrors();

    uint8_t PacketBuffer[5][300] = {};
    bool AwaitingStatus = false;
    uint16_t ResendCount = 0;
    // The reply being decoded: a copy of the reader's last packet.
    uint8_t LastPacket[MaxPacketSize] = {};
    size_t LastPacketLength = 0;
    // Advances the main window's progress indicator during a retrieval, by n percent.
    std::function<void(uint16_t n)> OnIncProgress;

protected:
    ~TRadon() override = default;

private:
    bool AwaitReply(uint8_t command);
    bool AwaitStatusReply();
    void ReadRequest(uint8_t command);
    void WriteRequest(uint8_t command, const void* payload, int length);
    void WriteText(uint8_t command, const AnsiString& text, int width);
    void WriteIndex(uint8_t command, uint32_t value);
    void IncProgress(uint16_t n);
    void ComputeStartTime();
    void ReadRecord(uint16_t index);

    uint32_t lastPacketSequence_ = 0;
};

// The one monitor object, created and owned by the main window.
extern TRadon* Monitor;
// The record being read; command 49 asks for it and its reply is stored there.
extern uint16_t RecordIndex;
