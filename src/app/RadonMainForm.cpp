#include "RadonMainForm.h"

#include <commctrl.h>

#include "DynamicHTMLHelp.h"
#include "FormParts.h"
#include "GIFImage.h"
#include "PePDFR1.h"
#include "Preferences.h"
#include "QMCAbout.h"
#include "Radon.h"
#include "SettingsFile.h"
#include "UiBalloonHint.h"
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
#include "cl_dialogs.h"
#include "cl_imagelist.h"
#include "cl_menus.h"
#include "cl_sys.h"

TRadonMainForm* RadonMainForm = nullptr;

namespace {

// Glyphs of the system's standard small toolbar images, followed by its view images.
constexpr int ViewGlyphs = STD_PRINT + 1;
constexpr int NoGlyph = -1;

using Handler = void (TRadonMainForm::*)(TObject*);

struct ToolButtonEntry {
    TUiToolButton* TRadonMainForm::*Field;  // null for a separator
    const char* Name;
    const char* Caption;
    const char* Hint;
    int Glyph;
    Handler OnClick;
};

const ToolButtonEntry ToolButtons[] = {
    {&TRadonMainForm::ToolButtonOpen, "ToolButtonOpen", "Open", "Open Measured Data",
     STD_FILEOPEN, &TRadonMainForm::ToolButtonOpenClick},
    {&TRadonMainForm::ToolButtonSave, "ToolButtonSave", "Save", "Save Measured Data",
     STD_FILESAVE, &TRadonMainForm::ToolButtonSaveClick},
    {},
    {&TRadonMainForm::ToolButtonPrint, "ToolButtonPrint", "Print", "Print Test Results",
     STD_PRINT, &TRadonMainForm::ToolButtonPrintClick},
    {&TRadonMainForm::ToolButtonPrintPreview, "ToolButtonPrintPreview", "Print Preview",
     "Print Preview", STD_PRINTPRE, &TRadonMainForm::ToolButtonPrintPreviewClick},
    {},
    {&TRadonMainForm::ToolButtonCopy, "ToolButtonCopy", "Copy Data",
     "Copy Raw Data To Clipboard", STD_COPY, &TRadonMainForm::ToolButtonCopyClick},
    {&TRadonMainForm::ToolButtonCopyChart, "ToolButtonCopyChart", "Copy Chart",
     "Copy Chart To Clipboard", ViewGlyphs + VIEW_LARGEICONS,
     &TRadonMainForm::ToolButtonCopyChartClick},
    {&TRadonMainForm::ToolButtonWrite, "ToolButtonWrite", "Write Into File",
     "Write Raw Data Into File", STD_FILENEW, &TRadonMainForm::ToolButtonWriteClick},
    {},
    {&TRadonMainForm::ToolButtonPreferences, "ToolButtonPreferences", "Monitor Settings",
     "Set Monitor Settings", STD_PROPERTIES, &TRadonMainForm::ToolButtonPreferencesClick},
    {&TRadonMainForm::testChangeOptions, "testChangeOptions", "Print Preferences",
     "Set Print Preferences", ViewGlyphs + VIEW_DETAILS,
     &TRadonMainForm::subMenuPrintPreferencesClick},
    {&TRadonMainForm::ToolButtonSerial, "ToolButtonSerial", "Select Serial Port",
     "Select Serial Port", ViewGlyphs + VIEW_NETCONNECT, &TRadonMainForm::ToolButtonSerialClick},
    {},
    {&TRadonMainForm::ToolButtonHelp, "ToolButtonHelp", "Help", "View Help", STD_HELP,
     &TRadonMainForm::ToolButtonHelpClick},
};

struct PictureSlotFields {
    TImage* TRadonMainForm::*Image;
    TUiBitBtn* TRadonMainForm::*Button;
    TUiCheckBox* TRadonMainForm::*PrintCheck;
    TUiEdit* TRadonMainForm::*Comments;
    Handler OnClick;
};

#define PICTURE_SLOT(n)                                                                     \
    {&TRadonMainForm::Image##n, &TRadonMainForm::UiBtnImage##n,                                \
     &TRadonMainForm::cbPrintImage##n, &TRadonMainForm::txtImage##n##Comments,                 \
     &TRadonMainForm::UiBtnImage##n##Click}
const PictureSlotFields PictureSlots[] = {PICTURE_SLOT(1), PICTURE_SLOT(2),
                                          PICTURE_SLOT(3), PICTURE_SLOT(4),
                                          PICTURE_SLOT(5), PICTURE_SLOT(6)};
#undef PICTURE_SLOT

// Destroys a window made only for a moment.
struct TransientWindow {
    HWND Handle;
    ~TransientWindow() { if (Handle) DestroyWindow(Handle); }
};

// A copy of the system's standard and view toolbar images (16 x 16), loaded through a hidden
// toolbar window, which is how the system hands them out.
HIMAGELIST SystemToolbarImages() {
    TransientWindow bar{CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                        nullptr, nullptr, nullptr)};
    if (!bar.Handle) RaiseLastOSError();
    SendMessageA(bar.Handle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar.Handle, TB_LOADIMAGES, IDB_STD_SMALL_COLOR,
                 reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    SendMessageA(bar.Handle, TB_LOADIMAGES, IDB_VIEW_SMALL_COLOR,
                 reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    auto* images = reinterpret_cast<HIMAGELIST>(SendMessageA(bar.Handle, TB_GETIMAGELIST, 0, 0));
    return images ? ImageList_Duplicate(images) : nullptr;
}

// A caption turned a quarter anticlockwise, reading upwards, centred in a picture.
void PaintVerticalCaption(TImage* image, const AnsiString& text) {
    TBitmap* bitmap = image->Picture()->Bitmap();
    bitmap->SetSize(image->Width(), image->Height());
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(TRect{0, 0, image->Width(), image->Height()});
    canvas->Font()->SetName("Tahoma");
    canvas->Font()->SetSize(9);
    canvas->Font()->SetStyle({fsBold});
    canvas->Font()->SetOrientation(900);
    canvas->TextOut(2, (image->Height() + canvas->TextWidth(text)) / 2, text);
}

const char* const IdentityCaptions[] = {"Model Number:", "Serial Number:", "Calibration Date:",
                                        "Battery:", "CF:"};
const char* const TestCaptions[] = {"Start Time:", "Measurements:", "Measurement Interval:",
                                    "Hours Delayed:", "Test Duration:", "Overall Average:",
                                    "EPA Average:"};
// The customer's address fields, a billing and a site edit each, in the test data file's order.
struct AddressField {
    TUiEdit* TRadonMainForm::*Billing;
    TUiEdit* TRadonMainForm::*Site;
    const char* BillingName;
    const char* Caption;
};
const AddressField AddressFields[CustomerFieldCount] = {
    {&TRadonMainForm::CustomerNameEdit, &TRadonMainForm::SiteCustomerNameEdit,
     "CustomerNameEdit", "Name"},
    {&TRadonMainForm::CustomerAddress1Edit, &TRadonMainForm::SiteCustomerAddress1Edit,
     "CustomerAddress1Edit", "Address 1"},
    {&TRadonMainForm::CustomerAddress2Edit, &TRadonMainForm::SiteCustomerAddress2Edit,
     "CustomerAddress2Edit", "Address 2"},
    {&TRadonMainForm::CustomerCityEdit, &TRadonMainForm::SiteCustomerCityEdit,
     "CustomerCityEdit", "City"},
    {&TRadonMainForm::CustomerStateEdit, &TRadonMainForm::SiteCustomerStateEdit,
     "CustomerStateEdit", "State/Province"},
    {&TRadonMainForm::CustomerZipEdit, &TRadonMainForm::SiteCustomerZipEdit, "CustomerZipEdit",
     "Zip"},
    {&TRadonMainForm::CustomerPhoneNumberEdit, &TRadonMainForm::SiteCustomerPhoneNumberEdit,
     "CustomerPhoneNumberEdit", "Phone Number"},
};

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
    auto* group = PlaceControl<TUiPanel>(owner, parent, "", x, y, w, h);
    group->SetBorderOuter(fsLowered);
    group->SetCaption("");
    auto* banner = PlaceControl<TUiPanel>(owner, group, "", 0, 0, w, 18);
    banner->SetAlign(alTop);
    banner->SetBorderOuter(fsNone);
    banner->SetVisualStyle(vsGradient);
    banner->SetGradientColorStyle(gcsMSOffice);
    banner->SetAlignment(taLeftJustify);
    banner->SetCaption(title);
    banner->Font()->SetStyle({fsBold});
    return group;
}

}  // namespace

TRadonMainForm::TRadonMainForm(TComponent* owner) : TForm(owner) {
    BeginLoading(this);
    SetName("RadonMainForm");
    SetCaption("Continuous Radon Monitor");
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 892, 758);
    Font()->SetName("MS Sans Serif");
    SetShowHint(true);
    CreateImageList();
    CreateMainMenu();
    CreateToolbar();
    CreateStatusBar();
    CreatePages();
    CreateDialogs();
    DynamicHTMLHelp = new TDynamicHTMLHelp(this);
    DynamicHTMLHelp->SetName("DynamicHTMLHelp");
    QMCAboutComponent = new TQMCAboutComponent(this);
    QMCAboutComponent->SetName("QMCAboutComponent");
    PePDFPrinter = new TPePDFPrinter(this);
    PePDFPrinter->SetName("PePDFPrinter");
    ApplicationEvents1 = new TApplicationEvents(this);
    ApplicationEvents1->SetName("ApplicationEvents1");
    ApplicationEvents1->OnHelp = Bind(this, &TRadonMainForm::ApplicationEvents1Help);
    CreateBalloonHints();
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

// Every hint of the program is a balloon that opens 50 ms after the mouse comes to rest.
void TRadonMainForm::CreateBalloonHints() {
    UiBalloonHints1 = new TUiBalloonHints(this);
    UiBalloonHints1->SetName("UiBalloonHints1");
    UiBalloonHints1->SetCorner(hcLowerRight);
    UiBalloonHints1->SetCaptionWidth(110);
    UiBalloonHints1->SetFrameColor(cl3DDkShadow);
    UiBalloonHints1->SetHintPause(50);
    UiBalloonHints1->Font()->SetName("Tahoma");
    UiBalloonHints1->Font()->SetHeight(-11);
    UiBalloonHints1->Font()->SetColor(clInfoText);
    UiBalloonHints1->Bitmaps()->SetTransparentColor(clOlive);
}

void TRadonMainForm::CreateImageList() {
    ImageList1 = new TImageList(this);
    ImageList1->SetName("ImageList1");
    ImageList1->SetHandle(SystemToolbarImages());
}

void TRadonMainForm::CreateMainMenu() {
    MainMenu = new TMainMenu(this);
    MainMenu->SetName("MainMenu");
    MainMenu->SetImages(ImageList1);
    MainMenu->SetOwnerDraw(true);
    auto entry = [this](TMenuItem* parent, const char* name, const char* caption, Handler onClick,
                        int glyph) {
        auto* item = new TMenuItem(this);
        if (*name) item->SetName(name);
        item->SetCaption(caption);
        item->SetImageIndex(glyph);
        if (onClick) item->OnClick = Bind(this, onClick);
        (parent ? parent : MainMenu->Items())->Add(item);
        return item;
    };
    auto line = [&](TMenuItem* parent) { entry(parent, "", "-", nullptr, NoGlyph); };
    using F = TRadonMainForm;

    File1 = entry(nullptr, "File1", "&File", nullptr, NoGlyph);
    Data1 = entry(File1, "Data1", "Retrieve Data", &F::Data1Click, ViewGlyphs + VIEW_NETCONNECT);
    line(File1);
    mnuSaveData = entry(File1, "mnuSaveData", "Save Measured Data...", &F::mnuSaveDataClick,
                        STD_FILESAVE);
    mnuLoadData = entry(File1, "mnuLoadData", "Open Measured Data...", &F::mnuLoadDataClick,
                        STD_FILEOPEN);
    line(File1);
    Print1 = entry(File1, "Print1", "&Print", nullptr, STD_PRINT);
    TestResults1 = entry(Print1, "TestResults1", "&Test Results", &F::TestResults1Click, NoGlyph);
    PrintPreview1 = entry(File1, "PrintPreview1", "Print Preview", &F::PrintPreview1Click,
                          STD_PRINTPRE);
    PrinttoPDF1 = entry(File1, "PrinttoPDF1", "Print to PDF", &F::PrinttoPDF1Click, NoGlyph);
    PrinttoPDF1->SetVisible(false);
    PrintSetup1 = entry(File1, "PrintSetup1", "Print Set&up...", &F::PrintSetup1Click, NoGlyph);
    line(File1);
    Exit = entry(File1, "Exit", "&Exit", &F::ExitClick, NoGlyph);

    Edit1 = entry(nullptr, "Edit1", "&Edit", nullptr, NoGlyph);
    CopyDatamnu = entry(Edit1, "CopyDatamnu", "&Copy Raw Data", &F::CopyDatamnuClick, STD_COPY);
    submnuCopyChart = entry(Edit1, "submnuCopyChart", "Copy Char&t", &F::submnuCopyChartClick,
                            ViewGlyphs + VIEW_LARGEICONS);
    WriteRawDatasubmnu = entry(Edit1, "WriteRawDatasubmnu", "&Write Raw Data",
                               &F::WriteRawDatasubmnuClick, STD_FILENEW);
    WriteRawDatasubmnu->SetHint("Write Raw Data In A File");

    View1 = entry(nullptr, "View1", "&View", nullptr, NoGlyph);
    SubMenuViewToolbar = entry(View1, "SubMenuViewToolbar", "&Toolbar",
                               &F::SubMenuViewToolbarClick, NoGlyph);
    SubMenuViewLabel = entry(View1, "SubMenuViewLabel", "Toolbar &Label",
                             &F::SubMenuViewLabelClick, NoGlyph);
    SubMenuViewStatusBar = entry(View1, "SubMenuViewStatusBar", "&Status Bar",
                                 &F::SubMenuViewStatusBarClick, NoGlyph);
    for (TMenuItem* toggle : {SubMenuViewToolbar, SubMenuViewLabel, SubMenuViewStatusBar})
        toggle->SetChecked(true);
    line(View1);
    SubMenuErrorCodes = entry(View1, "SubMenuErrorCodes", "View Notices...",
                              &F::SubMenuErrorCodesClick, ViewGlyphs + VIEW_LIST);

    Setup1 = entry(nullptr, "Setup1", "&Setup", nullptr, NoGlyph);
    Preferences = entry(Setup1, "Preferences", "&Preferences...", &F::PreferencesClick, NoGlyph);
    Preferences->SetVisible(false);
    submnuMonitorInformation = entry(Setup1, "submnuMonitorInformation",
                                     "&Monitor Information...",
                                     &F::submnuMonitorInformationClick, NoGlyph);
    submnuMonitorInformation->SetVisible(false);
    submnuPrintingPreferences = entry(Setup1, "submnuPrintingPreferences", "&Monitor Settings...",
                                      &F::submnuPrintingPreferencesClick, STD_PROPERTIES);
    subMenuPrintPreferences = entry(Setup1, "subMenuPrintPreferences", "&Print Preferences...",
                                    &F::subMenuPrintPreferencesClick, ViewGlyphs + VIEW_DETAILS);
    SerialPort1 = entry(Setup1, "SerialPort1", "&Select Serial Port...", &F::SerialPort1Click,
                        NoGlyph);
    SoftwareReset1 = entry(Setup1, "SoftwareReset1", "Software Reset", &F::SoftwareReset1Click,
                           NoGlyph);
    SoftwareReset1->SetVisible(false);
    FirmwareDownload2 = entry(Setup1, "FirmwareDownload2", "Firmware Download",
                              &F::FirmwareDownload1Click, NoGlyph);
    FirmwareDownload2->SetVisible(false);
    FirmwareDownload2->SetEnabled(false);

    Help1 = entry(nullptr, "Help1", "&Help", nullptr, NoGlyph);
    Manual1 = entry(Help1, "Manual1", "&Contents...", &F::Manual1Click, STD_HELP);
    About = entry(Help1, "About", "&About...", &F::AboutClick, NoGlyph);
    SetMenu(MainMenu);
}

void TRadonMainForm::CreateToolbar() {
    Toolbar = PlaceControl<TUiToolbar>(this, this, "Toolbar", 0, 0, 892, 44);
    Toolbar->SetVisualStyle(vsGradient);
    Toolbar->SetGradientColorStyle(gcsMSOffice);
    Toolbar->SetImages(ImageList1);
    Toolbar->SetTextOptions(ttoShowTextLabels);
    Toolbar->SetBorderOuter(fsGroove);
    Toolbar->SetBorderSides(SideBit(sdTop) | SideBit(sdBottom));
    Toolbar->SetAutoStyle(false);
    int spacer = 0;
    for (const ToolButtonEntry& entry : ToolButtons) {
        if (!entry.Field) {
            auto* gap = PlaceControl<TUiSpacer>(this, Toolbar, "UiSpacer" + IntToStr(++spacer), 0, 0, 8, 40);
            gap->SetGrooved(true);
            continue;
        }
        auto* button = PlaceControl<TUiToolButton>(this, Toolbar, entry.Name, 0, 0, 60, 40);
        button->SetCaption(entry.Caption);
        button->SetHint(entry.Hint);
        button->SetImageIndex(entry.Glyph);
        button->OnClick = Bind(this, entry.OnClick);
        this->*entry.Field = button;
    }
    Toolbar->SetHeight(44);
}

void TRadonMainForm::CreateStatusBar() {
    StatusBar = PlaceControl<TUiStatusBar>(this, this, "StatusBar", 0, 0, 892, 19);
    StatusBar->SetVisualStyle(vsGradient);
    StatusBar->SetGradientColorStyle(gcsMSOffice);
    VersionInfo = new TUiVersionInfo(this);
    VersionInfo->SetName("VersionInfo");
    auto* version = PlaceControl<TUiVersionInfoStatus>(this, StatusBar, "VersionStatus", 0, 0, 120, 19);
    version->SetAlign(alRight);
    version->SetFieldLabel("Version");
    version->SetFieldLabelColor(clBlack);
    version->SetHint("Software Version");
    version->SetVersionInfo(VersionInfo);
    auto* clock = PlaceControl<TUiClockStatus>(this, StatusBar, "ClockStatus", 0, 0, 240, 19);
    clock->SetAlign(alLeft);
    clock->SetFormat("dddddd tt");
    const TUiToggleKey keys[] = {tkCapsLock, tkNumLock, tkScrollLock};
    const char* const keyNames[] = {"CapsLockStatus", "NumLockStatus", "ScrollLockStatus"};
    for (int i = 0; i < 3; ++i) {
        auto* key = PlaceControl<TUiKeyStatus>(this, StatusBar, keyNames[i], 240 + 40 * i, 0, 40, 19);
        key->SetAlign(alLeft);
        key->SetKey(keys[i]);
    }
    ProgressStatus = PlaceControl<TUiProgressStatus>(this, StatusBar, "ProgressStatus", 360, 0, 150, 19);
    ProgressStatus->SetAlign(alLeft);
    ProgressStatus->SetBarStyle(bsGradient);
    ProgressStatus->SetBorderWidth(0);
    ProgressStatus->SetTransparent(false);
    ProgressStatus->SetParentColor(false);
    ProgressStatus->SetColor(clBtnFace);
    ProgressStatus->SetPercent(100);
    auto* text = PlaceControl<TUiStatusPane>(this, StatusBar, "TextStatus", 510, 0, 200, 19);
    text->SetAlign(alClient);
    text->SetCaption("QMC Continuous Radon Monitor");
}

void TRadonMainForm::CreatePages() {
    UiPageControl1 = PlaceControl<TUiPageControl>(this, this, "UiPageControl1", 0, 44, 892, 600);
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
    CreatePicturesSheet();
    CreateChecklistSheet();
    CreateChartSheet();
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
    ButtonRetrive = PlaceControl<TButton>(this, sheet, "ButtonRetrive", 6, 300, 220, 30);
    ButtonRetrive->SetCaption("Retrieve Data From Monitor");
    ButtonRetrive->SetDefault(true);
    ButtonRetrive->OnClick = Bind(this, &TRadonMainForm::ButtonRetriveClick);
    buttonClearScreen = PlaceControl<TUiBitBtn>(this, sheet, "buttonClearScreen", 234, 300, 92, 30);
    buttonClearScreen->SetCaption("Clear Screen");
    buttonClearScreen->OnClick = Bind(this, &TRadonMainForm::buttonClearScreenClick);
    UiBitBtn2 = PlaceControl<TUiBitBtn>(this, sheet, "UiBitBtn2", 334, 300, 92, 30);
    UiBitBtn2->SetCaption("Close");
    UiBitBtn2->OnClick = Bind(this, &TRadonMainForm::UiBitBtn2Click);

    TUiPanel* customer = Group(this, sheet, "Customer Information", 434, 6, 436, 236);
    MakeLabel(this, customer, "", "Billing Address", 90, 22, 150);
    MakeLabel(this, customer, "", "Site Address", 262, 22, 150);
    for (int i = 0; i < CustomerFieldCount; ++i) {
        const AddressField& field = AddressFields[i];
        const int y = 40 + 23 * i;
        MakeLabel(this, customer, "", field.Caption, 8, y + 3, 80);
        this->*field.Billing =
            PlaceControl<TUiEdit>(this, customer, field.BillingName, 90, y, 165, 21);
        this->*field.Site = PlaceControl<TUiEdit>(
            this, customer, AnsiString("Site") + field.BillingName, 262, y, 165, 21);
    }
    btnCopyAddress = PlaceControl<TUiBitBtn>(this, customer, "btnCopyAddress", 200, 206, 227, 24);
    btnCopyAddress->SetCaption("Copy Billing Address to Site Address");
    btnCopyAddress->OnClick = Bind(this, &TRadonMainForm::btnCopyAddressClick);
    TUiPanel* company = Group(this, sheet, "Inspection Company", 434, 248, 436, 130);
    InspectorInfo = MakeLabel(this, company, "InspectorInfo", "", 10, 22, 416, 104);

    TUiPanel* risk = Group(this, sheet, "Radon Risk Information", 6, 338, 420, 170);
    MakeLabel(this, risk, "labelRadonRiskInfo", RadonRiskText, 10, 24, 400, 140);

    TUiPanel* protocols =
        Group(this, sheet, "Understanding Time-Sensitive Testing Protocols", 434, 384, 436, 214);
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
}

void TRadonMainForm::CreatePicturesSheet() {
    RegisterGIFImage();  // the slots read GIF files too
    auto* caption = PlaceControl<TImage>(this, ImagesSheet, "CoverPagePictureLabel", 24, 16, 24, 169);
    PaintVerticalCaption(caption, "Cover Page Picture");
    for (int slot = 0; slot < 6; ++slot)
        CreatePictureSlot(slot, 56 + 280 * (slot % 3), 16 + 270 * (slot / 3));
}

void TRadonMainForm::CreatePictureSlot(int slot, int x, int y) {
    const PictureSlotFields& fields = PictureSlots[slot];
    const AnsiString n = IntToStr(slot + 1);
    auto* frame = PlaceControl<TUiPanel>(this, ImagesSheet, "PicturePanel" + n, x, y, 217, 169);
    frame->SetBorderOuter(fsLowered);
    frame->SetCaption("");
    TImage* image = PlaceControl<TImage>(this, frame, "Image" + n, 1, 1, 215, 167);
    image->SetAlign(alClient);
    image->SetCenter(true);
    image->SetProportional(true);
    image->SetAutoSize(true);
    this->*fields.Image = image;
    TUiBitBtn* button = PlaceControl<TUiBitBtn>(this, ImagesSheet, "UiBtnImage" + n, x, y + 176, 110, 25);
    button->SetCaption("Select Picture...");
    button->OnClick = Bind(this, fields.OnClick);
    this->*fields.Button = button;
    TUiCheckBox* print = PlaceControl<TUiCheckBox>(this, ImagesSheet, "cbPrintImage" + n, x + 122,
                                            y + 180, 95, 17);
    print->SetCaption("Print Picture");
    this->*fields.PrintCheck = print;
    MakeLabel(this, ImagesSheet, "", "Comments:", x, y + 210, 217);
    this->*fields.Comments = PlaceControl<TUiEdit>(this, ImagesSheet, "txtImage" + n + "Comments", x,
                                            y + 226, 217, 21);
}

void TRadonMainForm::CreateDialogs() {
    OpenDialog1 = new TOpenDialog(this);
    OpenDialog1->SetName("OpenDialog1");
    OpenDialog1->SetTitle("Load Measured Data");
    SaveDialog1 = new TSaveDialog(this);
    SaveDialog1->SetName("SaveDialog1");
    PrintDialog = new TPrintDialog(this);
    PrintDialog->SetName("PrintDialog");
    PrinterSetupDialog = new TPrinterSetupDialog(this);
    PrinterSetupDialog->SetName("PrinterSetupDialog");
    OpenPictureDialog = new TOpenPictureDialog(this);
    OpenPictureDialog->SetName("OpenPictureDialog");
    OpenPictureDialog->SetFilter(PictureFileFilter);
}

void TRadonMainForm::CreateChecklistSheet() {
    for (int i = 0; i < 10; ++i) {
        ChecklistBoxes[i] = PlaceControl<TUiCheckBox>(this, TabSheet1, "CheckBox" + IntToStr(i + 1), 16,
                                               16 + 34 * i, 850, 28);
        ChecklistBoxes[i]->SetCaption(ChecklistCaptions[i]);
    }
}

TAddressEdits TRadonMainForm::BillingEdits() const {
    TAddressEdits edits;
    for (int i = 0; i < CustomerFieldCount; ++i) edits[i] = this->*AddressFields[i].Billing;
    return edits;
}

TAddressEdits TRadonMainForm::SiteEdits() const {
    TAddressEdits edits;
    for (int i = 0; i < CustomerFieldCount; ++i) edits[i] = this->*AddressFields[i].Site;
    return edits;
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
