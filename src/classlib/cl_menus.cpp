#include "cl_menus.h"

#include <algorithm>
#include <map>

#include "cl_controls.h"
#include "cl_filer.h"
#include "cl_forms.h"
#include "cl_graphics.h"
#include "cl_imagelist.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Shortcut texts.
struct KeyName {
    uint16_t key;
    const char* name;
};

constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"},   {VK_RETURN, "Enter"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"},  {VK_NEXT, "PgDn"},    {VK_END, "End"},
    {VK_HOME, "Home"},   {VK_LEFT, "Left"},   {VK_UP, "Up"},        {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},  {VK_DELETE, "Del"},   {VK_ADD, "Num +"},
    {VK_SUBTRACT, "Num -"}, {VK_MULTIPLY, "Num *"}, {VK_DIVIDE, "Num /"},
};

struct ModifierName {
    TShortCut bit;
    const char* prefix;
};

constexpr ModifierName kModifierNames[] = {
    {scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

AnsiString KeyToText(uint16_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return AnsiString(static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + IntToStr(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return "Num " + IntToStr(key - VK_NUMPAD0);
    for (const KeyName& entry : kKeyNames)
        if (entry.key == key) return entry.name;
    return AnsiString();
}

uint16_t TextToKey(const AnsiString& text) {
    for (int key = 1; key <= 0xFF; ++key) {
        AnsiString name = KeyToText(static_cast<uint16_t>(key));
        if (!name.IsEmpty() && SameText(name, text)) return static_cast<uint16_t>(key);
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Command ids: one pool for every menu item of the process.
std::map<UINT, TMenuItem*>& Commands() {
    static std::map<UINT, TMenuItem*> commands;
    return commands;
}

UINT AllocateCommand(TMenuItem* item) {
    static UINT next = 0;
    auto& commands = Commands();
    do next = next % 0xEFFF + 1;
    while (commands.count(next));
    commands[next] = item;
    return next;
}

TOwnerDrawState ToOwnerDrawState(UINT itemState) {
    static const std::pair<UINT, TOwnerDrawStateItem> kStates[] = {
        {ODS_SELECTED, odSelected}, {ODS_GRAYED, odGrayed},     {ODS_DISABLED, odDisabled},
        {ODS_CHECKED, odChecked},   {ODS_FOCUS, odFocused},     {ODS_DEFAULT, odDefault},
        {ODS_HOTLIGHT, odHotLight}, {ODS_INACTIVE, odInactive}, {ODS_NOACCEL, odNoAccel},
        {ODS_NOFOCUSRECT, odNoFocusRect}, {ODS_COMBOBOXEDIT, odComboBoxEdit}};
    TOwnerDrawState state;
    for (const auto& [flag, item] : kStates)
        if (itemState & flag) state.insert(item);
    return state;
}

bool IsMenuCommand(const TMessage& message) {
    return message.Msg == WM_COMMAND && HIWORD(message.WParam) == 0 && message.LParam == 0;
}

bool DispatchMenuMessage(TWinControl*, TMessage& message) {
    switch (message.Msg) {
    case WM_COMMAND:
        return IsMenuCommand(message) && DispatchMenuCommand(LOWORD(message.WParam));
    case WM_MEASUREITEM:
        return DispatchMenuMeasureItem(*message.MeasureItemStruct());
    case WM_DRAWITEM:
        return DispatchMenuDrawItem(*message.DrawItemStruct());
    default:
        return false;
    }
}

void InstallMenuHooks() {
    if (MenuHooks.DispatchMessage) return;
    MenuHooks.DispatchMessage = DispatchMenuMessage;
    MenuHooks.Popup = [](TPopupMenu* menu, TControl* control, TPoint screenPos) {
        if (!menu->AutoPopup()) return false;
        menu->SetPopupComponent(control);
        menu->Popup(screenPos.X, screenPos.Y);
        return true;
    };
    MenuHooks.IsShortCut = [](TMainMenu* menu, TMessage& keyMessage) {
        return menu->IsShortCut(keyMessage.WParam);
    };
    MenuHooks.Handle = [](TMainMenu* menu) { return menu->Handle(); };
}

struct MenuWindowSearch {
    HMENU menu;
    HWND window;
};

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<MenuWindowSearch*>(data);
    if (GetMenu(window) != search->menu) return TRUE;
    search->window = window;
    return FALSE;
}

// A canvas on the screen with the menu font, for measuring.
class MenuMeasureCanvas {
public:
    MenuMeasureCanvas() {
        canvas_.SetHandle(dc_);
        canvas_.Font()->Assign(Screen ? Screen->MenuFont() : nullptr);
    }
    ~MenuMeasureCanvas() { canvas_.SetHandle(nullptr); }
    TCanvas* Canvas() { return &canvas_; }

private:
    ScreenDC dc_;
    TCanvas canvas_;
};

constexpr int kTextMargin = 6;
constexpr int kShortCutGap = 16;
constexpr int kGlyphArea = 16;

// The menus' published properties, for the component streams.
const bool menuPropertiesRegistered = [] {
    const TMetaClass* item = TMenuItem::StaticClass();
    RegisterProperty(item, StringProperty<TMenuItem>("Caption", &TMenuItem::Caption,
                                                     &TMenuItem::SetCaption));
    RegisterProperty(item, OrdinalProperty<TMenuItem>("Checked", pkBool, &TMenuItem::Checked,
                                                      &TMenuItem::SetChecked, false));
    RegisterProperty(item, OrdinalProperty<TMenuItem>("Default", pkBool, &TMenuItem::Default,
                                                      &TMenuItem::SetDefault, false));
    RegisterProperty(item, OrdinalProperty<TMenuItem>("Enabled", pkBool, &TMenuItem::Enabled,
                                                      &TMenuItem::SetEnabled, true));
    RegisterProperty(item, OrdinalProperty<TMenuItem>("GroupIndex", pkInteger,
                                                      &TMenuItem::GroupIndex,
                                                      &TMenuItem::SetGroupIndex, 0));
    RegisterProperty(item, StringProperty<TMenuItem>("Hint", &TMenuItem::Hint,
                                                     &TMenuItem::SetHint));
    RegisterProperty(item, OrdinalProperty<TMenuItem>("ImageIndex", pkInteger,
                                                      &TMenuItem::ImageIndex,
                                                      &TMenuItem::SetImageIndex, -1));
    RegisterProperty(item, OrdinalProperty<TMenuItem>("RadioItem", pkBool, &TMenuItem::RadioItem,
                                                      &TMenuItem::SetRadioItem, false));
    RegisterProperty(item, OrdinalProperty<TMenuItem>("ShortCut", pkInteger,
                                                      &TMenuItem::ShortCut,
                                                      &TMenuItem::SetShortCut, scNone));
    RegisterProperty(item, OrdinalProperty<TMenuItem>("Visible", pkBool, &TMenuItem::Visible,
                                                      &TMenuItem::SetVisible, true));
    const TMetaClass* menu = TMenu::StaticClass();
    RegisterProperty(menu, ComponentProperty<TMenu, TCustomImageList>("Images", &TMenu::Images,
                                                                      &TMenu::SetImages));
    RegisterProperty(menu, OrdinalProperty<TMenu>("OwnerDraw", pkBool, &TMenu::OwnerDraw,
                                                  &TMenu::SetOwnerDraw, false));
    const TMetaClass* popup = TPopupMenu::StaticClass();
    RegisterProperty(popup, EnumProperty<TPopupMenu>("Alignment", &TPopupMenu::Alignment,
                                                     &TPopupMenu::SetAlignment,
                                                     {"paLeft", "paRight", "paCenter"}, paLeft));
    RegisterProperty(popup, OrdinalProperty<TPopupMenu>("AutoPopup", pkBool,
                                                        &TPopupMenu::AutoPopup,
                                                        &TPopupMenu::SetAutoPopup, true));
    RegisterProperty(TCustomForm::StaticClass(),
                     ComponentProperty<TCustomForm, TMainMenu>("Menu", &TCustomForm::Menu,
                                                               &TCustomForm::SetMenu));
    return true;
}();

// The items that `root` owns, for the component streams.
void EnumerateOwnedItems(const std::vector<TMenuItem*>& items, const TGetChildProc& proc,
                         TComponent* root) {
    for (TMenuItem* item : std::vector<TMenuItem*>(items))
        if (item->Owner() == root) proc(item);
}

// The reader's parent while a menu or item reads its own items.
class ReaderParent {
public:
    ReaderParent(TReader* reader, TComponent* parent) : reader_(reader), saved_(reader->Parent()) {
        reader->SetParent(parent);
    }
    ~ReaderParent() { reader_->SetParent(saved_); }
    ReaderParent(const ReaderParent&) = delete;
    ReaderParent& operator=(const ReaderParent&) = delete;

private:
    TReader* reader_;
    TComponent* saved_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
TShortCut ShortCut(uint16_t key, const TShiftState& shift) {
    TShortCut result = key & 0xFF;
    if (shift.count(ssShift)) result |= scShift;
    if (shift.count(ssCtrl)) result |= scCtrl;
    if (shift.count(ssAlt)) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift.clear();
    if (shortCut & scShift) shift.insert(ssShift);
    if (shortCut & scCtrl) shift.insert(ssCtrl);
    if (shortCut & scAlt) shift.insert(ssAlt);
}

AnsiString ShortCutToText(TShortCut shortCut) {
    AnsiString key = KeyToText(shortCut & 0xFF);
    if (key.IsEmpty()) return key;
    AnsiString text;
    for (const ModifierName& modifier : kModifierNames)
        if (shortCut & modifier.bit) text += modifier.prefix;
    return text + key;
}

TShortCut TextToShortCut(const AnsiString& text) {
    AnsiString rest = text;
    TShortCut modifiers = 0;
    for (bool found = true; found;) {
        found = false;
        for (const ModifierName& modifier : kModifierNames) {
            AnsiString prefix = modifier.prefix;
            if (SameText(rest.SubString(1, prefix.Length()), prefix)) {
                modifiers |= modifier.bit;
                rest = rest.SubString(prefix.Length() + 1, rest.Length());
                found = true;
            }
        }
    }
    uint16_t key = TextToKey(rest);
    return key ? static_cast<TShortCut>(key | modifiers) : scNone;
}

TShiftState KeyboardShiftState() {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift.insert(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) shift.insert(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) shift.insert(ssAlt);
    return shift;
}

AnsiString StripHotkey(const AnsiString& text) {
    AnsiString result;
    for (int i = 1; i <= text.Length(); ++i) {
        if (text[i] == '&') {
            if (i == text.Length()) break;
            ++i;
        }
        result += text[i];
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {
    command_ = AllocateCommand(this);
}

TMenuItem::~TMenuItem() = default;

void TMenuItem::BeforeDestruction() {
    IncludeState(csDestroying);
    while (!items_.empty()) items_.back()->Free();
    if (parent_) parent_->Remove(this);
    if (handle_) DestroyMenu(handle_);
    handle_ = nullptr;
    Commands().erase(command_);
    TComponent::BeforeDestruction();
}

void TMenuItem::SetCaption(const AnsiString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Changed(true);
}

void TMenuItem::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (checked && radioItem_) UncheckGroupSiblings();
    Changed(true);
}

void TMenuItem::UncheckGroupSiblings() {
    if (!parent_) return;
    for (TMenuItem* sibling : parent_->items_)
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
            sibling->checked_ = false;
}

void TMenuItem::SetRadioItem(bool radioItem) {
    if (radioItem == radioItem_) return;
    radioItem_ = radioItem;
    if (checked_ && radioItem_) UncheckGroupSiblings();
    Changed(true);
}

void TMenuItem::SetGroupIndex(uint8_t groupIndex) {
    if (groupIndex == groupIndex_) return;
    groupIndex_ = groupIndex;
    if (checked_ && radioItem_) UncheckGroupSiblings();
    Changed(true);
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed(true);
}

void TMenuItem::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Changed(true);
}

void TMenuItem::SetDefault(bool isDefault) {
    if (isDefault == default_) return;
    if (isDefault && parent_)
        for (TMenuItem* sibling : parent_->items_) sibling->default_ = false;
    default_ = isDefault;
    Changed(true);
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (shortCut == shortCut_) return;
    shortCut_ = shortCut;
    Changed(true);
}

void TMenuItem::SetImageIndex(int imageIndex) {
    if (imageIndex == imageIndex_) return;
    imageIndex_ = imageIndex;
    Changed(true);
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EMenuError("Menu index out of range (" + IntToStr(index) + ")");
    return items_[index];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item->parent_) throw EMenuError("Menu inserted twice");
    if (index < 0 || index > Count())
        throw EMenuError("Menu index out of range (" + IntToStr(index) + ")");
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    if (item->checked_ && item->radioItem_) item->UncheckGroupSiblings();
    RebuildHandle();
    if (Count() == 1) Changed(true);
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) throw EMenuError("Menu item not found");
    items_.erase(it);
    item->parent_ = nullptr;
    if (InState(csDestroying)) return;
    RebuildHandle();
    if (items_.empty()) Changed(true);
}

void TMenuItem::Delete(int index) { Items(index)->Free(); }

void TMenuItem::Clear() {
    while (!items_.empty()) items_.back()->Free();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const AnsiString& caption) const {
    AnsiString wanted = StripHotkey(caption);
    for (TMenuItem* item : items_)
        if (SameText(StripHotkey(item->caption_), wanted)) return item;
    return nullptr;
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

TComponent* TMenuItem::GetParentComponent() const {
    if (parent_ && parent_->menu_) return parent_->menu_;
    return parent_;
}

void TMenuItem::GetChildren(const TGetChildProc& proc, TComponent* root) {
    EnumerateOwnedItems(items_, proc, root);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
}

void TMenuItem::ReadState(TReader* reader) {
    if (!parent_ && reader->Parent()) SetParentComponent(reader->Parent());
    ReaderParent parent(reader, this);
    TComponent::ReadState(reader);
}

TCustomImageList* TMenuItem::GetImageList() const {
    TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

bool TMenuItem::IsTopLevel() const {
    return parent_ && parent_->menu_ && dynamic_cast<TMainMenu*>(parent_->menu_);
}

HMENU TMenuItem::Handle() {
    if (!handle_) {
        handle_ = (menu_ && !parent_) ? menu_->CreateMenuHandle() : CreatePopupMenu();
        RebuildHandle();
    }
    return handle_;
}

void TMenuItem::SetMenu(TMenu* menu) { menu_ = menu; }

void TMenuItem::RebuildHandle() {
    if (!handle_ || InState(csDestroying)) return;
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    TMenu* menu = GetParentMenu();
    bool ownerDraw = menu && menu->OwnerDraw();
    for (TMenuItem* item : items_)
        if (item->visible_) item->AppendTo(handle_, ownerDraw);
    if (menu_ && !parent_) menu_->MenuChanged();
}

void TMenuItem::AppendTo(HMENU menu, bool ownerDraw) {
    AnsiString text = caption_;
    if (shortCut_ != scNone && !IsLine()) text += "\t" + ShortCutToText(shortCut_);
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_STRING | MIIM_SUBMENU;
    info.fType = IsLine() ? MFT_SEPARATOR : 0;
    if (ownerDraw) info.fType |= MFT_OWNERDRAW;
    if (radioItem_) info.fType |= MFT_RADIOCHECK;
    info.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_GRAYED) |
                  (default_ ? MFS_DEFAULT : 0);
    info.wID = command_;
    info.dwItemData = command_;
    info.hSubMenu = items_.empty() ? nullptr : Handle();
    info.dwTypeData = const_cast<char*>(text.c_str());
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
}

void TMenuItem::Changed(bool rebuildParent) {
    if (rebuildParent && parent_) parent_->RebuildHandle();
}

TMenuItem* TMenuItem::FindByShortCut(TShortCut shortCut) {
    if (!enabled_) return nullptr;
    for (TMenuItem* item : items_) {
        if (item->shortCut_ == shortCut && item->enabled_) return item;
        if (TMenuItem* found = item->FindByShortCut(shortCut)) return found;
    }
    return nullptr;
}

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height) {
    DefaultMeasureItem(canvas, width, height);
    if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DefaultMeasureItem(TCanvas* canvas, int& width, int& height) {
    if (IsLine()) {
        width = kGlyphArea;
        height = GetSystemMetrics(SM_CYMENUSIZE) / 2;
        return;
    }
    width = canvas->TextWidth(StripHotkey(caption_)) + 2 * kTextMargin;
    height = Max(canvas->TextHeight("Wg") + 4, GetSystemMetrics(SM_CYMENUSIZE));
    if (IsTopLevel()) return;
    TCustomImageList* images = GetImageList();
    width += images ? Max(images->Width(), kGlyphArea) : kGlyphArea;
    if (images) height = Max(height, images->Height() + 4);
    if (shortCut_ != scNone) width += kShortCutGap + canvas->TextWidth(ShortCutToText(shortCut_));
}

void TMenuItem::AdvancedDrawItem(TCanvas* canvas, TRect rect, TOwnerDrawState state,
                                 bool topLevel) {
    if (OnAdvancedDrawItem)
        OnAdvancedDrawItem(this, canvas, rect, state);
    else
        DefaultDrawItem(canvas, rect, state, topLevel);
}

void TMenuItem::DefaultDrawItem(TCanvas* canvas, TRect rect, const TOwnerDrawState& state,
                                bool topLevel) {
    bool selected = state.count(odSelected) != 0;
    canvas->Brush()->SetColor(selected ? clHighlight : (topLevel ? clMenuBar : clMenu));
    canvas->FillRect(rect);
    if (IsLine()) {
        RECT line{rect.Left, rect.Top + rect.Height() / 2 - 1, rect.Right,
                  rect.Top + rect.Height() / 2 + 1};
        DrawEdge(canvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    bool disabled = state.count(odDisabled) || state.count(odGrayed);
    canvas->Font()->SetColor(disabled ? clGrayText : (selected ? clHighlightText : clMenuText));
    TFontStyles style = canvas->Font()->Style();
    if (default_) style.insert(fsBold);
    canvas->Font()->SetStyle(style);
    TRect textRect = rect;
    if (!topLevel) {
        TCustomImageList* images = GetImageList();
        int glyph = images ? Max(images->Width(), kGlyphArea) : kGlyphArea;
        if (images && imageIndex_ >= 0 && imageIndex_ < images->Count())
            images->Draw(canvas, rect.Left + 2, rect.Top + (rect.Height() - images->Height()) / 2,
                         imageIndex_, !disabled);
        else if (checked_) {
            RECT mark{rect.Left + 2, rect.Top + (rect.Height() - kGlyphArea) / 2,
                      rect.Left + 2 + kGlyphArea, rect.Top + (rect.Height() + kGlyphArea) / 2};
            DrawFrameControl(canvas->Handle(), &mark, DFC_MENU,
                             radioItem_ ? DFCS_MENUBULLET : DFCS_MENUCHECK);
        }
        textRect.Left += glyph + kTextMargin;
    }
    canvas->Brush()->SetStyle(bsClear);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | (topLevel ? DT_CENTER : 0);
    RECT r{textRect.Left, textRect.Top, textRect.Right - kTextMargin, textRect.Bottom};
    DrawTextA(canvas->Handle(), caption_.c_str(), -1, &r, flags);
    if (!topLevel && shortCut_ != scNone) {
        AnsiString shortCutText = ShortCutToText(shortCut_);
        r.right -= kTextMargin;
        DrawTextA(canvas->Handle(), shortCutText.c_str(), -1, &r,
                  DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
}

// ---------------------------------------------------------------------------------------------
TMenu::TMenu(TComponent* owner) : TComponent(owner) {
    InstallMenuHooks();
    items_ = new TMenuItem(this);
    items_->SetMenu(this);
}

TMenu::~TMenu() = default;

void TMenu::BeforeDestruction() {
    if (HWND window = WindowHandle()) ::SetMenu(window, nullptr);
    TComponent::BeforeDestruction();
}

void TMenu::SetImages(TCustomImageList* images) {
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
}

void TMenu::GetChildren(const TGetChildProc& proc, TComponent* root) {
    EnumerateOwnedItems(items_->items_, proc, root);
}

void TMenu::ReadState(TReader* reader) {
    ReaderParent parent(reader, this);
    TComponent::ReadState(reader);
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
    if (ownerDraw == ownerDraw_) return;
    ownerDraw_ = ownerDraw;
    std::function<void(TMenuItem*)> rebuild = [&](TMenuItem* item) {
        item->RebuildHandle();
        for (TMenuItem* child : item->items_) rebuild(child);
    };
    rebuild(items_);
}

HMENU TMenu::Handle() { return items_->Handle(); }

HWND TMenu::WindowHandle() const {
    if (!items_->handle_) return nullptr;
    MenuWindowSearch search{items_->handle_, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&search));
    return search.window;
}

void TMenu::MenuChanged() {
    if (HWND window = WindowHandle()) DrawMenuBar(window);
}

bool TMenu::IsShortCut(TShortCut shortCut) {
    if (shortCut == scNone) return false;
    TMenuItem* item = items_->FindByShortCut(shortCut);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(WPARAM key) {
    return IsShortCut(::ShortCut(static_cast<uint16_t>(key), KeyboardShiftState()));
}

TMenuItem* TMenu::FindItem(UINT command) const {
    TMenuItem* item = FindMenuItem(command);
    return item && item->GetParentMenu() == this ? item : nullptr;
}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = FindItem(command);
    if (!item) return false;
    item->Click();
    return true;
}

// ---------------------------------------------------------------------------------------------
void TPopupMenu::DoPopup(TObject* sender) {
    if (OnPopup) OnPopup(sender);
}

void TPopupMenu::Popup(int x, int y) {
    DoPopup(this);
    static const UINT kAlignments[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
    HWND owner = nullptr;
    owner = AllocateHWnd([&owner](TMessage& message) {
        if (DispatchMenuMessage(nullptr, message))
            message.Result = TRUE;
        else
            message.Result = DefWindowProcA(owner, message.Msg, message.WParam, message.LParam);
    });
    SetForegroundWindow(owner);
    UINT command = TrackPopupMenu(Handle(), kAlignments[alignment_] | TPM_RETURNCMD |
                                  TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    DeallocateHWnd(owner);
    if (command) DispatchCommand(command);
}

// ---------------------------------------------------------------------------------------------
TMenuItem* FindMenuItem(UINT command) {
    auto it = Commands().find(command);
    return it == Commands().end() ? nullptr : it->second;
}

bool DispatchMenuCommand(UINT command) {
    TMenuItem* item = FindMenuItem(command);
    if (!item) return false;
    item->Click();
    return true;
}

bool DispatchMenuMeasureItem(MEASUREITEMSTRUCT& measure) {
    if (measure.CtlType != ODT_MENU) return false;
    TMenuItem* item = FindMenuItem(static_cast<UINT>(measure.itemData));
    if (!item) return false;
    MenuMeasureCanvas canvas;
    int width = static_cast<int>(measure.itemWidth), height = static_cast<int>(measure.itemHeight);
    item->MeasureItem(canvas.Canvas(), width, height);
    measure.itemWidth = static_cast<UINT>(Max(width, 0));
    measure.itemHeight = static_cast<UINT>(Max(height, 0));
    return true;
}

bool DispatchMenuDrawItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU) return false;
    TMenuItem* item = FindMenuItem(static_cast<UINT>(draw.itemData));
    if (!item) return false;
    int saved = SaveDC(draw.hDC);
    TCanvas canvas;
    canvas.SetHandle(draw.hDC);
    if (Screen) canvas.Font()->Assign(Screen->MenuFont());
    TRect rect{draw.rcItem.left, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom};
    item->AdvancedDrawItem(&canvas, rect, ToOwnerDrawState(draw.itemState), item->IsTopLevel());
    canvas.SetHandle(nullptr);
    RestoreDC(draw.hDC, saved);
    return true;
}
