#include "UiShellOpenForm.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "UiBitBtn.h"
#include "UiCheckBox.h"
#include "UiComboBox.h"
#include "UiEdit.h"
#include "UiShellCombo.h"
#include "UiShellLinks.h"
#include "UiShellList.h"
#include "UiShellStrings.h"
#include "UiShellTree.h"
#include "UiSplitter.h"
#include "UiToolButton.h"
#include "UiUtils.h"
#include "cl_dialogs.h"
#include "cl_extctrls.h"
#include "cl_hourglass.h"
#include "cl_settings.h"
#include "cl_sys.h"

namespace {

// Calls `visit` with the 0-based index of every single-byte character.
template <class F>
void ForEachSingleByte(const std::string& text, F visit) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(text[i]))) {
            ++i;
            continue;
        }
        if (!visit(i)) return;
    }
}

bool IsDrivePath(const std::string& text) { return text.size() >= 2 && text[1] == ':'; }

// The part of the folder no name may go above: "X:" or "\\server\share".
std::string FolderRoot(const std::string& folder) {
    if (folder.compare(0, 2, "\\\\") != 0) return folder.substr(0, 2);
    const size_t server = folder.find('\\', 2);
    if (server == std::string::npos) return folder;
    const size_t share = folder.find('\\', server + 1);
    return share == std::string::npos ? folder : folder.substr(0, share);
}

std::string GoUp(const std::string& path, size_t levels, const std::string& root) {
    std::string result = path;
    for (size_t i = 0; i < levels && result.size() > root.size(); ++i)
        result.erase(std::max(result.rfind('\\'), root.size()));
    return result;
}

std::string CombineRelative(const std::string& folder, const std::string& name) {
    const std::string root = FolderRoot(folder);
    std::string result = folder;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find('\\', start), name.size());
        const std::string part = name.substr(start, end - start);
        if (part.empty()) break;
        if (part.find_first_not_of('.') == std::string::npos)
            result = GoUp(result, part.size() - 1, root);
        else
            result += "\\" + part;
        start = end + 1;
    }
    return result == root && IsDrivePath(root) ? result + "\\" : result;
}

std::string ExtensionOf(const std::string& name) {
    const size_t dot = name.rfind('.');
    const size_t separator = name.find_last_of("\\:");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return std::string();
    return name.substr(dot);
}

// The extension of the pattern's first mask; none when it is itself a wildcard ("*.*").
std::string PatternExtension(const std::string& pattern) {
    const std::string extension = ExtensionOf(pattern.substr(0, pattern.find(';')));
    return extension.find_first_of("*?") == std::string::npos ? extension : std::string();
}

std::string WithExtension(std::string name, const std::string& extension) {
    if (name.empty() || name.back() != '.') name += '.';
    return name + extension;
}

const char* const PlacesBarKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Comdlg32\\Placesbar";
constexpr int MaxPlaces = 5;

// The shell's name for the folder: its in-folder name, else its normal display name.
AnsiString FolderCaption(LPCITEMIDLIST pidl) {
    const AnsiString name = ShellGetFriendlyNameForLastIdListElement(pidl);
    return name.IsEmpty() ? ShellGetFriendlyNameFromIdList(nullptr, pidl, fnNormal) : name;
}

TUiPlaceData SpecialFolderPlace(TCSIDL csidl) {
    TUiPlaceData place;
    place.CSIDL = csidl;
    LPITEMIDLIST pidl = nullptr;
    if (SUCCEEDED(ShellGetSpecialFolderIdList(nullptr, csidl, pidl))) {
        place.Caption = FolderCaption(pidl);
        ShellMemFree(pidl);
    }
    place.IconIndex = ShellGetSpecialFolderIconIndex(csidl, 0);
    return place;
}

TUiPlaceData PathPlace(const AnsiString& text) {
    TUiPlaceData place;
    place.Path = ExpandEnvironmentVariables(text);
    if (place.Path.Length() > 3) {
        place.Caption = ExtractFileName(place.Path);
    } else {
        LPITEMIDLIST pidl = nullptr;
        if (SUCCEEDED(ShellGetIdListFromPath(place.Path, pidl))) {
            place.Caption = FolderCaption(pidl);
            ShellMemFree(pidl);
        }
    }
    place.IconIndex = ShellGetIconIndexFromPath(place.Path, 0);
    return place;
}

}  // namespace

