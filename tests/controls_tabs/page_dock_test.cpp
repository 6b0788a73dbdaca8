// Docking on the page control: a docked form or panel gets a sheet of its own that follows its
// caption and visibility, leaves with it (floated in code or by a double click on its tab), a
// failed dock leaves no sheet behind, and a press on a tab finds the control docked there.
#include <string>

#include "UiPageControl.h"
#include "cl_extctrls.h"
#include "cl_stdctrls.h"
#include "form_fixture.h"

namespace {

// Records whether a component was freed.
class TFreeWatch : public TComponent {
public:
    explicit TFreeWatch(TComponent* watched) : TComponent(nullptr) { watched->FreeNotification(this); }
    bool Freed = false;
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) Freed = true;
    }
};

class PageDockTest : public FormTest {
public:
    void SetUp() override {
        FormTest::SetUp();
        pages = Add<TUiPageControl>(0, 0, 400, 250);
        pages->SetDockSite(true);
        for (const char* caption : {"Inspection", "Chart"}) {
            auto* sheet = new TUiTabSheet(form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
            sheets.push_back(sheet);
        }
        pages->SetActivePage(sheets[0]);
        Application->ProcessMessages();
    }
    TForm* NewForm(const char* caption, bool visible) {
        auto* docked = new TForm(form);
        docked->SetCaption(caption);
        docked->SetBounds(500, 100, 200, 150);
        if (visible) docked->Show();
        return docked;
    }
    TPanel* NewPanel(const char* caption) {
        auto* panel = Add<TPanel>(10, 260, 80, 30);
        panel->SetCaption(caption);
        return panel;
    }
    TUiTabSheet* LastPage() const { return pages->Pages(pages->PageCount() - 1); }
    // The sheets the page control owns: those made for docked controls.
    int DockSheets() const {
        int count = 0;
        for (int i = 0; i < pages->ComponentCount(); ++i)
            count += dynamic_cast<TUiTabSheet*>(pages->Components(i)) != nullptr;
        return count;
    }
    TPoint TabCenter(int tab) {
        pages->CheckCalcNeeded();
        const TRect r = pages->CalcMappedTabRect(tab, pages->GetTabDataList()->GetItem(tab));
        return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
    }
    void DoubleClickTab(int tab) {
        const TPoint p = TabCenter(tab);
        const HWND window = pages->WindowHandle();
        PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
        PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
        PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
        PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
        Application->ProcessMessages();
    }
    static bool IsChildWindow(TWinControl* control) {
        return (GetWindowLongA(control->Handle(), GWL_STYLE) & WS_CHILD) != 0;
    }
    TUiPageControl* pages = nullptr;
    std::vector<TUiTabSheet*> sheets;
};

TEST_F(PageDockTest, ADockedControlGetsASheetOfItsOwn) {
    const struct {
        const char* name;
        bool isForm;
        bool visible;
        const char* tab;  // the new sheet's caption: a form's caption only
    } cases[] = {{"shown form", true, true, "Readings"},
                 {"hidden form", true, false, "Readings"},
                 {"panel", false, true, ""}};
    TRect dockRect;
    int drops = 0;
    pages->OnDockOver = [&](TObject*, TDragDockObject* source, int, int, TDragState, bool&) {
        dockRect = source->DockRect;
    };
    pages->OnDockDrop = [&](TObject*, TDragDockObject*, int, int) { ++drops; };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        pages->SetActivePage(sheets[0]);
        drops = 0;
        TControl* client = c.isForm ? static_cast<TControl*>(NewForm("Readings", c.visible))
                                    : NewPanel("Readings");
        ASSERT_TRUE(client->ManualDock(pages));
        ASSERT_EQ(pages->PageCount(), 3);
        TUiTabSheet* sheet = LastPage();
        EXPECT_EQ(sheet->Owner(), pages);
        EXPECT_EQ(client->Parent(), sheet);
        EXPECT_EQ(client->HostDockSite(), pages);
        EXPECT_EQ(pages->GetPageFromDockClient(client), sheet);
        EXPECT_EQ(client->Align(), alClient);
        EXPECT_EQ(sheet->Caption(), c.tab);
        EXPECT_EQ(sheet->TabVisible(), c.visible);
        EXPECT_EQ(pages->ActivePage(), c.visible ? sheet : sheets[0]);
        RECT window;
        GetWindowRect(pages->WindowHandle(), &window);
        EXPECT_EQ(dockRect, TRect(window.left, window.top, window.right, window.bottom));
        EXPECT_EQ(drops, 1);
        if (auto* docked = dynamic_cast<TForm*>(client)) {
            EXPECT_TRUE(IsChildWindow(docked)) << "a docked form lives inside its sheet";
            EXPECT_EQ(GetParent(docked->Handle()), sheet->Handle());
        }
        if (c.visible) {
            Application->ProcessMessages();
            EXPECT_EQ(client->BoundsRect(), sheet->ClientRect());
        }
        sheet->Free();  // and the control on it
    }
}

