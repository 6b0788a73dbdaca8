// The codec's pure parts: the file decoder against ImageMagick's decoding of the corpus,
// encoder round trips, a bounded mutation run, and the LZW decoder's and encoders' edge cases.
#include <gtest/gtest.h>

#include <random>

#include "gif_corpus.h"
#include "gif_decoder.h"
#include "gif_encoder.h"
#include "gif_error.h"
#include "gif_file.h"

namespace {

const TGIFWarningSink kIgnoreWarnings = [](TGIFSeverity, const AnsiString&) {};

TGIFDecodedFile DecodeBytes(const Bytes& bytes, std::vector<std::string>* warnings = nullptr)
{
    TGIFMemoryBytes stream(bytes.data(), bytes.size());
    TGIFDecodedFile file;
    DecodeGIFFile(stream, file, [&](TGIFSeverity, const AnsiString& message) {
        if (warnings)
            warnings->push_back(message.c_str());
    });
    return file;
}

// Counts the pixels of a decoded frame that differ from ImageMagick's RGBA decoding;
// transparent pixels are compared by their alpha only.
int CountDifferences(const TGIFDecodedFile& file, const TGIFDecodedFrame& frame,
                     const ReferenceFrame& reference)
{
    const std::vector<TGIFColor>& table = frame.LocalTable.empty() ? file.GlobalTable : frame.LocalTable;
    int differences = 0;
    for (size_t p = 0; p < frame.Pixels.size(); ++p) {
        const uint8_t* expected = &reference.Rgba[4 * p];
        const uint8_t index = frame.Pixels[p];
        if (frame.Transparent && index == frame.TransparentIndex) {
            differences += expected[3] != 0;
            continue;
        }
        const TGIFColor c = index < table.size() ? table[index] : TGIFColor{0, 0, 0};
        differences += expected[0] != c.Red || expected[1] != c.Green || expected[2] != c.Blue ||
                       expected[3] != 255;
    }
    return differences;
}

TEST(GIFCorpus, DecodesEveryFrameAsImageMagickDoes)
{
    const std::vector<std::string> names = CorpusNames();
    ASSERT_GE(names.size(), 15u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const TGIFDecodedFile file = DecodeBytes(ReadFileBytes(CorpusPath(name + ".gif")));
        const std::vector<ReferenceFrame> reference = ReferenceFrames(name);
        ASSERT_EQ(file.Frames.size(), reference.size());
        for (size_t i = 0; i < reference.size(); ++i) {
            const TGIFDecodedFrame& frame = file.Frames[i];
            ASSERT_EQ(frame.Width, reference[i].Width);
            ASSERT_EQ(frame.Height, reference[i].Height);
            EXPECT_EQ(frame.Descriptor.Left(), reference[i].Left);
            EXPECT_EQ(frame.Descriptor.Top(), reference[i].Top);
            ASSERT_EQ(reference[i].Rgba.size(), frame.Pixels.size() * 4);
            EXPECT_EQ(CountDifferences(file, frame, reference[i]), 0) << "frame " << i;
        }
    }
}

TEST(GIFCorpus, CoversTheFeaturesItIsMeantTo)
{
    const TGIFDecodedFile interlaced = DecodeBytes(ReadFileBytes(CorpusPath("interlaced.gif")));
    EXPECT_TRUE(interlaced.Frames.at(0).Descriptor.Interlaced());
    const TGIFDecodedFile local = DecodeBytes(ReadFileBytes(CorpusPath("local_tables.gif")));
    EXPECT_FALSE(local.Frames.at(1).LocalTable.empty());
    const TGIFDecodedFile transparent = DecodeBytes(ReadFileBytes(CorpusPath("transparent.gif")));
    EXPECT_TRUE(transparent.Frames.at(0).Transparent);
    const TGIFDecodedFile bits1 = DecodeBytes(ReadFileBytes(CorpusPath("bits1.gif")));
    EXPECT_EQ(bits1.GlobalTable.size(), 2u);
    std::set<int> disposals;
    for (const char* name : {"dispose_none", "dispose_background", "dispose_previous", "dispose_mixed"})
        for (const TGIFDecodedFrame& frame : DecodeBytes(ReadFileBytes(CorpusPath(std::string(name) + ".gif"))).Frames)
            disposals.insert(frame.Disposal);
    EXPECT_EQ(disposals, (std::set<int>{dmNone, dmNoDisposal, dmBackground, dmPrevious}));
}

// Writes every corpus file again through both encoders; ImageMagick's decoding of these is
// checked by the host step that follows this test.
TEST(GIFCorpus, ReEncodesEveryFileThroughBothEncoders)
{
    for (const std::string& name : CorpusNames()) {
        SCOPED_TRACE(name);
        const TGIFDecodedFile file = DecodeBytes(ReadFileBytes(CorpusPath(name + ".gif")));
        for (TGIFCompression compression : {gcLZW, gcRLE}) {
            TGIFMemoryBytes encoded;
            EncodeGIFFile(encoded, file, compression);
            const TGIFDecodedFile again = DecodeBytes(encoded.Bytes());
            ASSERT_EQ(again.Frames.size(), file.Frames.size());
            for (size_t i = 0; i < file.Frames.size(); ++i)
                EXPECT_EQ(again.Frames[i].Pixels, file.Frames[i].Pixels) << "frame " << i;
            WriteFileBytes(RoundTripPath(name + (compression == gcLZW ? ".lzw.gif" : ".rle.gif")),
                           encoded.Bytes());
        }
    }
}

// Decoding damaged data must end in a GIF error or a partial image: never another exception,
// a crash or a hang.
void DecodeDamaged(const Bytes& bytes)
{
    TGIFMemoryBytes stream(bytes.data(), bytes.size());
    TGIFDecodedFile file;
    try {
        DecodeGIFFile(stream, file, kIgnoreWarnings);
    } catch (const EInvalidGraphic&) {
    }
}

TEST(GIFMutation, DamagedCorpusFilesEndCleanly)
{
    std::mt19937 random(20261210);
    int runs = 0;
    for (const std::string& name : CorpusNames()) {
        const Bytes original = ReadFileBytes(CorpusPath(name + ".gif"));
        for (size_t cut = 0; cut < original.size(); cut += 1 + original.size() / 64, ++runs)
            DecodeDamaged(Bytes(original.begin(), original.begin() + cut));
        for (int trial = 0; trial < 150; ++trial, ++runs) {
            Bytes damaged = original;
            const int flips = 1 + trial % 4;
            for (int f = 0; f < flips; ++f)
                damaged[random() % damaged.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
            DecodeDamaged(damaged);
        }
        for (size_t at = 0; at < original.size(); at += 1 + original.size() / 40) {
            for (uint8_t value : {0x00, 0x01, 0x0C, 0xFF}) {
                Bytes damaged = original;
                damaged[at] = value;
                DecodeDamaged(damaged);
                ++runs;
            }
        }
    }
    EXPECT_GT(runs, 5000);
}

Bytes ImageData(std::initializer_list<uint8_t> bytes) { return Bytes(bytes); }

std::vector<uint8_t> Decode(const Bytes& data, int width, int height, bool interlaced = false,
                            std::vector<std::string>* warnings = nullptr)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height, 0xEE);
    TGIFMemoryBytes stream(data.data(), data.size());
    DecompressImageData(stream, TGIFPixelTarget{pixels.data(), width, height, interlaced},
                        [&](TGIFSeverity, const AnsiString& m) {
                            if (warnings)
                                warnings->push_back(m.c_str());
                        });
    return pixels;
}

