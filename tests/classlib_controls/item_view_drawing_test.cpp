// Custom drawing of the whole list view and tree view: the control's own drawing reaches the
// window through the canvas, and when it skips the default drawing no item is drawn after it.
#include <gtest/gtest.h>

#include "cl_listview.h"
#include "cl_treeview.h"
#include "shown_form.h"

namespace {

void AddItem(TListView* list, const char* caption) { list->Items()->Add()->SetCaption(caption); }
void AddItem(TTreeView* tree, const char* text) { tree->Items()->Add(nullptr, text); }

template <class View>
class ItemViewDrawingTest : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        view = this->template Add<View>(10, 10, 200, 150);
        AddItem(view, "Basement");
        AddItem(view, "Kitchen");
    }
    // Paints the view again and lets the drawing settle.
    void Repaint() {
        view->Invalidate();
        PumpUntil([] { return false; }, 200);
    }
    COLORREF PixelAt(int x, int y) {
        HDC dc = GetDC(view->Handle());
        const COLORREF pixel = GetPixel(dc, x, y);
        ReleaseDC(view->Handle(), dc);
        return pixel;
    }

    View* view = nullptr;
};

using ItemViews = ::testing::Types<TListView, TTreeView>;
TYPED_TEST_SUITE(ItemViewDrawingTest, ItemViews);

TYPED_TEST(ItemViewDrawingTest, ControlDrawingThatSkipsTheDefaultLeavesTheItemsUndrawn) {
    auto* view = this->view;
    for (const bool skip : {true, false}) {
        SCOPED_TRACE(skip);
        TRect drawn;
        int itemDraws = 0;
        view->OnCustomDraw = [&](auto* sender, const TRect& rect, bool& defaultDraw) {
            drawn = rect;
            sender->Canvas()->Brush()->SetColor(clFuchsia);
            sender->Canvas()->FillRect(rect);
            defaultDraw = !skip;
        };
        view->OnCustomDrawItem = [&](auto*, auto*, TCustomDrawState, bool&) { ++itemDraws; };
        this->Repaint();
        EXPECT_EQ(drawn, view->ClientRect());
        if (skip) {
            EXPECT_EQ(itemDraws, 0);
            EXPECT_EQ(this->PixelAt(drawn.Width() / 2, drawn.Height() - 5), RGB(255, 0, 255));
        } else {
            EXPECT_GE(itemDraws, 2);
        }
    }
}

}  // namespace
