#include <gtest/gtest.h>

#include "UiCommon.h"
#include "UiUtils.h"
#include "list_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

BOOL CALLBACK FindShownText(HWND window, LPARAM data) {
    auto* wanted = reinterpret_cast<std::pair<AnsiString, HWND>*>(data);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (IsWindowVisible(window) && wanted->first == text) wanted->second = window;
    return TRUE;
}

// A shown top-level window of this thread with the text; null when there is none.
HWND ShownWindowWithText(const AnsiString& text) {
    std::pair<AnsiString, HWND> wanted(text, nullptr);
    EnumThreadWindows(GetCurrentThreadId(), &FindShownText, reinterpret_cast<LPARAM>(&wanted));
    return wanted.second;
}

TEST_F(ListBoxTest, TypingSearchesPrefixesIgnoringCase) {
    auto* list = MakeList({"Car", "Cat", "Dog"});
    const struct {
        const char* typed;
        int index;
        const char* search;
        int matches;
    } steps[] = {{"c", 0, "c", 1}, {"a", 0, "ca", 2}, {"t", 1, "cat", 3}, {"x", 1, "cat", 3}};
    for (const auto& step : steps) {
        Type(list, step.typed);
        EXPECT_EQ(step.index, list->ItemIndex()) << step.typed;
        EXPECT_STREQ(step.search, list->SearchText().c_str()) << step.typed;
        EXPECT_EQ(step.matches, matches) << step.typed;
    }
    EXPECT_EQ(0, clicks);
}

TEST_F(ListBoxTest, BackspaceAndEscape) {
    auto* list = MakeList({"Car", "Cat", "Dog"});
    Type(list, "d");
    EXPECT_EQ(2, list->ItemIndex());
    Type(list, "\b");  // the only search character removed: item 0, a click
    EXPECT_EQ(0, list->ItemIndex());
    EXPECT_EQ(1, clicks);
    EXPECT_STREQ("", list->SearchText().c_str());
    Type(list, "cat\b");
    EXPECT_EQ(0, list->ItemIndex());
    EXPECT_STREQ("ca", list->SearchText().c_str());
    Type(list, "\x1b");
    EXPECT_EQ(-1, list->ItemIndex());
}

TEST_F(ListBoxTest, SearchStartsAfreshAfterDelayOrNavigationKey) {
    const int saved = IncrementalSearchResetDelay;
    IncrementalSearchResetDelay = 50;
    auto* list = MakeList({"Car", "Cat", "Dog"});
    Type(list, "d");
    PumpUntil([&] { return list->SearchText().IsEmpty(); }, 2000);
    Type(list, "c");
    EXPECT_EQ(0, list->ItemIndex());
    IncrementalSearchResetDelay = saved;
    Key(list, VK_DOWN);
    EXPECT_STREQ("", list->SearchText().c_str());
}

TEST_F(ListBoxTest, SpaceIsNotSearchedInPlainMultiSelect) {
    auto* list = MakeList({"a", " b"});
    list->SetMultiSelect(true);
    list->SetExtendedSelect(false);
    Focus(list);
    Type(list, " ");
    EXPECT_EQ(0, matches);
    EXPECT_STREQ("", list->SearchText().c_str());
    list->SetExtendedSelect(true);
    Focus(list);
    Type(list, " ");
    EXPECT_EQ(1, matches);
    EXPECT_TRUE(list->Selected(1));
}

TEST_F(ListBoxTest, ClickFiresForMouseAndKeysNotForProgram) {
    auto* list = MakeList({"a", "b", "c"});
    list->SetItemIndex(1);
    EXPECT_EQ(0, clicks);
    ClickRow(list, 2);
    EXPECT_EQ(2, list->ItemIndex());
    EXPECT_EQ(1, clicks);
    Key(list, VK_UP);
    EXPECT_EQ(1, list->ItemIndex());
    EXPECT_EQ(2, clicks);
    Key(list, VK_HOME);
    EXPECT_EQ(0, list->ItemIndex());
    EXPECT_EQ(3, clicks);
}

TEST_F(ListBoxTest, DeleteKeepsANeighbourSelected) {
    auto* list = MakeList({"a", "b", "c"});
    list->SetItemIndex(2);
    list->Delete(2);
    EXPECT_EQ(1, list->ItemIndex());
    EXPECT_EQ(1, clicks);
    list->Delete(0);
    EXPECT_EQ(0, list->ItemIndex());
    list->SetItemIndex(-1);
    list->Delete(0);
    EXPECT_EQ(-1, list->ItemIndex());
    EXPECT_EQ(2, clicks);
}

TEST_F(ListBoxTest, DeleteSelectedItemsInMultiSelect) {
    auto* list = MakeList({"a", "b", "c", "d"});
    list->SetMultiSelect(true);
    int deletes = 0;
    list->OnDeleteItems = [&](TObject*) { ++deletes; };
    list->SetSelected(1, true);
    list->SetSelected(3, true);
    list->DeleteSelectedItems();
    ASSERT_EQ(2, list->Items()->Count());
    EXPECT_STREQ("c", list->Items()->Get(1).c_str());
    EXPECT_EQ(1, deletes);
    list->SelectAll();
    EXPECT_EQ(2, list->SelCount());
    list->UnselectAll();
    EXPECT_EQ(0, list->SelCount());
    EXPECT_STREQ("", list->SelectedItem().c_str());
}

