// Component streaming: every value kind through the writer and back, the exact bytes of the
// format, malformed streams, published and defined properties of a component tree, ancestors,
// the loading order, and the object model's class factories and checked casts.
#include "cl_filer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cl_lists.h"

using namespace std::string_literals;

namespace {

std::vector<std::string> loadedOrder;

enum TShape { shCircle, shSquare, shTriangle };
const std::vector<AnsiString> kShapeNames = {"shCircle", "shSquare", "shTriangle"};

// A sub-object with properties of its own, streamed as "Pen.Width" and so on.
class TSamplePen : public TPersistent {
    CL_CREATABLE_CLASS(TSamplePen, TPersistent)

    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    const AnsiString& Style() const { return style_; }
    void SetStyle(const AnsiString& value) { style_ = value; }

private:
    int width_ = 1;
    AnsiString style_;
};

class TSampleItem : public TCollectionItem {
    CL_COLLECTION_ITEM_CLASS(TSampleItem, TCollectionItem)

    explicit TSampleItem(TCollection* collection) : TCollectionItem(collection) {}
    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& value) { caption_ = value; }
    int Value() const { return value_; }
    void SetValue(int value) { value_ = value; }

private:
    AnsiString caption_;
    int value_ = 0;
};

// One property of every kind, a defined integer list "Extra" and a binary block "Data".
class TSample : public TComponent {
    CL_COMPONENT_CLASS(TSample, TComponent)

    explicit TSample(TComponent* owner)
        : TComponent(owner), items_(TSampleItem::StaticClass()) {}

    int Count() const { return count_; }
    void SetCount(int value) { count_ = value; }
    bool Flag() const { return flag_; }
    void SetFlag(bool value) { flag_ = value; }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    TShape Shape() const { return shape_; }
    void SetShape(TShape value) { shape_ = value; }
    const std::set<TShape>& Shapes() const { return shapes_; }
    void SetShapes(const std::set<TShape>& value) { shapes_ = value; }
    const AnsiString& Text() const { return text_; }
    void SetText(const AnsiString& value) { text_ = value; }
    double Ratio() const { return ratio_; }
    void SetRatio(double value) { ratio_ = value; }
    TSamplePen* Pen() { return &pen_; }
    TCollection* Items() { return &items_; }
    TSample* Buddy() const { return buddy_; }
    void SetBuddy(TSample* value) { buddy_ = value; }

    std::vector<int> Extra;
    std::vector<uint8_t> Data;

    void DefineProperties(TFiler* filer) override {
        filer->DefineProperty(
            "Extra",
            [this](TReader* reader) {
                Extra.clear();
                reader->ReadListBegin();
                while (!reader->EndOfList()) Extra.push_back(reader->ReadInteger());
                reader->ReadListEnd();
            },
            [this](TWriter* writer) {
                writer->WriteListBegin();
                for (int value : Extra) writer->WriteInteger(value);
                writer->WriteListEnd();
            },
            !Extra.empty());
        filer->DefineBinaryProperty(
            "Data",
            [this](TStream* stream) {
                Data.resize(static_cast<size_t>(stream->Size()));
                stream->ReadBuffer(Data.data(), static_cast<int>(Data.size()));
            },
            [this](TStream* stream) {
                stream->WriteBuffer(Data.data(), static_cast<int>(Data.size()));
            },
            !Data.empty());
    }
    void GetChildren(const TGetChildProc& proc, TComponent*) override {
        for (int i = 0; i < ComponentCount(); ++i) proc(Components(i));
    }
    void Loaded() override {
        TComponent::Loaded();
        loadedOrder.push_back(Name().str() + (InState(csReading) ? " reading" : ""));
    }

private:
    int count_ = 3;
    bool flag_ = false;
    TColor color_ = clBlack;
    TShape shape_ = shCircle;
    std::set<TShape> shapes_;
    AnsiString text_;
    double ratio_ = 0;
    TSamplePen pen_;
    TCollection items_;
    TSample* buddy_ = nullptr;
};

// Something created by class reference with another argument than an owner.
class TAttachment : public TPersistent {
    CL_CONTEXT_CLASS(TAttachment, TPersistent, TSample)

    explicit TAttachment(TSample* host) : Host(host) {}
    TSample* Host;
};

