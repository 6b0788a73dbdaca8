#include "gif_encoder.h"

#include <cstring>
#include <exception>

#include "gif_decoder.h"
#include "gif_error.h"

const char* const sColorNotInTable = "Color not in color table";

TGIFWriter::~TGIFWriter() noexcept(false)
{
    if (dirty_ && !std::uncaught_exceptions())
        FlushBlock();
}

int TGIFWriter::Write(const void* buffer, int count)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(buffer);
    for (int left = count; left > 0;) {
        dirty_ = true;
        const int n = left < 256 - blockFill_ ? left : 256 - blockFill_;
        std::memcpy(blockBuffer_ + blockFill_, bytes, n);
        blockFill_ += n;
        bytes += n;
        left -= n;
        if (blockFill_ == 256)
            FlushBlock();
    }
    return count;
}

void TGIFWriter::FlushBlock()
{
    blockBuffer_[0] = static_cast<uint8_t>(blockFill_ - 1);
    destination_.WriteBuffer(blockBuffer_, blockFill_);
    blockFill_ = 1;
    dirty_ = false;
}

void THashTable::Reset()
{
    std::memset(slots_, 0xFF, sizeof slots_);
}

namespace {

constexpr uint32_t kEmptyKey = 0xFFFFF;

int HomeSlot(uint32_t key) { return static_cast<int>((key ^ (key >> 4)) % 8009); }
int NextSlot(int slot) { return slot == 0 ? 8008 : (2 * slot - 8009 < 0 ? 2 * slot : 2 * slot - 8009); }

}  // namespace

void THashTable::Store(uint32_t key, int code)
{
    int slot = HomeSlot(key);
    for (int probes = 0; probes < kSlots; ++probes, slot = NextSlot(slot)) {
        if ((slots_[slot] >> 12) == kEmptyKey) {
            slots_[slot] = (key << 12) | static_cast<uint32_t>(code);
            return;
        }
    }
}

int THashTable::Find(uint32_t key) const
{
    int slot = HomeSlot(key);
    for (int probes = 0; probes < kSlots; ++probes, slot = NextSlot(slot)) {
        const uint32_t stored = slots_[slot] >> 12;
        if (stored == key)
            return static_cast<int>(slots_[slot] & 0xFFF);
        if (stored == kEmptyKey)
            return -1;
    }
    return -1;
}

void TGIFEncoder::EncodeFrame(TGIFByteStream& stream, int bitsPerPixel, int width, int height,
                              bool interlaced, const uint8_t* data, int colours)
{
    ColorLimit = colours;
    FrameWidth = width;
    FrameHeight = height;
    Interlaced = interlaced;
    Pixels = data;
    PixelBits = bitsPerPixel < 2 ? 2 : bitsPerPixel;
    StartWidth = PixelBits + 1;
    WriteStreamByte(stream, static_cast<uint8_t>(PixelBits));
    CodeWidth = StartWidth;
    WidthLimit = (1 << CodeWidth) - 1;
    CodeClear = 1 << PixelBits;
    CodeEnd = CodeClear + 1;
    FirstFreeCode = CodeClear + 2;
    Bucket = 0;
    BucketBits = 0;
    {
        TGIFWriter writer(stream);
        Writer = &writer;
        try {
            if (data && width > 0 && height > 0)
                EncodePixels();
            EmitCode(CodeEnd);
        } catch (...) {
            writer.FlushBlock();
            Writer = nullptr;
            throw;
        }
        Writer = nullptr;
    }
    WriteStreamByte(stream, 0);
}

template <typename Visit>
void TGIFEncoder::ForEachPixel(Visit visit) const
{
    ForEachStoredRow(FrameHeight, Interlaced, [&](int y) {
        const uint8_t* row = Pixels + static_cast<size_t>(y) * FrameWidth;
        for (int x = 0; x < FrameWidth; ++x)
            if (!visit(row[x]))
                return false;
        return true;
    });
}

int TGIFEncoder::CheckedPixel(uint8_t value) const
{
    if (value >= ColorLimit)
        RaiseGIFError(sColorNotInTable);
    return value;
}

void TGIFEncoder::EmitCode(int code)
{
    if (BucketBits == 0)
        Bucket = static_cast<uint32_t>(code);
    else
        Bucket = (Bucket & ((1u << BucketBits) - 1)) | (static_cast<uint32_t>(code) << BucketBits);
    BucketBits += CodeWidth;
    while (BucketBits >= 8) {
        Writer->PutByte(static_cast<uint8_t>(Bucket));
        Bucket >>= 8;
        BucketBits -= 8;
    }
    if (code == CodeEnd && BucketBits > 0) {
        Writer->PutByte(static_cast<uint8_t>(Bucket));
        BucketBits = 0;
    }
}

void TGIFEncoder::EmitClear()
{
    JustCleared = true;
    EmitCode(CodeClear);
}

void TLZWEncoder::EmitCode(int code)
{
    TGIFEncoder::EmitCode(code);
    if (JustCleared) {
        CodeWidth = StartWidth;
        WidthLimit = (1 << CodeWidth) - 1;
        JustCleared = false;
    } else if (FreeCode > WidthLimit) {
        ++CodeWidth;
        WidthLimit = CodeWidth == 12 ? 4096 : (1 << CodeWidth) - 1;
    }
}

void TLZWEncoder::EmitClear()
{
    TGIFEncoder::EmitClear();
    Hash->Reset();
    FreeCode = CodeClear + 2;
}

