// The tab records every tab control draws from, the colour sets it publishes, its caches of
// tab outline regions and caption extents, and the enumerations and exception of the tab unit.
#pragma once

#include <windows.h>

#include "UiOrientation.h"
#include "cl_component.h"
#include "cl_lists.h"
#include "cl_types.h"

class TUiCustomTabControl;

enum TUiTabStyle { tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant };
enum TUiTabOrientation { toTop, toLeft, toBottom, toRight };
enum TUiTabSequence { tsStandard, tsReverse };
enum TUiImagePosition { ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch };
enum TUiHorizontalAlignment { haLeft, haCenter, haRight };
enum TUiVerticalAlignment { vaTop, vaCenter, vaBottom };
enum TUiTabHotTrackStyle { htsTab, htsText };
enum TUiTextStyle { tsHotTrack, tsSelected, tsUnselected, tsDisabledHighlight, tsDisabledShadow };

CL_DECLARE_EXCEPTION(EUiTabControlError, Exception);

extern const char* const SUiTabCapacity;
extern const char* const SUiTabSaveDC;
extern const char* const SUiTabCreateRegion;
extern const char* const SUiTabShapePoints;
extern const char* const SUiTabPageIndex;
extern const char* const SUiTabSheetVisible;

class TUiTabData : public TPersistent {
    CL_CLASS(TUiTabData, TPersistent)

    // Copies what describes the tab; the layout fields stay as they are.
    void Assign(TPersistent* source) override;

    AnsiString Caption;
    TColor Color = clBtnFace;
    int DisabledIndex = -1;
    bool Enabled = true;
    AnsiString Hint;
    int ImageIndex = -1;
    TRect LayoutRect;
    bool Visible = true;
    int RowIndex = 0;
};

// Owns its records.
class TUiTabDataList : public TPersistent {
    CL_CLASS(TUiTabDataList, TPersistent)

    ~TUiTabDataList() override;
    void Assign(TPersistent* source) override;
    virtual int GetCount() const { return list_.Count(); }
    virtual TUiTabData* GetItem(int index) const;
    virtual void SetItem(int index, TUiTabData* item);

    int Add(TUiTabData* item) { return list_.Add(item); }
    void Insert(int index, TUiTabData* item) { list_.Insert(index, item); }
    void Delete(int index);
    int Remove(TUiTabData* item);
    void Clear();
    void Move(int currentIndex, int newIndex);
    int IndexOf(TUiTabData* item) const { return list_.IndexOf(item); }
    TUiTabData* First() const { return GetItem(0); }
    TUiTabData* Last() const { return GetItem(GetCount() - 1); }

private:
    TList list_;
};

// The tab fill and bar colours of one tab control; a change repaints it.
class TUiTabColors : public TPersistent {
    CL_CLASS(TUiTabColors, TPersistent)

    explicit TUiTabColors(TUiCustomTabControl* owner) : owner_(owner) {}
    void Assign(TPersistent* source) override;
    virtual void SetHighlightBar(TColor value) { Change(highlightBar_, value); }
    virtual void SetShadow(TColor value) { Change(shadow_, value); }
    virtual void SetUnselected(TColor value) { Change(unselected_, value); }
    TColor HighlightBar() const { return highlightBar_; }
    TColor Shadow() const { return shadow_; }
    TColor Unselected() const { return unselected_; }

private:
    void Change(TColor& field, TColor value);

    TUiCustomTabControl* owner_;
    TColor highlightBar_ = clHighlight;
    TColor shadow_ = clBtnFace;
    TColor unselected_ = clWindow;
};

// The caption colours of one tab control; a change repaints it.
class TUiTextColors : public TPersistent {
    CL_CLASS(TUiTextColors, TPersistent)

    explicit TUiTextColors(TUiCustomTabControl* owner) : owner_(owner) {}
    void Assign(TPersistent* source) override;
    virtual void SetDisabledHighlight(TColor value) { Change(disabledHighlight_, value); }
    virtual void SetDisabledShadow(TColor value) { Change(disabledShadow_, value); }
    virtual void SetSelected(TColor value) { Change(selected_, value); }
    virtual void SetUnselected(TColor value) { Change(unselected_, value); }
    TColor DisabledHighlight() const { return disabledHighlight_; }
    TColor DisabledShadow() const { return disabledShadow_; }
    TColor Selected() const { return selected_; }
    TColor Unselected() const { return unselected_; }

private:
    void Change(TColor& field, TColor value);

    TUiCustomTabControl* owner_;
    TColor disabledHighlight_ = clBtnHighlight;
    TColor disabledShadow_ = clBtnShadow;
    TColor selected_ = clBtnText;
    TColor unselected_ = clBtnText;
};

class TUiTabRegionCacheItem : public TObject {
    CL_CLASS(TUiTabRegionCacheItem, TObject)

    ~TUiTabRegionCacheItem() override { AssignRegion(nullptr); }
    // Deletes the region held before, unless it is the one given.
    virtual void AssignRegion(HRGN region);

    TRect CachedRect{-1, -1, -1, -1};
    HRGN CachedRegion = nullptr;
};

// Outline regions of tabs by their rectangle, most recently added first; owns the regions.
class TUiTabRegionCache : public TObject {
    CL_CLASS(TUiTabRegionCache, TObject)

    ~TUiTabRegionCache() override { Clear(); }
    HRGN Find(const TRect& rect) const;
    // A rectangle already cached moves to the front; the region given is then left to the caller.
    void Add(const TRect& rect, HRGN region);
    void Clear();
    int GetCount() const { return items_.Count(); }
    int Capacity() const { return capacity_; }
    // -1 keeps every region.
    void SetCapacity(int value);

private:
    TUiTabRegionCacheItem* Item(int index) const;
    void DeleteLast();

    TList items_;
    int capacity_ = 1;
};

class TUiTextExtentCacheItem : public TObject {
    CL_CLASS(TUiTextExtentCacheItem, TObject)

    TSize MeasuredSize{};
};

// Measured caption extents by their exact text.
class TUiTextExtentCache : public TObject {
    CL_CLASS(TUiTextExtentCache, TObject)

    TUiTextExtentCache() { items_.SetCaseSensitive(true); }
    ~TUiTextExtentCache() override { Clear(); }
    void Add(const AnsiString& text, const TSize& extent);
    bool Find(const AnsiString& text, TSize& extent) const;
    void Clear();

private:
    TStringList items_;
};
