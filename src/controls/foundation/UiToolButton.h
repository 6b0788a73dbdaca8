// The control library's tool button: a flat button painted on its parent with a glyph from an
// image list and an optional caption beside or under it; it rises under the mouse.
#pragma once

#include "cl_extctrls.h"

class TCustomImageList;

class TUiToolButton : public TGraphicControl {
    CL_COMPONENT_CLASS(TUiToolButton, TGraphicControl)

    explicit TUiToolButton(TComponent* owner);

    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    bool Down() const { return down_; }

    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void PaintGlyph(const TRect& area);
    void PaintCaption(const TRect& area);
    void SetHot(bool hot);

    TCustomImageList* images_ = nullptr;
    int imageIndex_ = -1;
    TButtonLayout layout_ = blGlyphLeft;
    bool showCaption_ = false;
    bool down_ = false;
    bool hot_ = false;
};
