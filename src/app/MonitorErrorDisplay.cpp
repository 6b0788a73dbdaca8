#include "MonitorErrorDisplay.h"

#include <exception>

#include "cl_forms.h"

namespace {

// The text of a monitor failure that the translation hook has just handed on, until the
// application reports it (both run on the GUI thread, one right after the other).
bool monitorErrorPending = false;
AnsiString pendingText;

bool TranslateMonitorError(std::exception_ptr error, AnsiString& text) {
    try {
        std::rethrow_exception(error);
    } catch (const QMCRadonDataError& e) {
        text = e.GetText();
        pendingText = text;
        monitorErrorPending = true;
        return true;
    } catch (...) {
        return false;
    }
}

void ReportApplicationException(TObject*, Exception* e) {
    const bool fromMonitor = monitorErrorPending && e->Message() == pendingText;
    monitorErrorPending = false;
    if (fromMonitor)
        ShowMonitorError(QMCRadonDataError(e->Message()));
    else
        Application->ShowException(e);
}

}  // namespace

void ShowMonitorError(const QMCRadonDataError& error) {
    Application->MessageBox(error.GetText(), "Monitor Error", MB_OK);
}

void InstallMonitorErrorDisplay() {
    Application->OnTranslateException = TranslateMonitorError;
    Application->OnException = ReportApplicationException;
}
