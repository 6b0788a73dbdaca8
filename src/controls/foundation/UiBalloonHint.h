// Speech-balloon hints: a component that, while it exists, makes every hint of the application
// a rounded box whose tail points at the mouse, drawn or made of up to four pictures.
#pragma once

#include <functional>

#include "UiCommon.h"
#include "cl_forms.h"
#include "cl_graphics.h"

class TUiCustomHintWindow;

// Where the balloon's body lies from the point it indicates; hcNone has no tail.
enum TUiHintCorner { hcLowerRight, hcLowerLeft, hcUpperLeft, hcUpperRight, hcNone };

using TSetHintRectEvent = std::function<void(TObject* sender, TCanvas* canvas, TRect& rect,
                                             const AnsiString& hint, TUiHintCorner corner)>;
using TSetHintWinSizeEvent =
    std::function<void(TObject* sender, TCanvas* canvas, int& width, int& height,
                       const AnsiString& hint, TUiHintCorner corner)>;

// Four optional pictures of a balloon, one per corner, and the colour they leave transparent.
class TUiBalloonBitmaps : public TPersistent {
    CL_CLASS(TUiBalloonBitmaps, TPersistent)

    TUiBalloonBitmaps();
    ~TUiBalloonBitmaps() override;

    TBitmap* LowerRight() const { return pictures_[hcLowerRight]; }
    virtual void SetLowerRight(TBitmap* value) { SetPicture(hcLowerRight, value); }
    TBitmap* LowerLeft() const { return pictures_[hcLowerLeft]; }
    virtual void SetLowerLeft(TBitmap* value) { SetPicture(hcLowerLeft, value); }
    TBitmap* UpperLeft() const { return pictures_[hcUpperLeft]; }
    virtual void SetUpperLeft(TBitmap* value) { SetPicture(hcUpperLeft, value); }
    TBitmap* UpperRight() const { return pictures_[hcUpperRight]; }
    virtual void SetUpperRight(TBitmap* value) { SetPicture(hcUpperRight, value); }
    TBitmap* Picture(TUiHintCorner corner) const { return pictures_[corner]; }
    bool AnyPicture() const;
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor value) { transparentColor_ = value; }

    TNotifyEvent OnChange;

private:
    void SetPicture(TUiHintCorner corner, TBitmap* value);

    TBitmap* pictures_[4];
    TColor transparentColor_ = clOlive;
};

class TUiBalloonHints : public TComponent {
    CL_COMPONENT_CLASS(TUiBalloonHints, TComponent)

    explicit TUiBalloonHints(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment value);
    TUiBalloonBitmaps* Bitmaps() const { return bitmaps_; }
    int CaptionWidth() const { return captionWidth_; }
    virtual void SetCaptionWidth(int value);
    TColor Color() const { return color_; }
    virtual void SetColor(TColor value);
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value);
    TUiHintCorner Corner() const { return corner_; }
    virtual void SetCorner(TUiHintCorner value);
    TFont* Font() const { return font_; }
    virtual void SetFont(TFont* value);
    bool ShowBalloon() const { return showBalloon_; }
    virtual void SetShowBalloon(bool value);
    // At run time the application's own pauses.
    virtual int GetHintPause() const;
    virtual void SetHintPause(int value);
    virtual int GetHintShortPause() const;
    virtual void SetHintShortPause(int value);
    const TSetHintWinSizeEvent& OnSetHintWinSize() const { return onSetHintWinSize_; }
    virtual void SetOnSetHintWinSize(TSetHintWinSizeEvent value);
    const TSetHintRectEvent& OnSetHintRect() const { return onSetHintRect_; }
    virtual void SetOnSetHintRect(TSetHintRectEvent value);
    TShowHintEvent OnShowHint;

    // The hint window this component styles, if any.
    TUiCustomHintWindow* Window() const { return window_; }
    void MakeConnection(TUiCustomHintWindow* window);
    void BreakConnection() { window_ = nullptr; }
    void DefineProperties(TFiler* filer) override;
    void BeforeDestruction() override;

protected:
    ~TUiBalloonHints() override = default;

private:
    void FontChanged();

    TAlignment alignment_ = taLeftJustify;
    TUiBalloonBitmaps* bitmaps_;
    int captionWidth_ = 100;
    TColor color_ = clInfoBk;
    TColor frameColor_ = cl3DDkShadow;
    TUiHintCorner corner_ = hcUpperRight;
    TFont* font_;
    bool showBalloon_ = true;
    int hintPause_ = 500;
    int hintShortPause_ = 50;
    TSetHintWinSizeEvent onSetHintWinSize_;
    TSetHintRectEvent onSetHintRect_;
    THintWindowClass previousClass_;
    bool previousShowHint_ = true;
    TUiCustomHintWindow* window_ = nullptr;
};

// The application's hint window while balloon hints are in force.
class TUiCustomHintWindow : public THintWindow {
    CL_COMPONENT_CLASS(TUiCustomHintWindow, THintWindow)

    explicit TUiCustomHintWindow(TComponent* owner);

    void ActivateHint(TRect rect, const AnsiString& hint) override;
    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void BeforeDestruction() override;

    int CaptionWidth = 100;
    TColor FrameColor = clInfoText;
    TAlignment Alignment = taLeftJustify;
    TUiHintCorner Corner = hcUpperRight;
    bool ShowBalloon = false;
    TSetHintWinSizeEvent OnSetHintWinSize;
    TSetHintRectEvent OnSetHintRect;
    void SetFont(TFont* value) { Font()->Assign(value); }
    TUiBalloonBitmaps* Bitmaps = nullptr;
    TUiBalloonHints* Component = nullptr;

    // The corner of the hint shown: Corner turned where the screen's edges require.
    TUiHintCorner CornerInUse() const { return cornerInUse_; }
    bool HintActive() const { return active_; }
    // The application's show-hint event while the window exists.
    void DoShowHint(AnsiString& hintStr, bool& canShow, THintInfo& hintInfo);
    // With `body` the 20-pixel tail band is taken off, else added.
    void AdjustBoundsForPointer(TRect& rect, bool body) const;
    HRGN GetHintRegion();
    // The tail: base point under the tip, tip, far base point, and the strip joining the body.
    void GetPointerCoordinates(const TRect& whole, const TRect& body, TPoint& p1, TPoint& p2,
                               TPoint& p3, TRect& joint) const;

protected:
    ~TUiCustomHintWindow() override = default;
    void Paint() override;
    void NCPaint(HDC dc) override;
    virtual void DrawHint(TCanvas* canvas, const TRect& rect);
    virtual void DrawHintText(TCanvas* canvas, TRect rect);
    virtual void DrawBitmapBalloon(TCanvas* canvas);

private:
    void Connect();
    void TextChanged();
    // The anchor's screen point: the mouse in the hint control, or the window's top-left.
    TPoint AnchorPoint();
    void FitToScreen(int& x, int& y, int x0, int y0, int w, int h);
    void ForwardToHintControl(TMessage& message);

    TUiHintCorner cornerInUse_ = hcUpperRight;
    THintInfo hintInfo_;
    bool active_ = false;
    TApplication* application_ = nullptr;
};
