#include "UiColorComboBox.h"

#include <cstdlib>

namespace {

const char* const StdNames[TUiColorNames::StdColorCount] = {
    "Black", "Maroon", "Green",  "Olive", "Navy", "Purple",  "Teal", "Gray",
    "Silver", "Red",   "Lime",   "Yellow", "Blue", "Fuchsia", "Aqua", "White"};
const TColor StdColors[TUiColorNames::StdColorCount] = {
    clBlack,  clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clGray,
    clSilver, clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
const char* const SysNames[TUiColorNames::SysColorCount] = {
    "ScrollBar",   "Background",     "ActiveCaption", "InactiveCaption",    "Menu",
    "Window",      "WindowFrame",    "MenuText",      "WindowText",         "CaptionText",
    "ActiveBorder", "InactiveBorder", "AppWorkSpace", "Highlight",          "HighlightText",
    "BtnFace",     "BtnShadow",      "GrayText",      "BtnText",            "InactiveCaptionText",
    "BtnHighlight", "3DDkShadow",    "3DLight",       "InfoText",           "InfoBk"};
// The published names of the system entries (an identifier cannot start with a digit).
const char* const SysPropertyNames[TUiColorNames::SysColorCount] = {
    "ScrollBar",   "Background",     "ActiveCaption", "InactiveCaption",    "Menu",
    "Window",      "WindowFrame",    "MenuText",      "WindowText",         "CaptionText",
    "ActiveBorder", "InactiveBorder", "AppWorkSpace", "Highlight",          "HighlightText",
    "BtnFace",     "BtnShadow",      "GrayText",      "BtnText",            "InactiveCaptionText",
    "BtnHighlight", "DkShadow3D",    "Light3D",       "InfoText",           "InfoBk"};

TColor SysColorValue(int index) { return static_cast<TColor>(0x80000000u | unsigned(index)); }

TObject* ColorObject(TColor color) {
    return reinterpret_cast<TObject*>(static_cast<UINT_PTR>(static_cast<uint32_t>(color)));
}

TColor ObjectColor(TObject* object) {
    return static_cast<TColor>(static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(object)));
}

TPropertyInfo NameProperty(const char* name, std::function<AnsiString(TUiColorNames*)> get,
                           std::function<void(TUiColorNames*, const AnsiString&)> set) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkString;
    info.GetText = [get](TObject* o) { return get(static_cast<TUiColorNames*>(o)); };
    info.SetText = [set](TObject* o, const AnsiString& v) { set(static_cast<TUiColorNames*>(o), v); };
    return info;
}

const bool colorPropertiesRegistered = [] {
    using N = TUiColorNames;
    const TMetaClass* names = N::StaticClass();
    RegisterProperty(names, NameProperty("Default", [](N* n) { return n->Default(); },
                                         [](N* n, const AnsiString& v) { n->SetDefault(v); }));
    for (int i = 0; i < N::StdColorCount; ++i)
        RegisterProperty(names, NameProperty(StdNames[i], [i](N* n) { return n->GetStdColor(i); },
                                             [i](N* n, const AnsiString& v) { n->SetStdColor(i, v); }));
    for (int i = 0; i < N::SysColorCount; ++i)
        RegisterProperty(names,
                         NameProperty(SysPropertyNames[i], [i](N* n) { return n->GetSysColor(i); },
                                      [i](N* n, const AnsiString& v) { n->SetSysColor(i, v); }));
    RegisterProperty(names, NameProperty("Custom", [](N* n) { return n->Custom(); },
                                         [](N* n, const AnsiString& v) { n->SetCustom(v); }));

    using C = TUiColorComboBox;
    const TMetaClass* meta = C::StaticClass();
    TPropertyInfo colorNames = SubObjectProperty<C>("ColorNames", &C::ColorNames);
    colorNames.IsStored = [](TObject* o) { return static_cast<C*>(o)->ColorNamesChanged(); };
    RegisterProperty(meta, colorNames);
    auto color = [&](const char* name, TColor (C::*get)() const, void (C::*set)(TColor)) {
        RegisterProperty(meta, OrdinalProperty<C>(name, pkColor, get, set, clBlack));
    };
    color("CustomColor", &C::CustomColor, &C::SetCustomColor);
    color("DefaultColor", &C::DefaultColor, &C::SetDefaultColor);
    auto flag = [&](const char* name, bool (C::*get)() const, void (C::*set)(bool)) {
        RegisterProperty(meta, OrdinalProperty<C>(name, pkBool, get, set, true));
    };
    flag("ShowColorNames", &C::ShowColorNames, &C::SetShowColorNames);
    flag("ShowCustomColor", &C::ShowCustomColor, &C::SetShowCustomColor);
    flag("ShowDefaultColor", &C::ShowDefaultColor, &C::SetShowDefaultColor);
    flag("ShowSysColors", &C::ShowSysColors, &C::SetShowSysColors);
    return true;
}();

}  // namespace

