#include "UiFrmCustomizeToolbar.h"

#include <algorithm>

#include "UiCheckList.h"
#include "UiSpacer.h"
#include "UiToolButton.h"
#include "UiUtils.h"
#include "cl_imagelist.h"

namespace {

constexpr int IconSize = 16;
constexpr int IconTextIndent = 28;
constexpr TColor IconBackground = clOlive;

// One 16-by-16 spacer icon at `left` of the strip: two button edges with the gap between them,
// outlined by dots (plain) or crossed by a groove.
void DrawSpacerGlyph(TCanvas* canvas, int left, bool grooved, bool disabled) {
    const TColor face = disabled ? clSilver : clBtnFace;
    const TColor edge = disabled ? clSilver : clGray;
    const TColor mark = disabled ? clGray : clBlack;
    canvas->Pen()->SetColor(edge);
    canvas->Brush()->SetColor(face);
    canvas->Rectangle(TRect(left, 3, left + 4, 13));
    canvas->Rectangle(TRect(left + 12, 3, left + 16, 13));
    if (grooved) {
        for (int y = 2; y < 14; ++y) {
            canvas->SetPixels(left + 7, y, disabled ? clGray : clBtnShadow);
            canvas->SetPixels(left + 8, y, clWhite);
        }
        return;
    }
    for (int i = 0; i < 6; i += 2) {
        canvas->SetPixels(left + 5 + i, 2, mark);
        canvas->SetPixels(left + 5 + i, 13, mark);
    }
    for (int y = 4; y < 13; y += 2) {
        canvas->SetPixels(left + 5, y, mark);
        canvas->SetPixels(left + 10, y, mark);
    }
}

void MakeSpacerIcons(TBitmap* strip, bool grooved) {
    strip->SetSize(2 * IconSize, IconSize);
    TCanvas* canvas = strip->Canvas();
    canvas->Brush()->SetColor(IconBackground);
    canvas->FillRect(TRect(0, 0, 2 * IconSize, IconSize));
    DrawSpacerGlyph(canvas, 0, grooved, false);
    DrawSpacerGlyph(canvas, IconSize, grooved, true);
}

TColor BottomLeftPixel(TBitmap* bitmap) { return bitmap->Canvas()->Pixels(0, bitmap->Height() - 1); }

// The first cell of a glyph strip at (x, y), `transparent` showing the canvas's brush.
void DrawFirstCell(TCanvas* canvas, int x, int y, TBitmap* glyph, int cells, TColor transparent) {
    if (glyph->Empty()) return;
    const int width = glyph->Width() / std::max(cells, 1), height = glyph->Height();
    canvas->BrushCopy(TRect(x, y, x + width, y + height), glyph, TRect(0, 0, width, height),
                      transparent);
}

}  // namespace

TUiFrmCustomizeToolbar::TUiFrmCustomizeToolbar(TComponent* owner) : TForm(owner) {
    BeginLoading(this);
    SetName("UiFrmCustomizeToolbar");
    SetBorderStyle(bsDialog);
    SetPosition(poDesigned);
    SetShowHint(true);
    Font()->SetName("Verdana");
    Font()->SetSize(8);
    SetClientWidth(337);
    SetClientHeight(280);
    CreateControls();
    EndLoading(this);
    LstControls->SetItemHeight(20);
    DrawSpacerIcons();
}

