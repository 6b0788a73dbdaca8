// A shown form over the test's folder tree, for the shell tree, list and combo controls.
#pragma once

#include "UiShellLinks.h"
#include "shell_fixture.h"
#include "shown_form.h"

class ShellControlsTest : public ShellTreeTest {
protected:
    void SetUp() override {
        ShellTreeTest::SetUp();
        form = new TForm(nullptr);
        form->SetBounds(30, 30, 760, 420);
        form->SetColor(clBtnFace);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        form->Free();
        Application->ProcessMessages();
        ShellTreeTest::TearDown();
    }
    template <class T> T* AddControl(int left, int top, int width, int height) {
        T* control = new T(form);
        control->SetParent(form);
        control->SetBounds(left, top, width, height);
        return control;
    }
    TForm* form = nullptr;
};
