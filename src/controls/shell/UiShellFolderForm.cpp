#include "UiShellFolderForm.h"

#include <algorithm>
#include <string>

#include "UiBitBtn.h"
#include "UiShellTree.h"
#include "UiStatusBar.h"
#include "UiToolButton.h"
#include "cl_extctrls.h"
#include "cl_imagelist.h"
#include "cl_treeview.h"

namespace {

constexpr TColor ImageBackground = clOlive;
constexpr int MinTrackWidth = 366;
constexpr int MinTrackHeight = 340;

// A folder with a spark on its corner: the create image (greyed when disabled).
void DrawNewFolderImage(TCanvas* canvas, bool enabled) {
    canvas->Pen()->SetColor(enabled ? static_cast<TColor>(0x00307090) : clGray);
    canvas->Brush()->SetColor(enabled ? static_cast<TColor>(0x0060D0F8) : clSilver);
    canvas->Rectangle(TRect(1, 3, 7, 6));
    canvas->Rectangle(TRect(1, 5, 13, 14));
    canvas->Pen()->SetColor(enabled ? static_cast<TColor>(0x000080FF) : clGray);
    canvas->MoveTo(12, 0);
    canvas->LineTo(12, 6);
    canvas->MoveTo(9, 3);
    canvas->LineTo(16, 3);
}

// A cross: the delete image (greyed when disabled).
void DrawDeleteImage(TCanvas* canvas, bool enabled) {
    canvas->Pen()->SetColor(enabled ? static_cast<TColor>(0x000000C0) : clGray);
    canvas->Pen()->SetWidth(2);
    canvas->MoveTo(3, 3);
    canvas->LineTo(13, 13);
    canvas->MoveTo(13, 3);
    canvas->LineTo(3, 13);
}

// Create, create disabled, delete, delete disabled.
void FillButtonImages(TImageList* images) {
    images->SetSize(16, 16);
    for (int i = 0; i < 4; ++i) {
        TBitmap image;
        image.SetSize(16, 16);
        TCanvas* canvas = image.Canvas();
        canvas->Brush()->SetColor(ImageBackground);
        canvas->FillRect(TRect(0, 0, 16, 16));
        if (i < 2)
            DrawNewFolderImage(canvas, i == 0);
        else
            DrawDeleteImage(canvas, i == 2);
        images->AddMasked(&image, ImageBackground);
    }
}

const std::string Ellipsis = "...\\";

// One folder level less behind "...\": "\A\B\" becomes "\...\B\", "\...\B\" becomes "\...\".
std::string ShortenDirectory(std::string directory) {
    if (directory == "\\") return std::string();
    const bool rooted = !directory.empty() && directory[0] == '\\';
    if (rooted) directory.erase(0, 1);
    if (directory.compare(0, Ellipsis.size(), Ellipsis) == 0) directory.erase(0, Ellipsis.size());
    const std::string::size_type separator = directory.find('\\');
    directory =
        separator == std::string::npos ? std::string() : Ellipsis + directory.substr(separator + 1);
    return rooted ? "\\" + directory : directory;
}

}  // namespace

TUiSelectFolderForm::TUiSelectFolderForm(TComponent* owner) : TForm(owner) {
    BeginLoading(this);
    SetName("UiSelectFolderForm");
    SetClientWidth(358);
    SetClientHeight(325);
    SetPosition(poScreenCenter);
    SetBorderIcons({biSystemMenu, biMaximize});
    SetColor(clBtnFace);
    Font()->SetName("MS Sans Serif");
    Font()->SetHeight(-11);
    OnCreate = Bind(this, &TUiSelectFolderForm::FormCreate);
    OnResize = Bind(this, &TUiSelectFolderForm::FormResize);
    CreateControls();
    EndLoading(this);
}

