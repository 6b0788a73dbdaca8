// The expanding edit, the hot-key edit's framing and the masked edit's texts.
#include "UiExpandEdit.h"
#include "UiHotKeyEdit.h"
#include "UiMaskEdit.h"
#include "edit_fixture.h"

namespace {

class SmallEditsTest : public EditFormTest {
protected:
    void RightClick(TWinControl* control) {
        PostMessageA(control->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        PostMessageA(control->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
        Pump();
    }
};

TEST_F(SmallEditsTest, ExpandsOnFocusInFrontAndShrinksOnLeaving) {
    auto* edit = Add<TUiExpandEdit>(10, 10, 80, 21);
    auto* sibling = Add<TUiEdit>(60, 10, 80, 21);
    edit->SetExpandedWidth(200);
    edit->SetExpandOn(etFocus);
    Focus(edit);
    EXPECT_EQ(edit->Width(), 200);
    EXPECT_EQ(form->Controls(form->ControlCount() - 1), edit) << "in front of its siblings";
    edit->SetWidth(150);
    Focus(sibling);
    EXPECT_EQ(edit->Width(), 80) << "the remembered width comes back";
    EXPECT_FALSE(edit->Expanded());
}

TEST_F(SmallEditsTest, RightClickTogglesInsteadOfTheContextMenu) {
    auto* edit = Add<TUiExpandEdit>(10, 10, 80, 21);
    int menus = 0;
    edit->OnContextPopup = [&](TObject*, TPoint, bool& handled) {
        ++menus;
        handled = true;
    };
    edit->SetExpandOn(etMouseButton2Click);
    RightClick(edit);
    EXPECT_EQ(menus, 1) << "no expanded width: the context menu as usual";
    EXPECT_EQ(edit->Width(), 80);
    edit->SetExpandedWidth(180);
    RightClick(edit);
    EXPECT_EQ(edit->Width(), 180);
    EXPECT_TRUE(edit->Focused());
    RightClick(edit);
    EXPECT_EQ(edit->Width(), 80);
    EXPECT_EQ(menus, 1);
}

TEST_F(SmallEditsTest, HotKeyEditIsFramedAndColouredByFocus) {
    auto* hotKey = Add<TUiHotKeyEdit>(10, 10, 120, 21);
    auto* other = Add<TUiEdit>(10, 50, 80, 21);
    EXPECT_EQ(hotKey->Height(), 21);
    hotKey->SetFramingPreference(fpCustomFraming);
    hotKey->SetFrameHotTrack(true);
    hotKey->SetFrameColor(clRed);
    hotKey->SetFrameHotColor(clBlue);
    hotKey->SetFocusColor(clYellow);
    Focus(other);
    EXPECT_EQ(WindowShot(hotKey).At(0, 10), clRed);
    Focus(hotKey);
    EXPECT_EQ(hotKey->Color(), clYellow);
    EXPECT_EQ(WindowShot(hotKey).At(1, 10), clBlue);
}

TEST_F(SmallEditsTest, MaskEditTextsWithAndWithoutLiterals) {
    auto* edit = Add<TUiMaskEdit>(10, 10, 120, 21);
    edit->SetEditMask("00/00;0;_");
    edit->SetText("1231");
    EXPECT_EQ(edit->GetText(), "1231");
    EXPECT_EQ(edit->GetRightJustifiedText(), "12/31");
    Focus(edit);
    edit->SetText("");
    edit->SetSelStart(0);
    Type(edit, "0715");
    EXPECT_EQ(edit->GetRightJustifiedText(), "07/15");
}

}  // namespace
