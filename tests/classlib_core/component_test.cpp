// The object model: metaclasses and the registry, assignment, ownership, names, free
// notifications and the loading protocol.
#include "cl_component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> journal;

// Records every notification it receives, naming the component by its class and name as
// seen at that moment (a half-destroyed component would report a base class).
class TRecorder : public TComponent {
    CL_COMPONENT_CLASS(TRecorder, TComponent)

    explicit TRecorder(TComponent* owner) : TComponent(owner) {}
    TComponent* Partner = nullptr;

    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) {
            journal.push_back(Name().str() + " saw removal of " + component->ClassName().str() +
                              ":" + component->Name().str());
            if (component == Partner) Partner = nullptr;
        }
    }
    void Loaded() override {
        TComponent::Loaded();
        journal.push_back("Loaded " + Name().str() + (InState(csReading) ? " reading" : "") +
                          (FindSibling("Second") ? " sees Second" : ""));
    }
    void BeforeDestruction() override {
        journal.push_back("destroying " + Name().str());
        TComponent::BeforeDestruction();
    }

private:
    TComponent* FindSibling(const char* name) const {
        return Owner() ? Owner()->FindComponent(name) : nullptr;
    }
};

class TSpecialRecorder : public TRecorder {
    CL_COMPONENT_CLASS(TSpecialRecorder, TRecorder)
    using TRecorder::TRecorder;
};

TRecorder* MakeRecorder(TComponent* owner, const char* name) {
    auto* recorder = new TRecorder(owner);
    recorder->SetName(name);
    return recorder;
}

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { journal.clear(); }
};

TEST_F(ComponentTest, MetaclassGivesNameLineageAndCreation) {
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    TRecorder* special = new TSpecialRecorder(owner.get());
    EXPECT_EQ(special->ClassName(), "TSpecialRecorder");
    EXPECT_TRUE(special->InheritsFrom(TRecorder::StaticClass()));
    EXPECT_TRUE(special->InheritsFrom(TComponent::StaticClass()));
    EXPECT_FALSE(TRecorder::StaticClass()->InheritsFrom(TSpecialRecorder::StaticClass()));
    EXPECT_EQ(TSpecialRecorder::StaticClass()->ClassParent(), TRecorder::StaticClass());

    TComponent* created = CreateComponent(TSpecialRecorder::StaticClass(), owner.get());
    EXPECT_EQ(created->ClassType(), TSpecialRecorder::StaticClass());
    EXPECT_EQ(created->Owner(), owner.get());
    EXPECT_THROW(TPersistent::StaticClass()->Create(nullptr), EAbstractError);
}

TEST_F(ComponentTest, RegistryFindsClassesByNameIgnoringCase) {
    RegisterClasses({TRecorder::StaticClass(), TSpecialRecorder::StaticClass()});
    EXPECT_EQ(FindClass("tspecialrecorder"), TSpecialRecorder::StaticClass());
    EXPECT_EQ(GetClass("TRecorder"), TRecorder::StaticClass());
    UnRegisterClass(TRecorder::StaticClass());
    EXPECT_EQ(GetClass("TRecorder"), nullptr);
    try {
        FindClass("TMissing");
        FAIL() << "no exception";
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "Class TMissing not found");
    }
}

TEST_F(ComponentTest, AssignWithoutSupportRaisesTheAssignmentError) {
    TOwnedPtr<TComponent> a(new TComponent(nullptr));
    TOwnedPtr<TRecorder> b(new TRecorder(nullptr));
    try {
        a->Assign(b.get());
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TRecorder to a TComponent");
    }
    EXPECT_THROW(a->Assign(nullptr), EConvertError);
}

TEST_F(ComponentTest, OwnerFreesItsComponentsLastCreatedFirst) {
    TRecorder* form = MakeRecorder(nullptr, "Form");
    MakeRecorder(form, "First");
    TRecorder* second = MakeRecorder(form, "Second");
    MakeRecorder(second, "Inner");
    EXPECT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(second->ComponentIndex(), 1);
    form->Free();
    const std::vector<std::string> expected = {
        "destroying Form",
        "destroying Second",
        "destroying Inner",
        "Second saw removal of TRecorder:Inner",
        "First saw removal of TRecorder:Second",
        "Form saw removal of TRecorder:Second",
        "destroying First",
        "Form saw removal of TRecorder:First",
    };
    EXPECT_EQ(journal, expected);
}

TEST_F(ComponentTest, FreedComponentNotifiesSubscribersWhileStillWhole) {
    TOwnedPtr<TComponent> form(new TComponent(nullptr));
    TRecorder* watcher = MakeRecorder(nullptr, "Watcher");
    TSpecialRecorder* target = new TSpecialRecorder(form.get());
    target->SetName("Target");
    watcher->Partner = target;
    target->FreeNotification(watcher);

    target->Free();
    EXPECT_EQ(watcher->Partner, nullptr);
    ASSERT_FALSE(journal.empty());
    EXPECT_EQ(journal.back(), "Watcher saw removal of TSpecialRecorder:Target");
    EXPECT_EQ(form->ComponentCount(), 0);
    watcher->Free();
}

