// An owner-drawn framed combo box offering colours: an optional default, the 16 standard and
// the 25 system colours and a custom colour picked in the colour dialog, each with its swatch.
#pragma once

#include "UiCustomComboBox.h"
#include "UiRegIniFile.h"
#include "cl_dialogs.h"

class TUiColorComboBox;

// The texts of the colour combo box's rows; each can be changed on its own.
class TUiColorNames : public TPersistent {
    CL_CLASS(TUiColorNames, TPersistent)

    static constexpr int StdColorCount = 16;
    static constexpr int SysColorCount = 25;

    TUiColorNames();
    void Assign(TPersistent* source) override;

    const AnsiString& Default() const { return default_; }
    void SetDefault(const AnsiString& value);
    const AnsiString& GetStdColor(int index) const { return std_[index]; }
    void SetStdColor(int index, const AnsiString& value);
    const AnsiString& GetSysColor(int index) const { return sys_[index]; }
    void SetSysColor(int index, const AnsiString& value);
    const AnsiString& Custom() const { return custom_; }
    void SetCustom(const AnsiString& value);

private:
    friend class TUiColorComboBox;
    // Rewrites the combo box's row `index` when linked and `shown`.
    void Rename(bool shown, int index, const AnsiString& value);

    AnsiString default_, std_[StdColorCount], sys_[SysColorCount], custom_;
    bool showDefaultColor_ = true;
    bool showCustomColor_ = true;
    bool showSysColors_ = true;
    TUiColorComboBox* combo_ = nullptr;
};

class TUiColorComboBox : public TUiCustomComboBox {
    CL_COMPONENT_CLASS(TUiColorComboBox, TUiCustomComboBox)

    explicit TUiColorComboBox(TComponent* owner);
    void BeforeDestruction() override;

    TUiColorNames* ColorNames() const { return colorNames_; }
    virtual void SetColorNames(TUiColorNames* value) { colorNames_->Assign(value); }
    const TColorDialogOptions& ColorDlgOptions() const { return colorDlgOptions_; }
    void SetColorDlgOptions(const TColorDialogOptions& value) { colorDlgOptions_ = value; }
    TColor CustomColor() const { return customColor_; }
    virtual void SetCustomColor(TColor value);
    TStrings* CustomColors() const { return customColors_; }
    virtual void SetCustomColors(TStrings* value);
    TColor DefaultColor() const { return defaultColor_; }
    virtual void SetDefaultColor(TColor value);
    TUiRegIniFile* RegIniFile() const { return regIniFile_; }
    virtual void SetRegIniFile(TUiRegIniFile* value);
    TColor SelectedColor() { return GetSelectedColor(); }
    virtual TColor GetSelectedColor();
    virtual void SetSelectedColor(TColor value);
    bool ShowColorNames() const { return showColorNames_; }
    virtual void SetShowColorNames(bool value);
    bool ShowCustomColor() const { return showCustomColor_; }
    virtual void SetShowCustomColor(bool value);
    bool ShowDefaultColor() const { return showDefaultColor_; }
    virtual void SetShowDefaultColor(bool value);
    bool ShowSysColors() const { return showSysColors_; }
    virtual void SetShowSysColors(bool value);
    bool ColorNamesChanged() const { return namesChanged_; }
    void SetFrameVisible(bool value) override;

    virtual TColor GetColorFromItem(int index);
    void LoadCustomColors(const AnsiString& section);
    void SaveCustomColors(const AnsiString& section);

protected:
    ~TUiColorComboBox() override = default;

    // Rewrites every custom colour as six hexadecimal digits of its low 24 bits.
    virtual void FixupCustomColors();
    virtual void InitColorNames();
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DrawItem(int index, TRect rect, TOwnerDrawState state) override;
    void DrawOwnerItem(TMessage& message) override;
    void CloseUp() override;
    void Dispatch(TMessage& message) override;

private:
    friend class TUiColorNames;
    void ReplaceItemText(int index, const AnsiString& text);
    void AddColor(const AnsiString& text, TColor color);
    bool IsCustomItem(int index) { return showCustomColor_ && index == Items()->Count() - 1; }
    void PickCustomColor();

    TUiColorNames* colorNames_;
    TColorDialogOptions colorDlgOptions_ = {cdFullOpen};
    TColor customColor_ = clBlack;
    TStringList* customColors_;
    TColor defaultColor_ = clBlack;
    TUiRegIniFile* regIniFile_ = nullptr;
    bool showColorNames_ = true;
    bool showCustomColor_ = true;
    bool showDefaultColor_ = true;
    bool showSysColors_ = true;
    bool namesChanged_ = false;
    int keptIndex_ = 0;
    bool cancelled_ = false;
};
