// The chart legend: a framed box listing the chart's series (with optional check boxes) or the
// values of one series, laid out beside, above or below the chart rectangle, with its hit test.
#pragma once

#include <functional>
#include <vector>

#include "ChartTitles.h"
#include "PlotErrors.h"
#include "PlotGradient.h"
#include "PlotSeries.h"

CL_DECLARE_EXCEPTION(LegendException, Exception);

class TCustomChartLegend;

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };
enum TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues };
enum TCheckBoxesStyle { cbsCheck, cbsRadio };
enum TLegendSymbolPosition { spLeft, spRight };
enum TLegendSymbolSize { lcsPercent, lcsPixels };

using TSymbolDrawEvent =
    std::function<void(TObject* sender, TChartSeries* series, int valueIndex, const TRect& r)>;
using TLegendCalcSize = std::function<void(TCustomChartLegend* sender, int& size)>;

class TLegendSymbol : public TPersistent {
    CL_CLASS(TLegendSymbol, TPersistent)

    explicit TLegendSymbol(TCustomChartLegend* legend);
    ~TLegendSymbol() override;
    void Assign(TPersistent* source) override;

    bool Continuous() const { return continuous_; }
    void SetContinuous(bool value);
    bool DefaultPen() const { return defaultPen_; }
    void SetDefaultPen(bool value);
    TChartPen* Pen() const { return pen_; }
    void SetPen(TChartPen* pen) { pen_->Assign(pen); }
    TLegendSymbolPosition Position() const { return position_; }
    void SetPosition(TLegendSymbolPosition value);
    bool Squared() const { return squared_; }
    void SetSquared(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TLegendSymbolSize WidthUnits() const { return widthUnits_; }
    void SetWidthUnits(TLegendSymbolSize value);
    // The symbol's width in pixels for a text of that width.
    int CalcWidth(int value);

    TSymbolDrawEvent OnDraw;

private:
    void SetBool(bool& field, bool value);

    TCustomChartLegend* legend_;
    bool continuous_ = false;
    bool defaultPen_ = true;
    TChartPen* pen_;
    TLegendSymbolPosition position_ = spLeft;
    bool squared_ = false;
    bool visible_ = true;
    int width_ = 20;
    TLegendSymbolSize widthUnits_ = lcsPercent;
};

// The heading inside the legend box.
class TLegendTitle : public TPlotShape {
    CL_CLASS(TLegendTitle, TPlotShape)

    explicit TLegendTitle(TCustomPlotPanel* parent);
    ~TLegendTitle() override;
    void Assign(TPersistent* source) override;

    TStringList* Text() const { return text_; }
    void SetText(TStrings* strings) { text_->Assign(strings); }
    AnsiString Caption() const;
    void SetCaption(const AnsiString& value);
    TAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TAlignment value);

    int CalcHeight();
    int TotalWidth();
    void CalcShapeBounds(const TRect& r);
    void DrawText();

    int Height = 0;

protected:
    void InitShadow(TPlotShadow* shadow) override;

private:
    TStringList* text_;
    TAlignment textAlignment_ = taLeftJustify;
};

class TChartLegendGradient : public TPlotGradient {
    CL_CLASS(TChartLegendGradient, TPlotGradient)

    explicit TChartLegendGradient(const TNotifyEvent& onChange = TNotifyEvent());
    static TCustomPlotGradient* Create(const TNotifyEvent& onChange) {
        return new TChartLegendGradient(onChange);
    }
};

struct TLegendItemText {
    AnsiString Columns[2];
};

class TCustomChartLegend : public TPlotCustomShapePosition {
    CL_CLASS(TCustomChartLegend, TPlotCustomShapePosition)

    explicit TCustomChartLegend(TCustomPlotPanel* parent);
    ~TCustomChartLegend() override;
    void Assign(TPersistent* source) override;

