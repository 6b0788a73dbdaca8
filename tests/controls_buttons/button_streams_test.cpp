// The buttons in form streams: every published property comes back from a written form, the
// rules that keep values out of the stream, and the properties older releases wrote.
#include "UiBitBtn.h"
#include "UiCheckBox.h"
#include "UiControlButton.h"
#include "UiShapeButton.h"
#include "UiToolButton.h"
#include "UiToolbarButton.h"
#include "cl_filer.h"
#include "cl_menus.h"
#include "cl_streams.h"
#include "form_fixture.h"
#include "stream_checks.h"

namespace {

const bool buttonClassesRegistered = [] {
    RegisterClasses({TUiButton::StaticClass(), TUiBitBtn::StaticClass(),
                     TUiMenuButton::StaticClass(), TUiCheckBox::StaticClass(),
                     TUiRadioButton::StaticClass(), TUiToolButton::StaticClass(),
                     TUiToolbarButton::StaticClass(), TUiMenuToolbarButton::StaticClass(),
                     TUiControlButton::StaticClass(), TUiShapeButton::StaticClass(),
                     TPopupMenu::StaticClass()});
    return true;
}();

// A 60 x 40 olive bitmap with a red disc.
void DrawDisc(TBitmap& bitmap) {
    bitmap.SetSize(60, 40);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(clOlive);
    canvas->FillRect(TRect(0, 0, 60, 40));
    canvas->Brush()->SetColor(clRed);
    canvas->Pen()->SetColor(clRed);
    canvas->Ellipse(4, 4, 57, 37);
}

// A strip of `cells` 16 x 16 cells, each filled with its own colour.
void DrawStrip(TBitmap& bitmap, int cells) {
    bitmap.SetSize(16 * cells, 16);
    const TColor colors[] = {clRed, clGreen, clBlue, clYellow};
    for (int i = 0; i < cells; ++i) {
        bitmap.Canvas()->Brush()->SetColor(colors[i % 4]);
        bitmap.Canvas()->FillRect(TRect(16 * i, 0, 16 * i + 16, 16));
    }
}

class ButtonStreamsTest : public FormTest {
protected:
    template <class T> T* Place(const char* name, int left, int top, int width, int height) {
        T* control = Add<T>(left, top, width, height);
        control->SetName(name);
        return control;
    }
    // The form written whole and read into a new form, which the test owns.
    TForm* Copy() {
        TMemoryStream stream;
        WriteComponentToStream(&stream, form);
        stream.SetPosition(0);
        copy = new TForm(nullptr);
        ReadComponentFromStream(&stream, copy);
        return copy;
    }
    void TearDown() override {
        if (copy) copy->Free();
        FormTest::TearDown();
    }
    TForm* copy = nullptr;
};

}  // namespace

