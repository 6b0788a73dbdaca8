#include "BufferedPaintBox.h"

TBufferedPaintBox::TBufferedPaintBox(TComponent* owner)
    : TCustomControl(owner), buffer_(new TBitmap) {
    ControlStyle.insert(csOpaque);
    SetColor(clWindow);
}

void TBufferedPaintBox::EmptyBuffer() {
    TCanvas* canvas = buffer_->Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(TRect(0, 0, buffer_->Width(), buffer_->Height()));
}

void TBufferedPaintBox::DoNeedRender() {
    if (OnNeedRender)
        OnNeedRender(this);
    else
        EmptyBuffer();
}

void TBufferedPaintBox::Paint() {
    const TRect client = ClientRect();
    if (InState(csDesigning)) {
        Canvas()->Pen()->SetStyle(psDash);
        Canvas()->Brush()->SetStyle(bsClear);
        Canvas()->Rectangle(client);
        return;
    }
    if (buffer_->Width() != client.Right || buffer_->Height() != client.Bottom) {
        buffer_->SetSize(client.Right, client.Bottom);
        DoNeedRender();
    }
    Canvas()->Draw(0, 0, buffer_.get());
}

// The arrow keys come to the control instead of moving the focus.
void TBufferedPaintBox::Dispatch(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTARROWS;
        return;
    }
    TCustomControl::Dispatch(message);
}
