// Theme services on the classic path that Wine takes by default: the library binds by name,
// nothing is themed, no handle opens, and the element details follow the schema's numbering.
#include <gtest/gtest.h>

#include "UiThemeSrv.h"
#include "cl_graphics.h"

namespace {

TEST(ThemeLibrary, BindsAndUnbindsByCount) {
    FreeThemeServices();
    ASSERT_TRUE(InitThemeLibrary());
    EXPECT_NE(UxTheme::EntryPoints[UxTheme::eOpenThemeData], nullptr);
    EXPECT_NE(UxTheme::EntryPoints[UxTheme::eDrawThemeParentBackground], nullptr);
    ASSERT_TRUE(InitThemeLibrary());
    FreeThemeLibrary();
    EXPECT_NE(UxTheme::EntryPoints[UxTheme::eOpenThemeData], nullptr);
    FreeThemeLibrary();
    EXPECT_EQ(UxTheme::EntryPoints[UxTheme::eOpenThemeData], nullptr);
    FreeThemeLibrary();  // an extra release does not go below zero
    EXPECT_FALSE(UseThemes());
}

TEST(ThemeServicesClassic, NothingIsThemedWithoutAVisualStyle) {
    TThemeServices* services = ThemeServices();
    EXPECT_TRUE(services->ThemesAvailable());
    if (services->GetThemesEnabled()) GTEST_SKIP() << "themed controls are in force";
    EXPECT_EQ(services->GetTheme(teButton), nullptr);
    const TThemedElementDetails details = TThemeServices::GetElementDetails(tbPushButtonNormal);
    EXPECT_EQ(services->ColorToRGB(clRed, &details), clRed);
    EXPECT_EQ(services->ColorToRGB(clBtnFace, nullptr), clBtnFace);
}

struct DetailsCase {
    TThemedElementDetails details;
    TThemedElement element;
    int part, state;
};

TEST(ThemeServicesDetails, PartsAndStatesFollowTheSchema) {
    const DetailsCase cases[] = {
        {TThemeServices::GetElementDetails(tbButtonDontCare), teButton, 0, 1},
        {TThemeServices::GetElementDetails(tbButtonRoot), teButton, 0, 2},
        {TThemeServices::GetElementDetails(tbPushButtonNormal), teButton, 1, 1},
        {TThemeServices::GetElementDetails(tbPushButtonDefaulted), teButton, 1, 5},
        {TThemeServices::GetElementDetails(tbRadioButtonUncheckedNormal), teButton, 2, 1},
        {TThemeServices::GetElementDetails(tbRadioButtonCheckedDisabled), teButton, 2, 8},
        {TThemeServices::GetElementDetails(tbCheckBoxMixedDisabled), teButton, 3, 12},
        {TThemeServices::GetElementDetails(tbGroupBoxDisabled), teButton, 4, 2},
        {TThemeServices::GetElementDetails(tbUserButton), teButton, 5, 1},
        {TThemeServices::GetElementDetails(teEditTextAssist), teEdit, 1, 7},
        {TThemeServices::GetElementDetails(teEditCaret), teEdit, 2, 1},
        {TThemeServices::GetElementDetails(tsPane), teStatus, 1, 1},
        {TThemeServices::GetElementDetails(tsGripper), teStatus, 3, 1},
        {TThemeServices::GetElementDetails(tcDropDownButtonDisabled), teComboBox, 1, 4},
        {TThemeServices::GetElementDetails(tpChunkVert), teProgress, 4, 1},
        {TThemeServices::GetElementDetails(tebNormalGroupBackground), teExplorerBar, 5, 1},
        {TThemeServices::GetElementDetails(tebSpecialGroupHead), teExplorerBar, 12, 1},
        {TThemeServices::GetElementDetails(tsDownHorzDisabled), teSpin, 4, 4},
        {TThemeServices::GetElementDetails(tsArrowBtnRightPressed), teScrollBar, 1, 15},
        {TThemeServices::GetElementDetails(tsGripperVertDisabled), teScrollBar, 9, 4},
        {TThemeServices::GetElementDetails(tsSizeBoxLeftAlign), teScrollBar, 10, 2},
        {TThemeServices::GetElementDetails(ttbButtonCheckedHot), teToolBar, 1, 6},
        {TThemeServices::GetElementDetails(ttbSeparatorVertCheckedHot), teToolBar, 6, 6},
    };
    for (const DetailsCase& c : cases) {
        EXPECT_EQ(c.details.Element, c.element);
        EXPECT_EQ(c.details.Part, c.part) << c.element << "/" << c.part << "/" << c.state;
        EXPECT_EQ(c.details.State, c.state) << c.element << "/" << c.part << "/" << c.state;
    }
}

}  // namespace

namespace {

TEST(ThemeServicesWindow, ThemeChangesReachTheHandlerUntilTheWindowGoes) {
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    TThemeServices* services = new TThemeServices(window);
    int changes = 0;
    TObject* sender = nullptr;
    services->OnThemeChange = [&](TObject* s) {
        ++changes;
        sender = s;
    };
    SendMessageA(window, 0x031A, 0, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(sender, services);
    DestroyWindow(window);
    services->UpdateThemes();
    services->UnloadThemeData();  // a destroyed window leaves the handles alone
    delete services;
}

}  // namespace
