// Where the report's pages go: the page size, the current page's canvas and the closure that
// ends a page and starts the next, filled by the preview, the printer and the PDF paths.
#pragma once

#include <functional>

class TCanvas;

struct TReportTarget {
    int PageWidth = 0;
    int PageHeight = 0;
    // Ends the current page and starts the next; may replace Canvas.
    std::function<void()> NewPage;
    // Not owned: the printer's, the preview page bitmap's or the PDF page's canvas.
    TCanvas* Canvas = nullptr;
};
