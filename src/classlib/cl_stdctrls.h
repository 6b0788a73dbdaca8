// The standard controls: the painted label, and the system's edit, memo, combo box, list box,
// button, check box, radio button and static text windows, subclassed.
#pragma once

#include <windows.h>

#include <vector>

#include "cl_controls.h"
#include "cl_lists.h"
#include "cl_mask.h"

// ---------------------------------------------------------------------------------------------
// A caption painted by the control itself on its parent (DrawText in Font's colour).
class TCustomLabel : public TGraphicControl {
    CL_COMPONENT_CLASS(TCustomLabel, TGraphicControl)

    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    // A transparent label leaves its background to the parent.
    bool Transparent() const { return !ControlStyle.count(csOpaque); }
    void SetTransparent(bool transparent);
    // Without accelerator characters "&" shows as it is.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool showAccelChar);
    // The control that gets the focus when the label's accelerator is pressed.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);
    void SetAutoSize(bool value) override;

    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    virtual AnsiString GetLabelText();
    // Draws the text into `rect` on Canvas; with DT_CALCRECT only measures it into `rect`.
    virtual void DoDrawText(TRect& rect, UINT flags);
    // With AutoSize: resizes the label to its text (a right-aligned label keeps its right
    // edge).
    virtual void AdjustBounds();
    void Paint() override;

private:
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;

protected:
    ~TCustomLabel() override = default;
};

class TLabel : public TCustomLabel {
    CL_COMPONENT_CLASS(TLabel, TCustomLabel)

    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}

protected:
    ~TLabel() override = default;
};

// ---------------------------------------------------------------------------------------------
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// The single-line system edit. Setting Text replaces the whole text whatever MaxLength says;
// the system reports every change, the program's included, as OnChange.
class TCustomEdit : public TWinControl {
    CL_COMPONENT_CLASS(TCustomEdit, TWinControl)

    explicit TCustomEdit(TComponent* owner);

    // 0 = no limit. Limits typing only.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength);
    bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool readOnly);
    int SelStart();
    void SetSelStart(int selStart);
    int SelLength();
    void SetSelLength(int selLength);
    AnsiString SelText();
    void SetSelText(const AnsiString& text);
    void SelectAll();
    void ClearSelection();
    bool Modified();
    void SetModified(bool modified);
    void Clear() { SetText(AnsiString()); }
    // Select the whole text when the edit gets the focus.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }
    // The height follows the font.
    void SetAutoSize(bool value) override;
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle borderStyle);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase charCase);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool hideSelection);
    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool oemConvert);
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char passwordChar);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    void CopyToClipboard() { Perform(WM_COPY); }
    void CutToClipboard() { Perform(WM_CUT); }
    void PasteFromClipboard() { Perform(WM_PASTE); }
    void Undo() { Perform(WM_UNDO); }
    bool CanUndo() { return HandleAllocated() && Perform(EM_CANUNDO) != 0; }

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    virtual void Change();
    // Sets the height for the font when AutoSize is on.
    void AdjustHeight();

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool autoSelect_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    TEditCharCase charCase_ = ecNormal;
    bool hideSelection_ = true;
    bool oemConvert_ = false;
    char passwordChar_ = '\0';
    TAlignment alignment_ = taLeftJustify;
    bool creating_ = false;

protected:
    ~TCustomEdit() override = default;
};

class TEdit : public TCustomEdit {
    CL_COMPONENT_CLASS(TEdit, TCustomEdit)

    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}

protected:
    ~TEdit() override = default;
};

// ---------------------------------------------------------------------------------------------
// The masked edit. With an edit mask (cl_mask) the window shows the edit text (literals in
// their places, blanks in the empty ones), typing fills only the places that take the
// character, Backspace and Delete empty places, and leaving the control checks the mask.
// Without a mask it is the plain edit: Text and EditText are the window text.
class TCustomMaskEdit : public TCustomEdit {
    CL_COMPONENT_CLASS(TCustomMaskEdit, TCustomEdit)

    explicit TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

