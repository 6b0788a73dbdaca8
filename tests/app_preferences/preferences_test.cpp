// The preferences window with the monitor simulator on the far end of COM8: company texts, PIN,
// units and clock read and sent as the monitor receives them, the refusals while a test is in
// the monitor and for a bad PIN, Cancel against OK, refused entries and a cleared monitor clock.
#include "Preferences.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Radon.h"
#include "RadonMainForm.h"
#include "SettingsFile.h"
#include "UiBitBtn.h"
#include "UiCheckBox.h"
#include "UiComboBox.h"
#include "UiDateTimePicker.h"
#include "UiEdit.h"
#include "UiLabel.h"
#include "UiPageControl.h"
#include "UiRadioGroup.h"
#include "cl_datetime.h"
#include "cl_dialogs.h"
#include "cl_graphics.h"
#include "cl_hooks.h"
#include "cl_locale.h"
#include "cl_settings.h"
#include "cl_number.h"
#include "cl_sys.h"
#include "monitor_simulator.h"
#include "main_window_environment.h"
#include "test_pump.h"

namespace {

using testsupport::FillTest;
using testsupport::MonitorSimulator;
using testsupport::SimMonitor;

constexpr int ProgramPort = 7, SimulatorPort = 8;

const auto* controls = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);
const auto* environment =
    ::testing::AddGlobalTestEnvironment(new MainWindowEnvironment(ProgramPort));

TDateTime clockNow = 0;

// What runs inside the window's modal loop, once it shows.
std::function<void()>& WhileShownAction() {
    static std::function<void()> action;
    return action;
}

void CALLBACK RunWhileShown(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto action = std::move(WhileShownAction());
    WhileShownAction() = nullptr;
    if (action) action();
}

std::string Trimmed(const std::string& text) { return TrimRight(AnsiString(text)).c_str(); }

class Preferences : public ::testing::Test {
protected:
    void SetUp() override {
        form = frmPreferences;
        clockNow = EncodeDate(2020, 5, 6) + EncodeTime(10, 20, 0, 0);
        Hooks().Now = [] { return clockNow; };
        Boxes().clear();
        DeleteFileA(SettingsFileName().c_str());
        Monitor->NumMeasurements = 0;
    }
    void TearDown() override {
        sim.reset();
        Hooks().Now = nullptr;
        Monitor->NumMeasurements = 0;
    }

    void Serve(const SimMonitor& config) {
        sim.reset();
        sim = std::make_unique<MonitorSimulator>(SimulatorPort, config);
        sim->Start();
    }
    // Shows the window through `show` and runs `action` while it is up; the action closes it.
    void WhileShown(const std::function<void()>& show, const std::function<void()>& action) {
        WhileShownAction() = action;
        SetTimer(nullptr, 0, 30, RunWhileShown);
        show();
        ASSERT_FALSE(WhileShownAction()) << "the window never showed";
        ASSERT_FALSE(form->Visible());
    }
    void MonitorSettings(bool lock, const std::function<void()>& action) {
        form->PageControl->SetActivePageIndex(0);
        WhileShown([&] { EXPECT_TRUE(form->ShowMonitorSettings(lock)); }, action);
    }
    void PrintPreferences(const std::function<void()>& action) {
        form->PageControl->SetActivePageIndex(1);
        WhileShown([&] { EXPECT_TRUE(form->ShowPrintPreferences()); }, action);
    }
    int RequestsOf(uint8_t command) const {
        int count = 0;
        for (const auto& request : sim->Requests()) count += request.command == command;
        return count;
    }
    std::vector<TControl*> MonitorControls() const {
        return {form->CompanyNameEdit,   form->Address1Edit,      form->Address2Edit,
                form->CityEdit,          form->StateEdit,         form->ZipEdit,
                form->PhoneNumberEdit,   form->LicenseNumberEdit, form->DatePicker,
                form->TimePicker,        form->SetMonitorTimeCB,  form->PinNumberEdit,
                form->RadonUnitsComboBox};
    }
    bool AllEnabled(bool enabled) const {
        for (TControl* control : MonitorControls())
            if (control->Enabled() != enabled) return false;
        return true;
    }
    void ExpectLockedBox(size_t index = 0) {
        ASSERT_GT(Boxes().size(), index);
        EXPECT_EQ(Boxes()[index].text,
                  "There is radon data in the monitor. Radon monitor information update is not "
                  "allowed.\nPlease clear the radon data to update the monitor information");
        EXPECT_EQ(Boxes()[index].caption, "Message");
        EXPECT_EQ(Boxes()[index].flags, static_cast<unsigned>(MB_ICONEXCLAMATION));
    }

