// What the library's edits, memos and pickers share: background colours by state (disabled,
// focused, read-only), a two-pixel frame painted in the non-client area, hot tracking.
#pragma once

#include <windows.h>

#include "UiCommon.h"
#include "UiDrawing.h"
#include "UiFrameController.h"
#include "cl_controls.h"
#include "cl_filer.h"

// The state whose colour a framed control shows.
enum TUiColorState { csDisabledState, csFocusedState, csReadOnlyState, csNormalState };

// A control canvas drawing on `dc` for a scope; with no DC the canvas fetches and releases the
// window's own.
class TCanvasBinding {
public:
    TCanvasBinding(TControlCanvas* canvas, HDC dc) : canvas_(canvas), bound_(dc != nullptr) {
        if (bound_) canvas_->BindDC(dc);
    }
    ~TCanvasBinding() {
        if (bound_)
            canvas_->BindDC(nullptr);
        else
            canvas_->FreeHandle();
    }
    TCanvasBinding(const TCanvasBinding&) = delete;
    TCanvasBinding& operator=(const TCanvasBinding&) = delete;

private:
    TControlCanvas* canvas_;
    bool bound_;
};

// The DC of the whole window, non-client area included, for a scope.
class TWindowDC {
public:
    explicit TWindowDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~TWindowDC() { ReleaseDC(window_, dc_); }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC Handle() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// True when the keyboard focus is on the window or one of its children.
bool HasKeyboardFocus(TWinControl* control);
// True when visual styles are in force.
bool VisualStylesEnabled();
// Paints the frame over the window's outer two pixels through `canvas`, on the window's DC.
void PaintWindowFrame(TWinControl* control, TControlCanvas* canvas, TFrameStyle style,
                      TColor frameColor, TSides sides);
// The frame-style and framing-preference identifiers, in their enumerations' order.
const std::vector<AnsiString>& FrameStyleIdents();
const std::vector<AnsiString>& FramingPreferenceIdents();
// A bit set as its element names joined by commas ("sdLeft,sdTop") and back; an unknown name
// raises EConvertError.
AnsiString BitsToText(unsigned bits, const std::vector<AnsiString>& names);
unsigned TextToBits(const AnsiString& text, const std::vector<AnsiString>& names);

template <class Base>
class TUiFramedControl : public Base {
public:
    explicit TUiFramedControl(TComponent* owner) : Base(owner), canvas_(new TControlCanvas) {
        canvas_->SetControl(this);
    }

    void BeforeDestruction() override {
        SetFrameController(nullptr);
        Base::BeforeDestruction();
        delete canvas_;
        canvas_ = nullptr;
    }

