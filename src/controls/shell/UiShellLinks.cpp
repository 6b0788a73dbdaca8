#include "UiShellLinks.h"

#include "UiShellUtils.h"
#include "cl_settings.h"
#include "cl_sys.h"

namespace {

// The shell link object with its persist-file interface, both released with the guard.
class TShellLink {
public:
    TShellLink() {
        ShellComStartup();
        result_ = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IShellLinkA, reinterpret_cast<void**>(&link_));
        if (SUCCEEDED(result_))
            result_ = link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_));
    }
    TShellLink(const TShellLink&) = delete;
    TShellLink& operator=(const TShellLink&) = delete;
    ~TShellLink() {
        if (file_) file_->Release();
        if (link_) link_->Release();
    }
    HRESULT Result() const { return result_; }
    IShellLink_NRC* Link() const { return link_; }
    IPersistFile* File() const { return file_; }

private:
    HRESULT result_;
    IShellLink_NRC* link_ = nullptr;
    IPersistFile* file_ = nullptr;
};

bool Has(const TLinkDataOptions& options, TLinkDataOption option) {
    return options.count(option) != 0;
}

void WriteLinkFields(IShellLink_NRC* link, const TLinkData& data) {
    link->SetPath(data.PathName.c_str());
    if (Has(data.Options, ldoUseDesc)) link->SetDescription(data.Desc.c_str());
    if (Has(data.Options, ldoUseArgs)) link->SetArguments(data.Args.c_str());
    if (Has(data.Options, ldoUseIcon))
        link->SetIconLocation(data.IconPath.c_str(), data.IconIndex);
    if (Has(data.Options, ldoUseWorkDir)) link->SetWorkingDirectory(data.WorkingDir.c_str());
    if (Has(data.Options, ldoUseHotKey)) link->SetHotkey(data.HotKey);
    if (Has(data.Options, ldoUseShowCmd)) link->SetShowCmd(data.ShowCmd);
}

// A text the link writes into a buffer of MAX_PATH + 1 characters.
template <class Read> AnsiString ReadLinkText(Read read) {
    char buffer[MAX_PATH + 1] = {};
    read(buffer, MAX_PATH + 1);
    return AnsiString(buffer);
}

void ReadLinkFields(IShellLink_NRC* link, TLinkData& data) {
    data.PathName = ReadLinkText([&](char* buffer, int size) {
        link->GetPath(buffer, size, &data.FindData, 0);
    });
    data.Args = ReadLinkText([&](char* buffer, int size) { link->GetArguments(buffer, size); });
    data.Desc = ReadLinkText([&](char* buffer, int size) { link->GetDescription(buffer, size); });
    data.IconPath = ReadLinkText([&](char* buffer, int size) {
        link->GetIconLocation(buffer, size, &data.IconIndex);
    });
    data.WorkingDir = ReadLinkText(
        [&](char* buffer, int size) { link->GetWorkingDirectory(buffer, size); });
    link->GetShowCmd(&data.ShowCmd);
    link->GetHotkey(&data.HotKey);
    data.Options = {ldoUseDesc, ldoUseArgs, ldoUseIcon, ldoUseWorkDir, ldoUseHotKey,
                    ldoUseShowCmd};
}

// Without user interface the link gets no owner and the no-UI flag in the low word (the high
// word, the search time, 0: the system's default).
HRESULT ResolveLink(IShellLink_NRC* link, bool noUI) {
    return link->Resolve(nullptr, noUI ? SLR_NO_UI : 0);
}

bool ParseClsid(const AnsiString& text, CLSID& clsid) {
    std::wstring wide = ShellWideText(text, 79);
    return SUCCEEDED(CLSIDFromString(&wide[0], &clsid));
}

// The default value of the open key's "CLSID" subkey, parsed.
bool ClsidFromSubkey(TRegistry& registry, CLSID& clsid) {
    return registry.OpenKeyReadOnly("CLSID") && ParseClsid(registry.ReadString(""), clsid);
}

}  // namespace

HRESULT CreateShortcut(const AnsiString& linkFileName, const TLinkData& data) {
    TShellLink shellLink;
    if (FAILED(shellLink.Result())) return shellLink.Result();
    WriteLinkFields(shellLink.Link(), data);
    const std::wstring fileName = ShellWideText(linkFileName, MAX_PATH);
    return shellLink.File()->Save(fileName.c_str(), TRUE);
}

HRESULT CreateQuickShortcut(const AnsiString& linkFileName, const AnsiString& targetFileName) {
    TLinkData data;
    data.PathName = targetFileName;
    data.Desc = targetFileName;
    data.WorkingDir = ExtractFilePath(targetFileName);
    data.Options = {ldoUseDesc, ldoUseWorkDir};
    return CreateShortcut(linkFileName, data);
}

HRESULT ResolveShortcut(const AnsiString& linkFileName, TLinkData& data, bool wantIdList) {
    TShellLink shellLink;
    HRESULT result = shellLink.Result();
    if (FAILED(result)) return result;
    const std::wstring fileName = ShellWideText(linkFileName, MAX_PATH);
    result = shellLink.File()->Load(fileName.c_str(), STGM_READ);
    if (FAILED(result)) return result;
    result = ResolveLink(shellLink.Link(), data.NoUI);
    if (FAILED(result)) return result;
    ReadLinkFields(shellLink.Link(), data);
    data.IdList = nullptr;
    if (wantIdList) result = shellLink.Link()->GetIDList(&data.IdList);
    return result;
}

bool UiClsidFromFileType(const AnsiString& fileType, CLSID& clsid) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    if (!registry.KeyExists(fileType) || !registry.OpenKeyReadOnly(fileType)) return false;
    const AnsiString value = registry.ReadString("");
    if (SameText(value.SubString(1, 6), "clsid\\"))
        return ParseClsid(value.SubString(7, 255), clsid);
    if (registry.KeyExists("CLSID")) return ClsidFromSubkey(registry, clsid);
    registry.CloseKey();
    if (value.IsEmpty() || !registry.KeyExists(value) || !registry.OpenKeyReadOnly(value))
        return false;
    return registry.KeyExists("CLSID") && ClsidFromSubkey(registry, clsid);
}
