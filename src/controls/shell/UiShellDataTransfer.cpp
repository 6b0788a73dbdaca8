#include "UiShellDataTransfer.h"

#include <cstring>

#include "UiShellLocator.h"
#include "UiShellMenus.h"
#include "UiShellUtils.h"
#include "cl_hourglass.h"

namespace {

constexpr DWORD kMouseButtons = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

// A locked global block, unlocked with the guard.
class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL block)
        : block_(block), bytes_(static_cast<BYTE*>(GlobalLock(block))) {}
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    ~TGlobalLock() {
        if (bytes_) GlobalUnlock(block_);
    }
    BYTE* Bytes() const { return bytes_; }

private:
    HGLOBAL block_;
    BYTE* bytes_;
};

// A new movable, zero-filled block with the bytes `fill` writes; E_OUTOFMEMORY leaves it null.
template <class Fill> HRESULT NewBlock(SIZE_T size, HGLOBAL& block, Fill fill) {
    block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) return E_OUTOFMEMORY;
    TGlobalLock lock(block);
    if (!lock.Bytes()) {
        GlobalFree(block);
        block = nullptr;
        return E_OUTOFMEMORY;
    }
    fill(lock.Bytes());
    return S_OK;
}

const ITEMIDLIST kDesktopIdList{};

}  // namespace

