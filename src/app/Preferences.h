// The preferences window: for now it holds the application's report settings in memory and
// reloads them from the settings file; the window's sheets come with the preferences dialog.
#pragma once

#include "SettingsFile.h"
#include "cl_extctrls.h"
#include "cl_forms.h"

// The print preferences are the window's own fields (TPrintSettings).
class TfrmPreferences : public TForm, public TPrintSettings {
    CL_COMPONENT_CLASS(TfrmPreferences, TForm)

    explicit TfrmPreferences(TComponent* owner);

    // Reads every preference from the settings file into the print fields, then loads the
    // signature and header pictures whose files exist.
    void ReadSettings();

    TImage* ImageDigitalSignature;
    TImage* ImageHeaderImage;
};

extern TfrmPreferences* frmPreferences;
