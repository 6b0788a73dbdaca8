// The control library's push button: caption, hint, hot tracking and a glyph index into an image
// list. A click first hands the button's ModalResult to its form, then runs OnClick.
#pragma once

#include "cl_stdctrls.h"

class TCustomImageList;

class TUiBitBtn : public TButton {
    CL_COMPONENT_CLASS(TUiBitBtn, TButton)

    explicit TUiBitBtn(TComponent* owner);

    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value) { hotTrack_ = value; }
    // A disabled button ignores clicks, the program's included.
    void Click() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TCustomImageList* images_ = nullptr;
    int imageIndex_ = -1;
    bool hotTrack_ = false;
};
