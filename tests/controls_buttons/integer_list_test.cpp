#include <gtest/gtest.h>

#include <vector>

#include "UiIntegerList.h"
#include "cl_except.h"
#include "cl_filer.h"
#include "cl_streams.h"

namespace {

std::vector<int> Values(const TUiIntegerList& list) {
    std::vector<int> values;
    for (int i = 0; i < list.GetCount(); ++i) values.push_back(list[i]);
    return values;
}

template <class E>
AnsiString MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    return "no exception";
}

TEST(IntegerList, SortedListFollowsItsDuplicatePolicy) {
    TUiIntegerList ignore;
    ignore.SetSorted(true);
    EXPECT_EQ(ignore.Add(5), 0);
    EXPECT_EQ(ignore.Add(3), 0);
    EXPECT_EQ(ignore.Add(5), 1);
    EXPECT_EQ(ignore.Add(9), 2);
    EXPECT_EQ(Values(ignore), (std::vector<int>{3, 5, 9}));

    TUiIntegerList accept;
    accept.SetSorted(true);
    accept.SetDuplicates(dupAccept);
    for (int i = 0; i < 3; ++i) accept.Add(2);
    accept.Add(1);
    int index = -1;
    EXPECT_TRUE(accept.Find(2, index));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(accept.GetCount(), 4);

    TUiIntegerList error;
    error.SetDuplicates(dupError);
    error.Add(4);
    error.Add(4);
    EXPECT_EQ(error.GetCount(), 2) << "an unsorted list accepts the duplicate";
    error.Clear();
    error.SetSorted(true);
    error.Add(4);
    EXPECT_EQ(MessageOf<EListError>([&] { error.Add(4); }), "Duplicates not allowed");
    EXPECT_EQ(error.GetCount(), 1);
}

TEST(IntegerList, UnsortedIgnoreDropsDuplicateButReportsTheEnd) {
    TUiIntegerList list;
    list.Add(7);
    EXPECT_EQ(list.Add(7), 1);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.IndexOf(7), 0);
    EXPECT_EQ(list.IndexOf(8), -1);
}

TEST(IntegerList, RangeIsCheckedOnlyWhileMinDiffersFromMax) {
    TUiIntegerList list;
    list.Clear();
    list.SetMax(10);
    EXPECT_EQ(MessageOf<EOutOfRange>([&] { list.Add(11); }), "Value must be within 0..10");
    list.Add(3);
    EXPECT_EQ(MessageOf<EOutOfRange>([&] { list.SetItem(0, -1); }), "Value must be within 0..10");
    EXPECT_EQ(MessageOf<EOutOfRange>([&] { list.SetMin(4); }),
              "Unable to set new minimum value.\rList contains values below 4");
    EXPECT_EQ(list.Min(), 0);
    EXPECT_EQ(list.Max(), 10);
    EXPECT_EQ(MessageOf<EOutOfRange>([&] { list.SetMax(2); }),
              "Unable to set new maximum value.\rList contains values above 2");
    list.Clear();
    list.SetMin(5);
    list.SetMax(-2);
    EXPECT_EQ(list.Min(), -2) << "a maximum below the minimum lowers the minimum";
    EXPECT_EQ(list.Max(), -2);
    list.Add(100);  // Min = Max: no range
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(IntegerList, InsertRefusesSortedListsAndBadIndexes) {
    TUiIntegerList list;
    for (int v : {1, 2, 3}) list.Add(v);
    EXPECT_EQ(MessageOf<EListError>([&] { list.Insert(5, 9); }), "List index out of bounds (5)");
    EXPECT_EQ(MessageOf<EListError>([&] { list.Insert(-1, 9); }), "List index out of bounds (-1)");
    list.Insert(3, 9);
    list.Insert(0, 8);
    EXPECT_EQ(Values(list), (std::vector<int>{8, 1, 2, 3, 9}));
    list.SetSorted(true);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3, 8, 9}));
    EXPECT_EQ(MessageOf<EListError>([&] { list.Insert(0, 4); }),
              "Operation not allowed on sorted list");
    list.Delete(0);
    list.Exchange(0, 1);
    list.Move(0, 3);
    EXPECT_EQ(Values(list), (std::vector<int>{2, 8, 9, 3}));
}

TEST(IntegerList, AssignUsesTheTargetsOwnRules) {
    TUiIntegerList source;
    for (int v : {9, 1, 5, 1}) source.Add(v);
    source.SetDuplicates(dupAccept);
    source.Add(1);
    TUiIntegerList target;
    target.SetSorted(true);
    target.Assign(&source);
    EXPECT_EQ(Values(target), (std::vector<int>{1, 5, 9}));
    EXPECT_FALSE(target.Equals(&source));
    TUiIntegerList copy;
    copy.SetDuplicates(dupAccept);
    copy.Assign(&source);
    EXPECT_TRUE(copy.Equals(&source));
}

TEST(IntegerList, FormFileKeepsOrderAndBounds) {
    TUiIntegerList list;
    list.SetMax(20);
    for (int v : {4, 1, 7}) list.Add(v);
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        writer.WriteProperties(&list);
        writer.WriteListEnd();
    }
    const AnsiString written(static_cast<const char*>(stream.Memory()),
                             static_cast<int>(stream.Size()));
    EXPECT_EQ(written.Pos("Min"), 0) << "a zero minimum is not written";
    stream.SetPosition(0);
    TUiIntegerList read;
    read.Add(99);
    TReader reader(&stream);
    while (!reader.EndOfList()) reader.ReadProperty(&read);
    EXPECT_EQ(Values(read), (std::vector<int>{4, 1, 7}));
    EXPECT_EQ(read.Max(), 20);

    TMemoryStream empty;
    TUiIntegerList none;
    TWriter writer(&empty);
    writer.WriteProperties(&none);
    EXPECT_EQ(empty.Size(), 0);
}

}  // namespace
