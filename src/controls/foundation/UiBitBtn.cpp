#include "UiBitBtn.h"

#include "cl_imagelist.h"

TUiBitBtn::TUiBitBtn(TComponent* owner) : TButton(owner) {}

void TUiBitBtn::Click() {
    if (Enabled()) TButton::Click();
}

void TUiBitBtn::SetImages(TCustomImageList* images) {
    if (images == images_) return;
    images_ = images;
    if (images_) images_->FreeNotification(this);
    Invalidate();
}

void TUiBitBtn::SetImageIndex(int index) {
    if (index == imageIndex_) return;
    imageIndex_ = index;
    Invalidate();
}

void TUiBitBtn::Notification(TComponent* component, TOperation operation) {
    TButton::Notification(component, operation);
    if (operation == opRemove && component == images_)
        images_ = nullptr;
}