TUiColorNames::TUiColorNames() : default_("Default"), custom_("Custom") {
    for (int i = 0; i < StdColorCount; ++i) std_[i] = StdNames[i];
    for (int i = 0; i < SysColorCount; ++i) sys_[i] = SysNames[i];
}

void TUiColorNames::Rename(bool shown, int index, const AnsiString& value) {
    if (!combo_ || !shown) return;
    combo_->ReplaceItemText(index, value);
    combo_->namesChanged_ = true;
}

void TUiColorNames::SetDefault(const AnsiString& value) {
    default_ = value;
    Rename(showDefaultColor_, 0, value);
}

void TUiColorNames::SetStdColor(int index, const AnsiString& value) {
    std_[index] = value;
    Rename(true, index + (showDefaultColor_ ? 1 : 0), value);
}

void TUiColorNames::SetSysColor(int index, const AnsiString& value) {
    sys_[index] = value;
    Rename(showSysColors_, index + StdColorCount + (showDefaultColor_ ? 1 : 0), value);
}

void TUiColorNames::SetCustom(const AnsiString& value) {
    custom_ = value;
    if (combo_) Rename(showCustomColor_, combo_->Items()->Count() - 1, value);
}

void TUiColorNames::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TUiColorNames*>(source);
    if (!other) return TPersistent::Assign(source);
    if (showDefaultColor_) SetDefault(other->default_);
    for (int i = 0; i < StdColorCount; ++i) SetStdColor(i, other->std_[i]);
    if (showSysColors_)
        for (int i = 0; i < SysColorCount; ++i) SetSysColor(i, other->sys_[i]);
    if (showCustomColor_) SetCustom(other->custom_);
}

TUiColorComboBox::TUiColorComboBox(TComponent* owner)
    : TUiCustomComboBox(owner), colorNames_(new TUiColorNames), customColors_(new TStringList) {
    SetStyle(csOwnerDrawFixed);
    InitColorNames();
    colorNames_->combo_ = this;
}

void TUiColorComboBox::BeforeDestruction() {
    SetRegIniFile(nullptr);
    TUiCustomComboBox::BeforeDestruction();
    delete colorNames_;
    colorNames_ = nullptr;
    delete customColors_;
    customColors_ = nullptr;
}

void TUiColorComboBox::InitColorNames() {
    TUiColorNames fresh;
    colorNames_->default_ = fresh.default_;
    for (int i = 0; i < TUiColorNames::StdColorCount; ++i) colorNames_->std_[i] = fresh.std_[i];
    for (int i = 0; i < TUiColorNames::SysColorCount; ++i) colorNames_->sys_[i] = fresh.sys_[i];
    colorNames_->custom_ = fresh.custom_;
}

void TUiColorComboBox::ReplaceItemText(int index, const AnsiString& text) {
    if (index < 0 || index >= Items()->Count()) return;
    const int selected = ItemIndex();
    TObject* object = Items()->Objects(index);
    Items()->Delete(index);
    Items()->InsertObject(index, text, object);
    SetItemIndex(selected);
}

void TUiColorComboBox::AddColor(const AnsiString& text, TColor color) {
    Items()->AddObject(text, ColorObject(color));
}

