// The check list: its text form (and the refusal of malformed lines, all or nothing), toggling
// by Space and by clicks, vetoes, enabling, re-creation, groups and tab stops, and the drawn rows.
#include "UiCheckList.h"
#include "cl_except.h"
#include "cl_streams.h"
#include "stream_checks.h"
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

// Items come back from a written form with their states and enabled flags; item texts in the
// text form's shape stay plain text; an empty list stores no items.
TEST_F(CheckListTest, ItemsAndTheirStatesSurviveAFormStream) {
    RegisterClass(TUiCheckList::StaticClass());
    ExpectDefaultsNotWritten(AddList());
    EXPECT_FALSE(WritesProperty(WrittenProperties(list), "Items.Strings"));
    list->SetName("Choices");
    list->AddEx("radon", true, true);
    list->AddEx("&0 2 thoron", false, false);
    list->AddEx("humidity", false, true);
    list->SetItemState(2, cbGrayed);
    list->SetAllowGrayed(true);
    list->SetToggleOnItemClick(true);
    list->SetShowGroups(false);
    list->SetTransparentColor(clFuchsia);
    list->SetHighlightColor(clRed);
    list->SetItemFillColor(clYellow);
    list->SetItemFocusColor(clAqua);
    list->SetItemFrameColor(clNavy);
    TBitmap glyphs;
    glyphs.SetSize(6 * 10, 10);
    glyphs.Canvas()->Brush()->SetColor(clGreen);
    glyphs.Canvas()->FillRect(TRect(0, 0, 60, 10));
    list->SetCustomGlyphs(&glyphs);
    TForm* copy = CopyOfForm(form);
    auto* read = static_cast<TUiCheckList*>(copy->FindComponent("Choices"));
    ASSERT_NE(read, nullptr);
    ExpectSameProperties(list, read);
    EXPECT_TRUE(read->UseCustomGlyphs());
    EXPECT_EQ(read->GlyphWidth(), 10);
    ASSERT_EQ(read->Items()->Count(), 3);
    const struct {
        const char* text;
        TCheckBoxState state;
        bool enabled;
    } items[] = {{"radon", cbChecked, true},
                 {"&0 2 thoron", cbUnchecked, false},
                 {"humidity", cbGrayed, true}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(read->Items()->Strings(i), items[i].text) << i;
        EXPECT_EQ(read->GetItemState(i), items[i].state) << i;
        EXPECT_EQ(read->GetItemEnabled(i), items[i].enabled) << i;
    }
    copy->Free();
}

TEST_F(CheckListTest, AStoredStateOutsideTheThreeStatesIsRefused) {
    AddList();
    list->Items()->Add("radon");
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        writer.WritePropName("Items.ItemState");
        writer.WriteListBegin();
        writer.WriteInteger(3);
        writer.WriteListEnd();
    }
    stream.SetPosition(0);
    TReader reader(&stream);
    EXPECT_THROW(reader.ReadProperty(list), EReadError);
    EXPECT_EQ(list->GetItemState(0), cbUnchecked);
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

// Group rows "First" (0) and "Second" (3), each followed by two items.
class CheckListGroupTest : public CheckListTest {
protected:
    void AddGroups() {
        AddList();
        list->AddGroup("First");
        list->AddItemToGroup(0, "a");
        list->AddItemToGroup(0, "b");
        list->AddGroup("Second");
        list->AddItemToGroup(1, "c");
        list->AddItemToGroup(1, "d");
    }
    std::vector<TCheckBoxState> States() {
        std::vector<TCheckBoxState> states;
        for (int i = 0; i < list->Items()->Count(); ++i) states.push_back(list->GetItemState(i));
        return states;
    }
    std::vector<bool> Enabled() {
        std::vector<bool> enabled;
        for (int i = 0; i < list->Items()->Count(); ++i) enabled.push_back(list->GetItemEnabled(i));
        return enabled;
    }
};

