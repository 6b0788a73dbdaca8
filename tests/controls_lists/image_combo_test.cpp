#include <gtest/gtest.h>

#include "UiImageComboBox.h"
#include "lists_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

// Draws a row into a bitmap as the owner-draw request does.
class RowDrawingCombo : public TUiImageComboBox {
public:
    explicit RowDrawingCombo(TComponent* owner) : TUiImageComboBox(owner) {}
    void DrawRowOn(TBitmap* bitmap, int index, const TOwnerDrawState& state) {
        TControlCanvas* canvas = Canvas();
        canvas->BindDC(bitmap->Canvas()->Handle());
        canvas->Font()->Assign(Font());
        canvas->Brush()->SetColor(state.count(odSelected) ? clHighlight : Color());
        canvas->Font()->SetColor(state.count(odSelected) ? clHighlightText : clWindowText);
        try {
            DrawItem(index, TRect(0, 0, bitmap->Width(), bitmap->Height()), state);
        } catch (...) {
            canvas->BindDC(nullptr);
            throw;
        }
        canvas->BindDC(nullptr);
    }
};

class ImageComboTest : public ListsFormTest {
protected:
    void SetUp() override {
        ListsFormTest::SetUp();
        images = new TCustomImageList(form, 16, 16);
        TBitmap red;
        red.SetSize(16, 16);
        red.Canvas()->Brush()->SetColor(clRed);
        red.Canvas()->FillRect(TRect(0, 0, 16, 16));
        images->Add(&red, nullptr);
        combo = Add<RowDrawingCombo>(10, 10, 200, 22);
        combo->SetColor(clWhite);
        combo->SetFocusColor(clWhite);
    }
    static TColor Pixel(TBitmap& bitmap, int x, int y) {
        return static_cast<TColor>(GetPixel(bitmap.Canvas()->Handle(), x, y));
    }
    TCustomImageList* images = nullptr;
    RowDrawingCombo* combo = nullptr;
};

TEST_F(ImageComboTest, RowPlacesImageAndCaptionByIndent) {
    combo->SetImages(images);
    combo->AddItem("Documents", 0, 2);
    TBitmap row;
    row.SetSize(200, 20);
    struct Case {
        TOwnerDrawState state;
        int imageLeft;
    } cases[] = {{{odSelected}, 26}, {{odSelected, odComboBoxEdit}, 2}};
    for (const Case& c : cases) {
        combo->DrawRowOn(&row, 0, c.state);
        EXPECT_EQ(clRed, Pixel(row, c.imageLeft, 10));
        EXPECT_EQ(clWhite, Pixel(row, c.imageLeft - 1, 10));
        // The caption's highlighted box starts 5 pixels after the image; the image area stays
        // in the control's colour.
        const int captionLeft = c.imageLeft - 2 + 16 + 5;
        EXPECT_EQ(clWhite, Pixel(row, captionLeft - 1, 1));
        EXPECT_EQ(ColorToRGB(clHighlight), Pixel(row, captionLeft, 1));
    }
}

TEST_F(ImageComboTest, RowsWithoutAnItemAreSkipped) {
    TStringList stranger;
    combo->AddObject("stranger", &stranger);
    combo->AddItem("Music", 0, 0);
    TBitmap row;
    row.SetSize(200, 20);
    EXPECT_NO_THROW(combo->DrawRowOn(&row, 0, {}));
    EXPECT_THROW(combo->GetImageComboBoxItem(0), EInvalidCast);
    EXPECT_EQ(1, combo->IndexOf("MUSIC"));
    EXPECT_EQ(-1, combo->IndexOf("stranger"));
    EXPECT_EQ(0, combo->IndexOf(""));  // a row without an item has an empty caption
    combo->Delete(0);
}

TEST_F(ImageComboTest, DeleteFreesTheItemRecreationKeepsIt) {
    TUiImageComboBoxItem* music = combo->AddItem("Music", 0, 0);
    TUiImageComboBoxItem* pictures = combo->AddItem("Pictures", 0, 1);
    int data = 0;
    pictures->SetData(&data);
    std::vector<TUiImageComboBoxItem*> deleted;
    combo->OnDeleteItem = [&](TObject*, TUiImageComboBoxItem* item) { deleted.push_back(item); };
    combo->SetSorted(true);
    EXPECT_EQ(music, combo->GetImageComboBoxItem(combo->IndexOfItem(music)));
    EXPECT_STREQ("Pictures", pictures->Caption().c_str());
    EXPECT_EQ(combo->IndexOfItem(pictures), combo->IndexOfData(&data));
    deleted.clear();
    combo->Delete(combo->IndexOfItem(music));
    EXPECT_EQ((std::vector<TUiImageComboBoxItem*>{music}), deleted);
    EXPECT_EQ(1, combo->Items()->Count());
    EXPECT_EQ(-1, combo->IndexOfItem(music));
}

TEST_F(ImageComboTest, RowHeightFollowsFontAndImages) {
    combo->Font()->SetHeight(-10);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, combo->Font()->Handle());
    TEXTMETRICA metric{};
    GetTextMetricsA(dc, &metric);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(metric.tmHeight + 4, combo->ItemHeight());
    combo->SetImages(images);
    EXPECT_EQ(std::max<int>(metric.tmHeight + 4, 16), combo->ItemHeight());
    combo->Font()->SetHeight(-30);
    EXPECT_GT(combo->ItemHeight(), 30);
}

}  // namespace