void TUiFrmCustomizeToolbar::CreateControls() {
    LblHint = PlaceControl<TLabel>(this, this, "LblHint", 8, 8, 225, 13);
    LblHint->SetAutoSize(true);
    LstControls = PlaceControl<TUiCheckList>(this, this, "LstControls", 8, 24, 225, 205);
    LstControls->SetDragMode(dmAutomatic);
    LstControls->OnClick = Bind(this, &TUiFrmCustomizeToolbar::LstControlsClick);
    LstControls->OnChange = Bind(this, &TUiFrmCustomizeToolbar::LstControlsChange);
    LstControls->OnMouseDown = Bind(this, &TUiFrmCustomizeToolbar::LstControlsMouseDown);
    LstControls->OnDragOver = Bind(this, &TUiFrmCustomizeToolbar::LstControlsDragOver);
    LstControls->OnDragDrop = Bind(this, &TUiFrmCustomizeToolbar::LstControlsDragDrop);
    LstControls->OnEndDrag = Bind(this, &TUiFrmCustomizeToolbar::LstControlsEndDrag);
    LstControls->OnDrawItem = Bind(this, &TUiFrmCustomizeToolbar::ListBoxDrawItem);
    BtnClose = PlaceControl<TButton>(this, this, "BtnClose", 244, 24, 85, 25);
    BtnClose->SetModalResult(mrOk);
    BtnMoveUp = PlaceControl<TButton>(this, this, "BtnMoveUp", 244, 84, 85, 25);
    BtnMoveUp->OnClick = Bind(this, &TUiFrmCustomizeToolbar::BtnMoveUpClick);
    BtnMoveDown = PlaceControl<TButton>(this, this, "BtnMoveDown", 244, 116, 85, 25);
    BtnMoveDown->OnClick = Bind(this, &TUiFrmCustomizeToolbar::BtnMoveDownClick);
    LblTextOptions = PlaceControl<TLabel>(this, this, "LblTextOptions", 8, 236, 225, 13);
    LblTextOptions->SetAutoSize(true);
    CbxTextOptions = PlaceControl<TComboBox>(this, this, "CbxTextOptions", 8, 252, 225, 21);
    CbxTextOptions->SetStyle(csDropDownList);
    CbxTextOptions->OnChange = Bind(this, &TUiFrmCustomizeToolbar::CbxTextOptionsChange);
    BtnSpacer = PlaceControl<TSpeedButton>(this, this, "BtnSpacer", 344, 8, 23, 22);
    BtnSpacer->SetHint("Add a Spacer");
    BtnSpacer->SetVisible(false);
    BtnGrooveSpacer = PlaceControl<TSpeedButton>(this, this, "BtnGrooveSpacer", 344, 36, 23, 22);
    BtnGrooveSpacer->SetHint("Add a Grooved Spacer");
    BtnGrooveSpacer->SetVisible(false);
    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetEnabled(false);
    Timer1->SetInterval(100);
    Timer1->SetOnTimer(Bind(this, &TUiFrmCustomizeToolbar::Timer1Timer));
}

void TUiFrmCustomizeToolbar::DrawSpacerIcons() {
    for (TSpeedButton* button : {BtnSpacer, BtnGrooveSpacer}) {
        TBitmap strip;
        MakeSpacerIcons(&strip, button == BtnGrooveSpacer);
        button->SetGlyph(&strip);
        button->SetNumGlyphs(2);
    }
}

void TUiFrmCustomizeToolbar::Notification(TComponent* component, TOperation operation) {
    TForm::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == toolbar_) toolbar_ = nullptr;
    if (component == toolbarOwner_) toolbarOwner_ = nullptr;
}

void TUiFrmCustomizeToolbar::SetToolbar(TUiToolbar* toolbar) {
    toolbar_ = toolbar;
    if (toolbar) toolbar->FreeNotification(this);
}

void TUiFrmCustomizeToolbar::SetToolbarOwner(TComponent* owner) {
    toolbarOwner_ = owner;
    if (owner) owner->FreeNotification(this);
}

void TUiFrmCustomizeToolbar::Reposition() {
    if (!toolbar_ || !toolbarOwner_) return;
    const TRect b = toolbar_->BoundsRect();
    TPoint anchor;
    switch (toolbar_->Align()) {
    case alBottom: anchor = TPoint(b.Left, b.Top - Height() - 5); break;
    case alLeft: anchor = TPoint(b.Right, b.Top); break;
    case alRight: anchor = TPoint(b.Left - Width() - 5, b.Top); break;
    // A client toolbar may reach the bottom of its window: the form opens over its top corner.
    case alClient: anchor = TPoint(b.Left, b.Top); break;
    default: anchor = TPoint(b.Left, b.Bottom); break;
    }
    // The bounds are in the parent's client coordinates.
    if (TWinControl* parent = toolbar_->Parent()) anchor = parent->ClientToScreen(anchor);
    int x = std::max(anchor.X + 15, 0), y = std::max(anchor.Y + 25, 0);
    const TRect desktop = GetDesktopClientRect();
    if (x + Width() > desktop.Right) x = desktop.Right - Width();
    if (y + Height() > desktop.Bottom) y = desktop.Bottom - Height();
    SetBounds(x, y, Width(), Height());
}