void TUiSelectFolderForm::CreateControls() {
    ShellTree = PlaceControl<TUiShellTree>(this, this, "ShellTree", 8, 32, 341, 241);
    ShellTree->SetDragMode(dmAutomatic);
    ShellTree->SetHideSelection(false);
    ShellTree->SetIndent(19);
    ShellTree->SetOptions({});
    ShellTree->SetTabOrder(0);
    ShellTree->OnChange = Bind(this, &TUiSelectFolderForm::ShellTreeChange);
    ButtonPanel = PlaceControl<TPanel>(this, this, "ButtonPanel", 0, 277, 358, 29);
    ButtonPanel->SetAlign(alBottom);
    ButtonPanel->SetBevelOuter(bvNone);
    ButtonPanel->SetParentColor(true);
    btnOk = PlaceControl<TUiBitBtn>(this, ButtonPanel, "btnOk", 12, 2, 75, 23);
    btnOk->SetDefault(true);
    btnOk->SetModalResult(mrOk);
    btnOk->SetCaption("OK");
    btnOk->SetHotTrack(true);
    btnCancel = PlaceControl<TUiBitBtn>(this, ButtonPanel, "btnCancel", 92, 2, 75, 23);
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetCaption("Cancel");
    btnCancel->SetHotTrack(true);
    UiStatusBar1 = PlaceControl<TUiStatusBar>(this, this, "UiStatusBar1", 0, 306, 358, 19);
    UiStatusBar1->SetAlign(alBottom);
    UiStatusBar1->SetSimpleStatus(true);
    UiStatusBar1->SetSimpleFrameStyle(fsNone);
    UiStatusBar1->SetBorderOuter(fsNone);
    UiStatusBar1->SetBorderInner(fsNone);
    UiStatusBar1->SetVisualStyle(vsWinXP);
    ImageList1 = new TImageList(this);
    ImageList1->SetName("ImageList1");
    FillButtonImages(ImageList1);
    CreateToolButtons();
}

void TUiSelectFolderForm::CreateToolButtons() {
    btnNewFolder = PlaceControl<TUiToolButton>(this, this, "btnNewFolder", 8, 4, 121, 24);
    btnNewFolder->SetImageIndex(0);
    btnNewFolder->SetDisabledIndex(1);
    btnNewFolder->SetCaption("Create Folder");
    btnNewFolder->OnClick = Bind(this, &TUiSelectFolderForm::CreateBtnClick);
    btnDeleteFolder = PlaceControl<TUiToolButton>(this, this, "btnDeleteFolder", 137, 4, 92, 24);
    btnDeleteFolder->SetImageIndex(2);
    btnDeleteFolder->SetDisabledIndex(3);
    btnDeleteFolder->SetCaption("&Delete");
    btnDeleteFolder->OnClick = Bind(this, &TUiSelectFolderForm::DeleteBtnClick);
    for (TUiToolButton* button : {btnNewFolder, btnDeleteFolder}) {
        button->SetImages(ImageList1);
        button->SetShowCaption(true);
        button->SetFlat(true);
        button->SetVisualStyle(vsWinXP);
        button->SetGradientColorStyle(gcsSystem);
        button->SetShowHint(true);
        button->SetVisible(false);
    }
}

void TUiSelectFolderForm::SetOptions(const TUiSelectFolderDialogOptions& options) {
    options_ = options;
    const struct {
        TUiSelectFolderDialogOption option;
        TUiShellTreeOption treeOption;
    } mapping[] = {{sfdoContextMenus, stoContextMenus},
                   {sfdoIncludeNonFolders, stoIncludeNonFolders},
                   {sfdoOleDrag, stoOleDrag},
                   {sfdoOleDrop, stoOleDrop},
                   {sfdoVirtualFolders, stoVirtualFolders},
                   {sfdoShowHidden, stoShowHidden}};
    TUiShellTreeOptions treeOptions = ShellTree->Options();
    for (const auto& m : mapping) {
        if (options.count(m.option))
            treeOptions.insert(m.treeOption);
        else
            treeOptions.erase(m.treeOption);
    }
    ShellTree->SetOptions(treeOptions);
    const bool buttons = options.count(sfdoCreateDeleteButtons) != 0;
    btnNewFolder->SetVisible(buttons);
    btnDeleteFolder->SetVisible(buttons);
    const bool createIcon = options.count(sfdoCreateFolderIcon) != 0;
    const bool deleteIcon = options.count(sfdoDeleteFolderIcon) != 0;
    btnNewFolder->SetImageIndex(createIcon ? 0 : -1);
    btnDeleteFolder->SetImageIndex(deleteIcon ? 2 : -1);
    ShellTree->SetReadOnly(options.count(sfdoReadOnly) != 0);
    if (!createIcon || !deleteIcon) {
        btnNewFolder->SetFlat(false);
        btnDeleteFolder->SetFlat(false);
    }
}

