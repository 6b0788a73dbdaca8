// The shell dialogs' common part: defaults, modal runs that carry the form's geometry to the
// next run, the guard against running twice, and the state in streams and the registry.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "UiShellDialogs.h"
#include "cl_except.h"
#include "cl_settings.h"
#include "cl_streams.h"
#include "cl_sys.h"
#include "shown_form.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

// A dialog over a plain form of 400 x 300; `During` runs once the form is shown and decides how
// the run ends.
class TProbeDialog : public TUiShellDialog {
    CL_CLASS(TProbeDialog, TUiShellDialog)

    explicit TProbeDialog(TComponent* owner) : TUiShellDialog(owner) {}

    std::function<void(TForm*)> During;
    std::function<void(TForm*)> AfterInit;
    int SaveCount = 0;

protected:
    TForm* CreateForm() override {
        TForm* form = new TForm(Application);
        form->SetBounds(0, 0, 400, 300);
        return form;
    }
    void InitForm(TForm* form) override {
        InitFormGeometry(form);
        form->OnShow = [this, form](TObject*) {
            if (During) During(form);
        };
        if (AfterInit) AfterInit(form);
    }
    void SaveFormSettings(TForm* form) override {
        ++SaveCount;
        SaveFormGeometry(form);
    }
    bool DoExecute() override { return RunForm(); }
};

// A file dialog whose runs are not wanted here.
class TProbeFileDialog : public TUiFileDialog {
    CL_CLASS(TProbeFileDialog, TUiFileDialog)

    explicit TProbeFileDialog(TComponent* owner) : TUiFileDialog(owner) {}

protected:
    TForm* CreateForm() override { return nullptr; }
    void InitForm(TForm*) override {}
    void SaveFormSettings(TForm*) override {}
    bool DoExecute() override { return false; }
};

template <class E>
unsigned Bits(const std::set<E>& options) {
    unsigned bits = 0;
    for (E option : options) bits |= 1u << option;
    return bits;
}

TRect WindowBounds(TForm* form) {
    RECT r;
    GetWindowRect(form->WindowHandle(), &r);
    return TRect(r.left, r.top, r.right, r.bottom);
}

void CloseWith(TForm* form, TModalResult result) {
    form->SetModalResult(result);
    PostMessageA(form->WindowHandle(), WM_NULL, 0, 0);
}

std::vector<uint8_t> StateBytes(TUiShellDialog* dialog) {
    TMemoryStream stream;
    dialog->WriteStateToStream(&stream);
    const auto* p = static_cast<const uint8_t*>(stream.Memory());
    return std::vector<uint8_t>(p, p + stream.Size());
}

void ReadState(TUiShellDialog* dialog, const std::vector<uint8_t>& bytes) {
    TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    dialog->ReadStateFromStream(&stream);
}

class ShellDialogTest : public ::testing::Test {
protected:
    void TearDown() override {
        TObject::Free(dialog);
        TObject::Free(fileDialog);
        Application->ProcessMessages();
    }
    TProbeDialog* dialog = new TProbeDialog(nullptr);
    TProbeFileDialog* fileDialog = new TProbeFileDialog(nullptr);
};

TEST_F(ShellDialogTest, NewDialogsHoldTheirDefaults) {
    EXPECT_EQ(dialog->FormPosition(), poScreenCenter);
    EXPECT_EQ(dialog->FormLeft(), -1);
    EXPECT_EQ(dialog->FormTop(), -1);
    EXPECT_EQ(dialog->FormWidth(), -1);
    EXPECT_EQ(dialog->FormHeight(), -1);
    EXPECT_EQ(dialog->FormWindowState(), wsNormal);
    EXPECT_EQ(dialog->RunningForm(), nullptr);
    const TUiShellDialogLook& look = dialog->Look;
    EXPECT_EQ(look.FrameColor, clBtnShadow);
    EXPECT_EQ(look.FrameStyle, fsFlat);
    EXPECT_EQ(look.FramingPreference, fpXPThemes);
    EXPECT_EQ(GetRValue(look.HotTrackColor), 0xF0);
    EXPECT_EQ(GetGValue(look.HotTrackColor), 0x9B);
    EXPECT_EQ(GetBValue(look.HotTrackColor), 0x14);
    EXPECT_EQ(look.HotTrackColorType, htctActual);
    EXPECT_EQ(look.ToolBtnSelectionFrameColor, cl3DDkShadow);
    EXPECT_EQ(look.ToolBtnVisualStyle, vsWinXP);

    EXPECT_EQ(fileDialog->FilterIndex(), 1);
    EXPECT_EQ(fileDialog->FormSplitterPos(), -1);
    EXPECT_TRUE(fileDialog->Options().empty());
    EXPECT_EQ(fileDialog->GetFilename(), "");
}

