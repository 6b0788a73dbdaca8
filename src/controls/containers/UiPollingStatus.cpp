#include "UiPollingStatus.h"

#include <algorithm>

#include "UiSysRes.h"
#include "cl_extctrls.h"
#include "cl_filer.h"
#include "cl_number.h"
#include "cl_string.h"
#include "cl_sys.h"

namespace {

TUiPollingList* pollingList = nullptr;
// Lists given up during their own tick; each is freed once its timer callback has returned.
std::vector<TUiPollingList*> retiredLists;

void FreeRetiredLists() {
    const auto idle = std::stable_partition(retiredLists.begin(), retiredLists.end(),
                                            [](TUiPollingList* list) { return list->Firing(); });
    for (auto it = idle; it != retiredLists.end(); ++it) (*it)->Free();
    retiredLists.erase(idle, retiredLists.end());
}

const int KeyCodes[] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL, VK_INSERT};

bool KeyToggled(TUiToggleKey key) { return (GetKeyState(KeyCodes[key]) & 1) != 0; }

TUiMemoryReading SystemMemory() {
    MEMORYSTATUS status = {};
    status.dwLength = sizeof(status);
    GlobalMemoryStatus(&status);
    return {static_cast<uint64_t>(status.dwAvailPageFile) >> 10,
            static_cast<uint64_t>(status.dwTotalPageFile) >> 10};
}

// A text of a strings object by its index, for the form streams.
template <class C>
TPropertyInfo IndexedText(const char* name, int index) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkString;
    info.GetText = [index](TObject* o) { return static_cast<C*>(o)->Get(index); };
    info.SetText = [index](TObject* o, const AnsiString& v) { static_cast<C*>(o)->Set(index, v); };
    return info;
}

const bool pollingPropertiesRegistered = [] {
    using P = TUiPollingStatus;
    RegisterProperty(P::StaticClass(),
                     OrdinalProperty<P>("Active", pkBool, &P::GetActive, &P::SetActive, true));
    RegisterProperty(P::StaticClass(), OrdinalProperty<P>("Interval", pkInteger, &P::GetInterval,
                                                          &P::SetInterval, 500));
    RegisterProperty(TUiClockStatus::StaticClass(),
                     StringProperty<TUiClockStatus>("Format", &TUiClockStatus::Format,
                                                    &TUiClockStatus::SetFormat));
    const char* const keyTexts[] = {"CapsLock", "NumLock", "ScrollLock", "Insert", "Overwrite"};
    for (int i = 0; i < 5; ++i)
        RegisterProperty(TUiKeyStrings::StaticClass(), IndexedText<TUiKeyStrings>(keyTexts[i], i));
    using K = TUiKeyStatus;
    RegisterProperty(K::StaticClass(), EnumProperty<K>("Key", &K::Key, &K::SetKey,
                                                       {"tkCapsLock", "tkNumLock", "tkScrollLock",
                                                        "tkInsert"},
                                                       tkCapsLock));
    RegisterProperty(K::StaticClass(),
                     EnumProperty<K>("KeyOffAppearance", &K::KeyOffAppearance,
                                     &K::SetKeyOffAppearance, {"koaBlank", "koaDimmed"}, koaBlank));
    RegisterProperty(K::StaticClass(),
                     EnumProperty<K>("InsertState", &K::InsertState, &K::SetInitInsertState,
                                     {"isInsert", "isOverwrite"}, isInsert));
    TPropertyInfo keyStrings = SubObjectProperty<K>("KeyStrings", &K::KeyStrings);
    keyStrings.IsStored = [](TObject* o) { return static_cast<K*>(o)->KeyStringsChanged(); };
    RegisterProperty(K::StaticClass(), keyStrings);
    for (int i = 0; i < 2; ++i)
        RegisterProperty(TUiResourceStrings::StaticClass(),
                         IndexedText<TUiResourceStrings>(i == 0 ? "System" : "Memory", i));
    using R = TUiResourceStatus;
    const TMetaClass* meta = R::StaticClass();
    const struct {
        const char* name;
        TColor (R::*get)() const;
        void (R::*set)(TColor);
        TColor def;
    } colors[] = {{"BarColor", &R::BarColor, &R::SetBarColor, clHighlight},
                  {"BarColorStop", &R::BarColorStop, &R::SetBarColorStop, clHotLight},
                  {"BackColor", &R::BackColor, &R::SetBackColor, clBtnFace},
                  {"BackColorStop", &R::BackColorStop, &R::SetBackColorStop, clBtnFace}};
    for (const auto& p : colors)
        RegisterProperty(meta, OrdinalProperty<R>(p.name, pkColor, p.get, p.set, p.def));
    RegisterProperty(meta, EnumProperty<R>("BarStyle", &R::BarStyle, &R::SetBarStyle,
                                           {"bsTraditional", "bsLED", "bsGradient"},
                                           bsTraditional));
    RegisterProperty(meta, EnumProperty<R>("DisplayStyle", &R::DisplayStyle, &R::SetDisplayStyle,
                                           {"dsBar", "dsText"}, dsBar));
    RegisterProperty(meta, EnumProperty<R>("Orientation", &R::Orientation, &R::SetOrientation,
                                           {"orHorizontal", "orVertical"}, orHorizontal));
    RegisterProperty(meta, OrdinalProperty<R>("NumSegments", pkInteger, &R::NumSegments,
                                              &R::SetNumSegments, 15));
    RegisterProperty(meta, OrdinalProperty<R>("ShowPercent", pkBool, &R::ShowPercent,
                                              &R::SetShowPercent, false));
    TPropertyInfo texts = SubObjectProperty<R>("ResourceStrings", &R::ResourceStrings);
    texts.IsStored = [](TObject* o) { return static_cast<R*>(o)->ResourceStringsChanged(); };
    RegisterProperty(meta, texts);
    RegisterClasses({TUiClockStatus::StaticClass(), K::StaticClass(), meta});
    return true;
}();

}  // namespace

