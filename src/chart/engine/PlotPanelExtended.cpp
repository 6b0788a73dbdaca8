#include "PlotPanelExtended.h"

#include <algorithm>
#include <iterator>

#include "PlotProcs.h"
#include "PlotPublished.h"
#include "cl_filer.h"

TPlotZoomBrush::TPlotZoomBrush() {
    SetColor(clWhite);
    SetStyle(bsClear);
}

TPlotZoomPen::TPlotZoomPen() { SetColor(clWhite); }

// ---------------------------------------------------------------------------------------------
// TPlotZoom

TPlotZoom::~TPlotZoom() {
    TObject::Free(brush_);
    TObject::Free(pen_);
}

void TPlotZoom::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TPlotZoom*>(source);
    if (!other) {
        TZoomPanning::Assign(source);
        return;
    }
    Allow = other->Allow;
    Animated = other->Animated;
    AnimatedSteps = other->AnimatedSteps;
    SetBrush(other->brush_);
    Direction = other->Direction;
    KeyShift = other->KeyShift;
    MouseButton = other->MouseButton;
    SetPen(other->pen_);
}

TPlotZoomBrush* TPlotZoom::GetBrush() {
    if (!brush_) brush_ = new TPlotZoomBrush;
    return brush_;
}

void TPlotZoom::SetBrush(TChartBrush* brush) {
    if (brush)
        GetBrush()->Assign(brush);
    else
        FreeAndNil(brush_);
}

TPlotZoomPen* TPlotZoom::GetPen() {
    if (!pen_) pen_ = new TPlotZoomPen;
    return pen_;
}

void TPlotZoom::SetPen(TChartPen* pen) {
    if (pen)
        GetPen()->Assign(pen);
    else
        FreeAndNil(pen_);
}

// ---------------------------------------------------------------------------------------------
// TBackImage

void TBackImage::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TBackImage*>(source)) {
        inside_ = other->inside_;
        left_ = other->left_;
        mode_ = other->mode_;
        top_ = other->top_;
    }
    TPicture::Assign(source);
}

void TBackImage::SetInside(bool value) {
    inside_ = value;
    Changed(this);
}

void TBackImage::SetLeft(int value) {
    left_ = value;
    Changed(this);
}

void TBackImage::SetTop(int value) {
    top_ = value;
    Changed(this);
}

void TBackImage::SetMode(TPlotBackImageMode value) {
    mode_ = value;
    Changed(this);
}

// ---------------------------------------------------------------------------------------------
// TCustomPlotPanelExtended

TCustomPlotPanelExtended::TCustomPlotPanelExtended(TComponent* owner)
    : TCustomPlotPanel(owner), zoom_(new TPlotZoom) {}

TCustomPlotPanelExtended::~TCustomPlotPanelExtended() = default;

void TCustomPlotPanelExtended::BeforeDestruction() {
    TCustomPlotPanel::BeforeDestruction();
    FreeAndNil(zoom_);
    FreeAndNil(gradient_);
    FreeAndNil(backImage_);
}

void TCustomPlotPanelExtended::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomPlotPanelExtended*>(source)) {
        SetBackImage(other->backImage_);
        SetGradient(other->gradient_);
        allowPanning_ = other->allowPanning_;
        zoom_->Assign(other->zoom_);
    }
    TCustomPlotPanel::Assign(source);
}

bool TCustomPlotPanelExtended::HasBackImage() const {
    return backImage_ && backImage_->Graphic() && !backImage_->Graphic()->Empty();
}

TBackImage* TCustomPlotPanelExtended::GetBackImage() {
    if (!backImage_) {
        backImage_ = new TBackImage;
        backImage_->OnChange = [this](TObject* sender) { CanvasChanged(sender); };
    }
    return backImage_;
}

void TCustomPlotPanelExtended::SetBackImage(TPicture* picture) {
    if (picture)
        GetBackImage()->Assign(picture);
    else
        FreeAndNil(backImage_);
}

