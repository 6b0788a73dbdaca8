// The framed list view: the filled last column, sorting by column clicks with header arrows,
// check-box events (also on selected items) by code, keyboard and mouse, label editing in
// row-select report views, item menus, and the disabled look.
#include "UiListView.h"
#include "view_fixture.h"

namespace {

class ListViewTest : public EditFormTest {
protected:
    // A report view whose client area is `clientWidth` wide, with columns of these widths.
    TUiListView* AddReport(int clientWidth, std::vector<int> widths, int height = 180) {
        list = Add<TUiListView>(10, 10, clientWidth, height);
        list->SetViewStyle(vsReport);
        for (size_t i = 0; i < widths.size(); ++i) {
            TListColumn* column = list->Columns()->Add();
            column->SetCaption("Column " + IntToStr(static_cast<int>(i)));
            column->SetWidth(widths[i]);
        }
        Pump();
        list->SetBounds(10, 10, clientWidth + list->Width() - list->ClientWidth(), height);
        Pump();
        return list;
    }
    TListItem* AddItem(const char* caption, std::vector<const char*> subItems = {}) {
        TListItem* item = list->Items()->Add();
        item->SetCaption(caption);
        for (const char* s : subItems) item->SubItems()->Add(s);
        return item;
    }
    std::vector<AnsiString> Captions() {
        std::vector<AnsiString> result;
        for (int i = 0; i < list->Items()->Count(); ++i)
            result.push_back(list->Items()->Item(i)->Caption());
        return result;
    }
    void ClickHeader(int column) {
        RECT r{};
        SendMessageA(list->GetHeaderHandle(), HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r));
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        PostMessageA(list->GetHeaderHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageA(list->GetHeaderHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Pump();
    }
    TUiListView* list = nullptr;
};

TEST_F(ListViewTest, LastColumnFillsTheClientWidth) {
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const struct {
        std::vector<int> widths;
        bool items;
        int last;
    } cases[] = {{{100, 80, 50}, true, 220},   {{100, 80, 50}, false, 220 - bar},
                 {{250, 150, 50}, true, 50},   {{250, 147, 50}, true, 5},
                 {{100}, true, 400}};
    for (const auto& c : cases) {
        AddReport(400, c.widths);
        if (c.items) AddItem("x");
        list->ResizeLastColumn();
        EXPECT_EQ(list->Columns()->Items(list->Columns()->Count() - 1)->Width(), c.last)
            << c.widths.size() << " columns, items " << c.items;
        list->Free();
    }
    AddReport(400, {100, 80, 50});
    AddItem("x");
    list->SetBounds(10, 10, 300 + list->Width() - list->ClientWidth(), 180);
    EXPECT_EQ(list->Column(2)->Width(), 120) << "a change of size fills again";
}

TEST_F(ListViewTest, ColumnClicksSortUpDownAndUpWithEmptyCellsLast) {
    AddReport(400, {100, 100, 100});
    list->SetAlphaSortAll(true);
    AddItem("b", {"", "2"});
    AddItem("a", {"y"});
    AddItem("C", {"x"});
    int clicks = 0;
    list->OnColumnClick = [&](TObject*, TListColumn*) { ++clicks; };
    ClickHeader(0);
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"a", "b", "C"}));
    EXPECT_EQ(list->HeaderSortColumn(), 0);
    EXPECT_EQ(list->HeaderSortDirection(), sdAscending);
    ClickHeader(0);
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"C", "b", "a"}));
    EXPECT_EQ(list->HeaderSortDirection(), sdDescending);
    ClickHeader(0);
    EXPECT_EQ(list->HeaderSortDirection(), sdAscending);
    EXPECT_EQ(clicks, 3);

    ClickHeader(1);
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"C", "a", "b"})) << "empty sub-item last";
    ClickHeader(1);
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"b", "a", "C"})) << "and first descending";
    list->SortByColumn(2, false);
    EXPECT_EQ(Captions()[0], "b") << "a missing sub-item counts as empty";
    EXPECT_EQ(list->HeaderSortColumn(), 2);
}

TEST_F(ListViewTest, CheckEventsFollowTheBoxWhateverElseIsSelected) {
    AddReport(300, {150, 100});
    list->SetCheckboxes(true);
    list->SetMultiSelect(true);
    TListItem* first = AddItem("first");
    TListItem* second = AddItem("second");
    Pump();
    std::vector<std::pair<TListItem*, bool>> asked;
    std::vector<TListItem*> changed;
    bool allow = true;
    list->OnCheckStateChanging = [&](TObject*, TListItem* item, bool toBeChecked, bool& ok) {
        asked.push_back({item, toBeChecked});
        ok = allow;
    };
    list->OnCheckStateChange = [&](TObject*, TListItem* item) { changed.push_back(item); };

    Focus(list);
    second->SetSelected(true);
    second->SetFocused(true);
    first->SetSelected(true);
    EXPECT_TRUE(asked.empty()) << "selecting is no check change";
    second->SetChecked(true);
    EXPECT_EQ(asked, (std::vector<std::pair<TListItem*, bool>>{{second, true}}));
    EXPECT_EQ(changed, std::vector<TListItem*>{second}) << "a selected item reports its check";
    EXPECT_TRUE(second->Checked());

    second->SetSelected(false);
    second->SetSelected(true);
    EXPECT_EQ(changed.size(), 1u) << "selecting a checked item is no check change";

    allow = false;
    second->SetChecked(false);
    EXPECT_TRUE(second->Checked()) << "a refusal keeps the box";
    EXPECT_EQ(changed.size(), 1u);

    allow = true;
    asked.clear();
    changed.clear();
    list->SetSelected(first);
    first->SetFocused(true);
    Key(list, VK_SPACE);
    EXPECT_EQ(asked, (std::vector<std::pair<TListItem*, bool>>{{first, true}})) << "Space";
    EXPECT_TRUE(first->Checked());

    changed.clear();
    const TRect icon = second->DisplayRect(drBounds);
    const TRect label = second->DisplayRect(drLabel);
    const int boxX = icon.Left + 8, y = (icon.Top + icon.Bottom) / 2;
    ASSERT_LT(boxX, label.Left);
    list->SetSelected(second);
    PostClick(list->Handle(), boxX, y);
    Pump();
    EXPECT_EQ(changed, std::vector<TListItem*>{second}) << "a click on the box";
    EXPECT_FALSE(second->Checked());
}

