// Panels, group boxes and status bars in form streams: every published property comes back
// from a written form, defaults stay out of the stream, each class publishes what it shows,
// the status bar's automatic style after loading, and the properties older releases wrote.
#include "UiFrameController.h"
#include "UiGroupBox.h"
#include "UiStatusBar.h"
#include "form_fixture.h"
#include "stream_checks.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

const bool classesRegistered = [] {
    RegisterClass(TUiFrameController::StaticClass());
    return true;
}();

// Every framed-panel setting away from its default.
void ChangePanelSettings(TUiCustomPanel* panel, TUiFrameController* controller) {
    panel->SetAlign(alRight);
    panel->SetAlignment(taRightJustify);
    panel->SetBevelWidth(3);
    panel->SetBorderWidth(2);
    panel->SetFullRepaint(false);
    panel->SetLocked(true);
    panel->SetDockSite(true);
    panel->SetUseDockManager(false);
    panel->SetAlignmentVertical(avBottom);
    panel->SetBorderInner(fsLowered);
    panel->SetBorderOuter(fsFlatRounded);
    panel->SetBorderSides(SideBit(sdTop) | SideBit(sdBottom));
    panel->SetBorderColor(clRed);
    panel->SetBorderHighlight(clYellow);
    panel->SetBorderShadow(clNavy);
    panel->SetFlatColor(clGreen);
    panel->SetFlatColorAdjustment(-20);
    panel->SetFrameController(controller);
    panel->SetFrameControllerNotifications((1u << fcpColor) | (1u << fcpFrameSides));
    panel->SetGradientColorStyle(gcsCustom);
    panel->SetGradientColorStart(clAqua);
    panel->SetGradientColorStop(clPurple);
    panel->SetGradientDirection(gdVerticalBox);
    panel->SetGridColor(clMaroon);
    panel->SetGridStyle(gsSolidLines);
    panel->SetGridSize(5, 6);
    panel->SetPaintClientArea(false);
    panel->SetShowDockClientCaptions(false);
    panel->SetShowGrid(true);
    panel->SetTextMargin(4);
    panel->SetTextMarginVertical(3);
    panel->SetTransparent(true);
    panel->SetVisualStyle(vsGradient);
    panel->SetWordWrap(false);
    panel->SetCaption("&Readings");
}

class PanelStreamsTest : public FormTest {
protected:
    template <class T> T* Place(const char* name, int top, int height) {
        T* control = Add<T>(5, top, 300, height);
        control->SetName(name);
        return control;
    }
    void TearDown() override {
        if (copy) copy->Free();
        FormTest::TearDown();
    }
    TForm* copy = nullptr;
};

}  // namespace

TEST_F(PanelStreamsTest, EveryPanelClassReadsBackWithItsPublishedProperties) {
    form->SetName("Panels");
    auto* controller = new TUiFrameController(form);
    controller->SetName("Frames");

    auto* panel = Place<TUiPanel>("Readings", 5, 60);
    ChangePanelSettings(panel, controller);

    auto* group = Place<TUiGroupBox>("Options", 70, 80);
    ChangePanelSettings(group, controller);
    group->SetGroupBoxStyle(gsBanner);
    group->SetAlignment(taCenter);
    group->SetBorderOuter(fsFlat);

    auto* bar = Place<TUiStatusBar>("Status", 160, 30);
    ChangePanelSettings(bar, controller);
    bar->SetAlign(alTop);
    bar->SetAutoScalePanes(true);
    bar->SetShowSizeGrip(false);
    bar->SetSimpleCaption("Ready");
    bar->SetSimpleFrameStyle(fsBump);
    bar->SetSimpleStatus(true);

    for (TPersistent* control : std::initializer_list<TPersistent*>{panel, group, bar})
        ExpectEveryOwnPropertyWritten(control);
    copy = CopyOfForm(form);
    for (TComponent* original : std::initializer_list<TComponent*>{panel, group, bar}) {
        TComponent* twin = copy->FindComponent(original->Name());
        ASSERT_NE(twin, nullptr) << original->Name().c_str();
        ASSERT_EQ(twin->ClassType(), original->ClassType());
        ExpectSameProperties(original, twin);
    }
    auto* barCopy = static_cast<TUiStatusBar*>(copy->FindComponent("Status"));
    EXPECT_FALSE(barCopy->AutoStyle());
}

