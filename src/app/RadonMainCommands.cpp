// The main window's menu and toolbar commands that have no unit of their own: view toggles,
// picture slots, Clear Screen, the preferences entry points, help and about.
#include "RadonMainForm.h"

#include "DynamicHTMLHelp.h"
#include "ErrorCodes.h"
#include "Preferences.h"
#include "QMCAbout.h"
#include "Radon.h"
#include "RadonError.h"
#include "UiCheckBox.h"
#include "UiEdit.h"
#include "UiLabel.h"
#include "UiPageControl.h"
#include "UiRadioGroup.h"
#include "UiStatusBar.h"
#include "UiToolbar.h"
#include "cl_dialogs.h"
#include "cl_hourglass.h"
#include "cl_menus.h"
#include "cl_number.h"

namespace {

constexpr uint16_t HelpFinder = 11;
constexpr int ContentsHelpData = 1000;
constexpr int MonitorSettingsPage = 0;
constexpr int PrintPage = 1;

}  // namespace

void TRadonMainForm::Data1Click(TObject* sender) { ButtonRetriveClick(sender); }

void TRadonMainForm::ExitClick(TObject*) { Close(); }

void TRadonMainForm::SubMenuViewToolbarClick(TObject*) {
    const bool visible = !SubMenuViewToolbar->Checked();
    Toolbar->SetVisible(visible);
    SubMenuViewToolbar->SetChecked(visible);
}

void TRadonMainForm::SubMenuViewLabelClick(TObject*) {
    const bool showLabels = !SubMenuViewLabel->Checked();
    Toolbar->SetTextOptions(showLabels ? ttoShowTextLabels : ttoNoTextLabels);
    SubMenuViewLabel->SetChecked(showLabels);
}

void TRadonMainForm::SubMenuViewStatusBarClick(TObject*) {
    const bool visible = !SubMenuViewStatusBar->Checked();
    StatusBar->SetVisible(visible);
    SubMenuViewStatusBar->SetChecked(visible);
}

void TRadonMainForm::SubMenuErrorCodesClick(TObject*) { ErrorCodesForm->ShowModal(); }

void TRadonMainForm::PreferencesClick(TObject*) {
    frmPreferences->PageControl->SetActivePageIndex(MonitorSettingsPage);
    if (frmPreferences->ShowMonitorSettings(TestFromMonitor)) ApplyPrintPreferences();
}

void TRadonMainForm::submnuMonitorInformationClick(TObject*) {
    frmPreferences->PageControl->SetActivePageIndex(MonitorSettingsPage);
    if (frmPreferences->ShowModal() == mrOk) ApplyPrintPreferences();
}

void TRadonMainForm::submnuPrintingPreferencesClick(TObject* sender) { PreferencesClick(sender); }

void TRadonMainForm::subMenuPrintPreferencesClick(TObject*) {
    frmPreferences->PageControl->SetActivePageIndex(PrintPage);
    if (frmPreferences->ShowPrintPreferences()) ApplyPrintPreferences();
}

void TRadonMainForm::SoftwareReset1Click(TObject*) {
    if (Application->MessageBox("Performing a software reset will corrupt monitor test",
                                "Warning", MB_OKCANCEL) != IDOK)
        return;
    AnsiString failure;
    {
        THourglass hourglass;
        try {
            Monitor->SoftwareReset();
        } catch (const QMCRadonDataError& e) {
            failure = e.GetText();
        }
    }
    if (!failure.IsEmpty()) Application->MessageBox(failure, "Monitor Error", MB_OK);
}

void TRadonMainForm::Manual1Click(TObject*) {
    Application->HelpCommand(HelpFinder, ContentsHelpData);
}

void TRadonMainForm::AboutClick(TObject*) { QMCAboutComponent->OpenAbout(); }

bool TRadonMainForm::ApplicationEvents1Help(uint16_t command, int data, bool& callHelp) {
    callHelp = DynamicHTMLHelp->ProcessHTMLHelp(command, data);
    return true;
}

void TRadonMainForm::UiBitBtn2Click(TObject*) { Close(); }

