// The control library's container: a panel with its own border model (outer and inner frame,
// a band, chosen sides), a solid or gradient fill, a grid, an aligned caption and transparency.
#pragma once

#include <initializer_list>

#include "UiColors.h"
#include "UiCommon.h"
#include "UiDrawing.h"
#include "UiGrafx.h"
#include "cl_extctrls.h"
#include "cl_lists.h"

class TUiFrameController;

enum TUiGridStyle { gsDots, gsDottedLines, gsSolidLines };

// The width one frame style takes from each side it is drawn on.
int FrameStyleWidth(TFrameStyleEx style, int bevelWidth);

// A class's own default for a published property: an ordinal, an enumeration's value or the
// bits of a set.
struct TPublishedDefault {
    const char* Name;
    int Value;
};
// Publishes the framed panel's properties, its own and those of the class library's panel, on
// `meta`: all but `omitted`, with the panel's defaults where `defaults` names none.
void PublishPanelProperties(const TMetaClass* meta, std::initializer_list<const char*> omitted = {},
                            std::initializer_list<TPublishedDefault> defaults = {});

class TUiCustomPanel : public TCustomPanel, public IUiCustomFramingNotification {
    CL_COMPONENT_CLASS(TUiCustomPanel, TCustomPanel)

    explicit TUiCustomPanel(TComponent* owner);
    void BeforeDestruction() override;

    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    virtual void SetAlignmentVertical(TAlignmentVertical value) { Change(alignmentVertical_, value); }
    TFrameStyleEx BorderInner() const { return borderInner_; }
    virtual void SetBorderInner(TFrameStyleEx value) { ChangeFrame(borderInner_, value); }
    TFrameStyleEx BorderOuter() const { return borderOuter_; }
    virtual void SetBorderOuter(TFrameStyleEx value) { ChangeFrame(borderOuter_, value); }
    TSides BorderSides() const { return borderSides_; }
    virtual void SetBorderSides(TSides value) { ChangeFrame(borderSides_, value); }
    TColor BorderColor() const { return borderColor_; }
    virtual void SetBorderColor(TColor value) { Change(borderColor_, value); }
    TColor BorderHighlight() const { return borderHighlight_; }
    virtual void SetBorderHighlight(TColor value) { Change(borderHighlight_, value); }
    TColor BorderShadow() const { return borderShadow_; }
    virtual void SetBorderShadow(TColor value) { Change(borderShadow_, value); }
    TColor FlatColor() const { return flatColor_; }
    virtual void SetFlatColor(TColor value) { Change(flatColor_, value); }
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    virtual void SetFlatColorAdjustment(int value) { Change(flatColorAdjustment_, value); }
    TUiFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TUiFrameController* value);
    TUiFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TUiFrameControllerNotifications value) {
        notifications_ = value;
    }
    TUiGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    virtual void SetGradientColorStyle(TUiGradientColorStyle value) {
        Change(gradientColorStyle_, value);
    }
    TColor GradientColorStart() const { return gradientColorStart_; }
    virtual void SetGradientColorStart(TColor value) { ChangeGradient(gradientColorStart_, value); }
    TColor GradientColorStop() const { return gradientColorStop_; }
    virtual void SetGradientColorStop(TColor value) { ChangeGradient(gradientColorStop_, value); }
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    virtual void SetGradientDirection(TGradientDirection value) {
        ChangeGradient(gradientDirection_, value);
    }
    TColor GridColor() const { return gridColor_; }
    virtual void SetGridColor(TColor value) { Change(gridColor_, value); }
    TUiGridStyle GridStyle() const { return gridStyle_; }
    virtual void SetGridStyle(TUiGridStyle value) { Change(gridStyle_, value); }
    int GridXSize() const { return gridXSize_; }
    virtual void SetGridXSize(int value) { Change(gridXSize_, value); }
    int GridYSize() const { return gridYSize_; }
    virtual void SetGridYSize(int value) { Change(gridYSize_, value); }
    void SetGridSize(int x, int y) {
        SetGridXSize(x);
        SetGridYSize(y);
    }
    bool PaintClientArea() const { return paintClientArea_; }
    virtual void SetPaintClientArea(bool value) { Change(paintClientArea_, value); }
    bool ShowDockClientCaptions() const { return showDockClientCaptions_; }
    void SetShowDockClientCaptions(bool value) { showDockClientCaptions_ = value; }
    bool ShowGrid() const { return showGrid_; }
    virtual void SetShowGrid(bool value) { Change(showGrid_, value); }
    int TextMargin() const { return textMargin_; }
    virtual void SetTextMargin(int value) { Change(textMargin_, value); }
    int TextMarginVertical() const { return textMarginVertical_; }
    virtual void SetTextMarginVertical(int value) { Change(textMarginVertical_, value); }
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);
    TUiVisualStyle VisualStyle() const { return visualStyle_; }
    virtual void SetVisualStyle(TUiVisualStyle value) { Change(visualStyle_, value); }
    bool WordWrap() const { return wordWrap_; }
    virtual void SetWordWrap(bool value) { Change(wordWrap_, value); }

    void CustomFramingChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    void SetBounds(int left, int top, int width, int height) override;
    void AdjustClientRect(TRect& rect) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void Dispatch(TMessage& message) override;
    // Reads what older releases stored: "FrameSides" and "ThemeAware" are dropped, a True
    // "UseGradients" becomes the gradient style.
    void DefineProperties(TFiler* filer) override;
    // A docking site gets the panel dock manager.
    IDockManager* CreateDockManager() override;

