// The report painter on a recording canvas: lines per page, page breaks with repeated day
// headers, footers with logo and page numbers, the closing block's own page, the optional
// pages, the table's columns and the texts for a test opened from a file.
#include <gtest/gtest.h>

#include <cmath>

#include "cl_hooks.h"
#include "cl_number.h"
#include "main_window_environment.h"
#include "report_fixture.h"
#include "test_pump.h"

namespace {

// A printer of 600 pixels per inch on 8.5 x 11 inch paper, drawing on a recording canvas.
const bool printerStandIn = [] {
    Hooks().CreatePrinterStandIn = [] {
        TPrinterStandIn standIn;
        standIn.CreateCanvas = [](const TPrinterDeviceCaps&) { return new TRecordingCanvas; };
        return standIn;
    };
    return true;
}();
const auto* controls = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);
const auto* mainWindow = ::testing::AddGlobalTestEnvironment(new MainWindowEnvironment(0));

// Page size of the painted report: line pitch 18, page numbers at y 1083.
constexpr int W = 850, H = 1100, Pitch = H / 60;
constexpr int NumberY = H - 22 + 5;
// The logo: right 2 % in from the edge, an eighth of the page wide, bottom 2 % up.
const std::vector<int> LogoRect = {729, 1055, 833, 1078};

bool IsLogo(const TCanvasCall& call) {
    return call.Name == "StretchDraw" && call.Args == LogoRect;
}
int LogoCount(const PaintedPage& page) {
    int n = 0;
    for (const TCanvasCall& call : page.Calls) n += IsLogo(call);
    return n;
}
// The page number of a page, "" when it has none.
std::string PageNumber(const PaintedPage& page) {
    for (const TCanvasCall& call : page.Calls)
        if (call.Name == "TextOut" && call.Args == std::vector<int>{W / 2, NumberY}) return call.Text;
    return "";
}
bool IsDayHeader(const TCanvasCall& call) {
    return call.Name == "TextOut" && call.Text.rfind("  *******  ", 0) == 0;
}
// Texts of the table's time column: "hh:nn" at 0.1 of the width.
std::vector<const TCanvasCall*> TimeRows(const PaintedPage& page) {
    std::vector<const TCanvasCall*> rows;
    for (const TCanvasCall& call : page.Calls)
        if (call.Name == "TextOut" && call.Args[0] == 85 && call.Text.size() == 5 &&
            call.Text[2] == ':')
            rows.push_back(&call);
    return rows;
}

class ReportFlow : public ::testing::Test {
protected:
    void SetUp() override { DefaultReportPreferences(); }
};

TEST_F(ReportFlow, TableRunsToLine49PerPageAndRepeatsTheDayHeaderAfterEachBreak) {
    ShownTestSpec spec;
    spec.Count = 101;  // 100 readings from 23:30, across four midnights
    ShowTest(spec);
    const std::vector<PaintedPage> pages = PaintPages(W, H);
    ASSERT_GE(pages.size(), 4u);

    int reading = 0;
    for (size_t p = 1; p < pages.size(); ++p) {
        const PaintedPage& page = pages[p];
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const std::vector<const TCanvasCall*> rows = TimeRows(page);
        if (rows.empty() && p + 1 == pages.size()) break;  // the closing block's own page
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(PageNumber(page), std::to_string(p + 1));
        const bool closingFollowsAlone = p + 2 == pages.size() && TimeRows(pages.back()).empty();
        EXPECT_EQ(LogoCount(page), closingFollowsAlone ? 0 : 1);
        EXPECT_TRUE(IsDayHeader(page.Calls.front()));
        EXPECT_EQ(page.Calls.front().Args[1], Pitch) << "the header repeats on line 1";
        for (size_t k = 0; k < rows.size(); ++k) {
            ++reading;
            EXPECT_EQ(rows[k]->Text, FormatDateTime("hh:nn", spec.Start + reading * OneHour).c_str());
            EXPECT_LE(rows[k]->Args[1], 49 * Pitch);
        }
        if (p + 1 < pages.size()) {
            EXPECT_EQ(rows.back()->Args[1], 49 * Pitch) << "page not full";
        }
    }
    EXPECT_EQ(reading, 100);
    EXPECT_TRUE(pages.back().TextStarting("Error Flags:"));
}

