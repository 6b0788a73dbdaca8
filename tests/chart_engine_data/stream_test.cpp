// The series' stream properties: the "Data" block byte by byte and in round trips (labels,
// colours and X values anywhere in long series, long labels, null points, mark positions,
// further columns, horizontal series), malformed blocks, and the other defined properties.
#include <gtest/gtest.h>

#include <cstring>

#include "PlotMarks.h"
#include "chart_test_support.h"
#include "cl_filer.h"
#include "cl_hooks.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes BytesOf(TMemoryStream& stream) {
    Bytes bytes(static_cast<size_t>(stream.Size()));
    stream.SetPosition(0);
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
    return bytes;
}

class DataStreamTest : public ::testing::Test {
protected:
    TestLineSeries* NewSeries(const char* name = "") {
        auto* series = new TestLineSeries(panel.get());
        if (*name) series->SetName(name);
        panel->AddSeries(series);
        return series;
    }
    Bytes Written(TChartSeries* series) {
        TMemoryStream stream;
        series->WriteData(&stream);
        return BytesOf(stream);
    }
    void Read(TChartSeries* series, const Bytes& bytes) {
        TMemoryStream stream;
        if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
        stream.SetPosition(0);
        series->ReadData(&stream);
    }
    // Writes the series' points and reads them into a new series.
    TChartSeries* RoundTrip(TChartSeries* series) {
        TChartSeries* copy = NewSeries();
        if (!series->YIsMandatory) copy->SetHorizontal();
        for (int j = 2; j < series->ValueLists->Count(); ++j)
            new TChartValueList(copy, series->ValueLists->Get(j)->Name());
        Read(copy, Written(series));
        return copy;
    }
    static void ExpectSamePoints(TChartSeries* a, TChartSeries* b) {
        ASSERT_EQ(a->Count(), b->Count());
        for (int i = 0; i < a->Count(); ++i) {
            ASSERT_EQ(a->XValues->GetValue(i), b->XValues->GetValue(i)) << i;
            ASSERT_EQ(a->YValues->GetValue(i), b->YValues->GetValue(i)) << i;
            ASSERT_EQ(a->InternalColor(i), b->InternalColor(i)) << i;
            ASSERT_EQ(a->GetXLabel(i), b->GetXLabel(i)) << i;
        }
    }
    AxisPanelPtr panel{new TestAxisPanel};
    TestLineSeries* series = NewSeries("Series1");
};

TEST_F(DataStreamTest, TwoPlainPointsGiveTheDocumentedBlock) {
    series->AddXY(0, 5);
    series->AddXY(1, 7);
    const Bytes expected = {0x00, 0x02, 0x00, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0x14, 0x40,
                            0,    0,    0,    0,    0,    0, 0x1C, 0x40};
    EXPECT_EQ(Written(series), expected);
    TChartSeries* copy = NewSeries();
    copy->AddXY(9, 9);
    Read(copy, expected);
    ExpectSamePoints(series, copy);
    EXPECT_TRUE(copy->ManualPoints);
    EXPECT_EQ(copy->UpdateCount, 0);
}

TEST_F(DataStreamTest, FlagsFollowWhatThePointsHold) {
    series->SetSeriesColor(clBlue);
    for (int i = 0; i < 3; ++i) series->AddXY(i, i);
    EXPECT_EQ(series->SeriesGuessContents(), 0);
    series->SetValueColor(1, clBlue);  // the series colour does not count
    EXPECT_EQ(series->SeriesGuessContents(), 0);
    series->SetValueColor(2, clRed);
    series->SetXLabel(0, "a");
    series->XValues->WriteValue(2, 2.5);
    EXPECT_EQ(series->SeriesGuessContents(), tfNoMandatory | tfColor | tfLabel);
    series->Marks()->Positions().Ensure(1)->IsCustom = true;
    EXPECT_EQ(series->SeriesGuessContents(), tfNoMandatory | tfColor | tfLabel | tfMarkPosition);
}

