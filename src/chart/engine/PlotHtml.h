// The HTML-subset text renderer: draws and measures chart texts whose few tags change the canvas
// font, break lines, centre pieces, draw a rule or an image.
#pragma once

#include <functional>

#include "PlotCanvas.h"
#include "cl_streams.h"

CL_DECLARE_EXCEPTION(HtmlParserException, Exception);

// Given an upper-case file extension with its dot, a new empty graphic able to read that format
// (the renderer frees it), or null. None installed by default.
extern std::function<TGraphic*(const AnsiString& extension)> GraphicFileExtension;
// Fills the stream with the bytes of the image source; 0 on success. None installed by default.
extern std::function<int(const AnsiString& source, TMemoryStream* stream)> GraphicDownload;

// Draws the text with its top-left at (x, y); the canvas font is left as the tags leave it.
void HtmlTextOut(TPlotCanvas* canvas, int x, int y, const AnsiString& text);
// The width (farthest x reached) and height (the text lines' heights added) of the text.
TSize HtmlTextExtent(TPlotCanvas* canvas, const AnsiString& text);