TEST_F(ComponentTest, FreeNotificationIsForgottenWhenTheSubscriberGoesFirst) {
    TRecorder* target = MakeRecorder(nullptr, "Target");
    TRecorder* watcher = MakeRecorder(nullptr, "Watcher");
    target->FreeNotification(watcher);
    watcher->Free();
    journal.clear();
    target->Free();  // must not call into the freed watcher
    EXPECT_EQ(journal, std::vector<std::string>{"destroying Target"});
}

TEST_F(ComponentTest, NamesAreUniqueAmongTheOwnersComponents) {
    TOwnedPtr<TComponent> form(new TComponent(nullptr));
    TRecorder* a = MakeRecorder(form.get(), "Button1");
    TRecorder* b = MakeRecorder(form.get(), "Button2");
    EXPECT_EQ(form->FindComponent("BUTTON2"), b);
    EXPECT_EQ(form->FindComponent("Nothing"), nullptr);
    try {
        b->SetName("button1");
        FAIL() << "no exception";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "A component named button1 already exists");
    }
    EXPECT_EQ(b->Name(), "Button2");
    EXPECT_THROW(a->SetName("1st"), EComponentError);
    EXPECT_THROW(a->SetName("has blank"), EComponentError);
    a->SetName("Button1");  // its own name again
    a->SetName("");
    b->SetName("Button1");
    EXPECT_EQ(form->FindComponent("Button1"), b);
}

TEST_F(ComponentTest, ComponentIndexMovesWithinTheOwner) {
    TOwnedPtr<TComponent> form(new TComponent(nullptr));
    TRecorder* a = MakeRecorder(form.get(), "A");
    TRecorder* b = MakeRecorder(form.get(), "B");
    TRecorder* c = MakeRecorder(form.get(), "C");
    c->SetComponentIndex(0);
    EXPECT_EQ(form->Components(0), c);
    EXPECT_EQ(form->Components(1), a);
    EXPECT_EQ(form->Components(2), b);
    EXPECT_THROW(form->Components(3), EListError);
}

TEST_F(ComponentTest, ComponentsMoveBetweenOwners) {
    TRecorder* first = MakeRecorder(nullptr, "First");
    TRecorder* second = MakeRecorder(nullptr, "Second");
    TRecorder* child = MakeRecorder(first, "Child");
    second->InsertComponent(child);
    EXPECT_EQ(child->Owner(), second);
    EXPECT_EQ(first->ComponentCount(), 0);
    EXPECT_EQ(journal.back(), "First saw removal of TRecorder:Child");
    MakeRecorder(first, "Child");  // the name is free again there
    EXPECT_THROW(first->InsertComponent(child), EComponentError);
    EXPECT_EQ(child->Owner(), second);  // refused: it stays where it was
    second->RemoveComponent(child);
    EXPECT_EQ(child->Owner(), nullptr);
    child->Free();
    first->Free();
    second->Free();
}

TEST_F(ComponentTest, LoadingProtocolCallsLoadedInCreationOrderRootLast) {
    TRecorder* form = new TRecorder(nullptr);
    BeginLoading(form);
    form->SetName("Form");
    TRecorder* first = MakeRecorder(form, "First");
    MakeRecorder(form, "Second");
    EXPECT_TRUE(first->InState(csLoading));
    EXPECT_TRUE(first->InState(csReading));
    EndLoading(form);
    const std::vector<std::string> expected = {"Loaded First sees Second", "Loaded Second sees Second",
                                               "Loaded Form"};
    EXPECT_EQ(journal, expected);
    EXPECT_FALSE(first->InState(csLoading));
    EXPECT_FALSE(form->InState(csLoading));
    TRecorder* late = MakeRecorder(form, "Late");
    EXPECT_FALSE(late->InState(csLoading));
    form->Free();
}

TEST_F(ComponentTest, DestroyingFlagReachesOwnedComponentsBeforeTheyGo) {
    class TProbe : public TComponent {
        CL_CLASS(TProbe, TComponent)
        explicit TProbe(TComponent* owner, bool* ownerDestroying)
            : TComponent(owner), ownerDestroying_(ownerDestroying) {}
        void BeforeDestruction() override {
            *ownerDestroying_ = Owner() && Owner()->InState(csDestroying) && InState(csDestroying);
            TComponent::BeforeDestruction();
        }

    private:
        bool* ownerDestroying_;
    };
    bool seen = false;
    TComponent* form = new TComponent(nullptr);
    new TProbe(form, &seen);
    form->Free();
    EXPECT_TRUE(seen);
}

TEST_F(ComponentTest, PublishedPropertiesAreFoundThroughAncestors) {
    TPropertyInfo color;
    color.Name = "Color";
    color.Kind = pkColor;
    color.GetOrd = [](TObject* o) { return static_cast<TRecorder*>(o)->Tag(); };
    color.SetOrd = [](TObject* o, int v) { static_cast<TRecorder*>(o)->SetTag(v); };
    RegisterProperty(TRecorder::StaticClass(), color);

    TOwnedPtr<TSpecialRecorder> special(new TSpecialRecorder(nullptr));
    const TPropertyInfo* found = FindProperty(special.get(), "color");
    ASSERT_NE(found, nullptr);
    found->SetOrd(special.get(), 0x123456);
    EXPECT_EQ(special->Tag(), 0x123456);
    EXPECT_EQ(FindProperty(special.get(), "FrameSides"), nullptr);
    TOwnedPtr<TComponent> plain(new TComponent(nullptr));
    EXPECT_EQ(FindProperty(plain.get(), "Color"), nullptr);
}

}  // namespace
