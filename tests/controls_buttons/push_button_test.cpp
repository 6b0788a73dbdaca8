// Push and bitmap buttons: clicks by mouse, Space, Enter and Escape, latching groups, modal
// results and stock kinds, the glyph layout, and the drawn faces.
#include "UiBitBtn.h"
#include "UiEdit.h"
#include "cl_imagelist.h"
#include "form_fixture.h"

namespace {

class PushButtonTest : public FormTest {
protected:
    // Posts a press at `down`, a drag to `up` and the release there.
    void PostDrag(TWinControl* control, TPoint down, TPoint up) {
        const HWND window = control->WindowHandle();
        PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.X, down.Y));
        PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(up.X, up.Y));
        PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(up.X, up.Y));
        Settle();
    }
    void Settle() { PumpUntil([] { return false; }, 150); }
};

// A bitmap of `cells` 16 x 16 cells, each filled with its colour.
TBitmap* Strip(std::initializer_list<TColor> cells) {
    auto* strip = new TBitmap();
    strip->SetSize(16 * static_cast<int>(cells.size()), 16);
    int x = 0;
    for (TColor color : cells) {
        strip->Canvas()->Brush()->SetColor(color);
        strip->Canvas()->FillRect(TRect(x, 0, x + 16, 16));
        x += 16;
    }
    return strip;
}

TEST_F(PushButtonTest, MouseAndSpaceClickOnlyWhenReleasedOnTheButton) {
    auto* button = Add<TUiButton>(10, 10, 75, 25);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    const struct {
        const char* how;
        std::function<void()> act;
        int clicks;
    } cases[] = {
        {"click", [&] { PostDrag(button, {5, 5}, {5, 5}); }, 1},
        {"released outside", [&] { PostDrag(button, {5, 5}, {200, 5}); }, 1},
        {"dragged out and back", [&] {
             const HWND w = button->WindowHandle();
             PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             PostMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
             PostMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 6));
             PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
             Settle();
         }, 2},
        {"space", [&] { PostKey(button->WindowHandle(), VK_SPACE); Settle(); }, 3},
    };
    for (const auto& c : cases) {
        c.act();
        EXPECT_EQ(clicks, c.clicks) << c.how;
        EXPECT_FALSE(button->ShowPressed()) << c.how;
    }
}

TEST_F(PushButtonTest, SpaceReleasedAfterTheFocusMovedDoesNotClick) {
    auto* button = Add<TUiButton>(10, 10, 75, 25);
    auto* other = Add<TUiButton>(100, 10, 75, 25);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    button->SetFocus();
    PostMessageA(button->WindowHandle(), WM_KEYDOWN, VK_SPACE, 1);
    Settle();
    EXPECT_TRUE(button->ShowPressed());
    other->SetFocus();
    PostMessageA(button->WindowHandle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    Settle();
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->ShowPressed());
}

TEST_F(PushButtonTest, EnterAndEscapeReachTheDefaultAndCancelButtons) {
    auto* edit = Add<TUiEdit>(10, 10, 100, 21);
    auto* ok = Add<TUiBitBtn>(10, 50, 75, 25);
    auto* cancel = Add<TUiBitBtn>(100, 50, 75, 25);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    std::vector<AnsiString> clicked;
    ok->OnClick = [&](TObject*) { clicked.push_back("ok"); };
    cancel->OnClick = [&](TObject*) { clicked.push_back("cancel"); };
    const struct {
        TWinControl* focus;
        UINT key;
        const char* expected;
    } cases[] = {
        {edit, VK_RETURN, "ok"},
        {edit, VK_ESCAPE, "cancel"},
        {cancel, VK_RETURN, "cancel"},
        {ok, VK_RETURN, "ok"},
    };
    for (const auto& c : cases) {
        clicked.clear();
        c.focus->SetFocus();
        Settle();
        PostKey(c.focus->WindowHandle(), c.key);
        Settle();
        ASSERT_EQ(clicked.size(), 1u) << c.expected;
        EXPECT_EQ(clicked[0], c.expected);
    }
    cancel->SetFocus();
    Settle();
    EXPECT_TRUE(cancel->ActsAsDefault());
    EXPECT_FALSE(ok->ActsAsDefault());
    edit->SetFocus();
    Settle();
    EXPECT_TRUE(ok->ActsAsDefault());
}

