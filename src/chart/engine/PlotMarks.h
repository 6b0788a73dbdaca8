// Series marks: the framed labels beside a series' points, their per-point positions (kept from
// the last drawing or pinned) and appearance overrides, their drawing, overlap avoidance and
// the click test.
#pragma once

#include <vector>

#include "PlotSeries.h"
#include "PlotShape.h"

class TMarksCallout;
class TSeriesMarks;

// Where one mark is drawn: callout start and end, and the box.
class TSeriesMarkPosition {
public:
    // The points and sizes of another position, not the two flags.
    void Assign(const TSeriesMarkPosition& other);
    // BoxWidth x BoxHeight at BoxOrigin, right and bottom exclusive.
    TRect Bounds() const;

    TPoint DataPoint;
    bool DataPointFixed = false;
    TPoint MarkPoint;
    bool IsCustom = false;
    int BoxHeight = 0;
    TPoint BoxOrigin;
    int BoxWidth = 0;
};

// One record per point index; missing entries are empty.
class TSeriesMarksPositions {
public:
    TSeriesMarksPositions() = default;
    TSeriesMarksPositions(const TSeriesMarksPositions&) = delete;
    TSeriesMarksPositions& operator=(const TSeriesMarksPositions&) = delete;
    ~TSeriesMarksPositions() { Clear(); }
    // Pins the mark of the index at the position.
    void Put(int index, const TSeriesMarkPosition& position);
    // Null when past the end or empty.
    TSeriesMarkPosition* Get(int index) const;
    // The record of the index, made when missing (not custom).
    TSeriesMarkPosition* Ensure(int index);
    void Automatic(int index);
    bool ExistCustom() const;
    void Clear();
    void Delete(int index);
    void Delete(int start, int quantity);
    // Appends a record (owned by the list).
    void Append(TSeriesMarkPosition* position) { items_.push_back(position); }
    int Count() const { return static_cast<int>(items_.size()); }

private:
    std::vector<TSeriesMarkPosition*> items_;
};

// The appearance of one point's mark.
class TMarksItem : public TPlotCustomShape {
    CL_CLASS(TMarksItem, TPlotCustomShape)

    explicit TMarksItem(TCustomPlotPanel* parent);
};

class TMarksItems {
public:
    explicit TMarksItems(TSeriesMarks* marks) : Marks(marks) {}
    TMarksItems(const TMarksItems&) = delete;
    TMarksItems& operator=(const TMarksItems&) = delete;
    ~TMarksItems();
    // The item of the index, made when missing; never null.
    TMarksItem* Get(int index);
    // The item of the index, or null when it has none.
    TMarksItem* ItemIfAny(int index) const;
    // Frees every item and repaints the marks.
    void Clear();
    void Delete(int index);
    int Count() const { return static_cast<int>(items_.size()); }

    TSeriesMarks* const Marks;
    // Set once items were read from a stream: clearing the points keeps them.
    bool ItemsLoaded = false;

private:
    std::vector<TMarksItem*> items_;
};

// The default gradient of marks: silver to white from the right.
class TSeriesMarksGradient : public TPlotGradient {
    CL_CLASS(TSeriesMarksGradient, TPlotGradient)

    explicit TSeriesMarksGradient(const TNotifyEvent& onChange = TNotifyEvent());
    static TCustomPlotGradient* Create(const TNotifyEvent& onChange);
};

// The small colour box at the left of a mark's text.
class TSeriesMarksSymbol : public TPlotCustomShape {
    CL_CLASS(TSeriesMarksSymbol, TPlotCustomShape)

    explicit TSeriesMarksSymbol(TCustomPlotPanel* parent);
    bool ShouldDraw() const { return Visible() && !Transparent(); }
};

class TSeriesMarks : public TPlotCustomShape {
    CL_CLASS(TSeriesMarks, TPlotCustomShape)

    explicit TSeriesMarks(TChartSeries* series);
    ~TSeriesMarks() override;
    void Assign(TPersistent* source) override;
    // The shape's legacy properties, then the items as the binary "Items".
    void DefineProperties(TFiler* filer) override;
    void SetParent(TCustomPlotPanel* parent) override;

    // Empties the positions, and the items unless they were loaded.
    void Clear();
    void ResetPositions();
    TMarksItem* GetItem(int index) { return items_.Get(index); }
    // The point's item when it has one, else the marks themselves.
    TPlotCustomShape* MarkItem(int index);
    TMarksItems& Items() { return items_; }
    TSeriesMarksPositions& Positions() { return positions_; }

    // The callout and symbol are made on first use.
    TMarksCallout* GetCallout();
    TMarksCallout* CalloutIfAny() const { return callout_; }
    void SetCallout(TMarksCallout* callout);
    TChartPen* GetArrowPen();
    void SetArrowPen(TChartPen* pen);
    int GetArrowLength();
    void SetArrowLength(int value);
    void ApplyArrowLength(TSeriesMarkPosition* position);
    TSeriesMarksSymbol* GetSymbol();
    TSeriesMarksSymbol* SymbolIfAny() const { return symbol_; }
    void SetSymbol(TSeriesMarksSymbol* symbol);

    // ---- Drawing ----
    void UsePosition(int index, TSeriesMarkPosition& position);
    void InternalDraw(int index, TColor color, const AnsiString& text,
                      TSeriesMarkPosition& position);
    void DrawText(const TRect& rect, const AnsiString& text);
    void ConvertTo2D(const TPoint& point, TPoint& corner);
    // Moves the position vertically off the marks first .. index - 1.
    void AntiOverlap(int first, int index, TSeriesMarkPosition& position);
    int TextWidth(int index);
    // Index of the mark whose box holds the point, -1 when none.
    int Clicked(int x, int y);

    // ---- Properties ----
    int Angle() const { return angle_; }
    void SetAngle(int value);
    bool Clip() const { return clip_; }
    void SetClip(bool value);
    int DrawEvery() const { return drawEvery_; }
    // Raises ChartException below 1.
    void SetDrawEvery(int value);
    TSeriesMarksStyle Style() const { return style_; }
    void SetStyle(TSeriesMarksStyle value);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    TColor BackColor() const { return Color(); }
    void SetBackColor(TColor value) { SetColor(value); }
    TChartPen* Frame() const { return Pen(); }

    TChartSeries* const Series;
    // Depth of the marks in 3-D, set by the series before drawing.
    int ZPosition = 0;

protected:
    TPlotGradientClass GetGradientClass() const override;
    void InitShadow(TPlotShadow* shadow) override;

private:
    TRect CoveredRect(int index, const TSeriesMarkPosition& position);
    // A 32-bit count, then one property list per item.
    void WriteItems(TStream* stream);
    void ReadItems(TStream* stream);

    int angle_ = 0;
    TMarksCallout* callout_ = nullptr;
    bool clip_ = false;
    int drawEvery_ = 1;
    TMarksItems items_;
    TSeriesMarksStyle style_ = smsLabel;
    bool multiLine_ = false;
    TSeriesMarksPositions positions_;
    TSeriesMarksSymbol* symbol_ = nullptr;
};

// The lines of a mark text split at the line separator; an empty last line is dropped.
std::vector<AnsiString> SplitMarkLines(const AnsiString& text);