void TUiFormatEtcList::Add(const std::vector<CLIPFORMAT>& formats) {
    for (CLIPFORMAT format : formats)
        records_.push_back(FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
}

HRESULT TUiFormatEtcList::QueryGetData(const FORMATETC& format) const {
    if (format.dwAspect != DVASPECT_CONTENT) return DV_E_FORMATETC;
    HRESULT result = DV_E_FORMATETC;
    for (const FORMATETC& record : records_) {
        if (record.cfFormat != format.cfFormat) continue;
        if (record.tymed & format.tymed) return S_OK;
        result = DV_E_TYMED;
    }
    return result;
}

IEnumFormatEtc_NRC* TUiFormatEtcList::GetEnumerator() {
    return new TUiFormatEtcList_IEnumFormatEtc(this, 0);
}

HRESULT STDMETHODCALLTYPE TUiFormatEtcList_IEnumFormatEtc::QueryInterface(REFIID iid,
                                                                          void** object) {
    if (iid == IID_IUnknown || iid == IID_IEnumFORMATETC) {
        *object = static_cast<IEnumFormatEtc_NRC*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TUiFormatEtcList_IEnumFormatEtc::AddRef() {
    return InterlockedIncrement(&references_);
}

ULONG STDMETHODCALLTYPE TUiFormatEtcList_IEnumFormatEtc::Release() {
    const LONG count = InterlockedDecrement(&references_);
    if (count == 0) delete this;
    return count;
}

HRESULT STDMETHODCALLTYPE TUiFormatEtcList_IEnumFormatEtc::Next(ULONG count, FORMATETC* records,
                                                                ULONG* fetched) {
    ULONG copied = 0;
    while (copied < count && position_ < list_->Count())
        records[copied++] = list_->Items(position_++);
    if (fetched) *fetched = copied;
    return copied == count ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE TUiFormatEtcList_IEnumFormatEtc::Skip(ULONG count) {
    const ULONG remaining = static_cast<ULONG>(list_->Count() - position_);
    if (remaining < count) {
        position_ = list_->Count();
        return S_FALSE;
    }
    position_ += static_cast<int>(count);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TUiFormatEtcList_IEnumFormatEtc::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TUiFormatEtcList_IEnumFormatEtc::Clone(IEnumFORMATETC** clone) {
    auto* copy = new TUiFormatEtcList_IEnumFormatEtc(list_, position_);
    copy->AddRef();
    *clone = copy;
    return S_OK;
}

HRESULT BuildHDropBlock(const std::vector<AnsiString>& names, HGLOBAL& block) {
    SIZE_T size = sizeof(DROPFILES) + 1;
    for (const AnsiString& name : names) size += name.Length() + 1;
    return NewBlock(size, block, [&](BYTE* bytes) {
        auto* header = reinterpret_cast<DROPFILES*>(bytes);
        header->pFiles = sizeof(DROPFILES);
        char* text = reinterpret_cast<char*>(bytes + sizeof(DROPFILES));
        for (const AnsiString& name : names) {
            std::memcpy(text, name.c_str(), name.Length() + 1);
            text += name.Length() + 1;
        }
    });
}

HRESULT BuildIdListArrayBlock(LPCITEMIDLIST parent, const std::vector<LPCITEMIDLIST>& items,
                              HGLOBAL& block) {
    const LPCITEMIDLIST folder = parent ? parent : &kDesktopIdList;
    const UINT count = static_cast<UINT>(items.size());
    SIZE_T size = IdListLen(folder) + 4 * count + 8;
    for (LPCITEMIDLIST item : items) size += IdListLen(item);
    return NewBlock(size, block, [&](BYTE* bytes) {
        auto* header = reinterpret_cast<CIDA*>(bytes);
        header->cidl = count;
        UINT offset = 4 * count + 8;
        const auto place = [&](UINT index, LPCITEMIDLIST list) {
            header->aoffset[index] = offset;
            std::memcpy(bytes + offset, list, IdListLen(list));
            offset += IdListLen(list);
        };
        place(0, folder);
        for (UINT i = 0; i < count; ++i) place(i + 1, items[i]);
    });
}

HGLOBAL CopyGlobalBlock(HGLOBAL block) {
    const SIZE_T size = GlobalSize(block);
    TGlobalLock source(block);
    if (!source.Bytes()) return nullptr;
    HGLOBAL copy = nullptr;
    NewBlock(size, copy, [&](BYTE* bytes) { std::memcpy(bytes, source.Bytes(), size); });
    return copy;
}

TDropSource_shlvtv::TDropSource_shlvtv(TMouseButton button)
    : dragButton_(button == mbRight ? MK_RBUTTON : button == mbMiddle ? MK_MBUTTON : MK_LBUTTON) {}

HRESULT STDMETHODCALLTYPE TDropSource_shlvtv::QueryInterface(REFIID iid, void** object) {
    if (iid == IID_IUnknown || iid == IID_IDropSource) {
        *object = static_cast<IDropSource_NRC*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TDropSource_shlvtv::AddRef() { return InterlockedIncrement(&references_); }

ULONG STDMETHODCALLTYPE TDropSource_shlvtv::Release() {
    const LONG count = InterlockedDecrement(&references_);
    if (count == 0) delete this;
    return count;
}

HRESULT STDMETHODCALLTYPE TDropSource_shlvtv::QueryContinueDrag(BOOL escapePressed,
                                                               DWORD keyState) {
    if (escapePressed || (keyState & (kMouseButtons ^ dragButton_))) return DRAGDROP_S_CANCEL;
    return (keyState & dragButton_) ? S_OK : DRAGDROP_S_DROP;
}

HRESULT STDMETHODCALLTYPE TDropSource_shlvtv::GiveFeedback(DWORD) {
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ---------------------------------------------------------------------------------------------
TUiShellDataObject::TUiShellDataObject(LPCITEMIDLIST parent,
                                       const std::vector<LPCITEMIDLIST>& items,
                                       const std::vector<AnsiString>& paths) {
    Build(parent, items, paths);
}

void TUiShellDataObject::Build(LPCITEMIDLIST parent, const std::vector<LPCITEMIDLIST>& items,
                               const std::vector<AnsiString>& paths) {
    std::vector<CLIPFORMAT> offered;
    if (!items.empty() && SUCCEEDED(BuildIdListArrayBlock(parent, items, idListArray_)))
        offered.push_back(static_cast<CLIPFORMAT>(ShellControlsUnit().ShellIdListFormat));
    if (!paths.empty() && SUCCEEDED(BuildHDropBlock(paths, dropFiles_))) offered.push_back(CF_HDROP);
    formats_.Add(offered);
}

TUiShellDataObject::~TUiShellDataObject() {
    if (dropFiles_) GlobalFree(dropFiles_);
    if (idListArray_) GlobalFree(idListArray_);
}

HRESULT STDMETHODCALLTYPE TUiShellDataObject::QueryInterface(REFIID iid, void** object) {
    if (iid == IID_IUnknown || iid == IID_IDataObject) {
        *object = static_cast<IDataObject_NRC*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TUiShellDataObject::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE TUiShellDataObject::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE TUiShellDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    const HRESULT offered = QueryGetData(format);
    if (FAILED(offered)) return offered;
    HGLOBAL block;
    if (format->cfFormat == ShellControlsUnit().ShellIdListFormat)
        block = idListArray_;
    else if (format->cfFormat == CF_HDROP)
        block = dropFiles_;
    else
        return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->pUnkForRelease = nullptr;
    medium->hGlobal = CopyGlobalBlock(block);
    return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE TUiShellDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TUiShellDataObject::QueryGetData(FORMATETC* format) {
    return formats_.QueryGetData(*format);
}

HRESULT STDMETHODCALLTYPE TUiShellDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TUiShellDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TUiShellDataObject::EnumFormatEtc(DWORD direction,
                                                            IEnumFORMATETC** enumerator) {
    if (direction != DATADIR_GET) {
        *enumerator = nullptr;
        return E_NOTIMPL;
    }
    *enumerator = formats_.GetEnumerator();
    (*enumerator)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TUiShellDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT STDMETHODCALLTYPE TUiShellDataObject::DUnadvise(DWORD) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT STDMETHODCALLTYPE TUiShellDataObject::EnumDAdvise(IEnumSTATDATA**) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT DeliverDrop(IDropTarget_NRC* target, IDataObject_NRC* data, DWORD keyState, POINTL point,
                    DWORD& effect) {
    DWORD probe = effect;
    target->DragEnter(data, keyState, point, &probe);
    target->DragOver(keyState, point, &probe);
    effect &= GetDataObjectDropEffects(data);
    THourglass hourglass;
    return target->Drop(data, keyState, point, &effect);
}

void RegisterWindowDropTarget(HWND window, IDropTarget_NRC* target, IDropTarget_NRC*& registered) {
    target->AddRef();
    if (SUCCEEDED(RegisterDragDrop(window, target)))
        registered = target;
    else
        target->Release();
}

void RevokeWindowDropTarget(HWND window, IDropTarget_NRC*& registered) {
    if (window) RevokeDragDrop(window);
    registered->Release();
    registered = nullptr;
}
