// What the radio and check groups share: the items' look pushed from the group, custom glyph
// strips in the column layout, and the groups' properties in form streams (defaults, items,
// the selection, the older "Flat").
#include "UiCheckGroup.h"
#include "UiRadioGroup.h"
#include "cl_filer.h"
#include "cl_streams.h"
#include "form_fixture.h"
#include "stream_checks.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

const bool groupClassesRegistered = [] {
    RegisterClasses({TUiRadioGroup::StaticClass(), TUiCheckGroup::StaticClass()});
    return true;
}();

// The properties the groups publish beyond the group box's.
std::vector<const TPropertyInfo*> OwnProperties(TObject* group) {
    std::vector<const TPropertyInfo*> own;
    const auto inherited = PublishedProperties(TUiCustomGroupBox::StaticClass());
    for (const TPropertyInfo* p : PublishedProperties(group->ClassType()))
        if (std::find(inherited.begin(), inherited.end(), p) == inherited.end()) own.push_back(p);
    return own;
}

const struct GroupKind {
    const char* name;
    std::function<TUiCustomItemGroup*(TComponent*)> create;
} kinds[] = {{"radio", [](TComponent* o) { return new TUiRadioGroup(o); }},
             {"check", [](TComponent* o) { return new TUiCheckGroup(o); }}};

class ItemGroupsTest : public FormTest {
protected:
    TUiCustomItemGroup* AddGroup(const GroupKind& kind, int items, const char* name = "Group") {
        TUiCustomItemGroup* group = kind.create(form);
        group->SetName(name);
        group->SetParent(form);
        group->SetBounds(5, 5, 398, 120);
        for (int i = 0; i < items; ++i) group->Items()->Add("Item " + IntToStr(i));
        return group;
    }
};

// Each look setting reaches the items there are and the items added later.
TEST_F(ItemGroupsTest, LookReachesEveryItem) {
    using G = TUiCustomItemGroup;
    using B = TUiCustomGlyphButton;
    const struct {
        const char* name;
        std::function<void(G*)> set;
        std::function<bool(B*)> shown;
    } settings[] = {
        {"ItemFrameColor", [](G* g) { g->SetItemFrameColor(clRed); },
         [](B* b) { return b->FrameColor() == clRed; }},
        {"ItemHotTrack", [](G* g) { g->SetItemHotTrack(true); },
         [](B* b) { return b->HotTrack(); }},
        {"ItemHighlightColor", [](G* g) { g->SetItemHighlightColor(clLime); },
         [](B* b) { return b->HighlightColor() == clLime; }},
        {"ItemHotTrackColor", [](G* g) { g->SetItemHotTrackColor(clAqua); },
         [](B* b) { return b->HotTrackColor() == clAqua; }},
        {"ItemHotTrackColorType", [](G* g) { g->SetItemHotTrackColorType(htctComplement); },
         [](B* b) { return b->HotTrackColorType() == htctComplement; }},
        {"TransparentColor", [](G* g) { g->SetTransparentColor(clFuchsia); },
         [](B* b) { return b->TransparentColor() == clFuchsia; }},
        {"WinMaskColor", [](G* g) { g->SetWinMaskColor(clMaroon); },
         [](B* b) { return b->WinMaskColor() == clMaroon; }},
        {"LightTextStyle", [](G* g) { g->SetLightTextStyle(true); },
         [](B* b) { return b->LightTextStyle(); }},
        {"TextStyle", [](G* g) { g->SetTextStyle(tsRecessed); },
         [](B* b) { return b->TextStyle() == tsRecessed; }},
        {"TextHighlightColor", [](G* g) { g->SetTextHighlightColor(clYellow); },
         [](B* b) { return b->TextHighlightColor() == clYellow; }},
        {"TextShadowColor", [](G* g) { g->SetTextShadowColor(clNavy); },
         [](B* b) { return b->TextShadowColor() == clNavy; }},
        {"TextShadowDepth", [](G* g) { g->SetTextShadowDepth(4); },
         [](B* b) { return b->TextShadowDepth() == 4; }},
        {"Transparent", [](G* g) { g->SetTransparent(true); },
         [](B* b) { return b->Transparent(); }},
    };
    for (const GroupKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        TUiCustomItemGroup* group = AddGroup(kind, 2);
        for (const auto& s : settings) {
            SCOPED_TRACE(s.name);
            EXPECT_FALSE(s.shown(static_cast<B*>(group->Controls(0))));
            s.set(group);
            EXPECT_TRUE(s.shown(static_cast<B*>(group->Controls(1))));
        }
        group->Items()->Add("Late");
        for (const auto& s : settings) EXPECT_TRUE(s.shown(static_cast<B*>(group->Controls(2))))
            << s.name;
        group->Free();
    }
}

