// The control library's labels: 3-D text styles, inner and outer borders, text turned by an
// angle or laid along an arc, condensed captions, blinking, a fly-by colour, frame-controller
// settings, and a label that opens a web address or document when clicked.
#pragma once

#include <vector>

#include "UiCommon.h"
#include "cl_stdctrls.h"

class TUiFrameController;

enum TRotation { roNone, roFlat, roCurve };
enum TCenterPoint {
    cpUpperLeft, cpUpperCenter, cpUpperRight, cpLeftCenter, cpCenter, cpRightCenter,
    cpLowerLeft, cpLowerCenter, cpLowerRight
};
enum TUiCondenseCaption { ccNone, ccAtEnd, ccWithinPath };

// Pixels a border style takes on each side it draws.
int BorderStylePixels(TFrameStyleEx style, int bevelWidth);

class TUiLabel : public TLabel, public IUiCustomFramingNotification {
    CL_COMPONENT_CLASS(TUiLabel, TLabel)

    explicit TUiLabel(TComponent* owner);

    int Angle() const { return angle_; }
    virtual void SetAngle(int value);
    bool Blinking() const { return blinking_; }
    virtual void SetBlinking(bool value);
    TColor BlinkColor() const { return blinkColor_; }
    virtual void SetBlinkColor(TColor value) { Change(blinkColor_, value); }
    // The intervals of the shared blinking list, the same for every blinking control.
    virtual uint16_t GetBlinkIntervalOff() const;
    virtual void SetBlinkIntervalOff(uint16_t value);
    virtual uint16_t GetBlinkIntervalOn() const;
    virtual void SetBlinkIntervalOn(uint16_t value);
    int BevelWidth() const { return bevelWidth_; }
    virtual void SetBevelWidth(int value) { Resize(bevelWidth_, value); }
    TFrameStyleEx BorderInner() const { return borderInner_; }
    virtual void SetBorderInner(TFrameStyleEx value) { Resize(borderInner_, value); }
    TFrameStyleEx BorderOuter() const { return borderOuter_; }
    virtual void SetBorderOuter(TFrameStyleEx value) { Resize(borderOuter_, value); }
    TSides BorderSides() const { return borderSides_; }
    virtual void SetBorderSides(TSides value) { Resize(borderSides_, value); }
    int BorderWidth() const { return borderWidth_; }
    virtual void SetBorderWidth(int value) { Resize(borderWidth_, value); }
    TColor BorderColor() const { return borderColor_; }
    virtual void SetBorderColor(TColor value) { Change(borderColor_, value); }
    TColor BorderHighlight() const { return borderHighlight_; }
    virtual void SetBorderHighlight(TColor value) { Change(borderHighlight_, value); }
    TColor BorderShadow() const { return borderShadow_; }
    virtual void SetBorderShadow(TColor value) { Change(borderShadow_, value); }
    TUiCondenseCaption CondenseCaption() const { return condenseCaption_; }
    virtual void SetCondenseCaption(TUiCondenseCaption value);
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
    TCenterPoint CenterPoint() const { return centerPoint_; }
    virtual void SetCenterPoint(TCenterPoint value) { Change(centerPoint_, value); }
    TColor FlyByColor() const { return flyByColor_; }
    virtual void SetFlyByColor(TColor value) { Change(flyByColor_, value); }
    bool FlyByEnabled() const { return flyByEnabled_; }
    virtual void SetFlyByEnabled(bool value);
    bool LightTextStyle() const { return lightTextStyle_; }
    virtual void SetLightTextStyle(bool value) { Change(lightTextStyle_, value); }
    TRotation Rotation() const { return rotation_; }
    virtual void SetRotation(TRotation value);
    int TextMargin() const { return textMargin_; }
    virtual void SetTextMargin(int value) { Change(textMargin_, value); }
    TTextStyle TextStyle() const { return textStyle_; }
    virtual void SetTextStyle(TTextStyle value) { Change(textStyle_, value); }
    TColor HighlightColor() const { return highlightColor_; }
    virtual void SetHighlightColor(TColor value) { Change(highlightColor_, value); }
    TColor ShadowColor() const { return shadowColor_; }
    virtual void SetShadowColor(TColor value) { Change(shadowColor_, value); }
    int ShadowDepth() const { return shadowDepth_; }
    virtual void SetShadowDepth(int value) { Change(shadowDepth_, value); }
    // The colour the caption is painted in now: the font's, or BlinkColor in a blink phase.
    TColor CurrentTextColor() const { return currentTextColor_; }

