// The toolbar's customisation form: its lines and texts, the move buttons, check boxes and text
// options driven by real messages, dragging lines, list icons, placing and the modal run.
#include <functional>
#include <vector>

#include "../controls_buttons/form_fixture.h"
#include "UiCheckList.h"
#include "UiFrmCustomizeToolbar.h"
#include "UiSpacer.h"
#include "UiToolButton.h"
#include "UiToolbar.h"
#include "UiUtils.h"
#include "cl_imagelist.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class CustomizeTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        toolbar = new TUiToolbar(form);
        toolbar->SetName("Bar");
        toolbar->SetParent(form);
        toolbar->SetWidth(400);
    }
    void TearDown() override {
        if (dialog) dialog->Free();
        FormTest::TearDown();
    }
    TUiToolButton* AddButton(const AnsiString& name, const AnsiString& caption) {
        auto* button = new TUiToolButton(form);
        button->SetName(name);
        button->SetCaption(caption);
        button->SetParent(toolbar);
        return button;
    }
    TUiSpacer* AddSpacer(const AnsiString& name, bool grooved) {
        auto* spacer = new TUiSpacer(form);
        spacer->SetName(name);
        spacer->SetGrooved(grooved);
        spacer->SetParent(toolbar);
        return spacer;
    }
    // Open, Spacer1 (grooved), Save, Print.
    void AddStandardControls() {
        AddButton("Open", "Open");
        AddSpacer("Spacer1", true);
        AddButton("Save", "Save");
        AddButton("Print", "Print");
    }
    TUiFrmCustomizeToolbar* OpenDialog(bool showTextOptions = true) {
        dialog = new TUiFrmCustomizeToolbar(nullptr);
        dialog->SetToolbar(toolbar);
        dialog->SetToolbarOwner(form);
        dialog->UpdateControls(toolbar->CustomizeCaptions(), showTextOptions);
        dialog->Reposition();
        dialog->Show();
        Application->ProcessMessages();
        return dialog;
    }
    std::vector<AnsiString> Lines() {
        std::vector<AnsiString> lines;
        for (int i = 0; i < dialog->LstControls->Items()->Count(); ++i)
            lines.push_back(dialog->LstControls->Items()->Get(i));
        return lines;
    }
    std::vector<AnsiString> Order() {
        std::vector<AnsiString> names;
        for (int i = 0; i < toolbar->ToolbarControls()->Count(); ++i)
            names.push_back(toolbar->ToolbarControls()->Get(i)->Control->Name());
        return names;
    }
    TControl* Listed(int index) { return toolbar->ToolbarControls()->Get(index)->Control; }
    void ClickButton(TButton* button) {
        PostClick(button->WindowHandle());
        Application->ProcessMessages();
    }
    // A press and release on the check box of line `index`.
    void ClickCheckBox(int index) {
        const TRect item = dialog->LstControls->ItemRect(index);
        PostClick(dialog->LstControls->WindowHandle(), item.Left + 5, item.Top + item.Height() / 2);
        Application->ProcessMessages();
    }
    TPoint LineCentre(int index) {
        const TRect item = dialog->LstControls->ItemRect(index);
        return TPoint(item.Left + 60, item.Top + item.Height() / 2);
    }
    void DragOver(TObject* source, TPoint p, bool& accept) {
        dialog->LstControlsDragOver(dialog->LstControls, source, p.X, p.Y, dsDragMove, accept);
    }
    // Press on line `from`, move over line `to` and drop there, as the drag machinery calls.
    bool DragLine(int from, int to) {
        dialog->LstControls->SetItemIndex(from);
        dialog->LstControlsMouseDown(dialog->LstControls, mbLeft, {}, 5, 5);
        bool accept = false;
        DragOver(dialog->LstControls, LineCentre(to), accept);
        if (accept) {
            const TPoint p = LineCentre(to);
            dialog->LstControlsDragDrop(dialog->LstControls, dialog->LstControls, p.X, p.Y);
        }
        dialog->LstControlsEndDrag(dialog->LstControls, dialog->LstControls, 0, 0);
        return accept;
    }

    TUiToolbar* toolbar = nullptr;
    TUiFrmCustomizeToolbar* dialog = nullptr;
};

