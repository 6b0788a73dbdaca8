// The shell locator, the persistent value with which the shell controls and dialogs designate
// a folder (by PIDL or special folder), and the column-details source of a folder.
#pragma once

#include <cstdint>

#include "UiShellUtils.h"
#include "cl_component.h"
#include "cl_streams.h"
#include "cl_types.h"

enum TUiShellLocator_Which : std::uint8_t { usePidl, useCSIDL };

// Designates a folder by an absolute PIDL (null: the desktop) or a special folder. The
// locator owns its PIDL (the special folder's resolved list is cached there too); lists handed
// to it are copied. Streams itself as the binary property "Pidl".
class TUiShellLocator : public TPersistent {
    CL_CLASS(TUiShellLocator, TPersistent)

    TUiShellLocator();
    ~TUiShellLocator() override;

    TUiShellLocator_Which Which() const { return which_; }
    // The designated folder's PIDL, still owned by the locator; null for the desktop or a
    // special folder that the shell cannot resolve.
    LPCITEMIDLIST GetIdList();
    void SetIdList(LPCITEMIDLIST pidl);
    // csidlNone unless a special folder is designated.
    TCSIDL GetCSIDL() const;
    void SetCSIDL(TCSIDL csidl);
    AnsiString GetPathName();
    // A path that does not parse designates the desktop.
    void SetPathName(const AnsiString& path);
    void Clear() { SetIdList(nullptr); }
    bool IsEqual(TUiShellLocator* other);

    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;
    virtual void Changed();

    TNotifyEvent OnChange;

private:
    void FreeIdList();
    void ReadData(TStream* stream);
    void WriteData(TStream* stream);

    TUiShellLocator_Which which_ = usePidl;
    LPITEMIDLIST idList_ = nullptr;
    TCSIDL csidl_ = csidlDesktop;
};

// Column details of a folder that has only the newer IShellFolder2: the columns it shows by
// default, through IShellDetails. Counts its own references; the last Release frees it.
class TShellFolder2ToShellDetailsAdapter : public IShellDetails_NRC {
public:
    explicit TShellFolder2ToShellDetailsAdapter(IShellFolder2_NRC* folder);
    virtual ~TShellFolder2ToShellDetailsAdapter();
    TShellFolder2ToShellDetailsAdapter(const TShellFolder2ToShellDetailsAdapter&) = delete;
    TShellFolder2ToShellDetailsAdapter& operator=(const TShellFolder2ToShellDetailsAdapter&) =
        delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // E_INVALIDARG for a column the folder does not show by default.
    HRESULT STDMETHODCALLTYPE GetDetailsOf(PCUITEMID_CHILD pidl, UINT column,
                                           SHELLDETAILS* details) override;
    HRESULT STDMETHODCALLTYPE ColumnClick(UINT column) override;

private:
    LONG references_ = 0;
    IShellFolder2_NRC* folder_;
};

// The column-details source of a folder, or null; the caller releases it.
IShellDetails_NRC* GetFolderShellDetails(IShellFolder_NRC* folder);

// What the shell controls set up once per process: OLE, the "Shell IDList Array" clipboard
// format and the mouse-hover metrics of drag-hover expansion.
struct TUiShellControlsUnit {
    UINT ShellIdListFormat = 0;
    UINT MouseHoverTime = 400;
    UINT MouseHoverWidth = 2;
    UINT MouseHoverHeight = 2;
};
const TUiShellControlsUnit& ShellControlsUnit();