    TfrmPreferences* form = nullptr;
    std::unique_ptr<MonitorSimulator> sim;
};

TEST_F(Preferences, RetrieveShowsTheMonitorAndSendWritesWhatTheUserChanged) {
    SimMonitor config;
    config.companyName = "Radon Inspections Inc.   ";
    Serve(config);
    MonitorSettings(true, [&] {
        EXPECT_EQ(form->PageControl->PageCount(), 2);
        EXPECT_FALSE(form->SetupSendRMBtn->Enabled());
        form->btnRetrieve->Click();
        EXPECT_TRUE(Boxes().empty());
        EXPECT_EQ(form->CompanyNameEdit->GetText(), "Radon Inspections Inc.");
        EXPECT_EQ(form->Address1Edit->GetText(), "12 Main Street");
        EXPECT_EQ(form->CityEdit->GetText(), "Springfield");
        EXPECT_EQ(form->LicenseNumberEdit->GetText(), "LIC-7788");
        EXPECT_EQ(form->PinNumberEdit->GetText(), "3142");
        EXPECT_EQ(form->RadonUnitsComboBox->ItemIndex(), 1);
        EXPECT_EQ(form->FirmwareVersionVal->Caption(), "213");
        EXPECT_EQ(form->SerialNumberVal->Caption(), "SN00012345");
        EXPECT_EQ(form->ModelNumber, "6916");
        EXPECT_EQ(form->DatePicker->Date(), EncodeDate(2009, 7, 4));
        EXPECT_EQ(FormatDateTime("hh:nn", form->TimePicker->Time()), "13:45");
        EXPECT_EQ(form->TimePicker->Format(), "hh:mm tt");
        EXPECT_EQ(form->TemperatureUnitsLabel->Caption(), "Fahrenheit");
        EXPECT_EQ(form->PressureUnitsValue->Caption(), "inHg");
        EXPECT_TRUE(form->SetupSendRMBtn->Enabled());
        EXPECT_TRUE(AllEnabled(true));

        form->CompanyNameEdit->SetText("QMC Homes");
        form->CityEdit->SetText("Fargo");
        form->LicenseNumberEdit->SetText("L-42");
        form->PinNumberEdit->SetText("4321");
        form->RadonUnitsComboBox->SetItemIndex(0);
        form->DatePicker->SetDate(EncodeDate(2021, 3, 5));
        form->SetMonitorTimeCB->SetChecked(true);
        form->DatePicker->SetDate(EncodeDate(2021, 3, 5));
        form->TimePicker->SetTime(EncodeTime(8, 7, 31, 0));
        sim->ClearRequests();
        form->SetupSendRMBtn->Click();
        EXPECT_TRUE(Boxes().empty());
        EXPECT_FALSE(form->SetMonitorTimeCB->GetChecked());
        EXPECT_EQ(Screen->Cursor(), crDefault);
        EXPECT_EQ(RequestsOf(72), 1);
        EXPECT_EQ(RequestsOf(71), 1);

        sim->ClearRequests();
        form->SetupSendRMBtn->Click();
        EXPECT_EQ(RequestsOf(1), 1);
        EXPECT_EQ(RequestsOf(72), 1);
        EXPECT_EQ(RequestsOf(71), 0) << "the clock goes only while Set Monitor Time is checked";
        form->btnCancel->Click();
    });
    const SimMonitor received = sim->Monitor();
    EXPECT_EQ(received.companyName, std::string("QMC Homes") + std::string(21, ' '));
    EXPECT_EQ(Trimmed(received.city), "Fargo");
    EXPECT_EQ(Trimmed(received.license), "L-42");
    EXPECT_EQ(Trimmed(received.address2), "Suite 4");
    EXPECT_EQ(received.pin, "4321");
    EXPECT_EQ(received.unitsIndex, 0);
    const uint16_t clock[5] = {2021, 3, 5, 8, 7};
    EXPECT_TRUE(std::equal(clock, clock + 5, received.clock));
}

