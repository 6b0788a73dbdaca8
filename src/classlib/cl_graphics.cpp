#include "cl_graphics.h"

#include <algorithm>
#include <cstring>
#include <climits>
#include <memory>
#include <unordered_map>

#include "cl_filer.h"
#include "cl_jpeg.h"
#include "cl_streams.h"

namespace {

struct ColorName {
    TColor color;
    const char* name;
};

const ColorName kColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"}, {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"}, {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"}, {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"}, {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"}, {clMenuBar, "clMenuBar"}, {clNone, "clNone"},
    {clDefault, "clDefault"},
};

const char kInvalidIcon[] = "Icon image is not valid";
const char kInvalidMetafile[] = "Metafile is not valid";
const char kNoCanvasDrawing[] = "Canvas does not allow drawing";

// A memory DC for the duration of a scope, with one bitmap selected into it.
static_assert(sizeof(TPoint) == sizeof(POINT), "TPoint must match POINT");
const POINT* ToPOINTs(const TPoint* points) { return reinterpret_cast<const POINT*>(points); }

}  // namespace

// ---- colours ----

TColor ColorToRGB(TColor color) {
    if (color == clNone || color == clDefault) return color;
    if (static_cast<uint32_t>(color) & 0x80000000u) {
        return static_cast<TColor>(GetSysColor(color & 0xFF));
    }
    return color & 0x00FFFFFF;
}

bool ColorToIdent(TColor color, AnsiString& ident) {
    for (const ColorName& entry : kColorNames) {
        if (entry.color == color) {
            ident = entry.name;
            return true;
        }
    }
    return false;
}

bool IdentToColor(const AnsiString& ident, TColor& color) {
    for (const ColorName& entry : kColorNames) {
        if (SameText(ident, entry.name)) {
            color = entry.color;
            return true;
        }
    }
    return false;
}

AnsiString ColorToString(TColor color) {
    AnsiString name;
    if (ColorToIdent(color, name)) return name;
    return "$" + IntToHex(static_cast<uint32_t>(color), 8);
}

TColor StringToColor(const AnsiString& text) {
    TColor color;
    if (IdentToColor(text, color)) return color;
    const std::string& s = text.str();
    const bool hex = !s.empty() && s[0] == '$';
    const size_t start = hex ? 1 : (!s.empty() && s[0] == '-' ? 1 : 0);
    const bool digitsOnly =
        s.size() > start && s.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789",
                                                start) == std::string::npos;
    if (!digitsOnly || s.size() - start > (hex ? 8u : 10u)) {
        throw EConvertError(Format(SInvalidColor, text));
    }
    const long long value = std::stoll(s.substr(hex ? 1 : 0), nullptr, hex ? 16 : 10);
    if (value > 0xFFFFFFFFLL || value < -0x80000000LL) {
        throw EConvertError(Format(SInvalidColor, text));
    }
    return static_cast<TColor>(static_cast<uint32_t>(value));
}

int ScreenPixelsPerInch() {
    static const int pixelsPerInch = [] {
        ScreenDC screen;
        return GetDeviceCaps(screen, LOGPIXELSY);
    }();
    return pixelsPerInch;
}

// ---- graphics objects ----

TGraphicsObject::~TGraphicsObject() { ReleaseHandle(); }

void TGraphicsObject::Changing(bool handleStale) {
    if (ownerCanvas_) ownerCanvas_->ObjectChanging(this);
    if (handleStale) ReleaseHandle();
}

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

void TGraphicsObject::ReleaseHandle() {
    if (handle_) DeleteObject(handle_);
    handle_ = nullptr;
}

namespace {

// The font's published properties, for the component streams.
const bool fontPropertiesRegistered = [] {
    const TMetaClass* font = TFont::StaticClass();
    RegisterProperty(font, StringProperty<TFont>("Name", &TFont::Name, &TFont::SetName));
    RegisterProperty(font, OrdinalProperty<TFont>("Height", pkInteger, &TFont::Height,
                                                  &TFont::SetHeight));
    RegisterProperty(font, OrdinalProperty<TFont>("Color", pkColor, &TFont::Color,
                                                  &TFont::SetColor, clWindowText));
    RegisterProperty(font, SetProperty<TFont, TFontStyle>(
                               "Style", &TFont::Style, &TFont::SetStyle,
                               {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
    RegisterProperty(font, OrdinalProperty<TFont>("Charset", pkInteger, &TFont::Charset,
                                                  &TFont::SetCharset, DEFAULT_CHARSET));
    return true;
}();

}  // namespace

TFont::TFont() : pixelsPerInch_(ScreenPixelsPerInch()) {
    height_ = -MulDiv(8, pixelsPerInch_, 72);
}

void TFont::Assign(TPersistent* source) {
    auto* font = dynamic_cast<TFont*>(source);
    if (!font) {
        TGraphicsObject::Assign(source);
        return;
    }
    if (font == this) return;
    const int height = font->pixelsPerInch_ == pixelsPerInch_
                           ? font->height_
                           : -MulDiv(font->Size(), pixelsPerInch_, 72);
    // An equal font keeps its handle: making it anew costs the system a font realisation.
    if (name_ == font->name_ && charset_ == font->charset_ && color_ == font->color_ &&
        style_ == font->style_ && pitch_ == font->pitch_ && orientation_ == font->orientation_ &&
        height_ == height)
        return;
    Changing();
    name_ = font->name_;
    charset_ = font->charset_;
    color_ = font->color_;
    style_ = font->style_;
    pitch_ = font->pitch_;
    orientation_ = font->orientation_;
    height_ = height;
    Changed();
}

HFONT TFont::Handle() {
    if (!CachedHandle()) {
        LOGFONTA log{};
        log.lfHeight = height_;
        log.lfEscapement = orientation_;
        log.lfOrientation = orientation_;
        log.lfWeight = style_.count(fsBold) ? FW_BOLD : FW_NORMAL;
        log.lfItalic = style_.count(fsItalic) ? 1 : 0;
        log.lfUnderline = style_.count(fsUnderline) ? 1 : 0;
        log.lfStrikeOut = style_.count(fsStrikeOut) ? 1 : 0;
        log.lfCharSet = charset_;
        log.lfOutPrecision = OUT_DEFAULT_PRECIS;
        log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        log.lfQuality = DEFAULT_QUALITY;
        log.lfPitchAndFamily = pitch_ == fpFixed      ? FIXED_PITCH
                               : pitch_ == fpVariable ? VARIABLE_PITCH
                                                      : DEFAULT_PITCH;
        lstrcpynA(log.lfFaceName, name_.c_str(), LF_FACESIZE);
        SetCachedHandle(CreateFontIndirectA(&log));
        handleAdopted_ = false;
    }
    return static_cast<HFONT>(CachedHandle());
}

void TFont::SetHandle(HFONT handle) {
    Changing();
    LOGFONTA log{};
    if (handle && GetObjectA(handle, sizeof log, &log)) {
        name_ = log.lfFaceName;
        height_ = log.lfHeight;
        orientation_ = log.lfEscapement;
        charset_ = log.lfCharSet;
        style_.clear();
        if (log.lfWeight >= FW_BOLD) style_.insert(fsBold);
        if (log.lfItalic) style_.insert(fsItalic);
        if (log.lfUnderline) style_.insert(fsUnderline);
        if (log.lfStrikeOut) style_.insert(fsStrikeOut);
        const int pitch = log.lfPitchAndFamily & 3;
        pitch_ = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    }
    SetCachedHandle(handle);
    handleAdopted_ = handle != nullptr;
    Changed();
}

void TFont::SetName(const AnsiString& name) {
    if (name.IsEmpty() || name == name_) return;
    Changing();
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    Changing();
    height_ = height;
    Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int size) { SetHeight(-MulDiv(size, pixelsPerInch_, 72)); }

void TFont::SetPixelsPerInch(int pixelsPerInch) {
    if (pixelsPerInch <= 0 || pixelsPerInch == pixelsPerInch_) return;
    Changing(false);
    pixelsPerInch_ = pixelsPerInch;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    Changing(false);
    color_ = color;
    Changed();
}

void TFont::SetStyle(const TFontStyles& style) {
    if (style == style_) return;
    Changing();
    style_ = style;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == pitch_) return;
    Changing();
    pitch_ = pitch;
    Changed();
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == charset_) return;
    Changing();
    charset_ = charset;
    Changed();
}

void TFont::SetOrientation(int orientation) {
    if (orientation == orientation_) return;
    Changing();
    orientation_ = orientation;
    Changed();
}

int PenModeToRop2(TPenMode mode) {
    static const int rop2[] = {R2_BLACK,       R2_WHITE,       R2_NOP,        R2_NOT,
                               R2_COPYPEN,     R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                               R2_MERGENOTPEN, R2_MASKNOTPEN,  R2_MERGEPEN,   R2_NOTMERGEPEN,
                               R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,     R2_NOTXORPEN};
    return rop2[mode];
}

void TPen::Assign(TPersistent* source) {
    auto* pen = dynamic_cast<TPen*>(source);
    if (!pen) {
        TGraphicsObject::Assign(source);
        return;
    }
    if (pen == this) return;
    Changing();
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    mode_ = pen->mode_;
    Changed();
}

HPEN TPen::Handle() {
    if (!CachedHandle()) SetCachedHandle(CreatePen(style_, width_, ColorToRGB(color_)));
    return static_cast<HPEN>(CachedHandle());
}

void TPen::SetHandle(HPEN handle) {
    Changing();
    SetCachedHandle(handle);
    Changed();
}

void TPen::SetColor(TColor color) {
    if (color == color_) return;
    Changing();
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width < 0 || width == width_) return;
    Changing();
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_) return;
    Changing();
    style_ = style;
    Changed();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == mode_) return;
    Changing(false);
    mode_ = mode;
    Changed();
}

