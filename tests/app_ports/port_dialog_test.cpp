// The Select Serial Port command: the dialog lists the ports that open now and preselects the
// one in use; Save switches to the chosen port and stores it, Cancel keeps the port; the port is
// closed while the dialog is open and reopened after it, even when the list is empty.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include "portselect.h"
#include "ports_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new PortsEnvironment);

std::function<void(TSelectPortDlg&)>& PendingDialogAction() {
    static std::function<void(TSelectPortDlg&)> action;
    return action;
}

void CALLBACK CheckForPortDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    TSelectPortDlg* dialog = Monitor->PortDialog;
    if (!dialog || !dialog->Showing()) return;
    KillTimer(nullptr, timer);
    auto action = std::move(PendingDialogAction());
    action(*dialog);
}

// Runs `command` (which opens the port dialog modally) and `action` on the dialog from inside
// its modal loop, once the dialog shows.
void WithPortDialog(const std::function<void()>& command,
                    std::function<void(TSelectPortDlg&)> action) {
    PendingDialogAction() = std::move(action);
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, CheckForPortDialog);
    struct TimerGuard {
        UINT_PTR id;
        ~TimerGuard() { KillTimer(nullptr, id); }
    } guard{timer};
    command();
}

std::vector<AnsiString> Entries(const TSelectPortDlg& dialog) {
    std::vector<AnsiString> entries;
    TStrings* items = dialog.PortComboBox->Items();
    for (int i = 0; i < items->Count(); ++i) entries.push_back(items->Strings(i));
    return entries;
}

bool Listed(const TSelectPortDlg& dialog, const char* port) {
    const auto entries = Entries(dialog);
    return std::find(entries.begin(), entries.end(), AnsiString(port)) != entries.end();
}

AnsiString SelectedEntry(const TSelectPortDlg& dialog) {
    const int index = dialog.PortComboBox->ItemIndex();
    return index < 0 ? AnsiString() : dialog.PortComboBox->Items()->Strings(index);
}

void Press(TButton* button) { PostMessageA(button->WindowHandle(), BM_CLICK, 0, 0); }

void SelectEntry(TSelectPortDlg& dialog, const char* port) {
    dialog.PortComboBox->SetItemIndex(dialog.PortComboBox->Items()->IndexOf(port));
}

// Keeps the dialog on screen for PORTS_DIALOG_SECONDS, so that a screenshot can be taken.
void HoldForScreenshot() {
    const char* seconds = std::getenv("PORTS_DIALOG_SECONDS");
    if (!seconds) return;
    PumpUntil([] { return false; }, std::atoi(seconds) * 1000);
}

TEST(SelectPortDlgTest, PortNumbersOfEntriesAndTheHiddenInformation) {
    auto* dialog = new TSelectPortDlg(nullptr, false);
    for (const char* entry : {"COM7", "COM12", "COM", "COMx", "LPT1"})
        dialog->PortComboBox->Items()->Add(entry);
    const int expected[] = {7, 12, -1, -1, 1};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(dialog->PortNumberAt(i), expected[i]) << i;
    EXPECT_EQ(dialog->PortNumberAt(5), -1);
    EXPECT_EQ(dialog->PortNumberAt(-1), -1);
    dialog->PortComboBox->SetItemIndex(1);
    EXPECT_EQ(dialog->SelectedPort(), 12);
    dialog->Show();
    Application->ProcessMessages();
    EXPECT_FALSE(dialog->InformationLabel->Visible());
    dialog->Free();
}

