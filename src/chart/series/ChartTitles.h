// The chart's text blocks (title, subtitle, foot, subfoot) and its four walls: framed shapes
// the chart places around and behind its plot rectangle, and the positioned shape they share.
#pragma once

#include "PlotShape.h"
#include "cl_lists.h"

class TCustomChart;
class TPlotBlend;

// A framed shape that can keep a position of its own instead of being placed by the chart.
class TPlotCustomShapePosition : public TPlotCustomShape {
    CL_CLASS(TPlotCustomShapePosition, TPlotCustomShape)

    explicit TPlotCustomShapePosition(TCustomPlotPanel* parent) : TPlotCustomShape(parent) {}
    void Assign(TPersistent* source) override;

    bool CustomPosition() const { return customPosition_; }
    void SetCustomPosition(bool value);
    int GetLeft() const { return ShapeBounds.Left; }
    int GetTop() const { return ShapeBounds.Top; }
    // Writing an edge fixes the shape at its own position.
    void SetLeft(int value);
    void SetTop(int value);

private:
    bool customPosition_ = false;
};

class TChartTitle : public TPlotCustomShapePosition {
    CL_CLASS(TChartTitle, TPlotCustomShapePosition)

    explicit TChartTitle(TCustomPlotPanel* parent);
    ~TChartTitle() override;
    void Assign(TPersistent* source) override;

    TStrings* Text() const { return text_; }
    void SetText(TStrings* strings) { text_->Assign(strings); }
    AnsiString Caption() const;
    void SetCaption(const AnsiString& value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AdjustFrame() const { return adjustFrame_; }
    void SetAdjustFrame(bool value);
    bool TitleOnTop() const { return titleOnTop_; }
    bool Clicked(int x, int y) const;
    TRect GetShapeBounds() const { return ShapeBounds; }

    // Places, draws and (unless at a custom position) takes its room from the chart rectangle.
    void DrawTitle();

protected:
    bool titleOnTop_ = true;

private:
    TCustomChart* Chart() const;
    int FrameWidth();
    void DrawLines(int frame, int fontHeight, int wideW);

    TStringList* text_;
    TAlignment alignment_ = taCenter;
    bool adjustFrame_ = true;
};

class TChartFootTitle : public TChartTitle {
    CL_CLASS(TChartFootTitle, TChartTitle)

    explicit TChartFootTitle(TCustomPlotPanel* parent);
};

class TCustomChartWall : public TPlotCustomShape {
    CL_CLASS(TCustomChartWall, TPlotCustomShape)

    explicit TCustomChartWall(TCustomPlotPanel* parent);
    void Assign(TPersistent* source) override;

    bool AutoHide() const { return autoHide_; }
    void SetAutoHide(bool value);
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value);
    int Size() const { return size_; }
    void SetSize(int value);
    void SetPen(TChartPen* pen) { Pen()->Assign(pen); }
    void InitColor(TColor color);
    TColor DefaultColor() const { return defaultColor_; }
    bool IsColorStored() const { return Color() != defaultColor_; }

    bool ApplyDark3D();
    bool HasGradient() const;
    bool ShouldDraw();
    // Fills the wall plane at x with its gradient; the blend to end, or null.
    TPlotBlend* TryDrawWall(int x, int bottom);

private:
    TCustomChart* Chart() const;

    bool autoHide_ = false;
    bool dark3D_ = true;
    int size_ = 0;
    TColor defaultColor_ = clDefault;
};

class TChartWall : public TCustomChartWall {
    CL_CLASS(TChartWall, TCustomChartWall)

    explicit TChartWall(TCustomPlotPanel* parent) : TCustomChartWall(parent) {}
};

class TChartBackWall : public TChartWall {
    CL_CLASS(TChartBackWall, TChartWall)

    explicit TChartBackWall(TCustomPlotPanel* parent);
};

class TChartRightWall : public TChartWall {
    CL_CLASS(TChartRightWall, TChartWall)

    explicit TChartRightWall(TCustomPlotPanel* parent);
};

// The four walls of a chart.
class TChartWalls : public TPersistent {
    CL_CLASS(TChartWalls, TPersistent)

    explicit TChartWalls(TCustomChart* chart);
    ~TChartWalls() override;
    void Assign(TPersistent* source) override;

    bool Visible() const;
    void SetVisible(bool value);
    void SetSize(int value);

    TChartBackWall* Back;
    TChartWall* Bottom;
    TChartWall* Left;
    TChartRightWall* Right;

private:
    TCustomChart* chart_;
};