void TLZWEncoder::EncodePixels()
{
    Hash = std::make_unique<THashTable>();
    FreeCode = CodeClear + 2;
    EmitClear();
    bool first = true;
    ForEachPixel([&](uint8_t value) {
        const int c = CheckedPixel(value);
        if (first) {
            CurrentCode = c;
            first = false;
            return true;
        }
        const uint32_t key = static_cast<uint32_t>(CurrentCode) * 256 + c;
        const int found = Hash->Find(key);
        if (found >= 0) {
            CurrentCode = found;
            return true;
        }
        EmitCode(CurrentCode);
        CurrentCode = c;
        if (FreeCode < 4095)
            Hash->Store(key, FreeCode++);
        else
            EmitClear();
        return true;
    });
    EmitCode(CurrentCode);
    Hash.reset();
}

int IntegerSqrt(int r)
{
    if (r <= 0)
        return 0;
    int digits = 0;
    for (int v = r; v > 0; v >>= 2)
        ++digits;
    int k = 1 << digits;
    for (;;) {
        const int next = (r / k + k) / 2;
        if (next == k || next == k + 1)
            return k;
        k = next;
    }
}

int CodesForRun(int n, int limit)
{
    const int64_t group = static_cast<int64_t>(limit) * (limit + 1) / 2;
    int codes = static_cast<int>(n / group) * limit;
    const int64_t r = n % group;
    if (r > 0) {
        int64_t k = IntegerSqrt(static_cast<int>(2 * r));
        while (k > 0 && k * (k + 1) >= 2 * r)
            --k;
        while (k * (k + 1) < 2 * r)
            ++k;
        codes += static_cast<int>(k);
    }
    return codes;
}

void TRLEEncoder::EmitClear()
{
    BumpAt = BumpInit;
    ClearAt = ClearInit;
    CodesSinceClear = 0;
    RunTableMax = 0;
    TGIFEncoder::EmitClear();
    CodeWidth = StartWidth;
}

void TRLEEncoder::EmitPlain(int code)
{
    JustCleared = false;
    EmitCode(code);
    ++CodesSinceClear;
    if (CodesSinceClear >= BumpAt) {
        ++CodeWidth;
        BumpAt += 1 << (CodeWidth - 1);
    }
    if (CodesSinceClear >= ClearAt)
        EmitClear();
}

void TRLEEncoder::ClearWhenDue()
{
    ClearAt = ClearInit;
    if (CodesSinceClear >= ClearAt)
        EmitClear();
}

void TRLEEncoder::EncodePixels()
{
    BumpInit = CodeClear - 1;
    ClearInit = PixelBits <= 3 ? 9 : CodeClear - 2;
    MaxRunCodes = 4095 - FirstFreeCode;
    EmitClear();
    RunPixel = -1;
    int count = 0;
    ForEachPixel([&](uint8_t value) {
        const int c = CheckedPixel(value);
        if (count > 0 && c != RunPixel) {
            FlushRun(count);
            count = 0;
        }
        if (c == RunPixel) {
            ++count;
        } else {
            RunPixel = c;
            count = 1;
        }
        return true;
    });
    FlushRun(count);
}

void TRLEEncoder::FlushRun(int count)
{
    if (count <= 0)
        return;
    if (count == 1)
        EmitPlain(RunPixel);
    else if (JustCleared)
        RunAfterClear(count);
    else if (RunTableMax >= 2 && RunTablePixel == RunPixel)
        RunReuse(count);
    else
        RunLiteralOrRestart(count);
}

void TRLEEncoder::RunAfterClear(int count)
{
    ClearAt = MaxRunCodes;
    RunTablePixel = RunPixel;
    int k = 1;
    while (count > 0) {
        if (k == 1) {
            RunTableMax = 1;
            EmitPlain(RunPixel);
            count -= 1;
        } else if (k <= count) {
            RunTableMax = k;
            EmitPlain(FirstFreeCode + k - 2);
            count -= k;
        } else {
            ++RunTableMax;
            EmitPlain(count == 1 ? RunPixel : FirstFreeCode + count - 2);
            break;
        }
        k = CodesSinceClear == 0 ? 1 : k + 1;
    }
    ClearWhenDue();
}

void TRLEEncoder::RunLiteralOrRestart(int count)
{
    if (CodesForRun(count, MaxRunCodes) + 1 < count) {
        EmitClear();
        RunAfterClear(count);
        return;
    }
    for (int i = 0; i < count; ++i)
        EmitPlain(RunPixel);
}

void TRLEEncoder::RunReuse(int count)
{
    int full = count / RunTableMax;
    int rest = count % RunTableMax;
    int extra = rest > 0 ? 1 : 0;
    if (CodesSinceClear + full + extra > MaxRunCodes) {
        full = MaxRunCodes - CodesSinceClear;
        rest = count - full * RunTableMax;
        extra = CodesForRun(rest, MaxRunCodes) + 1;
    }
    if (CodesForRun(count, MaxRunCodes) + 1 < full + extra) {
        EmitClear();
        RunAfterClear(count);
        return;
    }
    ClearAt = MaxRunCodes;
    const int runCode = FirstFreeCode + RunTableMax - 2;
    for (int i = 0; i < full; ++i)
        EmitPlain(runCode);
    if (rest > 0) {
        if (JustCleared)
            RunAfterClear(rest);
        else if (rest == 1)
            EmitPlain(RunPixel);
        else
            EmitPlain(FirstFreeCode + rest - 2);
    }
    ClearWhenDue();
}

std::unique_ptr<TGIFEncoder> CreateGIFEncoder(TGIFCompression compression)
{
    if (compression == gcRLE)
        return std::make_unique<TRLEEncoder>();
    return std::make_unique<TLZWEncoder>();
}
