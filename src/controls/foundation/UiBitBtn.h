// The bitmap push button (a glyph strip or an image-list image beside the caption, and the stock
// kinds OK, Cancel, Help, ...) and the menu button that drops a popup menu down.
#pragma once

#include <functional>

#include "UiButton.h"

class TCustomImageList;
class TChangeLink;
class TPopupMenu;

enum TBitBtnKind {
    bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll
};

// The stock glyph of a kind (two 16 x 16 cells: normal, disabled), loaded once from the
// bitmap resource "UICOMMON_<kind>"; the cache owns it.
TBitmap* GetBitBtnGlyph(TBitBtnKind kind);
// The widest top-level caption of the menu in the screen's menu font, plus 56.
int MenuWidth(TControl* control, TPopupMenu* menu);
// Drops the menu down below the control as its popup, moved left where it would pass the right
// edge of the work area; returns when the menu closes.
void PopupMenuBelow(TControl* control, TPopupMenu* menu);
// The small down arrow of a menu button, its tip at (x, y), greyed when disabled.
void DrawDropDownArrow(TCanvas* canvas, int x, int y, bool enabled);

// A left press on a menu button: it drops the menu down, unless it follows the last drop-down
// at once (the press that closed the menu), when it only ends the mouse capture. The click that
// follows the press is not passed on either way.
class TDropDownPress {
public:
    void Press(const std::function<void()>& dropDown);
    // The menu dropped down some other way (the keyboard): its click is not passed on either.
    void SkipNextClick() { skipNextClick_ = true; }
    // True, once, for a click that is not to be passed on.
    bool SkipsClick();

private:
    DWORD lastDropDown_ = 0;
    bool skipNextClick_ = false;
};

class TUiBitBtn : public TUiButton {
    CL_COMPONENT_CLASS(TUiBitBtn, TUiButton)

    explicit TUiBitBtn(TComponent* owner);

    TBitmap* Glyph() const { return glyph_; }
    // Copies the bitmap and marks the glyph as the user's own.
    virtual void SetGlyph(TBitmap* value);
    int NumGlyphs() const { return numGlyphs_; }
    virtual void SetNumGlyphs(int value);
    // bkCustom once Default, Cancel, ModalResult or the glyph no longer match the kind.
    virtual TBitBtnKind GetKind();
    virtual void SetKind(TBitBtnKind value);
    TButtonLayout Layout() const { return layout_; }
    virtual void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    // Values below -1 are ignored; -1 centres glyph and caption.
    virtual void SetMargin(int value);
    int Spacing() const { return spacing_; }
    virtual void SetSpacing(int value);
    TCustomImageList* Images() const { return images_; }
    virtual void SetImages(TCustomImageList* value);
    int ImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(int value);
    int DisabledIndex() const { return disabledIndex_; }
    virtual void SetDisabledIndex(int value);

    virtual TSize GetImageSize();
    virtual TRect GetGlyphRect();
    TRect GetCaptionRect() override;
    void Notification(TComponent* component, TOperation operation) override;
    void ChangeScale(int multiplier, int divider) override;
    void ActionChange(TObject* sender, bool checkDefaults) override;
    HPALETTE GetPalette() override;

protected:
    ~TUiBitBtn() override;
    void DrawButtonContent(TCanvas* canvas) override;
    virtual void DrawImage(TCanvas* canvas, const TRect& rect);
    virtual void DrawGlyph(TCanvas* canvas, const TRect& rect);

private:
    void GlyphChanged(TObject* sender);
    void ImageListChanged(TObject* sender);
    bool HasPicture();
    int CaptionHeight();

    TBitmap* glyph_;
    TChangeLink* imageChangeLink_;
    int numGlyphs_ = 1;
    TBitBtnKind kind_ = bkCustom;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = 2;
    int spacing_ = 4;
    TCustomImageList* images_ = nullptr;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
    bool glyphModified_ = false;
    bool settingKind_ = false;
};

class TUiMenuButton : public TUiBitBtn {
    CL_COMPONENT_CLASS(TUiMenuButton, TUiBitBtn)

    explicit TUiMenuButton(TComponent* owner);

    TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(TPopupMenu* value);
    bool ShowArrow() const { return showArrow_; }
    virtual void SetShowArrow(bool value);
    TNotifyEvent OnDropDown;

    // Shows the menu below the button; returns when it closes.
    virtual void DoDropDown();
    TRect GetCaptionRect() override;
    TRect GetGlyphRect() override;
    void Click() override;
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    virtual void DropDown();

private:
    TPopupMenu* dropDownMenu_ = nullptr;
    bool showArrow_ = true;
    TDropDownPress press_;
    bool trackingLeave_ = false;

protected:
    ~TUiMenuButton() override = default;
};
