// The control library's toolbar: a panel that places its tool buttons and spacers in the order
// of its control list, in rows (or columns) that wrap, and sizes itself to them.
#pragma once

#include <vector>

#include "UiPanel.h"

class TCustomImageList;
class TReader;
class TWriter;
class TUiRegIniFile;
class TUiToolbar;
class TUiToolbarPopupButton;
class TUiToolButton;

enum TUiToolbarTextOptions {
    ttoNoTextLabels, ttoShowTextLabels, ttoSelectiveTextOnRight, ttoCustom
};

// The nine texts of the toolbar's customisation form, by index 1..9; stored with the form only
// once one of them was set.
class TUiCustomizeCaptions : public TPersistent {
    CL_CLASS(TUiCustomizeCaptions, TPersistent)

    TUiCustomizeCaptions();
    static constexpr int Count = 9;

    // Raises EListError for an index outside 1..9.
    AnsiString GetCaption(int index) const;
    void SetCaption(int index, const AnsiString& text);
    bool Changed() const { return changed_; }
    void Assign(TPersistent* source) override;

    AnsiString Title() const { return GetCaption(1); }
    AnsiString Hint() const { return GetCaption(2); }
    AnsiString Close() const { return GetCaption(3); }
    AnsiString MoveUp() const { return GetCaption(4); }
    AnsiString MoveDown() const { return GetCaption(5); }
    AnsiString TextOptions() const { return GetCaption(6); }
    AnsiString NoTextLabels() const { return GetCaption(7); }
    AnsiString ShowTextLabels() const { return GetCaption(8); }
    AnsiString SelectiveTextOnRight() const { return GetCaption(9); }

private:
    AnsiString texts_[Count];
    bool changed_ = false;
};

// One placed control of a toolbar and its component name.
class TUiToolbarControl {
public:
    TUiToolbarControl(TControl* control, const AnsiString& name) : Control(control), Name(name) {}
    virtual ~TUiToolbarControl() = default;
    // Copies extra per-control data; this class carries none.
    virtual void AssignElements(TUiToolbarControl*) {}
    // The control's name as it is now (it may have been named after it joined the list).
    AnsiString ControlName() const { return Control ? Control->Name() : Name; }

    TControl* Control;
    AnsiString Name;
};

// The toolbar's controls in placing order; owns its entries.
class TUiToolbarControlList {
public:
    explicit TUiToolbarControlList(TUiToolbar* toolbar) : toolbar_(toolbar) {}
    virtual ~TUiToolbarControlList();
    TUiToolbarControlList(const TUiToolbarControlList&) = delete;
    TUiToolbarControlList& operator=(const TUiToolbarControlList&) = delete;

    int Count() const { return static_cast<int>(entries_.size()); }
    TUiToolbarControl* Get(int index) const { return entries_.at(index); }
    int IndexOf(TControl* control) const;
    // Case-insensitive.
    int IndexOfName(const AnsiString& name) const;
    int AddControl(TControl* control);
    int AddControlName(const AnsiString& name);
    int RemoveControl(TControl* control);
    int RemoveControlName(const AnsiString& name);
    // Moves the entry at `from` to `to`; raises EListError for an index out of range.
    void Move(int from, int to);

    // The stored names, kept until ControlsAreLoaded matches them with the loaded controls.
    void ReadControls(TReader* reader);
    void WriteControls(TWriter* writer);
    // Fills the list from the stored names (or with every child when none were stored).
    void ControlsAreLoaded(TComponent* owner);

protected:
    virtual void ReadControl(TReader* reader);
    virtual void WriteControl(TWriter* writer, TUiToolbarControl* entry);
    virtual TUiToolbarControl* CreateToolBarControl(TControl* control, const AnsiString& name);

private:
    int RemoveAt(int index);
    void AppendMissingChildren();

    TUiToolbar* toolbar_;
    std::vector<TUiToolbarControl*> entries_;
    // The entries read from a form stream, freed once the controls are loaded.
    std::vector<TUiToolbarControl*> stored_;
};

