// The main window's commands: every menu entry and toolbar button against its handler, the
// view toggles, Clear Screen, the preferences entry points and the print preferences copy, the
// picture slots with good, broken and cancelled files, help, about and closing.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "DynamicHTMLHelp.h"
#include "ErrorCodes.h"
#include "GIFImage.h"
#include "Preferences.h"
#include "PreviewDialog.h"
#include "QMCAbout.h"
#include "Radon.h"
#include "RadonMainForm.h"
#include "SettingsFile.h"
#include "UiBitBtn.h"
#include "UiCheckBox.h"
#include "UiEdit.h"
#include "UiLabel.h"
#include "UiPageControl.h"
#include "UiProgressStatus.h"
#include "UiRadioGroup.h"
#include "UiStatusBar.h"
#include "UiToolButton.h"
#include "UiToolbar.h"
#include "cl_clipboard.h"
#include "cl_dialogs.h"
#include "cl_extctrls.h"
#include "cl_imagelist.h"
#include "cl_jpeg.h"
#include "cl_menus.h"
#include "cl_number.h"
#include "main_window_environment.h"
#include "test_pump.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);

AnsiString Fixture(const char* name) {
    std::string path = std::string("Z:") + COMMANDS_FIXTURE_DIR + "/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return AnsiString(path.c_str());
}

void Choose(TMenuItem* item) {
    SendMessageA(RadonMainForm->WindowHandle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    Application->ProcessMessages();
}

void ClickToolButton(TUiToolButton* button) {
    ASSERT_TRUE(button->Visible());
    PostClick(RadonMainForm->Toolbar->WindowHandle(), button->Left() + button->Width() / 2,
              button->Top() + button->Height() / 2);
    Application->ProcessMessages();
}

void ClickButton(TWinControl* button) {
    PostClick(button->WindowHandle());
    Application->ProcessMessages();
}

// Runs `inside` once while `form` is shown modally by `command`; false when it never showed.
bool WhileModal(TCustomForm* form, const std::function<void()>& inside,
                const std::function<void()>& command) {
    bool ran = false;
    auto* timer = new TTimer(nullptr);
    timer->SetInterval(50);
    timer->SetOnTimer([&](TObject*) {
        if (ran || !form->FormState().count(fsModal)) return;
        ran = true;
        inside();
    });
    command();
    timer->Free();
    return ran;
}

// What a command shows the user, in order: message boxes, common dialogs and modal windows,
// each answered with Cancel; then what it changed of the clipboard and the progress pane.
class EffectRecorder {
public:
    EffectRecorder() : savedBox_(Hooks().ShowMessageBox) {
        Reset();
        Hooks().ShowMessageBox = [this](const AnsiString& text, const AnsiString&, unsigned) {
            effects_.push_back("box: " + std::string(text.c_str()));
            return IDCANCEL;
        };
        Hooks().ExecuteDialog = [this](TCommonDialog& dialog) {
            effects_.push_back("dialog: " + std::string(dialog.ClassName().c_str()));
            return false;
        };
        timer_ = new TTimer(nullptr);
        timer_->SetInterval(50);
        timer_->SetOnTimer([this](TObject*) { CancelModalWindows(); });
    }
    ~EffectRecorder() {
        timer_->Free();
        Hooks().ExecuteDialog = nullptr;
        Hooks().ShowMessageBox = savedBox_;
    }
    EffectRecorder(const EffectRecorder&) = delete;
    EffectRecorder& operator=(const EffectRecorder&) = delete;

    std::vector<std::string> Take() {
        for (int i = 0; i < 5; ++i) {
            Application->ProcessMessages();
            Sleep(5);
        }
        const AnsiString clipboard = Clipboard()->AsText();
        if (clipboard != ClipboardMark)
            effects_.push_back("clipboard: " + std::string(Trim(clipboard).c_str()).substr(0, 12));
        const int percent = RadonMainForm->ProgressStatus->Percent();
        if (percent != 100) effects_.push_back("progress: " + std::to_string(percent));
        Reset();
        std::vector<std::string> taken;
        taken.swap(effects_);
        return taken;
    }

private:
    static constexpr const char* ClipboardMark = "the user's text";

    void Reset() {
        Clipboard()->SetAsText(ClipboardMark);
        RadonMainForm->ProgressStatus->SetPercent(100);
    }

    void CancelModalWindows() {
        for (int i = 0; i < Screen->FormCount(); ++i) {
            TCustomForm* form = Screen->Forms(i);
            if (!form->FormState().count(fsModal) || form->ModalResult() != mrNone) continue;
            effects_.push_back("window: " + std::string(form->Caption().c_str()));
            form->SetModalResult(mrCancel);
        }
    }

    std::function<int(const AnsiString&, const AnsiString&, unsigned)> savedBox_;
    std::vector<std::string> effects_;
    TTimer* timer_;
};

// A port that does not exist: monitor requests fail at once.
const auto* mainWindow = ::testing::AddGlobalTestEnvironment(new MainWindowEnvironment(9));

class CommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Boxes().clear();
        RadonMainForm->UiPageControl1->SetActivePage(RadonMainForm->InspectionSheet);
        Application->ProcessMessages();
    }
    void TearDown() override {
        Hooks().ExecuteDialog = nullptr;
        DeleteFileA(SettingsFileName().c_str());
    }
    TRadonMainForm& form = *RadonMainForm;
};

