// The raw-data text of the shown test: copied to the clipboard or written into a text file.
#include "RadonMainForm.h"

AnsiString TRadonMainForm::BuildRawDataText() { return ""; }
void TRadonMainForm::CopyDatamnuClick(TObject*) {}
void TRadonMainForm::WriteRawDatasubmnuClick(TObject*) {}