TUiPollingList* PollingList() { return pollingList; }

TUiPollingList::TUiPollingList() : timer_(new TTimer(nullptr)) {
    timer_->SetInterval(500);
    timer_->SetOnTimer([this](TObject* sender) { TimerFired(sender); });
}

TUiPollingList::~TUiPollingList() { timer_->Free(); }

int TUiPollingList::GetCount() const {
    return static_cast<int>(std::count_if(panes_.begin(), panes_.end(),
                                          [](TUiPollingStatus* pane) { return pane != nullptr; }));
}

bool TUiPollingList::GetActive() const { return timer_->Enabled(); }

void TUiPollingList::SetActive(bool value) {
    if (value != GetActive()) timer_->SetEnabled(value);
}

uint16_t TUiPollingList::GetInterval() const { return static_cast<uint16_t>(timer_->Interval()); }

void TUiPollingList::SetInterval(uint16_t value) {
    if (value != GetInterval()) timer_->SetInterval(value);
}

void TUiPollingList::Add(TUiPollingStatus* pane) { panes_.push_back(pane); }

void TUiPollingList::Remove(TUiPollingStatus* pane) {
    auto it = std::find(panes_.begin(), panes_.end(), pane);
    if (it == panes_.end()) return;
    // During a tick the entry only goes blank, so the round's positions stay valid.
    if (firing_)
        *it = nullptr;
    else
        panes_.erase(it);
}

void TUiPollingList::Retire() {
    retireAfterTick_ = true;
    timer_->SetEnabled(false);
}

void TUiPollingList::TimerFired(TObject*) {
    firing_ = true;
    const size_t count = panes_.size();
    for (size_t i = 0; i < count && !retireAfterTick_; ++i) {
        TUiPollingStatus* pane = panes_[i];
        if (pane && pane->Visible()) pane->TimerExpired();
    }
    firing_ = false;
    panes_.erase(std::remove(panes_.begin(), panes_.end(), nullptr), panes_.end());
}

TUiPollingStatus::TUiPollingStatus(TComponent* owner) : TUiCustomStatusPane(owner) {
    FreeRetiredLists();
    if (!pollingList) pollingList = new TUiPollingList;
    pollingList->Add(this);
}

