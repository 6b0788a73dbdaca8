// The library's window-less tool button: an image-list image with an optional caption, a flat,
// classic, visual-style or gradient face, latching groups and an optional drop-down menu part.
// On a TUiToolbar it follows the toolbar's button settings until told otherwise.
#pragma once

#include "UiCommon.h"
#include "cl_actions.h"
#include "cl_extctrls.h"

class TCustomImageList;
class TChangeLink;
class TPopupMenu;
class TUiToolButton;
class TUiToolbar;

enum TUiToolStyle { tsButton, tsDropDown };

// The menu part is open; follows the four TButtonState values.
constexpr TButtonState bsDropped = static_cast<TButtonState>(4);

class TUiToolButtonActionLink : public TControlActionLink {
    CL_CLASS(TUiToolButtonActionLink, TControlActionLink)

    explicit TUiToolButtonActionLink(TControl* client);
    void AssignClient(TControl* client) override;
    bool IsCheckedLinked() const override;
    bool IsImageIndexLinked() const override;
    void SetChecked(bool checked) override;
    void SetImageIndex(int index) override;

private:
    TUiToolButton* button_ = nullptr;
};

class TUiToolButton : public TGraphicControl {
    CL_COMPONENT_CLASS(TUiToolButton, TGraphicControl)

    explicit TUiToolButton(TComponent* owner);

    // Setting the size by hand detaches the button from the toolbar's button size.
    void SetWidth(int value);
    void SetHeight(int value);
    bool UseToolbarButtonSize() const { return useToolbarButtonSize_; }
    virtual void SetUseToolbarButtonSize(bool value);
    TButtonLayout Layout() const { return layout_; }
    virtual void SetLayout(TButtonLayout value);
    bool UseToolbarButtonLayout() const { return useToolbarButtonLayout_; }
    virtual void SetUseToolbarButtonLayout(bool value);
    bool ShowCaption() const { return showCaption_; }
    virtual void SetShowCaption(bool value);
    bool UseToolbarShowCaption() const { return useToolbarShowCaption_; }
    virtual void SetUseToolbarShowCaption(bool value);
    TUiVisualStyle VisualStyle() const { return visualStyle_; }
    virtual void SetVisualStyle(TUiVisualStyle value);
    TUiGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    virtual void SetGradientColorStyle(TUiGradientColorStyle value);
    bool UseToolbarVisualStyle() const { return useToolbarVisualStyle_; }
    virtual void SetUseToolbarVisualStyle(bool value);
    TColor SelectionColorStart() const { return selectionColorStart_; }
    virtual void SetSelectionColorStart(TColor value);
    TColor SelectionColorStop() const { return selectionColorStop_; }
    virtual void SetSelectionColorStop(TColor value);
    TColor SelectionFrameColor() const { return selectionFrameColor_; }
    virtual void SetSelectionFrameColor(TColor value);
    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment value);
    bool Flat() const { return flat_; }
    virtual void SetFlat(bool value);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);
    TCustomImageList* Images() const { return images_; }
    virtual void SetImages(TCustomImageList* value);
    int ImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(int value);
    int DownIndex() const { return downIndex_; }
    virtual void SetDownIndex(int value);
    int DisabledIndex() const { return disabledIndex_; }
    virtual void SetDisabledIndex(int value);
    int HotIndex() const { return hotIndex_; }
    virtual void SetHotIndex(int value);
    int GroupIndex() const { return groupIndex_; }
    virtual void SetGroupIndex(int value);
    bool Down() const { return down_; }
    virtual void SetDown(bool value);
    bool AllowAllUp() const { return allowAllUp_; }
    virtual void SetAllowAllUp(bool value);
    TUiToolStyle ToolStyle() const { return toolStyle_; }
    virtual void SetToolStyle(TUiToolStyle value);
    TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
    virtual void SetDropDownMenu(TPopupMenu* value);
    TNotifyEvent OnDropDown;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // The button's own image list, else that of the toolbar it sits on.
    TCustomImageList* ImageList() const;
    TButtonState State() const { return state_; }
    bool MouseInControl() const { return mouseInControl_; }
    // Shows the drop-down menu below the button; returns when it closes.
    virtual void DoDropDown();
    virtual TSize GetImageSize();
    virtual void GetImageAndCaptionRects(TRect& imageRect, TRect& captionRect);
    // Takes the toolbar's caption mode, layout, button size and visual style.
    virtual void PickupToolbarStyles();

    void Click() override;
    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void SetParent(TWinControl* parent) override;
    void Loaded() override;
    // Reads the properties of older releases; they are never written.
    void DefineProperties(TFiler* filer) override;
    void ActionChange(TObject* sender, bool checkDefaults) override;
    TControlActionLinkClass GetActionLinkClass() override;

protected:
    ~TUiToolButton() override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    virtual void DropDown();
    virtual void DrawBtnBorder(TRect& rect);
    virtual void DrawImage(const TRect& rect);
    virtual void DrawArrow();
    virtual void DrawCaption(const TRect& rect);

private:
    TUiToolbar* Toolbar() const;
    bool HotTracking() const;
    bool SplitButton() const;
    bool WholeDropDown() const;
    bool InArrowPart(int x) const;
    bool InClient(int x, int y) const;
    bool Hot() const;
    bool ThemedStyle() const;
    void SelectionColors(TColor& frame, TColor& start, TColor& stop) const;
    void UpdateExclusive();
    void UpdateTracking();
    void ButtonPressed(TMessage& message);
    void MouseEnterLeave(TMessage& message, bool inside);
    void DialogChar(TMessage& message);
    void ToolbarShowCaptionChanged();
    void ToolbarButtonLayoutChanged();
    void ToolbarButtonSizeChanged();
    void ToolbarVisualStyleChanged();
    void EnforceMinimumSize();
    void ImageListChanged(TObject* sender);
    void DrawThemedFace(const TRect& rect, bool hot);
    void DrawGradientFace(TRect& rect, bool hot);
    void PressButton();

    bool useToolbarButtonSize_ = true;
    TButtonLayout layout_ = blGlyphLeft;
    bool useToolbarButtonLayout_ = true;
    bool showCaption_ = false;
    bool useToolbarShowCaption_ = true;
    TUiVisualStyle visualStyle_ = vsWinXP;
    TUiGradientColorStyle gradientColorStyle_ = gcsSystem;
    bool useToolbarVisualStyle_ = true;
    TColor selectionColorStart_ = clBtnFace;
    TColor selectionColorStop_ = clBtnShadow;
    TColor selectionFrameColor_ = cl3DDkShadow;
    TAlignment alignment_ = taCenter;
    bool flat_ = true;
    bool transparent_ = true;
    TCustomImageList* images_ = nullptr;
    TChangeLink* imageChangeLink_;
    int imageIndex_ = -1;
    int downIndex_ = -1;
    int disabledIndex_ = -1;
    int hotIndex_ = -1;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    TUiToolStyle toolStyle_ = tsButton;
    TPopupMenu* dropDownMenu_ = nullptr;
    TButtonState state_ = bsUp;
    bool mouseInControl_ = false;
    bool mouseTracking_ = false;
    bool inDropDown_ = false;
    bool normalPressAllowed_ = true;
    DWORD lastDropTime_ = 0;
};