class TUiToolbar : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiToolbar, TUiCustomPanel)

    explicit TUiToolbar(TComponent* owner);
    ~TUiToolbar() override;

    // Applies the divider side of the alignment with AutoStyle, then sizes a fresh row.
    virtual void SetAlign(TAlign align);
    bool AutoStyle() const { return autoStyle_; }
    void SetAutoStyle(bool value);
    bool ShowDivider() const { return showDivider_; }
    virtual void SetShowDivider(bool value);
    bool AutoResize() const { return autoResize_; }
    virtual void SetAutoResize(bool value);
    int ButtonWidth() const { return buttonWidth_; }
    virtual void SetButtonWidth(int width);
    int ButtonHeight() const { return buttonHeight_; }
    virtual void SetButtonHeight(int height);
    TButtonLayout ButtonLayout() const { return buttonLayout_; }
    virtual void SetButtonLayout(TButtonLayout layout);
    bool ShowButtonCaptions() const { return showButtonCaptions_; }
    virtual void SetShowButtonCaptions(bool value);
    int Margin() const { return margin_; }
    virtual void SetMargin(int value);
    int TopMargin() const { return topMargin_; }
    virtual void SetTopMargin(int value);
    int RowHeight() const { return rowHeight_; }
    virtual void SetRowHeight(int height);
    TOrientation Orientation() const { return orientation_; }
    virtual void SetOrientation(TOrientation orientation);
    TUiToolbarTextOptions TextOptions() const { return textOptions_; }
    virtual void SetTextOptions(TUiToolbarTextOptions options);
    bool WrapControls() const { return wrapControls_; }
    virtual void SetWrapControls(bool value);
    TCustomImageList* Images() const { return images_; }
    virtual void SetImages(TCustomImageList* images);
    TBitmap* Background() const { return background_; }
    // Copies the bitmap, which is then tiled over the client area.
    virtual void SetBackground(TBitmap* bitmap);
    TUiCustomizeCaptions* CustomizeCaptions() const { return customizeCaptions_; }
    // Copies the texts.
    virtual void SetCustomizeCaptions(TUiCustomizeCaptions* captions);
    TUiRegIniFile* RegIniFile() const { return regIniFile_; }
    virtual void SetRegIniFile(TUiRegIniFile* store);
    TUiToolbarControlList* ToolbarControls() const { return controlList_; }
    // The overflow chevron, once it was needed.
    TUiToolbarPopupButton* Chevron() const { return chevron_; }
    bool ChevronShown() const { return chevronShown_; }

    void SetBorderInner(TFrameStyleEx value) override;
    void SetBorderOuter(TFrameStyleEx value) override;
    void SetBorderSides(TSides value) override;
    void SetVisualStyle(TUiVisualStyle style) override;
    void SetGradientColorStyle(TUiGradientColorStyle style) override;
    void SetParent(TWinControl* parent) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Dispatch(TMessage& message) override;
    void DefineProperties(TFiler* filer) override;
    void Loaded() override;
    void ChangeScale(int multiplier, int divider) override;
    // Places every listed control again.
    virtual void PositionControls();
    // Public so that the overflow toolbar's button copies can close its drop-down.
    void Click() override { TUiCustomPanel::Click(); }

    // Writes the order, visibility and text option of the controls to RegIniFile.
    void SaveLayout();
    // Reads them back; names that match no listed control are skipped.
    void RestoreLayout();
    // Opens the customisation form modally; every change applies at once.
    void Customize(bool showTextOptions);

    TNotifyEvent OnVisibleChanged;

protected:
    virtual TUiToolbarControlList* CreateToolbarControlList();
    virtual int CalculateRowHeight(int row);
    virtual void PositionControl(int index, int row, int& pos);
    virtual void UpdateButtonSize(int width, int height, bool captions);
    virtual void CheckAutoResize(bool& value);
    // The groove (or none) on the side the alignment faces, set without realigning.
    virtual void AdjustStyle(TAlign align);
    void Paint() override;
    void DrawCaption(TRect) override {}
    TPoint InvalidateMarginSize() override;

private:
    void ChangeButtonSetting(UINT message);
    // The tool button does not yet answer the button-setting messages, so the toolbar hands it
    // its size, layout, caption mode and images itself.
    void NotifyChildren(UINT message);
    void Adopt(TControl* control);
    void AppendNewChildren();
    void PlaceHorizontally();
    void PlaceVertically();
    void ResizeToContents(int width, int height);
    void SetShowChevron(bool show);
    void PlaceChevron();
    bool IsPlaceable(TControl* control) const;
    void TileBackground();

    bool autoStyle_ = true;
    bool showDivider_ = true;
    bool autoResize_ = true;
    int buttonWidth_ = 25;
    int buttonHeight_ = 25;
    TButtonLayout buttonLayout_ = blGlyphLeft;
    bool showButtonCaptions_ = false;
    int margin_ = 4;
    int topMargin_ = 2;
    int rowHeight_ = 25;
    int currentRowHeight_ = 25;
    TOrientation orientation_ = orHorizontal;
    TUiToolbarTextOptions textOptions_ = ttoNoTextLabels;
    bool wrapControls_ = true;
    TCustomImageList* images_ = nullptr;
    TUiRegIniFile* regIniFile_ = nullptr;
    TUiToolbarControlList* controlList_ = nullptr;
    TBitmap* background_ = nullptr;
    TUiCustomizeCaptions* customizeCaptions_ = nullptr;
    TUiToolbarPopupButton* chevron_ = nullptr;
    bool chevronShown_ = false;
    bool applyingTextOptions_ = false;
    // Set while the class library's loading completion realigns, before the list is rebuilt.
    bool awaitingControls_ = false;
    bool positioning_ = false;
};
