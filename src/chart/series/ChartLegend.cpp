// The chart legend: layout, drawing, hit test and check-box clicks.
#include "ChartLegend.h"

#include <cmath>
#include <cstdlib>

#include "Chart.h"
#include "PlotProcs.h"
#include "Plotconst.h"

namespace {

// Nearest integer, halves to even.
int RoundEven(double value) { return static_cast<int>(Round(value)); }

bool RightAlignedFirstColumn(TLegendTextStyle style) {
    switch (style) {
        case ltsLeftValue:
        case ltsLeftPercent:
        case ltsXValue:
        case ltsValue:
        case ltsPercent:
        case ltsXAndValue:
        case ltsXAndPercent:
            return true;
        default:
            return false;
    }
}

bool RightAlignedSecondColumn(TLegendTextStyle style) {
    return style == ltsRightValue || style == ltsRightPercent || style == ltsXAndValue ||
           style == ltsXAndPercent;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TLegendSymbol

TLegendSymbol::TLegendSymbol(TCustomChartLegend* legend)
    : legend_(legend), pen_(new TChartPen([this](TObject*) { legend_->Repaint(); })) {}

TLegendSymbol::~TLegendSymbol() { TObject::Free(pen_); }

void TLegendSymbol::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TLegendSymbol*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    continuous_ = other->continuous_;
    defaultPen_ = other->defaultPen_;
    pen_->Assign(other->pen_);
    position_ = other->position_;
    squared_ = other->squared_;
    visible_ = other->visible_;
    width_ = other->width_;
    widthUnits_ = other->widthUnits_;
}

void TLegendSymbol::SetBool(bool& field, bool value) {
    if (field == value) return;
    field = value;
    legend_->Repaint();
}

void TLegendSymbol::SetContinuous(bool value) { SetBool(continuous_, value); }
void TLegendSymbol::SetDefaultPen(bool value) { SetBool(defaultPen_, value); }
void TLegendSymbol::SetSquared(bool value) { SetBool(squared_, value); }
void TLegendSymbol::SetVisible(bool value) { SetBool(visible_, value); }

void TLegendSymbol::SetPosition(TLegendSymbolPosition value) {
    if (position_ == value) return;
    position_ = value;
    legend_->Repaint();
}

void TLegendSymbol::SetWidth(int value) {
    if (width_ == value) return;
    width_ = value;
    legend_->Repaint();
}

void TLegendSymbol::SetWidthUnits(TLegendSymbolSize value) {
    if (widthUnits_ == value) return;
    widthUnits_ = value;
    legend_->Repaint();
}

int TLegendSymbol::CalcWidth(int value) {
    if (!visible_) return 0;
    if (squared_) return legend_->CalcItemHeight() - 5;
    if (widthUnits_ == lcsPixels) return width_;
    return RoundEven(value * width_ * 0.01);
}

// ---------------------------------------------------------------------------------------------
// TLegendTitle

TLegendTitle::TLegendTitle(TCustomPlotPanel* parent) : TPlotShape(parent), text_(new TStringList) {
    text_->OnChange = [this](TObject*) { Repaint(); };
    SetTransparent(true);
    TransparentDefault = true;
    Font()->SetStyle({fsBold});
    InitShadow(Shadow());
}

TLegendTitle::~TLegendTitle() { delete text_; }

void TLegendTitle::InitShadow(TPlotShadow* shadow) {
    shadow->SetColor(clSilver);
    shadow->SetSize(2);
    shadow->ColorDefault = clSilver;
    shadow->SizeDefault = 2;
}

void TLegendTitle::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TLegendTitle*>(source)) {
        text_->Assign(other->text_);
        textAlignment_ = other->textAlignment_;
    }
    TPlotShape::Assign(source);
}

AnsiString TLegendTitle::Caption() const {
    return text_->Count() > 0 ? text_->Strings(0) : AnsiString();
}

void TLegendTitle::SetCaption(const AnsiString& value) {
    text_->BeginUpdate();
    text_->Clear();
    if (!value.IsEmpty()) text_->Add(value);
    text_->EndUpdate();
}