// A retrieval that fails part-way puts back the test the main window shows, so that Save and
// the raw-data commands never mix two tests.
TEST_F(Preferences, AFailedRetrievalLeavesTheShownTestAsItWas) {
    TDeviceRecord& record = *Monitor;
    record.ModelNumber = "6915";
    record.SerialNumber = "SHOWN-1";
    record.CompanyName = "Shown Company";
    record.CF1 = 1.5f;
    record.NumMeasurements = 3;
    record.Measurements[1].Alpha0Counts = 77;
    const auto shown = std::make_unique<TDeviceRecord>(record);
    SimMonitor config;
    FillTest(config, 6);
    Serve(config);
    testsupport::Fault fault;
    fault.kind = testsupport::FaultKind::UnsolicitedStatus;
    fault.command = 49;  // the first record, after the header and the company texts
    fault.times = 1;
    fault.otherCommand = 113;
    sim->AddFault(fault);
    MonitorSettings(false, [&] {
        form->btnRetrieve->Click();
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].caption, "Monitor Error");
        form->btnCancel->Click();
    });
    EXPECT_EQ(record.ModelNumber, shown->ModelNumber);
    EXPECT_EQ(record.SerialNumber, shown->SerialNumber);
    EXPECT_EQ(record.CompanyName, shown->CompanyName);
    EXPECT_EQ(record.CF1, shown->CF1);
    EXPECT_EQ(record.NumMeasurements, shown->NumMeasurements);
    EXPECT_EQ(record.UnitsIndex, shown->UnitsIndex);
    EXPECT_EQ(record.StartTime, shown->StartTime);
    EXPECT_EQ(record.Measurements[1].Alpha0Counts, 77);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

// The monitor's clock and the clock handed over by the main window read the same whatever the
// system's time separator.
TEST_F(Preferences, TheMonitorClockReadsTheSameWithAnyTimeSeparator) {
    const char saved = TimeSeparator;
    TimeSeparator = '.';
    Serve(SimMonitor{});
    MonitorSettings(false, [&] {
        form->TimePicker->SetTime(EncodeTime(1, 2, 0, 0));
        form->btnRetrieve->Click();
        EXPECT_TRUE(Boxes().empty());
        EXPECT_NEAR(form->TimePicker->Time(), EncodeTime(13, 45, 0, 0), 1e-6);
        form->btnCancel->Click();
    });
    form->TestTime = "9:5";
    MonitorSettings(false, [&] {
        EXPECT_NEAR(form->TimePicker->Time(), EncodeTime(9, 5, 0, 0), 1e-6);
        form->btnCancel->Click();
    });
    TimeSeparator = saved;
    form->TestTime = "";
}

TEST_F(Preferences, ABadPinSendsNothingAndLeavesTheRecordAlone) {
    Serve(SimMonitor{});
    MonitorSettings(true, [&] {
        form->btnRetrieve->Click();
        const AnsiString company = Monitor->CompanyName;
        const uint32_t units = Monitor->UnitsIndex;
        form->CompanyNameEdit->SetText("Changed");
        form->RadonUnitsComboBox->SetItemIndex(0);
        form->SetMonitorTimeCB->SetChecked(true);
        for (const char* pin : {"1259", "123", "12345", "abcd"}) {
            SCOPED_TRACE(pin);
            Boxes().clear();
            sim->ClearRequests();
            form->PinNumberEdit->SetText(pin);
            form->SetupSendRMBtn->Click();
            ASSERT_EQ(Boxes().size(), 1u);
            EXPECT_EQ(Boxes()[0].caption, "Monitor Error");
            EXPECT_NE(Boxes()[0].text.Pos("Invalid Pin value"), 0);
            EXPECT_TRUE(sim->Requests().empty());
            EXPECT_EQ(Monitor->CompanyName, company);
            EXPECT_EQ(Monitor->UnitsIndex, units);
            EXPECT_EQ(Monitor->GetPin(), "3142");
            EXPECT_TRUE(form->SetMonitorTimeCB->GetChecked());
            EXPECT_EQ(Screen->Cursor(), crDefault);
        }
        form->btnCancel->Click();
    });
    EXPECT_EQ(sim->Monitor().pin, "3142");
}

