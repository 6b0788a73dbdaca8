#include "UiFrameController.h"

#include <algorithm>

#include "UiRegIniFile.h"
#include "cl_controls.h"
#include "cl_filer.h"

namespace {

const char* const PropertyNames[] = {
    "Color", "FocusColor", "DisabledColor", "ReadOnlyColor", "ReadOnlyColorOnFocus",
    "ParentColor", "FlatButtonColor", "FlatButtons", "FrameColor", "FrameHotColor",
    "FrameHotTrack", "FrameHotStyle", "FrameSides", "FrameStyle", "FrameVisible",
    "FramingPreference"};

const char* const FrameStyleNames[] = {"fsNone",      "fsFlat",    "fsGroove",   "fsBump",
                                       "fsLowered",   "fsButtonDown", "fsRaised", "fsButtonUp",
                                       "fsStatus",    "fsPopup",   "fsFlatBold"};
const char* const SideNames[] = {"sdLeft", "sdTop", "sdRight", "sdBottom"};
const char* const FramingNames[] = {"fpCustomFraming", "fpXPThemes"};

// The order in which a full push writes the settings.
const TUiFrameControllerProperty FullPushOrder[] = {
    fcpParentColor, fcpColor, fcpDisabledColor, fcpReadOnlyColor, fcpReadOnlyColorOnFocus,
    fcpFocusColor, fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor, fcpFrameHotColor,
    fcpFrameHotTrack, fcpFrameHotStyle, fcpFrameSides, fcpFrameStyle, fcpFrameVisible,
    fcpFramingPreference};

AnsiString SidesText(TSides sides) {
    AnsiString text;
    for (int side = sdLeft; side <= sdBottom; ++side)
        if (HasSide(sides, static_cast<TSide>(side)))
            text += (text.IsEmpty() ? "" : ",") + AnsiString(SideNames[side]);
    return text;
}

}  // namespace

TUiFrameController::TUiFrameController(TComponent* owner)
    : TComponent(owner), color_(clWindow), flatButtonColor_(clBtnFace), disabledColor_(clBtnFace),
      readOnlyColor_(clInfoBk), focusColor_(clWindow), frameColor_(clBtnShadow),
      frameHotColor_(clBtnShadow) {}

void TUiFrameController::AddControl(TComponent* component) {
    if (std::find(controls_.begin(), controls_.end(), component) != controls_.end()) return;
    controls_.push_back(component);
    UpdateControlFrame(component, fcpAll);
}

void TUiFrameController::RemoveControl(TComponent* component) {
    auto it = std::find(controls_.begin(), controls_.end(), component);
    if (it != controls_.end()) controls_.erase(it);
    if (controls_.empty()) controls_.shrink_to_fit();
}

void TUiFrameController::EndUpdate() {
    if (--updateCount_ > 0) return;
    updateCount_ = 0;
    UpdateFrames(fcpAll);
}

void TUiFrameController::UpdateFrames(TUiFrameControllerProperty property) {
    if (updateCount_ > 0) return;
    const std::vector<TComponent*> round = controls_;
    for (TComponent* control : round) UpdateControlFrame(control, property);
}

TUiFrameControllerNotifications TUiFrameController::GetNotifications(TComponent* component) {
    const TPropertyInfo* info = FindProperty(component, "FrameControllerNotifications");
    if (!info || !info->GetOrd) return AllFrameControllerNotifications;
    return static_cast<TUiFrameControllerNotifications>(info->GetOrd(component));
}

void TUiFrameController::UpdateControlFrame(TComponent* component,
                                            TUiFrameControllerProperty property) {
    if (!dynamic_cast<TControl*>(component)) return;
    const TUiFrameControllerNotifications notifications = GetNotifications(component);
    if (auto* framed = dynamic_cast<IUiCustomFramingNotification*>(component)) {
        framed->CustomFramingChanged();
        return;
    }
    auto admitted = [&](TUiFrameControllerProperty p) { return (notifications >> p) & 1; };
    if (property != fcpAll) {
        if (admitted(property)) WriteProperty(component, property);
        return;
    }
    for (TUiFrameControllerProperty p : FullPushOrder) {
        if (p == fcpColor && parentColor_) continue;
        if (admitted(p)) WriteProperty(component, p);
    }
}

