#include "cl_component.h"

#include <algorithm>
#include <deque>
#include <map>
#include <mutex>

namespace {

struct ClassRegistry {
    std::mutex lock;
    std::vector<const TMetaClass*> classes;
    // Stable addresses: FindProperty hands out pointers into the lists.
    std::map<const TMetaClass*, std::deque<TPropertyInfo>> properties;
};

ClassRegistry& Registry() {
    static ClassRegistry registry;
    return registry;
}

bool IsIdentifier(const AnsiString& name) {
    if (name.IsEmpty()) return false;
    for (int i = 1; i <= name.Length(); ++i) {
        const char c = name[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && i > 1)) return false;
    }
    return true;
}

void Remove(std::vector<TComponent*>& list, TComponent* component) {
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

void CollectTree(TComponent* root, std::vector<TComponent*>& out) {
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent* child = root->Components(i);
        out.push_back(child);
        CollectTree(child, out);
    }
}

}  // namespace

bool TMetaClass::InheritsFrom(const TMetaClass* other) const {
    for (const TMetaClass* c = this; c; c = c->parent_)
        if (c == other) return true;
    return false;
}

TObject* TMetaClass::Create(TObject* context) const {
    if (!factory_) throw EAbstractError("Cannot create an instance of abstract class " + name_);
    return factory_(context);
}

const TMetaClass* TObject::StaticClass() {
    static const TMetaClass meta("TObject", nullptr, nullptr);
    return &meta;
}

void TObject::Free() {
    BeforeDestruction();
    delete this;
}

void RegisterClass(const TMetaClass* metaClass) {
    ClassRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    if (std::find(registry.classes.begin(), registry.classes.end(), metaClass) ==
        registry.classes.end())
        registry.classes.push_back(metaClass);
}

void RegisterClasses(std::initializer_list<const TMetaClass*> metaClasses) {
    for (const TMetaClass* metaClass : metaClasses) RegisterClass(metaClass);
}

void UnRegisterClass(const TMetaClass* metaClass) {
    ClassRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    auto& classes = registry.classes;
    classes.erase(std::remove(classes.begin(), classes.end(), metaClass), classes.end());
}

void UnRegisterClasses(std::initializer_list<const TMetaClass*> metaClasses) {
    for (const TMetaClass* metaClass : metaClasses) UnRegisterClass(metaClass);
}

const TMetaClass* GetClass(const AnsiString& name) {
    ClassRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    for (const TMetaClass* metaClass : registry.classes)
        if (SameText(metaClass->ClassName(), name)) return metaClass;
    return nullptr;
}

const TMetaClass* FindClass(const AnsiString& name) {
    const TMetaClass* metaClass = GetClass(name);
    if (!metaClass) throw EClassNotFound("Class " + name + " not found");
    return metaClass;
}

void RegisterProperty(const TMetaClass* metaClass, const TPropertyInfo& info) {
    ClassRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    registry.properties[metaClass].push_back(info);
}

const TPropertyInfo* FindProperty(const TObject* object, const AnsiString& name) {
    if (!object) return nullptr;
    ClassRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    for (const TMetaClass* c = object->ClassType(); c; c = c->ClassParent()) {
        auto found = registry.properties.find(c);
        if (found == registry.properties.end()) continue;
        for (const TPropertyInfo& info : found->second)
            if (SameText(info.Name, name)) return &info;
    }
    return nullptr;
}

std::vector<const TPropertyInfo*> PublishedProperties(const TMetaClass* metaClass) {
    std::vector<const TMetaClass*> chain;
    for (const TMetaClass* c = metaClass; c; c = c->ClassParent()) chain.push_back(c);
    ClassRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    std::vector<const TPropertyInfo*> result;
    for (auto c = chain.rbegin(); c != chain.rend(); ++c) {
        auto found = registry.properties.find(*c);
        if (found == registry.properties.end()) continue;
        for (const TPropertyInfo& info : found->second) {
            // A class may publish an inherited property again with its own default: the
            // descendant's entry takes the ancestor's place.
            auto same = std::find_if(result.begin(), result.end(), [&info](const TPropertyInfo* p) {
                return SameText(p->Name, info.Name);
            });
            if (same != result.end())
                *same = &info;
            else
                result.push_back(&info);
        }
    }
    return result;
}

