// Component streams of the chart engine: published properties of panels, shapes, marks, value
// lists and tools through the writer and back, the legacy properties older streams hold, the
// exact layout of "PrintMargins" and of the marks' "Items", and malformed streams.
#include <gtest/gtest.h>

#include <string>

#include "PlotMarks.h"
#include "PlotTools.h"
#include "chart_test_support.h"
#include "cl_filer.h"
#include "cl_hooks.h"

using namespace std::string_literals;

namespace {

// The stream bytes as a string, for searching names and comparing layouts.
std::string Bytes(TMemoryStream& stream) {
    return std::string(static_cast<const char*>(stream.Memory()),
                       static_cast<size_t>(stream.Size()));
}

// The object's properties as a list ended by vaNull.
void WriteProps(TPersistent* instance, TMemoryStream& stream) {
    TWriter writer(&stream);
    writer.WriteProperties(instance);
    writer.WriteListEnd();
    stream.SetPosition(0);
}

void ReadProps(TPersistent* instance, TMemoryStream& stream) {
    stream.SetPosition(0);
    TReader reader(&stream);
    while (!reader.EndOfList()) reader.ReadProperty(instance);
    reader.ReadListEnd();
}

// A stream of properties written by hand, as an older program left them.
template <class Build> void HandWritten(TMemoryStream& stream, Build build) {
    TWriter writer(&stream);
    build(writer);
    writer.WriteListEnd();
    stream.SetPosition(0);
}

// The message that reading the instance raises.
std::string ReadError(TPersistent* instance, TMemoryStream& stream) {
    try {
        ReadProps(instance, stream);
    } catch (EReadError& e) {
        return e.Message().str();
    }
    return "no error";
}

class ToolOnAxis : public TPlotCustomToolAxis {
    CL_COMPONENT_CLASS(ToolOnAxis, TPlotCustomToolAxis)

