#include "RadonMainForm.h"

#include "DynamicHTMLHelp.h"
#include "Preferences.h"
#include "QMCAbout.h"
#include "Radon.h"
#include "SettingsFile.h"
#include "UiBitBtn.h"
#include "UiCheckBox.h"
#include "UiEdit.h"
#include "UiLabel.h"
#include "UiPageControl.h"
#include "UiPanel.h"
#include "UiPollingStatus.h"
#include "UiProgressStatus.h"
#include "UiSpacer.h"
#include "UiStatusBar.h"
#include "UiToolButton.h"
#include "UiToolbar.h"
#include "UiVersionInfo.h"
#include "cl_sys.h"

TRadonMainForm* RadonMainForm = nullptr;

namespace {

template <class T> T* Place(TComponent* owner, TWinControl* parent, const AnsiString& name,
                            int x, int y, int w, int h) {
    T* control = new T(owner);
    if (!name.IsEmpty()) control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(x, y, w, h);
    return control;
}

const char* const ToolButtons[][2] = {
    {"OpenButton", "Open"},      {"SaveButton", "Save"},          {"", ""},
    {"PrintButton", "Print"},    {"PreviewButton", "Preview"},    {"", ""},
    {"CopyButton", "Copy"},      {"CopyChartButton", "Copy Chart"}, {"WriteButton", "Write"},
    {"", ""},
    {"PreferencesButton", "Preferences"}, {"TestOptionsButton", "Options"},
    {"SerialButton", "Serial"},  {"", ""},
    {"HelpButton", "Help"},
};

const char* const IdentityCaptions[] = {"Model Number:", "Serial Number:", "Calibration Date:",
                                        "Battery:", "CF:"};
const char* const TestCaptions[] = {"Start Time:", "Measurements:", "Measurement Interval:",
                                    "Hours Delayed:", "Test Duration:", "Overall Average:",
                                    "EPA Average:"};
const char* const AddressCaptions[] = {"Name", "Address 1", "Address 2", "City",
                                       "State/Province", "Zip", "Phone Number"};

const char* const RadonRiskText =
    "Radon is the second leading cause of lung cancer, after smoking.  The US EPA and Surgeon "
    "General strongly recommend taking further action when a homes radon test results are 4.0 "
    "pCi/l or greater.  The concentration of radon in the home is measured in picocuries per "
    "liter of air (pCi/l).  Radon levels less than 4.0 pCi/l still pose some risk and in many "
    "cases may be reduced.  If the radon level in the home is between 2.0 and 4.0 pCi/l, the EPA "
    "still recommends that you consider fixing the home.  The average indoor radon level is "
    "estimated to be about 1.3 pCi/l; roughly 0.4 pCi/l of radon is normally found in the "
    "outside air.  The higher the home radon level, the greater the health risk. Even homes "
    "with very high radon levels can be reduced to below 4.0 pCi/l and many homes can be "
    "reduced to 2.0 pCi/l or less.";

const char* const ChecklistCaptions[] = {
    "The location of the detector was selected so the detector was not to be disturbed during "
    "testing.",
    "The detector was not located near drafts caused by HVAC vents, windows and doors.",
    "The detector was not placed near areas of excessive heat, such as a fireplace or in direct "
    "sunlight.",
    "The detector was placed within the breathing zone of 6 to 8 feet, 20 inches above the floor "
    "level and 4 inches away from other objects to not impede air flow.",
    "The detector was not placed within 1 foot  of outside walls of the home or within 3 feet  "
    "of any windows or doors to the exterior of the home. ",
    "The monitor was not placed in a kitchen, laundry room, root cellar, garage, crawl space or "
    "sump area. ",
    "Whole house fans were turned off during testing.",
    "Portable window fans were removed or sealed in place prior to testing.",
    "Window air conditioners were operable in recirculation mode only.",
    "Ceiling fans, portable dehumidifiers, portable humidifiers, portable air filters, and all "
    "window air conditioners are not operated within 20 feet of the detector.",
};

// A framed group with a gradient banner carrying its title.
TUiPanel* Group(TComponent* owner, TWinControl* parent, const char* title, int x, int y, int w,
                int h) {
    auto* group = Place<TUiPanel>(owner, parent, "", x, y, w, h);
    group->SetBevelOuter(bvLowered);
    group->SetCaption("");
    auto* banner = Place<TUiPanel>(owner, group, "", 0, 0, w, 18);
    banner->SetAlign(alTop);
    banner->SetBevelOuter(bvNone);
    banner->SetVisualStyle(vsGradient);
    banner->SetGradientColorStyle(gcsMSOffice);
    banner->SetAlignment(taLeftJustify);
    banner->SetCaption(title);
    banner->Font()->SetStyle({fsBold});
    return group;
}

TUiLabel* MakeLabel(TComponent* owner, TWinControl* parent, const AnsiString& name,
               const AnsiString& caption, int x, int y, int w, int h = 15) {
    auto* label = Place<TUiLabel>(owner, parent, name, x, y, w, h);
    label->SetCaption(caption);
    label->SetWordWrap(h > 15);
    label->SetTransparent(true);
    return label;
}

}  // namespace