bool TCustomPlotPanelExtended::BackImageTransp() const {
    return HasBackImage() && backImage_->Graphic()->Transparent();
}

void TCustomPlotPanelExtended::SetBackImageTransp(bool value) {
    if (HasBackImage()) backImage_->Graphic()->SetTransparent(value);
}

TPlotGradient* TCustomPlotPanelExtended::GetGradient() {
    if (!gradient_) gradient_ = new TPlotGradient([this](TObject* s) { CanvasChanged(s); });
    return gradient_;
}

void TCustomPlotPanelExtended::SetGradient(TCustomPlotGradient* gradient) {
    if (gradient)
        GetGradient()->Assign(gradient);
    else
        FreeAndNil(gradient_);
}

HPALETTE TCustomPlotPanelExtended::GetPalette() {
    if (backImage_ && dynamic_cast<TBitmap*>(backImage_->Graphic()))
        return backImage_->Graphic()->Palette();
    return nullptr;
}

void TCustomPlotPanelExtended::UndoZoom() {
    if (OnUndoZoom) OnUndoZoom(this);
    Invalidate();
    IsZoomed = false;
}

void TCustomPlotPanelExtended::FillPanelRect(const TRect& rect) {
    TPlotCanvas3D* canvas = InternalCanvas;
    canvas->FrontPlaneBegin();
    if (gradient_ && gradient_->Visible()) {
        gradient_->Draw(canvas, rect, 0);
    } else if (!(IsPrinting && !PrintPlotPanel) && Color() != clNone) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->EraseBackground(rect);
    }
    canvas->FrontPlaneEnd();
}

void TCustomPlotPanelExtended::PanelPaint(TRect rect) {
    TPlotCanvas3D* canvas = InternalCanvas;
    struct FrontPlane {
        TPlotCanvas3D* canvas;
        explicit FrontPlane(TPlotCanvas3D* c) : canvas(c) { canvas->FrontPlaneBegin(); }
        ~FrontPlane() { canvas->FrontPlaneEnd(); }
    } frontPlane(canvas);
    if (Shadow()->GetSize() > 0) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Parent() ? Parent()->Color() : Color());
        canvas->EraseBackground(rect);
        rect.Right -= Shadow()->HorizSize();
        rect.Bottom -= Shadow()->VertSize();
        Shadow()->Draw(canvas, rect);
    }
    FillPanelRect(rect);
    if (HasBackImage() && !backImage_->Inside()) DrawBitmap(rect, 0);
    DrawPanelBevels(rect);
}

