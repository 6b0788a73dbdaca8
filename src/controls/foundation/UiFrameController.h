// The frame controller: one set of frame and colour settings pushed to every framed control
// that names it, loaded and saved through a settings store.
#pragma once

#include <vector>

#include "UiCommon.h"
#include "cl_component.h"

class TUiRegIniFile;

class TUiFrameController : public TComponent {
    CL_COMPONENT_CLASS(TUiFrameController, TComponent)

    explicit TUiFrameController(TComponent* owner);

    // Registers a control and pushes every setting to it; a second registration is ignored.
    void AddControl(TComponent* component);
    void RemoveControl(TComponent* component);
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    void UpdateControls() { UpdateFrames(fcpAll); }
    // The control's FrameControllerNotifications, all sixteen when it publishes none.
    static TUiFrameControllerNotifications GetNotifications(TComponent* component);
    // ENoRegIniFile without a store.
    void Load(const AnsiString& section);
    void Save(const AnsiString& section);
    void Assign(TPersistent* source) override;

    TColor Color() const { return color_; }
    virtual void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    virtual void SetParentColor(bool value);
    TColor FlatButtonColor() const { return flatButtonColor_; }
    virtual void SetFlatButtonColor(TColor value);
    bool FlatButtons() const { return flatButtons_; }
    virtual void SetFlatButtons(bool value);
    TColor DisabledColor() const { return disabledColor_; }
    virtual void SetDisabledColor(TColor value);
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    virtual void SetReadOnlyColor(TColor value);
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    virtual void SetReadOnlyColorOnFocus(bool value);
    TColor FocusColor() const { return focusColor_; }
    virtual void SetFocusColor(TColor value);
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value);
    TColor FrameHotColor() const { return frameHotColor_; }
    virtual void SetFrameHotColor(TColor value);
    bool FrameHotTrack() const { return frameHotTrack_; }
    virtual void SetFrameHotTrack(bool value);
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    virtual void SetFrameHotStyle(TFrameStyle value);
    TSides FrameSides() const { return frameSides_; }
    virtual void SetFrameSides(TSides value);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    virtual void SetFrameStyle(TFrameStyle value);
    bool FrameVisible() const { return frameVisible_; }
    virtual void SetFrameVisible(bool value);
    TFramingPreference FramingPreference() const { return framingPreference_; }
    virtual void SetFramingPreference(TFramingPreference value);
    TUiRegIniFile* RegIniFile() const { return regIniFile_; }
    virtual void SetRegIniFile(TUiRegIniFile* store);

protected:
    ~TUiFrameController() override = default;
    virtual void UpdateControlFrame(TComponent* component, TUiFrameControllerProperty property);
    virtual void UpdateFrames(TUiFrameControllerProperty property);
    void DefineProperties(TFiler* filer) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void WriteProperty(TComponent* control, TUiFrameControllerProperty property);

    TColor color_;
    bool parentColor_ = false;
    TColor flatButtonColor_;
    bool flatButtons_ = true;
    TColor disabledColor_;
    TColor readOnlyColor_;
    bool readOnlyColorOnFocus_ = false;
    TColor focusColor_;
    TColor frameColor_;
    TColor frameHotColor_;
    bool frameHotTrack_ = false;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    TSides frameSides_ = AllSides;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    TFramingPreference framingPreference_ = fpXPThemes;
    TUiRegIniFile* regIniFile_ = nullptr;
    int updateCount_ = 0;
    std::vector<TComponent*> controls_;
};
