// The main window's test data file commands and the text blocks the file and the window share.
#include <exception>
#include <memory>
#include <new>

#include "Preferences.h"
#include "RadonAverages.h"
#include "Radon.h"
#include "RadonMainForm.h"
#include "TestDataFile.h"
#include "UiCheckBox.h"
#include "UiEdit.h"
#include "UiPageControl.h"
#include "UiRadioGroup.h"
#include "cl_dialogs.h"
#include "cl_sys.h"

namespace {

const char* const TextFileFilter = "Text file (*.txt)|*.txt";
const char* const NotFromDeviceText =
    "Only data from the device can be saved into a file.\nPlease connect the device and "
    "retrieve the data.";
const char* const OpenFailedText = "Error occured while opening the file.\n\n";
// The message of an empty required customer field; address 2 and phone may stay empty.
const char* const RequiredFieldTexts[CustomerFieldCount] = {
    "Customer name is a required field.", "Address 1 is a required field.", nullptr,
    "City is a required field.", "State is a required field.", "Zai code is a required field.",
    nullptr};

TTestFileWindow WindowFields(const TRadonMainForm& form) {
    TTestFileWindow window;
    window.MitigationInstalled = frmPreferences->PrintMitigationSystemInstalledchk->GetChecked();
    window.MitigationWorking = frmPreferences->radioMitigationWorking->ItemIndex();
    window.InspectorName = frmPreferences->InspectorName;
    const TAddressEdits billing = form.BillingEdits(), site = form.SiteEdits();
    for (int i = 0; i < CustomerFieldCount; ++i) {
        window.Billing[i] = billing[i]->Text();
        window.Site[i] = site[i]->Text();
    }
    return window;
}

void ShowWindowFields(const TRadonMainForm& form, const TTestFileWindow& window) {
    frmPreferences->PrintMitigationSystemInstalledchk->SetChecked(window.MitigationInstalled);
    frmPreferences->radioMitigationWorking->SetItemIndex(window.MitigationWorking);
    frmPreferences->InspectorName = window.InspectorName;
    const TAddressEdits billing = form.BillingEdits(), site = form.SiteEdits();
    for (int i = 0; i < CustomerFieldCount; ++i) {
        billing[i]->SetText(window.Billing[i]);
        site[i]->SetText(window.Site[i]);
    }
}

// Runs a step of opening a file; any failure, the class library's or another, is shown behind
// the open error text and gives false.
template <class Step> bool OpenStep(Step step) {
    AnsiString failure;
    try {
        step();
        return true;
    } catch (const Exception& e) {
        failure = e.Message();
    } catch (const std::bad_alloc&) {
        failure = "There is not enough memory to read the file.";
    } catch (const std::exception& e) {
        failure = e.what();
    }
    MessageDlg(OpenFailedText + failure, mtError, {mbOK}, 0);
    return false;
}

}  // namespace

void TRadonMainForm::mnuSaveDataClick(TObject*) {
    if (!TestFromMonitor) {
        MessageDlg(NotFromDeviceText, mtWarning, {mbOK}, 0);
        return;
    }
    if (Monitor->CF1 == 0) {
        MessageDlg("There is no data to save.", mtError, {mbOK}, 0);
        return;
    }
    if (!BuildCustomerText()) return;
    const AnsiString fileName = ChooseTextFileToSave();
    if (fileName.IsEmpty()) return;
    WriteTextFile(fileName, TestDataFileText(*Monitor, WindowFields(*this), ProductVersionText()));
}

void TRadonMainForm::mnuLoadDataClick(TObject*) {
    OpenDialog1->SetFilter(TextFileFilter);
    if (!OpenDialog1->Execute()) return;
    const auto test = std::make_unique<TLoadedTest>();
    if (!OpenStep([&] { LoadTestDataFile(OpenDialog1->FileName(), *test); })) return;
    CopyTestFileFields(test->Record, *Monitor);
    ShowWindowFields(*this, test->Window);
    const TSensorAverages sensors =
        HasSensorColumns(*Monitor) ? AverageSensorReadings(*Monitor) : TSensorAverages{};
    AvgTemperature = sensors.Temperature;
    AvgPressure = sensors.Pressure;
    AvgHumidity = sensors.Humidity;
    TestFromMonitor = false;
    OpenStep([&] { ShowLoadedTest(); });
}

void TRadonMainForm::btnCopyAddressClick(TObject*) {
    const TAddressEdits billing = BillingEdits(), site = SiteEdits();
    for (int i = 0; i < CustomerFieldCount; ++i) site[i]->SetText(billing[i]->Text());
}

bool TRadonMainForm::BuildCustomerText() {
    for (const TAddressEdits& edits : {BillingEdits(), SiteEdits()}) {
        for (int i = 0; i < CustomerFieldCount; ++i) {
            if (!RequiredFieldTexts[i] || !Trim(edits[i]->Text()).IsEmpty()) continue;
            MessageDlg(RequiredFieldTexts[i], mtError, {mbOK}, 0);
            UiPageControl1->SetActivePage(InspectionSheet);
            edits[i]->SetFocus();
            return false;
        }
    }
    CustomerText = CustomerBlockText(WindowFields(*this));
    return true;
}

AnsiString TRadonMainForm::CompanyBlockText() {
    return ::CompanyBlockText(frmPreferences->InspectorName, *Monitor);
}

AnsiString TRadonMainForm::InspectorInfoText() {
    return ::InspectorInfoText(frmPreferences->InspectorName, *Monitor);
}

AnsiString TRadonMainForm::ReadFieldValue(TStream& stream) { return ::ReadFieldValue(stream); }

AnsiString TRadonMainForm::ChooseTextFileToSave() {
    SaveDialog1->SetFilter(TextFileFilter);
    return SaveDialog1->Execute() ? WithTxtExtension(SaveDialog1->FileName()) : AnsiString();
}

bool TRadonMainForm::WriteTextFile(const AnsiString& fileName, const AnsiString& text) {
    try {
        WriteFileWhole(fileName, text.c_str(), static_cast<size_t>(text.Length()));
        return true;
    } catch (const EStreamError& e) {
        MessageDlg(e.Message(), mtError, {mbOK}, 0);
        return false;
    }
}
