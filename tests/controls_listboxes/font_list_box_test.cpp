#include <gtest/gtest.h>

#include <set>

#include "UiFontListBox.h"
#include "cl_printer.h"
#include "list_fixture.h"

namespace {

struct Family {
    AnsiString name;
    BYTE charSet;
    BYTE pitchAndFamily;
    DWORD fontType;
};

int CALLBACK CollectFamily(const LOGFONTA* font, const TEXTMETRICA* metric, DWORD fontType,
                           LPARAM data) {
    reinterpret_cast<std::vector<Family>*>(data)->push_back(
        {font->lfFaceName, font->lfCharSet, metric->tmPitchAndFamily, fontType});
    return 1;
}

// The families the system reports for a DC: one entry for each character set of a family.
std::vector<Family> SystemFamilies(HDC dc) {
    std::vector<Family> families;
    EnumFontFamiliesA(dc, nullptr, reinterpret_cast<FONTENUMPROCA>(&CollectFamily),
                      reinterpret_cast<LPARAM>(&families));
    return families;
}

std::vector<Family> ScreenFamilies() {
    HDC dc = GetDC(nullptr);
    std::vector<Family> families = SystemFamilies(dc);
    ReleaseDC(nullptr, dc);
    return families;
}

std::multiset<std::string> Names(const std::vector<Family>& families,
                                 const std::function<bool(const Family&)>& keep) {
    std::set<std::string> names;
    for (const Family& f : families)
        if (keep(f)) names.insert(f.name.c_str());
    return std::multiset<std::string>(names.begin(), names.end());
}

std::multiset<std::string> Rows(TUiFontListBox* list, int from = 0) {
    std::multiset<std::string> names;
    for (int i = from; i < list->Items()->Count(); ++i) names.insert(list->Items()->Get(i).c_str());
    return names;
}

class FontListTest : public ListBoxTest {
protected:
    TUiFontListBox* MakeFontList() {
        auto* list = MakeList<TUiFontListBox>({});
        list->SetBounds(10, 10, 200, 150);
        return list;
    }
    // A listed family name that is not the first row.
    static AnsiString SomeFamily(TUiFontListBox* list, int row) { return list->Items()->Get(row); }
};

TEST_F(FontListTest, ListsTheScreenFamiliesByKind) {
    auto* list = MakeFontList();
    const std::vector<Family> families = ScreenFamilies();
    ASSERT_FALSE(families.empty());
    const struct {
        TUiFontType type;
        bool symbols;
        std::function<bool(const Family&)> keep;
    } cases[] = {
        {ftAll, true, [](const Family&) { return true; }},
        {ftTrueType, true, [](const Family& f) { return (f.pitchAndFamily & 4) != 0; }},
        {ftFixedPitch, true, [](const Family& f) { return (f.pitchAndFamily & 1) == 0; }},
        {ftAll, false, [](const Family& f) { return f.charSet != SYMBOL_CHARSET; }},
        {ftFixedPitch, false,
         [](const Family& f) { return f.charSet != SYMBOL_CHARSET && !(f.pitchAndFamily & 1); }},
    };
    for (const auto& c : cases) {
        list->SetFontType(c.type);
        list->SetShowSymbolFonts(c.symbols);
        list->HandleNeeded();
        EXPECT_EQ(Names(families, c.keep), Rows(list)) << c.type << " " << c.symbols;
    }
}

TEST_F(FontListTest, PrinterFontsAreTheDeviceFontsOfThePrinter) {
    TPrinter* printer = Printer();
    if (printer->PrinterIndex() == -1) GTEST_SKIP() << "no printer installed";
    const std::vector<Family> families = SystemFamilies(printer->Handle());
    auto* list = MakeFontList();
    list->SetFontType(ftPrinter);
    list->HandleNeeded();
    const auto device = Names(families, [](const Family& f) {
        return (f.fontType & DEVICE_FONTTYPE) != 0;
    });
    EXPECT_FALSE(device.empty());
    EXPECT_EQ(device, Rows(list));
    list->SetFontType(ftAll);
    list->SetFontDevice(fdPrinter);
    list->HandleNeeded();
    EXPECT_EQ(Names(families, [](const Family&) { return true; }), Rows(list));
}

TEST_F(FontListTest, FontNameAndSelectedFont) {
    auto* list = MakeFontList();
    ASSERT_GT(list->Items()->Count(), 2);
    list->SetFontName("No Such Family Here");
    EXPECT_EQ(-1, list->ItemIndex());
    EXPECT_STREQ("", list->GetFontName().c_str());
    EXPECT_EQ(nullptr, list->GetSelectedFont());
    const AnsiString name = SomeFamily(list, 1);
    list->SetFontSize(12);
    list->SetFontStyle({fsItalic});
    list->SetFontName(name);
    EXPECT_EQ(1, list->ItemIndex());
    TFont* font = list->GetSelectedFont();
    ASSERT_NE(nullptr, font);
    EXPECT_STREQ(name.c_str(), font->Name().c_str());
    EXPECT_EQ(12, font->Size());
    EXPECT_EQ(TFontStyles({fsItalic}), font->Style());
    list->SetSelectedFont(nullptr);
    EXPECT_EQ(-1, list->ItemIndex());
    TFont other;
    other.SetName(SomeFamily(list, 2));
    list->SetSelectedFont(&other);
    EXPECT_EQ(2, list->ItemIndex());
    list->SetShowSymbolFonts(false);  // re-created: the name is selected again
    list->HandleNeeded();
    EXPECT_STREQ(other.Name().c_str(), list->GetFontName().c_str());
}

TEST_F(FontListTest, RecentFontsStayOnTopBoundedAndAcrossRecreation) {
    auto* list = MakeFontList();
    list->SetMaintainMRUFonts(true);
    const int families = list->Items()->Count();
    ASSERT_GT(families, MaxMRUFonts + 3);
    list->SetItemIndex(0);
    list->AddFontToMRUList();  // row 0: nothing to do
    EXPECT_EQ(-1, list->MRUCount());
    const AnsiString first = SomeFamily(list, 5);
    list->SetItemIndex(5);
    list->AddFontToMRUList();
    EXPECT_EQ(0, list->MRUCount());
    EXPECT_STREQ(first.c_str(), list->Items()->Get(0).c_str());
    EXPECT_EQ(0, list->ItemIndex());
    EXPECT_EQ(families + 1, list->Items()->Count());
    list->SetItemIndex(6);  // the same family again, in the sorted part
    list->AddFontToMRUList();
    EXPECT_EQ(families + 1, list->Items()->Count());
    EXPECT_EQ(0, list->MRUCount());
    for (int i = 0; i < MaxMRUFonts + 3; ++i) {
        list->SetItemIndex(list->MRUCount() + 2 + i);
        list->AddFontToMRUList();
    }
    EXPECT_EQ(MaxMRUFonts - 1, list->MRUCount());
    EXPECT_EQ(families + MaxMRUFonts, list->Items()->Count());
    const std::multiset<std::string> before = Rows(list);
    const AnsiString top = list->Items()->Get(0);
    list->SetShowSymbolFonts(false);
    list->SetShowSymbolFonts(true);
    list->HandleNeeded();
    EXPECT_EQ(MaxMRUFonts - 1, list->MRUCount());
    EXPECT_STREQ(top.c_str(), list->Items()->Get(0).c_str());
    EXPECT_EQ(before, Rows(list));
}

TEST_F(FontListTest, SeparatorUnderTheRecentFonts) {
    auto* list = MakeFontList();
    list->SetMaintainMRUFonts(true);
    list->SetItemIndex(3);
    list->AddFontToMRUList();
    list->SetItemIndex(-1);
    Focus(form);
    const int frame = FrameWidth(list);
    WindowShot shot(list);
    const TRect mru = list->ItemRect(0);
    const TRect next = list->ItemRect(1);
    const int x = frame + mru.Right - 5;
    EXPECT_EQ(ColorToRGB(clWindowText), shot.At(x, frame + mru.Bottom - 1));
    EXPECT_EQ(ColorToRGB(clWindow), shot.At(x, frame + next.Bottom - 1));
}

TEST_F(FontListTest, PreviewShowsWhileThePressLasts) {
    auto* list = MakeFontList();
    auto* edit = Add<TEdit>(10, 200, 120, 21);
    edit->SetText("Hello world");
    list->SetPreviewEdit(edit);
    list->SetShowStyle(ssFontPreview);
    const TPoint p = RowCentre(list, 1);
    PostMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
    Pump();
    TUiPreviewFontPanel* panel = list->PreviewPanel();
    EXPECT_TRUE(panel->PanelVisible());
    EXPECT_TRUE(IsWindowVisible(panel->Handle()));
    EXPECT_STREQ("Hello worl", panel->Caption().c_str());
    EXPECT_STREQ(list->Items()->Get(1).c_str(), panel->Font()->Name().c_str());
    PostMessageA(list->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
    Pump();
    EXPECT_FALSE(panel->PanelVisible());
    edit->Free();
    EXPECT_EQ(nullptr, list->PreviewEdit());
}

}  // namespace