void TBrush::Assign(TPersistent* source) {
    auto* brush = dynamic_cast<TBrush*>(source);
    if (!brush) {
        TGraphicsObject::Assign(source);
        return;
    }
    if (brush == this) return;
    Changing();
    color_ = brush->color_;
    style_ = brush->style_;
    bitmap_ = brush->bitmap_;
    Changed();
}

HBRUSH TBrush::Handle() {
    if (!CachedHandle()) {
        if (bitmap_ && !bitmap_->Empty()) {
            SetCachedHandle(CreatePatternBrush(bitmap_->Handle()));
        } else {
            LOGBRUSH log{};
            log.lbColor = ColorToRGB(color_);
            log.lbStyle = style_ == bsSolid ? BS_SOLID : style_ == bsClear ? BS_HOLLOW : BS_HATCHED;
            log.lbHatch = style_ >= bsHorizontal ? style_ - bsHorizontal : 0;
            SetCachedHandle(CreateBrushIndirect(&log));
        }
    }
    return static_cast<HBRUSH>(CachedHandle());
}

void TBrush::SetHandle(HBRUSH handle) {
    Changing();
    SetCachedHandle(handle);
    Changed();
}

void TBrush::SetColor(TColor color) {
    if (color == color_ && style_ != bsClear) return;
    Changing();
    color_ = color;
    if (style_ == bsClear) style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_) return;
    Changing();
    style_ = style;
    Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
    if (bitmap == bitmap_) return;
    Changing();
    bitmap_ = bitmap;
    Changed();
}

// ---- canvas ----

TCanvas::TCanvas() : font_(new TFont), pen_(new TPen), brush_(new TBrush) {
    InitializeCriticalSection(&lock_);
    font_->ownerCanvas_ = this;
    pen_->ownerCanvas_ = this;
    brush_->ownerCanvas_ = this;
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
    delete font_;
    delete pen_;
    delete brush_;
    DeleteCriticalSection(&lock_);
}

HDC TCanvas::Handle() {
    RequireHandle();
    RequireState(stPen | stBrush | stFont);
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    if (dc_) Deselect(stPen | stBrush | stFont);
    dc_ = dc;
    state_ = 0;
    extents_.Clear();
}

void TCanvas::RequireHandle() {
    if (!dc_) CreateHandle();
    if (!dc_) throw EInvalidGraphicOperation(kNoCanvasDrawing);
}

void TCanvas::RequireState(int bits) {
    RequireHandle();
    const int missing = bits & ~state_;
    if (missing & stFont) SelectObject(dc_, font_->Handle());
    if (missing & stPen) {
        SelectObject(dc_, pen_->Handle());
        SetROP2(dc_, PenModeToRop2(pen_->Mode()));
    }
    if (missing & stBrush) {
        HBRUSH brush = brush_->Handle();
        UnrealizeObject(brush);
        SelectObject(dc_, brush);
        if (brush_->Style() == bsSolid) {
            SetBkColor(dc_, ColorToRGB(brush_->Color()));
            SetBkMode(dc_, OPAQUE);
        } else {
            SetBkColor(dc_, ~ColorToRGB(brush_->Color()) & 0xFFFFFF);
            SetBkMode(dc_, TRANSPARENT);
        }
    }
    state_ |= missing;
}

void TCanvas::Deselect(int bits) {
    const int selected = bits & state_;
    if (!dc_ || !selected) return;
    if (selected & stFont) SelectObject(dc_, GetStockObject(SYSTEM_FONT));
    if (selected & stPen) SelectObject(dc_, GetStockObject(BLACK_PEN));
    if (selected & stBrush) SelectObject(dc_, GetStockObject(HOLLOW_BRUSH));
    state_ &= ~selected;
}

void TCanvas::ObjectChanging(TGraphicsObject* object) {
    Deselect(object == font_ ? stFont : object == pen_ ? stPen : stBrush);
}

void TCanvas::Refresh() { Deselect(stPen | stBrush | stFont); }

