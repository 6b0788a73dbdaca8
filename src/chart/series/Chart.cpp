// The chart component.
#include "Chart.h"

#include <cmath>
#include <cstdlib>

#include "ChartPalettes.h"
#include "PlotBlend.h"
#include "cl_filer.h"
#include "PlotMarks.h"
#include "Plotconst.h"

using namespace Plotconst;

TShiftState PlotScrollKeyShift;
bool PlotUseMouseWheel = true;
double AnimatedZoomFactor = 3.0;
std::function<void(TCustomChart* chart)> PlotNewChartHook;
std::function<void(TCustomChart* chart)> PlotThemeSelectorHook;

namespace {

bool ShiftHolds(const TShiftState& shift, const TShiftState& keys) {
    for (TShiftStateItem key : keys)
        if (!shift.count(key)) return false;
    return true;
}

}  // namespace

TCustomChart::TCustomChart(TComponent* owner) : TCustomAxisPanel(owner) {
    RepaintEnabled = false;
    title_ = new TChartTitle(this);
    subTitle_ = new TChartTitle(this);
    foot_ = new TChartFootTitle(this);
    subFoot_ = new TChartFootTitle(this);
    walls_ = new TChartWalls(this);
    legend_ = new TChartLegend(this);
    ScrollMouseButton = mbRight;
    ScalesSaved = false;
    RepaintEnabled = true;
    if (InState(csDesigning)) {
        title_->SetCaption(ClassName());
        if (PlotNewChartHook && !(owner && owner->InState(csLoading))) PlotNewChartHook(this);
    }
}

TCustomChart::~TCustomChart() {
    TObject::Free(title_);
    TObject::Free(subTitle_);
    TObject::Free(foot_);
    TObject::Free(subFoot_);
    TObject::Free(walls_);
    TObject::Free(legend_);
}

void TCustomChart::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomChart*>(source)) {
        ColorPaletteIndex = other->ColorPaletteIndex;
        foot_->Assign(other->foot_);
        legend_->Assign(other->legend_);
        ScrollMouseButton = other->ScrollMouseButton;
        subFoot_->Assign(other->subFoot_);
        subTitle_->Assign(other->subTitle_);
        title_->Assign(other->title_);
        walls_->Assign(other->walls_);
    }
    TCustomAxisPanel::Assign(source);
}

void TCustomChart::DefineProperties(TFiler* filer) {
    TCustomAxisPanel::DefineProperties(filer);
    filer->DefineProperty(
        "BackColor",
        [this](TReader* reader) {
            if (reader->NextValue() == vaIdent) {
                TColor color = clWhite;
                if (IdentToColor(reader->ReadIdent(), color)) SetBackColor(color);
            } else {
                SetBackColor(static_cast<TColor>(reader->ReadInteger()));
            }
        },
        nullptr, false);
    auto* ancestor = dynamic_cast<TCustomChart*>(filer->Ancestor());
    const bool differs = ancestor ? ancestor->ColorPaletteIndex != ColorPaletteIndex
                                  : ColorPaletteIndex > 0;
    filer->DefineProperty(
        "ColorPaletteIndex",
        [this](TReader* reader) {
            ColorPaletteIndex = reader->ReadInteger();
            if (ColorPaletteIndex >= 1) TColorPalettes::ApplyPalette(this, ColorPaletteIndex);
        },
        [this](TWriter* writer) { writer->WriteInteger(ColorPaletteIndex); }, differs);
}

// ---------------------------------------------------------------------------------------------
// Drawing steps

TColor TCustomChart::GetBackColor() {
    return BackWall()->Transparent() ? Color() : BackWall()->Color();
}

void TCustomChart::SetBackColor(TColor color) {
    BackWall()->SetColor(color);
    if (Parent() && !InState(csLoading)) BackWall()->Brush()->SetStyle(bsSolid);
}

void TCustomChart::Draw(TCanvas* canvas, const TRect& rect) {
    TCustomAxisPanel::Draw(canvas, rect);
    layoutElsewhere_ = canvas != ControlCanvas;
}

