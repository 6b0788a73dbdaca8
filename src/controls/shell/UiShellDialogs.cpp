#include "UiShellDialogs.h"

#include <cstdint>
#include <vector>

#include "UiBitBtn.h"
#include "UiFramedControl.h"
#include "UiShellFolderForm.h"
#include "UiShellOpenForm.h"
#include "UiShellTree.h"
#include "cl_except.h"
#include "cl_hourglass.h"
#include "cl_settings.h"
#include "cl_streams.h"

namespace {

// The largest state a dialog keeps in the registry.
constexpr int StateCapacity = 128;

void WriteByte(TStream* stream, std::uint8_t value) { stream->WriteBuffer(&value, 1); }

void WriteInt32(TStream* stream, int value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
        static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    stream->WriteBuffer(bytes, 4);
}

std::uint8_t ReadByte(TStream* stream) {
    std::uint8_t value = 0;
    stream->ReadBuffer(&value, 1);
    return value;
}

int ReadInt32(TStream* stream) {
    std::uint8_t bytes[4] = {};
    stream->ReadBuffer(bytes, 4);
    return static_cast<int>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                            static_cast<std::uint32_t>(bytes[3]) << 24);
}

// A byte that must be one of the first `count` values of an enumeration.
int ReadEnumByte(TStream* stream, int count) {
    const int value = ReadByte(stream);
    if (value >= count) throw EReadError("Invalid dialog state");
    return value;
}

const std::vector<AnsiString>& PositionIdents() {
    static const std::vector<AnsiString> names = {
        "poDesigned",     "poDefault",       "poDefaultPosOnly", "poDefaultSizeOnly",
        "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"};
    return names;
}

// The geometry as it travels in the state stream.
struct TUiShellDialogGeometry {
    int Left, Top, Width, Height;
    TWindowState WindowState;
    TPosition Position;
};

TUiShellDialogGeometry ReadGeometry(TStream* stream) {
    TUiShellDialogGeometry g;
    g.Left = ReadInt32(stream);
    g.Top = ReadInt32(stream);
    g.Width = ReadInt32(stream);
    g.Height = ReadInt32(stream);
    g.WindowState = static_cast<TWindowState>(ReadEnumByte(stream, wsMaximized + 1));
    g.Position = static_cast<TPosition>(ReadEnumByte(stream, poOwnerFormCenter + 1));
    return g;
}

void ApplyGeometry(TUiShellDialog* dialog, const TUiShellDialogGeometry& g) {
    dialog->SetFormLeft(g.Left);
    dialog->SetFormTop(g.Top);
    dialog->SetFormWidth(g.Width);
    dialog->SetFormHeight(g.Height);
    dialog->SetFormWindowState(g.WindowState);
    dialog->SetFormPosition(g.Position);
}

}  // namespace

TUiShellDialog::TUiShellDialog(TComponent* owner) : TComponent(owner) {}

bool TUiShellDialog::Execute() {
    if (executing_) throw Exception(ClassName() + " already executing");
    executing_ = true;
    struct Done {
        bool& executing;
        ~Done() { executing = false; }
    } done{executing_};
    return DoExecute();
}

void TUiShellDialog::DoInitialized() {
    if (OnInitialized) OnInitialized(this);
}

bool TUiShellDialog::RunForm() {
    THourglass hourglass;
    TOwnedPtr<TForm> form(CreateForm());
    struct Forget {
        TForm*& running;
        ~Forget() { running = nullptr; }
    } forget{form_};
    InitForm(form.get());
    form_ = form.get();
    DoInitialized();
    const bool confirmed = form->ShowModal() == mrOk;
    if (!InState(csDesigning)) SaveFormSettings(form.get());
    return confirmed;
}

void TUiShellDialog::InitFormGeometry(TForm* form) {
    // The window takes the form's own client size first; the stored size then overrides it.
    form->HandleNeeded();
    form->SetPosition(formPosition_);
    if (formPosition_ == poDesigned) {
        form->SetLeft(formLeft_);
        form->SetTop(formTop_);
    }
    if (formWidth_ > 0) form->SetWidth(formWidth_);
    if (formHeight_ > 0) form->SetHeight(formHeight_);
    form->SetWindowState(formWindowState_);
}

