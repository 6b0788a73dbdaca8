// Speed buttons of the library: one that shows a second glyph under the mouse and can hide its
// caption, and one that also drops a popup menu down from its arrow part.
#pragma once

#include "UiBitBtn.h"
#include "UiCommon.h"
#include "cl_extctrls.h"

class TPopupMenu;
class TUiToolbarButton;

class TUiToolbarButtonActionLink : public TSpeedButtonActionLink {
    CL_CLASS(TUiToolbarButtonActionLink, TSpeedButtonActionLink)

    explicit TUiToolbarButtonActionLink(TSpeedButton* client) : TSpeedButtonActionLink(client) {}
    // False for a button that keeps its own caption.
    bool IsCaptionLinked() const override;
};

class TUiToolbarButton : public TSpeedButton {
    CL_COMPONENT_CLASS(TUiToolbarButton, TSpeedButton)

    explicit TUiToolbarButton(TComponent* owner);

    TBitmap* HotGlyph() const { return hotGlyph_; }
    // Copies the bitmap and turns UseHotGlyph on.
    virtual void SetHotGlyph(TBitmap* value);
    int HotNumGlyphs() const { return hotNumGlyphs_; }
    virtual void SetHotNumGlyphs(int value);
    bool UseHotGlyph() const { return useHotGlyph_; }
    void SetUseHotGlyph(bool value) { useHotGlyph_ = value; }
    bool IgnoreActionCaption() const { return ignoreActionCaption_; }
    void SetIgnoreActionCaption(bool value) { ignoreActionCaption_ = value; }
    bool ShowCaption() const { return showCaption_; }
    virtual void SetShowCaption(bool value);
    virtual AnsiString GetCaption() { return Caption(); }
    // Without ShowCaption the text is kept aside and the shown caption stays empty.
    virtual void SetCaption(const AnsiString& value);
    const AnsiString& SaveCaption() const { return saveCaption_; }
    bool HotGlyphActive() const { return hotGlyphActive_; }
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    void Dispatch(TMessage& message) override;
    void ActionChange(TObject* sender, bool checkDefaults) override;
    TControlActionLinkClass GetActionLinkClass() override;
    // The hidden caption, kept while ShowCaption is false.
    void DefineProperties(TFiler* filer) override;

protected:
    ~TUiToolbarButton() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void HotGlyphChanged(TObject* sender);
    void MouseEnterLeave(TMessage& message, bool inside);
    void DialogChar(TMessage& message);

    TBitmap* hotGlyph_;
    int hotNumGlyphs_ = 1;
    bool useHotGlyph_ = false;
    bool ignoreActionCaption_ = false;
    bool showCaption_ = true;
    AnsiString saveCaption_;
    TBitmap* standardGlyph_;
    int standardNumGlyphs_ = 0;
    bool hotGlyphActive_ = false;
    bool mouseInControl_ = false;
};

class TUiMenuToolbarButton : public TUiToolbarButton {
    CL_COMPONENT_CLASS(TUiMenuToolbarButton, TUiToolbarButton)

    explicit TUiMenuToolbarButton(TComponent* owner);

    TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(TPopupMenu* value);
    bool ShowArrow() const { return showArrow_; }
    void SetShowArrow(bool value);
    TNotifyEvent OnDropDown;

    // Shows the menu below the button; returns when it closes.
    virtual void DoDropDown();
    void Click() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    ~TUiMenuToolbarButton() override = default;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    TPopupMenu* dropDownMenu_ = nullptr;
    bool showArrow_ = true;
    TDropDownPress press_;
};
