#include "UiToolbar.h"

#include "UiToolButton.h"
#include "cl_imagelist.h"

namespace {
constexpr int Margin = 2;
}  // namespace

TUiToolbar::TUiToolbar(TComponent* owner) : TUiCustomPanel(owner) {
    SetBevelOuter(bvNone);
    SetAlign(alTop);
    SetBounds(0, 0, 32, 32);
    ControlStyle.insert(csAcceptsControls);
}

void TUiToolbar::SetButtonWidth(int width) {
    if (width == buttonWidth_) return;
    buttonWidth_ = width;
    ButtonSettingsChanged();
}

void TUiToolbar::SetButtonHeight(int height) {
    if (height == buttonHeight_) return;
    buttonHeight_ = height;
    ButtonSettingsChanged();
}

void TUiToolbar::SetButtonLayout(TButtonLayout layout) {
    if (layout == buttonLayout_) return;
    buttonLayout_ = layout;
    ButtonSettingsChanged();
}

void TUiToolbar::SetShowButtonCaptions(bool value) {
    if (value == showButtonCaptions_) return;
    showButtonCaptions_ = value;
    ButtonSettingsChanged();
}

void TUiToolbar::SetRowHeight(int height) {
    if (height == rowHeight_) return;
    rowHeight_ = height;
    Realign();
}

void TUiToolbar::SetOrientation(TOrientation orientation) {
    if (orientation == orientation_) return;
    orientation_ = orientation;
    Realign();
}

void TUiToolbar::SetImages(TCustomImageList* images) {
    if (images == images_) return;
    images_ = images;
    if (images_) images_->FreeNotification(this);
    ButtonSettingsChanged();
}

void TUiToolbar::Notification(TComponent* component, TOperation operation) {
    TUiCustomPanel::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
}

void TUiToolbar::SetTextOptions(TUiToolbarTextOptions options) {
    if (options == textOptions_) return;
    applyingTextOptions_ = true;
    textOptions_ = options;
    if (options != ttoCustom) {
        SetButtonLayout(options == ttoShowTextLabels ? blGlyphTop : blGlyphLeft);
        const int width = options == ttoNoTextLabels ? 25 : 60;
        const int height = options == ttoShowTextLabels ? 40 : 25;
        SetButtonWidth(width);
        SetButtonHeight(height);
        SetShowButtonCaptions(options != ttoNoTextLabels);
        SetRowHeight(orientation_ == orHorizontal ? height : width);
    }
    applyingTextOptions_ = false;
}

void TUiToolbar::ButtonSettingsChanged() {
    if (!applyingTextOptions_) textOptions_ = ttoCustom;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* button = dynamic_cast<TUiToolButton*>(Controls(i))) ApplyToButton(button);
    Realign();
}

void TUiToolbar::ApplyToButton(TUiToolButton* button) {
    button->PickupToolbarStyles();
}

void TUiToolbar::AlignControls(TControl*, TRect& rect) {
    int x = rect.Left + Margin, y = rect.Top + Margin;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (!control->Visible()) continue;
        auto* button = dynamic_cast<TUiToolButton*>(control);
        if (button) ApplyToButton(button);
        const int w = control->Width();
        const int h = control->Height();
        if (orientation_ == orHorizontal) {
            control->SetBounds(x, y, w, button ? h : rowHeight_);
            x += w;
        } else {
            control->SetBounds(x, y, button ? w : rowHeight_, h);
            y += h;
        }
    }
}