TEST_F(ReportFlow, ANewDayStartsAfterOneBlankLineWithItsHeadings) {
    ShownTestSpec spec;
    spec.Count = 4;  // 23:30, then 00:30 and 01:30 of the next day
    ShowTest(spec);
    const PaintedPage table = PaintPages(W, H)[1];
    std::vector<std::pair<int, std::string>> lines;
    for (const TCanvasCall& call : table.Calls)
        if (call.Name == "TextOut" && call.Args[1] < 10 * Pitch && call.Args[0] <= W / 5)
            lines.push_back({call.Args[1] / Pitch, call.Text});
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "  *******  03/14/2026  *******  "}, {2, "Time"}, {2, "Counts"}, {3, "pCi/l"},
        {4, "23:30"}, {4, "4.0"},
        {6, "  *******  03/15/2026  *******  "}, {7, "Time"}, {7, "Counts"}, {8, "pCi/l"},
        {9, "00:30"}, {9, "8.0"}};
    ASSERT_GE(lines.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(lines[i].first, expected[i].first) << i;
        EXPECT_EQ(lines[i].second, expected[i].second) << i;
    }
}

struct ClosingCase {
    const char* Name;
    uint16_t Count;
    bool ClosingOnOwnPage;
    int ErrorFlagsLine;
};

class ClosingBlock : public ReportFlow, public ::testing::WithParamInterface<ClosingCase> {};