TEST_F(PortsTest, DialogListsThePortsThatOpenAndPreselectsThePortInUse) {
    UsePort(7);
    std::vector<int> helpRequests;
    Application->OnHelp = [&](uint16_t command, int data, bool& callHelp) {
        helpRequests.push_back(command == HELP_CONTEXT_COMMAND ? data : -1);
        callHelp = false;
        return true;
    };
    WithPortDialog([] { RadonMainForm->SerialPort1Click(nullptr); },
                   [&](TSelectPortDlg& dialog) {
                       EXPECT_FALSE(Monitor->Open());
                       EXPECT_EQ(dialog.Caption(), "Select Port");
                       EXPECT_EQ(dialog.Width(), 263);
                       EXPECT_EQ(dialog.Height(), 201);
                       EXPECT_EQ(dialog.Label1->Caption(), "Select the Proper Port");
                       EXPECT_TRUE(dialog.InformationLabel->Visible());
                       EXPECT_FALSE(dialog.FindButton->Visible());
                       EXPECT_EQ(dialog.HelpContext(), 1073);
                       for (const char* port : {"COM5", "COM6", "COM7", "COM8"})
                           EXPECT_TRUE(Listed(dialog, port)) << port;
                       EXPECT_FALSE(Listed(dialog, "COM9"));
                       EXPECT_EQ(SelectedEntry(dialog), "COM7");
                       EXPECT_EQ(dialog.SelectedPort(), 7);
                       HoldForScreenshot();
                       Press(dialog.HelpBtn);
                       PumpUntil([&] { return !helpRequests.empty(); });
                       Press(dialog.Cancel);
                   });
    Application->OnHelp = nullptr;
    EXPECT_EQ(helpRequests, std::vector<int>{1073});
    EXPECT_EQ(Monitor->PortDialog, nullptr);
    EXPECT_EQ(Monitor->Port(), 7u);
    EXPECT_TRUE(Monitor->Open());
    EXPECT_EQ(StoredPort(), 3);
    EXPECT_TRUE(ReachesPeer(8));
}

TEST_F(PortsTest, ConfiguredPortThatIsAbsentSelectsTheFirstEntry) {
    UsePort(8);
    int result = -1;
    AnsiString selected, first;
    WithPortDialog([&] { result = Monitor->GetComPortDlg(RadonMainForm, 9, 1073); },
                   [&](TSelectPortDlg& dialog) {
                       selected = SelectedEntry(dialog);
                       first = dialog.PortComboBox->Items()->Strings(0);
                       Press(dialog.Cancel);
                   });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(selected, first);
    EXPECT_NE(selected, "COM8");
    EXPECT_EQ(Monitor->Port(), 8u);
    EXPECT_TRUE(Monitor->Open());
}

TEST_F(PortsTest, SaveSwitchesToTheChosenPortAndStoresIt) {
    WithPortDialog([] { RadonMainForm->SerialPort1Click(nullptr); },
                   [](TSelectPortDlg& dialog) {
                       EXPECT_EQ(SelectedEntry(dialog), "COM5");
                       SelectEntry(dialog, "COM8");
                       Press(dialog.Save);
                   });
    EXPECT_EQ(Monitor->Port(), 8u);
    EXPECT_TRUE(Monitor->Open());
    EXPECT_EQ(StoredPort(), 8);
    EXPECT_TRUE(ReachesPeer(7));
}

// The adapter of the chosen port is pulled out while the dialog is open.
TEST_F(PortsTest, AChosenPortThatNoLongerOpensLeavesNoPortAndStoresNothing) {
    AnsiString error;
    try {
        WithPortDialog([] { RadonMainForm->SerialPort1Click(nullptr); },
                       [](TSelectPortDlg& dialog) {
                           dialog.PortComboBox->Items()->Add("COM9");
                           SelectEntry(dialog, "COM9");
                           Press(dialog.Save);
                       });
    } catch (const Exception& e) {
        error = e.Message();
    }
    EXPECT_EQ(error, "Set Serial port before Starting");
    EXPECT_EQ(Monitor->PortDialog, nullptr);
    EXPECT_EQ(Monitor->Port(), 0u);
    EXPECT_FALSE(Monitor->Open());
    EXPECT_EQ(StoredPort(), 3);
}

// This machine always has the linked ports, so the list is emptied as no port had opened.
TEST_F(PortsTest, SaveWithAnEmptyListKeepsThePortReopensAndStoresIt) {
    WithPortDialog([] { RadonMainForm->SerialPort1Click(nullptr); },
                   [](TSelectPortDlg& dialog) {
                       dialog.PortComboBox->Items()->Clear();
                       EXPECT_EQ(dialog.SelectedPort(), -1);
                       EXPECT_EQ(dialog.PortNumberAt(0), -1);
                       Press(dialog.Save);
                   });
    EXPECT_EQ(Monitor->Port(), 5u);
    EXPECT_TRUE(Monitor->Open());
    EXPECT_EQ(StoredPort(), 5);
}

}  // namespace
