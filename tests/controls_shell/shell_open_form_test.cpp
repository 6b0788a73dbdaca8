// The open/save form's handling of typed names: combining with the current folder, checking,
// wildcards, filters and the default extension.
#include <gtest/gtest.h>

#include <windows.h>

#include "UiBitBtn.h"
#include "UiComboBox.h"
#include "UiEdit.h"
#include "UiShellLinks.h"
#include "UiShellList.h"
#include "UiShellOpenForm.h"
#include "UiShellTree.h"
#include "UiUtils.h"
#include "modal_script.h"
#include "shell_fixture.h"

namespace {

TEST(ShellOpenFormNames, TypedNamesCombineWithTheCurrentFolder) {
    struct Case {
        const char* folder;
        const char* name;
        const char* combined;
    } const cases[] = {
        {"D:\\Work\\Data\\", "a.txt", "D:\\Work\\Data\\a.txt"},
        {"D:\\Work\\Data", "Sub\\a.txt", "D:\\Work\\Data\\Sub\\a.txt"},
        {"D:\\Work\\Data", ".", "D:\\Work\\Data"},
        {"D:\\Work\\Data", "..", "D:\\Work"},
        {"D:\\Work\\Data", "...", "D:\\"},
        {"D:\\Work\\Data", "....\\x", "D:\\x"},
        {"D:\\Work\\Data", "..\\Other\\b.txt", "D:\\Work\\Other\\b.txt"},
        {"D:\\Work\\Data", "Sub\\\\ignored", "D:\\Work\\Data\\Sub"},
        {"D:\\", "a.txt", "D:\\a.txt"},
        {"D:\\Work\\Data", "\\Root", "D:\\Root"},
        {"D:\\Work", "C:", "C:\\"},
        {"D:\\Work", "C:\\x\\y.txt", "C:\\x\\y.txt"},
        {"D:\\Work", "\\\\server\\share\\f", "\\\\server\\share\\f"},
        {"\\\\server\\share\\dir", "..\\..\\f", "\\\\server\\share\\f"},
        {"\\\\server\\share\\dir", "\\top", "\\\\server\\share\\top"},
        {"D:\\Work", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CombineFolderAndName(c.folder, c.name), c.combined)
            << c.folder << " + " << c.name;
}

TEST(ShellOpenFormNames, InvalidNamesAndWildcardsAreRecognised) {
    for (const char* bad : {"a/b", "a<b", "a>b", "a|b", "C:\\a\\\\b"})
        EXPECT_FALSE(IsValidFileNameText(bad)) << bad;
    for (const char* good : {"a.txt", "\\\\server\\share\\a", "C:\\a b\\c.txt", ""})
        EXPECT_TRUE(IsValidFileNameText(good)) << good;
    EXPECT_TRUE(HasWildcards("*.txt"));
    EXPECT_TRUE(HasWildcards("a?.log"));
    EXPECT_FALSE(HasWildcards("plain.txt"));
}

TEST(ShellOpenFormNames, FiltersSplitIntoDescriptionAndPattern) {
    const auto pairs = ParseFilter("Text files (*.txt)|*.txt|Logs|*.log;*.old|Dangling");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].first, "Text files (*.txt)");
    EXPECT_EQ(pairs[0].second, "*.txt");
    EXPECT_EQ(pairs[1].second, "*.log;*.old");
    EXPECT_TRUE(ParseFilter("").empty());
}

bool OnlyTxtRegistered(const AnsiString& extension) { return SameText(extension, ".txt"); }

TEST(ShellOpenFormNames, DefaultExtensionFollowsTheFileType) {
    using R = TDefaultExtResult;
    struct Case {
        const char* name;
        const char* defaultExt;
        const char* pattern;
        const char* result;
        decltype(R::Keep) different;
    } const cases[] = {
        {"a", "txt", "*.log", "a.log", R::Set},
        {"a", "txt", "", "a.txt", R::Clear},
        {"a.", "txt", "", "a.txt", R::Clear},
        {"a", "txt", "*.txt", "a.txt", R::Clear},
        {"a", "txt", "*.*", "a.txt", R::Clear},
        {"a.log", "txt", "*.log", "a.log", R::Keep},
        {"a.TXT", "log", "*.log", "a.TXT", R::Set},
        {"a", "", "*.log", "a", R::Keep},
        {"D:\\v1.2\\a", "txt", "", "D:\\v1.2\\a.txt", R::Clear},
    };
    for (const Case& c : cases) {
        const R r = ApplyDefaultExt(c.name, c.defaultExt, c.pattern, OnlyTxtRegistered);
        EXPECT_EQ(r.Name, c.result) << c.name << " " << c.pattern;
        EXPECT_EQ(r.ExtensionDifferent, c.different) << c.name << " " << c.pattern;
    }
}

TEST(ShellOpenFormNames, RegisteredExtensionsAreKeysOfTheClassesRoot) {
    const char* const key = ".shelldialogtest";
    EXPECT_FALSE(IsRegisteredExtension(".shelldialogtest"));
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, key, &created), ERROR_SUCCESS);
    RegCloseKey(created);
    EXPECT_TRUE(IsRegisteredExtension(".shelldialogtest"));
    RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
}