void TCustomChart::EnsureScreenLayout() {
    if (!layoutElsewhere_ || !HandleAllocated()) return;
    Draw();
}

bool TCustomChart::ActiveSeriesUseAxis() {
    bool anyActive = false;
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = GetSeries(i);
        if (!series->Active()) continue;
        if (series->UseAxis()) return true;
        anyActive = true;
    }
    return !anyActive;
}

void TCustomChart::CalcWallsRect() {
    CalcSize3DWalls();
    if (View3D() && View3DOptions()->Orthogonal()) {
        const int backSize = ActiveSeriesUseAxis() ? BackWall()->Size() : 0;
        if (View3DOptions()->OrthoAngle() <= 90) {
            ChartRect.Right -= std::abs(DepthWidth) + backSize;
            if (RightWall()->Visible()) ChartRect.Right -= RightWall()->Size() + 1;
        } else {
            ChartRect.Left += std::abs(DepthWidth) + backSize;
            if (LeftWall()->Visible()) ChartRect.Left += LeftWall()->Size() + 1;
        }
        ChartRect.Top += backSize + std::abs(DepthHeight);
    }
    ReCalcWidthHeight();
}

int TCustomChart::CalcWallSize(TChartAxis* axis) {
    if (!View3D() || !View3DWalls()) return 0;
    TCustomChartWall* wall = BackWall();
    if (axis == LeftAxis) wall = LeftWall();
    if (axis == BottomAxis) wall = BottomWall();
    if (axis == RightAxis) wall = RightWall();
    return wall->Visible() ? wall->Size() : 0;
}

void TCustomChart::DrawTitles(bool customPass) {
    for (TChartTitle* title : {title_, subTitle_, static_cast<TChartTitle*>(foot_),
                               static_cast<TChartTitle*>(subFoot_)})
        if (title->CustomPosition() == customPass) title->DrawTitle();
}

void TCustomChart::DrawTitlesAndLegend(bool beforeSeries) {
    InternalCanvas->FrontPlaneBegin();
    const bool drawLegend = legend_->ShouldDraw();
    if (!drawLegend) legend_->RowCount = 0;
    if (beforeSeries) {
        if (legend_->CustomPosition() || !drawLegend) {
            DrawTitles(false);
        } else if (legend_->Vertical()) {
            legend_->DrawLegend();
            DrawTitles(false);
        } else {
            DrawTitles(false);
            legend_->DrawLegend();
        }
    } else {
        if (legend_->CustomPosition() && drawLegend) legend_->DrawLegend();
        DrawTitles(true);
    }
    InternalCanvas->FrontPlaneEnd();
    if (beforeSeries || !ActiveSeriesUseAxis() || !View3D()) return;
    if (DrawRightWallAfter()) {
        if (RightWall()->ShouldDraw()) DrawRightWall();
        RedrawAxisWithoutBackGrid(RightAxis);
    }
    if (DrawLeftWallFirst()) {
        if (LeftWall()->ShouldDraw()) DrawLeftWall();
        RedrawAxisWithoutBackGrid(LeftAxis);
    }
    if (DrawBackWallAfter(DepthWidth)) {
        for (TChartAxis* axis : {TopAxis, BottomAxis}) {
            if (!axis->VisibleInDrawing) continue;
            axis->SkipSideGrid = true;
            axis->DrawGrids(static_cast<int>(axis->TickPixels.size()));
            axis->SkipSideGrid = false;
        }
        if (BackWall()->ShouldDraw()) DrawBackWall();
    }
}

void TCustomChart::RedrawAxisWithoutBackGrid(TChartAxis* axis) {
    if (!axis->VisibleInDrawing) return;
    axis->SkipBackGrid = true;
    axis->Draw(false);
    axis->SkipBackGrid = false;
}

