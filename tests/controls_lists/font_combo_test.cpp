#include <gtest/gtest.h>

#include <set>

#include "UiFontComboBox.h"
#include "cl_printer.h"
#include "lists_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

struct Family {
    AnsiString name;
    BYTE pitchAndFamily;
    BYTE charSet;
    DWORD fontType;
};

int CALLBACK CollectFamily(const LOGFONTA* font, const TEXTMETRICA* metric, DWORD fontType,
                           LPARAM data) {
    reinterpret_cast<std::vector<Family>*>(data)->push_back(
        {font->lfFaceName, metric->tmPitchAndFamily, font->lfCharSet, fontType});
    return 1;
}

// The families as Wine reports them for the device context.
std::vector<Family> ReportedFamilies(HDC dc) {
    std::vector<Family> families;
    EnumFontFamiliesA(dc, nullptr, reinterpret_cast<FONTENUMPROCA>(&CollectFamily),
                      reinterpret_cast<LPARAM>(&families));
    return families;
}

std::set<AnsiString> Names(TStrings* items, int from = 0) {
    std::set<AnsiString> names;
    for (int i = from; i < items->Count(); ++i) names.insert(items->Get(i));
    return names;
}

// Draws a row into a bitmap as the owner-draw request does (the row starting 24 pixels in).
class RowDrawingFontCombo : public TUiFontComboBox {
public:
    explicit RowDrawingFontCombo(TComponent* owner) : TUiFontComboBox(owner) {}
    void DrawRowOn(TBitmap* bitmap, int index) {
        TControlCanvas* canvas = Canvas();
        canvas->BindDC(bitmap->Canvas()->Handle());
        canvas->Font()->Assign(Font());
        canvas->Brush()->SetColor(Color());
        DrawItem(index, TRect(24, 0, bitmap->Width() - 1, bitmap->Height()), {});
        canvas->BindDC(nullptr);
    }
};

class FontComboTest : public ListsFormTest {
protected:
    TUiFontComboBox* MakeCombo() {
        auto* combo = Add<TUiFontComboBox>(10, 10, 200, 22);
        combo->OnChange = [this](TObject*) { ++changes; };
        Focus(combo);
        return combo;
    }
    int changes = 0;
};

TEST_F(FontComboTest, ListsTheScreenFamiliesOfTheChosenKind) {
    HDC screen = GetDC(nullptr);
    const std::vector<Family> reported = ReportedFamilies(screen);
    ReleaseDC(nullptr, screen);
    struct Case {
        TUiFontType type;
        bool symbols;
    } cases[] = {{ftAll, true}, {ftTrueType, true}, {ftFixedPitch, true}, {ftAll, false},
                 {ftFixedPitch, false}};
    for (const Case& c : cases) {
        std::set<AnsiString> expected;
        for (const Family& f : reported) {
            if (f.charSet == SYMBOL_CHARSET && !c.symbols) continue;
            if (c.type == ftTrueType && !(f.pitchAndFamily & 4)) continue;
            if (c.type == ftFixedPitch && (f.pitchAndFamily & 1)) continue;
            expected.insert(f.name);
        }
        auto* combo = MakeCombo();
        combo->SetFontType(c.type);
        combo->SetShowSymbolFonts(c.symbols);
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(expected, Names(combo->Items())) << c.type << c.symbols;
        EXPECT_EQ(static_cast<int>(expected.size()), combo->Items()->Count());  // each once
        // Sorted, each row's object its pitch-and-family byte.
        for (int i = 1; i < combo->Items()->Count(); ++i)
            EXPECT_LE(AnsiCompareText(combo->Items()->Get(i - 1), combo->Items()->Get(i)), 0);
        combo->Free();
    }
}

TEST_F(FontComboTest, PrinterTypeListsThePrintersOwnFonts) {
    const std::vector<Family> reported = ReportedFamilies(Printer()->Handle());
    std::set<AnsiString> expected;
    for (const Family& f : reported)
        if (f.fontType & DEVICE_FONTTYPE) expected.insert(f.name);
    auto* combo = MakeCombo();
    combo->SetFontType(ftPrinter);
    EXPECT_EQ(expected, Names(combo->Items()));
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(static_cast<int>(expected.size()), combo->Items()->Count());
}