TEST_F(ListViewTest, RowSelectEditsOnlyFromTheLabelOrByCode) {
    AddReport(300, {120, 120});
    list->SetRowSelect(true);
    TListItem* item = AddItem("name", {"value"});
    Focus(list);
    list->SetSelected(item);
    const TRect label = item->DisplayRect(drLabel);
    const int y = (label.Top + label.Bottom) / 2;
    MoveCursorTo(list, 180, y);
    EXPECT_FALSE(item->EditCaption()) << "the second column is no label";
    MoveCursorTo(list, label.Left + 3, y);
    EXPECT_TRUE(item->EditCaption());
    item->CancelEdit();
    Pump();
    MoveCursorTo(list, 180, y);
    EXPECT_TRUE(list->EditItemCaption(item)) << "by code, wherever the mouse is";
    item->CancelEdit();
    list->SetEditOnRowClick(true);
    EXPECT_TRUE(item->EditCaption());
    item->CancelEdit();
    EXPECT_FALSE(list->EditItemCaption(nullptr));
}

TEST_F(ListViewTest, RightClickOnAnItemOpensTheChosenMenuOnce) {
    AddReport(300, {150, 100});
    TListItem* item = AddItem("first");
    AddItem("second");
    auto* own = new TRecordingMenu(form);
    auto* chosen = new TRecordingMenu(form);
    list->SetPopupMenu(own);
    TListItem* menuItem = nullptr;
    list->OnItemContextMenu = [&](TObject*, TListItem* i, TPoint&, TPopupMenu*& menu) {
        menuItem = i;
        menu = chosen;
    };
    Focus(list);
    const TRect r = item->DisplayRect(drLabel);
    RightClick(list, r.Left + 3, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(menuItem, item);
    EXPECT_EQ(chosen->shown.size(), 1u);
    EXPECT_TRUE(own->shown.empty());
    EXPECT_EQ(list->PopupMenu(), own) << "the control's menu is put back";

    list->SetSelected(item);
    item->SetFocused(true);
    Key(list, VK_APPS);
    ASSERT_EQ(chosen->shown.size(), 2u);
    const TRect icon = item->DisplayRect(drIcon);
    EXPECT_EQ(chosen->shown[1], list->ClientToScreen(TPoint((icon.Left + icon.Right) / 2,
                                                            (icon.Top + icon.Bottom) / 2)));
}

// The pixels of the header window.
int ShadowPixels(HWND header, const RECT& area) {
    HDC dc = GetDC(header);
    int count = 0;
    const COLORREF shadow = ColorToRGB(clBtnShadow);
    for (int y = area.top + 3; y < area.bottom - 3; ++y)
        for (int x = area.left + 3; x < area.right - 3; ++x) count += GetPixel(dc, x, y) == shadow;
    ReleaseDC(header, dc);
    return count;
}

TEST_F(ListViewTest, HeaderShowsTheSortArrowOnlyWhereItFits) {
    AddReport(400, {150, 100, 100});
    AddItem("x");
    HWND header = list->GetHeaderHandle();
    ASSERT_NE(header, nullptr);
    auto columnPixels = [&](int column) {
        RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        RECT r{};
        SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r));
        return ShadowPixels(header, r);
    };
    const int plain = columnPixels(0);
    list->SetHeaderSortColumn(0);
    EXPECT_GT(columnPixels(0), plain + 10) << "an arrow right of the text";
    list->SetHeaderSortDirection(sdDescending);
    EXPECT_GT(columnPixels(0), plain + 10);
    list->RecreateWnd();
    Pump();
    header = list->GetHeaderHandle();
    ASSERT_EQ(header, list->HeaderHandle()) << "the new header is taken over";
    EXPECT_GT(columnPixels(0), plain + 10) << "and drawn with its arrow";
    list->SetHeaderSortColumn(1);
    list->Column(1)->SetWidth(18);
    EXPECT_EQ(columnPixels(1), 0) << "too narrow for an arrow";
}

TEST_F(ListViewTest, DisabledItemsArePaintedInTheDisabledColour) {
    AddReport(300, {150, 100});
    TListItem* item = AddItem("first");
    list->SetDisabledColor(clYellow);
    list->SetEnabled(false);
    Pump();
    WindowShot shot(list);
    const TRect label = item->DisplayRect(drLabel);
    const int border = (list->Width() - list->ClientWidth()) / 2;
    EXPECT_EQ(shot.At(border + label.Right - 2, border + label.Top + 1), clYellow);
}

}  // namespace