protected:
    ~TUiCustomPanel() override = default;
    // The mouse cursor in client coordinates.
    TPoint CursorPosition();
    // Shrinks `rect` by the frames on the chosen sides, first by the band when asked.
    virtual void FixClientRect(TRect& rect, bool includeBorderWidth);
    virtual TRect GetControlRect() { return TRect(0, 0, Width(), Height()); }
    // The strip along the right and bottom edge repainted on a resize.
    virtual TPoint InvalidateMarginSize() { return TPoint(1, 1); }
    virtual void GetGradientColors(TColor& start, TColor& stop);
    virtual void GetGradientFrameColor(TColor& frameColor, int& adjustment);
    virtual void DrawCaption(TRect rect);
    virtual void DrawGrid(const TRect& rect);
    void Paint() override;
    // Sets the border fields without realigning or repainting.
    void StoreBorders(TFrameStyleEx inner, TFrameStyleEx outer, TSides sides) {
        borderInner_ = inner;
        borderOuter_ = outer;
        borderSides_ = sides;
    }

private:
    template <class T>
    void Change(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    template <class T>
    void ChangeFrame(T& field, T value) {
        if (field == value) return;
        field = value;
        Realign();
        Invalidate();
    }
    template <class T>
    void ChangeGradient(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
        InvalidateControls(this);
    }
    void EnabledChanged();
    void InvalidateOldBorders(const WINDOWPOS& pos);

    TAlignmentVertical alignmentVertical_ = avCenter;
    TFrameStyleEx borderInner_ = fsNone;
    TFrameStyleEx borderOuter_ = fsRaised;
    TSides borderSides_ = AllSides;
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TUiFrameController* frameController_ = nullptr;
    TUiFrameControllerNotifications notifications_ = AllFrameControllerNotifications;
    TUiGradientColorStyle gradientColorStyle_ = gcsSystem;
    TColor gradientColorStart_ = clWhite;
    TColor gradientColorStop_ = clBtnFace;
    TGradientDirection gradientDirection_ = gdHorizontalEnd;
    TColor gridColor_ = clBtnShadow;
    TUiGridStyle gridStyle_ = gsDots;
    int gridXSize_ = 8;
    int gridYSize_ = 8;
    bool paintClientArea_ = true;
    bool showDockClientCaptions_ = true;
    bool showGrid_ = false;
    int textMargin_ = 0;
    int textMarginVertical_ = 0;
    bool transparent_ = false;
    TUiVisualStyle visualStyle_ = vsWinXP;
    bool wordWrap_ = true;
    // While disabled: one entry per child, "1" or "0" for its enabled state, the child as object.
    TStringList* enabledStates_ = nullptr;
};

class TUiPanel : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiPanel, TUiCustomPanel)

    explicit TUiPanel(TComponent* owner) : TUiCustomPanel(owner) {}

protected:
    ~TUiPanel() override = default;
};
