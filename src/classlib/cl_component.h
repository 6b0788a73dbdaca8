// The object model: the TObject root with its metaclass and class registry, TPersistent's
// assignment protocol, and TComponent's ownership, names, notifications and loading protocol.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <type_traits>
#include <vector>

#include "cl_except.h"
#include "cl_string.h"
#include "cl_types.h"

class TObject;
class TPersistent;
class TComponent;
class TCollection;
class TFiler;
class TReader;
class TWriter;
class TBasicAction;

CL_DECLARE_EXCEPTION(EComponentError, Exception);
CL_DECLARE_EXCEPTION(EClassNotFound, EComponentError);

// A class reference: the class's name, its parent's metaclass and, for classes that can be
// created by reference, a factory. The factory's context is the owner for components, the
// collection for collection items, and unused for other families.
class TMetaClass {
public:
    using Factory = TObject* (*)(TObject* context);

    TMetaClass(const char* name, const TMetaClass* parent, Factory factory)
        : name_(name), parent_(parent), factory_(factory) {}
    TMetaClass(const TMetaClass&) = delete;
    TMetaClass& operator=(const TMetaClass&) = delete;

    const AnsiString& ClassName() const { return name_; }
    const TMetaClass* ClassParent() const { return parent_; }
    bool InheritsFrom(const TMetaClass* other) const;
    bool CanCreate() const { return factory_ != nullptr; }
    // Raises EAbstractError when the class cannot be created by reference.
    TObject* Create(TObject* context = nullptr) const;

private:
    AnsiString name_;
    const TMetaClass* parent_;
    Factory factory_;
};

// Place one of these at the top of a class body (they leave the access public). CL_CLASS
// gives the class its metaclass; the others also let it be created by class reference
// through `new Name(owner)`, `new Name(collection)` or `new Name()`.
#define CL_METACLASS_(Name, Parent, FactoryExpression)                                \
public:                                                                               \
    static const TMetaClass* StaticClass() {                                          \
        static const TMetaClass meta(#Name, Parent::StaticClass(), FactoryExpression); \
        return &meta;                                                                 \
    }                                                                                 \
    const TMetaClass* ClassType() const override { return StaticClass(); }

#define CL_CLASS(Name, Parent) CL_METACLASS_(Name, Parent, nullptr)
#define CL_COMPONENT_CLASS(Name, Parent)                                               \
    CL_METACLASS_(Name, Parent, [](TObject* owner) -> TObject* {                       \
        return new Name(dynamic_cast<TComponent*>(owner));                             \
    })
#define CL_COLLECTION_ITEM_CLASS(Name, Parent)                                         \
    CL_METACLASS_(Name, Parent, [](TObject* collection) -> TObject* {                  \
        return new Name(dynamic_cast<TCollection*>(collection));                       \
    })
#define CL_CREATABLE_CLASS(Name, Parent)                                               \
    CL_METACLASS_(Name, Parent, [](TObject*) -> TObject* { return new Name(); })
// For classes whose constructor takes one object of another kind than an owner (an axis its
// chart, marks their series): created by reference through `new Name(context as Context*)`.
// A context of another class raises EInvalidCast.
#define CL_CONTEXT_CLASS(Name, Parent, Context)                                        \
    CL_METACLASS_(Name, Parent, [](TObject* context) -> TObject* {                     \
        return new Name(CheckedCast<Context>(context));                                \
    })

// The root of every class-library object. Objects are freed with Free(): it runs
// BeforeDestruction() while the object is still whole, then deletes it.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TMetaClass* StaticClass();
    virtual const TMetaClass* ClassType() const { return StaticClass(); }
    AnsiString ClassName() const { return ClassType()->ClassName(); }
    bool InheritsFrom(const TMetaClass* metaClass) const {
        return ClassType()->InheritsFrom(metaClass);
    }

    virtual void BeforeDestruction() {}
    void Free();
    // Null-safe form: TObject::Free(p).
    static void Free(TObject* object) {
        if (object) object->Free();
    }
};

