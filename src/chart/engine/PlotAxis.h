// One axis of a chart: its range (automatic or manual), value-to-pixel conversions, label
// increments, values and texts, its layout in the chart rectangle and its drawing
// (sources PlotAxis.cpp, PlotAxisLabels.cpp, PlotAxisDraw.cpp).
#pragma once

#include <functional>
#include <vector>

#include "PlotDateSteps.h"
#include "PlotErrors.h"
#include "PlotPanel.h"
#include "PlotShape.h"
#include "cl_lists.h"

class TAxisItems;
class TChartAxis;
class TChartSeries;
class TCustomAxisPanel;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };
enum TAxisLabelAlign { alDefault, alOpposite };

// Called for every label and the title before it is drawn: may move it, change its text or
// suppress it.
using TAxisDrawLabelEvent = std::function<void(TChartAxis* sender, int& x, int& y, int& z,
                                               AnsiString& text, bool& drawLabel)>;
using TAxisDrawGrids = std::function<void(TChartAxis* sender)>;

// Smallest label increment and smallest manual range.
extern const double MinAxisIncrement;
extern const double MinAxisRange;
// Separators of legend text columns and of lines in labels and titles.
constexpr char PlotColumnSeparator = '\x06';
constexpr char PlotLineSeparator = '\r';
// Pixels added to an axis' clickable band.
extern int PlotAxisClickGap;
// Limit of the clamping value-to-pixel conversions (set from the system at start-up).
extern int PlotGDICoordinateLimit;

// GDI text alignment codes used by the axis labels.
constexpr int kTextAlignLeft = 0;
constexpr int kTextAlignRight = 2;
constexpr int kTextAlignCenter = 6;
constexpr int kTextAlignBottom = 8;

class TChartAxisPen : public TChartPen {
    CL_CLASS(TChartAxisPen, TChartPen)

    explicit TChartAxisPen(const TNotifyEvent& onChange = TNotifyEvent());
};

// The grid pen: grey dots, optionally between the ticks, with the depth of its side part.
class TAxisGridPen : public TDottedGrayPen {
    CL_CLASS(TAxisGridPen, TDottedGrayPen)

    explicit TAxisGridPen(const TNotifyEvent& onChange = TNotifyEvent())
        : TDottedGrayPen(onChange) {}
    void Assign(TPersistent* source) override;

    bool Centered() const { return centered_; }
    void SetCentered(bool value);
    double ZPosition() const { return zPosition_; }
    void SetZPosition(double value);
    // Sets the position and the value that is not stored.
    void InitZPosition(double value);
    bool IsZStored() const { return zPosition_ != defaultZ_; }

private:
    bool centered_ = false;
    double zPosition_ = 0;
    double defaultZ_ = 0;
};

class TChartAxisTitle : public TPlotCustomShape {
    CL_CLASS(TChartAxisTitle, TPlotCustomShape)

    explicit TChartAxisTitle(TCustomPlotPanel* parent);
    // Angle and caption of another title, then the shape.
    void Assign(TPersistent* source) override;

    int Angle() const { return angle_; }
    // Stored modulo 360.
    void SetAngle(int value);
    // Sets the angle and the angle that is not stored.
    void InitAngle(int value);
    int DefaultAngle() const { return defaultAngle_; }
    bool IsAngleStored() const { return angle_ != defaultAngle_; }
    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& value);

private:
    int angle_ = 0;
    int defaultAngle_ = 0;
    AnsiString caption_;
};

class TChartAxis : public TCollectionItem {
    CL_COLLECTION_ITEM_CLASS(TChartAxis, TCollectionItem)

    // The owner panel is the collection's owner; the axis joins the collection only when the
    // panel already has its six standard axes.
    explicit TChartAxis(TCollection* collection);
    // A custom axis of the panel.
    explicit TChartAxis(TCustomAxisPanel* panel);
    ~TChartAxis() override;
    void BeforeDestruction() override;
    void Assign(TPersistent* source) override;