void TUiShellDialog::SaveFormGeometry(TForm* form) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (form->HandleAllocated() && GetWindowPlacement(form->WindowHandle(), &placement)) {
        const RECT& r = placement.rcNormalPosition;
        formLeft_ = r.left;
        formTop_ = r.top;
        formWidth_ = r.right - r.left;
        formHeight_ = r.bottom - r.top;
    }
    formWindowState_ = form->WindowState();
    formPosition_ = form->Position();
}

void TUiShellDialog::WriteStateToStream(TStream* stream) {
    WriteInt32(stream, formLeft_);
    WriteInt32(stream, formTop_);
    WriteInt32(stream, formWidth_);
    WriteInt32(stream, formHeight_);
    WriteByte(stream, static_cast<std::uint8_t>(formWindowState_));
    WriteByte(stream, static_cast<std::uint8_t>(formPosition_));
}

void TUiShellDialog::ReadStateFromStream(TStream* stream) {
    ApplyGeometry(this, ReadGeometry(stream));
}

void TUiShellDialog::WriteStateToRegistry(HKEY root, const AnsiString& keyPath,
                                          const AnsiString& valueName) {
    TMemoryStream state;
    WriteStateToStream(&state);
    TRegistry registry;
    registry.SetRootKey(root);
    if (!registry.OpenKey(keyPath, true))
        throw ERegistryException("Failed to create key '" + keyPath + "'");
    registry.WriteBinaryData(valueName, state.Memory(), static_cast<int>(state.Size()));
    registry.CloseKey();
}

void TUiShellDialog::ReadStateFromRegistry(HKEY root, const AnsiString& keyPath,
                                           const AnsiString& valueName) {
    std::uint8_t buffer[StateCapacity];
    int length = 0;
    TRegistry registry;
    registry.SetRootKey(root);
    if (registry.OpenKeyReadOnly(keyPath)) {
        if (registry.ValueExists(valueName))
            length = registry.ReadBinaryData(valueName, buffer, StateCapacity);
        registry.CloseKey();
    }
    TMemoryStream state;
    state.WriteBuffer(buffer, length);
    state.SetPosition(0);
    ReadStateFromStream(&state);
}

// ---------------------------------------------------------------------------------------------
TUiCustomSelectFolderDialog::TUiCustomSelectFolderDialog(TComponent* owner)
    : TUiShellDialog(owner),
      selectedFolder_(new TUiShellLocator),
      baseFolder_(new TUiShellLocator),
      options_{sfdoContextMenus, sfdoCreateFolderIcon, sfdoDeleteFolderIcon, sfdoShowHidden} {}

TUiCustomSelectFolderDialog::~TUiCustomSelectFolderDialog() {
    TObject::Free(selectedFolder_);
    TObject::Free(baseFolder_);
}

TUiSelectFolderForm* TUiCustomSelectFolderDialog::FolderForm() const {
    return static_cast<TUiSelectFolderForm*>(RunningForm());
}

void TUiCustomSelectFolderDialog::SetStatus(const AnsiString& value) {
    status_ = value;
    if (FolderForm()) FolderForm()->SetStatus(value);
}

bool TUiCustomSelectFolderDialog::GetOkEnabled() const {
    if (!FolderForm()) throw Exception("TUiSelectFolderDialog form not active");
    return FolderForm()->GetOkEnabled();
}

void TUiCustomSelectFolderDialog::SetOkEnabled(bool enabled) {
    if (!FolderForm()) throw Exception("TUiSelectFolderDialog form not active");
    FolderForm()->SetOkEnabled(enabled);
}

TForm* TUiCustomSelectFolderDialog::CreateForm() { return new TUiSelectFolderForm(Application); }