TEST_F(ShellDialogTest, ChosenFileIsTheFirstOfTheFiles) {
    fileDialog->Files()->Add("C:\\a.txt");
    fileDialog->Files()->Add("C:\\b.txt");
    EXPECT_EQ(fileDialog->GetFilename(), "C:\\a.txt");
    fileDialog->SetFilename("C:\\c.txt");
    EXPECT_EQ(fileDialog->Files()->Count(), 1);
    EXPECT_EQ(fileDialog->GetFilename(), "C:\\c.txt");
}

TEST_F(ShellDialogTest, HistoryListIsCopied) {
    TStringList history;
    history.Add("C:\\old.txt");
    fileDialog->SetHistoryList(&history);
    history.Clear();
    ASSERT_EQ(fileDialog->HistoryList()->Count(), 1);
    EXPECT_EQ(fileDialog->HistoryList()->Strings(0), "C:\\old.txt");
}

TEST_F(ShellDialogTest, ResizedFormOpensWithThatSizeNextTimeStillCentred) {
    TRect first, second;
    dialog->During = [&](TForm* form) {
        first = WindowBounds(form);
        SetWindowPos(form->WindowHandle(), nullptr, 10, 20, 500, 350, SWP_NOZORDER);
        CloseWith(form, mrOk);
    };
    EXPECT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->SaveCount, 1);
    EXPECT_EQ(first.Width(), 400);
    EXPECT_EQ(first.Left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
    EXPECT_EQ(dialog->FormLeft(), 10);
    EXPECT_EQ(dialog->FormTop(), 20);
    EXPECT_EQ(dialog->FormWidth(), 500);
    EXPECT_EQ(dialog->FormHeight(), 350);
    EXPECT_EQ(dialog->FormPosition(), poScreenCenter);

    dialog->During = [&](TForm* form) {
        second = WindowBounds(form);
        CloseWith(form, mrCancel);
    };
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(second.Width(), 500);
    EXPECT_EQ(second.Height(), 350);
    EXPECT_EQ(second.Left, (GetSystemMetrics(SM_CXSCREEN) - 500) / 2);
    EXPECT_EQ(second.Top, (GetSystemMetrics(SM_CYSCREEN) - 350) / 2);
}

TEST_F(ShellDialogTest, DesignedPositionUsesTheStoredEdges) {
    dialog->SetFormPosition(poDesigned);
    dialog->SetFormLeft(33);
    dialog->SetFormTop(44);
    TRect shown;
    dialog->During = [&](TForm* form) {
        shown = WindowBounds(form);
        CloseWith(form, mrOk);
    };
    dialog->Execute();
    EXPECT_EQ(shown.Left, 33);
    EXPECT_EQ(shown.Top, 44);
    EXPECT_EQ(shown.Width(), 400);
}

TEST_F(ShellDialogTest, FormClosedMaximisedKeepsItsRestoredBounds) {
    dialog->During = [&](TForm* form) {
        SetWindowPos(form->WindowHandle(), nullptr, 50, 60, 420, 310, SWP_NOZORDER);
        ShowWindow(form->WindowHandle(), SW_MAXIMIZE);
        CloseWith(form, mrOk);
    };
    dialog->Execute();
    EXPECT_EQ(dialog->FormWindowState(), wsMaximized);
    EXPECT_EQ(dialog->FormLeft(), 50);
    EXPECT_EQ(dialog->FormTop(), 60);
    EXPECT_EQ(dialog->FormWidth(), 420);
    EXPECT_EQ(dialog->FormHeight(), 310);

    bool maximisedAgain = false;
    dialog->During = [&](TForm* form) {
        form->OnCloseQuery = [&maximisedAgain, form](TObject*, bool&) {
            maximisedAgain = IsZoomed(form->WindowHandle()) != FALSE;
        };
        PostMessageA(form->WindowHandle(), WM_CLOSE, 0, 0);
    };
    dialog->Execute();
    EXPECT_TRUE(maximisedAgain);
}

TEST_F(ShellDialogTest, RunningTwiceIsRefusedAndTheRunEndsCleanly) {
    AnsiString refusal;
    bool executingDuring = false;
    TForm* running = nullptr;
    TCursor cursorDuring = crDefault;
    int initialized = 0;
    dialog->OnInitialized = [&](TObject*) { ++initialized; };
    const TCursor before = Screen->Cursor();
    dialog->During = [&](TForm* form) {
        executingDuring = dialog->Executing();
        running = dialog->RunningForm();
        cursorDuring = Screen->Cursor();
        try {
            dialog->Execute();
        } catch (const Exception& e) {
            refusal = e.Message();
        }
        CloseWith(form, mrOk);
    };
    EXPECT_TRUE(dialog->Execute());
    EXPECT_EQ(refusal, "TProbeDialog already executing");
    EXPECT_TRUE(executingDuring);
    EXPECT_NE(running, nullptr);
    EXPECT_EQ(cursorDuring, crHourGlass);
    EXPECT_EQ(initialized, 1);
    EXPECT_FALSE(dialog->Executing());
    EXPECT_EQ(dialog->RunningForm(), nullptr);
    EXPECT_EQ(Screen->Cursor(), before);
}