// The checked down-cast: null stays null, an object of another class raises EInvalidCast
// "Invalid class typecast".
template <class T> T* CheckedCast(TObject* object) {
    if (!object) return nullptr;
    if (T* result = dynamic_cast<T*>(object)) return result;
    throw EInvalidCast(SInvalidCast);
}

template <class T> void FreeAndNil(T*& object) {
    T* doomed = object;
    object = nullptr;
    TObject::Free(doomed);
}

// Deleter for smart pointers over class-library objects (components included).
struct TObjectFreer {
    void operator()(TObject* object) const { TObject::Free(object); }
};
template <class T> using TOwnedPtr = std::unique_ptr<T, TObjectFreer>;

// The class registry: classes looked up by name when created by reference. windows.h makes
// RegisterClass a macro for RegisterClassA; it is defined the same way here so that the name
// is spelt alike in every unit (an overload beside the system's).
#ifdef __MINGW32__
#include <_mingw_unicode.h>
#define RegisterClass __MINGW_NAME_AW(RegisterClass)
#endif
void RegisterClass(const TMetaClass* metaClass);
void RegisterClasses(std::initializer_list<const TMetaClass*> metaClasses);
void UnRegisterClass(const TMetaClass* metaClass);
void UnRegisterClasses(std::initializer_list<const TMetaClass*> metaClasses);
// Null when the name is not registered.
const TMetaClass* GetClass(const AnsiString& name);
// Raises EClassNotFound when the name is not registered.
const TMetaClass* FindClass(const AnsiString& name);

// Published properties: what the component streams write and read, and property-by-name
// access for generic code. Ordinal kinds (integer, Boolean, colour) go through GetOrd/SetOrd;
// enums, sets (element names joined by commas) and strings through GetText/SetText; floats
// through GetFloat/SetFloat; a sub-object (a font, a collection) is reached by GetSubObject and
// streams its own properties under "Name.Property"; a component reference goes by the
// referenced component's name.
enum TPropertyKind {
    pkInteger, pkBool, pkColor, pkEnum, pkSet, pkString, pkFloat, pkObject, pkComponent
};
struct TPropertyInfo {
    AnsiString Name;
    TPropertyKind Kind = pkInteger;
    std::function<int(TObject*)> GetOrd;
    std::function<void(TObject*, int)> SetOrd;
    std::function<AnsiString(TObject*)> GetText;
    std::function<void(TObject*, const AnsiString&)> SetText;
    std::function<double(TObject*)> GetFloat;
    std::function<void(TObject*, double)> SetFloat;
    std::function<TPersistent*(TObject*)> GetSubObject;
    std::function<TComponent*(TObject*)> GetComponent;
    std::function<void(TObject*, TComponent*)> SetComponent;
    // Written only when the value differs from the default: DefaultOrd for ordinals (when
    // HasDefault), DefaultText for enums and sets, empty for strings, DefaultFloat for floats,
    // null for component references. IsStored, when set, can refuse storing altogether.
    bool HasDefault = false;
    int DefaultOrd = 0;
    AnsiString DefaultText;
    double DefaultFloat = 0;
    std::function<bool(TObject*)> IsStored;
};
void RegisterProperty(const TMetaClass* metaClass, const TPropertyInfo& info);
// Searches the object's class and its ancestors (names compared case-insensitively); null when
// the property is not published.
const TPropertyInfo* FindProperty(const TObject* object, const AnsiString& name);
// Every published property of the class and its ancestors: the root class's first, each class's
// in the order registered; a property published again by a descendant appears once, with the
// descendant's entry.
std::vector<const TPropertyInfo*> PublishedProperties(const TMetaClass* metaClass);

