// The report's one tie to the test chart: the chart drawn into a rectangle of a report page.
#include "RadonMainForm.h"

#include "Chart.h"

void TRadonMainForm::PrintChart(TCanvas* canvas, const TRect& rect) {
    RadonChart->PrintPartialCanvas(canvas, rect);
}