// Packs codes of the given widths least significant bit first into one sub-block.
Bytes Codes(int minCodeSize, std::initializer_list<std::pair<int, int>> codes, bool terminate = true)
{
    Bytes packed;
    uint32_t bucket = 0;
    int bits = 0;
    for (auto [code, width] : codes) {
        bucket |= static_cast<uint32_t>(code) << bits;
        bits += width;
        while (bits >= 8) {
            packed.push_back(static_cast<uint8_t>(bucket));
            bucket >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0)
        packed.push_back(static_cast<uint8_t>(bucket));
    Bytes data{static_cast<uint8_t>(minCodeSize), static_cast<uint8_t>(packed.size())};
    for (uint8_t byte : packed)
        data.push_back(byte);
    if (terminate)
        data.push_back(0);
    return data;
}

TEST(GIFDecoder, HandlesClearCodesAndTheStringPlusFirstValueCase)
{
    // No leading clear code; two clears in a row; code 6 = next code (previous + its first).
    EXPECT_EQ(Decode(Codes(2, {{1, 3}, {2, 3}, {5, 3}}), 2, 1), (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(Decode(Codes(2, {{4, 3}, {4, 3}, {3, 3}, {5, 3}}), 1, 1), (std::vector<uint8_t>{3}));
    EXPECT_EQ(Decode(Codes(2, {{4, 3}, {1, 3}, {6, 3}, {5, 4}}), 3, 1), (std::vector<uint8_t>{1, 1, 1}));
    // The code after a clear is stored as it is, even the end code (its low byte).
    EXPECT_EQ(Decode(Codes(2, {{4, 3}, {5, 3}, {5, 3}}), 1, 1), (std::vector<uint8_t>{5}));
}

TEST(GIFDecoder, StopsEarlyOnEndCodeOrTerminatorAndKeepsTheFill)
{
    EXPECT_EQ(Decode(Codes(2, {{4, 3}, {2, 3}, {5, 3}}), 3, 1), (std::vector<uint8_t>{2, 0xEE, 0xEE}));
    std::vector<std::string> warnings;
    EXPECT_EQ(Decode(Codes(2, {{4, 3}, {3, 3}}), 2, 2, false, &warnings),
              (std::vector<uint8_t>{3, 0xEE, 0xEE, 0xEE}));
    // A sub-block longer than the data: one warning, the pixels that arrived remain.
    Bytes truncated = Codes(2, {{4, 3}, {1, 3}, {2, 3}, {1, 3}, {5, 3}}, false);
    truncated[1] = 200;
    warnings.clear();
    EXPECT_EQ(Decode(truncated, 3, 1, false, &warnings), (std::vector<uint8_t>{1, 2, 1}));
    EXPECT_EQ(warnings, (std::vector<std::string>{"Premature end of data"}));
}

TEST(GIFDecoder, RefusesCodeSizesAboveElevenAndCircularTables)
{
    EXPECT_THROW(Decode(ImageData({12, 1, 0, 0}), 4, 4), GIFException);
    EXPECT_THROW(Decode(ImageData({255, 0}), 4, 4), GIFException);
    // Codes 7 (undefined) then 1 define entry 7 as its own prefix: a self-referring entry.
    EXPECT_THROW(Decode(Codes(2, {{4, 3}, {1, 3}, {7, 3}, {1, 3}, {7, 4}, {5, 4}}), 8, 1), GIFException);
    // Entries 6 -> 7 -> 6: a longer cycle, which must be stopped all the same.
    EXPECT_THROW(Decode(Codes(2, {{4, 3}, {7, 3}, {6, 3}, {0, 3}, {6, 4}, {5, 4}}), 8, 1), GIFException);
}

TEST(GIFDecoder, LeavesTheStreamAfterTheTerminatorAndFillsInterlacedRowsInPassOrder)
{
    Bytes data = Codes(2, {{4, 3}, {0, 3}, {1, 3}, {2, 3}, {5, 3}});
    data.push_back(0x3B);
    TGIFMemoryBytes stream(data.data(), data.size());
    std::vector<uint8_t> pixels(3);
    DecompressImageData(stream, TGIFPixelTarget{pixels.data(), 1, 3, true}, kIgnoreWarnings);
    EXPECT_EQ(pixels, (std::vector<uint8_t>{0, 2, 1}));
    EXPECT_EQ(stream.GetPosition(), static_cast<int64_t>(data.size()) - 1);
}

TEST(GIFEncoder, WritesSubBlocksOfAtMost255Bytes)
{
    for (auto [count, expected] : std::vector<std::pair<int, Bytes>>{
             {255, {255}}, {256, {255, 1}}, {510, {255, 255}}, {3, {3}}}) {
        TGIFMemoryBytes out;
        {
            TGIFWriter writer(out);
            for (int i = 0; i < count; ++i)
                writer.PutByte(7);
        }
        Bytes sizes;
        for (size_t at = 0; at < out.Bytes().size(); at += out.Bytes()[at] + 1)
            sizes.push_back(out.Bytes()[at]);
        EXPECT_EQ(sizes, expected) << count;
    }
}

TEST(GIFEncoder, UsesCodeSizeTwoForTwoColoursAndWritesEmptyFramesAsEndCodeOnly)
{
    TGIFMemoryBytes empty;
    TLZWEncoder().EncodeFrame(empty, 1, 0, 0, false, nullptr, 2);
    EXPECT_EQ(empty.Bytes(), (Bytes{2, 1, 5, 0}));
    const uint8_t pixels[4] = {0, 1, 1, 0};
    TGIFMemoryBytes out;
    TLZWEncoder().EncodeFrame(out, 1, 2, 2, false, pixels, 2);
    EXPECT_EQ(out.Bytes()[0], 2);
    EXPECT_EQ(Decode(out.Bytes(), 2, 2), (std::vector<uint8_t>{0, 1, 1, 0}));
    EXPECT_THROW(TLZWEncoder().EncodeFrame(out, 1, 2, 2, false, (const uint8_t*)"\0\2\0\0", 2),
                 GIFException);
}

TEST(GIFEncoder, BothEncodersRoundTripLongRunsNoiseAndFullTables)
{
    std::mt19937 random(7);
    struct Case { int width, height, bits; bool interlaced; int kind; };
    for (const Case& c : std::vector<Case>{{640, 480, 8, false, 0}, {333, 77, 1, true, 1},
                                          {1, 1, 2, false, 2}, {1000, 200, 4, false, 3},
                                          {257, 9, 8, true, 0}, {4000, 300, 8, false, 2}}) {
        std::vector<uint8_t> pixels(static_cast<size_t>(c.width) * c.height);
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = c.kind == 0 ? random() % (1 << c.bits)
                        : c.kind == 1 ? (i / 37) % (1 << c.bits)
                        : c.kind == 2 ? 1
                                      : (random() % 9 ? (i ? pixels[i - 1] : 0) : random() % (1 << c.bits));
        for (TGIFCompression compression : {gcLZW, gcRLE}) {
            TGIFMemoryBytes out;
            CreateGIFEncoder(compression)->EncodeFrame(out, c.bits, c.width, c.height, c.interlaced,
                                                       pixels.data(), 1 << c.bits);
            EXPECT_EQ(Decode(out.Bytes(), c.width, c.height, c.interlaced), pixels)
                << c.width << "x" << c.height << " kind " << c.kind << " rle " << compression;
        }
    }
}

TEST(GIFEncoder, RunLengthArithmetic)
{
    for (auto [r, root] : std::vector<std::pair<int, int>>{{1, 1}, {3, 1}, {4, 2}, {99, 9}, {100, 10}, {65535, 255}})
        EXPECT_EQ(IntegerSqrt(r), root) << r;
    // Runs 1, 2, 3, ... : 6 pixels take 3 codes, 7 take 4; after 3 codes the sizes restart.
    EXPECT_EQ(CodesForRun(6, 100), 3);
    EXPECT_EQ(CodesForRun(7, 100), 4);
    EXPECT_EQ(CodesForRun(6 + 6 + 1, 3), 7);
}

TEST(GIFFile, SignatureIsCaseBlindAndMayFollowFourOtherBytes)
{
    const Bytes gif = ReadFileBytes(CorpusPath("one_by_one.gif"));
    Bytes lower = gif;
    lower[0] = 'g', lower[1] = 'i', lower[2] = 'f', lower[3] = 'x', lower[4] = 'y', lower[5] = 'z';
    EXPECT_EQ(DecodeBytes(lower).Frames.size(), 1u);
    Bytes prefixed{1, 2, 3, 4};
    prefixed.insert(prefixed.end(), gif.begin(), gif.end());
    EXPECT_EQ(DecodeBytes(prefixed).Frames.size(), 1u);
    Bytes five{1, 2, 3, 4, 5};
    five.insert(five.end(), gif.begin(), gif.end());
    EXPECT_THROW(DecodeBytes(five), GIFException);
}

TEST(GIFFile, OversizedFramesAreRefusedBeforeAllocation)
{
    Bytes gif = ReadFileBytes(CorpusPath("one_by_one.gif"));
    const int64_t saved = GIFMaximumFramePixels;
    GIFMaximumFramePixels = 1000 * 1000;
    std::vector<uint8_t> pixels;
    EXPECT_THROW(AllocateFramePixels(pixels, 65535, 65535, 0), GIFException);
    EXPECT_NO_THROW(AllocateFramePixels(pixels, 1000, 1000, 0));
    GIFMaximumFramePixels = saved;
}

}  // namespace
