// Shortcut texts, menus over system menus (structure, live updates, command routing,
// shortcuts, owner draw, popups), image lists, the common dialogs answered through the test
// hook, and the message dialogs' captions, flags and results.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cl_dialogs.h"
#include "cl_extctrls.h"
#include "cl_filer.h"
#include "cl_forms.h"
#include "cl_graphics.h"
#include "cl_imagelist.h"
#include "cl_menus.h"
#include "cl_streams.h"
#include "test_pump.h"

namespace {

TEST(ShortCuts, TextsUseEnglishKeyNamesAndReadBack) {
    const std::pair<TShortCut, const char*> table[] = {
        {ShortCut('S', {ssCtrl}), "Ctrl+S"},
        {ShortCut(VK_F1, {}), "F1"},
        {ShortCut(VK_DELETE, {ssShift}), "Shift+Del"},
        {ShortCut(VK_INSERT, {ssCtrl, ssAlt}), "Ctrl+Alt+Ins"},
        {ShortCut(VK_BACK, {ssAlt}), "Alt+BkSp"},
        {ShortCut(VK_RETURN, {}), "Enter"},
        {ShortCut(VK_NEXT, {ssCtrl}), "Ctrl+PgDn"},
        {ShortCut('7', {ssShift, ssCtrl}), "Shift+Ctrl+7"},
        {ShortCut(VK_F12, {}), "F12"},
    };
    for (const auto& [shortCut, text] : table) {
        EXPECT_EQ(ShortCutToText(shortCut), text);
        EXPECT_EQ(TextToShortCut(text), shortCut) << text;
    }
    EXPECT_EQ(ShortCut('S', {ssCtrl}), 'S' | scCtrl);
    EXPECT_EQ(TextToShortCut("ctrl+s"), ShortCut('S', {ssCtrl}));
    EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), scNone);
    EXPECT_EQ(ShortCutToText(scNone), "");
    uint16_t key = 0;
    TShiftState shift;
    ShortCutToKey(ShortCut(VK_F5, {ssAlt}), key, shift);
    EXPECT_EQ(key, VK_F5);
    EXPECT_EQ(shift, TShiftState{ssAlt});
}

TEST(MenuTexts, HotkeyMarksAreStripped) {
    EXPECT_EQ(StripHotkey("&File"), "File");
    EXPECT_EQ(StripHotkey("Save && Close"), "Save & Close");
    EXPECT_EQ(StripHotkey("Plain"), "Plain");
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = new TComponent(nullptr);
        form = new TForm(owner);
        form->SetBounds(80, 80, 300, 200);
        menu = new TMainMenu(owner);
        file = Item("&File");
        menu->Items()->Add(file);
        open = Item("&Open");
        open->SetShortCut(ShortCut('O', {ssCtrl}));
        file->Add(open);
        file->Add(Item("-"));
        exitItem = Item("E&xit");
        file->Add(exitItem);
        view = Item("&View");
        menu->Items()->Add(view);
        toolbar = Item("&Toolbar");
        toolbar->SetChecked(true);
        view->Add(toolbar);
        form->SetMenu(menu);
    }
    void TearDown() override {
        TObject::Free(owner);
        Application->ProcessMessages();
    }
    TMenuItem* Item(const char* caption) {
        auto* item = new TMenuItem(owner);
        item->SetCaption(caption);
        item->OnClick = [this](TObject* sender) {
            clicked.push_back(static_cast<TMenuItem*>(sender)->Caption());
        };
        return item;
    }
    static std::string MenuText(HMENU menu, int position) {
        char text[64] = {};
        GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
        return text;
    }
    TComponent* owner = nullptr;
    TForm* form = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem *file = nullptr, *open = nullptr, *exitItem = nullptr, *view = nullptr,
              *toolbar = nullptr;
    std::vector<AnsiString> clicked;
};

