// The folder dialog: browse flags, shell display names, selecting a folder without the browser,
// and the real browser answered OK (it opens at the current path) and Cancel.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "FolderDialog.h"
#include "cl_lists.h"
#include "cl_sys.h"
#include "test_pump.h"

namespace {

using Texts = std::vector<std::string>;

TEST(FolderDialogFlags, EachOptionSetsItsShellFlagAndStatusTextNone) {
    struct Case {
        TBrowseFolderOptions options;
        UINT flags;
    };
    const Case cases[] = {
        {{}, 0},
        {{bfStatusText}, 0},
        {{bfOnlyDirs}, 0x0001},
        {{bfComputer, bfOnlyDirs}, 0x1001},
        {{bfPrinter}, 0x2000},
        {{bfNotBelowDomain, bfFSAncestors}, 0x000A},
        {{bfComputer, bfPrinter, bfNotBelowDomain, bfFSAncestors, bfOnlyDirs, bfStatusText},
         0x300B},
    };
    TOwnedPtr<TFolderDialog> dialog(new TFolderDialog(nullptr));
    EXPECT_EQ(dialog->BuildBrowseFlags(), 0x0001u);
    for (const Case& c : cases) {
        dialog->SetOptions(c.options);
        EXPECT_EQ(dialog->BuildBrowseFlags(), c.flags) << c.flags;
    }
}

TEST(FolderDialogNames, DisplayNamesOfEveryKindAndAnUnknownKind) {
    STRRET inline_{};
    inline_.uType = STRRET_CSTR;
    lstrcpyA(inline_.cStr, "C:\\Inline");
    EXPECT_EQ(StrRetText(inline_, nullptr), "C:\\Inline");

    const char idList[] = "\x08\x00xyC:\\Offset";
    STRRET offset{};
    offset.uType = STRRET_OFFSET;
    offset.uOffset = 4;
    EXPECT_EQ(StrRetText(offset, reinterpret_cast<LPCITEMIDLIST>(idList)), "C:\\Offset");

    STRRET wide{};
    wide.uType = STRRET_WSTR;
    const wchar_t text[] = L"C:\\Wide";
    wide.pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof text));
    memcpy(wide.pOleStr, text, sizeof text);
    EXPECT_EQ(StrRetText(wide, nullptr), "C:\\Wide");
    EXPECT_EQ(wide.pOleStr, nullptr);

    STRRET unknown{};
    unknown.uType = 7;
    EXPECT_EQ(StrRetText(unknown, nullptr), "Unrecognized uType: 7");
}

// A folder with two files and a sub-folder, removed again at the end.
class FolderDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = ExcludeTrailingPathDelimiter(temp) + "\\folder dialog " +
                 IntToStr(static_cast<int>(GetCurrentProcessId()));
        other = folder + "\\sub";
        ASSERT_TRUE(ForceDirectories(other));
        for (const char* name : {"\\b.dat", "\\a.txt", "\\sub\\c.txt"}) {
            const AnsiString path = folder + name;
            WriteFileWhole(path, "x", 1);
        }
        dialog = new TFolderDialog(nullptr);
    }
    void TearDown() override {
        dialog->Free();
        for (const char* name : {"\\b.dat", "\\a.txt", "\\sub\\c.txt"})
            DeleteFileA((folder + name).c_str());
        RemoveDirectoryA(other.c_str());
        RemoveDirectoryA(folder.c_str());
    }

    Texts Items() const {
        Texts items;
        for (int i = 0; i < dialog->Items()->Count(); ++i)
            items.push_back(dialog->Items()->Strings(i).c_str());
        std::sort(items.begin(), items.end());
        return items;
    }
    Texts FilesOf(const AnsiString& dir, std::initializer_list<const char*> names) const {
        Texts files;
        for (const char* name : names) files.push_back((dir + "\\" + name).c_str());
        return files;
    }

    AnsiString folder, other;
    TFolderDialog* dialog = nullptr;
};

TEST_F(FolderDialogTest, NewDialogHasItsDefaults) {
    EXPECT_EQ(dialog->Path(), "");
    EXPECT_EQ(dialog->Title(), "");
    EXPECT_EQ(dialog->RootDir(), "");
    EXPECT_EQ(dialog->Items()->Count(), 0);
    EXPECT_EQ(dialog->Options(), TBrowseFolderOptions{bfOnlyDirs});
    dialog->SetControlVersion("2.0");
    EXPECT_EQ(dialog->ControlVersion(), "1.00.00");
}

