// A shown form with a list box on it, counted clicks and matches, rows clicked by the mouse and
// text widths as a screen DC measures them.
#pragma once

#include "../controls_edits/edit_fixture.h"
#include "UiListBox.h"

class ListBoxTest : public EditFormTest {
protected:
    template <class T = TUiListBox> T* MakeList(std::initializer_list<const char*> items) {
        auto* list = Add<T>(10, 10, 150, 120);
        for (const char* item : items) list->Items()->Add(item);
        list->SetBeepOnInvalidKey(false);
        list->OnClick = [this](TObject*) { ++clicks; };
        list->OnMatch = [this](TObject*) { ++matches; };
        Focus(list);
        return list;
    }
    static TPoint RowCentre(TCustomListBox* list, int index) {
        const TRect r = list->ItemRect(index);
        return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    static void ClickRow(TCustomListBox* list, int index) {
        const TPoint p = RowCentre(list, index);
        PostClick(list->Handle(), p.X, p.Y);
        Pump();
    }
    static int TextWidth(TFont* font, const AnsiString& text) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font->Handle());
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), text.Length(), &size);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return size.cx;
    }
    // Where the client area starts in the window (the frame's width).
    static int FrameWidth(TWinControl* control) {
        RECT window;
        GetWindowRect(control->Handle(), &window);
        return control->ClientToScreen(TPoint(0, 0)).X - window.left;
    }
    int clicks = 0;
    int matches = 0;
};

