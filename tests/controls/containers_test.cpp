// Panels, radio group, toolbar, status bar panes and page control: index clamping, the text
// options' button sizes, the unclamped progress with its immediate repaint, and page selection
// by sheet and by index.
#include <gtest/gtest.h>

#include "UiGroupBox.h"
#include "UiPageControl.h"
#include "UiPanel.h"
#include "UiPollingStatus.h"
#include "UiProgressStatus.h"
#include "UiRadioGroup.h"
#include "UiSpacer.h"
#include "UiStatusBar.h"
#include "UiToolButton.h"
#include "UiToolbar.h"
#include "UiVersionInfo.h"
#include "cl_forms.h"
#include "cl_stdctrls.h"
#include "test_pump.h"

namespace {

class ContainersTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(40, 40, 500, 360);
    }
    void TearDown() override {
        form->Free();
        Application->ProcessMessages();
    }
    void ShowAndSettle() {
        form->Show();
        Application->ProcessMessages();
    }
    template <class T> T* Add(TWinControl* parent) {
        T* control = new T(form);
        control->SetParent(parent);
        return control;
    }
    TForm* form = nullptr;
};

TEST_F(ContainersTest, RadioGroupClampsTheIndexAndChecksOneButton) {
    auto* group = Add<TUiRadioGroup>(form);
    group->SetCaption("Header Image Alignment");
    for (const char* item : {"Left", "Center", "Right"}) group->Items()->Add(item);
    ShowAndSettle();
    ASSERT_EQ(group->ItemCount(), 3);
    const struct {
        int set, expected;
    } cases[] = {{1, 1}, {7, 2}, {-5, -1}, {0, 0}, {3, 2}, {-1, -1}};
    for (const auto& c : cases) {
        group->SetItemIndex(c.set);
        EXPECT_EQ(group->ItemIndex(), c.expected) << "set " << c.set;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(group->GetButtons(i)->GetChecked(), i == c.expected) << "set " << c.set;
    }
}

COLORREF PixelOf(TWinControl* control, int x, int y) {
    UpdateWindow(control->WindowHandle());
    HDC dc = GetDC(control->WindowHandle());
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(control->WindowHandle(), dc);
    return pixel;
}

TEST_F(ContainersTest, BannerGroupBoxShadesItsCaptionBarAndPlacesChildrenBelowIt) {
    auto* group = Add<TUiGroupBox>(form);
    group->SetBounds(10, 10, 300, 80);
    group->SetCaption("Notices From The Monitor");
    group->Font()->SetStyle({fsBold});
    group->Font()->SetHeight(-13);
    auto* child = Add<TUiPanel>(group);
    child->SetAlign(alClient);
    EXPECT_EQ(group->GroupStyle(), gsFlat);
    group->SetGroupBoxStyle(gsBanner);
    ShowAndSettle();
    const TRect banner = group->CaptionRect();
    EXPECT_EQ(banner.Left, 0);
    EXPECT_EQ(banner.Top, 0);
    EXPECT_EQ(banner.Right, 300);
    EXPECT_GE(banner.Height(), 13 + 6);
    EXPECT_EQ(child->BoundsRect(), TRect(0, banner.Bottom + 2, 300, 80));
    const COLORREF face = ColorToRGB(clBtnFace);
    EXPECT_EQ(PixelOf(group, 0, 0), face) << "cut corner";
    TColor shade, light, outline;
    GetGradientStatusBarColors(gcsSystem, shade, light, outline);
    EXPECT_EQ(PixelOf(group, 1, 0), static_cast<COLORREF>(outline)) << "outline";
    EXPECT_EQ(PixelOf(group, 297, 1), ColorToRGB(light)) << "gradient start";
    // The bands step toward the stop colour and end one step short of it.
    const COLORREF end = PixelOf(group, 297, banner.Bottom - 2);
    for (int shift : {0, 8, 16})
        EXPECT_NEAR(int((end >> shift) & 0xFF), int((shade >> shift) & 0xFF), 8) << "gradient end";
    group->SetCaption("");
    EXPECT_EQ(group->CaptionRect().Height(), 0);
    group->SetGroupBoxStyle(gsStandard);
    EXPECT_LT(child->Top(), banner.Bottom);
    EXPECT_EQ(child->Left(), 2);
}

