// The shell and OLE interfaces the shell controls talk through, the identifiers they need, and
// the start of COM for them. Interface pointers are plain; their holders count references.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlguid.h>
#include <isguids.h>

// The platform headers declare each interface as an abstract class whose virtual methods are
// the interface's own, in its published table order, with the COM calling convention; so an
// object of ours deriving from one of them must implement every method, and a pointer the shell
// hands out is used through it as it is. "NRC": nothing counts references behind the caller's
// back; whoever stores a pointer calls AddRef, whoever drops it calls Release.
using IUnknown_NRC = IUnknown;
using IOleWindow_NRC = IOleWindow;
using IMalloc_NRC = IMalloc;
using IShellDetails_NRC = IShellDetails;
using IContextMenu_NRC = IContextMenu;
using IContextMenu2_NRC = IContextMenu2;
using IEnumIDList_NRC = IEnumIDList;
using IShellFolder_NRC = IShellFolder;
using IShellFolder2_NRC = IShellFolder2;
using IShellLink_NRC = IShellLinkA;
using IEnumFormatEtc_NRC = IEnumFORMATETC;
using IDataObject_NRC = IDataObject;
using IDropTarget_NRC = IDropTarget;
using IDropSource_NRC = IDropSource;

using TShColInfo = SHELLDETAILS;
using TStrRet = STRRET;
using TCMInvokeCommandInfo = CMINVOKECOMMANDINFO;

// The class and interface identifiers (CLSID_InternetShortcut, IID_IShellFolder,
// IID_IShellFolder2, IID_IShellDetails, IID_IContextMenu2, IID_IShellLinkA ...) are the
// platform's own, from the uuid library.

// COM on the calling thread for the shell controls: Start calls CoInitialize and remembers
// whether that started COM here (S_OK exactly); Stop uninitialises only in that case, so COM
// that someone else started on the thread stays up.
class TUiComStartup {
public:
    void Start();
    void Stop();
    bool StartedHere() const { return startedHere_; }

private:
    bool startedHere_ = false;
};

// The subsystem's own start, made on the main thread at the first call and stopped when the
// program ends.
const TUiComStartup& ShellComStartup();
