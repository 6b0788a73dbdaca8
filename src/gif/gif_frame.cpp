#include "gif_frame.h"

#include <algorithm>
#include <cstring>

#include "gif_colors.h"
#include "gif_decoder.h"
#include "gif_dib.h"
#include "gif_encoder.h"
#include "gif_error.h"
#include "gif_extensions.h"
#include "gif_image.h"
#include "gif_reduce.h"

namespace {

const char* const sInvalidPixel = "Invalid pixel coordinates";
const char* const sRendering = "Rendering...";
const char* const sConverting = "Converting...";

// A memory device context with one bitmap selected, both released on every path.
class TMemoryDC {
public:
    explicit TMemoryDC(HDC compatible, HBITMAP bitmap = nullptr)
        : dc_(RequireGDIHandle(CreateCompatibleDC(compatible)))
    {
        if (bitmap)
            old_ = SelectObject(dc_, bitmap);
    }
    ~TMemoryDC()
    {
        if (old_)
            SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC Handle() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

// A GDI bitmap deleted when the guard goes.
class TBitmapHandle {
public:
    explicit TBitmapHandle(HBITMAP bitmap) : bitmap_(RequireGDIHandle(bitmap)) {}
    ~TBitmapHandle() { DeleteObject(bitmap_); }
    TBitmapHandle(const TBitmapHandle&) = delete;
    TBitmapHandle& operator=(const TBitmapHandle&) = delete;
    HBITMAP Handle() const { return bitmap_; }

private:
    HBITMAP bitmap_;
};

void SetWord(uint8_t* at, int value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

TGIFSubImage::TGIFSubImage(TGIFImage* image)
    : TGIFItem(image), LocalMap(new TGIFLocalColorMap(this)),
      ExtensionList(new TGIFExtensionList(image))
{
    Descriptor.Bytes[0] = 0x2C;
}

TGIFSubImage::~TGIFSubImage()
{
    if (OwnerImage)
        OwnerImage->Images()->Remove(this);
    Clear();
    TObject::Free(ExtensionList);
    ExtensionList = nullptr;
    TObject::Free(LocalMap);
    LocalMap = nullptr;
    if (PaletteHandle)
        DeleteObject(PaletteHandle);
}

void TGIFSubImage::Clear()
{
    ExtensionList->Clear();
    LocalMap->Clear();
    FreeImage();
    // An empty frame never enlarges the logical screen, so its size is set directly.
    SetWord(Descriptor.Bytes + 7, 0);
    SetWord(Descriptor.Bytes + 5, 0);
    TransparentFlag = false;
    ControlExtension = nullptr;
    FreeBitmap();
    FreeMask();
}

int TGIFSubImage::GetBounds(int index) const
{
    return index >= 1 && index <= 4 ? Descriptor.Field(index - 1) : 0;
}

void TGIFSubImage::SetBounds(int index, int value)
{
    int bounds[4] = {Left(), Top(), Width(), Height()};
    if (index < 1 || index > 4)
        return;
    bounds[index - 1] = value;
    DoSetBounds(bounds[0], bounds[1], bounds[2], bounds[3]);
}

void TGIFSubImage::SetBoundsRect(const TRect& rect)
{
    DoSetBounds(rect.Left, rect.Top, rect.Right - rect.Left + 1, rect.Bottom - rect.Top + 1);
}

void TGIFSubImage::DoSetBounds(int left, int top, int width, int height)
{
    const bool resized = width != Width() || height != Height();
    SetWord(Descriptor.Bytes + 1, left);
    SetWord(Descriptor.Bytes + 3, top);
    SetWord(Descriptor.Bytes + 5, width);
    SetWord(Descriptor.Bytes + 7, height);
    if (resized) {
        FreeBitmap();
        FreeMask();
        NewImage();
    }
    if (!OwnerImage)
        return;
    TGIFHeader* header = OwnerImage->Header();
    bool warned = false;
    if (header->Width() < left + width) {
        if (header->Width() > 0) {
            Warning(gsWarning, "Image width too small for contained frames");
            warned = true;
        }
        header->SetWidth(left + width);
    }
    if (header->Height() < top + height) {
        if (header->Height() > 0) {
            Warning(gsWarning, "Image height too small for contained frames");
            warned = true;
        }
        header->SetHeight(top + height);
    }
    if (warned)
        Warning(gsWarning, "Image exceeds Logical Screen size");
}

bool TGIFSubImage::Empty() const
{
    return PixelData.empty() || Width() == 0 || Height() == 0;
}

void TGIFSubImage::SetInterlaced(bool interlaced)
{
    Descriptor.Bytes[9] = static_cast<uint8_t>((Descriptor.Bytes[9] & ~0x40) | (interlaced ? 0x40 : 0));
}

TGIFColorMap* TGIFSubImage::ActiveColorMap() const
{
    if (LocalMap->Count() > 0)
        return LocalMap;
    if (OwnerImage && OwnerImage->GetColorMap()->Count() > 0)
        return OwnerImage->GetColorMap();
    return LocalMap;
}

uint8_t TGIFSubImage::TransparentIndex() const
{
    return ControlExtension ? static_cast<uint8_t>(ControlExtension->TransparentColorIndex()) : 0;
}

TGIFVersion TGIFSubImage::GetVersion()
{
    if (LocalMap->SortedByUse)
        return gv89a;
    return ExtensionList->GetCount() > 0 ? gv89a : gv87a;
}

void TGIFSubImage::NewImage()
{
    PixelData.clear();
    AllocateFramePixels(PixelData, Width(), Height(), 0);
}

void TGIFSubImage::FreeImage()
{
    std::vector<uint8_t>().swap(PixelData);
}

void TGIFSubImage::NeedImage()
{
    if (PixelData.empty())
        NewImage();
    if (PixelData.empty())
        RaiseGIFError("Image is empty");
}

uint8_t* TGIFSubImage::GetScanline(int row)
{
    if (row < 0 || row >= Height())
        RaiseGIFError(sInvalidPixel);
    NeedImage();
    return PixelData.data() + static_cast<size_t>(row) * Width();
}

uint8_t TGIFSubImage::GetPixel(int x, int y)
{
    if (x < 0 || x >= Width())
        RaiseGIFError(sInvalidPixel);
    return GetScanline(y)[x];
}

void TGIFSubImage::LoadFromStream(TStream* stream)
{
    Clear();
    ExtensionList->LoadFromStream(stream, this);
    TGIFStreamAdapter adapter(stream);
    uint8_t next = 0;
    if (!TryReadStreamByte(adapter, next))
        return;
    adapter.Skip(-1);
    if (next == 0x3B || next == 0)
        return;
    ReadExactly(adapter, Descriptor.Bytes, 10);
    if (Width() == 0 || Height() == 0) {
        if (OwnerImage) {
            SetWord(Descriptor.Bytes + 5, OwnerImage->Width());
            SetWord(Descriptor.Bytes + 7, OwnerImage->Height());
        }
        Warning(gsWarning, "Image exceeds Logical Screen size");
    }
    if (Descriptor.HasLocalTable())
        LocalMap->LoadFromStream(stream, Descriptor.LocalTableSize());
    AllocateFramePixels(PixelData, Width(), Height(), TransparentFlag ? TransparentIndex() : 0);
    DecompressImageData(adapter, TGIFPixelTarget{PixelData.data(), Width(), Height(), Interlaced()},
                        [this](TGIFSeverity severity, const AnsiString& message) {
                            Warning(severity, message);
                        });
    if (GIFImageRenderOnLoad)
        GetBitmap();
}

void TGIFSubImage::Prepare()
{
    uint8_t packed = Descriptor.Bytes[9] & (0x40 | 0x10 | 0x08);
    if (LocalMap->Count() > 0) {
        packed |= 0x80;
        if (LocalMap->SortedByUse)
            packed |= 0x20;
        packed |= static_cast<uint8_t>(ColorResolution() & 7);
    }
    Descriptor.Bytes[9] = packed;
}

void TGIFSubImage::SaveToStream(TStream* stream)
{
    ExtensionList->SaveToStream(stream);
    if (Empty())
        return;
    Prepare();
    Descriptor.Bytes[0] = 0x2C;
    stream->WriteBuffer(Descriptor.Bytes, 10);
    LocalMap->SaveToStream(stream);
    Compress(stream);
}

void TGIFSubImage::Compress(TStream* stream)
{
    int colours, bits;
    if (LocalMap->Count() > 0) {
        colours = LocalMap->Count();
        bits = LocalMap->GetBitsPerPixel();
    } else {
        bits = OwnerImage ? OwnerImage->GetBitsPerPixel() : 8;
        colours = 1 << bits;
    }
    TGIFStreamAdapter adapter(stream);
    std::unique_ptr<TGIFEncoder> encoder =
        CreateGIFEncoder(OwnerImage ? OwnerImage->Compression : gcLZW);
    if (OwnerImage)
        encoder->WarningHandler = [this](TGIFSeverity severity, const AnsiString& message) {
            Warning(severity, message);
        };
    encoder->EncodeFrame(adapter, bits, Width(), Height(), Interlaced(), Data(), colours);
}

TBitmap* TGIFSubImage::GetBitmap()
{
    if (BitmapCache || Empty())
        return BitmapCache;
    TGIFImage* image = OwnerImage;
    if (image)
        image->ReportProgress(this, psStarting, 0, false, sRendering);
    bool succeeded = false;
    try {
        BitmapCache = image && image->GetDoDither() ? RenderDithered() : RenderPlain();
        succeeded = true;
    } catch (const EAbort&) {
    } catch (...) {
        if (image)
            image->ReportProgress(this, psEnding, 0, image->IsPaletteModified(), sRendering);
        throw;
    }
    if (image) {
        image->ReportProgress(this, psEnding, succeeded ? 100 : 0, image->IsPaletteModified(), sRendering);
        if (image->IsPaletteModified())
            image->ImageChanged(this);
    }
    return BitmapCache;
}

void TGIFSubImage::BuildMask(const std::vector<uint8_t>& bits)
{
    FrameMask = RequireGDIHandle(CreateBitmap(Width(), Height(), 1, 1, bits.data()));
}

TBitmap* TGIFSubImage::RenderPlain()
{
    TOwnedPtr<TBitmap> bitmap(new TBitmap);
    const int width = Width(), height = Height();
    if (static_cast<int64_t>(width) * height > 500000)
        bitmap->SetPixelFormat(pf1bit);
    const bool buildMask = MaskPending && TransparentFlag && !FrameMask;
    MaskPending = false;
    const int maskRow = (width + 15) / 16 * 2;
    std::vector<uint8_t> mask(buildMask ? static_cast<size_t>(maskRow) * height : 0, 0);
    bool anyTransparent = false;
    const uint8_t transparent = TransparentIndex();
    {
        TDIBWriter writer(bitmap.get(), pf8bit, width, height, GetPalette());
        for (int y = 0; y < height; ++y) {
            if (y % 32 == 0 && OwnerImage)
                OwnerImage->ReportProgress(this, psRunning, y * 100 / height, false, sRendering);
            const uint8_t* row = PixelData.data() + static_cast<size_t>(y) * width;
            std::memcpy(writer.RowPointer(y), row, width);
            if (!buildMask)
                continue;
            for (int x = 0; x < width; ++x) {
                if (row[x] == transparent) {
                    mask[static_cast<size_t>(y) * maskRow + (x >> 3)] |= 0x80 >> (x & 7);
                    anyTransparent = true;
                }
            }
        }
        writer.StoreIntoBitmap();
    }
    if (anyTransparent)
        BuildMask(mask);
    return bitmap.release();
}

TBitmap* TGIFSubImage::RenderDithered()
{
    TOwnedPtr<TBitmap> bitmap(new TBitmap);
    const int width = Width(), height = Height();
    if (static_cast<int64_t>(width) * height > 500000)
        bitmap->SetPixelFormat(pf1bit);
    const bool buildMask = MaskPending && TransparentFlag && !FrameMask;
    MaskPending = false;
    const int maskRow = (width + 15) / 16 * 2;
    std::vector<uint8_t> mask(buildMask ? static_cast<size_t>(maskRow) * height : 0, 0);
    bool anyTransparent = false;
    const uint8_t transparent = TransparentIndex();
    const std::vector<TGIFColor> table = ActiveColorMap()->FullTable();
    const TGIFColor t = table[transparent];
    const uint8_t fill = static_cast<uint8_t>(MulDiv(36, t.Red, 51) + MulDiv(6, t.Green, 51) + t.Blue / 51 + 1);
    TNetscapeColorLookup lookup;
    TFloydSteinbergDitherer ditherer(width, &lookup);
    {
        TDIBWriter writer(bitmap.get(), pf8bit, width, height, GetPalette());
        uint8_t r, g, b;
        for (int y = 0; y < height; ++y) {
            if (y % 32 == 0 && OwnerImage)
                OwnerImage->ReportProgress(this, psRunning, y * 100 / height, false, sRendering);
            const uint8_t* row = PixelData.data() + static_cast<size_t>(y) * width;
            auto* target = static_cast<uint8_t*>(writer.RowPointer(y));
            if (buildMask)
                std::memset(target, fill, width);
            while (ditherer.WalkColumn >= 0 && ditherer.WalkColumn < width) {
                const int x = ditherer.WalkColumn;
                if (buildMask && row[x] == transparent) {
                    mask[static_cast<size_t>(y) * maskRow + (x >> 3)] |= 0x80 >> (x & 7);
                    anyTransparent = true;
                    ditherer.SkipPixel();
                    continue;
                }
                const TGIFColor& c = table[row[x]];
                target[x] = ditherer.DitherPixel(c.Red, c.Green, c.Blue, r, g, b);
            }
            ditherer.AdvanceRow();
        }
        writer.StoreIntoBitmap();
    }
    if (anyTransparent)
        BuildMask(mask);
    return bitmap.release();
}

void TGIFSubImage::SetBitmap(TBitmap* bitmap)
{
    FreeBitmap();
    if (bitmap)
        Assign(bitmap);
}

void TGIFSubImage::SetHasBitmap(bool has)
{
    if (has)
        GetBitmap();
    else
        FreeBitmap();
}

void TGIFSubImage::NewBitmap()
{
    FreeBitmap();
    BitmapCache = new TBitmap;
}

void TGIFSubImage::FreeBitmap()
{
    FreeAndNil(BitmapCache);
}

bool TGIFSubImage::HasMask()
{
    if (MaskPending && TransparentFlag) {
        FreeBitmap();
        GetBitmap();
    }
    return FrameMask != nullptr;
}

void TGIFSubImage::FreeMask()
{
    if (FrameMask)
        DeleteObject(FrameMask);
    FrameMask = nullptr;
    MaskPending = true;
}

HPALETTE TGIFSubImage::GetPalette()
{
    if (BitmapCache && BitmapCache->Palette())
        return BitmapCache->Palette();
    if (PaletteHandle)
        return PaletteHandle;
    if (OwnerImage && OwnerImage->GetDoDither()) {
        PaletteHandle = CreateColorPalette(WebPaletteColors(), 0);
        return PaletteHandle;
    }
    if (LocalMap->Count() > 0) {
        PaletteHandle = LocalMap->ExportPalette();
        return PaletteHandle;
    }
    return OwnerImage ? OwnerImage->Palette() : nullptr;
}

void TGIFSubImage::SetPalette(HPALETTE palette)
{
    if (palette == PaletteHandle)
        return;
    if (PaletteHandle)
        DeleteObject(PaletteHandle);
    PaletteHandle = palette;
    if (BitmapCache && BitmapCache->Palette() != palette) {
        FreeBitmap();
        if (OwnerImage) {
            OwnerImage->SetPaletteModified(true);
            OwnerImage->ImageChanged(this);
        }
    }
}

TRect TGIFSubImage::ScaleRect(const TRect& rect) const
{
    const int screenWidth = OwnerImage && OwnerImage->Width() > 0 ? OwnerImage->Width() : std::max(1, Width());
    const int screenHeight = OwnerImage && OwnerImage->Height() > 0 ? OwnerImage->Height() : std::max(1, Height());
    const int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
    return Rect(rect.Left + MulDiv(Left(), w, screenWidth), rect.Top + MulDiv(Top(), h, screenHeight),
                 rect.Left + MulDiv(Left() + Width(), w, screenWidth),
                 rect.Top + MulDiv(Top() + Height(), h, screenHeight));
}

void TGIFSubImage::Draw(TCanvas* canvas, const TRect& rect, bool transparent, bool tile)
{
    StretchDraw(canvas, tile ? rect : ScaleRect(rect), transparent, tile);
}

void TGIFSubImage::ForEachTile(const TRect& rect, const std::function<void(const TRect&)>& draw)
{
    const int stepX = OwnerImage && OwnerImage->Width() > 0 ? OwnerImage->Width() : std::max(1, Width());
    const int stepY = OwnerImage && OwnerImage->Height() > 0 ? OwnerImage->Height() : std::max(1, Height());
    for (int y = rect.Top + Top(); y < rect.Bottom; y += stepY)
        for (int x = rect.Left + Left(); x < rect.Right; x += stepX)
            draw(Rect(x, y, x + Width(), y + Height()));
}

// The frame drawn through its mask: transparent pixels keep the destination.
void TGIFSubImage::DrawMasked(TCanvas* canvas, const TRect& dest)
{
    TBitmap* bitmap = GetBitmap();
    if (!bitmap || !FrameMask)
        return;
    const int width = Width(), height = Height();
    if (canvas->IsRecordingOrPrinting()) {
        // Printers and metafiles get the frame on white paper, without raster tricks.
        TOwnedPtr<TBitmap> paper(new TBitmap);
        paper->SetPixelFormat(pf24bit);
        paper->SetSize(width, height);
        paper->Canvas()->Brush()->SetColor(clWhite);
        paper->Canvas()->FillRect(Rect(0, 0, width, height));
        DrawMasked(paper->Canvas(), Rect(0, 0, width, height));
        canvas->StretchDraw(dest, paper.get());
        return;
    }
    HDC target = canvas->Handle();
    HDC source = bitmap->Canvas()->Handle();
    TMemoryDC maskDC(target, FrameMask);
    TBitmapHandle inverted(CreateBitmap(width, height, 1, 1, nullptr));
    TMemoryDC invertedDC(target, inverted.Handle());
    BitBlt(invertedDC.Handle(), 0, 0, width, height, maskDC.Handle(), 0, 0, NOTSRCCOPY);
    TBitmapHandle prepared(CreateCompatibleBitmap(target, width, height));
    TMemoryDC preparedDC(target, prepared.Handle());
    HPALETTE palette = bitmap->Palette() ? bitmap->Palette() : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    HPALETTE oldPalette = SelectPalette(preparedDC.Handle(), palette, FALSE);
    RealizePalette(preparedDC.Handle());
    SetTextColor(preparedDC.Handle(), RGB(0, 0, 0));
    SetBkColor(preparedDC.Handle(), RGB(255, 255, 255));
    BitBlt(preparedDC.Handle(), 0, 0, width, height, invertedDC.Handle(), 0, 0, SRCCOPY);
    BitBlt(preparedDC.Handle(), 0, 0, width, height, source, 0, 0, SRCAND);
    SelectPalette(preparedDC.Handle(), oldPalette, FALSE);
    const COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
    const int oldMode = SetStretchBltMode(target, COLORONCOLOR);
    const int w = dest.Right - dest.Left, h = dest.Bottom - dest.Top;
    StretchBlt(target, dest.Left, dest.Top, w, h, maskDC.Handle(), 0, 0, width, height, SRCAND);
    StretchBlt(target, dest.Left, dest.Top, w, h, preparedDC.Handle(), 0, 0, width, height, SRCPAINT);
    SetStretchBltMode(target, oldMode);
    SetTextColor(target, oldText);
    SetBkColor(target, oldBack);
}

void TGIFSubImage::StretchDraw(TCanvas* canvas, const TRect& rect, bool transparent, bool tile)
{
    TBitmap* bitmap = GetBitmap();
    if (!bitmap)
        return;
    if (transparent && TransparentFlag && HasMask()) {
        if (tile)
            ForEachTile(rect, [&](const TRect& r) { DrawMasked(canvas, r); });
        else
            DrawMasked(canvas, rect);
        return;
    }
    bitmap = GetBitmap();
    if (tile)
        ForEachTile(rect, [&](const TRect& r) { canvas->StretchDraw(r, bitmap); });
    else
        canvas->StretchDraw(rect, bitmap);
}

void TGIFSubImage::AssignTo(TPersistent* dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest))
        bitmap->Assign(GetBitmap());
    else
        TGIFItem::AssignTo(dest);
}

void TGIFSubImage::Assign(TPersistent* source)
{
    if (source == this)
        return;
    if (!source) {
        Clear();
    } else if (auto* frame = dynamic_cast<TGIFSubImage*>(source)) {
        AssignFrame(frame);
    } else if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        AssignBitmap(bitmap);
    } else if (auto* icon = dynamic_cast<TIcon*>(source)) {
        Clear();
        if (icon->Empty())
            return;
        AssignDrawn(icon, icon->Width(), icon->Height());
        ICONINFO info{};
        if (GetIconInfo(icon->Handle(), &info)) {
            try {
                AddMask(info.hbmMask);
            } catch (...) {
                DeleteObject(info.hbmMask);
                DeleteObject(info.hbmColor);
                throw;
            }
            DeleteObject(info.hbmMask);
            DeleteObject(info.hbmColor);
        }
    } else if (auto* metafile = dynamic_cast<TMetafile*>(source)) {
        Clear();
        if (metafile->Empty())
            return;
        const int width = metafile->Width(), height = metafile->Height();
        AssignDrawn(metafile, width, height);
        TOwnedPtr<TBitmap> white(new TBitmap), black(new TBitmap);
        for (TBitmap* b : {white.get(), black.get()}) {
            b->SetPixelFormat(pf24bit);
            b->SetSize(width, height);
            b->Canvas()->Brush()->SetColor(b == white.get() ? clWhite : clBlack);
            b->Canvas()->FillRect(Rect(0, 0, width, height));
            b->Canvas()->StretchDraw(Rect(0, 0, width, height), metafile);
        }
        white->Canvas()->SetCopyMode(SRCINVERT);
        white->Canvas()->Draw(0, 0, black.get());
        AddMask(white->Handle());
    } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        Clear();
        if (graphic->Empty())
            return;
        TOwnedPtr<TBitmap> bitmap(new TBitmap);
        try {
            bitmap->Assign(graphic);
        } catch (const EConvertError&) {
            bitmap->SetPixelFormat(pf24bit);
            bitmap->SetSize(graphic->Width(), graphic->Height());
            bitmap->Canvas()->StretchDraw(Rect(0, 0, graphic->Width(), graphic->Height()), graphic);
        }
        AssignBitmap(bitmap.get());
    } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
        Assign(picture->Graphic());
    } else {
        TGIFItem::Assign(source);
    }
}

