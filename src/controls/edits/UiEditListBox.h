// A list box whose items are edited in place: a second click on the selected item, or F2,
// opens a borderless edit over it; Enter or leaving it writes the text back, Escape discards it.
#pragma once

#include "UiListBox.h"

class TUiEditListBox;

using TUiSizeEditRectEvent = std::function<void(TObject* sender, int index, TRect& rect)>;
using TUiShowingEditorEvent = std::function<void(TObject* sender, int index, bool& allow)>;
using TUiItemChangedEvent = std::function<void(TObject* sender, int index)>;

// The editor over an item: shown and hidden only by its list box.
class TUiPopupEdit : public TCustomEdit {
    CL_COMPONENT_CLASS(TUiPopupEdit, TCustomEdit)

    explicit TUiPopupEdit(TComponent* owner);
    void SetListBox(TUiEditListBox* listBox) { listBox_ = listBox; }

protected:
    ~TUiPopupEdit() override = default;
    void CreateParams(TCreateParams& params) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void Dispatch(TMessage& message) override;

private:
    TUiEditListBox* listBox_ = nullptr;
};

class TUiEditListBox : public TUiListBox {
    CL_COMPONENT_CLASS(TUiEditListBox, TUiListBox)

    explicit TUiEditListBox(TComponent* owner);

    bool AllowEdit() const { return allowEdit_; }
    void SetAllowEdit(bool value) { allowEdit_ = value; }
    bool AllowDeleteByKbd() const { return allowDeleteByKbd_; }
    void SetAllowDeleteByKbd(bool value) { allowDeleteByKbd_ = value; }
    bool PopupVisible() const { return popupVisible_; }
    TUiPopupEdit* Editor() const { return editor_; }

    virtual void ShowEditor();
    virtual void HideEditor(bool accept);

    TUiSizeEditRectEvent OnSizeEditRect;
    TUiShowingEditorEvent OnShowingEditor;
    TNotifyEvent OnHidingEditor;
    TUiItemChangedEvent OnItemChanged;

protected:
    ~TUiEditListBox() override = default;

    virtual void TimerExpired(TObject* sender);
    virtual void SizeEditRect(int index, TRect& rect) {
        if (OnSizeEditRect) OnSizeEditRect(this, index, rect);
    }
    virtual void DoShowingEditor(int index, bool& allow) {
        if (OnShowingEditor) OnShowingEditor(this, index, allow);
    }
    virtual void DoHidingEditor() { if (OnHidingEditor) OnHidingEditor(this); }
    virtual void ItemChanged(int index) { if (OnItemChanged) OnItemChanged(this, index); }
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void Dispatch(TMessage& message) override;

private:
    void LeftButtonDown();
    int CaretIndex();

    TUiPopupEdit* editor_;
    TTimer* clickTimer_;
    int currentIndex_ = -1;
    int editorIndex_ = -1;
    bool showOnNextClick_ = false;
    bool justGotFocus_ = false;
    bool doubleClicked_ = false;
    bool allowEdit_ = true;
    bool allowDeleteByKbd_ = false;
    bool popupVisible_ = false;
};
