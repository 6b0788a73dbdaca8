// Toolbar: placing controls in rows and columns with wrapping and self-sizing, the chevron of
// a non-wrapping toolbar, the button-setting messages and the layout kept in a settings store.
#include <cstdio>
#include <functional>
#include <vector>

#include "../controls_buttons/form_fixture.h"
#include "UiColors.h"
#include "UiCommon.h"
#include "UiPopupPanel.h"
#include "UiRegIniFile.h"
#include "UiSpacer.h"
#include "UiToolbar.h"
#include "UiToolButton.h"
#include "UiToolbarChevron.h"
#include "cl_filer.h"
#include "cl_streams.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

// A graphic control that remembers the toolbar messages it received.
class Probe : public TGraphicControl {
public:
    explicit Probe(TComponent* owner) : TGraphicControl(owner) {}
    void Dispatch(TMessage& message) override {
        if (message.Msg >= CM_TOOLBARSHOWCAPTIONCHANGED && message.Msg <= CM_TOOLBARVISUALSTYLECHANGED)
            received.push_back(message.Msg);
        TGraphicControl::Dispatch(message);
    }
    std::vector<UINT> received;
};

class ToolbarTest : public FormTest {
protected:
    TUiToolbar* AddToolbar(int width, const std::vector<int>& widths) {
        toolbar = new TUiToolbar(form);
        toolbar->SetName("Bar");
        toolbar->SetParent(form);
        toolbar->SetAlign(alNone);
        toolbar->SetBounds(0, 0, width, 32);
        for (size_t i = 0; i < widths.size(); ++i) {
            auto* spacer = new TUiSpacer(form);
            spacer->SetName("Item" + IntToStr(static_cast<int>(i)));
            spacer->SetBounds(0, 0, widths[i], 25);
            spacer->SetParent(toolbar);
            items.push_back(spacer);
        }
        return toolbar;
    }
    TUiToolbar* toolbar = nullptr;
    std::vector<TUiSpacer*> items;
};

struct RowCase {
    const char* name;
    int width;
    std::vector<int> widths;
    std::vector<int> hidden;
    std::vector<std::pair<int, int>> places;  // left, top of each item (hidden ones skipped)
    int height;
};

TEST_F(ToolbarTest, PlacesControlsInWrappingRowsAndFitsItsHeight) {
    const RowCase cases[] = {
        {"sixth wraps", 300, {60, 60, 60, 8, 60, 60}, {},
         {{4, 2}, {64, 2}, {124, 2}, {184, 2}, {192, 2}, {4, 27}}, 54},
        {"exact fit stays", 300, {60, 60, 60, 60, 52}, {},
         {{4, 2}, {64, 2}, {124, 2}, {184, 2}, {244, 2}}, 29},
        {"first never wraps", 100, {150, 20}, {}, {{4, 2}, {4, 27}}, 54},
        {"hidden takes no room", 200, {60, 60, 60, 60}, {1},
         {{4, 2}, {0, 0}, {64, 2}, {124, 2}}, 29},
        {"three rows", 100, {60, 60, 60}, {}, {{4, 2}, {4, 27}, {4, 52}}, 79},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.name);
        AddToolbar(c.width, c.widths);
        for (int h : c.hidden) items[h]->SetVisible(false);
        toolbar->PositionControls();
        for (size_t i = 0; i < items.size(); ++i) {
            if (!items[i]->Visible()) continue;
            EXPECT_EQ(items[i]->Left(), c.places[i].first) << i;
            EXPECT_EQ(items[i]->Top(), c.places[i].second) << i;
        }
        EXPECT_EQ(toolbar->Height(), c.height);
        toolbar->Free();
        items.clear();
    }
}