// The current user's places-bar policy, removed after each test.
class ShellPlacesTest : public ::testing::Test {
protected:
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, Key); }
    void PutPlace(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, Key, &key), ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    static constexpr const char* Key =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Comdlg32\\Placesbar";
};

TEST_F(ShellPlacesTest, WithoutThePolicyTheFiveStandardFoldersShow) {
    RegDeleteKeyA(HKEY_CURRENT_USER, Key);
    const std::vector<TUiPlaceData> places = ReadPlaces();
    ASSERT_EQ(places.size(), 5u);
    const TCSIDL expected[] = {csidlRecent, csidlDesktop, csidlPersonal, csidlDrives, csidlNetwork};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(places[i].CSIDL, expected[i]) << i;
        EXPECT_TRUE(places[i].Path.IsEmpty()) << i;
    }
    EXPECT_FALSE(places[1].Caption.IsEmpty());
}

TEST_F(ShellPlacesTest, PolicyValuesPresentBecomeThePlacesInOrder) {
    const DWORD drives = csidlDrives;
    PutPlace("Place0", REG_DWORD, &drives, sizeof drives);
    const char path[] = "%SystemRoot%\\system32";
    PutPlace("Place2", REG_EXPAND_SZ, path, sizeof path);
    const char root[] = "C:\\";
    PutPlace("Place7", REG_SZ, root, sizeof root);
    const std::vector<TUiPlaceData> places = ReadPlaces();
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].CSIDL, csidlDrives);
    EXPECT_EQ(places[1].CSIDL, csidlNone);
    EXPECT_TRUE(SameText(places[1].Path, ExpandEnvironmentVariables("%SystemRoot%\\system32")));
    EXPECT_TRUE(SameText(places[1].Caption, "system32"));

    PutPlace("Place4", REG_SZ, root, sizeof root);
    const std::vector<TUiPlaceData> withRoot = ReadPlaces();
    ASSERT_EQ(withRoot.size(), 3u);
    EXPECT_EQ(withRoot[2].Path, "C:\\");
    EXPECT_FALSE(withRoot[2].Caption.IsEmpty());
}

// The open and save dialogs run the form modally over a folder holding Sub, a.txt and b.dat.
class FileDialogTest : public ShellTreeTest {
protected:
    void SetUp() override {
        ShellTreeTest::SetUp();
        dialog = new TUiOpenDialog(nullptr);
        dialog->SetInitialDir(root);
        dialog->OnFormShow = [this](TObject* sender) {
            form = static_cast<TUiShellOpenSaveForm*>(sender);
        };
    }
    void TearDown() override {
        dialog->Free();
        Application->ProcessMessages();
        ShellTreeTest::TearDown();
    }
    bool Run(std::vector<std::function<bool()>> steps) {
        ModalScript script(std::move(steps));
        const bool confirmed = dialog->Execute();
        EXPECT_TRUE(script.Finished());
        return confirmed;
    }
    std::function<bool()> ListFilled(int count) {
        return [this, count] { return form && form->ShellList->Items()->Count() == count; };
    }
    std::function<bool()> Type(const AnsiString& text) {
        return [this, text] {
            form->edtFileName->SetText(text);
            return true;
        };
    }
    std::function<bool()> Press(TModalResult result) {
        return [this, result] {
            form->SetModalResult(result);
            return true;
        };
    }

    TUiFileDialog* dialog = nullptr;
    TUiShellOpenSaveForm* form = nullptr;
};

TEST_F(FileDialogTest, ATypedNameIsChosenWhenTheUserConfirms) {
    EXPECT_TRUE(Run({ListFilled(3), Type("a.txt"), Press(mrOk)}));
    ASSERT_EQ(dialog->Files()->Count(), 1);
    EXPECT_TRUE(SameText(dialog->GetFilename(), Path("a.txt"))) << dialog->GetFilename().c_str();
}

TEST_F(FileDialogTest, AFileSelectedInTheListFillsTheEditAndIsChosen) {
    auto selectB = [this] {
        for (int i = 0; i < form->ShellList->Items()->Count(); ++i) {
            TListItem* item = form->ShellList->Items()->Item(i);
            TUiShellListData* data = form->ShellList->GetDataFromItem(item);
            if (data && SameText(data->GetPathName(), Path("b.dat"))) item->SetSelected(true);
        }
        return true;
    };
    auto editFilled = [this] { return !form->edtFileName->Text().IsEmpty(); };
    EXPECT_TRUE(Run({ListFilled(3), selectB, editFilled, Press(mrOk)}));
    EXPECT_TRUE(SameText(dialog->GetFilename(), Path("b.dat"))) << dialog->GetFilename().c_str();
}

TEST_F(FileDialogTest, TypingAFolderMovesIntoItAndKeepsTheFormOpen) {
    auto inSub = [this] {
        return SameText(form->ShellList->Folder()->GetPathName(), Path("Sub"));
    };
    EXPECT_FALSE(Run({ListFilled(3), Type("Sub"), Press(mrOk), inSub, ListFilled(1),
                      Press(mrCancel)}));
    EXPECT_EQ(dialog->Files()->Count(), 0);
}