TEST_F(DataStreamTest, EveryPointIsScannedForLabelsColoursAndX) {
    const int count = 10005;
    series->BeginUpdate();
    for (int i = 0; i < count; ++i) series->AddXY(i == 10002 ? 10002.5 : i, i % 7);
    series->EndUpdate();
    series->SetXLabel(150, "late label");
    series->SetValueColor(10003, TColor(0x123456));
    EXPECT_EQ(series->SeriesGuessContents(), tfNoMandatory | tfColor | tfLabel);
    ExpectSamePoints(series, RoundTrip(series));
}

TEST_F(DataStreamTest, LongLabelsAreCutTo255Characters) {
    const AnsiString label = AnsiString::StringOfChar('x', 200) + AnsiString::StringOfChar('y', 100);
    series->AddXY(0, 1, label);
    const Bytes bytes = Written(series);
    ASSERT_EQ(bytes.size(), 1u + 4 + 8 + 1 + 255);
    EXPECT_EQ(bytes[0], tfLabel);
    EXPECT_EQ(bytes[13], 255);
    TChartSeries* copy = RoundTrip(series);
    EXPECT_EQ(copy->GetXLabel(0), label.SubString(1, 255));
}

TEST_F(DataStreamTest, RoundTripsKeepEveryKindOfPoint) {
    series->AddXY(3, 30, "c", clRed);
    series->AddXY(1, 10);
    series->AddNullXY(2, 0, "null");
    ExpectSamePoints(series, RoundTrip(series));
    EXPECT_TRUE(RoundTrip(series)->IsNull(1));

    TestLineSeries* horizontal = NewSeries();
    horizontal->SetHorizontal();
    horizontal->AddXY(5, 0);
    horizontal->AddXY(7, 4);
    ExpectSamePoints(horizontal, RoundTrip(horizontal));

    TestLineSeries* withClose = NewSeries();
    TChartValueList* close = new TChartValueList(withClose, "Close");
    close->PendingValue = 42;
    withClose->AddXY(0, 1);
    close->PendingValue = 43;
    withClose->AddXY(1, 2);
    TChartSeries* copy = RoundTrip(withClose);
    EXPECT_EQ(copy->ValueLists->Get(2)->GetValue(0), 42);
    EXPECT_EQ(copy->ValueLists->Get(2)->GetValue(1), 43);
}

TEST_F(DataStreamTest, UnsortedBlockReadsBackInXOrder) {
    Bytes bytes = {tfNoMandatory, 3, 0, 0, 0};
    for (double v : {3.0, 30.0, 1.0, 10.0, 2.0, 20.0}) {
        uint8_t raw[8];
        std::memcpy(raw, &v, 8);
        bytes.insert(bytes.end(), raw, raw + 8);
    }
    Read(series, bytes);
    ASSERT_EQ(series->Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(series->XValues->GetValue(i), i + 1);
        EXPECT_EQ(series->YValues->GetValue(i), 10 * (i + 1));
    }
}

TEST_F(DataStreamTest, MarkPositionsAreStoredForEveryPoint) {
    for (int i = 0; i < 3; ++i) series->AddXY(i, i);
    TSeriesMarkPosition* pinned = series->Marks()->Positions().Ensure(1);
    pinned->IsCustom = true;
    pinned->BoxOrigin = {11, 12};
    pinned->BoxWidth = 30;
    pinned->BoxHeight = 14;
    pinned->DataPoint = {-5, 6};
    pinned->MarkPoint = {7, 8};
    pinned->DataPointFixed = true;
    const Bytes bytes = Written(series);
    EXPECT_EQ(bytes.size(), 5u + 3 * (8 + 34));
    TChartSeries* copy = RoundTrip(series);
    ASSERT_EQ(copy->Marks()->Positions().Count(), 3);
    const TSeriesMarkPosition* read = copy->Marks()->Positions().Get(1);
    EXPECT_TRUE(read->IsCustom);
    EXPECT_TRUE(read->DataPointFixed);
    EXPECT_EQ(read->BoxOrigin, (TPoint{11, 12}));
    EXPECT_EQ(read->DataPoint, (TPoint{-5, 6}));
    EXPECT_EQ(read->MarkPoint, (TPoint{7, 8}));
    EXPECT_EQ(read->BoxWidth, 30);
    EXPECT_EQ(read->BoxHeight, 14);
    EXPECT_FALSE(copy->Marks()->Positions().Get(0)->IsCustom);
    EXPECT_EQ(copy->Marks()->Positions().Get(0)->BoxWidth, 0);
}