    void CustomFramingChanged() override;
    // bsOff shows BlinkColor, bsOn the normal colour; repaints at once.
    virtual void Blink(TBlinkState state);
    // Grows a size (Right = width, Bottom = height) by the borders, shadow and rotation.
    virtual void AdjustForBorders(TRect& rect);
    // Shrinks a rectangle to the text area (with `withBorderWidth` also by BorderWidth).
    virtual void FixClientRect(TRect& rect, bool withBorderWidth);

    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void BeforeDestruction() override;

protected:
    ~TUiLabel() override = default;
    void Paint() override;
    void AdjustBounds() override;

private:
    template <class T>
    void Change(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    template <class T>
    void Resize(T& field, T value) {
        if (field == value) return;
        field = value;
        AdjustBounds();
    }
    UINT CondenseFlag() const;
    UINT DrawFlags() const;
    void SwitchToTrueTypeFont();
    void FollowFontColor();
    void MouseEntered(bool entered);
    void PaintText();
    void PaintFlatText(const TRect& textRect, UINT flags);
    void PaintCurvedText();
    struct Pass {
        TColor Color;
        int Dx, Dy;
    };
    // The coloured layers of the caption in drawing order, the caption itself last; a
    // disabled label draws its style layers only when asked.
    std::vector<Pass> Passes(int shadowOffset, int captionOffset, bool stylesWhenDisabled) const;
    void DrawPass(TRect rect, UINT flags, TColor color);
    void PlaceVertically(TRect& rect, UINT flags);
    TPoint FlatReferencePoint(const TRect& textRect, int shadowStep, UINT& textAlign);

    int angle_ = 0;
    bool blinking_ = false;
    TColor blinkColor_ = clHighlight;
    int bevelWidth_ = 1;
    TFrameStyleEx borderInner_ = fsNone;
    TFrameStyleEx borderOuter_ = fsNone;
    TSides borderSides_ = AllSides;
    int borderWidth_ = 0;
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    TUiCondenseCaption condenseCaption_ = ccNone;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TUiFrameController* frameController_ = nullptr;
    TUiFrameControllerNotifications notifications_ = AllFrameControllerNotifications;
    TCenterPoint centerPoint_ = cpCenter;
    TColor flyByColor_ = clHighlight;
    bool flyByEnabled_ = false;
    bool lightTextStyle_ = false;
    TRotation rotation_ = roNone;
    int textMargin_ = 0;
    TTextStyle textStyle_ = tsNormal;
    TColor highlightColor_ = clBtnHighlight;
    TColor shadowColor_ = clBtnShadow;
    int shadowDepth_ = 2;
    TColor normalTextColor_;
    TColor currentTextColor_;
    // The font colour at the last mouse entry; an unentered label keeps its own colour.
    TColor savedFlyByColor_ = clBlack;
    bool flyByEntered_ = false;
};

// A label that opens its URL (or, when that is blank, its caption) with the shell when clicked.
class TUiURLLabel : public TUiLabel {
    CL_COMPONENT_CLASS(TUiURLLabel, TUiLabel)

    explicit TUiURLLabel(TComponent* owner);

    const AnsiString& URL() const { return url_; }
    void SetURL(const AnsiString& value) { url_ = value; }
    bool Visited() const { return visited_; }
    virtual void SetVisited(bool value);
    TColor UnvisitedColor() const { return unvisitedColor_; }
    virtual void SetUnvisitedColor(TColor value);
    TColor VisitedColor() const { return visitedColor_; }
    virtual void SetVisitedColor(TColor value);

protected:
    ~TUiURLLabel() override = default;
    void Click() override;
    virtual void UpdateFontColor();

private:
    AnsiString url_;
    bool visited_ = false;
    TColor unvisitedColor_ = clHighlight;
    TColor visitedColor_ = clPurple;
};

// Cursor table index of the hand cursor the URL labels show.
constexpr TCursor crUiHandPoint = 26000;
