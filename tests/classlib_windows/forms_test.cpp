// A form with child controls driven by posted messages: lazy handles, clicks through the
// reflected notification, keys and key preview, focus and Tab order, Enter/Esc to the default
// and cancel buttons, the modal loop, exceptions from handlers, freeing with the owner.
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "cl_hooks.h"
#include "test_controls.h"

namespace {

struct Box {
    AnsiString text, caption;
    unsigned flags;
};
std::vector<Box> boxes;

class WindowsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        Application->Initialize();
        Application->SetTitle("Window Tests");
        Hooks().ShowMessageBox = [](const AnsiString& text, const AnsiString& caption,
                                    unsigned flags) {
            boxes.push_back({text, caption, flags});
            return IDOK;
        };
    }
};
const auto* environment = ::testing::AddGlobalTestEnvironment(new WindowsEnvironment);

// A dialog-like form: two edits, OK (default) and Cancel buttons, all in tab order.
class TDialogForm : public TForm {
public:
    explicit TDialogForm(TComponent* owner) : TForm(owner) {
        SetCaption("Dialog");
        SetBorderStyle(bsDialog);
        SetClientWidth(260);
        SetClientHeight(120);
        SetPosition(poScreenCenter);
        First = new TTestEdit(this);
        First->SetParent(this);
        First->SetBounds(10, 10, 120, 21);
        Second = new TTestEdit(this);
        Second->SetParent(this);
        Second->SetBounds(10, 40, 120, 21);
        Ok = new TTestButton(this);
        Ok->SetParent(this);
        Ok->SetCaption("OK");
        Ok->SetBounds(90, 85, 75, 25);
        Ok->Default = true;
        Ok->ModalResult = mrOk;
        CancelButton = new TTestButton(this);
        CancelButton->SetParent(this);
        CancelButton->SetCaption("Cancel");
        CancelButton->SetBounds(175, 85, 75, 25);
        CancelButton->Cancel = true;
        CancelButton->ModalResult = mrCancel;
    }
    TTestEdit* First;
    TTestEdit* Second;
    TTestButton* Ok;
    TTestButton* CancelButton;

protected:
    ~TDialogForm() override = default;
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        boxes.clear();
        owner = new TComponent(nullptr);
        form = new TDialogForm(owner);
    }
    void TearDown() override {
        TObject::Free(owner);
        Application->ProcessMessages();
    }
    void ShowAndSettle() {
        form->Show();
        Application->ProcessMessages();
    }
    TComponent* owner = nullptr;
    TDialogForm* form = nullptr;
};

TEST(MessageNumbers, FixedNumbersHoldTheirValues) {
    const std::pair<UINT, UINT> table[] = {
        {CM_BASE, 0xB000},          {CM_DEACTIVATE, 0xB001},   {CM_CANCELMODE, 0xB004},
        {CM_DIALOGCHAR, 0xB006},    {CM_ENABLEDCHANGED, 0xB00C}, {CM_COLORCHANGED, 0xB00D},
        {CM_FONTCHANGED, 0xB00E},   {CM_MOUSEENTER, 0xB013},   {CM_MOUSELEAVE, 0xB014},
        {CM_SHOWINGCHANGED, 0xB019}, {CN_BASE, 0xBC00},        {CN_NOTIFY, 0xBC4E},
        {CN_COMMAND, 48401},
    };
    for (const auto& [actual, expected] : table) EXPECT_EQ(actual, expected);
}

TEST_F(FormTest, HandlesAreCreatedOnlyWhenTheFormShows) {
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_FALSE(form->First->HandleAllocated());
    EXPECT_EQ(form->ClientWidth(), 260);
    ShowAndSettle();
    ASSERT_TRUE(form->First->HandleAllocated());
    EXPECT_EQ(GetParent(form->First->WindowHandle()), form->WindowHandle());
    EXPECT_EQ(FindControl(form->Ok->WindowHandle()), form->Ok);
    EXPECT_TRUE(IsWindowVisible(form->WindowHandle()));
    EXPECT_EQ(form->ClientWidth(), 260);
    EXPECT_EQ(form->ClientHeight(), 120);
    char className[64];
    GetClassNameA(form->Ok->WindowHandle(), className, sizeof(className));
    EXPECT_NE(std::string(className).find("BUTTON"), std::string::npos);
    EXPECT_EQ(form->Ok->Caption(), "OK");
}

