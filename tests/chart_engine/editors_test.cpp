// The editing aids: the colour dialog with custom colours kept between calls, and the colour
// button over a published colour property.
#include <gtest/gtest.h>

#include "PlotEditors.h"
#include "cl_hooks.h"

namespace {

class ColourHolder : public TObject {
    CL_CLASS(ColourHolder, TObject)

    TColor colour = clRed;
};

class EditorsTest : public ::testing::Test {
protected:
    void TearDown() override { Hooks().ExecuteDialog = nullptr; }
    // Answers every colour dialog with `answer` (cancelled when none), recording what it showed.
    void Answer(bool accept, TColor answer) {
        Hooks().ExecuteDialog = [this, accept, answer](TCommonDialog& dialog) {
            auto& colours = dynamic_cast<TColorDialog&>(dialog);
            shown = colours.Color();
            shownCustom = colours.CustomColors()->Values("ColorA");
            colours.CustomColors()->SetValue("ColorA", "123456");
            if (accept) colours.SetColor(answer);
            return accept;
        };
    }
    TColor shown = clNone;
    AnsiString shownCustom;
};

TEST_F(EditorsTest, ChosenColourAndKeptCustomColours) {
    Answer(true, clBlue);
    EXPECT_EQ(EditColor(nullptr, clRed), clBlue);
    EXPECT_EQ(shown, clRed);
    EXPECT_EQ(EditColor(nullptr, clRed), clBlue);
    EXPECT_EQ(shownCustom, "123456");  // the second call shows what the first kept
}

TEST_F(EditorsTest, EditColorDialogTellsWhetherTheColourChanged) {
    TColor colour = clRed;
    Answer(false, clBlue);
    EXPECT_FALSE(EditColorDialog(nullptr, colour));
    EXPECT_EQ(colour, clRed);
    Answer(true, clRed);
    EXPECT_FALSE(EditColorDialog(nullptr, colour));
    Answer(true, clLime);
    EXPECT_TRUE(EditColorDialog(nullptr, colour));
    EXPECT_EQ(colour, clLime);
}

TEST_F(EditorsTest, ColourButtonReadsAndWritesTheLinkedProperty) {
    TPropertyInfo info;
    info.Name = "Colour";
    info.Kind = pkColor;
    info.GetOrd = [](TObject* o) {
        return static_cast<int>(static_cast<ColourHolder*>(o)->colour);
    };
    info.SetOrd = [](TObject* o, int v) { static_cast<ColourHolder*>(o)->colour = v; };
    RegisterProperty(ColourHolder::StaticClass(), info);

    ColourHolder holder;
    TOwnedPtr<TButtonColor> button(new TButtonColor(nullptr));
    EXPECT_EQ(button->Width(), 75);
    EXPECT_EQ(button->GetPlotColor(), clNone);
    button->LinkProperty(&holder, "Colour");
    EXPECT_EQ(button->GetPlotColor(), clRed);
    Answer(true, clAqua);
    int clicks = 0;
    button->OnClick = [&clicks](TObject*) { ++clicks; };
    button->Click();
    EXPECT_EQ(holder.colour, clAqua);
    EXPECT_EQ(clicks, 1);
    button->GetColorProc = [] { return clGreen; };
    EXPECT_EQ(button->GetPlotColor(), clGreen);
}

}  // namespace
