// The list view over the system's list-view control: items and columns kept by the library
// (they survive the window's re-creation), text and image callbacks, owner data, label
// editing, sorting, hit tests, nested updates and the notification virtuals.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <set>
#include <vector>

#include "cl_comctrls.h"
#include "cl_imagelist.h"
#include "cl_lists.h"

class TCustomListView;
class TListItems;
class TListItem;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TItemChange { ctText, ctImage, ctState };
enum TDisplayCode { drBounds, drIcon, drLabel, drSelectBounds };
enum TItemStateItem { isNone, isCut, isDropHilited, isFocused, isSelected, isActivating };
using TItemStates = std::set<TItemStateItem>;
// Scoped: the control library's sides use the same short names.
enum class TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };
enum TListArrangement { arAlignLeft, arAlignTop, arDefault, arSnapToGrid };

// Sorting: negative when item1 goes first.
using TLVCompare = std::function<int(TListItem* item1, TListItem* item2)>;

// One item: its caption, sub-item texts, images, state and data are kept here; the window
// asks for texts and images through its callbacks.
class TListItem : public TPersistent {
    CL_CLASS(TListItem, TPersistent)

    explicit TListItem(TListItems* owner);
    ~TListItem() override;

    TListItems* Owner() const { return owner_; }
    TCustomListView* ListView() const;
    void Assign(TPersistent* source) override;

    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& caption);
    // Texts of the report view's further columns.
    TStrings* SubItems() const { return subItems_; }
    void SetSubItems(TStrings* value) { subItems_->Assign(value); }
    void* Data() const { return data_; }
    void SetData(void* data);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int index);
    int OverlayIndex() const { return overlayIndex_; }
    void SetOverlayIndex(int index);
    int Indent() const { return indent_; }
    void SetIndent(int indent);

    // The check box (Checkboxes on).
    bool Checked() const;
    void SetChecked(bool value);
    bool Selected() const;
    void SetSelected(bool value);
    bool Focused() const;
    void SetFocused(bool value);
    bool Cut() const;
    void SetCut(bool value);
    bool DropTarget() const;
    void SetDropTarget(bool value);
    bool Deleting() const { return deleting_; }

    int Index() const;
    TPoint Position() const;
    void SetPosition(TPoint position);
    // Client rectangle of the item or a part of it; empty without a window.
    TRect DisplayRect(TDisplayCode code) const;
    void MakeVisible(bool partialOK);
    // Starts editing the caption (the list's CanEdit decides); false when it did not start.
    bool EditCaption();
    void CancelEdit();
    // Redraws the item from its data.
    void Update();
    void Delete();

private:
    friend class TListItems;
    friend class TCustomListView;
    bool HasWindowItem() const;
    UINT ItemState(UINT mask) const;
    void SetItemState(UINT state, UINT mask);
    void SetStateFlag(bool& flag, bool value, UINT windowState);
    void SubItemsChanged(TObject* sender);

    TListItems* owner_;
    AnsiString caption_;
    TStringList* subItems_;
    void* data_ = nullptr;
    int imageIndex_ = -1;
    int stateIndex_ = -1;
    int overlayIndex_ = -1;
    int indent_ = 0;
    bool checked_ = false;
    bool selected_ = false;
    bool focused_ = false;
    bool cut_ = false;
    bool dropTarget_ = false;
    bool deleting_ = false;
    // Filled by the owner-data request; index in the window when the item is a stand-in.
    int ownerDataIndex_ = -1;
    int sortPosition_ = 0;
};

// The items of a list view. With OwnerData the list holds none: Count is set and Item(i)
// returns one stand-in that OnData fills. Updates nest: only the outermost EndUpdate redraws.
class TListItems : public TPersistent {
    CL_CLASS(TListItems, TPersistent)

    explicit TListItems(TCustomListView* owner);
    ~TListItems() override;

    TCustomListView* Owner() const { return owner_; }
    int Count() const;
    // Owner data only: the number of items the window shows.
    void SetCount(int count);
    // Raises EListError "List index out of bounds (%d)" for an index out of range.
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    int IndexOf(const TListItem* item) const;
    TListItem* Add();
    TListItem* Insert(int index);
    TListItem* AddItem(TListItem* item, int index = -1);
    void Delete(int index);
    void Clear();
    void Assign(TPersistent* source) override;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

private:
    friend class TListItem;
    friend class TCustomListView;
    void CreateWindowItem(TListItem* item, int index);
    void CreateWindowItems();

    TCustomListView* owner_;
    std::vector<TListItem*> items_;
    TListItem* ownerDataItem_ = nullptr;
    int ownerDataCount_ = 0;
    int updateCount_ = 0;
};

// A column of the report view. Width reads the window (the user's dragging included).
class TListColumn : public TCollectionItem {
    CL_COLLECTION_ITEM_CLASS(TListColumn, TCollectionItem)

    explicit TListColumn(TCollection* collection);
    void Assign(TPersistent* source) override;

    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& caption);
    int Width() const;
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    // The width follows the widest text.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value);
    int Tag() const { return tag_; }
    void SetTag(int value) { tag_ = value; }
    AnsiString GetDisplayName() const override;

