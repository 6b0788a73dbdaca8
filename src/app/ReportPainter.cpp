// The report's page flow: geometry, fonts, footer with logo and page number, picture drawing,
// and the order of the pages.
#include "ReportPainter.h"

#include "Preferences.h"
#include "Radon.h"
#include "RadonMainForm.h"
#include "RadonTexts.h"
#include "UiCheckBox.h"
#include "cl_printer.h"
#include "cl_sys.h"

namespace {

constexpr int LogoResource = 1000;
constexpr int LinesPerPage = 60;

}  // namespace

void TRadonMainForm::PaintReport() {
    TReportPainter painter(*this);
    painter.Paint();
}

TReportPainter::TReportPainter(TRadonMainForm& form)
    : form_(form), monitor_(*Monitor), prefs_(*frmPreferences) {}

TReportPainter::~TReportPainter() = default;

void TReportPainter::Paint() {
    width_ = form_.ReportTarget.PageWidth;
    height_ = form_.ReportTarget.PageHeight;
    pitch_ = height_ / LinesPerPage;
    logo_ = std::make_unique<TBitmap>();
    logo_->LoadFromResourceID(static_cast<HINSTANCE>(HInstance), LogoResource);
    const double hours = IntervalIndexHours(monitor_.IntervalIndex);
    totalHours_ = monitor_.NumMeasurements == 0 ? 0 : hours * (monitor_.NumMeasurements - 1);
    intervalDays_ = hours * OneHour;
    if (prefs_.CreateCoverPage) {
        PaintCoverPage();
        NewPage();
    }
    PaintFirstPage();
    NewPage();
    PaintDataTable();
    DrawPageNumber();
    PaintClosingBlock();
    if (prefs_.PrintRiskInformation || prefs_.PrintUnderstandingResults) {
        NewPage();
        line_ = 1;
        PaintRiskAndProtocols();
        DrawPageNumber();
        DrawLogo();
    }
    if (AnyPictureChecked()) {
        NewPage();
        Canvas()->Font()->SetSize(10);
        DrawLogo();
        line_ = 1;
        PaintPictures();
        DrawPageNumber();
    }
}

TCanvas* TReportPainter::Canvas() const { return form_.ReportTarget.Canvas; }

void TReportPainter::NewPage() { form_.ReportTarget.NewPage(); }

int TReportPainter::X(double fraction) const { return static_cast<int>(fraction * width_); }

int TReportPainter::XF(float fraction) const {
    return static_cast<int>(static_cast<double>(fraction) * width_);
}

int TReportPainter::Y(int line) const { return line * pitch_ + letterHead_; }

void TReportPainter::Text(double fraction, const AnsiString& text) {
    Canvas()->TextOut(X(fraction), Y(line_), text);
}

void TReportPainter::TextF(float fraction, const AnsiString& text) {
    Canvas()->TextOut(XF(fraction), Y(line_), text);
}

void TReportPainter::SetFont(int size, const TFontStyles& style) {
    Canvas()->Font()->SetSize(size);
    Canvas()->Font()->SetStyle(style);
}

void TReportPainter::SetStyle(const TFontStyles& style) { Canvas()->Font()->SetStyle(style); }

void TReportPainter::RuleAt(int y) {
    Canvas()->MoveTo(X(0.1), y);
    Canvas()->LineTo(X(0.9), y);
}

// Lower right corner, an eighth of the page's width wide, in the bitmap's proportions.
void TReportPainter::DrawLogo() {
    const int right = width_ - X(0.02);
    const int bottom = height_ - static_cast<int>(0.02 * height_);
    const int left = right - right / 8;
    const int top = static_cast<int>(bottom - static_cast<double>(logo_->Height()) /
                                                  logo_->Width() * (right - left));
    Canvas()->StretchDraw(TRect(left, top, right, bottom), logo_.get());
}

void TReportPainter::DrawPageNumber() {
    const int bottom = height_ - static_cast<int>(0.02 * height_);
    Canvas()->Font()->SetSize(10);
    Canvas()->TextOut(X(0.5), bottom + 5, IntToStr(page_));
    ++page_;
}

void TReportPainter::DrawPicture(TPicture* picture, const TRect& rect) {
    TGraphic* graphic = picture->Graphic();
    if (graphic == nullptr || graphic->Empty()) return;
    TBitmap copy;
    copy.SetSize(picture->Width(), picture->Height());
    copy.Canvas()->Draw(0, 0, graphic);
    Canvas()->StretchDraw(rect, &copy);
}

// The letter head's space in page pixels, measured on the printer's paper for every target.
int TReportPainter::LetterHeadOffset() const {
    const float space = prefs_.LetterHeadSpace;
    if (space <= 0) return 0;
    const double paperInches = static_cast<double>(Printer()->DeviceCaps(PHYSICALHEIGHT)) /
                               Printer()->DeviceCaps(LOGPIXELSY);
    return static_cast<int>(static_cast<int>(height_ / paperInches) * space);
}

bool TReportPainter::AnyPictureChecked() const {
    for (TUiCheckBox* box : {form_.cbPrintImage1, form_.cbPrintImage2, form_.cbPrintImage3,
                             form_.cbPrintImage4, form_.cbPrintImage5, form_.cbPrintImage6})
        if (box->GetChecked()) return true;
    return false;
}
