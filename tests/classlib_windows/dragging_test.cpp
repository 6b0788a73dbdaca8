// Mouse dragging driven by real mouse and key messages: the threshold, what the controls under
// the pointer are asked and told, drops, cancels, automatic drags of a list box, and docking
// drags onto a site or into a floating window.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cl_docking.h"
#include "cl_dragging.h"
#include "cl_extctrls.h"
#include "cl_stdctrls.h"
#include "test_controls.h"

namespace {

class DraggingEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!Application->Handle()) Application->Initialize();
    }
};
const auto* environment = ::testing::AddGlobalTestEnvironment(new DraggingEnvironment);

// Sends a mouse message as the system would: to the window holding the capture, else to the
// window under the point, in that window's client coordinates.
void SendMouse(UINT msg, TPoint screen, WPARAM keys = MK_LBUTTON) {
    HWND window = GetCapture();
    if (!window) window = WindowFromPoint({screen.X, screen.Y});
    POINT local{screen.X, screen.Y};
    ScreenToClient(window, &local);
    SendMessageA(window, msg, keys, MAKELPARAM(local.x, local.y));
}

TPoint At(TControl* control, int x, int y) { return control->ClientToScreen({x, y}); }

std::string Name(TObject* object) {
    auto* component = dynamic_cast<TComponent*>(object);
    return component ? component->Name().str() : "null";
}

const char* StateName(TDragState state) {
    return state == dsDragEnter ? "enter" : state == dsDragLeave ? "leave" : "move";
}

class DraggingTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = new TComponent(nullptr);
        form = new TForm(owner);
        form->SetBounds(60, 60, 460, 320);
        source = PlaceControl<TPaintBox>(owner, form, "Source", 20, 20, 60, 40);
        taker = PlaceControl<TSwatch>(owner, form, "Taker", 200, 20, 60, 40);
        refuser = PlaceControl<TPaintBox>(owner, form, "Refuser", 200, 120, 60, 40);
        source->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
            source->BeginDrag(false);
        };
        source->OnClick = [this](TObject*) { log.push_back("click"); };
        source->OnStartDrag = [this](TObject*, TDragObject*&) { log.push_back("start"); };
        source->OnEndDrag = [this](TObject*, TObject* target, int x, int y) {
            log.push_back("end " + Name(target) + " " + std::to_string(x) + "," +
                          std::to_string(y));
        };
        for (TControl* target : std::vector<TControl*>{source, taker, refuser}) {
            target->OnDragOver = [this, target](TObject*, TObject* from, int x, int y,
                                                TDragState state, bool& accept) {
                EXPECT_EQ(from, source);
                log.push_back(Name(target) + " " + StateName(state) + " " + std::to_string(x) +
                              "," + std::to_string(y));
                accept = target == taker;
            };
            target->OnDragDrop = [this, target](TObject*, TObject* from, int x, int y) {
                EXPECT_EQ(from, source);
                log.push_back(Name(target) + " drop " + std::to_string(x) + "," +
                              std::to_string(y));
            };
        }
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        TObject::Free(owner);
        Application->ProcessMessages();
    }
    // Presses on the source and moves on to the taker, the drag running.
    void DragOntoTaker() {
        SendMouse(WM_LBUTTONDOWN, At(source, 10, 10));
        SendMouse(WM_MOUSEMOVE, At(source, 20, 10));
        SendMouse(WM_MOUSEMOVE, At(taker, 5, 6));
        ASSERT_TRUE(source->Dragging());
        log.clear();
    }

    TComponent* owner = nullptr;
    TForm* form = nullptr;
    TPaintBox* source = nullptr;
    TSwatch* taker = nullptr;
    TPaintBox* refuser = nullptr;
    std::vector<std::string> log;
};

