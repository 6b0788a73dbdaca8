// The shell dialogs: components that run the select-folder and open/save forms modally and
// carry their geometry, look and state from one run (and one program run) to the next.
#pragma once

#include <set>

#include "UiCommon.h"
#include "UiOrientation.h"
#include "UiShellHelpers.h"
#include "UiShellLocator.h"
#include "cl_forms.h"
#include "cl_lists.h"

enum TUiSelectFolderDialogOption {
    sfdoCreateDeleteButtons, sfdoContextMenus, sfdoReadOnly, sfdoIncludeNonFolders, sfdoOleDrag,
    sfdoOleDrop, sfdoCreateFolderIcon, sfdoDeleteFolderIcon, sfdoVirtualFolders, sfdoShowHidden
};
using TUiSelectFolderDialogOptions = std::set<TUiSelectFolderDialogOption>;

// In bit order: the values are kept as a 32-bit set.
enum TUiOpenSaveOption {
    osoAllowMultiselect, osoCreatePrompt, osoExtensionDifferent, osoFileMustExist,
    osoHideReadOnly, osoNoChangeDir, osoNoDereferenceLinks, osoNoReadOnlyReturn,
    osoNoTestFileCreate, osoNoValidate, osoOverwritePrompt, osoReadOnly, osoPathMustExist,
    osoShareAware, osoShowHelp, osoAllowTree, osoShowTree, osoShowHints,
    osoHideFoldersInListWhenTreeVisible, osoOleDrag, osoOleDrop, osoShowHidden,
    osoFilesCanBeFolders
};
using TUiOpenSaveOptions = std::set<TUiOpenSaveOption>;

// Sender, the absolute identifier list of the newly selected folder.
using TUiFolderBrowseSelChangeEvent = std::function<void(TObject* sender, LPCITEMIDLIST newSel)>;

class TUiSelectFolderForm;
class TUiShellOpenSaveForm;

// What the dialogs hand to their forms' controls: framing of the views and edits, hot tracking
// and glyphs of the push buttons, the tool buttons' look.
struct TUiShellDialogLook {
    TColor FrameColor = clBtnShadow;
    TFrameStyle FrameStyle = fsFlat;
    bool FrameVisible = false;
    TFramingPreference FramingPreference = fpXPThemes;
    TColor ButtonColor = clBtnFace;
    bool ShowButtonGlyphs = false;
    TColor HighlightColor = clHighlight;
    bool HotTrack = false;
    TColor HotTrackColor = 0x149BF0;
    TUiHotTrackColorType HotTrackColorType = htctActual;
    TUiGradientColorStyle ToolBtnGradientColorStyle = gcsSystem;
    TColor ToolBtnSelectionColorStart = clBtnFace;
    TColor ToolBtnSelectionColorStop = clBtnShadow;
    TColor ToolBtnSelectionFrameColor = cl3DDkShadow;
    TUiVisualStyle ToolBtnVisualStyle = vsWinXP;
};

// The base of the shell dialogs: the form's geometry and look, one modal run of a form at a
// time, and the dialog's state in a stream or a binary registry value.
class TUiShellDialog : public TComponent {
    CL_CLASS(TUiShellDialog, TComponent)

    explicit TUiShellDialog(TComponent* owner);

    // Runs the dialog; true when the user confirmed. Raises when the dialog is running already.
    bool Execute();
    bool Executing() const { return executing_; }
    // The form of the run in progress, else null.
    TForm* RunningForm() const { return form_; }

