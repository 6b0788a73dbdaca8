// The library's framed multi-line edit: the memo with state colours, the non-client frame and
// hot tracking, 1-based caret line and column, line/column and clipboard events, wheel scrolling.
#pragma once

#include "UiFramedControl.h"
#include "cl_stdctrls.h"

using TLineColChangeEvent = std::function<void(TObject* sender, int line, int column)>;
using TClipboardChangeEvent =
    std::function<void(TObject* sender, bool hasSelection, bool hasText)>;

class TUiMemo : public TUiFramedControl<TMemo> {
    CL_COMPONENT_CLASS(TUiMemo, TMemo)

    explicit TUiMemo(TComponent* owner) : TUiFramedControl<TMemo>(owner) {}

    bool GetReadOnly() const { return ReadOnly(); }
    void SetReadOnly(bool readOnly) override;
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

    // The caret's line and column, both counted from 1.
    virtual int GetLine();
    virtual void SetLine(int line);
    virtual int GetColumn();
    virtual void SetColumn(int column);
    void JumpTo(int line, int column);

    TLineColChangeEvent OnLineColChange;
    TClipboardChangeEvent OnClipboardChange;

protected:
    ~TUiMemo() override = default;

    bool ReadOnlyValue() override { return ReadOnly(); }
    bool HotCondition() override { return HasKeyboardFocus(this) || overControl_; }
    void UpdateFrame(bool byMouse, bool value) override;
    virtual void LineColChange();
    virtual void ClipboardChange();
    void CreateWnd() override;
    void Change() override;
    void Click() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

private:
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(Handle(), msg, wParam, lParam);
    }
    // EM_CHARFROMPOS of the caret: -1, or the character (low word) and line (high word).
    LRESULT CaretCharPos();

    bool tabOnEnter_ = false;
};