private:
    friend class TListColumns;
    friend class TCustomListView;
    TCustomListView* ListView() const;

    AnsiString caption_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    int imageIndex_ = -1;
    bool autoSize_ = false;
    int minWidth_ = 0;
    int maxWidth_ = 0;
    int tag_ = 0;
};

class TListColumns : public TCollection {
    CL_CLASS(TListColumns, TCollection)

    explicit TListColumns(TCustomListView* owner)
        : TCollection(TListColumn::StaticClass()), owner_(owner) {}
    ~TListColumns() override;
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    TListColumn* Items(int index) const { return static_cast<TListColumn*>(TCollection::Items(index)); }
    TCustomListView* Owner() const { return owner_; }
    TPersistent* GetOwner() override;

protected:
    void Update(TCollectionItem* item) override;
    void Notify(TCollectionItem* item, TCollectionNotification action) override;

private:
    friend class TCustomListView;
    friend class TListColumn;
    // Puts the columns into the window (all of them again when `item` is null).
    void ApplyToWindow(TListColumn* item);
    // A new column is whole only at the end of its constructor.
    void ColumnAdded(TListColumn* column);
    int WindowColumnCount() const;
    void SetWindowColumn(int index, bool insert);

    TCustomListView* owner_;
    bool adding_ = false;
};

using TLVChangeEvent = std::function<void(TObject* sender, TListItem* item, TItemChange change)>;
using TLVChangingEvent =
    std::function<void(TObject* sender, TListItem* item, TItemChange change, bool& allow)>;
using TLVColumnClickEvent = std::function<void(TObject* sender, TListColumn* column)>;
using TLVDeletedEvent = std::function<void(TObject* sender, TListItem* item)>;
using TLVEditingEvent = std::function<void(TObject* sender, TListItem* item, bool& allowEdit)>;
using TLVEditedEvent = std::function<void(TObject* sender, TListItem* item, AnsiString& text)>;
using TLVCompareEvent =
    std::function<void(TObject* sender, TListItem* item1, TListItem* item2, int& compare)>;
using TLVSelectItemEvent = std::function<void(TObject* sender, TListItem* item, bool selected)>;
using TLVCustomDrawEvent =
    std::function<void(TCustomListView* sender, const TRect& rect, bool& defaultDraw)>;
using TLVCustomDrawItemEvent = std::function<void(
    TCustomListView* sender, TListItem* item, TCustomDrawState state, bool& defaultDraw)>;
using TLVCustomDrawSubItemEvent =
    std::function<void(TCustomListView* sender, TListItem* item, int subItem,
                       TCustomDrawState state, bool& defaultDraw)>;

// The list view. Notifications of the window reach the virtuals below through CN_NOTIFY; the
// window's header (HeaderHandle) is its child window with identifier 0 and may be subclassed.
class TCustomListView : public TWinControl {
    CL_COMPONENT_CLASS(TCustomListView, TWinControl)

    explicit TCustomListView(TComponent* owner);
    void BeforeDestruction() override;

