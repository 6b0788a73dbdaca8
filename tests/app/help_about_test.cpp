// The help component's command translation without and with the help library, and the about
// box and component: fixed versions, pairs 1 to 4 only, and the two-column list.
#include <gtest/gtest.h>

#include "DynamicHTMLHelp.h"
#include "QMCAbout.h"
#include "test_pump.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override { help = new TDynamicHTMLHelp(nullptr); }
    void TearDown() override { help->Free(); }
    TDynamicHTMLHelp* help = nullptr;
};

TEST_F(HelpTest, PopupPositionAndUnknownCommandsNeedNoHelpFile) {
    ASSERT_TRUE(help->Loaded());
    EXPECT_FALSE(help->ProcessHTMLHelp(13, static_cast<int32_t>(0xFFFF0010)));
    EXPECT_EQ(help->PopupPosition().x, 16);
    EXPECT_EQ(help->PopupPosition().y, -1);
    EXPECT_TRUE(help->ProcessHTMLHelp(2, 0));
    help->SetControlVersion("9.9");
    EXPECT_EQ(help->ControlVersion(), "1.00.01");
}

TEST_F(HelpTest, MissingHelpFileIsHandledQuietly) {
    help->SethtmlHelpFile("C:\\no such folder\\Duvor Idiv.ede");
    Boxes().clear();
    EXPECT_FALSE(help->ProcessHTMLHelp(11, 1000));
    EXPECT_FALSE(help->ProcessHTMLHelp(1, 0x9F));
    EXPECT_TRUE(Boxes().empty());
    help->CloseAllHelp();
}

TEST_F(HelpTest, WithoutTheLibraryEveryRequestGoesBack) {
    help->freeHTMLHelp();
    EXPECT_FALSE(help->Loaded());
    for (uint16_t command : {1, 8, 11, 13}) EXPECT_TRUE(help->ProcessHTMLHelp(command, 0));
    help->CloseAllHelp();
}

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override {
        Boxes().clear();
        about = new TQMCAboutComponent(nullptr);
    }
    void TearDown() override { about->Free(); }
    TQMCAboutComponent* about = nullptr;
};

TEST_F(AboutTest, BoxLayoutAndLabelsOfAProgramWithoutVersionResource) {
    TQMCAboutBox* box = about->AboutBox();
    EXPECT_EQ(box->Caption(), "QMC About");
    EXPECT_EQ(box->ClientWidth(), 296);
    EXPECT_EQ(box->ClientHeight(), 326);
    EXPECT_EQ(box->ProductName->Caption(), "Product Name");
    EXPECT_EQ(box->Version->Caption(), "");
    EXPECT_EQ(box->VersionStaticText->Caption(), "Application Version");
    EXPECT_EQ(box->OKButton->ModalResult(), mrOk);
    EXPECT_TRUE(box->OKButton->Default());
    EXPECT_EQ(box->ProgramIcon->Picture()->Bitmap()->Width(), 217);
    EXPECT_EQ(about->ControlVersion(), "1.04.00");
    about->SetControlVersion("2");
    EXPECT_EQ(about->ControlVersion(), "1.04.00");
}

TEST_F(AboutTest, PairsOutsideOneToFourShowAnErrorAndChangeNothing) {
    about->SetExtraVersionText(2, "2.0");
    about->SetExtraVersionVisible(2, true);
    EXPECT_TRUE(about->GetExtraVersionVisible(2));
    EXPECT_FALSE(about->GetExtraVersionVisible(1));
    EXPECT_TRUE(Boxes().empty());
    about->SetExtraVersionText(5, "5.0");
    EXPECT_EQ(about->GetExtraDescriptionText(0), "");
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text, "Only 4 additional version boxes available!");
    EXPECT_EQ(about->AboutBox()->UserDefineVersion[1]->Caption(), "2.0");
}

TEST_F(AboutTest, ListHasTheLongerColumnsCountAndOpensWithTheSetPairsOnly) {
    for (const char* label : {"Engine", "Codec", "Driver"}) about->LabelList()->Add(label);
    about->AppendVersionInfo("Monitor", "6916");
    EXPECT_EQ(about->AboutBox()->lbCustomFields->Count(), 4);
    about->Visible[1] = true;
    about->Description[1] = "Firmware";
    about->VisibleList = true;
    TQMCAboutBox* box = about->AboutBox();
    bool checked = false;
    TTimer* timer = new TTimer(nullptr);
    timer->SetInterval(300);
    timer->SetOnTimer([&](TObject*) {
        if (checked) return;
        checked = true;
        EXPECT_TRUE(box->UserDefineText[1]->Visible());
        EXPECT_FALSE(box->UserDefineText[0]->Visible());
        EXPECT_EQ(box->UserDefineText[1]->Caption(), "Firmware");
        EXPECT_TRUE(box->lbCustomFields->Visible());
        box->OKButton->Click();
    });
    about->OpenAbout();
    timer->Free();
    EXPECT_TRUE(checked);
    EXPECT_EQ(box->ModalResult(), mrOk);
}

}  // namespace
