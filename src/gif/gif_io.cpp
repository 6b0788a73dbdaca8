#include "gif_io.h"

#include <algorithm>
#include <cstring>

#include "gif_error.h"

const char* const sPrematureEnd = "Premature end of data";

void TGIFByteStream::WriteBuffer(const void* buffer, int count)
{
    if (count > 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

int64_t TGIFByteStream::Remaining() const
{
    return std::max<int64_t>(0, GetSize() - GetPosition());
}

int TGIFMemoryBytes::Read(void* buffer, int count)
{
    if (count <= 0 || position_ >= Size())
        return 0;
    const size_t n = std::min(static_cast<size_t>(count), Size() - position_);
    std::memcpy(buffer, Data() + position_, n);
    position_ += n;
    return static_cast<int>(n);
}

int TGIFMemoryBytes::Write(const void* buffer, int count)
{
    if (borrowed_)
        throw EWriteError("Stream write error");
    if (count <= 0)
        return 0;
    if (position_ + count > owned_.size())
        owned_.resize(position_ + count);
    std::memcpy(owned_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

void TGIFMemoryBytes::SetPosition(int64_t position)
{
    position_ = static_cast<size_t>(std::max<int64_t>(0, position));
}

int AlignedRowBytes(int count, int bitsPerItem, int alignmentBits)
{
    const int64_t bits = static_cast<int64_t>(count) * bitsPerItem + alignmentBits - 1;
    return static_cast<int>((bits & ~static_cast<int64_t>(alignmentBits - 1)) / 8);
}

int BitsForColors(int n)
{
    if (n <= 0)
        return 0;
    int bits = 1;
    while ((1 << bits) < n)
        ++bits;
    return bits;
}

void WriteStreamByte(TGIFByteStream& stream, uint8_t value)
{
    stream.WriteBuffer(&value, 1);
}

uint8_t ReadStreamByte(TGIFByteStream& stream)
{
    uint8_t value = 0;
    TryReadStreamByte(stream, value);
    return value;
}

bool TryReadStreamByte(TGIFByteStream& stream, uint8_t& value)
{
    return stream.Read(&value, 1) == 1;
}

void ReadExactly(TGIFByteStream& stream, void* buffer, int count)
{
    if (count > 0 && stream.Read(buffer, count) != count)
        RaiseGIFError(sPrematureEnd);
}

void WriteStringBlocks(TGIFByteStream& stream, const std::vector<AnsiString>& lines)
{
    for (const AnsiString& line : lines) {
        for (int start = 0; start < line.Length(); start += 255) {
            const int piece = std::min(255, line.Length() - start);
            WriteStreamByte(stream, static_cast<uint8_t>(piece));
            stream.WriteBuffer(line.c_str() + start, piece);
        }
    }
    WriteStreamByte(stream, 0);
}

void ReadStringBlocks(TGIFByteStream& stream, std::vector<AnsiString>& lines)
{
    lines.clear();
    uint8_t size = 0;
    char block[256];
    while (TryReadStreamByte(stream, size) && size != 0) {
        ReadExactly(stream, block, size);
        const char* end = static_cast<const char*>(std::memchr(block, 0, size));
        lines.emplace_back(block, end ? static_cast<int>(end - block) : size);
    }
}

void SkipSubBlocks(TGIFByteStream& stream)
{
    uint8_t size = 0;
    while (TryReadStreamByte(stream, size) && size != 0) {
        if (stream.Remaining() < size) {
            stream.SetPosition(stream.GetSize());
            return;
        }
        stream.Skip(size);
    }
}