void TUiCustomSelectFolderDialog::InitForm(TForm* form) {
    auto* folderForm = static_cast<TUiSelectFolderForm*>(form);
    folderForm->OnSelChange = OnSelChange;
    folderForm->ShellTree->OnAddItem = OnAddItem;
    folderForm->OnFormShow = OnFormShow;
    folderForm->OnFormClose = OnFormClose;
    folderForm->SetStatus(status_);
    InitFormGeometry(form);
    folderForm->SetOptions(options_);
    folderForm->SetCaption(Title().IsEmpty() ? AnsiString("Browse for Folder") : Title());
    folderForm->InitFraming(Look.FrameColor, Look.FrameStyle, Look.FrameVisible,
                            Look.FramingPreference);
    folderForm->InitHotTracking(Look.ButtonColor, Look.HotTrack, Look.HighlightColor,
                                Look.HotTrackColor, Look.HotTrackColorType);
    folderForm->InitShowButtonGlyphs(Look.ShowButtonGlyphs);
    folderForm->InitToolButtons(Look.ToolBtnGradientColorStyle, Look.ToolBtnSelectionColorStart,
                                Look.ToolBtnSelectionColorStop, Look.ToolBtnSelectionFrameColor,
                                Look.ToolBtnVisualStyle);
    folderForm->ShellTree->SetBaseFolder(baseFolder_);
    folderForm->ShellTree->SetSelectedFolder(selectedFolder_);
}

void TUiCustomSelectFolderDialog::SaveFormSettings(TForm* form) {
    SaveFormGeometry(form);
    if (form->ModalResult() == mrOk)
        selectedFolder_->Assign(static_cast<TUiSelectFolderForm*>(form)->ShellTree->SelectedFolder());
}

bool TUiCustomSelectFolderDialog::DoExecute() {
    if (RunningForm()) throw Exception("TUiSelectFolderDialog form already active");
    return RunForm();
}

// ---------------------------------------------------------------------------------------------
TUiFileDialog::TUiFileDialog(TComponent* owner)
    : TUiShellDialog(owner), files_(new TStringList), historyList_(new TStringList) {}

TUiFileDialog::~TUiFileDialog() {
    delete files_;
    delete historyList_;
}

TUiShellOpenSaveForm* TUiFileDialog::FileForm() const {
    return static_cast<TUiShellOpenSaveForm*>(RunningForm());
}

AnsiString TUiFileDialog::GetFilename() const {
    if (FileForm()) return FileForm()->GetFilename();
    return files_->Count() > 0 ? files_->Strings(0) : AnsiString();
}

void TUiFileDialog::SetFilename(const AnsiString& value) {
    files_->Clear();
    files_->Add(value);
    if (FileForm()) FileForm()->SetFilename(value);
}

void TUiFileDialog::SetOptions(const TUiOpenSaveOptions& value) {
    options_ = value;
    if (FileForm()) FileForm()->SetOptions(value);
}

void TUiFileDialog::SetFilter(const AnsiString& value) {
    filter_ = value;
    if (FileForm()) FileForm()->SetFilter(value);
}

int TUiFileDialog::FilterIndex() const {
    return FileForm() ? FileForm()->GetFilterIndex() : filterIndex_;
}

void TUiFileDialog::SetFilterIndex(int value) {
    filterIndex_ = value;
    if (FileForm()) FileForm()->SetFilterIndex(value);
}

void TUiFileDialog::SetFormSplitterPos(int value) {
    formSplitterPos_ = value;
    if (FileForm()) FileForm()->SetFormSplitterPos(value);
}

void TUiFileDialog::SetOnAddListItem(const TUiShAddItemEvent& event) {
    onAddListItem_ = event;
    if (FileForm()) FileForm()->SetOnAddListItem(event);
}

void TUiFileDialog::SetOnAddTreeItem(const TUiShAddItemEvent& event) {
    onAddTreeItem_ = event;
    if (FileForm()) FileForm()->SetOnAddTreeItem(event);
}

TForm* TUiFileDialog::CreateForm() { return new TUiShellOpenSaveForm(Application); }

