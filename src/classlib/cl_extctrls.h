// Further controls and components: the bevelled panel, the picture control, the bevel, the
// timer, the speed button, and actions with the links that tie them to controls.
#pragma once

#include <windows.h>

#include <vector>

#include "cl_actions.h"
#include "cl_controls.h"
#include "cl_menus.h"

class TCustomImageList;

// Draws `width` nested frames into `rect` (top and left edges in `topColor`, bottom and right in
// `bottomColor`) and shrinks `rect` to the area inside them.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

// ---------------------------------------------------------------------------------------------
// A container with an outer and an inner bevel and a centred caption. Its children are laid
// out inside the border and both bevels.
class TCustomPanel : public TCustomControl {
    CL_COMPONENT_CLASS(TCustomPanel, TCustomControl)

    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut bevel);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle borderStyle);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    // Repaint everything on every resize (CS_HREDRAW | CS_VREDRAW).
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { fullRepaint_ = value; }
    bool Locked() const { return locked_; }
    void SetLocked(bool value) { locked_ = value; }

    void AdjustClientRect(TRect& rect) override;
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnPaint;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    // The top-left and bottom-right colours of a bevel.
    void BevelColors(TBevelCut bevel, TColor& topColor, TColor& bottomColor);

private:
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    TBorderStyle borderStyle_ = bsNone;
    TAlignment alignment_ = taCenter;
    bool fullRepaint_ = true;
    bool locked_ = false;

protected:
    ~TCustomPanel() override = default;
};

class TPanel : public TCustomPanel {
    CL_COMPONENT_CLASS(TPanel, TCustomPanel)

    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}

protected:
    ~TPanel() override = default;
};

// ---------------------------------------------------------------------------------------------
// Shows a picture. Stretch fills the control; Proportional fits the picture inside it keeping
// its aspect ratio and only ever shrinks it; Center centres the result. AutoSize (ignored when
// aligned or proportional) sizes the control to the picture.
class TImage : public TGraphicControl {
    CL_COMPONENT_CLASS(TImage, TGraphicControl)

    explicit TImage(TComponent* owner);
    void BeforeDestruction() override;

    TPicture* Picture() const { return picture_; }
    void SetPicture(TPicture* picture);
    // The picture's bitmap canvas (the picture becomes a bitmap when empty); raises
    // EInvalidOperation for a picture of another class.
    TCanvas* Canvas();
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    void SetAutoSize(bool value) override;
    // Where the picture is drawn, in client coordinates.
    TRect DestRect();

protected:
    void Paint() override;
    virtual void PictureChanged(TObject* sender);

private:
    TPicture* picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool proportional_ = false;
    bool transparent_ = false;

protected:
    ~TImage() override = default;
};

// ---------------------------------------------------------------------------------------------
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// A sunken or raised box, frame or line.
class TBevel : public TGraphicControl {
    CL_COMPONENT_CLASS(TBevel, TGraphicControl)

    explicit TBevel(TComponent* owner);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle style);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;

protected:
    ~TBevel() override = default;
};

// ---------------------------------------------------------------------------------------------
// A periodic event on the main thread. The system timer exists only while Enabled, Interval > 0
// and an OnTimer handler is set; every change re-creates it. An exception from the handler goes
// to the application's exception handling.
class TTimer : public TComponent {
    CL_COMPONENT_CLASS(TTimer, TComponent)

    explicit TTimer(TComponent* owner);
    void BeforeDestruction() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned interval);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent handler);
    // Whether the system timer runs now.
    bool Active() const { return active_; }

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    void HandleMessage(TMessage& message);

    HWND window_ = nullptr;
    bool enabled_ = true;
    unsigned interval_ = 1000;
    TNotifyEvent onTimer_;
    bool active_ = false;

protected:
    ~TTimer() override = default;
};

// ---------------------------------------------------------------------------------------------
class TSpeedButton;

// The speed button's link: Checked follows the action as Down.
class TSpeedButtonActionLink : public TControlActionLink {
    CL_CLASS(TSpeedButtonActionLink, TControlActionLink)

    explicit TSpeedButtonActionLink(TSpeedButton* client);
    void AssignClient(TControl* client) override;
    bool IsCheckedLinked() const override;
    void SetChecked(bool checked) override;

protected:
    TSpeedButton* Button() const { return button_; }

private:
    TSpeedButton* button_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// A flat or raised button painted on its parent, with a glyph strip of up to four images (up,
// disabled, down, exclusive). Buttons of one parent with the same GroupIndex (> 0) work as a
// group: at most one is down.
class TSpeedButton : public TGraphicControl {
    CL_COMPONENT_CLASS(TSpeedButton, TGraphicControl)

    explicit TSpeedButton(TComponent* owner);
    void BeforeDestruction() override;

    TBitmap* Glyph() const { return glyph_; }
    void SetGlyph(TBitmap* glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    bool Down() const { return down_; }
    void SetDown(bool down);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int groupIndex);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    // -1 centres glyph and caption together.
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    void Click() override;

    void Dispatch(TMessage& message) override;
    TControlActionLinkClass GetActionLinkClass() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    TButtonState State() const { return state_; }

private:
    void UpdateExclusive();
    void DrawGlyph(HDC dc, int x, int y, TButtonState state);
    TSize GlyphSize() const;

    TBitmap* glyph_;
    int numGlyphs_ = 1;
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool flat_ = false;
    int margin_ = -1;
    int spacing_ = 4;
    TButtonLayout layout_ = blGlyphLeft;
    TButtonState state_ = bsUp;
    bool dragging_ = false;
    bool mouseInControl_ = false;

protected:
    ~TSpeedButton() override = default;
};