TEST_F(MenuTest, TheSystemMenuMirrorsTheItemTreeAndItsChanges) {
    form->Show();
    Application->ProcessMessages();
    HMENU bar = GetMenu(form->WindowHandle());
    ASSERT_EQ(bar, menu->Handle());
    EXPECT_EQ(menu->WindowHandle(), form->WindowHandle());
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuText(bar, 0), "&File");
    HMENU fileMenu = GetSubMenu(bar, 0);
    ASSERT_EQ(fileMenu, file->Handle());
    ASSERT_EQ(GetMenuItemCount(fileMenu), 3);
    EXPECT_EQ(MenuText(fileMenu, 0), "&Open\tCtrl+O");
    EXPECT_TRUE(GetMenuState(fileMenu, 1, MF_BYPOSITION) & MF_SEPARATOR);
    HMENU viewMenu = GetSubMenu(bar, 1);
    EXPECT_TRUE(GetMenuState(viewMenu, toolbar->Command(), MF_BYCOMMAND) & MF_CHECKED);
    toolbar->SetChecked(false);
    EXPECT_FALSE(GetMenuState(viewMenu, toolbar->Command(), MF_BYCOMMAND) & MF_CHECKED);
    exitItem->SetEnabled(false);
    EXPECT_TRUE(GetMenuState(fileMenu, exitItem->Command(), MF_BYCOMMAND) & MF_GRAYED);
    open->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(fileMenu), 2);
    EXPECT_EQ(file->Count(), 3);
    open->SetVisible(true);
    open->SetCaption("&Open...");
    EXPECT_EQ(MenuText(fileMenu, 0), "&Open...\tCtrl+O");
    exitItem->Free();
    EXPECT_EQ(GetMenuItemCount(fileMenu), 2);
    EXPECT_EQ(file->Count(), 2);
}

TEST_F(MenuTest, MenuCommandsAndShortCutsRunTheItemsOnClick) {
    form->Show();
    Application->ProcessMessages();
    PostMessageA(form->WindowHandle(), WM_COMMAND, MAKEWPARAM(toolbar->Command(), 0), 0);
    EXPECT_TRUE(PumpUntil([&] { return clicked.size() == 1; }));
    EXPECT_EQ(clicked.back(), "&Toolbar");
    EXPECT_TRUE(menu->IsShortCut(ShortCut('O', {ssCtrl})));
    EXPECT_EQ(clicked.back(), "&Open");
    EXPECT_FALSE(menu->IsShortCut(ShortCut('O', {ssAlt})));
    open->SetEnabled(false);
    EXPECT_FALSE(menu->IsShortCut(ShortCut('O', {ssCtrl})));
    EXPECT_EQ(menu->FindItem(exitItem->Command()), exitItem);
    EXPECT_EQ(exitItem->GetParentMenu(), menu);
    EXPECT_EQ(file->Find("open"), open);
    EXPECT_TRUE(file->IsTopLevel());
    EXPECT_FALSE(open->IsTopLevel());
}

TEST_F(MenuTest, RadioItemsOfAGroupExcludeEachOther) {
    TMenuItem* small = Item("Small");
    TMenuItem* large = Item("Large");
    for (TMenuItem* item : {small, large}) {
        item->SetRadioItem(true);
        item->SetGroupIndex(2);
        view->Add(item);
    }
    small->SetChecked(true);
    large->SetChecked(true);
    EXPECT_FALSE(small->Checked());
    EXPECT_TRUE(toolbar->Checked());
}