TEST_F(Preferences, ATestInTheMonitorLocksItsSettings) {
    SimMonitor config;
    FillTest(config, 6);
    Serve(config);
    MonitorSettings(true, [&] {
        EXPECT_TRUE(Boxes().empty()) << "no test known before the retrieval";
        form->btnRetrieve->Click();
        ExpectLockedBox();
        for (TControl* control : MonitorControls()) {
            if (control != form->DatePicker && control != form->TimePicker) {
                EXPECT_FALSE(control->Enabled()) << control->Name().c_str();
            }
        }
        EXPECT_TRUE(form->DatePicker->Enabled());
        EXPECT_TRUE(form->TimePicker->Enabled());
        EXPECT_FALSE(form->SetupSendRMBtn->Enabled());
        EXPECT_TRUE(form->InspectorNameEdit->Enabled());

        Boxes().clear();
        sim->ClearRequests();
        form->SetupSendRMBtnClick(nullptr);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].text, "Cannot update monitor until test is cleared");
        EXPECT_EQ(Boxes()[0].caption, "Update Message");
        EXPECT_TRUE(sim->Requests().empty());
        form->btnCancel->Click();
    });

    Boxes().clear();
    MonitorSettings(true, [&] {
        ExpectLockedBox();
        EXPECT_TRUE(AllEnabled(false));
        form->btnCancel->Click();
    });
    Boxes().clear();
    PrintPreferences([&] {
        EXPECT_TRUE(AllEnabled(false));
        form->btnCancel->Click();
    });
    EXPECT_TRUE(Boxes().empty());
    MonitorSettings(false, [&] {
        EXPECT_TRUE(AllEnabled(true));
        form->btnCancel->Click();
    });
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Preferences, UnitLabelsFollowTheUnitsAndTheModel) {
    struct Case {
        int units;
        const char* model;
        uint16_t measurements;
        const char *temperature, *pressure;
        bool visible;
    };
    const Case cases[] = {{0, "6916", 0, "Celsius", "kPa", true},
                          {1, "6916", 0, "Fahrenheit", "inHg", true},
                          {1, "6915", 3, "Fahrenheit", "inHg", false},
                          {0, "6916", 3, "Celsius", "kPa", true}};
    for (const Case& c : cases) {
        form->TemperatureUnitsLabel->SetVisible(true);
        form->PressureUnitsValue->SetVisible(true);
        form->ModelNumber = c.model;
        Monitor->NumMeasurements = c.measurements;
        form->RadonUnitsComboBox->SetItemIndex(c.units);
        form->RadonUnitsComboBoxChange(nullptr);
        EXPECT_EQ(form->TemperatureUnitsLabel->Caption(), c.temperature);
        EXPECT_EQ(form->PressureUnitsValue->Caption(), c.pressure);
        EXPECT_EQ(form->TemperatureUnitsLabel->Visible(), c.visible) << c.model;
        EXPECT_EQ(form->PressureUnitsValue->Visible(), c.visible) << c.model;
    }
}

TEST_F(Preferences, AClearedOrImpossibleMonitorClockShowsNow) {
    SimMonitor config;
    std::fill(config.clock, config.clock + 5, 0);
    Serve(config);
    MonitorSettings(true, [&] {
        form->DatePicker->SetDate(EncodeDate(2001, 1, 1));
        form->btnRetrieve->Click();
        EXPECT_TRUE(Boxes().empty());
        EXPECT_EQ(form->DatePicker->Date(), EncodeDate(2020, 5, 6));
        EXPECT_EQ(FormatDateTime("hh:nn", form->TimePicker->Time()), "00:00");
        EXPECT_TRUE(form->SetupSendRMBtn->Enabled());
        form->btnCancel->Click();
    });

    form->TestDate = "0/0/0";
    form->TestTime = "0:0";
    MonitorSettings(false, [&] {
        EXPECT_EQ(form->DatePicker->Date(), EncodeDate(2020, 5, 6));
        form->btnCancel->Click();
    });
    std::fill(config.clock, config.clock + 5, 99);
    Serve(config);
    MonitorSettings(true, [&] {
        form->btnRetrieve->Click();
        EXPECT_TRUE(Boxes().empty());
        EXPECT_EQ(form->DatePicker->Date(), EncodeDate(2020, 5, 6));
        EXPECT_EQ(FormatDateTime("hh:nn", form->TimePicker->Time()), "10:20");
        form->btnCancel->Click();
    });
    form->TestDate = "7/4/2009";
    form->TestTime = "13:45";
    MonitorSettings(false, [&] {
        EXPECT_EQ(form->DatePicker->Date(), EncodeDate(2009, 7, 4));
        EXPECT_EQ(FormatDateTime("hh:nn", form->TimePicker->Time()), "13:45");
        form->btnCancel->Click();
    });
    form->TestDate = "";
    form->TestTime = "";
}

