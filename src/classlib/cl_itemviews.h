// What the list view and the tree view share: the count of the library's own window changes,
// the window put in the model's order, nested redraw locks, image lists and custom drawing.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "cl_comctrls.h"
#include "cl_imagelist.h"

// Counts the library's own inserting, expanding and deleting while it lasts, so that the
// window's notifications of them are not passed on a second time.
class TManualNotify {
public:
    explicit TManualNotify(int& counter) : counter_(counter) { ++counter_; }
    ~TManualNotify() { --counter_; }
    TManualNotify(const TManualNotify&) = delete;
    TManualNotify& operator=(const TManualNotify&) = delete;

private:
    int& counter_;
};

// The window's sort callback that puts its items in the model's order: each window item
// carries its model item as parameter.
template <class Item>
int CALLBACK CompareByModelIndex(LPARAM item1, LPARAM item2, LPARAM) {
    return reinterpret_cast<Item*>(item1)->Index() - reinterpret_cast<Item*>(item2)->Index();
}

// Ordering by the items' texts, or by the view's OnCompare when it is set.
template <class Item, class CompareEvent>
std::function<int(Item*, Item*)> TextOrder(TObject* view, const CompareEvent& onCompare,
                                           const AnsiString& (Item::*text)() const) {
    return [view, &onCompare, text](Item* a, Item* b) {
        int result = 0;
        if (onCompare)
            onCompare(view, a, b, result);
        else
            result = AnsiCompareText((a->*text)(), (b->*text)());
        return result;
    };
}

// Nested updates of a view's items: the outermost begin stops the window's redrawing, the
// outermost end redraws the whole window.
void BeginRedrawLock(TWinControl* view, int& updateCount);
void EndRedrawLock(TWinControl* view, int& updateCount);

// Runs `body` inside the items' BeginUpdate and EndUpdate, ending the update when it throws.
template <class Items, class Body>
void WithinUpdate(Items& items, Body&& body) {
    items.BeginUpdate();
    try {
        body();
    } catch (...) {
        items.EndUpdate();
        throw;
    }
    items.EndUpdate();
}

// The single border of a view: a sunken edge in 3-D, else a line.
void AddSingleBorder(TCreateParams& params, TBorderStyle borderStyle, bool ctl3D);

// Puts `images` into `field` of `view`: the change link and the free notification move with it.
void SwapImageList(TComponent* view, TCustomImageList*& field, TCustomImageList* images,
                   TChangeLink* link);

// Runs a custom-draw handler with `canvas` on `dc`; the handler's answer (true: draw the default).
bool DrawWithCanvas(TControlCanvas* canvas, HDC dc, const std::function<bool()>& handler);

// The answer to the control's pre-paint notification: the control's own drawing (where it is
// custom drawn) may skip the default drawing; else the items are asked for where they are.
LRESULT PrePaintAnswer(TControlCanvas* canvas, const NMCUSTOMDRAW& custom,
                       const std::function<bool(TCustomDrawTarget)>& isCustomDrawn,
                       const std::function<bool(const TRect&)>& customDraw);

// The same for an item: the canvas starts with `font` and the item's colours; the colours the
// handler leaves go back to the window, and its font too when the default drawing follows.
bool DrawItemWithCanvas(TControlCanvas* canvas, TFont* font, HDC dc, COLORREF& textColor,
                        COLORREF& backColor, const std::function<bool()>& handler);