TEST_F(CustomizeTest, FormLayoutAndLines) {
    AddButton("Open", "Open");
    AddButton("Blank", "")->SetHint("Blank hint");
    AddButton("Nameless", "");
    AddSpacer("Spacer1", false);
    auto* other = Add<TButton>(0, 0, 40, 20);
    other->SetName("Other");
    other->SetParent(toolbar);
    AddButton("Hidden", "Hidden")->SetVisible(false);
    TUiCustomizeCaptions captions;
    const char* texts[] = {"Leiste", "Abwählen", "Schließen", "Hoch", "Runter", "Text",
                           "Ohne", "Mit", "Rechts"};
    for (int i = 0; i < 9; ++i) captions.SetCaption(i + 1, texts[i]);
    toolbar->SetCustomizeCaptions(&captions);
    OpenDialog();

    EXPECT_EQ(dialog->ClientWidth(), 337);
    EXPECT_EQ(dialog->ClientHeight(), 280);
    EXPECT_EQ(dialog->Font()->Name(), "Verdana");
    EXPECT_EQ(dialog->LstControls->ItemHeight(), 20);
    EXPECT_EQ(dialog->Caption(), "Leiste");
    EXPECT_EQ(dialog->LblHint->Caption(), "Abwählen");
    EXPECT_EQ(dialog->BtnClose->Caption(), "Schließen");
    EXPECT_EQ(dialog->BtnMoveUp->Caption(), "Hoch");
    EXPECT_EQ(dialog->BtnMoveDown->Caption(), "Runter");
    EXPECT_EQ(dialog->LblTextOptions->Caption(), "Text");
    TStrings* options = dialog->CbxTextOptions->Items();
    ASSERT_EQ(options->Count(), 3);
    EXPECT_EQ(options->Get(0), "Ohne");
    EXPECT_EQ(options->Get(2), "Rechts");

    EXPECT_EQ(Lines(), (std::vector<AnsiString>{"Open", "Blank hint", "Nameless", "Spacer",
                                                "Other", "Hidden"}));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(dialog->LstControls->GetItemChecked(i), i != 5) << i;
    EXPECT_EQ(dialog->LstControls->ItemIndex(), 0);
    EXPECT_FALSE(dialog->BtnMoveUp->Enabled());
    EXPECT_TRUE(dialog->BtnMoveDown->Enabled());
}

TEST_F(CustomizeTest, TextOptionLineAndFormHeight) {
    AddStandardControls();
    const struct {
        TUiToolbarTextOptions options;
        bool showTextOptions;
        int line;
    } cases[] = {{ttoNoTextLabels, true, 0},         {ttoShowTextLabels, true, 1},
                 {ttoSelectiveTextOnRight, true, 2}, {ttoCustom, true, -1},
                 {ttoShowTextLabels, false, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        toolbar->SetTextOptions(c.options);
        OpenDialog(c.showTextOptions);
        EXPECT_EQ(dialog->CbxTextOptions->ItemIndex(), c.line);
        EXPECT_EQ(dialog->CbxTextOptions->Visible(), c.showTextOptions);
        EXPECT_EQ(dialog->LblTextOptions->Visible(), c.showTextOptions);
        const int listBottom = dialog->LstControls->Top() + dialog->LstControls->Height();
        EXPECT_EQ(dialog->ClientHeight(), c.showTextOptions ? 280 : listBottom + 8);
        dialog->Free();
        dialog = nullptr;
    }
}

TEST_F(CustomizeTest, MoveButtonsFollowTheSelection) {
    const struct {
        int controls;
        int selected;
        bool up, down;
    } cases[] = {{0, -1, false, false}, {1, 0, false, false}, {4, 0, false, true},
                 {4, 2, true, true},    {4, 3, true, false}};
    const char* names[] = {"A", "B", "C", "D"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.controls * 10 + c.selected);
        for (int i = 0; i < c.controls; ++i) AddButton(names[i], names[i]);
        OpenDialog();
        if (c.selected > 0) {
            // A click on the line selects it as the user would.
            const TRect item = dialog->LstControls->ItemRect(c.selected);
            PostClick(dialog->LstControls->WindowHandle(), item.Left + 60, item.Top + 5);
            Application->ProcessMessages();
        }
        EXPECT_EQ(dialog->LstControls->ItemIndex(), c.selected);
        EXPECT_EQ(dialog->BtnMoveUp->Enabled(), c.up);
        EXPECT_EQ(dialog->BtnMoveDown->Enabled(), c.down);
        dialog->Free();
        dialog = nullptr;
        while (toolbar->ControlCount() > 0) toolbar->Controls(0)->Free();
    }
}