void TLegendTitle::SetTextAlignment(TAlignment value) {
    if (textAlignment_ == value) return;
    textAlignment_ = value;
    Repaint();
}

int TLegendTitle::CalcHeight() {
    TPlotCanvas3D* canvas = Parent()->InternalCanvas;
    canvas->AssignFont(Font());
    Height = text_->Count() * canvas->FontHeight();
    if (!Transparent()) {
        Height += 2;
        if (Pen()->Visible()) Height += 2 * Pen()->Width();
    }
    return Height;
}

int TLegendTitle::TotalWidth() {
    TPlotCanvas3D* canvas = Parent()->InternalCanvas;
    canvas->AssignFont(Font());
    int widest = 0;
    for (int i = 0; i < text_->Count(); ++i)
        widest = Max(widest, canvas->TextWidth(text_->Strings(i)));
    int width = widest + canvas->TextWidth("W");
    if (!Transparent()) {
        if (Pen()->Visible()) width += 2 * Pen()->Width();
        if (Shadow()) width += Shadow()->HorizSize();
    }
    return width;
}

void TLegendTitle::CalcShapeBounds(const TRect& r) {
    ShapeBounds = {r.Left + 2, r.Top + 2, r.Right - 2, r.Top + 2 + Height};
    if (Transparent() || !Shadow()) return;
    if (Shadow()->HorizSize() > 0)
        ShapeBounds.Right -= Shadow()->HorizSize();
    else
        ShapeBounds.Left -= Shadow()->HorizSize();
    if (Shadow()->VertSize() < 0) ShapeBounds.Top -= Shadow()->VertSize();
}

void TLegendTitle::DrawText() {
    TPlotCanvas3D* canvas = Parent()->InternalCanvas;
    canvas->AssignFont(Font());
    canvas->SetTextAlign(TA_LEFT);
    canvas->SetBackMode(cbmTransparent);
    const int wideW = canvas->TextWidth("W");
    const int fontHeight = canvas->FontHeight();
    const TRect& r = ShapeBounds;
    if (TextFormat() == ttfHtml) {
        // Right and centred HTML headings are placed by their measured extent.
        const AnsiString text = text_->Text();
        int x = r.Left + wideW / 2;
        if (textAlignment_ != taLeftJustify && TPlotCanvas::HtmlTextExtent) {
            const int width = TPlotCanvas::HtmlTextExtent(canvas, text).cx;
            x = textAlignment_ == taRightJustify ? r.Right - width - wideW / 2
                                                 : (r.Left + r.Right) / 2 - width / 2;
        }
        canvas->TextOut(x, r.Top + 1, text, true);
        return;
    }
    for (int i = 0; i < text_->Count(); ++i) {
        const AnsiString line = text_->Strings(i);
        const int width = canvas->TextWidth(line);
        int x = (r.Left + r.Right) / 2 - width / 2;
        if (textAlignment_ == taLeftJustify) x = r.Left + wideW / 2;
        if (textAlignment_ == taRightJustify) x = r.Right - width - wideW / 2;
        canvas->TextOut(x, r.Top + 1 + i * fontHeight, line);
    }
}

TChartLegendGradient::TChartLegendGradient(const TNotifyEvent& onChange) : TPlotGradient(onChange) {
    SetDirection(gdRightLeft);
    SetEndColor(clWhite);
    SetStartColor(clSilver);
}

// ---------------------------------------------------------------------------------------------
// TCustomChartLegend: settings

TCustomChartLegend::TCustomChartLegend(TCustomPlotPanel* parent)
    : TPlotCustomShapePosition(parent),
      dividingLines_(new TChartHiddenPen([this](TObject*) { Repaint(); })),
      symbol_(new TLegendSymbol(this)),
      title_(new TLegendTitle(parent)) {}

TCustomChartLegend::~TCustomChartLegend() {
    TObject::Free(dividingLines_);
    TObject::Free(symbol_);
    TObject::Free(title_);
}

TCustomChart* TCustomChartLegend::Chart() const { return static_cast<TCustomChart*>(Parent()); }

