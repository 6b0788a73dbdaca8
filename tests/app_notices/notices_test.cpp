// The notices window against the monitor simulator: which texts a read shows for each notice
// byte pattern, clearing, failures that keep the shown notices, and the log file's bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "ErrorCodes.h"
#include "Radon.h"
#include "UiBitBtn.h"
#include "UiGroupBox.h"
#include "UiMemo.h"
#include "UiPageControl.h"
#include "cl_datetime.h"
#include "cl_lists.h"
#include "monitor_simulator.h"
#include "test_pump.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);

using Lines = std::vector<std::string>;

std::string NoticeText(int bit) { return Monitor->Errors[bit].c_str(); }

class NoticesWindow : public ::testing::Test {
protected:
    void SetUp() override {
        Boxes().clear();
        DeleteFileA(TErrorCodesForm::LogFileName().c_str());
        form = new TErrorCodesForm(nullptr);
    }
    void TearDown() override {
        form->Free();
        TObject::Free(Monitor);
        Monitor = nullptr;
        if (sim) sim->Stop();
        DeleteFileA(TErrorCodesForm::LogFileName().c_str());
    }

    void Connect(std::vector<uint8_t> notices) {
        if (sim) sim->Stop();
        TObject::Free(Monitor);
        testsupport::SimMonitor config;
        std::copy(notices.begin(), notices.end(), config.notices);
        sim = std::make_unique<testsupport::MonitorSimulator>(6, config);
        sim->Start();
        Monitor = new TRadon(nullptr);
        Monitor->SetBaud(57600);
        Monitor->SetPortA(5);
        Monitor->ComInit();
        ASSERT_TRUE(Monitor->Open());
    }

    Lines MemoLines() const {
        Lines lines;
        TStrings* memo = form->ErrorMemo->Lines();
        for (int i = 0; i < memo->Count(); ++i) lines.push_back(memo->Strings(i).c_str());
        return lines;
    }