TEST_F(CustomizeTest, MoveButtonsMoveLineAndToolbarControl) {
    AddStandardControls();
    OpenDialog();
    ClickButton(dialog->BtnMoveDown);
    ClickButton(dialog->BtnMoveDown);
    EXPECT_EQ(Order(), (std::vector<AnsiString>{"Spacer1", "Save", "Open", "Print"}));
    EXPECT_EQ(Lines(), (std::vector<AnsiString>{"Spacer", "Save", "Open", "Print"}));
    EXPECT_EQ(dialog->LstControls->ItemIndex(), 2);
    // The toolbar placed its controls again: Open now follows the spacer and Save.
    EXPECT_EQ(Listed(2)->Left(), 4 + Listed(0)->Width() + Listed(1)->Width());
    ClickButton(dialog->BtnMoveDown);
    EXPECT_EQ(dialog->LstControls->ItemIndex(), 3);
    EXPECT_FALSE(dialog->BtnMoveDown->Enabled());
    EXPECT_TRUE(dialog->BtnMoveUp->Enabled());
    // A disabled button sends nothing; the order stays.
    ClickButton(dialog->BtnMoveDown);
    EXPECT_EQ(Order(), (std::vector<AnsiString>{"Spacer1", "Save", "Print", "Open"}));
    for (int i = 0; i < 3; ++i) ClickButton(dialog->BtnMoveUp);
    EXPECT_EQ(Order(), (std::vector<AnsiString>{"Open", "Spacer1", "Save", "Print"}));
    EXPECT_EQ(Listed(0)->Left(), 4);
    EXPECT_FALSE(dialog->BtnMoveUp->Enabled());
    // Checks travel with their lines.
    EXPECT_TRUE(dialog->LstControls->GetItemChecked(0));
}

TEST_F(CustomizeTest, CheckBoxesHideAndShowControls) {
    AddStandardControls();
    OpenDialog();
    TControl* save = Listed(2);
    TControl* print = Listed(3);
    const int printLeft = print->Left();
    ClickCheckBox(2);
    EXPECT_FALSE(save->Visible());
    EXPECT_FALSE(dialog->LstControls->GetItemChecked(2));
    EXPECT_EQ(print->Left(), printLeft - save->Width());
    ClickCheckBox(2);
    EXPECT_TRUE(save->Visible());
    EXPECT_EQ(print->Left(), printLeft);
}

TEST_F(CustomizeTest, ChoosingATextOptionAppliesItsPreset) {
    AddStandardControls();
    toolbar->SetTextOptions(ttoCustom);
    OpenDialog();
    HWND combo = dialog->CbxTextOptions->WindowHandle();
    const struct {
        TUiToolbarTextOptions options;
        int width, height;
        bool captions;
    } steps[] = {{ttoNoTextLabels, 25, 25, false},
                 {ttoShowTextLabels, 60, 40, true},
                 {ttoSelectiveTextOnRight, 60, 25, true}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.options);
        SetFocus(combo);
        PostKey(combo, VK_DOWN);
        Application->ProcessMessages();
        EXPECT_EQ(toolbar->TextOptions(), step.options);
        EXPECT_EQ(toolbar->ButtonWidth(), step.width);
        EXPECT_EQ(toolbar->RowHeight(), step.height);
        EXPECT_EQ(toolbar->ShowButtonCaptions(), step.captions);
    }
}

TEST_F(CustomizeTest, DraggingALineMovesItsControl) {
    AddStandardControls();
    OpenDialog();
    EXPECT_TRUE(DragLine(0, 2));
    EXPECT_EQ(Order(), (std::vector<AnsiString>{"Spacer1", "Save", "Open", "Print"}));
    EXPECT_EQ(Lines(), (std::vector<AnsiString>{"Spacer", "Save", "Open", "Print"}));
    EXPECT_EQ(dialog->LstControls->ItemIndex(), 2);
    EXPECT_TRUE(dialog->BtnMoveUp->Enabled());
    EXPECT_EQ(Listed(2)->Left(), 4 + Listed(0)->Width() + Listed(1)->Width());
    EXPECT_TRUE(DragLine(3, 0));
    EXPECT_EQ(Order(), (std::vector<AnsiString>{"Print", "Spacer1", "Save", "Open"}));
    EXPECT_FALSE(dialog->BtnMoveUp->Enabled());

    // Onto itself: nothing moves.
    EXPECT_TRUE(DragLine(1, 1));
    EXPECT_EQ(Order(), (std::vector<AnsiString>{"Print", "Spacer1", "Save", "Open"}));
    EXPECT_EQ(Lines(), (std::vector<AnsiString>{"Print", "Spacer", "Save", "Open"}));
}