void TRadonMainForm::buttonClearScreenClick(TObject*) {
    ModelNumberLB->SetCaption("Model Number:");
    CFLB->SetCaption("CF:");
    CalibrationDateLB->SetCaption("Calibration Date:");
    BatteryStatusLB->SetCaption("Battery:");
    SerialNumberLB->SetCaption("Serial Number:");
    for (TUiLabel* value : {StartDateVal, HoursDelayVal, TestDurationVal, MeasurementIntervalVal,
                            NumMeasurementsVal, LabelOverallAverage, LabelEPAAverage})
        value->SetCaption("");
    for (const TAddressEdits& edits : {BillingEdits(), SiteEdits()})
        for (TUiEdit* edit : edits) edit->SetText("");
    InspectorInfo->SetCaption("");
}

void TRadonMainForm::SelectPicture(TImage* slot) {
    OpenPictureDialog->SetTitle("Open Picture");
    if (OpenPictureDialog->Execute()) slot->Picture()->LoadFromFile(OpenPictureDialog->FileName());
}

void TRadonMainForm::UiBtnImage1Click(TObject*) { SelectPicture(Image1); }
void TRadonMainForm::UiBtnImage2Click(TObject*) { SelectPicture(Image2); }
void TRadonMainForm::UiBtnImage3Click(TObject*) { SelectPicture(Image3); }
void TRadonMainForm::UiBtnImage4Click(TObject*) { SelectPicture(Image4); }
void TRadonMainForm::UiBtnImage5Click(TObject*) { SelectPicture(Image5); }
void TRadonMainForm::UiBtnImage6Click(TObject*) { SelectPicture(Image6); }

// Copies the print controls of the preferences window into its settings fields; a letter-head
// space or action level that is no number stops the copy there with the conversion error.
void TRadonMainForm::ApplyPrintPreferences() {
    TfrmPreferences& p = *frmPreferences;
    p.PrintAtomosphericConditions = p.PrintAtomosphericConditionschk->GetChecked();
    p.PrintWind = p.PrintWindchk->GetChecked();
    p.PrintMonitorLocation = p.PrintMonitorLocationchk->GetChecked();
    p.PrintStructureType = p.PrintStructureTypechk->GetChecked();
    p.PrintYearBuilt = p.PrintYearBuiltchk->GetChecked();
    p.PrintSQFT = p.PrintSQFTchk->GetChecked();
    p.PrintOverallAverage = p.PrintOverallAveragechk->GetChecked();
    p.CreateCoverPage = p.CreateCoverPagechk->GetChecked();
    p.PrintEPAAverage = p.PrintEPAAveragechk->GetChecked();
    p.DigitalSignature = p.editDigitalSignaturePath->Text();
    p.HeaderImage = p.editHeaderImagePath->Text();
    p.InspectorName = p.InspectorNameEdit->Text();
    p.LetterHeadSpace = static_cast<float>(StrToFloat(p.LetterHeadSpaceEdit->Text()));
    p.ActionLevel = static_cast<double>(StrToFloat(p.ActionLevelEdit->Text()));
    p.HeaderImageAlignment = p.radioHeaderImageAlignment->ItemIndex();
    p.PrintRiskInformation = p.PrintRadonRiskchk->GetChecked();
    p.PrintUnderstandingResults = p.PrintUnderstandingResultschk->GetChecked();
    p.PrintSignatureOnFirstPage = p.PrintSignatureOnFirstPagechk->GetChecked();
    p.DisplayDataOnChart = p.DisplayDataOnChartchk->GetChecked();
}

void TRadonMainForm::ToolButtonOpenClick(TObject* sender) { mnuLoadDataClick(sender); }
void TRadonMainForm::ToolButtonSaveClick(TObject* sender) { mnuSaveDataClick(sender); }
void TRadonMainForm::ToolButtonPrintClick(TObject* sender) { TestResults1Click(sender); }
void TRadonMainForm::ToolButtonPrintPreviewClick(TObject* sender) { PrintPreview1Click(sender); }
void TRadonMainForm::ToolButtonCopyClick(TObject* sender) { CopyDatamnuClick(sender); }
void TRadonMainForm::ToolButtonCopyChartClick(TObject* sender) { submnuCopyChartClick(sender); }
void TRadonMainForm::ToolButtonWriteClick(TObject* sender) { WriteRawDatasubmnuClick(sender); }
void TRadonMainForm::ToolButtonPreferencesClick(TObject* sender) { PreferencesClick(sender); }
void TRadonMainForm::ToolButtonSerialClick(TObject* sender) { SerialPort1Click(sender); }
void TRadonMainForm::ToolButtonHelpClick(TObject* sender) { Manual1Click(sender); }
