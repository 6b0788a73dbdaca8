// The check list: a framed, tabbed list box whose items carry three-state check boxes and an
// enabled flag, toggled by mouse and Space, saved and loaded as text lines that carry the states.
#pragma once

#include "UiCommon.h"
#include "UiTabbedListBox.h"
#include "cl_graphics.h"
#include "cl_stdctrls.h"

class TUiCheckList;

// One item's check state and enabled flag, kept beside its text.
struct TPacket {
    TCheckBoxState State = cbUnchecked;
    bool Enabled = true;
};

// The check list's items: texts and objects in the list box, packets kept in step. The text
// form is one line per item: "&", enabled "1"/"0", blank, state digit, blank, the text.
class TUiCheckListStrings : public TStrings {
    CL_CLASS(TUiCheckListStrings, TStrings)

    TUiCheckListStrings(TUiCheckList* list, TStrings* windowItems)
        : list_(list), items_(windowItems) {}

    AnsiString Get(int index) const override;
    int GetCount() const override;
    void Put(int index, const AnsiString& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    int Add(const AnsiString& s) override;
    void Insert(int index, const AnsiString& s) override;
    void Delete(int index) override;
    void Clear() override;
    void Move(int currentIndex, int newIndex) override;
    void Exchange(int index1, int index2) override;
    // Lines in the text form keep their states; from another check list the packets come along.
    void AddStrings(TStrings* strings) override;
    // Every line is checked before the list changes: a malformed one raises EConvertError and
    // leaves the list as it was.
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) const override;
    // After the strings, "ItemEnabled" (Booleans) and "ItemState" (state ordinals), stored
    // when there are items; read values go to items 0, 1, 2 ... in order.
    void DefineProperties(TFiler* filer) override;

    TPacket& Packet(int index);
    const TPacket& Packet(int index) const;

protected:
    void SetUpdateState(bool updating) override;

private:
    void CheckIndex(int index) const;
    // Reads a list of values, handing each to `apply` with its index while there are items.
    template <class Apply>
    void ReadItemValues(TReader* reader, Apply apply);

    TUiCheckList* list_;
    TStrings* items_;
    std::vector<TPacket> packets_;
};

class TUiCheckList : public TUiCustomTabbedListBox {
    CL_COMPONENT_CLASS(TUiCheckList, TUiCustomTabbedListBox)

    explicit TUiCheckList(TComponent* owner);
    void BeforeDestruction() override;

    TUiCheckListStrings* Items() const { return items_; }
    TStrings* GetItems() override { return items_; }
    virtual void SetItems(TStrings* value) { items_->Assign(value); }
    bool AllowGrayed() const { return allowGrayed_; }
    virtual void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    TBitmap* CustomGlyphs() const { return customGlyphs_; }
    virtual void SetCustomGlyphs(TBitmap* value) { customGlyphs_->Assign(value); }
    bool UseCustomGlyphs() const { return useCustomGlyphs_; }
    virtual void SetUseCustomGlyphs(bool value);
    TColor TransparentColor() const { return transparentColor_; }
    virtual void SetTransparentColor(TColor value) { transparentColor_ = value; }
    TColor HighlightColor() const { return highlightColor_; }
    virtual void SetHighlightColor(TColor value) { SetColorProperty(highlightColor_, value); }
    TColor ItemFillColor() const { return itemFillColor_; }
    virtual void SetItemFillColor(TColor value) { SetColorProperty(itemFillColor_, value); }
    TColor ItemFocusColor() const { return itemFocusColor_; }
    virtual void SetItemFocusColor(TColor value) { SetColorProperty(itemFocusColor_, value); }
    TColor ItemFrameColor() const { return itemFrameColor_; }
    virtual void SetItemFrameColor(TColor value) { SetColorProperty(itemFrameColor_, value); }
    bool ToggleOnItemClick() const { return toggleOnItemClick_; }
    void SetToggleOnItemClick(bool value) { toggleOnItemClick_ = value; }

    virtual bool GetItemChecked(int index);
    virtual void SetItemChecked(int index, bool value);
    virtual bool GetItemEnabled(int index);
    virtual void SetItemEnabled(int index, bool value);
    virtual TCheckBoxState GetItemState(int index);
    // A different state repaints only the item's check box.
    virtual void SetItemState(int index, TCheckBoxState value);

    int AddEx(const AnsiString& text, bool checked, bool enabled);
    void AddItem(const AnsiString& text, TObject* object);
    void CheckAll();
    void UncheckAll();
    // Checked items, group rows not counted.
    int ItemsChecked();
    // The group's items: those after its row up to the next group row or the end.
    void CheckGroup(int group);
    void UncheckGroup(int group);
    void EnableGroup(int group);
    void DisableGroup(int group);
    void SetGroupState(int group, TCheckBoxState state);
    void LoadFromFile(const AnsiString& fileName);
    void LoadFromStream(TStream* stream) { items_->LoadFromStream(stream); }
    void SaveToFile(const AnsiString& fileName);
    void SaveToStream(TStream* stream) { items_->SaveToStream(stream); }

    // On the current item: unchecked goes to grayed (AllowGrayed) or checked, checked to
    // unchecked, grayed to checked; nothing for no item, a disabled one or a group row.
    virtual void ToggleCheckState();
    // Draws the item's box into `bitmap` (of the glyph size).
    virtual void SelectGlyph(int index, TBitmap* bitmap);
    int GlyphWidth() const { return glyphWidth_; }
    int GlyphHeight() const { return glyphHeight_; }
    int OwnerDrawItemIndent() override { return glyphWidth_ + 8; }
    void UpdateItemHeight() override;

    TStateChangingEvent OnChanging;
    TStateChangeEvent OnChange;

protected:
    friend class TUiCheckListStrings;
    ~TUiCheckList() override;
    void CreateWnd() override;
    void DestroyWnd() override;
    int InitialTabStopOffset() override { return glyphWidth_; }
    void DrawListItem(int index, TRect rect, TOwnerDrawState state) override;
    void DefaultDrawItem(int index, TRect rect, TOwnerDrawState state) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    void Dispatch(TMessage& message) override;
    virtual bool CanChange(int index, TCheckBoxState newState);
    virtual void Change(int index, TCheckBoxState newState);

private:
    void CustomGlyphsChanged(TObject* sender);
    void SetColorProperty(TColor& field, TColor value);
    bool InCheckZone(int index, int x);
    void DrawGlyph(int index, const TRect& rect);
    // Runs `apply` on each item of the group.
    template <typename Apply>
    void ForGroupItems(int group, Apply apply);

    TUiCheckListStrings* items_;
    TBitmap* customGlyphs_;
    bool allowGrayed_ = false;
    bool useCustomGlyphs_ = false;
    TColor transparentColor_ = clOlive;
    TColor highlightColor_ = clHighlight;
    TColor itemFillColor_ = clWindow;
    TColor itemFocusColor_ = clWindow;
    TColor itemFrameColor_ = clBtnShadow;
    bool toggleOnItemClick_ = false;
    int glyphWidth_ = 13;
    int glyphHeight_ = 13;
    bool adding_ = false;
    bool toggleArmed_ = false;
    int armedIndex_ = -1;
    int savedTopIndex_ = -1;
    int savedItemIndex_ = -1;
};
