// Version information against the program's own version resource (linked into this test), a
// file without a translation entry and a file without any resource; the version pane's caption,
// the field pane's label and the marquee pane's scrolling.
#include "UiVersionInfo.h"
#include "cl_sys.h"
#include "pane_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

AnsiString BesideTest(const char* name) { return ExtractFilePath(ExeFileName()) + name; }

using VersionTest = PaneTest;

TEST_F(VersionTest, OwnVersionResourceFillsTheFields) {
    auto* info = new TUiVersionInfo(form);
    EXPECT_TRUE(info->HasVersionInfo());
    EXPECT_EQ(info->FilePath(), ExeFileName());
    const struct {
        TUiVersionInfoField field;
        const char* value;
    } cases[] = {{vifCompanyName, "QMC"},
                 {vifFileDescription, "QMC Continuous Radon Monitor"},
                 {vifFileVersion, "1.0.0.0"},
                 {vifCopyright, "Copyright (C) 2026 QMC"},
                 {vifTrademarks, ""},
                 {vifProductVersion, "1.0.0"},
                 {vifComments, ""}};
    for (const auto& c : cases) EXPECT_EQ(info->GetVerField(c.field), c.value) << c.field;
    EXPECT_EQ(info->GetCustomKeyValue("InternalName"), "RadonMonitor");
    EXPECT_EQ(info->GetCustomKeyValue("PrivateBuild"), "Value Not Available");
    EXPECT_THROW(info->GetField(10), Exception);
}

TEST_F(VersionTest, StringsAreFoundWithoutATranslationEntry) {
    auto* info = new TUiVersionInfo(form);
    info->SetFilePath(BesideTest("panes_no_translation.dll"));
    EXPECT_TRUE(info->HasVersionInfo());
    EXPECT_EQ(info->GetVerField(vifProductName), "Probe Without Translation");
    EXPECT_EQ(info->GetVerField(vifProductVersion), "2.5");
    EXPECT_EQ(info->GetCustomKeyValue("CompanyName"), "Probe Makers");
}

TEST_F(VersionTest, FileWithoutResourceGivesValueNotAvailable) {
    auto* info = new TUiVersionInfo(form);
    auto* pane = AddPane<TUiVersionInfoStatus>(150);
    pane->SetVersionInfo(info);
    EXPECT_EQ(pane->Caption(), "1.0.0");
    info->SetFilePath(BesideTest("no such file.exe"));
    EXPECT_FALSE(info->HasVersionInfo());
    for (int i = 0; i < 10; ++i) EXPECT_EQ(info->GetField(i), "Value Not Available") << i;
    EXPECT_EQ(pane->Caption(), "Value Not Available") << "panes follow a new file";
    EXPECT_EQ(info->GetCustomKeyValue("ProductName"), "Value Not Available");
}

TEST_F(VersionTest, VersionPaneShowsItsFieldAndKeepsItAfterTheInfoGoes) {
    auto* pane = AddPane<TUiVersionInfoStatus>(150);
    pane->SetCaption("before");
    EXPECT_EQ(pane->Field(), vifProductVersion);
    EXPECT_EQ(pane->Caption(), "before") << "no version information";
    auto* info = new TUiVersionInfo(form);
    pane->SetVersionInfo(info);
    EXPECT_EQ(pane->Caption(), "1.0.0");
    pane->SetField(vifCompanyName);
    EXPECT_EQ(pane->Caption(), "QMC");
    pane->SetCaption("changed");
    pane->SetField(vifCompanyName);
    EXPECT_EQ(pane->Caption(), "QMC") << "the same field refreshes";
    auto* second = AddPane<TUiVersionInfoStatus>(150);
    second->SetVersionInfo(info);
    info->Free();
    EXPECT_EQ(pane->VersionInfo(), nullptr);
    EXPECT_EQ(second->VersionInfo(), nullptr);
    EXPECT_EQ(pane->Caption(), "QMC");
    EXPECT_EQ(second->Caption(), "1.0.0");
}