TEST_F(MenuTest, OwnerDrawItemsAreMeasuredAndDrawnThroughTheItem) {
    menu->SetOwnerDraw(true);
    form->Show();
    Application->ProcessMessages();
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(file->Handle(), open->Command(), FALSE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);

    MEASUREITEMSTRUCT measure{ODT_MENU, 0, open->Command(), 0, 0, open->Command()};
    ASSERT_TRUE(DispatchMenuMeasureItem(measure));
    const UINT plain = measure.itemWidth;
    EXPECT_GT(plain, 20u);
    EXPECT_GT(measure.itemHeight, 8u);
    open->OnMeasureItem = [](TObject*, TCanvas*, int& width, int&) { width += 31; };
    ASSERT_TRUE(DispatchMenuMeasureItem(measure));
    EXPECT_EQ(measure.itemWidth, plain + 31);

    TBitmap target;
    target.SetSize(120, 20);
    TOwnerDrawState seen;
    TRect seenRect;
    open->OnAdvancedDrawItem = [&](TObject*, TCanvas* canvas, TRect rect, TOwnerDrawState state) {
        seen = state;
        seenRect = rect;
        canvas->Brush()->SetColor(clLime);
        canvas->FillRect(rect);
    };
    DRAWITEMSTRUCT draw{ODT_MENU, 0, open->Command(), ODA_DRAWENTIRE, ODS_SELECTED | ODS_CHECKED,
                        nullptr, target.Canvas()->Handle(), {0, 0, 120, 20}, open->Command()};
    ASSERT_TRUE(DispatchMenuDrawItem(draw));
    EXPECT_EQ(seen, (TOwnerDrawState{odSelected, odChecked}));
    EXPECT_EQ(seenRect, Rect(0, 0, 120, 20));
    EXPECT_EQ(target.Canvas()->Pixels(60, 10), clLime);

    // Without a handler the library draws the item itself: selected items on the highlight.
    exitItem->OnAdvancedDrawItem = nullptr;
    draw.itemData = exitItem->Command();
    draw.itemState = ODS_SELECTED;
    ASSERT_TRUE(DispatchMenuDrawItem(draw));
    EXPECT_EQ(target.Canvas()->Pixels(118, 1), ColorToRGB(clHighlight));
    MEASUREITEMSTRUCT notMenu{ODT_LISTBOX, 0, 0, 0, 0, open->Command()};
    EXPECT_FALSE(DispatchMenuMeasureItem(notMenu));
}

TEST_F(MenuTest, PopupReturnsAfterTheChosenItemsOnClick) {
    auto* popup = new TPopupMenu(owner);
    TMenuItem* first = Item("First");
    TMenuItem* second = Item("Second");
    popup->Items()->Add(first);
    popup->Items()->Add(second);
    bool popped = false;
    popup->OnPopup = [&](TObject*) {
        popped = true;
        // Keys queued now are read by the menu's own loop once it runs.
        PostKey(Application->Handle(), VK_DOWN);
        PostKey(Application->Handle(), VK_DOWN);
        PostKey(Application->Handle(), VK_RETURN);
    };
    form->Show();
    Application->ProcessMessages();
    popup->Popup(120, 120);
    EXPECT_TRUE(popped);
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], "Second");
}

TEST_F(MenuTest, ContextMenuOfAControlPopsItsPopupMenu) {
    auto* popup = new TPopupMenu(owner);
    popup->Items()->Add(Item("Copy"));
    popup->OnPopup = [](TObject*) {
        PostKey(Application->Handle(), VK_DOWN);
        PostKey(Application->Handle(), VK_RETURN);
    };
    auto* child = new TForm(owner);
    child->SetBounds(100, 100, 120, 80);
    child->SetPopupMenu(popup);
    child->Show();
    Application->ProcessMessages();
    PostMessageA(child->WindowHandle(), WM_CONTEXTMENU,
                 reinterpret_cast<WPARAM>(child->WindowHandle()), MAKELPARAM(130, 130));
    EXPECT_TRUE(PumpUntil([&] { return clicked.size() == 1; }));
    EXPECT_EQ(popup->PopupComponent(), child);
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], "Copy");
}

