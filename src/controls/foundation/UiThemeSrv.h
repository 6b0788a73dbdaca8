// The process-wide theme services: whether visual styles are in force, one cached theme handle
// per visual-style class, theme-change tracking through the application window, and drawing.
#pragma once

#include <windows.h>

#include "UiUxTheme.h"
#include "cl_component.h"
#include "cl_string.h"
#include "cl_types.h"

class TWinControl;

enum TThemedElement {
    teButton, teClock, teComboBox, teEdit, teExplorerBar, teHeader, teListView, teMenu, tePage,
    teProgress, teRebar, teScrollBar, teSpin, teStartPanel, teStatus, teTab, teTaskBand,
    teTaskBar, teToolBar, teToolTip, teTrackBar, teTrayNotify, teTreeview, teWindow
};
constexpr int ThemedElementCount = teWindow + 1;

// The part/state values of the visual-style classes the controls draw, grouped by part in the
// schema's order; each begins with a don't-care and a root value.
enum TThemedButton {
    tbButtonDontCare, tbButtonRoot,
    tbPushButtonNormal, tbPushButtonHot, tbPushButtonPressed, tbPushButtonDisabled,
    tbPushButtonDefaulted,
    tbRadioButtonUncheckedNormal, tbRadioButtonUncheckedHot, tbRadioButtonUncheckedPressed,
    tbRadioButtonUncheckedDisabled, tbRadioButtonCheckedNormal, tbRadioButtonCheckedHot,
    tbRadioButtonCheckedPressed, tbRadioButtonCheckedDisabled,
    tbCheckBoxUncheckedNormal, tbCheckBoxUncheckedHot, tbCheckBoxUncheckedPressed,
    tbCheckBoxUncheckedDisabled, tbCheckBoxCheckedNormal, tbCheckBoxCheckedHot,
    tbCheckBoxCheckedPressed, tbCheckBoxCheckedDisabled, tbCheckBoxMixedNormal,
    tbCheckBoxMixedHot, tbCheckBoxMixedPressed, tbCheckBoxMixedDisabled,
    tbGroupBoxNormal, tbGroupBoxDisabled,
    tbUserButton
};
enum TThemedComboBox {
    tcComboBoxDontCare, tcComboBoxRoot,
    tcDropDownButtonNormal, tcDropDownButtonHot, tcDropDownButtonPressed, tcDropDownButtonDisabled
};
enum TThemedEdit {
    teEditDontCare, teEditRoot,
    teEditTextNormal, teEditTextHot, teEditTextSelected, teEditTextDisabled, teEditTextFocused,
    teEditTextReadOnly, teEditTextAssist,
    teEditCaret
};
enum TThemedExplorerBar {
    tebExplorerBarDontCare, tebExplorerBarRoot,
    tebHeaderBackgroundNormal, tebHeaderBackgroundHot, tebHeaderBackgroundPressed,
    tebHeaderCloseNormal, tebHeaderCloseHot, tebHeaderClosePressed,
    tebHeaderPinNormal, tebHeaderPinHot, tebHeaderPinPressed, tebHeaderPinSelectedNormal,
    tebHeaderPinSelectedHot, tebHeaderPinSelectedPressed,
    tebIEBarMenuNormal, tebIEBarMenuHot, tebIEBarMenuPressed,
    tebNormalGroupBackground,
    tebNormalGroupCollapseNormal, tebNormalGroupCollapseHot, tebNormalGroupCollapsePressed,
    tebNormalGroupExpandNormal, tebNormalGroupExpandHot, tebNormalGroupExpandPressed,
    tebNormalGroupHead,
    tebSpecialGroupBackground,
    tebSpecialGroupCollapseNormal, tebSpecialGroupCollapseHot, tebSpecialGroupCollapsePressed,
    tebSpecialGroupExpandNormal, tebSpecialGroupExpandHot, tebSpecialGroupExpandPressed,
    tebSpecialGroupHead
};
enum TThemedProgress {
    tpProgressDontCare, tpProgressRoot, tpBar, tpBarVert, tpChunk, tpChunkVert
};
enum TThemedScrollBar {
    tsScrollBarDontCare, tsScrollBarRoot,
    tsArrowBtnUpNormal, tsArrowBtnUpHot, tsArrowBtnUpPressed, tsArrowBtnUpDisabled,
    tsArrowBtnDownNormal, tsArrowBtnDownHot, tsArrowBtnDownPressed, tsArrowBtnDownDisabled,
    tsArrowBtnLeftNormal, tsArrowBtnLeftHot, tsArrowBtnLeftPressed, tsArrowBtnLeftDisabled,
    tsArrowBtnRightNormal, tsArrowBtnRightHot, tsArrowBtnRightPressed, tsArrowBtnRightDisabled,
    tsThumbBtnHorzNormal, tsThumbBtnHorzHot, tsThumbBtnHorzPressed, tsThumbBtnHorzDisabled,
    tsThumbBtnVertNormal, tsThumbBtnVertHot, tsThumbBtnVertPressed, tsThumbBtnVertDisabled,
    tsLowerTrackHorzNormal, tsLowerTrackHorzHot, tsLowerTrackHorzPressed, tsLowerTrackHorzDisabled,
    tsUpperTrackHorzNormal, tsUpperTrackHorzHot, tsUpperTrackHorzPressed, tsUpperTrackHorzDisabled,
    tsLowerTrackVertNormal, tsLowerTrackVertHot, tsLowerTrackVertPressed, tsLowerTrackVertDisabled,
    tsUpperTrackVertNormal, tsUpperTrackVertHot, tsUpperTrackVertPressed, tsUpperTrackVertDisabled,
    tsGripperHorzNormal, tsGripperHorzHot, tsGripperHorzPressed, tsGripperHorzDisabled,
    tsGripperVertNormal, tsGripperVertHot, tsGripperVertPressed, tsGripperVertDisabled,
    tsSizeBoxRightAlign, tsSizeBoxLeftAlign
};
enum TThemedToolBar {
    ttbToolBarDontCare, ttbToolBarRoot,
    ttbButtonNormal, ttbButtonHot, ttbButtonPressed, ttbButtonDisabled, ttbButtonChecked,
    ttbButtonCheckedHot,
    ttbDropDownButtonNormal, ttbDropDownButtonHot, ttbDropDownButtonPressed,
    ttbDropDownButtonDisabled, ttbDropDownButtonChecked, ttbDropDownButtonCheckedHot,
    ttbSplitButtonNormal, ttbSplitButtonHot, ttbSplitButtonPressed, ttbSplitButtonDisabled,
    ttbSplitButtonChecked, ttbSplitButtonCheckedHot,
    ttbSplitButtonDropDownNormal, ttbSplitButtonDropDownHot, ttbSplitButtonDropDownPressed,
    ttbSplitButtonDropDownDisabled, ttbSplitButtonDropDownChecked,
    ttbSplitButtonDropDownCheckedHot,
    ttbSeparatorNormal, ttbSeparatorHot, ttbSeparatorPressed, ttbSeparatorDisabled,
    ttbSeparatorChecked, ttbSeparatorCheckedHot,
    ttbSeparatorVertNormal, ttbSeparatorVertHot, ttbSeparatorVertPressed, ttbSeparatorVertDisabled,
    ttbSeparatorVertChecked, ttbSeparatorVertCheckedHot,
};
enum TThemedSpin {
    tsSpinDontCare, tsSpinRoot,
    tsUpNormal, tsUpHot, tsUpPressed, tsUpDisabled,
    tsDownNormal, tsDownHot, tsDownPressed, tsDownDisabled,
    tsUpHorzNormal, tsUpHorzHot, tsUpHorzPressed, tsUpHorzDisabled,
    tsDownHorzNormal, tsDownHorzHot, tsDownHorzPressed, tsDownHorzDisabled
};
enum TThemedStatus { tsStatusDontCare, tsStatusRoot, tsPane, tsGripperPane, tsGripper };

