// The report's optional cover page and its first page: identity, company, billing and site
// columns, site conditions, test summary, signature, footer and the chart.
#include "Preferences.h"
#include "Radon.h"
#include "RadonMainForm.h"
#include "ReportPainter.h"
#include "UiCheckBox.h"
#include "UiComboBox.h"
#include "UiEdit.h"
#include "UiRadioGroup.h"
#include "cl_datetime.h"
#include "cl_number.h"
#include "cl_sys.h"

namespace {

const TFontStyles Plain{};
const TFontStyles Bold{fsBold};
const TFontStyles BoldItalic{fsBold, fsItalic};
constexpr int CompanyHeadingLine = 6;

bool IsNone(const AnsiString& text) { return text.Trim() == "None"; }

AnsiString Trimmed(TUiEdit* edit) { return edit->GetText().Trim(); }

bool Present(TUiEdit* edit) { return !Trimmed(edit).IsEmpty(); }

AnsiString Fixed(double value, int precision, int digits) {
    return FloatToStrF(value, ffFixed, precision, digits);
}

// "city, state-zip" of an address, the state and zip only when the state is present.
AnsiString CityLine(const TAddressEdits& edits) {
    AnsiString line = Trimmed(edits[3]);
    if (Present(edits[4])) line += ", " + Trimmed(edits[4]) + "-" + Trimmed(edits[5]);
    return line;
}

AnsiString CompanyCityLine(const TRadon& monitor) {
    AnsiString line = monitor.City.Trim();
    if (!IsNone(monitor.State)) line += ", " + monitor.State.Trim() + "-" + monitor.Zip.Trim();
    return line;
}

}  // namespace

void TReportPainter::PaintCoverPage() {
    Canvas()->Font()->SetSize(10);
    const int top = static_cast<int>(0.03 * height_);
    const int bottom = static_cast<int>(top + 0.35 * height_);
    DrawPicture(form_.Image1->Picture(), TRect(X(0.2), top, X(0.8), bottom));
    Canvas()->MoveTo(X(0.1), bottom + 5);
    Canvas()->LineTo(X(0.9), bottom + 5);

    line_ = 30;
    SetFont(11, Bold);
    Text(0.1, "Site Address:");
    SetStyle(Plain);
    const TAddressEdits site = form_.SiteEdits();
    for (TUiEdit* address : {site[1], site[2]}) {
        if (!Present(address)) continue;
        ++line_;
        Text(0.1, Trimmed(address));
    }
    AnsiString cityLine = Trimmed(site[3]);
    if (Present(site[4])) cityLine += ", " + Trimmed(site[4]);
    if (Present(site[5])) cityLine += "-" + Trimmed(site[5]);
    ++line_;
    Text(0.1, cityLine);

    line_ += 2;
    SetStyle(Bold);
    Text(0.1, "Inspection Date:");
    SetStyle(Plain);
    ++line_;
    Text(0.1, FormatDateTime("mmmm dd, yyyy", monitor_.StartTime + totalHours_ * OneHour));

    line_ += 2;
    if (Present(form_.CustomerNameEdit)) {
        SetStyle(Bold);
        Text(0.1, "Report Prepared For:");
        SetStyle(Plain);
        ++line_;
        Text(0.1, Trimmed(form_.CustomerNameEdit));
    }
    line_ += 2;
    PaintCoverCompany();
}

void TReportPainter::PaintCoverCompany() {
    SetStyle(Bold);
    Text(0.1, "Report Prepared By:");
    SetStyle(Plain);
    auto next = [this](const AnsiString& text) {
        ++line_;
        Text(0.1, text);
    };
    if (!IsNone(monitor_.CompanyName)) next(monitor_.CompanyName);
    if (!IsNone(monitor_.Address1))
        next(monitor_.Address1.Trim() + " " + monitor_.Address2.Trim());
    next(CompanyCityLine(monitor_));
    if (!IsNone(monitor_.PhoneNumber)) next("Phone Number: " + monitor_.PhoneNumber.Trim());

    line_ += 2;
    SetStyle(Bold);
    Text(0.1, "Inspector:");
    SetStyle(Plain);
    AnsiString inspector;
    if (!prefs_.InspectorName.Trim().IsEmpty()) inspector = prefs_.InspectorName + ":";
    next(inspector + " #" + monitor_.LicenseNumber.Trim());
}