TEST_F(FormTest, ControlsHiddenOrShownWhileTheFormIsHiddenKeepThatStateWhenItShows) {
    ShowAndSettle();
    form->Hide();
    form->First->SetVisible(false);
    form->Second->SetVisible(false);
    form->Second->SetVisible(true);
    ShowAndSettle();
    EXPECT_FALSE(IsWindowVisible(form->First->WindowHandle()));
    EXPECT_TRUE(IsWindowVisible(form->Second->WindowHandle()));
    form->Hide();
    form->First->SetVisible(true);
    ShowAndSettle();
    EXPECT_TRUE(IsWindowVisible(form->First->WindowHandle()));
}

TEST_F(FormTest, ScreenCenterPositionsTheFormWhenShown) {
    ShowAndSettle();
    EXPECT_NEAR(form->Left() + form->Width() / 2, Screen->Width() / 2, 1);
    EXPECT_NEAR(form->Top() + form->Height() / 2, Screen->Height() / 2, 1);
}

TEST_F(FormTest, ButtonClickArrivesThroughTheReflectedCommand) {
    int clicks = 0;
    form->Ok->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, form->Ok);
        ++clicks;
    };
    ShowAndSettle();
    PostClick(form->Ok->WindowHandle());
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(FormTest, KeysReachTheEditAndKeyPreviewSeesThemFirst) {
    std::string order;
    form->SetKeyPreview(true);
    form->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
        order += "form:" + std::to_string(key) + ";";
        if (key == VK_F3) key = 0;
    };
    form->First->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
        order += "edit:" + std::to_string(key) + ";";
    };
    form->First->OnKeyPress = [&](TObject*, char& key) {
        if (key == 'q') key = 0;
    };
    ShowAndSettle();
    HWND edit = form->First->WindowHandle();
    PostMessageA(edit, WM_KEYDOWN, VK_F2, 1);
    PostMessageA(edit, WM_KEYDOWN, VK_F3, 1);
    PostMessageA(edit, WM_CHAR, 'a', 1);
    PostMessageA(edit, WM_CHAR, 'q', 1);
    PostMessageA(edit, WM_CHAR, 'b', 1);
    Application->ProcessMessages();
    EXPECT_EQ(order, "form:113;edit:113;form:114;");
    EXPECT_EQ(form->First->Text(), "ab");
}

TEST_F(FormTest, FocusMovesInTabOrderWithEnterAndExitEvents) {
    std::string events;
    auto log = [&](const char* what) { return [&events, what](TObject*) { events += what; }; };
    form->First->OnEnter = log("enter1;");
    form->First->OnExit = log("exit1;");
    form->Second->OnEnter = log("enter2;");
    form->Second->SetTabOrder(0);
    ShowAndSettle();
    form->First->SetFocus();
    Application->ProcessMessages();
    EXPECT_TRUE(form->First->Focused());
    EXPECT_EQ(form->ActiveControl(), form->First);
    events.clear();
    PostKey(form->First->WindowHandle(), VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return form->Ok->Focused(); }));
    EXPECT_EQ(events, "exit1;");
    EXPECT_EQ(form->ActiveControl(), form->Ok);
    form->Second->SetFocus();
    Application->ProcessMessages();
    EXPECT_EQ(events, "exit1;enter2;");
}