void TUiSelectFolderForm::InitFraming(TColor frameColor, TFrameStyle frameStyle, bool frameVisible,
                                      TFramingPreference framingPreference) {
    ShellTree->SetFrameColor(frameColor);
    ShellTree->SetFrameStyle(frameStyle);
    ShellTree->SetFrameVisible(frameVisible);
    ShellTree->SetFramingPreference(framingPreference);
}

void TUiSelectFolderForm::InitHotTracking(TColor buttonColor, bool hotTrack, TColor highlightColor,
                                          TColor hotTrackColor,
                                          TUiHotTrackColorType hotTrackColorType) {
    for (TUiBitBtn* button : {btnOk, btnCancel}) {
        button->SetColor(buttonColor);
        button->SetHotTrack(hotTrack);
        button->SetHighlightColor(highlightColor);
        button->SetHotTrackColor(hotTrackColor);
        button->SetHotTrackColorType(hotTrackColorType);
    }
}

void TUiSelectFolderForm::InitShowButtonGlyphs(bool show) {
    if (!show) return;
    const struct {
        TUiBitBtn* button;
        const char* resource;
    } glyphs[] = {{btnOk, "UICOMMON_OK"}, {btnCancel, "UICOMMON_CANCEL"}};
    for (const auto& g : glyphs) {
        TBitmap glyph;
        glyph.LoadFromResourceName(GetModuleHandleA(nullptr), g.resource);
        g.button->SetGlyph(&glyph);
    }
}

void TUiSelectFolderForm::InitToolButtons(TUiGradientColorStyle gradientStyle,
                                          TColor selectionStart, TColor selectionStop,
                                          TColor selectionFrame, TUiVisualStyle visualStyle) {
    for (TUiToolButton* button : {btnNewFolder, btnDeleteFolder}) {
        button->SetGradientColorStyle(gradientStyle);
        button->SetSelectionColorStart(selectionStart);
        button->SetSelectionColorStop(selectionStop);
        button->SetSelectionFrameColor(selectionFrame);
        button->SetVisualStyle(visualStyle);
    }
    UiStatusBar1->SetVisualStyle(visualStyle);
}

AnsiString TUiSelectFolderForm::GetSelectedPathname() { return ShellTree->GetSelectedPathName(); }

void TUiSelectFolderForm::SetSelectedPathname(const AnsiString& path) {
    ShellTree->SetSelectedPathName(path);
}

AnsiString TUiSelectFolderForm::GetStatus() const { return UiStatusBar1->SimpleCaption(); }

void TUiSelectFolderForm::SetStatus(const AnsiString& status) {
    UiStatusBar1->SetSimpleCaption(status);
}

bool TUiSelectFolderForm::GetOkEnabled() const { return btnOk->Enabled(); }

void TUiSelectFolderForm::SetOkEnabled(bool enabled) { btnOk->SetEnabled(enabled); }

void TUiSelectFolderForm::CreateBtnClick(TObject*) { ShellTree->CreateNewFolder(false); }

void TUiSelectFolderForm::DeleteBtnClick(TObject*) {
    ShellTree->DoCommandForNode(ShellTree->Selected(), "delete");
}