std::vector<TUiPlaceData> ReadPlaces() {
    std::vector<TUiPlaceData> places;
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (!registry.OpenKeyReadOnly(PlacesBarKey)) {
        for (TCSIDL csidl : {csidlRecent, csidlDesktop, csidlPersonal, csidlDrives, csidlNetwork})
            places.push_back(SpecialFolderPlace(csidl));
        return places;
    }
    for (int n = 0; n < MaxPlaces; ++n) {
        const AnsiString name = "Place" + IntToStr(n);
        if (!registry.ValueExists(name)) continue;
        const TRegDataType type = registry.GetDataType(name);
        try {
            if (type == rdString || type == rdExpandString)
                places.push_back(PathPlace(registry.ReadString(name)));
            else
                places.push_back(
                    SpecialFolderPlace(static_cast<TCSIDL>(registry.ReadInteger(name))));
        } catch (const ERegistryException&) {
        }
    }
    return places;
}

AnsiString CombineFolderAndName(const AnsiString& folderText, const AnsiString& nameText) {
    std::string folder = folderText.str();
    const std::string& name = nameText.str();
    if (folder.size() > 2 && folder.back() == '\\') folder.pop_back();
    if (name.size() > 2 && name.compare(0, 2, "\\\\") == 0) return nameText;
    if (name.empty()) return AnsiString();
    if (name[0] == '\\') return AnsiString(FolderRoot(folder) + name);
    if (!IsDrivePath(name)) return AnsiString(CombineRelative(folder, name));
    return name.size() == 2 ? AnsiString(name + "\\") : nameText;
}

bool IsValidFileNameText(const AnsiString& textValue) {
    const std::string& text = textValue.str();
    bool valid = true;
    ForEachSingleByte(text, [&](size_t i) {
        const char c = text[i];
        const bool doubleBackslash = c == '\\' && i > 1 && text[i - 1] == '\\';
        valid = c != '/' && c != '<' && c != '>' && c != '|' && !doubleBackslash;
        return valid;
    });
    return valid;
}

bool HasWildcards(const AnsiString& textValue) {
    const std::string& text = textValue.str();
    bool found = false;
    ForEachSingleByte(text, [&](size_t i) {
        found = text[i] == '*' || text[i] == '?';
        return !found;
    });
    return found;
}