void TUiFileDialog::InitForm(TForm* form) {
    auto* fileForm = static_cast<TUiShellOpenSaveForm*>(form);
    fileForm->SetOnAddListItem(onAddListItem_);
    fileForm->SetOnAddTreeItem(onAddTreeItem_);
    fileForm->OnFormClose = OnFormClose;
    fileForm->OnFormShow = OnFormShow;
    fileForm->OnTypeChanged = OnTypeChanged;
    fileForm->OnFolderChanged = OnFolderChanged;
    fileForm->OnSelectionChanged = OnSelectionChanged;
    fileForm->SetInitialDir(initialDir_);
    fileForm->SetFilename(GetFilename());
    fileForm->DefaultExt = defaultExt_;
    InitFormGeometry(form);
    fileForm->SetOptions(options_);
    fileForm->SetFilter(filter_);
    fileForm->SetFilterIndex(filterIndex_);
    fileForm->SetFormSplitterPos(formSplitterPos_);
    fileForm->InitFraming(Look.FrameColor, Look.FrameStyle, Look.FrameVisible,
                          Look.FramingPreference);
    fileForm->InitHotTracking(Look.ButtonColor, Look.HotTrack, Look.HighlightColor,
                              Look.HotTrackColor, Look.HotTrackColorType);
    fileForm->InitShowButtonGlyphs(Look.ShowButtonGlyphs);
    fileForm->InitToolButtons(Look.ToolBtnGradientColorStyle, Look.ToolBtnSelectionColorStart,
                              Look.ToolBtnSelectionColorStop, Look.ToolBtnSelectionFrameColor,
                              Look.ToolBtnVisualStyle);
    fileForm->lblLookIn->SetCaption("Look &in:");
    fileForm->lblFilesOfType->SetCaption("Files of &type:");
    fileForm->SetHelpContext(helpContext_);
    fileForm->OnHelp = OnHelp;
}

void TUiFileDialog::SaveFormSettings(TForm* form) {
    auto* fileForm = static_cast<TUiShellOpenSaveForm*>(form);
    options_ = fileForm->Options();
    files_->Assign(fileForm->GetFiles());
    SaveFormGeometry(form);
    filterIndex_ = fileForm->GetFilterIndex();
    formSplitterPos_ = fileForm->GetFormSplitterPos();
}

bool TUiFileDialog::DoExecute() {
    if (RunningForm()) throw Exception(Name() + " already executing");
    if (InState(csDesigning)) files_->Clear();
    return RunForm();
}

void TUiFileDialog::WriteStateToStream(TStream* stream) {
    TUiShellDialog::WriteStateToStream(stream);
    WriteByte(stream, options_.count(osoShowTree) ? 1 : 0);
    WriteInt32(stream, formSplitterPos_);
}

void TUiFileDialog::ReadStateFromStream(TStream* stream) {
    const TUiShellDialogGeometry geometry = ReadGeometry(stream);
    const bool showTree = ReadByte(stream) != 0;
    const int splitterPos = ReadInt32(stream);
    ApplyGeometry(this, geometry);
    if (showTree)
        options_.insert(osoShowTree);
    else
        options_.erase(osoShowTree);
    formSplitterPos_ = splitterPos;
}

// ---------------------------------------------------------------------------------------------
namespace {

// The open and save dialogs' default options.
const TUiOpenSaveOptions FileDialogDefaultOptions = {
    osoHideReadOnly, osoAllowTree, osoShowHints, osoOleDrag, osoOleDrop, osoShowHidden};

void InitFileFormCaptions(TForm* form, const AnsiString& title, const char* caption,
                          const char* button) {
    form->SetCaption(title.IsEmpty() ? AnsiString(caption) : title);
    static_cast<TUiShellOpenSaveForm*>(form)->btnOpen->SetCaption(button);
}

}  // namespace

TUiCustomOpenDialog::TUiCustomOpenDialog(TComponent* owner) : TUiFileDialog(owner) {
    SetOptions(FileDialogDefaultOptions);
}

void TUiCustomOpenDialog::InitForm(TForm* form) {
    TUiFileDialog::InitForm(form);
    InitFileFormCaptions(form, Title(), "Open", "&Open");
}

TUiCustomSaveDialog::TUiCustomSaveDialog(TComponent* owner) : TUiFileDialog(owner) {
    SetOptions(FileDialogDefaultOptions);
}

