#include "FolderDialog.h"

#include <vector>

#include "cl_forms.h"
#include "cl_lists.h"

namespace {

// Holds one reference to a shell interface and releases it.
template <class T> class ShellRef {
public:
    ShellRef() = default;
    ~ShellRef() {
        if (object_) object_->Release();
    }
    ShellRef(const ShellRef&) = delete;
    ShellRef& operator=(const ShellRef&) = delete;

    T** Out() { return &object_; }
    void** OutVoid() { return reinterpret_cast<void**>(&object_); }
    T* operator->() const { return object_; }
    T* Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

const std::pair<TBrowseFolderOption, UINT> BrowseFlags[] = {
    {bfComputer, BIF_BROWSEFORCOMPUTER}, {bfPrinter, BIF_BROWSEFORPRINTER},
    {bfNotBelowDomain, BIF_DONTGOBELOWDOMAIN}, {bfFSAncestors, BIF_RETURNFSANCESTORS},
    {bfOnlyDirs, BIF_RETURNONLYFSDIRS},
};

std::vector<wchar_t> Wide(const AnsiString& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> wide(length > 0 ? length : 1, L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    return wide;
}

AnsiString Narrow(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return AnsiString();
    std::vector<char> narrow(length);
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    return AnsiString(narrow.data(), length - 1);
}

AnsiString ParsingName(IShellFolder* folder, LPCITEMIDLIST idList) {
    STRRET name{};
    if (FAILED(folder->GetDisplayNameOf(idList, SHGDN_FORPARSING, &name))) return AnsiString();
    return StrRetText(name, idList);
}

LPITEMIDLIST ParseFolder(IShellFolder* desktop, const AnsiString& path) {
    std::vector<wchar_t> wide = Wide(path);
    LPITEMIDLIST idList = nullptr;
    HWND owner = Application ? Application->Handle() : nullptr;
    if (FAILED(desktop->ParseDisplayName(owner, nullptr, wide.data(), nullptr, &idList, nullptr)))
        return nullptr;
    return idList;
}

void ListFiles(IShellFolder* folder, TStringList* items) {
    items->Clear();
    ShellRef<IEnumIDList> files;
    if (folder->EnumObjects(nullptr, SHCONTF_NONFOLDERS, files.Out()) != S_OK || !files) return;
    LPITEMIDLIST child = nullptr;
    while (files->Next(1, &child, nullptr) == S_OK) {
        items->Add(ParsingName(folder, child));
        CoTaskMemFree(child);
    }
}

}  // namespace

AnsiString StrRetText(STRRET& name, LPCITEMIDLIST idList) {
    switch (name.uType) {
    case STRRET_WSTR: {
        AnsiString text = name.pOleStr ? Narrow(name.pOleStr) : AnsiString();
        CoTaskMemFree(name.pOleStr);
        name.pOleStr = nullptr;
        return text;
    }
    case STRRET_OFFSET: return reinterpret_cast<const char*>(idList) + name.uOffset;
    case STRRET_CSTR: return name.cStr;
    default: return "Unrecognized uType: " + IntToStr(static_cast<int>(name.uType));
    }
}

TFolderDialog::TFolderDialog(TComponent* owner) : TComponent(owner), items_(new TStringList) {}

void TFolderDialog::BeforeDestruction() {
    TComponent::BeforeDestruction();
    delete items_;
    items_ = nullptr;
    FreeIdList(pathIdList_);
    FreeIdList(rootIdList_);
}

void TFolderDialog::FreeIdList(LPITEMIDLIST& idList) {
    ShellRef<IMalloc> allocator;
    if (idList && SUCCEEDED(SHGetMalloc(allocator.Out()))) allocator->Free(idList);
    idList = nullptr;
}

UINT TFolderDialog::BuildBrowseFlags() const {
    UINT flags = 0;
    for (const auto& [option, flag] : BrowseFlags)
        if (options_.count(option)) flags |= flag;
    return flags;
}

int CALLBACK TFolderDialog::BrowseCallback(HWND dialog, UINT notice, LPARAM, LPARAM data) {
    auto* self = reinterpret_cast<TFolderDialog*>(data);
    if (notice == BFFM_INITIALIZED && self->pathIdList_)
        SendMessageA(dialog, BFFM_SETSELECTIONA, FALSE,
                     reinterpret_cast<LPARAM>(self->pathIdList_));
    return 0;
}

bool TFolderDialog::TakeFolder(IShellFolder* desktop, LPITEMIDLIST idList) {
    ShellRef<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(idList, nullptr, __uuidof(IShellFolder), folder.OutVoid())))
        return false;
    ListFiles(folder.Get(), items_);
    pathIdList_ = idList;
    return true;
}

bool TFolderDialog::Execute() {
    ShellRef<IMalloc> allocator;
    ShellRef<IShellFolder> desktop;
    if (FAILED(SHGetMalloc(allocator.Out())) || FAILED(SHGetDesktopFolder(desktop.Out())))
        return false;
    BROWSEINFOA info{};
    info.hwndOwner = Application ? Application->Handle() : nullptr;
    info.pidlRoot = rootIdList_;
    info.lpszTitle = title_.c_str();
    info.ulFlags = BuildBrowseFlags();
    info.lpfn = &TFolderDialog::BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    FreeIdList(pathIdList_);
    if (!chosen) {
        path_ = AnsiString();
        return false;
    }
    if (!TakeFolder(desktop.Get(), chosen)) {
        allocator->Free(chosen);
        return false;
    }
    path_ = ParsingName(desktop.Get(), chosen);
    return true;
}

void TFolderDialog::SetPath(const AnsiString& path) {
    ShellRef<IMalloc> allocator;
    ShellRef<IShellFolder> desktop;
    if (FAILED(SHGetMalloc(allocator.Out()))) return;
    FreeIdList(pathIdList_);
    if (FAILED(SHGetDesktopFolder(desktop.Out()))) return;
    LPITEMIDLIST idList = ParseFolder(desktop.Get(), path);
    if (!idList) return;
    if (!TakeFolder(desktop.Get(), idList)) {
        allocator->Free(idList);
        return;
    }
    path_ = path;
}

void TFolderDialog::SetRoot(const AnsiString& folder) {
    ShellRef<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.Out()))) return;
    FreeIdList(rootIdList_);
    if (folder.IsEmpty()) return;
    ShellRef<IShellFolder> desktop;
    if (SUCCEEDED(SHGetDesktopFolder(desktop.Out())))
        rootIdList_ = ParseFolder(desktop.Get(), folder);
    rootDir_ = folder;
}
