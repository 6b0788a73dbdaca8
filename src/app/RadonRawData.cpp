// The raw-data text of the shown test: copied to the clipboard or written into a text file.
#include "QMCAbout.h"
#include "Radon.h"
#include "RadonMainForm.h"
#include "RawDataText.h"
#include "cl_clipboard.h"

AnsiString TRadonMainForm::BuildRawDataText(bool convert) {
    return RawDataText(*Monitor, convert, ProductVersionText());
}

void TRadonMainForm::CopyDatamnuClick(TObject*) {
    if (Monitor->CF1 != 0) Clipboard()->SetAsText(BuildRawDataText(true));
}

void TRadonMainForm::WriteRawDatasubmnuClick(TObject*) {
    if (Monitor->CF1 == 0) {
        Application->MessageBox("There is no data to write in a file", "Message", MB_OK);
        return;
    }
    const AnsiString fileName = ChooseTextFileToSave();
    if (!fileName.IsEmpty()) WriteTextFile(fileName, WithCrLf(BuildRawDataText(true)));
}

AnsiString TRadonMainForm::ProductVersionText() {
    return QMCAboutComponent->AboutBox()->Version->Caption();
}