void TReportPainter::PaintFirstPage() {
    Canvas()->Font()->SetSize(10);
    line_ = 1;
    letterHead_ = LetterHeadOffset();
    PaintHeaderImage();
    TFont* font = Canvas()->Font();
    font->SetName("Times New Roman");
    font->SetColor(clBlack);
    font->SetPitch(fpFixed);
    SetFont(12, BoldItalic);
    TextF(0.1f, "Continuous Radon Monitor");
    SetFont(10, Plain);
    PaintIdentity();

    line_ = CompanyHeadingLine;
    SetStyle(BoldItalic);
    TextF(0.1f, "Inspection Company");
    Text(0.45, "Billing Information");
    Text(0.7, "Site Information");
    SetStyle(Plain);
    int companyLine = line_, customerLine = line_;
    PaintCompanyColumn(companyLine);
    PaintCustomerColumns(customerLine);
    line_ = std::max(companyLine, customerLine);
    PaintSiteConditions();
    PaintTestSummary();
    PaintFirstPageSignature();
    DrawLogo();
    DrawPageNumber();
    PaintChart();
}

void TReportPainter::PaintHeaderImage() {
    if (!FileExists(prefs_.HeaderImage)) return;
    TPicture* picture = prefs_.ImageHeaderImage->Picture();
    const double w = picture->Width() * form_.ReportScale;
    const double h = picture->Height() * form_.ReportScale;
    const int top = static_cast<int>(0.01 * height_);
    const int bottom = static_cast<int>(h + top);
    int left, right;
    switch (prefs_.HeaderImageAlignment) {
        case 0:
            left = X(0.05);
            right = static_cast<int>(w + left);
            break;
        case 1:
            left = static_cast<int>(0.5 * width_ - 0.5 * w);
            right = static_cast<int>(w + left);
            break;
        default:
            left = static_cast<int>(0.95 * width_ - w);
            right = X(0.95);
    }
    DrawPicture(picture, TRect(left, top, right, bottom));
}

// Model, serial number, calibration and the monitor's clock; a test opened from a file has
// no clock reading, so that line says so.
void TReportPainter::PaintIdentity() {
    line_ = 2;
    TextF(0.1f, "Model Number: ");
    TextF(0.23f, monitor_.ModelNumber);
    Text(0.45, "Serial Number: " + monitor_.SerialNumber);
    line_ = 3;
    TextF(0.1f, "Calibration Date: ");
    TextF(0.23f, monitor_.CalibrationDate);
    AnsiString factors = "CF: " + Fixed(monitor_.CF1, 3, 2);
    if (monitor_.ModelNumber == "6916") factors += ", " + Fixed(monitor_.CF2, 3, 2);
    Text(0.45, factors);
    line_ = 4;
    TextF(0.1f, "Monitor Time: ");
    const uint16_t* clock = monitor_.SystemTime;
    TextF(0.23f, !form_.TestFromMonitor
                     ? AnsiString(NotAvailableText)
                     : IntToStr(clock[1]) + "/" + IntToStr(clock[2]) + "/" + IntToStr(clock[0]) +
                           " " + IntToStr(clock[3]) + ":" + IntToStr(clock[4]));
}

void TReportPainter::PaintCompanyColumn(int& line) {
    auto next = [&](const AnsiString& text, bool floatColumn = true) {
        ++line;
        const int x = floatColumn ? XF(0.1f) : X(0.1);
        Canvas()->TextOut(x, Y(line), text);
    };
    const AnsiString inspector = prefs_.InspectorName.Trim();
    if (!inspector.IsEmpty()) next(inspector);
    if (!IsNone(monitor_.CompanyName)) next(monitor_.CompanyName.Trim());
    if (!IsNone(monitor_.Address1)) next(monitor_.Address1.Trim());
    if (!IsNone(monitor_.Address2) && !monitor_.Address2.Trim().IsEmpty())
        next(monitor_.Address2.Trim());
    if (!IsNone(monitor_.City)) next(CompanyCityLine(monitor_));
    if (!IsNone(monitor_.PhoneNumber)) next("Phone Number: " + monitor_.PhoneNumber, false);
    if (!IsNone(monitor_.LicenseNumber)) next("License Number: " + monitor_.LicenseNumber, false);
}

// Rows of billing and site side by side; a row is drawn when its billing value is present.
void TReportPainter::PaintCustomerColumns(int& line) {
    const TAddressEdits billing = form_.BillingEdits(), site = form_.SiteEdits();
    auto row = [&](TUiEdit* present, const AnsiString& billingText, const AnsiString& siteText) {
        if (!Present(present)) return;
        ++line;
        Canvas()->TextOut(X(0.45), Y(line), billingText);
        Canvas()->TextOut(X(0.7), Y(line), siteText);
    };
    for (int field = 0; field < 3; ++field)
        row(billing[field], Trimmed(billing[field]), Trimmed(site[field]));
    row(billing[3], CityLine(billing), CityLine(site));
    row(billing[6], "Phone: " + Trimmed(billing[6]), "Phone: " + Trimmed(site[6]));
}