void TUiPollingStatus::BeforeDestruction() {
    TUiPollingList* list = pollingList;
    list->Remove(this);
    if (list->GetCount() == 0) {
        pollingList = nullptr;
        if (list->Firing()) {
            list->Retire();
            retiredLists.push_back(list);
        } else {
            list->Free();
        }
    }
    TUiCustomStatusPane::BeforeDestruction();
}

bool TUiPollingStatus::GetActive() const { return pollingList->GetActive(); }

void TUiPollingStatus::SetActive(bool value) { pollingList->SetActive(value); }

uint16_t TUiPollingStatus::GetInterval() const { return pollingList->GetInterval(); }

void TUiPollingStatus::SetInterval(uint16_t value) { pollingList->SetInterval(value); }

void TUiPollingStatus::TimerExpired() {
    if (OnTimerExpired) OnTimerExpired(this);
}

TUiClockStatus::TUiClockStatus(TComponent* owner) : TUiPollingStatus(owner) {
    SetBounds(Left(), Top(), 150, Height());
}

void TUiClockStatus::SetFormat(const AnsiString& value) {
    if (value == format_) return;
    format_ = value;
    SetCurrentDateTimeStr();
    Invalidate();
}

void TUiClockStatus::Loaded() {
    TUiPollingStatus::Loaded();
    SetCurrentDateTimeStr();
    SetCaption(text_);
    AdjustBounds();
}

void TUiClockStatus::TimerExpired() {
    SetCurrentDateTimeStr();
    TUiPollingStatus::TimerExpired();
}

void TUiClockStatus::SetCurrentDateTimeStr() {
    TDateTime now = Now();
    if (OnGetDateTime) OnGetDateTime(this, now);
    const AnsiString text = format_.IsEmpty() ? DateTimeToStr(now) : FormatDateTime(format_, now);
    if (text == text_) return;
    text_ = text;
    SetCaption(text_);
    AdjustBounds();
    Invalidate();
}

void TUiClockStatus::Paint() {
    SetCaption(text_);
    TUiPollingStatus::Paint();
}

TRect TUiClockStatus::GetCaptionRect() {
    TRect rect = TUiPollingStatus::GetCaptionRect();
    if (UnderSizeGrip(ClientRect())) rect.Right -= 12;
    return rect;
}

void TUiKeyStrings::Assign(TPersistent* source) {
    auto* strings = dynamic_cast<TUiKeyStrings*>(source);
    if (!strings) return TPersistent::Assign(source);
    for (int i = 0; i < 5; ++i) Set(i, strings->Get(i));
}

void TUiKeyStrings::Set(int index, const AnsiString& value) {
    if (value == texts_[index]) return;
    texts_[index] = value;
    pane_->KeyStringChanged();
}

TUiKeyStatus::TUiKeyStatus(TComponent* owner)
    : TUiPollingStatus(owner), keyStrings_(new TUiKeyStrings(this)) {
    SetBounds(Left(), Top(), 45, Height());
    SetAlignment(taCenter);
    startInsertToggle_ = KeyToggled(tkInsert);
}

void TUiKeyStatus::BeforeDestruction() {
    delete keyStrings_;
    keyStrings_ = nullptr;
    TUiPollingStatus::BeforeDestruction();
}

void TUiKeyStatus::KeyStringChanged() {
    keyStringsChanged_ = true;
    Invalidate();
}

void TUiKeyStatus::SetInitInsertState(TUiInsertState value) {
    insertState_ = currentInsertState_ = value;
    startInsertToggle_ = KeyToggled(tkInsert);
    Invalidate();
}

void TUiKeyStatus::TimerExpired() {
    const bool toggled = KeyToggled(key_);
    if (key_ == tkInsert) {
        if (!InState(csDesigning)) {
            const TUiInsertState other = insertState_ == isInsert ? isOverwrite : isInsert;
            SetCurrentInsertState(toggled == startInsertToggle_ ? insertState_ : other);
        }
    } else {
        SetState(toggled ? tsOn : tsOff);
    }
    TUiPollingStatus::TimerExpired();
}