const bool registered = [] {
    const TMetaClass* pen = TSamplePen::StaticClass();
    RegisterProperty(pen, OrdinalProperty<TSamplePen>("Width", pkInteger, &TSamplePen::Width,
                                                      &TSamplePen::SetWidth, 1));
    RegisterProperty(pen, StringProperty<TSamplePen>("Style", &TSamplePen::Style,
                                                     &TSamplePen::SetStyle));
    const TMetaClass* item = TSampleItem::StaticClass();
    RegisterProperty(item, StringProperty<TSampleItem>("Caption", &TSampleItem::Caption,
                                                       &TSampleItem::SetCaption));
    RegisterProperty(item, OrdinalProperty<TSampleItem>("Value", pkInteger, &TSampleItem::Value,
                                                        &TSampleItem::SetValue, 0));
    const TMetaClass* sample = TSample::StaticClass();
    RegisterProperty(sample, OrdinalProperty<TSample>("Count", pkInteger, &TSample::Count,
                                                      &TSample::SetCount, 3));
    RegisterProperty(sample, OrdinalProperty<TSample>("Flag", pkBool, &TSample::Flag,
                                                      &TSample::SetFlag, 0));
    RegisterProperty(sample, OrdinalProperty<TSample>("Color", pkColor, &TSample::Color,
                                                      &TSample::SetColor, clBlack));
    RegisterProperty(sample, EnumProperty<TSample>("Shape", &TSample::Shape, &TSample::SetShape,
                                                   kShapeNames, shCircle));
    RegisterProperty(sample, SetProperty<TSample, TShape>("Shapes", &TSample::Shapes,
                                                          &TSample::SetShapes, kShapeNames));
    RegisterProperty(sample, StringProperty<TSample>("Text", &TSample::Text, &TSample::SetText));
    RegisterProperty(sample, FloatProperty<TSample>("Ratio", &TSample::Ratio, &TSample::SetRatio));
    RegisterProperty(sample, SubObjectProperty<TSample>("Pen", &TSample::Pen));
    RegisterProperty(sample, SubObjectProperty<TSample>("Items", &TSample::Items));
    RegisterProperty(sample, ComponentProperty<TSample, TSample>("Buddy", &TSample::Buddy,
                                                                 &TSample::SetBuddy));
    RegisterClasses({TSample::StaticClass(), TAttachment::StaticClass()});
    return true;
}();

std::string Bytes(TMemoryStream& stream) {
    return std::string(static_cast<const char*>(stream.Memory()),
                       static_cast<size_t>(stream.Size()));
}

void Fill(TMemoryStream& stream, const std::string& bytes) {
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
}

// ---------------------------------------------------------------------------------------------
// Values

TEST(FilerValues, EveryKindReadsBackAsWritten) {
    const std::vector<int64_t> integers = {0,          127,         -128,       128,
                                           -129,       32767,       -32768,     32768,
                                           2147483647, -2147483647 - 1, 1LL << 40};
    const AnsiString longText = AnsiString::StringOfChar('x', 300);
    const AnsiString withZero("a\0b", 3);
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        for (int64_t value : integers) writer.WriteInteger(value);
        writer.WriteFloat(0.1);
        writer.WriteFloat(-1e300);
        writer.WriteString("");
        writer.WriteString(AnsiString::StringOfChar('y', 255));
        writer.WriteString(longText);
        writer.WriteString(withZero);
        writer.WriteIdent("clRed");
        writer.WriteIdent("True");
        writer.WriteBoolean(false);
        writer.WriteChar('Q');
        writer.WriteSet({"shSquare", "shTriangle"});
        writer.WriteSet({});
        writer.WriteListBegin();
        writer.WriteInteger(1);
        writer.WriteListBegin();
        writer.WriteString("nested");
        writer.WriteListEnd();
        writer.WriteListEnd();
        const uint8_t block[] = {0, 1, 2, 255};
        writer.WriteBinary(block, 4);
    }
    stream.SetPosition(0);
    TReader reader(&stream);
    for (int64_t value : integers) EXPECT_EQ(reader.ReadInt64(), value);
    EXPECT_EQ(reader.ReadFloat(), 0.1);
    EXPECT_EQ(reader.ReadFloat(), -1e300);
    EXPECT_EQ(reader.ReadString(), "");
    EXPECT_EQ(reader.NextValue(), vaString);
    EXPECT_EQ(reader.ReadString().Length(), 255);
    EXPECT_EQ(reader.NextValue(), vaLString);
    EXPECT_EQ(reader.ReadString(), longText);
    EXPECT_EQ(reader.ReadString(), withZero);
    EXPECT_EQ(reader.ReadIdent(), "clRed");
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_EQ(reader.ReadChar(), 'Q');
    EXPECT_EQ(reader.ReadSet(), (std::vector<AnsiString>{"shSquare", "shTriangle"}));
    EXPECT_TRUE(reader.ReadSet().empty());
    reader.ReadListBegin();
    EXPECT_EQ(reader.ReadInteger(), 1);
    reader.ReadListBegin();
    EXPECT_EQ(reader.ReadString(), "nested");
    reader.ReadListEnd();
    EXPECT_TRUE(reader.EndOfList());
    reader.ReadListEnd();
    EXPECT_EQ(reader.ReadBinary(), (std::vector<uint8_t>{0, 1, 2, 255}));
    EXPECT_EQ(stream.Position(), stream.Size());

    // Skipping takes each value whole: a nested list counts as one.
    stream.SetPosition(0);
    TReader skipper(&stream);
    int skipped = 0;
    for (; stream.Position() < stream.Size(); ++skipped) skipper.SkipValue();
    EXPECT_EQ(skipped, static_cast<int>(integers.size()) + 14);
}

