// The control library's framed edit. SetText makes the given text the whole text whatever
// MaxLength says (MaxLength limits typing only); a read-only edit refuses typing; OnKeyPress
// may discard a key by setting it to 0.
#pragma once

#include "cl_stdctrls.h"

class TUiCustomEdit : public TCustomMaskEdit {
    CL_COMPONENT_CLASS(TUiCustomEdit, TCustomMaskEdit)

    explicit TUiCustomEdit(TComponent* owner);

    void SetReadOnly(bool readOnly) override;
};

class TUiEdit : public TUiCustomEdit {
    CL_COMPONENT_CLASS(TUiEdit, TUiCustomEdit)

    explicit TUiEdit(TComponent* owner) : TUiCustomEdit(owner) {}

    AnsiString GetText() { return TCustomMaskEdit::Text(); }
    void SetText(const AnsiString& text) { TCustomMaskEdit::SetText(text); }
};