void TCanvas::AdoptFontResolution(int pixelsPerInch) {
    if (pixelsPerInch <= 0 || pixelsPerInch == font_->PixelsPerInch()) return;
    const int size = font_->Size();
    font_->SetPixelsPerInch(pixelsPerInch);
    font_->SetSize(size);
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() {
    RequireHandle();
    POINT p{};
    GetCurrentPositionEx(dc_, &p);
    return {p.x, p.y};
}

void TCanvas::MoveTo(int x, int y) {
    RequireHandle();
    MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    RequireState(stPen | stBrush);
    ::LineTo(dc_, x, y);
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Changing();
    RequireState(stPen | stBrush);
    ::Rectangle(dc_, x1, y1, x2, y2);
    Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h) {
    Changing();
    RequireState(stPen | stBrush);
    ::RoundRect(dc_, x1, y1, x2, y2, w, h);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Changing();
    RequireState(stPen | stBrush);
    ::Ellipse(dc_, x1, y1, x2, y2);
    Changed();
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Changing();
    RequireState(stPen | stBrush);
    ::Arc(dc_, x1, y1, x2, y2, x3, y3, x4, y4);
    Changed();
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Changing();
    RequireState(stPen | stBrush);
    ::Chord(dc_, x1, y1, x2, y2, x3, y3, x4, y4);
    Changed();
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Changing();
    RequireState(stPen | stBrush);
    ::Pie(dc_, x1, y1, x2, y2, x3, y3, x4, y4);
    Changed();
}

void TCanvas::Polyline(const TPoint* points, int count) {
    Changing();
    RequireState(stPen | stBrush);
    ::Polyline(dc_, ToPOINTs(points), count);
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    Polyline(points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polygon(const TPoint* points, int count) {
    Changing();
    RequireState(stPen | stBrush);
    ::Polygon(dc_, ToPOINTs(points), count);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    Polygon(points.data(), static_cast<int>(points.size()));
}

void TCanvas::FillRect(const TRect& r) {
    Changing();
    RequireState(stBrush);
    const RECT rc = ToRECT(r);
    ::FillRect(dc_, &rc, brush_->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& r) {
    Changing();
    RequireState(stBrush);
    const RECT rc = ToRECT(r);
    ::FrameRect(dc_, &rc, brush_->Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
    Changing();
    RequireState(stBrush);
    const RECT rc = ToRECT(r);
    ::DrawFocusRect(dc_, &rc);
    Changed();
}

void TCanvas::FloodFill(int x, int y, TColor color, bool surface) {
    Changing();
    RequireState(stBrush);
    ExtFloodFill(dc_, x, y, ColorToRGB(color), surface ? FLOODFILLSURFACE : FLOODFILLBORDER);
    Changed();
}

TColor TCanvas::Pixels(int x, int y) {
    RequireHandle();
    GdiFlush();
    return static_cast<TColor>(GetPixel(dc_, x, y));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    Changing();
    RequireHandle();
    SetPixel(dc_, x, y, ColorToRGB(color));
    Changed();
}

void TCanvas::PrepareText() {
    RequireState(stFont | stBrush);
    SetTextColor(dc_, ColorToRGB(font_->Color()));
    if (brush_->Style() == bsClear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRGB(brush_->Color()));
    }
}

void TCanvas::TextOut(int x, int y, const AnsiString& text) {
    Changing();
    PrepareText();
    ExtTextOutA(dc_, x, y, textFlags_, nullptr, text.c_str(), text.Length(), nullptr);
    MoveToEx(dc_, x + TextWidth(text), y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const AnsiString& text) {
    Changing();
    PrepareText();
    const RECT rc = ToRECT(rect);
    const UINT options = ETO_CLIPPED | textFlags_ | (brush_->Style() == bsClear ? 0 : ETO_OPAQUE);
    ExtTextOutA(dc_, x, y, options, &rc, text.c_str(), text.Length(), nullptr);
    Changed();
}

TSize TCanvas::TextExtent(const AnsiString& text) {
    RequireState(stFont);
    SIZE size{};
    if (font_->HandleAdopted())
        GetTextExtentPoint32A(dc_, text.c_str(), text.Length(), &size);
    else
        size = extents_.Extent(dc_, *font_, text.c_str(), text.Length());
    return {size.cx, size.cy};
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    Changing();
    RequireState(stPen | stBrush | stFont);
    graphic->Draw(this, rect);
    Changed();
}

bool TCanvas::IsRecordingOrPrinting() {
    RequireHandle();
    const DWORD type = GetObjectType(dc_);
    return type == OBJ_ENHMETADC || type == OBJ_METADC ||
           GetDeviceCaps(dc_, TECHNOLOGY) == DT_RASPRINTER;
}

namespace {

// The BITMAPINFO (header and colour table) of a DIB section; empty when `bitmap` is not one.
std::vector<uint8_t> DIBSectionInfo(HBITMAP bitmap, const void** bits) {
    DIBSECTION section{};
    if (GetObjectA(bitmap, sizeof section, &section) != sizeof section) return {};
    const int colors = section.dsBmih.biBitCount <= 8 ? 1 << section.dsBmih.biBitCount : 0;
    const int masks = section.dsBmih.biCompression == BI_BITFIELDS ? 3 : 0;
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + (masks + colors) * sizeof(RGBQUAD));
    std::memcpy(info.data(), &section.dsBmih, sizeof(BITMAPINFOHEADER));
    auto* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    if (masks) std::memcpy(table, section.dsBitfields, sizeof section.dsBitfields);
    if (colors) {
        MemoryDC dc(bitmap);
        GetDIBColorTable(dc, 0, colors, table);
    }
    *bits = section.dsBm.bmBits;
    return info;
}

// Sends part of a DIB section to `dest` as DIB bits (for printers and metafiles).
bool StretchDIBSection(HDC dest, const TRect& destRect, HBITMAP bitmap, const TRect& sourceRect,
                       DWORD rop) {
    const void* bits = nullptr;
    const std::vector<uint8_t> info = DIBSectionInfo(bitmap, &bits);
    if (info.empty()) return false;
    GdiFlush();
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(info.data());
    const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    const int sourceY = header->biHeight > 0 ? height - sourceRect.Bottom : sourceRect.Top;
    StretchDIBits(dest, destRect.Left, destRect.Top, destRect.Width(), destRect.Height(),
                  sourceRect.Left, sourceY, sourceRect.Width(), sourceRect.Height(), bits,
                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, rop);
    return true;
}

}  // namespace

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    Changing();
    RequireState(stBrush | stFont);
    HDC sourceDC = source->Handle();
    const bool sentAsDIB =
        IsRecordingOrPrinting() &&
        StretchDIBSection(dc_, dest, static_cast<HBITMAP>(GetCurrentObject(sourceDC, OBJ_BITMAP)),
                          sourceRect, copyMode_);
    if (!sentAsDIB) {
        StretchBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), sourceDC,
                   sourceRect.Left, sourceRect.Top, sourceRect.Width(), sourceRect.Height(),
                   copyMode_);
    }
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
    if (!bitmap || bitmap->Empty()) return;
    Changing();
    RequireState(stBrush);
    const int w = source.Width(), h = source.Height();
    HDC sourceDC = bitmap->Canvas()->Handle();
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    HBITMAP work = CreateCompatibleBitmap(dc_, w, h);
    {
        MemoryDC maskDC(mask), workDC(work);
        SetBkColor(sourceDC, ColorToRGB(color));
        BitBlt(maskDC, 0, 0, w, h, sourceDC, source.Left, source.Top, SRCCOPY);
        BitBlt(workDC, 0, 0, w, h, sourceDC, source.Left, source.Top, SRCCOPY);
        HGDIOBJ oldBrush = SelectObject(workDC, brush_->Handle());
        SetBkColor(workDC, RGB(255, 255, 255));
        SetTextColor(workDC, RGB(0, 0, 0));
        const DWORD patternWhereSourceSet = 0x00E20746;
        BitBlt(workDC, 0, 0, w, h, maskDC, 0, 0, patternWhereSourceSet);
        SelectObject(workDC, oldBrush);
        StretchBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), workDC, 0, 0, w, h,
                   copyMode_);
    }
    DeleteObject(work);
    DeleteObject(mask);
    Changed();
}

TRect TCanvas::ClipRect() {
    RequireHandle();
    RECT rc{};
    GetClipBox(dc_, &rc);
    return {rc.left, rc.top, rc.right, rc.bottom};
}

void TCanvas::Lock() {
    EnterCriticalSection(&lock_);
    ++lockCount_;
}

bool TCanvas::TryLock() {
    if (!TryEnterCriticalSection(&lock_)) return false;
    ++lockCount_;
    return true;
}

void TCanvas::Unlock() {
    --lockCount_;
    LeaveCriticalSection(&lock_);
}

// ---- graphic ----

void TGraphic::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Changed(this);
}

void TGraphic::SetModified(bool modified) {
    if (modified) {
        Changed(this);
    } else {
        modified_ = false;
    }
}

void TGraphic::Changed(TObject*) {
    modified_ = true;
    if (OnChange) OnChange(this);
}

void TGraphic::Progress(TObject* sender, TProgressStage stage, uint8_t percentDone,
                        bool redrawNow, const TRect& r, const AnsiString& msg) {
    if (OnProgress) OnProgress(sender, stage, percentDone, redrawNow, r, msg);
}

void TGraphic::LoadFromFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const AnsiString& fileName) {
    TMemoryStream stream;
    SaveToStream(&stream);
    stream.SaveToFile(fileName);
}

void TGraphic::LoadFromClipboardFormat(UINT, HANDLE, HPALETTE) {
    throw EInvalidGraphic(SUnknownClipboardFormat);
}

void TGraphic::SaveToClipboardFormat(UINT&, HANDLE&, HPALETTE&) {
    throw EInvalidGraphic(SUnknownClipboardFormat);
}

void TGraphic::DefineProperties(TFiler* filer) {
    auto* ancestor = dynamic_cast<TGraphic*>(filer->Ancestor());
    filer->DefineBinaryProperty(
        "Data", [this](TStream* stream) { LoadFromStream(stream); },
        [this](TStream* stream) { SaveToStream(stream); },
        !Empty() && !(ancestor && Equals(ancestor)));
}

bool TGraphic::Equals(TGraphic* other) {
    if (!other || other->ClassType() != ClassType()) return false;
    if (Empty() || other->Empty()) return Empty() == other->Empty();
    TMemoryStream mine, theirs;
    SaveToStream(&mine);
    other->SaveToStream(&theirs);
    return mine.Size() == theirs.Size() &&
           std::memcmp(mine.Memory(), theirs.Memory(), static_cast<size_t>(mine.Size())) == 0;
}

// ---- bitmap ----

// The canvas of a bitmap: a memory DC with the bitmap's DIB section selected.
class TBitmapCanvas : public TCanvas {
    CL_CLASS(TBitmapCanvas, TCanvas)

    explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
    ~TBitmapCanvas() override { FreeDC(); }

    void FreeDC() {
        if (!dc_) return;
        HDC dc = dc_;
        SetHandle(nullptr);
        if (oldBitmap_) SelectObject(dc, oldBitmap_);
        if (oldPalette_) SelectPalette(dc, oldPalette_, TRUE);
        DeleteDC(dc);
        dc_ = nullptr;
        oldBitmap_ = nullptr;
        oldPalette_ = nullptr;
    }

protected:
    void CreateHandle() override {
        dc_ = CreateCompatibleDC(nullptr);
        if (bitmap_->dib_) oldBitmap_ = SelectObject(dc_, bitmap_->dib_);
        if (bitmap_->palette_) {
            oldPalette_ = SelectPalette(dc_, bitmap_->palette_, TRUE);
            RealizePalette(dc_);
        }
        SetHandle(dc_);
    }
    void Changed() override {
        TCanvas::Changed();
        bitmap_->Changed(this);
    }

private:
    TBitmap* bitmap_;
    HDC dc_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HPALETTE oldPalette_ = nullptr;
};

namespace {

int BitCountOf(TPixelFormat format) {
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: break;
    }
    ScreenDC screen;
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 ? bits : 32;
}

int Stride(int width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }

// The default colour tables: black and white; the 16 VGA colours; a 6x6x6 cube and 40 greys.
std::vector<RGBQUAD> DefaultColorTable(int bitCount) {
    std::vector<RGBQUAD> table;
    auto add = [&table](int r, int g, int b) {
        table.push_back({static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0});
    };
    if (bitCount == 1) {
        add(0, 0, 0);
        add(255, 255, 255);
    } else if (bitCount == 4) {
        static const TColor vga[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple,
                                       clTeal, clGray, clSilver, clRed, clLime, clYellow,
                                       clBlue, clFuchsia, clAqua, clWhite};
        for (TColor c : vga) add(GetRValue(c), GetGValue(c), GetBValue(c));
    } else if (bitCount == 8) {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b) add(r * 51, g * 51, b * 51);
        for (int i = 0; i < 40; ++i) add(i * 255 / 39, i * 255 / 39, i * 255 / 39);
    }
    return table;
}