TEST_F(CommandsTest, MenuBarEntriesWithTheirCaptionsStatesAndGlyphList) {
    struct Entry {
        TMenuItem* item;
        TMenuItem* parent;
        const char* caption;
        bool visible, enabled, checked;
    };
    TRadonMainForm& f = form;
    TMenuItem* bar = f.MainMenu->Items();
    const Entry entries[] = {
        {f.File1, bar, "&File", true, true, false},
        {f.Data1, f.File1, "Retrieve Data", true, true, false},
        {f.mnuSaveData, f.File1, "Save Measured Data...", true, true, false},
        {f.mnuLoadData, f.File1, "Open Measured Data...", true, true, false},
        {f.Print1, f.File1, "&Print", true, true, false},
        {f.TestResults1, f.Print1, "&Test Results", true, true, false},
        {f.PrintPreview1, f.File1, "Print Preview", true, true, false},
        {f.PrinttoPDF1, f.File1, "Print to PDF", false, true, false},
        {f.PrintSetup1, f.File1, "Print Set&up...", true, true, false},
        {f.Exit, f.File1, "&Exit", true, true, false},
        {f.Edit1, bar, "&Edit", true, true, false},
        {f.CopyDatamnu, f.Edit1, "&Copy Raw Data", true, true, false},
        {f.submnuCopyChart, f.Edit1, "Copy Char&t", true, true, false},
        {f.WriteRawDatasubmnu, f.Edit1, "&Write Raw Data", true, true, false},
        {f.View1, bar, "&View", true, true, false},
        {f.SubMenuViewToolbar, f.View1, "&Toolbar", true, true, true},
        {f.SubMenuViewLabel, f.View1, "Toolbar &Label", true, true, true},
        {f.SubMenuViewStatusBar, f.View1, "&Status Bar", true, true, true},
        {f.SubMenuErrorCodes, f.View1, "View Notices...", true, true, false},
        {f.Setup1, bar, "&Setup", true, true, false},
        {f.Preferences, f.Setup1, "&Preferences...", false, true, false},
        {f.submnuMonitorInformation, f.Setup1, "&Monitor Information...", false, true, false},
        {f.submnuPrintingPreferences, f.Setup1, "&Monitor Settings...", true, true, false},
        {f.subMenuPrintPreferences, f.Setup1, "&Print Preferences...", true, true, false},
        {f.SerialPort1, f.Setup1, "&Select Serial Port...", true, true, false},
        {f.SoftwareReset1, f.Setup1, "Software Reset", false, true, false},
        {f.FirmwareDownload2, f.Setup1, "Firmware Download", false, false, false},
        {f.Help1, bar, "&Help", true, true, false},
        {f.Manual1, f.Help1, "&Contents...", true, true, false},
        {f.About, f.Help1, "&About...", true, true, false},
    };
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.caption);
        EXPECT_EQ(e.item->Caption(), e.caption);
        EXPECT_EQ(e.item->Parent(), e.parent);
        EXPECT_EQ(e.item->Visible(), e.visible);
        EXPECT_EQ(e.item->Enabled(), e.enabled);
        EXPECT_EQ(e.item->Checked(), e.checked);
    }
    EXPECT_EQ(f.WriteRawDatasubmnu->Hint(), "Write Raw Data In A File");
    EXPECT_EQ(f.Menu(), f.MainMenu);
    EXPECT_TRUE(f.MainMenu->OwnerDraw());
    EXPECT_EQ(f.MainMenu->Images(), f.ImageList1);
    EXPECT_EQ(f.ImageList1->Width(), 16);
    EXPECT_GE(f.ImageList1->Count(), 27);
    EXPECT_EQ(GetMenu(f.WindowHandle()), f.MainMenu->Handle());
}