void TUiKeyStatus::Paint() {
    if (key_ == tkInsert) {
        SetCaption(currentInsertState_ == isInsert ? keyStrings_->Insert()
                                                   : keyStrings_->Overwrite());
    } else if (keyOffAppearance_ == koaBlank) {
        SetCaptionColor(SavedFontColor());
        SetCaption(state_ == tsOn ? keyStrings_->Get(key_) : AnsiString());
    } else {
        SetCaption(keyStrings_->Get(key_));
        SetCaptionColor(state_ == tsOn ? SavedFontColor() : clGrayText);
    }
    TUiPollingStatus::Paint();
}

void TUiResourceStrings::Assign(TPersistent* source) {
    auto* strings = dynamic_cast<TUiResourceStrings*>(source);
    if (!strings) return TPersistent::Assign(source);
    for (int i = 0; i < 2; ++i) Set(i, strings->Get(i));
}

void TUiResourceStrings::Set(int index, const AnsiString& value) {
    if (value == texts_[index]) return;
    texts_[index] = value;
    pane_->ResourceStringChanged();
}

void TUiResourceStrings::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    filer->DefineProperty("User", &TUiOldPropReader::ReadOldStringProp, nullptr, false);
    filer->DefineProperty("GDI", &TUiOldPropReader::ReadOldStringProp, nullptr, false);
}

std::function<TUiMemoryReading()> TUiResourceStatus::ReadMemory;

TUiResourceStatus::TUiResourceStatus(TComponent* owner)
    : TUiPollingStatus(owner),
      resourceStrings_(new TUiResourceStrings(this)),
      resourceType_(Win32Platform == VER_PLATFORM_WIN32_NT ? rtMemory : rtSystem) {
    SetShowHint(true);
}

void TUiResourceStatus::BeforeDestruction() {
    delete resourceStrings_;
    resourceStrings_ = nullptr;
    TUiPollingStatus::BeforeDestruction();
}

void TUiResourceStatus::DefineProperties(TFiler* filer) {
    TUiPollingStatus::DefineProperties(filer);
    filer->DefineProperty("ResourceType", &TUiOldPropReader::ReadOldIdentProp, nullptr, false);
}

void TUiResourceStatus::SetBarStyle(TBarStyle value) {
    if (value == barStyle_) return;
    barStyle_ = value;
    showPercent_ = false;
    Invalidate();
}

void TUiResourceStatus::SetNumSegments(int value) {
    Change(numSegments_, std::clamp(value, 1, 100));
}

void TUiResourceStatus::UpdateHint() {
    const AnsiString& name =
        resourceType_ == rtSystem ? resourceStrings_->System() : resourceStrings_->Memory();
    SetHint(::Format("%s: %d%%", name, percent_));
}

void TUiResourceStatus::ResourceStringChanged() {
    stringsChanged_ = true;
    UpdateHint();
    Invalidate();
}

void TUiResourceStatus::TimerExpired() {
    freeKB_ = 0;
    const int old = percent_;
    if (resourceType_ == rtSystem) {
        percent_ = GetFreeSystemResources(gfsr_SystemResources);
    } else {
        const TUiMemoryReading reading = ReadMemory ? ReadMemory() : SystemMemory();
        freeKB_ = reading.availableKB;
        // A system that reports no page file has nothing free to show.
        percent_ = reading.totalKB == 0
                       ? 0
                       : static_cast<int>(Round(reading.availableKB * 100.0L / reading.totalKB));
    }
    if (percent_ != old) {
        UpdateHint();
        Invalidate();
    }
    TUiPollingStatus::TimerExpired();
}

void TUiResourceStatus::Paint() {
    if (displayStyle_ == dsText) {
        SetCaption(resourceType_ == rtMemory
                       ? FloatToStrF(static_cast<Extended>(freeKB_), ffNumber, 10, 0) + " KB"
                       : ::Format("%u%%", percent_));
        TUiPollingStatus::Paint();
        return;
    }
    DrawStatusBorder();
    Canvas()->SetFont(Font());
    TRect bar = GetCaptionRect();
    bar.Top += 1;
    bar.Bottom -= 1;
    const TUiStatusBarLook look = {barStyle_,          orientation_,  barColor_,
                                   barColorStop_,      backColor_,    backColorStop_,
                                   gradientDirection_, numSegments_,  showPercent_};
    DrawStatusPercentBar(Canvas(), bar, look, static_cast<unsigned>(percent_));
}
