// What the radio and check groups share: one item button per line of Items laid out in columns
// (filled top to bottom), the items' look pushed from the group, fonts, scaling and keys.
#pragma once

#include <vector>

#include "UiCheckBox.h"
#include "UiGroupBox.h"
#include "cl_forms.h"
#include "cl_lists.h"

// What the group pushes to every item besides its place and font.
struct TUiGroupItemLook {
    TColor FrameColor = clBtnShadow;
    bool HotTrack = false;
    TColor HighlightColor = clHighlight;
    TColor HotTrackColor = 0x149BF0;
    TUiHotTrackColorType HotTrackColorType = htctActual;
    bool UseCustomGlyphs = false;
    TColor TransparentColor = clOlive;
    TColor WinMaskColor = clTeal;
    bool LightTextStyle = false;
    TTextStyle TextStyle = tsNormal;
    TColor TextHighlightColor = clBtnHighlight;
    TColor TextShadowColor = clBtnShadow;
    int TextShadowDepth = 2;
};

class TUiCustomItemGroup : public TUiCustomGroupBox {
    CL_CLASS(TUiCustomItemGroup, TUiCustomGroupBox)

    explicit TUiCustomItemGroup(TComponent* owner);
    void BeforeDestruction() override;

    TStrings* Items() const { return items_; }
    virtual void SetItems(TStrings* items) { items_->Assign(items); }
    int ItemCount() const { return static_cast<int>(buttons_.size()); }
    int Columns() const { return columns_; }
    // Kept within 1..16.
    virtual void SetColumns(int columns);
    bool SpaceEvenly() const { return spaceEvenly_; }
    virtual void SetSpaceEvenly(bool value) { ChangeLayout(spaceEvenly_, value); }
    int StartXPos() const { return startXPos_; }
    int StartYPos() const { return startYPos_; }
    // Which 1 sets StartXPos, anything else StartYPos.
    virtual void SetStartPos(int which, int value) {
        ChangeLayout(which == 1 ? startXPos_ : startYPos_, value);
    }
    int ItemHeight() const { return itemHeight_; }
    virtual void SetItemHeight(int value) { ChangeLayout(itemHeight_, value); }
    int VerticalSpacing() const { return verticalSpacing_; }
    virtual void SetVerticalSpacing(int value) { ChangeLayout(verticalSpacing_, value); }
    TFont* ItemFont() const { return itemFont_; }
    // Copies the font. Once the item font is changed other than by following Font, the items
    // no longer follow the group's Font.
    virtual void SetItemFont(TFont* font) { itemFont_->Assign(font); }
    bool ItemFontSetOnItsOwn() const { return itemFontSet_; }
    TBitmap* CustomGlyphs() const { return customGlyphs_; }
    // A strip switches UseCustomGlyphs on, an empty one off.
    virtual void SetCustomGlyphs(TBitmap* glyphs);
    bool UseCustomGlyphs() const { return look_.UseCustomGlyphs; }
    virtual void SetUseCustomGlyphs(bool value);
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

    TColor ItemFrameColor() const { return look_.FrameColor; }
    virtual void SetItemFrameColor(TColor value) { ChangeLayout(look_.FrameColor, value); }
    bool ItemHotTrack() const { return look_.HotTrack; }
    virtual void SetItemHotTrack(bool value) { ChangeLayout(look_.HotTrack, value); }
    TColor ItemHighlightColor() const { return look_.HighlightColor; }
    virtual void SetItemHighlightColor(TColor value) { ChangeLayout(look_.HighlightColor, value); }
    TColor ItemHotTrackColor() const { return look_.HotTrackColor; }
    virtual void SetItemHotTrackColor(TColor value) { ChangeLayout(look_.HotTrackColor, value); }
    TUiHotTrackColorType ItemHotTrackColorType() const { return look_.HotTrackColorType; }
    virtual void SetItemHotTrackColorType(TUiHotTrackColorType value) {
        ChangeLayout(look_.HotTrackColorType, value);
    }
    TColor TransparentColor() const { return look_.TransparentColor; }
    virtual void SetTransparentColor(TColor value) { ChangeLayout(look_.TransparentColor, value); }
    TColor WinMaskColor() const { return look_.WinMaskColor; }
    virtual void SetWinMaskColor(TColor value) { ChangeLayout(look_.WinMaskColor, value); }
    bool LightTextStyle() const { return look_.LightTextStyle; }
    virtual void SetLightTextStyle(bool value) { ChangeLayout(look_.LightTextStyle, value); }
    TTextStyle TextStyle() const { return look_.TextStyle; }
    virtual void SetTextStyle(TTextStyle value) { ChangeLayout(look_.TextStyle, value); }
    TColor TextHighlightColor() const { return look_.TextHighlightColor; }
    virtual void SetTextHighlightColor(TColor value) {
        ChangeLayout(look_.TextHighlightColor, value);
    }
    TColor TextShadowColor() const { return look_.TextShadowColor; }
    virtual void SetTextShadowColor(TColor value) { ChangeLayout(look_.TextShadowColor, value); }
    int TextShadowDepth() const { return look_.TextShadowDepth; }
    virtual void SetTextShadowDepth(int value) { ChangeLayout(look_.TextShadowDepth, value); }

