// A framed combo box listing the screen's or the printer's font families by kind, each row
// marked with its kind and drawn as a name, a sample or both, recent choices kept on top.
#pragma once

#include "UiCustomComboBox.h"
#include "UiFontLists.h"

class TUiFontComboBox : public TUiCustomComboBox {
    CL_COMPONENT_CLASS(TUiFontComboBox, TUiCustomComboBox)

    explicit TUiFontComboBox(TComponent* owner);
    void BeforeDestruction() override;

    TUiFontDevice FontDevice() const { return fontDevice_; }
    virtual void SetFontDevice(TUiFontDevice value);
    TUiFontType FontType() const { return fontType_; }
    virtual void SetFontType(TUiFontType value);
    bool ShowSymbolFonts() const { return showSymbolFonts_; }
    virtual void SetShowSymbolFonts(bool value);
    TUiShowStyle ShowStyle() const { return showStyle_; }
    virtual void SetShowStyle(TUiShowStyle value);
    AnsiString FontName() { return GetFontName(); }
    virtual AnsiString GetFontName();
    virtual void SetFontName(const AnsiString& value);
    int FontSize() const { return fontSize_; }
    void SetFontSize(int value) { fontSize_ = value; }
    const TFontStyles& FontStyle() const { return fontStyle_; }
    void SetFontStyle(const TFontStyles& value) { fontStyle_ = value; }
    bool MaintainMRUFonts() const { return maintainMRUFonts_; }
    void SetMaintainMRUFonts(bool value) { maintainMRUFonts_ = value; }
    TCustomEdit* PreviewEdit() const { return previewEdit_; }
    virtual void SetPreviewEdit(TCustomEdit* value);
    const AnsiString& PreviewText() const { return previewText_; }
    void SetPreviewText(const AnsiString& value) { previewText_ = value; }
    virtual int GetPreviewFontSize();
    virtual void SetPreviewFontSize(int value);
    virtual int GetPreviewHeight();
    virtual void SetPreviewHeight(int value);
    virtual int GetPreviewWidth();
    virtual void SetPreviewWidth(int value);
    // The chosen family at FontSize and FontStyle, owned by the control; null when none.
    TFont* SelectedFont() { return GetSelectedFont(); }
    virtual TFont* GetSelectedFont();
    virtual void SetSelectedFont(TFont* value);
    // Index of the last recent-font row, -1 when there is none.
    int MRUCount() const { return mruCount_; }
    TUiPreviewFontPanel* PreviewPanel() const { return panel_; }

    virtual void LoadFonts();
    virtual void LoadBitmaps() { bitmaps_.Load(); }
    virtual void ShowPreviewPanel();
    virtual void HidePreviewPanel() { panel_->HidePanel(); }

protected:
    ~TUiFontComboBox() override = default;

    void Notification(TComponent* component, TOperation operation) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DrawItem(int index, TRect rect, TOwnerDrawState state) override;
    void DrawOwnerItem(TMessage& message) override;
    void DropDown() override;
    void CloseUp() override;
    void Dispatch(TMessage& message) override;

private:
    void UpdatePreviewText();

    TUiFontDevice fontDevice_ = fdScreen;
    TUiFontType fontType_ = ftAll;
    bool showSymbolFonts_ = true;
    TUiShowStyle showStyle_ = ssFontName;
    int fontSize_ = 8;
    TFontStyles fontStyle_;
    bool maintainMRUFonts_ = true;
    TCustomEdit* previewEdit_ = nullptr;
    AnsiString previewText_;
    TFont* font_;
    TUiFontKindBitmaps bitmaps_;
    TUiPreviewFontPanel* panel_;
    int mruCount_ = -1;
    AnsiString keptName_;
    std::vector<AnsiString> keptMRUFonts_;
};
