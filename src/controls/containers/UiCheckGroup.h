// The control library's check group: a group box holding one check box per line of Items,
// laid out in columns, each with its own check state; OnChange reports a changed item.
#pragma once

#include <functional>
#include <vector>

#include "UiGroupBox.h"
#include "UiGroupItems.h"
#include "cl_lists.h"
#include "cl_stdctrls.h"

#include "UiCheckBox.h"

class TUiCustomCheckGroup;

using TStateChangeEvent = std::function<void(TObject* sender, int index, TCheckBoxState newState)>;

// One item check box of a check group; it reacts to the mouse and to Space only while the group
// allows changes, and hands its keys on to the group.
class TUiGroupCheck : public TUiCustomCheckBox {
    CL_CLASS(TUiGroupCheck, TUiCustomCheckBox)

    explicit TUiGroupCheck(TUiCustomCheckGroup* group);

protected:
    ~TUiGroupCheck() override = default;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;

private:
    TUiCustomCheckGroup* group_;
    bool inMouseUp_ = false;
};

class TUiCustomCheckGroup : public TUiCustomGroupBox {
    CL_COMPONENT_CLASS(TUiCustomCheckGroup, TUiCustomGroupBox)

    explicit TUiCustomCheckGroup(TComponent* owner);
    void BeforeDestruction() override;

    TStrings* Items() const { return items_; }
    void SetItems(TStrings* items) { items_->Assign(items); }
    bool AllowGrayed() const { return allowGrayed_; }
    virtual void SetAllowGrayed(bool value);
    int Columns() const { return layout_.Columns; }
    // Kept within 1..16.
    virtual void SetColumns(int columns);
    bool SpaceEvenly() const { return layout_.SpaceEvenly; }
    virtual void SetSpaceEvenly(bool value) { ChangeLayout(layout_.SpaceEvenly, value); }
    int StartXPos() const { return layout_.StartXPos; }
    int StartYPos() const { return layout_.StartYPos; }
    // Which 1 sets StartXPos, anything else StartYPos.
    virtual void SetStartPos(int which, int value) {
        ChangeLayout(which == 1 ? layout_.StartXPos : layout_.StartYPos, value);
    }
    int ItemHeight() const { return layout_.ItemHeight; }
    virtual void SetItemHeight(int value) { ChangeLayout(layout_.ItemHeight, value); }
    int VerticalSpacing() const { return layout_.VerticalSpacing; }
    virtual void SetVerticalSpacing(int value) { ChangeLayout(layout_.VerticalSpacing, value); }
    TFont* ItemFont() const { return itemFont_; }
    // Copies the font; from then on the items no longer follow the group's Font.
    virtual void SetItemFont(TFont* font);
    TColor ItemFrameColor() const { return itemFrameColor_; }
    virtual void SetItemFrameColor(TColor color);
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

    int CheckCount() const { return static_cast<int>(checks_.size()); }
    TUiGroupCheck* GetChecks(int index) const { return checks_.at(index); }
    virtual bool GetItemChecked(int index) const;
    virtual void SetItemChecked(int index, bool value);
    virtual bool GetItemEnabled(int index) const;
    virtual void SetItemEnabled(int index, bool value);
    virtual TCheckBoxState GetItemState(int index) const;
    virtual void SetItemState(int index, TCheckBoxState state);
    // The item buttons react to the mouse and to Space only while this allows it.
    virtual bool CanModify() { return true; }

    void DefineProperties(TFiler* filer) override;
    void Loaded() override;
    void FlipChildren(bool) override {}
    // Scales the item height, row gap and first-row offset (not StartXPos).
    void ChangeScale(int multiplier, int divider) override;
    void Dispatch(TMessage& message) override;
    // A visible controller frame gives the items its frame and disabled colours.
    void CustomFramingChanged() override;

    TStateChangeEvent OnChange;

protected:
    ~TUiCustomCheckGroup() override = default;
    virtual void Change(int index, TCheckBoxState state);
    void Resize() override;
    void KeyPress(char& key) override;
    friend class TUiGroupCheck;

private:
    template <class T>
    void ChangeLayout(T& field, T value) {
        if (field == value) return;
        field = value;
        ArrangeChecks();
    }
    void ItemsChanged(TObject* sender);
    void UpdateChecks();
    void ArrangeChecks();
    void CheckClicked(TObject* sender);
    void ReadCheckStates(TReader* reader);
    void WriteCheckStates(TWriter* writer);

    TStringList* items_;
    std::vector<TUiGroupCheck*> checks_;
    TUiGroupItemLayout layout_;
    bool allowGrayed_ = false;
    bool tabOnEnter_ = false;
    TFont* itemFont_;
    bool itemFontSet_ = false;
    TColor itemFrameColor_ = clBtnShadow;
    // The streamed check states, applied once loading ends.
    std::vector<int> storedStates_;
};

class TUiCheckGroup : public TUiCustomCheckGroup {
    CL_COMPONENT_CLASS(TUiCheckGroup, TUiCustomCheckGroup)

    explicit TUiCheckGroup(TComponent* owner) : TUiCustomCheckGroup(owner) {}

protected:
    ~TUiCheckGroup() override = default;
};