// Half-hour readings from midnight: the first reading on line 4, 46 fill the page to line 49.
TEST_P(ClosingBlock, FollowsTheTableOrMovesToAPageWithLogoButNoNumber) {
    const ClosingCase c = GetParam();
    ShownTestSpec spec;
    spec.Interval = HalfHourInterval;
    spec.Start = EncodeDate(2026, 3, 14);
    spec.Count = c.Count;
    ShowTest(spec);
    const std::vector<PaintedPage> pages = PaintPages(W, H);
    const PaintedPage& last = pages.back();
    const TCanvasCall* flags = last.TextStarting("Error Flags:");
    ASSERT_TRUE(flags);
    EXPECT_EQ(flags->Args[1], c.ErrorFlagsLine * Pitch);
    EXPECT_EQ(LogoCount(last), 1);
    const PaintedPage& lastTable = pages[pages.size() - 2];
    if (c.ClosingOnOwnPage) {
        ASSERT_EQ(pages.size(), 3u);
        EXPECT_EQ(PageNumber(last), "");
        EXPECT_EQ(PageNumber(lastTable), "2");
        EXPECT_EQ(LogoCount(lastTable), 0);
    } else {
        EXPECT_EQ(PageNumber(last), std::to_string(pages.size()));
    }
    const TCanvasCall* signature = last.TextStarting("Inspector Signature ");
    ASSERT_TRUE(signature);
    EXPECT_EQ(signature->Text, "Inspector Signature " + std::string(43, '_'));
    EXPECT_TRUE(last.TextStarting("PC Software Version: "));
    EXPECT_TRUE(last.HasText("Embedded Software Version: 412"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClosingBlock,
    ::testing::Values(ClosingCase{"SameTablePage", 20, false, 25},
                      ClosingCase{"OwnPageAfterLine44", 43, true, 2},
                      ClosingCase{"EmptyPageAfterAFullTable", 47, false, 4},
                      ClosingCase{"NoReadings", 1, false, 4}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ReportFlow, CoverRiskAndPicturePagesComeAndGoWithTheirPreferences) {
    ShownTestSpec spec;
    ShowTest(spec);
    EXPECT_EQ(PaintPages(W, H).size(), 2u) << "first page and one table page only";

    frmPreferences->CreateCoverPage = true;
    frmPreferences->PrintRiskInformation = true;
    frmPreferences->PrintUnderstandingResults = true;
    RadonMainForm->cbPrintImage4->SetChecked(true);
    RadonMainForm->txtImage4Comments->SetText("Basement");
    const std::vector<PaintedPage> pages = PaintPages(W, H);
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_TRUE(pages[0].HasText("Site Address:"));
    EXPECT_EQ(PageNumber(pages[0]), "") << "the cover has no number";
    EXPECT_EQ(LogoCount(pages[0]), 0);
    EXPECT_TRUE(pages[1].HasText("Continuous Radon Monitor"));
    EXPECT_EQ(PageNumber(pages[1]), "1");
    EXPECT_EQ(PageNumber(pages[2]), "2");
    EXPECT_TRUE(pages[3].HasText("Radon Risk Information"));
    EXPECT_TRUE(pages[3].HasText("Understanding Time-Sensitive Testing Protocols"));
    EXPECT_EQ(PageNumber(pages[3]), "3");
    EXPECT_EQ(LogoCount(pages[3]), 1);
    EXPECT_EQ(PageNumber(pages[4]), "4");
    EXPECT_EQ(LogoCount(pages[4]), 1);
    const TCanvasCall* comment = pages[4].TextStarting("Basement");
    ASSERT_TRUE(comment);
    // Slot 4: right column, middle row; its comment one line below the picture.
    EXPECT_EQ(comment->Args, (std::vector<int>{510, 341 + 176 + Pitch}));
}

TEST_F(ReportFlow, RiskLinesKeepTheirLengthsAndTheProtocolStatesItsBoundsInTheTestsUnits) {
    frmPreferences->PrintRiskInformation = true;
    frmPreferences->PrintUnderstandingResults = true;
    ShownTestSpec spec;
    ShowTest(spec);
    PaintedPage risk = PaintPages(W, H)[2];
    const size_t lengths[] = {80, 80, 84, 93, 83, 83, 84, 83, 85, 51};
    std::vector<size_t> found;
    for (const TCanvasCall& call : risk.Calls)
        if (call.Name == "TextOut" && call.Args[0] == 127 && call.FontSize == 10 &&
            call.FontStyle.empty())
            found.push_back(call.Text.size());
    ASSERT_GE(found.size(), 10u);
    EXPECT_EQ(std::vector<size_t>(found.begin(), found.begin() + 10),
              std::vector<size_t>(std::begin(lengths), std::end(lengths)));
    EXPECT_TRUE(risk.HasText("Single test result average 4.0 pCi/l or more"));
    EXPECT_TRUE(risk.HasText("Single test result average between 2.0 and 4.0 pCi/l"));

    spec.Units = 0;
    frmPreferences->ActionLevel = 148;
    ShowTest(spec);
    risk = PaintPages(W, H)[2];
    EXPECT_TRUE(risk.HasText("Single test result average 148.0 Bq/m3 or more"));
    EXPECT_TRUE(risk.HasText("Single test result average between 74.0 and 148.0 Bq/m3"));
    EXPECT_TRUE(risk.TextStarting("Less than 148.0 Bq/m3: confirm"));
}

struct ColumnCase {
    const char* Name;
    const char* Model;
    uint32_t Units;
    std::vector<std::string> Units_;
    std::vector<std::string> FirstRow;
};

class TableColumns : public ReportFlow, public ::testing::WithParamInterface<ColumnCase> {};

// Reading 1: 10 and 20 counts an hour, 20 degrees C, 29.9 inHg, 45 %.
TEST_P(TableColumns, ShowTheReadingInTheUnitsOfTheTest) {
    const ColumnCase c = GetParam();
    ShownTestSpec spec;
    spec.Model = c.Model;
    spec.Units = c.Units;
    ShowTest(spec);
    const PaintedPage table = PaintPages(W, H)[1];
    const int unitsLine = std::string(c.Model) == "6916" ? 4 : 3;
    std::vector<std::string> units, row;
    for (const TCanvasCall& call : table.Calls) {
        if (call.Name != "TextOut") continue;
        if (call.Args[1] == unitsLine * Pitch) units.push_back(call.Text);
        if (call.Args[1] == (unitsLine + 1) * Pitch) row.push_back(call.Text);
    }
    EXPECT_EQ(units, c.Units_);
    EXPECT_EQ(row, c.FirstRow);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableColumns,
    ::testing::Values(
        ColumnCase{"Model6915pCi", "6915", 1, {"pCi/l"}, {"23:30", "4.0", " "}},
        ColumnCase{"Model6915Bq", "6915", 0, {"Bq/m3"}, {"23:30", "148.0", " "}},
        ColumnCase{"Model6916pCi", "6916", 1, {"pCi/l", "F", "inHg", "%"},
                   {"23:30", "7.0", "68.0", "29.9", "45.0", " "}},
        ColumnCase{"Model6916Bq", "6916", 0, {"Bq/M3", "C", "hPa", "%"},
                   {"23:30", "259.0", "20.0", "1012.1", "45.0", " "}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ReportFlow, ATestOpenedFromAFileHasNoMonitorClockOrFirmwareVersion) {
    ShownTestSpec spec;
    ShowTest(spec);
    std::vector<PaintedPage> pages = PaintPages(W, H);
    EXPECT_TRUE(pages[0].HasText("3/20/2026 9:5"));
    EXPECT_TRUE(pages.back().HasText("Embedded Software Version: 412"));

    spec.FromMonitor = false;
    ShowTest(spec);
    pages = PaintPages(W, H);
    EXPECT_TRUE(pages[0].HasText("Not Available"));
    EXPECT_FALSE(pages[0].HasText("3/20/2026 9:5"));
    EXPECT_TRUE(pages.back().HasText("Embedded Software Version: Not Available"));
}

TEST_F(ReportFlow, FirstPageListsIdentityColumnsAndSummary) {
    ShownTestSpec spec;
    spec.Model = "6916";
    spec.Count = 49;  // 48 hours
    ShowTest(spec);
    const PaintedPage first = PaintPages(W, H)[0];
    for (const char* text : {"Continuous Radon Monitor", "Model Number: ", "6916",
                             "Serial Number: 15001", "CF: 2.50, 2.00", "Pat Inspector",
                             "Acme Radon Testing", "Springfield, IL-62701",
                             "Phone Number: 217-555-0100", "License Number: IL-4411",
                             "Jane Homeowner", "Peoria, IL-61602", "Peoria, IL-61603",
                             "Phone: 309-555-0111", "Phone: ", "Site & Condition",
                             "Not Installed", "Test Summary", "2 Days  0 hrs"})
        EXPECT_TRUE(first.HasText(text)) << text;
    EXPECT_TRUE(first.HasText(FormatDateTime("mm/dd/yyyy hh:nn", spec.Start).c_str()));
    EXPECT_TRUE(first.HasText("3.3 pCi/l") || first.HasText("3.2 pCi/l"));
    EXPECT_EQ(PageNumber(first), "1");
    EXPECT_EQ(LogoCount(first), 1);
}

TEST_F(ReportFlow, TheLetterHeadSpaceMovesEveryTextLineDown) {
    // The stand-in printer's paper is 6600 pixels at 600 per inch: 11 inches.
    frmPreferences->LetterHeadSpace = 1.0f;
    ShownTestSpec spec;
    ShowTest(spec);
    const std::vector<PaintedPage> pages = PaintPages(W, H);
    const int offset = H / 11;
    const TCanvasCall* title = pages[0].TextStarting("Continuous Radon Monitor");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->Args[1], Pitch + offset);
    EXPECT_EQ(pages[1].Calls.front().Args[1], Pitch + offset);
}

// A 48 x 32 picture at a report scale of 2 is drawn 96 x 64 pixels.
TEST_F(ReportFlow, HeaderAndSignaturePicturesTakeTheirSizeTimesTheReportScale) {
    const AnsiString picture = AnsiString(COMMANDS_FIXTURE_DIR) + "/slot.bmp";
    frmPreferences->HeaderImage = picture;
    frmPreferences->ImageHeaderImage->Picture()->LoadFromFile(picture);
    frmPreferences->DigitalSignature = picture;
    frmPreferences->ImageDigitalSignature->Picture()->LoadFromFile(picture);
    frmPreferences->PrintSignatureOnFirstPage = true;
    ShowTest(ShownTestSpec{});
    auto pictures = [](const PaintedPage& page) {
        std::vector<std::vector<int>> rects;
        for (const TCanvasCall& call : page.Calls)
            if (call.Name == "StretchDraw" && !IsLogo(call)) rects.push_back(call.Args);
        return rects;
    };
    const std::pair<int, std::vector<int>> alignments[] = {
        {0, {42, 11, 138, 75}}, {1, {377, 11, 473, 75}}, {2, {711, 11, 807, 75}}};
    for (const auto& [alignment, rect] : alignments) {
        frmPreferences->HeaderImageAlignment = alignment;
        TRecordingCanvas canvas(W, H);
        RadonMainForm->ReportTarget = {W, H, [&canvas] { canvas.Mark("NewPage"); }, &canvas};
        RadonMainForm->ReportScale = 2.0;
        RadonMainForm->PaintReport();
        std::vector<PaintedPage> pages(1);
        for (const TCanvasCall& call : canvas.Calls()) {
            if (call.Name == "Mark")
                pages.emplace_back();
            else
                pages.back().Calls.push_back(call);
        }
        const auto first = pictures(pages[0]);
        ASSERT_EQ(first.size(), 2u);
        EXPECT_EQ(first[0], rect) << "header, alignment " << alignment;
        const TCanvasCall* exposure = pages[0].TextStarting("Exposure Time: ");
        ASSERT_TRUE(exposure);
        EXPECT_EQ(first[1], (std::vector<int>{595, exposure->Args[1] + Pitch - 64, 691,
                                              exposure->Args[1] + Pitch}));
        EXPECT_TRUE(pages[0].HasText("Inspector Signature"));
        const auto closing = pictures(pages.back());
        const TCanvasCall* line = pages.back().TextStarting("Inspector Signature ");
        ASSERT_EQ(closing.size(), 1u);
        ASSERT_TRUE(line);
        EXPECT_EQ(closing[0], (std::vector<int>{255, line->Args[1] - 64, 467, line->Args[1]}));
    }
    frmPreferences->HeaderImage = "";
    frmPreferences->DigitalSignature = "";
}

// Cover lines from line 30: the site address, the inspection date two lines down, the billing
// name's two lines, then the company; texts of "None" are left out.
TEST_F(ReportFlow, CoverPageLeavesOutAbsentTextsButKeepsTheirLines) {
    frmPreferences->CreateCoverPage = true;
    ShowTest(ShownTestSpec{});
    for (AnsiString* text : {&Monitor->CompanyName, &Monitor->Address1, &Monitor->Address2,
                             &Monitor->City, &Monitor->State, &Monitor->Zip,
                             &Monitor->PhoneNumber, &Monitor->LicenseNumber})
        *text = "None";
    RadonMainForm->CustomerNameEdit->SetText("  ");
    frmPreferences->InspectorName = "";
    const std::vector<PaintedPage> pages = PaintPages(W, H);
    std::vector<std::pair<int, std::string>> cover;
    for (const TCanvasCall& call : pages[0].Calls)
        if (call.Name == "TextOut") cover.push_back({call.Args[1] / Pitch, call.Text});
    const std::vector<std::pair<int, std::string>> expected = {
        {30, "Site Address:"}, {31, "99 Lake Dr"}, {32, "Unit 2"}, {33, "Peoria, IL-61603"},
        {35, "Inspection Date:"}, {36, "March 15, 2026"}, {40, "Report Prepared By:"},
        {41, "None"}, {43, "Inspector:"}, {44, " #None"}};
    EXPECT_EQ(cover, expected);
    const PaintedPage& first = pages[1];
    EXPECT_FALSE(first.HasText("None"));
    EXPECT_FALSE(first.TextStarting("Phone Number: "));
    EXPECT_FALSE(first.HasText("Jane Homeowner")) << "no billing name, no name row";
}

TEST_F(ReportFlow, AnIntervalOfUnknownLengthEndsThePaintingWithAConversionError) {
    ShownTestSpec spec;
    spec.Interval = 99;
    ShowTest(spec);
    EXPECT_THROW(PaintPages(W, H), EConvertError);
}

}  // namespace