TEST_F(CommandsTest, ToolbarButtonsInOrderWithCaptionsHintsAndGlyphs) {
    struct Button {
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Button buttons[] = {
        {"ToolButtonOpen", "Open", "Open Measured Data"},
        {"ToolButtonSave", "Save", "Save Measured Data"},
        {"UiSpacer1", "", ""},
        {"ToolButtonPrint", "Print", "Print Test Results"},
        {"ToolButtonPrintPreview", "Print Preview", "Print Preview"},
        {"UiSpacer2", "", ""},
        {"ToolButtonCopy", "Copy Data", "Copy Raw Data To Clipboard"},
        {"ToolButtonCopyChart", "Copy Chart", "Copy Chart To Clipboard"},
        {"ToolButtonWrite", "Write Into File", "Write Raw Data Into File"},
        {"UiSpacer3", "", ""},
        {"ToolButtonPreferences", "Monitor Settings", "Set Monitor Settings"},
        {"testChangeOptions", "Print Preferences", "Set Print Preferences"},
        {"ToolButtonSerial", "Select Serial Port", "Select Serial Port"},
        {"UiSpacer4", "", ""},
        {"ToolButtonHelp", "Help", "View Help"},
    };
    TUiToolbar* bar = form.Toolbar;
    ASSERT_EQ(bar->ControlCount(), 15);
    int right = 0;
    for (int i = 0; i < 15; ++i) {
        SCOPED_TRACE(buttons[i].name);
        TControl* control = bar->Controls(i);
        EXPECT_EQ(control->Name(), buttons[i].name);
        EXPECT_GE(control->Left(), right);
        right = control->Left() + control->Width();
        auto* button = dynamic_cast<TUiToolButton*>(control);
        if (!button) continue;
        EXPECT_EQ(button->Caption(), buttons[i].caption);
        EXPECT_EQ(button->Hint(), buttons[i].hint);
        EXPECT_EQ(button->ImageList(), form.ImageList1);
        EXPECT_GE(button->ImageIndex(), 0);
        EXPECT_LT(button->ImageIndex(), form.ImageList1->Count());
        EXPECT_EQ(button->Layout(), blGlyphTop);
        EXPECT_TRUE(button->ShowCaption());
        // 60 wide, or wider where the caption needs it on one line.
        TBitmap measure;
        measure.Canvas()->SetFont(button->Font());
        EXPECT_EQ(button->Width(), std::max(60, measure.Canvas()->TextWidth(button->Caption()) + 8));
        EXPECT_EQ(button->Height(), 40);
    }
    EXPECT_TRUE(form.ShowHint());
}

TEST_F(CommandsTest, PicturesSheetHasSixEmptySlotsInTwoRows) {
    TImage* const images[] = {form.Image1, form.Image2, form.Image3,
                              form.Image4, form.Image5, form.Image6};
    TUiBitBtn* const buttons[] = {form.UiBtnImage1, form.UiBtnImage2, form.UiBtnImage3,
                                  form.UiBtnImage4, form.UiBtnImage5, form.UiBtnImage6};
    TUiCheckBox* const checks[] = {form.cbPrintImage1, form.cbPrintImage2, form.cbPrintImage3,
                                   form.cbPrintImage4, form.cbPrintImage5, form.cbPrintImage6};
    TUiEdit* const comments[] = {form.txtImage1Comments, form.txtImage2Comments,
                                 form.txtImage3Comments, form.txtImage4Comments,
                                 form.txtImage5Comments, form.txtImage6Comments};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i + 1);
        const AnsiString n = IntToStr(i + 1);
        EXPECT_EQ(images[i]->Name(), "Image" + n);
        EXPECT_EQ(images[i]->Parent()->Width(), 217);
        EXPECT_EQ(images[i]->Parent()->Height(), 169);
        EXPECT_TRUE(images[i]->Center());
        EXPECT_TRUE(images[i]->Proportional());
        EXPECT_TRUE(images[i]->AutoSize());
        EXPECT_EQ(images[i]->Picture()->Graphic(), nullptr);
        EXPECT_EQ(buttons[i]->Name(), "UiBtnImage" + n);
        EXPECT_EQ(buttons[i]->Caption(), "Select Picture...");
        EXPECT_EQ(checks[i]->Name(), "cbPrintImage" + n);
        EXPECT_EQ(checks[i]->Caption(), "Print Picture");
        EXPECT_FALSE(checks[i]->GetChecked());
        EXPECT_EQ(comments[i]->Name(), "txtImage" + n + "Comments");
        EXPECT_EQ(comments[i]->Text(), "");
        const int row = i / 3, column = i % 3;
        EXPECT_EQ(images[i]->Parent()->Top(), images[3 * row]->Parent()->Top());
        EXPECT_EQ(images[i]->Parent()->Left(), images[column]->Parent()->Left());
        if (column > 0) {
            EXPECT_GT(images[i]->Parent()->Left(), images[i - 1]->Parent()->Left() + 217);
        }
    }
    EXPECT_GT(form.Image4->Parent()->Top(), form.txtImage1Comments->Top());
    EXPECT_EQ(form.btnCopyAddress->Caption(), "Copy Billing Address to Site Address");
    EXPECT_EQ(form.btnCopyAddress->Parent(), form.CustomerNameEdit->Parent());
    EXPECT_EQ(form.OpenDialog1->Title(), "Load Measured Data");
    EXPECT_NE(form.SaveDialog1, nullptr);
    EXPECT_NE(form.PrintDialog, nullptr);
    EXPECT_NE(form.PrinterSetupDialog, nullptr);
    EXPECT_TRUE(static_cast<bool>(form.ApplicationEvents1->OnHelp));
}

