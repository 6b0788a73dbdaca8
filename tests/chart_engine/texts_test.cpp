// The chart message texts: set at start-up, composed from the file extension, reassignable,
// and put back in English.
#include <gtest/gtest.h>

#include "Plotconst.h"
#include "Plotproco.h"

namespace {

TEST(ChartTexts, EngineTextsAreSetAtStartUp) {
    using namespace Plotconst;
    const struct {
        const AnsiString& text;
        const char* expected;
    } cases[] = {
        {PlotMsg_AxisMaxMin, "Axis Maximum Value must be >= Minimum"},
        {PlotMsg_AxisMinMax, "Axis Minimum Value must be <= Maximum"},
        {PlotMsg_DefValueFormat, "#,##0.###"},
        {PlotMsg_DefPercentFormat, "##0.## %"},
        {PlotMsg_DefaultPercentOf2, "%s\rof %s"},
        {PlotMsg_SeriesDelete, "Series Delete: ValueIndex %d out of bounds (0 to %d)."},
        {PlotMsg_DefaultFontName, "Arial"},
        {PlotMsg_DefaultFontSize, "8"},
        {PlotMsg_GalleryHorizBar, "Horizontal\rBar"},
        {PlotMsg_InvalidPlotFile, "Invalid Chart in *.plt file"},
        {PlotMsg_WrongPlotFileFormat, "Wrong *.plt file format"},
        {PlotMsg_EmptyPlotFile, "Empty *.plt file"},
        {Plotconst::PlotMsg_PeriodRange, "Period range"},
        {Plotproco::PlotMsg_PeriodRange, "Period must be >= 0"},
        {Plotproco::PlotMsg_CursorTool, "Cursor"},
        {Plotproco::PlotMsg_GallerySamples, "Other"},
        {Plotproco::PlotMsg_PageNumber, "Page Number"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
    EXPECT_EQ(PlotDefaultFilterExtension(), "(*.plt)|*.plt");
    EXPECT_NE(PlotMsg_NativeFilter.Pos("(*.plt)|*.plt"), 0);
}

TEST(ChartTexts, ReassignedTextsHoldUntilEnglishIsPutBack) {
    Plotconst::PlotMsg_AxisMaxMin = "Maximum too small";
    Plotproco::PlotCommanMsg_Zoom = "Zoomen";
    EXPECT_EQ(Plotconst::PlotMsg_AxisMaxMin, "Maximum too small");
    Plotproco::PlotSetEnglish();
    EXPECT_EQ(Plotconst::PlotMsg_AxisMaxMin, "Axis Maximum Value must be >= Minimum");
    EXPECT_EQ(Plotproco::PlotCommanMsg_Zoom, "Zoom");
    EXPECT_TRUE(Plotconst::PlotLanguageCanUpper);
    EXPECT_FALSE(Plotconst::PlotLanguageHotKeyAtEnd);
}

TEST(ChartTexts, NestedStartAndEndKeepTheTextsUntilTheLastEnd) {
    Plotconst::PlotconstInitialize();
    Plotconst::PlotMsg_Legend = "changed";
    Plotconst::PlotconstInitialize();  // not the first start: nothing is reassigned
    EXPECT_EQ(Plotconst::PlotMsg_Legend, "changed");
    Plotconst::PlotconstFinalize();
    Plotconst::PlotconstFinalize();
    EXPECT_EQ(Plotconst::PlotMsg_Legend, "changed");
    Plotconst::PlotSetConstants();
    EXPECT_EQ(Plotconst::PlotMsg_Legend, "Legend");
}

}  // namespace
