#include "gif_image.h"

#include <algorithm>
#include <cstring>

#include "cl_clipboard.h"
#include "gif_colors.h"
#include "gif_dib.h"
#include "gif_error.h"
#include "gif_extensions.h"
#include "gif_painter.h"

TGIFDrawOptions GIFImageDefaultDrawOptions =
    GIFOption(goAsync) | GIFOption(goTransparent) | GIFOption(goAnimate) | GIFOption(goLoop) |
    GIFOption(goDither) | GIFOption(goAutoDither);
TColorReduction GIFImageDefaultColorReduction = rmNetscape;
int GIFImageDefaultColorReductionBits = 8;
TDitherMode GIFImageDefaultDitherMode = dmNearest;
TGIFCompression GIFImageDefaultCompression = gcLZW;
TThreadPriority GIFImageDefaultThreadPriority = tpNormal;
int GIFImageDefaultAnimationSpeed = 100;
int GIFDelayExp = 12;
int GIFDefaultDelay = 10;
int GIFMinimumDelay = 3;
int GIFMaximumDelay = 1000;
bool PaletteDevice = false;
bool DoAutoDither = false;
bool GIFImageRenderOnLoad = false;
bool GIFImageOptimizeOnStream = false;
UINT CF_GIF = 0;

namespace {

const char* const sLoading = "Loading...";
const char* const sSaving = "Saving...";
const char* const sCopying = "Copying...";

// Skips zero bytes; answers false at the end of the stream, else leaves byte as read.
bool SkipZeros(TGIFByteStream& stream, uint8_t& byte)
{
    while (TryReadStreamByte(stream, byte))
        if (byte != 0)
            return true;
    return false;
}

// True for a window's or the screen's device context, where animation can be seen.
bool IsScreenCanvas(TCanvas* canvas)
{
    HDC dc = canvas->Handle();
    return GetObjectType(dc) == OBJ_DC && GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY;
}

}  // namespace

void TGIFImageList::LoadFromStream(TStream* stream, TObject* parent)
{
    auto* image = dynamic_cast<TGIFImage*>(parent);
    TGIFStreamAdapter adapter(stream);
    uint8_t byte = 0;
    if (!SkipZeros(adapter, byte))
        return;
    while (byte != 0x3B) {
        adapter.Skip(-1);
        if (byte != 0x21 && byte != 0x2C) {
            Warning(gsWarning, sUnknownBlock);
            return;
        }
        const int64_t before = adapter.GetPosition();
        auto* frame = new TGIFSubImage(image);
        try {
            frame->LoadFromStream(stream);
        } catch (...) {
            TObject::Free(frame);
            throw;
        }
        Add(frame);
        const int64_t size = std::max<int64_t>(1, adapter.GetSize());
        if (image)
            image->ReportProgress(this, psRunning, static_cast<int>(adapter.GetPosition() * 100 / size),
                                  GIFImageRenderOnLoad, sLoading);
        if (adapter.GetPosition() == before)
            return;
        if (!SkipZeros(adapter, byte))
            return;
    }
    adapter.Skip(-1);
}

void TGIFImageList::SaveToStream(TStream* stream)
{
    for (int i = 0; i < GetCount(); ++i) {
        GetImage(i)->SaveToStream(stream);
        if (OwnerImage)
            OwnerImage->ReportProgress(this, psRunning, (i + 1) * 100 / GetCount(), false, sSaving);
    }
}

TGIFImage::TGIFImage()
    : FrameList(new TGIFImageList(this)), FileHeader(new TGIFHeader(this)),
      PainterList(new TThreadList)
{
    RegisterGIFImage();
    Clear();
}

TGIFImage::~TGIFImage()
{
    PaintStop();
    TList* painters = PainterList->LockList();
    for (int i = 0; i < painters->Count(); ++i)
        static_cast<TGIFPainter*>(painters->Items(i))->Detach();
    PainterList->UnlockList();
    Clear();
    if (PaletteHandle)
        DeleteObject(PaletteHandle);
    TObject::Free(PainterList);
    TObject::Free(FrameList);
    TObject::Free(FileHeader);
}

void TGIFImage::Warning(TObject* sender, TGIFSeverity severity, const AnsiString& message)
{
    if (OnWarning)
        OnWarning(sender, severity, message);
}

void TGIFImage::ReportProgress(TObject* sender, TProgressStage stage, int percent, bool redraw,
                               const AnsiString& message)
{
    Progress(sender, stage, static_cast<uint8_t>(std::clamp(percent, 0, 100)), redraw, Rect(0, 0, 0, 0), message);
}