// Each menu entry and toolbar button does exactly what its handler does when called, and each
// handler what it should with a retrieved test in the record and the monitor out of reach.
TEST_F(CommandsTest, EveryEntryAndButtonRunsItsHandler) {
    using Handler = void (TRadonMainForm::*)(TObject*);
    struct Command {
        TMenuItem* TRadonMainForm::*item;
        TUiToolButton* TRadonMainForm::*button;
        Handler handler;
        std::vector<std::string> effects;
    };
    using F = TRadonMainForm;
    const std::vector<std::string> none, preferences{"window: Preferences"};
    const Command commands[] = {
        {&F::Data1, nullptr, &F::ButtonRetriveClick,
         {"box: Could not find the device on COM port.\nMake sure the device is connected and "
          "COM port is selected",
          "progress: 105"}},
        {&F::mnuSaveData, &F::ToolButtonSave, &F::mnuSaveDataClick,
         {"box: Customer name is a required field."}},
        {&F::mnuLoadData, &F::ToolButtonOpen, &F::mnuLoadDataClick, {"dialog: TOpenDialog"}},
        // The print dialog and the PDF file dialog are cancelled, the preview closed.
        {&F::TestResults1, &F::ToolButtonPrint, &F::TestResults1Click, {"dialog: TPrintDialog"}},
        {&F::PrintPreview1, &F::ToolButtonPrintPreview, &F::PrintPreview1Click,
         {"window: Print Preview"}},
        {&F::PrinttoPDF1, nullptr, &F::PrinttoPDF1Click, {"dialog: TSaveDialog"}},
        {&F::PrintSetup1, nullptr, &F::PrintSetup1Click, {"dialog: TPrinterSetupDialog"}},
        {&F::CopyDatamnu, &F::ToolButtonCopy, &F::CopyDatamnuClick, {"clipboard: Error Flags:"}},
        // Copying the chart comes with the chart: until then it changes nothing.
        {&F::submnuCopyChart, &F::ToolButtonCopyChart, &F::submnuCopyChartClick, {"clipboard: "}},
        {&F::WriteRawDatasubmnu, &F::ToolButtonWrite, &F::WriteRawDatasubmnuClick,
         {"dialog: TSaveDialog"}},
        {&F::SubMenuErrorCodes, nullptr, &F::SubMenuErrorCodesClick,
         {"window: Notices From Monitor"}},
        {&F::Preferences, &F::ToolButtonPreferences, &F::PreferencesClick, preferences},
        {&F::submnuPrintingPreferences, &F::ToolButtonPreferences, &F::PreferencesClick,
         preferences},
        {&F::submnuMonitorInformation, nullptr, &F::submnuMonitorInformationClick, preferences},
        {&F::subMenuPrintPreferences, &F::testChangeOptions, &F::subMenuPrintPreferencesClick,
         preferences},
        // Cancelled, the port dialog opens the stored port again, which does not exist.
        {&F::SerialPort1, &F::ToolButtonSerial, &F::SerialPort1Click,
         {"window: Select Port", "box: Set Serial port before Starting"}},
        {&F::SoftwareReset1, nullptr, &F::SoftwareReset1Click,
         {"box: Performing a software reset will corrupt monitor test"}},
        {&F::About, nullptr, &F::AboutClick, {"window: QMC About"}},
        {&F::FirmwareDownload2, nullptr, &F::FirmwareDownload1Click, none},
    };
    // A retrieved test without readings: the data commands have something to work on, and the
    // preferences window no test to lock.
    Monitor->CF1 = 2.7f;
    Monitor->CF2 = 2.7f;
    form.TestFromMonitor = true;
    for (TUiEdit* edit : {form.CustomerNameEdit, form.SiteCustomerNameEdit}) edit->SetText("");
    EffectRecorder recorder;
    for (const Command& c : commands) {
        TMenuItem* item = form.*c.item;
        SCOPED_TRACE(item->Name().c_str());
        try {
            (form.*c.handler)(nullptr);
        } catch (...) {
            Application->HandleException(nullptr);
        }
        const std::vector<std::string> direct = recorder.Take();
        EXPECT_EQ(direct, c.effects);
        if (item->Visible())
            Choose(item);
        else
            item->Click();
        EXPECT_EQ(recorder.Take(), direct);
        if (c.button) {
            ClickToolButton(form.*c.button);
            EXPECT_EQ(recorder.Take(), direct);
        }
    }
    Monitor->CF1 = Monitor->CF2 = 0;
    form.TestFromMonitor = false;
}

