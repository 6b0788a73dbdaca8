#include "UiShapeButton.h"

#include <memory>
#include <vector>

#include "UiButton.h"
#include "UiColors.h"
#include "UiGrafx.h"
#include "cl_filer.h"
#include "cl_forms.h"
#include "cl_hourglass.h"

namespace {

// The offsets of one half of the square ring at distance `level`: the lower-right half runs
// from (L, -L) down the right column and along the bottom row to (-L, L); the upper-left half
// from (-L, L - 1) up the left column and along the top row to (L - 1, -L).
std::vector<TPoint> RingOffsets(int level, bool lowerRight) {
    std::vector<TPoint> offsets;
    if (lowerRight) {
        for (int dy = -level; dy <= level; ++dy) offsets.push_back({level, dy});
        for (int dx = level - 1; dx >= -level; --dx) offsets.push_back({dx, level});
    } else {
        for (int dy = level - 1; dy >= -level; --dy) offsets.push_back({-level, dy});
        for (int dx = -level + 1; dx <= level - 1; ++dx) offsets.push_back({dx, -level});
    }
    return offsets;
}

// The bitmap's pixels as RGB colours, row by row.
std::vector<TColor> ReadPixels(TBitmap* bitmap) {
    const int w = bitmap->Width(), h = bitmap->Height();
    std::vector<TColor> pixels(static_cast<size_t>(w) * h);
    TCanvas* canvas = bitmap->Canvas();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels[static_cast<size_t>(y) * w + x] = canvas->Pixels(x, y);
    return pixels;
}

const bool shapeButtonPropertiesRegistered = [] {
    using C = TUiShapeButton;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, SubObjectProperty<C>("Bitmap", &C::Bitmap));
    RegisterProperty(meta, OrdinalProperty<C>("AutoSize", pkBool, &C::AutoSize, &C::SetAutoSize,
                                              1));
    RegisterProperty(meta, OrdinalProperty<C>("BevelWidth", pkInteger, &C::BevelWidth,
                                              &C::SetBevelWidth, 2));
    RegisterProperty(meta, OrdinalProperty<C>("BevelHighlightColor", pkColor,
                                              &C::BevelHighlightColor,
                                              &C::SetBevelHighlightColor, clBtnHighlight));
    RegisterProperty(meta, OrdinalProperty<C>("BevelShadowColor", pkColor, &C::BevelShadowColor,
                                              &C::SetBevelShadowColor, clBtnShadow));
    RegisterProperty(meta, EnumProperty<C>("BorderStyle", &C::BorderStyle, &C::SetBorderStyle,
                                           {"bsNone", "bsSingle"}, bsSingle));
    RegisterProperty(meta, OrdinalProperty<C>("BorderColor", pkColor, &C::BorderColor,
                                              &C::SetBorderColor, cl3DDkShadow));
    RegisterProperty(meta, OrdinalProperty<C>("PreciseClick", pkBool, &C::PreciseClick,
                                              &C::SetPreciseClick, 1));
    RegisterProperty(meta, OrdinalProperty<C>("PreciseShowHint", pkBool, &C::PreciseShowHint,
                                              &C::SetPreciseShowHint, 1));
    // The position last: setting CaptionX or CaptionY switches it to cpXY.
    RegisterProperty(meta, OrdinalProperty<C>("CaptionX", pkInteger, &C::CaptionX,
                                              &C::SetCaptionX, 0));
    RegisterProperty(meta, OrdinalProperty<C>("CaptionY", pkInteger, &C::CaptionY,
                                              &C::SetCaptionY, 0));
    RegisterProperty(meta, EnumProperty<C>("CaptionPosition", &C::CaptionPosition,
                                           &C::SetCaptionPosition, {"cpCentered", "cpXY"},
                                           cpCentered));
    return true;
}();

}  // namespace