bool TCustomChart::DrawWallFirst(int x) {
    TPlotCanvas3D* canvas = InternalCanvas;
    const int bottom = ChartRect.Bottom;
    return PlotCull(canvas->Calculate3DPosition(x, ChartRect.Top, 0),
                    canvas->Calculate3DPosition(x, bottom, 0),
                    canvas->Calculate3DPosition(x, bottom, DepthWidth));
}

void TCustomChart::DrawWalls() {
    if (!ActiveSeriesUseAxis()) return;
    const bool walls3D = View3D() && View3DWalls();
    if (walls3D && RightWall()->Visible() && !DrawRightWallAfter()) DrawRightWall();
    if (View3DWalls() && BackWall()->Visible() && !DrawBackWallAfter(DepthWidth)) DrawBackWall();
    if (!walls3D) return;
    if (LeftWall()->Visible() && !DrawLeftWallFirst()) DrawLeftWall();
    if (BottomWall()->Visible()) DrawBottomWall();
    if (DrawBackWallAfter(0)) {
        TopAxis->Draw(true);
        BottomAxis->Draw(true);
    }
}

void TCustomChart::PrepareWallCanvas(TCustomChartWall* wall) {
    InternalCanvas->AssignVisiblePen(wall->Pen());
    if (wall->Transparent())
        InternalCanvas->Brush()->SetStyle(bsClear);
    else
        SetBrushCanvas(wall->Color(), wall->Brush(), wall->Brush()->Color());
}

void TCustomChart::DrawBackWall() {
    TChartBackWall* wall = BackWall();
    TPlotCanvas3D* canvas = InternalCanvas;
    PrepareWallCanvas(wall);
    TPlotBlend* blend = nullptr;
    if (!View3D()) {
        const TRect r(ChartRect.Left, ChartRect.Top, ChartRect.Right + 1, ChartRect.Bottom + 1);
        if (wall->Transparency() > 0) blend = canvas->BeginBlending(r, wall->Transparency());
        if (wall->HasGradient() && !wall->Transparent()) {
            wall->GradientIfAny()->Draw(canvas, r);
            canvas->Brush()->SetStyle(bsClear);
        }
        canvas->Rectangle(r);
    } else {
        TRect r = ChartRect;
        if (wall->Size() >= 1)
            r = {ChartRect.Left - CalcWallSize(LeftAxis), ChartRect.Top, ChartRect.Right,
                 ChartRect.Bottom + CalcWallSize(BottomAxis)};
        if (wall->Transparency() > 0)
            blend = canvas->BeginBlending(canvas->RectFromRectZ(r, DepthWidth), wall->Transparency());
        if (!wall->Transparent() && wall->HasGradient()) {
            wall->GradientIfAny()->Draw(canvas, canvas->FourPointsFromRect(r, DepthWidth), DepthWidth);
            canvas->Brush()->SetStyle(bsClear);
        }
        if (wall->Size() < 1) {
            canvas->RectangleWithZ(r, DepthWidth);
        } else {
            const int size = DepthWidth < 0 ? -wall->Size() : wall->Size();
            canvas->Cube(r, DepthWidth, DepthWidth + size, wall->ApplyDark3D());
        }
    }
    if (HasBackImage() && BackImageInside()) {
        TRect r = ChartRect;
        if (wall->Pen()->Visible()) {
            ++r.Left;
            ++r.Top;
        }
        DrawBitmap(r, DepthWidth);
    }
    if (blend) canvas->EndBlending(blend);
}

void TCustomChart::DrawLeftWall() {
    TChartWall* wall = LeftWall();
    const int bottom = ChartRect.Bottom + CalcWallSize(BottomAxis);
    PrepareWallCanvas(wall);
    TPlotBlend* blend = wall->TryDrawWall(ChartRect.Left, bottom);
    if (wall->Size() == 0)
        InternalCanvas->RectangleZ(ChartRect.Left, ChartRect.Top, bottom, 0, DepthWidth);
    else
        InternalCanvas->Cube(ChartRect.Left - wall->Size(), ChartRect.Left, ChartRect.Top, bottom,
                             0, DepthWidth, wall->ApplyDark3D());
    if (blend) InternalCanvas->EndBlending(blend);
}