TEST_F(Preferences, OnlySetMonitorTimeResetsTheClockPickers) {
    form->SetMonitorTimeCB->SetChecked(true);
    for (TUiCheckBox* box :
         {form->PrintStructureTypechk, form->PrintYearBuiltchk,
          form->PrintAtomosphericConditionschk, form->PrintSQFTchk, form->PrintMonitorLocationchk,
          form->PrintWindchk, form->DisplayDataOnChartchk}) {
        form->DatePicker->SetDate(EncodeDate(2001, 1, 1));
        box->SetChecked(!box->GetChecked());
        EXPECT_EQ(form->DatePicker->Date(), EncodeDate(2001, 1, 1)) << box->Name().c_str();
    }
    form->SetMonitorTimeCB->SetChecked(false);
    EXPECT_FALSE(form->DatePicker->Enabled());
    EXPECT_EQ(form->DatePicker->Date(), EncodeDate(2020, 5, 6));
    form->DatePicker->SetDate(EncodeDate(2001, 1, 1));
    form->SetMonitorTimeCB->SetChecked(true);
    EXPECT_TRUE(form->TimePicker->Enabled());
    EXPECT_EQ(form->DatePicker->Date(), EncodeDate(2020, 5, 6));
    EXPECT_EQ(FormatDateTime("hh:nn", form->TimePicker->Time()), "10:20");
}

TEST_F(Preferences, EachShowingShowsOnlyTheSelectedSheet) {
    for (int page : {0, 1, 0}) {
        SCOPED_TRACE(page);
        MonitorSettings(false, [&] {
            form->PageControl->SetActivePageIndex(page);
            form->btnCancel->Click();
        });
        const bool print = page == 0;
        WhileShown(
            [&] {
                form->PageControl->SetActivePageIndex(print ? 1 : 0);
                print ? form->ShowPrintPreferences() : form->ShowMonitorSettings(false);
            },
            [&] {
                EXPECT_EQ(IsWindowVisible(form->PrintingSheet->Handle()) != 0, print);
                EXPECT_EQ(IsWindowVisible(form->MonitorSheet->Handle()) != 0, !print);
                form->btnCancel->Click();
            });
    }
}

// The settings fields as the main window copies them from the controls after the window closed.
TPrintSettings CopiedFromControls(TfrmPreferences* form) {
    TPrintSettings s = *form;
    s.InspectorName = form->InspectorNameEdit->GetText();
    s.PrintWind = form->PrintWindchk->GetChecked();
    s.CreateCoverPage = form->CreateCoverPagechk->GetChecked();
    s.DigitalSignature = form->editDigitalSignaturePath->GetText();
    s.LetterHeadSpace = static_cast<float>(StrToFloat(form->LetterHeadSpaceEdit->GetText()));
    s.ActionLevel = StrToFloat(form->ActionLevelEdit->GetText());
    s.HeaderImageAlignment = form->radioHeaderImageAlignment->ItemIndex();
    return s;
}

void WriteStoredPreferences() {
    TIniFile ini(SettingsFileName());
    ini.WriteString("Inspector", "Name", "Pat Smith");
    ini.WriteString("LetterHeadSpace", "Space", "1.125");
    ini.WriteString("ActionLevel", "Level", "3.333");
    ini.WriteString("Print", "PrintFactor", "7.25");
    ini.WriteBool("Print", "PrintWind", true);
}

void ChangePrintControls(TfrmPreferences* form) {
    form->InspectorNameEdit->SetText("Jane Roe");
    form->PrintWindchk->SetChecked(false);
    form->CreateCoverPagechk->SetChecked(true);
    form->editDigitalSignaturePath->SetText("C:\\sign.bmp");
    form->LetterHeadSpaceEdit->SetText("1.5");
    form->ActionLevelEdit->SetText("6.5");
    form->radioHeaderImageAlignment->SetItemIndex(2);
    form->StructureTypeEdit->SetText("Ranch");
    form->WindDirCB->SetItemIndex(3);
    form->PrintMitigationSystemInstalledchk->SetChecked(true);
    form->radioMitigationWorking->SetItemIndex(1);
}