TEST_F(VersionTest, FieldLabelMovesTheCaptionAndIsDrawnInItsColour) {
    auto* plain = AddPane<TUiStatusPane>(150);
    auto* field = AddPane<TUiFieldStatus>(150);
    for (TUiCustomStatusPane* pane : std::initializer_list<TUiCustomStatusPane*>{plain, field}) {
        pane->SetCaption("1.0.0");
        pane->SetAutoSize(true);
    }
    EXPECT_EQ(field->GetCaptionRect().Left, plain->GetCaptionRect().Left);
    EXPECT_EQ(field->Width(), plain->Width() + 4) << "2 x CaptionOffset wider";
    field->SetFieldLabel("Version");
    field->SetFieldLabelColor(clRed);
    const int label = TextWidth(field->Font(), "Version");
    EXPECT_EQ(field->GetCaptionRect().Left, plain->GetCaptionRect().Left + label + 4);
    EXPECT_EQ(field->Width(), plain->Width() + label + 4);
    field->Font()->SetColor(clBlue);
    Application->ProcessMessages();
    Snapshot shot(form);
    const TRect area = Area(field);
    const int split = area.Left + field->GetCaptionRect().Left;
    const TRect labelArea(area.Left, area.Top, split, area.Bottom);
    const TRect captionArea(split, area.Top, area.Right, area.Bottom);
    EXPECT_GT(shot.Count(labelArea, clRed), 10);
    EXPECT_EQ(shot.Count(labelArea, clBlue), 0);
    EXPECT_GT(shot.Count(captionArea, clBlue), 10);
    EXPECT_EQ(shot.Count(captionArea, clRed), 0);
}

TEST_F(VersionTest, MarqueeRunsThroughThePaneAndStartsAgain) {
    auto* pane = AddPane<TUiMarqueeStatus>(80);
    pane->SetScrolling(false);
    pane->SetCaption("News");
    const int steps = TextWidth(pane->Font(), "News") + 80;
    EXPECT_EQ(pane->StepCount(), steps);
    pane->SetScrolling(true);
    pane->SetScrollDelay(10000);
    pane->SetScrollSize(0);
    EXPECT_EQ(pane->ScrollSize(), 1);
    pane->SetScrollSize(4);
    std::vector<int> positions;
    for (int i = 0; i < (steps + 3) / 4 + 2; ++i) {
        pane->Scroll();
        positions.push_back(pane->ScrollPosition());
    }
    EXPECT_EQ(positions[0], 4);
    EXPECT_EQ(positions[(steps + 3) / 4 - 1], 0) << "back at the start after text + width";
    EXPECT_EQ(positions[(steps + 3) / 4], 4);
    pane->SetWidth(100);
    EXPECT_EQ(pane->StepCount(), steps + 20);
    pane->SetScrolling(false);
    EXPECT_EQ(pane->ScrollPosition(), 0);
    EXPECT_FALSE(pane->TimerRunning());
    pane->SetScrollType(TUiScrollType::stNone);
    pane->SetScrollType(TUiScrollType::stLeftToRight);
    EXPECT_TRUE(pane->TimerRunning()) << "a moving direction starts the timer";
    pane->SetScrollType(TUiScrollType::stNone);
    pane->SetScrolling(true);
    EXPECT_TRUE(pane->TimerRunning()) << "runs without moving text";
}

TEST_F(VersionTest, MarqueeTextEntersRightAndLeavesLeft) {
    auto* pane = AddPane<TUiMarqueeStatus>(120);
    pane->SetScrolling(false);
    pane->SetScrolling(true);
    pane->SetScrollDelay(10000);
    pane->SetParentColor(false);
    pane->SetColor(clWhite);
    pane->SetFillColor(clWhite);
    pane->SetTransparent(false);
    pane->Font()->SetColor(clBlue);
    pane->SetCaption("MMMMMMMM");
    pane->SetScrollSize(20);
    const TRect area = Area(pane);
    const TRect leftHalf(area.Left, area.Top, area.Left + 60, area.Bottom);
    const TRect rightHalf(area.Left + 60, area.Top, area.Right, area.Bottom);
    for (auto type : {TUiScrollType::stRightToLeft, TUiScrollType::stLeftToRight}) {
        pane->SetScrollType(type);
        pane->SetScrolling(false);
        pane->SetScrolling(true);
        pane->Scroll();
        Snapshot entering(form);
        const bool rightToLeft = type == TUiScrollType::stRightToLeft;
        EXPECT_GT(entering.Count(rightToLeft ? rightHalf : leftHalf, clBlue), 0);
        EXPECT_EQ(entering.Count(rightToLeft ? leftHalf : rightHalf, clBlue), 0);
        for (int i = 0; i < 8; ++i) pane->Scroll();
        Snapshot later(form);
        EXPECT_GT(later.Count(rightToLeft ? leftHalf : rightHalf, clBlue), 0);
    }
}

}  // namespace