TEST_F(ContainersTest, RadioGroupFollowsTheUsersClick) {
    auto* group = Add<TUiRadioGroup>(form);
    group->SetBounds(10, 10, 200, 100);
    for (const char* item : {"Yes", "No"}) group->Items()->Add(item);
    group->SetItemIndex(0);
    int clicks = 0;
    group->OnClick = [&](TObject*) { ++clicks; };
    ShowAndSettle();
    PostClick(group->GetButtons(1)->WindowHandle(), 4, 8);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_FALSE(group->GetButtons(0)->GetChecked());
}

TEST_F(ContainersTest, ToolbarTextOptionsSetButtonSizeLayoutCaptionsAndRowHeight) {
    auto* toolbar = Add<TUiToolbar>(form);
    auto* open = Add<TUiToolButton>(toolbar);
    open->SetCaption("Open");
    Add<TUiSpacer>(toolbar);
    auto* save = Add<TUiToolButton>(toolbar);
    save->SetCaption("Save");
    ShowAndSettle();
    const struct {
        TUiToolbarTextOptions options;
        int width, height;
        TButtonLayout layout;
        bool captions;
    } cases[] = {{ttoShowTextLabels, 60, 40, blGlyphTop, true},
                 {ttoSelectiveTextOnRight, 60, 25, blGlyphLeft, true},
                 {ttoNoTextLabels, 25, 25, blGlyphLeft, false}};
    for (const auto& c : cases) {
        toolbar->SetTextOptions(c.options);
        EXPECT_EQ(toolbar->TextOptions(), c.options);
        EXPECT_EQ(toolbar->ButtonWidth(), c.width);
        EXPECT_EQ(toolbar->ButtonHeight(), c.height);
        EXPECT_EQ(toolbar->RowHeight(), c.height);
        EXPECT_EQ(toolbar->ShowButtonCaptions(), c.captions);
        for (TUiToolButton* button : {open, save}) {
            EXPECT_EQ(button->Width(), c.width);
            EXPECT_EQ(button->Height(), c.height);
            EXPECT_EQ(button->Layout(), c.layout);
            EXPECT_EQ(button->ShowCaption(), c.captions);
        }
        EXPECT_GT(save->Left(), open->Left() + open->Width());
    }
    toolbar->SetTextOptions(ttoCustom);
    EXPECT_EQ(toolbar->ButtonWidth(), 25);
    toolbar->SetTextOptions(ttoShowTextLabels);
    toolbar->SetButtonWidth(70);
    EXPECT_EQ(toolbar->TextOptions(), ttoCustom);
    EXPECT_EQ(toolbar->ButtonHeight(), 40);
}

TEST_F(ContainersTest, VerticalToolbarTakesTheButtonWidthAsRowHeight) {
    auto* toolbar = Add<TUiToolbar>(form);
    toolbar->SetOrientation(orVertical);
    toolbar->SetTextOptions(ttoSelectiveTextOnRight);
    EXPECT_EQ(toolbar->RowHeight(), 60);
}

TEST_F(ContainersTest, ToolButtonClickRunsOnClickUnlessDisabled) {
    auto* toolbar = Add<TUiToolbar>(form);
    auto* button = Add<TUiToolButton>(toolbar);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    ShowAndSettle();
    const int x = button->Left() + 5, y = button->Top() + 5;
    PostClick(toolbar->Handle(), x, y);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    button->SetEnabled(false);
    PostClick(toolbar->Handle(), x, y);
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(clicks, 1);
}

class CountingProgress : public TUiProgressStatus {
public:
    explicit CountingProgress(TComponent* owner) : TUiProgressStatus(owner) {}
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        TUiProgressStatus::Paint();
    }
};