void TCustomChartLegend::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomChartLegend*>(source)) {
        alignment_ = other->alignment_;
        checkBoxes_ = other->checkBoxes_;
        checkBoxesStyle_ = other->checkBoxesStyle_;
        currentPage_ = other->currentPage_;
        dividingLines_->Assign(other->dividingLines_);
        firstValue_ = other->firstValue_;
        fontSeriesColor_ = other->fontSeriesColor_;
        horizMargin_ = other->horizMargin_;
        inverted_ = other->inverted_;
        legendStyle_ = other->legendStyle_;
        maxNumRows_ = other->maxNumRows_;
        resizeChart_ = other->resizeChart_;
        symbol_->Assign(other->symbol_);
        textStyle_ = other->textStyle_;
        title_->Assign(other->title_);
        topPos_ = other->topPos_;
        vertMargin_ = other->vertMargin_;
        vertSpacing_ = other->vertSpacing_;
    }
    TPlotCustomShapePosition::Assign(source);
}

void TCustomChartLegend::SetBool(bool& field, bool value) { Parent()->SetBooleanProperty(field, value); }
void TCustomChartLegend::SetInt(int& field, int value) { Parent()->SetIntegerProperty(field, value); }

void TCustomChartLegend::SetAlignment(TLegendAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Repaint();
}

void TCustomChartLegend::SetCheckBoxes(bool value) { SetBool(checkBoxes_, value); }

void TCustomChartLegend::SetCheckBoxesStyle(TCheckBoxesStyle value) {
    if (checkBoxesStyle_ == value) return;
    checkBoxesStyle_ = value;
    if (value == cbsRadio) {
        bool first = true;
        for (int i = 0; TChartSeries* series = SeriesAt(i, false); ++i) {
            if (!series->Active()) continue;
            if (!first) series->SetActive(false);
            first = false;
        }
    }
    Repaint();
}

void TCustomChartLegend::SetFirstValue(int value) {
    if (value < 0) throw LegendException(Plotconst::PlotMsg_LegendFirstValue);
    SetInt(firstValue_, value);
}

void TCustomChartLegend::SetLegendStyle(TLegendStyle value) {
    if (legendStyle_ == value) return;
    legendStyle_ = value;
    CalcLegendStyle();
    Repaint();
}

void TCustomChartLegend::SetTextStyle(TLegendTextStyle value) {
    if (textStyle_ == value) return;
    textStyle_ = value;
    Repaint();
}

void TCustomChartLegend::SetSeries(TChartSeries* series) {
    series_ = series;
    Repaint();
}

// ---------------------------------------------------------------------------------------------
// Queries

void TCustomChartLegend::CalcLegendStyle() {
    if (legendStyle_ != lsAuto)
        ResolvedStyle = legendStyle_;
    else if (checkBoxes_)
        ResolvedStyle = lsSeries;
    else
        ResolvedStyle = Chart()->CountActiveSeries() < 2 ? lsValues : lsSeries;
}

bool TCustomChartLegend::ShouldDraw() {
    return Visible() && (HasCheckBoxes() || Chart()->CountActiveSeries() > 0);
}

TChartSeries* TCustomChartLegend::GetLegendSeries() {
    return series_ ? series_ : Chart()->GetASeries();
}

TChartSeries* TCustomChartLegend::SeriesAt(int position, bool onlyActive) {
    return Chart()->SeriesLegend(position, onlyActive);
}

AnsiString TCustomChartLegend::FormattedLegend(int index) {
    switch (ResolvedStyle) {
        case lsSeries:
            return Chart()->SeriesTitleLegend(index, !HasCheckBoxes());
        case lsValues:
            return Chart()->FormattedValueLegend(GetLegendSeries(), index);
        case lsLastValues: {
            TChartSeries* series = SeriesAt(index, !HasCheckBoxes());
            return series ? Chart()->FormattedValueLegend(series, series->Count() - 1)
                          : AnsiString();
        }
        default:
            return AnsiString();
    }
}