TEST_F(ToolbarTest, ColumnsOfAVerticalLeftAlignedToolbar) {
    AddToolbar(32, {100, 100, 100});
    toolbar->SetAlign(alLeft);
    toolbar->SetOrientation(orVertical);
    // Spacers turn with the toolbar.
    EXPECT_EQ(items[0]->Width(), 25);
    EXPECT_EQ(items[0]->Height(), 100);
    const int height = toolbar->Height();
    ASSERT_GT(height, 4 + 200 + 4);
    ASSERT_LT(height, 4 + 300 + 4);
    const std::pair<int, int> places[] = {{4, 4}, {4, 104}, {29, 4}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items[i]->Left(), places[i].first) << i;
        EXPECT_EQ(items[i]->Top(), places[i].second) << i;
    }
    EXPECT_EQ(toolbar->Width(), 2 * 25 + 2 + 2);
    EXPECT_EQ(toolbar->Chevron(), nullptr);
}

TEST_F(ToolbarTest, NonWrappingToolbarShowsTheChevronFromTheLastLayout) {
    AddToolbar(150, {60, 60, 60});
    toolbar->SetWrapControls(false);
    // The decision reads the last control's place from the layout before.
    toolbar->PositionControls();
    ASSERT_NE(toolbar->Chevron(), nullptr);
    EXPECT_TRUE(toolbar->ChevronShown());
    EXPECT_EQ(items[2]->Left(), 124);
    EXPECT_EQ(items[2]->Top(), 2);
    toolbar->Realign();
    TUiToolbarPopupButton* chevron = toolbar->Chevron();
    EXPECT_TRUE(chevron->Visible());
    EXPECT_EQ(chevron->Left(), 150 - 14);
    EXPECT_EQ(chevron->Width(), 14);
    EXPECT_EQ(chevron->Height(), toolbar->Height());
    EXPECT_EQ(toolbar->ToolbarControls()->IndexOf(chevron), -1);

    toolbar->SetWidth(400);
    toolbar->PositionControls();
    EXPECT_FALSE(toolbar->ChevronShown());
    EXPECT_FALSE(chevron->Visible());

    toolbar->SetWidth(150);
    toolbar->SetWrapControls(true);
    EXPECT_EQ(items[2]->Top(), 27);
    EXPECT_FALSE(chevron->Visible());
}

TEST_F(ToolbarTest, ChevronIsDrawnDownOnlyWhilePressedOverIt) {
    AddToolbar(150, {60, 60, 60});
    toolbar->SetVisualStyle(vsClassic);
    toolbar->SetWrapControls(false);
    toolbar->PositionControls();
    toolbar->Realign();
    TUiToolbarPopupButton* chevron = toolbar->Chevron();
    ASSERT_NE(chevron, nullptr);
    Application->ProcessMessages();
    HWND window = chevron->WindowHandle();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(chevron->IsDown());
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 5));
    EXPECT_FALSE(chevron->IsDown());
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(chevron->IsDown());
    // Released outside: no drop-down (a release over it drops one down, tested below).
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 5));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(40, 5));
    EXPECT_FALSE(chevron->IsDown());

    // The glyph: a bar and a downward triangle in black, centred near the bottom.
    Snapshot shot(form);
    const int x = chevron->Left() + 7, y = chevron->Top() + chevron->Height() - 4;
    EXPECT_EQ(shot.At(x, y), clBlack);
    EXPECT_EQ(shot.At(x - 3, y - 3), clBlack);
    EXPECT_EQ(shot.At(x + 3, y - 3), clBlack);
    EXPECT_NE(shot.At(x - 1, y), clBlack);
    EXPECT_EQ(shot.At(x + 3, y - 5), clBlack);
    const TColor frame = AdjustColor(toolbar->FlatColor(), toolbar->FlatColorAdjustment());
    EXPECT_EQ(chevron->FrameColor(), frame);
    EXPECT_EQ(shot.At(chevron->Left(), chevron->Top() + 5), ColorToRGB(frame));
}

