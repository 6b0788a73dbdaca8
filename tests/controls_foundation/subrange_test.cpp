// Integer subranges of published properties: a form stream holding a value outside the range
// is refused when read, one on the bounds is taken.
#include <gtest/gtest.h>

#include "UiCommon.h"
#include "cl_filer.h"
#include "cl_streams.h"

namespace {

class TSpacedItem : public TPersistent {
    CL_CREATABLE_CLASS(TSpacedItem, TPersistent)

    int Spacing() const { return spacing_; }
    void SetSpacing(int value) { spacing_ = value; }
    int Indent() const { return indent_; }
    void SetIndent(int value) { indent_ = value; }

private:
    int spacing_ = 1;
    int indent_ = 0;
};

const bool registered = [] {
    const TMetaClass* item = TSpacedItem::StaticClass();
    RegisterProperty(item, SubrangeProperty<TPositiveByte, TSpacedItem>(
                               "Spacing", &TSpacedItem::Spacing, &TSpacedItem::SetSpacing, 1));
    RegisterProperty(item, SubrangeProperty<TUnsignedSmallint, TSpacedItem>(
                               "Indent", &TSpacedItem::Indent, &TSpacedItem::SetIndent, 0));
    return true;
}();

// Writes an item with these values (the setters take anything) and reads it back.
void RoundTrip(int spacing, int indent, TSpacedItem& back) {
    TSpacedItem item;
    item.SetSpacing(spacing);
    item.SetIndent(indent);
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        writer.WriteListBegin();
        writer.WriteProperties(&item);
        writer.WriteListEnd();
    }
    stream.SetPosition(0);
    TReader reader(&stream);
    reader.ReadListBegin();
    while (!reader.EndOfList()) reader.ReadProperty(&back);
    reader.ReadListEnd();
}

TEST(IntegerSubranges, BoundsAreReadAndValuesOutsideAreRefused) {
    EXPECT_EQ(TPositiveByte::Max, 255);
    EXPECT_EQ(TPositiveSmallint::Min, 1);
    EXPECT_EQ(TPositiveInteger::Max, 2147483647);
    EXPECT_EQ(TUnsignedSmallint::Max, 32767);

    TSpacedItem back;
    RoundTrip(255, 32767, back);
    EXPECT_EQ(back.Spacing(), 255);
    EXPECT_EQ(back.Indent(), 32767);

    const struct {
        int spacing, indent;
    } outside[] = {{0, 0}, {256, 0}, {-1, 0}, {1, -1}, {1, 32768}};
    for (const auto& c : outside) {
        TSpacedItem refused;
        EXPECT_THROW(RoundTrip(c.spacing, c.indent, refused), EReadError)
            << c.spacing << "/" << c.indent;
    }
    try {
        TSpacedItem refused;
        RoundTrip(0, 0, refused);
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Property Spacing out of range (1..255): 0");
    }
}

}  // namespace