TEST_F(CustomizeTest, OnlyTheListsOwnLinesAreAccepted) {
    AddStandardControls();
    OpenDialog();
    bool accept = true;
    DragOver(dialog->BtnClose, LineCentre(1), accept);
    EXPECT_FALSE(accept);
    // Below the last line there is no target.
    accept = true;
    DragOver(dialog->LstControls, TPoint(60, dialog->LstControls->ClientHeight() / 2 + 40), accept);
    EXPECT_FALSE(accept);
    dialog->LstControls->SetItemIndex(0);
    dialog->LstControlsMouseDown(dialog->LstControls, mbLeft, {}, 5, 5);
    const TPoint p = LineCentre(2);
    dialog->LstControlsDragDrop(dialog->LstControls, dialog->BtnClose, p.X, p.Y);
    dialog->LstControlsDragDrop(dialog->LstControls, dialog->LstControls, 60,
                                dialog->LstControls->ClientHeight() - 2);
    EXPECT_EQ(Order(), (std::vector<AnsiString>{"Open", "Spacer1", "Save", "Print"}));
}

TEST_F(CustomizeTest, DraggingNearAnEdgeScrollsTheList) {
    for (int i = 0; i < 30; ++i) AddButton("B" + IntToStr(i), "Button " + IntToStr(i));
    OpenDialog();
    TUiCheckList* list = dialog->LstControls;
    const int bottom = list->ClientHeight() - 3;
    bool accept = false;
    DragOver(list, TPoint(60, bottom), accept);
    EXPECT_TRUE(dialog->Timer1->Enabled());
    int ticks = 0;
    while (dialog->Timer1->Enabled() && ticks < 100) {
        const int top = list->TopIndex();
        dialog->Timer1Timer(dialog->Timer1);
        if (dialog->Timer1->Enabled()) {
            EXPECT_EQ(list->TopIndex(), top + 1);
        }
        ++ticks;
    }
    // The list scrolled to its end and the timer stopped there.
    EXPECT_FALSE(dialog->Timer1->Enabled());
    EXPECT_GT(list->TopIndex(), 15);
    EXPECT_GE(list->TopIndex() + list->ClientHeight() / list->ItemHeight(), 30);

    DragOver(list, TPoint(60, list->ClientHeight() / 2), accept);
    EXPECT_FALSE(dialog->Timer1->Enabled());
    DragOver(list, TPoint(60, 3), accept);
    EXPECT_TRUE(dialog->Timer1->Enabled());
    EXPECT_EQ(list->ItemIndex(), list->TopIndex());
    for (ticks = 0; dialog->Timer1->Enabled() && ticks < 100; ++ticks)
        dialog->Timer1Timer(dialog->Timer1);
    EXPECT_EQ(list->TopIndex(), 0);
    EXPECT_FALSE(dialog->Timer1->Enabled());

    DragOver(list, TPoint(60, bottom), accept);
    dialog->LstControlsEndDrag(list, nullptr, 0, 0);
    EXPECT_FALSE(dialog->Timer1->Enabled());
}

// Draws line `index` into a bitmap through the form's drawing handler.
TBitmap* DrawLine(TUiFrmCustomizeToolbar* dialog, int index, TBitmap* row) {
    row->SetSize(200, 20);
    auto* canvas = static_cast<TControlCanvas*>(dialog->LstControls->Canvas());
    canvas->BindDC(row->Canvas()->Handle());
    canvas->Font()->Assign(dialog->LstControls->Font());
    canvas->Font()->SetColor(clBlack);
    canvas->Brush()->SetColor(clWhite);
    dialog->ListBoxDrawItem(dialog->LstControls, index, TRect(0, 0, 200, 20), {});
    canvas->BindDC(nullptr);
    return row;
}

TColor Pixel(TBitmap* bitmap, int x, int y) {
    return static_cast<TColor>(GetPixel(bitmap->Canvas()->Handle(), x, y));
}

int CountPixels(TBitmap* bitmap, const TRect& r, TColor color) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) n += Pixel(bitmap, x, y) == ColorToRGB(color);
    return n;
}