// Builders for RegisterProperty over a class's getter and setter members.
template <class C, class G, class S>
TPropertyInfo OrdinalProperty(const char* name, TPropertyKind kind, G get, S set) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = kind;
    info.GetOrd = [get](TObject* o) { return static_cast<int>((static_cast<C*>(o)->*get)()); };
    info.SetOrd = [get, set](TObject* o, int v) {
        using Value = std::decay_t<decltype((static_cast<C*>(o)->*get)())>;
        (static_cast<C*>(o)->*set)(static_cast<Value>(v));
    };
    return info;
}
template <class C, class G, class S>
TPropertyInfo OrdinalProperty(const char* name, TPropertyKind kind, G get, S set, int def) {
    TPropertyInfo info = OrdinalProperty<C>(name, kind, get, set);
    info.HasDefault = true;
    info.DefaultOrd = def;
    return info;
}
// An enumeration whose identifiers are `names`, in the order of its values.
template <class C, class G, class S>
TPropertyInfo EnumProperty(const char* name, G get, S set, std::vector<AnsiString> names,
                           int def) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkEnum;
    info.GetText = [get, names](TObject* o) {
        const int value = static_cast<int>((static_cast<C*>(o)->*get)());
        return value >= 0 && value < static_cast<int>(names.size()) ? names[value] : AnsiString();
    };
    info.SetText = [get, set, names](TObject* o, const AnsiString& text) {
        using Value = std::decay_t<decltype((static_cast<C*>(o)->*get)())>;
        for (size_t i = 0; i < names.size(); ++i)
            if (SameText(names[i], text)) return (static_cast<C*>(o)->*set)(static_cast<Value>(i));
        throw EConvertError("Invalid property value " + text);
    };
    info.DefaultText = def >= 0 && def < static_cast<int>(names.size()) ? names[def] : AnsiString();
    return info;
}
// A std::set of an enumeration whose identifiers are `names`; the default is the empty set.
template <class C, class E, class G, class S>
TPropertyInfo SetProperty(const char* name, G get, S set, std::vector<AnsiString> names) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkSet;
    info.GetText = [get, names](TObject* o) {
        AnsiString text;
        for (E element : (static_cast<C*>(o)->*get)()) {
            const int i = static_cast<int>(element);
            if (i < 0 || i >= static_cast<int>(names.size())) continue;
            text += (text.IsEmpty() ? "" : ",") + names[i];
        }
        return text;
    };
    info.SetText = [set, names](TObject* o, const AnsiString& text) {
        std::set<E> elements;
        AnsiString rest = text;
        while (!rest.IsEmpty()) {
            const int comma = rest.Pos(",");
            const AnsiString item = Trim(comma ? rest.SubString(1, comma - 1) : rest);
            rest = comma ? rest.SubString(comma + 1, rest.Length()) : AnsiString();
            if (item.IsEmpty()) continue;
            size_t i = 0;
            while (i < names.size() && !SameText(names[i], item)) ++i;
            if (i == names.size()) throw EConvertError("Invalid property value " + item);
            elements.insert(static_cast<E>(i));
        }
        (static_cast<C*>(o)->*set)(elements);
    };
    return info;
}
template <class C, class G, class S>
TPropertyInfo StringProperty(const char* name, G get, S set) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkString;
    info.GetText = [get](TObject* o) { return AnsiString((static_cast<C*>(o)->*get)()); };
    info.SetText = [set](TObject* o, const AnsiString& v) { (static_cast<C*>(o)->*set)(v); };
    return info;
}
template <class C, class G, class S>
TPropertyInfo FloatProperty(const char* name, G get, S set) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkFloat;
    info.GetFloat = [get](TObject* o) { return static_cast<double>((static_cast<C*>(o)->*get)()); };
    info.SetFloat = [set](TObject* o, double v) { (static_cast<C*>(o)->*set)(v); };
    return info;
}
template <class C, class G, class S>
TPropertyInfo FloatProperty(const char* name, G get, S set, double def) {
    TPropertyInfo info = FloatProperty<C>(name, get, set);
    info.DefaultFloat = def;
    return info;
}
template <class C, class G>
TPropertyInfo SubObjectProperty(const char* name, G get) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkObject;
    info.GetSubObject = [get](TObject* o) -> TPersistent* {
        return (static_cast<C*>(o)->*get)();
    };
    return info;
}
template <class C, class T, class G, class S>
TPropertyInfo ComponentProperty(const char* name, G get, S set) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkComponent;
    info.GetComponent = [get](TObject* o) -> TComponent* {
        return (static_cast<C*>(o)->*get)();
    };
    info.SetComponent = [set](TObject* o, TComponent* c) {
        (static_cast<C*>(o)->*set)(CheckedCast<T>(c));
    };
    return info;
}

