// A list box of the font families installed for the screen or the printer, filtered by kind,
// each row marked with its kind and drawn as a name, a sample or both, with an optional preview.
#pragma once

#include "UiFontLists.h"
#include "UiListBox.h"

class TUiFontListBox : public TUiCustomListBox {
    CL_COMPONENT_CLASS(TUiFontListBox, TUiCustomListBox)

    explicit TUiFontListBox(TComponent* owner);
    void BeforeDestruction() override;

    TUiFontDevice FontDevice() const { return fontDevice_; }
    virtual void SetFontDevice(TUiFontDevice value);
    TUiFontType FontType() const { return fontType_; }
    virtual void SetFontType(TUiFontType value);
    bool ShowSymbolFonts() const { return showSymbolFonts_; }
    virtual void SetShowSymbolFonts(bool value);
    TUiShowStyle ShowStyle() const { return showStyle_; }
    virtual void SetShowStyle(TUiShowStyle value);
    virtual AnsiString GetFontName();
    virtual void SetFontName(const AnsiString& value);
    int FontSize() const { return fontSize_; }
    void SetFontSize(int value) { fontSize_ = value; }
    TFontStyles FontStyle() const { return fontStyle_; }
    void SetFontStyle(TFontStyles value) { fontStyle_ = value; }
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

    // The chosen family in FontSize and FontStyle; null when none is selected. The control
    // keeps the font.
    virtual TFont* GetSelectedFont();
    // Selects the row named like the font (none when it is not listed).
    virtual void SetSelectedFont(TFont* font);
    // Puts the selected family at the top of the recent fonts and selects it there.
    void AddFontToMRUList();
    // The index of the last recent-font row; -1 when there is none.
    int MRUCount() const { return mruCount_; }
    TUiPreviewFontPanel* PreviewPanel() const { return previewPanel_; }

protected:
    ~TUiFontListBox() override = default;

    virtual void LoadFonts();
    virtual void LoadBitmaps() { bitmaps_.Load(); }
    virtual void HidePreviewPanel() { previewPanel_->HidePanel(); }
    virtual void ShowPreviewPanel();
    int OwnerDrawItemIndent() override { return 24; }
    void DrawItem(int index, TRect rect, TOwnerDrawState state) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation operation) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& message) override;

private:
    void UpdatePreviewText();

    TFont* selectedFont_;
    TUiFontKindBitmaps bitmaps_;
    TUiPreviewFontPanel* previewPanel_;
    TUiFontDevice fontDevice_ = fdScreen;
    TUiFontType fontType_ = ftAll;
    bool showSymbolFonts_ = true;
    TUiShowStyle showStyle_ = ssFontName;
    int fontSize_ = 8;
    TFontStyles fontStyle_;
    bool maintainMRUFonts_ = false;
    TCustomEdit* previewEdit_ = nullptr;
    AnsiString previewText_;
    int mruCount_ = -1;
    // Kept while the window is re-created.
    AnsiString keptFontName_;
    std::vector<AnsiString> keptMRUFonts_;
};