TEST_F(PushButtonTest, GroupedButtonsLatchOneAtATime) {
    TUiButton* buttons[3];
    for (int i = 0; i < 3; ++i) {
        buttons[i] = Add<TUiButton>(10 + 80 * i, 10, 75, 25);
        buttons[i]->SetGroupIndex(1);
    }
    auto downs = [&] {
        return std::vector<bool>{buttons[0]->Down(), buttons[1]->Down(), buttons[2]->Down()};
    };
    PostClick(buttons[0]->WindowHandle());
    Settle();
    EXPECT_EQ(downs(), (std::vector<bool>{true, false, false}));
    PostClick(buttons[2]->WindowHandle());
    Settle();
    EXPECT_EQ(downs(), (std::vector<bool>{false, false, true}));
    PostClick(buttons[2]->WindowHandle());
    Settle();
    EXPECT_TRUE(buttons[2]->Down()) << "without AllowAllUp the latched button stays down";
    buttons[1]->SetAllowAllUp(true);
    EXPECT_TRUE(buttons[0]->AllowAllUp()) << "copied through the broadcast";
    EXPECT_TRUE(buttons[2]->AllowAllUp());
    PostClick(buttons[2]->WindowHandle());
    Settle();
    EXPECT_EQ(downs(), (std::vector<bool>{false, false, false}));

    auto* single = Add<TUiButton>(10, 50, 75, 25);
    single->SetDown(true);
    EXPECT_FALSE(single->Down()) << "a button outside any group cannot latch";
}

TEST_F(PushButtonTest, BitBtnModalResultEndsTheModalForm) {
    const struct {
        TBitBtnKind kind;
        TModalResult result;
    } cases[] = {{bkOK, mrOk}, {bkCancel, mrCancel}, {bkRetry, mrRetry}};
    for (const auto& c : cases) {
        TForm* dialog = new TForm(nullptr);
        dialog->SetBounds(60, 60, 200, 100);
        auto* button = new TUiBitBtn(dialog);
        button->SetParent(dialog);
        button->SetKind(c.kind);
        bool shown = false;
        dialog->OnShow = [&](TObject*) {
            shown = true;
            PostClick(button->WindowHandle());
        };
        EXPECT_EQ(dialog->ShowModal(), c.result);
        EXPECT_TRUE(shown);
        dialog->Free();
    }
}

TEST_F(PushButtonTest, StockKindsAndTheirConsistency) {
    auto* button = Add<TUiBitBtn>(10, 10, 75, 25);
    const struct {
        TBitBtnKind kind;
        const char* caption;
        TModalResult result;
        bool isDefault, isCancel;
    } cases[] = {
        {bkYes, "&Yes", mrYes, true, false},   {bkNo, "&No", mrNo, false, true},
        {bkHelp, "&Help", mrNone, false, false}, {bkAll, "&All", mrAll, false, false},
        {bkOK, "OK", mrOk, true, false},
    };
    for (const auto& c : cases) {
        button->SetKind(c.kind);
        EXPECT_EQ(button->GetKind(), c.kind);
        EXPECT_EQ(button->Caption(), c.caption);
        EXPECT_EQ(button->ModalResult(), c.result);
        EXPECT_EQ(button->Default(), c.isDefault);
        EXPECT_EQ(button->Cancel(), c.isCancel);
        EXPECT_EQ(button->NumGlyphs(), 2);
        EXPECT_EQ(button->Glyph()->Width(), 32);
    }
    button->SetModalResult(mrYes);
    EXPECT_EQ(button->GetKind(), bkCustom);
}