void TUiColorComboBox::CreateWnd() {
    TUiCustomComboBox::CreateWnd();
    Items()->BeginUpdate();
    Items()->Clear();
    if (showDefaultColor_) AddColor(colorNames_->default_, defaultColor_);
    for (int i = 0; i < TUiColorNames::StdColorCount; ++i)
        AddColor(colorNames_->std_[i], StdColors[i]);
    if (showSysColors_)
        for (int i = 0; i < TUiColorNames::SysColorCount; ++i)
            AddColor(colorNames_->sys_[i], SysColorValue(i));
    if (showCustomColor_) AddColor(colorNames_->custom_, customColor_);
    Items()->EndUpdate();
    SetItemIndex(Min(keptIndex_, Items()->Count() - 1));
}

void TUiColorComboBox::DestroyWnd() {
    keptIndex_ = ItemIndex();
    TUiCustomComboBox::DestroyWnd();
}

void TUiColorComboBox::Loaded() {
    TUiCustomComboBox::Loaded();
    if (ItemIndex() < 0) SetItemIndex(0);
}

void TUiColorComboBox::Notification(TComponent* component, TOperation operation) {
    TUiCustomComboBox::Notification(component, operation);
    if (operation == opRemove && component == regIniFile_) regIniFile_ = nullptr;
}

void TUiColorComboBox::SetRegIniFile(TUiRegIniFile* value) {
    if (value == regIniFile_) return;
    if (regIniFile_) regIniFile_->RemoveFreeNotification(this);
    regIniFile_ = value;
    if (value) value->FreeNotification(this);
}

TColor TUiColorComboBox::GetColorFromItem(int index) {
    return ObjectColor(Items()->Objects(index));
}

TColor TUiColorComboBox::GetSelectedColor() {
    const int index = ItemIndex();
    return index < 0 ? defaultColor_ : GetColorFromItem(index);
}

void TUiColorComboBox::SetSelectedColor(TColor value) {
    int index = 0;
    while (index < Items()->Count() && GetColorFromItem(index) != value) ++index;
    if (index == Items()->Count()) {
        // Only a custom entry can take a colour the list lacks.
        SetCustomColor(value);
        index = showCustomColor_ ? Items()->Count() - 1 : -1;
    }
    SetItemIndex(index);
    Change();
}

void TUiColorComboBox::SetDefaultColor(TColor value) {
    defaultColor_ = value;
    if (!showDefaultColor_ || !HandleAllocated() || Items()->Count() == 0) return;
    Items()->PutObject(0, ColorObject(value));
    Invalidate();
}

void TUiColorComboBox::SetCustomColor(TColor value) {
    customColor_ = value == -1 ? 0 : value;
    if (!showCustomColor_ || !HandleAllocated() || Items()->Count() == 0) return;
    Items()->PutObject(Items()->Count() - 1, ColorObject(customColor_));
    Invalidate();
}

void TUiColorComboBox::SetCustomColors(TStrings* value) {
    customColors_->Assign(value);
    FixupCustomColors();
}

void TUiColorComboBox::SetShowColorNames(bool value) {
    if (value == showColorNames_) return;
    showColorNames_ = value;
    Invalidate();
}

void TUiColorComboBox::SetShowCustomColor(bool value) {
    if (value == showCustomColor_) return;
    showCustomColor_ = colorNames_->showCustomColor_ = value;
    RecreateWnd();
}

void TUiColorComboBox::SetShowDefaultColor(bool value) {
    if (value == showDefaultColor_) return;
    showDefaultColor_ = colorNames_->showDefaultColor_ = value;
    RecreateWnd();
}

void TUiColorComboBox::SetShowSysColors(bool value) {
    if (value == showSysColors_) return;
    showSysColors_ = colorNames_->showSysColors_ = value;
    RecreateWnd();
}

void TUiColorComboBox::SetFrameVisible(bool value) {
    const TColor selected = GetSelectedColor();
    TUiCustomComboBox::SetFrameVisible(value);
    SetSelectedColor(selected);
}

void TUiColorComboBox::FixupCustomColors() {
    for (int i = 0; i < customColors_->Count(); ++i) {
        const AnsiString name = customColors_->Names(i);
        const AnsiString text = customColors_->Values(name);
        char* end = nullptr;
        const unsigned long value = std::strtoul(text.c_str(), &end, 16);
        if (text.IsEmpty() || *end != '\0')
            throw EConvertError("'" + text + "' is not a valid integer value");
        customColors_->Put(i, name + "=" + Format("%.6x", int(value & 0xFFFFFF)));
    }
}

