// Theme services on the classic path that Wine takes by default: the library binds by name,
// nothing is themed, no handle opens, and the element details follow the schema's numbering.
#include <gtest/gtest.h>
#include <windows.h>
#include <uxtheme.h>

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

TEST(ThemeLibrary, PropertyOriginsKeepTheLibrarysNumbers) {
    EXPECT_EQ(UxTheme::PO_STATE, ::PO_STATE);
    EXPECT_EQ(UxTheme::PO_PART, ::PO_PART);
    EXPECT_EQ(UxTheme::PO_CLASS, ::PO_CLASS);
    EXPECT_EQ(UxTheme::PO_GLOBAL, ::PO_GLOBAL);
    EXPECT_EQ(UxTheme::PO_NOTFOUND, ::PO_NOTFOUND);
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

// Every family: its number of values, and its last value in the last part the schema numbers
// (a short states-per-part list would leave it outside every group).
struct FamilyCase {
    const char* family;
    int size, expectedSize;
    TThemedElementDetails last;
    TThemedElement element;
    int lastPart, lastState;
};

template <typename Enum>
FamilyCase Family(const char* name, Enum last, int expectedSize, TThemedElement element,
                  int lastPart, int lastState) {
    return {name, last + 1, expectedSize, TThemeServices::GetElementDetails(last), element,
            lastPart, lastState};
}

TEST(ThemeServicesDetails, EveryFamilyHasItsSizeAndEndsInItsLastPart) {
    const FamilyCase cases[] = {
        Family("button", tbUserButton, 30, teButton, 5, 1),
        Family("clock", tclTimeNormal, 3, teClock, 1, 1),
        Family("combo box", tcDropDownButtonDisabled, 6, teComboBox, 1, 4),
        Family("edit", teEditCaret, 10, teEdit, 2, 1),
        Family("explorer bar", tebSpecialGroupHead, 33, teExplorerBar, 12, 1),
        Family("header", thHeaderSortArrowSortedDown, 13, teHeader, 4, 2),
        Family("list view", tlvEmptyText, 11, teListView, 5, 1),
        Family("menu", tmSeparator, 10, teMenu, 6, 1),
        Family("page", tpgDownHorzDisabled, 18, tePage, 4, 4),
        Family("progress", tpChunkVert, 6, teProgress, 4, 1),
        Family("rebar", trChevronVertDisabled, 18, teRebar, 5, 4),
        Family("scroll bar", tsSizeBoxLeftAlign, 52, teScrollBar, 10, 2),
        Family("spin", tsDownHorzDisabled, 18, teSpin, 4, 4),
        Family("start panel", tspPreview, 17, teStartPanel, 11, 1),
        Family("status", tsGripper, 5, teStatus, 3, 1),
        Family("tab", ttabBody, 44, teTab, 10, 1),
        Family("task band", ttbdFlashButtonGroupMenu, 5, teTaskBand, 3, 1),
        Family("task bar", ttkbBackgroundBottom, 3, teTaskBar, 1, 1),
        Family("tool bar", ttbSeparatorVertCheckedHot, 38, teToolBar, 6, 6),
        Family("tool tip", tttClosePressed, 13, teToolTip, 5, 3),
        Family("track bar", ttrbTicsVert, 36, teTrackBar, 10, 1),
        Family("tray notify", ttnAnimBackground, 4, teTrayNotify, 2, 1),
        Family("tree view", ttvBranch, 10, teTreeview, 3, 1),
        Family("window", twSmallFrameBottomSizingTemplate, 117, teWindow, 37, 1),
    };
    for (const FamilyCase& c : cases) {
        EXPECT_EQ(c.size, c.expectedSize) << c.family;
        EXPECT_EQ(c.last.Element, c.element) << c.family;
        EXPECT_EQ(c.last.Part, c.lastPart) << c.family;
        EXPECT_EQ(c.last.State, c.lastState) << c.family;
    }
}

TEST(ThemeServicesDetails, ElementsOfTheFurtherFamiliesMapToTheirPartAndState) {
    const DetailsCase cases[] = {
        {TThemeServices::GetElementDetails(twWindowDontCare), teWindow, 0, 1},
        {TThemeServices::GetElementDetails(twWindowRoot), teWindow, 0, 2},
        {TThemeServices::GetElementDetails(twCaptionDisabled), teWindow, 1, 3},
        {TThemeServices::GetElementDetails(twFrameBottomInactive), teWindow, 9, 2},
        {TThemeServices::GetElementDetails(twSysButtonNormal), teWindow, 13, 1},
        {TThemeServices::GetElementDetails(twSmallCloseButtonNormal), teWindow, 19, 1},
        {TThemeServices::GetElementDetails(twSmallCloseButtonPushed), teWindow, 19, 3},
        {TThemeServices::GetElementDetails(twSmallCloseButtonDisabled), teWindow, 19, 4},
        {TThemeServices::GetElementDetails(twMDIHelpButtonInactive), teWindow, 24, 5},
        {TThemeServices::GetElementDetails(twVertThumbDisabled), teWindow, 28, 4},
        {TThemeServices::GetElementDetails(twDialog), teWindow, 29, 1},
        {TThemeServices::GetElementDetails(trRebarRoot), teRebar, 0, 2},
        {TThemeServices::GetElementDetails(trGripperVert), teRebar, 2, 1},
        {TThemeServices::GetElementDetails(trBandHotChecked), teRebar, 3, 6},
        {TThemeServices::GetElementDetails(trChevronNormal), teRebar, 4, 1},
        {TThemeServices::GetElementDetails(trChevronPressed), teRebar, 4, 3},
        {TThemeServices::GetElementDetails(trChevronVertHot), teRebar, 5, 2},
        {TThemeServices::GetElementDetails(thHeaderItemPressed), teHeader, 1, 3},
        {TThemeServices::GetElementDetails(thHeaderItemRightNormal), teHeader, 3, 1},
        {TThemeServices::GetElementDetails(tlvListItemSelectedNotFocus), teListView, 1, 5},
        {TThemeServices::GetElementDetails(tmMenuItemDemoted), teMenu, 1, 3},
        {TThemeServices::GetElementDetails(tmMenuDropDown), teMenu, 2, 1},
        {TThemeServices::GetElementDetails(tpgUpHorzHot), tePage, 3, 2},
        {TThemeServices::GetElementDetails(tspLogOffButtonsPressed), teStartPanel, 9, 3},
        {TThemeServices::GetElementDetails(ttabTopTabItemFocused), teTab, 5, 5},
        {TThemeServices::GetElementDetails(ttabPane), teTab, 9, 1},
        {TThemeServices::GetElementDetails(tttStandardTitleLink), teToolTip, 2, 2},
        {TThemeServices::GetElementDetails(tttCloseHot), teToolTip, 5, 2},
        {TThemeServices::GetElementDetails(ttrbThumbNormal), teTrackBar, 3, 1},
        {TThemeServices::GetElementDetails(ttrbThumbVertFocused), teTrackBar, 6, 4},
        {TThemeServices::GetElementDetails(ttvGlyphOpened), teTreeview, 2, 2},
        {TThemeServices::GetElementDetails(ttnBackground), teTrayNotify, 1, 1},
        {TThemeServices::GetElementDetails(ttbdGroupCount), teTaskBand, 1, 1},
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