    TCustomAxisPanel* ParentChart() const { return parentChart_; }
    // Index in the panel's axis list above 5.
    bool IsCustom() const;

    // ---- Range ----
    // Raise AxisException when the order of minimum and maximum breaks (not while loading).
    void SetMinimum(double value);
    void SetMaximum(double value);
    void InternalSetMinimum(double value);
    void InternalSetMaximum(double value);
    void InternalSetInverted(bool value) { inverted_ = value; }
    // A manual range; swaps reversed ends and widens a range below MinAxisRange.
    void SetMinMax(double low, double high);
    void SetAutomatic(bool value);
    void SetAutomaticMinimum(bool value);
    void SetAutomaticMaximum(bool value);
    // Puts the series extremes into the automatic ends.
    void CalcMinMax(double& minimum, double& maximum);
    // Automatic ends from the series, then the scale.
    void AdjustMaxMin();
    // Widens the scale so that the rectangle's pixel margins stay free.
    void AdjustMaxMinRect(const TRect& margins);
    void Scroll(double offset, bool checkLimits);
    // A refused change leaves the axis as it was.
    void SetLogarithmic(bool value);
    void SetLogarithmicBase(double value);
    void SetDesiredIncrement(double value);
    virtual void SetInverted(bool value);

    // ---- Positions and conversions ----
    void InternalCalcPositions();
    void RecalcSizeCenter();
    void InternalCalcRange();
    int CalcZPos();
    // Chooses the conversions by direction, scale kind and the panel's fast-calculation switch.
    void SetCalcPosValue();
    int XPosValue(double value);
    int YPosValue(double value);
    int XPosValueCheck(double value);
    int YPosValueCheck(double value);
    int LogXPosValue(double value);
    int LogYPosValue(double value);
    int InternalCalcDepthPosValue(double value);
    int CalcXPosValue(double value) { return (this->*calcXPosValue_)(value); }
    int CalcYPosValue(double value) { return (this->*calcYPosValue_)(value); }
    int CalcPosValue(double value) { return (this->*calcPosValue_)(value); }
    // Pixel to value.
    double CalcPosPoint(int pixel);
    // A length in values to pixels.
    int CalcSizeValue(double value);

    // ---- Label increments, values and texts ----
    double CalcIncrement();
    double CalcXYIncrement(int labelSize);
    double CalcLabelsIncrement(int maxLabels);
    double CalcDateTimeIncrement(int maxLabels);
    double RoundLogPower(double value);
    // The next value of the 1-2-5 sequence above `value`.
    static double NextIncrementStep(double value);
    void IncDecDateTime(bool increment, double& value, double stepLength, TDateTimeStep step);
    // The DateTime flag of the first active series' column on this axis.
    bool IsDateTime();
    TAxisLabelStyle CalcLabelStyle();
    virtual TAxisLabelStyle InternalCalcLabelStyle();
    virtual AnsiString LabelValue(double value);
    int LabelWidth(double value) { return InternalLabelSize(value, true); }
    int LabelHeight(double value) { return InternalLabelSize(value, false); }
    int InternalLabelSize(double value, bool isWidth);
    int MaxLabelsWidth();