TEST_F(ToolbarTest, ButtonSettingsReachEveryChildAndTurnTextOptionsCustom) {
    AddToolbar(300, {});
    auto* probe = new Probe(form);
    probe->SetParent(toolbar);
    toolbar->SetTextOptions(ttoShowTextLabels);
    EXPECT_EQ(toolbar->TextOptions(), ttoShowTextLabels);
    EXPECT_EQ(toolbar->ButtonLayout(), blGlyphTop);
    EXPECT_EQ(toolbar->ButtonWidth(), 60);
    EXPECT_EQ(toolbar->ButtonHeight(), 40);
    EXPECT_EQ(toolbar->RowHeight(), 40);
    EXPECT_TRUE(toolbar->ShowButtonCaptions());
    EXPECT_EQ(probe->received,
              (std::vector<UINT>{CM_TOOLBARBUTTONLAYOUTCHANGED, CM_TOOLBARSHOWCAPTIONCHANGED,
                                 CM_TOOLBARBUTTONSIZECHANGED, CM_TOOLBARBUTTONSIZECHANGED}));

    probe->received.clear();
    toolbar->SetButtonWidth(70);
    EXPECT_EQ(toolbar->TextOptions(), ttoCustom);
    toolbar->SetVisualStyle(vsGradient);
    toolbar->SetGradientColorStyle(gcsMSOffice);
    toolbar->SetButtonWidth(70);
    EXPECT_EQ(probe->received,
              (std::vector<UINT>{CM_TOOLBARBUTTONSIZECHANGED, CM_TOOLBARVISUALSTYLECHANGED,
                                 CM_TOOLBARVISUALSTYLECHANGED}));

    toolbar->SetTextOptions(ttoSelectiveTextOnRight);
    EXPECT_EQ(toolbar->ButtonLayout(), blGlyphLeft);
    EXPECT_EQ(toolbar->ButtonWidth(), 60);
    EXPECT_EQ(toolbar->ButtonHeight(), 25);
    EXPECT_EQ(toolbar->RowHeight(), 25);
}

TEST_F(ToolbarTest, BackgroundIsTiledOverTheClientArea) {
    AddToolbar(100, {});
    toolbar->SetShowDivider(false);
    TBitmap tile;
    tile.SetSize(7, 5);
    tile.Canvas()->Brush()->SetColor(clRed);
    tile.Canvas()->FillRect(TRect(0, 0, 7, 5));
    tile.Canvas()->Brush()->SetColor(clBlue);
    tile.Canvas()->FillRect(TRect(6, 4, 7, 5));
    toolbar->SetBackground(&tile);
    Snapshot shot(form);
    EXPECT_EQ(shot.At(0, 0), clRed);
    EXPECT_EQ(shot.At(6, 4), clBlue);
    EXPECT_EQ(shot.At(97, 24), clBlue);
    EXPECT_EQ(shot.At(98, 24), clRed);
    EXPECT_EQ(shot.Count(TRect(0, 0, 100, toolbar->Height()), clBlue), 14 * 5);
}

TEST_F(ToolbarTest, ScalingScalesTheRowHeight) {
    AddToolbar(300, {60});
    toolbar->ChangeScale(3, 2);
    EXPECT_EQ(toolbar->RowHeight(), 38);
}

TEST_F(ToolbarTest, RemovingAListedControlClosesTheGap) {
    AddToolbar(300, {60, 8, 60});
    toolbar->PositionControls();
    items[1]->Free();
    EXPECT_EQ(toolbar->ToolbarControls()->Count(), 2);
    EXPECT_EQ(items[2]->Left(), 64);
}

