// The notices window; reading, clearing and saving the monitor's notices come with it later.
#pragma once

#include "cl_forms.h"

class TErrorCodesForm : public TForm {
    CL_COMPONENT_CLASS(TErrorCodesForm, TForm)

    explicit TErrorCodesForm(TComponent* owner);
};

extern TErrorCodesForm* ErrorCodesForm;
