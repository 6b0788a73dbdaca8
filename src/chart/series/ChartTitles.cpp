// The chart's text blocks and walls.
#include "ChartTitles.h"

#include "Chart.h"
#include "PlotBlend.h"
#include "PlotGeometry.h"

// Gap between a title block and the chart rectangle.
int PlotTitleFootDistance = 5;

// ---------------------------------------------------------------------------------------------
// TPlotCustomShapePosition

void TPlotCustomShapePosition::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPlotCustomShapePosition*>(source)) {
        SetCustomPosition(other->customPosition_);
        if (customPosition_) {
            SetLeft(other->GetLeft());
            SetTop(other->GetTop());
        }
    }
    TPlotCustomShape::Assign(source);
}

void TPlotCustomShapePosition::SetCustomPosition(bool value) {
    if (customPosition_ == value) return;
    customPosition_ = value;
    Repaint();
}

void TPlotCustomShapePosition::SetLeft(int value) {
    customPosition_ = true;
    if (Parent()) Parent()->SetIntegerProperty(ShapeBounds.Left, value);
    else ShapeBounds.Left = value;
}

void TPlotCustomShapePosition::SetTop(int value) {
    customPosition_ = true;
    if (Parent()) Parent()->SetIntegerProperty(ShapeBounds.Top, value);
    else ShapeBounds.Top = value;
}

// ---------------------------------------------------------------------------------------------
// TChartTitle

TChartTitle::TChartTitle(TCustomPlotPanel* parent)
    : TPlotCustomShapePosition(parent), text_(new TStringList) {
    text_->OnChange = [this](TObject*) { Repaint(); };
    SetTransparent(true);
    TransparentDefault = true;
    Font()->SetColor(clBlue);
}

TChartTitle::~TChartTitle() { delete text_; }

void TChartTitle::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TChartTitle*>(source)) {
        adjustFrame_ = other->adjustFrame_;
        alignment_ = other->alignment_;
        text_->Assign(other->text_);
    }
    TPlotCustomShapePosition::Assign(source);
}

AnsiString TChartTitle::Caption() const {
    return text_->Count() > 0 ? text_->Strings(0) : AnsiString();
}

void TChartTitle::SetCaption(const AnsiString& value) {
    text_->BeginUpdate();
    text_->Clear();
    if (!value.IsEmpty()) text_->Add(value);
    text_->EndUpdate();
}

void TChartTitle::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Repaint();
}

void TChartTitle::SetAdjustFrame(bool value) {
    if (Parent()) Parent()->SetBooleanProperty(adjustFrame_, value);
    else adjustFrame_ = value;
}

bool TChartTitle::Clicked(int x, int y) const {
    return Visible() && PointInRect(ShapeBounds, x, y);
}

TCustomChart* TChartTitle::Chart() const { return static_cast<TCustomChart*>(Parent()); }

int TChartTitle::FrameWidth() {
    if (Bevel() != bvNone) return BevelWidth();
    return Pen()->Visible() && Pen()->Color() != clDefault ? Pen()->Width() : 0;
}

void TChartTitle::DrawTitle() {
    const int lines = text_->Count();
    if (!Visible() || lines == 0) return;
    TCustomChart* chart = Chart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const int frame = FrameWidth();
    TRect& r = ShapeBounds;
    const bool custom = CustomPosition();
    if (!custom) {
        r = chart->ChartRect;
        if (titleOnTop_) r.Top += frame;
    }
    canvas->AssignFont(Font());
    canvas->SetTextAlign(TA_LEFT);
    const int fontHeight = canvas->FontHeight();
    if (titleOnTop_ || custom)
        r.Bottom = r.Top + lines * fontHeight;
    else
        r.Top = r.Bottom - lines * fontHeight;
    if (!custom) r = {r.Left - frame, r.Top - frame, r.Right + frame, r.Bottom + frame};
    const int wideW = canvas->TextWidth("W");
    if (adjustFrame_) {
        int widest = 0;
        for (int i = 0; i < lines; ++i) widest = Max(widest, canvas->TextWidth(text_->Strings(i)));
        const int a = wideW + frame + widest;
        if (alignment_ == taLeftJustify) {
            r.Right = r.Left + a;
        } else if (alignment_ == taRightJustify) {
            r.Left = r.Right - a;
        } else {
            if (custom) r.Right = r.Left + a;
            const int centre = (r.Left + r.Right) / 2;
            r.Left = centre - a / 2;
            r.Right = centre + a / 2;
        }
    }
    Draw();
    DrawLines(frame, fontHeight, wideW);
    if (custom) return;
    int distance = PlotTitleFootDistance + frame;
    if (!Transparent() && Shadow()) distance += Shadow()->VertSize();
    if (titleOnTop_)
        chart->ChartRect.Top = r.Bottom + distance;
    else
        chart->ChartRect.Bottom = r.Bottom - distance - lines * fontHeight;
    chart->ReCalcWidthHeight();
}

