// The select-folder form: its status bar's path shortening.
#include <gtest/gtest.h>

#include "UiShellFolderForm.h"

namespace {

int CharCount(const AnsiString& text) { return text.Length(); }

TEST(ShellFolderFormPath, LeadingFoldersGoFirstThenTheDriveThenAllButTheName) {
    const AnsiString path = "C:\\Program Files\\Common\\Shared\\readme.txt";
    const char* const steps[] = {"C:\\Program Files\\Common\\Shared\\readme.txt",
                                 "C:\\...\\Common\\Shared\\readme.txt",
                                 "C:\\...\\Shared\\readme.txt", "C:\\...\\readme.txt",
                                 "...\\readme.txt", "readme.txt"};
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

}  // namespace
