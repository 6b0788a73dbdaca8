// The main window's file commands through the dialog and message-box hooks: Save and Open of
// the fixture files, the refusals and required customer fields, damaged and missing files that
// leave the shown test as it was, Copy Billing Address, and Copy and Write Raw Data.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "ErrorCodes.h"
#include "Preferences.h"
#include "PreviewDialog.h"
#include "QMCAbout.h"
#include "Radon.h"
#include "RadonMainForm.h"
#include "SettingsFile.h"
#include "UiCheckBox.h"
#include "UiEdit.h"
#include "UiRadioGroup.h"
#include "cl_clipboard.h"
#include "cl_dialogs.h"
#include "main_window_environment.h"
#include "sample_tests.h"
#include "test_pump.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

const char* const Version = "1.2.0.0";

// The about box shows a fixed version, which the raw-data text carries.
class FileCommandsEnvironment : public MainWindowEnvironment {
public:
    FileCommandsEnvironment() : MainWindowEnvironment(0) {}
    void SetUp() override {
        MainWindowEnvironment::SetUp();
        RadonMainForm->QMCAboutComponent->AboutBox()->Version->SetCaption(Version);
    }
};

const auto* controls = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);
const auto* mainWindow = ::testing::AddGlobalTestEnvironment(new FileCommandsEnvironment);

TAddressEdits BillingEdits() { return RadonMainForm->BillingEdits(); }
TAddressEdits SiteEdits() { return RadonMainForm->SiteEdits(); }

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Boxes().clear();
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "app_testfile_" + std::to_string(GetCurrentProcessId());
        folder_ += "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        Hooks().ExecuteDialog = [this](TCommonDialog& dialog) {
            auto& file = dynamic_cast<TOpenDialog&>(dialog);
            dialogs_.push_back(&file);
            filters_.push_back(file.Filter().str());
            if (answer_.empty()) return false;
            file.SetFileName(answer_.c_str());
            return true;
        };
    }
    void TearDown() override {
        Hooks().ExecuteDialog = nullptr;
        for (const char* name : {"saved.txt", "saved.TXT.txt", "raw.txt", "damaged.txt", "large.txt"})
            DeleteFileA((folder_ + name).c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    // Puts a sample into the device record and the window, as a retrieval would leave them.
    void Show(const SampleTest& test) {
        static_cast<TDeviceRecord&>(*Monitor) = *test.Record;
        frmPreferences->InspectorName = test.Window.InspectorName;
        const TTestFileWindow& window = test.Window;
        frmPreferences->PrintMitigationSystemInstalledchk->SetChecked(window.MitigationInstalled);
        frmPreferences->radioMitigationWorking->SetItemIndex(test.Window.MitigationWorking);
        for (int i = 0; i < CustomerFieldCount; ++i) {
            BillingEdits()[i]->SetText(test.Window.Billing[i]);
            SiteEdits()[i]->SetText(test.Window.Site[i]);
        }
        RadonMainForm->TestFromMonitor = true;
    }

    std::string folder_;
    std::string answer_;
    std::vector<TOpenDialog*> dialogs_;
    std::vector<std::string> filters_;
};

TEST_F(FileCommandsTest, SaveRefusesATestNotRetrievedOrMissing) {
    Show(Sample6915());
    RadonMainForm->TestFromMonitor = false;
    RadonMainForm->mnuSaveDataClick(nullptr);
    Monitor->CF1 = 0;
    RadonMainForm->TestFromMonitor = true;
    RadonMainForm->mnuSaveDataClick(nullptr);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text,
              "Only data from the device can be saved into a file.\nPlease connect the device "
              "and retrieve the data.");
    EXPECT_EQ(Boxes()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONWARNING));
    EXPECT_EQ(Boxes()[1].text, "There is no data to save.");
    EXPECT_EQ(Boxes()[1].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONERROR));
    EXPECT_TRUE(dialogs_.empty());
}