    // ---- Layout and drawing ----
    void CalcRect(TRect& rect, bool shrink);
    int SizeTickAxis();
    int SizeLabels();
    int InternalCalcSize(TPlotFont* font, int angle, int fixedSize, const AnsiString& text);
    int GetRectangleEdge(const TRect& rect);
    int ApplyPosition(int position, const TRect& rect);
    void Draw(bool placeAxisLine);
    void DrawTitle(int x, int y);
    void DrawAxisLabel(int x, int y, int angle, const AnsiString& text,
                       TPlotCustomShape* shape = nullptr);
    void DrawGrids(int tickCount);
    void DrawGridLine(int pixel);
    int DepthAxisAlign();
    int DepthAxisPos();
    TRect AxisRect();
    bool Clicked(int x, int y);
    void CustomDraw(int labelsPos, int titlePos, int axisPos, bool gridVisible);
    void CustomDrawStartEnd(int labelsPos, int titlePos, int axisPos, bool gridVisible,
                            int startPixel, int endPixel);
    void CustomDrawMinMax(int labelsPos, int titlePos, int axisPos, bool gridVisible,
                          double minimum, double maximum, double increment);
    void CustomDrawMinMaxStartEnd(int labelsPos, int titlePos, int axisPos, bool gridVisible,
                                  double minimum, double maximum, double increment, int startPixel,
                                  int endPixel);