TEST_F(ShellDialogTest, FailingSetUpFreesTheFormAndAllowsTheNextRun) {
    const int formsBefore = Application->ComponentCount();
    dialog->AfterInit = [](TForm*) { throw Exception("no form today"); };
    EXPECT_THROW(dialog->Execute(), Exception);
    EXPECT_FALSE(dialog->Executing());
    EXPECT_EQ(dialog->RunningForm(), nullptr);
    EXPECT_EQ(dialog->SaveCount, 0);
    EXPECT_EQ(Application->ComponentCount(), formsBefore);
    EXPECT_EQ(Screen->Cursor(), crDefault);

    dialog->AfterInit = nullptr;
    dialog->During = [](TForm* form) { CloseWith(form, mrOk); };
    EXPECT_TRUE(dialog->Execute());
}

TEST_F(ShellDialogTest, DesignTimeRunsLeaveTheSettingsAlone) {
    dialog->IncludeState(csDesigning);
    dialog->During = [](TForm* form) {
        SetWindowPos(form->WindowHandle(), nullptr, 10, 20, 500, 350, SWP_NOZORDER);
        CloseWith(form, mrOk);
    };
    EXPECT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->SaveCount, 0);
    EXPECT_EQ(dialog->FormWidth(), -1);
}

// ---------------------------------------------------------------------------------------------
TEST_F(ShellDialogTest, StateStreamsAreLittleEndianWithoutHeader) {
    dialog->SetFormLeft(0x01020304);
    dialog->SetFormTop(-2);
    dialog->SetFormWidth(500);
    dialog->SetFormHeight(350);
    dialog->SetFormWindowState(wsMaximized);
    dialog->SetFormPosition(poDesigned);
    const std::vector<uint8_t> expected = {4, 3, 2, 1,    0xFE, 0xFF, 0xFF, 0xFF, 0xF4,
                                           1, 0, 0, 0x5E, 1,    0,    0,    2,    0};
    EXPECT_EQ(StateBytes(dialog), expected);

    fileDialog->SetOptions({osoShowTree, osoAllowTree});
    fileDialog->SetFormSplitterPos(210);
    const std::vector<uint8_t> file = StateBytes(fileDialog);
    ASSERT_EQ(file.size(), 23u);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 16, file.end()),
              (std::vector<uint8_t>{0, 4, 1, 210, 0, 0, 0}));
}

TEST_F(ShellDialogTest, FileStateCarriesOnlyTheTreeOptionAndTheSplitter) {
    fileDialog->SetFormWidth(600);
    fileDialog->SetFormSplitterPos(180);
    fileDialog->SetOptions({osoShowTree});
    const std::vector<uint8_t> withTree = StateBytes(fileDialog);
    fileDialog->SetOptions({});
    const std::vector<uint8_t> withoutTree = StateBytes(fileDialog);

    TOwnedPtr<TProbeFileDialog> other(new TProbeFileDialog(nullptr));
    other->SetOptions({osoAllowTree, osoHideReadOnly});
    ReadState(other.get(), withTree);
    EXPECT_EQ(other->Options(), (TUiOpenSaveOptions{osoAllowTree, osoHideReadOnly, osoShowTree}));
    EXPECT_EQ(other->FormWidth(), 600);
    EXPECT_EQ(other->FormSplitterPos(), 180);
    ReadState(other.get(), withoutTree);
    EXPECT_EQ(other->Options(), (TUiOpenSaveOptions{osoAllowTree, osoHideReadOnly}));
}

TEST_F(ShellDialogTest, DamagedStatesRaiseAndChangeNothing) {
    fileDialog->SetFormWidth(321);
    fileDialog->SetFormSplitterPos(99);
    std::vector<uint8_t> state = StateBytes(fileDialog);
    fileDialog->SetFormWidth(-1);
    fileDialog->SetFormSplitterPos(-1);
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> badWindowState = state;
    badWindowState[16] = 3;
    std::vector<uint8_t> badPosition = state;
    badPosition[17] = 8;
    const Case cases[] = {{"empty", {}},
                          {"folder dialog's 18 bytes", {state.begin(), state.begin() + 18}},
                          {"one byte short", {state.begin(), state.end() - 1}},
                          {"window state out of range", badWindowState},
                          {"position out of range", badPosition}};
    for (const Case& c : cases) {
        EXPECT_THROW(ReadState(fileDialog, c.bytes), EReadError) << c.what;
        EXPECT_EQ(fileDialog->FormWidth(), -1) << c.what;
        EXPECT_EQ(fileDialog->FormSplitterPos(), -1) << c.what;
    }
    ReadState(fileDialog, state);
    EXPECT_EQ(fileDialog->FormWidth(), 321);
}

