// Layout and painting: alignment, anchors, constraints, client rectangles, synchronous
// repaint of graphic and custom controls, mouse enter/leave and double clicks, hints, the
// Synchronize wake-up of the application window, and a sample form for a screenshot.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cl_threads.h"
#include "test_controls.h"

namespace {

// A bare container: no window, so its client rectangle is its size.
class TBox : public TWinControl {
public:
    explicit TBox(TComponent* owner) : TWinControl(owner) {
        ControlStyle.insert(csAcceptsControls);
    }

protected:
    ~TBox() override = default;
};

// A control whose interior is inset by a two-pixel border.
class TBordered : public TWinControl {
public:
    explicit TBordered(TComponent* owner) : TWinControl(owner) {}
    TRect GetClientRect() override {
        TRect r = TWinControl::GetClientRect();
        return Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
    }

protected:
    ~TBordered() override = default;
};

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = new TComponent(nullptr);
        box = new TBox(owner);
        box->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override { TObject::Free(owner); }
    TSwatch* Child(TAlign align, TRect bounds) {
        auto* child = new TSwatch(owner);
        child->SetBoundsRect(bounds);
        child->SetAlign(align);
        child->SetParent(box);
        return child;
    }
    TComponent* owner = nullptr;
    TBox* box = nullptr;
};

TEST_F(LayoutTest, AlignedChildrenShareTheClientAreaSideBySide) {
    TSwatch* top = Child(alTop, Bounds(0, 0, 10, 20));
    TSwatch* lowerTop = Child(alTop, Bounds(0, 100, 10, 30));
    TSwatch* bottom = Child(alBottom, Bounds(0, 0, 10, 10));
    TSwatch* left = Child(alLeft, Bounds(0, 0, 50, 10));
    TSwatch* right = Child(alRight, Bounds(0, 0, 60, 10));
    TSwatch* client = Child(alClient, Bounds(0, 0, 10, 10));
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 400, 20));
    EXPECT_EQ(lowerTop->BoundsRect(), Bounds(0, 20, 400, 30));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 290, 400, 10));
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 50, 50, 240));
    EXPECT_EQ(right->BoundsRect(), Bounds(340, 50, 60, 240));
    EXPECT_EQ(client->BoundsRect(), Bounds(50, 50, 290, 240));

    lowerTop->SetTop(-1);
    EXPECT_EQ(lowerTop->BoundsRect(), Bounds(0, 0, 400, 30));
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 30, 400, 20));
    box->SetBounds(0, 0, 500, 400);
    EXPECT_EQ(client->BoundsRect(), Bounds(50, 50, 390, 340));
    right->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), Bounds(50, 50, 450, 340));
}

TEST(Loading, AlignmentWaitsForTheEndOfLoading) {
    auto* root = new TBox(nullptr);
    root->SetBounds(0, 0, 200, 100);
    BeginLoading(root);
    auto* child = new TSwatch(root);
    child->SetAlign(alClient);
    child->SetParent(root);
    EXPECT_EQ(child->BoundsRect(), Bounds(0, 0, 40, 30));
    EndLoading(root);
    EXPECT_EQ(child->BoundsRect(), Bounds(0, 0, 200, 100));
    root->Free();
}

TEST_F(LayoutTest, BorderWidthShrinksTheAlignedArea) {
    box->SetBorderWidth(5);
    TSwatch* client = Child(alClient, Bounds(0, 0, 10, 10));
    EXPECT_EQ(client->BoundsRect(), Bounds(5, 5, 390, 290));
}

TEST_F(LayoutTest, AnchorsKeepEdgeDistancesWhenTheParentResizes) {
    struct Case {
        TAnchors anchors;
        TRect expected;
    };
    const Case cases[] = {
        {{akLeft, akTop}, Bounds(300, 250, 50, 20)},
        {{akRight, akBottom}, Bounds(400, 350, 50, 20)},
        {{akLeft, akRight, akTop}, Bounds(300, 250, 150, 20)},
        {{akLeft, akTop, akBottom}, Bounds(300, 250, 50, 120)},
        {{akTop}, Bounds(350, 250, 50, 20)},
    };
    for (const Case& c : cases) {
        box->SetBounds(0, 0, 400, 300);
        TSwatch* child = Child(alNone, Bounds(300, 250, 50, 20));
        child->SetAnchors(c.anchors);
        box->SetBounds(0, 0, 500, 400);
        EXPECT_EQ(child->BoundsRect(), c.expected);
        child->Free();
    }
}