TEST_F(ToolbarTest, AutoStyleTurnsTheDividerToTheAlignedSide) {
    AddToolbar(300, {});
    EXPECT_TRUE(toolbar->AutoStyle());
    EXPECT_EQ(toolbar->BorderInner(), fsNone);
    EXPECT_EQ(toolbar->BorderOuter(), fsGroove);
    const std::pair<TAlign, TSides> cases[] = {
        {alLeft, SideBit(sdLeft)}, {alRight, SideBit(sdRight)}, {alBottom, SideBit(sdBottom)},
        {alClient, SideBit(sdTop)}, {alTop, SideBit(sdTop)}};
    for (const auto& c : cases) {
        toolbar->SetAlign(c.first);
        EXPECT_EQ(toolbar->BorderSides(), c.second) << c.first;
    }
    toolbar->SetShowDivider(false);
    EXPECT_EQ(toolbar->BorderOuter(), fsNone);
    toolbar->SetAlign(alBottom);
    EXPECT_EQ(toolbar->BorderOuter(), fsNone);
    EXPECT_TRUE(toolbar->AutoStyle());
    toolbar->SetShowDivider(true);

    toolbar->SetAlign(alTop);
    toolbar->SetBorderSides(SideBit(sdTop) | SideBit(sdBottom));
    EXPECT_FALSE(toolbar->AutoStyle());
    toolbar->SetAlign(alLeft);
    EXPECT_EQ(toolbar->BorderSides(), SideBit(sdTop) | SideBit(sdBottom));
    EXPECT_EQ(toolbar->Width(), 32);
}

TEST_F(ToolbarTest, GroovedDividersAreDrawnOnTheirSidesUnderTheBackground) {
    AddToolbar(100, {});
    toolbar->SetVisualStyle(vsClassic);
    toolbar->SetAutoResize(false);
    toolbar->SetAutoStyle(false);
    toolbar->SetBorderSides(SideBit(sdTop) | SideBit(sdBottom));
    toolbar->SetHeight(44);
    TBitmap tile;
    tile.SetSize(4, 4);
    tile.Canvas()->Brush()->SetColor(clRed);
    tile.Canvas()->FillRect(TRect(0, 0, 4, 4));
    toolbar->SetBackground(&tile);
    Snapshot shot(form);
    for (int y : {0, 1, 42, 43}) EXPECT_NE(shot.At(50, y), clRed) << y;
    EXPECT_EQ(shot.At(50, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(shot.At(50, 43), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(shot.At(50, 2), clRed);
    EXPECT_EQ(shot.At(50, 41), clRed);
}

// "ToolbarControls" keeps the placing order in a form stream; the controls read back are
// placed in that order, not in their child order.
TEST_F(ToolbarTest, ControlOrderTravelsWithTheForm) {
    RegisterClasses({TUiToolbar::StaticClass(), TUiSpacer::StaticClass()});
    form->SetName("Host");
    AddToolbar(300, {60, 8, 30});
    toolbar->ToolbarControls()->Move(0, 2);
    toolbar->PositionControls();
    TMemoryStream stream;
    WriteComponentToStream(&stream, form);
    stream.SetPosition(0);
    TOwnedPtr<TForm> copy(new TForm(nullptr));
    ReadComponentFromStream(&stream, copy.get());
    auto* twin = dynamic_cast<TUiToolbar*>(copy->FindComponent("Bar"));
    ASSERT_NE(twin, nullptr);
    TUiToolbarControlList* list = twin->ToolbarControls();
    ASSERT_EQ(list->Count(), 3);
    const char* order[] = {"Item1", "Item2", "Item0"};
    const int lefts[] = {4, 12, 42};
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(list->Get(i)->Control, nullptr) << i;
        EXPECT_EQ(list->Get(i)->Control->Name(), order[i]) << i;
        EXPECT_EQ(list->Get(i)->Control->Left(), lefts[i]) << i;
    }
}

// Stored names that match nothing, or a control placed elsewhere, are left out of the list.
TEST_F(ToolbarTest, LoadingSkipsStoredNamesOfNoControlOnTheToolbar) {
    RegisterClasses({TUiToolbar::StaticClass(), TUiSpacer::StaticClass()});
    form->SetName("Host");
    AddToolbar(300, {60, 8});
    auto* outside = new TUiSpacer(form);
    outside->SetName("Outside");
    outside->SetParent(form);
    toolbar->ToolbarControls()->Move(1, 0);
    toolbar->ToolbarControls()->AddControlName("Ghost");
    toolbar->ToolbarControls()->AddControlName("Outside");
    TMemoryStream stream;
    WriteComponentToStream(&stream, form);
    stream.SetPosition(0);
    TOwnedPtr<TForm> copy(new TForm(nullptr));
    ReadComponentFromStream(&stream, copy.get());
    auto* twin = dynamic_cast<TUiToolbar*>(copy->FindComponent("Bar"));
    ASSERT_NE(twin, nullptr);
    TUiToolbarControlList* list = twin->ToolbarControls();
    ASSERT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Get(0)->Control, copy->FindComponent("Item1"));
    EXPECT_EQ(list->Get(1)->Control, copy->FindComponent("Item0"));
    EXPECT_EQ(list->IndexOfName("Ghost"), -1);
    EXPECT_EQ(list->IndexOfName("Outside"), -1);
}

// The customisation texts start as their defaults and reach the form stream only once set.
TEST_F(ToolbarTest, CustomizeCaptionsAreStoredOnlyWhenChanged) {
    RegisterClasses({TUiToolbar::StaticClass()});
    form->SetName("Host");
    AddToolbar(300, {});
    TUiCustomizeCaptions* captions = toolbar->CustomizeCaptions();
    const char* defaults[] = {"Customize Toolbar", "Uncheck to hide control", "Close", "Move Up",
                              "Move Down", "Text Options", "No text labels", "Show text labels",
                              "Selective text on right"};
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(captions->GetCaption(i), defaults[i - 1]) << i;
    EXPECT_THROW(captions->GetCaption(10), EListError);
    auto written = [&] {
        TMemoryStream stream;
        WriteComponentToStream(&stream, form);
        return AnsiString(static_cast<const char*>(stream.Memory()), static_cast<int>(stream.Size()));
    };
    EXPECT_EQ(written().Pos("CustomizeCaptions"), 0);

    TUiCustomizeCaptions german;
    german.SetCaption(1, "Symbolleiste anpassen");
    toolbar->SetCustomizeCaptions(&german);
    EXPECT_EQ(captions->Title(), "Symbolleiste anpassen");
    TMemoryStream stream;
    WriteComponentToStream(&stream, form);
    stream.SetPosition(0);
    TOwnedPtr<TForm> copy(new TForm(nullptr));
    ReadComponentFromStream(&stream, copy.get());
    auto* twin = dynamic_cast<TUiToolbar*>(copy->FindComponent("Bar"));
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->CustomizeCaptions()->Title(), "Symbolleiste anpassen");
    EXPECT_EQ(twin->CustomizeCaptions()->MoveDown(), "Move Down");
}

