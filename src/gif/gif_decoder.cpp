#include "gif_decoder.h"

#include <cstring>

#include "gif_error.h"

const char* const sCircularTable = "Circular decoder table entry";
const char* const sBadCodeSize = "Invalid LZW code size";
const char* const sBitUnderrun = "Decoder bit buffer under-run";

namespace {

constexpr int kTableSize = 4096;
constexpr int kStackSize = 8192;
constexpr int kEnded = -2;
constexpr int kNoData = -1;

class TLZWDecoder {
public:
    TLZWDecoder(TGIFByteStream& stream, int minCodeSize, const TGIFWarningSink& warning)
        : stream_(stream), warning_(warning), minCodeSize_(minCodeSize),
          clearCode_(1 << minCodeSize), endCode_(clearCode_ + 1)
    {
        ResetTable();
    }

    // Fills count pixels at out; answers false when the data ended first.
    bool FillRun(uint8_t* out, int count)
    {
        while (count > 0) {
            if (stackTop_ == 0 && DecodeNext() < 0)
                return false;
            const int n = stackTop_ < count ? stackTop_ : count;
            const int* source = stack_ + stackTop_;
            for (int i = 0; i < n; ++i)
                out[i] = static_cast<uint8_t>(*--source);
            stackTop_ -= n;
            out += n;
            count -= n;
        }
        return true;
    }

    // Takes one more value, so that an end code right after the last pixel skips the rest, and
    // leaves the stream after the block terminator even when more codes follow.
    void Finish()
    {
        if (stackTop_ > 0)
            --stackTop_;
        else
            DecodeNext();
        if (!terminatorSeen_ && !dataSkipped_)
            SkipSubBlocks(stream_);
    }

private:
    void ResetTable()
    {
        for (int c = 0; c < clearCode_; ++c) {
            prefix_[c] = 0;
            suffix_[c] = c;
        }
        std::memset(prefix_ + clearCode_, 0, sizeof(int) * (kTableSize - clearCode_));
        std::memset(suffix_ + clearCode_, 0, sizeof(int) * (kTableSize - clearCode_));
        codeSize_ = minCodeSize_ + 1;
        sizeLimit_ = 2 * clearCode_;
        nextCode_ = clearCode_ + 2;
        stackTop_ = 0;
    }

    bool Refill()
    {
        if (terminatorSeen_) {
            if (bitPos_ >= bitLimit_)
                warning_(gsWarning, sBitUnderrun);
            return false;
        }
        block_[0] = block_[byteCount_ - 2];
        block_[1] = block_[byteCount_ - 1];
        uint8_t size = 0;
        if (!TryReadStreamByte(stream_, size))
            return false;
        int taken = size;
        if (size == 0) {
            terminatorSeen_ = true;
        } else if (stream_.Remaining() < size) {
            warning_(gsWarning, sPrematureEnd);
            taken = static_cast<uint8_t>(stream_.Remaining());
        }
        if (taken > 0)
            ReadExactly(stream_, block_ + 2, taken);
        byteCount_ = 2 + taken;
        bitPos_ = bitPos_ - bitLimit_ + 16;
        bitLimit_ = 8 * byteCount_;
        return true;
    }

    int ReadCode(int width)
    {
        if (firstCall_) {
            firstCall_ = false;
            return clearCode_;
        }
        if (bitPos_ + width >= bitLimit_) {
            if (!Refill())
                return kNoData;
            // A sub-block shorter than the bits still wanted: carry on into the next one.
            while (bitPos_ + width > bitLimit_) {
                if (terminatorSeen_ || !Refill())
                    return kNoData;
            }
        }
        const int byte = bitPos_ >> 3;
        const uint32_t bits = block_[byte] | (block_[byte + 1] << 8) | (block_[byte + 2] << 16);
        const int shift = bitPos_ & 7;
        bitPos_ += width;
        return static_cast<int>((bits >> shift) & ((1u << width) - 1));
    }

    void Push(int value)
    {
        if (stackTop_ >= kStackSize)
            RaiseGIFError(sCircularTable);
        stack_[stackTop_++] = value;
    }

    // Decodes the next code onto the stack; answers a negative value when the data ends.
    int DecodeNext()
    {
        if (ended_)
            return kEnded;
        int code = ReadCode(codeSize_);
        if (code < 0) {
            ended_ = true;
            return code;
        }
        if (code == clearCode_) {
            ResetTable();
            do
                code = ReadCode(codeSize_);
            while (code == clearCode_);
            if (code == kNoData) {
                ended_ = true;
                return code;
            }
            firstValue_ = code;
            previousCode_ = code;
            Push(code);
            return 0;
        }
        if (code == endCode_) {
            if (!terminatorSeen_)
                SkipSubBlocks(stream_);
            dataSkipped_ = true;
            ended_ = true;
            return kEnded;
        }
        const int inCode = code;
        if (code >= nextCode_) {
            Push(firstValue_);
            code = previousCode_;
        }
        for (int links = 0; code >= clearCode_; ++links) {
            if (prefix_[code] == code || links >= kTableSize)
                RaiseGIFError(sCircularTable);
            Push(suffix_[code]);
            code = prefix_[code];
        }
        firstValue_ = suffix_[code];
        Push(firstValue_);
        if (nextCode_ < kTableSize) {
            prefix_[nextCode_] = previousCode_;
            suffix_[nextCode_] = firstValue_;
            ++nextCode_;
            if (nextCode_ >= sizeLimit_ && sizeLimit_ < kTableSize) {
                sizeLimit_ *= 2;
                ++codeSize_;
            }
        }
        previousCode_ = inCode;
        return 0;
    }

    TGIFByteStream& stream_;
    const TGIFWarningSink& warning_;
    const int minCodeSize_;
    const int clearCode_;
    const int endCode_;
    int codeSize_ = 0;
    int sizeLimit_ = 0;
    int nextCode_ = 0;
    int firstValue_ = 0;
    int previousCode_ = 0;
    bool firstCall_ = true;
    bool ended_ = false;
    bool dataSkipped_ = false;
    bool terminatorSeen_ = false;
    int byteCount_ = 2;
    int bitPos_ = 0;
    int bitLimit_ = 0;
    int stackTop_ = 0;
    uint8_t block_[2 + 255 + 3] = {};
    int prefix_[kTableSize];
    int suffix_[kTableSize];
    int stack_[kStackSize];
};

bool FillPixels(TLZWDecoder& decoder, const TGIFPixelTarget& target)
{
    bool complete = true;
    ForEachStoredRow(target.Height, target.Interlaced, [&](int y) {
        complete = decoder.FillRun(target.Pixels + static_cast<size_t>(y) * target.Width,
                                   target.Width);
        return complete;
    });
    return complete;
}

}  // namespace

void DecompressImageData(TGIFByteStream& stream, const TGIFPixelTarget& target,
                         const TGIFWarningSink& warning)
{
    uint8_t minCodeSize = 0;
    if (!TryReadStreamByte(stream, minCodeSize))
        return;
    if (minCodeSize > 11) {
        SkipSubBlocks(stream);
        RaiseGIFError(sBadCodeSize);
    }
    TLZWDecoder decoder(stream, minCodeSize, warning);
    try {
        if (target.Pixels && target.Width > 0 && target.Height > 0)
            FillPixels(decoder, target);
    } catch (const GIFException&) {
        try {
            decoder.Finish();
        } catch (const GIFException&) {
        }
        throw;
    }
    decoder.Finish();
}
