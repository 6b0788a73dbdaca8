#include "UiColorEdit.h"

#include "UiColorPicker.h"
#include "UiPopupPanel.h"
#include "cl_forms.h"
#include "cl_filer.h"

namespace {

const bool colorEditPropertiesRegistered = [] {
    using C = TUiColorEdit;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, OrdinalProperty<C>("SelectedColor", pkColor, &C::SelectedColor,
                                              &C::SetSelectedColor, clNone));
    RegisterProperty(meta, OrdinalProperty<C>("CustomColor", pkColor, &C::CustomColor,
                                              &C::SetCustomColor, clWhite));
    RegisterProperty(meta, ComponentProperty<C, TUiCustomColors>("CustomColors", &C::CustomColors,
                                                                 &C::SetCustomColors));
    TPropertyInfo options = SetProperty<C, TColorDialogOption>(
        "ColorDlgOptions", &C::ColorDlgOptions, &C::SetColorDlgOptions,
        {"cdFullOpen", "cdPreventFullOpen", "cdShowHelp", "cdSolidColor", "cdAnyColor"});
    options.DefaultText = "cdFullOpen";
    RegisterProperty(meta, options);
    RegisterProperty(meta, OrdinalField("DefaultColor", pkColor, &C::DefaultColor, clHighlight));
    RegisterProperty(meta, StringField("CustomColorCaption", &C::CustomColorCaption));
    RegisterProperty(meta, StringField("DefaultColorCaption", &C::DefaultColorCaption));
    RegisterProperty(meta, StringField("NoColorCaption", &C::NoColorCaption));
    RegisterProperty(meta, OrdinalField("ShowColorHints", pkBool, &C::ShowColorHints, true));
    RegisterProperty(meta, OrdinalField("ShowNoColor", pkBool, &C::ShowNoColor, false));
    RegisterProperty(meta, OrdinalField("ShowCustomColor", pkBool, &C::ShowCustomColor, false));
    RegisterProperty(meta, OrdinalField("ShowDefaultColor", pkBool, &C::ShowDefaultColor, false));
    RegisterProperty(meta, OrdinalField("ShowSystemColors", pkBool, &C::ShowSystemColors, false));
    RegisterProperty(meta, OrdinalProperty<C>("DropButtonVisible", pkBool, &C::DropButtonVisible,
                                              &C::SetDropButtonVisible, true));
    RegisterProperty(meta, OrdinalProperty<C>("FlatButtons", pkBool, &C::FlatButtons,
                                              &C::SetFlatButtons, false));
    RegisterProperty(meta, OrdinalProperty<C>("FlatButtonColor", pkColor, &C::FlatButtonColor,
                                              &C::SetFlatButtonColor, clBtnFace));
    RegisterClass(meta);
    return true;
}();

}  // namespace

TUiColorEdit::TUiColorEdit(TComponent* owner) : TUiCustomEdit(owner) {
    ControlStyle.erase(csDoubleClicks);
    SetParentColor(false);
    SetDropButtonVisible(true);
}

void TUiColorEdit::SetSelectedColor(TColor value) {
    if (selectedColor_ == value) return;
    selectedColor_ = value;
    Invalidate();
}

void TUiColorEdit::SetCustomColors(TUiCustomColors* value) {
    if (customColors_ == value) return;
    customColors_ = value;
    if (value) value->FreeNotification(this);
}

void TUiColorEdit::Notification(TComponent* component, TOperation operation) {
    TUiCustomEdit::Notification(component, operation);
    if (operation == opRemove && component == customColors_) customColors_ = nullptr;
}

void TUiColorEdit::DropDown() {
    TUiCustomEdit::DropDown();
    if (!ReadOnly()) DisplayColorPicker();
}