// Header, masks and colour table of a bottom-up DIB in our layout.
std::vector<uint8_t> MakeDIBInfo(int width, int height, TPixelFormat format,
                                 const std::vector<RGBQUAD>& colors) {
    const int bitCount = BitCountOf(format);
    const bool bitfields = format == pf16bit || (format == pfDevice && bitCount == 16);
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) +
                              (bitfields ? 3 * sizeof(DWORD) : colors.size() * sizeof(RGBQUAD)));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = static_cast<WORD>(bitCount);
    header->biCompression = bitfields ? BI_BITFIELDS : BI_RGB;
    header->biSizeImage = static_cast<DWORD>(Stride(width, bitCount) * height);
    header->biClrUsed = static_cast<DWORD>(colors.size());
    uint8_t* tail = info.data() + sizeof(BITMAPINFOHEADER);
    if (bitfields) {
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(tail, masks, sizeof masks);
    } else if (!colors.empty()) {
        std::memcpy(tail, colors.data(), colors.size() * sizeof(RGBQUAD));
    }
    return info;
}

std::vector<RGBQUAD> ColorTableOf(const std::vector<uint8_t>& info) {
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(info.data());
    if (header->biBitCount > 8) return {};
    const auto* table = reinterpret_cast<const RGBQUAD*>(info.data() + header->biSize);
    return std::vector<RGBQUAD>(table, table + (1 << header->biBitCount));
}

HBITMAP CreateDIB(const std::vector<uint8_t>& info, void** bits) {
    HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()),
                                   DIB_RGB_COLORS, bits, nullptr, 0);
    if (!dib) throw EOutOfResources(SOutOfResources);
    return dib;
}

TPixelFormat PixelFormatOf(const BITMAPINFOHEADER& header, const DWORD* masks) {
    switch (header.biBitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return masks && masks[1] == 0x07E0 ? pf16bit : pf15bit;
    case 24: return pf24bit;
    default: return pf32bit;
    }
}

// A parsed packed DIB: its header in BITMAPINFOHEADER form, masks, colour table and bits.
struct ParsedDIB {
    BITMAPINFOHEADER header{};
    DWORD masks[3] = {0, 0, 0};
    std::vector<RGBQUAD> colors;
    const uint8_t* bits = nullptr;
    size_t bitsSize = 0;
};

uint32_t ReadU32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// `bitsOffset` is where the pixels start, counted from `data` (0: right after the colours).
bool ParseDIB(const uint8_t* data, size_t size, size_t bitsOffset, ParsedDIB& dib) {
    if (size < 12) return false;
    const uint32_t headerSize = ReadU32(data);
    size_t tableOffset = headerSize;
    int entrySize = 4;
    BITMAPINFOHEADER& h = dib.header;
    if (headerSize == 12) {
        h.biWidth = ReadU16(data + 4);
        h.biHeight = ReadU16(data + 6);
        h.biPlanes = ReadU16(data + 8);
        h.biBitCount = ReadU16(data + 10);
        h.biCompression = BI_RGB;
        entrySize = 3;
    } else if (headerSize >= 40 && headerSize <= size) {
        std::memcpy(&h, data, sizeof h);
        if (h.biCompression == BI_BITFIELDS) {
            if (headerSize == 40) tableOffset += 12;
            if (tableOffset > size || 40 + 12 > size) return false;
            std::memcpy(dib.masks, data + 40, sizeof dib.masks);
        }
    } else {
        return false;
    }
    h.biSize = sizeof(BITMAPINFOHEADER);
    const int bitCount = h.biBitCount;
    const bool knownDepth = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
                            bitCount == 24 || bitCount == 32;
    const long long height = h.biHeight < 0 ? -static_cast<long long>(h.biHeight) : h.biHeight;
    if (!knownDepth || h.biPlanes != 1 || h.biWidth <= 0 || height == 0 || h.biWidth > 65535 ||
        height > 65535) {
        return false;
    }
    const bool rle = (h.biCompression == BI_RLE8 && bitCount == 8) ||
                     (h.biCompression == BI_RLE4 && bitCount == 4);
    const bool plain = h.biCompression == BI_RGB ||
                       (h.biCompression == BI_BITFIELDS && (bitCount == 16 || bitCount == 32));
    if (!rle && !plain) return false;
    if (bitCount <= 8) {
        const uint32_t count = h.biClrUsed && h.biClrUsed <= (1u << bitCount) ? h.biClrUsed
                                                                               : 1u << bitCount;
        if (tableOffset + count * entrySize > size) return false;
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* e = data + tableOffset + i * entrySize;
            dib.colors.push_back({e[0], e[1], e[2], 0});
        }
        dib.colors.resize(1u << bitCount, RGBQUAD{0, 0, 0, 0});
        tableOffset += count * entrySize;
    } else if (headerSize >= 40) {
        tableOffset += static_cast<size_t>(h.biClrUsed) * 4;
    }
    const size_t offset = bitsOffset ? bitsOffset : tableOffset;
    if (offset > size) return false;
    dib.bits = data + offset;
    dib.bitsSize = size - offset;
    const size_t needed = static_cast<size_t>(Stride(h.biWidth, bitCount)) * height;
    if (plain && dib.bitsSize < needed) return false;
    if (rle && (dib.bitsSize == 0 || (h.biSizeImage && h.biSizeImage > dib.bitsSize))) return false;
    h.biClrUsed = static_cast<DWORD>(dib.colors.size());
    return true;
}

// Writes the pixels of `source` into `bits` as indices of the nearest colours of the table in
// `info` (GDI's own mapping to palettes is approximate).
void MapToColorTable(HBITMAP source, int width, int height, const std::vector<uint8_t>& info,
                     void* bits) {
    BITMAPINFOHEADER wide{};
    wide.biSize = sizeof wide;
    wide.biWidth = width;
    wide.biHeight = height;
    wide.biPlanes = 1;
    wide.biBitCount = 32;
    wide.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    {
        ScreenDC screen;
        GetDIBits(screen, source, 0, height, pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&wide), DIB_RGB_COLORS);
    }
    const std::vector<RGBQUAD> table = ColorTableOf(info);
    const int bitCount = reinterpret_cast<const BITMAPINFOHEADER*>(info.data())->biBitCount;
    const int stride = Stride(width, bitCount);
    std::unordered_map<uint32_t, uint8_t> nearest;
    auto indexOf = [&](uint32_t pixel) {
        auto found = nearest.find(pixel);
        if (found != nearest.end()) return found->second;
        const int b = pixel & 0xFF, g = (pixel >> 8) & 0xFF, r = (pixel >> 16) & 0xFF;
        int best = 0, bestDistance = INT_MAX;
        for (size_t i = 0; i < table.size(); ++i) {
            const int db = table[i].rgbBlue - b, dg = table[i].rgbGreen - g,
                      dr = table[i].rgbRed - r;
            const int distance = db * db + dg * dg + dr * dr;
            if (distance < bestDistance) {
                best = static_cast<int>(i);
                bestDistance = distance;
            }
        }
        return nearest[pixel] = static_cast<uint8_t>(best);
    };
    auto* out = static_cast<uint8_t*>(bits);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = out + static_cast<size_t>(y) * stride;
        std::memset(row, 0, stride);
        for (int x = 0; x < width; ++x) {
            const int index = indexOf(pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF);
            const int bit = x * bitCount;
            row[bit / 8] |= static_cast<uint8_t>(index << (8 - bitCount - bit % 8));
        }
    }
}

