// The list view over the system's control: items and columns filled before and after the
// window exists and kept across its re-creation, texts and images through the callbacks,
// owner data, label editing, sorting, hit tests, column clicks, change vetoes, custom draw,
// the header child and nested updates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cl_listview.h"
#include "cl_number.h"
#include "test_pump.h"

namespace {

class TRecordingList : public TListView {
public:
    using TListView::TListView;
    std::vector<std::string> Calls;
    int ItemDraws = 0;
    HWND CreatedChild = nullptr;

    void Dispatch(TMessage& message) override {
        if (message.Msg == WM_PARENTNOTIFY && LOWORD(message.WParam) == WM_CREATE)
            CreatedChild = reinterpret_cast<HWND>(message.LParam);
        TListView::Dispatch(message);
    }

protected:
    void InsertItem(TListItem* item) override {
        Calls.push_back("Insert " + item->Caption().str());
        TListView::InsertItem(item);
    }
    void Delete(TListItem* item) override {
        Calls.push_back("Delete " + item->Caption().str() + " at " + std::to_string(item->Index()));
        TListView::Delete(item);
    }
    void ColClick(TListColumn* column) override {
        Calls.push_back("ColClick " + column->Caption().str());
        TListView::ColClick(column);
    }
    bool CustomDrawItem(TListItem* item, TCustomDrawState state, TCustomDrawStage stage) override {
        ++ItemDraws;
        return TListView::CustomDrawItem(item, state, stage);
    }
};

std::string WindowText(TCustomListView* list, int index, int column) {
    char text[64] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list->Handle(), LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

std::vector<std::string> WindowColumn(TCustomListView* list, int column) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) texts.push_back(WindowText(list, i, column));
    return texts;
}

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = new TComponent(nullptr);
        form = new TForm(owner);
        form->SetBounds(40, 40, 420, 300);
        list = PlaceControl<TRecordingList>(owner, form, "List", 10, 10, 380, 240);
        list->SetViewStyle(vsReport);
        for (const char* caption : {"Name", "Size", "Kind"}) {
            TListColumn* column = list->Columns()->Add();
            column->SetCaption(caption);
            column->SetWidth(100);
        }
        AddItem("radon.txt", "12", "Text");
        AddItem("chart.gif", "300", "Picture");
        AddItem("ErrorLog.txt", "7", "Text");
    }
    void TearDown() override {
        TObject::Free(owner);
        Application->ProcessMessages();
    }
    TListItem* AddItem(const char* caption, const char* size, const char* kind) {
        TListItem* item = list->Items()->Add();
        item->SetCaption(caption);
        item->SubItems()->Add(size);
        item->SubItems()->Add(kind);
        return item;
    }
    void Show() {
        form->Show();
        Application->ProcessMessages();
    }

    TComponent* owner = nullptr;
    TForm* form = nullptr;
    TRecordingList* list = nullptr;
};