void TGIFSubImage::AssignDrawn(TGraphic* graphic, int width, int height)
{
    TOwnedPtr<TBitmap> bitmap(new TBitmap);
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    try {
        bitmap->Canvas()->StretchDraw(Rect(0, 0, width, height), graphic);
    } catch (const Exception&) {
        bitmap->Assign(graphic);
    }
    AssignBitmap(bitmap.get());
}

void TGIFSubImage::AssignFrame(TGIFSubImage* source)
{
    Clear();
    if (source->Empty())
        return;
    Descriptor = source->Descriptor;
    TransparentFlag = source->TransparentFlag;
    PixelData = source->PixelData;
    LocalMap->Assign(source->LocalMap);
    if (source->ExtensionList->GetCount() > 0) {
        TMemoryStream stream;
        source->ExtensionList->SaveToStream(&stream);
        stream.SetPosition(0);
        ExtensionList->LoadFromStream(&stream, this);
    }
    if (source->BitmapCache) {
        BitmapCache = new TBitmap;
        BitmapCache->Assign(source->BitmapCache);
    }
}

void TGIFSubImage::AssignBitmap(TBitmap* bitmap)
{
    Clear();
    if (bitmap->Empty())
        return;
    DoSetBounds(Left(), Top(), bitmap->Width(), Height());
    DoSetBounds(Left(), Top(), Width(), bitmap->Height());
    const TPixelFormat format = bitmap->PixelFormat();
    if (format == pf1bit || format == pf4bit || format == pf8bit) {
        BitmapCache = new TBitmap;
        BitmapCache->Assign(bitmap);
    } else {
        BitmapCache = OwnerImage ? ReduceColors(bitmap, OwnerImage->ColorReduction, OwnerImage->DitherMode,
                                                OwnerImage->ReductionBits(), nullptr)
                                 : ReduceColors(bitmap, rmNetscape, dmNearest, 8, nullptr);
    }
    NewImage();
    if (OwnerImage)
        OwnerImage->ReportProgress(this, psStarting, 0, false, sConverting);
    try {
        ReadBitmapPixels(BitmapCache);
        if (bitmap->Transparent())
            AddMask(bitmap->MaskHandle());
    } catch (...) {
        if (OwnerImage)
            OwnerImage->ReportProgress(this, psEnding, 0, false, sConverting);
        throw;
    }
    if (OwnerImage)
        OwnerImage->ReportProgress(this, psEnding, 100, false, sConverting);
}