TEST_F(FormTest, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
    std::vector<std::string> clicks;
    form->Ok->OnClick = [&](TObject*) { clicks.push_back("ok"); };
    form->CancelButton->OnClick = [&](TObject*) { clicks.push_back("cancel"); };
    ShowAndSettle();
    form->First->SetFocus();
    PostKey(form->First->WindowHandle(), VK_RETURN);
    PostKey(form->First->WindowHandle(), VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return clicks.size() == 2; }));
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "cancel"}));
    EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(FormTest, ShowModalEndsWithAPostedCloseAsCancel) {
    form->HandleNeeded();
    PostMessageA(form->WindowHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(IsWindowVisible(form->WindowHandle()));
}

TEST_F(FormTest, ShowModalReturnsTheButtonsResultAndHonoursCloseQuery) {
    int queries = 0;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };
    form->OnShow = [&](TObject*) {
        PostClick(form->Ok->WindowHandle());
        PostClick(form->Ok->WindowHandle());
    };
    TForm* other = new TForm(owner);
    other->Show();
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(queries, 2);
    EXPECT_TRUE(IsWindowEnabled(other->WindowHandle()));
}

TEST_F(FormTest, ModalLoopDisablesTheOtherWindows) {
    TForm* other = new TForm(owner);
    other->Show();
    bool otherEnabledDuringModal = true;
    form->OnShow = [&](TObject*) {
        otherEnabledDuringModal = IsWindowEnabled(other->WindowHandle()) != FALSE;
        PostMessageA(form->WindowHandle(), WM_CLOSE, 0, 0);
    };
    form->ShowModal();
    EXPECT_FALSE(otherEnabledDuringModal);
}

TEST_F(FormTest, ExceptionsFromHandlersAreShownAndTheProgramGoesOn) {
    int attempt = 0;
    form->Ok->OnClick = [&](TObject*) {
        ++attempt;
        if (attempt == 1) throw Exception("Comport Unavailable.");
        if (attempt == 2) throw EAbort("silent");
        if (attempt == 3) throw std::runtime_error("standard");
        if (attempt == 4) throw 42;
    };
    ShowAndSettle();
    for (int i = 0; i < 5; ++i) PostClick(form->Ok->WindowHandle());
    EXPECT_TRUE(PumpUntil([&] { return attempt == 5; }));
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Comport Unavailable.");
    EXPECT_EQ(boxes[0].caption, "Window Tests");
    EXPECT_EQ(boxes[0].flags, static_cast<unsigned>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(boxes[1].text, "standard");
    EXPECT_EQ(boxes[2].text, "");
}

struct ForeignError {
    const char* text;
};

TEST_F(FormTest, ForeignExceptionsGoThroughTheTranslationHook) {
    Application->OnTranslateException = [](std::exception_ptr error, AnsiString& text) {
        try {
            std::rethrow_exception(error);
        } catch (ForeignError& e) {
            text = e.text;
            return true;
        } catch (...) {
            return false;
        }
    };
    form->Ok->OnClick = [&](TObject*) { throw ForeignError{"Checksum error"}; };
    ShowAndSettle();
    PostClick(form->Ok->WindowHandle());
    EXPECT_TRUE(PumpUntil([&] { return !boxes.empty(); }));
    Application->OnTranslateException = nullptr;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Checksum error");
}

TEST_F(FormTest, OnExceptionReplacesTheBox) {
    AnsiString seen;
    Application->OnException = [&](TObject*, Exception* e) { seen = e->Message(); };
    form->Ok->OnClick = [&](TObject*) { throw Exception("handled elsewhere"); };
    ShowAndSettle();
    PostClick(form->Ok->WindowHandle());
    EXPECT_TRUE(PumpUntil([&] { return !seen.IsEmpty(); }));
    Application->OnException = nullptr;
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FormTest, FreeingTheOwnerDestroysTheFormAndItsWindows) {
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) {
        destroyed = true;
        EXPECT_TRUE(form->First->HandleAllocated());
    };
    form->DoCreate();
    ShowAndSettle();
    HWND formWindow = form->WindowHandle(), editWindow = form->First->WindowHandle();
    const int forms = Screen->FormCount();
    TObject::Free(owner);
    owner = nullptr;
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(IsWindow(formWindow));
    EXPECT_FALSE(IsWindow(editWindow));
    EXPECT_EQ(Screen->FormCount(), forms - 1);
}

