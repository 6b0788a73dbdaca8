// The control library's check box. Checked reads true only for the checked state; setting it
// runs the box's OnClick whenever the state changes, so the program's changes run the same
// handler as the user's clicks.
#pragma once

#include "cl_stdctrls.h"

class TUiCustomCheckBox : public TCustomCheckBox {
    CL_COMPONENT_CLASS(TUiCustomCheckBox, TCustomCheckBox)

    explicit TUiCustomCheckBox(TComponent* owner);

    bool GetChecked() const { return State() == cbChecked; }
    void SetChecked(bool checked);
};

class TUiCheckBox : public TUiCustomCheckBox {
    CL_COMPONENT_CLASS(TUiCheckBox, TUiCustomCheckBox)

    explicit TUiCheckBox(TComponent* owner) : TUiCustomCheckBox(owner) {}
};