TEST_F(FileCommandsTest, SaveNamesTheFirstEmptyRequiredCustomerFieldAndFocusesIt) {
    struct Case {
        bool site;
        int field;
        const char* message;
    };
    const Case cases[] = {{false, 0, "Customer name is a required field."},
                          {false, 1, "Address 1 is a required field."},
                          {false, 3, "City is a required field."},
                          {true, 4, "State is a required field."},
                          {true, 5, "Zai code is a required field."}};
    for (const Case& c : cases) {
        Show(Sample6915());
        (c.site ? SiteEdits() : BillingEdits())[c.field]->SetText("  ");
        Boxes().clear();
        RadonMainForm->mnuSaveDataClick(nullptr);
        ASSERT_EQ(Boxes().size(), 1u) << c.message;
        EXPECT_EQ(Boxes()[0].text, c.message);
        EXPECT_EQ(Boxes()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONERROR));
        EXPECT_EQ(RadonMainForm->ActiveControl(), (c.site ? SiteEdits() : BillingEdits())[c.field]);
    }
    for (int i = 0; i < CustomerFieldCount; ++i) BillingEdits()[i]->SetText("");
    Boxes().clear();
    RadonMainForm->mnuSaveDataClick(nullptr);
    EXPECT_EQ(Boxes().at(0).text, "Customer name is a required field.");
    EXPECT_TRUE(dialogs_.empty());
}

TEST_F(FileCommandsTest, SaveWritesTheFixturesAndLeavesTheClipboardAlone) {
    Clipboard()->SetAsText("the user's text");
    Show(Sample6915());
    answer_ = folder_ + "saved";
    RadonMainForm->mnuSaveDataClick(nullptr);
    EXPECT_EQ(ReadBytes(folder_ + "saved.txt"), Fixture("test6915.txt"));
    EXPECT_THAT(RadonMainForm->CustomerText.str(),
                StartsWith("Customer Billing Information:\nName:\tJane Homeowner\n"));

    Show(Sample6916());
    answer_ = folder_ + "saved.TXT";
    RadonMainForm->mnuSaveDataClick(nullptr);
    EXPECT_EQ(ReadBytes(folder_ + "saved.TXT.txt"), Fixture("test6916.txt"));
    EXPECT_EQ(filters_, std::vector<std::string>(2, "Text file (*.txt)|*.txt"));
    EXPECT_EQ(dialogs_.at(0), RadonMainForm->SaveDialog1);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Clipboard()->AsText(), "the user's text");
}

TEST_F(FileCommandsTest, SaveIntoAMissingFolderIsReported) {
    Show(Sample6915());
    answer_ = folder_ + "missing\\saved";
    RadonMainForm->mnuSaveDataClick(nullptr);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_THAT(Boxes()[0].text.str(), HasSubstr("saved.txt"));
    EXPECT_EQ(Boxes()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONERROR));
}

TEST_F(FileCommandsTest, OpenShowsTheFileAndSaveIsThenRefused) {
    Show(Sample6915());
    Monitor->Pin = "4321";
    answer_ = FixtureDir() + "test6916.txt";
    RadonMainForm->mnuLoadDataClick(nullptr);
    EXPECT_TRUE(Boxes().empty()) << (Boxes().empty() ? "" : Boxes()[0].text.c_str());
    EXPECT_EQ(dialogs_.at(0), RadonMainForm->OpenDialog1);
    EXPECT_EQ(RadonMainForm->OpenDialog1->Title(), "Load Measured Data");
    EXPECT_EQ(filters_.at(0), "Text file (*.txt)|*.txt");
    EXPECT_EQ(Monitor->ModelNumber, "6916");
    EXPECT_EQ(Monitor->SerialNumber, "16042");
    EXPECT_EQ(Monitor->Measurements[1].Alpha0Counts, 220);
    EXPECT_EQ(Monitor->Pin, "4321");
    EXPECT_EQ(Stamp(Monitor->StartTime), "2026-06-01 08:15:00");
    EXPECT_FALSE(RadonMainForm->TestFromMonitor);
    EXPECT_EQ(frmPreferences->InspectorName, "");
    EXPECT_FALSE(frmPreferences->PrintMitigationSystemInstalledchk->GetChecked());
    EXPECT_EQ(frmPreferences->radioMitigationWorking->ItemIndex(), -1);
    EXPECT_EQ(RadonMainForm->SiteCustomerAddress1Edit->Text(), "99 Lake Dr");
    EXPECT_EQ(RadonMainForm->CustomerPhoneNumberEdit->Text(), "309-555-0111");
    // Units index 0: degrees C as read, inHg turned into kPa.
    EXPECT_NEAR(RadonMainForm->AvgTemperature, (20.0 + 21.5 - 3.3 + 20.0) / 4, 1e-5);
    EXPECT_NEAR(RadonMainForm->AvgHumidity, (45.5 + 50.0 + 0.0 + 99.9) / 4, 1e-5);
    EXPECT_NEAR(RadonMainForm->AvgPressure, (30.0 + 29.9 + 28.5 + 30.0) / 4 * 3.385, 1e-4);

    answer_ = FixtureDir() + "test6915.txt";
    RadonMainForm->mnuLoadDataClick(nullptr);
    EXPECT_EQ(frmPreferences->InspectorName, "Pat Inspector");
    EXPECT_TRUE(frmPreferences->PrintMitigationSystemInstalledchk->GetChecked());
    EXPECT_EQ(frmPreferences->radioMitigationWorking->ItemIndex(), 0);
    EXPECT_TRUE(Boxes().empty());

    RadonMainForm->mnuSaveDataClick(nullptr);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_THAT(Boxes()[0].text.str(), StartsWith("Only data from the device"));
}