void TUiColorComboBox::LoadCustomColors(const AnsiString& section) {
    if (!regIniFile_)
        throw ENoRegIniFile("Cannot load Custom Colors--No TUiRegIniFile component specified");
    regIniFile_->ReadSectionValues(section, customColors_);
    FixupCustomColors();
}

void TUiColorComboBox::SaveCustomColors(const AnsiString& section) {
    if (!regIniFile_)
        throw ENoRegIniFile("Cannot save Custom Colors--No TUiRegIniFile component specified");
    for (int i = 0; i < customColors_->Count(); ++i) {
        const AnsiString name = customColors_->Names(i);
        regIniFile_->WriteString(section, name, customColors_->Values(name));
    }
}

void TUiColorComboBox::DrawOwnerItem(TMessage& message) {
    if (showColorNames_) message.DrawItemStruct()->rcItem.left += 24;
    TUiCustomComboBox::DrawOwnerItem(message);
}

void TUiColorComboBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    TCanvas* canvas = Canvas();
    const bool selected = state.count(odSelected) != 0;
    canvas->FillRect(TRect(rect.Left - (showColorNames_ ? 24 : 0), rect.Top, rect.Right,
                           rect.Bottom));
    TRect swatch(rect.Left + 2, rect.Top + 2, rect.Right - 2, rect.Bottom - 2);
    if (!state.count(odComboBoxEdit)) {
        swatch.Left += 2;
        swatch.Right += 2;
    }
    if (showColorNames_) {
        swatch.Right = swatch.Left - 8;
        swatch.Left -= 24;
    } else if (IsCustomItem(index)) {
        swatch.Right -= 20;
    }
    const TColor color = GetColorFromItem(index);
    canvas->Brush()->SetColor(color);
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Rectangle(swatch);
    const TColor rgb = ColorToRGB(color);
    const bool light = GetRValue(rgb) > 128 || GetGValue(rgb) > 128 || GetBValue(rgb) > 128;
    DrawSides(canvas, swatch, light ? clGray : clBlack, light ? clGray : clBlack, AllSides);
    const TColor text = selected ? clHighlightText : (Enabled() ? clWindowText : clBtnShadow);
    canvas->Brush()->SetColor(selected ? clHighlight : Color());
    canvas->Pen()->SetColor(text);
    if (IsCustomItem(index)) {
        canvas->Brush()->SetColor(text);
        for (int left : {rect.Right - 16, rect.Right - 12, rect.Right - 8})
            canvas->FillRect(TRect(left, rect.Bottom - 7, left + 2, rect.Bottom - 4));
        canvas->Brush()->SetColor(selected ? clHighlight : Color());
    }
    if (!showColorNames_) return;
    canvas->Font()->SetColor(text);
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(rect.Left + 2, rect.Top + (rect.Height() - canvas->TextHeight("Yy")) / 2,
                    Items()->Get(index));
    canvas->Brush()->SetStyle(bsSolid);
}

void TUiColorComboBox::PickCustomColor() {
    TOwnedPtr<TColorDialog> dialog(new TColorDialog(this));
    dialog->SetColor(GetSelectedColor());
    dialog->CustomColors()->Assign(customColors_);
    dialog->SetOptions(colorDlgOptions_);
    if (!dialog->Execute()) return;
    customColors_->Assign(dialog->CustomColors());
    FixupCustomColors();
    SetCustomColor(dialog->Color());
}

void TUiColorComboBox::CloseUp() {
    TUiCustomComboBox::CloseUp();
    if (!cancelled_ && showCustomColor_ && ItemIndex() == Items()->Count() - 1) PickCustomColor();
}

void TUiColorComboBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == CBN_SELENDCANCEL) cancelled_ = true;
        if (HIWORD(message.WParam) == CBN_SELENDOK) cancelled_ = false;
        return TUiCustomComboBox::Dispatch(message);
    case CM_FONTCHANGED:
        TUiCustomComboBox::Dispatch(message);
        return RecreateWnd();
    default:
        TUiCustomComboBox::Dispatch(message);
    }
}