// A copy on the overflow toolbar takes the source button's settings; its click chooses the
// source and clicks the overflow toolbar (which closes the drop-down), not its own OnClick.
TEST_F(ToolbarTest, PopupCopyStandsInForItsSourceButton) {
    AddToolbar(300, {});
    auto* source = new TUiToolButton(form);
    source->SetParent(toolbar);
    source->SetCaption("Print");
    source->SetHint("Print the report");
    source->SetImageIndex(3);
    source->SetGroupIndex(2);
    source->SetDown(true);
    source->SetTag(17);
    source->SetWidth(70);
    source->SetEnabled(false);
    auto* chevron = new TUiToolbarPopupButton(toolbar);
    auto* overflow = new TUiToolbar(form);
    int sourceClicks = 0, overflowClicks = 0;
    source->OnClick = [&](TObject*) { ++sourceClicks; };
    overflow->OnClick = [&](TObject*) { ++overflowClicks; };

    auto* copy = new TUiPopupToolButton(overflow);
    copy->SetChevron(chevron);
    copy->Assign(source);
    copy->OnClick = source->OnClick;
    EXPECT_EQ(copy->SourceButton(), source);
    EXPECT_EQ(copy->Caption(), "Print");
    EXPECT_EQ(copy->Hint(), "Print the report");
    EXPECT_EQ(copy->ImageIndex(), 3);
    EXPECT_EQ(copy->GroupIndex(), 2);
    EXPECT_TRUE(copy->Down());
    EXPECT_EQ(copy->Tag(), 17);
    EXPECT_EQ(copy->Width(), 70);
    EXPECT_FALSE(copy->Enabled());

    copy->Click();
    EXPECT_EQ(chevron->ChosenButton, source);
    EXPECT_EQ(overflowClicks, 1);
    EXPECT_EQ(sourceClicks, 0);

    auto* spacer = new TUiSpacer(form);
    EXPECT_ANY_THROW(copy->Assign(spacer));
    EXPECT_THROW(new TUiPopupToolButton(form), EInvalidCast);
}

