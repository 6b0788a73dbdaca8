// The library's colour edit: a framed edit whose face is a swatch of the chosen colour (a hatch
// for none) and that drops down the colour picker when clicked; typing does nothing.
#pragma once

#include "UiColors.h"
#include "UiEdit.h"
#include "cl_dialogs.h"

class TUiColorEdit : public TUiCustomEdit {
    CL_COMPONENT_CLASS(TUiColorEdit, TUiCustomEdit)

    explicit TUiColorEdit(TComponent* owner);

    TColor SelectedColor() const { return selectedColor_; }
    virtual void SetSelectedColor(TColor value);
    // Handed to the picker at each drop-down; the custom colour comes back after a choice.
    TColor CustomColor() const { return customColor_; }
    void SetCustomColor(TColor value) { customColor_ = value; }
    TUiCustomColors* CustomColors() const { return customColors_; }
    virtual void SetCustomColors(TUiCustomColors* value);
    const TColorDialogOptions& ColorDlgOptions() const { return colorDlgOptions_; }
    void SetColorDlgOptions(const TColorDialogOptions& value) { colorDlgOptions_ = value; }
    TColor DefaultColor = clHighlight;
    AnsiString CustomColorCaption, DefaultColorCaption, NoColorCaption;
    bool ShowColorHints = true;
    bool ShowNoColor = false, ShowCustomColor = false, ShowDefaultColor = false,
         ShowSystemColors = false;

    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;

protected:
    ~TUiColorEdit() override = default;
    virtual void DisplayColorPicker();
    void HideButton() override { SetDropButtonVisible(false); }
    void ShowButton() override { SetDropButtonVisible(true); }
    void DropDown() override;
    void Dispatch(TMessage& message) override;

private:
    void PaintFace(HDC dc);

    TColor selectedColor_ = clNone;
    TColor customColor_ = clWhite;
    TUiCustomColors* customColors_ = nullptr;
    TColorDialogOptions colorDlgOptions_ = {cdFullOpen};
};