TEST_F(ListViewTest, ItemsAndColumnsFilledBeforeAndAfterTheWindowSurviveItsRecreation) {
    list->Items()->Item(1)->SetSelected(true);
    Show();
    EXPECT_EQ(WindowColumn(list, 0),
              (std::vector<std::string>{"radon.txt", "chart.gif", "ErrorLog.txt"}));
    EXPECT_EQ(WindowColumn(list, 2), (std::vector<std::string>{"Text", "Picture", "Text"}));
    EXPECT_EQ(list->Selected(), list->Items()->Item(1));
    AddItem("notes.doc", "1", "Document");
    list->Items()->Item(0)->SubItems()->Put(0, "13");
    EXPECT_EQ(WindowText(list, 0, 1), "13");
    EXPECT_EQ(WindowText(list, 3, 0), "notes.doc");
    EXPECT_EQ(WindowText(list, 3, 5), "");
    TListColumn* extra = list->Columns()->Add();
    extra->SetCaption("Modified");
    char caption[32] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = caption;
    column.cchTextMax = sizeof caption;
    SendMessageA(list->Handle(), LVM_GETCOLUMNA, 3, reinterpret_cast<LPARAM>(&column));
    EXPECT_STREQ(caption, "Modified");
    // A width set in the window (as by the user) is read back and kept.
    SendMessageA(list->Handle(), LVM_SETCOLUMNWIDTH, 1, 64);
    EXPECT_EQ(list->Column(1)->Width(), 64);
    list->Items()->Item(2)->SetChecked(true);
    HWND before = list->Handle();
    list->SetMultiSelect(true);
    EXPECT_NE(list->Handle(), before);
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(list->Column(1)->Width(), 64);
    EXPECT_EQ(list->Selected(), list->Items()->Item(1));
    EXPECT_TRUE(list->Items()->Item(2)->Checked());
    EXPECT_EQ(WindowText(list, 0, 1), "13");
    list->Columns()->Delete(0);
    EXPECT_EQ(SendMessageA(list->HeaderHandle(), HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_THROW(list->Items()->Item(4), EListError);
}

TEST_F(ListViewTest, CaptionsAreEditedThroughTheEvents) {
    Show();
    list->OnEdited = [](TObject*, TListItem*, AnsiString& text) { text = text.UpperCase(); };
    TListItem* item = list->Items()->Item(0);
    ASSERT_TRUE(item->EditCaption());
    HWND editor = list->EditHandle();
    ASSERT_NE(editor, nullptr);
    SetWindowTextA(editor, "renamed.txt");
    PostKey(editor, VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !list->IsEditing(); }));
    EXPECT_EQ(item->Caption(), "RENAMED.TXT");
    EXPECT_EQ(WindowText(list, 0, 0), "RENAMED.TXT");
    ASSERT_TRUE(item->EditCaption());
    SetWindowTextA(list->EditHandle(), "ignored");
    item->CancelEdit();
    EXPECT_FALSE(list->IsEditing());
    EXPECT_EQ(item->Caption(), "RENAMED.TXT");
    list->OnEditing = [](TObject*, TListItem* edited, bool& allow) { allow = edited->Index() != 1; };
    EXPECT_FALSE(list->Items()->Item(1)->EditCaption());
    list->OnEditing = nullptr;
    list->SetReadOnly(true);
    EXPECT_FALSE(list->Items()->Item(0)->EditCaption());
}

TEST_F(ListViewTest, SortingOrdersTheModelAndTheWindowAlike) {
    Show();
    ASSERT_TRUE(list->AlphaSort());
    EXPECT_EQ(WindowColumn(list, 0),
              (std::vector<std::string>{"chart.gif", "ErrorLog.txt", "radon.txt"}));
    EXPECT_EQ(list->Items()->Item(0)->Caption(), "chart.gif");
    // By size, as numbers, through a custom comparison.
    list->CustomSort([](TListItem* a, TListItem* b) {
        return StrToInt(a->SubItems()->Strings(0)) - StrToInt(b->SubItems()->Strings(0));
    });
    EXPECT_EQ(WindowColumn(list, 1), (std::vector<std::string>{"7", "12", "300"}));
    EXPECT_EQ(list->Items()->Item(2)->Caption(), "chart.gif");
    list->SetSortType(stText);
    AddItem("a.bmp", "5", "Picture");
    list->Items()->Item(3)->SetCaption("b.bmp");
    EXPECT_EQ(WindowColumn(list, 0),
              (std::vector<std::string>{"a.bmp", "b.bmp", "chart.gif", "ErrorLog.txt"}));
    EXPECT_EQ(list->FindCaption(0, "ERRORLOG.TXT", false, true, false), list->Items()->Item(3));
    EXPECT_EQ(list->FindCaption(3, "b.", true, false, true), list->Items()->Item(1));
    EXPECT_EQ(list->FindCaption(3, "b.", true, false, false), nullptr);
}

TEST_F(ListViewTest, HitTestsFindTheItemUnderAPoint) {
    Show();
    TListItem* second = list->Items()->Item(1);
    const TRect label = second->DisplayRect(drLabel);
    ASSERT_GT(label.Width(), 0);
    const int x = (label.Left + label.Right) / 2, y = (label.Top + label.Bottom) / 2;
    EXPECT_EQ(list->GetItemAt(x, y), second);
    const THitTests hit = list->GetHitTestInfoAt(x, y);
    EXPECT_TRUE(hit.count(htOnItem) && hit.count(htOnLabel));
    EXPECT_EQ(list->GetItemAt(x, 200), nullptr);
    EXPECT_TRUE(list->GetHitTestInfoAt(x, 200).count(htNowhere));
    const TRect bounds = second->DisplayRect(drBounds);
    EXPECT_LE(bounds.Left, label.Left);
    EXPECT_EQ(list->Items()->Item(2)->DisplayRect(drBounds).Top, bounds.Bottom);
}

