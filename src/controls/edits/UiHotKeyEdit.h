// The library's framed hot-key edit: the system hot-key control with state colours, the
// non-client frame and hot tracking.
#pragma once

#include "UiFramedControl.h"
#include "cl_comctrls.h"

class TUiHotKeyEdit : public TUiFramedControl<THotKey> {
    CL_COMPONENT_CLASS(TUiHotKeyEdit, THotKey)

    explicit TUiHotKeyEdit(TComponent* owner);

protected:
    ~TUiHotKeyEdit() override = default;

    bool HotCondition() override { return HasKeyboardFocus(this) || overControl_; }
    void UpdateFrame(bool byMouse, bool value) override;
};