TEST_F(CommandsTest, ViewTogglesKeepTheCheckMarkEqualToWhatIsShown) {
    struct Toggle {
        TMenuItem* item;
        TControl* control;
    };
    for (const Toggle& t : {Toggle{form.SubMenuViewToolbar, form.Toolbar},
                            Toggle{form.SubMenuViewStatusBar, form.StatusBar}}) {
        SCOPED_TRACE(t.item->Name().c_str());
        for (bool shown : {false, true}) {
            Choose(t.item);
            EXPECT_EQ(t.item->Checked(), shown);
            EXPECT_EQ(t.control->Visible(), shown);
        }
    }
    Choose(form.SubMenuViewToolbar);
    EXPECT_EQ(form.UiPageControl1->Top(), 0);
    Choose(form.SubMenuViewToolbar);
    EXPECT_EQ(form.Toolbar->Top(), 0);
    EXPECT_EQ(form.UiPageControl1->Top(), form.Toolbar->Height());
    EXPECT_EQ(form.StatusBar->Top() + form.StatusBar->Height(), form.ClientHeight());

    struct Labels {
        bool checked;
        TUiToolbarTextOptions options;
        int width, height;
        bool captions;
    };
    for (const Labels& step : {Labels{false, ttoNoTextLabels, 25, 25, false},
                               Labels{true, ttoShowTextLabels, 60, 40, true}}) {
        Choose(form.SubMenuViewLabel);
        EXPECT_EQ(form.SubMenuViewLabel->Checked(), step.checked);
        EXPECT_EQ(form.Toolbar->TextOptions(), step.options);
        EXPECT_EQ(form.ToolButtonHelp->Width(), step.width);
        EXPECT_EQ(form.ToolButtonHelp->Height(), step.height);
        EXPECT_EQ(form.ToolButtonHelp->ShowCaption(), step.captions);
    }
}