    const TEditMask& EditMask() const { return editMask_; }
    // Keeps the text: it is shown again through the new mask.
    void SetEditMask(const TEditMask& mask);
    bool IsMasked() const { return !editMask_.IsEmpty(); }
    // The window text, literals and blanks included.
    AnsiString EditText() { return TControl::GetText(); }
    void SetEditText(const AnsiString& text) { TControl::SetText(text); }
    // The masked text: with a mask, the data characters (and the literals when the mask saves
    // them); the setter shows the text through the mask, MaxLength notwithstanding.
    AnsiString Text();
    void SetText(const AnsiString& text);
    // Raises through ValidateError when the edit text does not satisfy the mask; the caret
    // goes to the first place at fault.
    virtual void ValidateEdit();
    void Dispatch(TMessage& message) override;

protected:
    // Raises EDBEditError "Invalid input value.  Use escape key to abandon changes".
    virtual void ValidateError();
    void CreateWnd() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;

private:
    // Puts the characters at the caret as typed; false when the first is refused.
    bool TypeText(const AnsiString& text);
    // Empties the data places from `first` to before `last` and puts the caret at `first`.
    void ClearPlaces(int first, int last);

    TEditMask editMask_;

protected:
    ~TCustomMaskEdit() override = default;
};

class TMaskEdit : public TCustomMaskEdit {
    CL_COMPONENT_CLASS(TMaskEdit, TCustomMaskEdit)

    explicit TMaskEdit(TComponent* owner) : TCustomMaskEdit(owner) {}

protected:
    ~TMaskEdit() override = default;
};

// ---------------------------------------------------------------------------------------------
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// The multi-line system edit. Lines shows its text line by line; Text joins the lines with
// CR LF (no line break after the last).
class TCustomMemo : public TCustomEdit {
    CL_COMPONENT_CLASS(TCustomMemo, TCustomEdit)

    explicit TCustomMemo(TComponent* owner);
    void BeforeDestruction() override;

    TStrings* Lines() const { return lines_; }
    void SetLines(TStrings* lines) { lines_->Assign(lines); }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle scrollBars);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool wantReturns) { wantReturns_ = wantReturns; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool wantTabs) { wantTabs_ = wantTabs; }
    // X = column, Y = line of the caret.
    TPoint CaretPos();
    void SetCaretPos(TPoint pos);

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TStrings* lines_;
    bool wordWrap_ = true;
    TScrollStyle scrollBars_ = ssNone;
    bool wantReturns_ = true;
    bool wantTabs_ = false;

protected:
    ~TCustomMemo() override = default;
};

class TMemo : public TCustomMemo {
    CL_COMPONENT_CLASS(TMemo, TCustomMemo)

    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}

protected:
    ~TMemo() override = default;
};

// ---------------------------------------------------------------------------------------------
// The items of a list or combo box: in the window while it exists, in a stored list before it
// is created and while it is re-created (texts, objects and the selection survive).
class TWinItemStrings : public TStrings {
    CL_CLASS(TWinItemStrings, TStrings)

    // The window messages of one kind of list.
    struct Messages {
        UINT getCount, getText, getTextLen, getData, setData, insert, add, remove, reset,
            findExact, getCurSel, setCurSel, error;
    };
    static const Messages ComboBox;
    static const Messages ListBox;

    TWinItemStrings(TWinControl* control, const Messages& messages);

    AnsiString Get(int index) const override;
    int GetCount() const override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const AnsiString& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const AnsiString& s) override;
    int IndexOf(const AnsiString& s) const override;

    // Kept in order when the window is not there.
    void SetSorted(bool sorted);
    int ItemIndex() const;
    void SetItemIndex(int index);
    // DestroyWnd: copies the window's items out; CreateWnd: puts them back.
    void SaveFromWindow();
    void LoadIntoWindow();

protected:
    void SetUpdateState(bool updating) override;

private:
    bool Live() const { return control_->HandleAllocated(); }
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void CheckIndex(int index) const;

    struct StoredItem {
        AnsiString text;
        TObject* object;
    };
    int AddStored(const AnsiString& s, TObject* object);

    TWinControl* control_;
    Messages messages_;
    std::vector<StoredItem> stored_;
    bool sorted_ = false;
    int storedIndex_ = -1;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
using TMeasureItemEvent = std::function<void(TObject* control, int index, int& height)>;

// The system combo box. OnChange runs when the user selects an item or edits the text, never
// when the program sets ItemIndex.
class TCustomComboBox : public TWinControl {
    CL_COMPONENT_CLASS(TCustomComboBox, TWinControl)