// Assignment between objects of related classes: Assign asks the source to AssignTo the
// target when the target does not know the source's class.
class TPersistent : public TObject {
    CL_CLASS(TPersistent, TObject)

    virtual void Assign(TPersistent* source);
    // Default: raises EConvertError "Cannot assign a <source class> to a <target class>".
    virtual void AssignTo(TPersistent* dest);
    virtual void DefineProperties(TFiler*) {}
    virtual TPersistent* GetOwner() { return nullptr; }
    AnsiString GetNamePath();
};

enum TComponentStateItem {
    csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating,
    csFixups, csFreeNotification, csInline, csDesignInstance
};
using TComponentState = std::set<TComponentStateItem>;
enum TOperation { opInsert, opRemove };
using TGetChildProc = std::function<void(TComponent* child)>;

// A component is owned by its owner and freed with it. Components are freed only with
// Free() (the destructor is protected): BeforeDestruction frees the owned components, last
// created first, and tells the owner and every free-notification subscriber while the object
// is still whole.
class TComponent : public TPersistent {
    CL_COMPONENT_CLASS(TComponent, TPersistent)

    explicit TComponent(TComponent* owner);

    TComponent* Owner() const { return owner_; }
    TPersistent* GetOwner() override { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    void SetComponentIndex(int index);
    TComponent* FindComponent(const AnsiString& name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();

    const AnsiString& Name() const { return name_; }
    // Raises EComponentError for an invalid name or one already used among the owner's
    // components (compared case-insensitively).
    virtual void SetName(const AnsiString& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    const TComponentState& ComponentState() const { return state_; }
    bool InState(TComponentStateItem item) const { return state_.count(item) != 0; }

    // Default: forgets a removed free-notification partner and passes the notice on to the
    // owned components.
    virtual void Notification(TComponent* component, TOperation operation);
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Sets csDestroying on this component and everything it owns.
    void Destroying();
    void BeforeDestruction() override;
    // Clears csLoading.
    virtual void Loaded();

    virtual void GetChildren(const TGetChildProc& proc, TComponent* root);
    virtual void SetChildOrder(TComponent*, int) {}
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) {}
    virtual bool HasParent() const { return false; }
    // Carries out (or updates) an action aimed at this component when the action handles it
    // as a target (cl_actions).
    virtual bool ExecuteAction(TBasicAction* action);
    virtual bool UpdateAction(TBasicAction* action);

    // Component streaming (cl_filer): the properties, then the children.
    virtual void ReadState(TReader* reader);
    virtual void WriteState(TWriter* writer);

    // Used by the loading protocol and by units that run their own update phases.
    void IncludeState(TComponentStateItem item) { state_.insert(item); }
    void ExcludeState(TComponentStateItem item) { state_.erase(item); }

protected:
    ~TComponent() override;
    virtual void ValidateRename(TComponent* component, const AnsiString& currentName,
                                const AnsiString& newName);

private:
    void SendFreeNotifications();

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    AnsiString name_;
    int tag_ = 0;
    TComponentState state_;
};

// Creates a component by class reference; raises EAbstractError when the class cannot be
// created and EInvalidCast when it is not a component class.
TComponent* CreateComponent(const TMetaClass* metaClass, TComponent* owner);

// Loading protocol for forms built in code: BeginLoading marks the root (and every component
// created under it from then on) csLoading|csReading. EndLoading clears csReading throughout,
// then calls Loaded() on every loading component in creation order, the root last.
void BeginLoading(TComponent* root);
void EndLoading(TComponent* root);
