// The "Monitor Error" box: how the windows show a failure of the monitor protocol, also when
// one escapes an event handler and reaches the application's exception handling.
#pragma once

#include "RadonError.h"

// Shows the failure's text in the "Monitor Error" box.
void ShowMonitorError(const QMCRadonDataError& error);

// Lets the application show a QMCRadonDataError that escapes a handler in the "Monitor Error"
// box; every other exception keeps the application's standard display.
void InstallMonitorErrorDisplay();
