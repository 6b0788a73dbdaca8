#include "ApplicationWindows.h"

#include "ErrorCodes.h"
#include "MonitorErrorDisplay.h"
#include "Preferences.h"
#include "PreviewDialog.h"
#include "RadonMainForm.h"
#include "cl_forms.h"

void CreateApplicationWindows() {
    InstallMonitorErrorDisplay();
    Application->CreateForm(RadonMainForm);
    Application->CreateForm(frmPrintPreview);
    Application->CreateForm(frmPreferences);
    Application->CreateForm(ErrorCodesForm);
}
