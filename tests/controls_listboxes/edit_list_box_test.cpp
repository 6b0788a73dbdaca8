#include <gtest/gtest.h>

#include "UiEditListBox.h"
#include "list_fixture.h"

namespace {

class EditListTest : public ListBoxTest {
protected:
    TUiEditListBox* MakeEditList(std::initializer_list<const char*> items) {
        auto* list = MakeList<TUiEditListBox>(items);
        list->OnItemChanged = [this](TObject*, int index) { changed.push_back(index); };
        return list;
    }
    // A press and release the system does not report as a double click.
    static void SingleClick(TUiEditListBox* list, int row) {
        ClickRow(list, row);
        Pump();
    }
    static bool EditorOpensWithin(TUiEditListBox* list, int ms) {
        return PumpUntil([&] { return list->PopupVisible(); }, ms);
    }
    static void EditorKey(TUiEditListBox* list, UINT key) {
        PostKey(list->Editor()->Handle(), key);
        Pump();
    }
    std::vector<int> changed;
};

TEST_F(EditListTest, SecondClickOnTheSelectedItemOpensTheEditorAfterAPause) {
    auto* list = MakeEditList({"one", "two", "three"});
    SingleClick(list, 1);
    EXPECT_EQ(1, list->ItemIndex());
    EXPECT_FALSE(EditorOpensWithin(list, 700));
    SingleClick(list, 1);
    EXPECT_FALSE(list->PopupVisible());  // not before the pause
    ASSERT_TRUE(EditorOpensWithin(list, 2000));
    EXPECT_STREQ("two", list->Editor()->GetText().c_str());
    EXPECT_EQ(-1, list->ItemIndex());
    EXPECT_EQ(GetFocus(), list->Editor()->Handle());
    const TRect row = list->ItemRect(1);
    RECT shown;
    GetWindowRect(list->Editor()->Handle(), &shown);
    const TPoint origin = list->ClientToScreen(TPoint(row.Left, row.Top - 2));
    EXPECT_EQ(origin.X, shown.left);
    EXPECT_EQ(origin.Y, shown.top);
    EXPECT_EQ(row.Height() + 4, shown.bottom - shown.top);
}

TEST_F(EditListTest, DoubleClickOpensNoEditor) {
    auto* list = MakeEditList({"one", "two"});
    SingleClick(list, 0);
    const TPoint p = RowCentre(list, 0);
    PostMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
    PostMessageA(list->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
    PostMessageA(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
    PostMessageA(list->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
    EXPECT_FALSE(EditorOpensWithin(list, 900));
}

TEST_F(EditListTest, EnterWritesBackEscapeDiscards) {
    auto* list = MakeEditList({"one", "two"});
    list->SetItemIndex(1);
    Key(list, VK_F2);
    ASSERT_TRUE(list->PopupVisible());
    list->Editor()->SetText("second");
    EditorKey(list, VK_ESCAPE);
    EXPECT_FALSE(list->PopupVisible());
    EXPECT_FALSE(IsWindowVisible(list->Editor()->Handle()));
    EXPECT_STREQ("two", list->Items()->Get(1).c_str());
    EXPECT_EQ(1, list->ItemIndex());
    EXPECT_EQ(std::vector<int>({1}), changed);
    EXPECT_EQ(GetFocus(), list->Handle());
    Key(list, VK_F2);
    list->Editor()->SetText("second");
    EditorKey(list, VK_RETURN);
    EXPECT_FALSE(list->PopupVisible());
    EXPECT_STREQ("second", list->Items()->Get(1).c_str());
    EXPECT_EQ(std::vector<int>({1, 1}), changed);
}

TEST_F(EditListTest, EditedItemOfASortedListMovesAndStaysSelected) {
    auto* list = MakeEditList({"apple", "banana", "cherry"});
    list->SetSorted(true);
    TObject marker;
    list->Items()->PutObject(0, &marker);
    list->SetItemIndex(0);
    Focus(list);
    Key(list, VK_F2);
    list->Editor()->SetText("date");
    EditorKey(list, VK_RETURN);
    EXPECT_STREQ("date", list->Items()->Get(2).c_str());
    EXPECT_EQ(&marker, list->Items()->GetObject(2));
    EXPECT_EQ(2, list->ItemIndex());
    EXPECT_EQ(std::vector<int>({2}), changed);
}

TEST_F(EditListTest, LeavingTheEditorWritesBack) {
    auto* list = MakeEditList({"one", "two"});
    auto* other = Add<TUiListBox>(200, 10, 100, 100);
    list->SetItemIndex(0);
    Key(list, VK_F2);
    list->Editor()->SetText("first");
    other->SetFocus();
    Pump();
    EXPECT_FALSE(list->PopupVisible());
    EXPECT_STREQ("first", list->Items()->Get(0).c_str());
}

TEST_F(EditListTest, EventsShapeAndVetoTheEditor) {
    auto* list = MakeEditList({"one", "two"});
    bool allow = false;
    int hiding = 0;
    list->OnShowingEditor = [&](TObject*, int index, bool& ok) {
        EXPECT_EQ(1, index);
        ok = allow;
    };
    list->OnSizeEditRect = [](TObject*, int, TRect& rect) { rect.Right = rect.Left + 50; };
    list->OnHidingEditor = [&](TObject*) { ++hiding; };
    list->SetItemIndex(1);
    Key(list, VK_F2);
    EXPECT_FALSE(list->PopupVisible());
    allow = true;
    list->SetItemIndex(1);
    Key(list, VK_F2);
    ASSERT_TRUE(list->PopupVisible());
    RECT shown;
    GetWindowRect(list->Editor()->Handle(), &shown);
    EXPECT_EQ(50, shown.right - shown.left);
    EditorKey(list, VK_RETURN);
    EXPECT_EQ(1, hiding);
    list->SetAllowEdit(false);
    Key(list, VK_F2);
    EXPECT_FALSE(list->PopupVisible());
}

TEST_F(EditListTest, DeleteKeyRemovesSelectedItemsWhenAllowed) {
    auto* list = MakeEditList({"one", "two", "three"});
    list->SetItemIndex(1);
    Key(list, VK_DELETE);
    EXPECT_EQ(3, list->Items()->Count());
    list->SetAllowDeleteByKbd(true);
    Key(list, VK_DELETE);
    ASSERT_EQ(2, list->Items()->Count());
    EXPECT_STREQ("three", list->Items()->Get(1).c_str());
}

}  // namespace
