// The inspection report painted in one pass on the main window's page target: cover, first
// page with the chart, data table, closing block, risk and protocol texts and pictures.
#pragma once

#include <memory>

#include "cl_graphics.h"

class TRadonMainForm;
class TRadon;
class TfrmPreferences;

// Printed for the monitor's clock and firmware when the test was opened from a file.
inline constexpr const char* NotAvailableText = "Not Available";

// One painting: reads the shown test, the preferences and the main window's fields, and draws
// on ReportTarget, asking it for the canvas at every use. Leaves the last page open.
class TReportPainter {
public:
    explicit TReportPainter(TRadonMainForm& form);
    ~TReportPainter();
    void Paint();

private:
    // Page flow and the pieces every page shares (ReportPainter.cpp).
    TCanvas* Canvas() const;
    void NewPage();
    int X(double fraction) const;
    int XF(float fraction) const;
    int Y(int line) const;
    int LinesOfLetterHead() const { return letterHead_ / pitch_; }
    void Text(double fraction, const AnsiString& text);
    void TextF(float fraction, const AnsiString& text);
    void SetFont(int size, const TFontStyles& style);
    void SetStyle(const TFontStyles& style);
    void RuleAt(int y);
    void DrawLogo();
    void DrawPageNumber();
    // The picture drawn into a bitmap of its own size, then stretched into `rect`.
    void DrawPicture(TPicture* picture, const TRect& rect);
    int LetterHeadOffset() const;
    bool AnyPictureChecked() const;

    // Cover and first page (ReportFirstPage.cpp).
    void PaintCoverPage();
    void PaintCoverCompany();
    void PaintFirstPage();
    void PaintHeaderImage();
    void PaintIdentity();
    void PaintCompanyColumn(int& line);
    void PaintCustomerColumns(int& line);
    void PaintSiteConditions();
    void PaintTestSummary();
    void PaintFirstPageSignature();
    void PaintChart();

    // Data table, closing block, risk and protocol texts, pictures (ReportDataPages.cpp).
    void PaintDataTable();
    void PaintDayHeader(int reading);
    void PaintReading(int reading);
    void PaintClosingBlock();
    void PaintClosingSignature(int signatureY);
    void PaintRiskAndProtocols();
    void PaintRiskInformation();
    void PaintProtocols();
    void PaintPictures();

    TRadonMainForm& form_;
    TRadon& monitor_;
    TfrmPreferences& prefs_;
    std::unique_ptr<TBitmap> logo_;
    int width_ = 0;
    int height_ = 0;
    int pitch_ = 1;
    int letterHead_ = 0;
    int line_ = 1;
    int page_ = 1;
    double intervalDays_ = 0;
    double totalHours_ = 0;
    double readingTime_ = 0;
    int lastHeaderDay_ = 0;
};
