// The tab strip without pages: its tabs are the items of a collection, and the owner reacts to
// the selection itself. Every item change rebuilds the tabs, one tab per item.
#pragma once

#include "UiTabs.h"
#include "cl_lists.h"

class TUiCollectionTabControl;

class TUiTabCollectionItem : public TCollectionItem {
    CL_COLLECTION_ITEM_CLASS(TUiTabCollectionItem, TCollectionItem)

    explicit TUiTabCollectionItem(TCollection* collection);
    // Copies everything but Tag.
    void Assign(TPersistent* source) override;
    AnsiString GetDisplayName() const override;
    TUiCollectionTabControl* GetTabControl() const;

    const AnsiString& Caption() const { return caption_; }
    virtual void SetCaption(const AnsiString& value) { ChangeTo(caption_, value); }
    TColor Color() const { return color_; }
    virtual void SetColor(TColor value) { ChangeTo(color_, value); }
    int DisabledIndex() const { return disabledIndex_; }
    virtual void SetDisabledIndex(int value) { ChangeTo(disabledIndex_, value); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value) { ChangeTo(enabled_, value); }
    const AnsiString& Hint() const { return hint_; }
    virtual void SetHint(const AnsiString& value) { ChangeTo(hint_, value); }
    int ImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(int value) { ChangeTo(imageIndex_, value); }
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value) { ChangeTo(visible_, value); }
    int Tag = 0;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    template <class T> void ChangeTo(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Changed(true);
    }

    AnsiString caption_;
    TColor color_ = clBtnFace;
    int disabledIndex_ = -1;
    bool enabled_ = true;
    AnsiString hint_;
    int imageIndex_ = -1;
    bool visible_ = false;
};

class TUiTabCollection : public TCollection {
    CL_CLASS(TUiTabCollection, TCollection)

    explicit TUiTabCollection(TUiCollectionTabControl* tabControl);
    TUiTabCollectionItem* Add() { return static_cast<TUiTabCollectionItem*>(TCollection::Add()); }
    TUiTabCollectionItem* GetItem(int index) const {
        return static_cast<TUiTabCollectionItem*>(Items(index));
    }
    void SetItem(int index, TUiTabCollectionItem* value) { TCollection::SetItem(index, value); }
    // A deletion at or before the selected tab moves the selection back by one.
    void Delete(int index);
    // Leaves no tab selected.
    void Clear();
    void Move(int from, int to);
    TUiCollectionTabControl* TabControl() const { return tabControl_; }
    TPersistent* GetOwner() override;

protected:
    void Update(TCollectionItem* item) override;

private:
    TUiCollectionTabControl* tabControl_;
};

class TUiCollectionTabControl : public TUiCustomTabControl {
    CL_COMPONENT_CLASS(TUiCollectionTabControl, TUiCustomTabControl)

    explicit TUiCollectionTabControl(TComponent* owner);
    void BeforeDestruction() override;

    TUiTabCollection* Tabs() const { return tabs_; }
    void SetTabs(TUiTabCollection* value);
    // One tab per item, in collection order, invisible items included.
    void Rebuild() override;
    void HideAllTabs() override;
    void ShowAllTabs() override;

protected:
    ~TUiCollectionTabControl() override = default;
    void DestroyActiveTab() override;
    void ActiveTabMoved(int target) override;

private:
    friend class TUiTabCollection;
    TUiTabCollection* tabs_ = nullptr;
};

class TUiTabControl : public TUiCollectionTabControl {
    CL_COMPONENT_CLASS(TUiTabControl, TUiCollectionTabControl)

    explicit TUiTabControl(TComponent* owner) : TUiCollectionTabControl(owner) {}

protected:
    ~TUiTabControl() override = default;
};
