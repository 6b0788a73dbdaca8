#include "UiEdit.h"

TUiCustomEdit::TUiCustomEdit(TComponent* owner) : TCustomMaskEdit(owner) {
    SetBounds(0, 0, 121, 21);
}

void TUiCustomEdit::SetReadOnly(bool readOnly) {
    if (readOnly == ReadOnly()) return;
    TCustomMaskEdit::SetReadOnly(readOnly);
    Invalidate();
}
