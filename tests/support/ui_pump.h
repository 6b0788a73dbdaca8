// Test helpers for windows: a message pump that waits for a condition, and posted clicks, keys
// and characters.
#pragma once

#include <functional>

#include "cl_forms.h"

// Handles messages until `done` holds or `timeoutMs` pass; returns `done()`.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return false;
        Application->ProcessMessages();
        Sleep(1);
    }
    return true;
}

inline void PostClick(HWND window, int x = 5, int y = 5) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

inline void PostKey(HWND window, UINT key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

inline void PostChars(HWND window, const char* text) {
    for (; *text; ++text) PostMessageA(window, WM_CHAR, static_cast<unsigned char>(*text), 1);
}