TEST_F(DraggingTest, TheDragStartsPastTheThresholdAndVisitsTheControlsUnderThePointer) {
    SendMouse(WM_LBUTTONDOWN, At(source, 10, 10));
    EXPECT_TRUE(source->Dragging());
    EXPECT_EQ(GetCapture(), source->Handle());
    // Five pixels are within the default threshold: the source still sees its moves.
    int moves = 0;
    source->OnMouseMove = [&](TObject*, TShiftState, int, int) { ++moves; };
    SendMouse(WM_MOUSEMOVE, At(source, 15, 5));
    EXPECT_EQ(moves, 1);
    EXPECT_TRUE(log.empty());
    SendMouse(WM_MOUSEMOVE, At(source, 16, 10));
    SendMouse(WM_MOUSEMOVE, At(source, 18, 11));
    SendMouse(WM_MOUSEMOVE, At(taker, 5, 6));
    EXPECT_EQ(GetCursor(), Screen->Cursors(crDrag));
    SendMouse(WM_MOUSEMOVE, At(refuser, 7, 8));
    EXPECT_EQ(GetCursor(), Screen->Cursors(crNoDrop));
    SendMouse(WM_MOUSEMOVE, At(taker, 30, 31));
    SendMouse(WM_LBUTTONUP, At(taker, 31, 32), 0);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(log, (std::vector<std::string>{
                       "start", "Source enter 16,10", "Source move 18,11", "Source leave 185,6",
                       "Taker enter 5,6", "Taker leave 7,108", "Refuser enter 7,8",
                       "Refuser leave 30,-69", "Taker enter 30,31", "Taker move 31,32",
                       "Taker leave 31,32", "Taker drop 31,32", "end Taker 31,32"}));
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DraggingTest, AReleaseWithinTheThresholdIsAClick) {
    SendMouse(WM_LBUTTONDOWN, At(source, 10, 10));
    SendMouse(WM_MOUSEMOVE, At(source, 13, 12));
    SendMouse(WM_LBUTTONUP, At(source, 13, 12), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"click"}));
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(GetCapture(), nullptr);
    // A drag begun with a threshold of its own waits for it.
    source->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
        source->BeginDrag(false, 20);
    };
    SendMouse(WM_LBUTTONDOWN, At(source, 10, 10));
    SendMouse(WM_MOUSEMOVE, At(source, 30, 30));
    EXPECT_EQ(log.size(), 1u);
    SendMouse(WM_MOUSEMOVE, At(source, 31, 10));
    EXPECT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1], "start");
}

TEST_F(DraggingTest, ADragEndsByDropOrCancelAndAlwaysTellsTheSource) {
    const std::vector<std::pair<std::string, std::function<void()>>> endings = {
        {"release", [&] { SendMouse(WM_LBUTTONUP, At(taker, 5, 6), 0); }},
        {"a move without the button (the release was lost)",
         [&] { SendMouse(WM_MOUSEMOVE, At(taker, 5, 6), 0); }},
        {"release over a refusing control",
         [&] { SendMouse(WM_LBUTTONUP, At(refuser, 1, 2), 0); }},
        {"escape",
         [&] {
             PostKey(form->Handle(), VK_ESCAPE);
             ASSERT_TRUE(PumpUntil([&] { return !source->Dragging(); }));
         }},
        {"lost capture", [&] { SetCapture(form->Handle()); }},
        {"EndDrag(true)", [&] { source->EndDrag(true); }},
        {"EndDrag(false)", [&] { source->EndDrag(false); }},
    };
    const std::vector<std::vector<std::string>> expected = {
        {"Taker move 5,6", "Taker leave 5,6", "Taker drop 5,6", "end Taker 5,6"},
        {"Taker move 5,6", "Taker leave 5,6", "Taker drop 5,6", "end Taker 5,6"},
        {"Taker leave 1,102", "Refuser enter 1,2", "Refuser leave 1,2", "end null 0,0"},
        {"Taker leave 5,6", "end null 0,0"},
        {"Taker leave 5,6", "end null 0,0"},
        {"Taker leave 5,6", "Taker drop 5,6", "end Taker 5,6"},
        {"Taker leave 5,6", "end null 0,0"},
    };
    for (size_t i = 0; i < endings.size(); ++i) {
        SCOPED_TRACE(endings[i].first);
        DragOntoTaker();
        endings[i].second();
        EXPECT_EQ(log, expected[i]);
        EXPECT_FALSE(source->Dragging());
        ReleaseCapture();
        // The key or release that ended the drag left no drag behind.
        SendMouse(WM_MOUSEMOVE, At(taker, 9, 9), 0);
        EXPECT_EQ(log, expected[i]);
    }
}

TEST_F(DraggingTest, ControlsFreedDuringADragAreForgotten) {
    DragOntoTaker();
    taker->Free();
    SendMouse(WM_LBUTTONUP, At(form, 230, 40), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"end null 0,0"}));
    // The dragged control itself: the control under the pointer lets go, nothing is left
    // holding the mouse.
    refuser->OnDragOver = [this](TObject*, TObject*, int, int, TDragState state, bool& accept) {
        log.push_back(StateName(state));
        accept = false;
    };
    SendMouse(WM_LBUTTONDOWN, At(source, 10, 10));
    SendMouse(WM_MOUSEMOVE, At(refuser, 5, 5));
    source->Free();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(DragControl(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"end null 0,0", "start", "enter", "leave"}));
}