TEST_F(CustomizeTest, LinesShowTheControlsIcons) {
    auto* images = new TCustomImageList(form, 16, 16);
    TBitmap red;
    red.SetSize(16, 16);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(TRect(0, 0, 16, 16));
    images->Add(&red, nullptr);
    toolbar->SetImages(images);
    AddButton("Imaged", "Imaged")->SetImageIndex(0);
    AddButton("Plain", "Plain");
    // A speed button with a blue first and a lime second cell on a fuchsia background.
    auto* speed = new TSpeedButton(form);
    speed->SetName("Speed");
    TBitmap glyph;
    glyph.SetSize(24, 12);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(TRect(0, 0, 24, 12));
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect(TRect(2, 0, 10, 8));
    glyph.Canvas()->Brush()->SetColor(clLime);
    glyph.Canvas()->FillRect(TRect(14, 0, 22, 8));
    speed->SetGlyph(&glyph);
    speed->SetNumGlyphs(2);
    speed->SetParent(toolbar);
    AddSpacer("Gap", false);
    AddSpacer("Groove", true);
    OpenDialog();

    const TRect icon(2, 2, 18, 18);
    TBitmap row;
    DrawLine(dialog, 0, &row);
    EXPECT_EQ(CountPixels(&row, icon, clRed), 256);
    EXPECT_EQ(Pixel(&row, 1, 1), ColorToRGB(clWhite));
    // The caption starts 30 pixels in.
    EXPECT_EQ(CountPixels(&row, TRect(18, 0, 30, 20), clBlack), 0);
    EXPECT_GT(CountPixels(&row, TRect(30, 0, 60, 20), clBlack), 10);

    DrawLine(dialog, 1, &row);
    EXPECT_EQ(CountPixels(&row, icon, clRed), 0);
    EXPECT_EQ(CountPixels(&row, TRect(0, 0, 28, 20), clWhite), 28 * 20);

    DrawLine(dialog, 2, &row);
    EXPECT_EQ(CountPixels(&row, TRect(0, 0, 28, 20), clBlue), 64);
    EXPECT_EQ(CountPixels(&row, TRect(0, 0, 28, 20), clLime), 0);
    EXPECT_EQ(CountPixels(&row, TRect(0, 0, 28, 20), clFuchsia), 0);

    // Plain and grooved spacers have icons of their own, drawn without their background.
    DrawLine(dialog, 3, &row);
    TBitmap plain;
    plain.Assign(&row);
    DrawLine(dialog, 4, &row);
    EXPECT_EQ(CountPixels(&plain, icon, clOlive), 0);
    EXPECT_EQ(CountPixels(&row, icon, clOlive), 0);
    EXPECT_GT(CountPixels(&plain, icon, clWhite), 16 * 16 / 2);
    EXPECT_LT(CountPixels(&plain, icon, clWhite), 16 * 16);
    int differing = 0;
    for (int y = 2; y < 18; ++y)
        for (int x = 2; x < 18; ++x) differing += Pixel(&plain, x, y) != Pixel(&row, x, y);
    EXPECT_GT(differing, 8);
    // Each icon strip holds a normal and a disabled glyph of 16 by 16.
    for (TSpeedButton* holder : {dialog->BtnSpacer, dialog->BtnGrooveSpacer}) {
        EXPECT_EQ(holder->Glyph()->Width(), 32);
        EXPECT_EQ(holder->Glyph()->Height(), 16);
        EXPECT_EQ(holder->NumGlyphs(), 2);
        EXPECT_FALSE(holder->Visible());
    }
}

class RepositionTest : public CustomizeTest {
protected:
    TPoint Expected(TPoint anchor) {
        const TPoint screen = form->ClientToScreen(anchor);
        return TPoint(std::max(screen.X + 15, 0), std::max(screen.Y + 25, 0));
    }
    TPoint Placed() { return TPoint(dialog->Left(), dialog->Top()); }
};

