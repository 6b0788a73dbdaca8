#include "UiShellItemData.h"

#include "UiShellHelpers.h"
#include "UiShellMenus.h"
#include "UiShellPidls.h"
#include "UiShellUtils.h"
#include "cl_datetime.h"
#include "cl_locale.h"
#include "cl_sys.h"

const char* const SUiShSystemFolder = "System Folder";
const char* const SUiShSizeKB = "%sKB";

namespace {

constexpr ULONG kTreeAttributeQuery = 0xF00F0037;
constexpr ULONG kListAttributeQuery = 0x700F0037;
constexpr ULONG kEditableQuery = 0x40000177;

void Replace(LPITEMIDLIST& target, LPITEMIDLIST value) {
    ShellMemFree(target);
    target = value;
}

void ReleaseFolder(IShellFolder_NRC*& folder) {
    if (folder) folder->Release();
    folder = nullptr;
}

bool IsDriveRoot(const AnsiString& path) {
    return (path.Length() == 2 || path.Length() == 3) &&
           !IsDBCSLeadByte(static_cast<BYTE>(path[1])) && path[2] == ':';
}

// The attribute query for an item at the path: removable drive roots are not asked whether
// they are read-only, which would wake the drive.
ULONG AttributeQuery(ULONG query, const AnsiString& path) {
    if (SHELL32_VER.High >= ModuleVersionHigh(6, 0)) query |= SFGAO_STREAM;
    if (IsDriveRoot(path) && GetDriveTypeA(IncludeTrailingPathDelimiter(path).c_str()) ==
                                 DRIVE_REMOVABLE)
        query &= ~SFGAO_READONLY;
    return query;
}

ULONG AttributesOf(IShellFolder_NRC* folder, LPCITEMIDLIST item, ULONG query) {
    if (!folder) return 0;
    LPCITEMIDLIST items[] = {item};
    folder->GetAttributesOf(1, items, &query);
    return query;
}

// "1,234KB": kilobytes, a started one counting whole.
AnsiString SizeText(const WIN32_FIND_DATAA& found) {
    const unsigned long long bytes =
        (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    const double kilobytes = static_cast<double>((bytes + 1023) / 1024);
    return Format(SUiShSizeKB, Format("%.0n", kilobytes));
}

AnsiString ModifiedText(const WIN32_FIND_DATAA& found) {
    FILETIME stamp = found.ftLastWriteTime;
    if (stamp.dwLowDateTime == 0 && stamp.dwHighDateTime == 0) stamp = found.ftCreationTime;
    FILETIME local;
    SYSTEMTIME time;
    if (!FileTimeToLocalFileTime(&stamp, &local) || !FileTimeToSystemTime(&local, &time))
        return AnsiString();
    const TDateTime value = EncodeDateTime(time.wYear, time.wMonth, time.wDay, time.wHour,
                                           time.wMinute, time.wSecond, time.wMilliseconds);
    return FormatDateTime(ShortDateFormat + " " + ShortTimeFormat, value);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
TUiShellTreeData::~TUiShellTreeData() {
    ReleaseThisFolder();
    ReleaseFolder(parentFolder_);
    FreeLists();
}

void TUiShellTreeData::FreeLists() {
    Replace(rel_, nullptr);
    Replace(abs_, nullptr);
}

void TUiShellTreeData::ReleaseThisFolder() { ReleaseFolder(thisFolder_); }

void TUiShellTreeData::SetData(TUiShellTreeData* parentData, LPCITEMIDLIST pidl) {
    FreeLists();
    ReleaseThisFolder();
    parent_ = parentData;
    if (parent_) {
        rel_ = CopyIdList(nullptr, pidl);
        return;
    }
    TUiIdListArray items(pidl);
    const int count = items.GetCount();
    rel_ = CopyIdList(nullptr, count ? items.GetItem(count - 1) : pidl);
    abs_ = CopyIdList(nullptr, pidl);
}

void TUiShellTreeData::SetRelPidl(LPCITEMIDLIST pidl) {
    // A root keeps the folder it lies in: only its last element changes.
    LPITEMIDLIST base = parent_ ? CopyIdList(nullptr, parent_->GetAbsPidl())
                                : CopyIdList(nullptr, TUiIdListArray(abs_).GoUp(1));
    FreeLists();
    ReleaseThisFolder();
    rel_ = CopyIdList(nullptr, pidl);
    abs_ = ConcatIdLists(nullptr, base, pidl);
    ShellMemFree(base);
}

void TUiShellTreeData::Flush() {
    // A root's absolute PIDL is where it stands, not a cache: it is kept.
    if (parent_) Replace(abs_, nullptr);
    ReleaseThisFolder();
}

LPCITEMIDLIST TUiShellTreeData::GetAbsPidl() {
    if (!abs_)
        abs_ = parent_ ? ConcatIdLists(nullptr, parent_->GetAbsPidl(), rel_)
                       : CopyIdList(nullptr, rel_);
    return abs_;
}

IShellFolder_NRC* TUiShellTreeData::GetThisIShf() {
    if (thisFolder_) return thisFolder_;
    if (IsDesktopIdList(GetAbsPidl())) {
        OleCheck(ShellGetDesktopFolder(thisFolder_));
        return thisFolder_;
    }
    IShellFolder_NRC* parent = GetParentIShf();
    if (parent &&
        FAILED(parent->BindToObject(rel_, nullptr, IID_IShellFolder,
                                    reinterpret_cast<void**>(&thisFolder_))))
        thisFolder_ = nullptr;
    return thisFolder_;
}

IShellFolder_NRC* TUiShellTreeData::GetParentIShf() {
    if (parent_) return parent_->GetThisIShf();
    ReleaseFolder(parentFolder_);
    TUiPidlGuard parentList;
    TUiPidlGuard last;
    if (FAILED(SplitItemIdList(GetAbsPidl(), parentFolder_, parentList.Out(), last.Out())))
        parentFolder_ = nullptr;
    return parentFolder_;
}

ULONG TUiShellTreeData::GetAttributes() {
    return AttributesOf(GetParentIShf(), rel_, AttributeQuery(kTreeAttributeQuery, GetPathName()));
}

bool TUiShellTreeData::GetEditable() {
    if (IsDesktopIdList(GetAbsPidl()) || !parent_) return false;
    IShellFolder_NRC* folder = GetParentIShf();
    if (!folder) return false;
    ULONG attributes = kEditableQuery;
    LPCITEMIDLIST items[] = {rel_};
    return SUCCEEDED(folder->GetAttributesOf(1, items, &attributes)) &&
           (attributes & SFGAO_CANRENAME);
}

AnsiString TUiShellTreeData::GetPathName() { return ShellGetPathFromIdList(GetAbsPidl()); }

HRESULT TUiShellTreeData::GetIDropTarget(HWND owner, IDropTarget_NRC*& target) {
    target = nullptr;
    if (parent_) {
        IShellFolder_NRC* folder = parent_->GetThisIShf();
        if (!folder) return E_FAIL;
        LPCITEMIDLIST items[] = {rel_};
        return folder->GetUIObjectOf(owner, 1, items, IID_IDropTarget, nullptr,
                                     reinterpret_cast<void**>(&target));
    }
    if (IsDesktopIdList(GetAbsPidl())) return GetDesktopDropTarget(target);
    return GetItemDropTarget(GetAbsPidl(), IID_IDropTarget, reinterpret_cast<void**>(&target));
}

bool TUiShellTreeData::IsRootDir() { return IsDriveRoot(GetPathName()); }

// ---------------------------------------------------------------------------------------------
TUiShellListData::~TUiShellListData() {
    ShellMemFree(abs_);
    ShellMemFree(rel_);
}

void TUiShellListData::SetData(LPITEMIDLIST pidl) {
    Replace(rel_, pidl);
    Flush();
}

void TUiShellListData::Flush() {
    Replace(abs_, nullptr);
    displayName_ = AnsiString();
    displayNameValid_ = false;
    extraDataValid_ = false;
}

LPCITEMIDLIST TUiShellListData::GetAbsoluteIdList() {
    if (!abs_) abs_ = ConcatIdLists(nullptr, owner_->CurrentFolderIdList(), rel_);
    return abs_;
}

ULONG TUiShellListData::GetAttributes() {
    return AttributesOf(owner_->CurrentFolder(), rel_,
                        AttributeQuery(kListAttributeQuery, GetPathName()));
}

bool TUiShellListData::IsFolder() {
    return UiShIsFolder(GetAttributes(), owner_->FilesCanBeFolders());
}

bool TUiShellListData::IsFileSystem() { return GetAttributes() & SFGAO_FILESYSTEM; }

bool TUiShellListData::GetEditable() { return GetAttributes() & SFGAO_CANRENAME; }

bool TUiShellListData::IsValid() {
    IShellFolder_NRC* folder = owner_->CurrentFolder();
    if (!folder) return false;
    ULONG attributes = SFGAO_VALIDATE;
    LPCITEMIDLIST items[] = {rel_};
    return SUCCEEDED(folder->GetAttributesOf(1, items, &attributes));
}

bool TUiShellListData::IsLnkShortcut() { return SameText(ExtractFileExt(GetPathName()), ".lnk"); }

AnsiString TUiShellListData::GetDisplayName() {
    if (!displayNameValid_) {
        displayName_ = ShellGetFriendlyNameFromIdList(owner_->CurrentFolder(), rel_, fnNormal);
        displayNameValid_ = true;
    }
    return displayName_;
}

AnsiString TUiShellListData::GetPathName() { return ShellGetPathFromIdList(GetAbsoluteIdList()); }

AnsiString TUiShellListData::GetFilename() { return ExtractFileName(GetPathName()); }

AnsiString TUiShellListData::GetColText(int column) {
    if (column == 0) return AnsiString();
    if (IShellDetails_NRC* details = owner_->CurrentFolderDetails()) {
        TShColInfo info{};
        HRESULT result;
        {
            TQuietErrorMode quiet;
            result = details->GetDetailsOf(rel_, static_cast<UINT>(column), &info);
        }
        if (FAILED(result)) return AnsiString();
        const AnsiString text = StrretToString(rel_, info.str);
        StrretFree(info.str);
        return text;
    }
    switch (column) {
        case 1: return GetSize();
        case 2: return GetFileType();
        case 3: return GetModified();
        default: return AnsiString();
    }
}

void TUiShellListData::GetExtraData() {
    if (extraDataValid_) return;
    size_ = type_ = modified_ = AnsiString();
    const AnsiString path = GetPathName();
    if (path.Length() > 3) {
        TQuietErrorMode quiet;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(path.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            FindClose(search);
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) size_ = SizeText(found);
            modified_ = ModifiedText(found);
        }
    }
    if (!(GetAttributes() & SFGAO_FILESYSTEM)) {
        type_ = SUiShSystemFolder;
    } else {
        SHFILEINFOA info{};
        if (SHGetFileInfoA(reinterpret_cast<const char*>(GetAbsoluteIdList()), 0, &info,
                           sizeof(info), SHGFI_TYPENAME | SHGFI_PIDL))
            type_ = info.szTypeName;
    }
    extraDataValid_ = true;
}

AnsiString TUiShellListData::GetSize() {
    GetExtraData();
    return size_;
}

AnsiString TUiShellListData::GetFileType() {
    GetExtraData();
    return type_;
}

AnsiString TUiShellListData::GetModified() {
    GetExtraData();
    return modified_;
}

// ---------------------------------------------------------------------------------------------
TUiShellComboData::~TUiShellComboData() { Clear(); }

void TUiShellComboData::Clear() {
    ReleaseFolder(thisFolder_);
    ReleaseFolder(parentFolder_);
    Replace(parentList_, nullptr);
    Replace(rel_, nullptr);
    Replace(abs_, nullptr);
}

void TUiShellComboData::SetData(IShellFolder_NRC* parentFolder, LPCITEMIDLIST parentPidl,
                                LPCITEMIDLIST pidl) {
    if (parentFolder) parentFolder->AddRef();
    Clear();
    parentFolder_ = parentFolder;
    parentList_ = CopyIdList(nullptr, parentPidl);
    rel_ = CopyIdList(nullptr, pidl);
    abs_ = ConcatIdLists(nullptr, parentList_, rel_);
}

IShellFolder_NRC* TUiShellComboData::GetThisIShf() {
    if (thisFolder_) return thisFolder_;
    if (IsDesktopIdList(abs_))
        OleCheck(ShellGetDesktopFolder(thisFolder_));
    else
        OleCheck(parentFolder_->BindToObject(rel_, nullptr, IID_IShellFolder,
                                             reinterpret_cast<void**>(&thisFolder_)));
    return thisFolder_;
}
