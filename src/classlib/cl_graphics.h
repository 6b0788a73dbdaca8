// Drawing: colours, GDI object wrappers (font, pen, brush), the canvas over a device context,
// and the graphics (DIB-section bitmaps, icons, enhanced metafiles) with the picture registry.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "cl_component.h"
#include "cl_except.h"
#include "cl_string.h"
#include "cl_textextents.h"
#include "cl_types.h"

class TStream;
class TCanvas;

// The screen's device context for as long as the guard lives.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() { ReleaseDC(nullptr, dc_); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// A window's whole-window device context (non-client area included) for the guard's life.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowDC() { ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory DC with `bitmap` selected (none for null), deselected and deleted with the guard.
class MemoryDC {
public:
    explicit MemoryDC(HGDIOBJ bitmap, HDC compatible = nullptr)
        : dc_(CreateCompatibleDC(compatible)) {
        old_ = bitmap ? SelectObject(dc_, bitmap) : nullptr;
    }
    ~MemoryDC() {
        if (old_) SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint's DC of a window, ended with the guard.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
    ~PaintDC() { EndPaint(window_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT ps_;
    HDC dc_;
};

// A GDI object (bitmap, brush, pen, region) deleted with the guard.
class OwnedGdiObject {
public:
    explicit OwnedGdiObject(HGDIOBJ object) : object_(object) {}
    ~OwnedGdiObject() {
        if (object_) DeleteObject(object_);
    }
    OwnedGdiObject(const OwnedGdiObject&) = delete;
    OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;
    HGDIOBJ Get() const { return object_; }
    operator HGDIOBJ() const { return object_; }

private:
    HGDIOBJ object_;
};

// Selects a GDI object into a DC and puts the previous one back with the guard.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

inline RECT ToRECT(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
inline TRect ToTRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// DrawText's horizontal alignment flags by TAlignment (left, right, centre).
constexpr UINT AlignmentDrawTextFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

// System colours become their current RGB; clNone and clDefault pass unchanged; others lose
// their top byte.
TColor ColorToRGB(TColor color);
// "clRed"-style names of the standard and system colours.
bool ColorToIdent(TColor color, AnsiString& ident);
bool IdentToColor(const AnsiString& ident, TColor& color);
// A colour's name, or "$00BBGGRR" when it has none.
AnsiString ColorToString(TColor color);
// Accepts colour names, decimal and $-hexadecimal numbers; raises EConvertError otherwise.
TColor StringToColor(const AnsiString& text);

// The pixels per inch of the screen (LOGPIXELSY), read once.
int ScreenPixelsPerInch();

// Base of font, pen and brush: a lazily created GDI handle, rebuilt after every change.
// A canvas that owns the object hears of a change before the old handle is deleted, so that it
// can take the handle out of its DC first.
class TGraphicsObject : public TPersistent {
    CL_CLASS(TGraphicsObject, TPersistent)

    ~TGraphicsObject() override;
    TNotifyEvent OnChange;
    bool HandleAllocated() const { return handle_ != nullptr; }

protected:
    friend class TCanvas;
    // Changing before and Changed after every change of the object's data; `handleStale`
    // false keeps the GDI handle (colour and mix mode are not part of it).
    void Changing(bool handleStale = true);
    virtual void Changed();
    HGDIOBJ CachedHandle() const { return handle_; }
    void SetCachedHandle(HGDIOBJ handle) { handle_ = handle; }
    void ReleaseHandle();

private:
    HGDIOBJ handle_ = nullptr;
    TCanvas* ownerCanvas_ = nullptr;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = std::set<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;

// A font. Height (pixels, negative = character height) is what is stored; Size (points) is
// derived from it through PixelsPerInch. Changing PixelsPerInch keeps Height. Assign copies
// Height, or the point size when the two fonts' PixelsPerInch differ.
// Default: "MS Sans Serif", 8 points at the screen's resolution, clWindowText, DEFAULT_CHARSET.
class TFont : public TGraphicsObject {
    CL_CREATABLE_CLASS(TFont, TGraphicsObject)

    TFont();
    void Assign(TPersistent* source) override;

    HFONT Handle();
    // Adopts a font handle: the font takes ownership and reads its data back from it.
    void SetHandle(HFONT handle);
    // True while the handle is an adopted one, which may hold more than the font's data.
    bool HandleAdopted() const { return handleAdopted_; }
    const AnsiString& Name() const { return name_; }
    void SetName(const AnsiString& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int size);
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int pixelsPerInch);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    const TFontStyles& Style() const { return style_; }
    void SetStyle(const TFontStyles& style);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset charset);
    // Escapement in tenths of a degree, counter-clockwise.
    int Orientation() const { return orientation_; }
    void SetOrientation(int orientation);

private:
    AnsiString name_ = "MS Sans Serif";
    int height_;
    int pixelsPerInch_;
    TColor color_ = clWindowText;
    TFontStyles style_;
    TFontPitch pitch_ = fpDefault;
    TFontCharset charset_ = DEFAULT_CHARSET;
    int orientation_ = 0;
    bool handleAdopted_ = false;
};

// The pen styles and mix modes are the GDI PS_ codes and the R2_ raster operations.
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
int PenModeToRop2(TPenMode mode);

// A pen; Mode is applied with SetROP2 when a canvas selects the pen.
class TPen : public TGraphicsObject {
    CL_CREATABLE_CLASS(TPen, TGraphicsObject)

    void Assign(TPersistent* source) override;
    HPEN Handle();
    // Adopts a pen made elsewhere (ExtCreatePen): the pen owns it until the next change of
    // colour, width or style.
    void SetHandle(HPEN handle);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode);

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

class TBitmap;
enum TBrushStyle {
    bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

// A brush: solid, hatched, clear, or a pattern from a bitmap it does not own.
class TBrush : public TGraphicsObject {
    CL_CREATABLE_CLASS(TBrush, TGraphicsObject)

    void Assign(TPersistent* source) override;
    HBRUSH Handle();
    // Adopts a brush handle; 0 drops the handle so that the canvas selects a fresh one.
    void SetHandle(HBRUSH handle);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* bitmap);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
};

class TGraphic;

// Drawing on a device context. Handle makes sure the current pen, brush and font are selected
// (a change to any of them, Refresh, or Brush->SetHandle(0) makes the next use reselect it);
// the canvas never touches the DC's mapping mode, window or viewport.
// Descendants that own their DC override CreateHandle and bind it with SetHandle.
class TCanvas : public TPersistent {
    CL_CREATABLE_CLASS(TCanvas, TPersistent)

    TCanvas();
    ~TCanvas() override;

    HDC Handle();
    // Binds a DC (not owned); 0 unbinds, taking the canvas's objects out of the old DC.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }
    TFont* Font() const { return font_; }
    void SetFont(TFont* font) { font_->Assign(font); }
    TPen* Pen() const { return pen_; }
    void SetPen(TPen* pen) { pen_->Assign(pen); }
    TBrush* Brush() const { return brush_; }
    void SetBrush(TBrush* brush) { brush_->Assign(brush); }
    // Raster operation of Draw, StretchDraw and CopyRect (SRCCOPY by default).
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD mode) { copyMode_ = mode; }
    TPoint PenPos();
    void SetPenPos(TPoint pos) { MoveTo(pos.X, pos.Y); }
    // ETO_ flags added to every TextOut and TextRect.
    int TextFlags() const { return textFlags_; }
    void SetTextFlags(int flags) { textFlags_ = flags; }

    // The drawing primitives are virtual so that a recording canvas can log them (a subclass
    // that overrides one overload brings the others back with `using`).
    virtual void MoveTo(int x, int y);
    virtual void LineTo(int x, int y);
    virtual void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    virtual void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
    virtual void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    virtual void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    virtual void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    virtual void Polyline(const TPoint* points, int count);
    void Polyline(const std::vector<TPoint>& points);
    virtual void Polygon(const TPoint* points, int count);
    void Polygon(const std::vector<TPoint>& points);
    virtual void FillRect(const TRect& r);
    virtual void FrameRect(const TRect& r);
    virtual void DrawFocusRect(const TRect& r);
    virtual void FloodFill(int x, int y, TColor color, bool surface);
    TColor Pixels(int x, int y);
    virtual void SetPixels(int x, int y, TColor color);

    // Text in the font's colour; opaque on the brush colour unless the brush is clear.
    virtual void TextOut(int x, int y, const AnsiString& text);
    // Text clipped to `rect`, which is first filled with the brush unless the brush is clear.
    virtual void TextRect(const TRect& rect, int x, int y, const AnsiString& text);
    virtual TSize TextExtent(const AnsiString& text);
    int TextWidth(const AnsiString& text) { return TextExtent(text).cx; }
    int TextHeight(const AnsiString& text) { return TextExtent(text).cy; }

    virtual void Draw(int x, int y, TGraphic* graphic);
    virtual void StretchDraw(const TRect& rect, TGraphic* graphic);
    virtual void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    // Copies `source` from the bitmap, drawing `color` pixels in the brush colour instead.
    virtual void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color);
    TRect ClipRect();

    // Forces the pen, brush and font to be selected again at the next use.
    void Refresh();
    // Serialises drawing from several threads; counted.
    void Lock();
    bool TryLock();
    void Unlock();
    int LockCount() const { return lockCount_; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // True when the DC prints or records (printer or metafile), where bitmaps must be sent as
    // DIB bits rather than blitted from a screen-compatible DC.
    bool IsRecordingOrPrinting();
    // For canvases that get a new device: sets the font's resolution, keeping its point size.
    void AdoptFontResolution(int pixelsPerInch);

protected:
    friend class TGraphicsObject;
    virtual void CreateHandle() {}
    virtual void Changing();
    virtual void Changed();
    void ObjectChanging(TGraphicsObject* object);
    void RequireHandle();

private:
    enum StateBit { stPen = 1, stBrush = 2, stFont = 4 };
    void RequireState(int bits);
    void Deselect(int bits);
    void PrepareText();

    HDC dc_ = nullptr;
    int state_ = 0;
    TFont* font_;
    TPen* pen_;
    TBrush* brush_;
    DWORD copyMode_ = SRCCOPY;
    int textFlags_ = 0;
    CRITICAL_SECTION lock_;
    int lockCount_ = 0;
    TTextExtentCache extents_;
};

enum TProgressStage { psStarting, psRunning, psEnding };
using TProgressEvent = std::function<void(TObject* sender, TProgressStage stage,
                                          uint8_t percentDone, bool redrawNow, const TRect& r,
                                          const AnsiString& msg)>;

// The abstract picture: size, emptiness, transparency, streams, files, clipboard formats and
// drawing on a canvas (through the canvas's Draw and StretchDraw).
class TGraphic : public TPersistent {
    CL_CLASS(TGraphic, TPersistent)

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    virtual HPALETTE Palette() { return nullptr; }
    virtual void SetPalette(HPALETTE) {}
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool transparent);
    bool Modified() const { return modified_; }
    void SetModified(bool modified);

    virtual void LoadFromStream(TStream* stream) = 0;
    virtual void SaveToStream(TStream* stream) = 0;
    virtual void LoadFromFile(const AnsiString& fileName);
    // The file is written whole or not at all.
    virtual void SaveToFile(const AnsiString& fileName);
    // Default: raise EInvalidGraphic "Unsupported clipboard format".
    virtual void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
    virtual void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette);
    // Same class and the same saved bytes.
    virtual bool Equals(TGraphic* other);
    // Streams the picture as the binary property "Data" in its SaveToStream format.
    void DefineProperties(TFiler* filer) override;

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

protected:
    friend class TCanvas;
    virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;
    virtual void Changed(TObject* sender);
    void Progress(TObject* sender, TProgressStage stage, uint8_t percentDone, bool redrawNow,
                  const TRect& r, const AnsiString& msg);

private:
    bool transparent_ = false;
    bool modified_ = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };
class TBitmapCanvas;

// A bitmap held as a DIB section, so that its rows are addressable (ScanLine) and it reaches
// printers and metafiles as DIB bits. Resizing keeps the content that still fits; new area is
// black. pfDevice is the screen's depth.
class TBitmap : public TGraphic {
    CL_CREATABLE_CLASS(TBitmap, TGraphic)

    TBitmap();
    ~TBitmap() override;
    void Assign(TPersistent* source) override;

    bool Empty() const override { return dib_ == nullptr; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int width) override { SetSize(width, height_); }
    void SetHeight(int height) override { SetSize(width_, height); }
    void SetSize(int width, int height);
    TCanvas* Canvas();
    HBITMAP Handle() const { return dib_; }
    // Takes over a bitmap (DIB section or device-dependent): its pixels are copied into the
    // bitmap's own DIB section and the handle is deleted.
    void SetHandle(HBITMAP handle);
    // Hands the handle over to the caller, leaving the bitmap empty.
    HBITMAP ReleaseHandle();
    // Always a DIB section.
    TBitmapHandleType HandleType() const { return bmDIB; }
    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat format);
    bool Monochrome() const { return pixelFormat_ == pf1bit; }
    void SetMonochrome(bool monochrome);
    // The row's first byte. Raises EInvalidGraphicOperation "Scan line index out of range".
    void* ScanLine(int row);
    int BytesPerScanLine() const;
    HPALETTE Palette() override;
    void SetPalette(HPALETTE palette) override;
    // The colour drawn transparent; in tmAuto the bottom-left pixel's colour.
    TColor TransparentColor();
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);
    // A monochrome mask, white where the transparent colour is; owned by the bitmap.
    HBITMAP MaskHandle();

    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    // A packed DIB (BITMAPINFOHEADER or BITMAPCOREHEADER, colour table, bits).
    void LoadFromDIB(const void* packedDIB, size_t size);
    void LoadFromResourceID(HINSTANCE instance, int id);
    void LoadFromResourceName(HINSTANCE instance, const AnsiString& name);
    void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;
    void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;
    // Frees the canvas's DC; the next drawing makes a new one.
    void Dormant();

protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;
    void Changed(TObject* sender) override;

private:
    friend class TBitmapCanvas;
    void Replace(HBITMAP dib, int width, int height, TPixelFormat format);
    void LoadParsedDIB(const void* parsedDIB);
    void LoadFromResource(HINSTANCE instance, const char* name, const AnsiString& shownName);
    void ReleaseCanvasDC();
    void FreeMask();
    const BITMAPINFO* Info();

    HBITMAP dib_ = nullptr;
    void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    TPixelFormat pixelFormat_ = pfDevice;
    std::vector<uint8_t> info_;
    HPALETTE palette_ = nullptr;
    HBITMAP mask_ = nullptr;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
    TBitmapCanvas* canvas_ = nullptr;
};

// An icon (HICON). Streams read the .ico file format and write the bytes loaded, or for an
// icon made in memory a 32-bit .ico of it; drawing uses DrawIconEx.
class TIcon : public TGraphic {
    CL_CREATABLE_CLASS(TIcon, TGraphic)

    ~TIcon() override;
    void Assign(TPersistent* source) override;
    bool Empty() const override { return icon_ == nullptr; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // An icon's size comes from its image; setting it only affects an empty icon's request.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    HICON Handle() const { return icon_; }
    // Adopts the icon.
    void SetHandle(HICON icon);
    HICON ReleaseHandle();
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;

protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;

private:
    void Clear();
    HICON icon_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> fileBytes_;
};

// An enhanced metafile. Width and Height are in screen pixels, MMWidth and MMHeight in
// hundredths of a millimetre; streams read EMF (and convert Windows metafiles) and write EMF.
class TMetafile : public TGraphic {
    CL_CREATABLE_CLASS(TMetafile, TGraphic)