void TGIFImage::Clear()
{
    PaintStop();
    FreeBitmap();
    FrameList->Clear();
    FileHeader->ColorMap()->Clear();
    FileHeader->SetWidth(0);
    FileHeader->SetHeight(0);
    FileHeader->Prepare();
    SetPalette(nullptr);
}

int TGIFImage::Add(TPersistent* source)
{
    int index;
    if (auto* frame = dynamic_cast<TGIFSubImage*>(source)) {
        index = FrameList->Add(frame);
    } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        auto* frame = new TGIFSubImage(this);
        try {
            frame->Assign(graphic);
        } catch (...) {
            TObject::Free(frame);
            throw;
        }
        index = FrameList->Add(frame);
    } else {
        RaiseGIFError("Object type not supported for operation");
    }
    FreeBitmap();
    Changed(this);
    return index;
}

TGIFVersion TGIFImage::GetVersion()
{
    TGIFVersion version = gvUnknown;
    for (int i = 0; i < FrameCount() && version != gv89a; ++i)
        version = std::max(version, Frame(i)->GetVersion());
    return version;
}

int TGIFImage::GetColorResolution()
{
    int result = FileHeader->GetColorResolution();
    for (int i = 0; i < FrameCount(); ++i)
        result = std::max(result, Frame(i)->ColorResolution());
    return result;
}

int TGIFImage::GetBitsPerPixel()
{
    int result = FileHeader->GetBitsPerPixel();
    for (int i = 0; i < FrameCount(); ++i)
        result = std::max(result, Frame(i)->BitsPerPixel());
    return result;
}

bool TGIFImage::GetIsTransparent() const
{
    for (int i = 0; i < FrameCount(); ++i) {
        TGIFExtensionList* list = Frame(i)->Extensions();
        for (int k = 0; k < list->GetCount(); ++k) {
            auto* control = dynamic_cast<TGIFGraphicControlExtension*>(list->GetExtension(k));
            if (control && control->Transparent())
                return true;
        }
    }
    return false;
}

bool TGIFImage::GetDoDither() const
{
    return HasOption(Options, goDither) && (!HasOption(Options, goAutoDither) || DoAutoDither);
}

void TGIFImage::SetDrawOptions(TGIFDrawOptions options)
{
    if (options == Options)
        return;
    StopDraw();
    Options = options;
    Pack();
    Changed(this);
}

void TGIFImage::SetAnimationSpeed(int speed)
{
    speed = std::clamp(speed, 0, 1000);
    if (speed == Speed)
        return;
    Speed = speed;
    PainterList->LockList();
    if (AnimationPainter)
        AnimationPainter->SetAnimationSpeed(speed);
    PainterList->UnlockList();
}

void TGIFImage::SetReductionBits(int bits)
{
    if (bits < 3 || bits > 8)
        RaiseGIFError("Invalid Bits Per Pixel value");
    Bits = bits;
}

void TGIFImage::SetWidth(int width)
{
    for (int i = 0; i < FrameCount(); ++i)
        if (Frame(i)->Left() + Frame(i)->Width() > width)
            RaiseGIFError("Image width too small for contained frames");
    if (width == Width())
        return;
    FileHeader->SetWidth(width);
    FreeBitmap();
    Changed(this);
}

void TGIFImage::SetHeight(int height)
{
    for (int i = 0; i < FrameCount(); ++i)
        if (Frame(i)->Top() + Frame(i)->Height() > height)
            RaiseGIFError("Image height too small for contained frames");
    if (height == Height())
        return;
    FileHeader->SetHeight(height);
    FreeBitmap();
    Changed(this);
}

void TGIFImage::LoadFromStream(TStream* stream)
{
    ReportProgress(this, psStarting, 0, false, sLoading);
    bool succeeded = false;
    try {
        Clear();
        const int64_t start = stream->Position();
        try {
            FileHeader->LoadFromStream(stream);
            FrameList->LoadFromStream(stream, this);
            TGIFTrailer trailer(this);
            trailer.LoadFromStream(stream);
        } catch (...) {
            stream->SetPosition(start);
            throw;
        }
        succeeded = true;
    } catch (...) {
        ReportProgress(this, psEnding, 0, true, sLoading);
        throw;
    }
    ReportProgress(this, psEnding, succeeded ? 100 : 0, true, sLoading);
    Changed(this);
}

