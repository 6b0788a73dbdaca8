// The library's framed list box: state colours and frame, incremental search by typing, group
// rows marked by a text prefix, hints for clipped items and a managed horizontal scroll extent.
#pragma once

#include "UiFramedControl.h"
#include "cl_extctrls.h"
#include "cl_forms.h"
#include "cl_stdctrls.h"

class TUiCustomListBox : public TUiFramedControl<TCustomListBox> {
    CL_COMPONENT_CLASS(TUiCustomListBox, TCustomListBox)

    explicit TUiCustomListBox(TComponent* owner);
    void BeforeDestruction() override;

    bool BeepOnInvalidKey() const { return beepOnInvalidKey_; }
    void SetBeepOnInvalidKey(bool value) { beepOnInvalidKey_ = value; }
    bool IncrementalSearch() const { return incrementalSearch_; }
    void SetIncrementalSearch(bool value) { incrementalSearch_ = value; }
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
    bool ShowItemHints() const { return showItemHints_; }
    void SetShowItemHints(bool value) { showItemHints_ = value; }
    int HorzExtent() const { return horzExtent_; }
    virtual void SetHorzExtent(int value);
    bool HorzScrollBar() const { return horzScrollBar_; }
    virtual void SetHorzScrollBar(bool value);
    int OwnerDrawIndent() const { return ownerDrawIndent_; }
    virtual void SetOwnerDrawIndent(int value);
    TColor GroupColor() const { return groupColor_; }
    virtual void SetGroupColor(TColor value);
    TFont* GroupFont() const { return groupFont_; }
    virtual void SetGroupFont(TFont* value) { groupFont_->Assign(value); }
    bool GroupFontChangedByUser() const { return groupFontChanged_; }
    const AnsiString& GroupPrefix() const { return groupPrefix_; }
    virtual void SetGroupPrefix(const AnsiString& value);
    bool ShowGroups() const { return showGroups_; }
    virtual void SetShowGroups(bool value);
    bool UseGradients() const { return useGradients_; }
    virtual void SetUseGradients(bool value);

    int Add(const AnsiString& s) { return GetItems()->Add(s); }
    int AddObject(const AnsiString& s, TObject* object) { return GetItems()->AddObject(s, object); }
    int IndexOf(const AnsiString& s) { return GetItems()->IndexOf(s); }
    void Insert(int index, const AnsiString& s) { GetItems()->Insert(index, s); }
    void InsertObject(int index, const AnsiString& s, TObject* object) {
        GetItems()->InsertObject(index, s, object);
    }
    // The items that adding, inserting and deleting go through; a derived list may keep more
    // beside each item.
    virtual TStrings* GetItems() { return Items(); }
    // Deletes the item and keeps a neighbour selected when the selection was there.
    void Delete(int index);
    AnsiString SelectedItem();
    bool FindItem(const AnsiString& s);
    void SelectAll() override;
    void UnselectAll();
    void DeleteSelectedItems();
    void ClearSearchString() { searchText_ = ""; }
    const AnsiString& SearchText() const { return searchText_; }
    // The first item from the top whose text begins with s, ignoring case; -1 when none.
    virtual int FindClosest(const AnsiString& s);

    // Group rows; group numbers count the group rows from the top, starting at 0.
    virtual bool GetItemIsGroup(int index);
    int AddGroup(const AnsiString& caption);
    void ItemToGroup(int index);
    void GroupToItem(int index);
    int ItemIndexOfGroup(int group);
    int ItemsInGroup(int group);
    int InsertItemIntoGroup(int group, int position, const AnsiString& text);
    int AddItemToGroup(int group, const AnsiString& text);
    AnsiString ItemCaption(int index);
    virtual int ItemGroupIndex(int index);
    virtual bool ItemInsideGroup(int index) { return ItemGroupIndex(index) != -1; }
    virtual int GroupIndexOfItem(int index);

    virtual void AdjustHorzExtent();
    bool Focused() override { return HasKeyboardFocus(this); }

    TNotifyEvent OnDeleteItems;
    TNotifyEvent OnMatch;

protected:
    ~TUiCustomListBox() override = default;

    virtual int OwnerDrawItemIndent() { return ownerDrawIndent_; }
    virtual void UpdateItemHeight();
    virtual void GroupFontChanged() {}
    virtual void DrawListItem(int index, TRect rect, TOwnerDrawState state);
    virtual void DrawGroup(int index, TRect rect, TOwnerDrawState state);
    virtual void DefaultDrawItem(int index, TRect rect, TOwnerDrawState state);
    virtual void Match() { if (OnMatch) OnMatch(this); }
    virtual void DoDeleteItems() { if (OnDeleteItems) OnDeleteItems(this); }
    virtual void InvalidKeyPressed();
    // The text of a row: the item's, or for the virtual styles the one the data event gives.
    AnsiString RowText(int index);
    bool InItemsUpdate() { return Items()->UpdateCount() > 0; }
    TControlCanvas* ItemCanvas() { return static_cast<TControlCanvas*>(Canvas()); }
    // Draws a group row's caption (prefix removed) with the flags of a plain row.
    void DrawGroupCaption(int index, TRect rect);

    void DrawItem(int index, TRect rect, TOwnerDrawState state) override;
    bool HotCondition() override { return Focused() || overControl_; }
    void UpdateFrame(bool byMouse, bool value) override;
    void RepaintFrame() override;
    void Loaded() override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Resize() override;
    virtual void FontChanged();
    void Dispatch(TMessage& message) override;

private:
    void HandleDrawItem(TMessage& message);
    void HandleChar(TMessage& message);
    void SearchFor(const AnsiString& text, TMessage& message);
    void RunKeyPress(TMessage& message);
    void SearchTimerExpired(TObject* sender);
    void UpdateItemHint(TPoint point);
    void ReleaseItemHint();
    void SetHorzExtentWindow();

    TTimer* searchTimer_;
    AnsiString searchText_;
    int keyInProgress_ = 0;
    THintWindow* itemHint_ = nullptr;
    TFont* groupFont_;
    bool groupFontChanged_ = false;
    bool beepOnInvalidKey_ = true;
    bool incrementalSearch_ = true;
    bool tabOnEnter_ = false;
    bool showItemHints_ = true;
    int horzExtent_ = 0;
    bool horzScrollBar_ = false;
    int ownerDrawIndent_ = 0;
    TColor groupColor_ = clInactiveCaptionText;
    AnsiString groupPrefix_ = "//";
    bool showGroups_ = false;
    bool useGradients_ = true;
};

class TUiListBox : public TUiCustomListBox {
    CL_COMPONENT_CLASS(TUiListBox, TUiCustomListBox)

    explicit TUiListBox(TComponent* owner) : TUiCustomListBox(owner) {}

protected:
    ~TUiListBox() override = default;
};
