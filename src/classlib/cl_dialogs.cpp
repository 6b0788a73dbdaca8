#include "cl_dialogs.h"

#include <commdlg.h>

#include <cstring>
#include <vector>

#include "cl_forms.h"
#include "cl_graphics.h"
#include "cl_hooks.h"
#include "cl_printer.h"

namespace {

struct MsgDlgText {
    TMsgDlgType type;
    const char* caption;
    UINT icon;
};

// The captions of the message dialogs, by type (mtCustom takes the application's title).
constexpr MsgDlgText kMsgDlgTexts[] = {
    {mtWarning, "Warning", MB_ICONWARNING},
    {mtError, "Error", MB_ICONERROR},
    {mtInformation, "Information", MB_ICONINFORMATION},
    {mtConfirmation, "Confirmation", MB_ICONQUESTION},
    {mtCustom, nullptr, 0},
};

struct ButtonSet {
    TMsgDlgButtons buttons;
    UINT flags;
};

UINT ButtonFlags(TMsgDlgButtons buttons) {
    buttons.erase(mbHelp);
    static const ButtonSet kSets[] = {
        {{mbYes, mbNo, mbCancel}, MB_YESNOCANCEL},
        {{mbYes, mbNo}, MB_YESNO},
        {{mbOK, mbCancel}, MB_OKCANCEL},
        {{mbRetry, mbCancel}, MB_RETRYCANCEL},
        {{mbAbort, mbRetry, mbIgnore}, MB_ABORTRETRYIGNORE},
    };
    for (const ButtonSet& set : kSets)
        if (set.buttons == buttons) return set.flags;
    if (buttons.count(mbYes) || buttons.count(mbNo))
        return buttons.count(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
    return buttons.count(mbCancel) ? MB_OKCANCEL : MB_OK;
}

AnsiString ApplicationTitle() { return Application ? Application->Title() : AnsiString(); }

int ShowMessageBox(const AnsiString& text, const AnsiString& caption, UINT flags) {
    if (Application) return Application->MessageBox(text, caption, flags);
    if (Hooks().ShowMessageBox) return Hooks().ShowMessageBox(text, caption, flags);
    return MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags | MB_TASKMODAL);
}

// "A|b|C|d" -> "A\0b\0C\0d\0\0", as the file dialogs take it.
std::vector<char> FilterBuffer(const AnsiString& filter) {
    std::vector<char> buffer(filter.c_str(), filter.c_str() + filter.Length());
    for (char& c : buffer)
        if (c == '|') c = '\0';
    buffer.push_back('\0');
    buffer.push_back('\0');
    return buffer;
}

const char* NullIfEmpty(const AnsiString& text) { return text.IsEmpty() ? nullptr : text.c_str(); }

AnsiString CustomColorName(int index) { return AnsiString("Color") + char('A' + index); }

}  // namespace

// ---------------------------------------------------------------------------------------------
bool TCommonDialog::Execute() {
    if (Hooks().ExecuteDialog) return Hooks().ExecuteDialog(*this);
    if (OnShow) OnShow(this);
    bool result = DoExecute();
    if (OnClose) OnClose(this);
    return result;
}

HWND TCommonDialog::OwnerWindow() {
    HWND active = GetActiveWindow();
    if (active) return active;
    return Application ? Application->Handle() : nullptr;
}

// ---------------------------------------------------------------------------------------------
TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), files_(new TStringList) {}

void TOpenDialog::BeforeDestruction() {
    delete files_;
    files_ = nullptr;
    TCommonDialog::BeforeDestruction();
}

DWORD TOpenDialog::OptionFlags(const TOpenOptions& options) {
    static const DWORD kFlags[] = {
        OFN_READONLY, OFN_OVERWRITEPROMPT, OFN_HIDEREADONLY, OFN_NOCHANGEDIR, OFN_SHOWHELP,
        OFN_NOVALIDATE, OFN_ALLOWMULTISELECT, OFN_EXTENSIONDIFFERENT, OFN_PATHMUSTEXIST,
        OFN_FILEMUSTEXIST, OFN_CREATEPROMPT, OFN_SHAREAWARE, OFN_NOREADONLYRETURN,
        OFN_NOTESTFILECREATE, OFN_NONETWORKBUTTON, OFN_NOLONGNAMES, 0,
        OFN_NODEREFERENCELINKS, OFN_ENABLEINCLUDENOTIFY, OFN_ENABLESIZING};
    DWORD flags = options.count(ofOldStyleDialog) ? 0 : OFN_EXPLORER;
    for (TOpenOption option : options) flags |= kFlags[option];
    return flags;
}