void TUiFrameController::WriteProperty(TComponent* control, TUiFrameControllerProperty property) {
    const TPropertyInfo* info = FindProperty(control, PropertyNames[property]);
    if (!info) return;
    auto ordinal = [&](int value) {
        if (info->SetOrd) info->SetOrd(control, value);
    };
    auto text = [&](const AnsiString& value) {
        if (info->SetText) info->SetText(control, value);
    };
    switch (property) {
    case fcpColor: ordinal(color_); break;
    case fcpFocusColor: ordinal(focusColor_); break;
    case fcpDisabledColor: ordinal(disabledColor_); break;
    case fcpReadOnlyColor: ordinal(readOnlyColor_); break;
    case fcpReadOnlyColorOnFocus: ordinal(readOnlyColorOnFocus_); break;
    case fcpParentColor: ordinal(parentColor_); break;
    case fcpFlatButtonColor: ordinal(flatButtonColor_); break;
    case fcpFlatButtons: ordinal(flatButtons_); break;
    case fcpFrameColor: ordinal(frameColor_); break;
    case fcpFrameHotColor: ordinal(frameHotColor_); break;
    case fcpFrameHotTrack: ordinal(frameHotTrack_); break;
    case fcpFrameSides: text(SidesText(frameSides_)); break;
    case fcpFrameHotStyle:
        if (info->SetText) text(FrameStyleNames[frameHotStyle_]); else ordinal(frameHotStyle_);
        break;
    case fcpFrameStyle:
        if (info->SetText) text(FrameStyleNames[frameStyle_]); else ordinal(frameStyle_);
        break;
    case fcpFrameVisible: ordinal(frameVisible_); break;
    case fcpFramingPreference:
        if (info->SetText) text(FramingNames[framingPreference_]); else ordinal(framingPreference_);
        break;
    case fcpAll: break;
    }
}

void TUiFrameController::SetColor(TColor value) {
    if (value == color_) return;
    if (color_ == focusColor_) focusColor_ = value;
    color_ = value;
    parentColor_ = false;
    UpdateFrames(fcpColor);
}

void TUiFrameController::SetParentColor(bool value) {
    if (value == parentColor_) return;
    parentColor_ = value;
    UpdateFrames(fcpParentColor);
    if (!value) UpdateFrames(fcpColor);
}

#define UI_FRAME_SETTER(Name, Type, field, property) \
    void TUiFrameController::Set##Name(Type value) { \
        if (value == field) return;                  \
        field = value;                               \
        UpdateFrames(property);                      \
    }
UI_FRAME_SETTER(FlatButtonColor, TColor, flatButtonColor_, fcpFlatButtonColor)
UI_FRAME_SETTER(FlatButtons, bool, flatButtons_, fcpFlatButtons)
UI_FRAME_SETTER(DisabledColor, TColor, disabledColor_, fcpDisabledColor)
UI_FRAME_SETTER(ReadOnlyColor, TColor, readOnlyColor_, fcpReadOnlyColor)
UI_FRAME_SETTER(ReadOnlyColorOnFocus, bool, readOnlyColorOnFocus_, fcpReadOnlyColorOnFocus)
UI_FRAME_SETTER(FocusColor, TColor, focusColor_, fcpFocusColor)
UI_FRAME_SETTER(FrameColor, TColor, frameColor_, fcpFrameColor)
UI_FRAME_SETTER(FrameHotColor, TColor, frameHotColor_, fcpFrameHotColor)
UI_FRAME_SETTER(FrameHotStyle, TFrameStyle, frameHotStyle_, fcpFrameHotStyle)
UI_FRAME_SETTER(FrameSides, TSides, frameSides_, fcpFrameSides)
UI_FRAME_SETTER(FrameStyle, TFrameStyle, frameStyle_, fcpFrameStyle)
UI_FRAME_SETTER(FrameVisible, bool, frameVisible_, fcpFrameVisible)
UI_FRAME_SETTER(FramingPreference, TFramingPreference, framingPreference_, fcpFramingPreference)
#undef UI_FRAME_SETTER

void TUiFrameController::SetFrameHotTrack(bool value) {
    if (value == frameHotTrack_) return;
    frameHotTrack_ = value;
    if (value) {
        SetFrameVisible(true);
        if (!InState(csLoading)) frameSides_ = AllSides;
    }
    UpdateFrames(fcpFrameHotTrack);
}

void TUiFrameController::SetRegIniFile(TUiRegIniFile* store) {
    if (store == regIniFile_) return;
    if (regIniFile_) regIniFile_->RemoveFreeNotification(this);
    regIniFile_ = store;
    if (regIniFile_) regIniFile_->FreeNotification(this);
}

void TUiFrameController::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == regIniFile_) regIniFile_ = nullptr;
}

void TUiFrameController::Loaded() {
    TComponent::Loaded();
    UpdateControls();
}

void TUiFrameController::DefineProperties(TFiler* filer) {
    TComponent::DefineProperties(filer);
    filer->DefineProperty("FrameFlat", [this](TReader* reader) {
        const bool flat = reader->ReadBoolean();
        frameHotTrack_ = flat;
        if (flat) {
            frameStyle_ = fsStatus;
            frameHotStyle_ = fsLowered;
        }
    }, nullptr, false);
    filer->DefineProperty("FrameFocusStyle", [this](TReader* reader) {
        const AnsiString name = reader->ReadIdent();
        for (int style = fsNone; style < FrameStyleCount; ++style)
            if (SameText(name, FrameStyleNames[style]))
                frameHotStyle_ = static_cast<TFrameStyle>(style);
    }, nullptr, false);
    filer->DefineProperty("FrameFlatStyle", &TUiOldPropReader::ReadOldIdentProp, nullptr, false);
}

