#include "UiMRUComboBox.h"

#include "cl_clipboard.h"

namespace {

// A string of the system shell library, empty when it lacks one.
AnsiString ShellString(UINT id) {
    HMODULE shell = LoadLibraryA("Shell32");
    if (!shell) return "";
    char buffer[256] = {};
    const int length = LoadStringA(shell, id, buffer, 255);
    FreeLibrary(shell);
    return AnsiString(buffer, Max(length, 0));
}

const bool mruPropertiesRegistered = [] {
    using C = TUiMRUComboBox;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, OrdinalProperty<C>("MaxHistory", pkInteger, &C::MaxHistory,
                                              &C::SetMaxHistory, 25));
    RegisterProperty(meta, OrdinalProperty<C>("SelectFirstItemOnLoad", pkBool,
                                              &C::SelectFirstItemOnLoad,
                                              &C::SetSelectFirstItemOnLoad, false));
    RegisterProperty(meta, StringProperty<C>("MruPath", &C::MruPath, &C::SetMruPath));
    RegisterProperty(meta, StringProperty<C>("MruSection", &C::MruSection, &C::SetMruSection));
    RegisterProperty(meta, StringProperty<C>("MruID", &C::MruID, &C::SetMruID));
    RegisterProperty(meta, StringProperty<C>("RemoveItemCaption", &C::RemoveItemCaption,
                                             &C::SetRemoveItemCaption));
    return true;
}();

}  // namespace

TUiMRUComboBox::TUiMRUComboBox(TComponent* owner)
    : TUiCustomComboBox(owner), menu_(new TPopupMenu(this)) {
    SetSorted(false);
    CreatePopupMenuItems();
    InitializePopupMenuItems();
    AddMenuItemsToPopupMenu();
    menu_->OnPopup = [this](TObject* sender) { EmbeddedMenuPopupHandler(sender); };
    SetPopupMenu(menu_);
}

void TUiMRUComboBox::CreatePopupMenuItems() {
    for (TMenuItem*& item : items_) item = new TMenuItem(menu_);
}

void TUiMRUComboBox::InitializePopupMenuItems() {
    auto handler = [this](void (TUiMRUComboBox::*method)(TObject*)) -> TNotifyEvent {
        return [this, method](TObject* sender) { (this->*method)(sender); };
    };
    const TNotifyEvent none;
    SetupMenuItem(items_[miUndo], ShellString(33563), false, false, 0, scNone,
                  handler(&TUiMRUComboBox::MnuUndoClickHandler));
    SetupMenuItem(items_[miSep1], "-", false, false, 0, scNone, none);
    SetupMenuItem(items_[miCut], ShellString(33560), false, false, 0, scNone,
                  handler(&TUiMRUComboBox::MnuCutClickHandler));
    SetupMenuItem(items_[miCopy], ShellString(33561), false, false, 0, scNone,
                  handler(&TUiMRUComboBox::MnuCopyClickHandler));
    SetupMenuItem(items_[miPaste], ShellString(33562), false, false, 0, scNone,
                  handler(&TUiMRUComboBox::MnuPasteClickHandler));
    SetupMenuItem(items_[miDelete], ShellString(33553), false, false, 0, scNone,
                  handler(&TUiMRUComboBox::MnuDeleteClickHandler));
    SetupMenuItem(items_[miSep2], "-", false, false, 0, scNone, none);
    SetupMenuItem(items_[miSelectAll], ShellString(4171), false, false, 0, scNone,
                  handler(&TUiMRUComboBox::MnuSelectAllClickHandler));
    SetupMenuItem(items_[miSep3], "-", false, false, 0, scNone, none);
    SetupMenuItem(items_[miRemove], removeItemCaption_, false, false, 0, scNone,
                  handler(&TUiMRUComboBox::MnuRemoveItemClickHandler));
}

void TUiMRUComboBox::AddMenuItemsToPopupMenu() {
    for (TMenuItem* item : items_) menu_->Items()->Add(item);
}

void TUiMRUComboBox::SetupMenuItem(TMenuItem* item, const AnsiString& caption, bool checked,
                                   bool radioItem, int groupIndex, TShortCut shortCut,
                                   TNotifyEvent onClick) {
    item->SetCaption(caption);
    item->SetChecked(checked);
    item->SetRadioItem(radioItem);
    item->SetGroupIndex(static_cast<uint8_t>(groupIndex));
    item->SetShortCut(shortCut);
    item->OnClick = std::move(onClick);
    item->SetTag(menuItemCounter_++);
}

void TUiMRUComboBox::SetRemoveItemCaption(const AnsiString& value) {
    removeItemCaption_ = value;
    items_[miRemove]->SetCaption(value);
}

void TUiMRUComboBox::SetMruRegIniFile(TUiRegIniFile* value) {
    if (value == mruRegIniFile_) return;
    if (mruRegIniFile_) mruRegIniFile_->RemoveFreeNotification(this);
    mruRegIniFile_ = value;
    if (value) value->FreeNotification(this);
}

void TUiMRUComboBox::Notification(TComponent* component, TOperation operation) {
    TUiCustomComboBox::Notification(component, operation);
    if (operation == opRemove && component == mruRegIniFile_) mruRegIniFile_ = nullptr;
}

bool TUiMRUComboBox::CanUseStore() const {
    return (!mruPath_.IsEmpty() || mruRegIniFile_) && !mruSection_.IsEmpty() &&
           !mruID_.IsEmpty();
}