void TPersistent::Assign(TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* dest) {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " +
                        (dest ? dest->ClassName() : AnsiString("nil")));
}

AnsiString TPersistent::GetNamePath() {
    if (auto* component = dynamic_cast<TComponent*>(this)) return component->Name();
    return ClassName();
}

TComponent::TComponent(TComponent* owner) {
    if (!owner) return;
    if (owner->InState(csLoading)) {
        state_.insert(csLoading);
        state_.insert(csReading);
    }
    owner->InsertComponent(this);
}

TComponent::~TComponent() {
    // Normally empty by now: Free() ran BeforeDestruction.
    if (!InState(csDestroying)) BeforeDestruction();
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError(AnsiString("List index out of bounds (") + IntToStr(index) + ")");
    return components_[index];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    const auto& siblings = owner_->components_;
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) -
                            siblings.begin());
}

void TComponent::SetComponentIndex(int index) {
    if (!owner_) return;
    auto& siblings = owner_->components_;
    const int current = ComponentIndex();
    index = std::max(0, std::min(index, static_cast<int>(siblings.size()) - 1));
    if (index == current) return;
    siblings.erase(siblings.begin() + current);
    siblings.insert(siblings.begin() + index, this);
}

TComponent* TComponent::FindComponent(const AnsiString& name) const {
    if (name.IsEmpty()) return nullptr;
    for (TComponent* component : components_)
        if (SameText(component->name_, name)) return component;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this) return;
    ValidateRename(component, AnsiString(), component->name_);
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->owner_ != this) return;
    Notification(component, opRemove);
    Remove(components_, component);
    component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) components_.back()->Free();
}

void TComponent::ValidateRename(TComponent* component, const AnsiString& currentName,
                                const AnsiString& newName) {
    if (newName.IsEmpty() || SameText(currentName, newName)) return;
    TComponent* existing = FindComponent(newName);
    if (existing && existing != component)
        throw EComponentError("A component named " + newName + " already exists");
}

void TComponent::SetName(const AnsiString& name) {
    if (name == name_) return;
    if (!name.IsEmpty() && !IsIdentifier(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    if (owner_) owner_->ValidateRename(this, name_, name);
    name_ = name;
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // Last to first, staying in range: a handler may free or insert components.
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i >= ComponentCount()) i = ComponentCount() - 1;
        if (i < 0) break;
        TComponent* child = components_[i];
        if (child != component) child->Notification(component, operation);
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
        component->freeNotifies_.end())
        component->freeNotifies_.push_back(this);
    state_.insert(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    Remove(freeNotifies_, component);
    Remove(component->freeNotifies_, this);
}

void TComponent::SendFreeNotifications() {
    while (!freeNotifies_.empty()) {
        TComponent* subscriber = freeNotifies_.back();
        freeNotifies_.pop_back();
        Remove(subscriber->freeNotifies_, this);
        subscriber->Notification(this, opRemove);
    }
}

void TComponent::Destroying() {
    if (InState(csDestroying)) return;
    state_.insert(csDestroying);
    for (TComponent* component : components_) component->Destroying();
}

void TComponent::BeforeDestruction() {
    Destroying();
    SendFreeNotifications();
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Loaded() { state_.erase(csLoading); }

void TComponent::GetChildren(const TGetChildProc&, TComponent*) {}

TComponent* CreateComponent(const TMetaClass* metaClass, TComponent* owner) {
    TObject* object = metaClass->Create(owner);
    if (auto* component = dynamic_cast<TComponent*>(object)) return component;
    TObject::Free(object);
    throw EInvalidCast(metaClass->ClassName() + " is not a component class");
}

void BeginLoading(TComponent* root) {
    std::vector<TComponent*> tree{root};
    CollectTree(root, tree);
    for (TComponent* component : tree) {
        component->IncludeState(csLoading);
        component->IncludeState(csReading);
    }
}

void EndLoading(TComponent* root) {
    std::vector<TComponent*> tree;
    CollectTree(root, tree);
    tree.push_back(root);
    for (TComponent* component : tree) component->ExcludeState(csReading);
    for (TComponent* component : tree)
        if (component->InState(csLoading)) component->Loaded();
}
