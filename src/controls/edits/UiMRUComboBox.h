// A framed combo box keeping a history of the texts accepted in it, most recent first, saved
// in and reloaded from the settings store, with a context menu that can drop the shown text.
#pragma once

#include "UiCustomComboBox.h"
#include "UiRegIniFile.h"
#include "cl_menus.h"

class TUiMRUComboBox : public TUiCustomComboBox {
    CL_COMPONENT_CLASS(TUiMRUComboBox, TUiCustomComboBox)

    explicit TUiMRUComboBox(TComponent* owner);

    int MaxHistory() const { return maxHistory_; }
    void SetMaxHistory(int value) { maxHistory_ = value; }
    const AnsiString& MruPath() const { return mruPath_; }
    void SetMruPath(const AnsiString& value) { mruPath_ = value; }
    TUiRegIniFile* MruRegIniFile() const { return mruRegIniFile_; }
    virtual void SetMruRegIniFile(TUiRegIniFile* value);
    const AnsiString& MruSection() const { return mruSection_; }
    void SetMruSection(const AnsiString& value) { mruSection_ = value; }
    const AnsiString& MruID() const { return mruID_; }
    void SetMruID(const AnsiString& value) { mruID_ = value; }
    const AnsiString& RemoveItemCaption() const { return removeItemCaption_; }
    void SetRemoveItemCaption(const AnsiString& value);
    bool SelectFirstItemOnLoad() const { return selectFirstItemOnLoad_; }
    void SetSelectFirstItemOnLoad(bool value) { selectFirstItemOnLoad_ = value; }
    TPopupMenu* EmbeddedMenu() const { return menu_; }

    // Reads the history: without `reorder` texts not yet listed are added at the end; with it
    // the saved order comes first.
    virtual void LoadMRUData(bool reorder);
    virtual void SaveMRUData();
    // Moves the shown text to the top of the history (adding it when new) and saves.
    virtual void UpdateMRUList();
    void UpdateMRUListFromCloseUp();

    TNotifyEvent OnEnterKeyPressed;
    TNotifyEvent OnEscapeKeyPressed;

protected:
    ~TUiMRUComboBox() override = default;

    virtual void CreatePopupMenuItems();
    virtual void InitializePopupMenuItems();
    virtual void AddMenuItemsToPopupMenu();
    virtual void SetupMenuItem(TMenuItem* item, const AnsiString& caption, bool checked,
                               bool radioItem, int groupIndex, TShortCut shortCut,
                               TNotifyEvent onClick);
    virtual void EnterKeyPressed() { if (OnEnterKeyPressed) OnEnterKeyPressed(this); }
    virtual void EscapeKeyPressed() { if (OnEscapeKeyPressed) OnEscapeKeyPressed(this); }

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void CreateWnd() override;
    void KeyPress(char& key) override;
    void CloseUp() override;
    void DoExit() override;
    void ComboWndProc(TMessage& message, HWND window, WNDPROC previous) override;

    void MnuUndoClickHandler(TObject* sender);
    void MnuCutClickHandler(TObject* sender);
    void MnuCopyClickHandler(TObject* sender);
    void MnuPasteClickHandler(TObject* sender);
    void MnuDeleteClickHandler(TObject* sender);
    void MnuSelectAllClickHandler(TObject* sender);
    void MnuRemoveItemClickHandler(TObject* sender);
    void EmbeddedMenuPopupHandler(TObject* sender);

private:
    enum { miUndo, miSep1, miCut, miCopy, miPaste, miDelete, miSep2, miSelectAll, miSep3,
           miRemove, MenuItemCount };
    bool CanUseStore() const;
    // Runs `work` on MruRegIniFile, or on a registry store at MruPath made for the call.
    void WithStore(const std::function<void(TUiRegIniFile*)>& work);
    AnsiString ItemKey(int index) const { return mruID_ + "_Item" + IntToStr(index); }

    int maxHistory_ = 25;
    AnsiString mruPath_;
    TUiRegIniFile* mruRegIniFile_ = nullptr;
    AnsiString mruSection_;
    AnsiString mruID_;
    AnsiString removeItemCaption_ = "&Remove item from history list";
    bool selectFirstItemOnLoad_ = false;
    bool loaded_ = false;
    TPopupMenu* menu_;
    TMenuItem* items_[MenuItemCount] = {};
    int menuItemCounter_ = 0;
};