TEST_F(ButtonStreamsTest, EveryButtonReadsBackWithItsPublishedProperties) {
    form->SetName("Buttons");
    auto* menu = new TPopupMenu(form);
    menu->SetName("Choices");

    auto* button = Place<TUiButton>("Push", 5, 5, 80, 25);
    button->SetHotTrack(true);
    button->SetTextStyle(tsRaised);
    button->SetAlignmentVertical(avBottom);
    button->SetHotTrackColor(clLime);
    button->SetAlignment(taLeftJustify);
    button->SetGroupIndex(3);
    button->SetAllowAllUp(true);
    button->SetDown(true);
    button->SetModalResult(mrRetry);
    button->SetShowFocusRect(false);
    button->SetThemeAware(false);

    auto* custom = Place<TUiBitBtn>("Custom", 90, 5, 80, 25);
    TBitmap strip;
    DrawStrip(strip, 3);
    custom->SetGlyph(&strip);
    custom->SetNumGlyphs(2);
    custom->SetLayout(blGlyphTop);
    custom->SetMargin(-1);
    custom->SetSpacing(7);
    custom->SetDefault(true);

    auto* ok = Place<TUiBitBtn>("Accept", 175, 5, 80, 25);
    ok->SetKind(bkOK);
    ok->SetCaption("Go on");

    auto* dropDown = Place<TUiMenuButton>("DropDown", 260, 5, 110, 25);
    dropDown->SetDropDownMenu(menu);
    dropDown->SetShowArrow(false);

    auto* check = Place<TUiCheckBox>("Check", 5, 40, 115, 17);
    check->SetAllowGrayed(true);
    check->SetState(cbGrayed);
    check->SetHotTrack(true);
    check->SetAlignment(taLeftJustify);
    check->SetFillColor(clYellow);
    check->SetReadOnlyColorOnFocus(true);
    check->SetHotTrackStyle(htsFrame);
    check->SetFrameControllerNotifications((1u << fcpColor) | (1u << fcpFrameColor));
    TBitmap glyphs;
    DrawStrip(glyphs, 4);
    check->SetCustomGlyphs(&glyphs);

    auto* radio = Place<TUiRadioButton>("Radio", 125, 40, 115, 17);
    radio->SetChecked(true);
    radio->SetAlignmentVertical(avCenter);
    radio->SetTransparentColor(clFuchsia);

    auto* tool = Place<TUiToolButton>("Tool", 5, 65, 70, 40);
    tool->SetLayout(blGlyphTop);
    tool->SetShowCaption(true);
    tool->SetVisualStyle(vsGradient);
    tool->SetGradientColorStyle(gcsMSOffice);
    tool->SetSelectionColorStart(clAqua);
    tool->SetFlat(false);
    tool->SetImageIndex(4);
    tool->SetHotIndex(5);
    tool->SetGroupIndex(2);
    tool->SetDown(true);
    tool->SetDropDownMenu(menu);

    auto* speed = Place<TUiToolbarButton>("Speed", 80, 65, 60, 30);
    speed->SetCaption("Hidden");
    speed->SetShowCaption(false);
    speed->SetUseHotGlyph(true);
    TBitmap hot;
    DrawStrip(hot, 2);
    speed->SetHotGlyph(&hot);

    auto* menuSpeed = Place<TUiMenuToolbarButton>("MenuSpeed", 145, 65, 40, 30);
    menuSpeed->SetDropDownMenu(menu);
    menuSpeed->SetShowArrow(false);

    auto* spin = Place<TUiControlButton>("Spin", 190, 65, 16, 16);
    spin->SetStyle(cbsUp);
    spin->SetFlat(true);
    spin->SetRepeatClicks(true);
    spin->SetInitialDelay(250);
    spin->SetDelay(60);

    auto* shape = Place<TUiShapeButton>("Shape", 220, 65, 80, 80);
    TBitmap disc;
    DrawDisc(disc);
    shape->SetBitmap(&disc);
    shape->SetBevelWidth(1);
    shape->SetCaptionX(9);
    shape->SetPreciseShowHint(false);

    TForm* read = Copy();
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* original = form->Components(i);
        TComponent* twin = read->FindComponent(original->Name());
        ASSERT_NE(twin, nullptr) << original->Name().c_str();
        ASSERT_EQ(twin->ClassType(), original->ClassType());
        ExpectSameProperties(original, twin);
    }
    auto* speedCopy = static_cast<TUiToolbarButton*>(read->FindComponent("Speed"));
    EXPECT_EQ(speedCopy->Caption(), "");
    speedCopy->SetShowCaption(true);
    EXPECT_EQ(speedCopy->Caption(), "Hidden");
    auto* okCopy = static_cast<TUiBitBtn*>(read->FindComponent("Accept"));
    EXPECT_EQ(okCopy->GetKind(), bkOK);
    EXPECT_EQ(okCopy->ModalResult(), mrOk);
    EXPECT_TRUE(okCopy->Glyph()->Equals(GetBitBtnGlyph(bkOK)));
    auto* shapeCopy = static_cast<TUiShapeButton*>(read->FindComponent("Shape"));
    EXPECT_TRUE(shapeCopy->BitmapUp()->Equals(shape->BitmapUp()));
    EXPECT_TRUE(shapeCopy->BitmapDown()->Equals(shape->BitmapDown()));
    for (const TPoint p : {TPoint(2, 2), TPoint(30, 20), TPoint(5, 21), TPoint(62, 42)})
        EXPECT_EQ(shapeCopy->PtInMask(p.X, p.Y), shape->PtInMask(p.X, p.Y)) << p.X << "," << p.Y;
}

