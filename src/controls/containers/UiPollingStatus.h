// Polling panes, refreshed from the system on one timer that all of them share: the clock, the
// key pane (Caps, Num, Scroll Lock, Insert mode) and the free memory or resource pane.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "UiProgressStatus.h"
#include "cl_datetime.h"

class TTimer;
class TUiPollingStatus;

// The one timer of every polling pane and the panes in registration order; alive while at
// least one polling pane exists.
class TUiPollingList : public TObject {
    CL_CLASS(TUiPollingList, TObject)

    TUiPollingList();
    ~TUiPollingList() override;

    virtual int GetCount() const;
    virtual bool GetActive() const;
    virtual void SetActive(bool value);
    virtual uint16_t GetInterval() const;
    virtual void SetInterval(uint16_t value);
    void Add(TUiPollingStatus* pane);
    void Remove(TUiPollingStatus* pane);
    // Refreshes every visible pane; panes destroyed meanwhile are skipped.
    void TimerFired(TObject* sender);
    bool Firing() const { return firing_; }
    // Stops the timer and the running tick of a list left without panes.
    void Retire();

private:
    TTimer* timer_;
    std::vector<TUiPollingStatus*> panes_;
    bool firing_ = false;
    bool retireAfterTick_ = false;
};

// The shared list, or null while no polling pane exists.
TUiPollingList* PollingList();

class TUiPollingStatus : public TUiCustomStatusPane {
    CL_COMPONENT_CLASS(TUiPollingStatus, TUiCustomStatusPane)

    explicit TUiPollingStatus(TComponent* owner);
    void BeforeDestruction() override;

    // The shared timer's settings: changing them on one pane changes them for all.
    bool Active() const { return GetActive(); }
    virtual bool GetActive() const;
    virtual void SetActive(bool value);
    uint16_t Interval() const { return GetInterval(); }
    virtual uint16_t GetInterval() const;
    virtual void SetInterval(uint16_t value);
    // Refreshes the pane; descendants do their work, then call the base to fire the event.
    virtual void TimerExpired();

    TNotifyEvent OnTimerExpired;

protected:
    ~TUiPollingStatus() override = default;
};

using TUiGetDateTimeEvent = std::function<void(TObject* sender, TDateTime& dateTime)>;

class TUiClockStatus : public TUiPollingStatus {
    CL_COMPONENT_CLASS(TUiClockStatus, TUiPollingStatus)

    explicit TUiClockStatus(TComponent* owner);

    const AnsiString& Format() const { return format_; }
    void SetFormat(const AnsiString& value);
    void TimerExpired() override;
    void Loaded() override;
    TRect GetCaptionRect() override;

    TUiGetDateTimeEvent OnGetDateTime;

protected:
    ~TUiClockStatus() override = default;
    void Paint() override;
    virtual void SetCurrentDateTimeStr();

private:
    AnsiString format_;
    AnsiString text_;
};

enum TUiToggleKey { tkCapsLock, tkNumLock, tkScrollLock, tkInsert };
enum TUiToggleState { tsOn, tsOff };
enum TUiKeyOffAppearance { koaBlank, koaDimmed };
enum TUiInsertState { isInsert, isOverwrite };

class TUiKeyStatus;

// The texts of a key pane, by TUiToggleKey with Overwrite last.
class TUiKeyStrings : public TPersistent {
    CL_CLASS(TUiKeyStrings, TPersistent)

    explicit TUiKeyStrings(TUiKeyStatus* pane) : pane_(pane) {}
    void Assign(TPersistent* source) override;

    const AnsiString& Get(int index) const { return texts_[index]; }
    void Set(int index, const AnsiString& value);
    const AnsiString& CapsLock() const { return texts_[0]; }
    const AnsiString& NumLock() const { return texts_[1]; }
    const AnsiString& ScrollLock() const { return texts_[2]; }
    const AnsiString& Insert() const { return texts_[3]; }
    const AnsiString& Overwrite() const { return texts_[4]; }

private:
    TUiKeyStatus* pane_;
    AnsiString texts_[5] = {"CAPS", "NUM", "SCR", "Insert", "Overwrite"};
};

class TUiKeyStatus : public TUiPollingStatus {
    CL_COMPONENT_CLASS(TUiKeyStatus, TUiPollingStatus)

    explicit TUiKeyStatus(TComponent* owner);
    void BeforeDestruction() override;

    TUiToggleKey Key() const { return key_; }
    virtual void SetKey(TUiToggleKey value) { Change(key_, value); }
    TUiKeyOffAppearance KeyOffAppearance() const { return keyOffAppearance_; }
    virtual void SetKeyOffAppearance(TUiKeyOffAppearance value) { Change(keyOffAppearance_, value); }
    TUiKeyStrings* KeyStrings() const { return keyStrings_; }
    virtual void SetKeyStrings(TUiKeyStrings* value) { keyStrings_->Assign(value); }
    TUiToggleState State() const { return state_; }
    virtual void SetState(TUiToggleState value) { Change(state_, value); }
    TUiInsertState InsertState() const { return insertState_; }
    virtual void SetInitInsertState(TUiInsertState value);
    TUiInsertState CurrentInsertState() const { return currentInsertState_; }
    virtual void SetCurrentInsertState(TUiInsertState value) { Change(currentInsertState_, value); }
    // Whether a text was changed (the texts are then stored with the pane).
    bool KeyStringsChanged() const { return keyStringsChanged_; }
    void KeyStringChanged();