TEST_F(ContainersTest, ProgressPercentIsUnclampedAndRepaintsAtOnce) {
    auto* bar = Add<TUiStatusBar>(form);
    bar->SetVisualStyle(vsGradient);
    bar->SetGradientColorStyle(gcsMSOffice);
    auto* progress = new CountingProgress(form);
    progress->SetParent(bar);
    progress->SetBarStyle(bsGradient);
    progress->SetTransparent(false);
    ShowAndSettle();
    const int before = progress->paints;
    progress->SetPercent(40);
    EXPECT_EQ(progress->paints, before + 1);
    progress->SetPercent(40);
    EXPECT_EQ(progress->paints, before + 1);
    progress->SetPercent(250);
    EXPECT_EQ(progress->Percent(), 250);
    EXPECT_EQ(progress->paints, before + 2);
    progress->SetPercent(static_cast<uint16_t>(progress->Percent() + 65400));
    EXPECT_EQ(progress->Percent(), 114);
}

TEST_F(ContainersTest, StatusBarDocksAtTheBottomWithItsPanes) {
    auto* bar = Add<TUiStatusBar>(form);
    auto* clock = Add<TUiClockStatus>(bar);
    clock->SetAlign(alLeft);
    clock->SetFormat("yyyy");
    auto* caps = Add<TUiKeyStatus>(bar);
    caps->SetAlign(alLeft);
    auto* text = Add<TUiStatusPane>(bar);
    text->SetAlign(alClient);
    text->SetCaption("Ready");
    ShowAndSettle();
    EXPECT_EQ(bar->Height(), 19);
    EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight());
    EXPECT_EQ(clock->Width(), 150);
    EXPECT_EQ(caps->Width(), 45);
    EXPECT_EQ(caps->Alignment(), taCenter);
    EXPECT_EQ(caps->Left(), clock->Left() + clock->Width());
    EXPECT_TRUE(clock->Active());
    EXPECT_EQ(clock->Interval(), 500);
    caps->SetInterval(250);
    EXPECT_EQ(clock->Interval(), 250);
    int ticks = 0;
    clock->OnTimerExpired = [&](TObject*) { ++ticks; };
    EXPECT_TRUE(PumpUntil([&] { return ticks > 0; }, 3000));
}

TEST_F(ContainersTest, VersionInfoWithoutResourceGivesValueNotAvailable) {
    auto* info = new TUiVersionInfo(form);
    EXPECT_FALSE(info->HasVersionInfo());
    EXPECT_EQ(info->GetVerField(vifProductVersion), "Value Not Available");
    EXPECT_EQ(info->GetCustomKeyValue("ProductName"), "Value Not Available");
    auto* pane = Add<TUiVersionInfoStatus>(form);
    pane->SetVersionInfo(info);
    EXPECT_EQ(pane->Field(), vifProductVersion);
    info->Free();
    EXPECT_EQ(pane->VersionInfo(), nullptr);
}

