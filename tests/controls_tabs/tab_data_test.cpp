// Tab records and their list, the colour sets' repaint on change, and the region and
// caption-extent caches with their eviction and ownership rules.
#include <gtest/gtest.h>

#include "UiTabData.h"

namespace {

// A region handle is alive while GDI still knows its type.
bool Alive(HRGN region) { return GetObjectType(region) == OBJ_REGION; }
HRGN NewRegion() { return CreateRectRgn(0, 0, 5, 5); }

TEST(TabData, AssignCopiesTheDescriptionButNotTheLayout) {
    TUiTabData source;
    source.Caption = "Graph";
    source.Color = clRed;
    source.DisabledIndex = 3;
    source.Enabled = false;
    source.Hint = "Chart";
    source.ImageIndex = 2;
    source.Visible = false;
    source.LayoutRect = TRect(1, 2, 3, 4);
    source.RowIndex = 2;
    TUiTabData copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Caption, "Graph");
    EXPECT_EQ(copy.Color, clRed);
    EXPECT_EQ(copy.DisabledIndex, 3);
    EXPECT_FALSE(copy.Enabled);
    EXPECT_EQ(copy.Hint, "Chart");
    EXPECT_EQ(copy.ImageIndex, 2);
    EXPECT_FALSE(copy.Visible);
    EXPECT_EQ(copy.LayoutRect, TRect(0, 0, 0, 0));
    EXPECT_EQ(copy.RowIndex, 0);
}

TEST(TabData, ListMovesRemovesAndCopies) {
    TUiTabDataList list;
    TUiTabData* tabs[3];
    for (int i = 0; i < 3; ++i) {
        tabs[i] = new TUiTabData;
        tabs[i]->Caption = AnsiString("T") + AnsiString(std::to_string(i).c_str());
        list.Add(tabs[i]);
    }
    list.Move(1, 1);
    EXPECT_EQ(list.GetItem(1), tabs[1]);
    list.Move(0, 2);
    EXPECT_EQ(list.First(), tabs[1]);
    EXPECT_EQ(list.Last(), tabs[0]);

    TUiTabData stranger;
    EXPECT_EQ(list.Remove(&stranger), -1);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.Remove(tabs[2]), 1);

    TUiTabDataList copy;
    copy.Assign(&list);
    ASSERT_EQ(copy.GetCount(), 2);
    EXPECT_NE(copy.First(), list.First());
    EXPECT_EQ(copy.First()->Caption, "T1");
    EXPECT_EQ(copy.Last()->Caption, "T0");
}

TEST(TabRegionCache, DefaultCapacityKeepsOnlyTheLastRegion) {
    TUiTabRegionCache cache;
    HRGN first = NewRegion(), second = NewRegion();
    cache.Add(TRect(0, 0, 10, 10), first);
    cache.Add(TRect(0, 0, 20, 10), second);
    EXPECT_EQ(cache.GetCount(), 1);
    EXPECT_EQ(cache.Find(TRect(0, 0, 10, 10)), nullptr);
    EXPECT_FALSE(Alive(first)) << "the evicted region is deleted";
    EXPECT_EQ(cache.Find(TRect(0, 0, 20, 10)), second);
}

TEST(TabRegionCache, AddingAKnownRectangleLeavesTheOfferedRegionAlone) {
    HRGN kept = NewRegion(), offered = NewRegion();
    {
        TUiTabRegionCache cache;
        cache.SetCapacity(-1);
        cache.Add(TRect(0, 0, 10, 10), kept);
        cache.Add(TRect(1, 1, 10, 10), NewRegion());
        cache.Add(TRect(0, 0, 10, 10), offered);
        EXPECT_EQ(cache.GetCount(), 2);
        EXPECT_EQ(cache.Find(TRect(0, 0, 10, 10)), kept);
        cache.SetCapacity(1);
        EXPECT_EQ(cache.Find(TRect(0, 0, 10, 10)), kept) << "moved to the front, so it stays";
    }
    EXPECT_FALSE(Alive(kept));
    EXPECT_TRUE(Alive(offered)) << "a handle the cache does not keep is not its to delete";
    DeleteObject(offered);
}

TEST(TabRegionCache, CapacityRules) {
    TUiTabRegionCache cache;
    cache.SetCapacity(-1);
    for (int i = 0; i < 5; ++i) cache.Add(TRect(i, 0, 10, 10), NewRegion());
    EXPECT_EQ(cache.GetCount(), 5) << "unlimited keeps everything";
    cache.SetCapacity(2);
    EXPECT_EQ(cache.GetCount(), 2);
    EXPECT_NE(cache.Find(TRect(4, 0, 10, 10)), nullptr);
    EXPECT_NE(cache.Find(TRect(3, 0, 10, 10)), nullptr);
    for (int bad : {0, -2}) {
        try {
            cache.SetCapacity(bad);
            ADD_FAILURE() << bad;
        } catch (const EUiTabControlError& e) {
            EXPECT_STREQ(e.what(), "Capacity must be -1 (to cache all regions) or > 0");
        }
    }
    EXPECT_EQ(cache.Capacity(), 2);
}

TEST(TextExtentCache, FindsTheExactTextOnly) {
    TUiTextExtentCache cache;
    cache.Add("Graph", TSize{40, 13});
    cache.Add("Graph", TSize{1, 1});
    TSize extent{};
    ASSERT_TRUE(cache.Find("Graph", extent));
    EXPECT_EQ(extent.cx, 40);
    EXPECT_FALSE(cache.Find("graph", extent));
    cache.Clear();
    EXPECT_FALSE(cache.Find("Graph", extent));
}

}  // namespace
