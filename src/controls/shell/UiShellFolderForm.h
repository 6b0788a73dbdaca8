// The select-folder form: the modal window of the folder picker, with a shell tree of folders,
// buttons to create and delete a folder, and the selected folder's path in a status bar.
#pragma once

#include <functional>

#include "UiShellDialogs.h"
#include "cl_forms.h"

class TImageList;
class TPanel;
class TTreeNode;
class TUiBitBtn;
class TUiShellTree;
class TUiStatusBar;
class TUiToolButton;

class TUiSelectFolderForm : public TForm {
    CL_COMPONENT_CLASS(TUiSelectFolderForm, TForm)

    explicit TUiSelectFolderForm(TComponent* owner);

    TUiShellTree* ShellTree;
    TPanel* ButtonPanel;
    TUiBitBtn* btnOk;
    TUiBitBtn* btnCancel;
    TUiStatusBar* UiStatusBar1;
    TUiToolButton* btnNewFolder;
    TUiToolButton* btnDeleteFolder;
    TImageList* ImageList1;

    const TUiSelectFolderDialogOptions& Options() const { return options_; }
    // Maps the options onto the tree's options and the tool buttons.
    virtual void SetOptions(const TUiSelectFolderDialogOptions& options);
    void InitFraming(TColor frameColor, TFrameStyle frameStyle, bool frameVisible,
                     TFramingPreference framingPreference);
    void InitHotTracking(TColor buttonColor, bool hotTrack, TColor highlightColor,
                         TColor hotTrackColor, TUiHotTrackColorType hotTrackColorType);
    // True gives OK and Cancel their stock glyphs; false leaves them as they are.
    void InitShowButtonGlyphs(bool show);
    void InitToolButtons(TUiGradientColorStyle gradientStyle, TColor selectionStart,
                         TColor selectionStop, TColor selectionFrame, TUiVisualStyle visualStyle);
    AnsiString GetSelectedPathname();
    void SetSelectedPathname(const AnsiString& path);
    AnsiString GetStatus() const;
    void SetStatus(const AnsiString& status);
    bool GetOkEnabled() const;
    void SetOkEnabled(bool enabled);

    TNotifyEvent OnFormShow;
    TNotifyEvent OnFormClose;
    TUiFolderBrowseSelChangeEvent OnSelChange;

    void CreateBtnClick(TObject* sender);
    void DeleteBtnClick(TObject* sender);
    void FormCreate(TObject* sender);
    void FormResize(TObject* sender);
    void ShellTreeChange(TObject* sender, TTreeNode* node);

    void Dispatch(TMessage& message) override;

protected:
    ~TUiSelectFolderForm() override = default;
    void DoShow() override;
    void DoHide() override;
    virtual void DoTranslation();

private:
    void CreateControls();
    void CreateToolButtons();
    void ShowPathOf(TTreeNode* node);

    TUiSelectFolderDialogOptions options_;
};

// The path shortened to fit `limit` pixels as measured by `textWidth`: leading folders give
// way to "...\" one by one, then the drive goes, and at last everything but the name.
AnsiString ShortenPathToWidth(const AnsiString& path, int limit,
                              const std::function<int(const AnsiString&)>& textWidth);
