#include "UiShellLocator.h"

#include "cl_except.h"
#include "cl_filer.h"
#include "cl_forms.h"
#include "cl_streams.h"

namespace {

// OLE and the unit's values, for as long as the program runs.
class TShellControlsUnitHolder {
public:
    TShellControlsUnitHolder() {
        ShellComStartup();
        unit_.ShellIdListFormat = RegisterClipboardFormatA("Shell IDList Array");
        oleStarted_ = SUCCEEDED(OleInitialize(nullptr));
        ReadMetric(SPI_GETMOUSEHOVERTIME, unit_.MouseHoverTime);
        ReadMetric(SPI_GETMOUSEHOVERWIDTH, unit_.MouseHoverWidth);
        ReadMetric(SPI_GETMOUSEHOVERHEIGHT, unit_.MouseHoverHeight);
    }
    ~TShellControlsUnitHolder() {
        if (oleStarted_) OleUninitialize();
    }
    const TUiShellControlsUnit& Unit() const { return unit_; }

private:
    static void ReadMetric(UINT action, UINT& value) {
        UINT read = 0;
        if (SystemParametersInfoA(action, 0, &read, 0)) value = read;
    }

    TUiShellControlsUnit unit_;
    bool oleStarted_ = false;
};

// A stored list is whole: its items fit the stored length exactly, ending in the terminator.
bool IsWholeIdList(const BYTE* bytes, uint32_t length) {
    uint32_t offset = 0;
    while (offset + sizeof(USHORT) <= length) {
        const USHORT count = static_cast<USHORT>(bytes[offset] | (bytes[offset + 1] << 8));
        if (count == 0) return offset + sizeof(USHORT) == length;
        if (count < sizeof(USHORT)) return false;
        offset += count;
    }
    return false;
}

}  // namespace

const TUiShellControlsUnit& ShellControlsUnit() {
    static const TShellControlsUnitHolder holder;
    return holder.Unit();
}

TUiShellLocator::TUiShellLocator() { ShellControlsUnit(); }

TUiShellLocator::~TUiShellLocator() { FreeIdList(); }

void TUiShellLocator::FreeIdList() {
    ShellMemFree(idList_);
    idList_ = nullptr;
}

LPCITEMIDLIST TUiShellLocator::GetIdList() {
    if (which_ == useCSIDL && !idList_) {
        HWND owner = Application ? Application->Handle() : nullptr;
        if (FAILED(ShellGetSpecialFolderIdList(owner, csidl_, idList_))) idList_ = nullptr;
    }
    return idList_;
}

void TUiShellLocator::SetIdList(LPCITEMIDLIST pidl) {
    const TUiShellLocator_Which oldWhich = which_;
    which_ = usePidl;
    bool changed;
    if (idList_) {
        const int comparison = CompareAbsIdLists(idList_, pidl);
        changed = oldWhich != usePidl || (comparison != kCannotCompareIdLists && comparison != 0);
    } else {
        changed = oldWhich != usePidl || !IsDesktopIdList(pidl);
    }
    // The copy is taken first: the list handed in may be the locator's own.
    LPITEMIDLIST copy = IdListLen(pidl) > sizeof(USHORT) ? CopyIdList(nullptr, pidl) : nullptr;
    FreeIdList();
    idList_ = copy;
    csidl_ = csidlNone;
    if (changed) Changed();
}

TCSIDL TUiShellLocator::GetCSIDL() const { return which_ == useCSIDL ? csidl_ : csidlNone; }

void TUiShellLocator::SetCSIDL(TCSIDL csidl) {
    const bool changed = which_ != useCSIDL || csidl_ != csidl;
    FreeIdList();
    which_ = useCSIDL;
    csidl_ = csidl;
    if (changed) Changed();
}

AnsiString TUiShellLocator::GetPathName() { return ShellGetPathFromIdList(GetIdList()); }

void TUiShellLocator::SetPathName(const AnsiString& path) {
    LPITEMIDLIST pidl = nullptr;
    if (ShellGetIdListFromPath(path, pidl) != S_OK) {
        ShellMemFree(pidl);
        SetIdList(nullptr);
        return;
    }
    try {
        SetIdList(pidl);
    } catch (...) {
        ShellMemFree(pidl);
        throw;
    }
    ShellMemFree(pidl);
}

bool TUiShellLocator::IsEqual(TUiShellLocator* other) {
    if (which_ != other->which_) return false;
    if (other == this) return true;
    if (which_ == usePidl) return CompareAbsIdLists(idList_, other->idList_) == 0;
    return csidl_ == other->csidl_;
}

void TUiShellLocator::Assign(TPersistent* source) {
    if (!source) {
        if (!idList_) return;
        FreeIdList();
        which_ = usePidl;
        Changed();
        return;
    }
    auto* locator = dynamic_cast<TUiShellLocator*>(source);
    if (!locator) {
        TPersistent::Assign(source);
        return;
    }
    if (IsEqual(locator)) return;
    FreeIdList();
    which_ = locator->which_;
    if (which_ == usePidl)
        idList_ = locator->idList_ ? CopyIdList(nullptr, locator->idList_) : nullptr;
    else
        csidl_ = locator->csidl_;
    Changed();
}

