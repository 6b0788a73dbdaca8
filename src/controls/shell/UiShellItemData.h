// The data each shell tree node, list item and combo item carries: the item's PIDLs and what
// is costly to ask the shell for again (bound folders, display name, column texts).
#pragma once

#include "UiShellIntf.h"
#include "cl_component.h"
#include "cl_string.h"

class TUiCustomShellTree;
class TUiCustomShellCombo;

// A tree node's item: its PIDL relative to the parent node's folder, the absolute PIDL and the
// folders bound for it, computed on demand.
class TUiShellTreeData : public TObject {
    CL_CLASS(TUiShellTreeData, TObject)

    explicit TUiShellTreeData(TUiCustomShellTree* owner) : owner_(owner) {}
    ~TUiShellTreeData() override;
    TUiShellTreeData(const TUiShellTreeData&) = delete;
    TUiShellTreeData& operator=(const TUiShellTreeData&) = delete;

    // A child node takes the PIDL as relative to its parent; a root node (no parent data) as
    // absolute.
    void SetData(TUiShellTreeData* parentData, LPCITEMIDLIST pidl);
    // The item's new relative PIDL, after a rename.
    void SetRelPidl(LPCITEMIDLIST pidl);
    // Drops the cached absolute PIDL (of a child) and folder, to be computed again.
    void Flush();

    TUiCustomShellTree* Owner() const { return owner_; }
    TUiShellTreeData* ParentData() const { return parent_; }
    LPCITEMIDLIST RelPidl() const { return rel_; }
    // Owned by the data.
    LPCITEMIDLIST GetAbsPidl();
    // The item's own folder (no reference added); null when it cannot be bound.
    IShellFolder_NRC* GetThisIShf();
    // The folder holding the item (no reference added); null when it cannot be had.
    IShellFolder_NRC* GetParentIShf();
    ULONG GetAttributes();
    bool GetEditable();
    AnsiString GetPathName();
    HRESULT GetIDropTarget(HWND owner, IDropTarget_NRC*& target);
    // "C:" or "C:\".
    bool IsRootDir();

private:
    void FreeLists();
    void ReleaseThisFolder();

    TUiCustomShellTree* owner_;
    TUiShellTreeData* parent_ = nullptr;
    LPITEMIDLIST rel_ = nullptr;
    LPITEMIDLIST abs_ = nullptr;
    IShellFolder_NRC* thisFolder_ = nullptr;
    IShellFolder_NRC* parentFolder_ = nullptr;
};

// What list items read of their list: the folder it shows and how it counts items.
class TUiShellListDataOwner {
public:
    virtual IShellFolder_NRC* CurrentFolder() = 0;
    virtual LPCITEMIDLIST CurrentFolderIdList() = 0;
    // The column-details source of the current folder, or null.
    virtual IShellDetails_NRC* CurrentFolderDetails() = 0;
    // The option sloFilesCanBeFolders: stream folders (ZIP files) count as folders.
    virtual bool FilesCanBeFolders() = 0;

protected:
    ~TUiShellListDataOwner() = default;
};

// A list item: its PIDL relative to the list's folder, and cached texts.
class TUiShellListData : public TObject {
    CL_CLASS(TUiShellListData, TObject)

    explicit TUiShellListData(TUiShellListDataOwner* owner) : owner_(owner) {}
    ~TUiShellListData() override;
    TUiShellListData(const TUiShellListData&) = delete;
    TUiShellListData& operator=(const TUiShellListData&) = delete;

    // Takes the relative PIDL over, without copying.
    void SetData(LPITEMIDLIST pidl);
    void Flush();

    LPCITEMIDLIST RelPidl() const { return rel_; }
    // Owned by the data.
    LPCITEMIDLIST GetAbsoluteIdList();
    ULONG GetAttributes();
    bool IsFolder();
    bool IsFileSystem();
    bool GetEditable();
    bool IsValid();
    bool IsLnkShortcut();
    AnsiString GetDisplayName();
    AnsiString GetPathName();
    AnsiString GetFilename();
    // The text of a details column; column 0 (the name) is empty.
    AnsiString GetColText(int column);
    void GetExtraData();
    AnsiString GetSize();
    AnsiString GetFileType();
    AnsiString GetModified();

private:
    TUiShellListDataOwner* owner_;
    LPITEMIDLIST abs_ = nullptr;
    LPITEMIDLIST rel_ = nullptr;
    AnsiString displayName_;
    bool displayNameValid_ = false;
    bool extraDataValid_ = false;
    AnsiString size_;
    AnsiString type_;
    AnsiString modified_;
};

// A combo item: its parent folder and PIDLs, and its own folder bound on demand.
class TUiShellComboData : public TObject {
    CL_CLASS(TUiShellComboData, TObject)

    explicit TUiShellComboData(TUiCustomShellCombo* owner) : owner_(owner) {}
    ~TUiShellComboData() override;
    TUiShellComboData(const TUiShellComboData&) = delete;
    TUiShellComboData& operator=(const TUiShellComboData&) = delete;

    // Copies the lists and keeps a reference to the folder.
    void SetData(IShellFolder_NRC* parentFolder, LPCITEMIDLIST parentPidl, LPCITEMIDLIST pidl);

    TUiCustomShellCombo* Owner() const { return owner_; }
    IShellFolder_NRC* ParentFolder() const { return parentFolder_; }
    LPCITEMIDLIST ParentIdList() const { return parentList_; }
    LPCITEMIDLIST RelPidl() const { return rel_; }
    LPCITEMIDLIST AbsPidl() const { return abs_; }
    // The item's own folder (no reference added). Raises EOleSysError when it cannot be bound.
    IShellFolder_NRC* GetThisIShf();

private:
    void Clear();

    TUiCustomShellCombo* owner_;
    IShellFolder_NRC* parentFolder_ = nullptr;
    LPITEMIDLIST parentList_ = nullptr;
    LPITEMIDLIST rel_ = nullptr;
    LPITEMIDLIST abs_ = nullptr;
    IShellFolder_NRC* thisFolder_ = nullptr;
};

extern const char* const SUiShSystemFolder;  // System Folder
extern const char* const SUiShSizeKB;        // %sKB