TEST_F(DraggingTest, AnAutomaticListDragLetsTheListSelectAndDropsOnALine) {
    auto* list = PlaceControl<TListBox>(owner, form, "List", 300, 20, 120, 200);
    for (const char* line : {"one", "two", "three", "four", "five", "six"})
        list->Items()->Add(line);
    list->SetDragMode(dmAutomatic);
    list->OnDragOver = [&](TObject*, TObject* from, int, int, TDragState, bool& accept) {
        accept = from == list;
    };
    int dropLine = -1;
    list->OnDragDrop = [&](TObject*, TObject*, int x, int y) {
        dropLine = list->ItemAtPos({x, y}, true);
    };
    const int lineHeight = list->ItemHeight();
    auto line = [&](int index) { return At(list, 10, index * lineHeight + lineHeight / 2); };
    SendMouse(WM_LBUTTONDOWN, line(1));
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_TRUE(list->Dragging());
    SendMouse(WM_MOUSEMOVE, line(3));
    SendMouse(WM_MOUSEMOVE, line(4));
    SendMouse(WM_LBUTTONUP, line(4), 0);
    EXPECT_EQ(dropLine, 4);
    EXPECT_FALSE(list->Dragging());
    EXPECT_EQ(GetCapture(), nullptr);
    // The list does not go on tracking the pointer as if its button were down.
    const int selected = list->ItemIndex();
    SendMouse(WM_MOUSEMOVE, line(5), 0);
    EXPECT_EQ(list->ItemIndex(), selected);
}

// A panel that docks by dragging onto a panel site, or floats.
class DockDraggingTest : public DraggingTest {
protected:
    void SetUp() override {
        DraggingTest::SetUp();
        site = PlaceControl<TPanel>(owner, form, "Site", 20, 180, 160, 100);
        site->SetDockSite(true);
        site->OnDockOver = [this](TObject*, TDragDockObject*, int, int, TDragState state,
                                  bool& accept) {
            log.push_back(std::string("site ") + StateName(state));
            accept = acceptDock;
        };
        panel = PlaceControl<TPanel>(owner, form, "Docker", 300, 100, 80, 50);
        panel->SetDragKind(dkDock);
        panel->SetDragMode(dmAutomatic);
        panel->OnStartDock = [this](TObject*, TDragDockObject*&) { log.push_back("start dock"); };
        panel->OnEndDock = [this](TObject*, TObject* target, int, int) {
            log.push_back("end dock " + Name(target));
        };
        Application->ProcessMessages();
    }
    void Drag(TPoint to, bool release = true) {
        SendMouse(WM_LBUTTONDOWN, At(panel, 10, 10));
        SendMouse(WM_MOUSEMOVE, At(panel, 30, 10));
        SendMouse(WM_MOUSEMOVE, to);
        if (release) SendMouse(WM_LBUTTONUP, to, 0);
    }

    TPanel* site = nullptr;
    TPanel* panel = nullptr;
    bool acceptDock = true;
};

TEST_F(DockDraggingTest, DroppedOnASiteTheControlDocks) {
    Drag(At(site, 50, 50));
    EXPECT_EQ(panel->HostDockSite(), site);
    EXPECT_EQ(panel->Parent(), site);
    EXPECT_EQ(log, (std::vector<std::string>{"start dock", "site enter", "site move",
                                             "site leave", "end dock Site"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DockDraggingTest, OutsideAnySiteOrOverARefusingOneTheControlFloatsWhereItWasDragged) {
    for (bool overSite : {false, true}) {
        SCOPED_TRACE(overSite ? "refusing site" : "no site");
        acceptDock = !overSite;
        const TPoint topLeft = At(panel, 0, 0), pressed = At(panel, 10, 10);
        const TPoint to = overSite ? At(site, 50, 50) : At(panel, 210, 160);
        Drag(to);
        ASSERT_TRUE(panel->Floating());
        TWinControl* host = panel->HostDockSite();
        EXPECT_EQ(host->BoundsRect().TopLeft(),
                  TPoint(topLeft.X + to.X - pressed.X, topLeft.Y + to.Y - pressed.Y));
        EXPECT_EQ(panel->Height(), 50);
        EXPECT_EQ(log.back(), "end dock null");
        log.clear();
    }
}

TEST_F(DockDraggingTest, EscapeLeavesTheControlWhereItWas) {
    Drag(At(site, 50, 50), false);
    PostKey(form->Handle(), VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !panel->Dragging(); }));
    EXPECT_EQ(panel->HostDockSite(), nullptr);
    EXPECT_EQ(panel->Parent(), form);
    EXPECT_EQ(log, (std::vector<std::string>{"start dock", "site enter", "site leave",
                                             "end dock null"}));
}

}  // namespace
