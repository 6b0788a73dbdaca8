// A shown form for the edits, posted keys with their modifiers, and the pixels of a control's
// whole window (its non-client frame included) as it is on screen.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "cl_clipboard.h"
#include "cl_forms.h"
#include "ui_pump.h"

class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { Application->Initialize(); }
};

// The window's pixels, frame included, after it has repainted.
class WindowShot {
public:
    explicit WindowShot(TWinControl* control) {
        HWND window = control->Handle();
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Application->ProcessMessages();
        RECT r;
        GetWindowRect(window, &r);
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
        HDC source = GetWindowDC(window);
        HDC dc = CreateCompatibleDC(source);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        BitBlt(dc, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        pixels_.assign(p, p + width_ * height_);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(window, source);
    }
    TColor At(int x, int y) const {
        const uint32_t v = pixels_[y * width_ + x];
        return static_cast<TColor>(((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF));
    }

private:
    int width_ = 0, height_ = 0;
    std::vector<uint32_t> pixels_;
};

class EditFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(30, 30, 420, 300);
        form->SetColor(clBtnFace);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        SetModifiers(false, false);
        form->Free();
        Application->ProcessMessages();
    }
    template <class T> T* Add(int left, int top, int width, int height) {
        T* control = new T(form);
        control->SetParent(form);
        control->SetBounds(left, top, width, height);
        return control;
    }
    static void Pump() { Application->ProcessMessages(); }
    void Focus(TWinControl* control) {
        SetForegroundWindow(form->Handle());
        control->SetFocus();
        Pump();
    }
    // Posted keys go through the application's message loop like typed ones.
    static void Type(TWinControl* control, const char* text) {
        PostChars(control->Handle(), text);
        Pump();
    }
    static void Key(TWinControl* control, UINT key, bool alt = false) {
        const LPARAM down = alt ? 0x20000001 : 1;
        PostMessageA(control->Handle(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, down);
        PostMessageA(control->Handle(), alt ? WM_SYSKEYUP : WM_KEYUP, key, down | 0xC0000000);
        Pump();
    }
    static void Paste(TWinControl* control, const AnsiString& text) {
        Clipboard()->SetAsText(text);
        SendMessageA(control->Handle(), WM_PASTE, 0, 0);
        Pump();
    }
    // Shift and Ctrl as GetKeyState sees them on this thread.
    static void SetModifiers(bool shift, bool ctrl) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    TForm* form = nullptr;
};
