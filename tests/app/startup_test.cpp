// Start-up without a settings file: the four windows exist with their captions and the main
// window opens on the Inspection sheet with its layout; a stored port that is missing gives 0.
#include <gtest/gtest.h>

#include "ApplicationWindows.h"
#include "ErrorCodes.h"
#include "Preferences.h"
#include "PreviewDialog.h"
#include "Radon.h"
#include "RadonMainForm.h"
#include "SettingsFile.h"
#include "UiBalloonHint.h"
#include "UiPageControl.h"
#include "UiProgressStatus.h"
#include "UiStatusBar.h"
#include "UiToolbar.h"
#include "cl_sys.h"
#include "stream_checks.h"
#include "test_pump.h"

namespace {

TEST(StartUpTest, FreshStartWithoutSettingsOrPortOpensOnTheInspectionSheet) {
    DeleteFileA(SettingsFileName().c_str());
    CreateApplicationWindows();
    EXPECT_EQ(Application->MainForm(), RadonMainForm);
    ASSERT_NE(Monitor, nullptr);
    // This machine may have a COM1: the port stays open only when it exists.
    EXPECT_EQ(Monitor->Port(), Monitor->Open() ? 1u : 0u);
    EXPECT_EQ(Monitor->Baud(), 57600u);
    EXPECT_EQ(Monitor->DtrControl(), dtrDisable);
    EXPECT_EQ(Monitor->RtsControl(), rtsDisable);
    EXPECT_FALSE(RadonMainForm->TestShown);

    RadonMainForm->UiPageControl1->SetActivePage(RadonMainForm->TabSheet1);
    RadonMainForm->Show();
    Application->ProcessMessages();
    EXPECT_EQ(RadonMainForm->Caption(), "Continuous Radon Monitor");
    EXPECT_EQ(RadonMainForm->Width(), 892);
    EXPECT_EQ(RadonMainForm->Height(), 758);
    EXPECT_EQ(RadonMainForm->UiPageControl1->ActivePage(), RadonMainForm->InspectionSheet);
    EXPECT_EQ(RadonMainForm->ChartSheet->Caption(), " Chart ");
    EXPECT_EQ(RadonMainForm->UiPageControl1->PageCount(), 4);
    EXPECT_EQ(RadonMainForm->Toolbar->Height(), 44);
    EXPECT_EQ(RadonMainForm->Toolbar->ButtonWidth(), 60);
    EXPECT_EQ(RadonMainForm->StatusBar->Height(), 19);
    EXPECT_EQ(RadonMainForm->ProgressStatus->Percent(), 100);
    EXPECT_EQ(RadonMainForm->ExeDirectory, ExtractFilePath(Application->ExeName()));
    EXPECT_EQ(frmPreferences->ActionLevel, 4.0);
    EXPECT_EQ(frmPrintPreview->Caption(), "Print Preview");
    EXPECT_EQ(frmPreferences->Caption(), "Preferences");
    EXPECT_EQ(ErrorCodesForm->Caption(), "Notices From Monitor");
    EXPECT_EQ(GetFileAttributesA(SettingsFileName().c_str()), INVALID_FILE_ATTRIBUTES);

    RadonMainForm->IncProgress(7);
    EXPECT_EQ(RadonMainForm->ProgressStatus->Percent(), 107);
    RadonMainForm->Hide();
    Application->ProcessMessages();
}

// The main window's balloon hints style every hint window the application makes from now on.
TEST(StartUpTest, EveryHintIsABalloonInTheMainWindowsStyle) {
    ASSERT_NE(RadonMainForm, nullptr);
    TUiBalloonHints* balloons = RadonMainForm->UiBalloonHints1;
    ASSERT_NE(balloons, nullptr);
    EXPECT_EQ(balloons->Corner(), hcLowerRight);
    EXPECT_EQ(balloons->CaptionWidth(), 110);
    EXPECT_EQ(balloons->FrameColor(), cl3DDkShadow);
    EXPECT_EQ(Application->HintPause(), 50);
    EXPECT_EQ(balloons->Bitmaps()->TransparentColor(), clOlive);
    THintWindow* window = HintWindowClass(Application);
    auto* balloon = dynamic_cast<TUiCustomHintWindow*>(window);
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(balloon->Component, balloons);
    EXPECT_TRUE(balloon->ShowBalloon);
    EXPECT_EQ(balloon->Corner, hcLowerRight);
    EXPECT_EQ(balloon->CaptionWidth, 110);
    EXPECT_EQ(balloon->FrameColor, cl3DDkShadow);
    EXPECT_EQ(balloon->Font()->Name(), "Tahoma");
    EXPECT_EQ(balloon->Font()->Height(), -11);
    EXPECT_EQ(balloon->Font()->Color(), clInfoText);
    window->Free();
}

TEST(StartUpTest, AStoredPortThatCannotBeOpenedLeavesPortZero) {
    {
        TIniFile ini(SettingsFileName());
        WritePort(ini, 9);
    }
    TRadon* const previous = Monitor;
    auto* window = new TRadonMainForm(nullptr);
    EXPECT_FALSE(Monitor->Open());
    EXPECT_EQ(Monitor->Port(), 0u);
    EXPECT_FALSE(window->TestShown);
    window->Free();
    Monitor = previous;
    DeleteFileA(SettingsFileName().c_str());
}

// Every component of the program's windows goes into a form stream and comes back under the
// same parent (menu items under their menu or item, series' charts and controls' panels alike):
// its class is found by name and every property it writes reads again.
TEST(StartUpTest, TheWindowsReadBackFromAFormStream) {
    if (!RadonMainForm) CreateApplicationWindows();
    for (TForm* window : std::initializer_list<TForm*>{frmPreferences, frmPrintPreview,
                                                      ErrorCodesForm, RadonMainForm}) {
        SCOPED_TRACE(window->Name().c_str());
        for (int i = 0; i < window->ComponentCount(); ++i)
            RegisterClass(window->Components(i)->ClassType());
        TForm* copy = nullptr;
        try {
            copy = CopyOfForm(window);
        } catch (Exception& e) {
            ADD_FAILURE() << e.Message().c_str();
            continue;
        }
        for (int i = 0; i < window->ComponentCount(); ++i) {
            TComponent* original = window->Components(i);
            if (original->Name().IsEmpty()) continue;
            TComponent* twin = copy->FindComponent(original->Name());
            ASSERT_TRUE(twin && twin->ClassType() == original->ClassType())
                << original->Name().c_str();
            TComponent* parent = original->GetParentComponent();
            TComponent* twinParent = twin->GetParentComponent();
            ASSERT_EQ(parent == nullptr, twinParent == nullptr) << original->Name().c_str();
            if (parent) EXPECT_EQ(parent->Name(), twinParent->Name()) << original->Name().c_str();
        }
        copy->Free();
    }
}

}  // namespace