    TPosition FormPosition() const { return formPosition_; }
    void SetFormPosition(TPosition value) { formPosition_ = value; }
    int FormLeft() const { return formLeft_; }
    void SetFormLeft(int value) { formLeft_ = value; }
    int FormTop() const { return formTop_; }
    void SetFormTop(int value) { formTop_ = value; }
    int FormWidth() const { return formWidth_; }
    void SetFormWidth(int value) { formWidth_ = value; }
    int FormHeight() const { return formHeight_; }
    void SetFormHeight(int value) { formHeight_ = value; }
    TWindowState FormWindowState() const { return formWindowState_; }
    void SetFormWindowState(TWindowState value) { formWindowState_ = value; }
    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& value) { title_ = value; }

    // Creates the key when needed.
    void WriteStateToRegistry(HKEY root, const AnsiString& keyPath, const AnsiString& valueName);
    // A missing key or value reads as an empty state, which raises EReadError; a value that is
    // not binary or larger than any state raises ERegistryException.
    void ReadStateFromRegistry(HKEY root, const AnsiString& keyPath, const AnsiString& valueName);
    virtual void WriteStateToStream(TStream* stream);
    // A short or damaged state raises EReadError and changes nothing.
    virtual void ReadStateFromStream(TStream* stream);

    TUiShellDialogLook Look;
    TNotifyEvent OnInitialized;
    TNotifyEvent OnFormShow;
    TNotifyEvent OnFormClose;

protected:
    virtual TForm* CreateForm() = 0;
    virtual void InitForm(TForm* form) = 0;
    virtual void SaveFormSettings(TForm* form) = 0;
    virtual void DoInitialized();
    virtual bool DoExecute() = 0;

    // One modal run: hourglass, create and set up the form, show it, take its settings back
    // (outside design time) and free it, on every path. True when it closed with OK.
    bool RunForm();
    // Position (left and top only for poDesigned), the size when set, the window state.
    void InitFormGeometry(TForm* form);
    // The form's restored bounds, window state and position.
    void SaveFormGeometry(TForm* form);

private:
    TPosition formPosition_ = poScreenCenter;
    int formLeft_ = -1;
    int formTop_ = -1;
    int formWidth_ = -1;
    int formHeight_ = -1;
    TWindowState formWindowState_ = wsNormal;
    AnsiString title_;
    TForm* form_ = nullptr;
    bool executing_ = false;
};

// The folder picker's settings: the selected folder, the folder the tree starts from, the
// status text and the options of the form's tree and buttons.
class TUiCustomSelectFolderDialog : public TUiShellDialog {
    CL_CLASS(TUiCustomSelectFolderDialog, TUiShellDialog)

    explicit TUiCustomSelectFolderDialog(TComponent* owner);
    ~TUiCustomSelectFolderDialog() override;

    const AnsiString& Status() const { return status_; }
    // Also shown at once in the status bar of a running form.
    void SetStatus(const AnsiString& value);
    // The running form's OK button; raise without a running form.
    bool GetOkEnabled() const;
    void SetOkEnabled(bool enabled);
    TUiShellLocator* SelectedFolder() const { return selectedFolder_; }
    void SetSelectedFolder(TUiShellLocator* value) { selectedFolder_->Assign(value); }
    TUiShellLocator* BaseFolder() const { return baseFolder_; }
    void SetBaseFolder(TUiShellLocator* value) { baseFolder_->Assign(value); }
    AnsiString GetSelectedPathName() const { return selectedFolder_->GetPathName(); }
    void SetSelectedPathName(const AnsiString& path) { selectedFolder_->SetPathName(path); }
    const TUiSelectFolderDialogOptions& Options() const { return options_; }
    void SetOptions(const TUiSelectFolderDialogOptions& value) { options_ = value; }

    TUiFolderBrowseSelChangeEvent OnSelChange;
    // Handed to the form's tree.
    TUiShAddItemEvent OnAddItem;

protected:
    // A TUiSelectFolderForm owned by the application.
    TForm* CreateForm() override;
    void InitForm(TForm* form) override;
    // The geometry; the selected folder only when the user confirmed.
    void SaveFormSettings(TForm* form) override;
    bool DoExecute() override;

private:
    TUiSelectFolderForm* FolderForm() const;

    AnsiString status_;
    TUiShellLocator* selectedFolder_;
    TUiShellLocator* baseFolder_;
    TUiSelectFolderDialogOptions options_;
};

class TUiSelectFolderDialog : public TUiCustomSelectFolderDialog {
    CL_COMPONENT_CLASS(TUiSelectFolderDialog, TUiCustomSelectFolderDialog)

    explicit TUiSelectFolderDialog(TComponent* owner) : TUiCustomSelectFolderDialog(owner) {}
};

