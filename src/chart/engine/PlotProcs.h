// Shared routines of axes, series and panels: palette, hit tests, sort by index, names, fields,
// format translation, check boxes, bitmaps, anti-aliasing, exporters and per-user options.
#pragma once

#include <functional>
#include <vector>

#include "PlotDateSteps.h"
#include "PlotGeometry.h"
#include "cl_graphics.h"

class TComponent;
class TControl;
class TStream;
class TCustomPlotPanel;

// The hand cursor of charts, registered on the screen when the first chart panel is made.
constexpr int crPlotHand = 2020;
void PlotRegisterHandCursor();

// Colours handed to new series.
extern std::vector<TColor> ColorPalette;
TColor GetDefaultColor(int index);
void SetDefaultColorPalette();
// With high = 0 the default colours; otherwise colors[0 .. high].
void SetDefaultColorPalette(const TColor* colors, int high);

extern AnsiString PlotFieldsSeparator;
using TPlotTranslateHook = std::function<void(TControl* control, std::vector<TControl*> excluded)>;
extern TPlotTranslateHook PlotTranslateHook;
extern bool PlotClipWhenPrinting;
extern bool PlotClipWhenMetafiling;
extern bool PlotEraseBack;
extern bool PrintPlotPanel;

// Hit tests, in integer pixels.
bool PointInLine(const TPoint& p, int x0, int y0, int x1, int y1, int tolerance);
bool PointInLine(const TPoint& p, const TPoint& p0, const TPoint& p1, int tolerance);
bool PointInLineTolerance(const TPoint& p, int x0, int y0, int x1, int y1, int tolerance);
bool PointInLine(const TPoint& p, int x0, int y0, int x1, int y1);
bool PointInLine(const TPoint& p, const TPoint& p0, const TPoint& p1);
// Crossing test over poly[0 .. high].
bool PointInPolygon(const TPoint& p, const TPoint* poly, int high);
bool PointInPolygon(const TPoint& p, const TPointArray& poly);
// Base at y0, apex at y1.
bool PointInTriangle(const TPoint& p, int x0, int x1, int y0, int y1);
// Base at x0, apex at x1.
bool PointInHorizTriangle(const TPoint& p, int y0, int y1, int x0, int x1);
bool PointInEllipse(const TPoint& p, int left, int top, int right, int bottom);
bool PointInEllipse(const TPoint& p, const TRect& rect);
// The crossing point of the two lines in x, y; true when the segments cross.
bool CrossingLines(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                   double y4, double& x, double& y);

AnsiString PlotStr(int value);
// `base` followed by the first number from 1 that no component of the owner is named.
AnsiString PlotGetUniqueName(TComponent* owner, const AnsiString& base);
int PlotNumFields(const AnsiString& s);
int PlotNumFields(const AnsiString& s, const AnsiString& separator);
// The index-th field (from 1); past the end the last field.
AnsiString PlotExtractField(const AnsiString& s, int index);
AnsiString PlotExtractField(const AnsiString& s, int index, const AnsiString& separator);
// Every `oldChar` becomes `newChar`, or is removed when `newChar` is the zero character.
AnsiString ReplaceChar(const AnsiString& s, char oldChar, char newChar);
// "," and "." to the locale's thousand and decimal separators, and back.
AnsiString InvariantToLocalFormat(const AnsiString& format);
AnsiString LocalToInvariantFormat(const AnsiString& format);
// Quicksort by index over the caller's data.
void PlotSort(int first, int last, const std::function<int(int, int)>& compare,
              const std::function<void(int, int)>& swap);

void EnableControls(bool enable, TControl* const controls[], int high);
void PlotTranslateControl(TControl* control);
void PlotTranslateControl(TControl* control, TControl* const excluded[], int high);
// A 13 x 13 check box (or radio button) at (x, y).
void PlotDrawCheckBox(int x, int y, TCanvas* canvas, bool checked, TColor color,
                      bool checkBox = true);
// The first bitmap resource named `name`, else `name2`, of the program's modules.
void PlotLoadBitmap(TBitmap* bitmap, const AnsiString& name, const AnsiString& name2);
void PlotGetBitmapEditor(TObject* object, TBitmap* bitmap);
// The chart drawn at twice its size and averaged down; the caller owns the bitmap.
TBitmap* PlotAntiAlias(TCustomPlotPanel* panel);

// Base of data exporters.
class TPlotExportData : public TObject {
    CL_CLASS(TPlotExportData, TObject)

    virtual AnsiString AsString() { return AnsiString(); }
    void CopyToClipboard();
    void SaveToStream(TStream* stream);
    // The file is written whole or not at all.
    void SaveToFile(const AnsiString& fileName);
};

// Per-user chart options in the current user's registry branch.
bool PlotReadBoolOption(const AnsiString& name, bool defaultValue);
int PlotReadIntegerOption(const AnsiString& name, int defaultValue);
void PlotSaveBoolOption(const AnsiString& name, bool value);
void PlotSaveIntegerOption(const AnsiString& name, int value);