void TChartTitle::DrawLines(int frame, int fontHeight, int wideW) {
    TPlotCanvas3D* canvas = Chart()->InternalCanvas;
    const TRect& r = ShapeBounds;
    canvas->SetBackMode(cbmTransparent);
    auto y = [&](int p) { return titleOnTop_ ? r.Top + p : r.Bottom - fontHeight - p; };
    if (TextFormat() == ttfHtml) {
        canvas->TextOut(r.Left + wideW / 2, y(frame), text_->Text(), true);
        return;
    }
    for (int i = 0; i < text_->Count(); ++i) {
        const AnsiString line = text_->Strings(i);
        int x;
        if (alignment_ == taLeftJustify)
            x = r.Left + wideW / 2;
        else if (alignment_ == taRightJustify)
            x = r.Right - canvas->TextWidth(line) - wideW / 2;
        else
            x = (r.Left + r.Right) / 2 - canvas->TextWidth(line) / 2;
        canvas->TextOut(x, y(i * fontHeight + frame), line);
    }
}

TChartFootTitle::TChartFootTitle(TCustomPlotPanel* parent) : TChartTitle(parent) {
    titleOnTop_ = false;
    Font()->SetColor(clRed);
    Font()->SetStyle({fsItalic});
}

// ---------------------------------------------------------------------------------------------
// Walls

TCustomChartWall::TCustomChartWall(TCustomPlotPanel* parent) : TPlotCustomShape(parent) {}

TCustomChart* TCustomChartWall::Chart() const { return static_cast<TCustomChart*>(Parent()); }

void TCustomChartWall::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomChartWall*>(source)) {
        autoHide_ = other->autoHide_;
        dark3D_ = other->dark3D_;
        size_ = other->size_;
    }
    TPlotCustomShape::Assign(source);
}

void TCustomChartWall::SetAutoHide(bool value) { Parent()->SetBooleanProperty(autoHide_, value); }
void TCustomChartWall::SetDark3D(bool value) { Parent()->SetBooleanProperty(dark3D_, value); }
void TCustomChartWall::SetSize(int value) { Parent()->SetIntegerProperty(size_, value); }

void TCustomChartWall::InitColor(TColor color) {
    SetColor(color);
    defaultColor_ = color;
}

bool TCustomChartWall::ApplyDark3D() {
    return dark3D_ && Brush()->Style() != bsClear && !Brush()->ImageIfAny();
}

bool TCustomChartWall::HasGradient() const {
    return GradientIfAny() && GradientIfAny()->Visible();
}

bool TCustomChartWall::ShouldDraw() {
    return Chart()->View3DWalls() && Visible() && !autoHide_;
}

TPlotBlend* TCustomChartWall::TryDrawWall(int x, int bottom) {
    if (Transparent()) return nullptr;
    TCustomChart* chart = Chart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const int top = chart->ChartRect.Top;
    const TFourPoints corners = {canvas->Calculate3DPosition(x, top, 0),
                                 canvas->Calculate3DPosition(x, top, chart->DepthWidth),
                                 canvas->Calculate3DPosition(x, bottom, chart->DepthWidth),
                                 canvas->Calculate3DPosition(x, bottom, 0)};
    TPlotBlend* blend = nullptr;
    if (Transparency() > 0)
        blend = canvas->BeginBlending(RectFromPolygon(corners.data(), 4), Transparency());
    if (HasGradient()) {
        TFourPoints points = corners;
        GradientIfAny()->Draw(canvas, points);
        canvas->Brush()->SetStyle(bsClear);
    }
    return blend;
}

TChartBackWall::TChartBackWall(TCustomPlotPanel* parent) : TChartWall(parent) {
    InitColor(clSilver);
    SetTransparent(true);
    TransparentDefault = true;
}

TChartRightWall::TChartRightWall(TCustomPlotPanel* parent) : TChartWall(parent) {
    InitColor(clSilver);
    SetVisible(false);
}

TChartWalls::TChartWalls(TCustomChart* chart)
    : Back(new TChartBackWall(chart)),
      Bottom(new TChartWall(chart)),
      Left(new TChartWall(chart)),
      Right(new TChartRightWall(chart)),
      chart_(chart) {
    Left->InitColor(RGB(255, 255, 128));
    Bottom->InitColor(clWhite);
}

TChartWalls::~TChartWalls() {
    TObject::Free(Back);
    TObject::Free(Bottom);
    TObject::Free(Left);
    TObject::Free(Right);
}

void TChartWalls::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TChartWalls*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    Back->Assign(other->Back);
    Bottom->Assign(other->Bottom);
    Left->Assign(other->Left);
    Right->Assign(other->Right);
}

bool TChartWalls::Visible() const { return chart_->View3DWalls(); }
void TChartWalls::SetVisible(bool value) { chart_->SetView3DWalls(value); }

void TChartWalls::SetSize(int value) {
    for (TCustomChartWall* wall : {static_cast<TCustomChartWall*>(Back),
                                   static_cast<TCustomChartWall*>(Bottom),
                                   static_cast<TCustomChartWall*>(Left),
                                   static_cast<TCustomChartWall*>(Right)})
        wall->SetSize(value);
}
