#include "UiShellLinks.h"
#include "shell_fixture.h"

namespace {

class ShortcutTest : public ShellTreeTest {};

TEST_F(ShortcutTest, EveryFieldWrittenIsReadBack) {
    TLinkData written;
    written.PathName = Path("a.txt");
    written.Desc = "The first file";
    written.Args = "/quiet \"two words\"";
    written.IconPath = Path("b.dat");
    written.IconIndex = 3;
    written.WorkingDir = Path("Sub");
    written.ShowCmd = SW_SHOWMAXIMIZED;
    written.HotKey = MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT);
    written.Options = {ldoUseDesc, ldoUseArgs,   ldoUseIcon,
                       ldoUseWorkDir, ldoUseHotKey, ldoUseShowCmd};
    ASSERT_EQ(S_OK, CreateShortcut(Path("all.lnk"), written));
    ASSERT_TRUE(FileExists(Path("all.lnk")));

    TLinkData read;
    ASSERT_EQ(S_OK, ResolveShortcut(Path("all.lnk"), read, true));
    EXPECT_STREQ(written.PathName.c_str(), read.PathName.c_str());
    EXPECT_STREQ(written.Desc.c_str(), read.Desc.c_str());
    EXPECT_STREQ(written.Args.c_str(), read.Args.c_str());
    EXPECT_STREQ(written.IconPath.c_str(), read.IconPath.c_str());
    EXPECT_EQ(3, read.IconIndex);
    EXPECT_STREQ(written.WorkingDir.c_str(), read.WorkingDir.c_str());
    // Wine's link files do not keep the show command: it reads back as SW_SHOWNORMAL.
    EXPECT_EQ(written.HotKey, read.HotKey);
    EXPECT_EQ(written.Options, read.Options);
    EXPECT_STREQ("a.txt", read.FindData.cFileName);
    EXPECT_EQ(5u, read.FindData.nFileSizeLow);
    PidlHolder target(Parse(Path("a.txt")));
    PidlHolder linked(read.IdList);
    ASSERT_NE(nullptr, linked.Get());
    EXPECT_EQ(0, CompareAbsIdLists(target, linked));
}

TEST_F(ShortcutTest, OnlyTheChosenOptionsAreWritten) {
    TLinkData written;
    written.PathName = Path("b.dat");
    written.Desc = "described";
    written.Args = "not written";
    written.WorkingDir = Path("Sub");
    written.Options = {ldoUseDesc};
    ASSERT_EQ(S_OK, CreateShortcut(Path("some.lnk"), written));

    TLinkData read;
    read.IdList = reinterpret_cast<LPITEMIDLIST>(&read);  // a read without the list clears it
    ASSERT_EQ(S_OK, ResolveShortcut(Path("some.lnk"), read, false));
    EXPECT_STREQ("described", read.Desc.c_str());
    EXPECT_STREQ("", read.Args.c_str());
    EXPECT_STREQ("", read.WorkingDir.c_str());
    EXPECT_EQ(nullptr, read.IdList);
}

TEST_F(ShortcutTest, QuickShortcutDescribesTheTargetAndStartsInItsFolder) {
    ASSERT_EQ(S_OK, CreateQuickShortcut(Path("quick.lnk"), Path("Sub\\Inner")));
    TLinkData read;
    read.NoUI = true;
    ASSERT_EQ(S_OK, ResolveShortcut(Path("quick.lnk"), read, false));
    EXPECT_STREQ(Path("Sub\\Inner").c_str(), read.PathName.c_str());
    EXPECT_STREQ(Path("Sub\\Inner").c_str(), read.Desc.c_str());
    EXPECT_STREQ((Path("Sub") + "\\").c_str(), read.WorkingDir.c_str());
}

TEST_F(ShortcutTest, MissingOrBrokenLinkFilesFail) {
    TLinkData read;
    EXPECT_TRUE(FAILED(ResolveShortcut(Path("none.lnk"), read, true)));
    EXPECT_EQ(nullptr, read.IdList);
    EXPECT_TRUE(FAILED(ResolveShortcut(Path("a.txt"), read, true)));
    EXPECT_TRUE(FAILED(CreateShortcut(Path("NoFolder\\x.lnk"), read)));
}

// Keys of made-up file types in the classes root, removed after each test.
class ClsidFromFileTypeTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const char* key : {".uishelltest1", ".uishelltest2", ".uishelltest3",
                                ".uishelltest4", "UiShellTest.ProgId"})
            RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
    }
    static void SetDefault(const char* key, const char* value) {
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value, strlen(value)));
    }
};

constexpr const char* kClsidText = "{00021401-0000-0000-C000-000000000046}";

TEST_F(ClsidFromFileTypeTest, FindsTheClassByEachRoute) {
    SetDefault(".uishelltest1", (std::string("ClSiD\\") + kClsidText).c_str());
    SetDefault(".uishelltest2", "ignored");
    SetDefault(".uishelltest2\\CLSID", kClsidText);
    SetDefault(".uishelltest3", "UiShellTest.ProgId");
    SetDefault("UiShellTest.ProgId\\CLSID", kClsidText);
    for (const char* type : {".uishelltest1", ".uishelltest2", ".uishelltest3"}) {
        CLSID clsid{};
        EXPECT_TRUE(UiClsidFromFileType(type, clsid)) << type;
        EXPECT_TRUE(IsEqualCLSID(CLSID_ShellLink, clsid)) << type;
    }
}

TEST_F(ClsidFromFileTypeTest, TypesWithoutAClassAnswerFalse) {
    SetDefault(".uishelltest2", "UiShellTest.ProgId");
    SetDefault(".uishelltest2\\CLSID", "not a class id");
    SetDefault(".uishelltest3", "UiShellTest.ProgId");
    SetDefault("UiShellTest.ProgId", "no class below");
    SetDefault(".uishelltest4", "");
    for (const char* type : {".uishelltest1", ".uishelltest2", ".uishelltest3", ".uishelltest4"}) {
        CLSID clsid{};
        EXPECT_FALSE(UiClsidFromFileType(type, clsid)) << type;
    }
}

}  // namespace