TEST_F(DataStreamTest, MalformedBlocksRaiseAClearError) {
    const Bytes twoPoints = {0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x14, 0x40};  // one point short
    const struct {
        const char* what;
        Bytes bytes;
        int kept;
    } cases[] = {
        {"empty", {}, 0},
        {"no count", {0, 1, 0}, 0},
        {"negative count", {0, 0xFF, 0xFF, 0xFF, 0xFF}, 0},
        {"huge count", {0, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3}, 0},
        {"unknown flags", {0x10, 0, 0, 0, 0}, 0},
        {"short of points", twoPoints, 0},
        {"label past the end", {tfLabel, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                0, 0, 0, 0, 0, 0, 0, 50, 'a'}, 1},
    };
    for (const auto& c : cases) {
        series->AddXY(100, 100);
        EXPECT_THROW(Read(series, c.bytes), EReadError) << c.what;
        EXPECT_EQ(series->Count(), c.kept) << c.what;
        EXPECT_EQ(series->UpdateCount, 0) << c.what;
    }
    const struct {
        Bytes bytes;
        const char* text;
    } texts[] = {{{}, "Invalid series data: no point count"},
                 {{0, 0xFF, 0xFF, 0xFF, 0xFF}, "Invalid series data: negative point count"},
                 {{0, 9, 0, 0, 0}, "Invalid series data: fewer bytes than points"},
                 {{0x20, 0, 0, 0, 0}, "Invalid series data: unknown format flags"},
                 {cases[6].bytes, "Invalid series data: label past the end"}};
    for (const auto& t : texts) {
        try {
            Read(series, t.bytes);
            ADD_FAILURE() << t.text;
        } catch (const EReadError& e) {
            EXPECT_STREQ(e.what(), t.text);
        }
    }
}

// Writes the series' defined properties and reads them into the target.
void CopyProperties(TPersistent* source, TPersistent* target) {
    TMemoryStream stream;
    TWriter writer(&stream);
    writer.WriteProperties(source);
    const int64_t end = stream.Position();
    stream.SetPosition(0);
    TReader reader(&stream);
    while (stream.Position() < end) reader.ReadProperty(target);
}

// The names of the stream properties the object defines itself (published ones left out).
std::vector<std::string> PropertyNames(TPersistent* source) {
    TMemoryStream stream;
    TWriter writer(&stream);
    writer.WriteProperties(source);
    const int64_t end = stream.Position();
    stream.SetPosition(0);
    TReader reader(&stream);
    std::vector<std::string> names;
    while (stream.Position() < end) {
        const AnsiString name = reader.ReadStr();
        reader.SkipValue();
        if (!FindProperty(source, name) && !name.Pos(".")) names.push_back(name.str());
    }
    return names;
}

TEST_F(DataStreamTest, DataIsWrittenForManualPointsOrWhenAlwaysStored) {
    series->AddXY(0, 1);
    EXPECT_EQ(PropertyNames(series), std::vector<std::string>{});
    series->ManualPoints = true;
    EXPECT_EQ(PropertyNames(series), std::vector<std::string>{"Data"});
    series->DoNotStoreData = true;
    EXPECT_EQ(PropertyNames(series), std::vector<std::string>{});
    series->AlwaysStoreData = true;
    EXPECT_EQ(PropertyNames(series), std::vector<std::string>{"Data"});
    TChartSeries* copy = NewSeries();
    CopyProperties(series, copy);
    ExpectSamePoints(series, copy);
}

