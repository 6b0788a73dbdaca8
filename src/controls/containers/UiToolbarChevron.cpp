#include "UiToolbarChevron.h"

#include "UiColors.h"
#include "UiDrawing.h"
#include "UiGrafx.h"
#include "UiPopupPanel.h"
#include "UiThemeSrv.h"
#include "UiToolbar.h"
#include "cl_forms.h"

TUiToolbarPopupButton::TUiToolbarPopupButton(TComponent* owner)
    : TCustomControl(owner), toolbar_(dynamic_cast<TUiToolbar*>(owner)) {
    SetBounds(0, 0, 14, 25);
}

void TUiToolbarPopupButton::SetFrameColor(TColor color) {
    if (color == frameColor_) return;
    frameColor_ = color;
    Invalidate();
}

void TUiToolbarPopupButton::Dispatch(TMessage& message) {
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return;
    }
    TCustomControl::Dispatch(message);
}

void TUiToolbarPopupButton::SetDown(bool down) {
    if (down == down_) return;
    down_ = down;
    Repaint();
}

void TUiToolbarPopupButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    pressed_ = true;
    down_ = true;
    Repaint();
    SetMouseCapture(true);
}

void TUiToolbarPopupButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (pressed_) SetDown(x >= 0 && y >= 0 && x < Width() && y < Height());
}

void TUiToolbarPopupButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    SetMouseCapture(false);
    pressed_ = false;
    if (!down_) return;
    down_ = false;
    DisplayButtons();
    Repaint();
}

TUiToolbar* TUiToolbarPopupButton::CreateOverflowToolbar(TComponent* owner) {
    auto* overflow = new TUiToolbar(owner);
    overflow->SetBorderOuter(fsFlat);
    overflow->SetBorderSides(AllSides);
    overflow->SetAlign(alNone);
    overflow->SetWidth(3 * toolbar_->ButtonWidth() + 8);
    overflow->SetBackground(toolbar_->Background());
    overflow->SetBiDiMode(toolbar_->BiDiMode());
    overflow->SetButtonHeight(toolbar_->ButtonHeight());
    overflow->SetButtonLayout(toolbar_->ButtonLayout());
    overflow->SetButtonWidth(toolbar_->ButtonWidth());
    overflow->SetGradientColorStart(toolbar_->GradientColorStart());
    overflow->SetGradientColorStop(toolbar_->GradientColorStop());
    overflow->SetGradientColorStyle(toolbar_->GradientColorStyle());
    overflow->SetGradientDirection(toolbar_->GradientDirection());
    overflow->SetImages(toolbar_->Images());
    overflow->SetRowHeight(toolbar_->RowHeight());
    overflow->SetShowButtonCaptions(toolbar_->ShowButtonCaptions());
    overflow->SetShowHint(toolbar_->ShowHint());
    overflow->SetTextOptions(toolbar_->TextOptions());
    overflow->SetVisualStyle(toolbar_->VisualStyle());
    overflow->SetColor(toolbar_->VisualStyle() == vsGradient ? clWindow : toolbar_->Color());
    return overflow;
}

void TUiToolbarPopupButton::CopyHiddenButtons(TUiToolbar* overflow) {
    TUiToolbarControlList* controls = toolbar_->ToolbarControls();
    const int limit = toolbar_->Width() - toolbar_->Margin();
    for (int i = 0; i < controls->Count(); ++i) {
        auto* button = dynamic_cast<TUiToolButton*>(controls->Get(i)->Control);
        if (!button || !button->Visible() || button->Left() + button->Width() <= limit) continue;
        auto* copy = new TUiPopupToolButton(overflow);
        copy->SetChevron(this);
        copy->Assign(button);
        copy->OnClick = button->OnClick;
        copy->SetParent(overflow);
        overflow->ToolbarControls()->AddControl(copy);
    }
}

void TUiToolbarPopupButton::DisplayButtons() {
    TCustomForm* form = GetParentForm(this);
    if (!toolbar_ || !form) return;
    {
        // Freed before the chosen button runs, whatever that click does to the toolbar.
        struct FreePanel {
            TUiPopupPanel* panel;
            ~FreePanel() { TObject::Free(panel); }
        } freePanel{new TUiPopupPanel(this)};
        TUiPopupPanel* panel = freePanel.panel;
        TUiToolbar* overflow = CreateOverflowToolbar(panel);
        overflow->SetParent(panel);
        CopyHiddenButtons(overflow);
        panel->SetParent(form);
        panel->Font()->SetName(Font()->Name());
        panel->Font()->SetColor(Font()->Color());
        overflow->HandleNeeded();
        overflow->SetVisible(true);
        overflow->OnClick = Bind(panel, &TUiPopupPanel::Close);
        ChosenButton = nullptr;
        panel->Popup(this);
    }
    if (ChosenButton) ChosenButton->Click();
}