TEST_F(PageDockTest, ADockedFormsCaptionAndVisibilityShowOnItsTab) {
    TForm* docked = NewForm("Readings", true);
    ASSERT_TRUE(docked->ManualDock(pages));
    TUiTabSheet* sheet = LastPage();
    const struct {
        const char* caption;
        const char* tab;
    } captions[] = {{"Notes", "Notes"},
                    {"Line one\r\nLine two", "Line one"},
                    {"First\nSecond", "First"},
                    {"Back\rThere", "Back"},
                    {"\r\nNothing first", ""}};
    for (const auto& c : captions) {
        docked->SetCaption(c.caption);
        EXPECT_EQ(sheet->Caption(), c.tab) << c.caption;
        pages->CheckCalcNeeded();
        EXPECT_EQ(pages->GetTabDataList()->GetItem(2)->Caption, c.tab) << c.caption;
    }
    docked->Hide();
    EXPECT_FALSE(sheet->TabVisible());
    EXPECT_EQ(pages->GetTabDataList()->GetCount(), 2);
    EXPECT_EQ(pages->TabIndex(), -1);
    EXPECT_EQ(pages->ActivePage(), sheet) << "a hidden tab keeps its page";
    docked->Show();
    EXPECT_TRUE(sheet->TabVisible());
    EXPECT_EQ(pages->GetTabDataList()->GetCount(), 3);
}