TEST_F(FileDialogTest, AWildcardListsOnlyMatchingFilesAndKeepsThePattern) {
    auto patternKept = [this] { return form->edtFileName->Text() == "*.txt"; };
    EXPECT_FALSE(Run({ListFilled(3), Type("*.txt"), Press(mrOk), patternKept, ListFilled(2),
                      Press(mrCancel)}));
}

TEST_F(FileDialogTest, OpenAndSaveDialogsCaptionTheirFormAndButton) {
    AnsiString caption, button;
    auto look = [&] {
        caption = form->Caption();
        button = form->btnOpen->Caption();
        return true;
    };
    Run({ListFilled(3), look, Press(mrCancel)});
    EXPECT_EQ(caption, "Open");
    EXPECT_EQ(button, "&Open");
    dialog->Free();
    dialog = new TUiSaveDialog(nullptr);
    dialog->SetInitialDir(root);
    dialog->OnFormShow = [this](TObject* sender) {
        form = static_cast<TUiShellOpenSaveForm*>(sender);
    };
    form = nullptr;
    Run({ListFilled(3), look, Press(mrCancel)});
    EXPECT_EQ(caption, "Save As");
    EXPECT_EQ(button, "&Save");
}

TEST_F(FileDialogTest, CancellingStillTakesTheFilterIndexAndTheTreeSwitch) {
    dialog->SetFilter("Text files|*.txt|All files|*.*");
    dialog->SetFilterIndex(2);
    auto onlyText = [this] {
        form->cbxFileTypes->SetItemIndex(0);
        form->cbxFileTypes->OnChange(form->cbxFileTypes);
        form->ShowTree(true);
        return true;
    };
    auto treeLinked = [this] { return form->ShellTree->ShellList() == form->ShellList; };
    EXPECT_FALSE(Run({ListFilled(3), onlyText, treeLinked, Press(mrCancel)}));
    EXPECT_EQ(dialog->FilterIndex(), 1);
    EXPECT_EQ(dialog->Options().count(osoShowTree), 1u);
    form = nullptr;
    auto treeHidden = [this] {
        form->ShowTree(false);
        return form->ShellTree->ShellList() == nullptr && !form->Options().count(osoShowTree);
    };
    EXPECT_FALSE(Run({ListFilled(2), treeHidden, Press(mrCancel)}));
    EXPECT_EQ(dialog->Options().count(osoShowTree), 0u);
}

TEST_F(FileDialogTest, F12SwitchesTheTreeOnlyWhenTheTreeIsAllowed) {
    bool shownAfterF12 = false;
    auto pressF12 = [&] {
        uint16_t key = VK_F12;
        form->OnKeyDown(form, key, {});
        shownAfterF12 = form->Options().count(osoShowTree) != 0;
        return true;
    };
    Run({ListFilled(3), pressF12, Press(mrCancel)});
    EXPECT_TRUE(shownAfterF12);
    TUiOpenSaveOptions options = dialog->Options();
    options.erase(osoAllowTree);
    options.erase(osoShowTree);
    dialog->SetOptions(options);
    form = nullptr;
    Run({ListFilled(3), pressF12, Press(mrCancel)});
    EXPECT_FALSE(shownAfterF12);
}

TEST_F(FileDialogTest, SeveralSelectedFilesAreQuotedAndAllChosenInOrder) {
    WriteTextFile(Path("c.txt"), "gamma");
    TUiOpenSaveOptions options = dialog->Options();
    options.insert(osoAllowMultiselect);
    dialog->SetOptions(options);
    auto selectFiles = [this] {
        for (int i = 0; i < form->ShellList->Items()->Count(); ++i) {
            TListItem* item = form->ShellList->Items()->Item(i);
            if (!form->ShellList->GetDataFromItem(item)->IsFolder()) item->SetSelected(true);
        }
        return true;
    };
    AnsiString typed;
    auto editFilled = [&] {
        typed = form->edtFileName->Text();
        return typed.Pos("c.txt") > 0;
    };
    EXPECT_TRUE(Run({ListFilled(4), selectFiles, editFilled, Press(mrOk)}));
    EXPECT_EQ(typed, "\"a.txt\" \"b.dat\" \"c.txt\"");
    ASSERT_EQ(dialog->Files()->Count(), 3);
    EXPECT_TRUE(SameText(dialog->Files()->Strings(0), Path("a.txt")));
    EXPECT_TRUE(SameText(dialog->Files()->Strings(1), Path("b.dat")));
    EXPECT_TRUE(SameText(dialog->Files()->Strings(2), Path("c.txt")));
}

TEST_F(FileDialogTest, AShortcutTypedInTheEditGivesItsTarget) {
    ASSERT_TRUE(SUCCEEDED(CreateQuickShortcut(Path("link.lnk"), Path("b.dat"))));
    EXPECT_TRUE(Run({ListFilled(4), Type("link.lnk"), Press(mrOk)}));
    EXPECT_TRUE(SameText(dialog->GetFilename(), Path("b.dat"))) << dialog->GetFilename().c_str();
}

}  // namespace