std::vector<std::pair<AnsiString, AnsiString>> ParseFilter(const AnsiString& filterText) {
    std::vector<std::string> fields;
    const std::string& filter = filterText.str();
    size_t start = 0;
    while (start < filter.size()) {
        const size_t end = std::min(filter.find('|', start), filter.size());
        fields.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::pair<AnsiString, AnsiString>> pairs;
    for (size_t i = 0; i + 1 < fields.size(); i += 2)
        pairs.emplace_back(AnsiString(fields[i]), AnsiString(fields[i + 1]));
    return pairs;
}

TDefaultExtResult ApplyDefaultExt(const AnsiString& nameText, const AnsiString& defaultExt,
                                  const AnsiString& filterPattern,
                                  bool (*registered)(const AnsiString& extension)) {
    const std::string& name = nameText.str();
    TDefaultExtResult result{nameText};
    if (defaultExt.IsEmpty()) return result;
    const std::string extension = ExtensionOf(name);
    if (extension.size() > 1 && registered(AnsiString(extension))) {
        result.ExtensionDifferent = TDefaultExtResult::Set;
        return result;
    }
    const std::string filterExtension = PatternExtension(filterPattern.str());
    if (filterExtension.empty()) {
        result.Name = AnsiString(WithExtension(name, defaultExt.str()));
        result.ExtensionDifferent = TDefaultExtResult::Clear;
    } else if (!SameText(AnsiString(filterExtension), AnsiString(extension))) {
        result.Name = AnsiString(WithExtension(name, filterExtension.substr(1)));
        result.ExtensionDifferent = SameText(AnsiString(filterExtension), "." + defaultExt)
                                        ? TDefaultExtResult::Clear
                                        : TDefaultExtResult::Set;
    }
    return result;
}

bool IsRegisteredExtension(const AnsiString& extension) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, extension.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// ---------------------------------------------------------------------------------------------
namespace {

constexpr int MinTrackWidth = 463;
constexpr int MinTrackHeight = 274;

AnsiString NamePart(const AnsiString& path) {
    const std::string s = path.str();
    const std::string::size_type slash = s.find_last_of("\\:");
    return AnsiString(slash == std::string::npos ? s : s.substr(slash + 1));
}

AnsiString FolderPart(const AnsiString& path) {
    const std::string s = path.str();
    const std::string::size_type slash = s.find_last_of("\\:");
    return AnsiString(slash == std::string::npos ? std::string() : s.substr(0, slash + 1));
}

bool SameName(const AnsiString& a, const AnsiString& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// The target of a ".lnk" shortcut when it resolves to a path, else the name itself.
AnsiString ShortcutTarget(const AnsiString& name) {
    const std::string s = name.str();
    if (s.size() < 4 || !SameName(AnsiString(s.substr(s.size() - 4)), ".lnk")) return name;
    TLinkData link;
    link.NoUI = true;
    if (FAILED(ResolveShortcut(name, link, false)) || link.PathName.IsEmpty()) return name;
    return link.PathName;
}

}  // namespace

TUiShellOpenSaveForm::TUiShellOpenSaveForm(TComponent* owner)
    : TForm(owner), files_(new TStringList), selectedFiles_(new TStringList) {
    BeginLoading(this);
    SetName("UiShellOpenSaveForm");
    SetClientWidth(552);
    SetClientHeight(386);
    SetCaption("Open");
    SetPosition(poScreenCenter);
    SetBorderIcons({biSystemMenu, biMaximize});
    SetKeyPreview(true);
    SetShowHint(true);
    SetColor(clBtnFace);
    Font()->SetName("MS Sans Serif");
    Font()->SetHeight(-11);
    OnResize = Bind(this, &TUiShellOpenSaveForm::FormResize);
    OnCloseQuery = Bind(this, &TUiShellOpenSaveForm::FormCloseQuery);
    OnKeyDown = Bind(this, &TUiShellOpenSaveForm::FormKeyDown);
    CreateControls();
    EndLoading(this);
}

TUiShellOpenSaveForm::~TUiShellOpenSaveForm() {
    delete files_;
    delete selectedFiles_;
}

void TUiShellOpenSaveForm::CreateControls() {
    PnlJumps = PlaceControl<TPanel>(this, this, "PnlJumps", 0, 0, 105, 386);
    PnlJumps->SetAlign(alLeft);
    PnlJumps->SetBevelOuter(bvNone);
    CreatePlaces();
    PnlWork = PlaceControl<TPanel>(this, this, "PnlWork", 105, 0, 447, 386);
    PnlWork->SetAlign(alClient);
    PnlWork->SetBevelOuter(bvNone);
    ShellCombo = PlaceControl<TUiShellCombo>(this, PnlWork, "ShellCombo", 0, 8, 290, 22);
    ShellCombo->SetOptions({scoAutofill});
    ShellCombo->SetDropDownCount(16);
    btnUpOneLevel = PlaceControl<TUiToolButton>(this, PnlWork, "btnUpOneLevel", 296, 6, 40, 24);
    btnUpOneLevel->SetCaption("Up");
    btnUpOneLevel->SetHint("Up One Level");
    btnUpOneLevel->OnClick = [this](TObject*) { ShellList->GoUp(1); };
    btnShowTree = PlaceControl<TUiToolButton>(this, PnlWork, "btnShowTree", 340, 6, 40, 24);
    btnShowTree->SetCaption("Tree");
    btnShowTree->SetHint("Show Tree (F12)");
    btnShowTree->SetGroupIndex(2);
    btnShowTree->SetAllowAllUp(true);
    btnShowTree->OnClick = [this](TObject*) { ShowTree(btnShowTree->Down()); };
    for (TUiToolButton* button : {btnUpOneLevel, btnShowTree}) {
        button->SetShowCaption(true);
        button->SetFlat(true);
    }
    UiSplitter1 = PlaceControl<TUiSplitter>(this, PnlWork, "UiSplitter1", 0, 38, 439, 258);
    UiSplitter1->SetPosition(160);
    UiSplitter1->SetPercent(37);
    UiSplitter1->SetHotSpotVisible(true);
    UiSplitter1->SetSplitterWidth(7);
    ShellTree = PlaceControl<TUiShellTree>(this, UiSplitter1->UpperLeft(), "ShellTree", 0, 0, 160, 258);
    ShellTree->SetAlign(alClient);
    ShellTree->SetOptions({stoAutoFill, stoDefaultKeyHandling, stoContextMenus, stoDynamicRefresh});
    ShellTree->SetDragMode(dmAutomatic);
    ShellList = PlaceControl<TUiShellList>(this, UiSplitter1->LowerRight(), "ShellList", 0, 0, 272, 258);
    ShellList->SetAlign(alClient);
    ShellList->SetOptions({sloAutoFill, sloDefaultKeyHandling, sloContextMenus, sloDynamicRefresh});
    ShellList->SetViewStyle(vsList);
    ShellList->OnChange = Bind(this, &TUiShellOpenSaveForm::ShellListChange);
    ShellList->OnFolderChanged = Bind(this, &TUiShellOpenSaveForm::ShellListFolderChanged);
    ShellList->OnDblClickOpen = [this](TObject*, bool& handled) {
        SetModalResult(mrOk);
        handled = true;
    };
    ShellCombo->SetShellList(ShellList);
    UiSplitter1->UpperLeft()->SetVisible(false);
    CreateEdits();
}

void TUiShellOpenSaveForm::CreatePlaces() {
    places_ = ReadPlaces();
    lblLookIn = PlaceControl<TLabel>(this, PnlJumps, "lblLookIn", 8, 12, 89, 13);
    lblLookIn->SetAlignment(taRightJustify);
    lblLookIn->SetCaption("Look &in:");
    for (int k = 0; k < 5; ++k) {
        TUiToolButton* button = PlaceControl<TUiToolButton>(
            this, PnlJumps, AnsiString("btnPlace") + AnsiString(std::to_string(k)), 9,
            39 + 65 * k, 87, 65);
        button->SetTag(k);
        button->SetGroupIndex(10);
        button->SetAllowAllUp(true);
        button->SetShowCaption(true);
        button->SetVisible(k < static_cast<int>(places_.size()));
        if (k < static_cast<int>(places_.size())) button->SetCaption(places_[k].Caption);
        button->OnClick = Bind(this, &TUiShellOpenSaveForm::btnPlaceClick);
        btnPlace[k] = button;
    }
}

void TUiShellOpenSaveForm::CreateEdits() {
    PnlEdits = PlaceControl<TPanel>(this, PnlWork, "PnlEdits", 0, 296, 447, 90);
    PnlEdits->SetAlign(alBottom);
    PnlEdits->SetBevelOuter(bvNone);
    lblFileName = PlaceControl<TLabel>(this, PnlEdits, "lblFileName", 0, 12, 70, 13);
    lblFileName->SetCaption("File &name:");
    lblFilesOfType = PlaceControl<TLabel>(this, PnlEdits, "lblFilesOfType", 0, 40, 70, 13);
    lblFilesOfType->SetCaption("Files of &type:");
    edtFileName = PlaceControl<TUiEdit>(this, PnlEdits, "edtFileName", 80, 8, 260, 21);
    edtFileName->OnChange = Bind(this, &TUiShellOpenSaveForm::edtFileNameChange);
    lblFileName->SetFocusControl(edtFileName);
    cbxFileTypes = PlaceControl<TUiComboBox>(this, PnlEdits, "cbxFileTypes", 80, 36, 260, 21);
    cbxFileTypes->SetStyle(csDropDownList);
    cbxFileTypes->OnChange = Bind(this, &TUiShellOpenSaveForm::cbxFileTypesChange);
    lblFilesOfType->SetFocusControl(cbxFileTypes);
    chkReadOnly = PlaceControl<TUiCheckBox>(this, PnlEdits, "chkReadOnly", 80, 64, 200, 17);
    chkReadOnly->SetCaption("Open as &read-only");
    chkReadOnly->OnClick = [this](TObject*) {
        if (chkReadOnly->GetChecked())
            options_.insert(osoReadOnly);
        else
            options_.erase(osoReadOnly);
    };
    btnOpen = PlaceControl<TUiBitBtn>(this, PnlEdits, "btnOpen", 356, 6, 75, 23);
    btnOpen->SetCaption("&Open");
    btnOpen->SetDefault(true);
    btnOpen->SetModalResult(mrOk);
    btnCancel = PlaceControl<TUiBitBtn>(this, PnlEdits, "btnCancel", 356, 34, 75, 23);
    btnCancel->SetCaption("Cancel");
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    btnHelp = PlaceControl<TUiBitBtn>(this, PnlEdits, "btnHelp", 356, 62, 75, 23);
    btnHelp->SetCaption("&Help");
    btnHelp->SetVisible(false);
}

AnsiString TUiShellOpenSaveForm::GetFilename() {
    if (!shown_) return edtFileName->Text();
    return selectedFiles_->Count() > 0 ? selectedFiles_->Strings(0) : AnsiString();
}

void TUiShellOpenSaveForm::SetFilename(const AnsiString& name) { edtFileName->SetText(name); }

TStrings* TUiShellOpenSaveForm::GetFiles() {
    files_->Assign(selectedFiles_);
    return files_;
}

void TUiShellOpenSaveForm::SetFilter(const AnsiString& filter) {
    filter_ = filter;
    ShellList->SetFileFilter(filter);
    for (const auto& entry : ParseFilter(filter)) {
        cbxFileTypes->Items()->Add(entry.first);
        patterns_.push_back(entry.second);
    }
}

void TUiShellOpenSaveForm::SetFilterIndex(int index) {
    const int count = cbxFileTypes->Items()->Count();
    if (index >= 1 && index <= count) {
        cbxFileTypes->SetItemIndex(index - 1);
        cbxFileTypesChange(cbxFileTypes);
    } else if (count > 0) {
        cbxFileTypes->SetItemIndex(0);
    }
}

int TUiShellOpenSaveForm::GetFilterIndex() const {
    return cbxFileTypes->Items()->Count() == 0 ? 0 : cbxFileTypes->ItemIndex() + 1;
}

AnsiString TUiShellOpenSaveForm::SelectedPattern() const {
    const int index = cbxFileTypes->ItemIndex();
    return index >= 0 && index < static_cast<int>(patterns_.size()) ? patterns_[index]
                                                                     : AnsiString();
}

void TUiShellOpenSaveForm::SetInitialDir(const AnsiString& dir) {
    initialDir_ = dir;
    if (!dir.IsEmpty()) ShellList->Folder()->SetPathName(dir);
}

void TUiShellOpenSaveForm::SetOptions(const TUiOpenSaveOptions& options) {
    options_ = options;
    auto has = [&](TUiOpenSaveOption o) { return options.count(o) != 0; };
    TUiShellTreeOptions tree = ShellTree->Options();
    TUiShellListOptions list = ShellList->Options();
    auto apply = [](auto& set, auto value, bool on) {
        if (on)
            set.insert(value);
        else
            set.erase(value);
    };
    apply(tree, stoOleDrag, has(osoOleDrag));
    apply(list, sloOleDrag, has(osoOleDrag));
    apply(tree, stoOleDrop, has(osoOleDrop));
    apply(list, sloOleDrop, has(osoOleDrop));
    apply(tree, stoShowHidden, has(osoShowHidden));
    apply(list, sloShowHidden, has(osoShowHidden));
    apply(list, sloHideFoldersWhenLinkedToTree, has(osoHideFoldersInListWhenTreeVisible));
    apply(list, sloFilesCanBeFolders, has(osoFilesCanBeFolders));
    ShellTree->SetOptions(tree);
    ShellList->SetOptions(list);
    ShellList->SetMultiSelect(has(osoAllowMultiselect));
    chkReadOnly->SetVisible(!has(osoHideReadOnly));
    btnHelp->SetVisible(has(osoShowHelp));
    SetShowHint(has(osoShowHints));
}

int TUiShellOpenSaveForm::GetFormSplitterPos() const { return UiSplitter1->Position(); }

void TUiShellOpenSaveForm::SetFormSplitterPos(int position) { UiSplitter1->SetPosition(position); }

void TUiShellOpenSaveForm::SetOnAddListItem(const TUiShAddItemEvent& event) {
    ShellList->OnAddItem = event;
}

void TUiShellOpenSaveForm::SetOnAddTreeItem(const TUiShAddItemEvent& event) {
    ShellTree->OnAddItem = event;
}

void TUiShellOpenSaveForm::InitFraming(TColor frameColor, TFrameStyle frameStyle,
                                       bool frameVisible, TFramingPreference framingPreference) {
    ShellTree->SetFrameColor(frameColor);
    ShellTree->SetFrameStyle(frameStyle);
    ShellTree->SetFrameVisible(frameVisible);
    ShellTree->SetFramingPreference(framingPreference);
    ShellList->SetFrameColor(frameColor);
    ShellList->SetFrameStyle(frameStyle);
    ShellList->SetFrameVisible(frameVisible);
    ShellList->SetFramingPreference(framingPreference);
}

void TUiShellOpenSaveForm::InitHotTracking(TColor buttonColor, bool hotTrack,
                                           TColor highlightColor, TColor hotTrackColor,
                                           TUiHotTrackColorType hotTrackColorType) {
    for (TUiBitBtn* button : {btnOpen, btnCancel, btnHelp}) {
        button->SetColor(buttonColor);
        button->SetHotTrack(hotTrack);
        button->SetHighlightColor(highlightColor);
        button->SetHotTrackColor(hotTrackColor);
        button->SetHotTrackColorType(hotTrackColorType);
    }
}

void TUiShellOpenSaveForm::InitShowButtonGlyphs(bool show) {
    if (!show) return;
    const struct {
        TUiBitBtn* button;
        const char* resource;
    } glyphs[] = {{btnOpen, "UICOMMON_OK"}, {btnCancel, "UICOMMON_CANCEL"},
                  {btnHelp, "UICOMMON_HELP"}};
    for (const auto& g : glyphs) {
        TBitmap glyph;
        glyph.LoadFromResourceName(GetModuleHandleA(nullptr), g.resource);
        g.button->SetGlyph(&glyph);
        g.button->SetWidth(g.button->Width() + 20);
    }
}

void TUiShellOpenSaveForm::InitToolButtons(TUiGradientColorStyle gradientStyle,
                                           TColor selectionStart, TColor selectionStop,
                                           TColor selectionFrame, TUiVisualStyle visualStyle) {
    std::vector<TUiToolButton*> buttons(btnPlace, btnPlace + 5);
    buttons.push_back(btnUpOneLevel);
    buttons.push_back(btnShowTree);
    for (TUiToolButton* button : buttons) {
        button->SetGradientColorStyle(gradientStyle);
        button->SetSelectionColorStart(selectionStart);
        button->SetSelectionColorStop(selectionStop);
        button->SetSelectionFrameColor(selectionFrame);
        button->SetVisualStyle(visualStyle);
    }
}

void TUiShellOpenSaveForm::ShowTree(bool show) {
    if (show) {
        btnShowTree->SetDown(true);
        if (ShellCombo->ShellTree() != ShellTree) {
            THourglass hourglass;
            ShellTree->SetSelectedFolder(ShellCombo->GetSelectedFolder());
            ShellCombo->SetShellList(nullptr);
            ShellCombo->SetShellTree(ShellTree);
        }
        ShellTree->SetShellList(ShellList);
        UiSplitter1->UpperLeft()->SetVisible(true);
        UiSplitter1->SetPosition(UiSplitter1->Position() < 0 ? 200 : UiSplitter1->Position());
        options_.insert(osoShowTree);
        ShellTree->SetTabStop(true);
    } else {
        btnShowTree->SetDown(false);
        if (ShellTree->Focused()) ShellList->SetFocus();
        ShellTree->SetTabStop(false);
        ShellTree->SetShellList(nullptr);
        ShellCombo->SetShellTree(nullptr);
        ShellCombo->SetShellList(ShellList);
        UiSplitter1->UpperLeft()->SetVisible(false);
        options_.erase(osoShowTree);
    }
    if (ShellList->Visible() && ShellList->HasOption(sloHideFoldersWhenLinkedToTree))
        ShellList->FillItems();
}

void TUiShellOpenSaveForm::ApplyUserFilter(const AnsiString& pattern) {
    userFilter_ = pattern;
    ShellList->SetFileFilter(pattern);
    ShellList->FillItems();
}

void TUiShellOpenSaveForm::cbxFileTypesChange(TObject*) {
    if (!userFilter_.IsEmpty()) edtFileName->SetText("");
    userFilter_ = AnsiString();
    ShellList->SetFileFilter(SelectedPattern());
    if (shown_ && OnTypeChanged) OnTypeChanged(this);
}

void TUiShellOpenSaveForm::edtFileNameChange(TObject*) {
    if (shown_) lastInput_ = lisEdit;
}

void TUiShellOpenSaveForm::ShellListChange(TObject*, TListItem*, TItemChange change) {
    if (!shown_ || change != ctState) return;
    std::vector<TUiShellListData*> chosen;
    for (int i = 0; i < ShellList->Items()->Count(); ++i) {
        TListItem* item = ShellList->Items()->Item(i);
        TUiShellListData* data = ShellList->GetDataFromItem(item);
        if (item->Selected() && data && !data->IsFolder()) chosen.push_back(data);
    }
    if (chosen.size() > 1) {
        AnsiString text;
        for (TUiShellListData* data : chosen) {
            if (!text.IsEmpty()) text += " ";
            text += "\"" + NamePart(data->GetPathName()) + "\"";
        }
        edtFileName->SetText(text);
    } else if (chosen.size() == 1) {
        edtFileName->SetText(chosen[0]->GetDisplayName());
    }
    lastInput_ = lisList;
    if (OnSelectionChanged) OnSelectionChanged(this);
}

void TUiShellOpenSaveForm::ShellListFolderChanged(TObject*) {
    if (!shown_) return;
    if (OnFolderChanged) OnFolderChanged(this);
    UpdateCurrentPlace();
}

void TUiShellOpenSaveForm::btnPlaceClick(TObject* sender) {
    JumpToPlace(static_cast<TComponent*>(sender)->Tag());
    UpdateCurrentPlace();
}

void TUiShellOpenSaveForm::JumpToPlace(int index) {
    if (index < 0 || index >= static_cast<int>(places_.size())) return;
    const TUiPlaceData& place = places_[index];
    if (place.CSIDL == csidlNone)
        ShellList->Folder()->SetPathName(place.Path);
    else
        ShellList->Folder()->SetCSIDL(place.CSIDL);
}

void TUiShellOpenSaveForm::UpdateCurrentPlace() {
    const TCSIDL current = ShellFindCSIDLFromIdList(ShellList->Folder()->GetIdList());
    const AnsiString path = ShellList->Folder()->GetPathName();
    for (int k = 0; k < static_cast<int>(places_.size()) && k < 5; ++k) {
        const TUiPlaceData& place = places_[k];
        btnPlace[k]->SetDown(place.CSIDL == csidlNone ? SameName(place.Path, path)
                                                      : place.CSIDL == current);
    }
}

AnsiString TUiShellOpenSaveForm::CurrentFolderPath() {
    return EnsureTrailingCharDB(ShellList->Folder()->GetPathName(), '\\');
}

void TUiShellOpenSaveForm::SetCurrentFolder(const AnsiString& path) {
    TUiShellLocator locator;
    locator.SetPathName(path);
    ShellCombo->SetSelectedFolder(&locator);
}

void TUiShellOpenSaveForm::FormCloseQuery(TObject*, bool& canClose) {
    if (ModalResult() != mrOk) return;
    const AnsiString text = edtFileName->Text();
    const AnsiString name = NamePart(text);
    if (HasWildcards(name)) {
        canClose = false;
        if (!FolderPart(text).IsEmpty()) ParseInputstring(FolderPart(text));
        ApplyUserFilter(name);
        edtFileName->SetText(name);
        edtFileName->SelectAll();
        return;
    }
    canClose = ParseInputstring(text);
    if (canClose && !options_.count(osoNoChangeDir) && !ShellList->Folder()->GetPathName().IsEmpty())
        SetCurrentDirectoryA(ShellList->Folder()->GetPathName().c_str());
}

bool TUiShellOpenSaveForm::ParseInputstring(const AnsiString& text) {
    selectedFiles_->Clear();
    TStringList names;
    if (text.str().find('"') != std::string::npos)
        ParametizeCmdLineDB(text, &names);
    else
        names.Add(text);
    const AnsiString folder = CurrentFolderPath();
    bool accepted = false;
    for (int i = 0; i < names.Count(); ++i) {
        accepted = false;
        if (!options_.count(osoNoValidate) && !IsValidFileNameText(text)) {
            MessageDlg(text + "\nThe above file name is invalid.", mtWarning, {mbOK}, 0,
                       Caption());
            break;
        }
        AnsiString name = CombineFolderAndName(folder, names.Strings(i));
        if (name.IsEmpty()) continue;
        const DWORD attributes = GetFileAttributesA(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            SetCurrentFolder(name);
            edtFileName->SelectAll();
            break;
        }
        if (!options_.count(osoNoDereferenceLinks)) name = ShortcutTarget(name);
        if (names.Count() == 1 && !CompleteSingleName(name)) break;
        if (!AcceptName(name)) break;
        selectedFiles_->Add(name);
        accepted = true;
    }
    if (!accepted) selectedFiles_->Clear();
    return accepted;
}

bool TUiShellOpenSaveForm::CompleteSingleName(AnsiString& name) {
    if (lastInput_ == lisList && ShellList->GetSelectedItem()) {
        name = ShellList->GetSelectedItem()->GetPathName();
        return true;
    }
    if (!DefaultExt.IsEmpty()) {
        const TDefaultExtResult result =
            ApplyDefaultExt(name, DefaultExt, SelectedPattern(), IsRegisteredExtension);
        name = result.Name;
        if (result.ExtensionDifferent == TDefaultExtResult::Set) options_.insert(osoExtensionDifferent);
        if (result.ExtensionDifferent == TDefaultExtResult::Clear) options_.erase(osoExtensionDifferent);
    }
    if (!SameName(FolderPart(name), CurrentFolderPath())) SetCurrentFolder(FolderPart(name));
    const AnsiString fileName = NamePart(name);
    TListItem* match = nullptr;
    for (int i = 0; i < ShellList->Items()->Count(); ++i) {
        TListItem* item = ShellList->Items()->Item(i);
        if (!SameName(item->Caption(), fileName)) continue;
        if (match) {
            MessageDlg("More than one file has the name '" + fileName +
                           "'.\n\nChoose one from the list of files.",
                       mtWarning, {mbOK}, 0, Caption());
            ShellList->SetSelected(match);
            match->SetFocused(true);
            ShellList->SetFocus();
            return false;
        }
        match = item;
    }
    if (match && ShellList->GetDataFromItem(match))
        name = ShellList->GetDataFromItem(match)->GetPathName();
    return true;
}

bool TUiShellOpenSaveForm::AcceptName(const AnsiString& name) {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_READONLY) && options_.count(osoNoReadOnlyReturn)) {
            MessageDlg(name + "\nThis file exists with Read Only attributes.\nPlease use a "
                              "different file name.",
                       mtWarning, {mbOK}, 0, Caption());
            return false;
        }
        return !options_.count(osoOverwritePrompt) ||
               MessageDlg(name + " already exists.\nDo you want to replace it?", mtWarning,
                          {mbYes, mbNo}, 0, Caption()) == mrYes;
    }
    if (options_.count(osoFileMustExist)) {
        MessageDlg(name + "\nFile not found.\nPlease verify the correct file name was given.",
                   mtWarning, {mbOK}, 0, Caption());
        return false;
    }
    return !options_.count(osoCreatePrompt) ||
           MessageDlg(NamePart(name) + "\nThis file does not exist.\n\nCreate the file?",
                      mtConfirmation, {mbYes, mbNo}, 0, Caption()) == mrYes;
}