// As a docked form is: a frameless child window on its parent, a framed window of its own again
// when taken off.
TEST_F(FormTest, AFormOnAParentIsAChildWindowThere) {
    ShowAndSettle();
    auto* host = new TForm(owner);
    host->SetBounds(50, 50, 400, 300);
    host->Show();
    form->SetParent(host);
    Application->ProcessMessages();
    HWND window = form->Handle();
    EXPECT_EQ(GetParent(window), host->WindowHandle());
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(form->Showing());
    EXPECT_EQ(GetParent(form->First->Handle()), window) << "the children move along";
    form->SetParent(nullptr);
    Application->ProcessMessages();
    window = form->Handle();
    style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(form->Showing());
    EXPECT_EQ(GetParent(form->First->Handle()), window);
}

TEST_F(FormTest, ReleaseFreesTheFormFromTheMessageLoop) {
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->DoCreate();
    ShowAndSettle();
    form->Release();
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
}

TEST_F(FormTest, CloseHidesAndOnCloseChoosesTheAction) {
    TCloseAction next = caNone;
    form->OnClose = [&](TObject*, TCloseAction& action) { action = next; };
    ShowAndSettle();
    form->Close();
    EXPECT_TRUE(form->Visible());
    next = caHide;
    form->Close();
    EXPECT_FALSE(form->Visible());
}

TEST_F(FormTest, HelpGoesToTheFirstHandlerThatTakesIt) {
    std::vector<std::string> calls;
    auto* events = new TApplicationEvents(owner);
    form->OnHelp = [&](uint16_t command, int data, bool& callHelp) {
        calls.push_back("form " + std::to_string(command) + " " + std::to_string(data));
        callHelp = data != 1073;
        return true;
    };
    events->OnHelp = [&](uint16_t, int, bool& callHelp) {
        calls.push_back("events");
        callHelp = false;
        return true;
    };
    ShowAndSettle();
    EXPECT_TRUE(Application->HelpContext(1073));
    EXPECT_TRUE(Application->HelpCommand(11, 1000));
    EXPECT_EQ(calls, (std::vector<std::string>{"form 1 1073", "form 11 1000", "events"}));
}

TEST_F(FormTest, ParentFontAndColourFollowTheForm) {
    form->Font()->SetName("Arial");
    EXPECT_EQ(form->First->Font()->Name(), "Arial");
    form->First->SetParentColor(true);
    form->SetColor(clYellow);
    EXPECT_EQ(form->First->Color(), clYellow);
    EXPECT_EQ(form->First->Brush()->Color(), clYellow);
    form->Second->Font()->SetName("Courier New");
    EXPECT_FALSE(form->Second->ParentFont());
    form->Font()->SetName("Tahoma");
    EXPECT_EQ(form->Second->Font()->Name(), "Courier New");
}

TEST_F(FormTest, ChildNotificationsAreReflectedAndTheChildAnswers) {
    ShowAndSettle();
    TTestEdit* edit = form->First;
    std::vector<UINT> reflected;
    auto original = edit->WindowProc;
    edit->WindowProc = [&](TMessage& message) {
        if (message.Msg >= CN_BASE && message.Msg != CN_CTLCOLOREDIT) {
            reflected.push_back(message.Msg);
            message.Result = 77;
            return;
        }
        original(message);
    };
    HWND parent = form->WindowHandle(), child = edit->WindowHandle();
    NMHDR header{child, 1, 0};
    EXPECT_EQ(SendMessageA(parent, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header)), 77);
    EXPECT_EQ(SendMessageA(parent, WM_COMMAND, MAKEWPARAM(1, EN_CHANGE),
                           reinterpret_cast<LPARAM>(child)), 77);
    EXPECT_EQ(reflected, (std::vector<UINT>{CN_NOTIFY, CN_COMMAND}));

    edit->SetColor(clYellow);
    edit->Font()->SetColor(clRed);
    HDC dc = GetDC(child);
    const LRESULT brush = SendMessageA(parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(child));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(edit->Brush()->Handle()));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 0));
    EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
    ReleaseDC(child, dc);
    edit->WindowProc = original;
}

DWORD WINAPI AskFromWorker(void* result) {
    *static_cast<int*>(result) =
        Application->MessageBox("Checksum Error!", "Radon", MB_OK | MB_ICONWARNING);
    return 0;
}