// A form's menu bar and popup menu written to a form stream and read into a new form: the item
// tree in its order, the items' settings, the popup's and the form's references.
TEST(MenuStreams, MenusComeBackWithTheirItemTreeAndSettings) {
    RegisterClasses({TMainMenu::StaticClass(), TPopupMenu::StaticClass(),
                     TMenuItem::StaticClass()});
    auto* form = new TForm(nullptr);
    form->SetName("MenuForm");
    auto* bar = new TMainMenu(form);
    bar->SetName("Bar");
    auto* popup = new TPopupMenu(form);
    popup->SetName("Popup");
    popup->SetAlignment(paRight);
    popup->SetAutoPopup(false);
    auto item = [&](const char* name, const char* caption, TMenuItem* parent) {
        auto* created = new TMenuItem(form);
        created->SetName(name);
        created->SetCaption(caption);
        parent->Add(created);
        return created;
    };
    TMenuItem* file = item("File", "&File", bar->Items());
    item("Open", "&Open", file)->SetShortCut(ShortCut('O', {ssCtrl}));
    item("Line", "-", file);
    TMenuItem* recent = item("Recent", "&Recent", file);
    item("Recent1", "test1.dat", recent)->SetEnabled(false);
    TMenuItem* view = item("View", "&View", bar->Items());
    TMenuItem* toolbar = item("ShowToolbar", "&Toolbar", view);
    toolbar->SetChecked(true);
    toolbar->SetHint("Shows the toolbar");
    item("Copy", "Copy", popup->Items())->SetVisible(false);
    form->SetMenu(bar);

    TMemoryStream stream;
    WriteComponentToStream(&stream, form);
    stream.SetPosition(0);
    auto* copy = new TForm(nullptr);
    ReadComponentFromStream(&stream, copy);

    auto* copyBar = dynamic_cast<TMainMenu*>(copy->FindComponent("Bar"));
    ASSERT_TRUE(copyBar);
    EXPECT_EQ(copy->Menu(), copyBar);
    ASSERT_EQ(copyBar->Items()->Count(), 2);
    TMenuItem* copyFile = copyBar->Items()->Items(0);
    EXPECT_EQ(copyFile->Name(), "File");
    ASSERT_EQ(copyFile->Count(), 3);
    EXPECT_EQ(copyFile->Items(0)->ShortCut(), ShortCut('O', {ssCtrl}));
    EXPECT_TRUE(copyFile->Items(1)->IsLine());
    ASSERT_EQ(copyFile->Items(2)->Count(), 1);
    EXPECT_EQ(copyFile->Items(2)->Items(0)->Caption(), "test1.dat");
    EXPECT_FALSE(copyFile->Items(2)->Items(0)->Enabled());
    TMenuItem* copyToolbar = copyBar->Items()->Items(1)->Items(0);
    EXPECT_TRUE(copyToolbar->Checked());
    EXPECT_EQ(copyToolbar->Hint(), "Shows the toolbar");
    auto* copyPopup = dynamic_cast<TPopupMenu*>(copy->FindComponent("Popup"));
    ASSERT_TRUE(copyPopup);
    EXPECT_EQ(copyPopup->Alignment(), paRight);
    EXPECT_FALSE(copyPopup->AutoPopup());
    ASSERT_EQ(copyPopup->Items()->Count(), 1);
    EXPECT_FALSE(copyPopup->Items()->Items(0)->Visible());
    copy->Free();
    form->Free();
}

// ---------------------------------------------------------------------------------------------
TBitmap* Filled(int width, int height, TColor color) {
    auto* bitmap = new TBitmap;
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

TEST(ImageList, AddsDrawsMaskedAndGreyedImagesAndReportsChanges) {
    auto* owner = new TComponent(nullptr);
    auto* images = new TImageList(owner);
    int changes = 0;
    TChangeLink link;
    link.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, images);
        ++changes;
    };
    images->RegisterChanges(&link);
    TOwnedPtr<TBitmap> red(Filled(16, 16, clRed));
    EXPECT_EQ(images->Add(red.get(), nullptr), 0);
    TOwnedPtr<TBitmap> framed(Filled(16, 16, clFuchsia));
    framed->Canvas()->Brush()->SetColor(clBlue);
    framed->Canvas()->FillRect(Rect(4, 4, 12, 12));
    EXPECT_EQ(images->AddMasked(framed.get(), clFuchsia), 1);
    EXPECT_EQ(images->Count(), 2);
    EXPECT_EQ(changes, 2);

    TOwnedPtr<TBitmap> target(Filled(48, 16, clWhite));
    TCanvas* canvas = target->Canvas();
    images->Draw(canvas, 0, 0, 0);
    images->Draw(canvas, 16, 0, 1);
    images->Draw(canvas, 32, 0, 1, false);
    EXPECT_EQ(canvas->Pixels(8, 8), clRed);
    EXPECT_EQ(canvas->Pixels(24, 8), clBlue);
    EXPECT_EQ(canvas->Pixels(17, 1), clWhite);
    EXPECT_EQ(canvas->Pixels(40, 8), ColorToRGB(clBtnShadow));
    EXPECT_EQ(canvas->Pixels(33, 1), clWhite);

    images->Delete(0);
    EXPECT_EQ(images->Count(), 1);
    images->SetWidth(24);
    EXPECT_EQ(images->Count(), 0);
    EXPECT_EQ(changes, 4);
    owner->Free();
    EXPECT_EQ(link.Sender(), nullptr);
}

