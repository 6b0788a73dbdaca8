// The menu controller's hooks, measures and drawing into a DIB, and the dialog component's
// defaults.
#include <gtest/gtest.h>

#include "UiColors.h"
#include "UiDialogComponent.h"
#include "UiMenuController.h"
#include "cl_forms.h"
#include "cl_imagelist.h"
#include "cl_menus.h"

namespace {

class MenuControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        menu = new TMainMenu(form);
        top = new TMenuItem(form);
        top->SetCaption("&File");
        menu->Items()->Add(top);
        open = new TMenuItem(form);
        open->SetCaption("&Open");
        top->Add(open);
        line = new TMenuItem(form);
        line->SetCaption("-");
        top->Add(line);
        own = new TMenuItem(form);
        own->SetCaption("Own");
        own->OnAdvancedDrawItem = [this](TObject*, TCanvas*, TRect, TOwnerDrawState) {
            ++ownDraws;
        };
        top->Add(own);
        controller = new TUiMenuController(form);
        controller->SetupMenuItems();
    }
    void TearDown() override { form->Free(); }

    TForm* form = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem *top = nullptr, *open = nullptr, *line = nullptr, *own = nullptr;
    TUiMenuController* controller = nullptr;
    int ownDraws = 0;
};

TEST_F(MenuControllerTest, HooksItemsWithoutTheirOwnDrawing) {
    EXPECT_TRUE(controller->IsHooked(open));
    EXPECT_TRUE(controller->IsHooked(top));
    EXPECT_FALSE(controller->IsHooked(own));
    own->OnAdvancedDrawItem(own, nullptr, TRect(), {});
    EXPECT_EQ(ownDraws, 1);
    controller->CleanupMenuItem(open);
    EXPECT_FALSE(open->OnAdvancedDrawItem);
    EXPECT_FALSE(open->OnMeasureItem);
}

TEST_F(MenuControllerTest, MeasuresSeparatorsAndPlainItems) {
    int width = 50, height = 0;
    controller->MeasureMenuItem(line, nullptr, width, height);
    EXPECT_EQ(height, 3);
    width = 50;
    controller->MeasureMenuItem(open, nullptr, width, height);
    EXPECT_EQ(height, 22);
    EXPECT_EQ(width, 81);
    width = 50;
    controller->MeasureMenuItem(top, nullptr, width, height);
    EXPECT_EQ(width, 50);
    TCustomImageList* images = new TCustomImageList(form);
    images->SetSize(20, 20);
    menu->SetImages(images);
    width = 50;
    controller->MeasureMenuItem(line, nullptr, width, height);
    EXPECT_EQ(height, 3);
    controller->MeasureMenuItem(open, nullptr, width, height);
    EXPECT_EQ(height, 26);
    EXPECT_EQ(width, 50);
}

TEST_F(MenuControllerTest, DrawsSelectionBoxAndIconBar) {
    const bool saved = FullColorSupported;
    FullColorSupported = false;
    controller->SetGradientColorStyle(gcsCustom);
    controller->SetSelectionFrameColor(clRed);
    controller->SetSelectionColorStop(clYellow);
    controller->SetIconBarColorStop(clLime);
    controller->SetMenuColor(clWhite);
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(120, 22);
    controller->PaintMenuItem(open, bitmap.Canvas(), TRect(0, 0, 120, 22), {odSelected});
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(bitmap.Canvas()->Pixels(119, 21), clRed);
    EXPECT_EQ(bitmap.Canvas()->Pixels(2, 2), clYellow);
    controller->PaintMenuItem(open, bitmap.Canvas(), TRect(0, 0, 120, 22), {});
    EXPECT_EQ(bitmap.Canvas()->Pixels(2, 2), clLime);
    EXPECT_EQ(bitmap.Canvas()->Pixels(23, 2), clLime);
    EXPECT_EQ(bitmap.Canvas()->Pixels(24, 2), clWhite);
    FullColorSupported = saved;
}

TEST(DialogComponent, FontFromTheOwnerFormOrTheDefault) {
    TComponent* module = new TComponent(nullptr);
    TUiDialogComponent* dialog = new TUiDialogComponent(module);
    EXPECT_EQ(dialog->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(dialog->Font()->Size(), 8);
    EXPECT_EQ(dialog->Position(), poScreenCenter);
    EXPECT_EQ(dialog->OriginLeft(), 100);
    dialog->SetPosition(poDesigned);
    dialog->SetCenterToParent(true);
    EXPECT_EQ(dialog->Position(), poOwnerFormCenter);
    dialog->SetCenterToParent(false);
    EXPECT_EQ(dialog->Position(), poScreenCenter);
    module->Free();

    TForm* form = new TForm(nullptr);
    form->Font()->SetName("Arial");
    form->Font()->SetSize(11);
    TUiDialogComponent* owned = new TUiDialogComponent(form);
    EXPECT_EQ(owned->Font()->Name(), "Arial");
    EXPECT_EQ(owned->Font()->Size(), 11);
    TForm* shown = new TForm(nullptr);
    owned->SetCenterToParent(true);
    owned->CenterForm(shown);
    EXPECT_EQ(shown->Position(), poOwnerFormCenter);
    shown->Free();
    form->Free();
}

}  // namespace

namespace {

TEST(PublishedProperties, MenuControllerAndDialogComponent) {
    TUiMenuController* menus = new TUiMenuController(nullptr);
    FindProperty(menus, "GradientColorStyle")->SetText(menus, "gcsCustom");
    EXPECT_EQ(menus->GradientColorStyle(), gcsCustom);
    FindProperty(menus, "MenuColor")->SetOrd(menus, clRed);
    EXPECT_EQ(menus->MenuColor(), clRed);
    menus->Free();
    TUiDialogComponent* dialog = new TUiDialogComponent(nullptr);
    FindProperty(dialog, "Position")->SetText(dialog, "poDesigned");
    EXPECT_EQ(dialog->Position(), poDesigned);
    FindProperty(dialog, "CenterToParent")->SetOrd(dialog, 1);
    EXPECT_EQ(dialog->Position(), poOwnerFormCenter);
    dialog->Free();
}

}  // namespace
