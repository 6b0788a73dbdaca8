// The check list: its text form (and the refusal of malformed lines, all or nothing), toggling
// by Space and by clicks, vetoes, enabling, re-creation, and the drawn boxes.
#include "UiCheckList.h"
#include "cl_except.h"
#include "cl_streams.h"
#include "view_fixture.h"

namespace {

class CheckListTest : public EditFormTest {
protected:
    TUiCheckList* AddList() {
        list = Add<TUiCheckList>(10, 10, 200, 150);
        Pump();
        return list;
    }
    AnsiString Saved() {
        TMemoryStream stream;
        list->SaveToStream(&stream);
        return AnsiString(static_cast<const char*>(stream.Memory()), static_cast<int>(stream.Size()));
    }
    void Load(const AnsiString& text) {
        TStringStream stream(text);
        list->LoadFromStream(&stream);
    }
    TUiCheckList* list = nullptr;
};

TEST_F(CheckListTest, TextFormCarriesStatesBothWays) {
    AddList();
    list->AddEx("A", true, true);
    list->AddEx("B", false, false);
    list->Items()->Add("C");
    list->SetItemState(2, cbGrayed);
    const AnsiString text = Saved();
    EXPECT_EQ(text, "&1 1 A\r\n&0 0 B\r\n&1 2 C\r\n");

    Load(text + "plain line\n&1 1 \r&0 2 with  blanks ");
    ASSERT_EQ(list->Items()->Count(), 6);
    const struct {
        const char* text;
        TCheckBoxState state;
        bool enabled;
    } expected[] = {{"A", cbChecked, true},       {"B", cbUnchecked, false},
                    {"C", cbGrayed, true},        {"plain line", cbUnchecked, true},
                    {"", cbChecked, true},        {"with  blanks ", cbGrayed, false}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(list->Items()->Strings(i), expected[i].text) << i;
        EXPECT_EQ(list->GetItemState(i), expected[i].state) << i;
        EXPECT_EQ(list->GetItemEnabled(i), expected[i].enabled) << i;
    }
}

TEST_F(CheckListTest, AMalformedLineRefusesTheWholeLoad) {
    AddList();
    list->AddEx("kept", true, true);
    const char* bad[] = {"&1 1", "&", "&1 3 Three", "&1 x Letter", "&1 - Minus", "&11"};
    for (const char* line : bad) {
        EXPECT_THROW(Load(AnsiString("&0 0 first\r\n") + line + "\r\n&0 0 last\r\n"),
                     EConvertError)
            << line;
        ASSERT_EQ(list->Items()->Count(), 1) << line;
        EXPECT_EQ(list->Items()->Strings(0), "kept");
        EXPECT_TRUE(list->GetItemChecked(0));
    }
    try {
        Load("ok\n&1 9 Nine\n");
    } catch (const EConvertError& error) {
        EXPECT_EQ(AnsiString(error.Message()), "Line 2 is no check list item: \"&1 9 Nine\"");
    }
}

TEST_F(CheckListTest, AssignedLinesKeepTheirStatesAndOtherTextStaysText) {
    AddList();
    TStringList source;
    source.Add("&1 1 Checked");
    source.Add("&File");
    list->SetItems(&source);
    EXPECT_TRUE(list->GetItemChecked(0));
    EXPECT_EQ(list->Items()->Strings(1), "&File");
    EXPECT_EQ(list->GetItemState(1), cbUnchecked);

    auto* other = Add<TUiCheckList>(220, 10, 150, 100);
    other->SetItems(list->Items());
    EXPECT_EQ(other->Items()->Strings(0), "Checked");
    EXPECT_TRUE(other->GetItemChecked(0));
    other->Items()->Exchange(0, 1);
    EXPECT_TRUE(other->GetItemChecked(1)) << "states move with their texts";
    other->Items()->Move(1, 0);
    EXPECT_TRUE(other->GetItemChecked(0));
}

TEST_F(CheckListTest, SpaceCyclesThroughGrayedWhenAllowed) {
    AddList();
    list->Items()->Add("one");
    list->Items()->Add("two");
    list->SetAllowGrayed(true);
    Focus(list);
    list->SetItemIndex(1);
    std::vector<TCheckBoxState> states;
    for (int i = 0; i < 3; ++i) {
        Key(list, VK_SPACE);
        Type(list, " ");
        states.push_back(list->GetItemState(1));
    }
    EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_EQ(list->ItemIndex(), 1) << "a typed blank does not search";
    list->SetItemEnabled(1, false);
    Key(list, VK_SPACE);
    EXPECT_EQ(list->GetItemState(1), cbUnchecked) << "a disabled item does not toggle";
}

TEST_F(CheckListTest, ClicksToggleOnTheBoxOrAnywhereWhenAsked) {
    AddList();
    list->Items()->Add("one");
    list->Items()->Add("two");
    Focus(list);
    const TRect item = list->ItemRect(1);
    const int y = (item.Top + item.Bottom) / 2;
    PostClick(list->Handle(), item.Left + 8, y);
    Pump();
    EXPECT_TRUE(list->GetItemChecked(1)) << "on the box";
    PostClick(list->Handle(), item.Left + 60, y);
    Pump();
    EXPECT_TRUE(list->GetItemChecked(1)) << "the text does not toggle";
    list->SetToggleOnItemClick(true);
    PostClick(list->Handle(), item.Left + 60, y);
    Pump();
    EXPECT_FALSE(list->GetItemChecked(1)) << "with ToggleOnItemClick it does";
    LeftPress(list, item.Left + 8, y);
    LeftRelease(list, item.Left + 8, list->ClientHeight() + 20);
    EXPECT_FALSE(list->GetItemChecked(1)) << "released outside the list";
}

TEST_F(CheckListTest, AVetoKeepsTheStateAndReportsNothing) {
    AddList();
    list->Items()->Add("one");
    list->SetItemIndex(0);
    int changes = 0;
    list->OnChange = [&](TObject*, int, TCheckBoxState) { ++changes; };
    list->OnChanging = [&](TObject*, int index, TCheckBoxState state, bool& allow) {
        EXPECT_EQ(index, 0);
        EXPECT_EQ(state, cbChecked);
        allow = false;
    };
    list->ToggleCheckState();
    EXPECT_FALSE(list->GetItemChecked(0));
    EXPECT_EQ(changes, 0);
    list->OnChanging = nullptr;
    list->ToggleCheckState();
    EXPECT_EQ(changes, 1);
}

TEST_F(CheckListTest, EnablingTheControlSetsEveryItemAndRecreationKeepsStates) {
    AddList();
    list->AddEx("a", true, false);
    list->AddEx("b", false, true);
    list->SetItemIndex(1);
    list->SetEnabled(false);
    EXPECT_FALSE(list->GetItemEnabled(0));
    EXPECT_FALSE(list->GetItemEnabled(1));
    list->SetEnabled(true);
    EXPECT_TRUE(list->GetItemEnabled(0));
    EXPECT_TRUE(list->GetItemEnabled(1));
    list->CheckAll();
    EXPECT_EQ(list->ItemsChecked(), 2);
    list->SetItemChecked(1, false);
    list->RecreateWnd();
    Pump();
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_TRUE(list->GetItemChecked(0));
    EXPECT_FALSE(list->GetItemChecked(1));
}

TEST_F(CheckListTest, BoxesAreDrawnInTheFrameAndCheckColours) {
    AddList();
    list->AddEx("checked", true, true);
    list->AddEx("unchecked", false, true);
    list->SetItemFrameColor(clRed);
    list->SetHighlightColor(clBlue);
    WindowShot shot(list);
    const int border = (list->Width() - list->ClientWidth()) / 2;
    auto count = [&](int index, TColor colour) {
        const TRect r = list->ItemRect(index);
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Left + list->OwnerDrawItemIndent(); ++x)
                n += shot.At(border + x, border + y) == colour;
        return n;
    };
    EXPECT_GT(count(0, clRed), 20) << "a framed box";
    EXPECT_GT(count(1, clRed), 20);
    EXPECT_GT(count(0, clBlue), 5) << "a check mark";
    EXPECT_EQ(count(1, clBlue), 0);
}

}  // namespace
