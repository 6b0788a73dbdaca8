// Status panes: window-less controls on a status bar that show one short piece of state in a
// frame. The custom pane is the base of every pane; the glyph pane adds a picture at one end.
#pragma once

#include "UiColors.h"
#include "UiCommon.h"
#include "UiGrafx.h"
#include "cl_controls.h"

class TUiFrameController;
class TUiStatusBar;
class TCustomImageList;
class TChangeLink;

class TUiCustomStatusPane : public TGraphicControl, public IUiCustomFramingNotification {
    CL_COMPONENT_CLASS(TUiCustomStatusPane, TGraphicControl)

    explicit TUiCustomStatusPane(TComponent* owner);
    void BeforeDestruction() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Dispatch(TMessage& message) override;
    bool ExecuteAction(TBasicAction* action) override;
    void SetAutoSize(bool value) override;

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment value);
    bool AutoHint() const { return autoHint_; }
    void SetAutoHint(bool value) { autoHint_ = value; }
    bool Blinking() const { return blinking_; }
    virtual void SetBlinking(bool value);
    TColor BlinkColor() const { return blinkColor_; }
    virtual void SetBlinkColor(TColor value) { Change(blinkColor_, value); }
    // The intervals of the shared blinking list: the same for every blinking control.
    virtual uint16_t GetBlinkIntervalOff() const;
    virtual void SetBlinkIntervalOff(uint16_t value);
    virtual uint16_t GetBlinkIntervalOn() const;
    virtual void SetBlinkIntervalOn(uint16_t value);
    int BorderWidth() const { return borderWidth_; }
    virtual void SetBorderWidth(int value);
    virtual void SetCaption(const AnsiString& value) { SetText(value); }
    int CaptionOffset() const { return captionOffset_; }
    virtual void SetCaptionOffset(int value);
    int DefaultWidth() const { return defaultWidth_; }
    virtual void SetDefaultWidth(int value);
    TColor FillColor() const { return fillColor_; }
    virtual void SetFillColor(TColor value);
    bool ParentFillColor() const { return parentFillColor_; }
    virtual void SetParentFillColor(bool value);
    TColor FlatColor() const { return flatColor_; }
    virtual void SetFlatColor(TColor value) { Change(flatColor_, value); }
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    virtual void SetFlatColorAdjustment(int value) { Change(flatColorAdjustment_, value); }
    TFrameStyle FrameStyle() const { return frameStyle_; }
    virtual void SetFrameStyle(TFrameStyle value) { Change(frameStyle_, value); }
    TUiFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TUiFrameController* value);
    TUiFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TUiFrameControllerNotifications value) {
        notifications_ = value;
    }
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    // The width auto-size gives the pane.
    virtual int GetMinWidth();
    // Where the caption is drawn: the client area inside the border and the frame.
    virtual TRect GetCaptionRect();
    // Whether `rect` (pane coordinates) reaches the status bar's size grip.
    virtual bool UnderSizeGrip(const TRect& rect);
    void CustomFramingChanged() override;
    // bsOff shows BlinkColor, bsOn the font colour; repaints at once.
    virtual void Blink(TBlinkState state);
    // Sets the width to GetMinWidth when AutoSize is on.
    virtual void AdjustBounds();
    // The colour the caption is drawn in now.
    TColor CaptionColor() const { return captionColor_; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    ~TUiCustomStatusPane() override = default;
    void Paint() override;
    virtual void DrawCaption(const AnsiString& caption);
    virtual void DrawStatusBorder();
    // The parent when it is a status bar.
    TUiStatusBar* StatusBar() const;
    // Whether the status bar paints with visual-style elements.
    bool StatusBarThemed() const;
    // Copies the themed status-bar background under `rect` (pane coordinates) onto `canvas`
    // at `target`.
    void CopyThemedBackground(TCanvas* canvas, const TRect& rect, const TRect& target);
    // Pixels the frame style takes on each side.
    int FrameAllowance() const;
    // Width of `text` in the pane's font (tabs expanded, no prefix characters).
    int MeasureText(const AnsiString& text);
    TColor SavedFontColor() const { return savedFontColor_; }
    void SetCaptionColor(TColor value) { captionColor_ = value; }
    template <class T>
    void Change(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }

private:
    void FontChanged();
    void ColorChanged();
    void HitTest(TMessage& message);

    TAlignment alignment_ = taLeftJustify;
    bool autoHint_ = false;
    bool blinking_ = false;
    TColor blinkColor_ = clHighlight;
    int borderWidth_ = 1;
    int captionOffset_ = 2;
    int defaultWidth_ = 40;
    TColor fillColor_;
    bool parentFillColor_ = true;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TFrameStyle frameStyle_ = fsFlat;
    TUiFrameController* frameController_ = nullptr;
    TUiFrameControllerNotifications notifications_ = AllFrameControllerNotifications;
    bool transparent_ = true;
    TColor savedFontColor_;
    TColor captionColor_;
};

class TUiStatusPane : public TUiCustomStatusPane {
    CL_COMPONENT_CLASS(TUiStatusPane, TUiCustomStatusPane)

    explicit TUiStatusPane(TComponent* owner) : TUiCustomStatusPane(owner) {}

protected:
    ~TUiStatusPane() override = default;
};

enum TGlyphAlignment { gaLeft, gaRight };

class TUiCustomGlyphStatus : public TUiCustomStatusPane {
    CL_COMPONENT_CLASS(TUiCustomGlyphStatus, TUiCustomStatusPane)

    explicit TUiCustomGlyphStatus(TComponent* owner);
    void BeforeDestruction() override;
    void Notification(TComponent* component, TOperation operation) override;

    TBitmap* Glyph() const { return glyph_; }
    virtual void SetGlyph(TBitmap* value);
    int NumGlyphs() const { return numGlyphs_; }
    virtual void SetNumGlyphs(int value);
    TGlyphAlignment GlyphAlignment() const { return glyphAlignment_; }
    virtual void SetGlyphAlignment(TGlyphAlignment value) { Change(glyphAlignment_, value); }
    int GlyphOffset() const { return glyphOffset_; }
    virtual void SetGlyphOffset(int value);
    bool ShowGlyph() const { return showGlyph_; }
    virtual void SetShowGlyph(bool value);
    TCustomImageList* Images() const { return images_; }
    virtual void SetImages(TCustomImageList* value);
    int ImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(int value) { Change(imageIndex_, value); }
    int DisabledIndex() const { return disabledIndex_; }
    virtual void SetDisabledIndex(int value) { Change(disabledIndex_, value); }

    int GetMinWidth() override;
    TRect GetCaptionRect() override;

protected:
    ~TUiCustomGlyphStatus() override;
    void Paint() override;
    virtual void DrawGlyph(const TRect& rect);
    virtual void DrawImage(const TRect& rect);

private:
    bool UsesImages() const;
    // The picture's width and height (0, 0 without one).
    TSize PictureSize() const;
    void GlyphChanged();

    TBitmap* glyph_;
    int numGlyphs_ = 1;
    TGlyphAlignment glyphAlignment_ = gaLeft;
    int glyphOffset_ = 2;
    bool showGlyph_ = true;
    TCustomImageList* images_ = nullptr;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
    TChangeLink* imageChangeLink_;
};

class TUiGlyphStatus : public TUiCustomGlyphStatus {
    CL_COMPONENT_CLASS(TUiGlyphStatus, TUiCustomGlyphStatus)

    explicit TUiGlyphStatus(TComponent* owner) : TUiCustomGlyphStatus(owner) {}

protected:
    ~TUiGlyphStatus() override = default;
};
