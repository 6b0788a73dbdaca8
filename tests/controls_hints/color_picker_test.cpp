// Colour picker: its size and margin, colours selected by value, clicks landing on the cell
// drawn under the mouse, the buttons, dragging, the drawn states and the colour dialog.
#include "UiColorPicker.h"
#include "cl_extctrls.h"
#include "form_fixture.h"
#include "ui_pump.h"

namespace {

class ColorPickerTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        form->SetBounds(30, 30, 420, 360);
        picker = Add<TUiColorPicker>(20, 10, 0, 0);
        picker->Font()->SetName("MS Sans Serif");
        picker->Font()->SetHeight(-11);
        picker->SetShowNoColor(true);
        picker->SetShowDefaultColor(true);
        picker->SetShowCustomColor(true);
        picker->SetShowSystemColors(true);
        picker->SetShowColorHints(false);
        picker->OnChange = [this](TObject*) { ++changes; };
        picker->OnClick = [this](TObject*) { ++clicks; };
    }
    // A click at a point of the picker, as the form receives it.
    void Click(int x, int y) {
        PostClick(form->WindowHandle(), picker->Left() + x, picker->Top() + y);
        Application->ProcessMessages();
    }
    TColor PixelAt(const Snapshot& shot, int x, int y) {
        return shot.At(picker->Left() + x, picker->Top() + y);
    }
    // The row caption buttons' rows: the client rectangle's width at the given top.
    TRect Row(int top) {
        const TRect c = picker->ClientRect();
        return TRect(c.Left, c.Top + top, c.Right, c.Top + top + picker->Margin());
    }
    TUiColorPicker* picker = nullptr;
    int changes = 0, clicks = 0;
};

TEST_F(ColorPickerTest, MarginAndPreferredSize) {
    EXPECT_EQ(picker->Margin(), 23);
    const TRect c = picker->ClientRect();
    EXPECT_EQ(c.Left, 4) << "a lowered border two pixels wide inside a border width of 2";
    EXPECT_EQ(picker->Width(), 2 * c.Left + 144);
    EXPECT_EQ(picker->Height(), 2 * c.Top + 90 + 80 + 24 + 24 + 23);
    picker->SetShowSystemColors(false);
    picker->SetShowNoColor(false);
    EXPECT_EQ(picker->Height(), 2 * c.Top + 90 + 24 + 23);
}

TEST_F(ColorPickerTest, SelectedColorFindsItsCell) {
    picker->SetSelectedColor(clNone);
    EXPECT_EQ(picker->SelColorIndex(), cpiNone);
    picker->SetShowNoColor(false);
    picker->SetSelectedColor(0x00FF00);
    EXPECT_EQ(picker->SelColorIndex(), 27);
    EXPECT_EQ(PickerColorName(27), "Bright Green");
    picker->SetSelectedColor(clNone);
    EXPECT_EQ(picker->SelColorIndex(), cpiNone) << "also with the None button hidden";
    EXPECT_EQ(picker->SelectedColor(), clNone);
    picker->SetSelectedColor(clBtnFace);
    EXPECT_EQ(picker->SelColorIndex(), 55);
    EXPECT_EQ(picker->SelectedColor(), clBtnFace);
    picker->SetSelectedColor(ColorToRGB(clHighlight));
    EXPECT_EQ(picker->SelColorIndex(), cpiDefault) << "the default colour wins over the grid";
    picker->SetShowSystemColors(false);
    picker->SetShowDefaultColor(false);
    picker->SetSelectedColor(clBtnFace);
    int standard = cpiCustomSwatch;
    for (int i = PickerStandardColors - 1; i >= 0; --i)
        if (PickerColor(i) == ColorToRGB(clBtnFace)) standard = i;
    EXPECT_EQ(picker->SelColorIndex(), standard);
    EXPECT_EQ(picker->SelectedColor(), ColorToRGB(clBtnFace));
    picker->SetSelectedColor(0x123456);
    EXPECT_EQ(picker->SelColorIndex(), cpiCustomSwatch);
    EXPECT_EQ(picker->CustomColor(), 0x123456);
}

