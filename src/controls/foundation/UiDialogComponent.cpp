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

namespace {

// The published properties, for the component streams.
const bool dialogComponentPropertiesRegistered = [] {
    using C = TUiDialogComponent;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, OrdinalProperty<C>("CenterToParent", pkBool, &C::CenterToParent,
                                              &C::SetCenterToParent, 0));
    RegisterProperty(meta, OrdinalProperty<C>("OriginLeft", pkInteger, &C::OriginLeft,
                                              &C::SetOriginLeft, 100));
    RegisterProperty(meta, OrdinalProperty<C>("OriginTop", pkInteger, &C::OriginTop,
                                              &C::SetOriginTop, 100));
    RegisterProperty(meta, EnumProperty<C>("Position", &C::Position, &C::SetPosition,
                                           {"poDesigned", "poDefault", "poDefaultPosOnly",
                                            "poDefaultSizeOnly", "poScreenCenter",
                                            "poDesktopCenter", "poMainFormCenter",
                                            "poOwnerFormCenter"},
                                           poScreenCenter));
    return true;
}();

}  // namespace