TEST_F(CheckListGroupTest, GroupOperationsReachExactlyTheGroupsItems) {
    AddGroups();
    ASSERT_EQ(list->Items()->Count(), 6);
    const TCheckBoxState o = cbUnchecked, x = cbChecked, g = cbGrayed;
    list->CheckGroup(0);
    EXPECT_EQ(States(), (std::vector<TCheckBoxState>{o, x, x, o, o, o}));
    EXPECT_EQ(list->ItemsChecked(), 2);
    list->SetGroupState(1, cbGrayed);
    EXPECT_EQ(States(), (std::vector<TCheckBoxState>{o, x, x, o, g, g}));
    list->UncheckGroup(0);
    list->CheckGroup(1);
    EXPECT_EQ(States(), (std::vector<TCheckBoxState>{o, o, o, o, x, x}));
    list->CheckGroup(2);
    list->CheckGroup(-1);
    EXPECT_EQ(States(), (std::vector<TCheckBoxState>{o, o, o, o, x, x})) << "no such group";

    list->DisableGroup(1);
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, true, false, false}));
    list->DisableGroup(0);
    list->EnableGroup(1);
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, true, true, true}));

    list->SetItemChecked(0, true);
    EXPECT_EQ(list->ItemsChecked(), 2) << "a group row is not counted";
}

TEST_F(CheckListGroupTest, DisabledItemsAndGroupRowsRefuseToggles) {
    AddGroups();
    list->DisableGroup(0);
    Focus(list);
    int changes = 0;
    list->OnChange = [&](TObject*, int, TCheckBoxState) { ++changes; };
    for (int row : {0, 1, 3}) {
        list->SetItemIndex(row);
        Key(list, VK_SPACE);
        EXPECT_EQ(list->GetItemState(row), cbUnchecked) << row;
        const TRect item = list->ItemRect(row);
        PostClick(list->Handle(), item.Left + 8, (item.Top + item.Bottom) / 2);
        Pump();
        EXPECT_EQ(list->GetItemState(row), cbUnchecked) << row;
    }
    EXPECT_EQ(changes, 0);
    list->SetItemIndex(4);
    Key(list, VK_SPACE);
    EXPECT_TRUE(list->GetItemChecked(4)) << "an enabled item of the other group toggles";

    list->Delete(1);
    list->InsertItemIntoGroup(0, 0, "new");
    EXPECT_EQ(list->Items()->Strings(1), "new");
    EXPECT_TRUE(list->GetItemEnabled(1)) << "states stay beside their texts";
    EXPECT_FALSE(list->GetItemEnabled(2));
    EXPECT_TRUE(list->GetItemChecked(4));
}

TEST_F(CheckListGroupTest, AGroupRowIsDrawnWithoutABoxInTheGroupLook) {
    AddGroups();
    list->SetUseGradients(false);
    list->SetGroupColor(clYellow);
    list->GroupFont()->SetColor(clBlue);
    list->SetItemFrameColor(clRed);
    WindowShot shot(list);
    const int border = (list->Width() - list->ClientWidth()) / 2;
    auto count = [&](int index, TColor colour, int from, int to) {
        const TRect r = list->ItemRect(index);
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left + from; x < r.Left + to; ++x)
                n += shot.At(border + x, border + y) == colour;
        return n;
    };
    const int indent = list->OwnerDrawItemIndent();
    const int width = list->ClientWidth();
    EXPECT_EQ(count(0, clRed, 0, indent), 0) << "no box on a group row";
    EXPECT_GT(count(1, clRed, 0, indent), 20) << "a box on an item";
    EXPECT_GT(count(0, clYellow, 0, width), width * list->ItemHeight() / 2) << "group fill";
    EXPECT_EQ(count(1, clYellow, 0, width), 0);
    EXPECT_GT(count(0, clBlue, 0, indent), 5) << "the caption starts at the left edge";
    EXPECT_EQ(count(0, clBlue, width / 2, width), 0);
}

TEST_F(CheckListTest, CellsAreDrawnAtTheTabStops) {
    AddList();
    list->Items()->Add("x\tx");
    list->SetItemIndex(0);
    list->TabStops()->Add(20);
    const int stop = 20 * list->CharUnit();
    WindowShot shot(list);
    const int border = (list->Width() - list->ClientWidth()) / 2;
    const TRect r = list->ItemRect(0);
    auto textPixels = [&](int from, int to) {
        int n = 0;
        for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
            for (int x = from; x < to; ++x)
                n += shot.At(border + x, border + y) == ColorToRGB(clHighlightText);
        return n;
    };
    const int indent = list->OwnerDrawItemIndent();
    EXPECT_GT(textPixels(indent, indent + 12), 0) << "the first cell";
    EXPECT_EQ(textPixels(indent + 12, stop - 2), 0) << "nothing between the cells";
    EXPECT_GT(textPixels(stop - 2, stop + 12), 0) << "the second cell at the stop";
}

}  // namespace
