// Actions: commands that controls and menu items run, routed to the controls that can carry
// them out, the hint action behind Application->Hint, action lists, and the links between an
// action and its clients that other units derive their own links from.
#pragma once

#include <functional>
#include <vector>

#include "cl_controls.h"
#include "cl_menus.h"

class TCustomImageList;
class TActionLink;
class TCustomActionList;

// A command that controls and menu items run; links tell their clients about changes.
//
// Execute runs OnExecute; without one the action goes to the controls of the active form
// (CM_ACTIONEXECUTE): the focused control, the form, then the form's visible controls, each
// through its ExecuteAction, which takes the action when HandlesTarget says so. Update goes
// the same way with OnUpdate, CM_ACTIONUPDATE and UpdateAction.
class TBasicAction : public TComponent {
    CL_COMPONENT_CLASS(TBasicAction, TComponent)

    explicit TBasicAction(TComponent* owner);
    void BeforeDestruction() override;

    // True when the action was carried out (by its handler or by a control).
    virtual bool Execute();
    virtual bool Update();
    // Whether the action works on `target`; ExecuteTarget and UpdateTarget then do it.
    virtual bool HandlesTarget(TObject* target);
    virtual void ExecuteTarget(TObject* target);
    virtual void UpdateTarget(TObject* target);

    TComponent* ActionComponent() const { return actionComponent_; }
    void SetActionComponent(TComponent* component) { actionComponent_ = component; }
    void RegisterChanges(TActionLink* link);
    void UnRegisterChanges(TActionLink* link);

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

protected:
    void Change();
    // The links, for the property setters of descendants.
    const std::vector<TActionLink*>& Clients() const { return clients_; }

private:
    std::vector<TActionLink*> clients_;
    TComponent* actionComponent_ = nullptr;

protected:
    ~TBasicAction() override = default;
};

// Sends an action to the controls of the active form (the application's main form when no
// form is active); true when one of them took it.
bool DispatchActionToControls(TBasicAction* action, bool execute);

// An action that belongs to an action list. Execute and Update ask the list's events first,
// then the application's, then the action's own handler and the controls.
class TContainedAction : public TBasicAction {
    CL_COMPONENT_CLASS(TContainedAction, TBasicAction)

    explicit TContainedAction(TComponent* owner) : TBasicAction(owner) {}
    void BeforeDestruction() override;

    bool Execute() override;
    bool Update() override;
    TCustomActionList* ActionList() const { return actionList_; }
    void SetActionList(TCustomActionList* list);
    const AnsiString& Category() const { return category_; }
    void SetCategory(const AnsiString& category) { category_ = category; }
    int Index() const;

private:
    TCustomActionList* actionList_ = nullptr;
    AnsiString category_;

protected:
    ~TContainedAction() override = default;
};

// An action with the properties its clients show.
class TCustomAction : public TContainedAction {
    CL_COMPONENT_CLASS(TCustomAction, TContainedAction)

    explicit TCustomAction(TComponent* owner) : TContainedAction(owner) {}

    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& caption);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& hint);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int imageIndex);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int helpContext) { helpContext_ = helpContext; }
    // The list's images, if any.
    TCustomImageList* Images() const;

    // Updates, then executes when enabled.
    bool Execute() override;

private:
    AnsiString caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    AnsiString hint_;
    int imageIndex_ = -1;
    TShortCut shortCut_ = scNone;
    int helpContext_ = 0;

protected:
    ~TCustomAction() override = default;
};

class TAction : public TCustomAction {
    CL_COMPONENT_CLASS(TAction, TCustomAction)

    explicit TAction(TComponent* owner) : TCustomAction(owner) {}

protected:
    ~TAction() override = default;
};

// The application's hint (Application->SetHint without an OnHint handler executes one): a
// control that shows hints, such as a status pane, takes it in its ExecuteAction.
class THintAction : public TCustomAction {
    CL_COMPONENT_CLASS(THintAction, TCustomAction)

    explicit THintAction(TComponent* owner) : TCustomAction(owner) {}

protected:
    ~THintAction() override = default;
};

using TActionEvent =
    std::function<void(TBasicAction* action, bool& handled)>;

// A list of actions with the images they share.
class TCustomActionList : public TComponent {
    CL_COMPONENT_CLASS(TCustomActionList, TComponent)

    explicit TCustomActionList(TComponent* owner) : TComponent(owner) {}
    void BeforeDestruction() override;

    int ActionCount() const { return static_cast<int>(actions_.size()); }
    TContainedAction* Actions(int index) const { return actions_.at(index); }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    void Notification(TComponent* component, TOperation operation) override;
    // OnExecute / OnUpdate of the list; true when the handler took the action.
    bool ExecuteAction(TBasicAction* action) override;
    bool UpdateAction(TBasicAction* action) override;

    TActionEvent OnExecute;
    TActionEvent OnUpdate;

private:
    friend class TContainedAction;
    std::vector<TContainedAction*> actions_;
    TCustomImageList* images_ = nullptr;

protected:
    ~TCustomActionList() override = default;
};

class TActionList : public TCustomActionList {
    CL_COMPONENT_CLASS(TActionList, TCustomActionList)

    explicit TActionList(TComponent* owner) : TCustomActionList(owner) {}

protected:
    ~TActionList() override = default;
};

// The connection from a client to its action: the action calls the Set* members when its
// properties change; a descendant passes them on to its client where the Is*Linked test says
// so. Change runs after every change of the action.
class TActionLink : public TControlActionLinkBase {
    CL_CLASS(TActionLink, TControlActionLinkBase)

    ~TActionLink() override;
    TBasicAction* Action() const { return action_; }
    void SetAction(TBasicAction* action) override;
    bool Execute(TComponent* target) override;
    virtual bool Update();
    virtual void Change();

    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsHintLinked() const;
    virtual bool IsImageIndexLinked() const;
    virtual bool IsShortCutLinked() const;
    virtual bool IsVisibleLinked() const;
    virtual void SetCaption(const AnsiString&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetHint(const AnsiString&) {}
    virtual void SetImageIndex(int) {}
    virtual void SetShortCut(TShortCut) {}
    virtual void SetVisible(bool) {}

    TNotifyEvent OnChange;

protected:
    TCustomAction* CustomAction() const { return dynamic_cast<TCustomAction*>(action_); }
    // Copies every linked property of the action to the client.
    void ApplyAll();

private:
    friend class TBasicAction;
    TBasicAction* action_ = nullptr;
};

// The link of a control: caption, enabled, hint and visible follow the action, and every
// change of the action reaches the control's ActionChange. A descendant keeps its own typed
// client by overriding AssignClient and calling it again from its own constructor.
class TControlActionLink : public TActionLink {
    CL_CLASS(TControlActionLink, TActionLink)

    explicit TControlActionLink(TControl* client) { AssignClient(client); }
    virtual void AssignClient(TControl* client) { client_ = client; }
    TControl* Client() const { return client_; }

    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;
    void SetCaption(const AnsiString& caption) override;
    void SetEnabled(bool enabled) override;
    void SetHint(const AnsiString& hint) override;
    void SetVisible(bool visible) override;
    void Change() override;

private:
    TControl* client_ = nullptr;
};