    ~TMetafile() override;
    void Assign(TPersistent* source) override;
    bool Empty() const override { return handle_ == nullptr; }
    int Width() const override;
    int Height() const override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    int MMWidth() const { return mmWidth_; }
    void SetMMWidth(int mmWidth);
    int MMHeight() const { return mmHeight_; }
    void SetMMHeight(int mmHeight);
    bool Enhanced() const { return enhanced_; }
    void SetEnhanced(bool enhanced) { enhanced_ = enhanced; }
    HENHMETAFILE Handle() const { return handle_; }
    // Adopts the metafile; its frame gives MMWidth and MMHeight.
    void SetHandle(HENHMETAFILE handle);
    HENHMETAFILE ReleaseHandle();
    void Clear();
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;
    void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;

protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;

private:
    HENHMETAFILE handle_ = nullptr;
    int mmWidth_ = 0;
    int mmHeight_ = 0;
    bool enhanced_ = true;
};

// Records drawing into a metafile: the frame is the metafile's MMWidth x MMHeight (when set),
// the reference DC is `referenceDC` (0: the screen), and the font's resolution is the
// reference DC's. Freeing the canvas completes the metafile and hands it over.
class TMetafileCanvas : public TCanvas {
    CL_CLASS(TMetafileCanvas, TCanvas)

    TMetafileCanvas(TMetafile* metafile, HDC referenceDC);
    ~TMetafileCanvas() override;

private:
    TMetafile* metafile_;
    HDC recordingDC_;
};

// Holds one graphic of any registered class; loading picks the class by file extension.
class TPicture : public TPersistent {
    CL_CREATABLE_CLASS(TPicture, TPersistent)

    ~TPicture() override;
    void Assign(TPersistent* source) override;
    void AssignTo(TPersistent* dest) override;

    TGraphic* Graphic() const { return graphic_; }
    // Stores a copy of `graphic` (null empties the picture).
    void SetGraphic(TGraphic* graphic);
    // The graphic as a bitmap, replacing a graphic of another class by an empty bitmap.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* bitmap) { SetGraphic(bitmap); }
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // Raises EInvalidGraphic for an unregistered extension or an unreadable file; the picture
    // then keeps its previous graphic.
    void LoadFromFile(const AnsiString& fileName);
    void SaveToFile(const AnsiString& fileName);
    void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
    void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette);
    static bool SupportsClipboardFormat(UINT format);

    // Extensions without the dot, compared case-insensitively.
    static void RegisterFileFormat(const AnsiString& extension, const AnsiString& description,
                                   const TMetaClass* graphicClass);
    static void RegisterClipboardFormat(UINT format, const TMetaClass* graphicClass);
    static void UnregisterGraphicClass(const TMetaClass* graphicClass);
    // Null when the extension is not registered.
    static const TMetaClass* FileFormatClass(const AnsiString& extension);
    // "Description (*.ext)|*.ext|..." for the registered formats of `graphicClass` and its
    // descendants, preceded by an "All" entry.
    static AnsiString GraphicFilter(const TMetaClass* graphicClass);

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

protected:
    virtual void Changed(TObject* sender);

private:
    void Replace(TGraphic* graphic);
    TGraphic* graphic_ = nullptr;
};