struct TThemedElementDetails {
    TThemedElement Element;
    int Part;
    int State;
};

class TThemeServices : public TObject {
    CL_CLASS(TThemeServices, TObject)

    explicit TThemeServices(HWND window);
    ~TThemeServices() override;

    bool ThemesAvailable() const { return themesAvailable_; }
    bool GetThemesEnabled() const { return themesAvailable_ && useThemes_ && controlsEnabled_; }
    // The class's theme handle, opened on first use; 0 when themes are not used.
    UxTheme::HTHEME GetTheme(TThemedElement element);

    static TThemedElementDetails GetElementDetails(TThemedButton value);
    static TThemedElementDetails GetElementDetails(TThemedComboBox value);
    static TThemedElementDetails GetElementDetails(TThemedEdit value);
    static TThemedElementDetails GetElementDetails(TThemedExplorerBar value);
    static TThemedElementDetails GetElementDetails(TThemedProgress value);
    static TThemedElementDetails GetElementDetails(TThemedScrollBar value);
    static TThemedElementDetails GetElementDetails(TThemedSpin value);
    static TThemedElementDetails GetElementDetails(TThemedToolBar value);
    static TThemedElementDetails GetElementDetails(TThemedStatus value);

    void DrawElement(HDC dc, const TThemedElementDetails& details, const TRect& rect,
                     const TRect* clip = nullptr);
    void DrawText(HDC dc, const TThemedElementDetails& details, const AnsiString& text,
                  const TRect& rect, DWORD flags, DWORD flags2);
    TRect ContentRect(HDC dc, const TThemedElementDetails& details, const TRect& bounding);
    void DrawEdge(HDC dc, const TThemedElementDetails& details, const TRect& rect, UINT edge,
                  UINT flags, TRect* contentRect = nullptr);
    void DrawIcon(HDC dc, const TThemedElementDetails& details, const TRect& rect,
                  HANDLE imageList, int index);
    bool HasTransparentParts(const TThemedElementDetails& details);
    bool DrawParentBackground(HWND window, HDC dc, const TThemedElementDetails* details,
                              bool onlyIfTransparent, const TRect* bounds = nullptr);
    TColor ColorToRGB(TColor color, const TThemedElementDetails* details);
    // The themed two-pixel border of a control with a client edge.
    void PaintBorder(TWinControl* control, bool eraseCorner);

    void UpdateThemes();
    void UnloadThemeData();
    TNotifyEvent OnThemeChange;

protected:
    virtual void DoOnThemeChange();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Unsubclass();

    HWND window_;
    WNDPROC previousProc_ = nullptr;
    bool themesAvailable_ = false;
    bool useThemes_ = false;
    bool controlsEnabled_ = false;
    UxTheme::HTHEME themes_[ThemedElementCount] = {};
};

// The singleton, made on first use over the application window.
TThemeServices* ThemeServices();
// Frees the singleton (the program's end; tests that need a fresh one).
void FreeThemeServices();
