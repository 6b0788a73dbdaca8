// Polling panes: status panes that refresh themselves from the system on one timer shared by
// every polling pane of the program. The clock pane shows the date and time in a format; the
// key pane shows whether Caps Lock, Num Lock, Scroll Lock or the Insert mode is on.
#pragma once

#include <cstdint>

#include "UiStatusPane.h"

class TUiPollingStatus : public TUiCustomStatusPane {
    CL_COMPONENT_CLASS(TUiPollingStatus, TUiCustomStatusPane)

    explicit TUiPollingStatus(TComponent* owner);
    void BeforeDestruction() override;

    // The shared timer's settings: changing them on one pane changes them for all.
    bool Active() const;
    void SetActive(bool value);
    uint16_t Interval() const;
    void SetInterval(uint16_t value);
    // Refreshes the pane; descendants do their work, then call the base to fire the event.
    virtual void TimerExpired();

    TNotifyEvent OnTimerExpired;
};

class TUiClockStatus : public TUiPollingStatus {
    CL_COMPONENT_CLASS(TUiClockStatus, TUiPollingStatus)

    explicit TUiClockStatus(TComponent* owner);

    const AnsiString& Format() const { return format_; }
    void SetFormat(const AnsiString& format);
    void TimerExpired() override;
    void Loaded() override;

protected:
    AnsiString DisplayText() override { return text_; }

private:
    void SetCurrentDateTimeStr();

    AnsiString format_;
    AnsiString text_;
};

enum TUiToggleKey { tkCapsLock, tkNumLock, tkScrollLock, tkInsert };
enum TUiToggleState { tsOn, tsOff };

class TUiKeyStatus : public TUiPollingStatus {
    CL_COMPONENT_CLASS(TUiKeyStatus, TUiPollingStatus)

    explicit TUiKeyStatus(TComponent* owner);

    TUiToggleKey Key() const { return key_; }
    void SetKey(TUiToggleKey key);
    TUiToggleState State() const { return state_; }
    void TimerExpired() override;

protected:
    AnsiString DisplayText() override;

private:
    TUiToggleState ReadState() const;

    TUiToggleKey key_ = tkCapsLock;
    TUiToggleState state_ = tsOff;
};
