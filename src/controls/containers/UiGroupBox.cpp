#include "UiGroupBox.h"

TUiGroupBox::TUiGroupBox(TComponent* owner) : TUiCustomPanel(owner) {
    SetBevelOuter(bvNone);
}

void TUiGroupBox::AdjustClientRect(TRect& rect) {
    TUiCustomPanel::AdjustClientRect(rect);
    Canvas()->SetFont(Font());
    rect.Top += Canvas()->TextHeight("0");
    rect.Left += 2;
    rect.Right -= 2;
    rect.Bottom -= 2;
}

void TUiGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    canvas->SetFont(Font());
    const int textHeight = canvas->TextHeight("0");
    TRect frame(0, textHeight / 2, Width(), Height());
    Frame3D(canvas, frame, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, frame, clBtnHighlight, clBtnShadow, 1);
    const AnsiString caption = Caption();
    if (caption.IsEmpty()) return;
    canvas->TextOut(8, 0, " " + caption + " ");
}