class PageControlTest : public ContainersTest {
protected:
    void SetUp() override {
        ContainersTest::SetUp();
        pages = Add<TUiPageControl>(form);
        pages->SetAlign(alClient);
        for (const char* caption : {"Inspection", " Chart ", "Pictures"}) {
            auto* sheet = new TUiTabSheet(form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
            sheets.push_back(sheet);
        }
    }
    void ExpectShown(TUiTabSheet* shown) {
        for (TUiTabSheet* sheet : sheets) EXPECT_EQ(sheet->Visible(), sheet == shown);
    }
    TUiPageControl* pages = nullptr;
    std::vector<TUiTabSheet*> sheets;
};

TEST_F(PageControlTest, ActivePageByIndexAndOutOfRangeLeavesNoTabSelected) {
    ShowAndSettle();
    ASSERT_EQ(pages->PageCount(), 3);
    pages->SetActivePageIndex(1);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_EQ(pages->TabIndex(), 1);
    ExpectShown(sheets[1]);
    for (int index : {3, -1, 99}) {
        pages->SetActivePageIndex(1);
        pages->SetActivePageIndex(index);
        EXPECT_EQ(pages->TabIndex(), -1) << index;
        EXPECT_EQ(pages->ActivePageIndex(), -1) << index;
        ExpectShown(nullptr);
    }
    pages->SetActivePage(sheets[0]);
    EXPECT_EQ(pages->TabIndex(), 0);
    ExpectShown(sheets[0]);
    EXPECT_EQ(sheets[1]->Caption(), " Chart ");
}

TEST_F(PageControlTest, SheetOfAnotherControlIsIgnoredAndHiddenTabsStillActivate) {
    auto* other = Add<TUiPageControl>(form);
    auto* foreign = new TUiTabSheet(form);
    foreign->SetPageControl(other);
    pages->SetActivePage(sheets[2]);
    pages->SetActivePage(foreign);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    sheets[0]->SetTabVisible(false);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    pages->SetActivePage(sheets[0]);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(pages->TabIndex(), -1);
}

TEST_F(PageControlTest, TabRowTakesRoomOnlyWhileATabIsVisible) {
    pages->SetActivePage(sheets[1]);
    ShowAndSettle();
    const int width = pages->ClientWidth(), height = pages->ClientHeight();
    const TRect withTabs = sheets[1]->BoundsRect();
    EXPECT_EQ(withTabs, pages->GetDisplayRect());
    EXPECT_GT(withTabs.Top, pages->FixedDimension());
    for (TUiTabSheet* sheet : sheets) sheet->SetTabVisible(false);
    const TRect r = sheets[1]->BoundsRect();
    EXPECT_EQ(r.Left, 1);
    EXPECT_EQ(r.Top, 1);
    EXPECT_EQ(r.Right, width - 3);
    EXPECT_EQ(r.Bottom, height - 3);
    RECT window;
    GetWindowRect(sheets[1]->WindowHandle(), &window);
    EXPECT_EQ(window.bottom - window.top, height - 4);
    sheets[2]->SetTabVisible(true);
    EXPECT_EQ(sheets[1]->Top(), withTabs.Top);
}

// What a sheet holds has its size before the sheet is first shown (a chart printed from a
// hidden sheet), and follows the page control's size while hidden.
TEST_F(PageControlTest, HiddenSheetsAndWhatTheyHoldAreLaidOut) {
    auto* chart = Add<TUiPanel>(sheets[1]);
    chart->SetAlign(alClient);
    pages->SetActivePage(sheets[0]);
    ShowAndSettle();
    ASSERT_FALSE(sheets[1]->Visible());
    EXPECT_EQ(sheets[1]->BoundsRect(), sheets[0]->BoundsRect());
    EXPECT_EQ(chart->Width(), sheets[0]->ClientWidth());
    EXPECT_EQ(chart->Height(), sheets[0]->ClientHeight());
    form->SetBounds(40, 40, 600, 420);
    Application->ProcessMessages();
    EXPECT_EQ(sheets[1]->BoundsRect(), sheets[0]->BoundsRect());
    EXPECT_EQ(chart->Width(), sheets[0]->ClientWidth());
}

TEST_F(PageControlTest, ActivePageSetWhileLoadingIsShownAfterLoading) {
    auto* loadingForm = new TForm(nullptr);
    BeginLoading(loadingForm);
    auto* control = new TUiPageControl(loadingForm);
    control->SetParent(loadingForm);
    auto* first = new TUiTabSheet(loadingForm);
    first->SetPageControl(control);
    auto* second = new TUiTabSheet(loadingForm);
    second->SetPageControl(control);
    control->SetActivePage(second);
    EndLoading(loadingForm);
    EXPECT_EQ(control->ActivePage(), second);
    EXPECT_TRUE(second->Visible());
    EXPECT_FALSE(first->Visible());
    loadingForm->Free();
}

TEST_F(PageControlTest, ClickingATabSelectsItsSheet) {
    pages->SetActivePageIndex(0);
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    ShowAndSettle();
    int x = 0;
    while (x < pages->Width() && pages->TabAtPos(TPoint(x, 10)) != 2) ++x;
    ASSERT_LT(x, pages->Width());
    PostClick(pages->Handle(), x + 2, 10);
    EXPECT_TRUE(PumpUntil([&] { return changes == 1; }));
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    ExpectShown(sheets[2]);
}

}  // namespace