void TReportPainter::PaintSiteConditions() {
    const bool mitigation = prefs_.PrintMitigationSystemInstalledchk->GetChecked();
    if (!(prefs_.PrintAtomosphericConditions || prefs_.PrintWind || prefs_.PrintMonitorLocation ||
          prefs_.PrintStructureType || prefs_.PrintYearBuilt || prefs_.PrintSQFT || mitigation))
        return;
    line_ += 2;
    SetStyle(BoldItalic);
    Text(0.1, "Site & Condition");
    SetStyle(Plain);
    ++line_;
    if (prefs_.PrintWind) {
        Text(0.1, "Wind: ");
        Text(0.2, prefs_.WindDirCB->Text() + " " + prefs_.WindSpeedCB->Text());
    }
    if (prefs_.PrintAtomosphericConditions) {
        Text(0.45, "Atmospheric Condition: ");
        Text(0.62, prefs_.AtomosphericConditionsCB->Text());
    }
    ++line_;
    if (prefs_.PrintYearBuilt) {
        Text(0.1, "Year Built: ");
        Text(0.2, prefs_.YearBuildEdit->GetText());
    }
    if (prefs_.PrintStructureType) {
        Text(0.45, "Structure Type: ");
        Text(0.62, prefs_.StructureTypeEdit->GetText());
    }
    ++line_;
    Text(0.1, "Mitigation System: ");
    Text(0.24, !mitigation ? "Not Installed"
               : prefs_.radioMitigationWorking->ItemIndex() == 0 ? "Installed and working"
                                                                  : "Installed but not working");
    if (prefs_.PrintMonitorLocation) {
        Text(0.45, "Monitor Location: ");
        Text(0.62, prefs_.LocationEdit->GetText());
    }
    ++line_;
    if (prefs_.PrintSQFT) {
        Text(0.1, "SqFt: ");
        Text(0.2, prefs_.SqftEdit->GetText());
    }
}

void TReportPainter::PaintTestSummary() {
    line_ += 2;
    SetStyle(BoldItalic);
    Text(0.1, "Test Summary");
    if (prefs_.PrintSignatureOnFirstPage && FileExists(prefs_.DigitalSignature))
        Text(0.7, "Inspector Signature");
    SetStyle(Plain);
    const AnsiString units = " " + monitor_.UnitsIndex2String();
    const double endTime = monitor_.StartTime + totalHours_ * OneHour;
    ++line_;
    Text(0.1, "Start Time: ");
    Text(0.2, FormatDateTime("mm/dd/yyyy hh:nn", monitor_.StartTime));
    if (prefs_.PrintOverallAverage) {
        Text(0.45, "Overall Avg: ");
        Text(0.54, Fixed(form_.OverallAverage, 4, 1) + units);
    }
    ++line_;
    Text(0.1, "End Time: ");
    Text(0.2, FormatDateTime("mm/dd/yyyy hh:nn", endTime));
    if (prefs_.PrintEPAAverage) {
        Text(0.45, "EPA Avg: ");
        Text(0.54, Fixed(form_.EpaAverage, 4, 1) + units);
    }
    ++line_;
    Text(0.1, "Measurement Interval(hr): ");
    Text(0.31, monitor_.IntervalIndex2String());
    ++line_;
    const int days = static_cast<int>(totalHours_ * (1.0L / 24));
    const int hours = static_cast<int>(totalHours_ - days * 24.0);
    Text(0.1, "Exposure Time: ");
    Text(0.21, IntToStr(days) + " Days  " + IntToStr(hours) + " hrs");
}

// Right of the test summary, its bottom edge on the top of the line after the exposure time.
void TReportPainter::PaintFirstPageSignature() {
    if (!prefs_.PrintSignatureOnFirstPage || !FileExists(prefs_.DigitalSignature)) return;
    TPicture* picture = prefs_.ImageDigitalSignature->Picture();
    const double w = picture->Width() * form_.ReportScale;
    const double h = picture->Height() * form_.ReportScale;
    const int left = X(0.7);
    const int top = static_cast<int>(Y(line_ + 1) - h);
    DrawPicture(picture, TRect(left, top, static_cast<int>(w + left), static_cast<int>(h + top)));
}

void TReportPainter::PaintChart() {
    line_ += 2;
    int top = Y(line_);
    if (static_cast<double>(top) / height_ < 0.48) top = (line_ + 4) * pitch_;
    form_.PrintChart(Canvas(), TRect(X(0.05), top, X(0.95), static_cast<int>(0.95 * height_)));
}
