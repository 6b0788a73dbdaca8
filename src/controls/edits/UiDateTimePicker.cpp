#include "UiDateTimePicker.h"

TUiDateTimePicker::TUiDateTimePicker(TComponent* owner) : TDateTimePicker(owner) {}

void TUiDateTimePicker::SetFormat(const AnsiString& format) { TDateTimePicker::SetFormat(format); }
