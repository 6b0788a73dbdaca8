// Balloon hints: the hint window class while the component lives, the application's pauses,
// placement at the screen's edges, the plain look, the drawn balloon and its pictures, and
// mouse messages on a shown balloon.
#include "UiBalloonHint.h"
#include "form_fixture.h"
#include "ui_pump.h"

namespace {

class BalloonHintTest : public ::testing::Test {
protected:
    void SetUp() override {
        screenWidth = GetSystemMetrics(SM_CXSCREEN);
        screenHeight = GetSystemMetrics(SM_CYSCREEN);
        form = new TForm(Application);
        form->SetBounds(0, 0, screenWidth, screenHeight);
        form->SetColor(clBtnFace);
        form->SetHint("A hint for the whole form");
        form->SetShowHint(true);
        form->Show();
        Application->ProcessMessages();
        hints = new TUiBalloonHints(form);
        hints->SetColor(clYellow);
        hints->SetFrameColor(clBlue);
        hints->SetCorner(hcLowerRight);
    }
    void TearDown() override {
        form->Free();
        Application->ProcessMessages();
    }
    TUiCustomHintWindow* Window() {
        return dynamic_cast<TUiCustomHintWindow*>(Application->HintWindow());
    }
    // Shows the form's hint as if the mouse rested at the point.
    TUiCustomHintWindow* ShowAt(int x, int y) {
        SetCursorPos(x, y);
        Application->ActivateHint(TPoint(x, y));
        Application->ProcessMessages();
        return Window();
    }
    TRect WindowRect(TUiCustomHintWindow* window) {
        RECT r;
        GetWindowRect(window->WindowHandle(), &r);
        return TRect(r.left, r.top, r.right, r.bottom);
    }
    // The screen's pixel as a TColor.
    TColor ScreenPixel(int x, int y) {
        HDC dc = GetDC(nullptr);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(nullptr, dc);
        return static_cast<TColor>(c);
    }
    int screenWidth = 0, screenHeight = 0;
    TForm* form = nullptr;
    TUiBalloonHints* hints = nullptr;
};

TEST_F(BalloonHintTest, ComponentInstallsTheBalloonWindowWhileItLives) {
    TUiCustomHintWindow* window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Component, hints);
    EXPECT_EQ(hints->Window(), window);
    EXPECT_TRUE(window->ShowBalloon);
    EXPECT_EQ(window->Color(), clYellow);
    hints->SetHintPause(50);
    EXPECT_EQ(Application->HintPause(), 50);
    Application->SetHintShortPause(70);
    EXPECT_EQ(hints->GetHintShortPause(), 70);
    hints->Free();
    hints = nullptr;
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_EQ(Application->HintWindow()->ClassName(), "THintWindow");
    EXPECT_FALSE(Application->OnShowHint) << "the balloon's handler leaves with its window";
    form->SetHint("plain");
    Application->ActivateHint(TPoint(200, 200));
    Application->ProcessMessages();
}

TEST_F(BalloonHintTest, PlacementTurnsAtTheScreensEdges) {
    const int w = screenWidth, h = screenHeight;
    const struct {
        const char* where;
        TPoint at;
        TUiHintCorner corner;
    } cases[] = {
        {"middle", {w / 2, h / 2}, hcLowerRight},
        {"bottom edge", {w / 2, h - 5}, hcUpperRight},
        {"right edge", {w - 5, h / 2}, hcLowerLeft},
        {"bottom-right corner", {w - 5, h - 5}, hcUpperLeft},
    };
    for (const auto& c : cases) {
        TUiCustomHintWindow* window = ShowAt(c.at.X, c.at.Y);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->CornerInUse(), c.corner) << c.where;
        const TRect r = WindowRect(window);
        EXPECT_GE(r.Width(), 55);
        switch (c.corner) {
        case hcLowerRight:
            EXPECT_EQ(r.Left, c.at.X - 10) << "the tail's tip column is on the mouse";
            EXPECT_EQ(r.Top, c.at.Y);
            break;
        case hcUpperRight:
            EXPECT_EQ(r.Left, c.at.X - 10);
            EXPECT_EQ(r.Bottom, c.at.Y);
            break;
        case hcLowerLeft:
            EXPECT_EQ(r.Right, c.at.X - 1);
            EXPECT_EQ(r.Top, c.at.Y);
            break;
        default:
            EXPECT_EQ(r.Right, c.at.X - 1);
            EXPECT_EQ(r.Bottom, c.at.Y);
            break;
        }
        EXPECT_LE(r.Right, w) << c.where;
        EXPECT_LE(r.Bottom, h) << c.where;
        Application->CancelHint();
    }
}

TEST_F(BalloonHintTest, ShortHintStillGetsTheMinimumWidth) {
    form->SetHint("Hi");
    hints->SetShowBalloon(false);
    TUiCustomHintWindow* window = ShowAt(300, 200);
    EXPECT_EQ(WindowRect(window).Width(), 55);
}

