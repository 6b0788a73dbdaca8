// The open/save form behind the library's own open and save dialogs: what the user types in
// its name edit is checked and combined with the current folder, and its filter is parsed.
#pragma once

#include <utility>
#include <vector>

#include "UiShellUtils.h"
#include "cl_string.h"

// A typed name on the current folder: network paths and drive paths stand as they are, a name
// starting with a backslash goes on the folder's drive (or server share), a bare drive gets its
// root, and a relative name is followed part by part ("." stays, ".." goes up one level, "..."
// two, never above the drive root or the share); an empty part ends it. Empty for an empty name.
AnsiString CombineFolderAndName(const AnsiString& folder, const AnsiString& name);
// No "/", "<", ">" or "|" and no two backslashes in a row except at the very start; the trail
// bytes of double-byte characters do not count.
bool IsValidFileNameText(const AnsiString& text);
// Whether the text holds a "*" or "?" outside double-byte characters.
bool HasWildcards(const AnsiString& text);
// The description and pattern pairs of a filter "Text files|*.txt|All files|*.*"; a trailing
// description without pattern is dropped.
std::vector<std::pair<AnsiString, AnsiString>> ParseFilter(const AnsiString& filter);

// A typed name with the default extension applied, and what becomes of osoExtensionDifferent.
struct TDefaultExtResult {
    AnsiString Name;
    enum { Keep, Set, Clear } ExtensionDifferent = Keep;
};
// `registered` tells whether an extension (with its dot) is a key under the classes root;
// `filterPattern` is the selected file type's pattern, empty when none is selected; a pattern
// whose extension is a wildcard ("*.*") counts as none.
TDefaultExtResult ApplyDefaultExt(const AnsiString& name, const AnsiString& defaultExt,
                                  const AnsiString& filterPattern,
                                  bool (*registered)(const AnsiString& extension));
// Whether the extension is a key under the registry's classes root.
bool IsRegisteredExtension(const AnsiString& extension);

// One jump button of the places bar: a special folder (CSIDL) or a path (CSIDL csidlNone).
struct TUiPlaceData {
    TCSIDL CSIDL = csidlNone;
    AnsiString Caption;
    AnsiString Path;
    int IconIndex = 0;
};
// The places of the common file dialog's places-bar policy of the current user ("Place0" to
// "Place4", in that order, those present); without the policy Recent, Desktop, Personal, My
// Computer and Network.
std::vector<TUiPlaceData> ReadPlaces();

#include "UiShellDialogs.h"
#include "cl_listview.h"

class TLabel;
class TPanel;
class TUiBitBtn;
class TUiCheckBox;
class TUiComboBox;
class TUiEdit;
class TUiShellCombo;
class TUiShellList;
class TUiShellTree;
class TUiSplitter;
class TUiToolButton;

// Whether the last file name came from typing in the edit or from the list's selection.
enum TUiShellOpenSaveForm_LIS { lisEdit, lisList };

// The modal open/save window: places bar, look-in combo, tree and list in a splitter, the name
// edit and the file types. OK closes only when what was typed names acceptable files.
class TUiShellOpenSaveForm : public TForm {
    CL_COMPONENT_CLASS(TUiShellOpenSaveForm, TForm)

    explicit TUiShellOpenSaveForm(TComponent* owner);

    TPanel* PnlJumps;
    TUiToolButton* btnPlace[5];
    TLabel* lblLookIn;
    TPanel* PnlWork;
    TUiShellCombo* ShellCombo;
    TUiToolButton* btnUpOneLevel;
    TUiToolButton* btnShowTree;
    TUiSplitter* UiSplitter1;
    TUiShellTree* ShellTree;
    TUiShellList* ShellList;
    TPanel* PnlEdits;
    TLabel* lblFileName;
    TLabel* lblFilesOfType;
    TUiEdit* edtFileName;
    TUiComboBox* cbxFileTypes;
    TUiBitBtn* btnOpen;
    TUiBitBtn* btnCancel;
    TUiCheckBox* chkReadOnly;
    TUiBitBtn* btnHelp;

    // Before the form shows, the edit's text; afterwards the first accepted file.
    AnsiString GetFilename();
    void SetFilename(const AnsiString& name);
    // The files accepted when the form closed with OK.
    TStrings* GetFiles();
    void SetFilter(const AnsiString& filter);
    // One-based; out of range selects the first entry without applying it.
    void SetFilterIndex(int index);
    int GetFilterIndex() const;
    void SetInitialDir(const AnsiString& dir);
    const TUiOpenSaveOptions& Options() const { return options_; }
    void SetOptions(const TUiOpenSaveOptions& options);
    int GetFormSplitterPos() const;
    void SetFormSplitterPos(int position);
    void SetOnAddListItem(const TUiShAddItemEvent& event);
    void SetOnAddTreeItem(const TUiShAddItemEvent& event);
    void InitFraming(TColor frameColor, TFrameStyle frameStyle, bool frameVisible,
                     TFramingPreference framingPreference);
    void InitHotTracking(TColor buttonColor, bool hotTrack, TColor highlightColor,
                         TColor hotTrackColor, TUiHotTrackColorType hotTrackColorType);
    void InitShowButtonGlyphs(bool show);
    void InitToolButtons(TUiGradientColorStyle gradientStyle, TColor selectionStart,
                         TColor selectionStop, TColor selectionFrame, TUiVisualStyle visualStyle);
    void ShowTree(bool show);
    // A typed wildcard pattern lists only matching files until a file type is chosen.
    void ApplyUserFilter(const AnsiString& pattern);
    // Splits, checks and completes the typed names into the accepted files; false keeps the
    // form open (a folder was entered, or the user was told what is wrong).
    bool ParseInputstring(const AnsiString& text);
    void JumpToPlace(int index);
    void UpdateCurrentPlace();

    AnsiString DefaultExt;
    TNotifyEvent OnTypeChanged;
    TNotifyEvent OnFolderChanged;
    TNotifyEvent OnSelectionChanged;
    TNotifyEvent OnFormShow;
    TNotifyEvent OnFormClose;

    void Dispatch(TMessage& message) override;

protected:
    ~TUiShellOpenSaveForm() override;
    void DoShow() override;
    void DoHide() override;

private:
    void CreateControls();
    void CreatePlaces();
    void CreateEdits();
    void FormResize(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    // F4 drops the look-in combo down or closes it, F5 refreshes, F12 switches the tree.
    void FormKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
    void ShellListChange(TObject* sender, TListItem* item, TItemChange change);
    void ShellListFolderChanged(TObject* sender);
    void cbxFileTypesChange(TObject* sender);
    void edtFileNameChange(TObject* sender);
    void btnPlaceClick(TObject* sender);
    void SetCurrentFolder(const AnsiString& path);
    AnsiString CurrentFolderPath();
    AnsiString SelectedPattern() const;
    // The single typed name completed: default extension, its folder entered, the list's item.
    bool CompleteSingleName(AnsiString& name);
    bool AcceptName(const AnsiString& name);

    std::vector<TUiPlaceData> places_;
    std::vector<AnsiString> patterns_;
    TUiOpenSaveOptions options_;
    TStringList* files_;
    TStringList* selectedFiles_;
    AnsiString filter_;
    AnsiString initialDir_;
    AnsiString userFilter_;
    bool shown_ = false;
    TUiShellOpenSaveForm_LIS lastInput_ = lisList;
};