void TUiToolbarPopupButton::Paint() {
    if (!toolbar_) return;
    const TRect rect = ClientRect();
    DrawBackground(rect, down_);
    const bool themed =
        toolbar_->VisualStyle() == vsWinXP && ThemeServices()->GetThemesEnabled();
    if (!themed) DrawChevron(rect);
}

void TUiToolbarPopupButton::DrawBackground(const TRect& rect, bool isDown) {
    TCanvas* canvas = Canvas();
    const TUiVisualStyle style = toolbar_->VisualStyle();
    if (style == vsWinXP && ThemeServices()->GetThemesEnabled()) {
        ThemeServices()->DrawElement(canvas->Handle(),
                                     TThemeServices::GetElementDetails(trRebarRoot), rect);
        ThemeServices()->DrawElement(
            canvas->Handle(),
            TThemeServices::GetElementDetails(isDown ? trChevronPressed : trChevronNormal), rect);
        return;
    }
    const TRect inside = DrawBox(canvas, rect, frameColor_);
    if (style != vsGradient) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(isDown ? DarkerColor(toolbar_->Color(), 20) : toolbar_->Color());
        canvas->FillRect(inside);
        return;
    }
    TColor start = toolbar_->GradientColorStart(), stop = toolbar_->GradientColorStop();
    if (toolbar_->GradientColorStyle() != gcsCustom)
        GetGradientPanelColors(toolbar_->GradientColorStyle(), start, stop);
    if (isDown) std::swap(start, stop);
    PaintGradient(canvas, inside, toolbar_->GradientDirection(), start, stop);
}

void TUiToolbarPopupButton::DrawChevron(const TRect& rect) {
    TCanvas* canvas = Canvas();
    const TColor saved = canvas->Brush()->Color();
    canvas->Pen()->SetStyle(psClear);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBlack);
    const int x = rect.Left + (rect.Right - rect.Left) / 2;
    const int y = down_ ? rect.Bottom - 3 : rect.Bottom - 4;
    canvas->FillRect(TRect(x - 3, y - 5, x + 4, y - 4));
    for (int row = 0; row < 4; ++row) {
        const int half = 3 - row;
        canvas->FillRect(TRect(x - half, y - 3 + row, x + half + 1, y - 2 + row));
    }
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetColor(saved);
}

namespace {
TUiToolbar* CheckedToolbar(TComponent* owner) {
    auto* toolbar = dynamic_cast<TUiToolbar*>(owner);
    if (!toolbar) throw EInvalidCast("Invalid class typecast");
    return toolbar;
}
}  // namespace

TUiPopupToolButton::TUiPopupToolButton(TComponent* owner)
    : TUiToolButton(owner), toolbar_(CheckedToolbar(owner)) {}

void TUiPopupToolButton::Assign(TPersistent* source) {
    auto* button = dynamic_cast<TUiToolButton*>(source);
    if (!button) {
        TUiToolButton::Assign(source);
        return;
    }
    sourceButton_ = button;
    SetAlignment(button->Alignment());
    SetAllowAllUp(button->AllowAllUp());
    SetBiDiMode(button->BiDiMode());
    SetCaption(button->Caption());
    SetColor(button->Color());
    SetDisabledIndex(button->DisabledIndex());
    SetDownIndex(button->DownIndex());
    SetDropDownMenu(button->DropDownMenu());
    SetEnabled(button->Enabled());
    SetFlat(button->Flat());
    Font()->Assign(button->Font());
    SetGradientColorStyle(button->GradientColorStyle());
    SetGroupIndex(button->GroupIndex());
    // After the group: a button outside a group cannot stay down.
    SetDown(button->Down());
    SetHeight(button->Height());
    SetHint(button->Hint());
    SetHotIndex(button->HotIndex());
    SetImageIndex(button->ImageIndex());
    SetImages(button->Images());
    SetLayout(button->Layout());
    SetParentBiDiMode(button->ParentBiDiMode());
    SetParentFont(button->ParentFont());
    SetParentShowHint(button->ParentShowHint());
    SetSelectionColorStart(button->SelectionColorStart());
    SetSelectionColorStop(button->SelectionColorStop());
    SetSelectionFrameColor(button->SelectionFrameColor());
    SetShowCaption(button->ShowCaption());
    SetShowHint(button->ShowHint());
    SetTag(button->Tag());
    SetToolStyle(button->ToolStyle());
    SetTransparent(button->Transparent());
    SetUseToolbarButtonLayout(button->UseToolbarButtonLayout());
    SetUseToolbarButtonSize(button->UseToolbarButtonSize());
    SetUseToolbarShowCaption(button->UseToolbarShowCaption());
    SetUseToolbarVisualStyle(button->UseToolbarVisualStyle());
    SetVisible(button->Visible());
    SetVisualStyle(button->VisualStyle());
    SetWidth(button->Width());
}

void TUiPopupToolButton::Click() {
    if (chevron_) chevron_->ChosenButton = sourceButton_;
    toolbar_->Click();
}