void TUiMRUComboBox::WithStore(const std::function<void(TUiRegIniFile*)>& work) {
    if (mruRegIniFile_) return work(mruRegIniFile_);
    TOwnedPtr<TUiRegIniFile> store(new TUiRegIniFile(this));
    store->SetPathType(ptRegistry);
    store->SetPath(mruPath_);
    work(store.get());
}

void TUiMRUComboBox::LoadMRUData(bool reorder) {
    if (!CanUseStore() || InState(csDesigning)) return;
    WithStore([&](TUiRegIniFile* store) {
        const int count = store->ReadInteger(mruSection_, mruID_ + "_Count", 0);
        // Entries go to consecutive places: an empty saved entry leaves no gap.
        int place = 0;
        for (int i = 0; i < count; ++i) {
            const AnsiString text = store->ReadString(mruSection_, ItemKey(i), "");
            if (text.IsEmpty()) continue;
            int index = Items()->IndexOf(text);
            if (index < 0) index = Items()->Add(text);
            if (reorder) Items()->Move(index, Min(place++, Items()->Count() - 1));
        }
    });
    if (selectFirstItemOnLoad_ && Items()->Count() > 0) SetItemIndex(0);
    loaded_ = true;
}

void TUiMRUComboBox::SaveMRUData() {
    if (!CanUseStore()) return;
    WithStore([&](TUiRegIniFile* store) {
        const int count = Min(Items()->Count(), maxHistory_);
        store->WriteInteger(mruSection_, mruID_ + "_Count", count);
        for (int i = 0; i < count; ++i) store->WriteString(mruSection_, ItemKey(i), Items()->Get(i));
        for (int i = count; i < maxHistory_; ++i) store->DeleteKey(mruSection_, ItemKey(i));
    });
}

void TUiMRUComboBox::UpdateMRUList() {
    const AnsiString text = GetText();
    if (text.IsEmpty()) return;
    const int index = Items()->IndexOf(text);
    if (index < 0) {
        Items()->Insert(0, text);
    } else {
        Items()->Move(index, 0);
        if (Style() == csDropDownList) {
            SetItemIndex(0);
        } else {
            const bool complete = AutoComplete();
            SetAutoComplete(false);
            SetText(text);
            SetAutoComplete(complete);
        }
    }
    SaveMRUData();
}

void TUiMRUComboBox::UpdateMRUListFromCloseUp() {
    const int index = ItemIndex();
    if (index < 0) return;
    Items()->Move(index, 0);
    SetItemIndex(0);
    SaveMRUData();
}

void TUiMRUComboBox::Loaded() {
    TUiCustomComboBox::Loaded();
    LoadMRUData(true);
}

void TUiMRUComboBox::CreateWnd() {
    TUiCustomComboBox::CreateWnd();
    if (!InState(csLoading) && !loaded_ && CanUseStore()) LoadMRUData(false);
}

void TUiMRUComboBox::KeyPress(char& key) {
    if (key == VK_RETURN && !DroppedDown()) {
        UpdateMRUList();
        EnterKeyPressed();
        if (TabOnEnter()) {
            key = 0;
            PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
        }
        return;
    }
    if (key == VK_ESCAPE) return EscapeKeyPressed();
    TUiCustomComboBox::KeyPress(key);
}

void TUiMRUComboBox::CloseUp() {
    TUiCustomComboBox::CloseUp();
    UpdateMRUListFromCloseUp();
}

void TUiMRUComboBox::DoExit() {
    TUiCustomComboBox::DoExit();
    UpdateMRUList();
}

void TUiMRUComboBox::ComboWndProc(TMessage& message, HWND window, WNDPROC previous) {
    if (message.Msg == WM_CONTEXTMENU) {
        message.Result = Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()),
                                 message.LParam);
        return;
    }
    TUiCustomComboBox::ComboWndProc(message, window, previous);
}

void TUiMRUComboBox::MnuUndoClickHandler(TObject*) {
    if (HWND edit = EditHandle()) SendMessageA(edit, EM_UNDO, 0, 0);
}

void TUiMRUComboBox::MnuCutClickHandler(TObject*) { Perform(WM_CUT, 0, 0); }
void TUiMRUComboBox::MnuCopyClickHandler(TObject*) { Perform(WM_COPY, 0, 0); }
void TUiMRUComboBox::MnuPasteClickHandler(TObject*) { Perform(WM_PASTE, 0, 0); }
void TUiMRUComboBox::MnuDeleteClickHandler(TObject*) { Perform(WM_CLEAR, 0, 0); }

void TUiMRUComboBox::MnuSelectAllClickHandler(TObject*) {
    SendMessageA(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void TUiMRUComboBox::MnuRemoveItemClickHandler(TObject*) {
    const int index = Items()->IndexOf(GetText());
    if (index >= 0) {
        Items()->Delete(index);
        SaveMRUData();
    }
    SetText("");
    Change();
}

void TUiMRUComboBox::EmbeddedMenuPopupHandler(TObject*) {
    SetFocus();
    if (!Focused()) return;
    const bool selected = SelLength() > 0;
    const bool hasText = !GetText().IsEmpty();
    HWND edit = EditHandle();
    items_[miUndo]->SetEnabled(edit && SendMessageA(edit, EM_CANUNDO, 0, 0) != 0);
    items_[miCut]->SetEnabled(selected);
    items_[miCopy]->SetEnabled(selected);
    items_[miDelete]->SetEnabled(selected);
    items_[miPaste]->SetEnabled(!Clipboard()->AsText().IsEmpty());
    items_[miSelectAll]->SetEnabled(hasText);
    items_[miRemove]->SetEnabled(hasText);
}
