// The main window's test data file commands and the text blocks the file and the window share.
#include "RadonMainForm.h"

void TRadonMainForm::mnuSaveDataClick(TObject*) {}
void TRadonMainForm::mnuLoadDataClick(TObject*) {}
void TRadonMainForm::btnCopyAddressClick(TObject*) {}
bool TRadonMainForm::BuildCustomerText() { return false; }
AnsiString TRadonMainForm::CompanyBlockText() { return ""; }
AnsiString TRadonMainForm::InspectorInfoText() { return ""; }
AnsiString TRadonMainForm::ReadFieldValue(TStream&) { return ""; }