// Any model text but "6915" reads the rows with their sensor columns, and averages them.
TEST_F(FileCommandsTest, AFileOfAnotherModelGetsTheAveragesOfItsSensorColumns) {
    std::string text = Fixture("test6916.txt");
    text.replace(text.find("Monitor:\t6916"), 14, "Monitor:\t6917");
    {
        std::ofstream out(folder_ + "damaged.txt", std::ios::binary);
        out << text;
    }
    Show(Sample6915());
    answer_ = folder_ + "damaged.txt";
    RadonMainForm->mnuLoadDataClick(nullptr);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Monitor->ModelNumber, "6917");
    EXPECT_NEAR(RadonMainForm->AvgTemperature, (20.0 + 21.5 - 3.3 + 20.0) / 4, 1e-5);
    EXPECT_NEAR(RadonMainForm->AvgHumidity, (45.5 + 50.0 + 0.0 + 99.9) / 4, 1e-5);
    EXPECT_NEAR(RadonMainForm->AvgPressure, (30.0 + 29.9 + 28.5 + 30.0) / 4 * 3.385, 1e-4);
}

// The file keeps one count per 6916 reading, the sum of both detectors, and that sum returns in
// detector 0: reopened, detector 1's counts are converted with CF1 in place of CF2. The averages
// differ by exactly that, nothing more, and not at all when both factors are equal.
TEST_F(FileCommandsTest, A6916TestReopenedDiffersFromTheRetrievedOneOnlyByDetectorOnesFactor) {
    for (const float cf2 : {1.25f, 1.3f, 2.5f}) {
        SCOPED_TRACE(cf2);
        SampleTest test = Sample6916();  // Bq/m3, half-hour readings, CF1 = 1.25
        TDeviceRecord& r = *test.Record;
        r.CF2 = cf2;
        r.NumMeasurements = 30;
        double sum1 = 0, first1 = 0;
        for (int i = 1; i < 30; ++i) {
            SetReading(r, i, uint16_t(100 + 7 * i), uint16_t(90 + 11 * i), 20, 30, 40, 0);
            sum1 += r.Measurements[i].Alpha1Counts;
            if (i <= 4) first1 += r.Measurements[i].Alpha1Counts;
        }
        Show(test);
        RadonMainForm->IntervalHours = 0.5;
        RadonMainForm->ComputeAverages();
        const double overall = RadonMainForm->OverallAverage, epa = RadonMainForm->EpaAverage;
        answer_ = folder_ + "saved";
        RadonMainForm->mnuSaveDataClick(nullptr);
        answer_ = folder_ + "saved.txt";
        RadonMainForm->mnuLoadDataClick(nullptr);
        ASSERT_TRUE(Boxes().empty());
        const double k = 37 / 0.5 * (1.0 / r.CF1 - 1.0 / r.CF2) * 0.5;
        EXPECT_NEAR(RadonMainForm->OverallAverage - overall, k * sum1 / 29, 1e-9);
        EXPECT_NEAR(RadonMainForm->EpaAverage - epa, k * (sum1 - first1) / 25, 1e-9);
    }
}

