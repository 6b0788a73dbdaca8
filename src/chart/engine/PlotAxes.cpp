#include "PlotAxes.h"

#include "PlotAxisPanel.h"
#include "PlotPublished.h"

// ---------------------------------------------------------------------------------------------
// TChartAxes

void TChartAxes::Clear() {
    while (Count() > 0) {
        TChartAxis* axis = Get(0);
        axis->Free();
        // An axis leaves the list when freed; this keeps the loop finite if it did not.
        if (Count() > 0 && Get(0) == axis) TList::Delete(0);
    }
    TList::Clear();
}

void TChartAxes::SetFastCalc(bool value) {
    fastCalc_ = value;
    for (int i = 0; i < Count(); ++i) Get(i)->SetCalcPosValue();
}

bool TChartAxes::GetBehind() const { return chart_->AxisBehind(); }

void TChartAxes::SetBehind(bool value) { chart_->SetAxisBehind(value); }

bool TChartAxes::GetVisible() const { return chart_->AxisVisible(); }

void TChartAxes::SetVisible(bool value) { chart_->SetAxisVisible(value); }

void TChartAxes::Reset() {
    for (int i = 0; i < Count(); ++i) Get(i)->SetAutomatic(true);
}

// ---------------------------------------------------------------------------------------------
// TChartCustomAxes

void TChartCustomAxes::ResetScales(TChartAxis* axis) {
    for (int i = 0; i < Count(); ++i) {
        TChartAxis* custom = Get(i);
        if (custom->MasterAxis == axis && custom != axis)
            custom->SetMinMax(axis->Minimum(), axis->Maximum());
    }
}

// ---------------------------------------------------------------------------------------------
// TAxisItem

TAxisItem::TAxisItem(TAxisItems* owner, TCustomPlotPanel* parent)
    : TPlotCustomShape(parent), Owner(owner) {
    SetTransparent(true);
    TransparentDefault = true;
}

void TAxisItem::SetText(const AnsiString& value) {
    if (value == text_) return;
    text_ = value;
    Repaint();
}

void TAxisItem::SetValue(double value) {
    if (value == value_) return;
    value_ = value;
    Repaint();
}

// ---------------------------------------------------------------------------------------------
// TAxisItems

TAxisItems::TAxisItems(TChartAxis* axis)
    : Axis(axis), LabelFormat(new TPlotShape(axis->ParentChart())) {
    LabelFormat->SetTransparent(true);
    LabelFormat->TransparentDefault = true;
}

TAxisItems::~TAxisItems() {
    FreeItems();
    TObject::Free(LabelFormat);
}

TAxisItem* TAxisItems::Add(double value) {
    auto* item = new TAxisItem(this, Axis->ParentChart());
    item->SetValue(value);
    TList::Add(item);
    return item;
}

TAxisItem* TAxisItems::Add(double value, const AnsiString& text) {
    TAxisItem* item = Add(value);
    item->SetText(text);
    return item;
}

void TAxisItems::FreeItems() {
    for (int i = 0; i < Count(); ++i) TObject::Free(Get(i));
    TList::Clear();
}

void TAxisItems::Clear() {
    FreeItems();
    Axis->ParentChart()->Invalidate();
}

void TAxisItems::CopyFrom(TAxisItems* source) {
    LabelFormat->Assign(source->LabelFormat);
    Clear();
    for (int i = 0; i < source->Count(); ++i) Add(source->Get(i)->Value(), source->Get(i)->Text());
}

namespace {

// The custom label's published properties, for the component streams.
const bool axisItemPropertiesRegistered = [] {
    using I = TAxisItem;
    const TMetaClass* item = I::StaticClass();
    PublishShape(item, {"Bevel", "BevelWidth", "Color", "Font", "Gradient", "Shadow",
                        "ShapeStyle"});
    RegisterProperty(item, StringProperty<I>("Text", &I::Text, &I::SetText));
    PublishShape(item, {"Transparency", "Transparent"});
    RegisterProperty(item, FloatProperty<I>("Value", &I::Value, &I::SetValue));
    return true;
}();

}  // namespace