void TCustomChart::DrawRightWall() {
    TChartRightWall* wall = RightWall();
    const int bottom = ChartRect.Bottom + CalcWallSize(BottomAxis);
    PrepareWallCanvas(wall);
    TPlotBlend* blend = wall->TryDrawWall(ChartRect.Right, bottom);
    if (wall->Size() == 0) {
        InternalCanvas->RectangleZ(ChartRect.Right, ChartRect.Top, bottom, 0, DepthWidth + 1);
    } else {
        const int depth = DepthWidth + (BackWall()->Visible() ? BackWall()->Size() : 0);
        InternalCanvas->Cube(ChartRect.Right, ChartRect.Right + wall->Size(), ChartRect.Top,
                             bottom, 0, depth, wall->ApplyDark3D());
    }
    if (blend) InternalCanvas->EndBlending(blend);
}

void TCustomChart::DrawBottomWall() {
    TChartWall* wall = BottomWall();
    PrepareWallCanvas(wall);
    int left = ChartRect.Left;
    if (LeftWall()->Visible() && (!LeftWall()->AutoHide() || DrawLeftWallFirst()))
        left -= CalcWallSize(LeftAxis);
    int y = ChartRect.Bottom;
    if (InternalCanvas->GetSupportsFullRotation()) ++y;
    TPlotBlend* blend = nullptr;
    if (!wall->Transparent() && wall->Transparency() > 0)
        blend = InternalCanvas->BeginBlending(
            InternalCanvas->RectFromRectZ(Rect(left, y, ChartRect.Right, y + 1), 0),
            wall->Transparency());
    if (wall->Size() == 0)
        InternalCanvas->RectangleY(left, y, ChartRect.Right, 0, DepthWidth);
    else
        InternalCanvas->Cube(left, ChartRect.Right, y, y + wall->Size(), 0, DepthWidth,
                             wall->ApplyDark3D());
    if (blend) InternalCanvas->EndBlending(blend);
}

bool TCustomChart::IsFreeSeriesColor(TColor color, bool checkBackground, TChartSeries* series) {
    for (int i = 0; i < SeriesCount(); ++i)
        if (GetSeries(i) != series && GetSeries(i)->SeriesColor() == color) return false;
    return !(checkBackground && (color == Color() || color == BackWall()->Color()));
}

AnsiString TCustomChart::FormattedValueLegend(TChartSeries* series, int valueIndex) {
    if (!series) return AnsiString();
    return legend_->FormattedValue(series, valueIndex);
}

AnsiString TCustomChart::InternalFormattedLegend(TCustomChartLegend* legend, int index) {
    AnsiString text = legend->FormattedLegend(index);
    if (OnGetLegendText) OnGetLegendText(this, legend->ResolvedStyle, index, text);
    return text;
}

// ---------------------------------------------------------------------------------------------
// Zoom and scroll

void TCustomChart::SaveScales(TAllAxisSavedScales& scales) {
    scales.assign(Axes->Count(), TAxisSavedScales());
    for (int i = 0; i < Axes->Count(); ++i) {
        TChartAxis* axis = Axes->Get(i);
        if (axis->IsDepthAxis) continue;
        scales[i] = {axis->Automatic(), axis->AutomaticMinimum(), axis->AutomaticMaximum(),
                     axis->Minimum(), axis->Maximum()};
    }
}

void TCustomChart::RestoreScales(TAllAxisSavedScales& scales) {
    const int count = Min(Axes->Count(), static_cast<int>(scales.size()));
    for (int i = 0; i < count; ++i) {
        TChartAxis* axis = Axes->Get(i);
        if (axis->IsDepthAxis) continue;
        const TAxisSavedScales& saved = scales[i];
        axis->SetAutomatic(saved.Automatic);
        axis->SetAutomaticMinimum(saved.AutomaticMinimum);
        axis->SetAutomaticMaximum(saved.AutomaticMaximum);
        axis->InternalSetMinimum(saved.Minimum);
        axis->InternalSetMaximum(saved.Maximum);
    }
    scales.clear();
}