void TOpenDialog::ParseFileList(const char* buffer, TStrings* files) {
    files->Clear();
    AnsiString first = buffer;
    const char* next = buffer + first.Length() + 1;
    if (*next == '\0') {
        if (!first.IsEmpty()) files->Add(first);
        return;
    }
    AnsiString folder = first;
    if (folder.Length() > 0 && folder[folder.Length()] != '\\') folder += "\\";
    while (*next) {
        AnsiString name = next;
        files->Add(folder + name);
        next += name.Length() + 1;
    }
}

bool TOpenDialog::DoExecute() {
    const size_t size = options_.count(ofAllowMultiSelect) ? 0x10000 : MAX_PATH * 4;
    std::vector<char> file(size, '\0');
    lstrcpynA(file.data(), fileName_.c_str(), static_cast<int>(size) - 1);
    std::vector<char> filter = FilterBuffer(filter_);
    AnsiString defaultExt = defaultExt_;
    if (!defaultExt.IsEmpty() && defaultExt[1] == '.') defaultExt.Delete(1, 1);

    OPENFILENAMEA info{};
    info.lStructSize = sizeof(info);
    info.hwndOwner = OwnerWindow();
    info.lpstrFilter = filter_.IsEmpty() ? nullptr : filter.data();
    info.nFilterIndex = static_cast<DWORD>(filterIndex_);
    info.lpstrFile = file.data();
    info.nMaxFile = static_cast<DWORD>(size);
    info.lpstrInitialDir = NullIfEmpty(initialDir_);
    info.lpstrTitle = NullIfEmpty(title_);
    info.lpstrDefExt = NullIfEmpty(defaultExt);
    info.Flags = OptionFlags(options_);
    if (!ShowSystemDialog(info)) return false;

    filterIndex_ = static_cast<int>(info.nFilterIndex);
    options_.erase(ofReadOnly);
    if (info.Flags & OFN_READONLY) options_.insert(ofReadOnly);
    ParseFileList(file.data(), files_);
    fileName_ = files_->Count() > 0 ? files_->Strings(0) : AnsiString(file.data());
    return true;
}

TOpenPictureDialog::TOpenPictureDialog(TComponent* owner) : TOpenDialog(owner) {
    SetFilter(TPicture::GraphicFilter(TGraphic::StaticClass()));
}

// ---------------------------------------------------------------------------------------------
namespace {

// The current printer as the print dialog takes it: a DEVNAMES block and a DEVMODE copy.
void GetPrinterHandles(HGLOBAL& devMode, HGLOBAL& devNames) {
    char device[129], driver[129], port[129];
    Printer()->GetPrinter(device, driver, port, devMode);
    const size_t deviceLength = strlen(device) + 1, driverLength = strlen(driver) + 1,
                 portLength = strlen(port) + 1;
    devNames = GlobalAlloc(GHND, sizeof(DEVNAMES) + deviceLength + driverLength + portLength);
    auto* names = static_cast<DEVNAMES*>(GlobalLock(devNames));
    char* base = reinterpret_cast<char*>(names);
    names->wDriverOffset = sizeof(DEVNAMES);
    names->wDeviceOffset = static_cast<WORD>(names->wDriverOffset + driverLength);
    names->wOutputOffset = static_cast<WORD>(names->wDeviceOffset + deviceLength);
    memcpy(base + names->wDriverOffset, driver, driverLength);
    memcpy(base + names->wDeviceOffset, device, deviceLength);
    memcpy(base + names->wOutputOffset, port, portLength);
    GlobalUnlock(devNames);
}

void SetPrinterFromHandles(HGLOBAL devMode, HGLOBAL devNames) {
    auto* names = static_cast<DEVNAMES*>(GlobalLock(devNames));
    const char* base = reinterpret_cast<const char*>(names);
    Printer()->SetPrinter(base + names->wDeviceOffset, base + names->wDriverOffset,
                          base + names->wOutputOffset, devMode);
    GlobalUnlock(devNames);
}

}  // namespace

bool TPrintDialog::DoExecute() {
    PRINTDLGA info{};
    info.lStructSize = sizeof(info);
    info.hwndOwner = OwnerWindow();
    GetPrinterHandles(info.hDevMode, info.hDevNames);
    info.Flags = DialogFlags();
    info.nCopies = static_cast<WORD>(copies_);
    const bool ok = PrintDlgA(&info) != 0;
    if (ok) {
        copies_ = info.nCopies;
        SetPrinterFromHandles(info.hDevMode, info.hDevNames);
    }
    if (info.hDevMode) GlobalFree(info.hDevMode);
    if (info.hDevNames) GlobalFree(info.hDevNames);
    if (info.hDC) DeleteDC(info.hDC);
    return ok;
}