void TCustomPlotPanelExtended::DrawBitmap(TRect r, int z) {
    if (!HasBackImage()) return;
    TPlotCanvas3D* canvas = InternalCanvas;
    TGraphic* graphic = backImage_->Graphic();
    const bool orthogonal = View3DOptions()->Orthogonal();
    auto project = [&]() {
        r = canvas->CalcRect3D(r, z);
        if (!View3D()) ++r.Top;
    };
    if (backImage_->Mode() == pbmStretch) {
        if (z > 0 && orthogonal) {
            project();
            canvas->StretchDraw(r, graphic);
        } else if (z > 0) {
            canvas->StretchDraw(r, graphic, z);
        } else {
            canvas->StretchDraw(r, graphic);
        }
        return;
    }
    const bool clip = CanClip();
    if (clip) {
        if (z == 0)
            canvas->ClipRectangle(r);
        else
            canvas->ClipCube(r, 0, DepthWidth);
    }
    if (z > 0 && orthogonal) project();
    const bool inDepth = z > 0 && !orthogonal;
    const int w = r.Width(), h = r.Height();
    const int pw = graphic->Width(), ph = graphic->Height();
    if (backImage_->Mode() == pbmTile) {
        if (pw > 0 && ph > 0)
            for (int y = 0; y < h; y += ph)
                for (int x = 0; x < w; x += pw) {
                    if (inDepth)
                        canvas->StretchDraw(Bounds(r.Left + x, r.Top + y, pw, ph), graphic, z);
                    else
                        canvas->Draw(r.Left + x, r.Top + y, graphic);
                }
    } else {
        FillPanelRect(r);
        if (backImage_->Mode() == pbmCustom) {
            r.Left += backImage_->Left();
            r.Top += backImage_->Top();
            r.Right = r.Left + pw;
            r.Bottom = r.Top + ph;
        } else {
            const int dx = (pw - w) / 2, dy = (ph - h) / 2;
            r = {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
        }
        if (inDepth)
            canvas->StretchDraw(r, graphic, z);
        else
            canvas->Draw(r.Left, r.Top, graphic);
    }
    if (clip) canvas->UnClipRectangle();
}

void TCustomPlotPanelExtended::DrawZoomRectangle() {
    TPlotCanvas3D* canvas = InternalCanvas;
    const TColor back = ColorToRGB(GetBackColor());
    const TColor invert = 0xFFFFFF - back;
    TPlotZoomBrush* brush = zoom_->BrushIfAny();
    if (brush)
        SetBrushCanvas(ColorToRGB(brush->Color()) ^ invert, brush, back);
    else
        canvas->Brush()->SetStyle(bsClear);
    TPlotZoomPen* pen = zoom_->GetPen();
    pen->SetMode(pmNotXor);
    canvas->AssignVisiblePenColor(pen, ColorToRGB(pen->Color()) ^ invert);
    if (!brush || brush->Style() == bsClear) canvas->SetBackMode(cbmTransparent);
    canvas->Rectangle(zoom_->X0, zoom_->Y0, zoom_->X1, zoom_->Y1);
}

// ---------------------------------------------------------------------------------------------
// Streaming

void TCustomPlotPanelExtended::DefineProperties(TFiler* filer) {
    TCustomPlotPanel::DefineProperties(filer);
    filer->DefineProperty(
        "AllowZoom", [this](TReader* reader) { SetAllowZoom(reader->ReadBoolean()); }, nullptr,
        false);
    filer->DefineProperty(
        "AnimatedZoom", [this](TReader* reader) { SetAnimatedZoom(reader->ReadBoolean()); },
        nullptr, false);
    filer->DefineProperty(
        "AnimatedZoomSteps",
        [this](TReader* reader) { SetAnimatedZoomSteps(reader->ReadInteger()); }, nullptr, false);
    const bool defaultMargins = std::all_of(std::begin(PrintMargins), std::end(PrintMargins),
                                            [](int margin) { return margin == 15; });
    filer->DefineProperty(
        "PrintMargins",
        [this](TReader* reader) {
            int margins[4];
            reader->ReadListBegin();
            for (int& margin : margins) margin = reader->ReadInteger();
            reader->ReadListEnd();
            std::copy(std::begin(margins), std::end(margins), PrintMargins);
        },
        [this](TWriter* writer) {
            writer->WriteListBegin();
            for (int margin : PrintMargins) writer->WriteInteger(margin);
            writer->WriteListEnd();
        },
        !defaultMargins);
}

namespace {

// The published properties of the zoom settings, the back image and the extended panel, for
// the component streams.
const bool extendedPanelPropertiesRegistered = [] {
    PublishChartPen(TPlotZoomPen::StaticClass(), clWhite, psSolid, 1);
    const TMetaClass* zoomBrush = TPlotZoomBrush::StaticClass();
    RegisterProperty(zoomBrush, OrdinalProperty<TBrush>("Color", pkColor, &TBrush::Color,
                                                        &TBrush::SetColor, clWhite));
    RegisterProperty(zoomBrush, EnumProperty<TBrush>("Style", &TBrush::Style, &TBrush::SetStyle,
                                                     kBrushStyleNames, bsClear));

    using Z = TPlotZoom;
    const TMetaClass* zoom = Z::StaticClass();
    RegisterProperty(zoom, FieldProperty("Allow", pkBool, &Z::Allow, 1));
    RegisterProperty(zoom, FieldProperty("Animated", pkBool, &Z::Animated, 0));
    RegisterProperty(zoom, FieldProperty("AnimatedSteps", pkInteger, &Z::AnimatedSteps, 8));
    RegisterProperty(zoom, LazySubObjectProperty<Z>(
                               "Brush", [](Z* z) { return z->GetBrush(); },
                               [](Z* z) { return z->BrushIfAny() != nullptr; }));
    RegisterProperty(zoom, EnumFieldProperty("Direction", &Z::Direction,
                                             {"tzdHorizontal", "tzdVertical", "tzdBoth"},
                                             tzdBoth));
    TPropertyInfo keyShift;
    keyShift.Name = "KeyShift";
    keyShift.Kind = pkSet;
    const std::vector<AnsiString> shiftNames = {"ssShift", "ssAlt",    "ssCtrl",  "ssLeft",
                                                "ssRight", "ssMiddle", "ssDouble"};
    keyShift.GetText = [shiftNames](TObject* o) {
        AnsiString text;
        for (TShiftStateItem item : static_cast<Z*>(o)->KeyShift)
            text += (text.IsEmpty() ? "" : ",") + shiftNames[item];
        return text;
    };
    keyShift.SetText = [shiftNames](TObject* o, const AnsiString& text) {
        TShiftState state;
        for (size_t i = 0; i < shiftNames.size(); ++i)
            if (("," + text + ",").Pos("," + shiftNames[i] + ",") > 0)
                state.insert(static_cast<TShiftStateItem>(i));
        static_cast<Z*>(o)->KeyShift = state;
    };
    RegisterProperty(zoom, keyShift);
    RegisterProperty(zoom, FieldProperty("MinimumPixels", pkInteger, &Z::MinimumPixels, 16));
    RegisterProperty(zoom, EnumFieldProperty("MouseButton", &Z::MouseButton,
                                             {"mbLeft", "mbRight", "mbMiddle"}, mbLeft));
    RegisterProperty(zoom, LazySubObjectProperty<Z>(
                               "Pen", [](Z* z) { return z->GetPen(); },
                               [](Z* z) { return z->PenIfAny() != nullptr; }));
    RegisterProperty(zoom, FieldProperty("UpLeftZooms", pkBool, &Z::UpLeftZooms, 0));

    using P = TCustomPlotPanelExtended;
    const TMetaClass* panel = P::StaticClass();
    RegisterProperty(panel, EnumProperty<P>("AllowPanning", &P::AllowPanning, &P::SetAllowPanning,
                                            {"pmNone", "pmHorizontal", "pmVertical", "pmBoth"},
                                            pmBoth));
    const auto hasBackImage = [](P* p) { return p->BackImageIfAny() != nullptr; };
    RegisterProperty(panel, StoredWhen<P>(OrdinalProperty<P>("BackImageInside", pkBool,
                                                             &P::BackImageInside,
                                                             &P::SetBackImageInside, 0),
                                          hasBackImage));
    RegisterProperty(panel, StoredWhen<P>(EnumProperty<P>("BackImageMode", &P::BackImageMode,
                                                          &P::SetBackImageMode,
                                                          {"pbmStretch", "pbmTile", "pbmCenter",
                                                           "pbmCustom"},
                                                          pbmStretch),
                                          hasBackImage));
    RegisterProperty(panel, OrdinalProperty<P>("BackImageTransp", pkBool, &P::BackImageTransp,
                                               &P::SetBackImageTransp, 0));
    RegisterProperty(panel, LazySubObjectProperty<P>(
                                "Gradient", [](P* p) { return p->GetGradient(); },
                                [](P* p) { return p->GradientIfAny() != nullptr; }));
    RegisterProperty(panel, SubObjectProperty<P>("Zoom", &P::Zoom));
    return true;
}();

}  // namespace
