// The GIF encoders: a sub-block packer, a bit packer shared by a classic LZW encoder with a
// hashed string table and a run-length encoder whose output any GIF decoder reads.
#pragma once

#include <cstdint>
#include <memory>

#include "gif_io.h"
#include "gif_types.h"

// Packs written bytes into data sub-blocks of at most 255 bytes; never writes the terminator.
class TGIFWriter {
public:
    explicit TGIFWriter(TGIFByteStream& destination) : destination_(destination) {}
    ~TGIFWriter() noexcept(false);
    TGIFWriter(const TGIFWriter&) = delete;
    TGIFWriter& operator=(const TGIFWriter&) = delete;

    int Write(const void* buffer, int count);
    void PutByte(uint8_t value) { Write(&value, 1); }
    void FlushBlock();

private:
    TGIFByteStream& destination_;
    uint8_t blockBuffer_[256] = {};
    int blockFill_ = 1;
    bool dirty_ = false;
};

// The string table of the LZW encoder: 8009 slots of (key shl 12) or code.
class THashTable {
public:
    THashTable() { Reset(); }
    void Reset();
    void Store(uint32_t key, int code);
    int Find(uint32_t key) const;

private:
    static constexpr int kSlots = 8009;
    uint32_t slots_[kSlots];
};

class TGIFEncoder {
public:
    virtual ~TGIFEncoder() = default;
    // Writes the minimum code size, the codes in sub-blocks and the block terminator. Pixel
    // values not below colours raise "Color not in color table".
    void EncodeFrame(TGIFByteStream& stream, int bitsPerPixel, int width, int height,
                     bool interlaced, const uint8_t* data, int colours);

    TGIFWarningSink WarningHandler;

protected:
    virtual void EmitCode(int code);
    virtual void EmitClear();
    virtual void EncodePixels() = 0;

    // Calls visit(pixel) for every pixel in stored order; stops when visit answers false.
    template <typename Visit>
    void ForEachPixel(Visit visit) const;
    int CheckedPixel(uint8_t value) const;

    int ColorLimit = 0;
    int PixelBits = 0;
    int FrameWidth = 0;
    int FrameHeight = 0;
    bool Interlaced = false;
    const uint8_t* Pixels = nullptr;
    TGIFWriter* Writer = nullptr;
    uint32_t Bucket = 0;
    int BucketBits = 0;
    bool JustCleared = false;
    int CodeWidth = 0;
    int StartWidth = 0;
    int WidthLimit = 0;
    int CodeClear = 0;
    int CodeEnd = 0;
    int FirstFreeCode = 0;
};

class TLZWEncoder : public TGIFEncoder {
protected:
    void EmitCode(int code) override;
    void EmitClear() override;
    void EncodePixels() override;

private:
    int CurrentCode = 0;
    int FreeCode = 0;
    std::unique_ptr<THashTable> Hash;
};

class TRLEEncoder : public TGIFEncoder {
protected:
    void EmitClear() override;
    void EncodePixels() override;

private:
    void EmitPlain(int code);
    void FlushRun(int count);
    void RunAfterClear(int count);
    void RunLiteralOrRestart(int count);
    void RunReuse(int count);
    void ClearWhenDue();

    int MaxRunCodes = 0;
    int BumpInit = 0;
    int ClearInit = 0;
    int RunPixel = -1;
    int RunTableMax = 0;
    int RunTablePixel = 0;
    int CodesSinceClear = 0;
    int ClearAt = 0;
    int BumpAt = 0;
};

// Pixels needed by n run codes growing 1, 2, 3, ... restarting after every limit codes.
int CodesForRun(int n, int limit);
int IntegerSqrt(int r);

std::unique_ptr<TGIFEncoder> CreateGIFEncoder(TGIFCompression compression);

extern const char* const sColorNotInTable;