// ---------------------------------------------------------------------------------------------
class ShellDialogRegistryTest : public ShellDialogTest {
protected:
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, (AnsiString(Base) + "\\Dialogs").c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, Base);
        ShellDialogTest::TearDown();
    }
    void PutValue(DWORD type, const std::vector<uint8_t>& data) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, Key, &key), ERROR_SUCCESS);
        RegSetValueExA(key, "State", 0, type, data.data(), static_cast<DWORD>(data.size()));
        RegCloseKey(key);
    }
    static constexpr const char* Base = "Software\\ShellDialogsTest";
    static constexpr const char* Key = "Software\\ShellDialogsTest\\Dialogs";
};

TEST_F(ShellDialogRegistryTest, StateRoundTripsThroughABinaryValue) {
    fileDialog->SetFormLeft(12);
    fileDialog->SetFormHeight(480);
    fileDialog->SetFormWindowState(wsMaximized);
    fileDialog->SetOptions({osoShowTree});
    fileDialog->SetFormSplitterPos(222);
    fileDialog->WriteStateToRegistry(HKEY_CURRENT_USER, Key, "State");

    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKeyReadOnly(Key));
    EXPECT_EQ(registry.GetDataType("State"), rdBinary);
    EXPECT_EQ(registry.GetDataSize("State"), 23);
    registry.CloseKey();

    TOwnedPtr<TProbeFileDialog> other(new TProbeFileDialog(nullptr));
    other->ReadStateFromRegistry(HKEY_CURRENT_USER, Key, "State");
    EXPECT_EQ(other->FormLeft(), 12);
    EXPECT_EQ(other->FormHeight(), 480);
    EXPECT_EQ(other->FormWindowState(), wsMaximized);
    EXPECT_TRUE(other->Options().count(osoShowTree));
    EXPECT_EQ(other->FormSplitterPos(), 222);

    dialog->WriteStateToRegistry(HKEY_CURRENT_USER, Key, "Folder");
    ASSERT_TRUE(registry.OpenKeyReadOnly(Key));
    EXPECT_EQ(registry.GetDataSize("Folder"), 18);
}

TEST_F(ShellDialogRegistryTest, UnusableValuesRaise) {
    EXPECT_THROW(dialog->ReadStateFromRegistry(HKEY_CURRENT_USER, Key, "State"), EReadError)
        << "missing key";
    PutValue(REG_BINARY, std::vector<uint8_t>(4, 0));
    EXPECT_THROW(dialog->ReadStateFromRegistry(HKEY_CURRENT_USER, Key, "Other"), EReadError)
        << "missing value";
    EXPECT_THROW(dialog->ReadStateFromRegistry(HKEY_CURRENT_USER, Key, "State"), EReadError)
        << "short value";
    PutValue(REG_BINARY, std::vector<uint8_t>(129, 0));
    EXPECT_THROW(dialog->ReadStateFromRegistry(HKEY_CURRENT_USER, Key, "State"),
                 ERegistryException);
    PutValue(REG_SZ, {'a', 'b', 0});
    EXPECT_THROW(dialog->ReadStateFromRegistry(HKEY_CURRENT_USER, Key, "State"),
                 ERegistryException);
    EXPECT_EQ(dialog->FormWidth(), -1);
}

TEST(ShellFolderDialog, StartsWithMenusIconsAndHiddenFoldersAndCopiesLocators) {
    struct Probe : TUiCustomSelectFolderDialog {
        explicit Probe() : TUiCustomSelectFolderDialog(nullptr) {}
        TForm* CreateForm() override { return nullptr; }
        void InitForm(TForm*) override {}
        void SaveFormSettings(TForm*) override {}
        bool DoExecute() override { return false; }
    };
    TOwnedPtr<Probe> probe(new Probe);
    EXPECT_EQ(Bits(probe->Options()), 706u);

    char buffer[MAX_PATH];
    GetTempPathA(MAX_PATH, buffer);
    const AnsiString temp = ExcludeTrailingPathDelimiter(buffer);
    probe->SetSelectedPathName(temp);
    EXPECT_TRUE(SameText(probe->GetSelectedPathName(), temp));
    TUiShellLocator drives;
    drives.SetCSIDL(csidlDrives);
    probe->SetBaseFolder(&drives);
    drives.SetCSIDL(csidlDesktop);
    EXPECT_EQ(probe->BaseFolder()->GetCSIDL(), csidlDrives);
}

}  // namespace