// A non-wrapping toolbar with buttons past its right margin, and a press on its chevron that
// runs one step from inside the drop-down's loop.
class ChevronDropDownTest : public ToolbarTest {
protected:
    void SetUp() override {
        ToolbarTest::SetUp();
        AddToolbar(150, {});
        toolbar->SetWrapControls(false);
        open = AddButton("Open", 60);
        save = AddButton("Save", 60);
        auto* gap = new TUiSpacer(form);
        gap->SetBounds(0, 0, 10, 25);
        gap->SetParent(toolbar);
        print = AddButton("Print", 60);
        hidden = AddButton("Hidden", 60);
        hidden->SetVisible(false);
        help = AddButton("Help", 60);
        toolbar->PositionControls();
        toolbar->Realign();
        Application->ProcessMessages();
        // Keeps the drop-down's loop waking up, so a step that fails to end it cannot hang.
        timer = SetTimer(nullptr, 0, 100, nullptr);
    }
    void TearDown() override {
        KillTimer(nullptr, timer);
        Application->OnIdle = nullptr;
        ToolbarTest::TearDown();
    }
    TUiToolButton* AddButton(const char* caption, int width) {
        auto* button = new TUiToolButton(form);
        button->SetCaption(caption);
        button->SetWidth(width);
        button->SetParent(toolbar);
        button->OnClick = [this, caption](TObject*) {
            clicks.push_back(caption);
            droppedDownAtClick = DropDown() != nullptr;
        };
        return button;
    }
    TUiPopupPanel* DropDown() const {
        TUiToolbarPopupButton* chevron = toolbar->Chevron();
        for (int i = 0; chevron && i < chevron->ComponentCount(); ++i)
            if (auto* panel = dynamic_cast<TUiPopupPanel*>(chevron->Components(i))) return panel;
        return nullptr;
    }
    std::vector<TUiPopupToolButton*> Copies() const {
        std::vector<TUiPopupToolButton*> copies;
        TUiPopupPanel* panel = DropDown();
        for (int i = 0; panel && i < panel->ComponentCount(); ++i) {
            auto* overflow = dynamic_cast<TUiToolbar*>(panel->Components(i));
            if (!overflow) continue;
            for (int k = 0; k < overflow->ToolbarControls()->Count(); ++k)
                copies.push_back(
                    dynamic_cast<TUiPopupToolButton*>(overflow->ToolbarControls()->Get(k)->Control));
        }
        return copies;
    }
    // Presses the chevron at (x, y) on it, releases it at (releaseX, y) and runs `step` once
    // while a drop-down is up; a drop-down still up after five seconds is closed.
    void PressChevron(int releaseX, std::function<void()> step) {
        const DWORD start = GetTickCount();
        bool done = false;
        Application->OnIdle = [&](TObject*, bool&) {
            TUiPopupPanel* panel = DropDown();
            if (!panel || !panel->Active()) return;
            if (!done) {
                done = true;
                droppedDown = true;
                step();
            } else if (GetTickCount() - start > 5000) {
                ADD_FAILURE() << "the drop-down did not end";
                panel->Close(nullptr);
            }
        };
        HWND window = toolbar->Chevron()->WindowHandle();
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(releaseX, 5));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(releaseX, 5));
        Application->OnIdle = nullptr;
        Application->ProcessMessages();
    }

    TUiToolButton *open = nullptr, *save = nullptr, *print = nullptr, *hidden = nullptr,
                  *help = nullptr;
    std::vector<std::string> clicks;
    bool droppedDown = false;
    bool droppedDownAtClick = false;
    UINT_PTR timer = 0;
};

