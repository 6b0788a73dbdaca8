// The buffered paint box: a control that paints itself from an off-screen bitmap of its client
// size; its owner draws into that bitmap when the control asks for it.
#pragma once

#include "cl_controls.h"
#include "cl_graphics.h"

class TBufferedPaintBox : public TCustomControl {
    CL_COMPONENT_CLASS(TBufferedPaintBox, TCustomControl)

    explicit TBufferedPaintBox(TComponent* owner);

    // The off-screen picture; draw into it, then Invalidate to show it.
    TBitmap* Buffer() const { return buffer_.get(); }
    const AnsiString& Version() const { return version_; }
    // Fills the whole buffer with Color.
    void EmptyBuffer();
    void Dispatch(TMessage& message) override;

    // Asked to redraw the whole buffer after its size changed; without it the buffer is
    // emptied.
    TNotifyEvent OnNeedRender;

protected:
    void Paint() override;
    virtual void DoNeedRender();

private:
    TOwnedPtr<TBitmap> buffer_;
    AnsiString version_ = "1.00.00";
};
