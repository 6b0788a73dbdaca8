// A window-less button shaped like the opaque part of a bitmap: raised and pressed images with
// bevel rings around the shape, clicks only on the shape, and a centred or placed caption.
#pragma once

#include "UiCommon.h"
#include "cl_extctrls.h"

enum TUiCaptionPosition { cpCentered, cpXY };

// A copy of the palette; none for none or an empty one. Raises on a palette it cannot read or
// copy.
HPALETTE CopyPalette(HPALETTE palette);
// A monochrome mask of the bitmap's size: white where the bitmap has `color`, black elsewhere.
TBitmap* MakeShapeMask(TBitmap* bitmap, TColor color);

class TUiShapeButton : public TGraphicControl {
    CL_COMPONENT_CLASS(TUiShapeButton, TGraphicControl)

    explicit TUiShapeButton(TComponent* owner);

    TBitmap* Bitmap() const { return bitmap_; }
    // Copies the bitmap and rebuilds the images.
    virtual void SetBitmap(TBitmap* value);
    TBitmap* BitmapUp() const { return bitmapUp_; }
    virtual void SetBitmapUp(TBitmap* value);
    TBitmap* BitmapDown() const { return bitmapDown_; }
    virtual void SetBitmapDown(TBitmap* value);
    int BevelWidth() const { return bevelWidth_; }
    // Values above 2 become 2.
    virtual void SetBevelWidth(int value);
    TColor BevelHighlightColor() const { return bevelHighlightColor_; }
    virtual void SetBevelHighlightColor(TColor value);
    TColor BevelShadowColor() const { return bevelShadowColor_; }
    virtual void SetBevelShadowColor(TColor value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    virtual void SetBorderStyle(TBorderStyle value);
    TColor BorderColor() const { return borderColor_; }
    virtual void SetBorderColor(TColor value);
    bool PreciseClick() const { return preciseClick_; }
    void SetPreciseClick(bool value) { preciseClick_ = value; }
    bool PreciseShowHint() const { return preciseShowHint_; }
    void SetPreciseShowHint(bool value) { preciseShowHint_ = value; }
    TUiCaptionPosition CaptionPosition() const { return captionPosition_; }
    virtual void SetCaptionPosition(TUiCaptionPosition value);
    int CaptionX() const { return captionX_; }
    virtual void SetCaptionX(int value);
    int CaptionY() const { return captionY_; }
    virtual void SetCaptionY(int value);
    virtual void SetCaptionXY(int x, int y);

    TButtonState State() const { return state_; }
    // True without a mask, or where the mask is black (on the shape).
    virtual bool PtInMask(int x, int y);
    void SetAutoSize(bool value) override;
    void SetBounds(int left, int top, int width, int height) override;
    void Invalidate() override;
    void Loaded() override;
    // The built up and down images go with the form as "BitmapUp" and "BitmapDown".
    void DefineProperties(TFiler* filer) override;
    void Click() override { TGraphicControl::Click(); }
    void Dispatch(TMessage& message) override;
    HPALETTE GetPalette() override;

protected:
    ~TUiShapeButton() override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    virtual void DrawButtonText(TCanvas* canvas, const AnsiString& text, TRect rect,
                                TButtonState state);
    virtual TRect GetCaptionRect(TCanvas* canvas, const AnsiString& text);
    // Builds `destination` from `source` with the bevel rings of the state.
    void Create3DBitmap(TBitmap* source, TButtonState state, TBitmap* destination);
    virtual void ReadBitmapUpData(TStream* stream);
    virtual void WriteBitmapUpData(TStream* stream);
    virtual void ReadBitmapDownData(TStream* stream);
    virtual void WriteBitmapDownData(TStream* stream);

private:
    void Rebuild();
    void BitmapChanged(TObject* sender);
    bool OnShape(int x, int y);
    void UpdatePointerOptions(bool overShape);
    TColor HighlightColor();

    TBitmap* bitmap_;
    TBitmap* bitmapUp_;
    TBitmap* bitmapDown_;
    TBitmap* mask_ = nullptr;
    int bevelWidth_ = 2;
    TColor bevelHighlightColor_ = clBtnHighlight;
    TColor bevelShadowColor_ = clBtnShadow;
    TBorderStyle borderStyle_ = bsSingle;
    TColor borderColor_ = cl3DDkShadow;
    bool preciseClick_ = true;
    bool preciseShowHint_ = true;
    TUiCaptionPosition captionPosition_ = cpCentered;
    int captionX_ = 0;
    int captionY_ = 0;
    TButtonState state_ = bsUp;
    bool mouseTracking_ = false;
    bool assigningBitmap_ = false;
    bool hintSaved_ = false;
    bool savedShowHint_ = false;
    bool savedParentShowHint_ = false;
    bool cursorSaved_ = false;
    TCursor savedCursor_ = crDefault;
};
