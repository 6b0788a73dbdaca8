#include "cl_actions.h"

#include <algorithm>

#include "cl_forms.h"
#include "cl_imagelist.h"

namespace {

void InstallActionLinks() {
    if (!DefaultControlActionLinkClass)
        DefaultControlActionLinkClass = [](TControl* client) -> TControlActionLinkBase* {
            return new TControlActionLink(client);
        };
}

}  // namespace

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) { InstallActionLinks(); }

void TBasicAction::BeforeDestruction() {
    for (TActionLink* link : clients_) link->action_ = nullptr;
    clients_.clear();
    TComponent::BeforeDestruction();
}

bool TBasicAction::Execute() {
    if (!OnExecute) return DispatchActionToControls(this, true);
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return DispatchActionToControls(this, false);
    OnUpdate(this);
    return true;
}

bool TBasicAction::HandlesTarget(TObject*) { return false; }

void TBasicAction::ExecuteTarget(TObject*) {}

void TBasicAction::UpdateTarget(TObject*) {}

bool DispatchActionToControls(TBasicAction* action, bool execute) {
    TCustomForm* form = Screen ? Screen->ActiveForm() : nullptr;
    if (!form && Application) form = Application->MainForm();
    if (!form) return false;
    return form->Perform(execute ? CM_ACTIONEXECUTE : CM_ACTIONUPDATE, 0,
                         reinterpret_cast<LPARAM>(action)) != 0;
}

void TBasicAction::RegisterChanges(TActionLink* link) {
    if (std::find(clients_.begin(), clients_.end(), link) == clients_.end())
        clients_.push_back(link);
}

void TBasicAction::UnRegisterChanges(TActionLink* link) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), link), clients_.end());
}

void TBasicAction::Change() {
    for (TActionLink* link : std::vector<TActionLink*>(clients_)) link->Change();
}

void TContainedAction::BeforeDestruction() {
    SetActionList(nullptr);
    TBasicAction::BeforeDestruction();
}

bool TContainedAction::Execute() {
    if (actionList_ && actionList_->ExecuteAction(this)) return true;
    if (Application && Application->ExecuteAction(this)) return true;
    return TBasicAction::Execute();
}

bool TContainedAction::Update() {
    if (actionList_ && actionList_->UpdateAction(this)) return true;
    if (Application && Application->UpdateAction(this)) return true;
    return TBasicAction::Update();
}

void TContainedAction::SetActionList(TCustomActionList* list) {
    if (list == actionList_) return;
    if (actionList_) {
        auto& actions = actionList_->actions_;
        actions.erase(std::remove(actions.begin(), actions.end(), this), actions.end());
    }
    actionList_ = list;
    if (list) list->actions_.push_back(this);
}

int TContainedAction::Index() const {
    if (!actionList_) return -1;
    const auto& actions = actionList_->actions_;
    return static_cast<int>(std::find(actions.begin(), actions.end(), this) - actions.begin());
}

void TCustomAction::SetCaption(const AnsiString& caption) {
    if (caption == caption_) return;
    for (TActionLink* link : Clients())
        if (link->IsCaptionLinked()) link->SetCaption(caption);
    caption_ = caption;
    Change();
}

void TCustomAction::SetChecked(bool checked) {
    if (checked == checked_) return;
    for (TActionLink* link : Clients())
        if (link->IsCheckedLinked()) link->SetChecked(checked);
    checked_ = checked;
    Change();
}

void TCustomAction::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    for (TActionLink* link : Clients())
        if (link->IsEnabledLinked()) link->SetEnabled(enabled);
    enabled_ = enabled;
    Change();
}

void TCustomAction::SetVisible(bool visible) {
    if (visible == visible_) return;
    for (TActionLink* link : Clients())
        if (link->IsVisibleLinked()) link->SetVisible(visible);
    visible_ = visible;
    Change();
}

void TCustomAction::SetHint(const AnsiString& hint) {
    if (hint == hint_) return;
    for (TActionLink* link : Clients())
        if (link->IsHintLinked()) link->SetHint(hint);
    hint_ = hint;
    Change();
}

void TCustomAction::SetImageIndex(int imageIndex) {
    if (imageIndex == imageIndex_) return;
    for (TActionLink* link : Clients())
        if (link->IsImageIndexLinked()) link->SetImageIndex(imageIndex);
    imageIndex_ = imageIndex;
    Change();
}

