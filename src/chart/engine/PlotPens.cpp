#include "PlotPens.h"

#include "PlotPublished.h"

TChartPen::TChartPen(const TNotifyEvent& onChange) { OnChange = onChange; }

void TChartPen::Assign(TPersistent* source) {
    if (auto* pen = dynamic_cast<TChartPen*>(source)) {
        visible_ = pen->visible_;
        smallDots_ = pen->smallDots_;
        endStyle_ = pen->endStyle_;
    }
    TPen::Assign(source);
}

void TChartPen::SetEndStyle(TPenEndStyle value) {
    if (value == endStyle_) return;
    endStyle_ = value;
    Changed();
}

void TChartPen::SetSmallDots(bool value) {
    if (value == smallDots_) return;
    smallDots_ = value;
    Changed();
}

void TChartPen::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    Changed();
}

TChartHiddenPen::TChartHiddenPen(const TNotifyEvent& onChange) : TChartPen(onChange) {
    InitVisible(false);
    DefaultVisible = false;
}

TDottedGrayPen::TDottedGrayPen(const TNotifyEvent& onChange) : TChartPen() {
    SetColor(clGray);
    SetStyle(psDot);
    OnChange = onChange;
}

TDarkGrayPen::TDarkGrayPen(const TNotifyEvent& onChange) : TChartPen() {
    SetColor(clGray);
    OnChange = onChange;
}

TWhitePen::TWhitePen(const TNotifyEvent& onChange) : TChartPen() {
    SetColor(clWhite);
    OnChange = onChange;
}

TChartBrush::TChartBrush(const TNotifyEvent& onChange) {
    SetColor(clDefault);
    OnChange = onChange;
}

TChartBrush::~TChartBrush() {
    TObject::Free(image_);
    TObject::Free(pattern_);
}

void TChartBrush::Assign(TPersistent* source) {
    if (auto* brush = dynamic_cast<TChartBrush*>(source)) {
        if (brush->image_)
            GetImage()->Assign(brush->image_);
        else if (image_)
            image_->SetGraphic(nullptr);
    }
    TBrush::Assign(source);
}

TPicture* TChartBrush::GetImage() {
    if (!image_) {
        image_ = new TPicture;
        image_->OnChange = [this](TObject* sender) { ImageChanged(sender); };
    }
    return image_;
}

void TChartBrush::ImageChanged(TObject*) {
    FreeAndNil(pattern_);
    Changed();
}

TBitmap* TChartBrush::ImageBitmap() {
    TGraphic* graphic = image_ ? image_->Graphic() : nullptr;
    if (!graphic || graphic->Empty()) return nullptr;
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) return bitmap;
    if (!pattern_) {
        pattern_ = new TBitmap;
        pattern_->SetSize(graphic->Width(), graphic->Height());
        pattern_->Canvas()->Draw(0, 0, graphic);
    }
    return pattern_;
}

void TChartBrush::SetImage(TPicture* picture) {
    if (picture)
        GetImage()->Assign(picture);
    else
        FreeAndNil(image_);
    FreeAndNil(pattern_);
    Changed();
}

void TChartBrush::Clear() {
    SetStyle(bsClear);
    SetImage(nullptr);
}

namespace {

// The pens' and the brush's published properties, for the component streams.
const bool penPropertiesRegistered = [] {
    PublishChartPen(TChartPen::StaticClass(), clBlack, psSolid, 1);
    PublishChartPen(TDottedGrayPen::StaticClass(), clGray, psDot, 1);
    PublishChartPen(TDarkGrayPen::StaticClass(), clGray, psSolid, 1);
    PublishChartPen(TWhitePen::StaticClass(), clWhite, psSolid, 1);
    const TMetaClass* brush = TChartBrush::StaticClass();
    RegisterProperty(brush, OrdinalProperty<TBrush>("Color", pkColor, &TBrush::Color,
                                                    &TBrush::SetColor, clDefault));
    RegisterProperty(brush, EnumProperty<TBrush>("Style", &TBrush::Style, &TBrush::SetStyle,
                                                 kBrushStyleNames, bsSolid));
    return true;
}();

}  // namespace
