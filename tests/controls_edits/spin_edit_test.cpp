// The spin edit: steps by keys, wheel and its buttons within its range, formatting, the typing
// rules, the vetoing event, read-only; and the spin buttons on their own.
#include "UiSpinEdit.h"
#include "cl_filer.h"
#include "cl_streams.h"
#include "edit_fixture.h"
#include "stream_checks.h"

namespace {

class SpinEditTest : public EditFormTest {
protected:
    void SetUp() override {
        EditFormTest::SetUp();
        edit = Add<TUiSpinEdit>(20, 20, 80, 24);
        edit->OnChange = [this](TObject*) { ++changes; };
        edit->OnButtonClick = [this](TObject*, TSpinButtonType b) { clicks.push_back(b); };
        Focus(edit);
    }
    AnsiString Text() { return edit->GetText(); }
    void Wheel(int delta, bool ctrl = false) {
        const TPoint p = edit->ClientToScreen({5, 5});
        SendMessageA(edit->Handle(), WM_MOUSEWHEEL,
                     MAKEWPARAM(ctrl ? MK_CONTROL : 0, static_cast<WORD>(delta)),
                     MAKELPARAM(p.X, p.Y));
        Pump();
    }
    // A press on the spin buttons' upper (up) or lower (down) half.
    void Press(bool up) {
        const int y = up ? 3 : edit->SpinButtons()->Height() - 3;
        PostMessageA(edit->SpinButtons()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, y));
        Pump();
    }
    void Release(bool up) {
        const int y = up ? 3 : edit->SpinButtons()->Height() - 3;
        PostMessageA(edit->SpinButtons()->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, y));
        Pump();
    }
    TUiSpinEdit* edit = nullptr;
    int changes = 0;
    std::vector<TSpinButtonType> clicks;
};