// ---------------------------------------------------------------------------------------------
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        Boxes().clear();
        owner = new TComponent(nullptr);
    }
    void TearDown() override {
        Hooks().ExecuteDialog = nullptr;
        Answer() = IDOK;
        owner->Free();
    }
    TComponent* owner = nullptr;
};

TEST_F(DialogTest, FileDialogsAreAnsweredThroughTheHook) {
    auto* save = new TSaveDialog(owner);
    save->SetFileName("report.pdf");
    save->SetFilter("PDF files (*.pdf)|*.pdf");
    save->SetOptions({ofOverwritePrompt, ofHideReadOnly, ofEnableSizing});
    std::vector<AnsiString> offered;
    Hooks().ExecuteDialog = [&](TCommonDialog& dialog) {
        auto& file = dynamic_cast<TSaveDialog&>(dialog);
        offered.push_back(file.FileName());
        file.SetFileName("C:\\out\\chosen.pdf");
        return true;
    };
    EXPECT_TRUE(save->Execute());
    EXPECT_EQ(save->FileName(), "C:\\out\\chosen.pdf");
    EXPECT_TRUE(save->Execute());
    EXPECT_EQ(offered, (std::vector<AnsiString>{"report.pdf", "C:\\out\\chosen.pdf"}));
    Hooks().ExecuteDialog = [](TCommonDialog&) { return false; };
    EXPECT_FALSE(save->Execute());
    EXPECT_EQ(TOpenDialog::OptionFlags(save->Options()),
              static_cast<DWORD>(OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
                                 OFN_ENABLESIZING));
    auto* print = new TPrintDialog(owner);
    Hooks().ExecuteDialog = [&](TCommonDialog& dialog) { return &dialog == print; };
    EXPECT_TRUE(print->Execute());
}

