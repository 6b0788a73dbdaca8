// A shown form to place controls on, an environment that starts the application, and a
// snapshot of the form's painted pixels.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "cl_forms.h"
#include "ui_pump.h"

class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { Application->Initialize(); }
};

// The form's client area as the form paints it now, read pixel by pixel.
class Snapshot {
public:
    explicit Snapshot(TWinControl* form) : width_(form->ClientWidth()), height_(form->ClientHeight()) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        form->PaintTo(dc, 0, 0);
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        pixels_.assign(p, p + width_ * height_);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
    // The pixel as a TColor (0x00BBGGRR).
    TColor At(int x, int y) const {
        const uint32_t v = pixels_[y * width_ + x];
        return static_cast<TColor>(((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF));
    }
    // Pixels of `color` inside the rectangle.
    int Count(const TRect& r, TColor color) const {
        const TColor rgb = ColorToRGB(color);
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) n += At(x, y) == rgb;
        return n;
    }

private:
    int width_, height_;
    std::vector<uint32_t> pixels_;
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(30, 30, 420, 300);
        form->SetColor(clBtnFace);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        form->Free();
        Application->ProcessMessages();
    }
    template <class T> T* Add(int left, int top, int width, int height) {
        T* control = new T(form);
        control->SetParent(form);
        control->SetBounds(left, top, width, height);
        return control;
    }
    void MoveMouse(int x, int y) {
        PostMessageA(form->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        Application->ProcessMessages();
    }
    TForm* form = nullptr;
};