TEST_F(SpinEditTest, KeysWheelAndButtonsStepWithinTheRange) {
    EXPECT_EQ(Text(), "0");
    const struct {
        std::function<void()> act;
        const char* text;
    } cases[] = {
        {[&] { Key(edit, VK_UP); }, "1"},       {[&] { Key(edit, VK_PRIOR); }, "11"},
        {[&] { Key(edit, VK_NEXT); }, "1"},     {[&] { Key(edit, VK_DOWN); }, "0"},
        {[&] { Key(edit, VK_DOWN); }, "0"},     {[&] { Wheel(120); }, "1"},
        {[&] { Wheel(120, true); }, "11"},      {[&] { Wheel(-120); }, "10"},
        {[&] { Press(true), Release(true); }, "11"},
        {[&] { Press(false), Release(false); }, "10"},
        {[&] { edit->SetValue(95), Key(edit, VK_PRIOR); }, "100"},
        {[&] { Key(edit, VK_UP); }, "100"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        cases[i].act();
        EXPECT_EQ(Text(), cases[i].text) << i;
    }
    EXPECT_EQ(clicks.size(), 12u) << "a step held at a limit still counts as a click";
    EXPECT_EQ(clicks.front(), sbUp);
    EXPECT_EQ(clicks[3], sbDown);
}

TEST_F(SpinEditTest, HoldingAButtonRepeats) {
    edit->SpinButtons()->SetInitialDelay(60);
    edit->SpinButtons()->SetDelay(20);
    Press(true);
    EXPECT_EQ(Text(), "0") << "a press alone does not step";
    EXPECT_TRUE(PumpUntil([&] { return edit->GetValue() >= 3; }, 3000));
    Release(true);
    const Extended released = edit->GetValue();
    Sleep(100);
    Pump();
    EXPECT_EQ(edit->GetValue(), released);
}

TEST_F(SpinEditTest, RangeDecimalsAndIntegers) {
    edit->SetMin(0);
    edit->SetMax(0);
    edit->SetValue(-7);
    EXPECT_EQ(Text(), "-7") << "equal bounds without CheckRange accept anything";
    edit->SetCheckRange(true);
    EXPECT_EQ(Text(), "0");
    edit->SetCheckRange(false);
    edit->SetMax(10);
    edit->SetIntegersOnly(false);
    edit->SetDecimals(2);
    edit->SetValue(1.5);
    EXPECT_EQ(Text(), "1.50");
    edit->SetValue(2.5);
    edit->SetIntegersOnly(true);
    EXPECT_EQ(edit->Decimals(), 0);
    EXPECT_EQ(Text(), "2") << "halves round to even";
    edit->SetValue(40);
    EXPECT_EQ(Text(), "10");
    edit->SetMax(7);
    EXPECT_EQ(Text(), "7");
    edit->SetMin(20);
    EXPECT_EQ(edit->Max(), 20);
}

TEST_F(SpinEditTest, ReadingTheValueNeverWritesTheText) {
    edit->SetMin(5);
    edit->SetMax(50);
    edit->SetText("");
    changes = 0;
    EXPECT_EQ(edit->GetValue(), 5);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(changes, 0);
    edit->SetAllowBlank(true);
    edit->SetBlankValue(7);
    EXPECT_EQ(edit->GetValue(), 7);
    edit->SetText("abc");
    EXPECT_EQ(edit->GetValue(), 5) << "unreadable text reads as Min";
}

TEST_F(SpinEditTest, TypingNeedsAllowKeyEdit) {
    edit->SetValue(12);
    const struct {
        std::function<void()> act;
    } refused[] = {{[&] { Type(edit, "3"); }},       {[&] { Type(edit, "\b"); }},
                   {[&] { Key(edit, VK_DELETE); }},  {[&] { Paste(edit, "9"); }},
                   {[&] { edit->SelectAll(), SendMessageA(edit->Handle(), WM_CUT, 0, 0); }}};
    for (size_t i = 0; i < std::size(refused); ++i) {
        edit->SetSelStart(1);
        refused[i].act();
        EXPECT_EQ(Text(), "12") << i;
    }
    edit->SetAllowKeyEdit(true);
    edit->SelectAll();
    Type(edit, "-4x5.");
    EXPECT_EQ(Text(), "-45") << "letters and, for integers, the separator refused";
    Type(edit, "-");
    EXPECT_EQ(Text(), "-45") << "one sign, at the start";
    Key(edit, VK_TAB);
    edit->SelectAll();
    Paste(edit, "250");
    EXPECT_EQ(Text(), "250");
    Focus(Add<TUiEdit>(20, 60, 80, 24));
    EXPECT_EQ(Text(), "100") << "leaving checks the range";
}

TEST_F(SpinEditTest, VetoedStepChangesNothing) {
    std::vector<Extended> offered;
    edit->SetValue(100);
    edit->OnChanging = [&](TObject*, Extended value, bool& allow) {
        offered.push_back(value);
        allow = false;
    };
    Key(edit, VK_UP);
    EXPECT_EQ(offered, std::vector<Extended>{101}) << "offered before clamping";
    EXPECT_EQ(Text(), "100");
    EXPECT_TRUE(clicks.empty());
}

TEST_F(SpinEditTest, ReadOnlyHidesTheButtonsAndRefusesSteps) {
    const TRect editable = edit->GetEditRect();
    edit->SetReadOnly(true);
    EXPECT_FALSE(edit->SpinButtons()->Visible());
    EXPECT_EQ(edit->GetEditRect().Right, edit->ClientRect().Right);
    EXPECT_EQ(editable.Right, edit->ClientRect().Right - edit->SpinButtons()->Width() - 2);
    Key(edit, VK_UP);
    Wheel(120);
    EXPECT_EQ(Text(), "0");
    EXPECT_EQ(LOWORD(SendMessageA(edit->Handle(), EM_GETMARGINS, 0, 0)), 0);
    EXPECT_EQ(HIWORD(SendMessageA(edit->Handle(), EM_GETMARGINS, 0, 0)), 0);
    edit->SetReadOnly(false);
    EXPECT_TRUE(edit->SpinButtons()->Visible());
    EXPECT_EQ(HIWORD(SendMessageA(edit->Handle(), EM_GETMARGINS, 0, 0)),
              edit->SpinButtons()->Width() + 2);
}

// A form stream carries the number and everything that shapes it, not the text; a range whose
// end is 0 and steps other than the defaults come back too.
TEST_F(SpinEditTest, SettingsAndValueReadBackFromAFormStream) {
    RegisterClasses({TUiSpinEdit::StaticClass()});
    form->SetName("Numbers");
    edit->SetName("Level");
    edit->SetMin(-10);
    edit->SetMax(0);
    edit->SetIntegersOnly(false);
    edit->SetDecimals(2);
    edit->SetIncrement(0.25);
    edit->SetPageSize(2);
    edit->SetAllowKeyEdit(true);
    edit->SetAllowBlank(true);
    edit->SetBlankValue(-1);
    edit->SetButtonWidth(12);
    edit->SetDirection(sdLeftRight);
    edit->SetFlatButtons(true);
    TBitmap glyph;
    glyph.SetSize(24, 6);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(TRect(0, 0, 24, 6));
    edit->SetButtonUpGlyph(&glyph);
    edit->SetButtonUpNumGlyphs(4);
    edit->SetValue(-2.5);
    ASSERT_EQ(Text(), "-2.50");
    const AnsiString written = WrittenProperties(edit);
    EXPECT_EQ(written.Pos("Caption"), 0);
    EXPECT_EQ(written.Pos("ButtonDownGlyph"), 0) << "the drawn arrow is no custom glyph";
    EXPECT_EQ(written.Pos("ButtonDownNumGlyphs"), 0);

    TMemoryStream stream;
    WriteComponentToStream(&stream, form);
    stream.SetPosition(0);
    TOwnedPtr<TForm> copy(new TForm(nullptr));
    ReadComponentFromStream(&stream, copy.get());
    auto* read = dynamic_cast<TUiSpinEdit*>(copy->FindComponent("Level"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Min(), -10);
    EXPECT_EQ(read->Max(), 0);
    EXPECT_FALSE(read->IntegersOnly());
    EXPECT_EQ(read->Decimals(), 2);
    EXPECT_EQ(read->Increment(), 0.25);
    EXPECT_EQ(read->PageSize(), 2);
    EXPECT_TRUE(read->AllowKeyEdit());
    EXPECT_TRUE(read->AllowBlank());
    EXPECT_EQ(read->BlankValue(), -1);
    EXPECT_EQ(read->ButtonWidth(), 12);
    EXPECT_EQ(read->GetDirection(), sdLeftRight);
    EXPECT_TRUE(read->FlatButtons());
    EXPECT_TRUE(read->GetButtonUpGlyph()->Equals(&glyph));
    EXPECT_EQ(read->GetButtonUpNumGlyphs(), 4);
    EXPECT_EQ(read->GetButton(sbUp)->Style(), cbsNone);
    EXPECT_EQ(read->GetButton(sbDown)->Style(), cbsLeft);
    EXPECT_EQ(read->GetText(), "-2.50");
}

TEST_F(SpinEditTest, FlatButtonParentColorOfOlderReleasesIsReadAndDropped) {
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        writer.WritePropName("FlatButtonParentColor");
        writer.WriteBoolean(true);
        writer.WriteInteger(4711);
    }
    stream.SetPosition(0);
    TReader reader(&stream);
    reader.ReadProperty(edit);
    EXPECT_EQ(reader.ReadInteger(), 4711);
    EXPECT_EQ(WrittenProperties(edit).Pos("FlatButtonParentColor"), 0);
}

class SpinButtonsTest : public EditFormTest {};

TEST_F(SpinButtonsTest, LayoutGlyphsAndKeys) {
    auto* spin = Add<TUiSpinButtons>(20, 20, 16, 25);
    TUiControlButton* up = spin->UpRightButton();
    TUiControlButton* down = spin->DownLeftButton();
    EXPECT_EQ(up->BoundsRect(), TRect(0, 0, 16, 12));
    EXPECT_EQ(down->BoundsRect(), TRect(0, 12, 16, 25));
    spin->SetOrientation(orHorizontal);
    EXPECT_EQ(spin->Width(), 32);
    EXPECT_EQ(down->BoundsRect(), TRect(0, 0, 16, 25));
    EXPECT_EQ(up->BoundsRect(), TRect(16, 0, 32, 25));
    EXPECT_EQ(up->Style(), cbsUp);
    spin->SetDirection(sdLeftRight);
    EXPECT_EQ(up->Style(), cbsRight);
    EXPECT_EQ(down->Style(), cbsLeft);
    TBitmap* glyph = new TBitmap;
    glyph->SetSize(8, 4);
    spin->SetUpRightGlyph(glyph);
    EXPECT_EQ(up->Style(), cbsNone);
    spin->SetDirection(sdUpDown);
    EXPECT_TRUE(up->Glyph()->Empty()) << "a new direction drops custom glyphs";
    EXPECT_EQ(up->Style(), cbsUp);
    glyph->Free();

    int ups = 0, downs = 0;
    spin->OnUpRightClick = [&](TObject*) { ++ups; };
    spin->OnDownLeftClick = [&](TObject*) { ++downs; };
    spin->SetTabStop(true);
    Focus(spin);
    Key(spin, VK_UP);
    Key(spin, VK_DOWN);
    Key(spin, VK_DOWN);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(downs, 2);
}

TEST_F(SpinButtonsTest, SettingsAndCustomGlyphsReadBackFromAFormStream) {
    RegisterClasses({TUiSpinButtons::StaticClass(), TUiEdit::StaticClass()});
    form->SetName("Spins");
    auto* target = Add<TUiEdit>(60, 20, 80, 21);
    target->SetName("Target");
    auto* spin = Add<TUiSpinButtons>(20, 20, 16, 25);
    spin->SetName("Spin");
    spin->SetDirection(sdLeftRight);
    spin->SetOrientation(orHorizontal);
    spin->SetFlat(true);
    spin->SetDelay(70);
    spin->SetInitialDelay(300);
    spin->SetFocusControl(target);
    TBitmap glyph;
    glyph.SetSize(16, 8);
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect(TRect(0, 0, 16, 8));
    spin->SetDownLeftGlyph(&glyph);
    spin->SetDownLeftNumGlyphs(1);
    const AnsiString written = WrittenProperties(spin);
    EXPECT_EQ(written.Pos("GlyphUpRight"), 0) << "the drawn arrow is no custom glyph";
    EXPECT_EQ(written.Pos("NumGlyphsUpRight"), 0);

    TMemoryStream stream;
    WriteComponentToStream(&stream, form);
    stream.SetPosition(0);
    TOwnedPtr<TForm> copy(new TForm(nullptr));
    ReadComponentFromStream(&stream, copy.get());
    auto* read = dynamic_cast<TUiSpinButtons*>(copy->FindComponent("Spin"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Direction(), sdLeftRight);
    EXPECT_EQ(read->Orientation(), orHorizontal);
    EXPECT_TRUE(read->Flat());
    EXPECT_EQ(read->Delay(), 70);
    EXPECT_EQ(read->InitialDelay(), 300);
    EXPECT_EQ(read->FocusControl(), copy->FindComponent("Target"));
    EXPECT_TRUE(read->GetDownLeftGlyph()->Equals(&glyph));
    EXPECT_EQ(read->GetDownLeftNumGlyphs(), 1);
    EXPECT_EQ(read->DownLeftButton()->Style(), cbsNone);
    EXPECT_EQ(read->UpRightButton()->Style(), cbsRight);
    EXPECT_TRUE(read->ParentColor());
}

}  // namespace