    // ---- Properties ----
    bool Automatic() const { return automatic_; }
    bool AutomaticMaximum() const { return automaticMaximum_; }
    bool AutomaticMinimum() const { return automaticMinimum_; }
    double Increment() const { return increment_; }
    double Maximum() const { return maximum_; }
    double Minimum() const { return minimum_; }
    bool Logarithmic() const { return logarithmic_; }
    double LogarithmicBase() const { return logarithmicBase_; }
    int MaximumOffset() const { return maximumOffset_; }
    void SetMaximumOffset(int value);
    int MinimumOffset() const { return minimumOffset_; }
    void SetMinimumOffset(int value);
    TChartAxisPen* Axis() const { return axisPen_; }
    void SetAxis(TChartPen* pen) { axisPen_->Assign(pen); }
    double ZPosition() const { return zPosition_; }
    // 0 is stored as 0.01.
    void SetZPosition(double value);
    TChartAxisTitle* Title() const { return title_; }
    void SetTitle(TChartAxisTitle* title) { title_->Assign(title); }
    int TitleSize() const { return titleSize_; }
    void SetTitleSize(int value);
    TAxisGridPen* Grid() const { return grid_; }
    void SetGrid(TAxisGridPen* pen) { grid_->Assign(pen); }
    bool GridCentered() const { return grid_->Centered(); }
    void SetGridCentered(bool value) { grid_->SetCentered(value); }
    TAxisLabelAlign LabelsAlign() const { return labelsAlign_; }
    void SetLabelsAlign(TAxisLabelAlign value);
    bool LabelsAlternate() const { return labelsAlternate_; }
    void SetLabelsAlternate(bool value);
    int LabelsAngle() const { return labelsAngle_; }
    // Stored modulo 360.
    void SetLabelsAngle(int value);
    bool LabelsOnAxis() const { return labelsOnAxis_; }
    void SetLabelsOnAxis(bool value);
    int LabelsSeparation() const { return labelsSeparation_; }
    // Raises AxisException for a negative value.
    void SetLabelsSeparation(int value);
    int LabelsSize() const { return labelsSize_; }
    void SetLabelsSize(int value);
    TAxisLabelStyle LabelStyle() const { return labelStyle_; }
    void SetLabelStyle(TAxisLabelStyle value);
    bool LabelsExponent() const { return labelsExponent_; }
    void SetLabelsExponent(bool value);
    bool LabelsMultiLine() const { return labelsMultiLine_; }
    void SetLabelsMultiLine(bool value);
    // The visibility and font of the label format shape.
    bool Labels() const;
    void SetLabels(bool value);
    TPlotFont* LabelsFont() const;
    void SetLabelsFont(TPlotFont* font);
    const AnsiString& AxisValuesFormat() const { return axisValuesFormat_; }
    void SetAxisValuesFormat(const AnsiString& value);
    const AnsiString& DateTimeFormat() const { return dateTimeFormat_; }
    void SetDateTimeFormat(const AnsiString& value);
    bool ExactDateTime() const { return exactDateTime_; }
    void SetExactDateTime(bool value);
    bool RoundFirstLabel() const { return roundFirstLabel_; }
    void SetRoundFirstLabel(bool value);
    TChartHiddenPen* MinorGrid() const { return minorGrid_; }
    void SetMinorGrid(TChartPen* pen) { minorGrid_->Assign(pen); }
    int MinorTickCount() const { return minorTickCount_; }
    void SetMinorTickCount(int value);
    int MinorTickLength() const { return minorTickLength_; }
    void SetMinorTickLength(int value);
    TDarkGrayPen* MinorTicks() const { return minorTicks_; }
    void SetMinorTicks(TChartPen* pen) { minorTicks_->Assign(pen); }
    TDarkGrayPen* Ticks() const { return ticks_; }
    void SetTicks(TChartPen* pen) { ticks_->Assign(pen); }
    TDarkGrayPen* TicksInner() const { return ticksInner_; }
    void SetTicksInner(TChartPen* pen) { ticksInner_->Assign(pen); }
    int TickInnerLength() const { return tickInnerLength_; }
    void SetTickInnerLength(int value);
    int TickLength() const { return tickLength_; }
    void SetTickLength(int value);
    bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
    void SetTickOnLabelsOnly(bool value);
    bool Inverted() const { return inverted_; }
    bool Horizontal() const { return horizontal_; }
    void SetHorizontal(bool value);
    bool OtherSide() const { return otherSide_; }
    void SetOtherSide(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    double StartPosition() const { return startPosition_; }
    void SetStartPosition(double value);
    double EndPosition() const { return endPosition_; }
    void SetEndPosition(double value);
    double PositionPercent() const { return positionPercent_; }
    void SetPositionPercent(double value);
    TPlotUnits PositionUnits() const { return positionUnits_; }
    void SetPositionUnits(TPlotUnits value);

    // Stream tests: whether each value differs from what is not written.
    bool IsMaxStored() const { return !automatic_ && !automaticMaximum_; }
    bool IsMinStored() const { return !automatic_ && !automaticMinimum_; }
    bool IsLogBaseStored() const { return logarithmicBase_ != 10; }
    bool IsPosStored() const { return positionPercent_ != 0; }
    bool IsStartStored() const { return startPosition_ != 0; }
    bool IsEndStored() const { return endPosition_ != 100; }
    bool IsZStored() const;
    bool IsAxisValuesFormatStored() const;

    TAxisDrawLabelEvent OnDrawLabel;

    // ---- State of the current drawing ----
    // Whether the panel shows the axis in the current drawing.
    bool VisibleInDrawing = false;
    TAxisItems* LabelItems = nullptr;
    // SetMinMax of that axis copies its range into this one.
    TChartAxis* MasterAxis = nullptr;
    bool IsDateTimeScale = false;
    bool IsDepthAxis = false;
    double ScaleMinimum = 0, ScaleMaximum = 0, ScaleRange = 0;
    bool RangeIsZero = true;
    double PixelsPerValue = 0;
    double LogMinimum = 0, LogMaximum = 0, LogRange = 0;
    double PixelsPerLogValue = 0;
    // (IStartPos, IEndPos and IAxisSize for the chart types.)
    int StartPixel = 0, EndPixel = 0, AxisPixels = 0, CenterPixel = 0;
    int DepthOffset = 0;
    // (PosAxis for the chart types.)
    int AxisLinePos = 0, LabelsPos = 0, TitlePos = 0;
    bool SkipBackGrid = false, SkipSideGrid = false;
    // (Tick for the chart types.)
    std::vector<int> TickPixels;
    std::vector<TChartSeries*> LabelSeries;
    TAxisDrawGrids GridsHook;

protected:
    void SetBooleanProperty(bool& field, bool value);
    void SetIntegerProperty(int& field, int value);
    void SetDoubleProperty(double& field, double value);
    void SetStringProperty(AnsiString& field, const AnsiString& value);
    void Invalidate();

private:
    using TPosValue = int (TChartAxis::*)(double);
    void Init();
    bool IsLoading() const;
    double InternalMinMax(bool isMinimum);
    int LinearPixel(double value, bool vertical);
    int ClampedPixel(double value, bool vertical);

    // Labels (PlotAxisLabels.cpp).
    bool HasCustomLabels() const;
    void DrawAxisLabels();
    void EmitLabel(double value);
    void LinearLabels(double increment, TDateTimeStep step);
    void LogarithmicLabels();
    void EventLabels(double increment, TDateTimeStep step);
    bool AnySeriesWithinLabels(int maxLabels);

    // Drawing (PlotAxisDraw.cpp).
    int OutwardSign() const;
    void PlaceLabel(int pixel, const AnsiString& text, TPlotCustomShape* shape);
    void DrawLabelLines(int x, int y, int z, int angle, int align, AnsiString text);
    void DrawExponentLabel(int x, int y, int z, int align, const AnsiString& text);
    void DrawTicksAndGrids();
    void DrawAxisLine(int wall);
    void DrawTick(int pixel, int offset, int length, int wall);
    void DrawMinorMarks(bool ticks);
    void DrawSeriesLabels(TAxisLabelStyle style);
    void DrawDepthTextLabels();
    void DrawCustomItems();

    TCustomAxisPanel* parentChart_ = nullptr;
    TPosValue calcXPosValue_ = &TChartAxis::XPosValueCheck;
    TPosValue calcYPosValue_ = &TChartAxis::YPosValueCheck;
    TPosValue calcPosValue_ = &TChartAxis::YPosValueCheck;
    bool alternateToggle_ = false;

    bool automatic_ = true;
    bool automaticMaximum_ = true;
    bool automaticMinimum_ = true;
    double increment_ = 0;
    double maximum_ = 0;
    double minimum_ = 0;
    bool logarithmic_ = false;
    double logarithmicBase_ = 10;
    int maximumOffset_ = 0;
    int minimumOffset_ = 0;
    TChartAxisPen* axisPen_ = nullptr;
    double zPosition_ = 0;
    TChartAxisTitle* title_ = nullptr;
    int titleSize_ = 0;
    TAxisGridPen* grid_ = nullptr;
    TAxisLabelAlign labelsAlign_ = alDefault;
    bool labelsAlternate_ = false;
    int labelsAngle_ = 0;
    bool labelsOnAxis_ = true;
    int labelsSeparation_ = 10;
    int labelsSize_ = 0;
    TAxisLabelStyle labelStyle_ = talAuto;
    bool labelsExponent_ = false;
    bool labelsMultiLine_ = false;
    AnsiString axisValuesFormat_;
    AnsiString dateTimeFormat_;
    bool exactDateTime_ = true;
    bool roundFirstLabel_ = true;
    TChartHiddenPen* minorGrid_ = nullptr;
    int minorTickCount_ = 3;
    int minorTickLength_ = 2;
    TDarkGrayPen* minorTicks_ = nullptr;
    TDarkGrayPen* ticks_ = nullptr;
    TDarkGrayPen* ticksInner_ = nullptr;
    int tickInnerLength_ = 0;
    int tickLength_ = 4;
    bool tickOnLabelsOnly_ = true;
    bool inverted_ = false;
    bool horizontal_ = false;
    bool otherSide_ = false;
    bool visible_ = true;
    double startPosition_ = 0;
    double endPosition_ = 100;
    double positionPercent_ = 0;
    TPlotUnits positionUnits_ = muPercent;
};

// The depth (Z) axis: hidden by default; both depth axes invert together.
class TChartDepthAxis : public TChartAxis {
    CL_COLLECTION_ITEM_CLASS(TChartDepthAxis, TChartAxis)

    explicit TChartDepthAxis(TCollection* collection);
    TAxisLabelStyle InternalCalcLabelStyle() override;
    // Also inverts the other depth axis, without a repaint of its own.
    void SetInverted(bool value) override;
};