AnsiString TUiFrmCustomizeToolbar::LineText(TControl* control, const AnsiString& name) const {
    if (!control) return name;
    if (auto* button = dynamic_cast<TUiToolButton*>(control)) {
        const AnsiString caption = button->Caption();
        if (!caption.IsEmpty()) return caption;
    }
    if (dynamic_cast<TUiSpacer*>(control)) return "Spacer";
    if (!control->Hint().IsEmpty()) return control->Hint();
    return control->Name();
}

void TUiFrmCustomizeToolbar::UpdateControls(TUiCustomizeCaptions* captions, bool showTextOptions) {
    SetCaption(captions->Title());
    LblHint->SetCaption(captions->Hint());
    BtnClose->SetCaption(captions->Close());
    BtnMoveUp->SetCaption(captions->MoveUp());
    BtnMoveDown->SetCaption(captions->MoveDown());
    LblTextOptions->SetCaption(captions->TextOptions());
    TStrings* options = CbxTextOptions->Items();
    options->Clear();
    options->Add(captions->NoTextLabels());
    options->Add(captions->ShowTextLabels());
    options->Add(captions->SelectiveTextOnRight());
    const TUiToolbarTextOptions current = toolbar_ ? toolbar_->TextOptions() : ttoCustom;
    CbxTextOptions->SetItemIndex(current == ttoCustom ? -1 : static_cast<int>(current));
    if (!showTextOptions) {
        CbxTextOptions->SetVisible(false);
        LblTextOptions->SetVisible(false);
        SetClientHeight(LstControls->Top() + LstControls->Height() + 8);
    }
    LstControls->Items()->Clear();
    if (toolbar_) {
        TUiToolbarControlList* list = toolbar_->ToolbarControls();
        for (int i = 0; i < list->Count(); ++i) {
            TControl* control = list->Get(i)->Control;
            LstControls->AddEx(LineText(control, list->Get(i)->Name), control && control->Visible(),
                               true);
        }
    }
    const int lines = LstControls->Items()->Count();
    BtnMoveUp->SetEnabled(lines > 0);
    BtnMoveDown->SetEnabled(lines > 0);
    if (lines == 0) return;
    LstControls->SetItemIndex(0);
    EnableMoveButtons(0);
}

void TUiFrmCustomizeToolbar::EnableMoveButtons(int index) {
    BtnMoveUp->SetEnabled(index > 0);
    BtnMoveDown->SetEnabled(index < LstControls->Items()->Count() - 1);
}

void TUiFrmCustomizeToolbar::MoveLine(int from, int to) {
    if (!toolbar_) return;
    LstControls->Items()->BeginUpdate();
    try {
        LstControls->Items()->Move(from, to);
        toolbar_->ToolbarControls()->Move(from, to);
        toolbar_->PositionControls();
        LstControls->SetItemIndex(to);
    } catch (...) {
        LstControls->Items()->EndUpdate();
        throw;
    }
    LstControls->Items()->EndUpdate();
    LstControls->Invalidate();
    EnableMoveButtons(to);
}

void TUiFrmCustomizeToolbar::BtnMoveUpClick(TObject*) {
    const int index = LstControls->ItemIndex();
    if (index > 0) MoveLine(index, index - 1);
}

void TUiFrmCustomizeToolbar::BtnMoveDownClick(TObject*) {
    const int index = LstControls->ItemIndex();
    if (index >= 0 && index < LstControls->Items()->Count() - 1) MoveLine(index, index + 1);
}

void TUiFrmCustomizeToolbar::LstControlsClick(TObject*) { EnableMoveButtons(LstControls->ItemIndex()); }

void TUiFrmCustomizeToolbar::LstControlsChange(TObject*, int index, TCheckBoxState newState) {
    if (!toolbar_ || index < 0 || index >= toolbar_->ToolbarControls()->Count()) return;
    TControl* control = toolbar_->ToolbarControls()->Get(index)->Control;
    if (!control) return;
    control->SetVisible(newState == cbChecked);
    toolbar_->PositionControls();
}