void TUiCustomSaveDialog::InitForm(TForm* form) {
    TUiFileDialog::InitForm(form);
    InitFileFormCaptions(form, Title(), "Save As", "&Save");
}

// ---------------------------------------------------------------------------------------------
namespace {

// A look value published through its field.
template <class T>
TPropertyInfo LookProperty(const char* name, TPropertyKind kind, T TUiShellDialogLook::*field,
                           T def) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = kind;
    info.GetOrd = [field](TObject* o) {
        return static_cast<int>(static_cast<TUiShellDialog*>(o)->Look.*field);
    };
    info.SetOrd = [field](TObject* o, int value) {
        static_cast<TUiShellDialog*>(o)->Look.*field = static_cast<T>(value);
    };
    info.HasDefault = true;
    info.DefaultOrd = static_cast<int>(def);
    return info;
}

template <class T>
TPropertyInfo LookEnumProperty(const char* name, T TUiShellDialogLook::*field,
                               const std::vector<AnsiString>& names, T def) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkEnum;
    info.GetText = [field, names](TObject* o) {
        return names[static_cast<size_t>(static_cast<TUiShellDialog*>(o)->Look.*field)];
    };
    info.SetText = [field, names](TObject* o, const AnsiString& text) {
        for (size_t i = 0; i < names.size(); ++i)
            if (SameText(names[i], text)) {
                static_cast<TUiShellDialog*>(o)->Look.*field = static_cast<T>(i);
                return;
            }
        throw EConvertError("Invalid property value " + text);
    };
    info.DefaultText = names[static_cast<size_t>(def)];
    return info;
}

void PublishLook(const TMetaClass* meta) {
    const TUiShellDialogLook d;
    using L = TUiShellDialogLook;
    const struct {
        const char* name;
        TColor L::*field;
        TColor def;
    } colors[] = {{"FrameColor", &L::FrameColor, d.FrameColor},
                  {"ButtonColor", &L::ButtonColor, d.ButtonColor},
                  {"HighlightColor", &L::HighlightColor, d.HighlightColor},
                  {"HotTrackColor", &L::HotTrackColor, d.HotTrackColor},
                  {"ToolBtnSelectionColorStart", &L::ToolBtnSelectionColorStart,
                   d.ToolBtnSelectionColorStart},
                  {"ToolBtnSelectionColorStop", &L::ToolBtnSelectionColorStop,
                   d.ToolBtnSelectionColorStop},
                  {"ToolBtnSelectionFrameColor", &L::ToolBtnSelectionFrameColor,
                   d.ToolBtnSelectionFrameColor}};
    for (const auto& p : colors)
        RegisterProperty(meta, LookProperty(p.name, pkColor, p.field, p.def));
    RegisterProperty(meta, LookProperty("FrameVisible", pkBool, &L::FrameVisible, false));
    RegisterProperty(meta, LookProperty("ShowButtonGlyphs", pkBool, &L::ShowButtonGlyphs, false));
    RegisterProperty(meta, LookProperty("HotTrack", pkBool, &L::HotTrack, false));
    RegisterProperty(meta, LookEnumProperty("FrameStyle", &L::FrameStyle, FrameStyleIdents(),
                                            d.FrameStyle));
    RegisterProperty(meta, LookEnumProperty("FramingPreference", &L::FramingPreference,
                                            FramingPreferenceIdents(), d.FramingPreference));
    RegisterProperty(meta, LookEnumProperty("HotTrackColorType", &L::HotTrackColorType,
                                            {"htctComplement", "htctActual"},
                                            d.HotTrackColorType));
    RegisterProperty(meta, LookEnumProperty("ToolBtnGradientColorStyle",
                                            &L::ToolBtnGradientColorStyle,
                                            GradientColorStyleIdents(),
                                            d.ToolBtnGradientColorStyle));
    RegisterProperty(meta, LookEnumProperty("ToolBtnVisualStyle", &L::ToolBtnVisualStyle,
                                            VisualStyleIdents(), d.ToolBtnVisualStyle));
}

