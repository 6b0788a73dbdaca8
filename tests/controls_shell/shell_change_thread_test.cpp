#include "UiShellChangeThread.h"
#include "shell_fixture.h"
#include "shown_form.h"

namespace {

constexpr UINT kChangeMessage = WM_USER + 101;

// A hidden window that records the slots of the changes posted to it, and the watching thread.
class ChangeThreadTest : public ShellTreeTest {
protected:
    void SetUp() override {
        ShellTreeTest::SetUp();
        window = AllocateHWnd([this](TMessage& message) {
            if (message.Msg == kChangeMessage)
                slots.push_back(static_cast<int>(message.WParam));
            else
                message.Result = DefWindowProcA(window, message.Msg, message.WParam,
                                                message.LParam);
        });
        thread = new TChangeHandlerThread(window, kChangeMessage);
    }
    void TearDown() override {
        TObject::Free(thread);
        DeallocateHWnd(window);
        ShellTreeTest::TearDown();
    }
    bool Watch(const AnsiString& directory, int& slot, bool subtree = false) {
        return thread->AddWatch(directory,
                                FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME, slot,
                                subtree);
    }
    bool Posted(int slot) {
        return PumpUntil(
            [&] { return std::find(slots.begin(), slots.end(), slot) != slots.end(); });
    }

    HWND window = nullptr;
    TChangeHandlerThread* thread = nullptr;
    std::vector<int> slots;
};

TEST_F(ChangeThreadTest, ChangesArePostedWithTheirWatchesSlot) {
    int tree = -1, inner = -1;
    ASSERT_TRUE(Watch(Path(), tree));
    ASSERT_TRUE(Watch(Path("Sub\\Inner"), inner));
    EXPECT_EQ(0, tree);
    EXPECT_EQ(1, inner);
    WriteTextFile(Path("Sub\\Inner\\new.txt"), "x");
    EXPECT_TRUE(Posted(inner));
    WriteTextFile(Path("new.txt"), "x");
    EXPECT_TRUE(Posted(tree));

    int none = 7;
    EXPECT_FALSE(Watch("", none));
    EXPECT_EQ(-1, none);
    EXPECT_FALSE(Watch(Path("NoSuchFolder"), none));
}

TEST_F(ChangeThreadTest, ASixtyFourthWatchIsRefusedAndTheOthersGoOn) {
    int slot = -1;
    for (int i = 0; i < TChangeHandlerThread::kSlotCount; ++i) {
        ASSERT_TRUE(Watch(Path("Sub"), slot));
        EXPECT_EQ(i, slot);
    }
    EXPECT_FALSE(Watch(Path(), slot));
    EXPECT_EQ(-1, slot);
    WriteTextFile(Path("Sub\\new.txt"), "x");
    EXPECT_TRUE(Posted(TChangeHandlerThread::kSlotCount - 1));
}

TEST_F(ChangeThreadTest, RemovedWatchesPostNothingMore) {
    int first = -1, second = -1;
    ASSERT_TRUE(Watch(Path("Sub"), first));
    ASSERT_TRUE(Watch(Path(), second));
    thread->RemoveAllWatches();
    Application->ProcessMessages();
    slots.clear();
    WriteTextFile(Path("gone.txt"), "x");
    int inner = -1;
    ASSERT_TRUE(Watch(Path("Sub\\Inner"), inner));
    EXPECT_EQ(0, inner);
    WriteTextFile(Path("Sub\\Inner\\new.txt"), "x");
    ASSERT_TRUE(Posted(inner));
    EXPECT_EQ(std::vector<int>(slots.size(), inner), slots);
}

}  // namespace