    TListItems* Items() const { return items_; }
    void SetItems(TListItems* items) { items_->Assign(items); }
    TListColumns* Columns() const { return columns_; }
    TListColumn* Column(int index) const { return columns_->Items(index); }
    TViewStyle ViewStyle() const { return viewStyle_; }
    virtual void SetViewStyle(TViewStyle style);
    TCustomImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TCustomImageList* images);
    TCustomImageList* LargeImages() const { return largeImages_; }
    void SetLargeImages(TCustomImageList* images);
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* images);

    bool Checkboxes() const { return checkboxes_; }
    void SetCheckboxes(bool value) { SetExtendedFlag(checkboxes_, value); }
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value) { SetExtendedFlag(rowSelect_, value); }
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool value) { SetExtendedFlag(gridLines_, value); }
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value) { SetExtendedFlag(hotTrack_, value); }
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value) { SetStyleFlag(multiSelect_, value); }
    // Read-only lists allow no label editing.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { SetStyleFlag(readOnly_, value); }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { SetStyleFlag(hideSelection_, value); }
    bool ShowColumnHeaders() const { return showColumnHeaders_; }
    void SetShowColumnHeaders(bool value) { SetStyleFlag(showColumnHeaders_, value); }
    // Column headers act as buttons (OnColumnClick).
    bool ColumnClick() const { return columnClick_; }
    void SetColumnClick(bool value) { SetStyleFlag(columnClick_, value); }
    bool OwnerData() const { return ownerData_; }
    void SetOwnerData(bool value);
    TSortType SortType() const { return sortType_; }
    void SetSortType(TSortType value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // The growth step of the window's item storage.
    int AllocBy() const { return allocBy_; }
    void SetAllocBy(int value);

    // The first selected item; selecting an item (null: none) clears the rest.
    TListItem* Selected();
    void SetSelected(TListItem* item);
    TListItem* ItemFocused();
    void SetItemFocused(TListItem* item);
    int ItemIndex();
    void SetItemIndex(int index);
    int SelCount();
    TListItem* TopItem();
    int VisibleRowCount();
    TListItem* DropTarget();
    void SetDropTarget(TListItem* item);

    TListItem* GetItemAt(int x, int y);
    THitTests GetHitTestInfoAt(int x, int y);
    // The next item from `start` (null: from the top) in the direction that has all the
    // states; null when none.
    TListItem* GetNextItem(TListItem* start, TSearchDirection direction, TItemStates states);
    TListItem* FindCaption(int startIndex, const AnsiString& text, bool partial, bool inclusive,
                           bool wrap);
    TListItem* FindData(int startIndex, void* data, bool inclusive, bool wrap);
    bool AlphaSort();
    bool CustomSort(const TLVCompare& compare);
    void Scroll(int dx, int dy);
    void Arrange(TListArrangement code);
    void ClearSelection();
    virtual void SelectAll();
    int StringWidth(const AnsiString& text);
    void UpdateItems(int first, int last);
    bool IsEditing();
    HWND EditHandle();
    HWND HeaderHandle();
    TCanvas* Canvas() const { return canvas_; }

    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    TLVChangeEvent OnChange;
    TLVChangingEvent OnChanging;
    TLVColumnClickEvent OnColumnClick;
    TLVCompareEvent OnCompare;
    TLVDeletedEvent OnDeletion;
    TLVDeletedEvent OnInsert;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    TLVDeletedEvent OnGetImageIndex;
    TLVDeletedEvent OnData;
    TLVSelectItemEvent OnSelectItem;
    TLVCustomDrawEvent OnCustomDraw;
    TLVCustomDrawItemEvent OnCustomDrawItem;
    TLVCustomDrawSubItemEvent OnCustomDrawSubItem;

protected:
    ~TCustomListView() override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

    // The notification virtuals.
    virtual bool CanChange(TListItem* item, TItemChange change);
    virtual void Change(TListItem* item, TItemChange change);
    // After an item joined the list; before one leaves it (still at its index).
    virtual void InsertItem(TListItem* item);
    virtual void Delete(TListItem* item);
    virtual bool CanEdit(TListItem* item);
    // At the end of label editing with a text: OnEdited may change it, then the item takes it.
    virtual void Edit(const LVITEMA& item);
    virtual void ColClick(TListColumn* column);
    virtual void GetImageIndex(TListItem* item);
    // Owner data: fills the stand-in item (OnData).
    virtual void OwnerDataFetch(TListItem* item);
    virtual bool IsCustomDrawn(TCustomDrawTarget target, TCustomDrawStage stage);
    // True for the default drawing.
    virtual bool CustomDraw(const TRect& rect, TCustomDrawStage stage);
    virtual bool CustomDrawItem(TListItem* item, TCustomDrawState state, TCustomDrawStage stage);
    virtual bool CustomDrawSubItem(TListItem* item, int subItem, TCustomDrawState state,
                                   TCustomDrawStage stage);
    // The item of a window index (the stand-in, filled, with owner data).
    TListItem* ItemOfIndex(int index);

private:
    friend class TListItem;
    friend class TListItems;
    friend class TListColumn;
    friend class TListColumns;
    void SetStyleFlag(bool& flag, bool value);
    void SetExtendedFlag(bool& flag, bool value);
    void ApplyExtendedStyle();
    void ApplyImages();
    void ApplyColors();
    void SetImageList(TCustomImageList*& field, TCustomImageList* images, TChangeLink* link);
    void ImageListChange(TObject* sender);
    void HandleNotify(TMessage& message);
    void HandleDisplayInfo(TMessage& message);
    void HandleItemChange(TMessage& message, bool changed);
    void HandleCustomDraw(TMessage& message);
    void ResortItems();
    TLVCompare TextCompare();
    // The first item from `startIndex` on (after it unless inclusive, round to the top when
    // wrap) that matches.
    TListItem* FindItem(int startIndex, bool inclusive, bool wrap,
                        const std::function<bool(TListItem*)>& matches);

    TListItems* items_;
    TListColumns* columns_;
    TControlCanvas* canvas_;
    TChangeLink* smallChangeLink_;
    TChangeLink* largeChangeLink_;
    TChangeLink* stateChangeLink_;
    TCustomImageList* smallImages_ = nullptr;
    TCustomImageList* largeImages_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    TViewStyle viewStyle_ = vsIcon;
    bool checkboxes_ = false;
    bool rowSelect_ = false;
    bool gridLines_ = false;
    bool hotTrack_ = false;
    bool multiSelect_ = false;
    bool readOnly_ = false;
    bool hideSelection_ = true;
    bool showColumnHeaders_ = true;
    bool columnClick_ = true;
    bool ownerData_ = false;
    TSortType sortType_ = stNone;
    TBorderStyle borderStyle_ = bsSingle;
    int allocBy_ = 0;
    // Set while the library itself inserts and deletes, so that the window's own
    // notifications of it are not passed on a second time.
    int manualNotify_ = 0;
    bool cancellingEdit_ = false;
    bool labelEditing_ = false;
};

class TListView : public TCustomListView {
    CL_COMPONENT_CLASS(TListView, TCustomListView)

    explicit TListView(TComponent* owner) : TCustomListView(owner) {}

protected:
    ~TListView() override = default;
};
