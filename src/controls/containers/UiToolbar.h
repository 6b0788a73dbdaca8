// The control library's toolbar: a panel that lines up its tool buttons and spacers in one
// row (or column) and gives every tool button its size, glyph layout and caption mode.
#pragma once

#include "UiPanel.h"

class TCustomImageList;
class TUiToolButton;

enum TUiToolbarTextOptions {
    ttoNoTextLabels, ttoShowTextLabels, ttoSelectiveTextOnRight, ttoCustom
};

class TUiToolbar : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiToolbar, TUiCustomPanel)

    explicit TUiToolbar(TComponent* owner);

    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int width);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int height);
    TButtonLayout ButtonLayout() const { return buttonLayout_; }
    void SetButtonLayout(TButtonLayout layout);
    bool ShowButtonCaptions() const { return showButtonCaptions_; }
    void SetShowButtonCaptions(bool value);
    int RowHeight() const { return rowHeight_; }
    void SetRowHeight(int height);
    TOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrientation orientation);
    TUiToolbarTextOptions TextOptions() const { return textOptions_; }
    void SetTextOptions(TUiToolbarTextOptions options);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);

    void AlignControls(TControl* control, TRect& rect) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    // Hands the toolbar's button settings to every tool button; a change made outside
    // SetTextOptions turns the text options to ttoCustom.
    void ButtonSettingsChanged();
    void ApplyToButton(TUiToolButton* button);

    int buttonWidth_ = 25;
    int buttonHeight_ = 25;
    TButtonLayout buttonLayout_ = blGlyphLeft;
    bool showButtonCaptions_ = false;
    int rowHeight_ = 25;
    TOrientation orientation_ = orHorizontal;
    TUiToolbarTextOptions textOptions_ = ttoNoTextLabels;
    TCustomImageList* images_ = nullptr;
    bool applyingTextOptions_ = false;
};
