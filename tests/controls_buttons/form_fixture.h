// The shown form of the control tests with a mouse move, and a snapshot of the form's painted
// pixels.
#pragma once

#include "shown_form.h"

// The form's client area as the form paints it now, read pixel by pixel.
class Snapshot : public PixelGrid {
public:
    explicit Snapshot(TWinControl* form) {
        HDC screen = GetDC(nullptr);
        Capture(screen, form->ClientWidth(), form->ClientHeight(),
                [form](HDC dc) { form->PaintTo(dc, 0, 0); });
        ReleaseDC(nullptr, screen);
    }
    // Pixels of `color` inside the rectangle.
    int Count(const TRect& r, TColor color) const {
        const TColor rgb = ColorToRGB(color);
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) n += At(x, y) == rgb;
        return n;
    }
};

class FormTest : public ShownFormTest {
protected:
    void MoveMouse(int x, int y) {
        PostMessageA(form->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        Application->ProcessMessages();
    }
};