void TGIFImage::SaveToStream(TStream* stream)
{
    ReportProgress(this, psStarting, 0, false, sSaving);
    try {
        FileHeader->SaveToStream(stream);
        FrameList->SaveToStream(stream);
        TGIFTrailer trailer(this);
        trailer.SaveToStream(stream);
    } catch (...) {
        ReportProgress(this, psEnding, 0, true, sSaving);
        throw;
    }
    ReportProgress(this, psEnding, 100, true, sSaving);
}

void TGIFImage::WriteData(TStream* stream)
{
    if (GIFImageOptimizeOnStream)
        Optimize(0x1F, rmNone, dmNearest, 8);
    TMemoryStream data;
    SaveToStream(&data);
    const int32_t size = static_cast<int32_t>(data.Size());
    stream->WriteBuffer(&size, 4);
    data.SaveToStream(stream);
}

void TGIFImage::Draw(TCanvas* canvas, const TRect& rect)
{
    if (InDraw || Empty())
        return;
    InDraw = true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{InDraw};
    FreeEndedPainters();
    if (FrameCount() == 1 || !HasOption(Options, goAnimate) || !IsScreenCanvas(canvas)) {
        if (FrameCount() > 1 && !IsScreenCanvas(canvas) && HasOption(Options, goAnimate))
            DrawBitmapInto(canvas, rect, GetBitmap());
        else
            Frame(0)->Draw(canvas, rect, HasOption(Options, goTransparent), HasOption(Options, goTile));
        return;
    }
    if (BitmapCache && !HasOption(Options, goDirectDraw)) {
        DrawBitmapInto(canvas, rect, BitmapCache);
        return;
    }
    PainterList->LockList();
    bool running = AnimationPainter && AnimationPainter->Canvas() == canvas &&
                   AnimationPainter->PaintRect() == rect;
    PainterList->UnlockList();
    if (running)
        return;
    StopDraw();
    TCanvas* target = canvas;
    TRect targetRect = rect;
    if (!HasOption(Options, goDirectDraw)) {
        TBitmap* bitmap = NewBitmap();
        bitmap->Canvas()->CopyRect(Rect(0, 0, bitmap->Width(), bitmap->Height()), canvas, rect);
        target = bitmap->Canvas();
        targetRect = Rect(0, 0, bitmap->Width(), bitmap->Height());
    }
    TGIFPainter* painter = InternalPaint(&AnimationPainter, target, targetRect, Options);
    if (painter) {
        painter->Start();
        if (!HasOption(Options, goDirectDraw))
            DrawBitmapInto(canvas, rect, BitmapCache);
    }
}

void TGIFImage::DrawBitmapInto(TCanvas* canvas, const TRect& rect, TBitmap* bitmap)
{
    if (!bitmap)
        return;
    if (!HasOption(Options, goTile)) {
        canvas->StretchDraw(rect, bitmap);
        return;
    }
    const int stepX = std::max(1, Width()), stepY = std::max(1, Height());
    for (int y = rect.Top; y < rect.Bottom; y += stepY)
        for (int x = rect.Left; x < rect.Right; x += stepX)
            canvas->StretchDraw(Rect(x, y, x + stepX, y + stepY), bitmap);
}

TGIFPainter* TGIFImage::InternalPaint(TGIFPainter** ownerSlot, TCanvas* canvas, const TRect& rect,
                                      TGIFDrawOptions options)
{
    if (Empty() || rect.Left >= rect.Right || rect.Top >= rect.Bottom) {
        if (ownerSlot)
            *ownerSlot = nullptr;
        return nullptr;
    }
    if (FrameCount() == 1)
        options &= static_cast<TGIFDrawOptions>(~(GIFOption(goAsync) | GIFOption(goAnimate)));
    auto* painter = new TGIFPainter(ownerSlot, this, canvas, rect, options);
    PainterList->Add(painter);
    painter->OnPaintBegin = OnPaintBegin;
    painter->OnFramePaint = OnFramePaint;
    painter->OnFramePainted = OnFramePainted;
    painter->OnLoopRestart = OnLoopRestart;
    painter->OnPaintEnd = OnPaintEnd;
    if (HasOption(options, goAsync)) {
        painter->SetPriority(ThreadPriority);
        return painter;
    }
    painter->RunHere();
    if (ownerSlot)
        *ownerSlot = nullptr;
    return nullptr;
}

TGIFPainter* TGIFImage::Paint(TCanvas* canvas, const TRect& rect, TGIFDrawOptions options)
{
    TGIFPainter* painter = InternalPaint(nullptr, canvas, rect, options);
    if (painter)
        painter->Start();
    return painter;
}

