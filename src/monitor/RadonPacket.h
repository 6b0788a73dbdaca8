// The monitor's packet format over bytes: framing a request, checking a reply's checksum and
// assembling replies from the byte stream the reader thread receives.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint8_t PacketStartByte = 0xAA;
constexpr uint8_t ReadSubCode = 0x99;
constexpr uint8_t WriteSubCode = 0x00;
constexpr uint8_t StatusCommand = 0x42;
constexpr size_t PacketHeaderSize = 9;           // start, length, command, sub-code, reserved
constexpr size_t PacketOverhead = PacketHeaderSize + 2;
constexpr size_t MaxPacketSize = 130;            // the longest packet the reader keeps
constexpr size_t MaxRequestPayload = 247;        // the sender uses the low length byte only

// The 16-bit sum of `count` bytes as unsigned values.
uint16_t PacketChecksum(const uint8_t* bytes, size_t count);

// Frames a packet into `out` (room for payloadLength + PacketOverhead bytes); returns its size.
size_t BuildComAPacket(uint8_t* out, size_t payloadLength, uint8_t command, uint8_t subCode,
                       const uint8_t* payload);
// The download form: 0x80, command, length low, length high, sub-code, then as above.
size_t BuildDownloadPacket(uint8_t* out, size_t payloadLength, uint8_t command,
                           uint8_t subCode, const uint8_t* payload);

// True when the packet's last two bytes hold the sum of every byte before them.
bool ValidatePacket(const uint8_t* packet, size_t size);

// The reader's packet assembly, one received byte at a time. A packet starts at a start byte
// and ends after its low length byte + 3 bytes; a length outside the protocol drops the packet
// and assembly goes on from the next start byte.
class TPacketAssembler {
public:
    // True when `byte` completed a packet; it is then in Packet()/PacketLength().
    bool Take(uint8_t byte);
    // Forgets a half-assembled packet.
    void Reset();

    const uint8_t* Packet() const { return AssemblyBuffer; }
    size_t PacketLength() const { return packetLength_; }
    int Count() const { return count_; }
    uint32_t PacketSize() const { return packetSize_; }
    void SetPacketSize(uint32_t size) { packetSize_ = size; }

    bool DownloadMode = false;
    uint8_t AssemblyBuffer[MaxPacketSize] = {};

private:
    void RestartAtNextStartByte();

    int count_ = 0;
    uint32_t packetSize_ = MaxPacketSize;
    size_t packetLength_ = 0;
};
