// The about box and the component that opens it: product name, version and copyright read
// from the program's own version resource, up to four extra description/version pairs and an
// optional two-column list.
#pragma once

#include "cl_extctrls.h"
#include "cl_forms.h"
#include "cl_stdctrls.h"

class TQMCAboutBox : public TForm {
    CL_COMPONENT_CLASS(TQMCAboutBox, TForm)

    explicit TQMCAboutBox(TComponent* owner);

    TPanel* Panel1;
    TImage* ProgramIcon;
    TLabel* ProductName;
    TBevel* Bevel1;
    TStaticText* VersionStaticText;
    TLabel* Version;
    TStaticText* UserDefineText[4];
    TLabel* UserDefineVersion[4];
    TListBox* lbCustomFields;
    TStaticText* CopyrightStaticText;
    TPanel* Panel2;
    TLabel* Copyright;
    TButton* OKButton;

private:
    void CreateControls();
    void DrawProgramPicture();
    void ReadVersionResource();
};

class TQMCAboutComponent : public TComponent {
    CL_COMPONENT_CLASS(TQMCAboutComponent, TComponent)

    explicit TQMCAboutComponent(TComponent* owner);
    void BeforeDestruction() override;

    TQMCAboutBox* AboutBox() const { return box_; }
    void OpenAbout();
    void AppendVersionInfo(const AnsiString& label, const AnsiString& version);
    TStringList* LabelList() const { return labelList_; }
    void SetLabelList(TStrings* list);
    TStringList* VersionList() const { return versionList_; }
    void SetVersionList(TStrings* list);
    void RecalcAndDisplayListBox();

    // Pair n (1 to 4) of the box; other numbers show an error box and change nothing.
    void SetExtraDescriptionText(int n, const AnsiString& text);
    void SetExtraVersionText(int n, const AnsiString& text);
    AnsiString GetExtraDescriptionText(int n);
    void SetExtraVersionVisible(int n, bool visible);
    bool GetExtraVersionVisible(int n);

    AnsiString Description[4];
    AnsiString Version[4];
    bool Visible[4] = {false, false, false, false};
    bool VisibleList = false;
    int ListLineHeight = 14;
    const AnsiString& ControlVersion() const { return controlVersion_; }
    // The version is fixed: the setter stores nothing.
    void SetControlVersion(const AnsiString&) {}

    void OnlbDrawItem(TObject* control, int index, TRect rect, TOwnerDrawState state);

private:
    bool CheckPair(int n);

    TQMCAboutBox* box_;
    TStringList* labelList_;
    TStringList* versionList_;
    AnsiString controlVersion_ = "1.04.00";
};
