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