TEST(FilerValues, UseTheSmallestTagAndLittleEndianBytes) {
    struct Case {
        std::function<void(TWriter&)> write;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {[](TWriter& w) { w.WriteInteger(5); }, "\x02\x05"s},
        {[](TWriter& w) { w.WriteInteger(-2); }, "\x02\xFE"s},
        {[](TWriter& w) { w.WriteInteger(0x1234); }, "\x03\x34\x12"s},
        {[](TWriter& w) { w.WriteInteger(0x12345678); }, "\x04\x78\x56\x34\x12"s},
        {[](TWriter& w) { w.WriteFloat(2.5); }, "\x06\0\0\0\0\0\0\x04\x40"s},
        {[](TWriter& w) { w.WriteString("ab"); }, "\x07\x02" "ab"s},
        {[](TWriter& w) { w.WriteIdent("x"); }, "\x09\x01x"s},
        {[](TWriter& w) { w.WriteBoolean(true); }, "\x0B"s},
        {[](TWriter& w) { w.WriteSet({"a"}); }, "\x0E\x01" "a\x00"s},
        {[](TWriter& w) { w.WriteBinary("z", 1); }, "\x0D\x01\0\0\0z"s},
    };
    for (const Case& c : cases) {
        TMemoryStream stream;
        TWriter writer(&stream);
        c.write(writer);
        EXPECT_EQ(Bytes(stream), c.bytes);
    }
}

TEST(FilerValues, ListsHoldPropertyNamesOfAnyLength) {
    // A name's length byte stands where a tag could; 16 and more must not read as a bad tag.
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        writer.WritePropName("View3DOptions.Elevation");
        writer.WriteInteger(20);
        writer.WriteListEnd();
    }
    stream.SetPosition(0);
    TReader reader(&stream);
    EXPECT_FALSE(reader.EndOfList());
    EXPECT_EQ(reader.ReadStr(), "View3DOptions.Elevation");
    EXPECT_EQ(reader.ReadInteger(), 20);
    EXPECT_TRUE(reader.EndOfList());
    reader.ReadListEnd();
}

TEST(FilerValues, MalformedStreamsRaiseReadErrorsAndStayInside) {
    struct Case {
        const char* what;
        std::string bytes;
        std::function<void(TReader&)> read;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"empty stream", "", [](TReader& r) { r.ReadInteger(); }, "Stream read error"},
        {"cut integer", "\x04\x01\x02"s, [](TReader& r) { r.ReadInteger(); },
         "Stream read error"},
        {"unknown tag", "\x7F", [](TReader& r) { r.ReadValue(); }, "Invalid property value"},
        {"wrong kind", "\x02\x05"s, [](TReader& r) { r.ReadString(); },
         "Invalid property value"},
        {"string past the end", "\x07\x09" "abc"s,
         [](TReader& r) { r.ReadString(); }, "Invalid length 9 in stream"},
        {"long string past the end", "\x08\xFF\xFF\xFF\x7F"s,
         [](TReader& r) { r.ReadString(); }, "Invalid length 2147483647 in stream"},
        {"negative binary", "\x0D\xFF\xFF\xFF\xFF"s,
         [](TReader& r) { r.ReadBinary(); }, "Invalid length -1 in stream"},
        {"integer beyond 32 bits", "\x05\0\0\0\0\x01\0\0\0"s,
         [](TReader& r) { r.ReadInteger(); }, "Integer value out of range in stream"},
        {"set without its end", "\x0E\x01" "a"s, [](TReader& r) { r.ReadSet(); },
         "Stream read error"},
        {"lists nested deeper than any stack", std::string(1000000, '\x01'),
         [](TReader& r) { r.SkipValue(); }, "Stream read error"},
        {"bad signature", "XXXX", [](TReader& r) { r.ReadRootComponent(nullptr); },
         "Invalid stream format"},
        {"unknown class", "CLF1\x07TNoSuch\x00"s,
         [](TReader& r) { r.ReadRootComponent(nullptr); }, "Class TNoSuch not found"},
        {"unknown property", "CLF1\x07TSample\x01S\x05Ghost\x02\x01\x00\x00"s,
         [](TReader& r) { r.ReadRootComponent(nullptr); },
         "Error reading S.Ghost: Property Ghost does not exist"},
        {"property of the wrong kind",
         "CLF1\x07TSample\x01S\x05" "Count\x07\x01x\x00\x00"s,
         [](TReader& r) { r.ReadRootComponent(nullptr); }, "Invalid property value"},
        {"bad enumeration name",
         "CLF1\x07TSample\x01S\x05Shape\x09\x03hex\x00\x00"s,
         [](TReader& r) { r.ReadRootComponent(nullptr); },
         "Error reading S.Shape: Invalid property value hex"},
        {"component cut short", "CLF1\x07TSample\x01S\x05" "Count\x02\x07"s,
         [](TReader& r) { r.ReadRootComponent(nullptr); }, "Stream read error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TMemoryStream stream;
        Fill(stream, c.bytes);
        TReader reader(&stream);
        try {
            c.read(reader);
            ADD_FAILURE() << "no error";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message().str(), c.message);
        }
        EXPECT_LE(stream.Position(), stream.Size());
    }
}

