// A radon monitor on the device side of a serial pair: answers the program's requests from a
// configurable monitor, records every request and injects faults. Written apart from the program.
#pragma once

#include "serial_port.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

struct SimRecord {
    uint16_t recordNumber = 0;
    uint16_t alpha0 = 0;
    uint16_t alpha1 = 0;
    float temperature = 0;
    float pressure = 0;
    float humidity = 0;
    uint8_t flags = 0;
};

struct SimMonitor {
    std::string model = "6916";
    std::string serialNumber = "SN00012345";
    std::string calibrationDate = "03/15/2009";
    float cf1 = 2.7f;
    float cf2 = 2.9f;
    float humiditySlope = 0.0377f;
    float humidityF0 = 15373.0f;
    uint8_t command39[4] = {1, 2, 3, 4};
    uint8_t command96[4] = {9, 6, 0, 1};
    uint8_t command97[4] = {9, 7, 0, 2};
    uint8_t command98[4] = {9, 8, 0, 3};
    uint16_t firmwareVersion = 213;
    std::string companyName = "Radon Inspections Inc.";
    std::string address1 = "12 Main Street";
    std::string address2 = "Suite 4";
    std::string city = "Springfield";
    std::string state = "IL";
    std::string zip = "62701";
    std::string phone = "217-555-0100";
    std::string license = "LIC-7788";
    std::string pin = "3142";
    uint16_t unitsIndex = 1, delayIndex = 1, intervalIndex = 0, durationIndex = 2;
    uint16_t clock[5] = {2009, 7, 4, 13, 45};  // year, month, day, hour, minute
    uint8_t notices[4] = {0x01, 0x00, 0x80, 0x00};
    float battery = 8.75f;
    uint8_t command112 = 0x5A;
    uint16_t startYear = 2009, startDayOfYear = 60, startHour = 10, startSeconds = 125;
    uint32_t headerWord1 = 0x11223344, headerWord2 = 0x55667788;
    uint8_t status[6] = {0, 0, 0, 0, 0, 0};
    // The test: numMeasurements is what the header announces; records[k] answers record k.
    uint16_t numMeasurements = 0;
    std::vector<SimRecord> records;
};

// Fills records 0..count-1 with distinct values and announces count records.
void FillTest(SimMonitor& monitor, uint16_t count);

struct SimRequest {
    uint8_t command = 0;
    uint8_t subCode = 0;
    std::vector<uint8_t> payload;
    std::vector<uint8_t> raw;  // the whole packet as received
    bool checksumOk = true;
};

enum class FaultKind {
    NoReply,            // request is ignored
    StatusOnly,         // only status requests are answered
    BadChecksum,        // reply checksum off by one
    StrayBytes,         // `bytes` go out before the reply
    UnsolicitedStatus,  // a status message (command `otherCommand`) in place of the reply
    OtherCommandFirst,  // a reply of `otherCommand` (1 byte) before the right one
    ShortPayload,       // reply payload cut to `length` bytes
    NoEcho,             // the reply to a write carries no payload
    CorruptCopyAfter,   // the reply, then at once a copy with other payload bytes and a bad
                        // checksum
};

struct Fault {
    FaultKind kind = FaultKind::NoReply;
    int command = -1;  // -1: every command
    int times = -1;    // -1: for ever
    std::vector<uint8_t> bytes = {};
    uint8_t otherCommand = 66;
    size_t length = 0;
};

class MonitorSimulator {
public:
    MonitorSimulator(int portNumber, SimMonitor monitor);
    ~MonitorSimulator();
    MonitorSimulator(const MonitorSimulator&) = delete;
    MonitorSimulator& operator=(const MonitorSimulator&) = delete;

    void Start();
    void Stop();

    // Replies leave at this line rate (bits per second, 10 bits a byte); 0 = at once.
    void SetPacing(unsigned bitsPerSecond) { pacing_ = bitsPerSecond; }
    void AddFault(const Fault& fault);
    void ClearFaults();
    void SendRaw(const std::vector<uint8_t>& bytes);

    std::vector<SimRequest> Requests() const;
    void ClearRequests();
    SimMonitor Monitor() const;
    uint64_t BytesReceived() const { return bytesIn_; }
    uint64_t BytesSent() const { return bytesOut_; }

    static std::vector<uint8_t> Packet(uint8_t command, uint8_t subCode,
                                       const std::vector<uint8_t>& payload);

private:
    void Run();
    bool ReadByte(uint8_t& byte, HANDLE stop);
    bool FillInbox(HANDLE stop);
    bool ReadRequest(SimRequest& request, std::vector<uint8_t>& raw);
    void Answer(const SimRequest& request, size_t rawLength);
    std::vector<uint8_t> ReadReplyPayload(const SimRequest& request);
    void ApplyWrite(const SimRequest& request);
    const Fault* TakeFault(uint8_t command, bool isStatusRequest);
    void Send(const std::vector<uint8_t>& bytes);

    SerialPort port_;
    SimMonitor monitor_;
    std::vector<Fault> faults_;
    std::vector<SimRequest> requests_;
    mutable std::mutex mutex_;
    std::thread thread_;
    HANDLE stopEvent_;
    HANDLE readEvent_;
    std::atomic<unsigned> pacing_{0};
    std::atomic<uint64_t> bytesIn_{0}, bytesOut_{0};
    LARGE_INTEGER lineFree_{};
    std::vector<uint8_t> inbox_;
    size_t inboxNext_ = 0;
};

}  // namespace testsupport
