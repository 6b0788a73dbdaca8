// The select-folder dialog and form: a folder chosen in a modal run, the status bar and its
// path shortening, the tool buttons, the layout.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "UiBitBtn.h"
#include "UiShellFolderForm.h"
#include "UiShellTree.h"
#include "UiToolButton.h"
#include "cl_except.h"
#include "cl_extctrls.h"
#include "cl_treeview.h"
#include "modal_script.h"
#include "shell_fixture.h"
#include "shown_form.h"

namespace {

int CharCount(const AnsiString& text) { return text.Length(); }

TEST(ShellFolderFormPath, LeadingFoldersGoFirstThenTheDriveThenAllButTheName) {
    const AnsiString path = "C:\\Program Files\\Common\\Shared\\readme.txt";
    const char* const steps[] = {"C:\\Program Files\\Common\\Shared\\readme.txt",
                                 "C:\\...\\Common\\Shared\\readme.txt",
                                 "C:\\...\\Shared\\readme.txt",
                                 "C:\\...\\readme.txt",
                                 "...\\readme.txt",
                                 "readme.txt"};
    for (const char* step : steps) {
        const int limit = AnsiString(step).Length();
        EXPECT_EQ(ShortenPathToWidth(path, limit, CharCount), step) << limit;
        EXPECT_EQ(ShortenPathToWidth(path, limit + 1, CharCount), step) << limit + 1;
    }
    EXPECT_EQ(ShortenPathToWidth(path, 0, CharCount), "readme.txt");
}

TEST(ShellFolderFormPath, PathsWithoutDriveOrFoldersShortenAsFarAsTheyCan) {
    struct Case {
        const char* path;
        int limit;
        const char* shown;
    } const cases[] = {{"C:\\", 1, ""},
                       {"C:\\Windows", 9, "C:Windows"},
                       {"C:\\Windows", 2, "Windows"},
                       {"readme.txt", 3, "readme.txt"},
                       {"\\\\server\\share\\folder", 17, "\\...\\share\\folder"},
                       {"\\\\server\\share\\folder", 10, "...\\folder"},
                       {"\\\\server\\share\\folder", 6, "folder"}};
    for (const Case& c : cases)
        EXPECT_EQ(ShortenPathToWidth(c.path, c.limit, CharCount), c.shown) << c.path;
}

class SelectFolderDialogTest : public ShellTreeTest {
protected:
    void SetUp() override {
        ShellTreeTest::SetUp();
        dialog = new TUiSelectFolderDialog(nullptr);
        dialog->OnFormShow = [this](TObject* sender) {
            form = static_cast<TUiSelectFolderForm*>(sender);
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
    std::function<bool()> Press(TModalResult result) {
        return [this, result] {
            form->SetModalResult(result);
            return true;
        };
    }
    std::function<bool()> Select(const AnsiString& path) {
        return [this, path] {
            form->SetSelectedPathname(path);
            return SameText(form->GetSelectedPathname(), path);
        };
    }
    TUiSelectFolderDialog* dialog = nullptr;
    TUiSelectFolderForm* form = nullptr;
};

TEST_F(SelectFolderDialogTest, ChosenFolderIsKeptAndCancelKeepsThePreviousOne) {
    dialog->SetSelectedPathName(Path("Sub"));
    std::vector<AnsiString> changes;
    dialog->OnSelChange = [&](TObject*, LPCITEMIDLIST pidl) {
        changes.push_back(ShellGetPathFromIdList(pidl));
    };
    AnsiString shownFirst, status, caption;
    EXPECT_TRUE(Run({[&] {
                         shownFirst = form->GetSelectedPathname();
                         caption = form->Caption();
                         return true;
                     },
                     Select(Path("Sub\\Inner")),
                     [&] {
                         status = form->GetStatus();
                         return true;
                     },
                     Press(mrOk)}));
    EXPECT_TRUE(SameText(shownFirst, Path("Sub")));
    EXPECT_EQ(caption, "Browse for Folder");
    EXPECT_TRUE(SameText(dialog->GetSelectedPathName(), Path("Sub\\Inner")));
    ASSERT_FALSE(changes.empty());
    EXPECT_TRUE(SameText(changes.back(), Path("Sub\\Inner")));
    EXPECT_NE(status.Pos("Inner"), 0) << status.c_str();

    dialog->SetTitle("Pick one");
    EXPECT_FALSE(Run({[&] {
                          caption = form->Caption();
                          return true;
                      },
                      Select(Path("Sub")), Press(mrCancel)}));
    EXPECT_EQ(caption, "Pick one");
    EXPECT_TRUE(SameText(dialog->GetSelectedPathName(), Path("Sub\\Inner")));
}

TEST_F(SelectFolderDialogTest, StatusAndOkButtonReachTheRunningForm) {
    EXPECT_THROW(
        {
            try {
                dialog->GetOkEnabled();
            } catch (const Exception& e) {
                EXPECT_EQ(e.Message(), "TUiSelectFolderDialog form not active");
                throw;
            }
        },
        Exception);
    EXPECT_THROW(dialog->SetOkEnabled(false), Exception);
    dialog->SetStatus("Where to?");
    AnsiString shownStatus, laterStatus;
    bool okEnabled = true;
    Run({[&] {
             shownStatus = form->GetStatus();
             dialog->SetStatus("Somewhere");
             laterStatus = form->GetStatus();
             dialog->SetOkEnabled(false);
             okEnabled = form->btnOk->Enabled() && dialog->GetOkEnabled();
             return true;
         },
         Press(mrCancel)});
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(laterStatus, "Somewhere");
}

TEST_F(SelectFolderDialogTest, ToolButtonsFollowTheOptionsAndTheSelection) {
    bool visible = true, flat = false;
    int treeTop = 0;
    Run({[&] {
             visible = form->btnNewFolder->Visible() || form->btnDeleteFolder->Visible();
             flat = form->btnNewFolder->Flat() && form->btnDeleteFolder->Flat();
             treeTop = form->ShellTree->Top();
             return true;
         },
         Press(mrCancel)});
    EXPECT_FALSE(visible);
    EXPECT_TRUE(flat);
    EXPECT_EQ(treeTop, 8);

    dialog->SetOptions({sfdoCreateDeleteButtons, sfdoCreateFolderIcon});
    TUiShellLocator drives;
    drives.SetCSIDL(csidlDrives);
    struct State {
        bool create, remove;
    } onFolder{}, onDrives{}, onFirst{};
    int deleteImage = 0;
    auto buttons = [this](State& state) {
        return [this, &state] {
            state = {form->btnNewFolder->Enabled(), form->btnDeleteFolder->Enabled()};
            return true;
        };
    };
    Run({[&] {
             visible = form->btnNewFolder->Visible() && form->btnDeleteFolder->Visible();
             flat = form->btnNewFolder->Flat() || form->btnDeleteFolder->Flat();
             treeTop = form->ShellTree->Top();
             deleteImage = form->btnDeleteFolder->ImageIndex();
             return true;
         },
         Select(Path("Sub")), buttons(onFolder),
         [&] {
             form->ShellTree->SetSelectedFolder(&drives);
             return form->ShellTree->Selected() && form->ShellTree->GetSelectedPathName().IsEmpty();
         },
         buttons(onDrives),
         [&] {
             form->ShellTree->Selected()->Collapse(true);
             form->ShellTree->Items()->GetFirstNode()->SetSelected(true);
             return form->ShellTree->Selected()->AbsoluteIndex() == 0;
         },
         buttons(onFirst), Press(mrCancel)});
    EXPECT_TRUE(visible);
    EXPECT_FALSE(flat);
    EXPECT_EQ(deleteImage, -1);
    EXPECT_EQ(treeTop, form ? 4 + 24 + 4 : 0);
    EXPECT_TRUE(onFolder.create && onFolder.remove);
    EXPECT_FALSE(onDrives.create || onDrives.remove);
    EXPECT_TRUE(onFirst.create);
    EXPECT_FALSE(onFirst.remove);
}

TEST_F(SelectFolderDialogTest, CreateButtonMakesAFolderInTheSelectedOne) {
    dialog->SetOptions({sfdoCreateDeleteButtons});
    dialog->SetSelectedPathName(Path("Sub\\Inner"));
    Run({[&] {
             form->btnNewFolder->Click();
             return true;
         },
         [&] {
             if (form->ShellTree->IsEditing()) form->ShellTree->Selected()->EndEdit(true);
             return true;
         },
         Press(mrCancel)});
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((Path("Sub\\Inner") + "\\*").c_str(), &found);
    int folders = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != '.')
                ++folders;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(folders, 1);
}

BOOL CALLBACK FindDialogBox(HWND window, LPARAM found) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (strcmp(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Answers the shell's confirmation of a delete with Yes.
void CALLBACK ConfirmShellQuestion(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialogBox, reinterpret_cast<LPARAM>(&box));
    if (box) PostMessageA(box, WM_COMMAND, IDYES, 0);
}

TEST_F(SelectFolderDialogTest, DeleteButtonRemovesTheSelectedFolder) {
    dialog->SetOptions({sfdoCreateDeleteButtons});
    dialog->SetSelectedPathName(Path("Sub\\Inner"));
    Run({[&] {
             const UINT_PTR confirmer = SetTimer(nullptr, 0, 50, ConfirmShellQuestion);
             form->btnDeleteFolder->Click();
             KillTimer(nullptr, confirmer);
             return true;
         },
         [&] { return !DirectoryExists(Path("Sub\\Inner")); }, Press(mrCancel)});
    EXPECT_FALSE(DirectoryExists(Path("Sub\\Inner")));
}

TEST_F(SelectFolderDialogTest, FormKeepsItsLayoutAndMinimumSize) {
    TRect treeBounds, okBounds, cancelBounds;
    int clientWidth = 0, panelTop = 0;
    MINMAXINFO limits = {};
    dialog->SetFormWidth(600);
    dialog->SetFormHeight(500);
    Run({[&] {
             SendMessageA(form->WindowHandle(), WM_GETMINMAXINFO, 0,
                          reinterpret_cast<LPARAM>(&limits));
             treeBounds = form->ShellTree->BoundsRect();
             okBounds = form->btnOk->BoundsRect();
             cancelBounds = form->btnCancel->BoundsRect();
             clientWidth = form->ClientWidth();
             panelTop = form->ButtonPanel->Top();
             return true;
         },
         Press(mrOk)});
    EXPECT_EQ(limits.ptMinTrackSize.x, 366);
    EXPECT_EQ(limits.ptMinTrackSize.y, 340);
    EXPECT_EQ(treeBounds.Width(), 600 - 24);
    EXPECT_EQ(treeBounds.Bottom, panelTop - 4);
    EXPECT_EQ(cancelBounds.Right, clientWidth - 8);
    EXPECT_EQ(okBounds.Right, cancelBounds.Left - 8);
    EXPECT_EQ(dialog->FormWidth(), 600);
    EXPECT_EQ(dialog->FormHeight(), 500);
}

}  // namespace
