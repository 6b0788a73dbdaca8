// The folder dialog component: shows the shell's folder browser with a title, a root folder and
// browse options, and gives the chosen folder's path and the full paths of its files.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <set>

#include "cl_component.h"

class TStringList;

enum TBrowseFolderOption {
    bfComputer, bfPrinter, bfNotBelowDomain, bfFSAncestors, bfOnlyDirs, bfStatusText
};
using TBrowseFolderOptions = std::set<TBrowseFolderOption>;

class TFolderDialog : public TComponent {
    CL_COMPONENT_CLASS(TFolderDialog, TComponent)

    explicit TFolderDialog(TComponent* owner);
    void BeforeDestruction() override;

    // Shows the browser; true when a folder was chosen. A cancelled browser empties the path.
    bool Execute();
    // Selects a folder without showing the browser; a path the shell cannot open changes
    // neither the path nor the items.
    void SetPath(const AnsiString& path);
    // The folder at which browsing starts; an empty text leaves the root as it was.
    void SetRoot(const AnsiString& folder);
    UINT BuildBrowseFlags() const;

    const AnsiString& Path() const { return path_; }
    // Full paths of the chosen folder's files (its sub-folders left out).
    TStringList* Items() const { return items_; }
    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& title) { title_ = title; }
    const AnsiString& RootDir() const { return rootDir_; }
    const AnsiString& ControlVersion() const { return controlVersion_; }
    // The version is fixed: the setter stores nothing.
    void SetControlVersion(const AnsiString&) {}
    const TBrowseFolderOptions& Options() const { return options_; }
    void SetOptions(const TBrowseFolderOptions& options) { options_ = options; }

private:
    static int CALLBACK BrowseCallback(HWND dialog, UINT notice, LPARAM, LPARAM data);
    // Refills the items from `folder` and takes `idList` as the chosen folder's; false when
    // the shell cannot open it as a folder.
    bool TakeFolder(IShellFolder* desktop, LPITEMIDLIST idList);
    void FreeIdList(LPITEMIDLIST& idList);

    AnsiString title_;
    AnsiString path_;
    AnsiString rootDir_;
    AnsiString controlVersion_ = "1.00.00";
    TStringList* items_;
    TBrowseFolderOptions options_ = {bfOnlyDirs};
    LPITEMIDLIST pathIdList_ = nullptr;
    LPITEMIDLIST rootIdList_ = nullptr;
};

// The text of a shell display name, whatever its kind; an unknown kind gives
// "Unrecognized uType: " and the kind.
AnsiString StrRetText(STRRET& name, LPCITEMIDLIST idList);
