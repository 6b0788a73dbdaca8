// The check tree: a tree view whose nodes carry three-state check boxes that cascade down to
// the descendants and up through the ancestors, with a text form of the whole tree.
#pragma once

#include "UiTreeView.h"
#include "cl_lists.h"
#include "cl_streams.h"

// Kept in the node's StateIndex; csUnknown shows no box and cannot be toggled.
enum TUiCheckState { csUnknown, csUnchecked, csChecked, csPartiallyChecked };

using TUiCheckTreeChangingEvent = std::function<void(TObject* sender, TTreeNode* node,
                                                     TUiCheckState newState, bool& allowChange)>;
using TUiCheckTreeChangeEvent =
    std::function<void(TObject* sender, TTreeNode* node, TUiCheckState newState)>;
using TUiCheckTreeCascadeCompleteEvent = std::function<void(TObject* sender, TTreeNode* node)>;

class TUiCheckTree : public TUiCustomTreeView {
    CL_COMPONENT_CLASS(TUiCheckTree, TUiCustomTreeView)

    explicit TUiCheckTree(TComponent* owner);
    void BeforeDestruction() override;

    bool CascadeChecks() const { return cascadeChecks_; }
    void SetCascadeChecks(bool value) { cascadeChecks_ = value; }
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor value);
    void SetImages(TCustomImageList* images) override;
    void SetFrameColor(TColor value) override;
    TCustomImageList* CheckImages() const { return checkImages_; }

    // Asks and reports even when the node already has the state; no cascade.
    void SetNodeCheckState(TTreeNode* node, TUiCheckState state);
    // Sets a different state without asking, reports it; no cascade.
    void ForceCheckState(TTreeNode* node, TUiCheckState state);
    // Sets a different state, then cascades from the node's resulting state.
    void ChangeNodeCheckState(TTreeNode* node, TUiCheckState state);
    void ToggleCheckState(TTreeNode* node);
    // By absolute index.
    TUiCheckState GetItemState(int index);
    void SetItemState(int index, TUiCheckState state);

    void RecurseChildren(TTreeNode* node, bool checked);
    void UpdateCascadingStates(TTreeNode* node);
    void UpdateChildrenCascadingStates(TTreeNode* node);
    void UpdateStateFromChildren(TTreeNode* parent, TTreeNode* excluded);
    // Every node gets the state directly: no events, no veto, no cascade.
    void SetAllNodes(TUiCheckState state);
    void SetAllChildren(TTreeNode* node, TUiCheckState state);

    // One line per node: level tabs, state|image|selected image|text.
    void SaveToStream(TStream* stream);
    void LoadFromStream(TStream* stream);
    void SaveToFile(const AnsiString& fileName);
    void LoadFromFile(const AnsiString& fileName);

    TUiCheckTreeChangingEvent OnStateChanging;
    TUiCheckTreeChangeEvent OnStateChange;
    TUiCheckTreeCascadeCompleteEvent OnCascadeComplete;
    TNotifyEvent OnUpdateChildren;

protected:
    ~TUiCheckTree() override = default;
    void Loaded() override;
    void Delete(TTreeNode* node) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    void Dispatch(TMessage& message) override;

    virtual void UpdateImageWidth();
    virtual void InitStateImages();
    virtual void UpdateParents(TTreeNode* node, bool checked = false);
    virtual void UpdateChildren(TTreeNode* node, bool checked);
    virtual void CascadeComplete(TTreeNode* node);
    virtual bool CanChangeState(TTreeNode* node, TUiCheckState newState);
    virtual void StateChange(TTreeNode* node, TUiCheckState newState);

private:
    bool InCheckStrip(TTreeNode* node, int x, int y);
    void GiveStatesToNewNodes();

    TImageList* checkImages_;
    bool cascadeChecks_ = true;
    TColor highlightColor_ = clHighlight;
    int checkImageWidth_ = 16;
    int imageWidth_ = 0;
    bool toggleArmed_ = false;
    int armedIndex_ = -1;
};

// The nodes of a tree as indented text lines, addressed by absolute index. Does not own them.
class TUiCheckTreeStrings : public TStrings {
    CL_CLASS(TUiCheckTreeStrings, TStrings)

    explicit TUiCheckTreeStrings(TTreeNodes* nodes) : nodes_(nodes) {}

    AnsiString Get(int index) const override;
    int GetCount() const override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Clear() override;
    void Delete(int index) override;
    // A new sibling before the node at the index, the text as it stands.
    void Insert(int index, const AnsiString& s) override;
    // Leading tabs and blanks give the level below the last node.
    int Add(const AnsiString& s) override;
    void SaveToStream(TStream* stream) const override;
    void LoadFromStream(TStream* stream) override;

protected:
    void SetUpdateState(bool updating) override;

private:
    TTreeNodes* nodes_;
};