// The .ico file of one 32-bit image, colour (with alpha) and AND mask, read back from a colour
// icon's bitmaps.
std::vector<uint8_t> IconFileOf(HICON icon, int width, int height) {
    ICONINFO parts{};
    if (!GetIconInfo(icon, &parts)) throw EInvalidGraphic(kInvalidIcon);
    if (!parts.hbmColor) {
        DeleteObject(parts.hbmMask);
        throw EInvalidGraphic(kInvalidIcon);
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    std::vector<uint8_t> color(static_cast<size_t>(width) * height * 4);
    const int maskStride = Stride(width, 1);
    std::vector<uint8_t> mask(static_cast<size_t>(maskStride) * height);
    {
        ScreenDC screen;
        BITMAPINFOHEADER request = header;
        GetDIBits(screen, parts.hbmColor, 0, height, color.data(),
                  reinterpret_cast<BITMAPINFO*>(&request), DIB_RGB_COLORS);
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[2];
        } monochrome{header, {{0, 0, 0, 0}, {255, 255, 255, 0}}};
        monochrome.header.biBitCount = 1;
        GetDIBits(screen, parts.hbmMask, 0, height, mask.data(),
                  reinterpret_cast<BITMAPINFO*>(&monochrome), DIB_RGB_COLORS);
    }
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    bool hasAlpha = false;
    for (size_t i = 3; i < color.size() && !hasAlpha; i += 4) hasAlpha = color[i] != 0;
    for (int y = 0; y < height && !hasAlpha; ++y)
        for (int x = 0; x < width; ++x) {
            const bool transparent = mask[y * maskStride + x / 8] & (0x80 >> (x % 8));
            color[(static_cast<size_t>(y) * width + x) * 4 + 3] = transparent ? 0 : 255;
        }
    header.biHeight = height * 2;
    const uint32_t imageSize = static_cast<uint32_t>(sizeof header + color.size() + mask.size());
    const size_t imageOffset = 6 + 16;
    std::vector<uint8_t> file(imageOffset + imageSize);
    auto put16 = [&file](size_t at, uint16_t v) { std::memcpy(&file[at], &v, 2); };
    auto put32 = [&file](size_t at, uint32_t v) { std::memcpy(&file[at], &v, 4); };
    put16(2, 1);
    put16(4, 1);
    file[6] = static_cast<uint8_t>(width < 256 ? width : 0);
    file[7] = static_cast<uint8_t>(height < 256 ? height : 0);
    put16(10, 1);
    put16(12, 32);
    put32(14, imageSize);
    put32(18, imageOffset);
    uint8_t* image = file.data() + imageOffset;
    std::memcpy(image, &header, sizeof header);
    std::memcpy(image + sizeof header, color.data(), color.size());
    std::memcpy(image + sizeof header + color.size(), mask.data(), mask.size());
    return file;
}

// Converts compressed or unusually masked pixels into `dib` through GDI.
bool DecodeInto(HBITMAP dib, const ParsedDIB& parsed, int height) {
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD) +
                              parsed.colors.size() * sizeof(RGBQUAD));
    BITMAPINFOHEADER header = parsed.header;
    const bool rle = header.biCompression == BI_RLE8 || header.biCompression == BI_RLE4;
    header.biSizeImage = rle ? static_cast<DWORD>(parsed.bitsSize) : 0;
    std::memcpy(info.data(), &header, sizeof header);
    uint8_t* tail = info.data() + sizeof header;
    if (header.biCompression == BI_BITFIELDS) {
        std::memcpy(tail, parsed.masks, sizeof parsed.masks);
    } else if (!parsed.colors.empty()) {
        std::memcpy(tail, parsed.colors.data(), parsed.colors.size() * sizeof(RGBQUAD));
    }
    ScreenDC screen;
    return SetDIBits(screen, dib, 0, height, parsed.bits,
                     reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS) != 0;
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    delete canvas_;
    FreeMask();
    if (dib_) DeleteObject(dib_);
    if (palette_) DeleteObject(palette_);
}

TCanvas* TBitmap::Canvas() {
    if (!canvas_) canvas_ = new TBitmapCanvas(this);
    return canvas_;
}

void TBitmap::ReleaseCanvasDC() {
    if (canvas_) canvas_->FreeDC();
}

void TBitmap::FreeMask() {
    if (mask_) DeleteObject(mask_);
    mask_ = nullptr;
}

void TBitmap::Dormant() { ReleaseCanvasDC(); }

void TBitmap::Changed(TObject* sender) {
    FreeMask();
    TGraphic::Changed(sender);
}

void TBitmap::Replace(HBITMAP dib, int width, int height, TPixelFormat format) {
    ReleaseCanvasDC();
    FreeMask();
    if (dib_) DeleteObject(dib_);
    if (palette_) DeleteObject(palette_);
    palette_ = nullptr;
    dib_ = dib;
    width_ = dib ? width : 0;
    height_ = dib ? height : 0;
    pixelFormat_ = format;
    if (!dib) {
        info_.clear();
        bits_ = nullptr;
    }
    Changed(this);
}

const BITMAPINFO* TBitmap::Info() { return reinterpret_cast<const BITMAPINFO*>(info_.data()); }

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    if (width == 0 || height == 0) {
        Replace(nullptr, 0, 0, pixelFormat_);
        return;
    }
    const std::vector<RGBQUAD> colors =
        dib_ ? ColorTableOf(info_) : DefaultColorTable(BitCountOf(pixelFormat_));
    std::vector<uint8_t> info = MakeDIBInfo(width, height, pixelFormat_, colors);
    void* bits = nullptr;
    HBITMAP dib = CreateDIB(info, &bits);
    if (dib_) {
        ReleaseCanvasDC();
        MemoryDC from(dib_), to(dib);
        BitBlt(to, 0, 0, std::min(width, width_), std::min(height, height_), from, 0, 0, SRCCOPY);
    }
    Replace(dib, width, height, pixelFormat_);
    info_ = std::move(info);
    bits_ = bits;
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == pixelFormat_ || format == pfCustom) return;
    if (!dib_) {
        pixelFormat_ = format;
        return;
    }
    std::vector<uint8_t> info =
        MakeDIBInfo(width_, height_, format, DefaultColorTable(BitCountOf(format)));
    void* bits = nullptr;
    HBITMAP dib = CreateDIB(info, &bits);
    ReleaseCanvasDC();
    GdiFlush();
    if (BitCountOf(format) <= 8) {
        MapToColorTable(dib_, width_, height_, info, bits);
    } else {
        MemoryDC to(dib);
        SetDIBitsToDevice(to, 0, 0, width_, height_, 0, 0, 0, height_, bits_, Info(),
                          DIB_RGB_COLORS);
    }
    Replace(dib, width_, height_, format);
    info_ = std::move(info);
    bits_ = bits;
}

void TBitmap::SetMonochrome(bool monochrome) {
    if (monochrome != Monochrome()) SetPixelFormat(monochrome ? pf1bit : pfDevice);
}

int TBitmap::BytesPerScanLine() const {
    if (info_.empty()) return 0;
    return Stride(width_, reinterpret_cast<const BITMAPINFOHEADER*>(info_.data())->biBitCount);
}

void* TBitmap::ScanLine(int row) {
    if (!dib_ || row < 0 || row >= height_) throw EInvalidGraphicOperation(SScanLine);
    GdiFlush();
    return static_cast<uint8_t*>(bits_) +
           static_cast<size_t>(height_ - 1 - row) * BytesPerScanLine();
}

HPALETTE TBitmap::Palette() {
    if (!palette_ && dib_ && BitCountOf(pixelFormat_) <= 8) {
        const std::vector<RGBQUAD> colors = ColorTableOf(info_);
        std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + colors.size() * sizeof(PALETTEENTRY));
        auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
        log->palVersion = 0x300;
        log->palNumEntries = static_cast<WORD>(colors.size());
        for (size_t i = 0; i < colors.size(); ++i) {
            log->palPalEntry[i] = {colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
        }
        palette_ = CreatePalette(log);
    }
    return palette_;
}

void TBitmap::SetPalette(HPALETTE palette) {
    if (palette == palette_) return;
    ReleaseCanvasDC();
    if (palette_) DeleteObject(palette_);
    palette_ = palette;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(info_.data());
    if (palette && dib_ && header->biBitCount <= 8) {
        std::vector<PALETTEENTRY> entries(1u << header->biBitCount);
        const UINT count = GetPaletteEntries(palette, 0, static_cast<UINT>(entries.size()),
                                             entries.data());
        auto* table = reinterpret_cast<RGBQUAD*>(info_.data() + header->biSize);
        for (UINT i = 0; i < count; ++i) {
            table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
        }
        MemoryDC dc(dib_);
        SetDIBColorTable(dc, 0, count, table);
    }
    Changed(this);
}

TColor TBitmap::TransparentColor() {
    if (transparentMode_ == tmFixed || !dib_) return transparentColor_;
    return Canvas()->Pixels(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? tmAuto : tmFixed;
    Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == transparentMode_) return;
    if (mode == tmAuto) {
        SetTransparentColor(clDefault);
    } else {
        SetTransparentColor(TransparentColor());
    }
}

