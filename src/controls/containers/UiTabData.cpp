#include "UiTabData.h"

#include "UiTabs.h"

const char* const SUiTabCapacity = "Capacity must be -1 (to cache all regions) or > 0";
const char* const SUiTabSaveDC = "Error saving device context";
const char* const SUiTabCreateRegion = "Error creating region";
const char* const SUiTabShapePoints = "Incorrect number of points in tab shape";
const char* const SUiTabPageIndex =
    "%d is an invalid PageIndex value. PageIndex must be between 0 and %d";
const char* const SUiTabSheetVisible = "You cannot change the Visible property of a page";

namespace {

const bool colorPropertiesRegistered = [] {
    using T = TUiTabColors;
    const struct {
        const char* name;
        TColor (T::*get)() const;
        void (T::*set)(TColor);
        TColor def;
    } tabColors[] = {{"HighlightBar", &T::HighlightBar, &T::SetHighlightBar, clHighlight},
                     {"Shadow", &T::Shadow, &T::SetShadow, clBtnFace},
                     {"Unselected", &T::Unselected, &T::SetUnselected, clWindow}};
    for (const auto& p : tabColors)
        RegisterProperty(T::StaticClass(),
                         OrdinalProperty<T>(p.name, pkColor, p.get, p.set, p.def));
    using X = TUiTextColors;
    const struct {
        const char* name;
        TColor (X::*get)() const;
        void (X::*set)(TColor);
        TColor def;
    } textColors[] = {{"DisabledHighlight", &X::DisabledHighlight, &X::SetDisabledHighlight,
                       clBtnHighlight},
                      {"DisabledShadow", &X::DisabledShadow, &X::SetDisabledShadow, clBtnShadow},
                      {"Selected", &X::Selected, &X::SetSelected, clBtnText},
                      {"Unselected", &X::Unselected, &X::SetUnselected, clBtnText}};
    for (const auto& p : textColors)
        RegisterProperty(X::StaticClass(),
                         OrdinalProperty<X>(p.name, pkColor, p.get, p.set, p.def));
    return true;
}();

}  // namespace

void TUiTabData::Assign(TPersistent* source) {
    auto* data = dynamic_cast<TUiTabData*>(source);
    if (!data) {
        TPersistent::Assign(source);
        return;
    }
    Caption = data->Caption;
    DisabledIndex = data->DisabledIndex;
    ImageIndex = data->ImageIndex;
    Color = data->Color;
    Enabled = data->Enabled;
    Visible = data->Visible;
    Hint = data->Hint;
}

TUiTabDataList::~TUiTabDataList() { Clear(); }

TUiTabData* TUiTabDataList::GetItem(int index) const {
    return static_cast<TUiTabData*>(list_.Items(index));
}

void TUiTabDataList::SetItem(int index, TUiTabData* item) {
    delete GetItem(index);
    list_.SetItem(index, item);
}

void TUiTabDataList::Delete(int index) {
    delete GetItem(index);
    list_.Delete(index);
}

int TUiTabDataList::Remove(TUiTabData* item) {
    const int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

void TUiTabDataList::Clear() {
    for (int i = 0; i < GetCount(); ++i) delete GetItem(i);
    list_.Clear();
}

void TUiTabDataList::Move(int currentIndex, int newIndex) {
    if (currentIndex != newIndex) list_.Move(currentIndex, newIndex);
}

void TUiTabDataList::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TUiTabDataList*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    Clear();
    for (int i = 0; i < other->GetCount(); ++i) {
        auto* data = new TUiTabData;
        data->Assign(other->GetItem(i));
        Add(data);
    }
}

void TUiTabColors::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TUiTabColors*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    SetHighlightBar(other->highlightBar_);
    SetShadow(other->shadow_);
    SetUnselected(other->unselected_);
}

void TUiTabColors::Change(TColor& field, TColor value) {
    if (field == value) return;
    field = value;
    if (owner_) owner_->InvalidateControl();
}

void TUiTextColors::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TUiTextColors*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    SetDisabledHighlight(other->disabledHighlight_);
    SetDisabledShadow(other->disabledShadow_);
    SetSelected(other->selected_);
    SetUnselected(other->unselected_);
}

void TUiTextColors::Change(TColor& field, TColor value) {
    if (field == value) return;
    field = value;
    if (owner_) owner_->InvalidateControl();
}

void TUiTabRegionCacheItem::AssignRegion(HRGN region) {
    if (CachedRegion && CachedRegion != region) DeleteObject(CachedRegion);
    CachedRegion = region;
}

TUiTabRegionCacheItem* TUiTabRegionCache::Item(int index) const {
    return static_cast<TUiTabRegionCacheItem*>(items_.Items(index));
}

HRGN TUiTabRegionCache::Find(const TRect& rect) const {
    for (int i = 0; i < items_.Count(); ++i)
        if (Item(i)->CachedRect == rect) return Item(i)->CachedRegion;
    return nullptr;
}

void TUiTabRegionCache::Add(const TRect& rect, HRGN region) {
    for (int i = 0; i < items_.Count(); ++i) {
        if (Item(i)->CachedRect == rect) {
            items_.Move(i, 0);
            return;
        }
    }
    auto* item = new TUiTabRegionCacheItem;
    item->CachedRect = rect;
    item->AssignRegion(region);
    items_.Insert(0, item);
    if (capacity_ != -1 && items_.Count() > capacity_) DeleteLast();
}

void TUiTabRegionCache::DeleteLast() {
    delete Item(items_.Count() - 1);
    items_.Delete(items_.Count() - 1);
}

void TUiTabRegionCache::Clear() {
    while (items_.Count() > 0) DeleteLast();
}

void TUiTabRegionCache::SetCapacity(int value) {
    if (value < -1 || value == 0) throw EUiTabControlError(SUiTabCapacity);
    if (value == capacity_) return;
    capacity_ = value;
    if (capacity_ == -1) return;
    while (items_.Count() > capacity_) DeleteLast();
}

void TUiTextExtentCache::Add(const AnsiString& text, const TSize& extent) {
    if (items_.IndexOf(text) >= 0) return;
    auto* item = new TUiTextExtentCacheItem;
    item->MeasuredSize = extent;
    items_.AddObject(text, item);
}

bool TUiTextExtentCache::Find(const AnsiString& text, TSize& extent) const {
    const int index = items_.IndexOf(text);
    if (index < 0) return false;
    extent = static_cast<TUiTextExtentCacheItem*>(items_.Objects(index))->MeasuredSize;
    return true;
}

void TUiTextExtentCache::Clear() {
    for (int i = 0; i < items_.Count(); ++i) delete items_.Objects(i);
    items_.Clear();
}