void TUiShellLocator::Changed() {
    if (OnChange) OnChange(this);
}

void TUiShellLocator::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    filer->DefineBinaryProperty(
        "Pidl", [this](TStream* stream) { ReadData(stream); },
        [this](TStream* stream) { WriteData(stream); }, idList_ || which_ == useCSIDL);
}

void TUiShellLocator::ReadData(TStream* stream) {
    uint8_t which = 0;
    stream->ReadBuffer(&which, 1);
    if (which != usePidl) {
        uint8_t csidl = 0;
        stream->ReadBuffer(&csidl, 1);
        if (csidl > csidlNone) throw EReadError("Invalid special folder in property Pidl");
        FreeIdList();
        which_ = useCSIDL;
        csidl_ = static_cast<TCSIDL>(csidl);
        return;
    }
    uint32_t length = 0;
    stream->ReadBuffer(&length, sizeof(length));
    if (length > stream->Size() - stream->Position())
        throw EReadError("Invalid item identifier list in property Pidl");
    if (length == 0) {
        FreeIdList();
        which_ = useCSIDL;
        csidl_ = csidlDesktop;
        return;
    }
    auto* bytes = static_cast<BYTE*>(ShellMemAlloc(length));
    if (!bytes) throw EOutOfMemory("Out of memory");
    try {
        stream->ReadBuffer(bytes, static_cast<int>(length));
        if (!IsWholeIdList(bytes, length))
            throw EReadError("Invalid item identifier list in property Pidl");
    } catch (...) {
        ShellMemFree(bytes);
        throw;
    }
    FreeIdList();
    which_ = usePidl;
    idList_ = reinterpret_cast<LPITEMIDLIST>(bytes);
}

void TUiShellLocator::WriteData(TStream* stream) {
    const uint8_t which = which_;
    stream->WriteBuffer(&which, 1);
    if (which_ == useCSIDL) {
        const uint8_t csidl = csidl_;
        stream->WriteBuffer(&csidl, 1);
        return;
    }
    const uint32_t length = IdListLen(idList_);
    stream->WriteBuffer(&length, sizeof(length));
    if (length) stream->WriteBuffer(idList_, static_cast<int>(length));
}

TShellFolder2ToShellDetailsAdapter::TShellFolder2ToShellDetailsAdapter(IShellFolder2_NRC* folder)
    : folder_(folder) {
    folder_->AddRef();
}

TShellFolder2ToShellDetailsAdapter::~TShellFolder2ToShellDetailsAdapter() { folder_->Release(); }

HRESULT STDMETHODCALLTYPE TShellFolder2ToShellDetailsAdapter::QueryInterface(REFIID iid,
                                                                           void** object) {
    if (iid == IID_IUnknown || iid == IID_IShellDetails) {
        *object = static_cast<IShellDetails_NRC*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TShellFolder2ToShellDetailsAdapter::AddRef() {
    return InterlockedIncrement(&references_);
}

ULONG STDMETHODCALLTYPE TShellFolder2ToShellDetailsAdapter::Release() {
    const LONG count = InterlockedDecrement(&references_);
    if (count == 0) delete this;
    return count;
}

HRESULT STDMETHODCALLTYPE TShellFolder2ToShellDetailsAdapter::GetDetailsOf(
    PCUITEMID_CHILD pidl, UINT column, SHELLDETAILS* details) {
    SHCOLSTATEF state = 0;
    const HRESULT result = folder_->GetDefaultColumnState(column, &state);
    if (SUCCEEDED(result) && !(state & SHCOLSTATE_ONBYDEFAULT)) return E_INVALIDARG;
    return folder_->GetDetailsOf(pidl, column, details);
}

HRESULT STDMETHODCALLTYPE TShellFolder2ToShellDetailsAdapter::ColumnClick(UINT) {
    return E_NOTIMPL;
}

IShellDetails_NRC* GetFolderShellDetails(IShellFolder_NRC* folder) {
    IShellDetails_NRC* details = nullptr;
    IShellFolder2_NRC* folder2 = nullptr;
    if (FAILED(folder->QueryInterface(IID_IShellFolder2, reinterpret_cast<void**>(&folder2)))) {
        folder->CreateViewObject(nullptr, IID_IShellDetails, reinterpret_cast<void**>(&details));
        return details;
    }
    SHELLDETAILS header{};
    if (SUCCEEDED(folder2->GetDetailsOf(nullptr, 0, &header))) {
        if (header.str.uType == STRRET_WSTR) CoTaskMemFree(header.str.pOleStr);
        auto* adapter = new TShellFolder2ToShellDetailsAdapter(folder2);
        adapter->QueryInterface(IID_IShellDetails, reinterpret_cast<void**>(&details));
    } else if (FAILED(folder->QueryInterface(IID_IShellDetails,
                                             reinterpret_cast<void**>(&details)))) {
        folder->CreateViewObject(nullptr, IID_IShellDetails, reinterpret_cast<void**>(&details));
    }
    folder2->Release();
    return details;
}