namespace {

template <typename Action> void ForEachPainter(TThreadList* list, Action action, bool reverse = false)
{
    TList* painters = list->LockList();
    const std::vector<void*> items(painters->List(), painters->List() + painters->Count());
    list->UnlockList();
    if (reverse)
        for (auto it = items.rbegin(); it != items.rend(); ++it)
            action(static_cast<TGIFPainter*>(*it));
    else
        for (void* item : items)
            action(static_cast<TGIFPainter*>(item));
}

}  // namespace

void TGIFImage::PaintStart()
{
    ForEachPainter(PainterList, [](TGIFPainter* p) { p->Start(); });
}

void TGIFImage::PaintResume()
{
    ForEachPainter(PainterList, [](TGIFPainter* p) { p->Resume(); });
}

void TGIFImage::PaintPause()
{
    ForEachPainter(PainterList, [](TGIFPainter* p) { p->Pause(); });
}

void TGIFImage::PaintRestart()
{
    ForEachPainter(PainterList, [](TGIFPainter* p) { p->Restart(); });
}

void TGIFImage::StopPainter(TGIFPainter* painter)
{
    painter->Stop();
    painter->Detach();
    PainterList->Remove(painter);
    if (AnimationPainter == painter)
        AnimationPainter = nullptr;
    EndedPainters.erase(std::remove(EndedPainters.begin(), EndedPainters.end(), painter), EndedPainters.end());
    TObject::Free(painter);
}

void TGIFImage::PaintStop()
{
    ForEachPainter(PainterList, [this](TGIFPainter* p) { StopPainter(p); }, true);
    FreeEndedPainters();
    FreeBitmap();
}

void TGIFImage::StopDraw()
{
    PainterList->LockList();
    TGIFPainter* painter = AnimationPainter;
    PainterList->UnlockList();
    if (painter)
        StopPainter(painter);
    FreeBitmap();
}

void TGIFImage::PainterEnded(TGIFPainter* painter)
{
    PainterList->LockList();
    if (AnimationPainter == painter)
        AnimationPainter = nullptr;
    PainterList->UnlockList();
    PainterList->Remove(painter);
    EndedPainters.push_back(painter);
}

void TGIFImage::FreeEndedPainters()
{
    std::vector<TGIFPainter*> ended;
    ended.swap(EndedPainters);
    for (TGIFPainter* painter : ended)
        TObject::Free(painter);
}

TBitmap* TGIFImage::GetBitmap()
{
    if (Empty())
        return nullptr;
    if (BitmapCache)
        return BitmapCache;
    BitmapCache = new TBitmap;
    BitmapCache->OnChange = [this](TObject*) { Changed(this); };
    TGIFSubImage* first = Frame(0);
    if (first->Width() == Width() && first->Height() == Height() && first->GetBitmap()) {
        BitmapCache->Assign(first->GetBitmap());
    } else {
        BitmapCache->SetPixelFormat(pf24bit);
        BitmapCache->SetSize(std::max(1, Width()), std::max(1, Height()));
        first->Draw(BitmapCache->Canvas(), Rect(0, 0, BitmapCache->Width(), BitmapCache->Height()), false, false);
    }
    return BitmapCache;
}

TBitmap* TGIFImage::NewBitmap()
{
    if (!BitmapCache) {
        BitmapCache = new TBitmap;
        BitmapCache->OnChange = [this](TObject*) { Changed(this); };
        BitmapCache->SetPixelFormat(pf24bit);
        BitmapCache->SetSize(std::max(1, Width()), std::max(1, Height()));
    }
    return BitmapCache;
}

void TGIFImage::FreeBitmap()
{
    if (AnimationPainter) {
        TGIFPainter* painter = AnimationPainter;
        StopPainter(painter);
    }
    FreeAndNil(BitmapCache);
}

HPALETTE TGIFImage::Palette()
{
    if (InGetPalette)
        RaiseGIFError("No global or local color table defined");
    InGetPalette = true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{InGetPalette};
    if (BitmapCache && BitmapCache->Palette())
        return BitmapCache->Palette();
    if (PaletteHandle)
        return PaletteHandle;
    if (GetDoDither()) {
        PaletteHandle = CreateColorPalette(WebPaletteColors(), 0);
        return PaletteHandle;
    }
    if (GetColorMap()->Count() > 0) {
        PaletteHandle = GetColorMap()->ExportPalette();
        return PaletteHandle;
    }
    return FrameCount() > 0 ? Frame(0)->GetPalette() : nullptr;
}