// The undocked form's page sits between the two others, so the next page is the second one.
TEST_F(PageDockTest, UndockingFreesTheSheetAndShowsTheNextPage) {
    const struct {
        const char* name;
        void (*undock)(PageDockTest* test, TForm* docked);
    } ways[] = {
        {"float", [](PageDockTest*, TForm* docked) {
             ASSERT_TRUE(docked->ManualFloat(Rect(500, 100, 700, 250)));
         }},
        {"dock into nothing", [](PageDockTest*, TForm* docked) {
             ASSERT_TRUE(docked->ManualDock(nullptr));
         }},
        {"double click on its tab", [](PageDockTest* test, TForm*) { test->DoubleClickTab(1); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        TForm* docked = NewForm("Readings", true);
        ASSERT_TRUE(docked->ManualDock(pages));
        TUiTabSheet* sheet = LastPage();
        sheet->SetPageIndex(1);
        ASSERT_EQ(pages->ActivePage(), sheet);
        TOwnedPtr<TFreeWatch> sheetWatch(new TFreeWatch(sheet)), formWatch(new TFreeWatch(docked));
        way.undock(this, docked);
        EXPECT_TRUE(sheetWatch->Freed);
        ASSERT_FALSE(formWatch->Freed) << "the form does not go with its sheet";
        EXPECT_EQ(pages->PageCount(), 2);
        EXPECT_EQ(pages->ActivePage(), sheets[1]);
        EXPECT_EQ(docked->HostDockSite(), nullptr);
        EXPECT_EQ(docked->Parent(), nullptr);
        EXPECT_EQ(docked->Align(), alNone);
        EXPECT_TRUE(docked->Floating());
        EXPECT_TRUE(docked->Showing());
        EXPECT_FALSE(IsChildWindow(docked)) << "a window of its own again";
        docked->Free();
    }
}

TEST_F(PageDockTest, UndockingAControlInTheBackgroundKeepsTheActivePage) {
    TPanel* panel = NewPanel("Notes");
    ASSERT_TRUE(panel->ManualDock(pages));
    pages->SetActivePage(sheets[1]);
    ASSERT_TRUE(panel->ManualFloat(Rect(500, 100, 600, 160)));
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_EQ(pages->TabIndex(), 1);
    ASSERT_NE(panel->HostDockSite(), nullptr);
    EXPECT_TRUE(panel->Floating());
    EXPECT_EQ(panel->Parent(), panel->HostDockSite());
}

TEST_F(PageDockTest, ADoubleClickUndocksOnlyWithDblClickUndocks) {
    for (bool undocks : {false, true}) {
        SCOPED_TRACE(undocks);
        pages->SetDblClickUndocks(undocks);
        TPanel* panel = NewPanel("Notes");
        ASSERT_TRUE(panel->ManualDock(pages));
        DoubleClickTab(2);
        EXPECT_EQ(panel->HostDockSite() == pages, !undocks);
        EXPECT_EQ(pages->PageCount(), undocks ? 2 : 3);
        if (undocks)
            panel->Free();
        else
            LastPage()->Free();  // and the panel on it
    }
}

TEST_F(PageDockTest, APressOnATabFindsTheControlDockedThere) {
    auto* edit = new TEdit(form);
    edit->SetParent(sheets[0]);  // a child, not docked
    TForm* hidden = NewForm("Hidden", false);
    ASSERT_TRUE(hidden->ManualDock(pages));  // its sheet has no tab
    TPanel* panel = NewPanel("Notes");
    ASSERT_TRUE(panel->ManualDock(pages));
    TForm* readings = NewForm("Readings", true);
    ASSERT_TRUE(readings->ManualDock(pages));
    const struct {
        TPoint point;
        TControl* client;
    } cases[] = {{TabCenter(0), nullptr}, {TabCenter(1), nullptr}, {TabCenter(2), panel},
                 {TabCenter(3), readings}, {{200, 200}, nullptr}};
    for (const auto& c : cases)
        EXPECT_EQ(pages->GetDockClientFromMousePos(c.point), c.client) << c.point.X << "," << c.point.Y;

    // A press (no drag follows) only selects the tab.
    PostClick(pages->WindowHandle(), TabCenter(2).X, TabCenter(2).Y);
    Application->ProcessMessages();
    EXPECT_EQ(pages->ActivePage(), pages->GetPageFromDockClient(panel));
    EXPECT_EQ(panel->HostDockSite(), pages);

    pages->SetDockSite(false);
    EXPECT_EQ(pages->GetDockClientFromMousePos(TabCenter(2)), nullptr);
}

TEST_F(PageDockTest, AFailedDockLeavesNoSheet) {
    auto* site = Add<TPanel>(10, 260, 200, 30);
    site->SetDockSite(true);
    const struct {
        const char* name;
        bool throws;
        bool staysOnSite;
    } cases[] = {{"the old site keeps it", false, true},
                 {"the old site fails", true, true},
                 {"the drop fails", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TPanel* client = NewPanel("Notes");
        ASSERT_TRUE(client->ManualDock(site));
        site->OnUnDock = [&](TObject*, TControl*, TWinControl*, bool& allow) {
            if (!c.staysOnSite) return;
            if (c.throws) throw Exception("refused");
            allow = false;
        };
        pages->OnDockDrop = [&](TObject*, TDragDockObject*, int, int) {
            if (!c.staysOnSite) throw Exception("refused");
        };
        TOwnedPtr<TFreeWatch> watch(new TFreeWatch(client));
        if (c.throws)
            EXPECT_THROW(client->ManualDock(pages), Exception);
        else
            EXPECT_FALSE(client->ManualDock(pages));
        EXPECT_EQ(pages->PageCount(), 2);
        EXPECT_EQ(DockSheets(), 0);
        EXPECT_EQ(pages->ActivePage(), sheets[0]);
        ASSERT_FALSE(watch->Freed) << "the control does not go with the sheet";
        EXPECT_EQ(client->HostDockSite(), c.staysOnSite ? site : nullptr);
        site->OnUnDock = nullptr;
        client->Free();
    }
}

TEST_F(PageDockTest, AControlDockedOnAPageCannotDockAgain) {
    TPanel* panel = NewPanel("Notes");
    ASSERT_TRUE(panel->ManualDock(pages));
    TUiTabSheet* sheet = LastPage();
    pages->OnGetSiteInfo = [](TObject*, TControl*, TRect&, TPoint, bool& canDock) { canDock = true; };
    EXPECT_FALSE(panel->ManualDock(pages));
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(panel->Parent(), sheet);
    TPanel* other = NewPanel("Other");
    EXPECT_TRUE(other->ManualDock(pages)) << "another control still can";
}

}  // namespace