// A strip's glyph width (the strip over the item's cells) widens the fitted columns; an empty
// strip brings the standard glyph back. Items draw from a copy of the strip.
TEST_F(ItemGroupsTest, CustomGlyphStripWidensFittedColumns) {
    const int cells[] = {6, 9};
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(kinds[k].name);
        TUiCustomItemGroup* group = AddGroup(kinds[k], 2);
        group->SetColumns(2);
        auto* second = static_cast<TUiCustomGlyphButton*>(group->Controls(1));
        const int plainLeft = second->Left();
        TBitmap strip;
        strip.SetSize(20 * cells[k], 20);
        group->SetCustomGlyphs(&strip);
        Application->ProcessMessages();
        EXPECT_TRUE(group->UseCustomGlyphs());
        EXPECT_EQ(second->Left(), plainLeft + 20 - 13);
        EXPECT_TRUE(second->UseCustomGlyphs());
        EXPECT_EQ(second->CustomGlyphs()->Width(), 20 * cells[k]);
        EXPECT_EQ(second->GlyphWidth(), 20);
        TBitmap empty;
        group->SetCustomGlyphs(&empty);
        EXPECT_FALSE(group->UseCustomGlyphs());
        EXPECT_EQ(second->Left(), plainLeft);
        EXPECT_EQ(second->GlyphWidth(), 13);
        group->Free();
    }
}

// A fresh group writes none of its own properties; a changed one comes back whole, with its
// items and, for the radio group, its selection marked without a click.
TEST_F(ItemGroupsTest, PropertiesTravelInFormStreamsWithTheirDefaults) {
    for (const GroupKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        TUiCustomItemGroup* fresh = AddGroup(kind, 0, "Fresh");
        const AnsiString written = WrittenProperties(fresh);
        for (const TPropertyInfo* p : OwnProperties(fresh))
            EXPECT_EQ(written.Pos(p->Name), 0) << p->Name.c_str();
        fresh->Free();
    }

    form->SetName("Host");
    auto* radio = static_cast<TUiRadioGroup*>(AddGroup(kinds[0], 4, "Radio"));
    auto* check = static_cast<TUiCheckGroup*>(AddGroup(kinds[1], 3, "Check"));
    check->SetTop(130);
    for (TUiCustomItemGroup* group : {static_cast<TUiCustomItemGroup*>(radio),
                                      static_cast<TUiCustomItemGroup*>(check)}) {
        group->SetColumns(2);
        group->SetSpaceEvenly(true);
        group->SetStartPos(1, 30);
        group->SetStartPos(2, 5);
        group->SetItemHeight(20);
        group->SetVerticalSpacing(1);
        group->SetItemFrameColor(clRed);
        group->SetItemHotTrack(true);
        group->SetItemHighlightColor(clGreen);
        group->SetItemHotTrackColor(clBlue);
        group->SetItemHotTrackColorType(htctComplement);
        group->SetTransparentColor(clFuchsia);
        group->SetWinMaskColor(clMaroon);
        group->SetLightTextStyle(true);
        group->SetTextStyle(tsShadow);
        group->SetTextHighlightColor(clYellow);
        group->SetTextShadowColor(clNavy);
        group->SetTextShadowDepth(3);
        group->SetTabOnEnter(true);
        TFont font;
        font.SetName("Arial");
        font.SetSize(11);
        group->SetItemFont(&font);
    }
    radio->SetItemIndex(2);
    check->SetAllowGrayed(true);
    TMemoryStream stream;
    WriteComponentToStream(&stream, form);

    TOwnedPtr<TForm> copy(new TForm(nullptr));
    stream.SetPosition(0);
    ReadComponentFromStream(&stream, copy.get());
    auto* radioCopy = CheckedCast<TUiRadioGroup>(copy->FindComponent("Radio"));
    auto* checkCopy = CheckedCast<TUiCheckGroup>(copy->FindComponent("Check"));
    for (auto [original, twin] : {std::pair<TObject*, TObject*>{radio, radioCopy},
                                  std::pair<TObject*, TObject*>{check, checkCopy}}) {
        SCOPED_TRACE(original->ClassName().c_str());
        for (const TPropertyInfo* p : OwnProperties(original)) {
            SCOPED_TRACE(p->Name.c_str());
            if (p->Kind == pkEnum) {
                EXPECT_EQ(p->GetText(twin), p->GetText(original));
            } else if (p->Kind != pkObject) {
                EXPECT_EQ(p->GetOrd(twin), p->GetOrd(original));
            }
        }
        auto* group = static_cast<TUiCustomItemGroup*>(twin);
        EXPECT_EQ(group->Items()->Text(), static_cast<TUiCustomItemGroup*>(original)->Items()->Text());
        EXPECT_EQ(group->ItemFont()->Name(), "Arial");
        EXPECT_EQ(group->ItemCount(), group->Items()->Count());
        EXPECT_EQ(group->Controls(group->ItemCount() - 1)->Font()->Name(), "Arial");
        EXPECT_EQ(group->Controls(1)->Left(), group->Controls(0)->Left());
    }
    EXPECT_EQ(radioCopy->ItemIndex(), 2);
    EXPECT_TRUE(radioCopy->GetButtons(2)->GetChecked());
    EXPECT_FALSE(radioCopy->GetButtons(0)->GetChecked());
    EXPECT_TRUE(checkCopy->GetChecks(0)->AllowGrayed());
}

// Older releases wrote the radio group's "Flat"; it is read into ItemHotTrack, never written.
TEST_F(ItemGroupsTest, RadioGroupReadsTheOlderFlat) {
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        writer.WritePropName("Flat");
        writer.WriteBoolean(true);
    }
    auto* group = static_cast<TUiRadioGroup*>(AddGroup(kinds[0], 2));
    stream.SetPosition(0);
    {
        TReader reader(&stream);
        reader.ReadProperty(group);
    }
    EXPECT_TRUE(group->ItemHotTrack());
    EXPECT_EQ(WrittenProperties(group).Pos("\x04" "Flat"), 0);
}

}  // namespace
