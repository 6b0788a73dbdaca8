// Helpers of the control tests: a message pump that waits for a condition, posted clicks and
// keys, and a recorder of the message boxes shown through the test hook.
#pragma once

#include <functional>
#include <vector>

#include "cl_forms.h"
#include "cl_hooks.h"

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

struct ShownBox {
    AnsiString text, caption;
    unsigned flags;
};

// Every message box of the process goes to `Boxes()` and is answered with `Answer()`.
inline std::vector<ShownBox>& Boxes() {
    static std::vector<ShownBox> boxes;
    return boxes;
}
inline int& Answer() {
    static int answer = IDOK;
    return answer;
}

class ControlsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        Application->Initialize();
        Application->SetTitle("Controls Tests");
        Hooks().ShowMessageBox = [](const AnsiString& text, const AnsiString& caption,
                                    unsigned flags) {
            Boxes().push_back({text, caption, flags});
            return Answer();
        };
    }
};
