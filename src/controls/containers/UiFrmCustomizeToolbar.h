// The toolbar's customisation form: the user hides and shows the toolbar's controls, reorders
// them by buttons or by dragging, and picks a text option; every change applies at once.
#pragma once

#include "UiToolbar.h"
#include "cl_extctrls.h"
#include "cl_forms.h"
#include "cl_stdctrls.h"

class TUiCheckList;

class TUiFrmCustomizeToolbar : public TForm {
    CL_COMPONENT_CLASS(TUiFrmCustomizeToolbar, TForm)

    explicit TUiFrmCustomizeToolbar(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;

    TUiToolbar* Toolbar() const { return toolbar_; }
    void SetToolbar(TUiToolbar* toolbar);
    TComponent* ToolbarOwner() const { return toolbarOwner_; }
    void SetToolbarOwner(TComponent* owner);

    // Places the form beside the toolbar on the side its alignment faces, kept on the desktop.
    void Reposition();
    // Takes the texts and one line per listed control; without text options the combo box
    // and its label are hidden and the form ends below the list.
    void UpdateControls(TUiCustomizeCaptions* captions, bool showTextOptions);
    void EnableMoveButtons(int index);

    TLabel* LblHint;
    TUiCheckList* LstControls;
    TButton* BtnClose;
    TButton* BtnMoveUp;
    TButton* BtnMoveDown;
    TLabel* LblTextOptions;
    TComboBox* CbxTextOptions;
    // Hidden; their glyphs are the list icons of a plain and a grooved spacer.
    TSpeedButton* BtnSpacer;
    TSpeedButton* BtnGrooveSpacer;
    // Scrolls the list while a dragged line is near its top or bottom edge.
    TTimer* Timer1;

    void BtnMoveUpClick(TObject* sender);
    void BtnMoveDownClick(TObject* sender);
    void LstControlsClick(TObject* sender);
    void LstControlsChange(TObject* sender, int index, TCheckBoxState newState);
    void CbxTextOptionsChange(TObject* sender);
    void LstControlsMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void LstControlsDragOver(TObject* sender, TObject* source, int x, int y, TDragState state,
                             bool& accept);
    void LstControlsDragDrop(TObject* sender, TObject* source, int x, int y);
    void LstControlsEndDrag(TObject* sender, TObject* target, int x, int y);
    void Timer1Timer(TObject* sender);
    void ListBoxDrawItem(TObject* control, int index, TRect rect, TOwnerDrawState state);

private:
    void CreateControls();
    void DrawSpacerIcons();
    AnsiString LineText(TControl* control, const AnsiString& name) const;
    // Moves line and control-list entry `from` to `to`, places the toolbar's controls again
    // and selects the moved line.
    void MoveLine(int from, int to);
    void DrawIcon(TControl* control, int x, int y);

    TUiToolbar* toolbar_ = nullptr;
    TComponent* toolbarOwner_ = nullptr;
    int dragSource_ = -1;
    // -1 scrolls up, 1 down.
    int scrollDirection_ = 0;
};