TEST_F(ListBoxTest, GroupLayout) {
    auto* list = MakeList({"//Fruits", "Apple", "//Vegetables", "Leek"});
    EXPECT_TRUE(list->GetItemIsGroup(0));
    EXPECT_FALSE(list->GetItemIsGroup(1));
    EXPECT_FALSE(list->GetItemIsGroup(4));
    EXPECT_EQ(2, list->ItemIndexOfGroup(1));
    EXPECT_EQ(-1, list->ItemIndexOfGroup(2));
    EXPECT_EQ(-1, list->ItemIndexOfGroup(-1));
    EXPECT_EQ(1, list->ItemsInGroup(0));
    EXPECT_EQ(0, list->ItemsInGroup(5));  // a missing group holds nothing
    EXPECT_EQ(0, list->ItemsInGroup(-1));
    EXPECT_EQ(2, list->ItemGroupIndex(3));
    EXPECT_EQ(1, list->GroupIndexOfItem(2));
    EXPECT_EQ(-1, list->GroupIndexOfItem(1));
    EXPECT_STREQ("Vegetables", list->ItemCaption(2).c_str());
    EXPECT_STREQ("Leek", list->ItemCaption(3).c_str());
    EXPECT_STREQ("", list->ItemCaption(9).c_str());
    EXPECT_EQ(-1, list->InsertItemIntoGroup(0, 2, "Plum"));
    EXPECT_EQ(-1, list->InsertItemIntoGroup(3, 0, "Plum"));
    EXPECT_EQ(2, list->InsertItemIntoGroup(0, 1, "Pear"));
    EXPECT_EQ(5, list->AddItemToGroup(1, "Kale"));
    EXPECT_EQ(-1, list->AddItemToGroup(2, "Kale"));
    EXPECT_EQ(6, list->AddGroup("Nuts"));
    EXPECT_STREQ("//Nuts", list->Items()->Get(6).c_str());
    list->SetItemIndex(1);
    list->ItemToGroup(1);
    EXPECT_STREQ("//Apple", list->Items()->Get(1).c_str());
    EXPECT_EQ(1, list->ItemIndex());
    list->GroupToItem(1);
    EXPECT_STREQ("Apple", list->Items()->Get(1).c_str());
    EXPECT_EQ(1, list->ItemIndex());
    list->SetGroupPrefix("");
    EXPECT_TRUE(list->GetItemIsGroup(1));
}

TEST_F(ListBoxTest, GroupRowsAreDrawnAsHeaders) {
    auto* list = MakeList({"//Fruits", "Apple"});
    list->SetUseGradients(false);
    list->SetGroupColor(clRed);
    list->SetOwnerDrawIndent(20);
    list->SetShowGroups(true);
    list->SetItemIndex(-1);
    Pump();
    EXPECT_EQ(lbOwnerDrawFixed, list->Style());
    EXPECT_EQ(GetMinFontHeight(list->Font()) + 2, list->ItemHeight());
    const int frame = FrameWidth(list);
    const TRect group = list->ItemRect(0);
    const TRect item = list->ItemRect(1);
    WindowShot shot(list);
    EXPECT_EQ(clRed, shot.At(frame + group.Right - 3, frame + group.Top + 1));
    // The indented item leaves its first 20 pixels in the list's colour.
    for (int x = frame; x < frame + 20; ++x)
        EXPECT_EQ(ColorToRGB(clWindow), shot.At(x, frame + (item.Top + item.Bottom) / 2)) << x;
    // Another prefix draws the same header: the prefix is never drawn, the caption is.
    list->SetGroupPrefix("#");
    list->Items()->Put(0, "#Fruits");
    list->SetItemIndex(-1);
    WindowShot other(list);
    int textPixels = 0;
    for (int y = frame + group.Top; y < frame + group.Bottom; ++y)
        for (int x = frame; x < frame + group.Right; ++x) {
            EXPECT_EQ(shot.At(x, y), other.At(x, y)) << x << "," << y;
            if (shot.At(x, y) != clRed) ++textPixels;
        }
    EXPECT_GT(textPixels, 10);
}

TEST_F(ListBoxTest, ClippedItemsShowTheirTextAsAHint) {
    auto* list = MakeList({"short", "a text\tmuch wider than the list"});
    list->SetWidth(60);
    const AnsiString expanded = "a text        much wider than the list";
    auto moveOver = [&](int row) {
        const TPoint p = RowCentre(list, row);
        PostMessageA(list->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.X, p.Y));
        Pump();
    };
    moveOver(1);
    HWND hint = ShownWindowWithText(expanded);
    ASSERT_NE(nullptr, hint);
    RECT shown;
    GetWindowRect(hint, &shown);
    const TPoint row = list->ClientToScreen(TPoint(0, list->ItemRect(1).Top));
    EXPECT_EQ(row.X - 1, shown.left);
    moveOver(0);
    EXPECT_EQ(nullptr, ShownWindowWithText(expanded));
    list->SetShowItemHints(false);
    moveOver(1);
    EXPECT_EQ(nullptr, ShownWindowWithText(expanded));
}

TEST_F(ListBoxTest, HorizontalExtentFollowsTheWidestItem) {
    auto* list = MakeList({"a"});
    list->SetHorzScrollBar(true);
    list->Items()->Add("a much wider item than the first");
    const int wide = TextWidth(list->Font(), "a much wider item than the firstx");
    EXPECT_EQ(wide, list->HorzExtent());
    EXPECT_EQ(wide, SendMessageA(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0));
    list->Items()->BeginUpdate();
    list->Items()->Add("an even wider item than all the others here");
    EXPECT_EQ(wide, list->HorzExtent());
    list->Items()->EndUpdate();
    EXPECT_EQ(wide, list->HorzExtent());
    TFont* font = list->Font();
    font->SetSize(font->Size() + 2);
    EXPECT_EQ(TextWidth(list->Font(), "an even wider item than all the others herex"), list->HorzExtent());
    EXPECT_TRUE(GetWindowLongA(list->Handle(), GWL_STYLE) & WS_HSCROLL);
}

}  // namespace
