// The report's pages after the first: the readings by day, the closing block with flags,
// signature and versions, the risk and protocol texts, and the inspection pictures.
#include "Preferences.h"
#include "QMCAbout.h"
#include "Radon.h"
#include "RadonMainForm.h"
#include "ReportPainter.h"
#include "UiCheckBox.h"
#include "UiEdit.h"
#include "cl_datetime.h"
#include "cl_number.h"
#include "cl_sys.h"

namespace {

const TFontStyles Plain{};
const TFontStyles Bold{fsBold};
const TFontStyles Italic{fsItalic};
// A page of the table is closed when the letter head's lines and the table's reach this line.
constexpr int TableBreakLine = 49;
// The closing block moves to a page of its own when it would start below this line.
constexpr int ClosingBlockLastLine = 44;
// Inches of mercury to hectopascals, as the raw-data text converts.
constexpr double HectopascalsPerInHg = 33.85;
constexpr double BecquerelsPerPicocurie = 37;
constexpr double FixingLowerBoundPicocuries = 2.0;

const char* const RiskLines[] = {
    "Radon is the second leading cause of lung cancer, after smoking. The EPA and the",
    "Surgeon General strongly recommend taking action to reduce radon when the tests'",
    "results are 4.0 pCi/l or greater. The radon in a home is measured, as in this report",
    "in picocuries per liter of air (pCi/l). Any radon exposure carries some risk, lower ones too,",
    "and in many cases may be reduced. If the average of your tests lies between 2.0 and",
    "4.0  pCi/l, the EPA still recommends that you consider fixing the home. The average",
    "indoor radon level is estimated to be about 1.3 pCi/l; a level of about 0.4 pCi/l is",
    "normally found in the outside air. Reducing the radon levels of a home reduces your",
    "health risk. Even homes with very high radon levels can be fixed with proven methods,",
    "and many homes can be reduced to 2.0 pCi/l or less.",
};

AnsiString Fixed(double value, int precision, int digits) {
    return FloatToStrF(value, ffFixed, precision, digits);
}

bool IsSensorModel(const TRadon& monitor) { return monitor.ModelNumber == "6916"; }

}  // namespace

void TReportPainter::PaintDataTable() {
    line_ = 1;
    lastHeaderDay_ = 0;
    readingTime_ = monitor_.StartTime + intervalDays_;
    for (int i = 1; i < monitor_.NumMeasurements; ++i) {
        if (static_cast<int>(readingTime_) != lastHeaderDay_) PaintDayHeader(i);
        ++line_;
        PaintReading(i);
        readingTime_ += intervalDays_;
        if (LinesOfLetterHead() + line_ >= TableBreakLine) {
            DrawLogo();
            DrawPageNumber();
            NewPage();
            line_ = 1;
            lastHeaderDay_ = 0;
        }
    }
}

void TReportPainter::PaintDayHeader(int reading) {
    if (reading >= 2 && line_ != 1) line_ += 2;
    lastHeaderDay_ = static_cast<int>(readingTime_);
    SetFont(10, Bold);
    const AnsiString stars = "  *******  ";
    Text(0.1, stars + FormatDateTime("mm/dd/yyyy", readingTime_) + stars);
    const bool picocuries = monitor_.UnitsIndex != 0;
    if (IsSensorModel(monitor_)) {
        line_ += 2;
        const char* const headings[] = {"Time", "Counts", "Temp", "Pressure", "Humidity", "Flags"};
        const double columns[] = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6};
        for (int c = 0; c < 6; ++c) Text(columns[c], headings[c]);
        ++line_;
        Text(0.2, picocuries ? "pCi/l" : "Bq/M3");
        Text(0.3, picocuries ? "F" : "C");
        Text(0.4, picocuries ? "inHg" : "hPa");
        Text(0.5, "%");
    } else {
        ++line_;
        Text(0.1, "Time");
        Text(0.2, "Counts");
        Text(0.3, "Flags");
        ++line_;
        Text(0.2, picocuries ? "pCi/l" : "Bq/m3");
    }
    SetStyle(Plain);
}

void TReportPainter::PaintReading(int reading) {
    const TMeasurement& m = monitor_.Measurements[reading];
    const bool picocuries = monitor_.UnitsIndex != 0;
    const double scale = picocuries ? 1 : BecquerelsPerPicocurie;
    const double hours = form_.IntervalHours;
    const double k0 = scale / monitor_.CF1 / hours;
    Text(0.1, FormatDateTime("hh:nn", readingTime_));
    if (!IsSensorModel(monitor_)) {
        Text(0.2, Fixed(m.Alpha0Counts * k0, 6, 1));
        Text(0.3, monitor_.Flags2String(m.Flags));
        return;
    }
    const double k1 = scale / monitor_.CF2 / hours;
    Text(0.2, Fixed((m.Alpha0Counts * k0 + m.Alpha1Counts * k1) * 0.5, 6, 1));
    Text(0.3, Fixed(picocuries ? m.Temperature * 9 * 0.2 + 32 : m.Temperature, 5, 1));
    Text(0.4, Fixed(picocuries ? m.Pressure : m.Pressure * HectopascalsPerInHg, 5, 1));
    Text(0.5, Fixed(m.Humidity, 5, 1));
    Text(0.6, monitor_.Flags2String(m.Flags));
}