TEST_F(ChevronDropDownTest, CopiesTheVisibleButtonsPastTheMarginAndClicksTheChosenOneAfterClosing) {
    ASSERT_TRUE(toolbar->ChevronShown());
    std::vector<TUiToolButton*> sources;
    int overflowWidth = 0;
    PressChevron(5, [&] {
        for (TUiPopupToolButton* copy : Copies()) {
            ASSERT_NE(copy, nullptr);
            sources.push_back(copy->SourceButton());
            EXPECT_EQ(copy->Caption(), copy->SourceButton()->Caption());
            EXPECT_EQ(copy->Chevron(), toolbar->Chevron());
            overflowWidth = copy->Parent()->Width();
        }
        Copies().back()->Click();
    });
    EXPECT_TRUE(droppedDown);
    // Open and Save fit; the spacer is no tool button; Hidden is invisible.
    EXPECT_EQ(sources, (std::vector<TUiToolButton*>{print, help}));
    EXPECT_EQ(overflowWidth, 3 * toolbar->ButtonWidth() + 8);
    EXPECT_EQ(clicks, std::vector<std::string>{"Help"});
    EXPECT_FALSE(droppedDownAtClick);
    EXPECT_EQ(DropDown(), nullptr);
    EXPECT_FALSE(toolbar->Chevron()->IsDown());
}

