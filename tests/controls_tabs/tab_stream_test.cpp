// Form streams of the tab controls: every published property survives a round trip on the page
// control and the collection tab control, defaults stay out of the stream, and a page control
// comes back with its sheets in page order, their tab settings and its active page.
#include <utility>

#include "UiPageControl.h"
#include "UiTabControl.h"
#include "cl_filer.h"
#include "cl_imagelist.h"
#include "cl_stdctrls.h"
#include "form_fixture.h"

namespace {

struct StoredValue {
    const char* name;
    int ord;
    const char* text;  // for enumerations
};

// A value other than the default for every property both controls publish.
const StoredValue sharedValues[] = {
    {"AlignTabs", 1, nullptr},
    {"AllowTabDragging", 1, nullptr},
    {"BoldCurrentTab", 1, nullptr},
    {"HotTrack", 0, nullptr},
    {"MultiLine", 1, nullptr},
    {"ShowCardFrame", 0, nullptr},
    {"ShowCloseButton", 1, nullptr},
    {"ShowFocusRect", 0, nullptr},
    {"ShowMenuButton", 1, nullptr},
    {"ShowShadow", 0, nullptr},
    {"SoftCorners", 1, nullptr},
    {"TabHints", 1, nullptr},
    {"Transparent", 1, nullptr},
    {"UseColoredTabs", 1, nullptr},
    {"UseGradients", 0, nullptr},
    {"CutCornerSize", 9, nullptr},
    {"FlatColorAdjustment", -20, nullptr},
    {"ImageMargin", 4, nullptr},
    {"Margin", 3, nullptr},
    {"RowIndent", 7, nullptr},
    {"RowOverlap", 2, nullptr},
    {"TabHeight", 24, nullptr},
    {"TabOverlap", 3, nullptr},
    {"TabWidth", 80, nullptr},
    {"FlatColor", clNavy, nullptr},
    {"HotTrackColor", 0x123456, nullptr},
    {"BackgroundColor", clRed, nullptr},
    {"HotTrackColorType", 0, "htctComplement"},
    {"HotTrackStyle", 0, "htsText"},
    {"ImageAlignment", 0, "haRight"},
    {"ImageAlignmentVertical", 0, "vaBottom"},
    {"ImagePosition", 0, "ipBack"},
    {"TabOrientation", 0, "toLeft"},
    {"TabSequence", 0, "tsReverse"},
    {"TabStyle", 0, "tsRoundCorners"},
    {"TextAlignment", 0, "haLeft"},
    {"TextAlignmentVertical", 0, "vaTop"},
    {"TextOrientation", 0, "orVertical"},
    {"TabColors.HighlightBar", clLime, nullptr},
    {"TabColors.Shadow", clGray, nullptr},
    {"TabColors.Unselected", clYellow, nullptr},
    {"TextColors.DisabledHighlight", clWhite, nullptr},
    {"TextColors.DisabledShadow", clMaroon, nullptr},
    {"TextColors.Selected", clBlue, nullptr},
    {"TextColors.Unselected", clPurple, nullptr}};

// The object and published property a dotted name leads to.
std::pair<TPersistent*, const TPropertyInfo*> Reach(TPersistent* object, const AnsiString& name) {
    const int dot = name.Pos(".");
    if (!dot) return {object, FindProperty(object, name)};
    const TPropertyInfo* sub = FindProperty(object, name.SubString(1, dot - 1));
    if (!sub) return {object, nullptr};
    return Reach(sub->GetSubObject(object), name.SubString(dot + 1, name.Length()));
}

AnsiString Expected(const StoredValue& v) { return v.text ? AnsiString(v.text) : IntToStr(v.ord); }

AnsiString ValueOf(TPersistent* object, const AnsiString& name) {
    auto [target, property] = Reach(object, name);
    if (!property) return "<not published>";
    if (property->Kind == pkEnum) return property->GetText(target);
    return IntToStr(property->GetOrd(target));
}

void Store(TPersistent* object, const StoredValue& v) {
    auto [target, property] = Reach(object, v.name);
    ASSERT_NE(property, nullptr) << v.name;
    if (property->Kind == pkEnum)
        property->SetText(target, v.text);
    else
        property->SetOrd(target, v.ord);
}

class TabStreamTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        RegisterClasses({TImageList::StaticClass(), TButton::StaticClass()});
        form->SetName("Host");
    }
    AnsiString Written() {
        TMemoryStream stream;
        WriteComponentToStream(&stream, form);
        return AnsiString(static_cast<const char*>(stream.Memory()),
                          static_cast<int>(stream.Size()));
    }
    // The form written and read back into a new form.
    TForm* RoundTrip() {
        TMemoryStream stream;
        WriteComponentToStream(&stream, form);
        stream.SetPosition(0);
        copy.reset(new TForm(nullptr));
        ReadComponentFromStream(&stream, copy.get());
        return copy.get();
    }
    template <class T> T* Named(const char* name) {
        auto* found = dynamic_cast<T*>(copy->FindComponent(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    TUiTabSheet* AddSheet(TUiPageControl* pages, const char* name, const char* caption) {
        auto* sheet = new TUiTabSheet(form);
        sheet->SetName(name);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
        return sheet;
    }
    TOwnedPtr<TForm> copy;
};

TEST_F(TabStreamTest, EveryPublishedPropertySurvivesARoundTrip) {
    auto* icons = new TImageList(form);
    icons->SetName("Icons");
    auto* pages = Add<TUiPageControl>(0, 0, 200, 120);
    pages->SetName("Pages");
    auto* tabs = Add<TUiTabControl>(0, 130, 200, 120);
    tabs->SetName("Strip");
    for (TUiCustomTabControl* control : {static_cast<TUiCustomTabControl*>(pages),
                                         static_cast<TUiCustomTabControl*>(tabs)}) {
        control->SetImages(icons);
        for (const StoredValue& v : sharedValues) Store(control, v);
    }
    tabs->SetShowCard(false);
    RoundTrip();
    for (const char* name : {"Pages", "Strip"}) {
        auto* control = Named<TUiCustomTabControl>(name);
        ASSERT_NE(control, nullptr);
        for (const StoredValue& v : sharedValues)
            EXPECT_EQ(ValueOf(control, v.name), Expected(v)) << name << "." << v.name;
        EXPECT_FALSE(control->ParentBackgroundColor()) << name;
        EXPECT_EQ(control->Images(), copy->FindComponent("Icons")) << name;
    }
    EXPECT_FALSE(Named<TUiTabControl>("Strip")->ShowCard());
    // The page-less strip alone publishes its card options.
    EXPECT_EQ(FindProperty(pages, "ShowCard"), nullptr);
    EXPECT_EQ(FindProperty(pages, "TabIndexDefault"), nullptr);
}

TEST_F(TabStreamTest, DefaultsAreNotWritten) {
    auto* pages = Add<TUiPageControl>(0, 0, 200, 120);
    pages->SetName("Pages");
    AddSheet(pages, "First", "Inspection");
    pages->SetActivePage(nullptr);
    auto* tabs = Add<TUiTabControl>(0, 130, 200, 120);
    tabs->SetName("Strip");
    tabs->Tabs()->Add()->SetCaption("Only");
    const AnsiString stream = Written();
    for (const StoredValue& v : sharedValues) {
        const AnsiString name = v.name;
        const int dot = name.Pos(".");
        EXPECT_EQ(stream.Pos(dot ? name.SubString(1, dot - 1) : name), 0) << v.name;
    }
    for (const char* name : {"ShowCard", "TabIndexDefault", "ActivePage", "SaveResources",
                             "TabVisible", "TabEnabled", "ImageIndex", "DisabledIndex",
                             "PageIndex", "Visible", "Images", "Hint", "Tag", "DblClickUndocks",
                             "DockSite"})
        EXPECT_EQ(stream.Pos(name), 0) << name;
    EXPECT_GT(stream.Pos("FixedDimension"), 0);
}

// Three sheets, the last one moved to the front and its tab hidden, as the notices window has
// it; the sheets come back in page order with their children, and the stored active page is
// shown after loading.
TEST_F(TabStreamTest, PageControlComesBackWithItsSheets) {
    auto* pages = Add<TUiPageControl>(0, 0, 300, 200);
    pages->SetName("Pages");
    auto* first = AddSheet(pages, "Inspection", "Inspection");
    auto* chart = AddSheet(pages, "Chart", "Chart");
    auto* notes = AddSheet(pages, "Notes", "Notes");
    first->SetImageIndex(2);
    chart->SetTabEnabled(false);
    chart->SetDisabledIndex(1);
    notes->SetTabVisible(false);
    notes->SetPageIndex(0);
    auto* button = new TButton(form);
    button->SetName("Clear");
    button->SetParent(notes);
    pages->SetActivePage(notes);
    pages->SetActivePageDefault(first);
    pages->SetSaveResources(true);
    pages->SetDockSite(true);
    pages->SetDblClickUndocks(false);

    RoundTrip();
    auto* twin = Named<TUiPageControl>("Pages");
    ASSERT_NE(twin, nullptr);
    ASSERT_EQ(twin->PageCount(), 3);
    const struct {
        const char* name;
        int tabIndex;
        bool tabEnabled;
        int imageIndex;
        int disabledIndex;
    } expected[] = {{"Notes", -1, true, -1, -1}, {"Inspection", 0, true, 2, -1},
                    {"Chart", 1, false, -1, 1}};
    for (int i = 0; i < 3; ++i) {
        TUiTabSheet* sheet = twin->Pages(i);
        EXPECT_EQ(sheet->Name(), expected[i].name) << i;
        EXPECT_EQ(sheet->Caption(), expected[i].name) << i;
        EXPECT_EQ(sheet->PageControl(), twin) << i;
        EXPECT_EQ(sheet->TabIndex(), expected[i].tabIndex) << i;
        EXPECT_EQ(sheet->TabEnabled(), expected[i].tabEnabled) << i;
        EXPECT_EQ(sheet->ImageIndex(), expected[i].imageIndex) << i;
        EXPECT_EQ(sheet->DisabledIndex(), expected[i].disabledIndex) << i;
    }
    EXPECT_EQ(Named<TButton>("Clear")->Parent(), twin->Pages(0));
    EXPECT_EQ(twin->GetTabDataList()->GetCount(), 2);
    EXPECT_TRUE(twin->SaveResources());
    EXPECT_TRUE(twin->DockSite());
    EXPECT_FALSE(twin->DblClickUndocks());
    // The stored default page wins over the stored active page after loading.
    EXPECT_EQ(twin->ActivePageDefault(), twin->Pages(1));
    EXPECT_EQ(twin->ActivePage(), twin->Pages(1));
    EXPECT_EQ(twin->TabIndex(), 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(twin->Pages(i)->Visible(), i == 1) << i;
}

TEST_F(TabStreamTest, PageControlKeepsAnActiveSheetWithAHiddenTab) {
    auto* pages = Add<TUiPageControl>(0, 0, 300, 200);
    pages->SetName("Pages");
    AddSheet(pages, "Other", "Other");
    auto* notes = AddSheet(pages, "Notes", "Notes");
    notes->SetTabVisible(false);
    pages->SetActivePage(notes);
    RoundTrip();
    auto* twin = Named<TUiPageControl>("Pages");
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->ActivePage(), twin->Pages(1));
    EXPECT_TRUE(twin->Pages(1)->Visible());
    EXPECT_FALSE(twin->Pages(0)->Visible());
    EXPECT_EQ(twin->TabIndex(), -1);
}

TEST_F(TabStreamTest, TabControlComesBackWithItsItems) {
    auto* tabs = Add<TUiTabControl>(0, 0, 300, 60);
    tabs->SetName("Strip");
    const struct {
        const char* caption;
        TColor color;
        int disabledIndex;
        bool enabled;
        const char* hint;
        int imageIndex;
        int tag;
        bool visible;
    } items[] = {{"First", clBtnFace, -1, true, "", -1, 0, true},
                 {"Second", clAqua, 3, false, "Not now", 4, 7, true},
                 {"", clBtnFace, -1, true, "", -1, 0, false},
                 {"Last", clYellow, -1, true, "", 0, -2, true}};
    for (const auto& v : items) {
        TUiTabCollectionItem* item = tabs->Tabs()->Add();
        item->SetCaption(v.caption);
        item->SetColor(v.color);
        item->SetDisabledIndex(v.disabledIndex);
        item->SetEnabled(v.enabled);
        item->SetHint(v.hint);
        item->SetImageIndex(v.imageIndex);
        item->Tag = v.tag;
        item->SetVisible(v.visible);
    }
    tabs->SetTabIndex(1);
    tabs->SetTabIndexDefault(3);
    RoundTrip();
    auto* twin = Named<TUiTabControl>("Strip");
    ASSERT_NE(twin, nullptr);
    ASSERT_EQ(twin->Tabs()->Count(), 4);
    for (int i = 0; i < 4; ++i) {
        TUiTabCollectionItem* item = twin->Tabs()->GetItem(i);
        EXPECT_EQ(item->Caption(), items[i].caption) << i;
        EXPECT_EQ(item->Color(), items[i].color) << i;
        EXPECT_EQ(item->DisabledIndex(), items[i].disabledIndex) << i;
        EXPECT_EQ(item->Enabled(), items[i].enabled) << i;
        EXPECT_EQ(item->Hint(), items[i].hint) << i;
        EXPECT_EQ(item->ImageIndex(), items[i].imageIndex) << i;
        EXPECT_EQ(item->Tag, items[i].tag) << i;
        EXPECT_EQ(item->Visible(), items[i].visible) << i;
    }
    EXPECT_EQ(twin->GetTabDataList()->GetCount(), 4);
    // After loading the stored default, not the stored index, selects the tab.
    EXPECT_EQ(twin->TabIndexDefault(), 3);
    EXPECT_EQ(twin->TabIndex(), 3);
}

}  // namespace
