#include "PreviewDialog.h"

TfrmPrintPreview* frmPrintPreview = nullptr;

TfrmPrintPreview::TfrmPrintPreview(TComponent* owner) : TForm(owner) {
    BeginLoading(this);
    SetName("frmPrintPreview");
    SetCaption("Print Preview");
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 938, 738);
    EndLoading(this);
}
