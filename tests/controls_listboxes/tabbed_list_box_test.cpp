#include <gtest/gtest.h>

#include "UiTabbedListBox.h"
#include "UiUtils.h"
#include "list_fixture.h"

namespace {

class TabbedListTest : public ListBoxTest {
protected:
    TUiTabbedListBox* MakeTabbed(std::initializer_list<const char*> items) {
        return MakeList<TUiTabbedListBox>(items);
    }
    static std::vector<int> Stops(TUiCustomTabbedListBox* list) {
        std::vector<int> stops;
        for (int i = 0; i < list->TabStops()->GetCount(); ++i)
            stops.push_back(list->TabStops()->GetItem(i));
        return stops;
    }
};

TEST_F(TabbedListTest, AutomaticStopsFitTheWidestCellOfEachColumn) {
    auto* list = MakeTabbed({"a\tbbbb", "ccccccc\td"});
    EXPECT_EQ(GetAvgCharWidth(list->Font()), list->CharUnit());
    list->SetTabStopsMode(tsmAutomatic);
    const int unit = list->CharUnit();
    const int first = TextWidth(list->Font(), "ccccccc") / unit + 4;
    EXPECT_EQ(std::vector<int>({first}), Stops(list));
    list->Items()->Add("x\tyyyyyyyyyyyyyyyyyyyy\tz");
    const int second = first + TextWidth(list->Font(), "yyyyyyyyyyyyyyyyyyyy") / unit + 4;
    EXPECT_EQ(std::vector<int>({first, second}), Stops(list));
    list->Items()->Delete(2);
    EXPECT_EQ(std::vector<int>({first}), Stops(list));
}

TEST_F(TabbedListTest, GroupCellsAreMeasuredInTheGroupFontWithoutPrefix) {
    auto* list = MakeTabbed({"//Wide group caption\tx", "a\tb"});
    list->GroupFont()->SetSize(14);
    list->SetTabStopsMode(tsmAutomatic);
    EXPECT_FALSE(list->ShowGroups());
    const int expected = TextWidth(list->GroupFont(), "Wide group caption") / list->CharUnit() + 4;
    EXPECT_EQ(std::vector<int>({expected}), Stops(list));
    list->GroupFont()->SetSize(8);  // a group font change fits the stops again
    EXPECT_EQ(std::vector<int>({TextWidth(list->GroupFont(), "Wide group caption") /
                                    list->CharUnit() + 4}),
              Stops(list));
}

TEST_F(TabbedListTest, StopsWaitForTheEndOfAnItemsUpdate) {
    auto* list = MakeTabbed({"a\tb"});
    list->SetTabStopsMode(tsmAutomatic);
    const std::vector<int> before = Stops(list);
    list->Items()->BeginUpdate();
    list->Items()->Add("a much wider first cell\tb");
    EXPECT_EQ(before, Stops(list));
    list->Items()->EndUpdate();
    EXPECT_EQ(before, Stops(list));
    list->Items()->Add("c");
    EXPECT_GT(Stops(list)[0], before[0]);
}

TEST_F(TabbedListTest, CharUnitIsAtLeastOne) {
    auto* list = MakeTabbed({"abc\tdef"});
    list->Font()->SetHeight(1);
    EXPECT_GE(list->CharUnit(), 1);
    list->SetTabStopsMode(tsmAutomatic);
    list->SetHorzScrollBar(true);
    list->Items()->Add("x\ty");
    EXPECT_EQ(1u, Stops(list).size());
}

TEST_F(TabbedListTest, CellsBetweenTabs) {
    auto* list = MakeTabbed({"a\tb", "one"});
    EXPECT_STREQ("a", list->GetCellText(0, 0).c_str());
    EXPECT_STREQ("b", list->GetCellText(1, 0).c_str());
    EXPECT_STREQ("one", list->GetCellText(0, 1).c_str());
    const struct {
        int column, row;
        const char* error;
    } bad[] = {{2, 0, "Column parameter out of range"}, {1, 1, "Column parameter out of range"},
               {-1, 0, "Column parameter out of range"}, {0, 2, "Row parameter out of range"},
               {0, -1, "Row parameter out of range"}};
    for (const auto& c : bad) {
        try {
            list->GetCellText(c.column, c.row);
            ADD_FAILURE() << c.column << "," << c.row;
        } catch (const EListError& e) {
            EXPECT_STREQ(c.error, e.Message().c_str());
        }
        EXPECT_THROW(list->SetCellText(c.column, c.row, "X"), EListError);
    }
    list->SetCellText(0, 0, "X");
    EXPECT_STREQ("X\tb", list->Items()->Get(0).c_str());
    list->SetCellText(1, 0, "longer");
    EXPECT_STREQ("X\tlonger", list->Items()->Get(0).c_str());
    list->SetCellText(0, 1, "");
    EXPECT_STREQ("", list->Items()->Get(1).c_str());
}

TEST_F(TabbedListTest, StopsFromAHeaderControl) {
    auto* list = MakeTabbed({"a\tb\tc"});
    auto* header = Add<THeaderControl>(10, 200, 300, 20);
    header->Sections()->Add("one", 60);
    header->Sections()->Add("two", 90);
    header->Sections()->Add("three", 40);
    const int unit = list->CharUnit();
    list->TabStops()->Add(1);
    list->TabStops()->Add(-2);
    list->TabStops()->Add(-3);
    list->UpdateFromHeader(header);
    EXPECT_EQ(std::vector<int>({60 / unit + 1, 1 - (150 + 40) / unit, 1 - list->Width() / unit}),
              Stops(list));
    try {
        list->UpdateFromHeader(list);
        ADD_FAILURE();
    } catch (const EHeaderError& e) {
        EXPECT_STREQ("Only THeader and THeaderControl components can be passed to "
                     "TUiCustomTabbedListBox.UpdateFromHeader",
                     e.Message().c_str());
    }
}

// The first text pixel of a row, from the left.
int FirstInk(const WindowShot& shot, int left, int right, int top, int bottom, TColor paper) {
    for (int x = left; x < right; ++x)
        for (int y = top; y < bottom; ++y)
            if (shot.At(x, y) != paper) return x;
    return -1;
}

TEST_F(TabbedListTest, OwnerDrawnCellsStartAtTheirStops) {
    auto* list = MakeTabbed({"\tX", "//\tY"});
    list->SetStyle(lbOwnerDrawFixed);
    list->SetShowGroups(true);
    list->SetUseGradients(false);
    list->SetGroupColor(clYellow);
    list->TabStops()->Add(10);
    list->SetItemIndex(-1);
    list->SetFocusColor(clWhite);
    list->SetColor(clWhite);
    Focus(form);
    const int frame = FrameWidth(list);
    const int stop = 10 * list->CharUnit();  // tabs count from the client's left edge
    WindowShot shot(list);
    for (int row = 0; row < 2; ++row) {
        const TRect r = list->ItemRect(row);
        const int ink = FirstInk(shot, frame + 1, frame + r.Right - 1, frame + r.Top + 1,
                                 frame + r.Bottom - 1, row == 0 ? clWhite : clYellow);
        EXPECT_GE(ink - frame, stop) << row;
        EXPECT_LE(ink - frame, stop + 3) << row;
    }
}

TEST_F(TabbedListTest, HorizontalExtentExpandsTabs) {
    auto* list = MakeTabbed({"a\tb"});
    list->TabStops()->Add(40);
    list->SetHorzScrollBar(true);
    list->AdjustHorzExtent();
    const int expected = 40 * list->CharUnit() + TextWidth(list->Font(), "bx");
    EXPECT_NEAR(expected, list->HorzExtent(), 1);
}

}  // namespace