// ---------------------------------------------------------------------------------------------
// Components

class FilerComponentTest : public ::testing::Test {
protected:
    void SetUp() override { loadedOrder.clear(); }
    void TearDown() override {
        TObject::Free(original);
        TObject::Free(copy);
    }
    // The original, written and read back into a new root.
    void RoundTrip() {
        WriteComponentToStream(&stream, original);
        stream.SetPosition(0);
        copy = dynamic_cast<TSample*>(ReadComponentFromStream(&stream, nullptr));
        ASSERT_NE(copy, nullptr);
    }
    bool StreamMentions(const char* text) {
        return Bytes(stream).find(text) != std::string::npos;
    }

    TMemoryStream stream;
    TSample* original = nullptr;
    TSample* copy = nullptr;
};

TEST_F(FilerComponentTest, PublishedDefinedAndChildPropertiesSurviveARoundTrip) {
    original = new TSample(nullptr);
    original->SetName("Root");
    original->SetCount(-40000);
    original->SetFlag(true);
    original->SetColor(clRed);
    original->SetShape(shTriangle);
    original->SetShapes({shCircle, shTriangle});
    original->SetText("Radon");
    original->SetRatio(0.0416666666642414);
    original->Pen()->SetWidth(4);
    original->Pen()->SetStyle("dotted");
    auto* item = static_cast<TSampleItem*>(original->Items()->Add());
    item->SetCaption("first");
    item->SetValue(7);
    original->Items()->Add();
    original->Extra = {4, 1, 7};
    original->Data = {0x00, 0x02, 0xFF};
    auto* child = new TSample(original);
    child->SetName("Child");
    child->SetColor(0x123456);
    child->SetBuddy(original);
    original->SetBuddy(child);

    RoundTrip();
    EXPECT_EQ(copy->Name(), "Root");
    EXPECT_EQ(copy->Count(), -40000);
    EXPECT_TRUE(copy->Flag());
    EXPECT_EQ(copy->Color(), clRed);
    EXPECT_EQ(copy->Shape(), shTriangle);
    EXPECT_EQ(copy->Shapes(), (std::set<TShape>{shCircle, shTriangle}));
    EXPECT_EQ(copy->Text(), "Radon");
    EXPECT_EQ(copy->Ratio(), 0.0416666666642414);
    EXPECT_EQ(copy->Pen()->Width(), 4);
    EXPECT_EQ(copy->Pen()->Style(), "dotted");
    ASSERT_EQ(copy->Items()->Count(), 2);
    EXPECT_EQ(static_cast<TSampleItem*>(copy->Items()->Items(0))->Caption(), "first");
    EXPECT_EQ(static_cast<TSampleItem*>(copy->Items()->Items(0))->Value(), 7);
    EXPECT_EQ(copy->Extra, (std::vector<int>{4, 1, 7}));
    EXPECT_EQ(copy->Data, (std::vector<uint8_t>{0x00, 0x02, 0xFF}));
    ASSERT_EQ(copy->ComponentCount(), 1);
    auto* copiedChild = dynamic_cast<TSample*>(copy->Components(0));
    ASSERT_NE(copiedChild, nullptr);
    EXPECT_EQ(copiedChild->Name(), "Child");
    EXPECT_EQ(copiedChild->Color(), 0x123456);
    EXPECT_EQ(copy->Buddy(), copiedChild);
    EXPECT_EQ(copiedChild->Buddy(), copy);
    EXPECT_TRUE(StreamMentions("Pen.Width"));
    EXPECT_TRUE(StreamMentions("clRed"));
}

