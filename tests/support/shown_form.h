// The tests' shown form to place controls on, the environment that starts the application, and
// pixels drawn into a bitmap and read back.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "cl_forms.h"
#include "ui_pump.h"

class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { Application->Initialize(); }
};

// Pixels of a drawing made into a 32-bit bitmap, read pixel by pixel.
class PixelGrid {
public:
    // The pixel as a TColor (0x00BBGGRR).
    TColor At(int x, int y) const {
        const uint32_t v = pixels_[y * width_ + x];
        return static_cast<TColor>(((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF));
    }

protected:
    // Lets `draw` paint a bitmap of the size, compatible with `reference`, and keeps its pixels.
    void Capture(HDC reference, int width, int height, const std::function<void(HDC)>& draw) {
        width_ = width;
        height_ = height;
        HDC dc = CreateCompatibleDC(reference);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        draw(dc);
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        pixels_.assign(p, p + width * height);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }

    int width_ = 0, height_ = 0;
    std::vector<uint32_t> pixels_;
};

// A form shown for every test, freed after it.
class ShownFormTest : public ::testing::Test {
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
    TForm* form = nullptr;
};