    static std::string LogBytes() {
        std::ifstream file(TErrorCodesForm::LogFileName().c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    static std::string DateLine() { return std::string(DateToStr(Date()).c_str()) + "\r\n"; }

    TErrorCodesForm* form = nullptr;
    std::unique_ptr<testsupport::MonitorSimulator> sim;
};

TEST_F(NoticesWindow, ReadShowsTheTextOfEverySetBitEachFollowedByAnEmptyLine) {
    struct Case {
        std::vector<uint8_t> notices;
        Lines shown;
        bool found;
    };
    Connect({0, 0, 0, 0});
    const std::string t0 = NoticeText(0), t1 = NoticeText(1), t9 = NoticeText(9),
                      t23 = NoticeText(23), t31 = NoticeText(31);
    const Case cases[] = {
        {{0x00, 0x00, 0x00, 0x00}, {"No Notices Found."}, false},
        {{0x01, 0x00, 0x00, 0x80}, {t0, "", t31, ""}, true},
        {{0x03, 0x00, 0x00, 0x00}, {t0, "", t1, ""}, true},
        {{0x00, 0x02, 0x80, 0x00}, {t9, "", t23, ""}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.notices));
        Connect(c.notices);
        form->ReadCodesButton->Click();
        EXPECT_EQ(MemoLines(), c.shown);
        EXPECT_EQ(form->NoticesFound, c.found);
        EXPECT_EQ(form->NoticeIndex, 32);
        EXPECT_EQ(Screen->Cursor(), crDefault);
        ASSERT_EQ(sim->Requests().size(), 1u);
        EXPECT_EQ(sim->Requests()[0].command, 64);
        EXPECT_EQ(sim->Requests()[0].subCode, 0x99);
        EXPECT_TRUE(sim->Requests()[0].payload.empty());
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(NoticesWindow, ClearingTellsTheUserAndLeavesTheShownNoticesUntilTheNextRead) {
    Connect({0x01, 0x00, 0x00, 0x80});
    form->ReadCodesButton->Click();
    const Lines before = MemoLines();
    sim->ClearRequests();

    form->ClearCodesButton->Click();
    ASSERT_EQ(sim->Requests().size(), 1u);
    EXPECT_EQ(sim->Requests()[0].command, 65);
    EXPECT_EQ(sim->Requests()[0].subCode, 0x99);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Errors in the monitor have been cleared.");
    EXPECT_EQ(Boxes()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONINFORMATION));
    EXPECT_EQ(MemoLines(), before);
    EXPECT_TRUE(form->NoticesFound);

    form->ReadCodesButton->Click();
    EXPECT_EQ(MemoLines(), Lines{"No Notices Found."});
    EXPECT_FALSE(form->NoticesFound);
}

TEST_F(NoticesWindow, AFailedExchangeShowsMonitorErrorAndKeepsWhatWasShown) {
    Connect({0x01, 0x00, 0x00, 0x80});
    form->ReadCodesButton->Click();
    const Lines before = MemoLines();
    Monitor->ComClose();

    for (TUiBitBtn* button : {form->ReadCodesButton, form->ClearCodesButton}) {
        Boxes().clear();
        button->Click();
        ASSERT_EQ(Boxes().size(), 1u) << button->Name().c_str();
        EXPECT_EQ(Boxes()[0].caption, "Monitor Error");
        EXPECT_NE(Boxes()[0].text.Pos("Could not find the device"), 0);
        EXPECT_EQ(Boxes()[0].flags, static_cast<unsigned>(MB_OK));
        EXPECT_EQ(MemoLines(), before);
        EXPECT_TRUE(form->NoticesFound);
        EXPECT_EQ(Screen->Cursor(), crDefault);
    }

    Boxes().clear();
    form->SaveToLogButton->Click();
    EXPECT_EQ(LogBytes(), DateLine() + NoticeText(0) + "\r\n\r\n" + NoticeText(31) + "\r\n\r\n");
}

TEST_F(NoticesWindow, LogHoldsTheDateAndTheShownTextWithPlainLineEndsAndIsOverwritten) {
    Connect({0x03, 0x00, 0x00, 0x00});
    form->ReadCodesButton->Click();
    form->SaveToLogButton->Click();
    EXPECT_EQ(LogBytes(), DateLine() + NoticeText(0) + "\r\n\r\n" + NoticeText(1) + "\r\n\r\n");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Errors have been saved in a log file.");
    EXPECT_EQ(Boxes()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONWARNING));

    form->ErrorMemo->SetText("Edited\r\nby hand");
    form->SaveToLogButton->Click();
    EXPECT_EQ(LogBytes(), DateLine() + "Edited\r\nby hand");
}

TEST_F(NoticesWindow, NothingIsSavedWhenTheLastReadFoundNoNotices) {
    Connect({0, 0, 0, 0});
    form->SaveToLogButton->Click();
    form->ReadCodesButton->Click();
    form->SaveToLogButton->Click();
    ASSERT_EQ(Boxes().size(), 2u);
    for (const ShownBox& box : Boxes()) EXPECT_EQ(box.text, "No errors were found in the monitor.");
    EXPECT_EQ(GetFileAttributesA(TErrorCodesForm::LogFileName().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(NoticesWindow, ALogThatCannotBeWrittenIsReportedAndNeverCalledSaved) {
    Connect({0x01, 0x00, 0x00, 0x00});
    form->ReadCodesButton->Click();
    const AnsiString log = TErrorCodesForm::LogFileName();
    ASSERT_TRUE(CreateDirectoryA(log.c_str(), nullptr));
    form->SaveToLogButton->Click();
    RemoveDirectoryA(log.c_str());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.Pos("could not be saved"), 0);
    EXPECT_NE(Boxes()[0].text.Pos("ErrorLog.txt"), 0);
    EXPECT_EQ(Boxes()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONERROR));
}

TEST_F(NoticesWindow, ShowingAgainEmptiesTheMemoButKeepsTheSaveGateAndCloseEndsTheModalLoop) {
    Connect({0x00, 0x00, 0x00, 0x80});
    form->ReadCodesButton->Click();
    ASSERT_FALSE(MemoLines().empty());
    PostClick(form->CloseButton->Handle());
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_TRUE(MemoLines().empty());
    EXPECT_TRUE(form->NoticesFound);
    form->SaveToLogButton->Click();
    EXPECT_EQ(LogBytes(), DateLine());
}

TEST_F(NoticesWindow, LaidOutWithTheFourButtonsLeftToRight) {
    EXPECT_EQ(form->Caption(), "Notices From Monitor");
    EXPECT_EQ(form->Width(), 649);
    EXPECT_EQ(form->Height(), 436);
    EXPECT_EQ(form->Position(), poMainFormCenter);
    EXPECT_EQ(form->UiGroupBox5->Caption(), "Notices From The Monitor");
    EXPECT_EQ(form->UiGroupBox5->GroupStyle(), gsBanner);
    EXPECT_EQ(form->UiGroupBox5->Font()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(form->UiGroupBox5->Font()->Height(), -13);
    EXPECT_FALSE(form->MonitorSheet->TabVisible());
    TUiBitBtn* const buttons[] = {form->ReadCodesButton, form->ClearCodesButton,
                                  form->SaveToLogButton, form->CloseButton};
    const char* captions[] = {"Read Notices From Monitor", "Clear Notices From Monitor",
                              "Save To Log", "Close"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(buttons[i]->Caption(), captions[i]);
        if (i > 0) {
            EXPECT_GE(buttons[i]->Left(), buttons[i - 1]->Left() + buttons[i - 1]->Width());
        }
    }
    EXPECT_EQ(form->CloseButton->ModalResult(), mrOk);
}

}  // namespace
