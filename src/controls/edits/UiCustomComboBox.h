// The library's framed combo box: state colours, a client-area frame, incremental search in the
// list styles, completion in the edit style, a read-only mode and the wheel stepping the items.
#pragma once

#include "UiFramedControl.h"
#include "cl_extctrls.h"
#include "cl_stdctrls.h"

using TUiDeleteComboItemEvent = std::function<void(TObject* sender, void* data)>;


class TUiCustomComboBox : public TUiFramedControl<TCustomComboBox> {
    CL_COMPONENT_CLASS(TUiCustomComboBox, TCustomComboBox)

    explicit TUiCustomComboBox(TComponent* owner);
    void BeforeDestruction() override;

    bool AllowEdit() const { return allowEdit_; }
    void SetAllowEdit(bool value) { allowEdit_ = value; }
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool value) { autoComplete_ = value; }
    bool BeepOnInvalidKey() const { return beepOnInvalidKey_; }
    void SetBeepOnInvalidKey(bool value) { beepOnInvalidKey_ = value; }
    bool KeepSearchCase() const { return keepSearchCase_; }
    void SetKeepSearchCase(bool value) { keepSearchCase_ = value; }
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
    bool FlatButtons() const { return flatButtons_; }
    virtual void SetFlatButtons(bool value);
    TColor FlatButtonColor() const { return flatButtonColor_; }
    virtual void SetFlatButtonColor(TColor value);
    bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool value);
    void SetFrameVisible(bool value) override;
    void RepaintFrame() override { this->Invalidate(); }
    // Takes effect for the owner-draw styles only.
    void SetItemHeight(int height);

    int Add(const AnsiString& s) { return Items()->Add(s); }
    int AddObject(const AnsiString& s, TObject* object) { return Items()->AddObject(s, object); }
    void Delete(int index) { Items()->Delete(index); }
    void ClearItems() { Items()->Clear(); }
    virtual int IndexOf(const AnsiString& s) { return Items()->IndexOf(s); }
    void Insert(int index, const AnsiString& s) { Items()->Insert(index, s); }
    void InsertObject(int index, const AnsiString& s, TObject* object) {
        Items()->InsertObject(index, s, object);
    }
    int Count() const { return Items()->Count(); }

    // The first item from the top whose text begins with s, ignoring case; -1 when none.
    virtual int FindClosest(const AnsiString& s);
    bool FindItem(const AnsiString& s);
    bool FindClosestItem(const AnsiString& s);
    void ClearSearchString() { searchText_ = ""; }
    const AnsiString& SearchText() const { return searchText_; }
    // Sets the text exactly, without completing it.
    virtual void ForceText(const AnsiString& value);
    // Beeps when BeepOnInvalidKey.
    virtual void InvalidKeyPressed();
    bool Focused() override { return hasFocus_; }

    TNotifyEvent OnMatch;
    TNotifyEvent OnNotInList;
    TNotifyEvent OnSelEndCancel;
    TNotifyEvent OnSelEndOk;
    TUiDeleteComboItemEvent OnDeleteItem;

protected:
    ~TUiCustomComboBox() override = default;

    bool ReadOnlyValue() override { return readOnly_; }
    void UpdateFrame(bool byMouse, bool value) override;
    bool PaintFrame() override { return false; }
    void TrackUserColor() override;
    virtual void UpdateIndex(const AnsiString& s, TMessage& message);
    virtual bool FindListItem(const AnsiString& s, TMessage& message);
    void DeleteItem(int index, void* data) override;
    virtual void Match() { if (OnMatch) OnMatch(this); }
    virtual void NotInList() { if (OnNotInList) OnNotInList(this); }
    virtual void SelEndCancel() { if (OnSelEndCancel) OnSelEndCancel(this); }
    virtual void SelEndOk() { if (OnSelEndOk) OnSelEndOk(this); }
    void SearchTimerExpired(TObject* sender);
    // The owner-draw request of one row, in the control's font and brush.
    virtual void DrawOwnerItem(TMessage& message);

    void CreateWnd() override;
    void KeyPress(char& key) override;
    void CloseUp() override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    void Dispatch(TMessage& message) override;
    void ComboWndProc(TMessage& message, HWND window, WNDPROC previous) override;

    bool drawFocusBorder_ = true;

private:
    bool IsListStyle() const { return Style() != csDropDown && Style() != csSimple; }
    void SelectAndNotify(int index);
    void RunKeyPress(TMessage& message);
    bool ListChar(TMessage& message);
    bool EditKeyDown(TMessage& message, bool& reSearch);
    bool EditChar(TMessage& message, bool& reSearch);
    bool EditTypedChar(TMessage& message);
    bool EditBackspace(TMessage& message);
    void DeleteItemMessage(TMessage& message);
    void PaintClient();
    void PaintTextBand(const TRect& button);
    void PaintFlatButton(const TRect& button, bool themed);
    TRect ButtonRect(int inset);
    void RestartSearchTimer();

    TTimer* searchTimer_;
    AnsiString searchText_;
    int keyInProgress_ = 0;
    bool suppress_ = false;
    bool escapeWhileDropped_ = false;
    bool enterPressed_ = false;
    bool altPressed_ = false;
    // The key-press handling already ran for the character being handled.
    bool keyPressRan_ = false;
    bool allowEdit_ = true;
    bool autoComplete_ = true;
    bool beepOnInvalidKey_ = true;
    bool keepSearchCase_ = false;
    bool tabOnEnter_ = false;
    bool flatButtons_ = false;
    TColor flatButtonColor_ = clBtnFace;
    bool readOnly_ = false;
    bool hasFocus_ = false;
};
