// The control library's check group: a group box holding one check box per line of Items,
// laid out in columns, each with its own check state; OnChange reports a changed item.
#pragma once

#include <functional>
#include <vector>

#include "UiGroupItems.h"

class TUiCustomCheckGroup;

using TStateChangeEvent = std::function<void(TObject* sender, int index, TCheckBoxState newState)>;

// One item check box of a check group.
class TUiGroupCheck : public TUiGroupItem<TUiCustomCheckBox> {
    CL_CLASS(TUiGroupCheck, TUiCustomCheckBox)

    explicit TUiGroupCheck(TUiCustomCheckGroup* group);

protected:
    ~TUiGroupCheck() override = default;
};

class TUiCustomCheckGroup : public TUiCustomItemGroup {
    CL_COMPONENT_CLASS(TUiCustomCheckGroup, TUiCustomItemGroup)

    explicit TUiCustomCheckGroup(TComponent* owner);

    bool AllowGrayed() const { return allowGrayed_; }
    virtual void SetAllowGrayed(bool value);
    TUiGroupCheck* GetChecks(int index) const;
    virtual bool GetItemChecked(int index) const;
    virtual void SetItemChecked(int index, bool value);
    virtual TCheckBoxState GetItemState(int index) const;
    virtual void SetItemState(int index, TCheckBoxState state);

    // The states travel as "CheckStates", one per item, applied once loading ends.
    void DefineProperties(TFiler* filer) override;
    void Loaded() override;

    TStateChangeEvent OnChange;

protected:
    ~TUiCustomCheckGroup() override = default;
    virtual void Change(int index, TCheckBoxState state);
    TUiCustomGlyphButton* CreateItem() override;
    int GlyphCells() const override { return 9; }

private:
    void CheckClicked(TObject* sender);
    void ReadCheckStates(TReader* reader);
    void WriteCheckStates(TWriter* writer);

    bool allowGrayed_ = false;
    // The streamed check states, applied once loading ends.
    std::vector<int> storedStates_;
};

class TUiCheckGroup : public TUiCustomCheckGroup {
    CL_COMPONENT_CLASS(TUiCheckGroup, TUiCustomCheckGroup)

    explicit TUiCheckGroup(TComponent* owner) : TUiCustomCheckGroup(owner) {}

protected:
    ~TUiCheckGroup() override = default;
};
