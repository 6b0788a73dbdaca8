#include "UiTabControl.h"

#include "cl_sys.h"

namespace {

const bool tabControlPropertiesRegistered = [] {
    using I = TUiTabCollectionItem;
    const TMetaClass* item = I::StaticClass();
    RegisterProperty(item, StringProperty<I>("Caption", &I::Caption, &I::SetCaption));
    RegisterProperty(item, OrdinalProperty<I>("Color", pkColor, &I::Color, &I::SetColor,
                                              clBtnFace));
    RegisterProperty(item, OrdinalProperty<I>("DisabledIndex", pkInteger, &I::DisabledIndex,
                                              &I::SetDisabledIndex, -1));
    RegisterProperty(item, OrdinalProperty<I>("Enabled", pkBool, &I::Enabled, &I::SetEnabled,
                                              true));
    RegisterProperty(item, StringProperty<I>("Hint", &I::Hint, &I::SetHint));
    RegisterProperty(item, OrdinalProperty<I>("ImageIndex", pkInteger, &I::ImageIndex,
                                              &I::SetImageIndex, -1));
    TPropertyInfo tag;
    tag.Name = "Tag";
    tag.GetOrd = [](TObject* o) { return static_cast<I*>(o)->Tag; };
    tag.SetOrd = [](TObject* o, int value) { static_cast<I*>(o)->Tag = value; };
    tag.HasDefault = true;
    RegisterProperty(item, tag);
    RegisterProperty(item, OrdinalProperty<I>("Visible", pkBool, &I::Visible, &I::SetVisible,
                                              true));

    const TMetaClass* control = TUiTabControl::StaticClass();
    RegisterTabControlProperties(control, true);
    RegisterProperty(control, SubObjectProperty<TUiCollectionTabControl>(
                                  "Tabs", &TUiCollectionTabControl::Tabs));
    RegisterClasses({control});
    return true;
}();

}  // namespace

TUiTabCollectionItem::TUiTabCollectionItem(TCollection* collection) : TCollectionItem(collection) {
    TUiCollectionTabControl* tabs = GetTabControl();
    if (tabs && tabs->InState(csDesigning) && !tabs->InState(csLoading))
        caption_ = "Tab" + IntToStr(Index() + 1);
    SetVisible(true);
}

TUiCollectionTabControl* TUiTabCollectionItem::GetTabControl() const {
    auto* collection = dynamic_cast<TUiTabCollection*>(Collection());
    return collection ? collection->TabControl() : nullptr;
}

void TUiTabCollectionItem::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TUiTabCollectionItem*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    SetCaption(other->caption_);
    SetColor(other->color_);
    SetEnabled(other->enabled_);
    SetVisible(other->visible_);
    SetHint(other->hint_);
    SetImageIndex(other->imageIndex_);
    SetDisabledIndex(other->disabledIndex_);
    Changed(true);
}

void TUiTabCollectionItem::AssignTo(TPersistent* dest) {
    auto* data = dynamic_cast<TUiTabData*>(dest);
    if (!data) {
        TCollectionItem::AssignTo(dest);
        return;
    }
    data->Caption = caption_;
    data->Color = color_;
    data->Enabled = enabled_;
    data->Visible = visible_;
    data->Hint = hint_;
    data->ImageIndex = imageIndex_;
    data->DisabledIndex = disabledIndex_;
}

AnsiString TUiTabCollectionItem::GetDisplayName() const {
    return caption_.IsEmpty() ? TCollectionItem::GetDisplayName() : caption_;
}

TUiTabCollection::TUiTabCollection(TUiCollectionTabControl* tabControl)
    : TCollection(TUiTabCollectionItem::StaticClass()), tabControl_(tabControl) {}

TPersistent* TUiTabCollection::GetOwner() { return tabControl_; }

void TUiTabCollection::Update(TCollectionItem*) {
    if (tabControl_) tabControl_->Rebuild();
}

void TUiTabCollection::Delete(int index) {
    TCollection::Delete(index);
    const int selected = tabControl_->TabIndex();
    if (selected >= index && selected > 0 && Count() > 0) tabControl_->SetTabIndexField(selected - 1);
    tabControl_->Rebuild();
}

void TUiTabCollection::Clear() {
    TCollection::Clear();
    tabControl_->SetTabIndexField(-1);
    tabControl_->Rebuild();
}

void TUiTabCollection::Move(int from, int to) {
    GetItem(from)->SetIndex(to);
    tabControl_->TabOrderChange(from, to);
}

TUiCollectionTabControl::TUiCollectionTabControl(TComponent* owner)
    : TUiCustomTabControl(owner), tabs_(new TUiTabCollection(this)) {}

void TUiCollectionTabControl::BeforeDestruction() {
    TUiTabCollection* tabs = tabs_;
    tabs_ = nullptr;
    delete tabs;
    TUiCustomTabControl::BeforeDestruction();
}

void TUiCollectionTabControl::SetTabs(TUiTabCollection* value) {
    tabs_->Assign(value);
    Rebuild();
}

void TUiCollectionTabControl::Rebuild() {
    TUiTabDataList* list = GetTabDataList();
    if (!list || !tabs_) return;
    list->Clear();
    for (int i = 0; i < tabs_->Count(); ++i) {
        // An item still being constructed joins when its constructor sets it visible.
        auto* item = dynamic_cast<TUiTabCollectionItem*>(tabs_->Items(i));
        if (!item) continue;
        auto* tab = new TUiTabData;
        tab->Assign(item);
        list->Add(tab);
    }
    TUiCustomTabControl::Rebuild();
}

void TUiCollectionTabControl::DestroyActiveTab() {
    if (TabIndex() == -1) return;
    tabs_->Delete(TabIndex());
    Change();
}

void TUiCollectionTabControl::ActiveTabMoved(int target) {
    tabs_->Move(TabIndex(), target);
    SetTabIndex(target);
}

void TUiCollectionTabControl::HideAllTabs() {
    for (int i = 0; i < tabs_->Count(); ++i) tabs_->GetItem(i)->SetVisible(false);
}

void TUiCollectionTabControl::ShowAllTabs() {
    for (int i = 0; i < tabs_->Count(); ++i) tabs_->GetItem(i)->SetVisible(true);
}
