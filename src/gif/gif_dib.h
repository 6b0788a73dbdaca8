// Row access to bitmaps as device-independent bitmaps (a reader over an existing bitmap, a
// writer that builds an 8- or 24-bit DIB and hands it to a bitmap), GDI result checks, palette
// conversions, and the adapter that lets the codec's pure parts read class-library streams.
#pragma once

#include <windows.h>

#include <vector>

#include "cl_graphics.h"
#include "cl_streams.h"
#include "gif_io.h"
#include "gif_types.h"

// A class-library stream seen through the codec's byte-stream interface.
class TGIFStreamAdapter : public TGIFByteStream {
public:
    explicit TGIFStreamAdapter(TStream* stream) : stream_(stream) {}
    int Read(void* buffer, int count) override { return stream_->Read(buffer, count); }
    int Write(const void* buffer, int count) override { return stream_->Write(buffer, count); }
    int64_t GetPosition() const override { return stream_->Position(); }
    void SetPosition(int64_t position) override { stream_->SetPosition(position); }
    int64_t GetSize() const override { return stream_->Size(); }

private:
    TStream* stream_;
};

// A non-zero handle or result passes through; zero raises EOutOfResources with the system's
// text for the last error ("Out of system resources" when there is none).
template <typename T> T RequireGDIHandle(T value);
void RaiseOutOfResources();
template <typename T> T RequireGDIHandle(T value)
{
    if (!value)
        RaiseOutOfResources();
    return value;
}

// The colours of a Windows palette (at most 256) and a new palette (version 0x300) of colours.
std::vector<TGIFColor> PaletteColors(HPALETTE palette);
HPALETTE CreateColorPalette(const std::vector<TGIFColor>& colors, BYTE flags);

class TDIB : public TObject {
    CL_CLASS(TDIB, TObject)

    TDIB(TBitmap* bitmap, TPixelFormat format) : BoundBitmap(bitmap), Format(format) {}
    virtual void* RowPointer(int row) = 0;

protected:
    TBitmap* BoundBitmap;
    TPixelFormat Format;
};

// The rows of an existing bitmap, converted in place to the asked format.
class TDIBReader : public TDIB {
    CL_CLASS(TDIBReader, TDIB)

    TDIBReader(TBitmap* bitmap, TPixelFormat format);
    void* RowPointer(int row) override { return BoundBitmap->ScanLine(row); }
};

// Builds an 8- or 24-bit bottom-up DIB in memory on the first RowPointer call; freeing the
// writer loads it into the bitmap.
class TDIBWriter : public TDIB {
    CL_CLASS(TDIBWriter, TDIB)

    TDIBWriter(TBitmap* bitmap, TPixelFormat format, int width, int height, HPALETTE palette);
    ~TDIBWriter() override;
    void* RowPointer(int row) override;
    // Loads the pixels into the bitmap now (the destructor does it otherwise).
    void StoreIntoBitmap();

private:
    void AllocateBits();
    void ReleaseBits();

    std::vector<uint8_t> Info;
    HGLOBAL BitsHandle = nullptr;
    uint8_t* Bits = nullptr;
    int InfoSize = 0;
    int BitsSize = 0;
    HPALETTE PaletteHandle;
    int DIBWidth;
    int DIBHeight;
};

// The exported DIB-extraction pair; the header is prepared by InitBitmapInfoHeader.
void InitBitmapInfoHeader(HBITMAP bitmap, BITMAPINFOHEADER& header, TPixelFormat format);
void InternalGetDIBSizes(HBITMAP bitmap, int& infoSize, int& imageSize, TPixelFormat format);
bool InternalGetDIB(HBITMAP bitmap, HPALETTE palette, void* info, void* bits, TPixelFormat format);
