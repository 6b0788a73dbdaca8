#include "PlotPublished.h"

#include <algorithm>

#include "PlotShape.h"

const std::vector<AnsiString> kPenStyleNames = {"psSolid",      "psDash",  "psDot",
                                                "psDashDot",    "psDashDotDot", "psClear",
                                                "psInsideFrame"};
const std::vector<AnsiString> kPenModeNames = {
    "pmBlack",       "pmWhite",      "pmNop",   "pmNot",     "pmCopy",        "pmNotCopy",
    "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge",
    "pmMask",        "pmNotMask",    "pmXor",   "pmNotXor"};
const std::vector<AnsiString> kBrushStyleNames = {"bsSolid",     "bsClear",     "bsHorizontal",
                                                  "bsVertical",  "bsFDiagonal", "bsBDiagonal",
                                                  "bsCross",     "bsDiagCross"};
const std::vector<AnsiString> kBevelCutNames = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
const std::vector<AnsiString> kGradientDirectionNames = {
    "gdTopBottom",      "gdBottomTop", "gdLeftRight",  "gdRightLeft",   "gdFromCenter",
    "gdFromTopLeft", "gdFromBottomLeft", "gdRadial", "gdDiagonalUp", "gdDiagonalDown"};

void PublishChartPen(const TMetaClass* penClass, TColor color, TPenStyle style, int width) {
    RegisterProperty(penClass, OrdinalProperty<TPen>("Color", pkColor, &TPen::Color,
                                                     &TPen::SetColor, color));
    if (penClass == TChartPen::StaticClass()) {
        RegisterProperty(penClass, EnumProperty<TPen>("Mode", &TPen::Mode, &TPen::SetMode,
                                                      kPenModeNames, pmCopy));
    }
    RegisterProperty(penClass, EnumProperty<TPen>("Style", &TPen::Style, &TPen::SetStyle,
                                                  kPenStyleNames, style));
    RegisterProperty(penClass, OrdinalProperty<TPen>("Width", pkInteger, &TPen::Width,
                                                     &TPen::SetWidth, width));
    if (penClass != TChartPen::StaticClass()) return;
    RegisterProperty(penClass,
                     StoredWhen<TChartPen>(EnumProperty<TChartPen>(
                                               "EndStyle", &TChartPen::EndStyle,
                                               &TChartPen::SetEndStyle,
                                               {"esRound", "esSquare", "esFlat"}, esRound),
                                           [](TChartPen* pen) { return pen->IsEndStored(); }));
    RegisterProperty(penClass, OrdinalProperty<TChartPen>("SmallDots", pkBool,
                                                           &TChartPen::SmallDots,
                                                           &TChartPen::SetSmallDots, 0));
    RegisterProperty(penClass,
                     StoredWhen<TChartPen>(OrdinalProperty<TChartPen>("Visible", pkBool,
                                                                      &TChartPen::Visible,
                                                                      &TChartPen::SetVisible),
                                           [](TChartPen* pen) { return pen->IsVisibleStored(); }));
}

namespace {

using Shape = TPlotCustomShape;

TPropertyInfo ShapeProperty(const AnsiString& name, const TShapeDefaults& defaults) {
    if (name == "Bevel")
        return EnumProperty<Shape>("Bevel", &Shape::Bevel, &Shape::SetBevel, kBevelCutNames,
                                   bvNone);
    if (name == "BevelWidth")
        return OrdinalProperty<Shape>("BevelWidth", pkInteger, &Shape::BevelWidth,
                                      &Shape::SetBevelWidth, 2);
    if (name == "Brush") return SubObjectProperty<Shape>("Brush", &Shape::Brush);
    if (name == "Color")
        return OrdinalProperty<Shape>("Color", pkColor, &Shape::Color, &Shape::SetColor,
                                      defaults.Color);
    if (name == "Font") return SubObjectProperty<Shape>("Font", &Shape::Font);
    if (name == "Frame" || name == "Pen") {
        TPropertyInfo info = SubObjectProperty<Shape>("Pen", &Shape::Pen);
        info.Name = name;
        return info;
    }
    if (name == "Gradient")
        return LazySubObjectProperty<Shape>(
            "Gradient", [](Shape* shape) { return shape->GetGradient(); },
            [](Shape* shape) { return shape->GradientIfAny() != nullptr; });
    if (name == "Shadow") return SubObjectProperty<Shape>("Shadow", &Shape::Shadow);
    if (name == "ShapeStyle")
        return EnumProperty<Shape>("ShapeStyle", &Shape::ShapeStyle, &Shape::SetShapeStyle,
                                   {"fosRectangle", "fosRoundRectangle"}, fosRectangle);
    if (name == "Transparency")
        return OrdinalProperty<Shape>("Transparency", pkInteger, &Shape::Transparency,
                                      &Shape::SetTransparency, 0);
    if (name == "Transparent")
        return StoredWhen<Shape>(OrdinalProperty<Shape>("Transparent", pkBool,
                                                        &Shape::Transparent,
                                                        &Shape::SetTransparent),
                                 [](Shape* shape) { return shape->IsTranspStored(); });
    if (name == "Visible")
        return OrdinalProperty<Shape>("Visible", pkBool, &Shape::Visible, &Shape::SetVisible,
                                      defaults.Visible);
    throw EComponentError("No shape property " + name);
}

}  // namespace

void PublishShape(const TMetaClass* shapeClass, std::initializer_list<const char*> names,
                  const TShapeDefaults& defaults) {
    const bool hasFrame = std::find_if(names.begin(), names.end(), [](const char* name) {
                              return AnsiString(name) == "Frame";
                          }) != names.end();
    for (const char* name : names) {
        TPropertyInfo info = ShapeProperty(name, defaults);
        // The frame pen published twice is written once, as "Frame".
        if (hasFrame && info.Name == "Pen") info.IsStored = [](TObject*) { return false; };
        RegisterProperty(shapeClass, info);
    }
}