TEST_F(CommandsTest, ClearScreenEmptiesOnlyTheInspectionTexts) {
    TUiLabel* const identity[] = {form.ModelNumberLB, form.CFLB, form.CalibrationDateLB,
                                  form.BatteryStatusLB, form.SerialNumberLB};
    const char* const bare[] = {"Model Number:", "CF:", "Calibration Date:", "Battery:",
                                "Serial Number:"};
    TUiLabel* const values[] = {form.StartDateVal, form.HoursDelayVal, form.TestDurationVal,
                                form.MeasurementIntervalVal, form.NumMeasurementsVal,
                                form.LabelOverallAverage, form.LabelEPAAverage,
                                form.InspectorInfo};
    TUiEdit* const edits[] = {
        form.CustomerNameEdit, form.CustomerAddress1Edit, form.CustomerAddress2Edit,
        form.CustomerCityEdit, form.CustomerStateEdit, form.CustomerPhoneNumberEdit,
        form.CustomerZipEdit, form.SiteCustomerNameEdit, form.SiteCustomerAddress1Edit,
        form.SiteCustomerAddress2Edit, form.SiteCustomerCityEdit, form.SiteCustomerStateEdit,
        form.SiteCustomerPhoneNumberEdit, form.SiteCustomerZipEdit};
    for (TUiLabel* label : identity) label->SetCaption(label->Caption() + " 6916");
    for (TUiLabel* label : values) label->SetCaption("shown");
    for (TUiEdit* edit : edits) edit->SetText("typed");
    form.CalibrationDateLB->Font()->SetColor(clRed);
    form.CalibrationDateLB->Font()->SetStyle({fsBold});
    form.Image2->Picture()->Bitmap()->SetSize(10, 10);
    form.cbPrintImage2->SetChecked(true);
    form.txtImage2Comments->SetText("Basement");
    form.ChecklistBoxes[3]->SetChecked(true);
    Monitor->CF1 = 1.5f;
    Monitor->NumMeasurements = 12;
    form.TestShown = true;
    form.OverallAverage = 3.2;
    frmPreferences->InspectorName = "Pat";

    ClickButton(form.buttonClearScreen);

    for (int i = 0; i < 5; ++i) EXPECT_EQ(identity[i]->Caption(), bare[i]);
    for (TUiLabel* label : values) EXPECT_EQ(label->Caption(), "") << label->Name().c_str();
    for (TUiEdit* edit : edits) EXPECT_EQ(edit->Text(), "") << edit->Name().c_str();
    EXPECT_EQ(form.CalibrationDateLB->Font()->Color(), clRed);
    EXPECT_EQ(form.CalibrationDateLB->Font()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(form.Image2->Picture()->Width(), 10);
    EXPECT_TRUE(form.cbPrintImage2->GetChecked());
    EXPECT_EQ(form.txtImage2Comments->Text(), "Basement");
    EXPECT_TRUE(form.ChecklistBoxes[3]->GetChecked());
    EXPECT_EQ(Monitor->CF1, 1.5f);
    EXPECT_EQ(Monitor->NumMeasurements, 12);
    EXPECT_TRUE(form.TestShown);
    EXPECT_EQ(form.OverallAverage, 3.2);
    EXPECT_EQ(frmPreferences->InspectorName, "Pat");

    form.CalibrationDateLB->Font()->SetColor(clWindowText);
    form.CalibrationDateLB->Font()->SetStyle({});
    form.Image2->Picture()->SetGraphic(nullptr);
    form.cbPrintImage2->SetChecked(false);
    form.txtImage2Comments->SetText("");
    form.ChecklistBoxes[3]->SetChecked(false);
    Monitor->CF1 = 0;
    Monitor->NumMeasurements = 0;
    form.TestShown = false;
    form.OverallAverage = 0;
}

// The three ways into the preferences window: the sheet shown, the flags handed over, and the
// settings fields afterwards. Those entry points that always apply leave the fields equal to
// the controls; "Monitor Information" applies only on OK.
TEST_F(CommandsTest, PreferencesEntryPointsShowTheirSheetAndApplyTheControls) {
    struct EntryPoint {
        const char* name;
        std::function<void()> run;
        int page;
        bool announceBefore, lock, announce, appliesOnCancel;
    };
    // The lock flag starts set and the shown test is not the monitor's.
    const EntryPoint entries[] = {
        {"Monitor Settings menu", [&] { Choose(form.submnuPrintingPreferences); }, 0, false,
         false, true, true},
        {"Monitor Settings button", [&] { ClickToolButton(form.ToolButtonPreferences); }, 0,
         false, false, true, true},
        {"hidden Preferences", [&] { form.Preferences->Click(); }, 0, false, false, true, true},
        {"Print Preferences menu", [&] { Choose(form.subMenuPrintPreferences); }, 1, true, true,
         false, true},
        {"Print Preferences button", [&] { ClickToolButton(form.testChangeOptions); }, 1, true,
         true, false, true},
        {"hidden Monitor Information", [&] { form.submnuMonitorInformation->Click(); }, 0, true,
         true, true, false},
    };
    TfrmPreferences& p = *frmPreferences;
    double edited = 5.25;
    for (const EntryPoint& e : entries) {
        for (bool ok : {true, false}) {
            SCOPED_TRACE(std::string(e.name) + (ok ? " OK" : " Cancel"));
            DeleteFileA(SettingsFileName().c_str());
            p.ActionLevel = 4.0;
            p.InspectorName = "";
            p.LockMonitor = true;
            p.AnnounceLock = e.announceBefore;
            form.TestFromMonitor = false;
            p.PageControl->SetActivePageIndex(1 - e.page);
            edited += 1;
            int page = -1;
            bool lock = false, announce = false;
            ASSERT_TRUE(WhileModal(
                &p,
                [&] {
                    page = p.PageControl->ActivePageIndex();
                    lock = p.LockMonitor;
                    announce = p.AnnounceLock;
                    p.ActionLevelEdit->SetText(FloatToStr(edited));
                    p.InspectorNameEdit->SetText("Inspector " + FloatToStr(edited));
                    (ok ? p.btnOK : p.btnCancel)->Click();
                },
                e.run));
            EXPECT_EQ(page, e.page);
            EXPECT_EQ(lock, e.lock);
            EXPECT_EQ(announce, e.announce);
            if (ok || e.appliesOnCancel) {
                EXPECT_EQ(p.ActionLevel, StrToFloat(p.ActionLevelEdit->Text()));
                EXPECT_EQ(p.InspectorName, p.InspectorNameEdit->Text());
            } else {
                EXPECT_EQ(p.ActionLevelEdit->Text(), FloatToStr(edited));
                EXPECT_EQ(p.ActionLevel, 4.0);
                EXPECT_EQ(p.InspectorName, "");
            }
            if (ok) {
                EXPECT_EQ(p.ActionLevel, edited);
            }
        }
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(CommandsTest, ApplyPrintPreferencesCopiesEveryPrintControl) {
    TfrmPreferences& p = *frmPreferences;
    static_cast<TPrintSettings&>(p) = TPrintSettings{};
    TUiCheckBox* const boxes[] = {
        p.PrintAtomosphericConditionschk, p.PrintWindchk, p.PrintMonitorLocationchk,
        p.PrintStructureTypechk, p.PrintYearBuiltchk, p.PrintSQFTchk, p.PrintOverallAveragechk,
        p.CreateCoverPagechk, p.PrintEPAAveragechk, p.PrintRadonRiskchk,
        p.PrintUnderstandingResultschk, p.PrintSignatureOnFirstPagechk, p.DisplayDataOnChartchk};
    bool* const flags[] = {&p.PrintAtomosphericConditions, &p.PrintWind, &p.PrintMonitorLocation,
                           &p.PrintStructureType, &p.PrintYearBuilt, &p.PrintSQFT,
                           &p.PrintOverallAverage, &p.CreateCoverPage, &p.PrintEPAAverage,
                           &p.PrintRiskInformation, &p.PrintUnderstandingResults,
                           &p.PrintSignatureOnFirstPage, &p.DisplayDataOnChart};
    for (int i = 0; i < 13; ++i) boxes[i]->SetChecked(!*flags[i]);
    p.editDigitalSignaturePath->SetText("C:\\pictures\\signature.bmp");
    p.editHeaderImagePath->SetText("C:\\pictures\\header.jpg");
    p.InspectorNameEdit->SetText("Pat Inspector");
    p.LetterHeadSpaceEdit->SetText("1.25");
    p.ActionLevelEdit->SetText("2.7");
    p.radioHeaderImageAlignment->SetItemIndex(2);

    form.ApplyPrintPreferences();
    for (int i = 0; i < 13; ++i) EXPECT_EQ(*flags[i], boxes[i]->GetChecked()) << i;
    EXPECT_EQ(p.DigitalSignature, "C:\\pictures\\signature.bmp");
    EXPECT_EQ(p.HeaderImage, "C:\\pictures\\header.jpg");
    EXPECT_EQ(p.InspectorName, "Pat Inspector");
    EXPECT_EQ(p.LetterHeadSpace, 1.25f);
    EXPECT_EQ(p.ActionLevel, 2.7);
    EXPECT_EQ(p.HeaderImageAlignment, 2);

    // An action level that is no number stops the copy there: what comes after it stays.
    for (int i = 0; i < 13; ++i) boxes[i]->SetChecked(!*flags[i]);
    p.LetterHeadSpaceEdit->SetText("0.5");
    p.ActionLevelEdit->SetText("four");
    p.radioHeaderImageAlignment->SetItemIndex(0);
    EXPECT_THROW(form.ApplyPrintPreferences(), EConvertError);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(*flags[i], boxes[i]->GetChecked()) << i;
    for (int i = 9; i < 13; ++i) EXPECT_NE(*flags[i], boxes[i]->GetChecked()) << i;
    EXPECT_EQ(p.LetterHeadSpace, 0.5f);
    EXPECT_EQ(p.ActionLevel, 2.7);
    EXPECT_EQ(p.HeaderImageAlignment, 2);

    static_cast<TPrintSettings&>(p) = TPrintSettings{};
}

TEST_F(CommandsTest, PictureSlotsLoadBitmapsJpegAndGifAndKeepTheirPictureOnFailure) {
    form.UiPageControl1->SetActivePage(form.ImagesSheet);
    Application->ProcessMessages();
    struct Step {
        const char* name;
        TUiBitBtn* button;
        TImage* image;
        const char* file;  // null: the dialog is cancelled
        const TMetaClass* graphic;
        int width, height;
        bool fails;
    };
    const Step steps[] = {
        {"bitmap", form.UiBtnImage1, form.Image1, "slot.bmp", TBitmap::StaticClass(), 48, 32,
         false},
        {"jpeg", form.UiBtnImage5, form.Image5, "slot.jpg", TJPEGImage::StaticClass(), 64, 40,
         false},
        {"gif", form.UiBtnImage3, form.Image3, "slot.gif", TGIFImage::StaticClass(), 30, 20,
         false},
        {"broken", form.UiBtnImage1, form.Image1, "broken.jpg", TBitmap::StaticClass(), 48, 32,
         true},
        {"unknown extension", form.UiBtnImage5, form.Image5, "../commands_test.cpp",
         TJPEGImage::StaticClass(), 64, 40, true},
        {"cancelled", form.UiBtnImage3, form.Image3, nullptr, TGIFImage::StaticClass(), 30, 20,
         false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        Boxes().clear();
        std::vector<TCommonDialog*> shown;
        AnsiString title, filter;
        Hooks().ExecuteDialog = [&](TCommonDialog& dialog) {
            shown.push_back(&dialog);
            auto& open = dynamic_cast<TOpenDialog&>(dialog);
            title = open.Title();
            filter = open.Filter();
            if (step.file) open.SetFileName(Fixture(step.file));
            return step.file != nullptr;
        };
        ClickButton(step.button);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], form.OpenPictureDialog);
        EXPECT_EQ(title, "Open Picture");
        EXPECT_EQ(filter,
                  "All (*.gif;*.jpg;*.jpeg;*.bmp)|*.gif;*.jpg;*.jpeg;*.bmp|GIF Image "
                  "(*.gif)|*.gif|JPEG Image File (*.jpg)|*.jpg|JPEG Image File "
                  "(*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp");
        TGraphic* graphic = step.image->Picture()->Graphic();
        ASSERT_NE(graphic, nullptr);
        EXPECT_TRUE(graphic->ClassType() == step.graphic);
        EXPECT_EQ(graphic->Width(), step.width);
        EXPECT_EQ(graphic->Height(), step.height);
        ASSERT_EQ(Boxes().size(), step.fails ? 1u : 0u);
        if (step.fails) {
            EXPECT_EQ(Boxes()[0].caption, Application->Title());
            EXPECT_EQ(Boxes()[0].flags & MB_ICONSTOP, static_cast<unsigned>(MB_ICONSTOP));
        }
    }
    const TRect shown = form.Image1->DestRect();
    EXPECT_EQ(shown.Right - shown.Left, 48);
    EXPECT_EQ(shown.Left, (form.Image1->Width() - 48) / 2);
    for (TUiCheckBox* box : {form.cbPrintImage1, form.cbPrintImage3, form.cbPrintImage5})
        EXPECT_FALSE(box->GetChecked());
    for (TImage* image : {form.Image1, form.Image3, form.Image5})
        image->Picture()->SetGraphic(nullptr);
}

TEST_F(CommandsTest, ContentsHandsTheFinderRequestToTheHelpComponent) {
    std::vector<std::pair<uint16_t, int>> passedOn;
    auto* after = new TApplicationEvents(nullptr);
    after->OnHelp = [&](uint16_t command, int data, bool& callHelp) {
        passedOn.push_back({command, data});
        callHelp = false;
        return true;
    };
    TDynamicHTMLHelp* help = form.DynamicHTMLHelp;
    const AnsiString file = help->htmlHelpFile();
    help->SethtmlHelpFile("C:\\no such folder\\Duvor Idiv.ede");
    ASSERT_TRUE(help->Loaded());
    // With the help library the component answers the request itself.
    Choose(form.Manual1);
    ClickToolButton(form.ToolButtonHelp);
    EXPECT_TRUE(passedOn.empty());
    // Without it the component leaves the request to the class library.
    help->freeHTMLHelp();
    Choose(form.Manual1);
    ClickToolButton(form.ToolButtonHelp);
    const std::vector<std::pair<uint16_t, int>> finder{{11, 1000}, {11, 1000}};
    EXPECT_EQ(passedOn, finder);
    help->loadHTMLHelp();
    help->SethtmlHelpFile(file);
    after->Free();
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(CommandsTest, AboutOpensTheAboutBoxModally) {
    TQMCAboutBox* box = form.QMCAboutComponent->AboutBox();
    EXPECT_TRUE(WhileModal(box, [&] { box->OKButton->Click(); }, [&] { Choose(form.About); }));
    EXPECT_EQ(box->ModalResult(), mrOk);
    EXPECT_FALSE(box->Visible());
}

TEST(CommandsCloseTest, ExitAndCloseCloseTheWindow) {
    TRadon* const previous = Monitor;
    auto* window = new TRadonMainForm(nullptr);
    for (bool byMenu : {true, false}) {
        window->Show();
        Application->ProcessMessages();
        ASSERT_TRUE(window->Visible());
        if (byMenu)
            SendMessageA(window->WindowHandle(), WM_COMMAND,
                         MAKEWPARAM(window->Exit->Command(), 0), 0);
        else
            PostClick(window->UiBitBtn2->WindowHandle());
        EXPECT_TRUE(PumpUntil([&] { return !window->Visible(); })) << byMenu;
    }
    window->Free();
    Monitor = previous;
}

}  // namespace