void TCustomChart::ClearSavedScales() {
    SavedScales.clear();
    ScalesSaved = false;
}

void TCustomChart::ZoomRect(const TRect& rect) {
    Zoom()->X0 = rect.Left;
    Zoom()->Y0 = rect.Top;
    Zoom()->X1 = rect.Right;
    Zoom()->Y1 = rect.Bottom;
    CalcZoomPoints();
}

void TCustomChart::CalcZoomPoints() {
    TPlotZoom* zoom = Zoom();
    zoom->Check();
    DoZoom(TopAxis->CalcPosPoint(zoom->X0), TopAxis->CalcPosPoint(zoom->X1),
           BottomAxis->CalcPosPoint(zoom->X0), BottomAxis->CalcPosPoint(zoom->X1),
           LeftAxis->CalcPosPoint(zoom->Y1), LeftAxis->CalcPosPoint(zoom->Y0),
           RightAxis->CalcPosPoint(zoom->Y1), RightAxis->CalcPosPoint(zoom->Y0));
}

void TCustomChart::DoZoom(double topMin, double topMax, double bottomMin, double bottomMax,
                          double leftMin, double leftMax, double rightMin, double rightMax) {
    if (!ScalesSaved) {
        SaveScales(SavedScales);
        ScalesSaved = true;
    }
    struct Target {
        TChartAxis* axis;
        double min, max;
    } targets[] = {{LeftAxis, leftMin, leftMax},
                   {RightAxis, rightMin, rightMax},
                   {TopAxis, topMin, topMax},
                   {BottomAxis, bottomMin, bottomMax}};
    if (Zoom()->Animated) {
        for (int step = 1; step < Zoom()->AnimatedSteps; ++step) {
            for (const Target& t : targets) {
                const double min = t.axis->Minimum(), max = t.axis->Maximum();
                t.axis->SetMinMax(min + (t.min - min) / AnimatedZoomFactor,
                                  max + (t.max - max) / AnimatedZoomFactor);
            }
            Repaint();
        }
    }
    for (const Target& t : targets) t.axis->SetMinMax(t.min, t.max);
    IsZoomed = true;
    if (OnZoom) OnZoom(this);
}

void TCustomChart::ZoomPercent(double percent) {
    double range[4][2];
    TChartAxis* axes[] = {LeftAxis, RightAxis, TopAxis, BottomAxis};
    for (int i = 0; i < 4; ++i) {
        double min = axes[i]->Minimum(), max = axes[i]->Maximum();
        axes[i]->CalcMinMax(min, max);
        const double delta = (max - min) * (percent - 100) * 0.01;
        range[i][0] = min + delta;
        range[i][1] = max - delta;
    }
    DoZoom(range[2][0], range[2][1], range[3][0], range[3][1], range[0][0], range[0][1],
           range[1][0], range[1][1]);
    Invalidate();
}

void TCustomChart::UndoZoom() {
    if (ScalesSaved) {
        RestoreScales(SavedScales);
        ScalesSaved = false;
    }
    TCustomAxisPanel::UndoZoom();
}

void TCustomChart::ScrollVerticalAxes(bool positive) {
    for (int i = 0; i < Axes->Count(); ++i) {
        TChartAxis* axis = Axes->Get(i);
        if (axis->Horizontal() || axis->IsDepthAxis) continue;
        const double delta = (axis->Maximum() - axis->Minimum()) * 3 / 100;
        axis->Scroll(positive ? delta : -delta, false);
    }
}

bool TCustomChart::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    const bool handled = TCustomAxisPanel::DoMouseWheelDown(shift, mousePos);
    if (PlotUseMouseWheel) ScrollVerticalAxes(true);
    return handled;
}

