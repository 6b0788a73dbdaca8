// Helpers of the control tests: the window helpers of ui_pump.h and a recorder of the message
// boxes shown through the test hook.
#pragma once

#include <functional>
#include <vector>

#include "cl_forms.h"
#include "cl_hooks.h"
#include "ui_pump.h"

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