TEST_F(ColorPickerTest, EveryCellIsSelectedWhereItIsDrawn) {
    Snapshot shot(form);
    for (int index = 0; index < PickerColorCount; ++index) {
        const TRect cell = picker->GetCellRect(index);
        ASSERT_GT(cell.Width(), 8) << index;
        const int cx = (cell.Left + cell.Right) / 2, cy = (cell.Top + cell.Bottom) / 2;
        EXPECT_EQ(PixelAt(shot, cx, cy), ColorToRGB(PickerColor(index))) << index;
        for (const TPoint& p : {TPoint(cell.Left, cell.Top), TPoint(cell.Right - 1, cell.Bottom - 1),
                                TPoint(cx, cy)}) {
            picker->SetSelectedColor(clNone);
            Click(p.X, p.Y);
            EXPECT_EQ(picker->SelColorIndex(), index) << index << " at " << p.X << "," << p.Y;
        }
    }
}

TEST_F(ColorPickerTest, SwatchLiesInsideItsCell) {
    const TColor colours[] = {0x00FF00, 0xFF00FF, 0x663399, 0x663300};
    Snapshot shot(form);
    for (TColor colour : colours) {
        TRect found(1000, 1000, -1, -1);
        for (int y = 0; y < picker->Height(); ++y)
            for (int x = 0; x < picker->Width(); ++x)
                if (PixelAt(shot, x, y) == colour) {
                    found.Left = std::min(found.Left, x);
                    found.Top = std::min(found.Top, y);
                    found.Right = std::max(found.Right, x + 1);
                    found.Bottom = std::max(found.Bottom, y + 1);
                }
        int index = 0;
        while (PickerColor(index) != colour) ++index;
        const TRect cell = picker->GetCellRect(index);
        EXPECT_EQ(found.Left, cell.Left + 4) << index;
        EXPECT_EQ(found.Top, cell.Top + 4) << index;
        EXPECT_EQ(found.Right, cell.Right - 4) << index;
        EXPECT_EQ(found.Bottom, cell.Bottom - 4) << index;
    }
}

TEST_F(ColorPickerTest, ButtonsAndPlacesThatSelectNothing) {
    const int margin = picker->Margin();
    const TRect last = picker->GetCellRect(69);
    const TRect fifthRow = picker->GetCellRect(39);
    const TRect client = picker->ClientRect();
    const struct {
        const char* what;
        TPoint at;
        int selected;
    } cases[] = {
        {"None", {client.Left + 30, Row(0).Top + 10}, cpiNone},
        {"Default caption", {client.Left + 30, Row(margin).Top + 10}, cpiDefault},
        {"Default swatch", {client.Right - 10, Row(margin).Top + 10}, cpiDefault},
        {"custom swatch", {client.Right - 10, client.Bottom - 10}, cpiCustomSwatch},
        {"cell after Menu Bar", {last.Right + 5, last.Top + 5}, 27},
        {"last cell of that row", {client.Right - 3, last.Top + 5}, 27},
        {"separator band", {client.Left + 20, fifthRow.Bottom + 3}, 27},
        {"border", {1, 1}, 27},
    };
    for (const auto& c : cases) {
        picker->SetSelectedColor(0x00FF00);
        changes = clicks = 0;
        Click(c.at.X, c.at.Y);
        EXPECT_EQ(picker->SelColorIndex(), c.selected) << c.what;
        EXPECT_EQ(changes, c.selected == 27 ? 0 : 1) << c.what;
        if (c.selected == cpiCustomSwatch) EXPECT_EQ(clicks, 1) << "one click, not two";
    }
    picker->SetSelColorIndex(cpiDefault);
    EXPECT_EQ(picker->SelectedColor(), clHighlight);
}

