// The compiled help file built beside the program: a CHM archive holding every topic and the
// context map, opened by the help component at its contents and at the port dialog's context.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "DynamicHTMLHelp.h"
#include "test_pump.h"

#include <commctrl.h>

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);

const char* const kTitle = "QMC Continuous Radon Monitor Help";
constexpr int kPortDialogContext = 1073;
const char* const kTopics[] = {"index.html", "retrieve.html", "main-window.html", "commands.html",
                               "select-port.html"};

std::string FileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

BOOL CALLBACK NoteHelpWindow(HWND window, LPARAM list) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char caption[128] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        std::string(caption) == kTitle)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> HelpWindows() {
    std::vector<HWND> found;
    EnumWindows(NoteHelpWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindChild(HWND parent, const char* className) {
    HWND found = nullptr;
    for (HWND child = GetWindow(parent, GW_CHILD); child && !found;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = "";
        GetClassNameA(child, name, sizeof name);
        found = std::string(name) == className ? child : FindChild(child, className);
    }
    return found;
}

std::string ItemText(HWND tree, HTREEITEM item) {
    char text[128] = "";
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return text;
}

// The item texts of a contents tree, depth first, each indented by two spaces a level.
std::vector<std::string> TreeTexts(HWND tree, HTREEITEM item, const std::string& indent = "") {
    std::vector<std::string> texts;
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        texts.push_back(indent + ItemText(tree, item));
        TreeView_Expand(tree, item, TVE_EXPAND);
        for (const std::string& text : TreeTexts(tree, TreeView_GetChild(tree, item), indent + "  "))
            texts.push_back(text);
    }
    return texts;
}

TEST(HelpFile, IsACompiledHelpArchiveWithEveryTopicAndTheContextMap) {
    const std::string bytes = FileBytes(HELP_FILE);
    ASSERT_GT(bytes.size(), 96u) << HELP_FILE;
    EXPECT_EQ(bytes.substr(0, 4), "ITSF");
    EXPECT_EQ(bytes[4], 3);  // format version
    for (const char* entry : {"/#SYSTEM", "/#IVB", "/#STRINGS", "/Contents.hhc"})
        EXPECT_NE(bytes.find(entry), std::string::npos) << entry;
    for (const char* topic : kTopics)
        EXPECT_NE(bytes.find(std::string("/") + topic), std::string::npos) << topic;
}

class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        help = new TDynamicHTMLHelp(nullptr);
        help->SethtmlHelpFile(HELP_FILE);
        Boxes().clear();
    }
    void TearDown() override {
        help->Free();
        EXPECT_TRUE(PumpUntil([] { return HelpWindows().empty(); }));
        EXPECT_TRUE(Boxes().empty());
    }
    TDynamicHTMLHelp* help = nullptr;
};

TEST_F(HelpViewerTest, ContentsOpensTheHelpWindowAndCloseAllHelpClosesIt) {
    ASSERT_TRUE(help->Loaded());
    EXPECT_FALSE(help->ProcessHTMLHelp(11, 1000));
    EXPECT_EQ(help->LastError(), "");
    ASSERT_TRUE(PumpUntil([] { return HelpWindows().size() == 1; }));
    const HWND tree = FindChild(HelpWindows().front(), WC_TREEVIEWA);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(TreeTexts(tree, TreeView_GetRoot(tree)),
              (std::vector<std::string>{"QMC Continuous Radon Monitor", "  Retrieving a test",
                                        "  The main window", "  Menus and toolbar",
                                        "  Selecting the serial port"}));
    help->CloseAllHelp();
    EXPECT_TRUE(PumpUntil([] { return HelpWindows().empty(); }));
}

// The viewer opens only for a context the file maps to a topic.
TEST_F(HelpViewerTest, PortDialogContextIsMappedAndAnUnmappedContextFailsQuietly) {
    ASSERT_TRUE(help->Loaded());
    EXPECT_FALSE(help->ProcessHTMLHelp(1, kPortDialogContext));
    EXPECT_EQ(help->LastError(), "");
    EXPECT_TRUE(PumpUntil([] { return !HelpWindows().empty(); }));

    EXPECT_FALSE(help->ProcessHTMLHelp(1, 4242));
    EXPECT_NE(help->LastError(), "");
}

}  // namespace
