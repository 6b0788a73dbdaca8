// A sample form with every control of the library, shown for a screenshot when
// CONTROLS_SAMPLE_SECONDS is set (take it with `import -window root` on the test display).
#include <gtest/gtest.h>

#include <cstdlib>

#include "cl_comctrls.h"
#include "cl_extctrls.h"
#include "cl_listview.h"
#include "cl_menus.h"
#include "cl_stdctrls.h"
#include "cl_treeview.h"
#include "test_pump.h"

namespace {

template <class T> T* Place(TComponent* owner, TWinControl* parent, int x, int y, int w, int h) {
    T* control = new T(owner);
    control->SetParent(parent);
    control->SetBounds(x, y, w, h);
    return control;
}

TForm* BuildSampleForm(TComponent* owner) {
    auto* form = new TForm(owner);
    form->SetCaption("Class library controls");
    form->SetBounds(20, 20, 800, 420);
    auto* menu = new TMainMenu(owner);
    for (const char* caption : {"&File", "&View", "&Help"}) {
        auto* item = new TMenuItem(owner);
        item->SetCaption(caption);
        auto* child = new TMenuItem(owner);
        child->SetCaption("&Open");
        child->SetShortCut(ShortCut('O', {ssCtrl}));
        item->Add(child);
        menu->Items()->Add(item);
    }
    form->SetMenu(menu);

    auto* top = Place<TPanel>(owner, form, 0, 0, 0, 36);
    top->SetAlign(alTop);
    top->SetCaption("Panel (raised, caption centred)");
    for (int i = 0; i < 3; ++i) {
        auto* speed = Place<TSpeedButton>(owner, top, 6 + i * 26, 6, 24, 24);
        speed->SetCaption(AnsiString(static_cast<char>('A' + i)));
        speed->SetGroupIndex(1);
        speed->SetDown(i == 1);
    }
    auto* label = Place<TLabel>(owner, form, 10, 50, 60, 17);
    label->SetCaption("&Customer:");
    auto* edit = Place<TEdit>(owner, form, 90, 46, 150, 21);
    edit->SetText("Edit text");
    label->SetFocusControl(edit);
    auto* redLabel = Place<TLabel>(owner, form, 260, 50, 60, 17);
    redLabel->SetCaption("Calibration due");
    redLabel->Font()->SetColor(clRed);
    redLabel->Font()->SetStyle({fsBold});
    auto* mask = Place<TMaskEdit>(owner, form, 90, 74, 150, 21);
    mask->SetText("Masked edit");
    auto* memo = Place<TMemo>(owner, form, 10, 104, 230, 80);
    memo->Lines()->Add("Memo line one");
    memo->Lines()->Add("Memo line two");
    memo->SetScrollBars(ssVertical);
    auto* combo = Place<TComboBox>(owner, form, 260, 74, 150, 21);
    combo->SetStyle(csDropDownList);
    for (const char* item : {"25 %", "50 %", "100 %", "200 %"}) combo->Items()->Add(item);
    combo->SetItemIndex(2);
    auto* list = Place<TListBox>(owner, form, 260, 104, 150, 80);
    for (const char* item : {"List item 1", "List item 2", "List item 3"}) list->Items()->Add(item);
    list->SetItemIndex(1);
    auto* check = Place<TCheckBox>(owner, form, 10, 194, 140, 17);
    check->SetCaption("Check box");
    check->SetChecked(true);
    auto* grayed = Place<TCheckBox>(owner, form, 10, 214, 140, 17);
    grayed->SetCaption("Greyed check box");
    grayed->SetAllowGrayed(true);
    grayed->SetState(cbGrayed);
    auto* radio1 = Place<TRadioButton>(owner, form, 160, 194, 90, 17);
    radio1->SetCaption("Radio 1");
    radio1->SetChecked(true);
    auto* radio2 = Place<TRadioButton>(owner, form, 160, 214, 90, 17);
    radio2->SetCaption("Radio 2");
    auto* staticText = Place<TStaticText>(owner, form, 260, 194, 120, 17);
    staticText->SetCaption("Static text");
    staticText->SetBorderStyle(sbsSunken);
    auto* bevel = Place<TBevel>(owner, form, 10, 240, 400, 2);
    bevel->SetShape(bsTopLine);
    auto* picker = Place<TDateTimePicker>(owner, form, 10, 252, 130, 21);
    picker->SetFormat("MM/dd/yyyy");
    picker->SetDateTime(EncodeDate(2024, 5, 6));
    auto* timePicker = Place<TDateTimePicker>(owner, form, 150, 252, 100, 21);
    timePicker->SetKind(dtkTime);
    timePicker->SetFormat("hh:mm tt");
    timePicker->SetTime(EncodeTime(14, 30, 0, 0));
    auto* image = Place<TImage>(owner, form, 430, 50, 100, 100);
    image->SetStretch(true);
    TBitmap* bitmap = image->Picture()->Bitmap();
    bitmap->SetSize(20, 20);
    bitmap->Canvas()->Brush()->SetColor(clNavy);
    bitmap->Canvas()->FillRect(Rect(0, 0, 20, 20));
    bitmap->Canvas()->Brush()->SetColor(clYellow);
    bitmap->Canvas()->Ellipse(2, 2, 18, 18);
    auto* box = Place<TBevel>(owner, form, 430, 160, 100, 60);
    box->SetShape(bsFrame);
    auto* tree = Place<TTreeView>(owner, form, 560, 60, 220, 130);
    TTreeNode* fruit = tree->Items()->Add(nullptr, "Fruit");
    tree->Items()->AddChild(fruit, "Apple");
    tree->Items()->AddChild(fruit, "Pear");
    tree->Items()->AddChild(tree->Items()->Add(nullptr, "Vegetables"), "Leek");
    fruit->Expand(false);
    auto* listView = Place<TListView>(owner, form, 560, 190, 220, 130);
    listView->SetViewStyle(vsReport);
    listView->SetRowSelect(true);
    for (const char* caption : {"Name", "Size"}) {
        TListColumn* column = listView->Columns()->Add();
        column->SetCaption(caption);
        column->SetWidth(90);
    }
    for (const char* name : {"radon.txt", "chart.gif"}) {
        TListItem* item = listView->Items()->Add();
        item->SetCaption(name);
        item->SubItems()->Add("12 KB");
    }
    auto* ok = Place<TButton>(owner, form, 370, 330, 75, 25);
    ok->SetCaption("OK");
    ok->SetDefault(true);
    auto* cancel = Place<TButton>(owner, form, 455, 330, 75, 25);
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    return form;
}

TEST(SampleForm, ShowsEveryControlForAScreenshot) {
    auto* owner = new TComponent(nullptr);
    TForm* form = BuildSampleForm(owner);
    form->Show();
    Application->ProcessMessages();
    EXPECT_TRUE(form->Showing());
    if (const char* seconds = std::getenv("CONTROLS_SAMPLE_SECONDS")) {
        const DWORD until = GetTickCount() + static_cast<DWORD>(std::atoi(seconds) * 1000);
        while (GetTickCount() < until) {
            Application->ProcessMessages();
            Sleep(20);
        }
    }
    owner->Free();
}

}  // namespace
