#include "UiMemo.h"

TUiMemo::TUiMemo(TComponent* owner) : TMemo(owner) {}