void TUiShellOpenSaveForm::FormKeyDown(TObject*, uint16_t& key, TShiftState shift) {
    if (!shift.empty()) return;
    switch (key) {
    case VK_F4:
        if (ShellCombo->DroppedDown()) {
            ShellCombo->SetDroppedDown(false);
            ShellList->SetFocus();
        } else {
            ShellCombo->SetFocus();
            ShellCombo->SetDroppedDown(true);
        }
        break;
    case VK_F5:
        if (!ShellCombo->Focused()) ShellCombo->FillItems();
        if (!ShellList->Focused()) ShellList->FillItems();
        break;
    case VK_F12:
        if (options_.count(osoAllowTree)) ShowTree(!btnShowTree->Down());
        break;
    default: break;
    }
}

void TUiShellOpenSaveForm::FormResize(TObject*) {
    const int top = ShellCombo->Top() + ShellCombo->Height() + 8;
    UiSplitter1->SetBounds(0, top, PnlWork->Width() - 8, PnlEdits->Top() - top);
    const int x = PnlWork->Width() - btnOpen->Width() - 16;
    for (TUiBitBtn* button : {btnOpen, btnCancel, btnHelp}) button->SetLeft(x);
    for (TWinControl* edit : std::initializer_list<TWinControl*>{edtFileName, cbxFileTypes})
        edit->SetWidth(x - 8 - edit->Left());
}

void TUiShellOpenSaveForm::DoShow() {
    THourglass hourglass;
    TForm::DoShow();
    Font()->SetName("MS Sans Serif");
    ShowTree(options_.count(osoShowTree) != 0);
    if (!initialDir_.IsEmpty()) {
        SetCurrentFolder(initialDir_);
    } else if (!FolderPart(edtFileName->Text()).IsEmpty()) {
        SetCurrentFolder(FolderPart(edtFileName->Text()));
        edtFileName->SetText(NamePart(edtFileName->Text()));
    } else {
        char directory[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, directory);
        SetCurrentFolder(directory);
    }
    lastInput_ = lisList;
    shown_ = true;
    FormResize(this);
    if (OnFormShow) OnFormShow(this);
}

void TUiShellOpenSaveForm::DoHide() {
    shown_ = false;
    TForm::DoHide();
    if (OnFormClose) OnFormClose(this);
}

void TUiShellOpenSaveForm::Dispatch(TMessage& message) {
    TForm::Dispatch(message);
    if (message.Msg != WM_GETMINMAXINFO) return;
    auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
    info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, MinTrackWidth);
    info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, MinTrackHeight);
}
