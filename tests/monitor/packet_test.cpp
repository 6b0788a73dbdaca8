// Packet framing, checksums and the reader's packet assembly, byte by byte.
#include "RadonPacket.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Build(uint8_t command, uint8_t subCode, const Bytes& payload) {
    Bytes out(payload.size() + PacketOverhead);
    out.resize(BuildComAPacket(out.data(), payload.size(), command, subCode, payload.data()));
    return out;
}

// Feeds bytes to the assembler; returns every packet it completed.
std::vector<Bytes> Assemble(TPacketAssembler& assembler, const Bytes& stream) {
    std::vector<Bytes> packets;
    for (uint8_t b : stream)
        if (assembler.Take(b))
            packets.emplace_back(assembler.Packet(), assembler.Packet() + assembler.PacketLength());
    return packets;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(PacketFraming, ReadRequestForFirmwareVersion) {
    EXPECT_EQ(Build(70, ReadSubCode, {}),
              (Bytes{0xAA, 0x08, 0x00, 0x46, 0x99, 0, 0, 0, 0, 0x91, 0x01}));
}

TEST(PacketFraming, WriteOfUnitsIndex) {
    EXPECT_EQ(Build(80, WriteSubCode, {0x01, 0x00}),
              (Bytes{0xAA, 0x0A, 0x00, 0x50, 0x00, 0, 0, 0, 0, 0x01, 0x00, 0x05, 0x01}));
}

TEST(PacketFraming, ChecksumCarriesIntoHighByteAndWraps) {
    const Bytes payload(200, 0xFF);
    const Bytes packet = Build(1, WriteSubCode, payload);
    ASSERT_EQ(packet.size(), 211u);
    const unsigned sum = 0xAA + 208 + 1 + 200 * 0xFF;
    EXPECT_EQ(packet[209], sum & 0xFF);
    EXPECT_EQ(packet[210], (sum >> 8) & 0xFF);
    EXPECT_TRUE(ValidatePacket(packet.data(), packet.size()));
}

TEST(PacketFraming, DownloadFormReordersTheHeader) {
    Bytes out(PacketOverhead + 1);
    BuildDownloadPacket(out.data(), 1, 0x20, 0x00, Bytes{0x05}.data());
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 5), (Bytes{0x80, 0x20, 0x09, 0x00, 0x00}));
    EXPECT_TRUE(ValidatePacket(out.data(), out.size()));
}

TEST(PacketFraming, ValidationRejectsAChecksumOffByOne) {
    Bytes packet = Build(70, ReadSubCode, {0x12, 0x34});
    EXPECT_TRUE(ValidatePacket(packet.data(), packet.size()));
    ++packet[packet.size() - 2];
    EXPECT_FALSE(ValidatePacket(packet.data(), packet.size()));
}

TEST(PacketAssembly, EmptyPayloadCompletesAfterElevenBytes) {
    TPacketAssembler assembler;
    const Bytes packet = Build(65, ReadSubCode, {});
    for (size_t i = 0; i + 1 < packet.size(); ++i) EXPECT_FALSE(assembler.Take(packet[i]));
    EXPECT_TRUE(assembler.Take(packet.back()));
    EXPECT_EQ(Bytes(assembler.Packet(), assembler.Packet() + assembler.PacketLength()), packet);
}

TEST(PacketAssembly, JunkBeforeAStartByteIsDropped) {
    TPacketAssembler assembler;
    const Bytes packet = Build(70, ReadSubCode, {0x10, 0x00});
    const auto packets = Assemble(assembler, Concat({{0x55, 0x00, 0x99}, packet}));
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0], packet);
}

TEST(PacketAssembly, StartByteInsideAPacketIsData) {
    TPacketAssembler assembler;
    const Bytes packet = Build(49, ReadSubCode, Bytes(19, 0xAA));
    const auto packets = Assemble(assembler, packet);
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0], packet);
}

TEST(PacketAssembly, LengthsOutsideTheProtocolAreDroppedAndReadingGoesOn) {
    const Bytes good = Build(70, ReadSubCode, {0x01, 0x02});
    const Bytes cases[] = {
        {0xAA, 0x80, 0x00, 0x01, 0x02, 0x03},  // low length byte of 128
        {0xAA, 0xFF, 0x00, 0x01},              // 255
        {0xAA, 0x10, 0x01, 0x01},              // high length byte set
        {0xAA, 0x03, 0x00, 0x01},              // shorter than a header
    };
    for (const Bytes& junk : cases) {
        TPacketAssembler assembler;
        const auto packets = Assemble(assembler, Concat({junk, good}));
        ASSERT_EQ(packets.size(), 1u) << int(junk[1]);
        EXPECT_EQ(packets[0], good);
    }
}

TEST(PacketAssembly, StrayStartBytesBeforeAPacketDoNotShiftIt) {
    const Bytes good = Build(70, ReadSubCode, {0x01, 0x02});
    for (const Bytes& junk : {Bytes{0xAA}, Bytes{0xAA, 0xAA}, Bytes{0xAA, 0xC8}, Bytes{0xAA, 0x00, 0xAA}}) {
        TPacketAssembler assembler;
        const auto packets = Assemble(assembler, Concat({junk, good}));
        ASSERT_EQ(packets.size(), 1u) << junk.size();
        EXPECT_EQ(packets[0], good);
    }
}

TEST(PacketAssembly, ResetForgetsAHalfAssembledPacket) {
    TPacketAssembler assembler;
    const Bytes good = Build(70, ReadSubCode, {0x01, 0x02});
    Assemble(assembler, {0xAA, 0x0A, 0x00, 0x46});
    assembler.Reset();
    const auto packets = Assemble(assembler, good);
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0], good);
}

TEST(PacketAssembly, NeverWritesBeyondItsBufferWhatEverThePacketSize) {
    TPacketAssembler assembler;
    Assemble(assembler, {0xAA, 0x7F, 0x00, 0x01});
    assembler.SetPacketSize(100000);
    const auto packets = Assemble(assembler, Bytes(1000, 0x01));
    EXPECT_TRUE(packets.empty());
    EXPECT_LE(static_cast<size_t>(assembler.Count()), MaxPacketSize);
}

TEST(PacketAssembly, DownloadModeKeepsAReplyByteWithoutFormingAPacket) {
    TPacketAssembler assembler;
    assembler.DownloadMode = true;
    EXPECT_FALSE(assembler.Take(0x90));
    EXPECT_EQ(assembler.Count(), 0);
    EXPECT_EQ(assembler.AssemblyBuffer[0], 0x90);
    EXPECT_EQ(assembler.PacketSize(), 256u);
}

}  // namespace