    explicit ToolOnAxis(TComponent* owner) : TPlotCustomToolAxis(owner) {}
};

class StreamingTest : public ::testing::Test {
protected:
    AxisPanelPtr panel{new TestAxisPanel};
    AxisPanelPtr copy{new TestAxisPanel};
    TestLineSeries* series = new TestLineSeries(panel.get());
    TestLineSeries* otherSeries = new TestLineSeries(copy.get());
    TMemoryStream stream;
};

// ---------------------------------------------------------------------------------------------
// Panels

TEST_F(StreamingTest, PanelPropertiesReadBackAsWritten) {
    panel->SetMargin(0, 10);
    panel->SetMarginUnits(muPixels);
    panel->SetView3D(false);
    panel->View3DOptions()->SetRotation(20);
    panel->View3DOptions()->SetOrthogonal(false);
    panel->Border()->SetVisible(true);
    panel->Border()->SetColor(clRed);
    panel->Shadow()->SetSize(5);
    panel->SetAllowPanning(pmNone);
    panel->Zoom()->Allow = false;
    panel->Zoom()->Direction = tzdVertical;
    panel->Zoom()->KeyShift = {ssCtrl, ssShift};
    panel->Zoom()->GetPen()->SetColor(clRed);
    panel->GetGradient()->SetVisible(true);
    panel->GetGradient()->SetMidColor(clLime);
    panel->PrintMargins[0] = 10;
    WriteProps(panel.get(), stream);
    ReadProps(copy.get(), stream);

    EXPECT_EQ(copy->GetMargin(0), 10);
    EXPECT_EQ(copy->GetMargin(1), 4);
    EXPECT_EQ(copy->MarginUnits(), muPixels);
    EXPECT_FALSE(copy->View3D());
    EXPECT_EQ(copy->View3DOptions()->Rotation(), 20);
    EXPECT_FALSE(copy->View3DOptions()->Orthogonal());
    EXPECT_TRUE(copy->Border()->Visible());
    EXPECT_EQ(copy->Border()->Color(), clRed);
    EXPECT_EQ(copy->Border()->EndStyle(), esFlat);
    EXPECT_EQ(copy->Shadow()->HorizSize(), 5);
    EXPECT_EQ(copy->AllowPanning(), pmNone);
    EXPECT_FALSE(copy->Zoom()->Allow);
    EXPECT_EQ(copy->Zoom()->Direction, tzdVertical);
    EXPECT_EQ(copy->Zoom()->KeyShift, (TShiftState{ssCtrl, ssShift}));
    EXPECT_EQ(copy->Zoom()->GetPen()->Color(), clRed);
    ASSERT_NE(copy->GradientIfAny(), nullptr);
    EXPECT_TRUE(copy->GradientIfAny()->Visible());
    EXPECT_EQ(copy->GradientIfAny()->GetMidColor(), clLime);
    EXPECT_EQ(copy->PrintMargins[0], 10);
    EXPECT_EQ(copy->PrintMargins[3], 15);
}

TEST_F(StreamingTest, DefaultPanelWritesNoneOfItsChartProperties) {
    WriteProps(panel.get(), stream);
    const std::string bytes = Bytes(stream);
    for (const char* name : {"Margin", "View3DOptions", "Border", "Shadow", "Zoom", "PrintMargins",
                             "AllowPanning", "Gradient", "BackImage"})
        EXPECT_EQ(bytes.find(name), std::string::npos) << name;
    EXPECT_EQ(panel->GradientIfAny(), nullptr);
    EXPECT_EQ(panel->BackImageIfAny(), nullptr);
    EXPECT_EQ(panel->Zoom()->PenIfAny(), nullptr);
}

TEST_F(StreamingTest, PrintMarginsAreFourIntegersWrittenOnlyWhenNotAllFifteen) {
    WriteProps(panel.get(), stream);
    EXPECT_EQ(Bytes(stream).find("PrintMargins"), std::string::npos);

    TMemoryStream changed;
    panel->PrintMargins[0] = 10;
    WriteProps(panel.get(), changed);
    const std::string bytes = Bytes(changed);
    const std::string expected = "\x0CPrintMargins"s + char(vaList) + char(vaInt8) + '\x0A' +
                                 char(vaInt8) + '\x0F' + char(vaInt8) + '\x0F' + char(vaInt8) +
                                 '\x0F' + char(vaNull);
    EXPECT_NE(bytes.find(expected), std::string::npos);
}

TEST_F(StreamingTest, LegacyPanelPropertiesAreReadIntoBorderAndZoom) {
    HandWritten(stream, [](TWriter& w) {
        w.WritePropName("BorderStyle");
        w.WriteIdent("bsSingle");
        w.WritePropName("AllowZoom");
        w.WriteBoolean(false);
        w.WritePropName("AnimatedZoom");
        w.WriteBoolean(true);
        w.WritePropName("AnimatedZoomSteps");
        w.WriteInteger(12);
        w.WritePropName("PrintMargins");
        w.WriteListBegin();
        for (int margin : {1, 2, 3, 4}) w.WriteInteger(margin);
        w.WriteListEnd();
    });
    ReadProps(panel.get(), stream);
    EXPECT_TRUE(panel->Border()->Visible());
    EXPECT_FALSE(panel->GetAllowZoom());
    EXPECT_TRUE(panel->GetAnimatedZoom());
    EXPECT_EQ(panel->GetAnimatedZoomSteps(), 12);
    EXPECT_EQ(std::vector<int>(panel->PrintMargins, panel->PrintMargins + 4),
              (std::vector<int>{1, 2, 3, 4}));

    // Legacy names are never written back.
    TMemoryStream written;
    WriteProps(panel.get(), written);
    for (const char* name : {"BorderStyle", "AllowZoom", "AnimatedZoom"})
        EXPECT_EQ(Bytes(written).find(name), std::string::npos) << name;

    TMemoryStream none;
    HandWritten(none, [](TWriter& w) {
        w.WritePropName("BorderStyle");
        w.WriteIdent("bsNone");
    });
    ReadProps(panel.get(), none);
    EXPECT_FALSE(panel->Border()->Visible());
}

TEST_F(StreamingTest, AxesAndCustomAxesReadBackAsWritten) {
    panel->LeftAxis->SetAutomatic(false);
    panel->LeftAxis->SetMinMax(5, 50);
    panel->LeftAxis->Title()->SetCaption("Radon");
    panel->LeftAxis->SetAxisValuesFormat("0.0");
    panel->LeftAxis->Grid()->SetVisible(false);
    panel->BottomAxis->SetLabelsAngle(90);
    panel->BottomAxis->Axis()->SetWidth(3);
    panel->TopAxis->SetVisible(false);
    TChartAxis* custom = new TChartAxis(panel.get());
    custom->SetHorizontal(true);
    custom->SetStartPosition(20);
    WriteProps(panel.get(), stream);
    const std::string bytes = Bytes(stream);
    EXPECT_NE(bytes.find("LeftAxis.Title.Caption"), std::string::npos);
    EXPECT_EQ(bytes.find("LeftAxis.Title.Angle"), std::string::npos);  // 90 is its default
    EXPECT_EQ(bytes.find("RightAxis"), std::string::npos);
    ReadProps(copy.get(), stream);

    EXPECT_FALSE(copy->LeftAxis->Automatic());
    EXPECT_EQ(copy->LeftAxis->Minimum(), 5);
    EXPECT_EQ(copy->LeftAxis->Maximum(), 50);
    EXPECT_EQ(copy->LeftAxis->Title()->Caption(), "Radon");
    EXPECT_EQ(copy->LeftAxis->Title()->Angle(), 90);
    EXPECT_EQ(copy->LeftAxis->AxisValuesFormat(), "0.0");
    EXPECT_FALSE(copy->LeftAxis->Grid()->Visible());
    EXPECT_EQ(copy->BottomAxis->LabelsAngle(), 90);
    EXPECT_EQ(copy->BottomAxis->Axis()->Width(), 3);
    EXPECT_FALSE(copy->TopAxis->Visible());
    EXPECT_TRUE(copy->TopAxis->OtherSide());
    ASSERT_EQ(copy->CustomAxes->Count(), 1);
    EXPECT_TRUE(copy->CustomAxes->Get(0)->Horizontal());
    EXPECT_EQ(copy->CustomAxes->Get(0)->StartPosition(), 20);
}

// ---------------------------------------------------------------------------------------------
// Shapes and marks

TEST_F(StreamingTest, LegacyShadowColorAndSizeGoIntoTheShadow) {
    struct Case {
        std::function<void(TWriter&)> colour;
        TColor expected;
    };
    const std::vector<Case> cases = {
        {[](TWriter& w) { w.WriteIdent("clRed"); }, clRed},
        {[](TWriter& w) { w.WriteInteger(0x123456); }, TColor(0x123456)},
    };
    for (const Case& c : cases) {
        TMemoryStream legacy;
        HandWritten(legacy, [&c](TWriter& w) {
            w.WritePropName("ShadowColor");
            c.colour(w);
            w.WritePropName("ShadowSize");
            w.WriteInteger(7);
        });
        TPlotShape shape(panel.get());
        ReadProps(&shape, legacy);
        EXPECT_EQ(shape.Shadow()->Color(), c.expected);
        EXPECT_EQ(shape.Shadow()->HorizSize(), 7);
        EXPECT_EQ(shape.Shadow()->VertSize(), 7);
    }
}

TEST_F(StreamingTest, MarksAndTheirItemsReadBackAsWritten) {
    TSeriesMarks* marks = series->Marks();
    marks->SetVisible(true);
    marks->SetStyle(smsValue);
    marks->SetAngle(90);
    marks->SetArrowLength(20);
    marks->Font()->SetStyle({fsBold});
    marks->Font()->GetShadow()->SetHorizSize(2);
    marks->GetItem(0)->SetColor(clRed);
    marks->GetItem(2)->SetTransparent(true);
    marks->GetItem(2)->Font()->SetColor(clBlue);
    WriteProps(marks, stream);
    TSeriesMarks* read = otherSeries->Marks();
    ReadProps(read, stream);

    EXPECT_TRUE(read->Visible());
    EXPECT_EQ(read->Style(), smsValue);
    EXPECT_EQ(read->Angle(), 90);
    ASSERT_NE(read->CalloutIfAny(), nullptr);
    EXPECT_EQ(read->GetArrowLength(), 20);
    EXPECT_EQ(read->Font()->Style(), (TFontStyles{fsBold}));
    ASSERT_NE(read->Font()->ShadowIfAny(), nullptr);
    EXPECT_EQ(read->Font()->ShadowIfAny()->HorizSize(), 2);
    ASSERT_EQ(read->Items().Count(), 3);
    EXPECT_TRUE(read->Items().ItemsLoaded);
    EXPECT_EQ(read->Items().ItemIfAny(0)->Color(), clRed);
    EXPECT_EQ(read->Items().ItemIfAny(1)->Color(), clInfoBk);
    EXPECT_FALSE(read->Items().ItemIfAny(1)->Transparent());
    EXPECT_TRUE(read->Items().ItemIfAny(2)->Transparent());
    EXPECT_EQ(read->Items().ItemIfAny(2)->Font()->Color(), clBlue);
}

TEST_F(StreamingTest, ItemsBlockIsACountAndOnePropertyListPerItem) {
    TSeriesMarks* marks = series->Marks();
    WriteProps(marks, stream);
    EXPECT_EQ(Bytes(stream).find("Items"), std::string::npos);

    marks->GetItem(1);  // item 0 stays an empty entry, written as a default item
    TMemoryStream withItems;
    WriteProps(marks, withItems);
    const std::string bytes = Bytes(withItems);
    const std::string expected = "\x05Items"s + char(vaBinary) + '\x08' + std::string(3, '\0') +
                                 '\x02' + std::string(3, '\0') + char(vaList) + char(vaNull) +
                                 char(vaList) + char(vaNull);
    EXPECT_NE(bytes.find(expected), std::string::npos);
}

TEST_F(StreamingTest, ItemsWithCountZeroReadNothingAndStayClearable) {
    const uint8_t block[] = {0, 0, 0, 0};
    HandWritten(stream, [&block](TWriter& w) {
        w.WritePropName("Items");
        w.WriteBinary(block, 4);
    });
    TSeriesMarks* marks = series->Marks();
    ReadProps(marks, stream);
    EXPECT_FALSE(marks->Items().ItemsLoaded);
    EXPECT_EQ(marks->Items().Count(), 0);
}

// ---------------------------------------------------------------------------------------------
// Value lists and tools

TEST_F(StreamingTest, ValueListPropertiesAndTheObsoleteMultiplier) {
    std::vector<std::string> messages;
    unsigned flags = 0;
    Hooks().ShowMessageBox = [&](const AnsiString& text, const AnsiString& caption,
                                 unsigned f) {
        messages.push_back(text.str() + "|" + caption.str());
        flags = f;
        return IDOK;
    };
    TChartValueList* x = series->XValues;
    x->SetDateTime(true);
    x->SetOrder(loNone);
    x->SetValueSource("Time");
    WriteProps(x, stream);
    EXPECT_NE(Bytes(stream).find("Order"), std::string::npos);  // always stored
    TChartValueList* read = otherSeries->XValues;
    read->SetOrder(loAscending);
    ReadProps(read, stream);
    EXPECT_TRUE(read->DateTime());
    EXPECT_EQ(read->Order(), loNone);
    EXPECT_EQ(read->ValueSource(), "Time");

    for (double multiplier : {1.0, 2.5}) {
        TMemoryStream legacy;
        HandWritten(legacy, [multiplier](TWriter& w) {
            w.WritePropName("Multiplier");
            w.WriteFloat(multiplier);
            w.WritePropName("ValueSource");
            w.WriteString("After");
        });
        ReadProps(read, legacy);
        EXPECT_EQ(read->ValueSource(), "After");  // loading goes on
    }
    Hooks().ShowMessageBox = nullptr;
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
              "Error: Multiplier property is obsolete.\r"
              "Modify PlotDefs.inc (enable Multiplier) and recompile.|");
    EXPECT_EQ(flags, unsigned(MB_TASKMODAL | MB_ICONERROR));
}

