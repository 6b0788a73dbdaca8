// The reader thread: the only reader of the serial port. It assembles the monitor's packets
// byte by byte, checks their checksums, keeps the last good one and wakes the waiting request.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "AdvancedCom.h"
#include "RadonPacket.h"
#include "cl_threads.h"

// The current reader's event, set for each packet with a good checksum; exists while a reader
// exists. Its name starts with "WAIT_FOR_RECIEVE_DATA" and is unique to this process.
extern TEvent* ReceiveDataEvent;

class TComThread : public TThread {
    CL_CLASS(TComThread, TThread)

    TComThread(void* portHandle, TAdvancedCom* com, TStatusChangedEvent onStatusChanged,
               TPacketReceivedEvent onPacketReceived, _OVERLAPPED* readOverlapped,
               uint32_t bufSize, bool start);

    virtual void SetPacketSize(uint32_t value);
    virtual uint32_t GetPacketSize();
    virtual void SetPacketNotify(bool value);
    virtual void ReadPort();
    virtual void AppendBytes(const uint8_t* bytes, int count);
    virtual void DoPacketReceived();
    virtual void DoStatusChanged();
    // Keeps the packet as the last packet and sets the event when its checksum holds; shows
    // the checksum notice otherwise.
    bool ValidatePacket(const uint8_t* packet, size_t size);

    // True until the reading loop has been left (or the thread ended without entering it).
    bool Running() const { return running_ && !Finished(); }
    bool PacketNotify() const { return packetNotify_; }
    void SetDownloadMode(bool value);
    // Makes the reader forget a half-assembled packet.
    void ForgetPartialPacket();
    // Copies the last packet whose checksum held; returns its sequence number, which grows by
    // one with every such packet.
    uint32_t CopyLastPacket(uint8_t* target, size_t& length);
    void SetLastPacketByte(uint8_t value);

protected:
    ~TComThread() override;
    void Execute() override;

private:
    void TakeByte(uint8_t byte);
    bool SampleModemStatus();
    // Raises OnStatusChanged on the GUI thread; what it throws is shown there, and reading
    // goes on.
    void ReportStatusChange();
    unsigned long BytesToRead();
    int ReadWaitingBytes();

    // Guards the assembler (its packet size included) and the last packet: the GUI thread
    // reaches both while the reader works.
    std::mutex lock_;
    TPacketAssembler assembler_;
    std::atomic<bool> running_{true};
    std::atomic<bool> packetNotify_{true};
    TEvent* receiveDataEvent_ = nullptr;
    uint8_t lastPacket_[MaxPacketSize] = {};
    size_t lastPacketLength_ = 0;
    uint32_t lastPacketSequence_ = 0;
    void* portHandle_;
    std::vector<uint8_t> readByte_;
    uint32_t bufSize_;
    _OVERLAPPED* readOverlapped_;
    TPacketReceivedEvent onPacketReceived_;
    bool ctsOn_ = false, dsrOn_ = false, ringOn_ = false, rlsdOn_ = false;
    TStatusChangedEvent onStatusChanged_;
    TAdvancedCom* com_;
};