HPALETTE CopyPalette(HPALETTE palette) {
    if (!palette) return nullptr;
    WORD count = 0;
    if (GetObjectA(palette, sizeof(count), &count) == 0)
        throw Exception("Invalid palette in CopyPalette");
    if (count == 0) return nullptr;
    std::vector<char> memory(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(memory.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = count;
    if (GetPaletteEntries(palette, 0, count, logical->palPalEntry) != count)
        throw Exception("Cannot get palette entries in CopyPalette");
    HPALETTE copy = CreatePalette(logical);
    if (!copy) throw EOutOfResources("Cannot create palette in CopyPalette");
    return copy;
}

TBitmap* MakeShapeMask(TBitmap* bitmap, TColor color) {
    auto mask = std::make_unique<TBitmap>();
    mask->SetSize(bitmap->Width(), bitmap->Height());
    mask->SetMonochrome(true);
    const TColor key = ColorToRGB(color);
    const std::vector<TColor> pixels = ReadPixels(bitmap);
    TCanvas* canvas = mask->Canvas();
    for (int y = 0; y < bitmap->Height(); ++y)
        for (int x = 0; x < bitmap->Width(); ++x)
            canvas->SetPixels(x, y,
                              pixels[static_cast<size_t>(y) * bitmap->Width() + x] == key ? clWhite
                                                                                         : clBlack);
    return mask.release();
}

// ---------------------------------------------------------------------------------------------
TUiShapeButton::TUiShapeButton(TComponent* owner)
    : TGraphicControl(owner),
      bitmap_(new TBitmap()),
      bitmapUp_(new TBitmap()),
      bitmapDown_(new TBitmap()) {
    SetBounds(0, 0, 80, 80);
    ControlStyle = {csCaptureMouse};
    SetParentFont(true);
    SetAutoSize(true);
    bitmap_->OnChange = [this](TObject* sender) { BitmapChanged(sender); };
}

TUiShapeButton::~TUiShapeButton() {
    if (mask_) mask_->Free();
    bitmapDown_->Free();
    bitmapUp_->Free();
    bitmap_->Free();
}

// The bitmap reports its change while an assignment is still filling in its pixels, so an
// assignment rebuilds once it is complete.
void TUiShapeButton::SetBitmap(TBitmap* value) {
    assigningBitmap_ = true;
    try {
        bitmap_->Assign(value);
    } catch (...) {
        assigningBitmap_ = false;
        throw;
    }
    assigningBitmap_ = false;
    Rebuild();
}

void TUiShapeButton::BitmapChanged(TObject*) {
    if (!assigningBitmap_) Rebuild();
}

void TUiShapeButton::DefineProperties(TFiler* filer) {
    TGraphicControl::DefineProperties(filer);
    filer->DefineBinaryProperty(
        "BitmapUp", [this](TStream* stream) { ReadBitmapUpData(stream); },
        [this](TStream* stream) { WriteBitmapUpData(stream); }, !bitmapUp_->Empty());
    filer->DefineBinaryProperty(
        "BitmapDown", [this](TStream* stream) { ReadBitmapDownData(stream); },
        [this](TStream* stream) { WriteBitmapDownData(stream); }, !bitmapDown_->Empty());
}

void TUiShapeButton::ReadBitmapUpData(TStream* stream) { bitmapUp_->LoadFromStream(stream); }
void TUiShapeButton::WriteBitmapUpData(TStream* stream) { bitmapUp_->SaveToStream(stream); }
void TUiShapeButton::ReadBitmapDownData(TStream* stream) { bitmapDown_->LoadFromStream(stream); }
void TUiShapeButton::WriteBitmapDownData(TStream* stream) { bitmapDown_->SaveToStream(stream); }

void TUiShapeButton::SetBitmapUp(TBitmap* value) {
    bitmapUp_->Assign(value);
    Invalidate();
}

void TUiShapeButton::SetBitmapDown(TBitmap* value) {
    bitmapDown_->Assign(value);
    Invalidate();
}

void TUiShapeButton::SetBevelWidth(int value) {
    value = std::max(0, std::min(2, value));
    if (value == bevelWidth_) return;
    bevelWidth_ = value;
    Rebuild();
}

#define UI_SHAPE_SETTER(Name, Type, field, after) \
    void TUiShapeButton::Set##Name(Type value) {  \
        if (value == field) return;               \
        field = value;                            \
        after();                                  \
    }

UI_SHAPE_SETTER(BevelHighlightColor, TColor, bevelHighlightColor_, Rebuild)
UI_SHAPE_SETTER(BevelShadowColor, TColor, bevelShadowColor_, Rebuild)
UI_SHAPE_SETTER(BorderStyle, TBorderStyle, borderStyle_, Rebuild)
UI_SHAPE_SETTER(BorderColor, TColor, borderColor_, Rebuild)
UI_SHAPE_SETTER(CaptionPosition, TUiCaptionPosition, captionPosition_, Invalidate)
#undef UI_SHAPE_SETTER

void TUiShapeButton::SetCaptionX(int value) { SetCaptionXY(value, captionY_); }
void TUiShapeButton::SetCaptionY(int value) { SetCaptionXY(captionX_, value); }

void TUiShapeButton::SetCaptionXY(int x, int y) {
    if (x == captionX_ && y == captionY_) return;
    captionX_ = x;
    captionY_ = y;
    captionPosition_ = cpXY;
    Invalidate();
}

void TUiShapeButton::SetAutoSize(bool value) {
    TGraphicControl::SetAutoSize(value);
    SetBounds(Left(), Top(), Width(), Height());
}

void TUiShapeButton::SetBounds(int left, int top, int width, int height) {
    if (AutoSize() && bitmap_ && !bitmap_->Empty() && !InState(csReading)) {
        width = bitmap_->Width() + 4;
        height = bitmap_->Height() + 4;
    }
    TGraphicControl::SetBounds(left, top, width, height);
}

void TUiShapeButton::Invalidate() {
    TWinControl* parent = Parent();
    if ((!Visible() && !InState(csDesigning)) || !parent || !parent->HandleAllocated()) return;
    RECT r = {Left(), Top(), Left() + Width(), Top() + Height()};
    InvalidateRect(parent->WindowHandle(), &r, TRUE);
}

HPALETTE TUiShapeButton::GetPalette() { return bitmap_->Palette(); }

TColor TUiShapeButton::HighlightColor() {
    const TColor highlight = ColorToRGB(bevelHighlightColor_);
    return highlight == ColorToRGB(bitmap_->TransparentColor()) ? DarkerColor(highlight, 1)
                                                                 : highlight;
}

void TUiShapeButton::Create3DBitmap(TBitmap* source, TButtonState state, TBitmap* destination) {
    destination->Assign(source);
    const int w = source->Width(), h = source->Height();
    const TColor transparent = ColorToRGB(source->TransparentColor());
    const std::vector<TColor> shape = ReadPixels(source);
    auto isShape = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h &&
               shape[static_cast<size_t>(y) * w + x] != transparent;
    };
    const int levels = bevelWidth_ + (borderStyle_ == bsSingle ? 1 : 0);
    const bool up = state == bsUp;
    for (int level = 1; level <= levels; ++level) {
        const std::vector<TColor> snapshot = ReadPixels(destination);
        for (bool lowerRight : {true, false}) {
            if (!up && level == levels && lowerRight) continue;
            TColor color;
            if (level == levels && borderStyle_ == bsSingle) color = borderColor_;
            else if (lowerRight == up) color = bevelShadowColor_;
            else color = HighlightColor();
            const std::vector<TPoint> offsets = RingOffsets(level, lowerRight);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    if (snapshot[static_cast<size_t>(y) * w + x] != transparent) continue;
                    for (const TPoint& d : offsets)
                        if (isShape(x - d.X, y - d.Y)) {
                            destination->Canvas()->SetPixels(x, y, color);
                            break;
                        }
                }
        }
    }
}

