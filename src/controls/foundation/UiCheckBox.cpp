#include "UiCheckBox.h"

TUiCustomCheckBox::TUiCustomCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}

void TUiCustomCheckBox::SetChecked(bool checked) {
    const TCheckBoxState state = checked ? cbChecked : cbUnchecked;
    if (state == State()) return;
    SetState(state);
    Invalidate();
}
