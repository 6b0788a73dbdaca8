#include <gtest/gtest.h>

#include "UiRankListBox.h"
#include "list_fixture.h"

namespace {

using Moves = std::vector<std::pair<int, int>>;

class RankListTest : public ListBoxTest {
protected:
    TUiRankListBox* MakeRank(std::initializer_list<const char*> items) {
        auto* list = MakeList<TUiRankListBox>(items);
        list->OnMoveItem = [this](TObject*, int from, int to) { moves.push_back({from, to}); };
        return list;
    }
    static void Press(TUiRankListBox* list, TPoint p, bool shift) {
        const WPARAM keys = MK_LBUTTON | (shift ? MK_SHIFT : 0);
        PostMessageA(list->Handle(), WM_LBUTTONDOWN, keys, MAKELPARAM(p.X, p.Y));
        Pump();
    }
    static void MoveTo(TUiRankListBox* list, int x, int y) {
        PostMessageA(list->Handle(), WM_MOUSEMOVE, MK_LBUTTON,
                     MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
        Pump();
    }
    static void Release(TUiRankListBox* list, int x, int y) {
        PostMessageA(list->Handle(), WM_LBUTTONUP, 0,
                     MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
        Pump();
    }
    Moves moves;
};

TEST_F(RankListTest, DraggingPastTheEndsMovesToTheEnds) {
    auto* list = MakeRank({"a", "b", "c", "d"});
    list->SetModifierKey(mkNone);
    Press(list, RowCentre(list, 1), false);
    EXPECT_TRUE(list->Moving());
    MoveTo(list, 20, list->ClientHeight() + 30);
    EXPECT_STREQ("b", list->Items()->Get(3).c_str());
    EXPECT_EQ(3, list->ItemIndex());
    MoveTo(list, 20, -30);
    EXPECT_STREQ("b", list->Items()->Get(0).c_str());
    Release(list, 20, -30);
    EXPECT_FALSE(list->Moving());
    EXPECT_EQ(Moves({{1, 3}, {3, 0}}), moves);
    EXPECT_STREQ("a", list->Items()->Get(1).c_str());
}

TEST_F(RankListTest, WithoutMoveOnDragTheItemMovesOnRelease) {
    auto* list = MakeRank({"a", "b", "c", "d"});
    list->SetMoveOnDrag(false);
    Press(list, RowCentre(list, 0), true);
    EXPECT_THROW(list->SetMoveOnDrag(true), Exception);
    const TPoint target = RowCentre(list, 2);
    MoveTo(list, target.X, target.Y);
    EXPECT_TRUE(moves.empty());
    Release(list, target.X, target.Y);
    EXPECT_EQ(Moves({{0, 2}}), moves);
    EXPECT_STREQ("a", list->Items()->Get(2).c_str());
    EXPECT_EQ(2, list->ItemIndex());
    list->SetMoveOnDrag(true);
}

TEST_F(RankListTest, PressWithoutTheModifierSelectsOnly) {
    auto* list = MakeRank({"a", "b", "c"});
    Press(list, RowCentre(list, 1), false);
    EXPECT_FALSE(list->Moving());
    EXPECT_EQ(1, list->ItemIndex());
    MoveTo(list, 20, list->ClientHeight() + 30);
    Release(list, 20, list->ClientHeight() + 30);
    EXPECT_TRUE(moves.empty());
    EXPECT_STREQ("b", list->Items()->Get(1).c_str());
}

TEST_F(RankListTest, ShiftKeysMoveTheSelectedItem) {
    auto* list = MakeRank({"a", "b", "c", "d", "e"});
    SetModifiers(true, false);
    const struct {
        int selected;
        UINT key;
        const char* order;
        int index;
    } cases[] = {{4, VK_DOWN, "abcde", 4}, {3, VK_HOME, "dabce", 0}, {0, VK_UP, "dabce", 0},
                 {1, VK_END, "dbcea", 4},  {2, VK_UP, "dcbea", 1}};
    for (const auto& c : cases) {
        list->SetItemIndex(c.selected);
        Key(list, c.key);
        AnsiString order;
        for (int i = 0; i < list->Items()->Count(); ++i) order += list->Items()->Get(i);
        EXPECT_STREQ(c.order, order.c_str()) << c.selected << " " << c.key;
        EXPECT_EQ(c.index, list->ItemIndex()) << c.selected << " " << c.key;
    }
    EXPECT_EQ(Moves({{3, 0}, {1, 4}, {2, 1}}), moves);
    SetModifiers(false, false);
    list->SetItemIndex(0);
    Key(list, VK_DOWN);  // without Shift: plain selection
    EXPECT_EQ(1, list->ItemIndex());
    EXPECT_EQ(3u, moves.size());
}

TEST_F(RankListTest, SelectionSettingsAreFixed) {
    auto* list = MakeRank({"a", "b"});
    EXPECT_FALSE(list->ExtendedSelect());
    const TPropertyInfo* sorted = FindProperty(list, "Sorted");
    ASSERT_NE(nullptr, sorted);
    sorted->SetOrd(list, 1);
    EXPECT_FALSE(list->Sorted());
    EXPECT_FALSE(sorted->IsStored(list));
}

}  // namespace
