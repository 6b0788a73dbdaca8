// A shown form with a status bar at its bottom to put panes on, and text measured the way
// the system draws it.
#pragma once

#include "UiStatusBar.h"
#include "UiStatusPane.h"
#include "form_fixture.h"

class PaneTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        bar = new TUiStatusBar(form);
        bar->SetParent(form);
        bar->SetVisualStyle(vsClassic);
        bar->SetShowSizeGrip(false);
    }
    template <class T> T* AddPane(int width = 100, TAlign align = alLeft) {
        T* pane = new T(form);
        pane->SetParent(bar);
        pane->SetAlign(align);
        pane->SetWidth(width);
        Application->ProcessMessages();
        return pane;
    }
    // A pane's point in form client coordinates.
    TPoint At(TControl* pane, int x, int y) {
        return TPoint(bar->Left() + pane->Left() + x, bar->Top() + pane->Top() + y);
    }
    // The pane's area in form client coordinates.
    TRect Area(TControl* pane) {
        const TPoint origin = At(pane, 0, 0);
        return TRect(origin.X, origin.Y, origin.X + pane->Width(), origin.Y + pane->Height());
    }
    static int TextWidth(TFont* font, const AnsiString& text) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font->Handle());
        SIZE size = {};
        GetTextExtentPoint32A(dc, text.c_str(), text.Length(), &size);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return size.cx;
    }
    TUiStatusBar* bar = nullptr;
};