TEST_F(ListViewTest, NotificationsReachTheVirtualsAndTheVetoes) {
    Show();
    // Each item joins the list as Add makes it, before its caption is set.
    EXPECT_EQ(list->Calls, (std::vector<std::string>{"Insert ", "Insert ", "Insert "}));
    list->Calls.clear();
    // The header is the list's child; a click on a column header reaches ColClick.
    HWND header = list->HeaderHandle();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(GetParent(header), list->Handle());
    EXPECT_EQ(list->CreatedChild, header);
    RECT second{};
    SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    PostClick(header, (second.left + second.right) / 2, (second.top + second.bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return !list->Calls.empty(); }));
    EXPECT_EQ(list->Calls[0], "ColClick Size");
    // A veto keeps the selection; OnSelectItem reports the changes that happen.
    std::vector<std::string> selections;
    list->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
        selections.push_back(item->Caption().str() + (selected ? " on" : " off"));
    };
    list->OnChanging = [](TObject*, TListItem* item, TItemChange, bool& allow) {
        allow = item->Index() != 2;
    };
    list->SetSelected(list->Items()->Item(0));
    list->Items()->Item(2)->SetSelected(true);
    EXPECT_FALSE(list->Items()->Item(2)->Selected());
    EXPECT_EQ(list->Selected(), list->Items()->Item(0));
    EXPECT_EQ(selections, (std::vector<std::string>{"radon.txt on"}));
    list->OnChanging = nullptr;
    list->Calls.clear();
    list->Items()->Delete(1);
    EXPECT_EQ(list->Calls, (std::vector<std::string>{"Delete chart.gif at 1"}));
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
    list->OnCustomDrawItem = [](TCustomListView*, TListItem*, TCustomDrawState, bool&) {};
    list->Invalidate();
    ASSERT_TRUE(PumpUntil([&] { return list->ItemDraws >= 2; }));
}

TEST_F(ListViewTest, OwnerDataTakesItsTextsFromOnData) {
    list->SetOwnerData(true);
    EXPECT_EQ(list->Items()->Count(), 0);
    int requests = 0;
    list->OnData = [&](TObject*, TListItem* item) {
        ++requests;
        item->SetCaption("Row " + IntToStr(item->Index()));
        item->SubItems()->Add(IntToStr(item->Index() * 10));
    };
    list->Items()->SetCount(1000);
    Show();
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 1000);
    EXPECT_EQ(WindowText(list, 999, 0), "Row 999");
    EXPECT_EQ(WindowText(list, 42, 1), "420");
    EXPECT_EQ(list->Items()->Item(7)->Caption(), "Row 7");
    EXPECT_GT(requests, 0);
    EXPECT_THROW(list->Items()->Add(), EListError);
    list->Items()->SetCount(3);
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
}

TEST_F(ListViewTest, ImagesComeThroughTheCallbackAndUpdatesNest) {
    auto* images = new TImageList(owner);
    TOwnedPtr<TBitmap> glyph(new TBitmap);
    glyph->SetSize(16, 16);
    images->Add(glyph.get(), nullptr);
    list->SetSmallImages(images);
    int requests = 0;
    list->OnGetImageIndex = [&](TObject*, TListItem* item) {
        ++requests;
        item->SetImageIndex(0);
    };
    Show();
    ASSERT_TRUE(PumpUntil([&] { return requests > 0; }));
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 1;
    SendMessageA(list->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, 0);
    list->Items()->BeginUpdate();
    list->Items()->BeginUpdate();
    AddItem("late.txt", "1", "Text");
    list->Items()->EndUpdate();
    EXPECT_EQ(list->Items()->UpdateCount(), 1);
    list->Items()->EndUpdate();
    EXPECT_EQ(list->Items()->UpdateCount(), 0);
    EXPECT_EQ(WindowText(list, 3, 0), "late.txt");
}

}  // namespace