TRadonMainForm::TRadonMainForm(TComponent* owner) : TForm(owner) {
    BeginLoading(this);
    SetName("RadonMainForm");
    SetCaption("Continuous Radon Monitor");
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 892, 758);
    Font()->SetName("MS Sans Serif");
    CreateToolbar();
    CreateStatusBar();
    CreatePages();
    DynamicHTMLHelp = new TDynamicHTMLHelp(this);
    DynamicHTMLHelp->SetName("DynamicHTMLHelp");
    QMCAboutComponent = new TQMCAboutComponent(this);
    QMCAboutComponent->SetName("QMCAboutComponent");
    OnShow = Bind(this, &TRadonMainForm::FormShow);
    OnClose = Bind(this, &TRadonMainForm::FormClose);
    EndLoading(this);
    OpenMonitor();
    ExeDirectory = ExtractFilePath(ExeFileName());
    DynamicHTMLHelp->SethtmlHelpFile(ExeDirectory + "Duvor Idiv.ede");
    TestShown = false;
}

void TRadonMainForm::OpenMonitor() {
    Monitor = new TRadon(this);
    Monitor->SetBaud(57600);
    Monitor->OnPacketReceived = Bind(this, &TRadonMainForm::ComAPacketReceived);
    Monitor->SetDtrControl(dtrDisable);
    Monitor->SetRtsControl(rtsDisable);
    Monitor->OnIncProgress = [this](uint16_t n) { IncProgress(n); };
    ReadPortSetting(this);
    try {
        Monitor->ComInit();
    } catch (...) {
    }
}

void TRadonMainForm::BeforeDestruction() {
    TForm::BeforeDestruction();
    Monitor = nullptr;
}

void TRadonMainForm::CreateToolbar() {
    Toolbar = Place<TUiToolbar>(this, this, "Toolbar", 0, 0, 892, 44);
    Toolbar->SetVisualStyle(vsGradient);
    Toolbar->SetGradientColorStyle(gcsMSOffice);
    Toolbar->SetTextOptions(ttoShowTextLabels);
    int spacer = 0;
    for (const auto& button : ToolButtons) {
        if (*button[0] == '\0') {
            auto* gap = Place<TUiSpacer>(this, Toolbar, "UiSpacer" + IntToStr(++spacer), 0, 0, 8, 40);
            gap->SetGrooved(true);
            continue;
        }
        auto* toolButton = Place<TUiToolButton>(this, Toolbar, button[0], 0, 0, 60, 40);
        toolButton->SetCaption(button[1]);
    }
    Toolbar->SetHeight(44);
}

void TRadonMainForm::CreateStatusBar() {
    StatusBar = Place<TUiStatusBar>(this, this, "StatusBar", 0, 0, 892, 19);
    StatusBar->SetVisualStyle(vsGradient);
    StatusBar->SetGradientColorStyle(gcsMSOffice);
    VersionInfo = new TUiVersionInfo(this);
    VersionInfo->SetName("VersionInfo");
    auto* version = Place<TUiVersionInfoStatus>(this, StatusBar, "VersionStatus", 0, 0, 120, 19);
    version->SetAlign(alRight);
    version->SetFieldLabel("Version");
    version->SetFieldLabelColor(clBlack);
    version->SetHint("Software Version");
    version->SetVersionInfo(VersionInfo);
    auto* clock = Place<TUiClockStatus>(this, StatusBar, "ClockStatus", 0, 0, 150, 19);
    clock->SetFormat("dddddd tt");
    const TUiToggleKey keys[] = {tkCapsLock, tkNumLock, tkScrollLock};
    const char* const keyNames[] = {"CapsLockStatus", "NumLockStatus", "ScrollLockStatus"};
    for (int i = 0; i < 3; ++i) {
        auto* key = Place<TUiKeyStatus>(this, StatusBar, keyNames[i], 150 + 45 * (i + 1), 0, 45, 19);
        key->SetKey(keys[i]);
    }
    ProgressStatus = Place<TUiProgressStatus>(this, StatusBar, "ProgressStatus", 400, 0, 150, 19);
    ProgressStatus->SetBarStyle(bsGradient);
    ProgressStatus->SetBorderWidth(0);
    ProgressStatus->SetTransparent(false);
    ProgressStatus->SetParentColor(false);
    ProgressStatus->SetColor(clBtnFace);
    ProgressStatus->SetPercent(100);
    auto* text = Place<TUiStatusPane>(this, StatusBar, "TextStatus", 560, 0, 200, 19);
    text->SetAlign(alClient);
    text->SetCaption("QMC Continuous Radon Monitor");
}

