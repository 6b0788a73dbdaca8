// A shown form for the edits, posted keys with their modifiers, and the pixels of a control's
// whole window (its non-client frame included) as it is on screen.
#pragma once

#include "cl_clipboard.h"
#include "shown_form.h"

// The window's pixels, frame included, after it has repainted.
class WindowShot : public PixelGrid {
public:
    explicit WindowShot(TWinControl* control) {
        HWND window = control->Handle();
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Application->ProcessMessages();
        RECT r;
        GetWindowRect(window, &r);
        const int width = r.right - r.left, height = r.bottom - r.top;
        HDC source = GetWindowDC(window);
        Capture(source, width, height,
                [&](HDC dc) { BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY); });
        ReleaseDC(window, source);
    }
};

class EditFormTest : public ShownFormTest {
protected:
    void TearDown() override {
        SetModifiers(false, false);
        ShownFormTest::TearDown();
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
};