TEST_F(PushButtonTest, GlyphStripCellsAndMargins) {
    auto* button = Add<TUiBitBtn>(10, 10, 75, 25);
    std::unique_ptr<TBitmap, void (*)(TBitmap*)> two(Strip({clRed, clBlue}),
                                                     [](TBitmap* b) { b->Free(); });
    button->SetGlyph(two.get());
    EXPECT_EQ(button->NumGlyphs(), 2);
    TBitmap wide;
    wide.SetSize(60, 12);
    button->SetGlyph(&wide);
    EXPECT_EQ(button->NumGlyphs(), 1) << "ratio 5 is out of range";
    button->SetMargin(-5);
    EXPECT_EQ(button->Margin(), 2);

    button->SetGlyph(two.get());
    // A 14-pixel caption line: (25 - (16 + 14 + 4)) div 2 = -4 from the top for the glyph,
    // the caption 16 pixels below that inside the 5-pixel content margin.
    button->Font()->SetName("Tahoma");
    auto lineHeight = [&] {
        TBitmap measure;
        measure.Canvas()->SetFont(button->Font());
        return measure.Canvas()->TextHeight("Go");
    };
    for (int height = -16; height < 0 && lineHeight() != 14; ++height)
        button->Font()->SetHeight(height);
    button->SetCaption("Go");
    button->SetMargin(-1);
    button->SetLayout(blGlyphTop);
    ASSERT_EQ(lineHeight(), 14);
    EXPECT_EQ(button->GetGlyphRect().Top, -4);
    EXPECT_EQ(button->GetCaptionRect().Top, 17);
}

TEST_F(PushButtonTest, DrawnFaces) {
    auto* plain = Add<TUiButton>(10, 10, 75, 25);
    auto* latched = Add<TUiButton>(100, 10, 75, 25);
    latched->SetGroupIndex(3);
    latched->SetDown(true);
    auto* glyphed = Add<TUiBitBtn>(200, 10, 75, 25);
    std::unique_ptr<TBitmap, void (*)(TBitmap*)> strip(Strip({clRed, clBlue}),
                                                       [](TBitmap* b) { b->Free(); });
    glyphed->SetGlyph(strip.get());
    glyphed->SetEnabled(false);
    plain->SetDefault(true);
    Application->ProcessMessages();
    const TRect glyph = glyphed->GetGlyphRect();
    Snapshot shot(form);
    EXPECT_EQ(shot.At(10, 10), ColorToRGB(clWindowFrame)) << "the default button's frame";
    EXPECT_EQ(shot.At(40, 22), ColorToRGB(clBtnFace));
    const TColor dots = ColorToRGB(clBtnFace) == clSilver ? clGray : clSilver;
    EXPECT_EQ(shot.Count(TRect(104, 14, 112, 20), dots), 24) << "the latched face's checker";
    EXPECT_EQ(shot.At(200 + glyph.Left + 8, 10 + glyph.Top + 8), ColorToRGB(clBlue))
        << "the disabled cell";
}

TEST_F(PushButtonTest, HotTrackFaceLightsUnderTheMouse) {
    auto* button = Add<TUiButton>(10, 10, 75, 25);
    button->SetThemeAware(false);
    button->SetHotTrack(true);
    button->SetHotTrackColor(clRed);
    std::vector<AnsiString> events;
    button->OnMouseEnter = [&](TObject*) { events.push_back("enter"); };
    button->OnMouseLeave = [&](TObject*) { events.push_back("leave"); };
    Application->ProcessMessages();
    auto reddish = [&] {
        const Snapshot shot(form);
        int n = 0;
        for (int y = 10; y < 35; ++y)
            for (int x = 10; x < 85; ++x) {
                const TColor c = shot.At(x, y);
                n += (c & 0xFF) > 200 && ((c >> 8) & 0xFF) < 160;
            }
        return n;
    };
    EXPECT_EQ(reddish(), 0);
    button->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(button->MouseInControl());
    EXPECT_GT(reddish(), 20) << "the highlight box";
    button->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(events, (std::vector<AnsiString>{"enter", "leave"}));
    EXPECT_EQ(Snapshot(form).At(10, 10), ColorToRGB(clBtnFace)) << "the parent shows in the corner";
}

}  // namespace