    // ---- Settings ----
    TLegendAlignment Alignment() const { return alignment_; }
    void SetAlignment(TLegendAlignment value);
    bool CheckBoxes() const { return checkBoxes_; }
    void SetCheckBoxes(bool value);
    TCheckBoxesStyle CheckBoxesStyle() const { return checkBoxesStyle_; }
    void SetCheckBoxesStyle(TCheckBoxesStyle value);
    int ColorWidth() const { return symbol_->Width(); }
    void SetColorWidth(int value) { symbol_->SetWidth(value); }
    bool CurrentPage() const { return currentPage_; }
    void SetCurrentPage(bool value) { SetBool(currentPage_, value); }
    TChartHiddenPen* DividingLines() const { return dividingLines_; }
    void SetDividingLines(TChartPen* pen) { dividingLines_->Assign(pen); }
    int FirstValue() const { return firstValue_; }
    // Raises LegendException for a value below 0.
    void SetFirstValue(int value);
    bool FontSeriesColor() const { return fontSeriesColor_; }
    void SetFontSeriesColor(bool value) { SetBool(fontSeriesColor_, value); }
    int HorizMargin() const { return horizMargin_; }
    void SetHorizMargin(int value) { SetInt(horizMargin_, value); }
    bool Inverted() const { return inverted_; }
    void SetInverted(bool value) { SetBool(inverted_, value); }
    TLegendStyle LegendStyle() const { return legendStyle_; }
    void SetLegendStyle(TLegendStyle value);
    int MaxNumRows() const { return maxNumRows_; }
    void SetMaxNumRows(int value) { SetInt(maxNumRows_, value); }
    bool ResizeChart() const { return resizeChart_; }
    void SetResizeChart(bool value) { SetBool(resizeChart_, value); }
    TLegendSymbol* Symbol() const { return symbol_; }
    void SetSymbol(TLegendSymbol* symbol) { symbol_->Assign(symbol); }
    TLegendTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TLegendTextStyle value);
    TLegendTitle* Title() const { return title_; }
    void SetTitle(TLegendTitle* title) { title_->Assign(title); }
    int TopPos() const { return topPos_; }
    void SetTopPos(int value) { SetInt(topPos_, value); }
    int VertMargin() const { return vertMargin_; }
    void SetVertMargin(int value) { SetInt(vertMargin_, value); }
    int VertSpacing() const { return vertSpacing_; }
    void SetVertSpacing(int value) { SetInt(vertSpacing_, value); }
    TChartSeries* Series() const { return series_; }
    void SetSeries(TChartSeries* series);
    bool Vertical() const { return alignment_ == laLeft || alignment_ == laRight; }
    TRect RectLegend() const { return ShapeBounds; }

    // ---- Queries ----
    void CalcLegendStyle();
    bool HasCheckBoxes() const { return checkBoxes_ && ResolvedStyle != lsValues; }
    bool ShouldDraw();
    TChartSeries* GetLegendSeries();
    AnsiString FormattedLegend(int index);
    AnsiString FormattedValue(TChartSeries* series, int index);
    int CalcItemHeight();
    int FirstItemTop();

    // ---- Drawing and clicks ----
    void DrawLegend();
    // The legend index under the point, -1 when none.
    int Clicked(int x, int y);
    // Toggles the series of a check box; false when there was nothing to toggle.
    bool DoMouseDown(int x, int y, int index);

    TLegendCalcSize OnCalcSize;

    // ---- Layout of the last drawing ----
    TLegendStyle ResolvedStyle = lsAuto;
    int ItemCount = 0;
    int LastIndex = -1;
    int ColumnCount = 0;
    int RowCount = 0;
    int SymbolPixelWidth = 0;
    int TextColumnWidths[2] = {0, 0};
    bool AutoColumnWidths = true;
    bool TitleShown = false;
    std::vector<TLegendItemText> Items;

protected:
    TPlotGradientClass GetGradientClass() const override { return TChartLegendGradient::Create; }

private:
    class TCustomChart* Chart() const;
    void SetBool(bool& field, bool value);
    void SetInt(int& field, int value);
    // The series at a legend position among those shown (active ones only unless
    // `onlyActive` is false).
    TChartSeries* SeriesAt(int position, bool onlyActive);
    int LegendItems();
    void BuildItemTexts();
    int FrameWidth();
    void PlaceVertical(int textWidth, int frame);
    void PlaceHorizontal(int textWidth);
    void DrawTitleBox();
    void DrawItem(int index, int position, int textWidth);
    void DrawItemTexts(int x, int y, const TLegendItemText& texts, int spaceWidth);
    void ResizeChartRect();
    TRect ClickBounds();

    TLegendAlignment alignment_ = laRight;
    bool checkBoxes_ = false;
    TCheckBoxesStyle checkBoxesStyle_ = cbsCheck;
    bool currentPage_ = true;
    TChartHiddenPen* dividingLines_;
    int firstValue_ = 0;
    bool fontSeriesColor_ = false;
    int horizMargin_ = 0;
    bool inverted_ = false;
    TLegendStyle legendStyle_ = lsAuto;
    int maxNumRows_ = 10;
    bool resizeChart_ = true;
    TLegendSymbol* symbol_;
    TLegendTextStyle textStyle_ = ltsLeftValue;
    TLegendTitle* title_;
    int topPos_ = 10;
    int vertMargin_ = 0;
    int vertSpacing_ = 0;
    TChartSeries* series_ = nullptr;

    // Per drawing.
    int itemHeight_ = 0;
    int checkBoxX_ = 0;
    int textX_ = 0;
    int symbolX_ = 0;
};

class TChartLegend : public TCustomChartLegend {
    CL_CLASS(TChartLegend, TCustomChartLegend)

    explicit TChartLegend(TCustomPlotPanel* parent) : TCustomChartLegend(parent) {}
};