HBITMAP TBitmap::MaskHandle() {
    if (!mask_ && dib_) {
        mask_ = CreateBitmap(width_, height_, 1, 1, nullptr);
        HDC source = Canvas()->Handle();
        MemoryDC mask(mask_);
        SetBkColor(source, ColorToRGB(TransparentColor()));
        BitBlt(mask, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
    }
    return mask_;
}

void TBitmap::SetHandle(HBITMAP handle) {
    if (handle == dib_) return;
    if (!handle) {
        Replace(nullptr, 0, 0, pixelFormat_);
        return;
    }
    const void* bits = nullptr;
    std::vector<uint8_t> info = DIBSectionInfo(handle, &bits);
    if (info.empty()) {
        BITMAP ddb{};
        GetObjectA(handle, sizeof ddb, &ddb);
        std::vector<uint8_t> converted =
            MakeDIBInfo(ddb.bmWidth, ddb.bmHeight, pfDevice, DefaultColorTable(BitCountOf(pfDevice)));
        void* newBits = nullptr;
        HBITMAP dib = CreateDIB(converted, &newBits);
        {
            MemoryDC from(handle), to(dib);
            BitBlt(to, 0, 0, ddb.bmWidth, ddb.bmHeight, from, 0, 0, SRCCOPY);
        }
        DeleteObject(handle);
        Replace(dib, ddb.bmWidth, ddb.bmHeight, pfDevice);
        info_ = std::move(converted);
        bits_ = newBits;
        return;
    }
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(info.data());
    const auto* masks = header->biCompression == BI_BITFIELDS
                            ? reinterpret_cast<const DWORD*>(info.data() + sizeof(BITMAPINFOHEADER))
                            : nullptr;
    const int width = header->biWidth;
    const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    const TPixelFormat format = PixelFormatOf(*header, masks);
    // Copied into a DIB of our own: the system does not tell a top-down section from a
    // bottom-up one, and ScanLine and the BMP writer need bottom-up rows.
    reinterpret_cast<BITMAPINFOHEADER*>(info.data())->biHeight = height;
    void* rows = nullptr;
    HBITMAP upright = CreateDIB(info, &rows);
    {
        ScreenDC screen;
        std::vector<uint8_t> request = info;
        GetDIBits(screen, handle, 0, height, rows, reinterpret_cast<BITMAPINFO*>(request.data()),
                  DIB_RGB_COLORS);
    }
    DeleteObject(handle);
    Replace(upright, width, height, format);
    info_ = std::move(info);
    bits_ = rows;
}

HBITMAP TBitmap::ReleaseHandle() {
    ReleaseCanvasDC();
    HBITMAP handle = dib_;
    dib_ = nullptr;
    Replace(nullptr, 0, 0, pixelFormat_);
    return handle;
}

void TBitmap::Assign(TPersistent* source) {
    if (!source) {
        Replace(nullptr, 0, 0, pixelFormat_);
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        if (bitmap == this) return;
        transparentColor_ = bitmap->transparentColor_;
        transparentMode_ = bitmap->transparentMode_;
        TGraphic::SetTransparent(bitmap->Transparent());
        if (bitmap->Empty()) {
            Replace(nullptr, 0, 0, bitmap->pixelFormat_);
            return;
        }
        GdiFlush();
        std::vector<uint8_t> info = bitmap->info_;
        void* bits = nullptr;
        HBITMAP dib = CreateDIB(info, &bits);
        std::memcpy(bits, bitmap->bits_,
                    static_cast<size_t>(bitmap->BytesPerScanLine()) * bitmap->height_);
        Replace(dib, bitmap->width_, bitmap->height_, bitmap->pixelFormat_);
        info_ = std::move(info);
        bits_ = bits;
        return;
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        SetSize(graphic->Width(), graphic->Height());
        if (Empty()) return;
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->FillRect(Rect(0, 0, width_, height_));
        Canvas()->Draw(0, 0, graphic);
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::Draw(TCanvas* canvas, const TRect& rect) {
    HDC dest = canvas->Handle();
    HPALETTE oldPalette = palette_ ? SelectPalette(dest, palette_, TRUE) : nullptr;
    if (palette_) RealizePalette(dest);
    const int oldStretchMode =
        Monochrome() ? 0 : SetStretchBltMode(dest, COLORONCOLOR);
    const TRect whole = Rect(0, 0, width_, height_);
    if (Transparent()) {
        HDC source = Canvas()->Handle();
        TransparentBlt(dest, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0,
                       width_, height_, static_cast<UINT>(ColorToRGB(TransparentColor())));
    } else if (!canvas->IsRecordingOrPrinting() ||
               !StretchDIBSection(dest, rect, dib_, whole, canvas->CopyMode())) {
        HDC source = Canvas()->Handle();
        StretchBlt(dest, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, width_,
                   height_, canvas->CopyMode());
    }
    if (oldStretchMode) SetStretchBltMode(dest, oldStretchMode);
    if (oldPalette) SelectPalette(dest, oldPalette, TRUE);
}

void TBitmap::LoadFromDIB(const void* packedDIB, size_t size) {
    ParsedDIB parsed;
    if (!ParseDIB(static_cast<const uint8_t*>(packedDIB), size, 0, parsed)) {
        throw EInvalidGraphic(SInvalidBitmap);
    }
    LoadParsedDIB(&parsed);
}

void TBitmap::LoadParsedDIB(const void* parsedDIB) {
    const ParsedDIB& parsed = *static_cast<const ParsedDIB*>(parsedDIB);
    const BITMAPINFOHEADER& h = parsed.header;
    const int width = h.biWidth;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    const bool rle = h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4;
    const DWORD* m = parsed.masks;
    const bool standardMasks = h.biCompression != BI_BITFIELDS ||
                              (m[0] == 0xF800 && m[1] == 0x07E0 && m[2] == 0x001F) ||
                              (m[0] == 0x7C00 && m[1] == 0x03E0 && m[2] == 0x001F) ||
                              (m[0] == 0xFF0000 && m[1] == 0xFF00 && m[2] == 0xFF);
    const TPixelFormat format =
        standardMasks ? PixelFormatOf(h, h.biCompression == BI_BITFIELDS ? m : nullptr) : pf32bit;
    std::vector<uint8_t> info = MakeDIBInfo(width, height, format, parsed.colors);
    void* bits = nullptr;
    HBITMAP dib = CreateDIB(info, &bits);
    const size_t stride = static_cast<size_t>(Stride(width, h.biBitCount));
    if (!rle && standardMasks) {
        for (int row = 0; row < height; ++row) {
            const int sourceRow = h.biHeight > 0 ? row : height - 1 - row;
            std::memcpy(static_cast<uint8_t*>(bits) + row * stride,
                        parsed.bits + sourceRow * stride, stride);
        }
    } else if (!DecodeInto(dib, parsed, height)) {
        DeleteObject(dib);
        throw EInvalidGraphic(SInvalidBitmap);
    }
    Replace(dib, width, height, format);
    info_ = std::move(info);
    bits_ = bits;
}

void TBitmap::LoadFromStream(TStream* stream) {
    BITMAPFILEHEADER fileHeader{};
    const int64_t available = stream->Size() - stream->Position();
    if (available < static_cast<int64_t>(sizeof fileHeader)) throw EInvalidGraphic(SInvalidBitmap);
    stream->ReadBuffer(&fileHeader, sizeof fileHeader);
    const int64_t rest = available - static_cast<int64_t>(sizeof fileHeader);
    if (fileHeader.bfType != 0x4D42 || rest <= 0 || rest > 0x7FFFFFFF ||
        fileHeader.bfOffBits < sizeof fileHeader) {
        throw EInvalidGraphic(SInvalidBitmap);
    }
    const int64_t declared = static_cast<int64_t>(fileHeader.bfSize) - sizeof fileHeader;
    const int64_t length = declared > 0 && declared <= rest ? declared : rest;
    std::vector<uint8_t> data(static_cast<size_t>(length));
    stream->ReadBuffer(data.data(), static_cast<int>(length));
    ParsedDIB parsed;
    if (!ParseDIB(data.data(), data.size(), fileHeader.bfOffBits - sizeof fileHeader, parsed)) {
        throw EInvalidGraphic(SInvalidBitmap);
    }
    LoadParsedDIB(&parsed);
}

void TBitmap::SaveToStream(TStream* stream) {
    if (!dib_) return;
    GdiFlush();
    const size_t imageSize = static_cast<size_t>(BytesPerScanLine()) * height_;
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = static_cast<DWORD>(sizeof fileHeader + info_.size());
    fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + imageSize);
    stream->WriteBuffer(&fileHeader, sizeof fileHeader);
    stream->WriteBuffer(info_.data(), static_cast<int>(info_.size()));
    stream->WriteBuffer(bits_, static_cast<int>(imageSize));
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const AnsiString& name) {
    LoadFromResource(instance, name.c_str(), name);
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
    LoadFromResource(instance, MAKEINTRESOURCEA(id), IntToStr(id));
}

void TBitmap::LoadFromResource(HINSTANCE instance, const char* name, const AnsiString& shownName) {
    HRSRC found = FindResourceA(instance, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) throw EResNotFound("Resource " + shownName + " not found");
    LoadFromDIB(data, SizeofResource(instance, found));
}

void TBitmap::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
    format = CF_BITMAP;
    data = nullptr;
    palette = nullptr;
    if (!dib_) return;
    GdiFlush();
    ScreenDC screen;
    HBITMAP copy = CreateCompatibleBitmap(screen, width_, height_);
    {
        MemoryDC to(copy);
        SetDIBitsToDevice(to, 0, 0, width_, height_, 0, 0, 0, height_, bits_, Info(),
                          DIB_RGB_COLORS);
    }
    data = copy;
    if (Palette()) {
        PALETTEENTRY entries[256];
        const UINT count = GetPaletteEntries(palette_, 0, 256, entries);
        std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
        auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
        log->palVersion = 0x300;
        log->palNumEntries = static_cast<WORD>(count);
        std::memcpy(log->palPalEntry, entries, count * sizeof(PALETTEENTRY));
        palette = CreatePalette(log);
    }
}

void TBitmap::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE) {
    if (format == CF_DIB && data) {
        const void* packed = GlobalLock(data);
        const SIZE_T size = GlobalSize(data);
        try {
            LoadFromDIB(packed, size);
        } catch (...) {
            GlobalUnlock(data);
            throw;
        }
        GlobalUnlock(data);
        return;
    }
    BITMAP ddb{};
    if (format != CF_BITMAP || !data || !GetObjectA(data, sizeof ddb, &ddb)) {
        throw EInvalidGraphic(SUnknownClipboardFormat);
    }
    std::vector<uint8_t> info =
        MakeDIBInfo(ddb.bmWidth, ddb.bmHeight, pfDevice, DefaultColorTable(BitCountOf(pfDevice)));
    void* bits = nullptr;
    HBITMAP dib = CreateDIB(info, &bits);
    {
        MemoryDC from(data), to(dib);
        BitBlt(to, 0, 0, ddb.bmWidth, ddb.bmHeight, from, 0, 0, SRCCOPY);
    }
    Replace(dib, ddb.bmWidth, ddb.bmHeight, pfDevice);
    info_ = std::move(info);
    bits_ = bits;
}

