#include "PlotMarks.h"

#include <cmath>

#include "PlotAxisPanel.h"
#include "PlotPointer.h"
#include "PlotPublished.h"
#include "cl_filer.h"

namespace {

const char* const kDrawEveryError = "Marks DrawEvery must be greater than zero";

// Grey, size 1, also as the values that are not stored.
void InitMarksShadow(TPlotShadow* shadow) {
    shadow->SetColor(clGray);
    shadow->SetSize(1);
    shadow->ColorDefault = clGray;
    shadow->SizeDefault = 1;
}

bool Overlap(const TRect& a, const TRect& b) {
    return Max(a.Left, b.Left) < Min(a.Right, b.Right) &&
           Max(a.Top, b.Top) < Min(a.Bottom, b.Bottom);
}

}  // namespace

std::vector<AnsiString> SplitMarkLines(const AnsiString& text) {
    std::vector<AnsiString> lines;
    AnsiString rest = text;
    const AnsiString separator(PlotLineSeparator);
    for (int p = rest.Pos(separator); p > 0; p = rest.Pos(separator)) {
        lines.push_back(rest.SubString(1, p - 1));
        rest.Delete(1, p);
    }
    if (!rest.IsEmpty()) lines.push_back(rest);
    return lines;
}

// ---------------------------------------------------------------------------------------------
// Positions

void TSeriesMarkPosition::Assign(const TSeriesMarkPosition& other) {
    DataPoint = other.DataPoint;
    MarkPoint = other.MarkPoint;
    BoxOrigin = other.BoxOrigin;
    BoxWidth = other.BoxWidth;
    BoxHeight = other.BoxHeight;
}

TRect TSeriesMarkPosition::Bounds() const {
    return {BoxOrigin.X, BoxOrigin.Y, BoxOrigin.X + BoxWidth, BoxOrigin.Y + BoxHeight};
}

TSeriesMarkPosition* TSeriesMarksPositions::Ensure(int index) {
    if (index >= Count()) items_.resize(static_cast<size_t>(index) + 1, nullptr);
    if (!items_[index]) items_[index] = new TSeriesMarkPosition;
    return items_[index];
}

void TSeriesMarksPositions::Put(int index, const TSeriesMarkPosition& position) {
    TSeriesMarkPosition* record = Ensure(index);
    record->IsCustom = true;
    record->Assign(position);
}

TSeriesMarkPosition* TSeriesMarksPositions::Get(int index) const {
    return index >= 0 && index < Count() ? items_[index] : nullptr;
}

void TSeriesMarksPositions::Automatic(int index) {
    if (TSeriesMarkPosition* record = Get(index)) record->IsCustom = false;
}

bool TSeriesMarksPositions::ExistCustom() const {
    for (TSeriesMarkPosition* record : items_)
        if (record && record->IsCustom) return true;
    return false;
}

void TSeriesMarksPositions::Clear() {
    for (TSeriesMarkPosition* record : items_) delete record;
    items_.clear();
}

void TSeriesMarksPositions::Delete(int index) { Delete(index, 1); }

void TSeriesMarksPositions::Delete(int start, int quantity) {
    const int end = Min(start + quantity, Count());
    if (start < 0 || start >= end) return;
    for (int i = start; i < end; ++i) delete items_[i];
    items_.erase(items_.begin() + start, items_.begin() + end);
}

// ---------------------------------------------------------------------------------------------
// Items, gradient and symbol

TMarksItem::TMarksItem(TCustomPlotPanel* parent) : TPlotCustomShape(parent) {
    SetColor(clInfoBk);
    InitMarksShadow(Shadow());
}

TMarksItems::~TMarksItems() {
    for (TMarksItem* item : items_) TObject::Free(item);
}

TMarksItem* TMarksItems::Get(int index) {
    if (index >= Count()) items_.resize(static_cast<size_t>(index) + 1, nullptr);
    if (!items_[index]) items_[index] = new TMarksItem(Marks->Parent());
    return items_[index];
}

TMarksItem* TMarksItems::ItemIfAny(int index) const {
    return index >= 0 && index < Count() ? items_[index] : nullptr;
}