TEST_F(Preferences, CancelKeepsThePreferencesAndOkWritesThem) {
    WriteStoredPreferences();
    PrintPreferences([&] {
        EXPECT_EQ(form->InspectorNameEdit->GetText(), "Pat Smith");
        EXPECT_EQ(form->LetterHeadSpaceEdit->GetText(), "1.13");
        EXPECT_EQ(form->ActionLevelEdit->GetText(), "3.33");
        ChangePrintControls(form);
        form->btnCancel->Click();
    });
    const TPrintSettings copied = CopiedFromControls(form);
    EXPECT_EQ(copied.InspectorName, "Pat Smith");
    EXPECT_TRUE(copied.PrintWind);
    EXPECT_FALSE(copied.CreateCoverPage);
    EXPECT_EQ(copied.DigitalSignature, "");
    EXPECT_EQ(copied.LetterHeadSpace, 1.125f);
    EXPECT_EQ(copied.ActionLevel, 3.333);
    EXPECT_EQ(copied.HeaderImageAlignment, 1);
    EXPECT_EQ(form->StructureTypeEdit->GetText(), "NA");
    EXPECT_EQ(form->WindDirCB->ItemIndex(), 0);
    EXPECT_FALSE(form->PrintMitigationSystemInstalledchk->GetChecked());
    EXPECT_FALSE(form->radioMitigationWorking->Enabled());
    EXPECT_EQ(form->radioMitigationWorking->ItemIndex(), 0);
    {
        TIniFile ini(SettingsFileName());
        EXPECT_EQ(ini.ReadString("Inspector", "Name", ""), "Pat Smith");
        EXPECT_FALSE(ini.ValueExists("Print", "CreateCoverPage"));
    }

    WhileShown([&] { form->ShowMonitorSettings(false); },
               [&] {
                   ChangePrintControls(form);
                   form->Close();
               });
    EXPECT_EQ(form->InspectorNameEdit->GetText(), "Pat Smith") << "closed by its close box";
    EXPECT_TRUE(form->PrintWindchk->GetChecked());

    PrintPreferences([&] {
        ChangePrintControls(form);
        form->btnOK->Click();
    });
    EXPECT_EQ(form->InspectorName, "Jane Roe");
    EXPECT_FALSE(form->PrintWind);
    EXPECT_TRUE(form->CreateCoverPage);
    EXPECT_EQ(form->LetterHeadSpace, 1.5f);
    EXPECT_EQ(form->ActionLevel, 6.5);
    EXPECT_EQ(form->HeaderImageAlignment, 2);
    EXPECT_EQ(form->StructureTypeEdit->GetText(), "Ranch");
    EXPECT_TRUE(form->radioMitigationWorking->Enabled());
    TIniFile ini(SettingsFileName());
    const TPrintSettings stored = ReadPrintSettings(ini);
    EXPECT_EQ(stored.InspectorName, "Jane Roe");
    EXPECT_FALSE(stored.PrintWind);
    EXPECT_TRUE(stored.CreateCoverPage);
    EXPECT_EQ(stored.DigitalSignature, "C:\\sign.bmp");
    EXPECT_EQ(stored.LetterHeadSpace, 1.5f);
    EXPECT_EQ(stored.ActionLevel, 6.5);
    EXPECT_EQ(stored.HeaderImageAlignment, 2);
    EXPECT_EQ(stored.PrintFactor, 7.25);
}

TEST_F(Preferences, PicturesAreChosenIntoThePathAndLoadedOnOk) {
    const AnsiString file = ExtractFilePath(SettingsFileName()) + "signature_test.bmp";
    {
        auto* bitmap = new TBitmap;
        bitmap->SetSize(37, 11);
        bitmap->SaveToFile(file);
        delete bitmap;
    }
    Hooks().ExecuteDialog = [&](TCommonDialog& dialog) {
        auto& open = dynamic_cast<TOpenDialog&>(dialog);
        EXPECT_NE(open.Filter().Pos("All (*.gif;*.jpg;*.jpeg;*.bmp)|"), 0);
        open.SetFileName(file);
        return true;
    };
    PrintPreferences([&] {
        form->btnSelectDigitalSignatureClick(nullptr);
        EXPECT_EQ(form->editDigitalSignaturePath->GetText(), file);
        EXPECT_EQ(form->editDigitalSignaturePath->SelStart(), file.Length());
        form->btnSelectHeaderImageClick(nullptr);
        EXPECT_EQ(form->editHeaderImagePath->GetText(), file);
        form->UiToolButton2Click(nullptr);
        EXPECT_EQ(form->editHeaderImagePath->GetText(), "");
        EXPECT_EQ(form->ImageDigitalSignature->Picture()->Width(), 0);
        form->btnOK->Click();
    });
    Hooks().ExecuteDialog = nullptr;
    EXPECT_EQ(form->DigitalSignature, file);
    EXPECT_EQ(form->ImageDigitalSignature->Picture()->Width(), 37);
    EXPECT_EQ(form->HeaderImage, "");
    form->UiToolButton1Click(nullptr);
    EXPECT_EQ(form->editDigitalSignaturePath->GetText(), "");
    EXPECT_EQ(form->ImageDigitalSignature->Picture()->Width(), 37) << "kept until one is loaded";
    DeleteFileA(file.c_str());
}