void TGIFImage::SetPalette(HPALETTE palette)
{
    if (palette == PaletteHandle)
        return;
    if (PaletteHandle)
        DeleteObject(PaletteHandle);
    PaletteHandle = palette;
    if (BitmapCache && BitmapCache->Palette() != palette) {
        FreeBitmap();
        PaletteModified = true;
        Changed(this);
    }
}

void TGIFImage::Assign(TPersistent* source)
{
    if (source == this)
        return;
    if (!source) {
        Clear();
        return;
    }
    if (auto* other = dynamic_cast<TGIFImage*>(source)) {
        Clear();
        OnProgress = other->OnProgress;
        OnWarning = other->OnWarning;
        try {
            ReportProgress(this, psStarting, 0, false, sCopying);
            FileHeader->Assign(other->FileHeader);
            ThreadPriority = other->ThreadPriority;
            DrawBackgroundColor = other->DrawBackgroundColor;
            Options = other->Options;
            ColorReduction = other->ColorReduction;
            DitherMode = other->DitherMode;
            for (int i = 0; i < other->FrameCount(); ++i) {
                auto* frame = new TGIFSubImage(this);
                try {
                    frame->Assign(other->Frame(i));
                } catch (...) {
                    TObject::Free(frame);
                    throw;
                }
                FrameList->Add(frame);
                ReportProgress(this, psRunning, (i + 1) * 100 / other->FrameCount(), false, sCopying);
            }
            ReportProgress(this, psEnding, 100, false, sCopying);
        } catch (...) {
            OnProgress = nullptr;
            OnWarning = nullptr;
            throw;
        }
        OnProgress = nullptr;
        OnWarning = nullptr;
        Changed(this);
        return;
    }
    Clear();
    auto* frame = new TGIFSubImage(this);
    try {
        frame->Assign(source);
    } catch (const EConvertError&) {
        TObject::Free(frame);
        TPersistent::Assign(source);
        return;
    } catch (...) {
        TObject::Free(frame);
        throw;
    }
    FrameList->Add(frame);
    Changed(this);
}

void TGIFImage::AssignTo(TPersistent* dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest))
        bitmap->Assign(GetBitmap());
    else
        TGraphic::AssignTo(dest);
}

void TGIFImage::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette)
{
    if (Empty())
        return;
    GetBitmap()->SaveToClipboardFormat(format, data, palette);
    TMemoryStream stream;
    SaveToStream(&stream);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(stream.Size()));
    if (!block)
        RaiseGIFError("Failed to store GIF on clipboard");
    void* bytes = GlobalLock(block);
    std::memcpy(bytes, stream.Memory(), static_cast<size_t>(stream.Size()));
    GlobalUnlock(block);
    if (!SetClipboardData(CF_GIF, block)) {
        GlobalFree(block);
        RaiseGIFError("Failed to store GIF on clipboard");
    }
}

void TGIFImage::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette)
{
    if (!data)
        data = GetClipboardData(format);
    if (data && format == CF_GIF) {
        TMemoryStream stream;
        const SIZE_T size = GlobalSize(data);
        const void* bytes = GlobalLock(data);
        if (bytes)
            stream.WriteBuffer(bytes, static_cast<int>(size));
        GlobalUnlock(data);
        stream.SetPosition(0);
        LoadFromStream(&stream);
    } else if (data && format == CF_BITMAP) {
        TOwnedPtr<TBitmap> bitmap(new TBitmap);
        bitmap->LoadFromClipboardFormat(format, data, palette);
        Assign(bitmap.get());
    } else {
        throw EInvalidGraphic("Unsupported clipboard format");
    }
}

void RegisterGIFImage()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    TPicture::RegisterFileFormat("GIF", "GIF Image", TGIFImage::StaticClass());
    CF_GIF = RegisterClipboardFormatA("GIF Image");
    TPicture::RegisterClipboardFormat(CF_GIF, TGIFImage::StaticClass());
    HDC screen = GetDC(nullptr);
    if (screen) {
        PaletteDevice = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) <= 8;
        ReleaseDC(nullptr, screen);
    }
    DoAutoDither = PaletteDevice;
}

void UnregisterGIFImage()
{
    FreeExtensionRegistries();
    TPicture::UnregisterGraphicClass(TGIFImage::StaticClass());
}

namespace {

// Unit start: the picture class knows GIF files from the start of the program.
struct TGIFUnitStart {
    TGIFUnitStart() { RegisterGIFImage(); }
} gifUnitStart;

}  // namespace