    void TimerExpired() override;

protected:
    ~TUiKeyStatus() override = default;
    void Paint() override;

private:
    TUiToggleKey key_ = tkCapsLock;
    TUiKeyOffAppearance keyOffAppearance_ = koaBlank;
    TUiKeyStrings* keyStrings_;
    TUiToggleState state_ = tsOff;
    TUiInsertState insertState_ = isInsert;
    TUiInsertState currentInsertState_ = isInsert;
    bool keyStringsChanged_ = false;
    bool startInsertToggle_ = false;
};

enum TResourceType { rtSystem, rtMemory };
enum TDisplayStyle { dsBar, dsText };

class TUiResourceStatus;

class TUiResourceStrings : public TPersistent {
    CL_CLASS(TUiResourceStrings, TPersistent)

    explicit TUiResourceStrings(TUiResourceStatus* pane) : pane_(pane) {}
    void Assign(TPersistent* source) override;

    const AnsiString& Get(int index) const { return texts_[index]; }
    void Set(int index, const AnsiString& value);
    const AnsiString& System() const { return texts_[0]; }
    const AnsiString& Memory() const { return texts_[1]; }

protected:
    void DefineProperties(TFiler* filer) override;

private:
    TUiResourceStatus* pane_;
    AnsiString texts_[2] = {"System", "Memory"};
};

// The free share of the page file, in kilobytes, as the system reports it.
struct TUiMemoryReading {
    uint64_t availableKB = 0, totalKB = 0;
};

class TUiResourceStatus : public TUiPollingStatus {
    CL_COMPONENT_CLASS(TUiResourceStatus, TUiPollingStatus)

    explicit TUiResourceStatus(TComponent* owner);
    void BeforeDestruction() override;

    TColor BackColor() const { return backColor_; }
    virtual void SetBackColor(TColor value) { Change(backColor_, value); }
    TColor BackColorStop() const { return backColorStop_; }
    void SetBackColorStop(TColor value) { Change(backColorStop_, value); }
    TColor BarColor() const { return barColor_; }
    virtual void SetBarColor(TColor value) { Change(barColor_, value); }
    TColor BarColorStop() const { return barColorStop_; }
    void SetBarColorStop(TColor value) { Change(barColorStop_, value); }
    TBarStyle BarStyle() const { return barStyle_; }
    virtual void SetBarStyle(TBarStyle value);
    TDisplayStyle DisplayStyle() const { return displayStyle_; }
    virtual void SetDisplayStyle(TDisplayStyle value) { Change(displayStyle_, value); }
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    void SetGradientDirection(TGradientDirection value) { Change(gradientDirection_, value); }
    int NumSegments() const { return numSegments_; }
    virtual void SetNumSegments(int value);
    TOrientation Orientation() const { return orientation_; }
    virtual void SetOrientation(TOrientation value) { Change(orientation_, value); }
    bool ShowPercent() const { return showPercent_; }
    virtual void SetShowPercent(bool value) { Change(showPercent_, value); }
    TUiResourceStrings* ResourceStrings() const { return resourceStrings_; }
    virtual void SetResourceStrings(TUiResourceStrings* value) { resourceStrings_->Assign(value); }
    TResourceType ResourceType() const { return resourceType_; }
    int FreePercent() const { return percent_; }
    uint64_t FreeKB() const { return freeKB_; }
    bool ResourceStringsChanged() const { return stringsChanged_; }
    void ResourceStringChanged();

    void TimerExpired() override;

    // Where the memory reading comes from (the system's memory status when empty).
    static std::function<TUiMemoryReading()> ReadMemory;

protected:
    ~TUiResourceStatus() override = default;
    void Paint() override;
    void DefineProperties(TFiler* filer) override;

private:
    void UpdateHint();

    TColor backColor_ = clBtnFace, backColorStop_ = clBtnFace;
    TColor barColor_ = clHighlight, barColorStop_ = clHotLight;
    TBarStyle barStyle_ = bsTraditional;
    TDisplayStyle displayStyle_ = dsBar;
    TGradientDirection gradientDirection_ = gdHorizontalCenter;
    int numSegments_ = 15;
    TOrientation orientation_ = orHorizontal;
    bool showPercent_ = false;
    TUiResourceStrings* resourceStrings_;
    TResourceType resourceType_;
    uint64_t freeKB_ = 0;
    int percent_ = 0;
    bool stringsChanged_ = false;
};
