// The control library's date-time picker: the display format is handed to the picker window
// as its format; Date and Time are the class library's picker's.
#pragma once

#include "cl_comctrls.h"

class TUiDateTimePicker : public TDateTimePicker {
    CL_COMPONENT_CLASS(TUiDateTimePicker, TDateTimePicker)

    explicit TUiDateTimePicker(TComponent* owner);

    void SetFormat(const AnsiString& format);
};
