// The chart engine's exception classes: series, functions and sources raise ChartException,
// axes raise AxisException; both carry one of the chart message texts.
#pragma once

#include "cl_except.h"

CL_DECLARE_EXCEPTION(ChartException, Exception);
CL_DECLARE_EXCEPTION(AxisException, Exception);
