// Windows can be created, shown and painted on the test display.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(Display, ShowsAWindowAndReadsBackItsPixels) {
    HWND window = CreateWindowExA(0, "STATIC", "probe", WS_POPUP | WS_VISIBLE, 10, 10, 40, 30,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    HDC dc = GetDC(window);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT area{0, 0, 40, 30};
    FillRect(dc, &area, red);
    GdiFlush();
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
    DeleteObject(red);
    ReleaseDC(window, dc);
    DestroyWindow(window);
}

}  // namespace
