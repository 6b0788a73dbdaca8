// The popup panel: the ways a drop-down ends (choice, Escape, a click outside, deactivation, a
// second popup), where it opens next to its control, and what it gives back afterwards.
#include "UiPopupPanel.h"
#include "../controls_edits/edit_fixture.h"

#include <string>

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class PopupPanelTest : public EditFormTest {
protected:
    void SetUp() override {
        EditFormTest::SetUp();
        anchor = Add<TButton>(20, 20, 80, 24);
        anchor->OnClick = [this](TObject*) { ++anchorClicks; };
        panel = new TUiPopupPanel(form);
        panel->SetParent(form);
        TRect inner(0, 0, panel->Width(), panel->Height());
        panel->AdjustClientRect(inner);
        field = new TEdit(panel);
        field->SetParent(panel);
        field->SetBounds(inner.Left, inner.Top, 120, 21);
        field->OnKeyDown = [this](TObject*, uint16_t& key, TShiftState) { keys.push_back(key); };
        ok = new TButton(panel);
        ok->SetParent(panel);
        ok->SetBounds(inner.Left, inner.Top + 30, 75, 25);
        ok->OnClick = Bind(panel, &TUiPopupPanel::Close);
        panel->OnPopup = [this](TObject*) { events += "popup "; };
        panel->OnClose = [this](TObject*) { events += "close "; };
        // Keeps the popup's loop waking up, so a step that fails to end it cannot hang.
        timer = SetTimer(nullptr, 0, 100, nullptr);
    }
    void TearDown() override {
        KillTimer(nullptr, timer);
        Application->OnIdle = nullptr;
        EditFormTest::TearDown();
    }
    // Pops up and runs `step` once from inside the popup's loop; a popup still up after five
    // seconds is closed.
    bool PopupWith(std::function<void()> step) {
        const DWORD start = GetTickCount();
        bool done = false;
        Application->OnIdle = [&](TObject*, bool&) {
            if (!panel->Active()) return;
            if (!done) {
                done = true;
                step();
            } else if (GetTickCount() - start > 5000) {
                ADD_FAILURE() << "the popup did not end";
                panel->Close(nullptr);
            }
        };
        const bool chosen = panel->Popup(anchor);
        Application->OnIdle = nullptr;
        Pump();
        return chosen;
    }
    TWinControl* PopupWindow() const { return field->Parent(); }

    TButton* anchor = nullptr;
    TUiPopupPanel* panel = nullptr;
    TEdit* field = nullptr;
    TButton* ok = nullptr;
    int anchorClicks = 0;
    std::vector<uint16_t> keys;
    std::string events;
    UINT_PTR timer = 0;
};

TEST_F(PopupPanelTest, AChoiceEndsItAfterOnCloseAndEverythingIsGivenBack) {
    Focus(anchor);
    const bool chosen = PopupWith([&] {
        EXPECT_NE(PopupWindow(), panel);
        EXPECT_TRUE(IsWindowVisible(PopupWindow()->Handle()));
        EXPECT_FALSE(GetWindowLongA(PopupWindow()->Handle(), GWL_STYLE) & WS_CHILD);
        PostClick(ok->Handle());
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(events, "popup close ");
    EXPECT_FALSE(panel->Active());
    ASSERT_EQ(panel->ControlCount(), 2);
    EXPECT_EQ(panel->Controls(0), field);
    EXPECT_EQ(panel->Controls(1), ok);
    EXPECT_FALSE(panel->Visible());
    if (Application->Active()) {
        EXPECT_EQ(GetFocus(), anchor->Handle());
    }
}

TEST_F(PopupPanelTest, EscapeCancelsAndStillReachesTheKeyTarget) {
    const bool chosen = PopupWith([&] { PostKey(GetFocus(), VK_ESCAPE); });
    EXPECT_FALSE(chosen);
    EXPECT_EQ(events, "popup close ");
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys[0], VK_ESCAPE);
}

TEST_F(PopupPanelTest, KeysGoToTheKeyTargetWithoutEndingIt) {
    const bool chosen = PopupWith([&] {
        PostKey(GetFocus(), VK_DOWN);
        PostClick(ok->Handle());
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(keys, std::vector<uint16_t>{VK_DOWN});
}

TEST_F(PopupPanelTest, AClickOutsideCancelsAndIsSwallowed) {
    const bool chosen = PopupWith([&] { PostClick(anchor->Handle()); });
    EXPECT_FALSE(chosen);
    Pump();
    EXPECT_EQ(anchorClicks, 0) << "the click that ended the popup reached the control";
}

TEST_F(PopupPanelTest, DeactivationCancels) {
    EXPECT_FALSE(PopupWith([&] { PostMessageA(form->Handle(), CM_DEACTIVATE, 0, 0); }));
}

TEST_F(PopupPanelTest, ASecondPopupWhileOneIsUpIsRefused) {
    bool nested = true;
    const bool chosen = PopupWith([&] {
        nested = panel->Popup(anchor);
        panel->Close(nullptr);
    });
    EXPECT_FALSE(nested);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(events, "popup close ");
    panel->Close(nullptr);  // nothing is up: nothing happens
}

TEST_F(PopupPanelTest, OpensBelowTheControlOrAboveItAndStaysOnTheWorkArea) {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const TRect work = ToTRect(area);
    const struct {
        const char* name;
        int formLeft, formTop;
        TAlignment alignment;
        bool above, clampedRight;
    } cases[] = {
        {"right-justified below", 100, 100, taRightJustify, false, false},
        {"near the bottom", 100, work.Bottom - 90, taLeftJustify, true, false},
        {"near the right edge", work.Right - 100, 100, taLeftJustify, false, true},
    };
    for (const auto& c : cases) {
        form->SetBounds(c.formLeft, c.formTop, 150, 80);
        panel->SetAlignment(c.alignment);
        Pump();
        RECT anchorRect, popupRect = {};
        GetWindowRect(anchor->Handle(), &anchorRect);
        PopupWith([&] {
            GetWindowRect(PopupWindow()->Handle(), &popupRect);
            panel->Close(nullptr);
        });
        EXPECT_EQ(popupRect.right - popupRect.left, panel->Width()) << c.name;
        if (c.above)
            EXPECT_EQ(popupRect.bottom, anchorRect.top) << c.name;
        else
            EXPECT_EQ(popupRect.top, anchorRect.bottom) << c.name;
        if (c.clampedRight)
            EXPECT_EQ(popupRect.right, work.Right) << c.name;
        else if (c.alignment == taRightJustify)
            EXPECT_EQ(popupRect.right, anchorRect.right) << c.name;
        else
            EXPECT_EQ(popupRect.left, anchorRect.left) << c.name;
    }
}

TEST_F(PopupPanelTest, SizesItselfToItsChildrenInsideItsFrame) {
    TRect inner(0, 0, panel->Width(), panel->Height());
    panel->AdjustClientRect(inner);
    EXPECT_EQ(inner.Left, 3) << "a two-pixel band inside a one-pixel popup frame";
    panel->AdjustSize();
    EXPECT_EQ(panel->Width(), inner.Left + 120 + 3);
    EXPECT_EQ(panel->Height(), inner.Top + 30 + 25 + 3);
}

}  // namespace