BOOL CALLBACK FindDialogWindow(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Runs `execute` with a timer that presses the shown dialog's OK button.
bool ExecuteAndPressOk(TComponent* owner, const std::function<bool()>& execute) {
    auto* closer = new TTimer(owner);
    closer->SetInterval(200);
    closer->SetOnTimer([](TObject*) {
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindDialogWindow,
                          reinterpret_cast<LPARAM>(&dialog));
        if (dialog) PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    const bool result = execute();
    closer->Free();
    return result;
}

TEST_F(DialogTest, SystemDialogsRunAndReturnTheUsersChoice) {
    auto* color = new TColorDialog(owner);
    color->SetColor(clRed);
    color->CustomColors()->Add("ColorA=00FF00");
    EXPECT_TRUE(ExecuteAndPressOk(owner, [&] { return color->Execute(); }));
    EXPECT_EQ(color->Color(), clRed);
    EXPECT_EQ(color->CustomColors()->Values("ColorA"), "00FF00");
    EXPECT_EQ(color->CustomColors()->Values("ColorP"), "FFFFFF");

    auto* font = new TFontDialog(owner);
    font->Font()->SetName("Arial");
    font->Font()->SetSize(12);
    EXPECT_TRUE(ExecuteAndPressOk(owner, [&] { return font->Execute(); }));
    EXPECT_EQ(font->Font()->Name(), "Arial");
    EXPECT_EQ(font->Font()->Size(), 12);

    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const AnsiString existing = AnsiString(windows) + "\\win.ini";
    auto* open = new TOpenDialog(owner);
    open->SetFilter("Settings (*.ini)|*.ini|All files|*.*");
    open->SetFilterIndex(2);
    open->SetFileName(existing);
    open->SetOptions({ofFileMustExist, ofHideReadOnly});
    EXPECT_TRUE(ExecuteAndPressOk(owner, [&] { return open->Execute(); }));
    EXPECT_TRUE(SameText(open->FileName(), existing)) << open->FileName().c_str();
    EXPECT_EQ(open->Files()->Count(), 1);
    EXPECT_EQ(open->FilterIndex(), 2);
}

TEST_F(DialogTest, FileListsSplitIntoFullPaths) {
    TStringList files;
    TOpenDialog::ParseFileList("C:\\data\\one.txt\0", &files);
    ASSERT_EQ(files.Count(), 1);
    EXPECT_EQ(files[0], "C:\\data\\one.txt");
    TOpenDialog::ParseFileList("C:\\data\0a.txt\0b.txt\0", &files);
    ASSERT_EQ(files.Count(), 2);
    EXPECT_EQ(files[1], "C:\\data\\b.txt");
    TOpenDialog::ParseFileList("C:\\\0a.txt\0", &files);
    EXPECT_EQ(files[0], "C:\\a.txt");
}

TEST_F(DialogTest, PictureDialogOffersTheRegisteredFormats) {
    auto* dialog = new TOpenPictureDialog(owner);
    EXPECT_NE(LowerCase(dialog->Filter()).Pos("*.bmp"), 0);
}

TEST_F(DialogTest, MessageDialogsCarryTheirTypesCaptionAndButtons) {
    struct Case {
        TMsgDlgType type;
        TMsgDlgButtons buttons;
        const char* caption;
        UINT flags;
    };
    const Case cases[] = {
        {mtWarning, {mbOK}, "Warning", MB_OK | MB_ICONWARNING},
        {mtError, {mbOK}, "Error", MB_OK | MB_ICONERROR},
        {mtInformation, {mbOK}, "Information", MB_OK | MB_ICONINFORMATION},
        {mtConfirmation, {mbYes, mbNo}, "Confirmation", MB_YESNO | MB_ICONQUESTION},
        {mtWarning, mbYesNoCancel, "Warning", MB_YESNOCANCEL | MB_ICONWARNING},
        {mtCustom, mbOKCancel, "Controls Tests", MB_OKCANCEL},
        {mtError, mbAbortRetryIgnore, "Error", MB_ABORTRETRYIGNORE | MB_ICONERROR},
        {mtInformation, {mbOK, mbHelp}, "Information", MB_OK | MB_ICONINFORMATION | MB_HELP},
    };
    for (const Case& c : cases) {
        Boxes().clear();
        MessageDlg("text", c.type, c.buttons, 0);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].caption, c.caption);
        EXPECT_EQ(Boxes()[0].flags & ~MB_TASKMODAL & ~MB_APPLMODAL, c.flags) << c.caption;
        EXPECT_EQ(MsgDlgCaption(c.type), c.caption);
    }
}

TEST_F(DialogTest, MessageDialogAnswersAreModalResults) {
    Answer() = IDYES;
    EXPECT_EQ(MessageDlg("Com5 is connected", mtConfirmation, {mbYes, mbNo}, 0), mrYes);
    Answer() = IDNO;
    EXPECT_EQ(MessageDlg("Overwrite?", mtWarning, {mbYes, mbNo}, 0, "Select Folder"), mrNo);
    EXPECT_EQ(Boxes().back().caption, "Select Folder");
    EXPECT_EQ(Boxes().back().text, "Overwrite?");
    Answer() = IDOK;
    ShowMessage("Hello");
    EXPECT_EQ(Boxes().back().caption, "Controls Tests");
    EXPECT_EQ(Boxes().back().flags & MB_ICONINFORMATION, static_cast<unsigned>(MB_ICONINFORMATION));
}

TEST(DialogButtons, HaveTheStandardCaptions) {
    const std::vector<std::pair<TMsgDlgBtn, const char*>> cases = {
        {mbYes, "&Yes"},        {mbNo, "&No"},         {mbOK, "OK"},
        {mbCancel, "Cancel"},   {mbAbort, "Abort"},    {mbRetry, "&Retry"},
        {mbIgnore, "&Ignore"},  {mbAll, "&All"},       {mbNoToAll, "N&o to All"},
        {mbYesToAll, "Yes to &All"}, {mbHelp, "&Help"}};
    for (const auto& c : cases) EXPECT_EQ(MsgDlgButtonCaption(c.first).str(), c.second);
    EXPECT_STREQ(SCloseButton, "&Close");
}

}  // namespace