    explicit TCustomComboBox(TComponent* owner);
    void BeforeDestruction() override;

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    TStrings* Items() const { return items_; }
    void SetItems(TStrings* items) { items_->Assign(items); }
    int ItemIndex() const { return items_->ItemIndex(); }
    void SetItemIndex(int index) { items_->SetItemIndex(index); }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count) { dropDownCount_ = count; }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase charCase);
    bool AutoDropDown() const { return autoDropDown_; }
    void SetAutoDropDown(bool value) { autoDropDown_ = value; }
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool value) { autoComplete_ = value; }
    int ItemHeight();
    // Re-creates the window for the owner-draw styles.
    void SetItemHeight(int height);
    bool DroppedDown();
    void SetDroppedDown(bool droppedDown);
    int SelStart();
    void SetSelStart(int selStart);
    int SelLength();
    void SetSelLength(int selLength);
    AnsiString SelText();
    void SetSelText(const AnsiString& text);
    void SelectAll();
    // The edit part (0 for csDropDownList) and the drop-down list.
    HWND EditHandle();
    HWND ListHandle();
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int width);
    // Text of a drop-down list is the selected item's; setting it selects the matching item.
    void SetText(const AnsiString& text);
    // The canvas owner-drawn rows are painted on while a draw request is served.
    TControlCanvas* Canvas() const { return canvas_; }

    void Dispatch(TMessage& message) override;
    // The procedure of the edit part: keys typed into it reach the combo box's key events.
    virtual void ComboWndProc(TMessage& message, HWND window, WNDPROC previous);

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    virtual void DropDown();
    virtual void CloseUp();
    virtual void Select();
    virtual void Change();
    virtual void DeleteItem(int index, void* data);
    bool IsOwnerDraw() const { return style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }

private:
    void HandleCommand(TMessage& message);
    void HandleDrawItem(TMessage& message);
    void AdjustDropDown();
    void SubclassEdit();
    static LRESULT CALLBACK EditWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    TComboBoxStyle style_ = csDropDown;
    TWinItemStrings* items_;
    TControlCanvas* canvas_;
    bool sorted_ = false;
    int dropDownCount_ = 8;
    int maxLength_ = 0;
    TEditCharCase charCase_ = ecNormal;
    bool autoDropDown_ = false;
    bool autoComplete_ = false;
    int itemHeight_ = 16;
    int dropDownWidth_ = 0;
    bool droppingDown_ = false;
    HWND editWindow_ = nullptr;
    WNDPROC editDefProc_ = nullptr;

protected:
    ~TCustomComboBox() override = default;
};

class TComboBox : public TCustomComboBox {
    CL_COMPONENT_CLASS(TComboBox, TCustomComboBox)

    explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}

protected:
    ~TComboBox() override = default;
};

// ---------------------------------------------------------------------------------------------
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
using TLBGetDataEvent = std::function<void(TWinControl* control, int index, AnsiString& data)>;
using TLBGetDataObjectEvent =
    std::function<void(TWinControl* control, int index, TObject*& dataObject)>;
using TLBFindDataEvent = std::function<int(TWinControl* control, const AnsiString& findString)>;

// The system list box. The virtual styles keep no items: Count is set, texts come from OnData.
class TCustomListBox : public TWinControl {
    CL_COMPONENT_CLASS(TCustomListBox, TWinControl)

    explicit TCustomListBox(TComponent* owner);
    void BeforeDestruction() override;

    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle style);
    bool IsVirtual() const { return style_ == lbVirtual || style_ == lbVirtualOwnerDraw; }
    TStrings* Items() const { return items_; }
    void SetItems(TStrings* items) { items_->Assign(items); }
    int Count() const;
    // Virtual styles only.
    void SetCount(int count);
    int ItemIndex();
    void SetItemIndex(int index);
    int ItemHeight();
    void SetItemHeight(int height);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool value);
    bool Selected(int index);
    void SetSelected(int index, bool selected);
    int SelCount();
    int TopIndex();
    void SetTopIndex(int index);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool value);
    // Typing selects the first item that begins with the characters typed so far (case
    // insensitive); a pause of half a second starts the search anew.
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool value) { autoComplete_ = value; }
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int width);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle borderStyle);
    TCanvas* Canvas() const { return canvas_; }
    // The item at a client point; -1 (or Count with `existing` false) when there is none.
    int ItemAtPos(TPoint pos, bool existing);
    TRect ItemRect(int index);
    void Clear();
    void DeleteSelected();
    virtual void SelectAll();

    void Dispatch(TMessage& message) override;

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;
    TLBGetDataEvent OnData;
    TLBGetDataObjectEvent OnDataObject;
    TLBFindDataEvent OnDataFind;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    virtual AnsiString GetItemText(int index);
    void KeyPress(char& key) override;

