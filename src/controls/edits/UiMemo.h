// The control library's framed memo: the class library's memo with its Lines, Clear and the
// whole text with CR LF between lines.
#pragma once

#include "cl_stdctrls.h"

class TUiMemo : public TMemo {
    CL_COMPONENT_CLASS(TUiMemo, TMemo)

    explicit TUiMemo(TComponent* owner);
};
