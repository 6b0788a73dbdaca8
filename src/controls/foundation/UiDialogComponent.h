// The base of the library's dialog components: the settings a descendant builds and shows its
// dialog form with (font, origin, size, border, frame look, button captions, position).
#pragma once

#include "UiCommon.h"
#include "cl_component.h"
#include "cl_forms.h"

class TUiDialogComponent : public TComponent {
    CL_COMPONENT_CLASS(TUiDialogComponent, TComponent)

    explicit TUiDialogComponent(TComponent* owner);

    bool CenterToParent() const { return centerToParent_; }
    // Also sets Position: owner-form centre when true, screen centre when false.
    void SetCenterToParent(bool value);
    int OriginLeft() const { return originLeft_; }
    void SetOriginLeft(int value) { originLeft_ = value; }
    int OriginTop() const { return originTop_; }
    void SetOriginTop(int value) { originTop_ = value; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TFont* Font() const { return font_; }
    void SetFont(TFont* font) { font_->Assign(font); }
    // Applies Position to the form.
    void CenterForm(TCustomForm* form);

protected:
    ~TUiDialogComponent() override;

    int width_ = 350;
    int height_ = 300;
    TBorderStyle borderStyle_ = bsSizeable;
    int helpContext_ = 0;
    TColor frameColor_ = clBtnShadow;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    TFramingPreference framingPreference_ = fpXPThemes;
    AnsiString captionOK_, captionCancel_, captionHelp_;

private:
    TFont* font_;
    bool centerToParent_ = false;
    int originLeft_ = 100;
    int originTop_ = 100;
    TPosition position_ = poScreenCenter;
};