TEST_F(FolderDialogTest, SetPathListsTheFilesOnlyAndAFolderThatIsNotThereChangesNothing) {
    dialog->SetPath(folder);
    EXPECT_EQ(dialog->Path(), folder);
    EXPECT_EQ(Items(), FilesOf(folder, {"a.txt", "b.dat"}));

    dialog->SetPath(other);
    EXPECT_EQ(dialog->Path(), other);
    EXPECT_EQ(Items(), FilesOf(other, {"c.txt"}));

    dialog->SetPath(folder + "\\no such folder");
    EXPECT_EQ(dialog->Path(), other);
    EXPECT_EQ(Items(), FilesOf(other, {"c.txt"}));
}

TEST_F(FolderDialogTest, SetRootKeepsTheFolderTextAndAnEmptyTextChangesNothing) {
    dialog->SetRoot(folder);
    EXPECT_EQ(dialog->RootDir(), folder);
    dialog->SetRoot("");
    EXPECT_EQ(dialog->RootDir(), folder);
    dialog->SetRoot(folder + "\\no such folder");
    EXPECT_EQ(dialog->RootDir(), folder + "\\no such folder");
}

// Answers the first dialog box the GUI thread shows with `button`, after noting its texts.
class BrowserAnswerer {
public:
    explicit BrowserAnswerer(int button)
        : guiThread_(GetCurrentThreadId()), thread_([this, button] { Run(button); }) {}
    ~BrowserAnswerer() { thread_.join(); }
    bool Answered() const { return answered_; }
    const Texts& Shown() const { return shown_; }

private:
    void Run(int button) {
        for (int attempt = 0; attempt < 500 && !answered_; ++attempt) {
            Sleep(20);
            HWND browser = FindBrowser();
            if (!browser) continue;
            Sleep(500);  // the tree is filled and the selection made after the box shows
            EnumChildWindows(browser, &BrowserAnswerer::NoteText, reinterpret_cast<LPARAM>(this));
            PostMessageA(browser, WM_COMMAND, button, 0);
            answered_ = true;
        }
    }
    HWND FindBrowser() const {
        HWND found = nullptr;
        EnumThreadWindows(guiThread_, &BrowserAnswerer::NoteBrowser,
                          reinterpret_cast<LPARAM>(&found));
        return found;
    }
    static BOOL CALLBACK NoteBrowser(HWND window, LPARAM data) {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpA(name, "#32770") || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
    }
    static BOOL CALLBACK NoteText(HWND child, LPARAM data) {
        char text[256] = {};
        GetWindowTextA(child, text, sizeof text);
        if (*text) reinterpret_cast<BrowserAnswerer*>(data)->shown_.push_back(text);
        return TRUE;
    }

    DWORD guiThread_;
    std::atomic<bool> answered_{false};
    Texts shown_;
    std::thread thread_;
};

TEST_F(FolderDialogTest, BrowserOpensAtThePathAndOkReturnsItWithItsFiles) {
    dialog->SetTitle("Choose the pictures folder");
    dialog->SetPath(other);
    bool chosen = false;
    Texts shown;
    {
        BrowserAnswerer answerer(IDOK);
        chosen = dialog->Execute();
        EXPECT_TRUE(answerer.Answered());
        shown = answerer.Shown();
    }
    EXPECT_TRUE(chosen);
    EXPECT_EQ(dialog->Path(), other);
    EXPECT_EQ(Items(), FilesOf(other, {"c.txt"}));
    EXPECT_NE(std::find(shown.begin(), shown.end(), "Choose the pictures folder"), shown.end());
}

TEST_F(FolderDialogTest, CancelAfterAnEarlierChoiceEmptiesThePath) {
    dialog->SetPath(folder);
    {
        BrowserAnswerer answerer(IDCANCEL);
        EXPECT_FALSE(dialog->Execute());
        EXPECT_TRUE(answerer.Answered());
    }
    EXPECT_EQ(dialog->Path(), "");
}

}  // namespace
