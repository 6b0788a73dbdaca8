// The control library's combo box: ItemIndex, Items and Text as the class library keeps them;
// OnChange runs when the user selects an item, never when the program sets ItemIndex.
#pragma once

#include "cl_stdctrls.h"

class TUiComboBox : public TCustomComboBox {
    CL_COMPONENT_CLASS(TUiComboBox, TCustomComboBox)

    explicit TUiComboBox(TComponent* owner);
};