void TRadonMainForm::CreatePages() {
    UiPageControl1 = Place<TUiPageControl>(this, this, "UiPageControl1", 0, 44, 892, 600);
    UiPageControl1->SetAlign(alClient);
    auto sheet = [&](const char* name, const char* caption) {
        auto* page = new TUiTabSheet(this);
        page->SetName(name);
        page->SetCaption(caption);
        page->SetPageControl(UiPageControl1);
        return page;
    };
    InspectionSheet = sheet("InspectionSheet", "Inspection");
    ChartSheet = sheet("ChartSheet", " Chart ");
    ImagesSheet = sheet("ImagesSheet", "Pictures");
    TabSheet1 = sheet("TabSheet1", "Checklist");
    UiPageControl1->SetActivePage(InspectionSheet);
    CreateInspectionSheet();
    CreateChecklistSheet();
}

void TRadonMainForm::CreateInspectionSheet() {
    TWinControl* sheet = InspectionSheet;
    TUiPanel* monitor = Group(this, sheet, "Continuous Radon Monitor", 6, 6, 420, 122);
    TUiLabel** identity[] = {&ModelNumberLB, &SerialNumberLB, &CalibrationDateLB,
                             &BatteryStatusLB, &CFLB};
    const char* const identityNames[] = {"ModelNumberLB", "SerialNumberLB", "CalibrationDateLB",
                                         "BatteryStatusLB", "CFLB"};
    for (int i = 0; i < 5; ++i)
        *identity[i] = MakeLabel(this, monitor, identityNames[i], IdentityCaptions[i], 10, 24 + 19 * i, 400);

    TUiPanel* test = Group(this, sheet, "Test Parameters", 6, 134, 420, 160);
    TUiLabel** values[] = {&StartDateVal, &NumMeasurementsVal, &MeasurementIntervalVal,
                           &HoursDelayVal, &TestDurationVal, &LabelOverallAverage,
                           &LabelEPAAverage};
    const char* const valueNames[] = {"StartDateVal", "NumMeasurementsVal",
                                      "MeasurementIntervalVal", "HoursDelayVal", "TestDurationVal",
                                      "LabelOverallAverage", "LabelEPAAverage"};
    for (int i = 0; i < 7; ++i) {
        MakeLabel(this, test, "", TestCaptions[i], 10, 24 + 19 * i, 140);
        *values[i] = MakeLabel(this, test, valueNames[i], "", 160, 24 + 19 * i, 250);
    }
    ButtonRetrive = Place<TButton>(this, sheet, "ButtonRetrive", 6, 300, 220, 30);
    ButtonRetrive->SetCaption("Retrieve Data From Monitor");
    ButtonRetrive->SetDefault(true);

    TUiPanel* customer = Group(this, sheet, "Customer Information", 434, 6, 436, 210);
    MakeLabel(this, customer, "", "Billing Address", 90, 22, 150);
    MakeLabel(this, customer, "", "Site Address", 262, 22, 150);
    TUiEdit** billing[] = {&CustomerNameEdit, &CustomerAddress1Edit, &CustomerAddress2Edit,
                           &CustomerCityEdit, &CustomerStateEdit, &CustomerZipEdit,
                           &CustomerPhoneNumberEdit};
    TUiEdit** site[] = {&SiteCustomerNameEdit, &SiteCustomerAddress1Edit,
                        &SiteCustomerAddress2Edit, &SiteCustomerCityEdit, &SiteCustomerStateEdit,
                        &SiteCustomerZipEdit, &SiteCustomerPhoneNumberEdit};
    const char* const billingNames[] = {
        "CustomerNameEdit", "CustomerAddress1Edit", "CustomerAddress2Edit", "CustomerCityEdit",
        "CustomerStateEdit", "CustomerZipEdit", "CustomerPhoneNumberEdit"};
    for (int i = 0; i < 7; ++i) {
        const int y = 40 + 23 * i;
        MakeLabel(this, customer, "", AddressCaptions[i], 8, y + 3, 80);
        *billing[i] = Place<TUiEdit>(this, customer, billingNames[i], 90, y, 165, 21);
        *site[i] = Place<TUiEdit>(this, customer, AnsiString("Site") + billingNames[i], 262, y, 165, 21);
    }
    TUiPanel* company = Group(this, sheet, "Inspection Company", 434, 222, 436, 72);
    InspectorInfo = MakeLabel(this, company, "InspectorInfo", "", 10, 24, 416, 44);

    TUiPanel* risk = Group(this, sheet, "Radon Risk Information", 6, 338, 420, 170);
    MakeLabel(this, risk, "labelRadonRiskInfo", RadonRiskText, 10, 24, 400, 140);

    TUiPanel* protocols =
        Group(this, sheet, "Understanding Time-Sensitive Testing Protocols", 434, 300, 436, 208);
    MakeLabel(this, protocols, "UiLabel21", "Continuous Monitor Results:", 10, 24, 400);
    MakeLabel(this, protocols, "labelResult1", "Single test result average 4.0 pCi/l or more", 10, 44, 290);
    MakeLabel(this, protocols, "UiLabel30", "Fix the home", 300, 44, 130);
    MakeLabel(this, protocols, "labelResult2",
         "Single test result average between 2.0 and 4.0 pCi/l                  ", 10, 62, 290);
    MakeLabel(this, protocols, "UiLabel31", "Consider fixing the home", 300, 62, 130);
    MakeLabel(this, protocols, "labelResult3",
         "Less than 4.0 pCi/l: confirm the low result by testing again at least every two years "
         "and whenever significant changes to the home structure or mechanical systems occur.",
         10, 86, 416, 58);
    MakeLabel(this, protocols, "labelResult4",
         "Test during different seasons and different weather conditions to reduce your risk of "
         "exposure.",
         10, 148, 416, 44);

    TUiPanel* documents = Group(this, sheet, "Documents Provided", 6, 514, 420, 84);
    const char* const documentNames[] = {"UiLabel23", "UiLabel24", "UiLabel26"};
    const char* const documentTexts[] = {"* Prior Notice of Inspection",
                                         "* Closed House Conditions Met",
                                         "* Non-Interference Agreement"};
    for (int i = 0; i < 3; ++i)
        MakeLabel(this, documents, documentNames[i], documentTexts[i], 10, 24 + 18 * i, 400);

    buttonClearScreen = Place<TUiBitBtn>(this, sheet, "buttonClearScreen", 664, 560, 100, 30);
    buttonClearScreen->SetCaption("Clear Screen");
    UiBitBtn2 = Place<TUiBitBtn>(this, sheet, "UiBitBtn2", 770, 560, 100, 30);
    UiBitBtn2->SetCaption("Close");
}

void TRadonMainForm::CreateChecklistSheet() {
    for (int i = 0; i < 10; ++i) {
        ChecklistBoxes[i] = Place<TUiCheckBox>(this, TabSheet1, "CheckBox" + IntToStr(i + 1), 16,
                                               16 + 34 * i, 850, 28);
        ChecklistBoxes[i]->SetCaption(ChecklistCaptions[i]);
    }
}

void TRadonMainForm::FormShow(TObject*) {
    if (frmPreferences) frmPreferences->ReadSettings();
    UiPageControl1->SetActivePage(InspectionSheet);
}

void TRadonMainForm::FormClose(TObject*, TCloseAction&) { DynamicHTMLHelp->CloseAllHelp(); }

void TRadonMainForm::ComAPacketReceived(TObject*, const AnsiString&) {
    Monitor->HandleComADataRecieved();
}

void TRadonMainForm::FirmwareDownload1Click(TObject*) {}

void TRadonMainForm::IncProgress(uint16_t n) {
    ProgressStatus->SetPercent(static_cast<uint16_t>(ProgressStatus->Percent() + n));
}
