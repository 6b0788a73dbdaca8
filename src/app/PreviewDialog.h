// The print preview window; its pages, zoom and print commands come with the report.
#pragma once

#include "cl_forms.h"

class TfrmPrintPreview : public TForm {
    CL_COMPONENT_CLASS(TfrmPrintPreview, TForm)

    explicit TfrmPrintPreview(TComponent* owner);
};

extern TfrmPrintPreview* frmPrintPreview;