void TUiColorEdit::DisplayColorPicker() {
    TCustomForm* form = GetParentForm(this);
    if (!form) return;
    TOwnedPtr<TUiPopupPanel> panel(new TUiPopupPanel(this));
    auto* picker = new TUiColorPicker(panel.get());
    picker->SetVisible(false);
    panel->SetParent(form);
    panel->Font()->SetName(Font()->Name());
    picker->SetNoColorCaption(NoColorCaption);
    picker->SetShowNoColor(ShowNoColor);
    picker->SetCustomColorCaption(CustomColorCaption);
    picker->SetDefaultColorCaption(DefaultColorCaption);
    picker->SetShowCustomColor(ShowCustomColor);
    picker->SetShowDefaultColor(ShowDefaultColor);
    picker->SetShowSystemColors(ShowSystemColors);
    picker->SetShowColorHints(ShowColorHints);
    picker->SetCustomColor(customColor_);
    picker->SetDefaultColor(DefaultColor);
    picker->SetSelectedColor(selectedColor_);
    picker->SetCustomColors(customColors_);
    picker->SetColorDlgOptions(colorDlgOptions_);
    if ((FrameVisible() && !UseThemes() && FrameStyle() == fsFlat) || FrameStyle() == fsFlatBold) {
        picker->SetBorderOuter(fsFlat);
        picker->SetFlatColor(FrameColor());
    }
    PlaceInPopupPanel(panel.get(), picker);
    picker->OnClick = Bind(panel.get(), &TUiPopupPanel::Close);
    if (!panel->Popup(this)) return;
    SetSelectedColor(picker->SelectedColor());
    customColor_ = picker->CustomColor();
    SetCustomColors(picker->CustomColors());
    Change();
}

void TUiColorEdit::WndProc(TMessage& message) {
    const bool altDown = message.Msg == WM_SYSKEYDOWN && message.WParam == VK_DOWN &&
                         (message.LParam & 0x20000000) && GetKeyState(VK_SHIFT) >= 0 &&
                         GetKeyState(VK_CONTROL) >= 0;
    const bool key = message.Msg >= WM_KEYFIRST && message.Msg <= 0x108;
    // The edit's own text menu (on the right button's release) has nothing to act on.
    if ((key && !altDown) || message.Msg == WM_RBUTTONDOWN || message.Msg == WM_CONTEXTMENU)
        return;
    TUiCustomEdit::WndProc(message);
    if (message.Msg == WM_LBUTTONDOWN && !InState(csDesigning) && HandleAllocated()) {
        HideCaret(Handle());
        if (GetCapture() == Handle()) ReleaseCapture();
    }
}

void TUiColorEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_NCHITTEST:
        TUiCustomEdit::Dispatch(message);
        SetMouseOverButton(true);
        message.Result = HTCLIENT;
        return;
    case WM_SETFOCUS:
        TUiCustomEdit::Dispatch(message);
        HideCaret(Handle());
        return Invalidate();
    case WM_KILLFOCUS:
        TUiCustomEdit::Dispatch(message);
        if (!DroppedDown()) Invalidate();
        return;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        if (!dc) dc = BeginPaint(Handle(), &paint);
        PaintFace(dc);
        if (!message.WParam) EndPaint(Handle(), &paint);
        message.Result = 0;
        return;
    }
    default:
        TUiCustomEdit::Dispatch(message);
    }
}

void TUiColorEdit::PaintFace(HDC dc) {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font()->Assign(Font());
    canvas.Brush()->Assign(Brush());
    TRect client = ClientRect();
    canvas.FillRect(client);
    TRect face(client.Left + 2, client.Top + 2, client.Right - 2, client.Bottom - 2);
    const bool active = Focused() || DroppedDown();
    if (selectedColor_ == clNone) {
        const TColor hatch = active ? clBtnShadow : clBtnFace;
        canvas.Pen()->SetColor(hatch);
        canvas.Brush()->SetColor(hatch);
        canvas.Brush()->SetStyle(bsBDiagonal);
        canvas.Rectangle(face);
        canvas.Brush()->SetStyle(bsSolid);
    } else {
        RECT r = {face.Left, face.Top, face.Right, face.Bottom};
        DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT | BF_FLAT | BF_ADJUST);
        canvas.Brush()->SetColor(selectedColor_);
        canvas.FillRect(TRect(r.left, r.top, r.right, r.bottom));
    }
    if (active) canvas.DrawFocusRect(face);
    canvas.SetHandle(nullptr);
}