// A signature or header file that is no readable picture is reported once; its picture stays
// empty and every reading of the settings and showing of the window goes on.
TEST_F(Preferences, AnUnreadablePictureIsReportedOnceAndLeftEmpty) {
    const AnsiString folder = ExtractFilePath(SettingsFileName());
    const AnsiString signature = folder + "unreadable_signature.bmp";
    const AnsiString header = folder + "unreadable_header.jpg";
    for (const AnsiString& name : {signature, header}) {
        const char junk[] = "this is no picture";
        WriteFileWhole(name, junk, sizeof junk);
    }
    {
        TIniFile ini(SettingsFileName());
        ini.WriteString("Print", "DigitalSignature", signature);
        ini.WriteString("Print", "HeaderImage", header);
    }
    form->ImageDigitalSignature->Picture()->Bitmap()->SetSize(5, 5);
    form->ReadSettings();
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_NE(Boxes()[0].text.Pos(signature), 0) << Boxes()[0].text.c_str();
    EXPECT_NE(Boxes()[1].text.Pos(header), 0) << Boxes()[1].text.c_str();
    EXPECT_EQ(Boxes()[0].caption, "Message");
    EXPECT_EQ(form->ImageDigitalSignature->Picture()->Graphic(), nullptr);
    EXPECT_EQ(form->ImageHeaderImage->Picture()->Graphic(), nullptr);
    EXPECT_EQ(form->DigitalSignature, signature);
    EXPECT_EQ(form->ActionLevel, 4.0) << "every key is read";

    Boxes().clear();
    form->ReadSettings();
    MonitorSettings(false, [&] {
        EXPECT_EQ(form->editDigitalSignaturePath->GetText(), signature);
        form->btnOK->Click();
    });
    PrintPreferences([&] { form->btnCancel->Click(); });
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(form->ImageDigitalSignature->Picture()->Graphic(), nullptr);
    for (const AnsiString& name : {signature, header}) DeleteFileA(name.c_str());
}

TEST_F(Preferences, EntriesThatAreNoNumberOrTooLargeKeepTheWindowOpen) {
    struct Case {
        const char *space, *level, *message;
        TUiEdit* TfrmPreferences::*focused;
    };
    const Case cases[] = {
        {"2.01", "4", "Letter head space can not be more than 2 inches",
         &TfrmPreferences::LetterHeadSpaceEdit},
        {"abc", "4", "'abc' is not a valid floating point value",
         &TfrmPreferences::LetterHeadSpaceEdit},
        {"1", "high", "'high' is not a valid floating point value",
         &TfrmPreferences::ActionLevelEdit},
        {"1", "", "'' is not a valid floating point value", &TfrmPreferences::ActionLevelEdit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Boxes().clear();
        PrintPreferences([&] {
            form->InspectorNameEdit->SetText("Refused");
            form->LetterHeadSpaceEdit->SetText(c.space);
            form->ActionLevelEdit->SetText(c.level);
            form->btnOK->Click();
            ASSERT_EQ(Boxes().size(), 1u);
            EXPECT_EQ(Boxes()[0].text, c.message);
            EXPECT_EQ(Boxes()[0].caption, "Message");
            EXPECT_TRUE(form->Visible());
            EXPECT_EQ(form->ModalResult(), mrNone);
            EXPECT_EQ(form->ActiveControl(), form->*c.focused);
            form->btnCancel->Click();
        });
        EXPECT_EQ(GetFileAttributesA(SettingsFileName().c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(form->InspectorName, "");
        EXPECT_EQ(form->ActionLevel, 4.0);
    }

    Boxes().clear();
    PrintPreferences([&] {
        form->LetterHeadSpaceEdit->SetText("2");
        form->btnOK->Click();
    });
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(form->LetterHeadSpace, 2.0f);
}

}  // namespace