void TMarksItems::Clear() {
    for (TMarksItem* item : items_) TObject::Free(item);
    items_.clear();
    Marks->Repaint();
}

void TMarksItems::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    TObject::Free(items_[index]);
    items_.erase(items_.begin() + index);
}

TSeriesMarksGradient::TSeriesMarksGradient(const TNotifyEvent& onChange) : TPlotGradient() {
    SetDirection(gdRightLeft);
    SetStartColor(clSilver);
    SetEndColor(clWhite);
    OnChange = onChange;
}

TCustomPlotGradient* TSeriesMarksGradient::Create(const TNotifyEvent& onChange) {
    return new TSeriesMarksGradient(onChange);
}

TSeriesMarksSymbol::TSeriesMarksSymbol(TCustomPlotPanel* parent) : TPlotCustomShape(parent) {
    SetVisible(false);
    SetTransparent(false);
    Shadow()->SetSize(1);
    Shadow()->SizeDefault = 1;
}

// ---------------------------------------------------------------------------------------------
// TSeriesMarks

TSeriesMarks::TSeriesMarks(TChartSeries* series)
    : TPlotCustomShape(series->ParentChart()), Series(series), items_(this) {
    SetVisible(false);
    SetColor(clInfoBk);
    InitShadow(Shadow());
}

TSeriesMarks::~TSeriesMarks() {
    TObject::Free(symbol_);
    TObject::Free(callout_);
}

TPlotGradientClass TSeriesMarks::GetGradientClass() const { return TSeriesMarksGradient::Create; }

void TSeriesMarks::InitShadow(TPlotShadow* shadow) { InitMarksShadow(shadow); }

void TSeriesMarks::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TSeriesMarks*>(source)) {
        angle_ = other->angle_;
        SetCallout(other->callout_);
        clip_ = other->clip_;
        drawEvery_ = other->drawEvery_;
        style_ = other->style_;
        multiLine_ = other->multiLine_;
        SetSymbol(other->symbol_);
        items_.Clear();
        for (int i = 0; i < other->items_.Count(); ++i) {
            TMarksItem* item = items_.Get(i);
            if (TMarksItem* from = other->items_.ItemIfAny(i)) item->Assign(from);
        }
    }
    TPlotCustomShape::Assign(source);
}

void TSeriesMarks::SetParent(TCustomPlotPanel* parent) {
    TPlotCustomShape::SetParent(parent);
    if (callout_) callout_->SetParent(parent);
    if (symbol_) symbol_->SetParent(parent);
    for (int i = 0; i < items_.Count(); ++i)
        if (TMarksItem* item = items_.ItemIfAny(i)) item->SetParent(parent);
}

void TSeriesMarks::Clear() {
    positions_.Clear();
    if (!items_.ItemsLoaded) items_.Clear();
}

void TSeriesMarks::ResetPositions() {
    for (int i = 0; i < positions_.Count(); ++i) positions_.Automatic(i);
    Series->Repaint();
}

TPlotCustomShape* TSeriesMarks::MarkItem(int index) {
    if (index < items_.Count()) return items_.Get(index);
    return this;
}

TMarksCallout* TSeriesMarks::GetCallout() {
    if (!callout_) {
        callout_ = new TMarksCallout(Series);
        callout_->SetParent(Parent());
    }
    return callout_;
}

void TSeriesMarks::SetCallout(TMarksCallout* callout) {
    if (callout)
        GetCallout()->Assign(callout);
    else
        FreeAndNil(callout_);
}

TChartPen* TSeriesMarks::GetArrowPen() { return GetCallout()->Arrow(); }

void TSeriesMarks::SetArrowPen(TChartPen* pen) { GetCallout()->Arrow()->Assign(pen); }

int TSeriesMarks::GetArrowLength() { return GetCallout()->Length(); }

void TSeriesMarks::SetArrowLength(int value) { GetCallout()->SetLength(value); }

void TSeriesMarks::ApplyArrowLength(TSeriesMarkPosition* position) {
    if (callout_) callout_->ApplyArrowLength(position);
}

