// The library's framed multi-line edits: the memo and the rich edit with state colours, the
// non-client frame and hot tracking, 1-based caret line and column, line/column and clipboard
// events, wheel scrolling and Enter as Tab.
#pragma once

#include <cstdlib>

#include "UiFramedControl.h"
#include "cl_stdctrls.h"

using TLineColChangeEvent = std::function<void(TObject* sender, int line, int column)>;
using TClipboardChangeEvent =
    std::function<void(TObject* sender, bool hasSelection, bool hasText)>;

template <class Base>
class TUiFramedMemo : public TUiFramedControl<Base> {
    using Framed = TUiFramedControl<Base>;

public:
    explicit TUiFramedMemo(TComponent* owner) : Framed(owner) {}

    bool GetReadOnly() const { return this->ReadOnly(); }
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

    TLineColChangeEvent OnLineColChange;
    TClipboardChangeEvent OnClipboardChange;

    void SetReadOnly(bool readOnly) override {
        if (readOnly == this->ReadOnly()) return;
        Base::SetReadOnly(readOnly);
        this->UpdateColors();
    }

    // The caret's line and column, both counted from 1.
    virtual int GetLine() {
        DWORD start = 0, end = 0;
        Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        if (start == end) return static_cast<int>(Send(EM_LINEFROMCHAR, start)) + 1;
        const LRESULT pos = CaretCharPos();
        return pos == -1 ? 1 : HIWORD(pos) + 1;
    }
    virtual int GetColumn() {
        const LRESULT pos = CaretCharPos();
        if (pos == -1) return 1;
        return LOWORD(pos) - static_cast<int>(Send(EM_LINEINDEX, HIWORD(pos))) + 1;
    }
    virtual void SetLine(int line) {
        const LRESULT index = Send(EM_LINEINDEX, line - 1);
        Send(EM_SETSEL, index, index);
        if (GetLine() != line) return;
        Send(EM_LINESCROLL, 0, line - 1 - Send(EM_GETFIRSTVISIBLELINE));
        LineColChange();
    }
    virtual void SetColumn(int column) {
        const LRESULT lineStart = Send(EM_LINEINDEX, GetLine() - 1);
        if (column > Send(EM_LINELENGTH, lineStart) + 1) return;
        const LRESULT index = lineStart + column - 1;
        Send(EM_SETSEL, index, index);
        LineColChange();
    }
    void JumpTo(int line, int column) {
        SetLine(line);
        if (GetLine() == line) SetColumn(column);
    }

protected:
    ~TUiFramedMemo() override = default;

    void UpdateFrame(bool byMouse, bool value) override {
        if (byMouse) this->overControl_ = value;
        if (this->FrameHotTrack()) this->RepaintFrame();
        this->UpdateColors();
    }
    virtual void LineColChange() {
        if (OnLineColChange) OnLineColChange(this, GetLine(), GetColumn());
        ClipboardChange();
    }
    virtual void ClipboardChange() {
        if (OnClipboardChange)
            OnClipboardChange(this, this->SelLength() != 0,
                              IsClipboardFormatAvailable(CF_TEXT) != FALSE);
    }
    void CreateWnd() override {
        Framed::CreateWnd();
        LineColChange();
    }
    void Change() override {
        Framed::Change();
        LineColChange();
    }
    void Click() override {
        Framed::Click();
        LineColChange();
    }
    void KeyDown(uint16_t& key, TShiftState shift) override {
        Framed::KeyDown(key, shift);
        LineColChange();
    }
    void KeyUp(uint16_t& key, TShiftState shift) override {
        Framed::KeyUp(key, shift);
        LineColChange();
    }
    void KeyPress(char& key) override {
        if (tabOnEnter_ && key == '\r') {
            key = 0;
            PostMessageA(this->WindowHandle(), WM_KEYDOWN, VK_TAB, 0);
            return;
        }
        Framed::KeyPress(key);
    }
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
        Framed::MouseUp(button, shift, x, y);
        ClipboardChange();
    }
    // Without an OnMouseWheel handler the memo scrolls itself by the system's lines per notch.
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override {
        if (this->OnMouseWheel) return Framed::DoMouseWheel(shift, wheelDelta, mousePos);
        int notches = wheelDelta / WHEEL_DELTA;
        const bool pages = Mouse->IsWheelPageScroll();
        if (!pages) notches *= static_cast<int>(Mouse->WheelScrollLines());
        const WPARAM command = notches > 0 ? (pages ? SB_PAGEUP : SB_LINEUP)
                                           : (pages ? SB_PAGEDOWN : SB_LINEDOWN);
        for (int i = 0; i < std::abs(notches); ++i)
            if (HIWORD(Send(EM_SCROLL, command)) == 0) break;
        return true;
    }

    bool ReadOnlyValue() override { return this->ReadOnly(); }
    bool HotCondition() override { return HasKeyboardFocus(this) || this->overControl_; }
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(this->Handle(), msg, wParam, lParam);
    }

private:
    // EM_CHARFROMPOS of the caret: -1, or the character (low word) and line (high word).
    LRESULT CaretCharPos() {
        POINT caret{};
        ::GetCaretPos(&caret);
        return Send(EM_CHARFROMPOS, 0, MAKELPARAM(caret.x, caret.y));
    }

    bool tabOnEnter_ = false;
};

class TUiMemo : public TUiFramedMemo<TMemo> {
    CL_COMPONENT_CLASS(TUiMemo, TMemo)

    explicit TUiMemo(TComponent* owner);

protected:
    ~TUiMemo() override = default;
};

// Publishes the framed memo properties of class C.
template <class C> void RegisterFramedMemoProperties() {
    RegisterFramedProperties<C>(fpubReadOnlyColors | fpubNotifications);
    RegisterProperty(C::StaticClass(), OrdinalProperty<C>("TabOnEnter", pkBool, &C::TabOnEnter,
                                                          &C::SetTabOnEnter, 0));
    RegisterProperty(C::StaticClass(), OrdinalProperty<C>("ReadOnly", pkBool, &C::GetReadOnly,
                                                          &C::SetReadOnly, 0));
}