TEST_F(ColorPickerTest, DraggingSelectsEachCellInTurn) {
    const TRect first = picker->GetCellRect(0);
    const int y = picker->Top() + first.Top + 5;
    const HWND window = form->WindowHandle();
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(picker->Left() + first.Left + 5, y));
    std::vector<int> seen;
    picker->OnChange = [&](TObject*) { seen.push_back(picker->SelColorIndex()); };
    for (int index = 0; index < 8; ++index) {
        const TRect cell = picker->GetCellRect(index);
        PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON,
                     MAKELPARAM(picker->Left() + cell.Left + 5, y));
    }
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(picker->Left() + first.Left + 5, y));
    Application->ProcessMessages();
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(ColorPickerTest, SelectedAndHotCellsAreMarked) {
    const TRect selected = picker->GetCellRect(10), hot = picker->GetCellRect(12);
    picker->SetSelColorIndex(10);
    MoveMouse(picker->Left() + hot.Left + 10, picker->Top() + hot.Top + 10);
    EXPECT_EQ(picker->HighlightColorIndex(), 12);
    Snapshot shot(form);
    EXPECT_EQ(PixelAt(shot, selected.Left, selected.Top + 5), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelAt(shot, selected.Left + 2, selected.Top + 2), ColorToRGB(clWindow));
    EXPECT_EQ(PixelAt(shot, hot.Left + 2, hot.Top + 2), ColorToRGB(clBtnFace));
    const TRect plain = picker->GetCellRect(14);
    EXPECT_EQ(PixelAt(shot, plain.Left + 2, plain.Top + 2), ColorToRGB(picker->Color()));
    EXPECT_EQ(PixelAt(shot, plain.Left, plain.Top + 5), ColorToRGB(picker->Color()));
    const TRect fifthRow = picker->GetCellRect(39);
    EXPECT_EQ(PixelAt(shot, fifthRow.Left, fifthRow.Bottom + 4), ColorToRGB(clBtnShadow))
        << "the line above the system colours";
}

TEST_F(ColorPickerTest, ColourHintNamesTheCellUnderTheMouse) {
    picker->SetShowColorHints(true);
    const TRect cell = picker->GetCellRect(27);
    MoveMouse(picker->Left() + cell.Left + 5, picker->Top() + cell.Top + 5);
    THintWindow* hint = nullptr;
    for (int i = 0; i < picker->ComponentCount(); ++i)
        if (auto* window = dynamic_cast<THintWindow*>(picker->Components(i))) hint = window;
    ASSERT_NE(hint, nullptr);
    ASSERT_TRUE(hint->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(hint->WindowHandle()));
    EXPECT_EQ(hint->Caption(), "Bright Green");
    RECT r;
    GetWindowRect(hint->WindowHandle(), &r);
    const TPoint corner = picker->ClientToScreen(TPoint(cell.Left, cell.Bottom));
    EXPECT_EQ(r.left, corner.X + 4);
    EXPECT_EQ(r.top, corner.Y + 12);
    const TRect band = picker->GetCellRect(39);
    MoveMouse(picker->Left() + band.Left + 5, picker->Top() + band.Bottom + 3);
    EXPECT_FALSE(hint->HandleAllocated() && IsWindowVisible(hint->WindowHandle()))
        << "no hint off the colours";
}

BOOL CALLBACK FindColorDialog(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

TEST_F(ColorPickerTest, MoreColorsConfirmedInTheDialogBecomesTheCustomColour) {
    picker->SetSelectedColor(0x00FF00);
    picker->SetCustomColor(0x00FF00);
    changes = clicks = 0;
    bool dialogShown = false;
    auto* closer = new TTimer(form);
    closer->SetInterval(200);
    closer->SetOnTimer([&](TObject*) {
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindColorDialog,
                          reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) return;
        dialogShown = true;
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    const TRect client = picker->ClientRect();
    Click(client.Left + 30, client.Bottom - 10);
    closer->Free();
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(picker->SelColorIndex(), cpiCustomSwatch);
    EXPECT_EQ(picker->SelectedColor(), 0x00FF00);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1) << "even though the colour is the custom colour already";
}

}  // namespace