TEST_F(BalloonHintTest, PlainHintIsAFramedRectangleLeftOfTheLibrarysPlace) {
    hints->SetShowBalloon(false);
    TUiCustomHintWindow* window = ShowAt(300, 200);
    const TRect r = WindowRect(window);
    // The library places the hint 20 pixels below the mouse; the frame adds 2 on each side.
    EXPECT_EQ(r.Left, 300 - 2 - 10);
    EXPECT_EQ(r.Top, 200 + 20 - 2);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(window->WindowHandle(), region), ERROR) << "no window region";
    DeleteObject(region);
    EXPECT_EQ(ScreenPixel(r.Left, r.Top + 5), ColorToRGB(clBlue)) << "frame";
    EXPECT_EQ(ScreenPixel(r.Right - 1, r.Bottom - 1), ColorToRGB(clBlue));
    EXPECT_EQ(ScreenPixel(r.Left + 1, r.Top + 1), ColorToRGB(clYellow));
}

TEST_F(BalloonHintTest, BalloonHasCutCornersAndATailOnTheMouse) {
    TUiCustomHintWindow* window = ShowAt(300, 200);
    const TRect r = WindowRect(window);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window->WindowHandle(), region), ERROR);
    const int w = r.Width(), h = r.Height();
    const struct {
        int x, y;
        bool inside;
    } points[] = {
        {0, 20, false},     {0, 24, true},     {4, 20, true},  // the body's cut top-left corner
        {w - 1, h - 1, false}, {w - 5, h - 1, true},
        {10, 1, true},      {5, 5, false},     {15, 15, true},  // tail and the space beside it
    };
    for (const auto& p : points)
        EXPECT_EQ(PtInRegion(region, p.x, p.y) != 0, p.inside) << p.x << "," << p.y;
    DeleteObject(region);
    EXPECT_EQ(ScreenPixel(r.Left + 10, r.Top + 3), ColorToRGB(clBlue)) << "tail outline";
    EXPECT_EQ(ScreenPixel(r.Left + 12, r.Top + 18), ColorToRGB(clYellow)) << "tail inside";
    EXPECT_EQ(ScreenPixel(r.Left + 12, r.Top + 20), ColorToRGB(clYellow)) << "no seam";
    EXPECT_EQ(ScreenPixel(r.Left + 5, r.Top + 20), ColorToRGB(clBlue)) << "body top edge";
    EXPECT_EQ(ScreenPixel(r.Left + 3, r.Bottom - 3), ColorToRGB(clYellow));
}

TEST_F(BalloonHintTest, OnePictureIsMirroredForTheOtherCorners) {
    // Red top-left quarter on blue, stretched over a 120 x 120 window without text.
    TBitmap picture;
    picture.SetSize(40, 40);
    picture.Canvas()->Brush()->SetColor(clBlue);
    picture.Canvas()->FillRect(TRect(0, 0, 40, 40));
    picture.Canvas()->Brush()->SetColor(clRed);
    picture.Canvas()->FillRect(TRect(0, 0, 20, 20));
    hints->Bitmaps()->SetUpperRight(&picture);
    hints->SetOnSetHintWinSize([](TObject*, TCanvas*, int& width, int& height,
                                  const AnsiString&, TUiHintCorner) { width = height = 120; });
    form->SetHint(" ");
    const struct {
        TUiHintCorner corner;
        bool redLeft, redTop;
    } cases[] = {{hcUpperRight, true, true}, {hcLowerLeft, false, false},
                 {hcUpperLeft, false, true}, {hcLowerRight, true, false}};
    for (const auto& c : cases) {
        hints->SetCorner(c.corner);
        TUiCustomHintWindow* window = ShowAt(screenWidth / 2, screenHeight / 2);
        const TRect r = WindowRect(window);
        ASSERT_EQ(r.Width(), 120);
        // Points of the body, away from the tail band.
        const int left = r.Left + 30, right = r.Left + 90, top = r.Top + 40, bottom = r.Top + 80;
        EXPECT_EQ(ScreenPixel(c.redLeft ? left : right, c.redTop ? top : bottom),
                  ColorToRGB(clRed)) << c.corner;
        EXPECT_EQ(ScreenPixel(c.redLeft ? right : left, c.redTop ? bottom : top),
                  ColorToRGB(clBlue)) << c.corner;
        Application->CancelHint();
    }
}

TEST_F(BalloonHintTest, MouseOnTheBalloonReachesTheHintControl) {
    TUiCustomHintWindow* window = ShowAt(300, 200);
    HWND handle = window->WindowHandle();
    EXPECT_EQ(SendMessageA(handle, WM_NCHITTEST, 0, MAKELPARAM(330, 240)), HTTRANSPARENT)
        << "clicks pass to the window under the balloon";
    std::vector<TPoint> downs;
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        downs.push_back(TPoint(x, y));
    };
    const TRect r = WindowRect(window);
    SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
    SendMessageA(handle, WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
    ASSERT_EQ(downs.size(), 1u);
    const TPoint expected = form->ScreenToClient(TPoint(r.Left + 30, r.Top + 40));
    EXPECT_EQ(downs[0].X, expected.X) << "in the control's own coordinates";
    EXPECT_EQ(downs[0].Y, expected.Y);
    window = ShowAt(300, 200);
    handle = window->WindowHandle();
    ASSERT_TRUE(window->HintActive());
    PostMessageA(handle, WM_MOUSEMOVE, 0, MAKELPARAM(10, 1));
    Application->ProcessMessages();
    EXPECT_TRUE(window->HintActive()) << "still at the hint's mouse position";
    PostMessageA(handle, WM_MOUSEMOVE, 0, MAKELPARAM(40, 40));
    Application->ProcessMessages();
    EXPECT_FALSE(window->HintActive());
    EXPECT_FALSE(IsWindow(handle) && IsWindowVisible(handle));
}

}  // namespace