TEST_F(FontComboTest, ChosenFamiliesGoOnTopBoundedAndSurviveRecreation) {
    auto* combo = MakeCombo();
    const int families = combo->Items()->Count();
    ASSERT_GT(families, MaxMRUFonts + 2);
    const AnsiString first = combo->Items()->Get(5);
    const AnsiString second = combo->Items()->Get(8);
    ChooseInList(combo, 5);
    EXPECT_STREQ(first.c_str(), combo->Items()->Get(0).c_str());
    EXPECT_EQ(0, combo->ItemIndex());
    EXPECT_EQ(0, combo->MRUCount());
    EXPECT_EQ(families + 1, combo->Items()->Count());
    ChooseInList(combo, 1 + 5);  // again, from the sorted part: no second copy
    EXPECT_EQ(0, combo->MRUCount());
    EXPECT_EQ(families + 1, combo->Items()->Count());
    ChooseInList(combo, 1 + 8);
    ChooseInList(combo, 2 + 5);  // the older recent font moves back to the top
    EXPECT_STREQ(first.c_str(), combo->Items()->Get(0).c_str());
    EXPECT_STREQ(second.c_str(), combo->Items()->Get(1).c_str());
    EXPECT_EQ(1, combo->MRUCount());
    EXPECT_EQ(families + 2, combo->Items()->Count());
    // At most MaxMRUFonts recent rows: the oldest goes.
    for (int i = 0; i < MaxMRUFonts + 2; ++i) ChooseInList(combo, combo->MRUCount() + 1 + 10 + i);
    EXPECT_EQ(MaxMRUFonts - 1, combo->MRUCount());
    EXPECT_EQ(families + MaxMRUFonts, combo->Items()->Count());
    std::vector<AnsiString> top;
    for (int i = 0; i < MaxMRUFonts; ++i) top.push_back(combo->Items()->Get(i));
    const AnsiString chosen = combo->FontName();
    combo->SetShowSymbolFonts(false);
    combo->SetShowSymbolFonts(true);
    std::vector<AnsiString> topAfter;
    for (int i = 0; i < MaxMRUFonts; ++i) topAfter.push_back(combo->Items()->Get(i));
    EXPECT_EQ(top, topAfter);
    EXPECT_EQ(MaxMRUFonts - 1, combo->MRUCount());
    EXPECT_STREQ(chosen.c_str(), combo->FontName().c_str());
    EXPECT_EQ(0, combo->ItemIndex());
}

TEST_F(FontComboTest, FontNameAndSelectedFont) {
    auto* early = new TUiFontComboBox(form);
    const AnsiString family = [] {
        HDC screen = GetDC(nullptr);
        const AnsiString name = ReportedFamilies(screen).at(0).name;
        ReleaseDC(nullptr, screen);
        return name;
    }();
    early->SetFontName(family);  // before the window lists the families
    early->SetParent(form);
    EXPECT_STREQ(family.c_str(), early->FontName().c_str());
    EXPECT_GE(early->ItemIndex(), 0);
    auto* combo = MakeCombo();
    EXPECT_EQ(nullptr, combo->SelectedFont());
    const AnsiString name = combo->Items()->Get(1);
    combo->SetFontName(name);
    combo->SetFontSize(12);
    combo->SetFontStyle({fsBold});
    TFont* font = combo->SelectedFont();
    ASSERT_NE(nullptr, font);
    EXPECT_STREQ(name.c_str(), font->Name().c_str());
    EXPECT_EQ(12, font->Size());
    EXPECT_EQ(TFontStyles{fsBold}, font->Style());
    combo->SetFontName("No Such Family 123");
    EXPECT_EQ(-1, combo->ItemIndex());
    EXPECT_STREQ("", combo->FontName().c_str());
    EXPECT_EQ(0, changes);
}

TEST_F(FontComboTest, PreviewShowsTheEditsTextBesideTheList) {
    auto* combo = MakeCombo();
    auto* edit = Add<TEdit>(10, 100, 150, 22);
    edit->SetText("Hello world");
    combo->SetPreviewEdit(edit);
    combo->SetShowStyle(ssFontPreview);
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    TUiPreviewFontPanel* panel = combo->PreviewPanel();
    EXPECT_TRUE(panel->PanelVisible());
    EXPECT_STREQ("Hello worl", panel->Caption().c_str());
    RECT r;
    GetWindowRect(panel->Handle(), &r);
    EXPECT_EQ(combo->ClientOrigin().X + combo->Width() - 1, r.left);
    EXPECT_TRUE(IsWindowVisible(panel->Handle()));
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    Pump();
    EXPECT_FALSE(panel->PanelVisible());
    EXPECT_FALSE(IsWindowVisible(panel->Handle()));
    // Too little room on the right: the panel opens on the left.
    form->SetLeft(GetSystemMetrics(SM_CXSCREEN) - form->Width() + 100);
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    GetWindowRect(panel->Handle(), &r);
    EXPECT_EQ(combo->ClientOrigin().X - panel->Width() - 1, r.left);
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    Pump();
    edit->Free();
    EXPECT_EQ(nullptr, combo->PreviewEdit());
}

TEST_F(FontComboTest, RowShowsTheKindMarkAndTheRecentFontsSeparator) {
    auto* combo = Add<RowDrawingFontCombo>(10, 10, 200, 22);
    combo->SetColor(clWhite);
    combo->SetFocusColor(clWhite);
    combo->SetFontType(ftTrueType);
    ChooseInList(combo, 3);
    ASSERT_EQ(0, combo->MRUCount());
    TBitmap row;
    row.SetSize(200, 16);
    auto pixel = [&](int x, int y) {
        return static_cast<TColor>(GetPixel(row.Canvas()->Handle(), x, y));
    };
    for (int index : {0, 1}) {
        combo->DrawRowOn(&row, index);
        int marked = 0;
        for (int x = 4; x < 16; ++x)
            for (int y = 2; y < 14; ++y)
                if (pixel(x, y) != clWhite) ++marked;
        EXPECT_GT(marked, 10) << index;  // the TrueType mark, its olive parts transparent
        EXPECT_EQ(index == 0, pixel(100, 15) != clWhite) << index;
        for (int x = 4; x < 16; ++x) EXPECT_NE(clOlive, pixel(x, 8));
    }
}

}  // namespace