void TGIFSubImage::ReadBitmapPixels(TBitmap* bitmap)
{
    TPixelFormat format = bitmap->PixelFormat();
    if (format != pf1bit && format != pf4bit && format != pf8bit)
        format = pf24bit;
    TDIBReader reader(bitmap, format);
    const int width = Width(), height = Height();
    if (format != pf24bit)
        LocalMap->ImportDIBColors(bitmap->Canvas()->Handle());
    TGIFColor cache[8] = {};
    int cacheIndex[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    int cacheNext = 0;
    for (int y = 0; y < height; ++y) {
        if (y % 32 == 0 && OwnerImage)
            OwnerImage->ReportProgress(this, psRunning, y * 100 / height, false, sConverting);
        const auto* row = static_cast<const uint8_t*>(reader.RowPointer(y));
        uint8_t* target = PixelData.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            switch (format) {
            case pf1bit: target[x] = (row[x >> 3] >> (7 - (x & 7))) & 1; break;
            case pf4bit: target[x] = (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4; break;
            case pf8bit: target[x] = row[x]; break;
            default: {
                const TGIFColor color{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
                int index = -1;
                for (int k = 0; k < 8 && index < 0; ++k) {
                    const int slot = (cacheNext + 7 - k) % 8;
                    if (cacheIndex[slot] >= 0 && cache[slot] == color)
                        index = cacheIndex[slot];
                }
                if (index < 0) {
                    index = LocalMap->AddUnique(color);
                    cache[cacheNext] = color;
                    cacheIndex[cacheNext] = index;
                    cacheNext = (cacheNext + 1) % 8;
                }
                target[x] = static_cast<uint8_t>(index);
            }
            }
        }
    }
}

void TGIFSubImage::AddMask(HBITMAP mask)
{
    if (!mask)
        return;
    LocalMap->Optimize();
    const int count = LocalMap->Count();
    if (count < 1 || count > 255)
        return;
    const int index = LocalMap->Add(TGIFColor{0, 0, 0});
    const int width = Width(), height = Height();
    const int rowBytes = AlignedRowBytes(width, 8, 32);
    std::vector<uint8_t> bits(static_cast<size_t>(rowBytes) * height);
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = -height;
    header->biPlanes = 1;
    header->biBitCount = 8;
    header->biCompression = BI_RGB;
    HDC dc = RequireGDIHandle(CreateCompatibleDC(nullptr));
    const int read = GetDIBits(dc, mask, 0, height, bits.data(), reinterpret_cast<BITMAPINFO*>(info.data()),
                               DIB_RGB_COLORS);
    DeleteDC(dc);
    bool changed = false;
    const auto* table = reinterpret_cast<const RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    for (int y = 0; read > 0 && y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const RGBQUAD& c = table[bits[static_cast<size_t>(y) * rowBytes + x]];
            if (c.rgbRed | c.rgbGreen | c.rgbBlue) {
                PixelData[static_cast<size_t>(y) * width + x] = static_cast<uint8_t>(index);
                changed = true;
            }
        }
    }
    if (!changed) {
        LocalMap->Delete(index);
        return;
    }
    auto* control = new TGIFGraphicControlExtension(this);
    ExtensionList->Add(control);
    control->SetTransparentColorIndex(index);
    control->SetTransparent(true);
    FreeBitmap();
    FreeMask();
}

void TGIFSubImage::Crop()
{
    if (Empty() || !TransparentFlag)
        return;
    const uint8_t t = TransparentIndex();
    const int width = Width(), height = Height();
    auto opaqueColumn = [&](int x) {
        for (int y = 0; y < height; ++y)
            if (PixelData[static_cast<size_t>(y) * width + x] != t)
                return true;
        return false;
    };
    int left = 0, right = width - 1;
    while (left < width && !opaqueColumn(left))
        ++left;
    if (left == width) {
        Clear();
        return;
    }
    while (!opaqueColumn(right))
        --right;
    auto opaqueRow = [&](int y) {
        for (int x = left; x <= right; ++x)
            if (PixelData[static_cast<size_t>(y) * width + x] != t)
                return true;
        return false;
    };
    int top = 0, bottom = height - 1;
    while (!opaqueRow(top))
        ++top;
    while (!opaqueRow(bottom))
        --bottom;
    const int newWidth = right - left + 1, newHeight = bottom - top + 1;
    std::vector<uint8_t> cropped(static_cast<size_t>(newWidth) * newHeight);
    for (int y = 0; y < newHeight; ++y)
        std::memcpy(cropped.data() + static_cast<size_t>(y) * newWidth,
                    PixelData.data() + static_cast<size_t>(top + y) * width + left, newWidth);
    PixelData.swap(cropped);
    SetWord(Descriptor.Bytes + 1, Left() + left);
    SetWord(Descriptor.Bytes + 3, Top() + top);
    SetWord(Descriptor.Bytes + 5, newWidth);
    SetWord(Descriptor.Bytes + 7, newHeight);
    FreeBitmap();
    FreeMask();
}

void TGIFSubImage::Merge(TGIFSubImage* previous)
{
    if (!previous || Empty() || previous->Empty())
        return;
    if (previous->ControlExtension && (previous->ControlExtension->Disposal() == dmBackground ||
                                       previous->ControlExtension->Disposal() == dmPrevious))
        return;
    const TRect a = BoundsRect(), b = previous->BoundsRect();
    const TRect overlap = ::Rect(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                        std::min(a.Bottom, b.Bottom));
    if (overlap.Left >= overlap.Right || overlap.Top >= overlap.Bottom)
        return;
    int destination = TransparentFlag ? TransparentIndex() : -1;
    TGIFColorMap* map = ActiveColorMap();
    if (destination < 0 && (map->Count() < 1 || map->Count() > 255))
        return;
    TGIFColorMap* previousMap = previous->ActiveColorMap();
    const std::vector<TGIFColor> table = map->FullTable(), previousTable = previousMap->FullTable();
    const int previousTransparent = previous->TransparentFlag ? previous->TransparentIndex() : -1;
    bool chosen = destination >= 0;
    for (int y = overlap.Top; y < overlap.Bottom; ++y) {
        for (int x = overlap.Left; x < overlap.Right; ++x) {
            uint8_t& pixel = PixelData[static_cast<size_t>(y - Top()) * Width() + (x - Left())];
            const uint8_t before = previous->PixelData[static_cast<size_t>(y - previous->Top()) * previous->Width() +
                                                       (x - previous->Left())];
            if ((chosen && pixel == destination) || before == previousTransparent)
                continue;
            const bool same = map == previousMap ? pixel == before : table[pixel] == previousTable[before];
            if (!same)
                continue;
            if (!chosen) {
                if (LocalMap->Count() == 0 && OwnerImage) {
                    for (int i = 0; i < OwnerImage->FrameCount() && destination < 0; ++i) {
                        TGIFSubImage* other = OwnerImage->Frame(i);
                        if (other != this && other->TransparentFlag && other->LocalMap->Count() == 0)
                            destination = other->TransparentIndex();
                    }
                }
                if (destination < 0)
                    destination = map->Add(TGIFColor{0, 0, 0});
                chosen = true;
            }
            pixel = static_cast<uint8_t>(destination);
        }
    }
    if (!TransparentFlag && chosen) {
        if (!ControlExtension)
            ExtensionList->Add(new TGIFGraphicControlExtension(this));
        ControlExtension->ControlBlock[4] = static_cast<uint8_t>(destination);
        ControlExtension->SetTransparent(true);
    }
    FreeBitmap();
    FreeMask();
}