    // Whether the item is enabled now. Its own setting is kept while the group is disabled
    // and comes back when the group is enabled again.
    virtual bool GetItemEnabled(int index) const;
    virtual void SetItemEnabled(int index, bool value);
    // The item buttons react to the mouse and to Space and Backspace only while this allows it.
    virtual bool CanModify() { return true; }

    void SetTransparent(bool value) override;
    void SetGroupBoxStyle(TUiGroupBoxStyle style) override;
    // Items travel as "Items.Strings".
    void DefineProperties(TFiler* filer) override;
    void ReadState(TReader* reader) override;
    void FlipChildren(bool) override {}
    // Scales the item height, row gap and first-row offset (not StartXPos), and an item font
    // set on its own.
    void ChangeScale(int multiplier, int divider) override;
    // A visible controller frame gives the items its frame and disabled colours.
    void CustomFramingChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Dispatch(TMessage& message) override;

protected:
    ~TUiCustomItemGroup() override = default;
    virtual TUiCustomGlyphButton* CreateItem() = 0;
    // Glyph cells in a custom strip (the strip width divided by this is the glyph width).
    virtual int GlyphCells() const = 0;
    // The item the caption's accelerator focuses.
    virtual TUiCustomGlyphButton* AcceleratorTarget();
    // Items changed outside form reading.
    virtual void ItemsChanged();
    // Gives every line its item, then lets the group mark them (MarkItems) and lays them out.
    void UpdateItems();
    virtual void MarkItems() {}
    void ArrangeItems();
    // With TabOnEnter, Enter moves on as Tab does.
    void KeyPress(char& key) override;
    TUiCustomGlyphButton* Item(int index) const { return buttons_.at(index); }
    int IndexOfItem(TObject* item) const;
    bool Reading() const { return reading_; }

    template <class> friend class TUiGroupItem;

private:
    template <class T>
    void ChangeLayout(T& field, T value) {
        if (field == value) return;
        field = value;
        ArrangeItems();
    }
    void SetItemCount(int count);
    // UseCustomGlyphs and the glyph width the columns are fitted to.
    void TakeGlyphSize(bool useCustomGlyphs);
    std::vector<int> ColumnWidths(int columns, int rows);
    void ApplyLook(TUiCustomGlyphButton* item);
    void ItemFontChanged();
    void FontChanged();
    void EnabledChanged();

    TStringList* items_;
    std::vector<TUiCustomGlyphButton*> buttons_;
    // Per-item Enabled, kept while the group is disabled.
    std::vector<bool> itemEnabled_;
    TUiGroupItemLook look_;
    TFont* itemFont_;
    TBitmap* customGlyphs_;
    int glyphWidth_ = 13;
    int columns_ = 1;
    bool spaceEvenly_ = false;
    int startXPos_ = 8;
    int startYPos_ = 2;
    int itemHeight_ = 17;
    int verticalSpacing_ = 3;
    bool tabOnEnter_ = false;
    bool itemFontSet_ = false;
    bool followingFont_ = false;
    bool reading_ = false;
};

// An item button of a group: mouse, Space and Backspace reach it only while the group allows
// changes, and its keys go on to the group after its own handling.
template <class Base>
class TUiGroupItem : public Base {
public:
    explicit TUiGroupItem(TUiCustomItemGroup* group) : Base(group), group_(group) {}

protected:
    ~TUiGroupItem() override = default;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        if (group_->CanModify()) Base::MouseDown(button, shift, x, y);
    }
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
        if (inMouseUp_ || !group_->CanModify()) return;
        inMouseUp_ = true;
        try {
            Base::MouseUp(button, shift, x, y);
        } catch (...) {
            Application->HandleException(this);
        }
        inMouseUp_ = false;
    }
    void KeyDown(uint16_t& key, TShiftState shift) override {
        if ((key == VK_SPACE || key == VK_BACK) && !group_->CanModify()) key = 0;
        Base::KeyDown(key, shift);
        if (key) group_->KeyDown(key, shift);
    }
    void KeyPress(char& key) override {
        if ((key == ' ' || key == '\b') && !group_->CanModify()) key = 0;
        Base::KeyPress(key);
        if (key) group_->KeyPress(key);
    }

private:
    TUiCustomItemGroup* group_;
    bool inMouseUp_ = false;
};