// ---------------------------------------------------------------------------------------------
TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner), font_(new TFont) {}

void TFontDialog::BeforeDestruction() {
    delete font_;
    font_ = nullptr;
    TCommonDialog::BeforeDestruction();
}

void TFontDialog::SetFont(TFont* font) { font_->Assign(font); }

bool TFontDialog::DoExecute() {
    LOGFONTA logFont{};
    GetObjectA(font_->Handle(), sizeof(logFont), &logFont);
    CHOOSEFONTA info{};
    info.lStructSize = sizeof(info);
    info.hwndOwner = OwnerWindow();
    info.lpLogFont = &logFont;
    info.rgbColors = static_cast<COLORREF>(ColorToRGB(font_->Color()));
    info.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT |
                 (options_.count(fdEffects) ? CF_EFFECTS : 0) |
                 (options_.count(fdFixedPitchOnly) ? CF_FIXEDPITCHONLY : 0) |
                 (options_.count(fdNoSimulations) ? CF_NOSIMULATIONS : 0) |
                 (options_.count(fdTrueTypeOnly) ? CF_TTONLY : 0);
    if (!ChooseFontA(&info)) return false;
    font_->SetHandle(CreateFontIndirectA(&logFont));
    if (options_.count(fdEffects)) font_->SetColor(static_cast<TColor>(info.rgbColors));
    return true;
}

// ---------------------------------------------------------------------------------------------
TColorDialog::TColorDialog(TComponent* owner)
    : TCommonDialog(owner), customColors_(new TStringList) {}

void TColorDialog::BeforeDestruction() {
    delete customColors_;
    customColors_ = nullptr;
    TCommonDialog::BeforeDestruction();
}

bool TColorDialog::DoExecute() {
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i) {
        AnsiString value = customColors_->Values(CustomColorName(i));
        custom[i] = value.IsEmpty() ? RGB(255, 255, 255)
                                    : static_cast<COLORREF>(strtoul(value.c_str(), nullptr, 16));
    }
    CHOOSECOLORA info{};
    info.lStructSize = sizeof(info);
    info.hwndOwner = OwnerWindow();
    info.rgbResult = static_cast<COLORREF>(ColorToRGB(color_));
    info.lpCustColors = custom;
    info.Flags = CC_RGBINIT | (options_.count(cdFullOpen) ? CC_FULLOPEN : 0) |
                 (options_.count(cdPreventFullOpen) ? CC_PREVENTFULLOPEN : 0) |
                 (options_.count(cdShowHelp) ? CC_SHOWHELP : 0) |
                 (options_.count(cdSolidColor) ? CC_SOLIDCOLOR : 0) |
                 (options_.count(cdAnyColor) ? CC_ANYCOLOR : 0);
    if (!ChooseColorA(&info)) return false;
    color_ = static_cast<TColor>(info.rgbResult);
    for (int i = 0; i < 16; ++i)
        customColors_->SetValue(CustomColorName(i), IntToHex(custom[i], 6));
    return true;
}

// ---------------------------------------------------------------------------------------------
AnsiString MsgDlgCaption(TMsgDlgType type) {
    const char* caption = kMsgDlgTexts[type].caption;
    return caption ? AnsiString(caption) : ApplicationTitle();
}

UINT MsgDlgFlags(TMsgDlgType type, const TMsgDlgButtons& buttons) {
    return ButtonFlags(buttons) | kMsgDlgTexts[type].icon |
           (buttons.count(mbHelp) ? MB_HELP : 0);
}

int MessageDlg(const AnsiString& msg, TMsgDlgType type, const TMsgDlgButtons& buttons,
               int helpContext) {
    return MessageDlg(msg, type, buttons, helpContext, MsgDlgCaption(type));
}

int MessageDlg(const AnsiString& msg, TMsgDlgType type, const TMsgDlgButtons& buttons,
               int, const AnsiString& caption) {
    // The message box answers IDOK .. IDNO, which are the modal results mrOk .. mrNo.
    return ShowMessageBox(msg, caption, MsgDlgFlags(type, buttons));
}

void ShowMessage(const AnsiString& msg) {
    ShowMessageBox(msg, ApplicationTitle(), MB_OK | MB_ICONINFORMATION);
}

AnsiString MsgDlgButtonCaption(TMsgDlgBtn button) {
    static const char* const kCaptions[] = {
        SYesButton,   SNoButton,    SOKButton,      SCancelButton,   SAbortButton, SRetryButton,
        SIgnoreButton, SAllButton,  SNoToAllButton, SYesToAllButton, SHelpButton};
    return kCaptions[button];
}