TEST_F(ChevronDropDownTest, ClosingWithoutAChoiceClicksNothing) {
    PressChevron(5, [&] { PostMessageA(form->Handle(), WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_TRUE(droppedDown);
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(DropDown(), nullptr);
}

TEST_F(ChevronDropDownTest, ReleasingOutsideTheChevronOpensNothing) {
    PressChevron(40, [] {});
    EXPECT_FALSE(droppedDown);
    EXPECT_EQ(DropDown(), nullptr);
    EXPECT_FALSE(toolbar->Chevron()->IsDown());
}

class ToolbarLayoutTest : public ToolbarTest {
protected:
    void SetUp() override {
        ToolbarTest::SetUp();
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        path = AnsiString(dir) + "toolbar_layout_test.ini";
        DeleteFileA(path.c_str());
        store = new TUiRegIniFile(form);
        store->SetPathType(ptIniFile);
        store->SetPath(path);
    }
    void TearDown() override {
        ToolbarTest::TearDown();
        DeleteFileA(path.c_str());
    }
    std::vector<AnsiString> Order() {
        std::vector<AnsiString> names;
        for (int i = 0; i < toolbar->ToolbarControls()->Count(); ++i)
            names.push_back(toolbar->ToolbarControls()->Get(i)->Name);
        return names;
    }
    AnsiString path;
    TUiRegIniFile* store = nullptr;
};

TEST_F(ToolbarLayoutTest, SavesOrderVisibilityAndTextOptions) {
    AddToolbar(300, {60, 8, 60});
    items[1]->SetVisible(false);
    toolbar->SetTextOptions(ttoSelectiveTextOnRight);
    toolbar->SetRegIniFile(store);
    toolbar->SaveLayout();
    EXPECT_EQ(store->ReadInteger("Bar", "TextOptions", -1), 2);
    EXPECT_EQ(store->ReadInteger("Bar", "Count", -1), 3);
    EXPECT_EQ(store->ReadString("Bar", "Control0", ""), "Item0");
    EXPECT_EQ(store->ReadString("Bar", "Control1", ""), "##Item1");
    EXPECT_EQ(store->ReadString("Bar", "Control2", ""), "Item2");
}

TEST_F(ToolbarLayoutTest, RestoresOrderSkippingNamesThatMatchNothing) {
    AddToolbar(300, {60, 8, 60});
    toolbar->SetRegIniFile(store);
    store->WriteInteger("Bar", "TextOptions", 1);
    store->WriteInteger("Bar", "Count", 3);
    store->WriteString("Bar", "Control0", "item2");
    store->WriteString("Bar", "Control1", "Renamed");
    store->WriteString("Bar", "Control2", "##Item0");
    toolbar->RestoreLayout();
    EXPECT_EQ(Order(), (std::vector<AnsiString>{"Item2", "Item1", "Item0"}));
    EXPECT_FALSE(items[0]->Visible());
    EXPECT_TRUE(items[2]->Visible());
    EXPECT_EQ(items[2]->Left(), 4);
    EXPECT_EQ(items[1]->Left(), 64);
    EXPECT_EQ(toolbar->TextOptions(), ttoShowTextLabels);
}

TEST_F(ToolbarLayoutTest, StaleCountRestoresOnlyTheTextOption) {
    // Saved before the toolbar lost a control, and before it gained one.
    for (const int saved : {2, 4}) {
        SCOPED_TRACE(saved);
        AddToolbar(300, {60, 8, 60});
        toolbar->SetRegIniFile(store);
        store->WriteInteger("Bar", "TextOptions", 0);
        store->WriteInteger("Bar", "Count", saved);
        for (int i = 0; i < saved; ++i)
            store->WriteString("Bar", "Control" + IntToStr(i), i == 0 ? "Item2" : "##Item0");
        toolbar->SetTextOptions(ttoShowTextLabels);
        toolbar->RestoreLayout();
        EXPECT_EQ(Order(), (std::vector<AnsiString>{"Item0", "Item1", "Item2"}));
        EXPECT_TRUE(items[0]->Visible());
        EXPECT_EQ(toolbar->TextOptions(), ttoNoTextLabels);
        toolbar->Free();
        items.clear();
    }
}

TEST_F(ToolbarLayoutTest, AControlNamedAfterJoiningIsSavedAndRestoredByItsName) {
    AddToolbar(300, {60, 8});
    auto* late = new TUiSpacer(form);
    late->SetParent(toolbar);
    late->SetName("Late");
    late->SetVisible(false);
    toolbar->SetRegIniFile(store);
    toolbar->SaveLayout();
    EXPECT_EQ(store->ReadString("Bar", "Control2", ""), "##Late");
    late->SetVisible(true);
    store->WriteString("Bar", "Control0", "##Late");
    store->WriteString("Bar", "Control2", "Item0");
    toolbar->RestoreLayout();
    EXPECT_EQ(toolbar->ToolbarControls()->Get(0)->Control, late);
    EXPECT_FALSE(late->Visible());
    EXPECT_EQ(items[0]->Left(), 4 + 8);
}

TEST_F(ToolbarLayoutTest, ATextOptionOutOfRangeChangesNothing) {
    AddToolbar(300, {60});
    toolbar->SetRegIniFile(store);
    toolbar->SetTextOptions(ttoSelectiveTextOnRight);
    for (const int stored : {4, -2, 99}) {
        store->WriteInteger("Bar", "TextOptions", stored);
        toolbar->RestoreLayout();
        EXPECT_EQ(toolbar->TextOptions(), ttoSelectiveTextOnRight) << stored;
    }
}

TEST_F(ToolbarLayoutTest, WithoutAStoreNothingIsReadOrWritten) {
    AddToolbar(300, {60});
    for (auto call : {&TUiToolbar::SaveLayout, &TUiToolbar::RestoreLayout}) {
        try {
            (toolbar->*call)();
            ADD_FAILURE() << "no exception";
        } catch (const ENoRegIniFile& e) {
            EXPECT_STREQ(e.what(), "No TUiRegIniFile component specified");
        }
    }
}

}  // namespace