// ---- icon ----

TIcon::~TIcon() { Clear(); }

void TIcon::Clear() {
    if (icon_) DestroyIcon(icon_);
    icon_ = nullptr;
    fileBytes_.clear();
}

void TIcon::SetWidth(int width) {
    if (!icon_) width_ = width;
}

void TIcon::SetHeight(int height) {
    if (!icon_) height_ = height;
}

void TIcon::SetHandle(HICON icon) {
    if (icon == icon_) return;
    Clear();
    icon_ = icon;
    ICONINFO info{};
    if (icon && GetIconInfo(icon, &info)) {
        BITMAP bitmap{};
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        width_ = bitmap.bmWidth;
        height_ = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    Changed(this);
}

HICON TIcon::ReleaseHandle() {
    HICON icon = icon_;
    icon_ = nullptr;
    Clear();
    Changed(this);
    return icon;
}

void TIcon::Assign(TPersistent* source) {
    if (!source) {
        SetHandle(nullptr);
        return;
    }
    if (auto* icon = dynamic_cast<TIcon*>(source)) {
        if (icon == this) return;
        const std::vector<uint8_t> bytes = icon->fileBytes_;
        SetHandle(icon->icon_ ? CopyIcon(icon->icon_) : nullptr);
        fileBytes_ = bytes;
        return;
    }
    TGraphic::Assign(source);
}

void TIcon::LoadFromStream(TStream* stream) {
    const int64_t length = stream->Size() - stream->Position();
    if (length < 6 + 16 || length > 0x7FFFFFFF) throw EInvalidGraphic(kInvalidIcon);
    std::vector<uint8_t> data(static_cast<size_t>(length));
    stream->ReadBuffer(data.data(), static_cast<int>(length));
    const int count = ReadU16(data.data() + 4);
    if (ReadU16(data.data()) != 0 || ReadU16(data.data() + 2) != 1 || count == 0 ||
        6 + 16 * static_cast<size_t>(count) > data.size()) {
        throw EInvalidGraphic(kInvalidIcon);
    }
    // The largest image, and of those the deepest.
    int best = -1, bestArea = -1, bestDepth = -1;
    for (int i = 0; i < count; ++i) {
        const uint8_t* entry = data.data() + 6 + 16 * i;
        const int w = entry[0] ? entry[0] : 256, h = entry[1] ? entry[1] : 256;
        const int depth = ReadU16(entry + 6);
        if (w * h > bestArea || (w * h == bestArea && depth > bestDepth)) {
            best = i;
            bestArea = w * h;
            bestDepth = depth;
        }
    }
    const uint8_t* entry = data.data() + 6 + 16 * best;
    const uint32_t size = ReadU32(entry + 8), offset = ReadU32(entry + 12);
    if (offset >= data.size() || size > data.size() - offset) throw EInvalidGraphic(kInvalidIcon);
    const int w = entry[0] ? entry[0] : 256, h = entry[1] ? entry[1] : 256;
    HICON icon = CreateIconFromResourceEx(data.data() + offset, size, TRUE, 0x00030000, w, h,
                                          LR_DEFAULTCOLOR);
    if (!icon) throw EInvalidGraphic(kInvalidIcon);
    SetHandle(icon);
    fileBytes_ = std::move(data);
}

void TIcon::SaveToStream(TStream* stream) {
    if (!icon_) return;
    if (fileBytes_.empty()) fileBytes_ = IconFileOf(icon_, width_, height_);
    stream->WriteBuffer(fileBytes_.data(), static_cast<int>(fileBytes_.size()));
}

void TIcon::Draw(TCanvas* canvas, const TRect& rect) {
    DrawIconEx(canvas->Handle(), rect.Left, rect.Top, icon_, rect.Width(), rect.Height(), 0,
               nullptr, DI_NORMAL);
}

// ---- metafile ----

TMetafile::~TMetafile() { Clear(); }

void TMetafile::Clear() {
    if (handle_) DeleteEnhMetaFile(handle_);
    handle_ = nullptr;
}

int TMetafile::Width() const { return MulDiv(mmWidth_, ScreenPixelsPerInch(), 2540); }
int TMetafile::Height() const { return MulDiv(mmHeight_, ScreenPixelsPerInch(), 2540); }
void TMetafile::SetWidth(int width) { SetMMWidth(MulDiv(width, 2540, ScreenPixelsPerInch())); }
void TMetafile::SetHeight(int height) { SetMMHeight(MulDiv(height, 2540, ScreenPixelsPerInch())); }

void TMetafile::SetMMWidth(int mmWidth) {
    if (mmWidth == mmWidth_) return;
    mmWidth_ = mmWidth;
    Changed(this);
}

void TMetafile::SetMMHeight(int mmHeight) {
    if (mmHeight == mmHeight_) return;
    mmHeight_ = mmHeight;
    Changed(this);
}

void TMetafile::SetHandle(HENHMETAFILE handle) {
    if (handle == handle_) return;
    Clear();
    handle_ = handle;
    ENHMETAHEADER header{};
    if (handle && GetEnhMetaFileHeader(handle, sizeof header, &header)) {
        mmWidth_ = header.rclFrame.right - header.rclFrame.left;
        mmHeight_ = header.rclFrame.bottom - header.rclFrame.top;
    }
    Changed(this);
}

HENHMETAFILE TMetafile::ReleaseHandle() {
    HENHMETAFILE handle = handle_;
    handle_ = nullptr;
    Changed(this);
    return handle;
}

void TMetafile::Assign(TPersistent* source) {
    if (!source) {
        SetHandle(nullptr);
        return;
    }
    if (auto* metafile = dynamic_cast<TMetafile*>(source)) {
        if (metafile == this) return;
        SetHandle(metafile->handle_ ? CopyEnhMetaFileA(metafile->handle_, nullptr) : nullptr);
        mmWidth_ = metafile->mmWidth_;
        mmHeight_ = metafile->mmHeight_;
        enhanced_ = metafile->enhanced_;
        return;
    }
    TGraphic::Assign(source);
}

void TMetafile::LoadFromStream(TStream* stream) {
    const int64_t length = stream->Size() - stream->Position();
    if (length < 18 || length > 0x7FFFFFFF) throw EInvalidGraphic(kInvalidMetafile);
    std::vector<uint8_t> data(static_cast<size_t>(length));
    stream->ReadBuffer(data.data(), static_cast<int>(length));
    HENHMETAFILE handle = nullptr;
    const uint32_t placeableKey = 0x9AC6CDD7;
    if (data.size() >= 88 && ReadU32(data.data()) == EMR_HEADER &&
        ReadU32(data.data() + 40) == ENHMETA_SIGNATURE) {
        handle = SetEnhMetaFileBits(static_cast<UINT>(data.size()), data.data());
    } else if (data.size() > 22 + 18 && ReadU32(data.data()) == placeableKey) {
        const int16_t left = static_cast<int16_t>(ReadU16(data.data() + 6));
        const int16_t top = static_cast<int16_t>(ReadU16(data.data() + 8));
        const int16_t right = static_cast<int16_t>(ReadU16(data.data() + 10));
        const int16_t bottom = static_cast<int16_t>(ReadU16(data.data() + 12));
        const int unitsPerInch = ReadU16(data.data() + 14);
        METAFILEPICT picture{MM_ANISOTROPIC, 0, 0, nullptr};
        if (unitsPerInch > 0) {
            picture.xExt = MulDiv(right - left, 2540, unitsPerInch);
            picture.yExt = MulDiv(bottom - top, 2540, unitsPerInch);
        }
        handle = SetWinMetaFileBits(static_cast<UINT>(data.size() - 22), data.data() + 22,
                                    nullptr, &picture);
    } else if (ReadU16(data.data() + 2) == 9) {
        handle = SetWinMetaFileBits(static_cast<UINT>(data.size()), data.data(), nullptr, nullptr);
    }
    if (!handle) throw EInvalidGraphic(kInvalidMetafile);
    SetHandle(handle);
}

void TMetafile::SaveToStream(TStream* stream) {
    if (!handle_) return;
    const UINT size = GetEnhMetaFileBits(handle_, 0, nullptr);
    std::vector<uint8_t> data(size);
    GetEnhMetaFileBits(handle_, size, data.data());
    stream->WriteBuffer(data.data(), static_cast<int>(size));
}

void TMetafile::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
    format = CF_ENHMETAFILE;
    data = handle_ ? CopyEnhMetaFileA(handle_, nullptr) : nullptr;
    palette = nullptr;
}

