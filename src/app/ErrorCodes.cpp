#include "ErrorCodes.h"

TErrorCodesForm* ErrorCodesForm = nullptr;

TErrorCodesForm::TErrorCodesForm(TComponent* owner) : TForm(owner) {
    BeginLoading(this);
    SetName("ErrorCodesForm");
    SetCaption("Notices From Monitor");
    SetPosition(poMainFormCenter);
    SetBounds(0, 0, 649, 436);
    EndLoading(this);
}