TEST_F(StreamingTest, ToolAxisTravelsAsItsIndexInTheAxisList) {
    TOwnedPtr<ToolOnAxis> tool(new ToolOnAxis(nullptr));
    WriteProps(tool.get(), stream);
    EXPECT_EQ(Bytes(stream).find("AxisID"), std::string::npos);

    tool->SetAxis(panel->Axes->Get(2));
    TMemoryStream withAxis;
    WriteProps(tool.get(), withAxis);
    EXPECT_NE(Bytes(withAxis).find("\x06" "AxisID"s + char(vaInt8) + '\x02'), std::string::npos);

    TOwnedPtr<ToolOnAxis> read(new ToolOnAxis(nullptr));
    read->SetParentChart(copy.get());
    ReadProps(read.get(), withAxis);
    EXPECT_EQ(read->Axis(), copy->Axes->Get(2));
}

// ---------------------------------------------------------------------------------------------
// Malformed streams

TEST_F(StreamingTest, MalformedStreamsRaiseAClearReadError) {
    struct Case {
        const char* what;
        TPersistent* target;
        std::function<void(TWriter&)> build;
        std::string message;
    };
    TOwnedPtr<ToolOnAxis> tool(new ToolOnAxis(nullptr));
    tool->SetParentChart(panel.get());
    const uint8_t shortItems[] = {2, 0, 0, 0, vaList, vaNull};
    const std::vector<Case> cases = {
        {"three print margins", panel.get(),
         [](TWriter& w) {
             w.WritePropName("PrintMargins");
             w.WriteListBegin();
             for (int margin : {1, 2, 3}) w.WriteInteger(margin);
             w.WriteListEnd();
         },
         "Invalid property value"},
        {"border style as a number", panel.get(),
         [](TWriter& w) {
             w.WritePropName("BorderStyle");
             w.WriteInteger(1);
         },
         "Invalid property value"},
        {"unknown shadow colour", series->Marks(),
         [](TWriter& w) {
             w.WritePropName("ShadowColor");
             w.WriteIdent("clNoSuchColour");
         },
         "Error reading TSeriesMarks.ShadowColor: Invalid colour clNoSuchColour"},
        {"items count beyond the entries", series->Marks(),
         [&shortItems](TWriter& w) {
             w.WritePropName("Items");
             w.WriteBinary(shortItems, sizeof shortItems);
         },
         "Stream read error"},
        {"items block shorter than its count", series->Marks(),
         [](TWriter& w) {
             const uint8_t twoBytes[] = {1, 0};
             w.WritePropName("Items");
             w.WriteBinary(twoBytes, 2);
         },
         "Stream read error"},
        {"axis index outside the axis list", tool.get(),
         [](TWriter& w) {
             w.WritePropName("AxisID");
             w.WriteInteger(99);
         },
         "Error reading ToolOnAxis.AxisID: Axis index 99 out of range"},
    };
    for (const Case& c : cases) {
        TMemoryStream bad;
        HandWritten(bad, c.build);
        EXPECT_EQ(ReadError(c.target, bad), c.message) << c.what;
    }
}

}  // namespace
