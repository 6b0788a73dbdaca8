#include "UiComboBox.h"

TUiComboBox::TUiComboBox(TComponent* owner) : TCustomComboBox(owner) {
    SetBounds(0, 0, 145, 21);
}
