#include "UiDialogComponent.h"

#include "cl_except.h"

TUiDialogComponent::TUiDialogComponent(TComponent* owner)
    : TComponent(owner), captionOK_(SOKButton), captionCancel_(SCancelButton),
      captionHelp_(SHelpButton), font_(new TFont) {
    if (auto* form = dynamic_cast<TCustomForm*>(owner)) {
        font_->Assign(form->Font());
    } else {
        font_->SetName("MS Sans Serif");
        font_->SetSize(8);
        font_->SetStyle({});
    }
}

TUiDialogComponent::~TUiDialogComponent() { delete font_; }

void TUiDialogComponent::SetCenterToParent(bool value) {
    if (value == centerToParent_) return;
    centerToParent_ = value;
    position_ = value ? poOwnerFormCenter : poScreenCenter;
}

void TUiDialogComponent::CenterForm(TCustomForm* form) { form->SetPosition(position_); }