const bool shellDialogPropertiesRegistered = [] {
    using C = TUiShellDialog;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, StringProperty<C>("Title", &C::Title, &C::SetTitle));
    RegisterProperty(meta, EnumProperty<C>("FormPosition", &C::FormPosition, &C::SetFormPosition,
                                           PositionIdents(), poScreenCenter));
    const struct {
        const char* name;
        int (C::*get)() const;
        void (C::*set)(int);
    } geometry[] = {{"FormLeft", &C::FormLeft, &C::SetFormLeft},
                    {"FormTop", &C::FormTop, &C::SetFormTop},
                    {"FormWidth", &C::FormWidth, &C::SetFormWidth},
                    {"FormHeight", &C::FormHeight, &C::SetFormHeight}};
    for (const auto& p : geometry)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkInteger, p.get, p.set, -1));
    RegisterProperty(meta, EnumProperty<C>("FormWindowState", &C::FormWindowState,
                                           &C::SetFormWindowState,
                                           {"wsNormal", "wsMinimized", "wsMaximized"}, wsNormal));
    PublishLook(meta);
    return true;
}();

const bool selectFolderDialogPropertiesRegistered = [] {
    using C = TUiCustomSelectFolderDialog;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, SubObjectProperty<C>("BaseFolder", &C::BaseFolder));
    TPropertyInfo options = SetProperty<C, TUiSelectFolderDialogOption>(
        "Options", &C::Options, &C::SetOptions,
        {"sfdoCreateDeleteButtons", "sfdoContextMenus", "sfdoReadOnly", "sfdoIncludeNonFolders",
         "sfdoOleDrag", "sfdoOleDrop", "sfdoCreateFolderIcon", "sfdoDeleteFolderIcon",
         "sfdoVirtualFolders", "sfdoShowHidden"});
    options.DefaultText =
        "sfdoContextMenus,sfdoCreateFolderIcon,sfdoDeleteFolderIcon,sfdoShowHidden";
    RegisterProperty(meta, options);
    RegisterClass(TUiSelectFolderDialog::StaticClass());
    return true;
}();

const bool fileDialogPropertiesRegistered = [] {
    using C = TUiFileDialog;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, SetProperty<C, TUiOpenSaveOption>(
                               "Options", &C::Options, &C::SetOptions,
                               {"osoAllowMultiselect", "osoCreatePrompt", "osoExtensionDifferent",
                                "osoFileMustExist", "osoHideReadOnly", "osoNoChangeDir",
                                "osoNoDereferenceLinks", "osoNoReadOnlyReturn",
                                "osoNoTestFileCreate", "osoNoValidate", "osoOverwritePrompt",
                                "osoReadOnly", "osoPathMustExist", "osoShareAware", "osoShowHelp",
                                "osoAllowTree", "osoShowTree", "osoShowHints",
                                "osoHideFoldersInListWhenTreeVisible", "osoOleDrag", "osoOleDrop",
                                "osoShowHidden", "osoFilesCanBeFolders"}));
    RegisterProperty(meta, StringProperty<C>("Filter", &C::Filter, &C::SetFilter));
    RegisterProperty(meta, OrdinalProperty<C>("FilterIndex", pkInteger, &C::FilterIndex,
                                              &C::SetFilterIndex, 1));
    RegisterProperty(meta, OrdinalProperty<C>("FormSplitterPos", pkInteger, &C::FormSplitterPos,
                                              &C::SetFormSplitterPos, -1));
    RegisterProperty(meta, OrdinalProperty<C>("HelpContext", pkInteger, &C::HelpContext,
                                              &C::SetHelpContext, 0));
    RegisterProperty(meta, SubObjectProperty<C>("HistoryList", &C::HistoryList));
    RegisterProperty(meta, StringProperty<C>("InitialDir", &C::InitialDir, &C::SetInitialDir));
    RegisterProperty(meta, StringProperty<C>("DefaultExt", &C::DefaultExt, &C::SetDefaultExt));
    RegisterClass(TUiOpenDialog::StaticClass());
    RegisterClass(TUiSaveDialog::StaticClass());
    return true;
}();

}  // namespace
