#include "PlotFont.h"

#include "PlotPublished.h"

#include "PlotSystem.h"

TPlotFont::TPlotFont(const TNotifyEvent& onChange) {
    SetColor(clBlack);
    if (Charset() != DEFAULT_CHARSET) SetCharset(DEFAULT_CHARSET);
    SetName(GetDefaultFontName());
    if (Size() != GetDefaultFontSize()) SetSize(GetDefaultFontSize());
    OnChange = onChange;
}

TPlotFont::~TPlotFont() {
    TObject::Free(outline_);
    TObject::Free(shadow_);
    TObject::Free(gradient_);
}

void TPlotFont::SubObjectChanged(TObject*) {
    if (OnChange) OnChange(this);
}

void TPlotFont::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPlotFont*>(source)) {
        if (other->gradient_)
            GetGradient()->Assign(other->gradient_);
        else
            FreeAndNil(gradient_);
        if (other->outline_)
            GetOutLine()->Assign(other->outline_);
        else
            FreeAndNil(outline_);
        if (other->shadow_)
            GetShadow()->Assign(other->shadow_);
        else
            FreeAndNil(shadow_);
        interCharSize_ = other->interCharSize_;
    }
    TFont::Assign(source);
}

void TPlotFont::SetInterCharSize(int value) {
    if (value == interCharSize_) return;
    interCharSize_ = value;
    if (OnChange) OnChange(this);
}

TChartHiddenPen* TPlotFont::GetOutLine() {
    if (!outline_) outline_ = new TChartHiddenPen([this](TObject* s) { SubObjectChanged(s); });
    return outline_;
}

TPlotShadow* TPlotFont::GetShadow() {
    if (!shadow_) shadow_ = new TPlotShadow([this](TObject* s) { SubObjectChanged(s); });
    return shadow_;
}

TPlotFontGradient* TPlotFont::GetGradient() {
    if (!gradient_) gradient_ = new TPlotFontGradient([this](TObject* s) { SubObjectChanged(s); });
    return gradient_;
}

void TPlotFont::SetOutLine(TChartHiddenPen* value) {
    if (value)
        GetOutLine()->Assign(value);
    else
        FreeAndNil(outline_);
}

void TPlotFont::SetShadow(TPlotShadow* value) {
    if (value)
        GetShadow()->Assign(value);
    else
        FreeAndNil(shadow_);
}

void TPlotFont::SetGradient(TPlotFontGradient* value) {
    if (value)
        GetGradient()->Assign(value);
    else
        FreeAndNil(gradient_);
}

bool TPlotFont::IsHeightStored() const { return Size() != GetDefaultFontSize(); }

bool TPlotFont::IsNameStored() const { return Name() != GetDefaultFontName(); }

namespace {

// The chart font's published properties (the class library font's with the chart's defaults),
// for the component streams.
const bool plotFontPropertiesRegistered = [] {
    using F = TPlotFont;
    const TMetaClass* font = F::StaticClass();
    RegisterProperty(font, OrdinalProperty<TFont>("Charset", pkInteger, &TFont::Charset,
                                                  &TFont::SetCharset, 1));
    RegisterProperty(font, StoredWhen<F>(OrdinalProperty<TFont>("Color", pkColor, &TFont::Color,
                                                                &TFont::SetColor),
                                         [](F* f) { return f->IsColorStored(); }));
    RegisterProperty(font, LazySubObjectProperty<F>(
                               "Gradient", [](F* f) { return f->GetGradient(); },
                               [](F* f) { return f->GradientIfAny() != nullptr; }));
    RegisterProperty(font, StoredWhen<F>(OrdinalProperty<TFont>("Height", pkInteger,
                                                                &TFont::Height,
                                                                &TFont::SetHeight),
                                         [](F* f) { return f->IsHeightStored(); }));
    RegisterProperty(font, OrdinalProperty<F>("InterCharSize", pkInteger, &F::InterCharSize,
                                              &F::SetInterCharSize, 0));
    RegisterProperty(font, StoredWhen<F>(StringProperty<TFont>("Name", &TFont::Name,
                                                               &TFont::SetName),
                                         [](F* f) { return f->IsNameStored(); }));
    RegisterProperty(font, LazySubObjectProperty<F>(
                               "OutLine", [](F* f) { return f->GetOutLine(); },
                               [](F* f) { return f->OutLineIfAny() != nullptr; }));
    RegisterProperty(font, LazySubObjectProperty<F>(
                               "Shadow", [](F* f) { return f->GetShadow(); },
                               [](F* f) { return f->ShadowIfAny() != nullptr; }));
    RegisterProperty(font, StoredWhen<F>(SetProperty<TFont, TFontStyle>(
                                             "Style", &TFont::Style, &TFont::SetStyle,
                                             {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}),
                                         [](F* f) { return f->IsStyleStored(); }));
    return true;
}();

}  // namespace
