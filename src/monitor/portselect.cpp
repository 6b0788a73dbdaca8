#include "portselect.h"

#include "cl_number.h"

namespace {

TLabel* CentredLabel(TSelectPortDlg* form, const char* name, const char* caption, int x, int y,
                     int w, int h) {
    auto* label = PlaceControl<TLabel>(form, form, name, x, y, w, h);
    label->SetAutoSize(false);
    label->SetAlignment(taCenter);
    label->SetCaption(caption);
    return label;
}

TButton* Button(TSelectPortDlg* form, const char* name, const char* caption, int x, int y) {
    auto* button = PlaceControl<TButton>(form, form, name, x, y, 75, 25);
    button->SetCaption(caption);
    return button;
}

}  // namespace

TSelectPortDlg::TSelectPortDlg(TComponent* owner, bool showInformation) : TForm(owner) {
    BeginLoading(this);
    SetName("SelectPortDlg");
    SetCaption("Select Port");
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    SetBounds(0, 0, 263, 201);
    Font()->SetName("MS Sans Serif");
    CreateControls();
    OnShow = Bind(this, &TSelectPortDlg::FormShow);
    EndLoading(this);
    ShowInformation = showInformation;
}

void TSelectPortDlg::CreateControls() {
    Label1 = CentredLabel(this, "Label1", "Select the Proper Port", 57, 30, 142, 13);
    PortComboBox = PlaceControl<TComboBox>(this, this, "PortComboBox", 55, 58, 145, 21);
    PortComboBox->SetStyle(csDropDownList);
    PortComboBox->SetTabOrder(0);
    InformationLabel = CentredLabel(this, "InformationLabel", "", 55, 88, 145, 13);
    InformationLabel->SetVisible(false);
    FindButton = Button(this, "FindButton", "Find", 90, 110);
    FindButton->SetVisible(false);
    Save = Button(this, "Save", "Save", 9, 141);
    Save->SetModalResult(mrOk);
    Cancel = Button(this, "Cancel", "Cancel", 90, 141);
    Cancel->SetModalResult(mrCancel);
    HelpBtn = Button(this, "HelpBtn", "&Help", 170, 141);
    HelpBtn->OnClick = Bind(this, &TSelectPortDlg::HelpBtnClick);
}

void TSelectPortDlg::FormShow(TObject*) {
    if (ShowInformation) InformationLabel->SetVisible(true);
}

void TSelectPortDlg::HelpBtnClick(TObject*) { Application->HelpContext(HelpContext()); }

int TSelectPortDlg::PortNumberAt(int index) const {
    TStrings* items = PortComboBox->Items();
    if (index < 0 || index >= items->Count()) return -1;
    const AnsiString text = items->Strings(index);
    if (text.Length() <= 3) return -1;
    int port = -1;
    return TryStrToInt(text.SubString(4, text.Length() - 3), port) ? port : -1;
}

int TSelectPortDlg::SelectedPort() const { return PortNumberAt(PortComboBox->ItemIndex()); }
