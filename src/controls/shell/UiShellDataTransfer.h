// OLE data transfer of the shell controls: the list of offered clipboard formats with its
// enumerator, the memory blocks that carry shell items (file drop, item-list array), and the
// drop source of a drag the controls start.
#pragma once

#include <vector>

#include "UiShellIntf.h"
#include "cl_component.h"
#include "cl_string.h"
#include "cl_types.h"

// Clipboard formats offered as content in global memory.
class TUiFormatEtcList : public TObject {
    CL_CLASS(TUiFormatEtcList, TObject)

    TUiFormatEtcList() = default;
    ~TUiFormatEtcList() override { Clear(); }
    TUiFormatEtcList(const TUiFormatEtcList&) = delete;
    TUiFormatEtcList& operator=(const TUiFormatEtcList&) = delete;

    void Add(const std::vector<CLIPFORMAT>& formats);
    int Count() const { return static_cast<int>(records_.size()); }
    const FORMATETC& Items(int index) const { return records_.at(index); }
    void Clear() { records_.clear(); }
    // S_OK, DV_E_TYMED (the format in other media only) or DV_E_FORMATETC.
    HRESULT QueryGetData(const FORMATETC& format) const;
    // A new enumerator at the first record, not yet referenced.
    IEnumFormatEtc_NRC* GetEnumerator();

private:
    std::vector<FORMATETC> records_;
};

// Enumerates a format list, which must outlive it.
class TUiFormatEtcList_IEnumFormatEtc : public IEnumFormatEtc_NRC {
public:
    TUiFormatEtcList_IEnumFormatEtc(const TUiFormatEtcList* list, int position)
        : list_(list), position_(position) {}
    virtual ~TUiFormatEtcList_IEnumFormatEtc() = default;
    TUiFormatEtcList_IEnumFormatEtc(const TUiFormatEtcList_IEnumFormatEtc&) = delete;
    TUiFormatEtcList_IEnumFormatEtc& operator=(const TUiFormatEtcList_IEnumFormatEtc&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* records, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** clone) override;

private:
    LONG references_ = 0;
    const TUiFormatEtcList* list_;
    int position_;
};

// A file-drop (HDROP) block of the names, 8-bit text; the receiver owns it.
HRESULT BuildHDropBlock(const std::vector<AnsiString>& names, HGLOBAL& block);
// A "Shell IDList Array" block: the parent's absolute list (null: the desktop) and the items'
// lists relative to it; the receiver owns it.
HRESULT BuildIdListArrayBlock(LPCITEMIDLIST parent, const std::vector<LPCITEMIDLIST>& items,
                              HGLOBAL& block);
// A copy of a global block; null when it cannot be made.
HGLOBAL CopyGlobalBlock(HGLOBAL block);
// Registers `target` (one reference, given up on failure) for the window's drops and keeps it
// in `registered`; the revoke takes it off the window, when there still is one, and releases it.
void RegisterWindowDropTarget(HWND window, IDropTarget_NRC* target, IDropTarget_NRC*& registered);
void RevokeWindowDropTarget(HWND window, IDropTarget_NRC*& registered);
// Hands a drop to an item's drop target as a drag over it would: enter, over, then the drop with
// the effects the data allows, under the hourglass.
HRESULT DeliverDrop(IDropTarget_NRC* target, IDataObject_NRC* data, DWORD keyState, POINTL point,
                    DWORD& effect);

// Shell items offered for a drag or the clipboard: "Shell IDList Array" (the parent's absolute
// list and the items' relative lists) and CF_HDROP (the items' full paths), in that order, each
// when its block could be made. Receivers get copies of the blocks. Counts its own references.
class TUiShellDataObject : public IDataObject_NRC {
public:
    TUiShellDataObject(LPCITEMIDLIST parent, const std::vector<LPCITEMIDLIST>& items,
                       const std::vector<AnsiString>& paths);
    virtual ~TUiShellDataObject();
    TUiShellDataObject(const TUiShellDataObject&) = delete;
    TUiShellDataObject& operator=(const TUiShellDataObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                      DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** enumerator) override;

protected:
    TUiShellDataObject() = default;
    void Build(LPCITEMIDLIST parent, const std::vector<LPCITEMIDLIST>& items,
               const std::vector<AnsiString>& paths);

private:
    LONG references_ = 0;
    TUiFormatEtcList formats_;
    HGLOBAL dropFiles_ = nullptr;
    HGLOBAL idListArray_ = nullptr;
};

// A control's drop target: each call goes to the control's handler of the same purpose.
template <class Owner> class TUiControlDropTarget : public IDropTarget_NRC {
public:
    explicit TUiControlDropTarget(Owner* owner) : owner_(owner) {}
    virtual ~TUiControlDropTarget() = default;
    TUiControlDropTarget(const TUiControlDropTarget&) = delete;
    TUiControlDropTarget& operator=(const TUiControlDropTarget&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *object = static_cast<IDropTarget_NRC*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                        DWORD* effect) override {
        return Guarded(*effect, [&] {
            return owner_->OnDropTarget_DragEnter(data, keyState, point, *effect);
        });
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override {
        return Guarded(*effect,
                       [&] { return owner_->OnDropTarget_DragOver(keyState, point, *effect); });
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        DWORD none = DROPEFFECT_NONE;
        return Guarded(none, [&] { return owner_->OnDropTarget_DragLeave(); });
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point,
                                   DWORD* effect) override {
        return Guarded(*effect,
                       [&] { return owner_->OnDropTarget_Drop(data, keyState, point, *effect); });
    }

private:
    // No exception crosses back into OLE: a failing handler drops nothing.
    template <class Call> static HRESULT Guarded(DWORD& effect, Call call) {
        try {
            return call();
        } catch (...) {
            effect = DROPEFFECT_NONE;
            return E_UNEXPECTED;
        }
    }

    Owner* owner_;
    ULONG references_ = 0;
};

// The drop source of a drag started with one mouse button: pressing another button or Escape
// cancels, releasing the drag button drops.
class TDropSource_shlvtv : public IDropSource_NRC {
public:
    explicit TDropSource_shlvtv(TMouseButton button);
    virtual ~TDropSource_shlvtv() = default;
    TDropSource_shlvtv(const TDropSource_shlvtv&) = delete;
    TDropSource_shlvtv& operator=(const TDropSource_shlvtv&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

private:
    LONG references_ = 0;
    DWORD dragButton_;
};
