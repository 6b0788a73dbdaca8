// The GIF picture as a graphic of the class library: options, loading and saving whole files,
// drawing still frames or animations, the composite bitmap and palette, assignment, the
// clipboard, and the registration with the picture class.
#pragma once

#include <windows.h>

#include <cstdint>

#include "cl_graphics.h"
#include "cl_threads.h"
#include "gif_colormap.h"
#include "gif_frame.h"

class TGIFPainter;

enum TGIFDrawOption {
    goAsync, goTransparent, goAnimate, goLoop, goLoopContinously, goValidateCanvas, goDirectDraw,
    goClearOnLoop, goTile, goDither, goAutoDither
};
using TGIFDrawOptions = uint16_t;
constexpr TGIFDrawOptions GIFOption(TGIFDrawOption option) { return TGIFDrawOptions(1u << option); }
inline bool HasOption(TGIFDrawOptions options, TGIFDrawOption option)
{
    return (options & GIFOption(option)) != 0;
}

enum TGIFOptimizeOption { ooCrop, ooMerge, ooCleanup, ooColorMap, ooReduceColors };
using TGIFOptimizeOptions = uint8_t;
constexpr TGIFOptimizeOptions GIFOptimizeOption(TGIFOptimizeOption option)
{
    return TGIFOptimizeOptions(1u << option);
}

using TGIFWarning = std::function<void(TObject* sender, TGIFSeverity severity, const AnsiString& message)>;

extern TGIFDrawOptions GIFImageDefaultDrawOptions;
extern TColorReduction GIFImageDefaultColorReduction;
extern int GIFImageDefaultColorReductionBits;
extern TDitherMode GIFImageDefaultDitherMode;
extern TGIFCompression GIFImageDefaultCompression;
extern TThreadPriority GIFImageDefaultThreadPriority;
extern int GIFImageDefaultAnimationSpeed;
extern int GIFDelayExp;
extern int GIFDefaultDelay;
extern int GIFMinimumDelay;
extern int GIFMaximumDelay;
extern bool PaletteDevice;
extern bool DoAutoDither;
extern bool GIFImageRenderOnLoad;
extern bool GIFImageOptimizeOnStream;
extern UINT CF_GIF;

class TGIFImageList : public TGIFList {
    CL_CLASS(TGIFImageList, TGIFList)

    using TGIFList::TGIFList;
    void LoadFromStream(TStream* stream, TObject* parent) override;
    void SaveToStream(TStream* stream) override;
    TGIFSubImage* GetImage(int index) const { return static_cast<TGIFSubImage*>(GetItem(index)); }
    void SetImage(int index, TGIFSubImage* frame) { SetItem(index, frame); }
};

class TGIFImage : public TGraphic {
    CL_CREATABLE_CLASS(TGIFImage, TGraphic)

    TGIFImage();
    ~TGIFImage() override;
    void AssignTo(TPersistent* dest) override;
    void Assign(TPersistent* source) override;
    bool Equals(TGraphic* other) override { return other == this; }
    bool Empty() const override { return FrameList->GetCount() == 0; }
    int Width() const override { return FileHeader->Width(); }
    int Height() const override { return FileHeader->Height(); }
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    HPALETTE Palette() override;
    void SetPalette(HPALETTE palette) override;
    bool Transparent() const override { return GetIsTransparent(); }
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;
    void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;
    // Streams into a form resource, optimising first when GIFImageOptimizeOnStream is set.
    void WriteData(TStream* stream);
    virtual void Warning(TObject* sender, TGIFSeverity severity, const AnsiString& message);