TEST_F(FileCommandsTest, DamagedOrMissingFilesLeaveTheShownTest) {
    std::string damaged = Fixture("test6915.txt");
    damaged.replace(damaged.find("Serial Number:\t15001"), 20, "Serial Number:\t99999");
    damaged.replace(damaged.find("01:30\t65535.0"), 13, "01:30\t6553x.0");
    {
        std::ofstream out(folder_ + "damaged.txt", std::ios::binary);
        out << damaged;
    }
    Show(Sample6916());
    const TDateTime shownStart = Monitor->StartTime;
    for (const std::string& file : {folder_ + "damaged.txt", folder_ + "absent.txt"}) {
        answer_ = file;
        Boxes().clear();
        RadonMainForm->mnuLoadDataClick(nullptr);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_THAT(Boxes()[0].text.str(), StartsWith("Error occured while opening the file.\n\n"));
        EXPECT_EQ(Boxes()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONERROR));
        EXPECT_EQ(Monitor->SerialNumber, "16042");
        EXPECT_EQ(Monitor->ModelNumber, "6916");
        EXPECT_EQ(Monitor->StartTime, shownStart);
        EXPECT_EQ(Monitor->Measurements[1].Alpha0Counts, 100);
        EXPECT_EQ(RadonMainForm->SiteCustomerAddress1Edit->Text(), " 99 Lake Dr ");
        EXPECT_TRUE(RadonMainForm->TestFromMonitor);
    }
    answer_ = folder_ + "damaged.txt";
    Boxes().clear();
    RadonMainForm->mnuLoadDataClick(nullptr);
    EXPECT_EQ(Boxes().at(0).text,
              "Error occured while opening the file.\n\nLine 62: '6553x.0' is not a valid "
              "floating point value");
}

// A file far larger than any test is refused before it is read, naming the file.
TEST_F(FileCommandsTest, OpenRefusesAFileFarLargerThanAnyTest) {
    const std::string large = folder_ + "large.txt";
    {
        std::ofstream out(large, std::ios::binary);
        out << Fixture("test6915.txt");
    }
    HANDLE file = CreateFileA(large.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = MaxTestFileSize + 1;
    ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
    Show(Sample6916());
    answer_ = large;
    RadonMainForm->mnuLoadDataClick(nullptr);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, ("Error occured while opening the file.\n\nThe file \"" + large +
                                "\" is far larger than any test data file and is not read.")
                                   .c_str());
    EXPECT_EQ(Boxes()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONERROR));
    EXPECT_EQ(Monitor->SerialNumber, "16042");
    EXPECT_TRUE(RadonMainForm->TestFromMonitor);
}

TEST_F(FileCommandsTest, CopyBillingAddressCopiesTheTextsUnchanged) {
    const char* const texts[] = {" Ann ", "1 Road", "", "Town", "ST", "00001", "555"};
    for (int i = 0; i < CustomerFieldCount; ++i) {
        BillingEdits()[i]->SetText(texts[i]);
        SiteEdits()[i]->SetText("old");
    }
    RadonMainForm->btnCopyAddressClick(nullptr);
    for (int i = 0; i < CustomerFieldCount; ++i) EXPECT_EQ(SiteEdits()[i]->Text(), texts[i]);
}

TEST_F(FileCommandsTest, CopyRawDataPutsTheConvertedTextOnTheClipboard) {
    Show(Sample6916());
    Monitor->CF1 = 0;
    Clipboard()->SetAsText("the user's text");
    RadonMainForm->CopyDatamnuClick(nullptr);
    EXPECT_EQ(Clipboard()->AsText(), "the user's text");
    Show(Sample6915());
    RadonMainForm->CopyDatamnuClick(nullptr);
    EXPECT_EQ(Clipboard()->AsText(), ConvertedText6915(Version));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FileCommandsTest, WriteRawDataWritesTheConvertedTextWithCrLf) {
    Show(Sample6915());
    Monitor->CF1 = 0;
    RadonMainForm->WriteRawDatasubmnuClick(nullptr);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "There is no data to write in a file");
    EXPECT_EQ(Boxes()[0].caption, "Message");
    EXPECT_TRUE(dialogs_.empty());

    Show(Sample6915());
    Clipboard()->SetAsText("the user's text");
    RadonMainForm->WriteRawDatasubmnuClick(nullptr);  // cancelled
    answer_ = folder_ + "raw";
    RadonMainForm->WriteRawDatasubmnuClick(nullptr);
    std::string expected;
    for (char c : ConvertedText6915(Version)) expected += c == '\n' ? "\r\n" : std::string(1, c);
    EXPECT_EQ(ReadBytes(folder_ + "raw.txt"), expected);
    EXPECT_EQ(filters_, std::vector<std::string>(2, "Text file (*.txt)|*.txt"));
    EXPECT_EQ(Clipboard()->AsText(), "the user's text");
    EXPECT_EQ(Boxes().size(), 1u);
}

}  // namespace
