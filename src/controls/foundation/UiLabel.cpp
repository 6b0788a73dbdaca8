#include "UiLabel.h"

TUiLabel::TUiLabel(TComponent* owner) : TLabel(owner) {}