void TUiShapeButton::Rebuild() {
    SetBounds(Left(), Top(), Width(), Height());
    if (InState(csReading) || InState(csLoading)) return;
    if (bitmap_->Empty()) {
        bitmapUp_->Assign(nullptr);
        bitmapDown_->Assign(nullptr);
    } else {
        THourglass hourglass;
        Create3DBitmap(bitmap_, bsUp, bitmapUp_);
        Create3DBitmap(bitmap_, bsDown, bitmapDown_);
        if (mask_) mask_->Free();
        mask_ = nullptr;
        mask_ = MakeShapeMask(bitmapUp_, bitmap_->TransparentColor());
    }
    Invalidate();
}

void TUiShapeButton::Loaded() {
    TGraphicControl::Loaded();
    if (bitmap_->Width() < 1 || bitmap_->Height() < 1 || bitmapUp_->Empty()) return;
    std::unique_ptr<TBitmap, void (*)(TBitmap*)> own(
        MakeShapeMask(bitmap_, bitmap_->TransparentColor()), [](TBitmap* b) { b->Free(); });
    TBitmap* streamed = MakeShapeMask(bitmapUp_, bitmap_->TransparentColor());
    const int w = std::min(own->Width(), streamed->Width());
    const int h = std::min(own->Height(), streamed->Height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (ColorToRGB(own->Canvas()->Pixels(x, y)) == 0)
                streamed->Canvas()->SetPixels(x, y, clBlack);
    if (mask_) mask_->Free();
    mask_ = streamed;
}

bool TUiShapeButton::PtInMask(int x, int y) {
    if (!mask_) return true;
    if (x < 0 || y < 0 || x >= mask_->Width() || y >= mask_->Height()) return false;
    return ColorToRGB(mask_->Canvas()->Pixels(x, y)) == 0;
}

bool TUiShapeButton::OnShape(int x, int y) {
    if (preciseClick_) return PtInMask(x, y);
    return x >= 0 && x < Width() && y >= 0 && y < Height();
}

void TUiShapeButton::UpdatePointerOptions(bool overShape) {
    if (!overShape && preciseShowHint_) {
        if (!hintSaved_) {
            savedParentShowHint_ = ParentShowHint();
            savedShowHint_ = ShowHint();
            hintSaved_ = true;
            SetShowHint(false);
            SetParentShowHint(false);
        }
    } else if (!overShape && preciseClick_) {
        if (!cursorSaved_) {
            savedCursor_ = Cursor();
            cursorSaved_ = true;
            SetCursor(crDefault);
        }
    } else {
        if (hintSaved_) {
            SetShowHint(savedShowHint_);
            SetParentShowHint(savedParentShowHint_);
            hintSaved_ = false;
        }
        if (cursorSaved_) {
            SetCursor(savedCursor_);
            cursorSaved_ = false;
        }
    }
}

void TUiShapeButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (OnShape(x, y)) {
        state_ = bsDown;
        Repaint();
    }
    mouseTracking_ = true;
}

void TUiShapeButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    UpdatePointerOptions(PtInMask(x, y));
    if (!mouseTracking_) return;
    const TButtonState shown = OnShape(x, y) ? bsDown : bsUp;
    if (shown == state_) return;
    state_ = shown;
    Repaint();
}

void TUiShapeButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!mouseTracking_) return;
    mouseTracking_ = false;
    if (state_ == bsDown) {
        state_ = bsUp;
        Repaint();
    }
    if (OnShape(x, y)) Click();
}

void TUiShapeButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_HITTEST:
        TGraphicControl::Dispatch(message);
        message.Result = !preciseClick_ || PtInMask(message.XPos(), message.YPos()) ? 1 : 0;
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<uint16_t>(message.WParam), Caption()) && Enabled()) {
            Click();
            message.Result = 1;
            return;
        }
        return TGraphicControl::Dispatch(message);
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        TGraphicControl::Dispatch(message);
        Invalidate();
        return;
    case CM_SYSCOLORCHANGE:
        TGraphicControl::Dispatch(message);
        Rebuild();
        return;
    default:
        TGraphicControl::Dispatch(message);
    }
}

TRect TUiShapeButton::GetCaptionRect(TCanvas* canvas, const AnsiString& text) {
    if (captionPosition_ == cpCentered) return TRect(0, 0, Width(), Height());
    RECT r = {0, 0, Width(), 0};
    DrawTextA(canvas->Handle(), text.c_str(), -1, &r, DT_CALCRECT);
    return MovedRect(TRect(r.left, r.top, r.right, r.bottom), captionX_, captionY_);
}

void TUiShapeButton::DrawButtonText(TCanvas* canvas, const AnsiString& text, TRect rect,
                                    TButtonState state) {
    canvas->Brush()->SetStyle(bsClear);
    if (state == bsDown) rect = MovedRect(rect, 1, 1);
    const HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(canvas->Font()->Color()));
    RECT r = ToRECT(rect);
    DrawTextA(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    canvas->Brush()->SetStyle(bsSolid);
}

void TUiShapeButton::Paint() {
    TCanvas* canvas = Canvas();
    if (InState(csDesigning)) {
        canvas->Pen()->SetStyle(psDash);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(0, 0, Width(), Height());
        canvas->Pen()->SetStyle(psSolid);
        canvas->Brush()->SetStyle(bsSolid);
    }
    const TButtonState shown = state_ == bsDown && !InState(csDesigning) ? bsDown : bsUp;
    TBitmap* image = shown == bsUp ? bitmapUp_ : bitmapDown_;
    if (!image->Empty()) {
        const int offset = shown == bsDown ? 1 : 0;
        const int w = image->Width(), h = image->Height();
        DrawTransparentBitmap(canvas, image, TRect(offset, offset, offset + w, offset + h),
                              TRect(0, 0, w, h), bitmap_->TransparentColor());
    }
    const AnsiString caption = Caption();
    if (caption.IsEmpty()) return;
    canvas->SetFont(Font());
    DrawButtonText(canvas, caption, GetCaptionRect(canvas, caption), shown);
}