AnsiString TCustomChartLegend::FormattedValue(TChartSeries* series, int index) {
    if (index == -1) return AnsiString();
    return ReplaceChar(series->LegendString(index, textStyle_), PlotLineSeparator, ' ');
}

int TCustomChartLegend::CalcItemHeight() {
    TPlotCanvas3D* canvas = Parent()->InternalCanvas;
    int height = canvas->FontHeight();
    if (HasCheckBoxes()) height = Max(height, 17);
    height += vertSpacing_;
    if (Vertical() && dividingLines_->Visible()) height += dividingLines_->Width();
    return height;
}

int TCustomChartLegend::FirstItemTop() {
    int top = ShapeBounds.Top;
    if (TitleShown) {
        top += title_->Height + 2;
        if (!title_->Transparent() && title_->Shadow()) top += std::abs(title_->Shadow()->VertSize());
    }
    return top;
}

int TCustomChartLegend::FrameWidth() {
    if (Bevel() != bvNone) return BevelWidth();
    return Pen()->Visible() ? Pen()->Width() : 0;
}

// ---------------------------------------------------------------------------------------------
// Drawing

int TCustomChartLegend::LegendItems() {
    if (ResolvedStyle != lsValues) {
        int count = 0;
        for (int i = 0; i < Chart()->SeriesCount(); ++i) {
            TChartSeries* series = Chart()->GetSeries(i);
            if (series->ShowInLegend() && (HasCheckBoxes() || series->Active())) ++count;
        }
        return count;
    }
    TChartSeries* series = GetLegendSeries();
    return series && series->ShowInLegend() ? series->CountLegendItems() : 0;
}

void TCustomChartLegend::BuildItemTexts() {
    TPlotCanvas3D* canvas = Parent()->InternalCanvas;
    const AnsiString separator(PlotColumnSeparator);
    Items.clear();
    if (AutoColumnWidths) TextColumnWidths[0] = TextColumnWidths[1] = 0;
    for (int index = firstValue_; index <= LastIndex; ++index) {
        AnsiString text = Chart()->InternalFormattedLegend(this, index);
        TLegendItemText item;
        for (int column = 0; column < 2; ++column) {
            const int at = text.Pos(separator);
            item.Columns[column] = at > 0 ? text.SubString(1, at - 1) : text;
            text = at > 0 ? text.SubString(at + 1, text.Length()) : AnsiString();
            if (!AutoColumnWidths) continue;
            const AnsiString& piece = item.Columns[column];
            const int width = TextFormat() == ttfHtml && TPlotCanvas::HtmlTextExtent
                                  ? TPlotCanvas::HtmlTextExtent(canvas, piece).cx
                                  : canvas->TextWidth(piece);
            TextColumnWidths[column] = Max(TextColumnWidths[column], width);
        }
        Items.push_back(item);
    }
}

