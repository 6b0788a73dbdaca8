// The port selection dialog: a list of the serial ports that can be opened now, with Save,
// Cancel and Help. The serial component fills it and applies the choice.
#pragma once

#include "cl_forms.h"
#include "cl_stdctrls.h"

class TSelectPortDlg : public TForm {
    CL_CLASS(TSelectPortDlg, TForm)

    TSelectPortDlg(TComponent* owner, bool showInformation);

    void FormShow(TObject* sender);
    void HelpBtnClick(TObject* sender);
    // The port number of the list entry at `index` ("COM7" gives 7); -1 for an entry that names
    // no port and for an index outside the list.
    int PortNumberAt(int index) const;
    int SelectedPort() const;

    bool ShowInformation;
    TLabel* Label1;
    TComboBox* PortComboBox;
    TLabel* InformationLabel;
    TButton* FindButton;
    TButton* Save;
    TButton* Cancel;
    TButton* HelpBtn;

protected:
    ~TSelectPortDlg() override = default;

private:
    void CreateControls();
};