private:
    friend class TWinItemStrings;
    void HandleDrawItem(TMessage& message);

    TListBoxStyle style_ = lbStandard;
    TWinItemStrings* items_;
    TControlCanvas* canvas_;
    int virtualCount_ = 0;
    // Owner-drawn items are this high; standard ones only once it is set.
    int itemHeight_ = 16;
    bool itemHeightSet_ = false;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    bool sorted_ = false;
    int columns_ = 0;
    bool integralHeight_ = false;
    int tabWidth_ = 0;
    TBorderStyle borderStyle_ = bsSingle;
    bool autoComplete_ = true;
    AnsiString typed_;
    DWORD lastTyped_ = 0;

protected:
    ~TCustomListBox() override = default;
};

class TListBox : public TCustomListBox {
    CL_COMPONENT_CLASS(TListBox, TCustomListBox)

    explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}

protected:
    ~TListBox() override = default;
};

// ---------------------------------------------------------------------------------------------
// Base of the system buttons: a click can be raised by the program without its OnClick.
class TButtonControl : public TWinControl {
    CL_COMPONENT_CLASS(TButtonControl, TWinControl)

    explicit TButtonControl(TComponent* owner);

protected:
    // While set, state changes made by the program do not run Click.
    bool ClicksDisabled() const { return clicksDisabled_; }
    void SetClicksDisabled(bool disabled) { clicksDisabled_ = disabled; }
    void CreateParams(TCreateParams& params) override;

private:
    bool clicksDisabled_ = false;

protected:
    ~TButtonControl() override = default;
};

// The push button. Click first sets the parent form's ModalResult to the button's own (when
// not mrNone), then runs OnClick. Enter clicks the form's active (focused, else default)
// button, Esc its Cancel button.
class TButton : public TButtonControl {
    CL_COMPONENT_CLASS(TButton, TButtonControl)

    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    void Click() override;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void SetButtonStyle(bool isDefault);

    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    TModalResult modalResult_ = mrNone;

protected:
    ~TButton() override = default;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// The check box. Every change of State, the program's included, runs Click (OnClick) unless
// clicks are disabled.
class TCustomCheckBox : public TButtonControl {
    CL_COMPONENT_CLASS(TCustomCheckBox, TButtonControl)

    explicit TCustomCheckBox(TComponent* owner);

    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    virtual void SetState(TCheckBoxState state);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    // taRightJustify: the caption right of the box; taLeftJustify: left of it.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // A user's click: unchecked -> checked (-> grayed when allowed) -> unchecked.
    virtual void Toggle();

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;

protected:
    ~TCustomCheckBox() override = default;
};

class TCheckBox : public TCustomCheckBox {
    CL_COMPONENT_CLASS(TCheckBox, TCustomCheckBox)

    explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}

protected:
    ~TCheckBox() override = default;
};

// The radio button: checking it unchecks the radio buttons beside it (same parent).
class TRadioButton : public TButtonControl {
    CL_COMPONENT_CLASS(TRadioButton, TButtonControl)

    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;

protected:
    ~TRadioButton() override = default;
};

// ---------------------------------------------------------------------------------------------
enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };

// A caption in the system's STATIC window.
class TCustomStaticText : public TWinControl {
    CL_COMPONENT_CLASS(TCustomStaticText, TWinControl)

    explicit TCustomStaticText(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TStaticBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TStaticBorderStyle borderStyle);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);
    void SetAutoSize(bool value) override;

    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    virtual void AdjustBounds();

private:
    TAlignment alignment_ = taLeftJustify;
    TStaticBorderStyle borderStyle_ = sbsNone;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;

protected:
    ~TCustomStaticText() override = default;
};

class TStaticText : public TCustomStaticText {
    CL_COMPONENT_CLASS(TStaticText, TCustomStaticText)

    explicit TStaticText(TComponent* owner) : TCustomStaticText(owner) {}

protected:
    ~TStaticText() override = default;
};