// The file pickers' settings: the chosen files, the filter, the options of the open/save form
// and the splitter between its tree and list; the tree's visibility goes with the state.
class TUiFileDialog : public TUiShellDialog {
    CL_CLASS(TUiFileDialog, TUiShellDialog)

    explicit TUiFileDialog(TComponent* owner);
    ~TUiFileDialog() override;

    TStrings* Files() const { return files_; }
    // The running form's file name, else the first chosen file (empty when none).
    AnsiString GetFilename() const;
    // The one chosen file from now on, also handed to a running form.
    void SetFilename(const AnsiString& value);
    TStrings* HistoryList() const { return historyList_; }
    void SetHistoryList(TStrings* value) { historyList_->Assign(value); }
    // These setters also hand the value to a running form.
    const TUiOpenSaveOptions& Options() const { return options_; }
    void SetOptions(const TUiOpenSaveOptions& value);
    const AnsiString& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const AnsiString& value) { defaultExt_ = value; }
    const AnsiString& Filter() const { return filter_; }
    void SetFilter(const AnsiString& value);
    // The running form's, else the stored one.
    int FilterIndex() const;
    void SetFilterIndex(int value);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    const AnsiString& InitialDir() const { return initialDir_; }
    void SetInitialDir(const AnsiString& value) { initialDir_ = value; }
    int FormSplitterPos() const { return formSplitterPos_; }
    void SetFormSplitterPos(int value);
    void SetOnAddListItem(const TUiShAddItemEvent& event);
    void SetOnAddTreeItem(const TUiShAddItemEvent& event);
    // Takes effect at the next run.
    void SetOnAddComboItem(const TUiShAddItemEvent& event) { onAddComboItem_ = event; }

    // The geometry, then whether the tree shows and the splitter's position.
    void WriteStateToStream(TStream* stream) override;
    void ReadStateFromStream(TStream* stream) override;

    TNotifyEvent OnFolderChanged;
    TNotifyEvent OnSelectionChanged;
    TNotifyEvent OnTypeChanged;
    THelpEvent OnHelp;

protected:
    // A TUiShellOpenSaveForm owned by the application.
    TForm* CreateForm() override;
    void InitForm(TForm* form) override;
    // Whatever the modal result: options, files, geometry, filter index and splitter.
    void SaveFormSettings(TForm* form) override;
    bool DoExecute() override;
    TUiShellOpenSaveForm* FileForm() const;

private:
    TUiShAddItemEvent onAddListItem_;
    TUiShAddItemEvent onAddTreeItem_;
    TUiShAddItemEvent onAddComboItem_;
    TStringList* files_;
    TStringList* historyList_;
    TUiOpenSaveOptions options_;
    AnsiString defaultExt_;
    AnsiString filter_;
    int helpContext_ = 0;
    AnsiString initialDir_;
    int formSplitterPos_ = -1;
    int filterIndex_ = 1;
};

// The open dialog: captions "Open" and "&Open".
class TUiCustomOpenDialog : public TUiFileDialog {
    CL_CLASS(TUiCustomOpenDialog, TUiFileDialog)

    explicit TUiCustomOpenDialog(TComponent* owner);

protected:
    void InitForm(TForm* form) override;
};

class TUiOpenDialog : public TUiCustomOpenDialog {
    CL_COMPONENT_CLASS(TUiOpenDialog, TUiCustomOpenDialog)

    explicit TUiOpenDialog(TComponent* owner) : TUiCustomOpenDialog(owner) {}
};

// The save dialog: captions "Save As" and "&Save".
class TUiCustomSaveDialog : public TUiFileDialog {
    CL_CLASS(TUiCustomSaveDialog, TUiFileDialog)

    explicit TUiCustomSaveDialog(TComponent* owner);

protected:
    void InitForm(TForm* form) override;
};

class TUiSaveDialog : public TUiCustomSaveDialog {
    CL_COMPONENT_CLASS(TUiSaveDialog, TUiCustomSaveDialog)

    explicit TUiSaveDialog(TComponent* owner) : TUiCustomSaveDialog(owner) {}
};
