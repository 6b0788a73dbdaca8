#include "UiShellDataTransfer.h"
#include "UiShellHelpers.h"
#include "cl_hooks.h"
#include "cl_stdctrls.h"
#include "shell_fixture.h"
#include "shown_form.h"

namespace {

TEST(ShellKeys, KeyTextsConvertToShortcuts) {
    const std::pair<const char*, TShortCut> cases[] = {
        {"Ctrl+Shift+F5", 0x6074}, {"^F5", 0x4074},  {"ctrl+a", 0x4041}, {"Ctrl+A", 0x4041},
        {"Alt+Del", 0x802E},       {"BkSp", 0x0008}, {"#186", 186},      {"Space", 0x20},
        {"NoSuchKey", 0},          {"Shift+", 0},    {"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.second, ShellKeyTextToShortCut(c.first)) << c.first;

    InitDefaultKeys();
    const TShortCut expected[dkCount] = {0x4041, 0x002E, 0x4043, 0x4058, 0x4056, 0x0074, 0x0071};
    for (int i = 0; i < dkCount; ++i) EXPECT_EQ(expected[i], DefaultKeys[i].ShortCut) << i;
    EXPECT_EQ(DefaultKeys[dkRefresh].ShortCut, ShortCut(VK_F5, {}));
}

FORMATETC Format(CLIPFORMAT format, DWORD tymed, DWORD aspect = DVASPECT_CONTENT) {
    return FORMATETC{format, nullptr, aspect, -1, tymed};
}

TEST(FormatEtcList, AnswersWhetherItOffersAFormat) {
    TUiFormatEtcList list;
    list.Add({CF_HDROP, CF_TEXT});
    ASSERT_EQ(2, list.Count());
    EXPECT_EQ(TYMED_HGLOBAL, list.Items(1).tymed);
    EXPECT_EQ(-1, list.Items(1).lindex);
    EXPECT_EQ(S_OK, list.QueryGetData(Format(CF_TEXT, TYMED_HGLOBAL | TYMED_ISTREAM)));
    EXPECT_EQ(DV_E_TYMED, list.QueryGetData(Format(CF_TEXT, TYMED_ISTREAM)));
    EXPECT_EQ(DV_E_FORMATETC, list.QueryGetData(Format(CF_BITMAP, TYMED_HGLOBAL)));
    EXPECT_EQ(DV_E_FORMATETC, list.QueryGetData(Format(CF_TEXT, TYMED_HGLOBAL, DVASPECT_ICON)));
}

TEST(FormatEtcList, EnumeratorStepsThroughTheList) {
    TUiFormatEtcList list;
    list.Add({CF_HDROP, CF_TEXT});
    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(S_OK, list.GetEnumerator()->QueryInterface(IID_IEnumFORMATETC,
                                                          reinterpret_cast<void**>(&formats)));
    FORMATETC records[3] = {};
    ULONG fetched = 9;
    EXPECT_EQ(S_FALSE, formats->Next(3, records, &fetched));
    EXPECT_EQ(2u, fetched);
    EXPECT_EQ(CF_HDROP, records[0].cfFormat);
    EXPECT_EQ(CF_TEXT, records[1].cfFormat);
    EXPECT_EQ(S_FALSE, formats->Next(1, records, &fetched));
    EXPECT_EQ(0u, fetched);

    EXPECT_EQ(S_OK, formats->Reset());
    EXPECT_EQ(S_OK, formats->Skip(1));
    IEnumFORMATETC* clone = nullptr;
    ASSERT_EQ(S_OK, formats->Clone(&clone));
    EXPECT_EQ(S_OK, clone->Next(1, records, nullptr));
    EXPECT_EQ(CF_TEXT, records[0].cfFormat);
    EXPECT_EQ(0u, clone->Release());

    EXPECT_EQ(S_FALSE, formats->Skip(5));
    EXPECT_EQ(S_FALSE, formats->Next(1, records, &fetched));
    EXPECT_EQ(S_OK, formats->Reset());
    EXPECT_EQ(S_OK, formats->Next(2, records, &fetched));
    IUnknown* unknown = nullptr;
    EXPECT_EQ(S_OK, formats->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
    EXPECT_EQ(1u, unknown->Release());
    void* other = &list;
    EXPECT_EQ(E_NOINTERFACE, formats->QueryInterface(IID_IDataObject, &other));
    EXPECT_EQ(nullptr, other);
    EXPECT_EQ(0u, formats->Release());
}

TEST(DropSource, DragButtonDecidesBetweenGoingOnDroppingAndCancelling) {
    struct Case {
        TMouseButton button;
        BOOL escape;
        DWORD keys;
        HRESULT expected;
    };
    const Case cases[] = {
        {mbLeft, FALSE, MK_LBUTTON, S_OK},
        {mbLeft, FALSE, MK_LBUTTON | MK_CONTROL, S_OK},
        {mbLeft, FALSE, MK_LBUTTON | MK_RBUTTON, DRAGDROP_S_CANCEL},
        {mbLeft, FALSE, 0, DRAGDROP_S_DROP},
        {mbLeft, TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
        {mbRight, FALSE, MK_RBUTTON, S_OK},
        {mbRight, FALSE, MK_RBUTTON | MK_MBUTTON, DRAGDROP_S_CANCEL},
        {mbMiddle, FALSE, MK_SHIFT, DRAGDROP_S_DROP},
    };
    for (const Case& c : cases) {
        auto* source = new TDropSource_shlvtv(c.button);
        source->AddRef();
        EXPECT_EQ(c.expected, source->QueryContinueDrag(c.escape, c.keys))
            << c.button << " " << c.keys;
        EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, source->GiveFeedback(DROPEFFECT_COPY));
        EXPECT_EQ(0u, source->Release());
    }
}

std::vector<BYTE> BlockBytes(HGLOBAL block) {
    const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(block));
    std::vector<BYTE> result(bytes, bytes + GlobalSize(block));
    GlobalUnlock(block);
    return result;
}

TEST(TransferBlocks, FileDropBlockHoldsTheNamesAfterItsHeader) {
    const AnsiString longName = "C:\\" + AnsiString::StringOfChar('x', 300);
    HGLOBAL block = nullptr;
    ASSERT_EQ(S_OK, BuildHDropBlock({"C:\\a.txt", longName}, block));
    const std::vector<BYTE> bytes = BlockBytes(block);
    const std::string names(reinterpret_cast<const char*>(bytes.data()) + 20, bytes.size() - 20);
    EXPECT_EQ(std::string("C:\\a.txt\0", 9) + longName.c_str() + std::string("\0\0", 2), names);
    EXPECT_EQ(20u, *reinterpret_cast<const DWORD*>(bytes.data()));

    auto drop = static_cast<HDROP>(block);
    EXPECT_EQ(2u, DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0));
    char name[400];
    DragQueryFileA(drop, 1, name, sizeof(name));
    EXPECT_STREQ(longName.c_str(), name);

    HGLOBAL copy = CopyGlobalBlock(block);
    ASSERT_NE(nullptr, copy);
    EXPECT_NE(block, copy);
    EXPECT_EQ(bytes, BlockBytes(copy));
    GlobalFree(copy);
    GlobalFree(block);
}

TEST(TransferBlocks, ItemListArrayBlockHoldsParentAndItems) {
    PidlHolder parent(MakeIdList({{1}, {2}}));
    PidlHolder first(MakeIdList({{3, 3}}));
    PidlHolder second(MakeIdList({{4}}));
    HGLOBAL block = nullptr;
    ASSERT_EQ(S_OK, BuildIdListArrayBlock(parent, {first, second}, block));
    const std::vector<BYTE> bytes = BlockBytes(block);
    const UINT header = 4 + 3 * 4;
    ASSERT_EQ(header + 8 + 6 + 5, bytes.size());
    const auto* cida = reinterpret_cast<const CIDA*>(bytes.data());
    EXPECT_EQ(2u, cida->cidl);
    EXPECT_EQ(header, cida->aoffset[0]);
    EXPECT_EQ(header + 8, cida->aoffset[1]);
    EXPECT_EQ(header + 14, cida->aoffset[2]);
    const auto at = [&](UINT offset) {
        return IdListBytes(reinterpret_cast<LPCITEMIDLIST>(bytes.data() + offset));
    };
    EXPECT_EQ(IdListBytes(parent), at(cida->aoffset[0]));
    EXPECT_EQ(IdListBytes(first), at(cida->aoffset[1]));
    EXPECT_EQ(IdListBytes(second), at(cida->aoffset[2]));
    GlobalFree(block);

    ASSERT_EQ(S_OK, BuildIdListArrayBlock(nullptr, {}, block));
    EXPECT_EQ((std::vector<BYTE>{0, 0, 0, 0, 8, 0, 0, 0, 0, 0}), BlockBytes(block));
    GlobalFree(block);
}

// Message boxes answered OK and recorded.
class NewFolderTest : public ShellTreeTest {
protected:
    void SetUp() override {
        ShellTreeTest::SetUp();
        Hooks().ShowMessageBox = [this](const AnsiString& text, const AnsiString&, unsigned) {
            warnings.push_back(text.c_str());
            return IDOK;
        };
    }
    void TearDown() override {
        Hooks().ShowMessageBox = nullptr;
        ShellTreeTest::TearDown();
    }
    std::vector<std::string> warnings;
};

TEST_F(NewFolderTest, TakesTheFirstFreeName) {
    CreateDirectoryA(Path("New Folder").c_str(), nullptr);
    CreateDirectoryA(Path("New Folder (2)").c_str(), nullptr);
    AnsiString name;
    ASSERT_TRUE(UiShCreateNewFolder(Path(), name));
    EXPECT_STREQ("New Folder (3)", name.c_str());
    EXPECT_TRUE(DirectoryExists(Path("New Folder (3)")));

    const AnsiString saved = GetCurrentDir();
    SetCurrentDir(Path("Sub"));
    ASSERT_TRUE(UiShCreateNewFolder("", name));
    SetCurrentDir(saved);
    EXPECT_STREQ("New Folder", name.c_str());
    EXPECT_TRUE(DirectoryExists(Path("Sub\\New Folder")));
    EXPECT_TRUE(warnings.empty());
}

TEST_F(NewFolderTest, FallsBackToShortNamesAndWarnsWhenAllAreTaken) {
    CreateDirectoryA(Path("New Folder").c_str(), nullptr);
    for (int i = 2; i <= 50; ++i)
        CreateDirectoryA(Path(("New Folder (" + std::to_string(i) + ")").c_str()).c_str(), nullptr);
    AnsiString name;
    ASSERT_TRUE(UiShCreateNewFolder(Path(), name));
    EXPECT_STREQ("fldr", name.c_str());
    for (int i = 2; i <= 50; ++i)
        CreateDirectoryA(Path(("fldr" + std::to_string(i)).c_str()).c_str(), nullptr);
    EXPECT_FALSE(UiShCreateNewFolder(Path(), name));
    ASSERT_EQ(1u, warnings.size());
    EXPECT_EQ(("Unable to create the folder 'New Folder'\r\n\r\n" +
               SysErrorMessage(ERROR_ALREADY_EXISTS))
                  .c_str(),
              warnings[0]);
}

TEST_F(NewFolderTest, AnotherErrorIsShownOnceWithItsOwnText) {
    AnsiString name;
    EXPECT_FALSE(UiShCreateNewFolder(Path("NoSuchFolder"), name));
    ASSERT_EQ(1u, warnings.size());
    EXPECT_EQ(("Unable to create the folder 'New Folder'\r\n\r\n" +
               SysErrorMessage(ERROR_PATH_NOT_FOUND))
                  .c_str(),
              warnings[0]);
}

TEST(UiShIsFolder, StreamFoldersCountOnlyWhenAskedFor) {
    ASSERT_GE(SHELL32_VER.High, ModuleVersionHigh(6, 0));
    const ULONG zip = SFGAO_FOLDER | SFGAO_STREAM;
    EXPECT_FALSE(UiShIsFolder(zip, false));
    EXPECT_TRUE(UiShIsFolder(zip, true));
    EXPECT_TRUE(UiShIsFolder(SFGAO_FOLDER, false));
    EXPECT_FALSE(UiShIsFolder(SFGAO_STREAM, true));
}

TEST_F(ShellTreeTest, ItemDisplayNames) {
    PidlHolder pidl(Parse(Path()));
    IShellFolder_NRC* folder = nullptr;
    ASSERT_EQ(S_OK, ShellGetFolderFromIdList(pidl, folder));
    LPITEMIDLIST item = nullptr;
    ULONG eaten = 0;
    wchar_t sub[] = L"Sub";
    ASSERT_EQ(S_OK, folder->ParseDisplayName(nullptr, nullptr, sub, &eaten, &item, nullptr));
    PidlHolder relative(item);
    AnsiString text = "old";
    GetItemDisplayName(folder, relative, SHGDN_INFOLDER, text);
    EXPECT_STREQ("Sub", text.c_str());
    GetItemDisplayName(folder, relative, SHGDN_FORPARSING, text);
    EXPECT_STREQ(Path("Sub").c_str(), text.c_str());
    folder->Release();
}

TEST(RaiseSysError, RaisesTheSystemsText) {
    try {
        RaiseSysError(ERROR_ACCESS_DENIED);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(SysErrorMessage(ERROR_ACCESS_DENIED).c_str(), e.Message().c_str());
    }
}

class ShellWindowServicesTest : public ShownFormTest {};

TEST_F(ShellWindowServicesTest, StylesTopFormsAndScrolling) {
    auto* list = Add<TListBox>(10, 10, 150, 100);
    for (int i = 0; i < 50; ++i) list->Items()->Add("line " + IntToStr(i));
    Application->ProcessMessages();
    HWND window = list->Handle();

    EXPECT_EQ(0, ChangeWindowStyle(nullptr, WS_BORDER, true));
    const LONG before = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(before, ChangeWindowStyle(window, WS_VSCROLL, false));
    EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_VSCROLL);
    ChangeWindowStyle(window, WS_VSCROLL, true);
    EXPECT_EQ(before, GetWindowLongA(window, GWL_STYLE));

    EXPECT_EQ(form->Handle(), GetTopFormHandle(list));
    EXPECT_EQ(form->Handle(), GetTopFormHandle(form));
    TListBox* loose = new TListBox(form);
    EXPECT_EQ(nullptr, GetTopFormHandle(loose));

    EXPECT_TRUE(ScrollOneStep(list, SB_VERT, SB_LINEDOWN));
    EXPECT_EQ(1, GetScrollPos(window, SB_VERT));
    EXPECT_FALSE(ScrollOneStep(list, SB_HORZ, SB_LINERIGHT));
    EXPECT_TRUE(ScrollByWheel(list, SB_VERT, SB_LINEDOWN, SB_PAGEDOWN));
    const int lines = static_cast<int>(Mouse->WheelScrollLines());
    EXPECT_EQ(Mouse->IsWheelPageScroll() ? 1 + 100 / list->ItemHeight() : 1 + lines,
              GetScrollPos(window, SB_VERT));
}

TEST_F(ShellWindowServicesTest, HourglassWaitRestoresTheCursor) {
    Screen->SetCursor(crCross);
    WaitWithHourglass(10);
    EXPECT_EQ(crCross, Screen->Cursor());
    Screen->SetCursor(crDefault);
}

}  // namespace
