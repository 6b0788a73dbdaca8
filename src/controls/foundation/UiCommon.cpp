#include "UiCommon.h"

#include <algorithm>

#include "cl_actions.h"
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

const std::vector<AnsiString>& AlignmentIdents() {
    static const std::vector<AnsiString> names = {"taLeftJustify", "taRightJustify", "taCenter"};
    return names;
}

const std::vector<AnsiString>& ButtonLayoutIdents() {
    static const std::vector<AnsiString> names = {"blGlyphLeft", "blGlyphRight", "blGlyphTop",
                                                  "blGlyphBottom"};
    return names;
}

const std::vector<AnsiString>& TextStyleIdents() {
    static const std::vector<AnsiString> names = {"tsNormal", "tsRaised", "tsRecessed",
                                                  "tsShadow"};
    return names;
}

const std::vector<AnsiString>& VisualStyleIdents() {
    static const std::vector<AnsiString> names = {"vsClassic", "vsWinXP", "vsGradient"};
    return names;
}

const std::vector<AnsiString>& GradientColorStyleIdents() {
    static const std::vector<AnsiString> names = {"gcsSystem", "gcsMSOffice", "gcsCustom"};
    return names;
}

const std::vector<AnsiString>& FrameControllerPropertyNames() {
    static const std::vector<AnsiString> names = {
        "fcpColor",          "fcpFocusColor",    "fcpDisabledColor",   "fcpReadOnlyColor",
        "fcpReadOnlyColorOnFocus", "fcpParentColor", "fcpFlatButtonColor", "fcpFlatButtons",
        "fcpFrameColor",     "fcpFrameHotColor", "fcpFrameHotTrack",   "fcpFrameHotStyle",
        "fcpFrameSides",     "fcpFrameStyle",    "fcpFrameVisible",    "fcpFramingPreference"};
    return names;
}

const std::vector<AnsiString>& AlignIdents() {
    static const std::vector<AnsiString> names = {"alNone",  "alTop",    "alBottom", "alLeft",
                                                  "alRight", "alClient", "alCustom"};
    return names;
}

const std::vector<AnsiString>& AlignmentVerticalIdents() {
    static const std::vector<AnsiString> names = {"avTop", "avCenter", "avBottom"};
    return names;
}

const std::vector<AnsiString>& FrameStyleExIdents() {
    static const std::vector<AnsiString> names = {
        "fsNone",     "fsFlat",   "fsGroove", "fsBump",     "fsLowered",    "fsButtonDown",
        "fsRaised",   "fsButtonUp", "fsStatus", "fsPopup", "fsFlatBold", "fsFlatRounded"};
    return names;
}

const std::vector<AnsiString>& GradientDirectionIdents() {
    static const std::vector<AnsiString> names = {
        "gdDiagonalUp",   "gdDiagonalDown", "gdHorizontalEnd", "gdHorizontalCenter",
        "gdHorizontalBox", "gdVerticalEnd", "gdVerticalCenter", "gdVerticalBox",
        "gdSquareBox",    "gdBigSquareBox"};
    return names;
}

const std::vector<AnsiString>& SideNames() {
    static const std::vector<AnsiString> names = {"sdLeft", "sdTop", "sdRight", "sdBottom"};
    return names;
}

AnsiString BitSetText(unsigned bits, const std::vector<AnsiString>& names) {
    AnsiString text;
    for (size_t i = 0; i < names.size(); ++i)
        if (bits & (1u << i)) text += (text.IsEmpty() ? "" : ",") + names[i];
    return text;
}

unsigned BitSetFromText(const AnsiString& text, const std::vector<AnsiString>& names) {
    unsigned bits = 0;
    AnsiString rest = text;
    while (!rest.IsEmpty()) {
        const int comma = rest.Pos(",");
        const AnsiString item = Trim(comma ? rest.SubString(1, comma - 1) : rest);
        rest = comma ? rest.SubString(comma + 1, rest.Length()) : AnsiString();
        if (item.IsEmpty()) continue;
        size_t i = 0;
        while (i < names.size() && !SameText(names[i], item)) ++i;
        if (i == names.size()) throw EReadError("Invalid property value " + item);
        bits |= 1u << i;
    }
    return bits;
}
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

uint16_t SharedBlinkIntervalOff() {
    return BlinkingControls ? BlinkingControls->BlinkIntervalOff : 500;
}

void SetSharedBlinkIntervalOff(uint16_t value) {
    if (BlinkingControls) BlinkingControls->BlinkIntervalOff = value;
}

uint16_t SharedBlinkIntervalOn() {
    return BlinkingControls ? BlinkingControls->BlinkIntervalOn : 500;
}

void SetSharedBlinkIntervalOn(uint16_t value) {
    if (BlinkingControls) BlinkingControls->BlinkIntervalOn = value;
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

bool ActionSupplies(TControl* control, bool (TActionLink::*linked)() const) {
    auto* link = dynamic_cast<TActionLink*>(control->ActionLink());
    return link && (link->*linked)();
}

TColor ReadLegacyColor(TReader* reader) {
    if (reader->NextValue() == vaIdent) return StringToColor(reader->ReadIdent());
    return reader->ReadInteger();
}

void TUiOldPropReader::ReadOldBooleanProp(TReader* reader) { reader->ReadBoolean(); }
void TUiOldPropReader::ReadOldEnumProp(TReader* reader) { reader->ReadIdent(); }
void TUiOldPropReader::ReadOldIdentProp(TReader* reader) { reader->ReadIdent(); }
void TUiOldPropReader::ReadOldIntegerProp(TReader* reader) { reader->ReadInteger(); }
void TUiOldPropReader::ReadOldSetProp(TReader* reader) { reader->ReadSet(); }
void TUiOldPropReader::ReadOldStringProp(TReader* reader) { reader->ReadString(); }
void TUiOldPropReader::WriteOldProp(TWriter*) {}
