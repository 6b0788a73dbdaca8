// The shell combo: a drop-down of shell folders like an address box (the desktop, its folders,
// the drives and the chain down to the selected folder) that a tree or list follows.
#pragma once

#include <set>

#include "UiImageComboBox.h"
#include "UiShellItemData.h"
#include "UiShellLocator.h"
#include "UiShellPidls.h"

class TUiCustomShellTree;
class TUiCustomShellList;
class TTreeNode;

enum TUiShellComboOption { scoAutofill, scoNonFilesystemAncestors };
using TUiShellComboOptions = std::set<TUiShellComboOption>;

class TUiCustomShellCombo : public TUiCustomImageComboBox {
    CL_COMPONENT_CLASS(TUiCustomShellCombo, TUiCustomImageComboBox)

    explicit TUiCustomShellCombo(TComponent* owner);
    void BeforeDestruction() override;

    TUiShellLocator* GetSelectedFolder() const { return selectedFolder_; }
    void SetSelectedFolder(TUiShellLocator* locator) { selectedFolder_->Assign(locator); }
    // The data of the row; raises EInvalidCast for a row of another kind.
    TUiShellComboData* GetShellComboData(int index);
    TUiCustomShellList* ShellList() const { return shellList_; }
    void SetShellList(TUiCustomShellList* list);
    TUiCustomShellTree* ShellTree() const { return shellTree_; }
    void SetShellTree(TUiCustomShellTree* tree);
    const TUiShellComboOptions& Options() const { return options_; }
    void SetOptions(const TUiShellComboOptions& options) { options_ = options; }
    bool AutoDropDownCount() const { return autoDropDownCount_; }
    void SetAutoDropDownCount(bool value) { autoDropDownCount_ = value; }

    // Rebuilds the rows for the selected folder.
    void FillItems();
    virtual void FillCombo(IShellFolder_NRC* folder, LPCITEMIDLIST parentAbsIdList, int level,
                           TUiIdListArray& chain);
    virtual bool CanAdd(IShellFolder_NRC* folder, LPCITEMIDLIST parentAbsIdList,
                        LPCITEMIDLIST itemRelIdList, ULONG attributes, int level);
    virtual void TreeChanged(TTreeNode* node);
    virtual void SelectedFolderChanged(TObject* sender);
    void GoUp(int levels);
    void Synchronize(bool all);

    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

protected:
    ~TUiCustomShellCombo() override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DeleteItem(int index, void* data) override;
    void GetItemData(TUiImageComboBoxItem* item) override;
    void SelEndOk() override;
    void DropDown() override;
    void Dispatch(TMessage& message) override;

private:
    TUiImageComboBoxItem* AddShellItem(const AnsiString& caption, int image, int indent,
                                       IShellFolder_NRC* folder, LPCITEMIDLIST parent,
                                       LPCITEMIDLIST item, ULONG attributes);
    void AddChainBelow(IShellFolder_NRC* folder, LPCITEMIDLIST parentAbsIdList, int level,
                       TUiIdListArray& chain);
    TUiShellComboData* DataOf(TUiImageComboBoxItem* item);

    TCustomImageList* images_;
    TUiShellLocator* selectedFolder_;
    int folderChangeGuard_ = 0;
    TUiCustomShellTree* shellTree_ = nullptr;
    TUiCustomShellList* shellList_ = nullptr;
    TUiShellComboOptions options_ = {scoAutofill, scoNonFilesystemAncestors};
    bool autoDropDownCount_ = true;
    int selectedRow_ = -1;
};

class TUiShellCombo : public TUiCustomShellCombo {
    CL_COMPONENT_CLASS(TUiShellCombo, TUiCustomShellCombo)

    explicit TUiShellCombo(TComponent* owner) : TUiCustomShellCombo(owner) {}

protected:
    ~TUiShellCombo() override = default;
};
