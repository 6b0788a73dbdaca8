// The two menu buttons, the push button and the speed button: a left press drops the menu down
// without a click, and the arrow is drawn in the text colour, greyed while disabled.
#include "UiBitBtn.h"
#include "UiToolbarButton.h"
#include "cl_menus.h"
#include "form_fixture.h"

namespace {

struct MenuButtonKind {
    const char* name;
    std::function<TControl*(TForm* form, TPopupMenu* menu, std::vector<AnsiString>& events)> add;
    // The tip of the arrow in a 90 x 30 button.
    int tipX, tipY;
};

template <class Button>
TControl* AddMenuButton(TForm* form, TPopupMenu* menu, std::vector<AnsiString>& events) {
    auto* button = new Button(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 90, 30);
    button->SetDropDownMenu(menu);
    button->OnDropDown = [&events](TObject*) { events.push_back("drop-down"); };
    button->OnClick = [&events](TObject*) { events.push_back("click"); };
    return button;
}

const MenuButtonKind MenuButtonKinds[] = {
    {"PushButton", AddMenuButton<TUiMenuButton>, 90 - 12, 30 / 2 + 2},
    {"SpeedButton", AddMenuButton<TUiMenuToolbarButton>, 90 - 8, 30 / 2 + 2},
};

class MenuButtonTest : public FormTest, public ::testing::WithParamInterface<MenuButtonKind> {
protected:
    void Settle() { PumpUntil([] { return false; }, 150); }
};

TEST_P(MenuButtonTest, PressOnTheArrowDropsTheMenuDownWithoutAClick) {
    std::vector<AnsiString> events;
    TControl* button = GetParam().add(form, new TPopupMenu(form), events);
    // The push button is a window of its own; the speed button is painted on the form.
    auto* window = dynamic_cast<TWinControl*>(button);
    const HWND target = window ? window->Handle() : form->WindowHandle();
    const TPoint at = window ? TPoint{GetParam().tipX, 5}
                             : TPoint{button->Left() + GetParam().tipX, button->Top() + 5};
    PostClick(target, at.X, at.Y);
    Settle();
    EXPECT_EQ(events, (std::vector<AnsiString>{"drop-down"}));
}

TEST_P(MenuButtonTest, ArrowIsTextColouredAndGreyWhileDisabled) {
    std::vector<AnsiString> events;
    TControl* button = GetParam().add(form, new TPopupMenu(form), events);
    const int x = button->Left() + GetParam().tipX, y = button->Top() + GetParam().tipY - 1;
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled);
        button->SetEnabled(enabled);
        form->Repaint();
        const Snapshot shot(form);
        const TColor arrow = ColorToRGB(enabled ? clWindowText : clBtnShadow);
        EXPECT_EQ(shot.At(x, y), arrow);
        EXPECT_NE(shot.At(x, y + 4), arrow) << "the tip points down";
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, MenuButtonTest, ::testing::ValuesIn(MenuButtonKinds),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