void TCustomChartLegend::DrawLegend() {
    TCustomChart* chart = Chart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    CalcLegendStyle();
    const int frame = FrameWidth();
    if (chart->MaxPointsPerPage() > 0)
        firstValue_ = ResolvedStyle == lsValues && currentPage_
                          ? (chart->Page() - 1) * chart->MaxPointsPerPage()
                          : 0;
    ItemCount = Max(0, LegendItems() - firstValue_);
    if (chart->MaxPointsPerPage() > 0 && ResolvedStyle == lsValues && currentPage_)
        ItemCount = Min(ItemCount, chart->MaxPointsPerPage());
    chart->LegendBackColor = Color();
    canvas->AssignFont(Font());
    const int spaceWidth = canvas->TextWidth(" ");
    itemHeight_ = CalcItemHeight();
    TitleShown = title_->Visible() && title_->Text()->Count() > 0;
    if (TitleShown) {
        title_->CalcHeight();
        canvas->AssignFont(Font());
    }
    TRect& r = ShapeBounds;
    int textWidth = 0;
    if (Vertical()) {
        if (!CustomPosition())
            r.Top = chart->DrawBounds.Top + RoundEven(topPos_ * chart->DrawBounds.Height() * 0.01);
        ColumnCount = 1;
        RowCount = chart->ChartRect.Bottom > FirstItemTop() && itemHeight_ > 0
                       ? Min((chart->ChartRectHeight - 2 * frame - FirstItemTop() +
                              chart->ChartRect.Top) / itemHeight_,
                             ItemCount)
                       : 0;
        LastIndex = Min(ItemCount, RowCount) + firstValue_ - 1;
        BuildItemTexts();
        textWidth = 2 * spaceWidth - 1 + TextColumnWidths[0] + TextColumnWidths[1];
    } else {
        LastIndex = firstValue_ + ItemCount - 1;
        BuildItemTexts();
        textWidth = 2 * spaceWidth - 1 + TextColumnWidths[0] + TextColumnWidths[1];
        SymbolPixelWidth = symbol_->CalcWidth(textWidth);
        if (!CustomPosition()) {
            if (alignment_ == laBottom) {
                int offset = chart->Shadow()->VertSize() + frame + 1;
                if (OnCalcSize) OnCalcSize(this, offset);
                r.Bottom = chart->ChartRect.Bottom - offset;
            } else {
                r.Top = chart->ChartRect.Top + frame + 1;
            }
        }
        const int column = SymbolPixelWidth + textWidth + 8 + (HasCheckBoxes() ? 27 : 0);
        ColumnCount = chart->ChartRect.Right > 8 && column > 0
                          ? Min((chart->ChartRectWidth - 2 * frame - 8) / column, ItemCount)
                          : 0;
        if (ColumnCount < 1) {
            RowCount = 0;
        } else {
            RowCount = ItemCount / ColumnCount + (ItemCount % ColumnCount ? 1 : 0);
            RowCount = Min(RowCount, maxNumRows_);
        }
        LastIndex = Min(ItemCount, ColumnCount * RowCount) + firstValue_ - 1;
    }
    if (LastIndex < firstValue_) return;

    int height = itemHeight_ * RowCount + 2;
    if (TitleShown) {
        height += title_->Height + 2;
        if (!title_->Transparent() && title_->Shadow()) height += std::abs(title_->Shadow()->VertSize());
    }
    if (alignment_ == laBottom && !CustomPosition())
        r.Top = r.Bottom - height;
    else
        r.Bottom = r.Top + height;
    if (Vertical())
        PlaceVertical(textWidth, frame);
    else
        PlaceHorizontal(textWidth);
    if (symbol_->Position() == spLeft) {
        symbolX_ = textX_ + 6;
        textX_ = textX_ + SymbolPixelWidth + 10;
    } else {
        symbolX_ = textX_ + 6 + textWidth;
        textX_ = textX_ + 6;
    }
    if (chart->OnGetLegendRect) chart->OnGetLegendRect(chart, r);
    Draw();
    if (TitleShown) DrawTitleBox();
    canvas->AssignFont(Font());
    for (int index = firstValue_; index <= LastIndex; ++index) {
        const int position = inverted_ ? LastIndex - index : index - firstValue_;
        DrawItem(index, position, textWidth);
    }
    ResizeChartRect();
}

void TCustomChartLegend::PlaceVertical(int textWidth, int frame) {
    TCustomChart* chart = Chart();
    TRect& r = ShapeBounds;
    int width = textWidth + 10;
    SymbolPixelWidth = symbol_->CalcWidth(textWidth + 10);
    width += SymbolPixelWidth;
    if (OnCalcSize) OnCalcSize(this, width);
    if (TitleShown) width = Max(width, title_->TotalWidth());
    if (CustomPosition() || alignment_ == laLeft) {
        if (!CustomPosition()) r.Left = chart->ChartRect.Left + frame + 1;
    } else {
        const int shadow = Shadow() ? Shadow()->HorizSize() : 0;
        r.Right = chart->ChartRect.Right - (shadow + frame + 1);
        r.Left = r.Right - width - (HasCheckBoxes() ? 15 : 0);
    }
    if (HasCheckBoxes()) {
        checkBoxX_ = r.Left + 4;
        textX_ = checkBoxX_ + 11;
    } else {
        textX_ = r.Left;
    }
    r.Right = textX_ + width;
}