TEST_F(LayoutTest, ConstraintsClampTheSize) {
    TSwatch* child = Child(alNone, Bounds(0, 0, 50, 50));
    child->Constraints()->SetMaxWidth(100);
    child->Constraints()->SetMinHeight(40);
    child->SetBounds(0, 0, 300, 10);
    EXPECT_EQ(child->Width(), 100);
    EXPECT_EQ(child->Height(), 40);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), Bounds(0, 0, 100, 300));
}

TEST_F(LayoutTest, ClientWidthIsTheInteriorsRightEdge) {
    auto* bordered = new TBordered(owner);
    bordered->SetBounds(0, 0, 100, 50);
    EXPECT_EQ(bordered->ClientWidth(), 98);
    EXPECT_EQ(bordered->ClientHeight(), 48);
    EXPECT_EQ(bordered->ClientRect(), Rect(2, 2, 98, 48));
}

TEST_F(LayoutTest, PerformReachesWindowlessControlsThroughTheReplaceableWindowProc) {
    TSwatch* child = Child(alNone, Bounds(0, 0, 10, 10));
    std::vector<UINT> seen;
    auto original = child->WindowProc;
    child->WindowProc = [&](TMessage& message) {
        seen.push_back(message.Msg);
        original(message);
    };
    child->SetCaption("swatch");
    EXPECT_EQ(child->Caption(), "swatch");
    EXPECT_EQ(child->Perform(CM_HITTEST, 0, 0), HTCLIENT);
    EXPECT_NE(std::find(seen.begin(), seen.end(), CM_TEXTCHANGED), seen.end());
    child->WindowProc = original;
}

// A shown form with a graphic swatch and a custom paint box.
class PaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        owner = new TComponent(nullptr);
        form = new TForm(owner);
        form->SetBounds(50, 50, 300, 200);
        swatch = new TSwatch(owner);
        swatch->SetBounds(10, 10, 40, 30);
        swatch->SetParent(form);
        paintBox = new TPaintBox(owner);
        paintBox->SetBounds(100, 10, 60, 40);
        paintBox->SetParent(form);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { TObject::Free(owner); }
    COLORREF PixelOf(TControl* control, int x, int y) {
        HWND window = form->WindowHandle();
        HDC dc = GetDC(window);
        const TPoint p = form->ScreenToClient(control->ClientToScreen({x, y}));
        const COLORREF pixel = GetPixel(dc, p.X, p.Y);
        ReleaseDC(window, dc);
        return pixel;
    }
    TComponent* owner = nullptr;
    TForm* form = nullptr;
    TSwatch* swatch = nullptr;
    TPaintBox* paintBox = nullptr;
};

TEST_F(PaintTest, RepaintPaintsBeforeItReturns) {
    swatch->Fill = clLime;
    const int before = swatch->Paints;
    swatch->Repaint();
    EXPECT_EQ(swatch->Paints, before + 1);
    EXPECT_EQ(PixelOf(swatch, 5, 5), RGB(0, 255, 0));
    paintBox->Fill = clFuchsia;
    paintBox->Repaint();
    EXPECT_EQ(PixelOf(paintBox, 30, 20), RGB(255, 0, 255));
    EXPECT_EQ(PixelOf(form, 80, 100), static_cast<COLORREF>(ColorToRGB(clBtnFace)));
}

TEST_F(PaintTest, ControlCanvasDrawsOutsidePaint) {
    auto* canvas = new TControlCanvas();
    canvas->SetControl(swatch);
    canvas->Brush()->SetColor(clNavy);
    canvas->FillRect(Rect(0, 0, 10, 10));
    canvas->Free();
    EXPECT_EQ(PixelOf(swatch, 3, 3), RGB(0, 0, 128));
}