bool TCustomChart::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    const bool handled = TCustomAxisPanel::DoMouseWheelUp(shift, mousePos);
    if (PlotUseMouseWheel) ScrollVerticalAxes(false);
    return handled;
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TCustomChart::BroadcastMouseEvent(TChartMouseEvent event, TMouseButton button,
                                       TShiftState shift, int x, int y) {
    for (int i = 0; i < Tools->Count(); ++i) {
        TPlotCustomTool* tool = Tools->Get(i);
        if (!tool->Active()) continue;
        tool->ChartMouseEvent(event, button, shift, x, y);
        if (MouseHandled) break;
    }
}

void TCustomChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    EnsureScreenLayout();
    TCustomAxisPanel::MouseDown(button, shift, x, y);
    if (MouseHandled || Zoom()->Active || Panning->Active) return;
    MouseHandled = false;
    BroadcastMouseEvent(cmeDown, button, shift, x, y);
    if (!MouseHandled) DispatchClick(button, shift, x, y);
    MouseHandled = false;
}

bool TCustomChart::RunClickHandler(const std::function<void()>& handler) {
    MouseHandled = true;
    handler();
    return MouseHandled;
}

void TCustomChart::DispatchClick(TMouseButton button, TShiftState shift, int x, int y) {
    const TChartClickedPart part = CalcNeedClickedPart(TPoint{x, y}, true);
    bool handled = false;
    bool backgroundRun = false;
    auto background = [&]() {
        backgroundRun = true;
        if (OnClickBackground)
            handled = RunClickHandler([&] { OnClickBackground(this, button, shift, x, y); });
    };
    switch (part.Part) {
        case cpLegend:
            handled = legend_->DoMouseDown(x, y, part.PointIndex);
            if (OnClickLegend)
                handled = RunClickHandler([&] { OnClickLegend(this, button, shift, x, y); });
            break;
        case cpAxis:
            if (OnClickAxis)
                handled =
                    RunClickHandler([&] { OnClickAxis(this, part.Axis, button, shift, x, y); });
            if (!handled) StartZoomOrScroll(button, shift, x, y);
            break;
        case cpSeries: {
            MouseHandled = false;
            const TSeriesClick& click =
                shift.count(ssDouble) ? part.Series->OnDblClick : part.Series->OnClick;
            if (click) click(part.Series, part.PointIndex, button, shift, x, y);
            handled = MouseHandled;
            if (OnClickSeries)
                handled = RunClickHandler([&] {
                    OnClickSeries(this, part.Series, part.PointIndex, button, shift, x, y);
                });
            if (!handled) StartZoomOrScroll(button, shift, x, y);
            break;
        }
        case cpTitle:
        case cpSubTitle:
        case cpFoot:
        case cpSubFoot: {
            TChartTitle* title = part.Part == cpTitle      ? title_
                                 : part.Part == cpSubTitle ? subTitle_
                                 : part.Part == cpFoot     ? foot_
                                                           : subFoot_;
            if (OnClickTitle)
                handled = RunClickHandler([&] { OnClickTitle(this, title, button, shift, x, y); });
            if (!handled) StartZoomOrScroll(button, shift, x, y);
            break;
        }
        case cpChartRect:
            background();
            if (!handled) StartZoomOrScroll(button, shift, x, y);
            break;
        default:
            break;
    }
    // The background hears of a click once.
    if (!handled && !backgroundRun) background();
}

void TCustomChart::StartZoomOrScroll(TMouseButton button, TShiftState shift, int x, int y) {
    if (!ActiveSeriesUseAxis()) return;
    bool started = false;
    TPlotZoom* zoom = Zoom();
    if (zoom->Allow && button == zoom->MouseButton && ShiftHolds(shift, zoom->KeyShift)) {
        const int x0 = zoom->Direction == tzdVertical ? ChartRect.Left : x;
        const int y0 = zoom->Direction == tzdHorizontal ? ChartRect.Top : y;
        zoom->Activate(x0, y0);
        if (zoom->Direction == tzdVertical) zoom->X1 = ChartRect.Right;
        if (zoom->Direction == tzdHorizontal) zoom->Y1 = ChartRect.Bottom;
        DrawZoomRectangle();
        started = true;
    }
    if (AllowPanning() != pmNone && button == ScrollMouseButton &&
        ShiftHolds(shift, PlotScrollKeyShift)) {
        Panning->Activate(x, y);
        started = true;
    }
    if (started) SetCursor(SavedCursor);
}

