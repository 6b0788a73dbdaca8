// The system's common dialogs (open, save, print, printer setup, font, colour) as components,
// and the message dialogs: MessageDlg and ShowMessage with their fixed captions.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <set>

#include "cl_component.h"
#include "cl_lists.h"

class TFont;

// A common dialog. Execute shows it modally and tells whether the user confirmed; while the
// ExecuteDialog hook is set, the hook answers instead and no window appears.
class TCommonDialog : public TComponent {
    CL_CLASS(TCommonDialog, TComponent)

    explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}

    bool Execute();
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int helpContext) { helpContext_ = helpContext; }
    // The dialog's window while it is shown; 0 otherwise.
    HWND Handle() const { return handle_; }

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    ~TCommonDialog() override = default;
    // Runs the system dialog.
    virtual bool DoExecute() = 0;
    // The window that owns the dialog: the active window of this thread, else the
    // application's window.
    static HWND OwnerWindow();

private:
    int helpContext_ = 0;
    HWND handle_ = nullptr;
};

enum TOpenOption {
    ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
    ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
    ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
    ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing
};
using TOpenOptions = std::set<TOpenOption>;

// The file-open dialog. Filter is "Description|*.ext|Description|*.a;*.b"; FilterIndex is
// 1-based; FileName keeps the last choice for the next run.
class TOpenDialog : public TCommonDialog {
    CL_COMPONENT_CLASS(TOpenDialog, TCommonDialog)

    explicit TOpenDialog(TComponent* owner);
    void BeforeDestruction() override;

    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& title) { title_ = title; }
    const AnsiString& Filter() const { return filter_; }
    void SetFilter(const AnsiString& filter) { filter_ = filter; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int filterIndex) { filterIndex_ = filterIndex; }
    const AnsiString& FileName() const { return fileName_; }
    void SetFileName(const AnsiString& fileName) { fileName_ = fileName; }
    // Every chosen file (one unless ofAllowMultiSelect).
    TStrings* Files() const { return files_; }
    const AnsiString& InitialDir() const { return initialDir_; }
    void SetInitialDir(const AnsiString& initialDir) { initialDir_ = initialDir; }
    const AnsiString& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const AnsiString& defaultExt) { defaultExt_ = defaultExt; }
    const TOpenOptions& Options() const { return options_; }
    void SetOptions(const TOpenOptions& options) { options_ = options; }

    // The OFN_ flags for a set of options.
    static DWORD OptionFlags(const TOpenOptions& options);
    // Splits the system's answer ("path" or "folder\0name\0name\0") into full paths.
    static void ParseFileList(const char* buffer, TStrings* files);

protected:
    ~TOpenDialog() override = default;
    bool DoExecute() override;
    virtual bool ShowSystemDialog(OPENFILENAMEA& info) { return GetOpenFileNameA(&info) != 0; }

private:
    AnsiString title_;
    AnsiString filter_;
    int filterIndex_ = 1;
    AnsiString fileName_;
    TStringList* files_;
    AnsiString initialDir_;
    AnsiString defaultExt_;
    TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
    CL_COMPONENT_CLASS(TSaveDialog, TOpenDialog)

    explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

protected:
    bool ShowSystemDialog(OPENFILENAMEA& info) override { return GetSaveFileNameA(&info) != 0; }
    ~TSaveDialog() override = default;
};

// An open dialog whose filter starts as the registered picture formats.
class TOpenPictureDialog : public TOpenDialog {
    CL_COMPONENT_CLASS(TOpenPictureDialog, TOpenDialog)

    explicit TOpenPictureDialog(TComponent* owner);

protected:
    ~TOpenPictureDialog() override = default;
};

// The print dialog: the chosen printer and its settings go back to Printer().
class TPrintDialog : public TCommonDialog {
    CL_COMPONENT_CLASS(TPrintDialog, TCommonDialog)

    explicit TPrintDialog(TComponent* owner) : TCommonDialog(owner) {}

    int Copies() const { return copies_; }
    void SetCopies(int copies) { copies_ = copies; }

protected:
    bool DoExecute() override;
    virtual DWORD DialogFlags() const { return PD_NOPAGENUMS | PD_NOSELECTION; }

private:
    int copies_ = 1;

protected:
    ~TPrintDialog() override = default;
};

class TPrinterSetupDialog : public TPrintDialog {
    CL_COMPONENT_CLASS(TPrinterSetupDialog, TPrintDialog)

    explicit TPrinterSetupDialog(TComponent* owner) : TPrintDialog(owner) {}

protected:
    DWORD DialogFlags() const override { return PD_PRINTSETUP; }
    ~TPrinterSetupDialog() override = default;
};

enum TFontDialogOption { fdEffects, fdFixedPitchOnly, fdNoSimulations, fdTrueTypeOnly };
using TFontDialogOptions = std::set<TFontDialogOption>;

class TFontDialog : public TCommonDialog {
    CL_COMPONENT_CLASS(TFontDialog, TCommonDialog)

    explicit TFontDialog(TComponent* owner);
    void BeforeDestruction() override;

    TFont* Font() const { return font_; }
    void SetFont(TFont* font);
    const TFontDialogOptions& Options() const { return options_; }
    void SetOptions(const TFontDialogOptions& options) { options_ = options; }

protected:
    bool DoExecute() override;

private:
    TFont* font_;
    TFontDialogOptions options_{fdEffects};

protected:
    ~TFontDialog() override = default;
};

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = std::set<TColorDialogOption>;

// The colour dialog. CustomColors holds "ColorA=RRGGBB-hex" .. "ColorP=..." entries; absent
// entries are white.
class TColorDialog : public TCommonDialog {
    CL_COMPONENT_CLASS(TColorDialog, TCommonDialog)

    explicit TColorDialog(TComponent* owner);
    void BeforeDestruction() override;

    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    TStrings* CustomColors() const { return customColors_; }
    const TColorDialogOptions& Options() const { return options_; }
    void SetOptions(const TColorDialogOptions& options) { options_ = options; }

protected:
    bool DoExecute() override;

private:
    TColor color_ = clBlack;
    TStringList* customColors_;
    TColorDialogOptions options_;

protected:
    ~TColorDialog() override = default;
};

// ---------------------------------------------------------------------------------------------
// Message dialogs.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
                  mbYesToAll, mbHelp };
using TMsgDlgButtons = std::set<TMsgDlgBtn>;
// The standard caption of a dialog button ("&Yes", "OK", "Cancel", ...).
AnsiString MsgDlgButtonCaption(TMsgDlgBtn button);
const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// The caption a message dialog of this type carries: "Warning", "Error", "Information",
// "Confirmation"; the application's title for mtCustom.
AnsiString MsgDlgCaption(TMsgDlgType type);
// The message-box flags (buttons and icon) for a dialog type and button set.
UINT MsgDlgFlags(TMsgDlgType type, const TMsgDlgButtons& buttons);

// Shows the message with the type's caption and returns the modal result of the button
// pressed (mrYes, mrNo, mrOk, ...).
int MessageDlg(const AnsiString& msg, TMsgDlgType type, const TMsgDlgButtons& buttons,
               int helpContext);
// The same with a caption of the caller's choosing.
int MessageDlg(const AnsiString& msg, TMsgDlgType type, const TMsgDlgButtons& buttons,
               int helpContext, const AnsiString& caption);
// An information box with an OK button, captioned with the application's title.
void ShowMessage(const AnsiString& msg);
