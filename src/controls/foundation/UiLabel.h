// The control library's label: a caption drawn on its parent whose text, font colour and style
// the windows set.
#pragma once

#include "cl_stdctrls.h"

class TUiLabel : public TLabel {
    CL_COMPONENT_CLASS(TUiLabel, TLabel)

    explicit TUiLabel(TComponent* owner);
};