void TCustomChart::MouseMove(TShiftState shift, int x, int y) {
    TCustomAxisPanel::MouseMove(shift, x, y);
    if (!InState(csDesigning)) BroadcastMouseEvent(cmeMove, mbLeft, shift, x, y);
    if (MouseHandled) return;
    if (Zoom()->Active)
        DragZoom(x, y);
    else if (Panning->Active)
        DragScroll(x, y);
    else if (!CheckMouseSeries(x, y))
        SetCursor(SavedCursor);
}

void TCustomChart::DragZoom(int x, int y) {
    TPlotZoom* zoom = Zoom();
    if (zoom->Direction == tzdVertical) x = ChartRect.Right;
    if (zoom->Direction == tzdHorizontal) y = ChartRect.Bottom;
    if (x == zoom->X1 && y == zoom->Y1) return;
    DrawZoomRectangle();
    zoom->X1 = x;
    zoom->Y1 = y;
    DrawZoomRectangle();
}

bool TCustomChart::ScrollAxis(TChartAxis* axis, int from, int to) {
    const double delta = axis->CalcPosPoint(from) - axis->CalcPosPoint(to);
    if (delta == 0) return false;
    double min = axis->Minimum() + delta, max = axis->Maximum() + delta;
    bool allow = true;
    if (OnAllowScroll) OnAllowScroll(axis, min, max, allow);
    if (!allow) return false;
    axis->SetMinMax(min, max);
    return true;
}

void TCustomChart::DragScroll(int x, int y) {
    if (!PointInRect(ChartRect, x, y)) {
        Panning->Active = false;
        return;
    }
    if (x == Panning->X1 && y == Panning->Y1) return;
    if (!ScalesSaved) {
        SaveScales(SavedScales);
        ScalesSaved = true;
    }
    const bool horizontal = AllowPanning() == pmHorizontal || AllowPanning() == pmBoth;
    const bool vertical = AllowPanning() == pmVertical || AllowPanning() == pmBoth;
    bool moved = false;
    for (int i = 0; i < Axes->Count(); ++i) {
        TChartAxis* axis = Axes->Get(i);
        if (axis->IsDepthAxis) continue;
        if (axis->Horizontal() && horizontal && x != Panning->X1)
            moved = ScrollAxis(axis, Panning->X1, x) || moved;
        else if (!axis->Horizontal() && vertical && y != Panning->Y1)
            moved = ScrollAxis(axis, Panning->Y1, y) || moved;
    }
    Panning->X1 = x;
    Panning->Y1 = y;
    if (!moved) return;
    if (OnScroll) OnScroll(this);
    Invalidate();
}

void TCustomChart::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    MouseHandled = false;
    TCustomAxisPanel::MouseUp(button, shift, x, y);
    TPlotZoom* zoom = Zoom();
    if (zoom->Active && button == zoom->MouseButton) {
        zoom->Active = false;
        DrawZoomRectangle();
        InternalCanvas->Pen()->SetMode(pmCopy);
        if (zoom->Direction != tzdVertical) zoom->X1 = x;
        if (zoom->Direction != tzdHorizontal) zoom->Y1 = y;
        const bool wide = zoom->Direction == tzdVertical ||
                          std::abs(zoom->X1 - zoom->X0) > zoom->MinimumPixels;
        const bool tall = zoom->Direction == tzdHorizontal ||
                          std::abs(zoom->Y1 - zoom->Y0) > zoom->MinimumPixels;
        if (wide && tall) {
            const bool forward =
                zoom->Direction == tzdVertical ? zoom->Y1 > zoom->Y0 : zoom->X1 > zoom->X0;
            if (zoom->UpLeftZooms || forward)
                CalcZoomPoints();
            else
                UndoZoom();
        }
        Invalidate();
    }
    Panning->Active = false;
    BroadcastMouseEvent(cmeUp, button, shift, x, y);
}