TEST_F(PanelStreamsTest, NewPanelsWriteNoDefaultValue) {
    ExpectDefaultsNotWritten(Add<TUiPanel>(5, 5, 100, 40));
    ExpectDefaultsNotWritten(Add<TUiGroupBox>(5, 50, 100, 105));
    ExpectDefaultsNotWritten(Add<TUiStatusBar>(0, 0, 200, 19));
}

TEST_F(PanelStreamsTest, EachClassPublishesTheSettingsItShows) {
    const auto panelOnly = {"AlignmentVertical", "GridColor", "GridStyle", "GridXSize",
                            "GridYSize", "ShowGrid", "TextMargin", "TextMarginVertical",
                            "WordWrap"};
    ExpectPublished(TUiPanel::StaticClass(), panelOnly, true);
    ExpectPublished(TUiGroupBox::StaticClass(), panelOnly, false);
    ExpectPublished(TUiStatusBar::StaticClass(), panelOnly, false);
    ExpectPublished(TUiGroupBox::StaticClass(),
                    {"BorderHighlight", "BorderShadow", "PaintClientArea", "FullRepaint",
                     "Locked", "UseDockManager"},
                    false);
    ExpectPublished(TUiStatusBar::StaticClass(), {"Alignment"}, false);
    ExpectPublished(TUiStatusBar::StaticClass(), {"PaintClientArea", "Locked"}, true);
    ExpectPublished(TUiPanel::StaticClass(), {"Alignment", "PaintClientArea", "Locked"}, true);
}

// With AutoStyle the bar takes the classic style after loading; a stored border clears it.
TEST_F(PanelStreamsTest, AStatusBarLoadsInTheClassicStyleUnlessItsBordersWereSet) {
    const struct {
        const char* name;
        TFrameStyleEx inner;
        int height, borderWidth;
        bool autoStyle;
    } cases[] = {{"automatic style", fsNone, 19, 0, true},
                 {"inner border set", fsStatus, 30, 2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto* bar = Place<TUiStatusBar>("Status", 5, 19);
        bar->SetAlign(alNone);
        bar->SetBorderInner(c.inner);
        bar->SetAutoStyle(c.inner == fsNone);
        bar->SetBounds(5, 5, 300, 30);
        bar->SetBorderWidth(2);
        copy = CopyOfForm(form);
        auto* loaded = static_cast<TUiStatusBar*>(copy->FindComponent("Status"));
        EXPECT_EQ(loaded->AutoStyle(), c.autoStyle);
        EXPECT_EQ(loaded->BorderInner(), c.inner);
        EXPECT_EQ(loaded->BorderOuter(), fsNone);
        EXPECT_EQ(loaded->Height(), c.height);
        EXPECT_EQ(loaded->BorderWidth(), c.borderWidth);
        copy->Free();
        copy = nullptr;
        bar->Free();
    }
}

TEST_F(PanelStreamsTest, PropertiesOfOlderReleasesAreReadAndNeverWritten) {
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        for (bool gradients : {true, false}) {
            writer.WritePropName("FrameSides");
            writer.WriteSet({"sdLeft", "sdTop"});
            writer.WritePropName("ThemeAware");
            writer.WriteBoolean(false);
            writer.WritePropName("UseGradients");
            writer.WriteBoolean(gradients);
        }
        writer.WriteInteger(4711);
    }
    const struct {
        TUiCustomPanel* panel;
        TUiVisualStyle style;
    } cases[] = {{Add<TUiPanel>(5, 5, 100, 40), vsGradient},
                 {Add<TUiGroupBox>(5, 50, 100, 105), vsWinXP}};
    stream.SetPosition(0);
    {
        TReader reader(&stream);
        for (int i = 0; i < 3; ++i) reader.ReadProperty(cases[0].panel);
        for (int i = 0; i < 3; ++i) reader.ReadProperty(cases[1].panel);
        EXPECT_EQ(reader.ReadInteger(), 4711);
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.panel->ClassName().c_str());
        EXPECT_EQ(c.panel->VisualStyle(), c.style);
        EXPECT_EQ(c.panel->BorderSides(), AllSides);
        const AnsiString written = WrittenProperties(c.panel);
        for (const char* name : {"FrameSides", "ThemeAware", "UseGradients"})
            EXPECT_FALSE(WritesProperty(written, name)) << name;
    }
}
