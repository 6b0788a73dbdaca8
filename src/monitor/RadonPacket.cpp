#include "RadonPacket.h"

#include <cstring>

namespace {

constexpr uint8_t DownloadStartByte = 0x80;
constexpr uint32_t IdlePacketSize = 256;

bool IsDownloadReplyByte(uint8_t b) { return b == 0x90 || b == 0x70 || b == 0x80 || b == 0xA0; }

void PutChecksum(uint8_t* out, size_t at) {
    const uint16_t sum = PacketChecksum(out, at);
    out[at] = static_cast<uint8_t>(sum & 0xFF);
    out[at + 1] = static_cast<uint8_t>(sum >> 8);
}

}  // namespace

uint16_t PacketChecksum(const uint8_t* bytes, size_t count) {
    unsigned sum = 0;
    for (size_t i = 0; i < count; ++i) sum += bytes[i];
    return static_cast<uint16_t>(sum);
}

size_t BuildComAPacket(uint8_t* out, size_t payloadLength, uint8_t command, uint8_t subCode,
                       const uint8_t* payload) {
    const size_t length = payloadLength + 8;
    out[0] = PacketStartByte;
    out[1] = static_cast<uint8_t>(length & 0xFF);
    out[2] = static_cast<uint8_t>(length >> 8);
    out[3] = command;
    out[4] = subCode;
    std::memset(out + 5, 0, 4);
    if (payloadLength) std::memcpy(out + PacketHeaderSize, payload, payloadLength);
    PutChecksum(out, length + 1);
    return length + 3;
}

size_t BuildDownloadPacket(uint8_t* out, size_t payloadLength, uint8_t command,
                           uint8_t subCode, const uint8_t* payload) {
    const size_t size = BuildComAPacket(out, payloadLength, command, subCode, payload);
    const size_t length = payloadLength + 8;
    out[0] = DownloadStartByte;
    out[1] = command;
    out[2] = static_cast<uint8_t>(length & 0xFF);
    out[3] = static_cast<uint8_t>(length >> 8);
    out[4] = subCode;
    PutChecksum(out, length + 1);
    return size;
}

bool ValidatePacket(const uint8_t* packet, size_t size) {
    if (size < 3) return false;
    const uint16_t checksum = static_cast<uint16_t>(packet[size - 2] | (packet[size - 1] << 8));
    return PacketChecksum(packet, size - 2) == checksum;
}

bool TPacketAssembler::Take(uint8_t byte) {
    if (count_ == 0) {
        if (byte == PacketStartByte) {
            AssemblyBuffer[count_++] = byte;
        } else if (DownloadMode) {
            if (IsDownloadReplyByte(byte)) AssemblyBuffer[0] = byte;
            packetSize_ = IdlePacketSize;
        }
        return false;
    }
    AssemblyBuffer[count_++] = byte;
    if (count_ == 4) {
        const unsigned length = AssemblyBuffer[1] | (AssemblyBuffer[2] << 8);
        if (length < 8 || length + 3 > MaxPacketSize) {
            RestartAtNextStartByte();
            return false;
        }
        packetSize_ = length + 3;
    }
    if (count_ < 4 || static_cast<uint32_t>(count_) < packetSize_) {
        if (static_cast<size_t>(count_) == MaxPacketSize) Reset();
        return false;
    }
    packetLength_ = static_cast<size_t>(count_);
    Reset();
    return true;
}

// Drops the packet's start byte and goes on from the next start byte among the bytes taken.
void TPacketAssembler::RestartAtNextStartByte() {
    int from = 1;
    while (from < count_ && AssemblyBuffer[from] != PacketStartByte) ++from;
    std::memmove(AssemblyBuffer, AssemblyBuffer + from, static_cast<size_t>(count_ - from));
    count_ -= from;
    packetSize_ = IdlePacketSize;
}

void TPacketAssembler::Reset() {
    count_ = 0;
    packetSize_ = IdlePacketSize;
}
