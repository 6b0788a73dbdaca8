// The library's framed list view: the last report column filling the client width, a header
// drawn with sort arrows, sorting by column click, check-box events that can veto, item menus
// by mouse and keyboard, label editing held to the label in row-select report views.
#pragma once

#include "UiFramedControl.h"
#include "cl_listview.h"
#include "cl_menus.h"

enum TUiLVHeaderSortDisplayMode { hsdmNone, hsdmLeftAlign, hsdmRightOfText, hsdmRightAlign };
enum TUiLVSortDirection { sdAscending, sdDescending };

using TUiLVCheckStateChanging =
    std::function<void(TObject* sender, TListItem* item, bool toBeChecked, bool& allowChange)>;
using TUiLVOnItemContextMenuEvent =
    std::function<void(TObject* sender, TListItem* item, TPoint& pos, TPopupMenu*& menu)>;

// Private message: the header takes its drawing style once the window is complete.
constexpr UINT AM_INITSTAGE2 = WM_USER + 100;

// Triangles of 2h - 1 by h (h = three quarters of the rectangle's height) at the rectangle's
// left edge, bottom-aligned; `background` (unless clNone) fills that box first.
void DrawUpArrow(TCanvas* canvas, const TRect& rect, TColor background, TColor arrow);
void DrawDownArrow(TCanvas* canvas, const TRect& rect, TColor background, TColor arrow);
// Case-insensitive comparison of the caption (column 0) or of sub-item column - 1; empty
// texts go after all others. 0 for a missing item or a negative column.
int UiCustomSortProc(TListItem* item1, TListItem* item2, int column);
int UiCustomSortDescendingProc(TListItem* item1, TListItem* item2, int column);

class TUiCustomListView : public TUiFramedControl<TCustomListView> {
    CL_COMPONENT_CLASS(TUiCustomListView, TCustomListView)

    explicit TUiCustomListView(TComponent* owner);
    void BeforeDestruction() override;

    bool AlphaSortAll() const { return alphaSortAll_; }
    void SetAlphaSortAll(bool value) { alphaSortAll_ = value; }
    bool EditOnRowClick() const { return editOnRowClick_; }
    void SetEditOnRowClick(bool value) { editOnRowClick_ = value; }
    bool FillLastColumn() const { return fillLastColumn_; }
    virtual void SetFillLastColumn(bool value);
    bool HeaderDefaultDrawing() const { return headerDefaultDrawing_; }
    void SetHeaderDefaultDrawing(bool value);
    TUiLVHeaderSortDisplayMode HeaderSortDisplayMode() const { return sortDisplayMode_; }
    void SetHeaderSortDisplayMode(TUiLVHeaderSortDisplayMode value);
    int HeaderSortColumn() const { return sortColumn_; }
    void SetHeaderSortColumn(int index);
    TUiLVSortDirection HeaderSortDirection() const { return sortDirection_; }
    void SetHeaderSortDirection(TUiLVSortDirection value);
    void SetViewStyle(TViewStyle style) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TWinControl* parent) override;

    // With FillLastColumn in a report view: the last column takes what the others leave of the
    // client width (at least 5); `loading` reserves room for a vertical scroll bar.
    virtual void ResizeLastColumn(bool loading = false);
    // Sorts by the column as a click would: descending when `descending`, else ascending.
    void SortByColumn(int index, bool descending);
    bool EditSelectedCaption();
    bool EditItemCaption(TListItem* item);
    void SetTopIndex(int index);

    HWND GetHeaderHandle() const { return header_; }
    // Restores the header's own window procedure and subclasses it again.
    void ResetHeaderHandle();
    void SetHeaderODStyle();
    void DrawHeader(int index, TRect rect, bool hot, bool pressed);
    void DefaultDrawHeader(int index, TRect rect, bool hot, bool pressed);
    void DrawHeaderSortGlyphs(int index, const TRect& box);
    LRESULT HeaderWndProc(UINT msg, WPARAM wParam, LPARAM lParam);

    TUiLVCheckStateChanging OnCheckStateChanging;
    TLVDeletedEvent OnCheckStateChange;
    TUiLVOnItemContextMenuEvent OnItemContextMenu;

protected:
    ~TUiCustomListView() override;
    void Loaded() override;
    void CreateWnd() override;
    void ColClick(TListColumn* column) override;
    bool IsCustomDrawn(TCustomDrawTarget target, TCustomDrawStage stage) override;
    bool CustomDrawItem(TListItem* item, TCustomDrawState state, TCustomDrawStage stage) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void Dispatch(TMessage& message) override;
    void UpdateFrame(bool byMouse, bool value) override;
    bool HotCondition() override { return Focused() || overControl_; }
    bool FrameVisibleSetsCtl3D() const override { return false; }
    void RepaintFrame() override;

    virtual void CheckStateChange(TListItem* item);
    virtual bool CanCheckStateChange(TListItem* item, bool toBeChecked);
    virtual void DoPreItemContextMenu(TPoint pos);
    virtual void DoItemContextMenu(TPoint pos);
    virtual void ItemContextMenu(TListItem* item, TPoint& pos, TPopupMenu*& menu);

private:
    void SubclassHeader(HWND header);
    void UnsubclassHeader();
    void InvalidateHeader(bool erase = true);
    void InvalidateHeaderItem(int index);
    void HandleReflectedNotify(TMessage& message);
    void HandleCheckChange(TMessage& message, bool changed);
    bool RefusesLabelEdit();
    void HandleHeaderNotify(TMessage& message);
    void DrawHeaderItem(TMessage& message);
    void RightClick();
    void ContextMenuMessage(TMessage& message);
    void RightButtonUp(TMessage& message);
    void ShowMenu(TPopupMenu* menu, TPoint clientPos);
    void ScrollByWheel(int direction);

    bool alphaSortAll_ = false;
    bool editOnRowClick_ = false;
    bool fillLastColumn_ = true;
    bool headerDefaultDrawing_ = true;
    TUiLVHeaderSortDisplayMode sortDisplayMode_ = hsdmRightOfText;
    HWND header_ = nullptr;
    WNDPROC headerProc_ = nullptr;
    TCanvas* headerCanvas_;
    int sortColumn_ = -1;
    TUiLVSortDirection sortDirection_ = sdAscending;
    int lastAscendingColumn_ = -1;
    int hotHeaderItem_ = -1;
    bool headerButtonDown_ = false;
    bool editingByCode_ = false;
    bool rightClickOnItem_ = false;
    bool menuShown_ = false;
    int headerStyleUpdates_ = 0;
};

class TUiListView : public TUiCustomListView {
    CL_COMPONENT_CLASS(TUiListView, TUiCustomListView)

    explicit TUiListView(TComponent* owner) : TUiCustomListView(owner) {}

protected:
    ~TUiListView() override = default;
};