TSeriesMarksSymbol* TSeriesMarks::GetSymbol() {
    if (!symbol_) symbol_ = new TSeriesMarksSymbol(Parent());
    return symbol_;
}

void TSeriesMarks::SetSymbol(TSeriesMarksSymbol* symbol) {
    if (symbol)
        GetSymbol()->Assign(symbol);
    else
        FreeAndNil(symbol_);
}

void TSeriesMarks::SetAngle(int value) { Series->SetIntegerProperty(angle_, value); }

void TSeriesMarks::SetClip(bool value) { Series->SetBooleanProperty(clip_, value); }

void TSeriesMarks::SetDrawEvery(int value) {
    if (value < 1) throw ChartException(kDrawEveryError);
    Series->SetIntegerProperty(drawEvery_, value);
}

void TSeriesMarks::SetStyle(TSeriesMarksStyle value) {
    if (value == style_) return;
    style_ = value;
    Series->Repaint();
}

void TSeriesMarks::SetMultiLine(bool value) { Series->SetBooleanProperty(multiLine_, value); }

// ---------------------------------------------------------------------------------------------
// Drawing

void TSeriesMarks::UsePosition(int index, TSeriesMarkPosition& position) {
    TSeriesMarkPosition* record = positions_.Ensure(index);
    if (!record->IsCustom) {
        record->Assign(position);
        return;
    }
    const TPoint dataPoint = position.DataPoint;
    position.Assign(*record);
    if (position.DataPointFixed) position.DataPoint = dataPoint;
}

