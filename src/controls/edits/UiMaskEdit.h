// The library's masked edit: the framed edit with its edit mask, masked text and validation
// error event published.
#pragma once

#include "UiEdit.h"

class TUiMaskEdit : public TUiCustomEdit {
    CL_COMPONENT_CLASS(TUiMaskEdit, TUiCustomEdit)

    explicit TUiMaskEdit(TComponent* owner) : TUiCustomEdit(owner) {}

    AnsiString GetText() { return TCustomMaskEdit::Text(); }
    void SetText(const AnsiString& text) { TCustomMaskEdit::SetText(text); }
    // The edit text, the mask's literals included.
    AnsiString GetRightJustifiedText() override { return EditText(); }

protected:
    ~TUiMaskEdit() override = default;
};
