// The GIF image classes: loading through the picture class against ImageMagick's decoding,
// saving (checked by ImageMagick afterwards), drawing with transparency, the painter's
// disposal handling against ImageMagick's composed frames, extensions and damaged files.
#include <gtest/gtest.h>

#include <random>

#include "GIFImage.h"
#include "cl_streams.h"
#include "gif_corpus.h"
#include "gif_encoder.h"
#include "gif_error.h"

namespace {

constexpr TColor kMagenta = 0xFF00FF;

struct Loaded {
    std::vector<std::string> Warnings;  // declared first: outlives the image that reports to it
    TOwnedPtr<TGIFImage> Image{new TGIFImage};
};

void LoadBytes(Loaded& loaded, const Bytes& bytes)
{
    loaded.Image->OnWarning = [&loaded](TObject*, TGIFSeverity, const AnsiString& message) {
        loaded.Warnings.push_back(message.c_str());
    };
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    loaded.Image->LoadFromStream(&stream);
}

Bytes SaveBytes(TGIFImage* image)
{
    TMemoryStream stream;
    image->SaveToStream(&stream);
    const auto* data = static_cast<const uint8_t*>(stream.Memory());
    return Bytes(data, data + stream.Size());
}

// The frame's pixels as RGBA through its active colour table, transparent pixels with alpha 0.
int CountDifferences(TGIFSubImage* frame, const ReferenceFrame& reference)
{
    const std::vector<TGIFColor> table = frame->ActiveColorMap()->FullTable();
    int differences = 0;
    for (int p = 0; p < frame->DataSize(); ++p) {
        const uint8_t* expected = &reference.Rgba[4 * p];
        const uint8_t index = frame->Data()[p];
        if (frame->Transparent() && index == frame->TransparentIndex()) {
            differences += expected[3] != 0;
            continue;
        }
        differences += expected[0] != table[index].Red || expected[1] != table[index].Green ||
                       expected[2] != table[index].Blue || expected[3] != 255;
    }
    return differences;
}

// Pixels of a 24-bit bitmap against RGBA: alpha 0 must show magenta, the rest the colour.
int CountBitmapDifferences(TBitmap* bitmap, const Bytes& rgba)
{
    int differences = 0;
    for (int y = 0; y < bitmap->Height(); ++y) {
        const auto* row = static_cast<const uint8_t*>(bitmap->ScanLine(y));
        for (int x = 0; x < bitmap->Width(); ++x) {
            const uint8_t* expected = &rgba[4 * (static_cast<size_t>(y) * bitmap->Width() + x)];
            const uint8_t* got = row + 3 * x;
            if (expected[3] == 0)
                differences += !(got[2] == 255 && got[1] == 0 && got[0] == 255);
            else
                differences += got[2] != expected[0] || got[1] != expected[1] || got[0] != expected[2];
        }
    }
    return differences;
}

TOwnedPtr<TBitmap> MagentaBitmap(int width, int height)
{
    TOwnedPtr<TBitmap> bitmap(new TBitmap);
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(kMagenta);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

TEST(GIFImage, PictureClassLoadsEveryCorpusFileAsImageMagickDoes)
{
    for (const std::string& name : CorpusNames()) {
        SCOPED_TRACE(name);
        TOwnedPtr<TPicture> picture(new TPicture);
        picture->LoadFromFile(CorpusPath(name + ".gif").c_str());
        auto* image = dynamic_cast<TGIFImage*>(picture->Graphic());
        ASSERT_NE(image, nullptr);
        const std::vector<ReferenceFrame> reference = ReferenceFrames(name);
        ASSERT_EQ(image->FrameCount(), static_cast<int>(reference.size()));
        for (int i = 0; i < image->FrameCount(); ++i) {
            TGIFSubImage* frame = image->Frame(i);
            ASSERT_EQ(frame->Width(), reference[i].Width);
            ASSERT_EQ(frame->Height(), reference[i].Height);
            EXPECT_EQ(frame->Left(), reference[i].Left);
            EXPECT_EQ(frame->Top(), reference[i].Top);
            EXPECT_EQ(CountDifferences(frame, reference[i]), 0) << "frame " << i;
        }
    }
}

TEST(GIFImage, SavesEveryCorpusFileWithBothEncoders)
{
    for (const std::string& name : CorpusNames()) {
        SCOPED_TRACE(name);
        Loaded loaded;
        LoadBytes(loaded, ReadFileBytes(CorpusPath(name + ".gif")));
        for (TGIFCompression compression : {gcLZW, gcRLE}) {
            loaded.Image->Compression = compression;
            const Bytes saved = SaveBytes(loaded.Image.get());
            Loaded again;
            LoadBytes(again, saved);
            ASSERT_EQ(again.Image->FrameCount(), loaded.Image->FrameCount());
            for (int i = 0; i < loaded.Image->FrameCount(); ++i) {
                const Bytes before(loaded.Image->Frame(i)->Data(), loaded.Image->Frame(i)->Data() + loaded.Image->Frame(i)->DataSize());
                const Bytes after(again.Image->Frame(i)->Data(), again.Image->Frame(i)->Data() + again.Image->Frame(i)->DataSize());
                EXPECT_EQ(before, after) << "frame " << i;
            }
            WriteFileBytes(RoundTripPath(name + (compression == gcLZW ? ".image-lzw.gif" : ".image-rle.gif")), saved);
        }
    }
}

// Two frames: the first uses a 2-colour global table, the second a 16-colour local one, so
// the image needs more bits than its global table. Frames are 8x6 at 0,0 and 5x4 at 2,1.
struct TwoTableFrame {
    int Left, Top, Width, Height;
    std::vector<TGIFColor> Table;
};

std::vector<TwoTableFrame> TwoTableFrames()
{
    std::vector<TGIFColor> local;
    for (int i = 0; i < 16; ++i)
        local.push_back(TGIFColor{static_cast<uint8_t>(16 * i), static_cast<uint8_t>(255 - 9 * i), 77});
    return {{0, 0, 8, 6, {{10, 20, 30}, {240, 230, 220}}}, {2, 1, 5, 4, local}};
}

uint8_t TwoTablePixel(int frame, int p) { return static_cast<uint8_t>(frame == 0 ? p % 3 % 2 : (7 * p) % 16); }

TOwnedPtr<TGIFImage> TwoTableImage()
{
    TOwnedPtr<TGIFImage> image(new TGIFImage);
    const std::vector<TwoTableFrame> frames = TwoTableFrames();
    for (const TGIFColor& colour : frames[0].Table)
        image->GetColorMap()->Add(colour);
    for (size_t f = 0; f < frames.size(); ++f) {
        auto* frame = new TGIFSubImage(image.get());
        image->Add(frame);
        if (f > 0)
            for (const TGIFColor& colour : frames[f].Table)
                frame->ColorMap()->Add(colour);
        frame->SetBounds(1, frames[f].Left);
        frame->SetBounds(2, frames[f].Top);
        frame->SetBounds(3, frames[f].Width);
        frame->SetBounds(4, frames[f].Height);
        for (int p = 0; p < frame->DataSize(); ++p)
            frame->Data()[p] = TwoTablePixel(static_cast<int>(f), p);
    }
    return image;
}

// What every decoder must show: each frame's pixels through its own table, as RGBA.
Bytes TwoTableRgba(const TwoTableFrame& frame, int index)
{
    Bytes rgba;
    for (int p = 0; p < frame.Width * frame.Height; ++p) {
        const TGIFColor& c = frame.Table[TwoTablePixel(index, p)];
        rgba.insert(rgba.end(), {c.Red, c.Green, c.Blue, 255});
    }
    return rgba;
}

// Saved with either encoder, the file's global table is as long as its header says, and our
// decoder shows the pixels given; the files go to ImageMagick with their expected frames.
TEST(GIFImage, SavesALocalTableLargerThanTheGlobalOne)
{
    const std::vector<TwoTableFrame> frames = TwoTableFrames();
    std::string sizes;
    for (size_t f = 0; f < frames.size(); ++f) {
        sizes += std::to_string(frames[f].Width) + " " + std::to_string(frames[f].Height) + " +" +
                 std::to_string(frames[f].Left) + " +" + std::to_string(frames[f].Top) + "\n";
        WriteFileBytes(RoundTripPath("two_tables." + std::to_string(f) + ".rgba"),
                       TwoTableRgba(frames[f], static_cast<int>(f)));
    }
    WriteFileBytes(RoundTripPath("two_tables.frames"), Bytes(sizes.begin(), sizes.end()));

    for (TGIFCompression compression : {gcLZW, gcRLE}) {
        SCOPED_TRACE(compression == gcLZW ? "lzw" : "rle");
        TOwnedPtr<TGIFImage> image = TwoTableImage();
        image->Compression = compression;
        const Bytes saved = SaveBytes(image.get());
        ASSERT_GT(saved.size(), 13u);
        ASSERT_EQ(saved[10] & 0x87, 0x83);  // a global table of 16 entries is announced
        ASSERT_GT(saved.size(), 13u + 3 * 16);
        EXPECT_EQ(saved[13 + 3 * 16], 0x2C) << "the first image must follow the announced table";
        Loaded again;
        LoadBytes(again, saved);
        EXPECT_TRUE(again.Warnings.empty());
        ASSERT_EQ(again.Image->FrameCount(), 2);
        for (int f = 0; f < 2; ++f) {
            ReferenceFrame expected;
            expected.Rgba = TwoTableRgba(frames[f], f);
            ASSERT_EQ(again.Image->Frame(f)->DataSize(), frames[f].Width * frames[f].Height);
            EXPECT_EQ(CountDifferences(again.Image->Frame(f), expected), 0) << "frame " << f;
        }
        const char* file = compression == gcLZW ? "two_tables.image-lzw.gif" : "two_tables.image-rle.gif";
        WriteFileBytes(RoundTripPath(file), saved);
    }
}

TEST(GIFImage, DrawsStillPicturesWithTheirTransparency)
{
    for (const char* name : {"bits8", "interlaced", "transparent", "one_by_one", "odd_size"}) {
        SCOPED_TRACE(name);
        Loaded loaded;
        LoadBytes(loaded, ReadFileBytes(CorpusPath(std::string(name) + ".gif")));
        TOwnedPtr<TBitmap> target = MagentaBitmap(loaded.Image->Width(), loaded.Image->Height());
        target->Canvas()->StretchDraw(Rect(0, 0, target->Width(), target->Height()), loaded.Image.get());
        EXPECT_EQ(CountBitmapDifferences(target.get(), ReferenceFrames(name)[0].Rgba), 0);
    }
}

TEST(GIFImage, AnAnimationOnABitmapCanvasShowsItsFirstFrame)
{
    Loaded loaded;
    LoadBytes(loaded, ReadFileBytes(CorpusPath("dispose_none.gif")));
    TOwnedPtr<TBitmap> target = MagentaBitmap(loaded.Image->Width(), loaded.Image->Height());
    target->Canvas()->StretchDraw(Rect(0, 0, target->Width(), target->Height()), loaded.Image.get());
    EXPECT_EQ(CountBitmapDifferences(target.get(), ReadFileBytes(CorpusPath("dispose_none.coalesced.0.rgba"))), 0);
    EXPECT_EQ(loaded.Image->ActivePainter(), nullptr);
}

TEST(GIFImage, RendersTheTransparencyMaskBitByBit)
{
    TOwnedPtr<TGIFImage> image(new TGIFImage);
    auto* frame = new TGIFSubImage(image.get());
    image->Add(frame);
    frame->ColorMap()->Add(TGIFColor{0, 0, 0});
    frame->ColorMap()->Add(TGIFColor{255, 255, 255});
    frame->SetBounds(3, 3);
    frame->SetBounds(4, 2);
    const uint8_t pixels[6] = {1, 0, 1, 1, 1, 1};
    std::copy(pixels, pixels + 6, frame->Data());
    auto* control = new TGIFGraphicControlExtension(frame);
    frame->Extensions()->Add(control);
    control->SetTransparentColorIndex(1);
    control->SetTransparent(true);
    ASSERT_TRUE(frame->HasMask());
    uint8_t bits[4] = {};
    GetBitmapBits(frame->Mask(), sizeof bits, bits);
    EXPECT_EQ(bits[0], 0xA0);
    EXPECT_EQ(bits[2], 0xE0);
}

struct PaintRecorder {
    std::vector<Bytes> Frames;
    int Painted = 0;
    bool Ended = false;
};

Bytes Capture(TBitmap* bitmap)
{
    Bytes rgba;
    for (int y = 0; y < bitmap->Height(); ++y) {
        const auto* row = static_cast<const uint8_t*>(bitmap->ScanLine(y));
        for (int x = 0; x < bitmap->Width(); ++x) {
            const uint8_t* p = row + 3 * x;
            const bool magenta = p[2] == 255 && p[1] == 0 && p[0] == 255;
            rgba.insert(rgba.end(), {p[2], p[1], p[0], static_cast<uint8_t>(magenta ? 0 : 255)});
        }
    }
    return rgba;
}

// Frame i alone on an empty screen: what a painter shows when every frame restores the
// previous picture (GIF89a's "restore to previous" also for the first frame).
Bytes AloneOnScreen(const std::string& name, int i, int width, int height)
{
    const ReferenceFrame frame = ReferenceFrames(name)[i];
    Bytes screen(static_cast<size_t>(width) * height * 4, 0);
    for (int y = 0; y < frame.Height; ++y)
        std::copy_n(&frame.Rgba[4 * static_cast<size_t>(y) * frame.Width], 4 * frame.Width,
                    &screen[4 * ((static_cast<size_t>(frame.Top) + y) * width + frame.Left)]);
    return screen;
}

// ImageMagick's composed frames are the reference, except that ImageMagick keeps a first
// frame whose disposal is "restore to previous", where the painter restores the empty screen.
TEST(GIFPainter, ComposesEveryDisposalMethodAsImageMagickDoes)
{
    for (const char* name : {"dispose_none", "dispose_background", "dispose_previous", "dispose_mixed"}) {
        SCOPED_TRACE(name);
        Loaded loaded;
        LoadBytes(loaded, ReadFileBytes(CorpusPath(std::string(name) + ".gif")));
        loaded.Image->SetAnimationSpeed(1000);
        const int width = loaded.Image->Width(), height = loaded.Image->Height();
        TOwnedPtr<TBitmap> target = MagentaBitmap(width, height);
        PaintRecorder recorder;
        loaded.Image->OnFramePainted = [&](TObject*) { recorder.Frames.push_back(Capture(target.get())); };
        loaded.Image->Paint(target->Canvas(), Rect(0, 0, width, height),
                            GIFOption(goAnimate) | GIFOption(goTransparent));
        ASSERT_EQ(recorder.Frames.size(), static_cast<size_t>(loaded.Image->FrameCount()));
        for (size_t i = 0; i < recorder.Frames.size(); ++i) {
            const Bytes expected =
                std::string(name) == "dispose_previous"
                    ? AloneOnScreen(name, static_cast<int>(i), width, height)
                    : ReadFileBytes(CorpusPath(std::string(name) + ".coalesced." + std::to_string(i) + ".rgba"));
            ASSERT_EQ(expected.size(), recorder.Frames[i].size());
            int differences = 0;
            for (size_t p = 0; p < expected.size(); p += 4) {
                if (expected[p + 3] == 0)
                    differences += recorder.Frames[i][p + 3] != 0;
                else
                    differences += !std::equal(&expected[p], &expected[p + 3], &recorder.Frames[i][p]);
            }
            EXPECT_EQ(differences, 0) << "frame " << i;
        }
    }
}

void PumpUntil(const std::function<bool()>& done, int milliseconds)
{
    for (int waited = 0; waited < milliseconds && !done(); waited += 5) {
        CheckSynchronize();
        Sleep(5);
    }
}

TEST(GIFPainter, AsynchronousPaintersPlayPauseAndStopWithoutStrayCalls)
{
    Loaded loaded;
    LoadBytes(loaded, ReadFileBytes(CorpusPath("dispose_none.gif")));
    loaded.Image->SetAnimationSpeed(1000);
    TOwnedPtr<TBitmap> target = MagentaBitmap(loaded.Image->Width(), loaded.Image->Height());
    PaintRecorder once;
    loaded.Image->OnFramePainted = [&](TObject*) { ++once.Painted; };
    loaded.Image->OnPaintEnd = [&](TObject*) { once.Ended = true; };
    ASSERT_NE(loaded.Image->Paint(target->Canvas(), Rect(0, 0, 60, 40),
                                  GIFOption(goAsync) | GIFOption(goAnimate)), nullptr);
    PumpUntil([&] { return once.Ended; }, 10000);
    EXPECT_TRUE(once.Ended);
    EXPECT_EQ(once.Painted, 4);
    loaded.Image->PaintStop();

    PaintRecorder forever;
    loaded.Image->OnFramePainted = [&](TObject*) { ++forever.Painted; };
    loaded.Image->OnPaintEnd = [&](TObject*) { forever.Ended = true; };
    loaded.Image->Paint(target->Canvas(), Rect(0, 0, 60, 40),
                        GIFOption(goAsync) | GIFOption(goAnimate) | GIFOption(goLoop) | GIFOption(goLoopContinously));
    PumpUntil([&] { return forever.Painted >= 6; }, 10000);
    loaded.Image->PaintPause();
    PumpUntil([] { return false; }, 100);
    const int paused = forever.Painted;
    PumpUntil([] { return false; }, 300);
    EXPECT_LE(forever.Painted, paused + 1);
    loaded.Image->PaintResume();
    PumpUntil([&] { return forever.Painted >= paused + 3; }, 10000);
    EXPECT_GE(forever.Painted, paused + 3);
    loaded.Image->PaintStop();
    const int stopped = forever.Painted;
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(forever.Painted, stopped);
    EXPECT_FALSE(forever.Ended);
    TList* painters = loaded.Image->Painters()->LockList();
    EXPECT_EQ(painters->Count(), 0);
    loaded.Image->Painters()->UnlockList();
}

// A one-pixel GIF89a with the given bytes between the global colour table and the image.
Bytes OnePixelGIF(const Bytes& extensions, const Bytes& afterImage = {0x3B})
{
    Bytes gif{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255};
    gif.insert(gif.end(), extensions.begin(), extensions.end());
    const Bytes descriptor{0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0};
    gif.insert(gif.end(), descriptor.begin(), descriptor.end());
    TGIFMemoryBytes data;
    const uint8_t pixel = 1;
    TLZWEncoder().EncodeFrame(data, 1, 1, 1, false, &pixel, 2);
    gif.insert(gif.end(), data.Bytes().begin(), data.Bytes().end());
    gif.insert(gif.end(), afterImage.begin(), afterImage.end());
    return gif;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes AppBlock(const char* id, const Bytes& data) { return Concat({{0x21, 0xFF, 11}, Bytes(id, id + 11), data}); }

TEST(GIFExtensions, ReadsControlLoopingCommentAndUnknownBlocks)
{
    Loaded loaded;
    LoadBytes(loaded, OnePixelGIF(Concat({{0x21, 0xF9, 0x04, 0x09, 0x0A, 0x00, 0x05, 0x00},
                                          AppBlock("NETSCAPE2.0", {3, 1, 2, 0, 0}),
                                          AppBlock("ANIMEXTS1.0", {3, 1, 0, 0, 0}),
                                          AppBlock("XYZWVUTS1.0", {2, 7, 8, 1, 9, 0}),
                                          {0x21, 0xFE, 2, 'a', 'b', 2, 'c', 'd', 0}})));
    TGIFSubImage* frame = loaded.Image->Frame(0);
    TGIFGraphicControlExtension* control = frame->GraphicControlExtension();
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(frame->Transparent());
    EXPECT_EQ(control->Disposal(), dmBackground);
    EXPECT_EQ(control->Delay(), 10);
    EXPECT_EQ(control->TransparentColorIndex(), 5);
    TGIFExtensionList* list = frame->Extensions();
    ASSERT_EQ(list->GetCount(), 5);
    EXPECT_EQ(dynamic_cast<TGIFAppExtNSLoop*>(list->GetExtension(1))->LoopCount, 2);
    EXPECT_NE(dynamic_cast<TGIFAppExtNSLoop*>(list->GetExtension(2)), nullptr);
    auto* unknown = dynamic_cast<TGIFUnknownAppExtension*>(list->GetExtension(3));
    ASSERT_NE(unknown, nullptr);
    auto* comment = dynamic_cast<TGIFCommentExtension*>(list->GetExtension(4));
    ASSERT_NE(comment, nullptr);
    EXPECT_EQ(comment->TextLines->Count(), 2);
    TMemoryStream written;
    unknown->SaveToStream(&written);
    const auto* bytes = static_cast<const uint8_t*>(written.Memory());
    EXPECT_EQ(Bytes(bytes, bytes + written.Size()), AppBlock("XYZWVUTS1.0", {2, 7, 8, 1, 9, 0}));
    TMemoryStream commentBytes;
    comment->SaveToStream(&commentBytes);
    bytes = static_cast<const uint8_t*>(commentBytes.Memory());
    EXPECT_EQ(Bytes(bytes, bytes + commentBytes.Size()), (Bytes{0x21, 0xFE, 2, 'a', 'b', 2, 'c', 'd', 0}));
    delete control;
    EXPECT_FALSE(frame->Transparent());
    EXPECT_EQ(frame->GraphicControlExtension(), nullptr);
}

TEST(GIFExtensions, DamagedBlocksEndInGIFErrors)
{
    struct Case {
        Bytes Extensions;
        const char* Message;
    };
    for (const Case& c : std::vector<Case>{
             {AppBlock("NETSCAPE2.0", {2, 1, 0, 0}), "Invalid GIF data"},
             {{0x21, 0xFF, 5, 1, 2, 3, 4, 5, 0}, "Unsupported Application Extension block size"},
             {{0x21, 0x02, 0}, "Unknown extension type"}}) {
        Loaded loaded;
        try {
            LoadBytes(loaded, OnePixelGIF(c.Extensions));
            ADD_FAILURE() << c.Message;
        } catch (const GIFException& e) {
            EXPECT_STREQ(e.Message().c_str(), c.Message);
        }
    }
}

TEST(GIFImage, WarnsOfUnknownBlocksAndKeepsTheFramesRead)
{
    Loaded loaded;
    LoadBytes(loaded, OnePixelGIF({0x00}, {0x99, 0x3B}));
    EXPECT_EQ(loaded.Image->FrameCount(), 1);
    EXPECT_EQ(loaded.Warnings, (std::vector<std::string>{"Unknown GIF block type", "Invalid Image trailer"}));
    Loaded cut;
    const Bytes whole = OnePixelGIF({0x21, 0xF9, 0x04, 0x01});
    LoadBytes(cut, Bytes(whole.begin(), whole.begin() + 19 + 5));
    EXPECT_EQ(cut.Warnings, (std::vector<std::string>{"Premature end of data"}));
}

TEST(GIFImage, DamagedFilesLoadAndDrawOrFailCleanly)
{
    std::mt19937 random(8);
    int runs = 0;
    for (const std::string& name : CorpusNames()) {
        const Bytes original = ReadFileBytes(CorpusPath(name + ".gif"));
        for (int trial = 0; trial < 40; ++trial, ++runs) {
            Bytes damaged = original;
            if (trial % 4 == 0)
                damaged.resize(random() % damaged.size());
            for (int f = 0; f < 1 + trial % 5 && !damaged.empty(); ++f)
                damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
            Loaded loaded;
            try {
                LoadBytes(loaded, damaged);
            } catch (const EInvalidGraphic&) {
            }
            TOwnedPtr<TBitmap> target = MagentaBitmap(16, 16);
            loaded.Image->SetDrawOptions(GIFOption(goTransparent));
            target->Canvas()->StretchDraw(Rect(0, 0, 16, 16), loaded.Image.get());
        }
    }
    EXPECT_GT(runs, 500);
}

TEST(GIFImage, OptionsAndAssignment)
{
    TOwnedPtr<TGIFImage> image(new TGIFImage);
    EXPECT_THROW(image->SetReductionBits(2), GIFException);
    EXPECT_THROW(image->SetReductionBits(9), GIFException);
    image->SetReductionBits(3);
    image->SetAnimationSpeed(-5);
    EXPECT_EQ(image->AnimationSpeed(), 0);
    image->SetAnimationSpeed(5000);
    EXPECT_EQ(image->AnimationSpeed(), 1000);

    TOwnedPtr<TBitmap> bitmap(new TBitmap);
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            bitmap->Canvas()->SetPixels(x, y, static_cast<TColor>((x * 12) | (y * 12) << 8));
    image->ColorReduction = rmNone;
    EXPECT_THROW(image->Assign(bitmap.get()), GIFException);
    image->ColorReduction = rmNetscape;
    image->Assign(bitmap.get());
    ASSERT_EQ(image->FrameCount(), 1);
    EXPECT_EQ(image->Width(), 20);
    const std::vector<TGIFColor> table = image->Frame(0)->ActiveColorMap()->FullTable();
    for (int p = 0; p < image->Frame(0)->DataSize(); ++p) {
        const TGIFColor& c = table[image->Frame(0)->Data()[p]];
        EXPECT_TRUE(c.Red % 51 == 0 && c.Green % 51 == 0 && c.Blue % 51 == 0) << p;
    }

    TOwnedPtr<TGIFImage> copy(new TGIFImage);
    copy->SetReductionBits(5);
    copy->Assign(image.get());
    EXPECT_EQ(copy->FrameCount(), 1);
    EXPECT_EQ(copy->ReductionBits(), 5);
    EXPECT_FALSE(static_cast<bool>(copy->OnWarning));
}

TEST(GIFImage, OptimizeColorMapMergesLocalTablesAndKeepsTheColours)
{
    Loaded loaded;
    LoadBytes(loaded, ReadFileBytes(CorpusPath("local_tables.gif")));
    loaded.Image->OptimizeColorMap();
    const std::vector<ReferenceFrame> reference = ReferenceFrames("local_tables");
    for (int i = 0; i < loaded.Image->FrameCount(); ++i) {
        EXPECT_EQ(loaded.Image->Frame(i)->ColorMap()->Count(), 0);
        EXPECT_EQ(CountDifferences(loaded.Image->Frame(i), reference[i]), 0) << "frame " << i;
    }
    EXPECT_TRUE(loaded.Image->GetColorMap()->SortedByUse);
    Loaded single;
    LoadBytes(single, ReadFileBytes(CorpusPath("bits4.gif")));
    const std::vector<TGIFColor> before = single.Image->GetColorMap()->Colors();
    single.Image->Optimize(GIFOptimizeOption(ooColorMap) | GIFOptimizeOption(ooCleanup), rmNone, dmNearest, 8);
    EXPECT_EQ(CountDifferences(single.Image->Frame(0), ReferenceFrames("bits4")[0]), 0);
    EXPECT_LE(single.Image->GetColorMap()->Count(), static_cast<int>(before.size()));
}

TEST(GIFImage, CropsTransparentBorders)
{
    TOwnedPtr<TGIFImage> image(new TGIFImage);
    auto* frame = new TGIFSubImage(image.get());
    image->Add(frame);
    frame->ColorMap()->Add(TGIFColor{0, 0, 0});
    frame->ColorMap()->Add(TGIFColor{9, 9, 9});
    frame->SetBounds(3, 10);
    frame->SetBounds(4, 10);
    auto* control = new TGIFGraphicControlExtension(frame);
    frame->Extensions()->Add(control);
    control->SetTransparent(true);
    frame->GetScanline(4)[3] = 1;
    frame->GetScanline(7)[6] = 1;
    frame->Crop();
    EXPECT_EQ(frame->Left(), 3);
    EXPECT_EQ(frame->Top(), 4);
    EXPECT_EQ(frame->Width(), 4);
    EXPECT_EQ(frame->Height(), 4);
    EXPECT_EQ(frame->GetPixel(0, 0), 1);
    EXPECT_EQ(frame->GetPixel(3, 3), 1);
    EXPECT_THROW(frame->GetPixel(4, 0), GIFException);
}

}  // namespace