void TUiSelectFolderForm::FormCreate(TObject*) {
    ShellTree->SetShowRoot(true);
    UiStatusBar1->SetTop(Height());
}

void TUiSelectFolderForm::FormResize(TObject*) {
    const int top = btnNewFolder->Visible() ? btnNewFolder->Top() + btnNewFolder->Height() + 4
                    : btnDeleteFolder->Visible()
                        ? btnDeleteFolder->Top() + btnDeleteFolder->Height() + 4
                        : 8;
    const int left = ShellTree->Left();
    ShellTree->SetBounds(left, top, Width() - 24, ButtonPanel->Top() - 4 - top);
    const int clientWidth = ClientWidth();
    btnCancel->SetLeft(clientWidth - 8 - btnCancel->Width());
    btnOk->SetLeft(btnCancel->Left() - 8 - btnOk->Width());
    if (TTreeNode* node = ShellTree->Selected()) ShowPathOf(node);
}

void TUiSelectFolderForm::ShowPathOf(TTreeNode* node) {
    TUiShellTreeData* data = ShellTree->GetDataFromNode(node);
    if (!data) return;
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(UiStatusBar1->Font());
    SetStatus(
        ShortenPathToWidth(data->GetPathName(), UiStatusBar1->Width() - 20,
                           [canvas](const AnsiString& text) { return canvas->TextWidth(text); }));
}

void TUiSelectFolderForm::ShellTreeChange(TObject*, TTreeNode* node) {
    TUiShellTreeData* data = ShellTree->GetDataFromNode(node);
    if (!data) return;
    ShowPathOf(node);
    const bool hasPath = !data->GetPathName().IsEmpty();
    btnNewFolder->SetEnabled(hasPath);
    btnDeleteFolder->SetEnabled(hasPath && node->AbsoluteIndex() != 0);
    if (OnSelChange) OnSelChange(this, data->GetAbsPidl());
}

void TUiSelectFolderForm::DoShow() {
    TForm::DoShow();
    // The window shows at the size it was created with: lay it out for the options set since.
    FormResize(this);
    Font()->SetName("MS Sans Serif");
    TUiShellTreeOptions treeOptions = ShellTree->Options();
    treeOptions.insert(stoAutoFill);
    ShellTree->SetOptions(treeOptions);
    ShellTree->FillItems();
    DoTranslation();
    if (OnFormShow) OnFormShow(this);
}

void TUiSelectFolderForm::DoHide() {
    TForm::DoHide();
    if (OnFormClose) OnFormClose(this);
}

void TUiSelectFolderForm::DoTranslation() {
    btnOk->SetCaption("OK");
    btnCancel->SetCaption("Cancel");
    btnNewFolder->SetCaption("Create Folder");
    btnDeleteFolder->SetCaption("Delete");
    if (Caption().IsEmpty()) SetCaption("Browse for Folder");
}

void TUiSelectFolderForm::Dispatch(TMessage& message) {
    TForm::Dispatch(message);
    if (message.Msg != WM_GETMINMAXINFO) return;
    auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
    info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, MinTrackWidth);
    info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, MinTrackHeight);
}

AnsiString ShortenPathToWidth(const AnsiString& path, int limit,
                              const std::function<int(const AnsiString&)>& textWidth) {
    std::string rest = path.str();
    std::string drive;
    if (rest.size() >= 2 && rest[1] == ':') {
        drive = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    const std::string::size_type lastSeparator = rest.rfind('\\');
    std::string directory =
        lastSeparator == std::string::npos ? std::string() : rest.substr(0, lastSeparator + 1);
    const std::string name = rest.substr(directory.size());
    while (textWidth(AnsiString(drive + directory + name)) > limit &&
           (!drive.empty() || !directory.empty())) {
        if (directory == "\\" + Ellipsis) {
            drive.clear();
            directory = Ellipsis;
        } else if (!directory.empty()) {
            directory = ShortenDirectory(directory);
        } else {
            drive.clear();
        }
    }
    return AnsiString(drive + directory + name);
}