void TCustomChartLegend::PlaceHorizontal(int textWidth) {
    TCustomChart* chart = Chart();
    TRect& r = ShapeBounds;
    int total = ColumnCount * (textWidth + SymbolPixelWidth + 6) + 10;
    if (HasCheckBoxes()) total += ColumnCount * 13 + 8;
    const int half = Min(chart->ChartRectWidth, total) / 2;
    if (!CustomPosition())
        r.Left = RoundEven(topPos_ * (chart->DrawBounds.Width() - 2 * half) * 0.01) +
                 chart->ChartRectCenterX - half;
    r.Right = r.Left + 2 * half;
    checkBoxX_ = r.Left + 4;
    textX_ = HasCheckBoxes() ? r.Left + 15 : r.Left;
}

void TCustomChartLegend::DrawTitleBox() {
    title_->CalcShapeBounds(ShapeBounds);
    title_->Draw();
    title_->DrawText();
}

void TCustomChartLegend::DrawItemTexts(int x, int y, const TLegendItemText& texts, int spaceWidth) {
    TPlotCanvas3D* canvas = Parent()->InternalCanvas;
    if (HasCheckBoxes()) ++y;
    for (int column = 0; column < 2; ++column) {
        const bool right = ResolvedStyle != lsSeries &&
                           (column == 0 ? RightAlignedFirstColumn(textStyle_)
                                        : RightAlignedSecondColumn(textStyle_));
        if (right) x += TextColumnWidths[column];
        canvas->SetTextAlign(right ? TA_RIGHT : TA_LEFT);
        const AnsiString& text = texts.Columns[column];
        if (!text.IsEmpty()) canvas->TextOut(x, y, text, TextFormat() == ttfHtml);
        if (!right) x += TextColumnWidths[column];
        x += spaceWidth;
    }
    canvas->SetTextAlign(TA_LEFT);
}

void TCustomChartLegend::DrawItem(int index, int position, int textWidth) {
    if (position >= ItemCount) return;
    TCustomChart* chart = Chart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetBackMode(cbmTransparent);
    chart->LegendSymbolPen = symbol_->DefaultPen() ? nullptr : symbol_->Pen();
    int textX = textX_, symbolX = symbolX_, y = FirstItemTop() + 1;
    int row = position, columnOffset = 0;
    if (!Vertical()) {
        row = position / ColumnCount;
        columnOffset = (position % ColumnCount) *
                       (textWidth + SymbolPixelWidth + 6 + (HasCheckBoxes() ? 15 : 0));
        textX += columnOffset;
        symbolX += columnOffset;
    }
    y += row * itemHeight_ + vertSpacing_ / 2;
    if (chart->OnGetLegendPos) chart->OnGetLegendPos(chart, index, textX, y, symbolX);
    TChartSeries* series = ResolvedStyle == lsValues ? GetLegendSeries()
                                                     : SeriesAt(index, !HasCheckBoxes());
    canvas->AssignFont(Font());
    if (fontSeriesColor_ && series)
        canvas->Font()->SetColor(ResolvedStyle == lsValues ? series->LegendItemColor(index)
                                                           : series->GetSeriesColor());
    const int spaceWidth = canvas->TextWidth(" ");
    DrawItemTexts(textX, y, Items[index - firstValue_], spaceWidth);

    TRect symbol(symbolX, y, symbolX + SymbolPixelWidth, y + itemHeight_ + 1);
    if (!symbol_->Continuous() || position == 0) symbol.Top += 2;
    if (!symbol_->Continuous() || position == ItemCount - 1) symbol.Bottom -= vertSpacing_ + 3;
    if (HasCheckBoxes() && series)
        PlotDrawCheckBox(checkBoxX_ + columnOffset,
                         y + (itemHeight_ - vertSpacing_ - 11) / 2 - 1, canvas->TargetCanvas(),
                         series->Active(), Color(), checkBoxesStyle_ == cbsCheck);
    if (SymbolPixelWidth > 0) {
        if (ResolvedStyle == lsValues && !series) {
            canvas->Brush()->SetColor(clWhite);
            canvas->Brush()->SetStyle(bsSolid);
            canvas->AssignVisiblePen(symbol_->Pen());
            canvas->DoRectangle(symbol);
        } else if (series) {
            const int valueIndex = ResolvedStyle == lsValues ? series->LegendToValueIndex(index) : -1;
            series->DrawLegend(valueIndex, symbol);
            if (symbol_->OnDraw) symbol_->OnDraw(symbol_, series, valueIndex, symbol);
        }
    }
    if (position > 0 && dividingLines_->Visible()) {
        canvas->AssignVisiblePen(dividingLines_);
        canvas->Brush()->SetStyle(bsClear);
        const TRect& r = ShapeBounds;
        if (Vertical()) {
            const int lineY = y - vertSpacing_ / 2;
            canvas->Line(r.Left, lineY, r.Right, lineY);
        } else {
            canvas->Line(r.Left + columnOffset + 2, r.Top, r.Left + columnOffset + 2, r.Bottom);
        }
    }
}

