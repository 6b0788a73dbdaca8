// The report's one tie to the test chart: the chart drawn into a rectangle of a report page.
#include "RadonMainForm.h"

// Until the main window holds the chart, the report leaves the chart's rectangle empty.
void TRadonMainForm::PrintChart(TCanvas*, const TRect&) {}
