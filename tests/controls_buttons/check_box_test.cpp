// Check boxes and radio buttons: the state cycle by mouse, Space and accelerator, read-only
// boxes, radio exclusivity and focus, action links, custom glyph strips and the drawn glyph.
#include "UiCheckBox.h"
#include "UiPanel.h"
#include "form_fixture.h"

namespace {

class CheckBoxTest : public FormTest {
protected:
    void Settle() { PumpUntil([] { return false; }, 150); }
    void Click(TWinControl* control, int x = 5, int y = 5) {
        PostClick(control->WindowHandle(), x, y);
        Settle();
    }
};

TEST_F(CheckBoxTest, ClicksCycleThroughTheGrayedState) {
    auto* box = Add<TUiCheckBox>(10, 10, 120, 17);
    box->SetCaption("&Grey");
    box->SetAllowGrayed(true);
    std::vector<TCheckBoxState> seen;
    box->OnClick = [&](TObject*) { seen.push_back(box->State()); };
    Click(box);
    EXPECT_EQ(SendMessageA(box->WindowHandle(), BM_GETCHECK, 0, 0), 2);
    PostKey(box->WindowHandle(), VK_SPACE);
    Settle();
    box->Perform(CM_DIALOGCHAR, 'g');
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    box->InitState(cbChecked);
    EXPECT_EQ(seen.size(), 3u) << "InitState runs no OnClick";
    box->SetChecked(false);
    EXPECT_EQ(seen.size(), 4u) << "the program's Checked runs OnClick";
}

TEST_F(CheckBoxTest, ReadOnlyBoxIgnoresTheUserButNotTheProgram) {
    auto* box = Add<TUiCheckBox>(10, 10, 120, 17);
    box->SetCaption("&Locked");
    box->SetReadOnly(true);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    Click(box);
    PostKey(box->WindowHandle(), VK_SPACE);
    Settle();
    box->Perform(CM_DIALOGCHAR, 'l');
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(clicks, 0);
    box->SetChecked(true);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(clicks, 1);
}

TEST_F(CheckBoxTest, RadioButtonsOfOneParentAreExclusive) {
    auto* panel = Add<TUiPanel>(10, 10, 300, 100);
    TUiRadioButton* radios[3];
    int clicks = 0;
    for (int i = 0; i < 3; ++i) {
        radios[i] = new TUiRadioButton(form);
        radios[i]->SetParent(panel);
        radios[i]->SetBounds(5, 5 + 25 * i, 120, 17);
        radios[i]->OnClick = [&](TObject*) { ++clicks; };
    }
    Application->ProcessMessages();
    auto checks = [&] {
        return std::vector<bool>{radios[0]->GetChecked(), radios[1]->GetChecked(),
                                 radios[2]->GetChecked()};
    };
    Click(radios[1]);
    EXPECT_EQ(checks(), (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(radios[1]->TabStop());
    EXPECT_FALSE(radios[0]->TabStop());
    EXPECT_EQ(SendMessageA(radios[1]->WindowHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);

    const HWND third = radios[2]->WindowHandle();
    PostMessageA(third, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(third, WM_LBUTTONUP, 0, MAKELPARAM(300, 5));
    Settle();
    EXPECT_EQ(checks(), (std::vector<bool>{false, true, false})) << "released outside";

    radios[0]->SetFocus();
    Settle();
    EXPECT_EQ(checks(), (std::vector<bool>{true, false, false})) << "focus by keyboard checks";
    EXPECT_EQ(clicks, 2);

    radios[2]->SetReadOnly(true);
    EXPECT_TRUE(radios[0]->ReadOnly());
    EXPECT_TRUE(radios[1]->ReadOnly());
    Click(radios[1]);
    EXPECT_EQ(checks(), (std::vector<bool>{true, false, false})) << "read-only together";
}

TEST_F(CheckBoxTest, LinkedActionChangesCheckedWithoutOnClick) {
    auto* box = Add<TUiCheckBox>(10, 10, 120, 17);
    auto* action = new TAction(form);
    box->SetAction(action);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    action->SetChecked(true);
    EXPECT_TRUE(box->GetChecked());
    action->SetChecked(false);
    EXPECT_FALSE(box->GetChecked());
    EXPECT_EQ(clicks, 0);
}

TEST_F(CheckBoxTest, GlyphPlaceFollowsAlignment) {
    auto* box = Add<TUiCheckBox>(10, 10, 120, 21);
    EXPECT_EQ(box->GlyphRect(), TRect(0, 2, 13, 15));
    box->SetAlignment(taLeftJustify);
    box->SetAlignmentVertical(avBottom);
    EXPECT_EQ(box->GlyphRect(), TRect(107, 6, 120, 19));
}

TEST_F(CheckBoxTest, CustomStripCellFollowsTheState) {
    auto* box = Add<TUiCheckBox>(10, 10, 120, 17);
    box->SetAllowGrayed(true);
    TBitmap strip;
    strip.SetSize(117, 13);
    const TColor cells[] = {clRed,  clGreen, clBlue,   clYellow, clAqua,
                            clLime, clNavy,  clMaroon, clPurple};
    for (int i = 0; i < 9; ++i) {
        strip.Canvas()->Brush()->SetColor(cells[i]);
        strip.Canvas()->FillRect(TRect(13 * i, 0, 13 * i + 13, 13));
    }
    box->SetCustomGlyphs(&strip);
    EXPECT_TRUE(box->UseCustomGlyphs());
    EXPECT_EQ(box->GlyphWidth(), 13);
    EXPECT_EQ(box->GlyphHeight(), 13);
    const struct {
        TCheckBoxState state;
        bool enabled;
        TColor shown;
    } cases[] = {{cbUnchecked, true, clRed},  {cbChecked, true, clGreen},
                 {cbGrayed, true, clBlue},    {cbChecked, false, clMaroon},
                 {cbGrayed, false, clPurple}};
    for (const auto& c : cases) {
        box->InitState(c.state);
        box->SetEnabled(c.enabled);
        Application->ProcessMessages();
        EXPECT_EQ(Snapshot(form).At(10 + 6, 10 + 2 + 6), ColorToRGB(c.shown)) << c.state;
    }
}

TEST_F(CheckBoxTest, HotTrackBoxFillsWithItsColours) {
    auto* box = Add<TUiCheckBox>(10, 10, 120, 17);
    box->SetThemeAware(false);
    box->SetHotTrack(true);
    box->SetFillColor(clYellow);
    box->SetDisabledColor(clAqua);
    Application->ProcessMessages();
    EXPECT_EQ(Snapshot(form).At(10 + 6, 10 + 2 + 6), ColorToRGB(clYellow));
    box->SetEnabled(false);
    Application->ProcessMessages();
    EXPECT_EQ(Snapshot(form).At(10 + 6, 10 + 2 + 6), ColorToRGB(clAqua));
}

}  // namespace