void TUiFrmCustomizeToolbar::CbxTextOptionsChange(TObject*) {
    const int index = CbxTextOptions->ItemIndex();
    if (toolbar_ && index >= 0 && index <= ttoSelectiveTextOnRight)
        toolbar_->SetTextOptions(static_cast<TUiToolbarTextOptions>(index));
}

void TUiFrmCustomizeToolbar::LstControlsMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    dragSource_ = LstControls->ItemIndex();
}

void TUiFrmCustomizeToolbar::LstControlsDragOver(TObject*, TObject* source, int x, int y,
                                                 TDragState, bool& accept) {
    const int target = LstControls->ItemAtPos(TPoint(x, y), true);
    accept = source == LstControls && target >= 0;
    const int edge = LstControls->ItemHeight();
    if (y >= LstControls->ClientHeight() - edge)
        scrollDirection_ = 1;
    else if (y < edge)
        scrollDirection_ = -1;
    else
        scrollDirection_ = 0;
    Timer1->SetEnabled(scrollDirection_ != 0);
    if (target >= 0) LstControls->SetItemIndex(target);
}

void TUiFrmCustomizeToolbar::Timer1Timer(TObject*) {
    const int top = LstControls->TopIndex();
    const int last = LstControls->Items()->Count() - 1;
    LstControls->SetTopIndex(std::max(top + scrollDirection_, 0));
    const int now = LstControls->TopIndex();
    // The list stops short of its last line when the lines below fill it.
    const bool atEnd = scrollDirection_ < 0 ? now <= 0 : now >= last || now == top;
    if (atEnd) Timer1->SetEnabled(false);
}

void TUiFrmCustomizeToolbar::LstControlsEndDrag(TObject*, TObject*, int, int) {
    Timer1->SetEnabled(false);
}

void TUiFrmCustomizeToolbar::LstControlsDragDrop(TObject*, TObject* source, int x, int y) {
    const int target = LstControls->ItemAtPos(TPoint(x, y), true);
    if (source != LstControls || target < 0 || dragSource_ < 0 ||
        dragSource_ >= LstControls->Items()->Count())
        return;
    MoveLine(dragSource_, target);
}

void TUiFrmCustomizeToolbar::DrawIcon(TControl* control, int x, int y) {
    TCanvas* canvas = LstControls->Canvas();
    if (auto* button = dynamic_cast<TUiToolButton*>(control)) {
        TCustomImageList* images = button->Images();
        if (!images && toolbar_) images = toolbar_->Images();
        const int image = button->ImageIndex();
        if (images && image >= 0 && image < images->Count()) images->Draw(canvas, x, y, image);
    } else if (auto* speed = dynamic_cast<TSpeedButton*>(control)) {
        TBitmap* glyph = speed->Glyph();
        if (!glyph->Empty())
            DrawFirstCell(canvas, x, y, glyph, speed->NumGlyphs(), BottomLeftPixel(glyph));
    } else if (auto* spacer = dynamic_cast<TUiSpacer*>(control)) {
        TBitmap* icon = (spacer->Grooved() ? BtnGrooveSpacer : BtnSpacer)->Glyph();
        DrawFirstCell(canvas, x, y, icon, 2, BottomLeftPixel(BtnSpacer->Glyph()));
    }
}

void TUiFrmCustomizeToolbar::ListBoxDrawItem(TObject*, int index, TRect rect, TOwnerDrawState) {
    TCanvas* canvas = LstControls->Canvas();
    canvas->FillRect(rect);
    if (toolbar_ && index < toolbar_->ToolbarControls()->Count())
        DrawIcon(toolbar_->ToolbarControls()->Get(index)->Control, rect.Left + 2, rect.Top + 2);
    TRect text = rect;
    text.Left += IconTextIndent;
    const int y = rect.Top + (LstControls->ItemHeight() - canvas->TextHeight("Pp")) / 2;
    canvas->TextRect(text, text.Left + 2, y, LstControls->Items()->Get(index));
}
