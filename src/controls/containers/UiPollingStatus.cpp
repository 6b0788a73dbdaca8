#include "UiPollingStatus.h"

#include <algorithm>
#include <vector>

#include "cl_datetime.h"
#include "cl_extctrls.h"

namespace {

// The one timer of every polling pane, alive while at least one pane exists.
class TUiPollingList {
public:
    TUiPollingList() : timer_(new TTimer(nullptr)) {
        timer_->SetInterval(500);
        timer_->SetOnTimer([this](TObject*) { TimerFired(); });
    }
    ~TUiPollingList() { timer_->Free(); }
    void Add(TUiPollingStatus* pane) { panes_.push_back(pane); }
    void Remove(TUiPollingStatus* pane) {
        panes_.erase(std::remove(panes_.begin(), panes_.end(), pane), panes_.end());
    }
    bool Empty() const { return panes_.empty(); }
    TTimer* Timer() const { return timer_; }

private:
    void TimerFired() {
        const std::vector<TUiPollingStatus*> panes = panes_;
        for (TUiPollingStatus* pane : panes)
            if (pane->Visible()) pane->TimerExpired();
    }

    TTimer* timer_;
    std::vector<TUiPollingStatus*> panes_;
};

TUiPollingList* pollingList = nullptr;

const char* const KeyTexts[] = {"CAPS", "NUM", "SCR", "Insert"};
const int KeyCodes[] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL, VK_INSERT};

}  // namespace

TUiPollingStatus::TUiPollingStatus(TComponent* owner) : TUiCustomStatusPane(owner) {
    if (!pollingList) pollingList = new TUiPollingList;
    pollingList->Add(this);
}

void TUiPollingStatus::BeforeDestruction() {
    pollingList->Remove(this);
    if (pollingList->Empty()) {
        delete pollingList;
        pollingList = nullptr;
    }
    TUiCustomStatusPane::BeforeDestruction();
}

bool TUiPollingStatus::Active() const { return pollingList->Timer()->Enabled(); }

void TUiPollingStatus::SetActive(bool value) {
    if (value != Active()) pollingList->Timer()->SetEnabled(value);
}

uint16_t TUiPollingStatus::Interval() const {
    return static_cast<uint16_t>(pollingList->Timer()->Interval());
}

void TUiPollingStatus::SetInterval(uint16_t value) {
    if (value != Interval()) pollingList->Timer()->SetInterval(value);
}

void TUiPollingStatus::TimerExpired() {
    if (OnTimerExpired) OnTimerExpired(this);
}

TUiClockStatus::TUiClockStatus(TComponent* owner) : TUiPollingStatus(owner) {
    SetWidth(150);
    SetCurrentDateTimeStr();
}

void TUiClockStatus::SetFormat(const AnsiString& format) {
    if (format == format_) return;
    format_ = format;
    SetCurrentDateTimeStr();
    Invalidate();
}

void TUiClockStatus::Loaded() {
    TUiPollingStatus::Loaded();
    SetCurrentDateTimeStr();
}

void TUiClockStatus::TimerExpired() {
    SetCurrentDateTimeStr();
    TUiPollingStatus::TimerExpired();
}

void TUiClockStatus::SetCurrentDateTimeStr() {
    const TDateTime now = Now();
    const AnsiString text = format_.IsEmpty() ? DateTimeToStr(now) : FormatDateTime(format_, now);
    if (text == text_) return;
    text_ = text;
    Invalidate();
}

TUiKeyStatus::TUiKeyStatus(TComponent* owner) : TUiPollingStatus(owner) {
    SetWidth(45);
    SetAlignment(taCenter);
    state_ = ReadState();
}

void TUiKeyStatus::SetKey(TUiToggleKey key) {
    if (key == key_) return;
    key_ = key;
    state_ = ReadState();
    Invalidate();
}

TUiToggleState TUiKeyStatus::ReadState() const {
    return (GetKeyState(KeyCodes[key_]) & 1) ? tsOn : tsOff;
}

void TUiKeyStatus::TimerExpired() {
    const TUiToggleState state = ReadState();
    if (state != state_) {
        state_ = state;
        Invalidate();
    }
    TUiPollingStatus::TimerExpired();
}

AnsiString TUiKeyStatus::DisplayText() {
    if (key_ == tkInsert) return state_ == tsOn ? "Overwrite" : KeyTexts[tkInsert];
    return state_ == tsOn ? KeyTexts[key_] : "";
}