// What a property's owner supplies (a stock kind, the toolbar) stays out of the stream.
TEST_F(ButtonStreamsTest, ValuesTakenFromElsewhereAreNotWritten) {
    auto* ok = Add<TUiBitBtn>(5, 5, 80, 25);
    ok->SetKind(bkOK);
    const AnsiString stock = WrittenProperties(ok);
    for (const char* name : {"Glyph", "NumGlyphs", "Default", "ModalResult", "Caption"})
        EXPECT_EQ(stock.Pos(name), 0) << name;
    EXPECT_GT(stock.Pos("Kind"), 0);
    ok->SetCaption("Proceed");
    EXPECT_GT(WrittenProperties(ok).Pos("Caption"), 0);
    ok->SetModalResult(mrIgnore);
    const AnsiString custom = WrittenProperties(ok);
    EXPECT_EQ(ok->GetKind(), bkCustom);
    for (const char* name : {"Glyph.Data", "NumGlyphs", "Default", "ModalResult"})
        EXPECT_GT(custom.Pos(name), 0) << name;

    auto* tool = Add<TUiToolButton>(5, 40, 25, 25);
    const struct {
        const char* property;
        std::function<void()> change;
    } owned[] = {{"Layout", [tool] { tool->SetLayout(blGlyphRight); }},
                 {"ShowCaption", [tool] { tool->SetShowCaption(true); }},
                 {"VisualStyle", [tool] { tool->SetVisualStyle(vsClassic); }}};
    for (const auto& c : owned) {
        EXPECT_FALSE(FindProperty(tool, c.property)->IsStored(tool)) << c.property;
        c.change();
        EXPECT_TRUE(FindProperty(tool, c.property)->IsStored(tool)) << c.property;
    }
    EXPECT_TRUE(FindProperty(tool, "GradientColorStyle")->IsStored(tool));
}

TEST_F(ButtonStreamsTest, PropertiesOfOlderReleasesAreReadAndNeverWritten) {
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        writer.WritePropName("FrameFlat");
        writer.WriteBoolean(true);
        writer.WritePropName("Flat");
        writer.WriteBoolean(true);
        const char* discarded[] = {"GradientColorDefault", "ThemeAware"};
        for (const char* name : discarded) {
            writer.WritePropName(name);
            writer.WriteBoolean(false);
        }
        writer.WritePropName("GradientColorStart");
        writer.WriteIdent("clRed");
        writer.WritePropName("GradientColorStop");
        writer.WriteInteger(0x123456);
        writer.WritePropName("FrameColor");
        writer.WriteIdent("clNavy");
        writer.WritePropName("UseGradients");
        writer.WriteBoolean(true);
        writer.WriteInteger(4711);
    }
    auto* button = Add<TUiButton>(5, 5, 80, 25);
    auto* check = Add<TUiCheckBox>(5, 40, 115, 17);
    auto* tool = Add<TUiToolButton>(5, 65, 25, 25);
    stream.SetPosition(0);
    {
        TReader reader(&stream);
        reader.ReadProperty(button);
        reader.ReadProperty(check);
        for (int i = 0; i < 6; ++i) reader.ReadProperty(tool);
        EXPECT_EQ(reader.ReadInteger(), 4711);
    }
    EXPECT_TRUE(button->HotTrack());
    EXPECT_TRUE(check->HotTrack());
    EXPECT_EQ(tool->SelectionColorStart(), clRed);
    EXPECT_EQ(tool->SelectionColorStop(), static_cast<TColor>(0x123456));
    EXPECT_EQ(tool->SelectionFrameColor(), clNavy);
    EXPECT_EQ(tool->VisualStyle(), vsGradient);
    for (TPersistent* control : std::initializer_list<TPersistent*>{button, check, tool}) {
        const AnsiString written = WrittenProperties(control);
        for (const char* name : {"FrameFlat", "GradientColor", "UseGradients", "ThemeAware"})
            EXPECT_EQ(written.Pos(name), 0) << control->ClassName().c_str() << " " << name;
    }
    EXPECT_EQ(WrittenProperties(check).Pos("\x04" "Flat"), 0);
}
