// Byte streams for the codec's pure parts (parsing, LZW, sub-blocks) and the small read and
// write routines they share; free of the system headers so that they build on any host.
#pragma once

#include <cstdint>
#include <vector>

#include "cl_string.h"

// The least a codec routine needs of a stream. The class library's streams are adapted to it.
class TGIFByteStream {
public:
    virtual ~TGIFByteStream() = default;
    // Reads up to count bytes and answers how many were read.
    virtual int Read(void* buffer, int count) = 0;
    // Writes count bytes and answers how many were written.
    virtual int Write(const void* buffer, int count) = 0;
    virtual int64_t GetPosition() const = 0;
    virtual void SetPosition(int64_t position) = 0;
    virtual int64_t GetSize() const = 0;

    void WriteBuffer(const void* buffer, int count);
    void Skip(int64_t count) { SetPosition(GetPosition() + count); }
    int64_t Remaining() const;
};

// A stream over bytes in memory: reads from a borrowed block, or reads and writes its own.
class TGIFMemoryBytes : public TGIFByteStream {
public:
    TGIFMemoryBytes() = default;
    TGIFMemoryBytes(const uint8_t* data, size_t size) : borrowed_(data), size_(size) {}

    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int64_t GetPosition() const override { return static_cast<int64_t>(position_); }
    void SetPosition(int64_t position) override;
    int64_t GetSize() const override { return static_cast<int64_t>(Size()); }

    const uint8_t* Data() const { return borrowed_ ? borrowed_ : owned_.data(); }
    size_t Size() const { return borrowed_ ? size_ : owned_.size(); }
    const std::vector<uint8_t>& Bytes() const { return owned_; }

private:
    const uint8_t* borrowed_ = nullptr;
    size_t size_ = 0;
    std::vector<uint8_t> owned_;
    size_t position_ = 0;
};

// Bytes for a row of count items of the given bits, padded to alignment bits (a power of two).
int AlignedRowBytes(int count, int bitsPerItem, int alignmentBits);
// The fewest bits (at least 1) that index n colours; 0 for none.
int BitsForColors(int n);

void WriteStreamByte(TGIFByteStream& stream, uint8_t value);
// Answers the byte read, or 0 when the stream has ended.
uint8_t ReadStreamByte(TGIFByteStream& stream);
// Reads one byte into value; false when the stream has ended.
bool TryReadStreamByte(TGIFByteStream& stream, uint8_t& value);
// Reads exactly count bytes; fewer raise "Premature end of data".
void ReadExactly(TGIFByteStream& stream, void* buffer, int count);

// Texts as data sub-blocks: each line in pieces of at most 255 bytes, then a zero terminator.
void WriteStringBlocks(TGIFByteStream& stream, const std::vector<AnsiString>& lines);
// One line per sub-block, each cut at its first zero byte; stops at the terminator or the end.
void ReadStringBlocks(TGIFByteStream& stream, std::vector<AnsiString>& lines);
// Skips data sub-blocks up to and including the terminator, or to the end of the stream.
void SkipSubBlocks(TGIFByteStream& stream);

extern const char* const sPrematureEnd;