    TColor DisabledColor() const { return disabledColor_; }
    virtual void SetDisabledColor(TColor value) {
        disabledColor_ = value;
        if (ColorState() == csDisabledState) UpdateColors();
    }
    TColor FocusColor() const { return focusColor_; }
    virtual void SetFocusColor(TColor value) {
        focusColor_ = value;
        if (ColorState() == csFocusedState) UpdateColors();
    }
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    virtual void SetReadOnlyColor(TColor value) {
        readOnlyColor_ = value;
        if (ColorState() == csReadOnlyState) UpdateColors();
    }
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    void SetReadOnlyColorOnFocus(bool value) { readOnlyColorOnFocus_ = value; }
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value) { StoreAndRepaint(frameColor_, value); }
    TColor FrameHotColor() const { return frameHotColor_; }
    virtual void SetFrameHotColor(TColor value) { StoreAndRepaint(frameHotColor_, value); }
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    virtual void SetFrameHotStyle(TFrameStyle value) { StoreAndRepaint(frameHotStyle_, value); }
    TFrameStyle FrameStyle() const { return frameStyle_; }
    virtual void SetFrameStyle(TFrameStyle value) { StoreAndRepaint(frameStyle_, value); }
    TSides FrameSides() const { return frameSides_; }
    virtual void SetFrameSides(TSides value) { StoreAndRepaint(frameSides_, value); }
    bool FrameVisible() const { return frameVisible_; }
    virtual void SetFrameVisible(bool value) {
        if (value == frameVisible_) return;
        frameVisible_ = value;
        if (value && FrameVisibleSetsCtl3D()) this->SetCtl3D(true);
        this->RecreateWnd();
    }
    bool FrameHotTrack() const { return frameHotTrack_; }
    virtual void SetFrameHotTrack(bool value) {
        if (value == frameHotTrack_) return;
        frameHotTrack_ = value;
        if (value) {
            SetFrameVisible(true);
            if (!this->InState(csLoading)) frameSides_ = AllSides;
        }
        RepaintFrame();
        this->Invalidate();
    }
    TFramingPreference FramingPreference() const { return framingPreference_; }
    virtual void SetFramingPreference(TFramingPreference value) {
        if (value == framingPreference_) return;
        framingPreference_ = value;
        if (value == fpCustomFraming) RepaintFrame();
    }
    TUiFrameController* FrameController() const { return controller_; }
    virtual void SetFrameController(TUiFrameController* value) {
        TUiFrameController::Relink(this, controller_, value);
    }
    TUiFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TUiFrameControllerNotifications value) {
        notifications_ = value;
    }

    // With fpXPThemes and visual styles in force the themed border replaces the frame.
    virtual bool UseThemes() { return framingPreference_ == fpXPThemes && VisualStylesEnabled(); }
    virtual void UpdateColors() {
        if (this->InState(csLoading)) return;
        applyingColor_ = true;
        try {
            this->SetColor(StateColor(ColorState()));
        } catch (...) {
            applyingColor_ = false;
            throw;
        }
        applyingColor_ = false;
    }
    virtual void RepaintFrame() {
        if (this->HandleAllocated()) InvalidateWindowFrame(this->WindowHandle(), WholeWindow());
    }
    // The control's colour state by the precedence disabled, focused, read-only, normal.
    TUiColorState ColorState() {
        if (!this->Enabled()) return csDisabledState;
        if (HasKeyboardFocus(this))
            return ReadOnlyValue() && readOnlyColorOnFocus_ ? csReadOnlyState : csFocusedState;
        return ReadOnlyValue() ? csReadOnlyState : csNormalState;
    }
    // Whether the form stores a frame setting: not while a controller supplies it.
    bool StoresFrameSetting(TUiFrameControllerProperty property) const {
        return !controller_ || !((notifications_ >> property) & 1);
    }
    bool IsHot() { return frameHotTrack_ && HotCondition(); }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    ~TUiFramedControl() override = default;

    virtual bool ReadOnlyValue() { return false; }
    // Whether showing the frame switches the 3-D border on.
    virtual bool FrameVisibleSetsCtl3D() const { return true; }
    // Besides FrameHotTrack, what makes the frame hot.
    virtual bool HotCondition() { return inControl_ || overControl_; }
    virtual void UpdateFrame(bool byMouse, bool value) {
        (byMouse ? overControl_ : inControl_) = value;
        if (frameHotTrack_) RepaintFrame();
        UpdateColors();
    }
    // WM_NCPAINT after the default border; true when the frame was painted.
    virtual bool PaintFrame() {
        if (!frameVisible_ || !canvas_ || UseThemes()) return false;
        const bool hot = IsHot();
        PaintWindowFrame(this, canvas_, hot ? frameHotStyle_ : frameStyle_,
                         hot ? frameHotColor_ : frameColor_, frameSides_);
        return true;
    }
    virtual void EnabledChanged() { UpdateColors(); }

    void Loaded() override {
        Base::Loaded();
        UpdateColors();
        UpdateFrame(false, false);
    }
    void Notification(TComponent* component, TOperation operation) override {
        Base::Notification(component, operation);
        if (operation == opRemove && component == controller_) controller_ = nullptr;
    }
    void DefineProperties(TFiler* filer) override {
        Base::DefineProperties(filer);
        filer->DefineProperty("FrameFlat", [this](TReader* r) { ReadFrameFlat(r); }, nullptr,
                              false);
        filer->DefineProperty("FrameFocusStyle", [this](TReader* r) { ReadFrameFocusStyle(r); },
                              nullptr, false);
        filer->DefineProperty("FrameFlatStyle", &TUiOldPropReader::ReadOldIdentProp, nullptr,
                              false);
    }

    void Dispatch(TMessage& message) override {
        switch (message.Msg) {
        case CM_COLORCHANGED:
            Base::Dispatch(message);
            return TrackUserColor();
        case CM_PARENTCOLORCHANGED:
            Base::Dispatch(message);
            if (this->ParentColor()) TrackUserColor();
            return;
        case CM_ENABLEDCHANGED:
            Base::Dispatch(message);
            return EnabledChanged();
        case CM_ENTER:
            UpdateFrame(false, true);
            return Base::Dispatch(message);
        case CM_EXIT:
            Base::Dispatch(message);
            return UpdateFrame(false, false);
        case CM_MOUSEENTER:
            Base::Dispatch(message);
            if (OnMouseEnter) OnMouseEnter(this);
            return UpdateFrame(true, true);
        case CM_MOUSELEAVE:
            Base::Dispatch(message);
            if (OnMouseLeave) OnMouseLeave(this);
            return UpdateFrame(true, false);
        case WM_NCPAINT:
            Base::Dispatch(message);
            if (PaintFrame()) message.Result = 0;
            return;
        case WM_SIZE:
            Base::Dispatch(message);
            if (frameVisible_ && !UseThemes()) RepaintFrame();
            return;
        default:
            Base::Dispatch(message);
        }
    }

    // The colour shown in a state.
    TColor StateColor(TUiColorState state) const {
        switch (state) {
        case csDisabledState: return disabledColor_;
        case csFocusedState: return focusColor_;
        case csReadOnlyState: return readOnlyColor_;
        default: return normalColor_;
        }
    }
    TRect WholeWindow() { return TRect(-2, -2, this->Width(), this->Height()); }
    virtual void TrackUserColor() {
        if (!applyingColor_) {
            if (focusColor_ == normalColor_) focusColor_ = this->Color();
            normalColor_ = this->Color();
        }
        if (frameVisible_ && !UseThemes()) RepaintFrame();
    }

    TControlCanvas* canvas_;
    TColor normalColor_ = clWindow;
    bool applyingColor_ = false;
    bool inControl_ = false;
    bool overControl_ = false;

