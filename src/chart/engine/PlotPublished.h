// Published properties of the chart engine for the component streams: the identifier lists of
// its enumerations and builders for what the class library's builders do not cover.
#pragma once

#include <functional>
#include <vector>

#include "cl_graphics.h"

extern const std::vector<AnsiString> kPenStyleNames;
extern const std::vector<AnsiString> kPenModeNames;
extern const std::vector<AnsiString> kBrushStyleNames;
extern const std::vector<AnsiString> kBevelCutNames;
extern const std::vector<AnsiString> kGradientDirectionNames;

// A Boolean, integer or colour field of C, written when it differs from `def`.
template <class C, class T>
TPropertyInfo FieldProperty(const char* name, TPropertyKind kind, T C::*field, int def) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = kind;
    info.GetOrd = [field](TObject* o) { return static_cast<int>(static_cast<C*>(o)->*field); };
    info.SetOrd = [field](TObject* o, int v) { static_cast<C*>(o)->*field = static_cast<T>(v); };
    info.HasDefault = true;
    info.DefaultOrd = def;
    return info;
}

// An enumeration field of C whose identifiers are `names`.
template <class C, class T>
TPropertyInfo EnumFieldProperty(const char* name, T C::*field, std::vector<AnsiString> names,
                                int def) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkEnum;
    info.GetText = [field, names](TObject* o) {
        const int value = static_cast<int>(static_cast<C*>(o)->*field);
        return value >= 0 && value < static_cast<int>(names.size()) ? names[value] : AnsiString();
    };
    info.SetText = [field, names](TObject* o, const AnsiString& text) {
        for (size_t i = 0; i < names.size(); ++i)
            if (SameText(names[i], text)) {
                static_cast<C*>(o)->*field = static_cast<T>(i);
                return;
            }
        throw EConvertError("Invalid property value " + text);
    };
    info.DefaultText = names[def];
    return info;
}

// A sub-object made on first use: `make` gives it (making it when the stream holds it),
// `existing` tells the writer whether there is one to write.
template <class C>
TPropertyInfo LazySubObjectProperty(const char* name, std::function<TPersistent*(C*)> make,
                                    std::function<bool(C*)> existing) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkObject;
    info.GetSubObject = [make](TObject* o) { return make(static_cast<C*>(o)); };
    info.IsStored = [existing](TObject* o) { return existing(static_cast<C*>(o)); };
    return info;
}

// The property, written only while `stored` holds.
template <class C>
TPropertyInfo StoredWhen(TPropertyInfo info, std::function<bool(C*)> stored) {
    info.IsStored = [stored](TObject* o) { return stored(static_cast<C*>(o)); };
    return info;
}

// The pen's colour, mode, style and width with the defaults of `penClass`; `TChartPen` itself
// also gets its end style, small dots and visibility.
void PublishChartPen(const TMetaClass* penClass, TColor color, TPenStyle style, int width);

// The defaults a framed shape class publishes with.
struct TShapeDefaults {
    TColor Color = clWhite;
    bool Visible = true;
};
// Publishes the named properties of a framed shape class ("Bevel", "BevelWidth", "Brush",
// "Color", "Font", "Frame", "Gradient", "Pen", "Shadow", "ShapeStyle", "Transparency",
// "Transparent", "Visible") in the order given.
void PublishShape(const TMetaClass* shapeClass, std::initializer_list<const char*> names,
                  const TShapeDefaults& defaults = TShapeDefaults());
