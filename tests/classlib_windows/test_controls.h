// Small controls for the window tests: system button and edit subclasses, a graphic control
// and a custom control that fill themselves with one colour, and a pump that waits for a
// condition while the application handles messages.
#pragma once

#include <functional>

#include "cl_forms.h"
#include "ui_pump.h"

// A push button over the system BUTTON class: Default/Cancel answer Enter/Esc, ModalResult
// closes a modal form, Click comes from the reflected BN_CLICKED.
class TTestButton : public TWinControl {
public:
    explicit TTestButton(TComponent* owner) : TWinControl(owner) {
        ControlStyle = {csSetCaption, csDoubleClicks};
        SetTabStop(true);
        SetBounds(0, 0, 75, 25);
    }
    bool Default = false;
    bool Cancel = false;
    TModalResult ModalResult = mrNone;
    void Click() override {
        if (ModalResult != mrNone)
            if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(ModalResult);
        TWinControl::Click();
    }
    void Dispatch(TMessage& message) override {
        switch (message.Msg) {
        case CN_COMMAND:
            if (HIWORD(message.WParam) == BN_CLICKED) Click();
            return;
        case CM_DIALOGKEY:
            if (((message.WParam == VK_RETURN && Default) ||
                 (message.WParam == VK_ESCAPE && Cancel)) && CanFocus()) {
                Click();
                message.Result = 1;
            }
            return;
        default:
            TWinControl::Dispatch(message);
        }
    }

protected:
    ~TTestButton() override = default;
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        CreateSubClass(params, "BUTTON");
        params.Style |= Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    }
};

class TTestEdit : public TWinControl {
public:
    explicit TTestEdit(TComponent* owner) : TWinControl(owner) {
        ControlStyle = {csSetCaption, csDoubleClicks};
        SetTabStop(true);
        SetBounds(0, 0, 120, 21);
    }

protected:
    ~TTestEdit() override = default;
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        CreateSubClass(params, "EDIT");
        params.Style |= ES_AUTOHSCROLL | WS_TABSTOP;
        params.ExStyle |= WS_EX_CLIENTEDGE;
    }
};

// A graphic control that fills itself with Fill and counts its paints.
class TSwatch : public TGraphicControl {
public:
    explicit TSwatch(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 40, 30); }
    TColor Fill = clRed;
    int Paints = 0;

protected:
    ~TSwatch() override = default;
    void Paint() override {
        ++Paints;
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    }
};

// A windowed control that paints itself with Fill.
class TPaintBox : public TCustomControl {
public:
    explicit TPaintBox(TComponent* owner) : TCustomControl(owner) {
        ControlStyle.insert(csAcceptsControls);
        SetBounds(0, 0, 60, 40);
    }
    TColor Fill = clBlue;
    int Paints = 0;

protected:
    ~TPaintBox() override = default;
    void Paint() override {
        ++Paints;
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    }
};