void TMetafile::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE) {
    if (format != CF_ENHMETAFILE || !data) throw EInvalidGraphic(SUnknownClipboardFormat);
    SetHandle(CopyEnhMetaFileA(static_cast<HENHMETAFILE>(data), nullptr));
}

void TMetafile::Draw(TCanvas* canvas, const TRect& rect) {
    const RECT rc = ToRECT(rect);
    PlayEnhMetaFile(canvas->Handle(), handle_, &rc);
}

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, HDC referenceDC) : metafile_(metafile) {
    const RECT frame{0, 0, metafile->MMWidth(), metafile->MMHeight()};
    const bool framed = frame.right > 0 && frame.bottom > 0;
    recordingDC_ = CreateEnhMetaFileA(referenceDC, nullptr, framed ? &frame : nullptr, nullptr);
    if (!recordingDC_) throw EOutOfResources(SOutOfResources);
    SetHandle(recordingDC_);
    if (referenceDC) {
        AdoptFontResolution(GetDeviceCaps(referenceDC, LOGPIXELSY));
    } else {
        AdoptFontResolution(ScreenPixelsPerInch());
    }
}

TMetafileCanvas::~TMetafileCanvas() {
    SetHandle(nullptr);
    const int mmWidth = metafile_->MMWidth(), mmHeight = metafile_->MMHeight();
    metafile_->SetHandle(CloseEnhMetaFile(recordingDC_));
    if (mmWidth > 0 && mmHeight > 0) {
        metafile_->SetMMWidth(mmWidth);
        metafile_->SetMMHeight(mmHeight);
    }
}

// ---- picture ----

namespace {

struct FileFormat {
    AnsiString extension;
    AnsiString description;
    const TMetaClass* graphicClass;
};

struct ClipboardFormat {
    UINT format;
    const TMetaClass* graphicClass;
};

std::vector<FileFormat>& FileFormats() {
    static std::vector<FileFormat> formats = {
        {"bmp", "Bitmaps", TBitmap::StaticClass()},
        {"jpg", "JPEG Image File", TJPEGImage::StaticClass()},
        {"jpeg", "JPEG Image File", TJPEGImage::StaticClass()},
        {"ico", "Icons", TIcon::StaticClass()},
        {"emf", "Enhanced Metafiles", TMetafile::StaticClass()},
        {"wmf", "Metafiles", TMetafile::StaticClass()},
    };
    return formats;
}

std::vector<ClipboardFormat>& ClipboardFormats() {
    static std::vector<ClipboardFormat> formats = {
        {CF_BITMAP, TBitmap::StaticClass()},
        {CF_DIB, TBitmap::StaticClass()},
        {CF_ENHMETAFILE, TMetafile::StaticClass()},
    };
    return formats;
}

const TMetaClass* ClipboardFormatClass(UINT format) {
    for (const ClipboardFormat& entry : ClipboardFormats()) {
        if (entry.format == format) return entry.graphicClass;
    }
    return nullptr;
}

TGraphic* NewGraphic(const TMetaClass* graphicClass) {
    return static_cast<TGraphic*>(graphicClass->Create());
}

}  // namespace

TPicture::~TPicture() { delete graphic_; }

void TPicture::Replace(TGraphic* graphic) {
    delete graphic_;
    graphic_ = graphic;
    if (graphic_) {
        graphic_->OnChange = [this](TObject* sender) { Changed(sender); };
        graphic_->OnProgress = [this](TObject* sender, TProgressStage stage, uint8_t percent,
                                      bool redraw, const TRect& r, const AnsiString& msg) {
            if (OnProgress) OnProgress(sender, stage, percent, redraw, r, msg);
        };
    }
    Changed(this);
}

void TPicture::Changed(TObject*) {
    if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(TGraphic* graphic) {
    if (graphic == graphic_) return;
    if (!graphic) {
        Replace(nullptr);
        return;
    }
    TOwnedPtr<TGraphic> copy(NewGraphic(graphic->ClassType()));
    copy->Assign(graphic);
    Replace(copy.release());
}

TBitmap* TPicture::Bitmap() {
    if (!dynamic_cast<TBitmap*>(graphic_)) Replace(new TBitmap);
    return static_cast<TBitmap*>(graphic_);
}

void TPicture::Assign(TPersistent* source) {
    if (!source) {
        SetGraphic(nullptr);
    } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
        SetGraphic(picture->graphic_);
    } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}

void TPicture::AssignTo(TPersistent* dest) {
    if (graphic_ && dynamic_cast<TGraphic*>(dest)) {
        dest->Assign(graphic_);
        return;
    }
    TPersistent::AssignTo(dest);
}

void TPicture::LoadFromFile(const AnsiString& fileName) {
    const int dot = fileName.LastDelimiter(".\\/:");
    const AnsiString extension =
        dot > 0 && fileName[dot] == '.' ? fileName.SubString(dot + 1, fileName.Length()) : "";
    const TMetaClass* graphicClass = FileFormatClass(extension);
    if (!graphicClass) {
        throw EInvalidGraphic(Format(SUnknownExtension, extension));
    }
    TOwnedPtr<TGraphic> graphic(NewGraphic(graphicClass));
    try {
        graphic->LoadFromFile(fileName);
    } catch (const EInvalidGraphic&) {
        throw;
    } catch (const Exception& error) {
        throw EInvalidGraphic(error.Message());
    }
    Replace(graphic.release());
}

void TPicture::SaveToFile(const AnsiString& fileName) {
    if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
    const TMetaClass* graphicClass = ClipboardFormatClass(format);
    if (!graphicClass) throw EInvalidGraphic(SUnknownClipboardFormat);
    TOwnedPtr<TGraphic> graphic(NewGraphic(graphicClass));
    graphic->LoadFromClipboardFormat(format, data, palette);
    Replace(graphic.release());
}

void TPicture::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
    if (!graphic_) throw EInvalidGraphic(SUnknownClipboardFormat);
    graphic_->SaveToClipboardFormat(format, data, palette);
}

bool TPicture::SupportsClipboardFormat(UINT format) { return ClipboardFormatClass(format); }

void TPicture::RegisterFileFormat(const AnsiString& extension, const AnsiString& description,
                                  const TMetaClass* graphicClass) {
    const AnsiString key = LowerCase(extension);
    for (FileFormat& entry : FileFormats()) {
        if (entry.extension == key) {
            entry = {key, description, graphicClass};
            return;
        }
    }
    FileFormats().push_back({key, description, graphicClass});
}

void TPicture::RegisterClipboardFormat(UINT format, const TMetaClass* graphicClass) {
    for (ClipboardFormat& entry : ClipboardFormats()) {
        if (entry.format == format) {
            entry.graphicClass = graphicClass;
            return;
        }
    }
    ClipboardFormats().push_back({format, graphicClass});
}

void TPicture::UnregisterGraphicClass(const TMetaClass* graphicClass) {
    auto& files = FileFormats();
    files.erase(std::remove_if(files.begin(), files.end(),
                               [graphicClass](const FileFormat& entry) {
                                   return entry.graphicClass->InheritsFrom(graphicClass);
                               }),
                files.end());
    auto& clips = ClipboardFormats();
    clips.erase(std::remove_if(clips.begin(), clips.end(),
                               [graphicClass](const ClipboardFormat& entry) {
                                   return entry.graphicClass->InheritsFrom(graphicClass);
                               }),
                clips.end());
}

const TMetaClass* TPicture::FileFormatClass(const AnsiString& extension) {
    for (const FileFormat& entry : FileFormats()) {
        if (SameText(entry.extension, extension)) return entry.graphicClass;
    }
    return nullptr;
}

AnsiString TPicture::GraphicFilter(const TMetaClass* graphicClass) {
    AnsiString all, entries;
    for (const FileFormat& entry : FileFormats()) {
        if (!entry.graphicClass->InheritsFrom(graphicClass)) continue;
        const AnsiString mask = "*." + entry.extension;
        all += all.IsEmpty() ? mask : ";" + mask;
        entries += "|" + entry.description + " (" + mask + ")|" + mask;
    }
    if (all.IsEmpty()) return "";
    return "All (" + all + ")|" + all + entries;
}
