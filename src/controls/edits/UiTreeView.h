// The library's framed tree view: state colours and frame, an outline round the selection
// while unfocused, selection of expanded nodes, wheel scrolling, node paths, node menus.
#pragma once

#include "UiFramedControl.h"
#include "cl_menus.h"
#include "cl_treeview.h"

using TUiTvOnNodeContextMenuEvent = std::function<void(TObject* sender, TTreeNode* node,
                                                       TPoint& pos, TPopupMenu*& menu)>;

class TUiCustomTreeView : public TUiFramedControl<TCustomTreeView> {
    CL_COMPONENT_CLASS(TUiCustomTreeView, TCustomTreeView)

    explicit TUiCustomTreeView(TComponent* owner);
    void BeforeDestruction() override;

    TPen* SelectionPen() const { return selectionPen_; }
    virtual void SetSelectionPen(TPen* value);
    bool AutoSelect() const { return autoSelect_; }
    virtual void SetAutoSelect(bool value);
    virtual bool GetAutoExpand() const { return TCustomTreeView::AutoExpand(); }
    void SetAutoExpand(bool value) override;

    // "A\B\" for a child B of a top-level A; empty for no node.
    AnsiString PathFromNode(TTreeNode* node);
    // Case-insensitive, the trailing backslash optional; null when a level does not match.
    TTreeNode* NodeFromPath(AnsiString path);
    void SelectByPath(const AnsiString& path);
    // Shows the state images of the node and its descendants as their StateIndex says.
    void UpdateStateIndexDisplay(TTreeNode* node);
    void InvalidateNode(TTreeNode* node, bool textOnly, bool erase);
    // Expanding and collapsing everything selects nothing.
    void FullExpand();
    void FullCollapse();

    TTreeNode* GetSelected() override;

    TUiTvOnNodeContextMenuEvent OnNodeContextMenu;

protected:
    ~TUiCustomTreeView() override;
    void CreateParams(TCreateParams& params) override;
    void Expand(TTreeNode* node) override;
    void Collapse(TTreeNode* node) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void Dispatch(TMessage& message) override;
    void UpdateFrame(bool byMouse, bool value) override;
    bool HotCondition() override { return Focused() || overControl_; }
    bool FrameVisibleSetsCtl3D() const override { return false; }

    // Keyboard request: the selected node's menu at its text, else PopupMenu at the origin.
    virtual void DoPreNodeContextMenu();
    virtual void DoNodeContextMenu(TTreeNode* node, TPoint pos);
    virtual void NodeContextMenu(TTreeNode* node, TPoint& pos, TPopupMenu*& menu);

private:
    void SelectionPenChanged(TObject* sender);
    void ScrollByWheel(int lines);
    void PaintSelectionOutline();
    void HandleRightClick();
    void ShowMenu(TPopupMenu* menu, TPoint clientPos);
    void ContextMenuMessage(TMessage& message);
    void RightButtonUp(TMessage& message);

    TPen* selectionPen_;
    bool autoSelect_ = false;
    TTreeNode* rightClickedNode_ = nullptr;
    bool menuHandled_ = false;
};

class TUiTreeView : public TUiCustomTreeView {
    CL_COMPONENT_CLASS(TUiTreeView, TUiCustomTreeView)

    explicit TUiTreeView(TComponent* owner) : TUiCustomTreeView(owner) {}

protected:
    ~TUiTreeView() override = default;
};