// Flag legend, signature line and versions; on a page of its own when the table left too
// little room. A test opened from a file has no firmware reading.
void TReportPainter::PaintClosingBlock() {
    ++line_;
    if (LinesOfLetterHead() + line_ > ClosingBlockLastLine) {
        NewPage();
        line_ = LinesOfLetterHead();
    }
    Canvas()->Font()->SetSize(10);
    line_ += 2;
    Text(0.1, "Error Flags:");
    ++line_;
    Text(0.1, "M Motion:");
    line_ += 4;
    Text(0.1, "Inspector Signature " + AnsiString(std::string(43, '_')));
    PaintClosingSignature(Y(line_));
    line_ += 3;
    Text(0.1, "PC Software Version: " +
                  form_.QMCAboutComponent->AboutBox()->Version->Caption());
    ++line_;
    Text(0.1, "Embedded Software Version: " +
                  (form_.TestFromMonitor ? IntToStr(static_cast<long long>(monitor_.FirmwareVersion))
                                         : AnsiString(NotAvailableText)));
    DrawLogo();
    line_ += 2;
}

void TReportPainter::PaintClosingSignature(int signatureY) {
    if (!FileExists(prefs_.DigitalSignature)) return;
    TPicture* picture = prefs_.ImageDigitalSignature->Picture();
    const double h = picture->Height() * form_.ReportScale;
    const int top = static_cast<int>(signatureY - h);
    DrawPicture(picture, TRect(X(0.3), top, X(0.55), static_cast<int>(h + top)));
}

void TReportPainter::PaintRiskAndProtocols() {
    if (prefs_.PrintRiskInformation) PaintRiskInformation();
    if (prefs_.PrintUnderstandingResults) PaintProtocols();
}

void TReportPainter::PaintRiskInformation() {
    Canvas()->Font()->SetSize(12);
    Canvas()->Pen()->SetWidth(2);
    SetStyle(Bold);
    Text(0.35, "Radon Risk Information");
    line_ += 2;
    RuleAt(Y(line_));
    ++line_;
    SetFont(10, Plain);
    bool first = true;
    for (const char* text : RiskLines) {
        if (!first) ++line_;
        first = false;
        Text(0.15, text);
    }
    line_ += 2;
    RuleAt(Y(line_));
    ++line_;
}

// The action level is in the test's units; the lower bound of "consider fixing", 2.0 pCi/l,
// is written in them too.
void TReportPainter::PaintProtocols() {
    const bool picocuries = monitor_.UnitsIndex != 0;
    const AnsiString units = picocuries ? "pCi/l" : "Bq/m3";
    const AnsiString level = Fixed(prefs_.ActionLevel, 4, 1);
    const double lowerBound =
        FixingLowerBoundPicocuries * (picocuries ? 1 : BecquerelsPerPicocurie);
    line_ += 3;
    SetFont(12, Bold);
    Text(0.25, "Understanding Time-Sensitive Testing Protocols");
    line_ += 2;
    RuleAt(Y(line_));
    ++line_;
    SetFont(10, Italic);
    Text(0.15, "Continuous Monitor Results:");
    ++line_;
    SetStyle(Plain);
    Text(0.15, "Single test result average " + level + " " + units + " or more");
    Text(0.6, "Fix the home");
    ++line_;
    Text(0.15, "Single test result average between " + Fixed(lowerBound, 4, 1) + " and " +
                   level + " " + units);
    Text(0.6, "Consider fixing the home");
    line_ += 2;
    Text(0.15, "Less than " + level + " " + units +
                   ": confirm the low result by testing again at least every two years and "
                   "whenever ");
    ++line_;
    Text(0.15, "significant changes to the home structure or mechanical systems occur.");
    line_ += 2;
    Text(0.15, "Test during different seasons and different weather conditions to reduce your "
               "risk of exposure.");
    line_ += 2;
    RuleAt(Y(line_));
}

// Two columns of three rows; each checked slot's picture stretched into its place with its
// comment below.
void TReportPainter::PaintPictures() {
    struct Slot {
        TUiCheckBox* Box;
        TImage* Image;
        TUiEdit* Comment;
    };
    const Slot slots[] = {
        {form_.cbPrintImage1, form_.Image1, form_.txtImage1Comments},
        {form_.cbPrintImage2, form_.Image2, form_.txtImage2Comments},
        {form_.cbPrintImage3, form_.Image3, form_.txtImage3Comments},
        {form_.cbPrintImage4, form_.Image4, form_.txtImage4Comments},
        {form_.cbPrintImage5, form_.Image5, form_.txtImage5Comments},
        {form_.cbPrintImage6, form_.Image6, form_.txtImage6Comments},
    };
    const int rowTops[] = {X(0.01), static_cast<int>(0.31 * height_),
                           static_cast<int>(0.61 * height_)};
    for (int k = 0; k < 6; ++k) {
        const Slot& slot = slots[k];
        if (!slot.Box->GetChecked()) continue;
        const int left = k % 2 == 0 ? X(0.1) : X(0.6);
        const int right = k % 2 == 0 ? X(0.45) : X(0.95);
        const int top = rowTops[k / 2];
        const int bottom = static_cast<int>(top + 0.16 * height_);
        DrawPicture(slot.Image->Picture(), TRect(left, top, right, bottom));
        const AnsiString comment = slot.Comment->GetText();
        if (!comment.IsEmpty()) Canvas()->TextOut(left, bottom + pitch_, comment);
    }
}