void TCustomAction::SetShortCut(TShortCut shortCut) {
    if (shortCut == shortCut_) return;
    for (TActionLink* link : Clients())
        if (link->IsShortCutLinked()) link->SetShortCut(shortCut);
    shortCut_ = shortCut;
    Change();
}

TCustomImageList* TCustomAction::Images() const {
    return ActionList() ? ActionList()->Images() : nullptr;
}

bool TCustomAction::Execute() {
    Update();
    return enabled_ && TContainedAction::Execute();
}

void TCustomActionList::BeforeDestruction() {
    for (TContainedAction* action : std::vector<TContainedAction*>(actions_))
        action->SetActionList(nullptr);
    TComponent::BeforeDestruction();
}

void TCustomActionList::SetImages(TCustomImageList* images) {
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
}

void TCustomActionList::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
}

bool TCustomActionList::ExecuteAction(TBasicAction* action) {
    bool handled = false;
    if (OnExecute) OnExecute(action, handled);
    return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* action) {
    bool handled = false;
    if (OnUpdate) OnUpdate(action, handled);
    return handled;
}

TActionLink::~TActionLink() {
    if (action_) action_->UnRegisterChanges(this);
}

void TActionLink::SetAction(TBasicAction* action) {
    if (action == action_) return;
    if (action_) action_->UnRegisterChanges(this);
    action_ = action;
    if (action_) {
        action_->RegisterChanges(this);
        ApplyAll();
    }
}

void TActionLink::ApplyAll() {
    TCustomAction* action = CustomAction();
    if (!action) return;
    if (IsCaptionLinked()) SetCaption(action->Caption());
    if (IsCheckedLinked()) SetChecked(action->Checked());
    if (IsEnabledLinked()) SetEnabled(action->Enabled());
    if (IsHintLinked()) SetHint(action->Hint());
    if (IsImageIndexLinked()) SetImageIndex(action->ImageIndex());
    if (IsShortCutLinked()) SetShortCut(action->ShortCut());
    if (IsVisibleLinked()) SetVisible(action->Visible());
}

bool TActionLink::Execute(TComponent* target) {
    if (!action_) return false;
    action_->SetActionComponent(target);
    bool result = action_->Execute();
    if (action_) action_->SetActionComponent(nullptr);
    return result;
}

bool TActionLink::Update() { return action_ && action_->Update(); }

void TActionLink::Change() {
    if (OnChange) OnChange(action_);
}

bool TActionLink::IsCaptionLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsCheckedLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsEnabledLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsHintLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsShortCutLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsVisibleLinked() const { return CustomAction() != nullptr; }

bool TControlActionLink::IsCaptionLinked() const {
    return client_ && TActionLink::IsCaptionLinked();
}
bool TControlActionLink::IsEnabledLinked() const {
    return client_ && TActionLink::IsEnabledLinked();
}
bool TControlActionLink::IsHintLinked() const { return client_ && TActionLink::IsHintLinked(); }
bool TControlActionLink::IsVisibleLinked() const {
    return client_ && TActionLink::IsVisibleLinked();
}

void TControlActionLink::SetCaption(const AnsiString& caption) {
    if (IsCaptionLinked()) client_->SetCaption(caption);
}

void TControlActionLink::SetEnabled(bool enabled) {
    if (IsEnabledLinked()) client_->SetEnabled(enabled);
}

void TControlActionLink::SetHint(const AnsiString& hint) {
    if (IsHintLinked()) client_->SetHint(hint);
}

void TControlActionLink::SetVisible(bool visible) {
    if (IsVisibleLinked()) client_->SetVisible(visible);
}

void TControlActionLink::Change() {
    TActionLink::Change();
    if (client_ && Action()) client_->ActionChange(Action(), false);
}

// ---------------------------------------------------------------------------------------------
// The component side of actions

bool TComponent::ExecuteAction(TBasicAction* action) {
    if (!action->HandlesTarget(this)) return false;
    action->ExecuteTarget(this);
    return true;
}

bool TComponent::UpdateAction(TBasicAction* action) {
    if (!action->HandlesTarget(this)) return false;
    action->UpdateTarget(this);
    return true;
}