TEST(ApplicationMessageBox, WorkerThreadsGoThroughTheHookToo) {
    boxes.clear();
    int answer = 0;
    HANDLE thread = CreateThread(nullptr, 0, AskFromWorker, &answer, 0, nullptr);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    EXPECT_EQ(answer, IDOK);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Radon");
    EXPECT_EQ(boxes[0].flags, static_cast<unsigned>(MB_OK | MB_ICONWARNING));
}

TEST(ScreenCursor, IsAppliedAtOnce) {
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(GetCursor(), Screen->Cursors(crHourGlass));
    EXPECT_EQ(Screen->Cursors(crHourGlass), LoadCursorA(nullptr, IDC_WAIT));
    Screen->SetCursor(crDefault);
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(Screen->PixelsPerInch(), 96);
    EXPECT_GT(Screen->Width(), 0);
}

TEST(UtilityWindow, HandlerRunsInsideTheExceptionBarrier) {
    boxes.clear();
    UINT seen = 0;
    HWND window = nullptr;
    window = AllocateHWnd([&](TMessage& message) {
        if (message.Msg == WM_USER + 1) {
            seen = message.Msg;
            message.Result = 5;
            return;
        }
        if (message.Msg == WM_USER + 2) throw Exception("timer failed");
        message.Result = DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
    });
    EXPECT_EQ(SendMessageA(window, WM_USER + 1, 0, 0), 5);
    EXPECT_EQ(seen, static_cast<UINT>(WM_USER + 1));
    SendMessageA(window, WM_USER + 2, 0, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "timer failed");
    DeallocateHWnd(window);
    EXPECT_FALSE(IsWindow(window));
}

TEST(ApplicationWindow, DeactivationIsPostedAsCmDeactivate) {
    int deactivations = 0;
    Application->OnDeactivate = [&](TObject*) { ++deactivations; };
    SendMessageA(Application->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, Application->Handle(), CM_DEACTIVATE, CM_DEACTIVATE,
                             PM_NOREMOVE));
    EXPECT_FALSE(Application->Active());
    Application->ProcessMessages();
    Application->OnDeactivate = nullptr;
    EXPECT_EQ(deactivations, 1);
}

TEST(Accelerators, AmpersandMarksTheKeyCaseInsensitively) {
    const struct {
        char key;
        const char* caption;
        bool expected;
    } cases[] = {
        {'S', "&Save", true}, {'s', "&Save", true}, {'A', "S&ave", true},
        {'S', "Save", false}, {'S', "&&Save", false}, {'A', "&&S&ave", true},
        {'X', "Exit&", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsAccel(c.key, c.caption), c.expected) << c.caption;
}

// Run ends the process's message loop for good, so it runs in a child process.
class TLoggingForm : public TForm {
public:
    explicit TLoggingForm(TComponent* owner) : TForm(owner) {
        OnDestroy = [this](TObject*) { log += Caption().c_str() + std::string(";"); };
    }
    static std::string log;

protected:
    ~TLoggingForm() override = default;
};
std::string TLoggingForm::log;

int RunApplicationOnce() {
    TLoggingForm* main = nullptr;
    TLoggingForm* second = nullptr;
    Application->CreateForm(main);
    main->SetCaption("main");
    Application->CreateForm(second);
    second->SetCaption("second");
    bool shownByRun = false;
    main->OnShow = [&](TObject*) {
        shownByRun = true;
        PostMessageA(main->WindowHandle(), WM_CLOSE, 0, 0);
    };
    if (Application->MainForm() != main || second->Visible()) return 1;
    Application->Run();
    Application->ProcessMessages();
    if (!shownByRun || !Application->Terminated()) return 2;
    return TLoggingForm::log == "second;main;" ? 0 : 3;
}

TEST(ApplicationRun, ShowsTheMainFormAndFreesTheFormsInReverseOrderWhenItCloses) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(RunApplicationOnce()), ::testing::ExitedWithCode(0), "");
}

}  // namespace