TEST_F(FilerComponentTest, DefaultsAndEmptyDefinedPropertiesAreNotWritten) {
    original = new TSample(nullptr);
    original->SetName("Plain");
    RoundTrip();
    for (const char* name : {"Count", "Flag", "Color", "Shape", "Shapes", "Text", "Ratio",
                             "Pen.", "Items", "Buddy", "Extra", "Data"})
        EXPECT_FALSE(StreamMentions(name)) << name;
    EXPECT_EQ(copy->Count(), 3);
}

TEST_F(FilerComponentTest, AnAncestorLeavesOutTheValuesItShares) {
    original = new TSample(nullptr);
    original->SetCount(9);
    original->SetText("same");
    original->SetRatio(2);
    TOwnedPtr<TSample> ancestor(new TSample(nullptr));
    ancestor->SetCount(9);
    ancestor->SetText("other");
    ancestor->SetRatio(2);
    TWriter writer(&stream);
    writer.SetAncestor(ancestor.get());
    writer.WriteProperties(original);
    EXPECT_FALSE(StreamMentions("Count"));
    EXPECT_FALSE(StreamMentions("Ratio"));
    EXPECT_TRUE(StreamMentions("Text"));
}

TEST_F(FilerComponentTest, LoadedRunsOnceForEveryComponentReadTheRootLast) {
    original = new TSample(nullptr);
    original->SetName("Root");
    (new TSample(original))->SetName("A");
    (new TSample(original))->SetName("B");
    RoundTrip();
    EXPECT_EQ(loadedOrder, (std::vector<std::string>{"A", "B", "Root"}));
    EXPECT_FALSE(copy->InState(csLoading));
    EXPECT_FALSE(copy->Components(0)->InState(csReading));
}

TEST_F(FilerComponentTest, PropertyListsOfAnyPersistentReadAndWriteInsideBinaryBlocks) {
    TSamplePen pen;
    pen.SetWidth(6);
    {
        TWriter writer(&stream);
        writer.WriteListBegin();
        writer.WriteProperties(&pen);
        writer.WriteListEnd();
    }
    stream.SetPosition(0);
    TSamplePen back;
    TReader reader(&stream);
    reader.ReadListBegin();
    while (!reader.EndOfList()) reader.ReadProperty(&back);
    reader.ReadListEnd();
    EXPECT_EQ(back.Width(), 6);
}

TEST_F(FilerComponentTest, AnUnregisteredClassCannotBeReadAndAFailedReadLeavesNothing) {
    original = new TSample(nullptr);
    original->SetName("Root");
    (new TSample(original))->SetName("Child");
    WriteComponentToStream(&stream, original);
    UnRegisterClasses({TSample::StaticClass()});
    stream.SetPosition(0);
    TOwnedPtr<TSample> target(new TSample(nullptr));
    EXPECT_THROW(ReadComponentFromStream(&stream, target.get()), EReadError);
    RegisterClasses({TSample::StaticClass()});
    EXPECT_EQ(target->ComponentCount(), 0);
    EXPECT_FALSE(target->InState(csLoading));
}

// ---------------------------------------------------------------------------------------------
// Object model

TEST(ObjectModel, ContextClassesAreCreatedByReferenceWithTheirArgument) {
    TOwnedPtr<TSample> host(new TSample(nullptr));
    const TMetaClass* metaClass = FindClass("TAttachment");
    TOwnedPtr<TObject> made(metaClass->Create(host.get()));
    auto* attachment = dynamic_cast<TAttachment*>(made.get());
    ASSERT_NE(attachment, nullptr);
    EXPECT_EQ(attachment->Host, host.get());
    TSamplePen notAHost;
    EXPECT_THROW(metaClass->Create(&notAHost), EInvalidCast);
}

TEST(ObjectModel, CheckedCastPassesNullAndTheRightClassAndRaisesOtherwise) {
    TOwnedPtr<TSample> sample(new TSample(nullptr));
    EXPECT_EQ(CheckedCast<TComponent>(sample.get()), sample.get());
    EXPECT_EQ(CheckedCast<TSample>(static_cast<TObject*>(nullptr)), nullptr);
    TSamplePen pen;
    try {
        CheckedCast<TComponent>(&pen);
        ADD_FAILURE();
    } catch (const EInvalidCast& e) {
        EXPECT_EQ(e.Message().str(), "Invalid class typecast");
    }
}

}  // namespace