void TUiFrameController::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TUiFrameController*>(source);
    if (!other) {
        TComponent::Assign(source);
        return;
    }
    BeginUpdate();
    color_ = other->color_;
    disabledColor_ = other->disabledColor_;
    readOnlyColor_ = other->readOnlyColor_;
    readOnlyColorOnFocus_ = other->readOnlyColorOnFocus_;
    flatButtonColor_ = other->flatButtonColor_;
    flatButtons_ = other->flatButtons_;
    focusColor_ = other->focusColor_;
    frameColor_ = other->frameColor_;
    frameHotColor_ = other->frameHotColor_;
    frameHotStyle_ = other->frameHotStyle_;
    frameHotTrack_ = other->frameHotTrack_;
    frameSides_ = other->frameSides_;
    frameStyle_ = other->frameStyle_;
    frameVisible_ = other->frameVisible_;
    framingPreference_ = other->framingPreference_;
    parentColor_ = other->parentColor_;
    EndUpdate();
}

namespace {

// A stored ordinal of a frame style; out of range keeps the current one.
TFrameStyle StoredStyle(int value, TFrameStyle current) {
    return value >= fsNone && value < FrameStyleCount ? static_cast<TFrameStyle>(value) : current;
}

}  // namespace

void TUiFrameController::Load(const AnsiString& section) {
    BeginUpdate();
    try {
        if (!regIniFile_) throw ENoRegIniFile(SNoRegIniFileFrameLoad);
        TUiRegIniFile* s = regIniFile_;
        color_ = s->ReadInteger(section, "Color", clWindow);
        flatButtonColor_ = s->ReadInteger(section, "FlatButtonColor", clBtnFace);
        flatButtons_ = s->ReadBool(section, "FlatButtons", true);
        disabledColor_ = s->ReadInteger(section, "DisabledColor", clWindow);
        readOnlyColor_ = s->ReadInteger(section, "ReadOnlyColor", clInfoBk);
        readOnlyColorOnFocus_ = s->ReadBool(section, "ReadOnlyColorOnFocus", false);
        focusColor_ = s->ReadInteger(section, "FocusColor", clWindow);
        frameColor_ = s->ReadInteger(section, "FrameColor", clBtnShadow);
        frameHotColor_ = s->ReadInteger(section, "FrameHotColor", clBtnShadow);
        frameHotStyle_ =
            StoredStyle(s->ReadInteger(section, "FrameHotStyle", fsFlatBold), frameHotStyle_);
        frameHotTrack_ = s->ReadBool(section, "FrameHotTrack", false);
        TSides sides = 0;
        const char* const keys[] = {"FrameSides_Left", "FrameSides_Top", "FrameSides_Right",
                                    "FrameSides_Bottom"};
        for (int side = sdLeft; side <= sdBottom; ++side)
            if (s->ReadBool(section, keys[side], true)) sides |= SideBit(static_cast<TSide>(side));
        frameSides_ = sides;
        frameStyle_ = StoredStyle(s->ReadInteger(section, "FrameStyle", fsFlat), frameStyle_);
        frameVisible_ = s->ReadBool(section, "FrameVisible", false);
        framingPreference_ =
            s->ReadInteger(section, "FramingPreference", fpXPThemes) == fpCustomFraming
                ? fpCustomFraming
                : fpXPThemes;
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TUiFrameController::Save(const AnsiString& section) {
    if (!regIniFile_) throw ENoRegIniFile(SNoRegIniFileFrameSave);
    TUiRegIniFile* s = regIniFile_;
    s->WriteInteger(section, "Color", color_);
    s->WriteInteger(section, "FlatButtonColor", flatButtonColor_);
    s->WriteBool(section, "FlatButtons", flatButtons_);
    s->WriteInteger(section, "DisabledColor", disabledColor_);
    s->WriteInteger(section, "ReadOnlyColor", readOnlyColor_);
    s->WriteBool(section, "ReadOnlyColorOnFocus", readOnlyColorOnFocus_);
    s->WriteInteger(section, "FocusColor", focusColor_);
    s->WriteInteger(section, "FrameColor", frameColor_);
    s->WriteInteger(section, "FrameHotColor", frameHotColor_);
    s->WriteInteger(section, "FrameHotStyle", frameHotStyle_);
    s->WriteBool(section, "FrameHotTrack", frameHotTrack_);
    s->WriteBool(section, "FrameSides_Left", HasSide(frameSides_, sdLeft));
    s->WriteBool(section, "FrameSides_Top", HasSide(frameSides_, sdTop));
    s->WriteBool(section, "FrameSides_Right", HasSide(frameSides_, sdRight));
    s->WriteBool(section, "FrameSides_Bottom", HasSide(frameSides_, sdBottom));
    s->WriteInteger(section, "FrameStyle", frameStyle_);
    s->WriteBool(section, "FrameVisible", frameVisible_);
    s->WriteInteger(section, "FramingPreference", framingPreference_);
}

namespace {

// A TSides property as its textual set value ("sdLeft,sdTop").
TPropertyInfo SidesProperty() {
    TPropertyInfo info;
    info.Name = "FrameSides";
    info.Kind = pkSet;
    info.GetText = [](TObject* o) {
        return SidesText(static_cast<TUiFrameController*>(o)->FrameSides());
    };
    info.SetText = [](TObject* o, const AnsiString& text) {
        TSides sides = 0;
        const AnsiString list = "," + StringReplace(text, " ", "", rfReplaceAll) + ",";
        for (int side = sdLeft; side <= sdBottom; ++side)
            if (list.Pos("," + AnsiString(SideNames[side]) + ","))
                sides |= SideBit(static_cast<TSide>(side));
        static_cast<TUiFrameController*>(o)->SetFrameSides(sides);
    };
    info.DefaultText = SidesText(AllSides);
    return info;
}

// The controller's published properties, for the component streams.
const bool frameControllerPropertiesRegistered = [] {
    using C = TUiFrameController;
    const TMetaClass* meta = C::StaticClass();
    const std::vector<AnsiString> styles(std::begin(FrameStyleNames), std::end(FrameStyleNames));
    TPropertyInfo color = OrdinalProperty<C>("Color", pkColor, &C::Color, &C::SetColor, clWindow);
    color.IsStored = [](TObject* o) { return !static_cast<C*>(o)->ParentColor(); };
    RegisterProperty(meta, color);
    RegisterProperty(meta, OrdinalProperty<C>("ParentColor", pkBool, &C::ParentColor,
                                              &C::SetParentColor, 0));
    RegisterProperty(meta, OrdinalProperty<C>("FlatButtonColor", pkColor, &C::FlatButtonColor,
                                              &C::SetFlatButtonColor, clBtnFace));
    RegisterProperty(meta, OrdinalProperty<C>("FlatButtons", pkBool, &C::FlatButtons,
                                              &C::SetFlatButtons, 1));
    RegisterProperty(meta, OrdinalProperty<C>("DisabledColor", pkColor, &C::DisabledColor,
                                              &C::SetDisabledColor, clBtnFace));
    RegisterProperty(meta, OrdinalProperty<C>("ReadOnlyColor", pkColor, &C::ReadOnlyColor,
                                              &C::SetReadOnlyColor, clInfoBk));
    RegisterProperty(meta, OrdinalProperty<C>("ReadOnlyColorOnFocus", pkBool,
                                              &C::ReadOnlyColorOnFocus,
                                              &C::SetReadOnlyColorOnFocus, 0));
    RegisterProperty(meta, OrdinalProperty<C>("FocusColor", pkColor, &C::FocusColor,
                                              &C::SetFocusColor, clWindow));
    RegisterProperty(meta, OrdinalProperty<C>("FrameColor", pkColor, &C::FrameColor,
                                              &C::SetFrameColor, clBtnShadow));
    RegisterProperty(meta, OrdinalProperty<C>("FrameHotColor", pkColor, &C::FrameHotColor,
                                              &C::SetFrameHotColor, clBtnShadow));
    RegisterProperty(meta, OrdinalProperty<C>("FrameHotTrack", pkBool, &C::FrameHotTrack,
                                              &C::SetFrameHotTrack, 0));
    RegisterProperty(meta, EnumProperty<C>("FrameHotStyle", &C::FrameHotStyle,
                                           &C::SetFrameHotStyle, styles, fsFlatBold));
    RegisterProperty(meta, SidesProperty());
    RegisterProperty(meta, EnumProperty<C>("FrameStyle", &C::FrameStyle, &C::SetFrameStyle,
                                           styles, fsFlat));
    RegisterProperty(meta, OrdinalProperty<C>("FrameVisible", pkBool, &C::FrameVisible,
                                              &C::SetFrameVisible, 0));
    RegisterProperty(meta, EnumProperty<C>("FramingPreference", &C::FramingPreference,
                                           &C::SetFramingPreference,
                                           {"fpCustomFraming", "fpXPThemes"}, fpXPThemes));
    RegisterProperty(meta, ComponentProperty<C, TUiRegIniFile>("RegIniFile", &C::RegIniFile,
                                                                &C::SetRegIniFile));
    return true;
}();

}  // namespace
