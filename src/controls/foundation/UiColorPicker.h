// A window-less colour grid: 40 named standard colours, optionally the 30 system colours, and
// the "None", "Default" and "More Colors..." buttons, the last opening the system colour dialog.
#pragma once

#include "UiBorder.h"
#include "cl_dialogs.h"

class THintWindow;
class TUiCustomColors;

// Cell and button indexes of the picker.
constexpr int cpiNone = -1;
constexpr int cpiCustomSwatch = -2;
constexpr int cpiMoreColors = -3;
constexpr int cpiDefault = -4;
constexpr int cpiNothing = -5;
constexpr int cpiNoHighlight = -6;
constexpr int PickerStandardColors = 40;
constexpr int PickerColorCount = 70;

// The colour and hint name of grid cell 0 .. 69.
TColor PickerColor(int index);
AnsiString PickerColorName(int index);

class TUiColorPicker : public TUiBorder {
    CL_COMPONENT_CLASS(TUiColorPicker, TUiBorder)

    explicit TUiColorPicker(TComponent* owner);

    TColor ButtonColor() const { return buttonColor_; }
    virtual void SetButtonColor(TColor value) { Change(buttonColor_, value); }
    const AnsiString& CustomColorCaption() const { return customColorCaption_; }
    virtual void SetCustomColorCaption(const AnsiString& value) {
        Change(customColorCaption_, value);
    }
    TColor CustomColor() const { return customColor_; }
    virtual void SetCustomColor(TColor value);
    TUiCustomColors* CustomColors() const { return customColors_; }
    virtual void SetCustomColors(TUiCustomColors* value);
    const TColorDialogOptions& ColorDlgOptions() const { return colorDlgOptions_; }
    void SetColorDlgOptions(const TColorDialogOptions& value) { colorDlgOptions_ = value; }
    TColor DefaultColor() const { return defaultColor_; }
    virtual void SetDefaultColor(TColor value);
    const AnsiString& DefaultColorCaption() const { return defaultColorCaption_; }
    virtual void SetDefaultColorCaption(const AnsiString& value) {
        Change(defaultColorCaption_, value);
    }
    const AnsiString& NoColorCaption() const { return noColorCaption_; }
    virtual void SetNoColorCaption(const AnsiString& value) { Change(noColorCaption_, value); }
    bool ShowColorHints() const { return showColorHints_; }
    void SetShowColorHints(bool value) { showColorHints_ = value; }
    bool ShowNoColor() const { return showNoColor_; }
    virtual void SetShowNoColor(bool value) { Reshape(showNoColor_, value); }
    bool ShowCustomColor() const { return showCustomColor_; }
    virtual void SetShowCustomColor(bool value) { Reshape(showCustomColor_, value); }
    bool ShowDefaultColor() const { return showDefaultColor_; }
    virtual void SetShowDefaultColor(bool value) { Reshape(showDefaultColor_, value); }
    bool ShowSystemColors() const { return showSystemColors_; }
    virtual void SetShowSystemColors(bool value) { Reshape(showSystemColors_, value); }
    virtual TColor GetSelectedColor() const;
    TColor SelectedColor() const { return GetSelectedColor(); }
    virtual void SetSelectedColor(TColor value);
    int SelColorIndex() const { return selIndex_; }
    virtual void SetSelColorIndex(int value);
    int HighlightColorIndex() const { return highlightIndex_; }
    virtual void SetHighlightColorIndex(int value);

    // The height of one button row.
    int Margin();
    // The index drawn at (x, y) in control coordinates; cpiNothing off every cell and button.
    int HitTest(int x, int y);
    // Cell 0 .. 69 as drawn, in control coordinates; an empty rectangle for other indexes.
    TRect GetCellRect(int index);
    // Applies the preferred size at the current position.
    void UpdateBounds();
    // Opens the colour dialog; a confirmed colour becomes the custom colour and is selected.
    virtual void PickCustomColor();

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void Dispatch(TMessage& message) override;
    void BeforeDestruction() override;

    TNotifyEvent OnChange;

protected:
    ~TUiColorPicker() override = default;
    void Paint() override;
    TColor InteriorColor() const override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    virtual void ColorChanged();
    void DoHint(int x, int y);
    void ReleaseHintWindow();

private:
    // Where everything is drawn: the button rows, the grid area and the cell size.
    struct TLayout {
        TRect None, Default, Custom, Grid;
        int CellWidth, CellHeight;
        // The caption button and swatch parts of a "Default" or "More Colors..." row.
        TRect Caption(const TRect& row, int margin) const;
        TRect Swatch(const TRect& row, int margin) const;
    };
    TLayout Layout();
    TRect CellRect(const TLayout& layout, int index) const;
    template <class T>
    void Change(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    void Reshape(bool& field, bool value);
    void ApplyThemedBorder();
    AnsiString CaptionOr(const AnsiString& caption, const char* fallback) const;
    void DrawCell(TCanvas* canvas, const TRect& cell, TColor color, bool selected, bool hot);
    void DrawCaptionButton(TCanvas* canvas, const TRect& part, const AnsiString& caption,
                           bool selected, bool hot);
    void DrawHotEdge(TCanvas* canvas, const TRect& rect, UINT flags);
    void DrawCaptionText(TCanvas* canvas, const TRect& rect, const AnsiString& caption);

    TColor buttonColor_ = clBtnFace;
    AnsiString customColorCaption_;
    TColor customColor_ = clWhite;
    TUiCustomColors* customColors_ = nullptr;
    TColorDialogOptions colorDlgOptions_{cdFullOpen};
    TColor defaultColor_ = clHighlight;
    AnsiString defaultColorCaption_;
    AnsiString noColorCaption_;
    bool showColorHints_ = true;
    bool showNoColor_ = false;
    bool showCustomColor_ = false;
    bool showDefaultColor_ = false;
    bool showSystemColors_ = false;
    int selIndex_ = cpiNone;
    int highlightIndex_ = cpiNoHighlight;
    TColor themeBorderColor_ = clBtnShadow;
    THintWindow* hintWindow_ = nullptr;
};