TEST_F(DataStreamTest, IdentifierStyleAndCustomAxesTravel) {
    series->Identifier = "temperature";
    series->Style = {tssIsTemplate, tssDenyChangeType, tssDenyDelete, tssDenyClone,
                     tssIsPersistent, tssHideDataSource};
    panel->CustomAxes->Add();
    auto* axis = static_cast<TChartAxis*>(panel->CustomAxes->Add());
    series->SetCustomVertAxis(axis);
    EXPECT_EQ(PropertyNames(series),
              (std::vector<std::string>{"Identifier", "Style", "CustomVertAxis"}));
    TChartSeries* copy = NewSeries();
    CopyProperties(series, copy);
    EXPECT_EQ(copy->Identifier, "temperature");
    EXPECT_EQ(copy->Style, series->Style);
    EXPECT_EQ(copy->CustomVertAxis(), axis);
    EXPECT_EQ(copy->VertAxis(), aCustomVertAxis);
    EXPECT_EQ(copy->CustomHorizAxis(), nullptr);
}

// A stream holding one property of the given name and integer or float value.
void ReadOne(TPersistent* target, const char* name, int value, bool asFloat = false) {
    TMemoryStream stream;
    TWriter writer(&stream);
    writer.WritePropName(name);
    if (asFloat)
        writer.WriteFloat(value);
    else
        writer.WriteInteger(value);
    stream.SetPosition(0);
    TReader reader(&stream);
    reader.ReadProperty(target);
}

TEST_F(DataStreamTest, StyleBitsOutsideTheSetAreIgnoredAndAxisIndexesChecked) {
    series->Style = {tssDenyClone};
    ReadOne(series, "Style", 64);
    EXPECT_TRUE(series->Style.empty());
    ReadOne(series, "Style", 63 + 128);
    EXPECT_EQ(series->Style.size(), 6u);
    EXPECT_THROW(ReadOne(series, "CustomHorizAxis", 0), EReadError);
}

TEST_F(DataStreamTest, ObsoleteMultiplierIsReportedButNotApplied) {
    std::vector<std::pair<std::string, unsigned>> shown;
    Hooks().ShowMessageBox = [&](const AnsiString& text, const AnsiString&, unsigned flags) {
        shown.push_back({text.str(), flags});
        return IDOK;
    };
    series->AddXY(0, 3);
    ReadOne(series->YValues, "Multiplier", 1, true);
    EXPECT_TRUE(shown.empty());
    ReadOne(series->YValues, "Multiplier", 10, true);
    Hooks().ShowMessageBox = nullptr;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first,
              "Error: Multiplier property is obsolete.\r"
              "Modify PlotDefs.inc (enable Multiplier) and recompile.");
    EXPECT_EQ(shown[0].second, unsigned(MB_TASKMODAL | MB_ICONERROR));
    EXPECT_EQ(series->YValues->GetValue(0), 3);
}

TEST_F(DataStreamTest, SeveralDataSourcesAreStoredByNameAndResolvedWhenLoaded) {
    TestLineSeries* first = NewSeries("First");
    TestLineSeries* second = NewSeries("Second");
    first->AddXY(0, 1);
    series->InternalSetDataSource(first, false);
    EXPECT_EQ(PropertyNames(series), std::vector<std::string>{});
    series->InternalSetDataSource(second, false);
    EXPECT_EQ(PropertyNames(series), std::vector<std::string>{"DataSources"});
    TChartSeries* copy = NewSeries();
    CopyProperties(series, copy);
    EXPECT_EQ(copy->DataSources->Count(), 0);
    copy->Loaded();
    ASSERT_EQ(copy->DataSources->Count(), 2);
    EXPECT_EQ(copy->DataSources->Items(0), first);
    EXPECT_EQ(copy->DataSources->Items(1), second);
    EXPECT_GE(first->LinkedSeries->IndexOf(copy), 0);
    EXPECT_EQ(copy->Count(), 1);
    EXPECT_EQ(copy->PendingDataSources, nullptr);
}

}  // namespace