void TSeriesMarks::InternalDraw(int index, TColor color, const AnsiString& text,
                                TSeriesMarkPosition& position) {
    UsePosition(index, position);
    TPlotCustomShape* item = MarkItem(index);
    TPlotCanvas3D* canvas = Parent()->InternalCanvas;
    if (callout_ && (callout_->Visible() || callout_->Arrow()->Visible()))
        callout_->Draw(color, position.DataPoint, position.MarkPoint, ZPosition);
    if (item->Transparent()) {
        canvas->Brush()->SetStyle(bsClear);
        canvas->SetBackMode(cbmTransparent);
    } else {
        canvas->AssignBrush(item->Brush(), item->Color());
    }
    if (item->Pen()->Visible()) canvas->AssignVisiblePen(item->Pen());
    ConvertTo2D(position.MarkPoint, position.BoxOrigin);
    const TRect bounds = position.Bounds();
    item->DrawRectRotated(bounds, angle_ % 360, ZPosition + 1);
    int symbolWidth = -1;
    if (symbol_ && symbol_->ShouldDraw()) {
        symbol_->SetColor(Series->GetValueColor(index));
        symbol_->SetTransparent(false);
        const int h = canvas->FontHeight();
        const TRect r(bounds.Left + 4, bounds.Top + 3, bounds.Left + h - 1, bounds.Top + h - 2);
        symbol_->DrawRectRotated(r, angle_ % 360, ZPosition + 1);
        symbolWidth = r.Width();
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetBackMode(cbmTransparent);
    canvas->SetTextAlign(kTextAlignCenter);
    TRect textRect = bounds;
    textRect.Left += 2;
    if (symbolWidth >= 0) textRect.Left += symbolWidth + 4;
    DrawText(textRect, text);
}

void TSeriesMarks::DrawText(const TRect& rect, const AnsiString& text) {
    TPlotCanvas3D* canvas = Parent()->InternalCanvas;
    const TPoint c = RectCenter(rect);
    if (TextFormat() == ttfHtml) {
        canvas->TextOut(c.X, rect.Top, text, true);
        return;
    }
    const std::vector<AnsiString> lines = SplitMarkLines(text);
    const int h = canvas->FontHeight();
    const bool text3D = canvas->GetSupports3DText();
    for (size_t i = 0; i < lines.size(); ++i) {
        int x, y;
        if (angle_ == 0) {
            x = c.X;
            y = rect.Top + static_cast<int>(i) * h;
            if (Pen()->Visible()) y += Pen()->Width();
        } else {
            const int a = static_cast<int>(i) * h - (rect.Bottom - c.Y);
            const double t = angle_ * PlotPiStep;
            x = c.X + PlotRound(a * std::sin(t));
            y = c.Y + PlotRound(a * std::cos(t));
            if (angle_ == 90) x += 2;
        }
        if (text3D) {
            if (angle_ != 0)
                canvas->RotateLabel3D(x, y, ZPosition, lines[i], angle_);
            else
                canvas->TextOut3D(x, y, ZPosition, lines[i]);
        } else if (angle_ != 0) {
            canvas->RotateLabel(x, y, lines[i], angle_);
        } else {
            canvas->TextOut(x, y, lines[i]);
        }
    }
}

void TSeriesMarks::ConvertTo2D(const TPoint& point, TPoint& corner) {
    TCustomPlotPanel* chart = Parent();
    if (!chart || !chart->View3D() || chart->InternalCanvas->GetSupports3DText()) return;
    const TPoint projected =
        chart->InternalCanvas->Calculate3DPosition(point.X, point.Y, ZPosition);
    corner.X += projected.X - point.X;
    corner.Y += projected.Y - point.Y;
}

TRect TSeriesMarks::CoveredRect(int index, const TSeriesMarkPosition& position) {
    TRect r = position.Bounds();
    TPlotCustomShape* item = MarkItem(index);
    if (item->Pen()->Visible()) {
        r.Right += item->Pen()->Width();
        r.Bottom += item->Pen()->Width();
    }
    if (TPlotShadow* shadow = item->Shadow()) {
        const int h = shadow->HorizSize(), v = shadow->VertSize();
        (h > 0 ? r.Right : r.Left) += h;
        (v > 0 ? r.Bottom : r.Top) += v;
    }
    TPoint corner = r.TopLeft();
    ConvertTo2D(position.MarkPoint, corner);
    return {corner.X, corner.Y, corner.X + r.Width(), corner.Y + r.Height()};
}

void TSeriesMarks::AntiOverlap(int first, int index, TSeriesMarkPosition& position) {
    const TRect r = CoveredRect(index, position);
    for (int k = first; k < index; ++k) {
        TSeriesMarkPosition* other = positions_.Get(k);
        if (!other) continue;
        const TRect rk = CoveredRect(k, *other);
        if (!Overlap(r, rk)) continue;
        const int d = rk.Top > r.Top ? r.Bottom - rk.Top : r.Top - rk.Bottom;
        position.BoxOrigin.Y -= d;
        position.MarkPoint.Y -= d;
    }
}

int TSeriesMarks::TextWidth(int index) {
    TPlotCanvas3D* canvas = Series->ParentChart()->InternalCanvas;
    int widest = 0;
    for (const AnsiString& line : SplitMarkLines(Series->GetMarkText(index)))
        widest = Max(widest, canvas->TextWidth(line));
    return widest;
}

int TSeriesMarks::Clicked(int x, int y) {
    if (Parent()) Parent()->InternalCanvas->Calculate2DPosition(x, y, ZPosition);
    for (int i = 0; i < positions_.Count(); ++i) {
        if (i % drawEvery_ != 0) continue;
        TSeriesMarkPosition* record = positions_.Get(i);
        if (record && PointInRect(record->Bounds(), x, y)) return i;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------
// Streaming

void TSeriesMarks::DefineProperties(TFiler* filer) {
    TPlotCustomShape::DefineProperties(filer);
    filer->DefineBinaryProperty(
        "Items", [this](TStream* stream) { ReadItems(stream); },
        [this](TStream* stream) { WriteItems(stream); }, items_.Count() > 0);
}

void TSeriesMarks::WriteItems(TStream* stream) {
    const uint32_t count = static_cast<uint32_t>(items_.Count());
    const uint8_t countBytes[4] = {static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8),
                                   static_cast<uint8_t>(count >> 16),
                                   static_cast<uint8_t>(count >> 24)};
    stream->WriteBuffer(countBytes, 4);
    TWriter writer(stream, 1024);
    for (int i = 0; i < items_.Count(); ++i) {
        writer.WriteListBegin();
        writer.WriteProperties(items_.Get(i));
        writer.WriteListEnd();
    }
}

void TSeriesMarks::ReadItems(TStream* stream) {
    uint8_t countBytes[4];
    stream->ReadBuffer(countBytes, 4);
    const int32_t count = static_cast<int32_t>(countBytes[0] | countBytes[1] << 8 |
                                               countBytes[2] << 16 |
                                               static_cast<uint32_t>(countBytes[3]) << 24);
    items_.ItemsLoaded = count > 0;
    if (count < 1) return;
    TReader reader(stream, 1024);
    for (int i = 0; i < count; ++i) {
        TMarksItem* item = items_.Get(i);
        reader.ReadListBegin();
        while (!reader.EndOfList()) reader.ReadProperty(item);
        reader.ReadListEnd();
    }
}

namespace {

// The published properties of the marks, their items and their symbol, for the component
// streams.
const bool marksPropertiesRegistered = [] {
    PublishShape(TMarksItem::StaticClass(),
                 {"Bevel", "BevelWidth", "Color", "Font", "Gradient", "Shadow", "ShapeStyle",
                  "Transparency", "Transparent"},
                 {clInfoBk, true});
    PublishShape(TSeriesMarksSymbol::StaticClass(),
                 {"Bevel", "BevelWidth", "Brush", "Frame", "Gradient", "Pen", "Shadow",
                  "ShapeStyle", "Transparency", "Visible"},
                 {clWhite, false});

    using M = TSeriesMarks;
    const TMetaClass* marks = M::StaticClass();
    RegisterProperty(marks, OrdinalProperty<M>("Angle", pkInteger, &M::Angle, &M::SetAngle, 0));
    RegisterProperty(marks, LazySubObjectProperty<M>(
                                "Arrow", [](M* m) { return m->GetArrowPen(); },
                                [](M* m) { return m->CalloutIfAny() != nullptr; }));
    RegisterProperty(marks, StoredWhen<M>(OrdinalProperty<M>("ArrowLength", pkInteger,
                                                             &M::GetArrowLength,
                                                             &M::SetArrowLength),
                                          [](M*) { return false; }));
    RegisterProperty(marks, LazySubObjectProperty<M>(
                                "Callout", [](M* m) { return m->GetCallout(); },
                                [](M* m) { return m->CalloutIfAny() != nullptr; }));
    RegisterProperty(marks, StoredWhen<M>(OrdinalProperty<M>("BackColor", pkColor,
                                                             &M::BackColor, &M::SetBackColor),
                                          [](M*) { return false; }));
    PublishShape(marks, {"Bevel", "BevelWidth", "Brush"});
    RegisterProperty(marks, OrdinalProperty<M>("Clip", pkBool, &M::Clip, &M::SetClip, 0));
    PublishShape(marks, {"Color"}, {clInfoBk, false});
    RegisterProperty(marks, OrdinalProperty<M>("DrawEvery", pkInteger, &M::DrawEvery,
                                               &M::SetDrawEvery, 1));
    PublishShape(marks, {"Font", "Frame", "Gradient"});
    RegisterProperty(marks, OrdinalProperty<M>("MultiLine", pkBool, &M::MultiLine,
                                               &M::SetMultiLine, 0));
    PublishShape(marks, {"Shadow", "ShapeStyle"});
    RegisterProperty(marks, EnumProperty<M>("Style", &M::Style, &M::SetStyle,
                                            {"smsValue", "smsPercent", "smsLabel",
                                             "smsLabelPercent", "smsLabelValue", "smsLegend",
                                             "smsPercentTotal", "smsLabelPercentTotal",
                                             "smsXValue", "smsXY"},
                                            smsLabel));
    RegisterProperty(marks, LazySubObjectProperty<M>(
                                "Symbol", [](M* m) { return m->GetSymbol(); },
                                [](M* m) { return m->SymbolIfAny() != nullptr; }));
    PublishShape(marks, {"Transparency", "Transparent", "Visible"}, {clInfoBk, false});
    return true;
}();

}  // namespace
