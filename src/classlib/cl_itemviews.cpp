#include "cl_itemviews.h"

void BeginRedrawLock(TWinControl* view, int& updateCount) {
    if (updateCount++ == 0 && view->HandleAllocated())
        SendMessageA(view->WindowHandle(), WM_SETREDRAW, FALSE, 0);
}

void EndRedrawLock(TWinControl* view, int& updateCount) {
    if (updateCount == 0 || --updateCount > 0 || !view->HandleAllocated()) return;
    SendMessageA(view->WindowHandle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view->WindowHandle(), nullptr, TRUE);
}

void AddSingleBorder(TCreateParams& params, TBorderStyle borderStyle, bool ctl3D) {
    if (borderStyle != bsSingle) return;
    if (ctl3D)
        params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        params.Style |= WS_BORDER;
}

void SwapImageList(TComponent* view, TCustomImageList*& field, TCustomImageList* images,
                   TChangeLink* link) {
    if (field) {
        field->UnRegisterChanges(link);
        field->RemoveFreeNotification(view);
    }
    field = images;
    if (field) {
        field->RegisterChanges(link);
        field->FreeNotification(view);
    }
}

bool DrawWithCanvas(TControlCanvas* canvas, HDC dc, const std::function<bool()>& handler) {
    canvas->BindDC(dc);
    bool defaultDraw = true;
    try {
        defaultDraw = handler();
    } catch (...) {
        canvas->BindDC(nullptr);
        throw;
    }
    canvas->BindDC(nullptr);
    return defaultDraw;
}

LRESULT PrePaintAnswer(TControlCanvas* canvas, const NMCUSTOMDRAW& custom,
                       const std::function<bool(TCustomDrawTarget)>& isCustomDrawn,
                       const std::function<bool(const TRect&)>& customDraw) {
    if (isCustomDrawn(dtControl) &&
        !DrawWithCanvas(canvas, custom.hdc, [&] { return customDraw(ToTRect(custom.rc)); }))
        return CDRF_SKIPDEFAULT;
    return isCustomDrawn(dtItem) ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
}

bool DrawItemWithCanvas(TControlCanvas* canvas, TFont* font, HDC dc, COLORREF& textColor,
                        COLORREF& backColor, const std::function<bool()>& handler) {
    HFONT itemFont = nullptr;
    const bool defaultDraw = DrawWithCanvas(canvas, dc, [&] {
        canvas->Font()->Assign(font);
        canvas->Font()->SetColor(static_cast<TColor>(textColor));
        canvas->Brush()->SetColor(static_cast<TColor>(backColor));
        const bool answer = handler();
        itemFont = canvas->Font()->Handle();
        textColor = ColorToRGB(canvas->Font()->Color());
        backColor = ColorToRGB(canvas->Brush()->Color());
        return answer;
    });
    if (defaultDraw) SelectObject(dc, itemFont);
    return defaultDraw;
}
