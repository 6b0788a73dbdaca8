// Menus over real system menus: the item tree, main and popup menus, command routing,
// owner drawing, and the shortcut codes with their English key-name texts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "cl_component.h"

class TCanvas;
class TCustomImageList;
class TMenu;

CL_DECLARE_EXCEPTION(EMenuError, Exception);

// Key code in the low byte, scShift/scCtrl/scAlt on top; 0 = none.
using TShortCut = uint16_t;
constexpr TShortCut scNone = 0, scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

TShortCut ShortCut(uint16_t key, const TShiftState& shift);
void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift);
// "Ctrl+S", "Shift+F1", "Alt+Del"; empty for none or an unnamed key.
AnsiString ShortCutToText(TShortCut shortCut);
// The inverse, case-insensitive; 0 when the text names no key.
TShortCut TextToShortCut(const AnsiString& text);
// The state of Shift, Ctrl and Alt at the time of the current message.
TShiftState KeyboardShiftState();

using TMenuMeasureItemEvent =
    std::function<void(TObject* sender, TCanvas* canvas, int& width, int& height)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas* canvas, TRect rect, TOwnerDrawState state)>;

// One entry of a menu. Items with children open a submenu. Every change shows at once in the
// system menu. An item is freed with its parent item; freeing an item takes it out of its
// parent.
class TMenuItem : public TComponent {
    CL_COMPONENT_CLASS(TMenuItem, TComponent)

    explicit TMenuItem(TComponent* owner);
    void BeforeDestruction() override;

    const AnsiString& Caption() const { return caption_; }
    // "-" makes a separator; "&" marks the accelerator.
    void SetCaption(const AnsiString& caption);
    bool IsLine() const { return caption_ == "-"; }
    bool Checked() const { return checked_; }
    // Checking a radio item unchecks the other radio items of its group.
    void SetChecked(bool checked);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool radioItem);
    uint8_t GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(uint8_t groupIndex);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Hidden items stay in the tree but not in the system menu.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int imageIndex);
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& hint) { hint_ = hint; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* operator[](int index) const { return Items(index); }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out without freeing it.
    void Remove(TMenuItem* item);
    // Frees the item at `index`.
    void Delete(int index);
    // Frees every child.
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    // Child whose caption, without "&", equals `caption` (case-insensitive); null when none.
    TMenuItem* Find(const AnsiString& caption) const;
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;

    TMenu* GetParentMenu() const;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    // Streams: children of `root` are written under their item; a read item joins the menu or
    // item the reader is in.
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetParentComponent(TComponent* parent) override;
    void ReadState(TReader* reader) override;
    TCustomImageList* GetImageList() const;
    // The command id the system menu reports for this item.
    UINT Command() const { return command_; }
    // The submenu of an item with children; created on demand.
    HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Whether this item sits directly in a main menu's bar.
    bool IsTopLevel() const;

    virtual void Click();
    // Owner draw: the size of the item, then its drawing. The defaults use the menu font and
    // then call OnMeasureItem / OnAdvancedDrawItem.
    virtual void MeasureItem(TCanvas* canvas, int& width, int& height);
    virtual void AdvancedDrawItem(TCanvas* canvas, TRect rect, TOwnerDrawState state,
                                  bool topLevel);

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

protected:
    ~TMenuItem() override;
    // The class library's own rendering of an owner-drawn item.
    void DefaultDrawItem(TCanvas* canvas, TRect rect, const TOwnerDrawState& state,
                         bool topLevel);
    void DefaultMeasureItem(TCanvas* canvas, int& width, int& height);

private:
    friend class TMenu;
    void SetMenu(TMenu* menu);
    void RebuildHandle();
    void AppendTo(HMENU menu, bool ownerDraw);
    void Changed(bool rebuildParent);
    void UncheckGroupSiblings();
    TMenuItem* FindByShortCut(TShortCut shortCut);

    AnsiString caption_;
    AnsiString hint_;
    bool checked_ = false;
    bool radioItem_ = false;
    uint8_t groupIndex_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    bool default_ = false;
    TShortCut shortCut_ = scNone;
    int imageIndex_ = -1;
    UINT command_ = 0;
    HMENU handle_ = nullptr;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;
    std::vector<TMenuItem*> items_;
};

// The owner of an item tree and of its system menu.
class TMenu : public TComponent {
    CL_CLASS(TMenu, TComponent)

    explicit TMenu(TComponent* owner);
    void BeforeDestruction() override;

    TMenuItem* Items() const { return items_; }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    bool OwnerDraw() const { return ownerDraw_; }
    // Owner-drawn menus send every item through MeasureItem and AdvancedDrawItem.
    void SetOwnerDraw(bool ownerDraw);
    HMENU Handle();
    bool HandleAllocated() const { return items_->HandleAllocated(); }
    // The window of this thread that shows the menu as its bar; 0 when none does.
    HWND WindowHandle() const;

    // Runs the enabled item with this shortcut; false when none has it.
    bool IsShortCut(TShortCut shortCut);
    // The same for a WM_KEYDOWN or WM_SYSKEYDOWN key code, with the current shift state.
    bool IsShortCut(WPARAM key);
    // The item with this command id in this menu; null when none.
    TMenuItem* FindItem(UINT command) const;
    // Runs the item with this command id; false when it is not in this menu.
    bool DispatchCommand(UINT command);

    void Notification(TComponent* component, TOperation operation) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void ReadState(TReader* reader) override;

protected:
    ~TMenu() override;
    // A new bar or popup handle, as the kind of menu needs.
    virtual HMENU CreateMenuHandle() const = 0;
    // The bar of a window changed: redraw it.
    virtual void MenuChanged();

private:
    friend class TMenuItem;
    TMenuItem* items_;
    TCustomImageList* images_ = nullptr;
    bool ownerDraw_ = false;
};

class TMainMenu : public TMenu {
    CL_COMPONENT_CLASS(TMainMenu, TMenu)

    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}

protected:
    HMENU CreateMenuHandle() const override { return CreateMenu(); }
    ~TMainMenu() override = default;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
    CL_COMPONENT_CLASS(TPopupMenu, TMenu)

    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}

    // Shows the menu at screen point (x, y) and returns when it closes, after the chosen
    // item's OnClick has run.
    virtual void Popup(int x, int y);
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component) { popupComponent_ = component; }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment alignment) { alignment_ = alignment; }

    TNotifyEvent OnPopup;

protected:
    HMENU CreateMenuHandle() const override { return CreatePopupMenu(); }
    virtual void DoPopup(TObject* sender);

private:
    TComponent* popupComponent_ = nullptr;
    bool autoPopup_ = true;
    TPopupAlignment alignment_ = paLeft;

protected:
    ~TPopupMenu() override = default;
};

// Routing for windows that show menus. A form passes its WM_COMMAND (menu source),
// WM_MEASUREITEM and WM_DRAWITEM (CtlType ODT_MENU) here; each returns false when the
// message is not for a menu item of this library.
TMenuItem* FindMenuItem(UINT command);
bool DispatchMenuCommand(UINT command);
bool DispatchMenuMeasureItem(MEASUREITEMSTRUCT& measure);
bool DispatchMenuDrawItem(const DRAWITEMSTRUCT& draw);
// Strips the "&" accelerator marks ("&&" stays a single "&").
AnsiString StripHotkey(const AnsiString& text);
