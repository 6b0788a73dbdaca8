#include "Preferences.h"

#include "cl_sys.h"

TfrmPreferences* frmPreferences = nullptr;

TfrmPreferences::TfrmPreferences(TComponent* owner) : TForm(owner) {
    BeginLoading(this);
    SetName("frmPreferences");
    SetCaption("Preferences");
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    SetClientWidth(560);
    SetClientHeight(520);
    ImageDigitalSignature = new TImage(this);
    ImageDigitalSignature->SetName("ImageDigitalSignature");
    ImageDigitalSignature->SetParent(this);
    ImageDigitalSignature->SetVisible(false);
    ImageHeaderImage = new TImage(this);
    ImageHeaderImage->SetName("ImageHeaderImage");
    ImageHeaderImage->SetParent(this);
    ImageHeaderImage->SetVisible(false);
    EndLoading(this);
}

void TfrmPreferences::ReadSettings() {
    TIniFile ini(SettingsFileName());
    static_cast<TPrintSettings&>(*this) = ReadPrintSettings(ini);
    if (FileExists(DigitalSignature)) ImageDigitalSignature->Picture()->LoadFromFile(DigitalSignature);
    if (FileExists(HeaderImage)) ImageHeaderImage->Picture()->LoadFromFile(HeaderImage);
}
