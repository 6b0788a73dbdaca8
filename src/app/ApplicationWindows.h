// The application's windows as start-up makes them: the monitor error display, then the main
// window, the print preview, the preferences and the notices window, in this order.
#pragma once

void CreateApplicationWindows();