TEST_F(PaintTest, MouseEnterAndLeaveReachGraphicAndWindowedControls) {
    std::vector<std::string> log;
    auto track = [&log](TControl* control, const char* name) {
        auto original = control->WindowProc;
        control->WindowProc = [&log, control, name, original](TMessage& message) {
            if (message.Msg == CM_MOUSEENTER || message.Msg == CM_MOUSELEAVE) {
                EXPECT_EQ(message.Control(), control);
                log.push_back(std::string(message.Msg == CM_MOUSEENTER ? "enter " : "leave ") +
                              name);
            }
            original(message);
        };
    };
    UpdateMouseControl(nullptr);
    track(swatch, "swatch");
    track(paintBox, "box");
    track(form, "form");
    SendMessageA(form->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(15, 15));
    SendMessageA(form->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 150));
    SendMessageA(paintBox->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(paintBox->WindowHandle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"enter swatch", "leave swatch", "enter form",
                                             "leave form", "enter box", "leave box"}));
}

TEST_F(PaintTest, DoubleClickIsAMouseDownWithDoubleThenDblClick) {
    std::string events;
    swatch->OnMouseDown = [&](TObject*, TMouseButton, TShiftState shift, int x, int y) {
        events += "down" + std::string(shift.count(ssDouble) ? "+double" : "") + "@" +
                  std::to_string(x) + "," + std::to_string(y) + ";";
    };
    swatch->OnDblClick = [&](TObject*) { events += "dblclick;"; };
    swatch->OnClick = [&](TObject*) { events += "click;"; };
    HWND window = form->WindowHandle();
    EXPECT_TRUE(GetClassLongA(window, GCL_STYLE) & CS_DBLCLKS);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 12));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(15, 12));
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(15, 12));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(15, 12));
    EXPECT_EQ(events, "down@5,2;click;down+double@5,2;dblclick;click;");
}

TEST_F(PaintTest, AGraphicControlKeepsTheMouseWhileAButtonIsDown) {
    std::vector<std::string> moves;
    swatch->OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
        moves.push_back(std::to_string(x) + "," + std::to_string(y));
    };
    HWND window = form->WindowHandle();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    EXPECT_TRUE(swatch->MouseCapture());
    EXPECT_EQ(GetCapture(), window);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 120));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(200, 120));
    EXPECT_FALSE(swatch->MouseCapture());
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(210, 120));
    EXPECT_EQ(moves, (std::vector<std::string>{"190,110"}));
}

TEST_F(PaintTest, HintShowsTheShortPartInAWindowOfTheChosenClass) {
    int created = 0;
    THintWindowClass previous = HintWindowClass;
    HintWindowClass = [&](TComponent* hintOwner) {
        ++created;
        return new THintWindow(hintOwner);
    };
    paintBox->SetHint("Start the test|Starts a new test");
    paintBox->SetShowHint(true);
    Application->ActivateHint(paintBox->ClientToScreen({5, 5}));
    THintWindow* hint = Application->HintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(IsWindowVisible(hint->WindowHandle()));
    EXPECT_EQ(hint->Caption(), "Start the test");
    Application->CancelHint();
    EXPECT_FALSE(hint->HandleAllocated());
    HintWindowClass = previous;
}

