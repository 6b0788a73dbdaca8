#include "UiCommon.h"

#include <algorithm>

#include "cl_controls.h"
#include "cl_extctrls.h"
#include "cl_filer.h"

const char* const SNoRegIniFile = "No TUiRegIniFile component specified";
const char* const SNoRegIniFileFrameLoad =
    "Cannot load Custom Framing settings--No TUiRegIniFile component specified";
const char* const SNoRegIniFileFrameSave =
    "Cannot save Custom Framing settings--No TUiRegIniFile component specified";
const char* const SNoRegIniFileColorsLoad =
    "Cannot load Custom Colors--No TUiRegIniFile component specified";
const char* const SNoRegIniFileColorsSave =
    "Cannot save Custom Colors--No TUiRegIniFile component specified";
const char* const SNoRegIniFileFormRestore =
    "Cannot restore Form State--No TUiRegIniFile component specified";
const char* const SNoRegIniFileFormSave =
    "Cannot save Form State--No TUiRegIniFile component specified";

int IncrementalSearchResetDelay = 1500;
TUiBlinkingControlsList* BlinkingControls = nullptr;

namespace {

// A list given up during its own tick; freed at the next registration change, once its timer
// callback has returned.
TUiBlinkingControlsList* retiredList = nullptr;

void FreeRetiredList() {
    if (!retiredList || retiredList->Timer()->Active()) return;
    retiredList->Free();
    retiredList = nullptr;
}

}  // namespace

TUiBlinkingControlsList::TUiBlinkingControlsList() : timer_(new TTimer(nullptr)) {
    timer_->SetInterval(BlinkIntervalOff);
    timer_->SetEnabled(true);
    timer_->SetOnTimer([this](TObject* sender) { TimerFired(sender); });
}

TUiBlinkingControlsList::~TUiBlinkingControlsList() { timer_->Free(); }

void TUiBlinkingControlsList::Add(TControl* control) { controls_.push_back(control); }

void TUiBlinkingControlsList::Remove(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it != controls_.end()) controls_.erase(it);
}

bool TUiBlinkingControlsList::IsListed(TControl* control) const {
    return std::find(controls_.begin(), controls_.end(), control) != controls_.end();
}

void TUiBlinkingControlsList::TimerFired(TObject*) {
    if (state_ == bsOff) {
        state_ = bsOn;
        timer_->SetInterval(BlinkIntervalOff);
    } else {
        state_ = bsOff;
        timer_->SetInterval(BlinkIntervalOn);
    }
    // A control may be destroyed by what it does on CM_BLINK: the round works on a copy and
    // skips whatever has left the list since.
    const std::vector<TControl*> round = controls_;
    firing_ = true;
    for (TControl* control : round) {
        if (retireAfterTick_ || !IsListed(control)) continue;
        if (control->Perform(CM_GETBLINKING) == 1) control->Perform(CM_BLINK, state_);
    }
    firing_ = false;
    if (retireAfterTick_) timer_->SetEnabled(false);
}

void FreeBlinkingControlsListIfEmpty() {
    TUiBlinkingControlsList* list = BlinkingControls;
    if (!list || list->GetCount() > 0) return;
    BlinkingControls = nullptr;
    if (list->firing_) {
        list->retireAfterTick_ = true;
        FreeRetiredList();
        if (!retiredList) retiredList = list;
    } else {
        list->Free();
    }
}

void RegisterBlinkingControl(TControl* control) {
    FreeRetiredList();
    if (!BlinkingControls) BlinkingControls = new TUiBlinkingControlsList;
    BlinkingControls->Add(control);
}

void UnregisterBlinkingControl(TControl* control) {
    if (!BlinkingControls) return;
    BlinkingControls->Remove(control);
    FreeBlinkingControlsListIfEmpty();
}

void TUiOldPropReader::ReadOldBooleanProp(TReader* reader) { reader->ReadBoolean(); }
void TUiOldPropReader::ReadOldEnumProp(TReader* reader) { reader->ReadIdent(); }
void TUiOldPropReader::ReadOldIdentProp(TReader* reader) { reader->ReadIdent(); }
void TUiOldPropReader::ReadOldIntegerProp(TReader* reader) { reader->ReadInteger(); }
void TUiOldPropReader::ReadOldSetProp(TReader* reader) { reader->ReadSet(); }
void TUiOldPropReader::ReadOldStringProp(TReader* reader) { reader->ReadString(); }
void TUiOldPropReader::WriteOldProp(TWriter*) {}