// ---------------------------------------------------------------------------------------------
// Hit tests

TChartClickedPart TCustomChart::CalcNeedClickedPart(const TPoint& p, bool onlyWithHandlers) {
    TChartClickedPart part;
    auto legendHit = [&](bool custom) {
        if (!legend_->Visible() || legend_->CustomPosition() != custom) return false;
        part.PointIndex = legend_->Clicked(p.X, p.Y);
        if (part.PointIndex == -1) return false;
        part.Part = cpLegend;
        return true;
    };
    if (legendHit(true)) return part;
    for (int i = SeriesCount() - 1; i >= 0; --i) {
        TChartSeries* series = GetSeries(i);
        if (!series->Active()) continue;
        if (onlyWithHandlers && !series->OnClick && !series->OnDblClick && !OnClickSeries)
            continue;
        int index = series->Clicked(p.X, p.Y);
        if (index != -1) return {cpSeries, index, series, nullptr};
        if (series->Marks()->Visible() && (index = series->Marks()->Clicked(p.X, p.Y)) != -1)
            return {cpSeriesMarks, index, series, nullptr};
    }
    for (int i = 0; i < Axes->Count(); ++i)
        if (Axes->Get(i)->Clicked(p.X, p.Y)) return {cpAxis, -1, nullptr, Axes->Get(i)};
    if (legendHit(false)) return part;
    const std::pair<TChartTitle*, TChartClickedPartStyle> titles[] = {
        {title_, cpTitle}, {subTitle_, cpSubTitle}, {foot_, cpFoot}, {subFoot_, cpSubFoot}};
    for (const auto& [title, style] : titles)
        if (title->Clicked(p.X, p.Y)) return {style, -1, nullptr, nullptr};
    if (PointInRect(ChartRect, p.X, p.Y) && CountActiveSeries() > 0) part.Part = cpChartRect;
    return part;
}

// ---------------------------------------------------------------------------------------------
// Series and pages

AnsiString TCustomChart::AxisTitleOrName(TChartAxis* axis) {
    const AnsiString caption = axis->Title()->Caption();
    if (!caption.IsEmpty()) return caption;
    if (axis == DepthAxis) return PlotMsg_DepthAxis;
    if (axis == DepthTopAxis) return PlotMsg_DepthTopAxis;
    if (axis->Horizontal()) return axis->OtherSide() ? PlotMsg_TopAxis : PlotMsg_BottomAxis;
    return axis->OtherSide() ? PlotMsg_RightAxis : PlotMsg_LeftAxis;
}

TChartSeries* TCustomChart::GetASeries() {
    for (int i = 0; i < SeriesCount(); ++i)
        if (GetSeries(i)->Active()) return GetSeries(i);
    return nullptr;
}

void TCustomChart::SeriesUp(TChartSeries* series) {
    const int index = SeriesList->IndexOf(series);
    if (index >= 1) ExchangeSeries(index, index - 1);
}

void TCustomChart::SeriesDown(TChartSeries* series) {
    const int index = SeriesList->IndexOf(series);
    if (index >= 0 && index < SeriesCount() - 1) ExchangeSeries(index, index + 1);
}

void TCustomChart::NextPage() {
    if (MaxPointsPerPage() > 0 && Page() < NumPages()) SetPage(Page() + 1);
}

void TCustomChart::PreviousPage() {
    if (MaxPointsPerPage() > 0 && Page() > 1) SetPage(Page() - 1);
}

void TCustomChart::RemoveAllSeries() {
    while (SeriesCount() > 0) RemoveSeries(0);
}

void TCustomChart::GetChildren(const TGetChildProc& proc, TComponent* root) {
    TCustomAxisPanel::GetChildren(proc, root);
    for (int i = 0; i < Tools->Count(); ++i) proc(Tools->Get(i));
}