TEST_F(PaintTest, ScrollBoxRangeFollowsItsChildrenAndScrollingMovesThem) {
    auto* box = new TScrollBox(owner);
    box->SetBounds(170, 10, 100, 100);
    box->SetParent(form);
    auto* distant = new TSwatch(owner);
    distant->SetBounds(10, 150, 40, 50);
    distant->SetParent(box);
    EXPECT_EQ(box->VertScrollBar()->Range(), 200);
    EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
    box->VertScrollBar()->SetPosition(40);
    EXPECT_EQ(distant->Top(), 110);
    box->VertScrollBar()->SetPosition(0);
    box->ScrollInView(distant);
    EXPECT_LE(distant->Top() + distant->Height(), box->ClientHeight());
    EXPECT_EQ(box->VertScrollBar()->Range(), 200);
    SendMessageA(box->WindowHandle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(distant->Top(), 150);
}

TEST_F(PaintTest, HintAppearsAfterThePauseOverAControlAndGoesOnMouseDown) {
    const int pause = Application->HintPause();
    Application->SetHintPause(30);
    swatch->SetHint("Radon level");
    swatch->SetShowHint(true);
    int hintShows = 0;
    auto original = swatch->WindowProc;
    swatch->WindowProc = [&](TMessage& message) {
        if (message.Msg == CM_HINTSHOW) {
            auto* info = reinterpret_cast<THintInfo*>(message.LParam);
            EXPECT_EQ(info->HintControl, swatch);
            EXPECT_EQ(info->HintStr, "Radon level");
            ++hintShows;
        }
        original(message);
    };
    // The real cursor goes there too: idle processing follows the control under it.
    POINT onSwatch{15, 15};
    ClientToScreen(form->WindowHandle(), &onSwatch);
    SetCursorPos(onSwatch.x, onSwatch.y);
    SendMessageA(form->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 150));
    SendMessageA(form->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(15, 15));
    EXPECT_TRUE(PumpUntil([&] {
        return Application->HintWindow() && Application->HintWindow()->HandleAllocated() &&
               IsWindowVisible(Application->HintWindow()->WindowHandle());
    }));
    EXPECT_EQ(hintShows, 1);
    PostMessageA(form->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    PostMessageA(form->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(15, 15));
    Application->ProcessMessages();
    EXPECT_FALSE(Application->HintWindow()->HandleAllocated());
    swatch->WindowProc = original;
    Application->SetHintPause(pause);
}

class TSyncThread : public TThread {
public:
    explicit TSyncThread(std::function<void()> call) : TThread(true), call_(std::move(call)) {}

protected:
    ~TSyncThread() override = default;
    void Execute() override { Synchronize(call_); }

private:
    std::function<void()> call_;
};

TEST(Synchronize, ProcessMessagesAndTheMessageLoopRunQueuedCalls) {
    Application->Initialize();
    for (bool useHandleMessage : {false, true}) {
        DWORD ranOn = 0;
        auto* thread = new TSyncThread([&] { ranOn = GetCurrentThreadId(); });
        thread->Start();
        const UINT_PTR guard = SetTimer(nullptr, 0, 200, nullptr);
        const DWORD start = GetTickCount();
        while (!ranOn && GetTickCount() - start < 5000) {
            if (useHandleMessage)
                Application->HandleMessage();
            else
                Application->ProcessMessages();
        }
        KillTimer(nullptr, guard);
        EXPECT_EQ(ranOn, MainThreadID);
        thread->WaitFor();
        thread->Free();
    }
}

TEST(Synchronize, AMainThreadWaitServicesTheWorker) {
    Application->Initialize();
    bool ran = false;
    auto* thread = new TSyncThread([&] { ran = true; });
    thread->Start();
    thread->WaitFor();
    EXPECT_TRUE(ran);
    thread->Free();
}

// Shows a sample form for a screenshot when CLASSLIB_SAMPLE_SECONDS is set.
TEST(SampleForm, ShowsForAScreenshot) {
    const char* seconds = std::getenv("CLASSLIB_SAMPLE_SECONDS");
    if (!seconds) GTEST_SKIP() << "set CLASSLIB_SAMPLE_SECONDS to look at the sample form";
    Application->Initialize();
    auto* owner = new TComponent(nullptr);
    auto* form = new TForm(owner);
    form->SetCaption("Sample form");
    form->SetBounds(40, 40, 360, 240);
    auto* top = new TPaintBox(owner);
    top->Fill = clTeal;
    top->SetHeight(30);
    top->SetAlign(alTop);
    top->SetParent(form);
    auto* side = new TPaintBox(owner);
    side->Fill = clSilver;
    side->SetWidth(80);
    side->SetAlign(alLeft);
    side->SetParent(form);
    auto* swatch = new TSwatch(owner);
    swatch->SetBounds(100, 50, 60, 40);
    swatch->SetParent(form);
    auto* edit = new TTestEdit(owner);
    edit->SetBounds(100, 110, 150, 21);
    edit->SetParent(form);
    edit->SetText("Edit text");
    auto* ok = new TTestButton(owner);
    ok->SetCaption("OK");
    ok->SetBounds(260, 170, 75, 25);
    ok->SetAnchors({akRight, akBottom});
    ok->SetParent(form);
    form->Show();
    const DWORD until = GetTickCount() + static_cast<DWORD>(std::atoi(seconds) * 1000);
    while (GetTickCount() < until) {
        Application->ProcessMessages();
        Sleep(20);
    }
    owner->Free();
}

}  // namespace