private:
    template <class T> void StoreAndRepaint(T& field, T value) {
        if (value == field) return;
        field = value;
        RepaintFrame();
    }
    void ReadFrameFlat(TReader* reader) {
        frameHotTrack_ = reader->ReadBoolean();
        if (!frameHotTrack_) return;
        frameStyle_ = fsStatus;
        frameHotStyle_ = fsLowered;
    }
    void ReadFrameFocusStyle(TReader* reader) {
        const AnsiString ident = reader->ReadIdent();
        for (size_t i = 0; i < FrameStyleIdents().size(); ++i)
            if (SameText(FrameStyleIdents()[i], ident)) frameHotStyle_ = static_cast<TFrameStyle>(i);
    }

    TColor disabledColor_ = clBtnFace;
    TColor focusColor_ = clWindow;
    TColor readOnlyColor_ = clInfoBk;
    bool readOnlyColorOnFocus_ = false;
    TColor frameColor_ = clBtnShadow;
    TColor frameHotColor_ = clBtnShadow;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    TFrameStyle frameStyle_ = fsFlat;
    TSides frameSides_ = AllSides;
    bool frameVisible_ = false;
    bool frameHotTrack_ = false;
    TFramingPreference framingPreference_ = fpXPThemes;
    TUiFrameController* controller_ = nullptr;
    TUiFrameControllerNotifications notifications_ = AllFrameControllerNotifications;
};

// Which of the shared properties a framed class publishes.
enum TUiFramedPublish : unsigned {
    fpubReadOnlyColors = 1,    // ReadOnlyColor, ReadOnlyColorOnFocus
    fpubNotifications = 2,     // FrameControllerNotifications
};