void TCustomChartLegend::ResizeChartRect() {
    if (!resizeChart_ || CustomPosition()) return;
    TCustomChart* chart = Chart();
    TRect& chartRect = chart->ChartRect;
    const TRect& r = ShapeBounds;
    switch (alignment_) {
        case laLeft:
            chartRect.Left = r.Right + (horizMargin_ ? horizMargin_ : 3 * chart->ChartRectWidth / 100);
            break;
        case laRight:
            chartRect.Right = r.Left - (horizMargin_ ? horizMargin_ : 3 * chart->ChartRectWidth / 100);
            break;
        case laTop:
            chartRect.Top = r.Bottom + chart->Shadow()->VertSize() +
                            (vertMargin_ ? vertMargin_ : 4 * chart->ChartRectHeight / 100);
            break;
        case laBottom:
            chartRect.Bottom = r.Top - (vertMargin_ ? vertMargin_ : 4 * chart->ChartRectHeight / 100);
            break;
    }
    chart->ReCalcWidthHeight();
}

// ---------------------------------------------------------------------------------------------
// Clicks

TRect TCustomChartLegend::ClickBounds() {
    TRect r = ShapeBounds;
    if (OnCalcSize) {
        int size = 0;
        OnCalcSize(this, size);
        r.Right -= size;
    }
    return r;
}

int TCustomChartLegend::Clicked(int x, int y) {
    if (!PointInRect(ClickBounds(), x, y)) return -1;
    Parent()->InternalCanvas->AssignFont(Font());
    const int h = CalcItemHeight();
    int row = -1;
    for (int r = 0; r < RowCount; ++r) {
        const int top = FirstItemTop() + 1 + r * h;
        if (y >= top && y <= top + h) {
            row = inverted_ ? RowCount - r - 1 : r;
            break;
        }
    }
    if (row < 0) return -1;
    if (Vertical()) return row + firstValue_;
    if (ColumnCount <= 0) return -1;
    const TRect& r = ShapeBounds;
    const int w = (r.Right - r.Left) / ColumnCount;
    int result = -1;
    for (int c = 0; c < ColumnCount; ++c) {
        const int left = r.Left + c * w + 1;
        if (x < left || x > left + w) continue;
        const int item = inverted_ ? (row + 1) * ColumnCount - c - 1 : row * ColumnCount + c;
        result = item > ItemCount - 1 ? -1 : item + firstValue_;
    }
    return result;
}

bool TCustomChartLegend::DoMouseDown(int, int, int index) {
    if (!HasCheckBoxes() || index == -1) return false;
    TChartSeries* clicked = SeriesAt(index, false);
    if (!clicked) return false;
    if (checkBoxesStyle_ == cbsCheck) {
        clicked->SetActive(!clicked->Active());
        return true;
    }
    for (int i = 0; TChartSeries* series = SeriesAt(i, false); ++i) series->SetActive(i == index);
    return true;
}
