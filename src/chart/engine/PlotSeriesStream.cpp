// The series' own stream properties: identifier and style, several data sources, custom axes by
// index, the points as the binary "Data" block, and the obsolete value-list multiplier.
#include <algorithm>

#include "PlotAxisPanel.h"
#include "PlotMarks.h"
#include "PlotPublished.h"
#include "PlotSeries.h"
#include "PlotSources.h"
#include "cl_filer.h"

namespace {

const char* const kBadData = "Invalid series data: %s";
const int kMarkPositionSize = 34;
const int kMaxLabelLength = 255;

[[noreturn]] void BadData(const char* what) { throw EReadError(kBadData, AnsiString(what)); }

template <class T>
void Put(TStream* stream, T value) {
    stream->WriteBuffer(&value, sizeof value);
}

template <class T>
T Get(TStream* stream) {
    T value{};
    stream->ReadBuffer(&value, sizeof value);
    return value;
}

void WriteMarkPosition(TStream* stream, const TSeriesMarkPosition& p) {
    Put<int32_t>(stream, p.DataPoint.X);
    Put<int32_t>(stream, p.DataPoint.Y);
    Put<uint8_t>(stream, p.DataPointFixed ? 1 : 0);
    Put<int32_t>(stream, p.MarkPoint.X);
    Put<int32_t>(stream, p.MarkPoint.Y);
    Put<uint8_t>(stream, p.IsCustom ? 1 : 0);
    Put<int32_t>(stream, p.BoxHeight);
    Put<int32_t>(stream, p.BoxOrigin.X);
    Put<int32_t>(stream, p.BoxOrigin.Y);
    Put<int32_t>(stream, p.BoxWidth);
}

TSeriesMarkPosition* ReadMarkPosition(TStream* stream) {
    auto* p = new TSeriesMarkPosition;
    try {
        p->DataPoint.X = Get<int32_t>(stream);
        p->DataPoint.Y = Get<int32_t>(stream);
        p->DataPointFixed = Get<uint8_t>(stream) != 0;
        p->MarkPoint.X = Get<int32_t>(stream);
        p->MarkPoint.Y = Get<int32_t>(stream);
        p->IsCustom = Get<uint8_t>(stream) != 0;
        p->BoxHeight = Get<int32_t>(stream);
        p->BoxOrigin.X = Get<int32_t>(stream);
        p->BoxOrigin.Y = Get<int32_t>(stream);
        p->BoxWidth = Get<int32_t>(stream);
    } catch (...) {
        delete p;
        throw;
    }
    return p;
}

// The fewest bytes one point record takes with these flags and further columns.
int64_t MinimalRecordSize(uint8_t flags, int furtherLists) {
    int64_t size = 8 + 8 * static_cast<int64_t>(furtherLists);
    if (flags & tfNoMandatory) size += 8;
    if (flags & tfColor) size += 4;
    if (flags & tfLabel) size += 1;
    if (flags & tfMarkPosition) size += kMarkPositionSize;
    return size;
}

int StyleBits(const TChartSeriesStyle& style) {
    int bits = 0;
    for (TChartSeriesStyleItem item : style) bits |= 1 << item;
    return bits;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The parent chart

void TCustomChartElement::ReadState(TReader* reader) {
    TComponent* parent = reader->Parent();
    if (parent) SetParentComponent(parent);
    reader->SetParent(this);
    try {
        TComponent::ReadState(reader);
    } catch (...) {
        reader->SetParent(parent);
        throw;
    }
    reader->SetParent(parent);
}

// ---------------------------------------------------------------------------------------------
// Identifier and style

void TCustomChartSeries::DefineProperties(TFiler* filer) {
    TCustomChartElement::DefineProperties(filer);
    filer->DefineProperty(
        "Identifier", [this](TReader* reader) { Identifier = reader->ReadString(); },
        [this](TWriter* writer) { writer->WriteString(Identifier); }, !Identifier.IsEmpty());
    filer->DefineProperty(
        "Style",
        [this](TReader* reader) {
            const int bits = reader->ReadInteger();
            Style.clear();
            for (int item = tssIsTemplate; item <= tssHideDataSource; ++item)
                if (bits & (1 << item)) Style.insert(static_cast<TChartSeriesStyleItem>(item));
        },
        [this](TWriter* writer) { writer->WriteInteger(StyleBits(Style)); }, !Style.empty());
}

// ---------------------------------------------------------------------------------------------
// Data sources, custom axes and points

void TChartSeries::DefineProperties(TFiler* filer) {
    TCustomChartSeries::DefineProperties(filer);
    filer->DefineProperty(
        "DataSources",
        [this](TReader* reader) {
            PendingDataSources.reset(new TStringList);
            reader->ReadListBegin();
            while (!reader->EndOfList()) PendingDataSources->Add(reader->ReadString());
            reader->ReadListEnd();
        },
        [this](TWriter* writer) {
            writer->WriteListBegin();
            for (int i = 0; i < DataSources->Count(); ++i)
                writer->WriteString(static_cast<TComponent*>(DataSources->Items(i))->Name());
            writer->WriteListEnd();
        },
        DataSources->Count() > 1);
    const auto customAxis = [this](TReader* reader) {
        const int index = reader->ReadInteger();
        if (!ParentChart() || index < 0 || index >= ParentChart()->CustomAxes->Count())
            BadData("no custom axis of that index");
        return ParentChart()->CustomAxes->Get(index);
    };
    filer->DefineProperty(
        "CustomHorizAxis",
        [this, customAxis](TReader* reader) { SetCustomHorizAxis(customAxis(reader)); },
        [this](TWriter* writer) { writer->WriteInteger(CustomHorizAxis()->Index()); },
        CustomHorizAxis() != nullptr);
    filer->DefineProperty(
        "CustomVertAxis",
        [this, customAxis](TReader* reader) { SetCustomVertAxis(customAxis(reader)); },
        [this](TWriter* writer) { writer->WriteInteger(CustomVertAxis()->Index()); },
        CustomVertAxis() != nullptr);
    filer->DefineBinaryProperty(
        "Data", [this](TStream* stream) { ReadData(stream); },
        [this](TStream* stream) { WriteData(stream); },
        AlwaysStoreData || (ManualPoints && !DoNotStoreData));
}

bool TChartSeries::HasNoMandatoryValues() {
    if (!UsesNotMandatory || Count() == 0) return false;
    for (int i = 0; i < Count(); ++i)
        if (NotMandatoryList->GetValue(i) != i) return true;
    return false;
}

bool TChartSeries::HasColors() {
    for (int i = 0; i < Count(); ++i) {
        const TColor color = InternalColor(i);
        if (color != clDefault && color != GetSeriesColor()) return true;
    }
    return false;
}

bool TChartSeries::HasLabels() {
    for (int i = 0; i < Min(Count(), LabelList.Count()); ++i)
        if (!LabelList.GetLabel(i).IsEmpty()) return true;
    return false;
}

uint8_t TChartSeries::SeriesGuessContents() {
    uint8_t flags = 0;
    if (HasNoMandatoryValues()) flags |= tfNoMandatory;
    if (HasColors()) flags |= tfColor;
    if (HasLabels()) flags |= tfLabel;
    if (Marks()->Positions().ExistCustom()) flags |= tfMarkPosition;
    return flags;
}

void TChartSeries::WriteData(TStream* stream) {
    const uint8_t flags = SeriesGuessContents();
    Put<uint8_t>(stream, flags);
    Put<int32_t>(stream, Count());
    for (int i = 0; i < Count(); ++i) {
        if (flags & tfNoMandatory) Put<double>(stream, NotMandatoryList->GetValue(i));
        Put<double>(stream, MandatoryList->GetValue(i));
        if (flags & tfColor) Put<int32_t>(stream, static_cast<int32_t>(InternalColor(i)));
        if (flags & tfLabel) {
            const AnsiString label = GetXLabel(i);
            const int length = Min(label.Length(), kMaxLabelLength);
            Put<uint8_t>(stream, static_cast<uint8_t>(length));
            stream->WriteBuffer(label.c_str(), length);
        }
        for (int j = 2; j < ValueLists->Count(); ++j)
            Put<double>(stream, ValueLists->Get(j)->GetValue(i));
        if (flags & tfMarkPosition) {
            const TSeriesMarkPosition* position = Marks()->Positions().Get(i);
            WriteMarkPosition(stream, position ? *position : TSeriesMarkPosition());
        }
    }
}

void TChartSeries::ReadData(TStream* stream) {
    Clear();
    if (stream->Size() - stream->Position() < 5) BadData("no point count");
    const uint8_t flags = Get<uint8_t>(stream);
    const int32_t count = Get<int32_t>(stream);
    if (flags & 0xF0) BadData("unknown format flags");
    if (count < 0) BadData("negative point count");
    const int64_t remaining = stream->Size() - stream->Position();
    if (count * MinimalRecordSize(flags, ValueLists->Count() - 2) > remaining)
        BadData("fewer bytes than points");
    const bool horizontal = MandatoryList != YValues;
    struct Batch {
        TChartSeries* series;
        ~Batch() { series->EndUpdate(); }
    } batch{this};
    BeginUpdate();
    for (int i = 0; i < count; ++i) {
        double a = flags & tfNoMandatory ? Get<double>(stream) : i;
        double b = Get<double>(stream);
        if (horizontal) std::swap(a, b);
        const TColor color = flags & tfColor ? static_cast<TColor>(Get<int32_t>(stream)) : clDefault;
        AnsiString label;
        if (flags & tfLabel) {
            const int length = Get<uint8_t>(stream);
            if (length > stream->Size() - stream->Position()) BadData("label past the end");
            label.SetLength(length);
            if (length) stream->ReadBuffer(&label[1], length);
        }
        for (int j = 2; j < ValueLists->Count(); ++j)
            ValueLists->Get(j)->PendingValue = Get<double>(stream);
        AddXY(a, b, label, color);
        if (flags & tfMarkPosition) Marks()->Positions().Append(ReadMarkPosition(stream));
    }
    ManualPoints = true;
}

// ---------------------------------------------------------------------------------------------
// The obsolete multiplier

void TChartValueList::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    filer->DefineProperty(
        "Multiplier",
        [](TReader* reader) {
            if (reader->ReadFloat() != 1.0)
                ShowMessageUser(AnsiString("Error: Multiplier property is obsolete.") + '\r' +
                                "Modify PlotDefs.inc (enable Multiplier) and recompile.");
        },
        nullptr, false);
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

// A value list's name that a series takes colours or labels from.
TPropertyInfo SourceNameProperty(const char* name, AnsiString TChartSeries::*field,
                                 void (TChartSeries::*set)(const AnsiString&)) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkString;
    info.GetText = [field](TObject* o) { return static_cast<TChartSeries*>(o)->*field; };
    info.SetText = [set](TObject* o, const AnsiString& v) { (static_cast<TChartSeries*>(o)->*set)(v); };
    return info;
}

// The properties every series publishes, for the component streams.
const bool seriesPropertiesRegistered = [] {
    using E = TCustomChartElement;
    using C = TCustomChartSeries;
    using S = TChartSeries;
    RegisterProperty(E::StaticClass(),
                     OrdinalProperty<E>("Active", pkBool, &E::Active, &E::SetActive, 1));
    const TMetaClass* custom = C::StaticClass();
    RegisterProperty(custom, OrdinalProperty<C>("ShowInLegend", pkBool, &C::ShowInLegend,
                                                &C::SetShowInLegend, 1));
    RegisterProperty(custom, StringProperty<C>("Title", &C::Title, &C::SetTitle));
    const TMetaClass* series = S::StaticClass();
    RegisterProperty(series, OrdinalProperty<S>("ColorEachPoint", pkBool, &S::ColorEachPoint,
                                                &S::SetColorEachPoint, 0));
    RegisterProperty(series, SourceNameProperty("ColorSource", &S::ColorSource,
                                                 &S::SetColorSource));
    RegisterProperty(series, FieldProperty<S>("Cursor", pkInteger, &S::Cursor, crDefault));
    RegisterProperty(series, OrdinalProperty<S>("Depth", pkInteger, &S::Depth, &S::SetDepth, -1));
    RegisterProperty(series, EnumProperty<S>("HorizAxis", &S::HorizAxis, &S::SetHorizAxis,
                                             {"aTopAxis", "aBottomAxis", "aBothHorizAxis",
                                              "aCustomHorizAxis"},
                                             aBottomAxis));
    RegisterProperty(series, SubObjectProperty<S>("Marks", &S::Marks));
    RegisterProperty(series, ComponentProperty<S, TComponent>("DataSource", &S::GetDataSource,
                                                              &S::SetDataSource));
    RegisterProperty(series,
                     StoredWhen<S>(StringProperty<S>("PercentFormat", &S::PercentFormat,
                                                     &S::SetPercentFormat),
                                   [](S* s) { return s->IsPercentFormatStored(); }));
    RegisterProperty(series, StoredWhen<S>(OrdinalProperty<S>("SeriesColor", pkColor,
                                                              &S::SeriesColor,
                                                              &S::SetSeriesColor),
                                           [](S* s) { return s->IsColorStored(); }));
    RegisterProperty(series,
                     StoredWhen<S>(StringProperty<S>("ValueFormat", &S::ValueFormat,
                                                     &S::SetValueFormat),
                                   [](S* s) { return s->IsValueFormatStored(); }));
    RegisterProperty(series, EnumProperty<S>("VertAxis", &S::VertAxis, &S::SetVertAxis,
                                             {"aLeftAxis", "aRightAxis", "aBothVertAxis",
                                              "aCustomVertAxis"},
                                             aLeftAxis));
    RegisterProperty(series, SourceNameProperty("XLabelsSource", &S::XLabelsSource,
                                                 &S::SetLabelsSource));
    TPropertyInfo xValues;
    xValues.Name = "XValues";
    xValues.Kind = pkObject;
    xValues.GetSubObject = [](TObject* o) -> TPersistent* { return static_cast<S*>(o)->XValues; };
    RegisterProperty(series, xValues);
    TPropertyInfo yValues = xValues;
    yValues.Name = "YValues";
    yValues.GetSubObject = [](TObject* o) -> TPersistent* { return static_cast<S*>(o)->YValues; };
    RegisterProperty(series, yValues);
    return true;
}();

}  // namespace