// Publishes the framed properties of class C with the form-storing rules of a controller.
template <class C> void RegisterFramedProperties(unsigned publish) {
    const TMetaClass* meta = C::StaticClass();
    auto stored = [](TUiFrameControllerProperty p) {
        return [p](TObject* o) { return static_cast<C*>(o)->StoresFrameSetting(p); };
    };
    auto color = [&](const char* name, TColor (C::*get)() const, void (C::*set)(TColor),
                     TColor def, TUiFrameControllerProperty p) {
        TPropertyInfo info = OrdinalProperty<C>(name, pkColor, get, set, def);
        info.IsStored = stored(p);
        RegisterProperty(meta, info);
    };
    auto flag = [&](const char* name, bool (C::*get)() const, void (C::*set)(bool), bool def,
                    TUiFrameControllerProperty p) {
        TPropertyInfo info = OrdinalProperty<C>(name, pkBool, get, set, def);
        info.IsStored = stored(p);
        RegisterProperty(meta, info);
    };
    auto style = [&](const char* name, TFrameStyle (C::*get)() const,
                     void (C::*set)(TFrameStyle), TFrameStyle def, TUiFrameControllerProperty p) {
        TPropertyInfo info = EnumProperty<C>(name, get, set, FrameStyleIdents(), def);
        info.IsStored = stored(p);
        RegisterProperty(meta, info);
    };
    TPropertyInfo userColor = OrdinalProperty<C>("Color", pkColor, &C::Color, &C::SetColor);
    userColor.IsStored = [](TObject* o) {
        auto* c = static_cast<C*>(o);
        return !c->ParentColor() && c->Enabled() && c->StoresFrameSetting(fcpColor);
    };
    RegisterProperty(meta, userColor);
    color("DisabledColor", &C::DisabledColor, &C::SetDisabledColor, clBtnFace, fcpDisabledColor);
    TPropertyInfo focus =
        OrdinalProperty<C>("FocusColor", pkColor, &C::FocusColor, &C::SetFocusColor, clWindow);
    focus.IsStored = [](TObject* o) {
        auto* c = static_cast<C*>(o);
        return c->StoresFrameSetting(fcpFocusColor) &&
               ColorToRGB(c->FocusColor()) != ColorToRGB(c->Color());
    };
    focus.HasDefault = false;
    RegisterProperty(meta, focus);
    if (publish & fpubReadOnlyColors) {
        color("ReadOnlyColor", &C::ReadOnlyColor, &C::SetReadOnlyColor, clInfoBk,
              fcpReadOnlyColor);
        flag("ReadOnlyColorOnFocus", &C::ReadOnlyColorOnFocus, &C::SetReadOnlyColorOnFocus,
             false, fcpReadOnlyColorOnFocus);
    }
    color("FrameColor", &C::FrameColor, &C::SetFrameColor, clBtnShadow, fcpFrameColor);
    color("FrameHotColor", &C::FrameHotColor, &C::SetFrameHotColor, clBtnShadow,
          fcpFrameHotColor);
    flag("FrameHotTrack", &C::FrameHotTrack, &C::SetFrameHotTrack, false, fcpFrameHotTrack);
    style("FrameHotStyle", &C::FrameHotStyle, &C::SetFrameHotStyle, fsFlatBold,
          fcpFrameHotStyle);
    style("FrameStyle", &C::FrameStyle, &C::SetFrameStyle, fsFlat, fcpFrameStyle);
    flag("FrameVisible", &C::FrameVisible, &C::SetFrameVisible, false, fcpFrameVisible);
    TPropertyInfo sides;
    sides.Name = "FrameSides";
    sides.Kind = pkSet;
    sides.GetText = [](TObject* o) {
        return BitsToText(static_cast<C*>(o)->FrameSides(), SideNames());
    };
    sides.SetText = [](TObject* o, const AnsiString& text) {
        static_cast<C*>(o)->SetFrameSides(static_cast<TSides>(TextToBits(text, SideNames())));
    };
    sides.DefaultText = BitsToText(AllSides, SideNames());
    sides.IsStored = stored(fcpFrameSides);
    RegisterProperty(meta, sides);
    RegisterProperty(meta, EnumProperty<C>("FramingPreference", &C::FramingPreference,
                                           &C::SetFramingPreference, FramingPreferenceIdents(),
                                           fpXPThemes));
    RegisterProperty(meta, ComponentProperty<C, TUiFrameController>(
                               "FrameController", &C::FrameController, &C::SetFrameController));
    if (!(publish & fpubNotifications)) return;
    TPropertyInfo notifications = OrdinalProperty<C>("FrameControllerNotifications", pkSet,
                                                     &C::FrameControllerNotifications,
                                                     &C::SetFrameControllerNotifications);
    notifications.HasDefault = false;
    notifications.GetText = [](TObject* o) {
        return BitsToText(static_cast<C*>(o)->FrameControllerNotifications(),
                          FrameControllerPropertyNames());
    };
    notifications.SetText = [](TObject* o, const AnsiString& text) {
        static_cast<C*>(o)->SetFrameControllerNotifications(
            static_cast<TUiFrameControllerNotifications>(
                TextToBits(text, FrameControllerPropertyNames())));
    };
    notifications.DefaultText =
        BitsToText(AllFrameControllerNotifications, FrameControllerPropertyNames());
    RegisterProperty(meta, notifications);
}