    void Clear();
    void NewImage() { Clear(); }
    int Add(TPersistent* source);
    TGIFVersion GetVersion();
    int GetColorResolution();
    int GetBitsPerPixel();
    int GetBackgroundColorIndex() const { return FileHeader->GetBackgroundColorIndex(); }
    void SetBackgroundColorIndex(int index) { FileHeader->SetBackgroundColorIndex(index); }
    TColor GetBackgroundColor() { return FileHeader->GetBackgroundColor(); }
    void SetBackgroundColor(TColor color) { FileHeader->SetBackgroundColor(color); }
    int GetAspectRatio() const { return FileHeader->GetAspectRatio(); }
    void SetAspectRatio(int ratio) { FileHeader->SetAspectRatio(ratio); }
    TGIFColorMap* GetColorMap() const { return FileHeader->ColorMap(); }
    TGIFHeader* Header() const { return FileHeader; }
    TGIFImageList* Images() const { return FrameList; }
    int FrameCount() const { return FrameList->GetCount(); }
    TGIFSubImage* Frame(int index) const { return FrameList->GetImage(index); }
    bool GetIsTransparent() const;
    bool GetDoDither() const;

    TGIFDrawOptions DrawOptions() const { return Options; }
    void SetDrawOptions(TGIFDrawOptions options);
    int AnimationSpeed() const { return Speed; }
    void SetAnimationSpeed(int speed);
    int ReductionBits() const { return Bits; }
    void SetReductionBits(int bits);
    TColorReduction ColorReduction = GIFImageDefaultColorReduction;
    TDitherMode DitherMode = GIFImageDefaultDitherMode;
    TGIFCompression Compression = GIFImageDefaultCompression;
    TThreadPriority ThreadPriority = GIFImageDefaultThreadPriority;
    TColor DrawBackgroundColor = clNone;

    TBitmap* GetBitmap();
    TBitmap* NewBitmap();
    void FreeBitmap();

    TGIFPainter* Paint(TCanvas* canvas, const TRect& rect, TGIFDrawOptions options);
    void PaintStart();
    // Stops every painter and waits for its thread before returning.
    void PaintStop();
    // Holds the painters at their next frame; no thread is suspended.
    void PaintPause();
    void PaintResume();
    void PaintRestart();
    void StopDraw();
    TGIFPainter* ActivePainter() const { return AnimationPainter; }

    void Optimize(TGIFOptimizeOptions options, TColorReduction reduction, TDitherMode dither,
                  int reductionBits);
    void OptimizeColorMap();
    void Pack();

    TGIFWarning OnWarning;
    TNotifyEvent OnPaintBegin;
    TNotifyEvent OnFramePaint;
    TNotifyEvent OnFramePainted;
    TNotifyEvent OnLoopRestart;
    TNotifyEvent OnPaintEnd;

    // Used by frames, extensions and painters.
    void ImageChanged(TObject* sender) { Changed(sender); }
    void ReportProgress(TObject* sender, TProgressStage stage, int percent, bool redraw,
                        const AnsiString& message);
    bool IsPaletteModified() const { return PaletteModified; }
    void SetPaletteModified(bool modified) { PaletteModified = modified; }
    TThreadList* Painters() const { return PainterList; }
    // Called by a painter whose thread has ended (main thread).
    void PainterEnded(TGIFPainter* painter);

protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;

private:
    TGIFPainter* InternalPaint(TGIFPainter** ownerSlot, TCanvas* canvas, const TRect& rect,
                               TGIFDrawOptions options);
    void DrawBitmapInto(TCanvas* canvas, const TRect& rect, TBitmap* bitmap);
    void FreeEndedPainters();
    void StopPainter(TGIFPainter* painter);

    bool InDraw = false;
    bool InGetPalette = false;
    bool PaletteModified = false;
    TGIFImageList* FrameList;
    TGIFHeader* FileHeader;
    HPALETTE PaletteHandle = nullptr;
    TThreadList* PainterList;
    std::vector<TGIFPainter*> EndedPainters;
    TGIFDrawOptions Options = GIFImageDefaultDrawOptions;
    int Bits = GIFImageDefaultColorReductionBits;
    int Speed = GIFImageDefaultAnimationSpeed;
    TBitmap* BitmapCache = nullptr;
    TGIFPainter* AnimationPainter = nullptr;
};

// Picture-class registration for "GIF" ("GIF Image") and the "GIF Image" clipboard format;
// runs once at start-up (also on first use of either function).
void RegisterGIFImage();
void UnregisterGIFImage();