TEST_F(RepositionTest, BesideTheToolbarBySideItFaces) {
    AddStandardControls();
    form->SetBounds(200, 200, 500, 400);
    OpenDialog();
    const int w = dialog->Width(), h = dialog->Height();
    const struct {
        TAlign align;
        std::function<TPoint(const TRect&)> anchor;
    } cases[] = {
        {alTop, [](const TRect& b) { return TPoint(b.Left, b.Bottom); }},
        {alNone, [](const TRect& b) { return TPoint(b.Left, b.Bottom); }},
        {alCustom, [](const TRect& b) { return TPoint(b.Left, b.Bottom); }},
        {alBottom, [h](const TRect& b) { return TPoint(b.Left, b.Top - h - 5); }},
        {alLeft, [](const TRect& b) { return TPoint(b.Right, b.Top); }},
        {alRight, [w](const TRect& b) { return TPoint(b.Left - w - 5, b.Top); }},
        {alClient, [](const TRect& b) { return TPoint(b.Left, b.Top); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        toolbar->SetAlign(c.align);
        if (c.align == alNone || c.align == alCustom) toolbar->SetBounds(30, 40, 200, 50);
        Application->ProcessMessages();
        dialog->Reposition();
        EXPECT_EQ(Placed(), Expected(c.anchor(toolbar->BoundsRect())));
    }
}

TEST_F(RepositionTest, StaysOnTheDesktop) {
    AddStandardControls();
    OpenDialog();
    const TRect desktop = GetDesktopClientRect();
    const int w = dialog->Width(), h = dialog->Height();
    // A right-aligned toolbar near the screen's left edge: the anchor lies off screen.
    form->SetBounds(0, 0, 300, 300);
    toolbar->SetAlign(alRight);
    Application->ProcessMessages();
    dialog->Reposition();
    EXPECT_EQ(dialog->Left(), 0);
    // A top toolbar of a window near the bottom right corner.
    form->SetBounds(desktop.Right - 100, desktop.Bottom - 60, 300, 300);
    toolbar->SetAlign(alTop);
    Application->ProcessMessages();
    dialog->Reposition();
    EXPECT_EQ(Placed(), TPoint(desktop.Right - w, desktop.Bottom - h));
}

TEST_F(RepositionTest, NeedsAToolbarAndAnOwner) {
    AddStandardControls();
    OpenDialog();
    dialog->SetBounds(7, 9, dialog->Width(), dialog->Height());
    dialog->SetToolbarOwner(nullptr);
    dialog->Reposition();
    EXPECT_EQ(Placed(), TPoint(7, 9));
}

// Runs Customize and answers the modal form once it is up.
class ModalCustomizeTest : public CustomizeTest {
protected:
    void Customize(bool showTextOptions, const std::function<void(TUiFrmCustomizeToolbar*)>& check) {
        auto* timer = new TTimer(form);
        timer->SetInterval(10);
        bool answered = false;
        timer->SetOnTimer([&](TObject*) {
            for (int i = 0; i < Screen->FormCount() && !answered; ++i) {
                auto* open = dynamic_cast<TUiFrmCustomizeToolbar*>(Screen->Forms(i));
                if (!open || !open->Visible()) continue;
                answered = true;
                timer->SetEnabled(false);
                check(open);
                PostClick(open->BtnClose->WindowHandle());
            }
        });
        timer->SetEnabled(true);
        toolbar->Customize(showTextOptions);
        timer->Free();
        EXPECT_TRUE(answered);
    }
};

TEST_F(ModalCustomizeTest, OpensBelowTheToolbarAndAppliesAtOnce) {
    AddStandardControls();
    const int forms = Screen->FormCount();
    bool showed = false;
    Customize(true, [&](TUiFrmCustomizeToolbar* open) {
        showed = true;
        EXPECT_EQ(open->Caption(), "Customize Toolbar");
        EXPECT_EQ(open->Left(), form->ClientToScreen(TPoint(0, 0)).X + 15);
        EXPECT_EQ(open->Top(), form->ClientToScreen(TPoint(0, toolbar->Height())).Y + 25);
        EXPECT_EQ(open->ClientHeight(), 280);
        PostClick(open->BtnMoveDown->WindowHandle());
        Application->ProcessMessages();
    });
    EXPECT_TRUE(showed);
    EXPECT_EQ(Order(), (std::vector<AnsiString>{"Spacer1", "Open", "Save", "Print"}));
    EXPECT_EQ(Screen->FormCount(), forms);
}

TEST_F(ModalCustomizeTest, WithoutTextOptionsTheFormEndsBelowTheList) {
    AddStandardControls();
    toolbar->SetAlign(alBottom);
    Application->ProcessMessages();
    Customize(false, [&](TUiFrmCustomizeToolbar* open) {
        EXPECT_EQ(open->ClientHeight(), 24 + 205 + 8);
        EXPECT_FALSE(open->CbxTextOptions->Visible());
        // Placed above the bottom toolbar at the form's final height.
        const TPoint top = form->ClientToScreen(TPoint(0, toolbar->Top()));
        EXPECT_EQ(open->Top(), std::max(top.Y - open->Height() - 5 + 25, 0));
    });
}

}  // namespace
