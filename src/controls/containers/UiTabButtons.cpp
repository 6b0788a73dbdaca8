#include "UiTabButtons.h"

#include <memory>
#include <utility>

#include "UiDrawing.h"
#include "UiGrafx.h"
#include "UiThemeSrv.h"
#include "UiTabs.h"
#include "cl_imagelist.h"

namespace {

void DrawThemed(TCanvas* canvas, const TThemedElementDetails& details, const TRect& rect) {
    ThemeServices()->DrawElement(canvas->Handle(), details, rect);
}

bool Themed() { return ThemeServices()->GetThemesEnabled(); }

}  // namespace

// ---- shared press handling ---------------------------------------------------------------

TUiTabButton::TUiTabButton(TComponent* owner) : TCustomControl(owner) {
    ControlStyle.insert(csNoDesignVisible);
}

void TUiTabButton::SetFrameColor(TColor value) {
    if (value == frameColor_) return;
    frameColor_ = value;
    Invalidate();
}

void TUiTabButton::Dispatch(TMessage& message) {
    if (message.Msg == WM_ERASEBKGND || message.Msg == CM_DESIGNHITTEST) {
        message.Result = 1;
        return;
    }
    TCustomControl::Dispatch(message);
}

TUiCustomTabControl* TUiTabButton::TabControl() const {
    return dynamic_cast<TUiCustomTabControl*>(Owner());
}

void TUiTabButton::DrawFace(const TRect& rect, bool down) {
    TUiCustomTabControl* tabs = TabControl();
    TCanvas* canvas = Canvas();
    TColor first = tabs->TabColors()->Unselected(), second = tabs->TabColors()->Shadow();
    if (down) std::swap(first, second);
    canvas->Pen()->SetColor(frameColor_);
    if (!tabs->UseGradients()) {
        canvas->Brush()->SetColor(tabs->TabColors()->Unselected());
        canvas->Rectangle(rect);
        return;
    }
    PaintGradient(canvas, TRect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1),
                  gdHorizontalEnd, first, second, 1);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(rect);
    canvas->Brush()->SetStyle(bsSolid);
}

void TUiTabButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    held_ = true;
    inside_ = true;
    Invalidate();
    SetMouseCapture(true);
}

void TUiTabButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!held_) return;
    const bool inside = InPressedPart(x, y);
    if (inside == inside_) return;
    inside_ = inside;
    Invalidate();
}

void TUiTabButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    SetMouseCapture(false);
    held_ = false;
    if (!inside_) return;
    inside_ = false;
    Released();
    Invalidate();
}

// ---- scroller ------------------------------------------------------------------------------

TUiTabScroller::TUiTabScroller(TComponent* owner) : TUiTabButton(owner) {}

void TUiTabScroller::BeforeDestruction() {
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
    TUiTabButton::BeforeDestruction();
}

void TUiTabScroller::SetOrientation(TOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    Invalidate();
}

bool TUiTabScroller::InPressedPart(int x, int y) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return false;
    if (orientation_ == orHorizontal) return upRight_ ? x >= Width() / 2 : x < Width() / 2;
    return upRight_ ? y <= Height() / 2 : y > Height() / 2;
}

void TUiTabScroller::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    upRight_ = orientation_ == orHorizontal ? x >= Width() / 2 : y <= Height() / 2;
    TUiTabButton::MouseDown(button, shift, x, y);
    if (!repeatTimer_) {
        repeatTimer_ = new TTimer(this);
        repeatTimer_->SetOnTimer([this](TObject* sender) { RepeatTimerExpired(sender); });
    }
    repeatTimer_->SetEnabled(false);
    repeatTimer_->SetInterval(400);
    repeatTimer_->SetEnabled(true);
}

void TUiTabScroller::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
    TUiTabButton::MouseUp(button, shift, x, y);
}

void TUiTabScroller::RepeatTimerExpired(TObject*) {
    repeatTimer_->SetInterval(100);
    if (!inside_ || !MouseCapture()) return;
    try {
        Released();
    } catch (...) {
        repeatTimer_->SetEnabled(false);
        throw;
    }
}

void TUiTabScroller::Released() {
    if (upRight_)
        UpRightClick();
    else
        DownLeftClick();
}

void TUiTabScroller::DownLeftClick() {
    if (OnDownLeftClick) OnDownLeftClick(this);
}

void TUiTabScroller::UpRightClick() {
    if (OnUpRightClick) OnUpRightClick(this);
}

void TUiTabScroller::Paint() {
    const int w = Width(), h = Height();
    const bool horizontal = orientation_ == orHorizontal;
    const bool themed = Themed();
    const int grow = themed ? 0 : 1;
    const TRect downLeft = horizontal ? TRect(0, 0, w / 2 + grow, h) : TRect(0, h - h / 2 - grow, w, h);
    const TRect upRight = horizontal ? TRect(w - w / 2 - grow, 0, w, h) : TRect(0, 0, w, h / 2 + grow);
    if (themed) {
        PaintThemedHalf(downLeft, false);
        if (horizontal) {
            Canvas()->Pen()->SetColor(clWhite);
            Canvas()->MoveTo(w / 2, 0);
            Canvas()->LineTo(w / 2, h);
        }
        PaintThemedHalf(upRight, true);
        return;
    }
    PaintHalf(downLeft, false);
    PaintHalf(upRight, true);
}

void TUiTabScroller::PaintHalf(const TRect& rect, bool upRight) {
    TUiCustomTabControl* tabs = TabControl();
    const bool enabled = tabs->CanScrollTabs(tabs->ScrollsForward(upRight));
    const bool pressed = held_ && inside_ && upRight_ == upRight;
    DrawFace(rect, pressed);
    const TDirection direction = orientation_ == orHorizontal ? (upRight ? dirRight : dirLeft)
                                                              : (upRight ? dirUp : dirDown);
    DrawSpinArrow(Canvas(), rect, uiWindows95, direction, pressed, enabled);
}

void TUiTabScroller::PaintThemedHalf(const TRect& rect, bool upRight) {
    TUiCustomTabControl* tabs = TabControl();
    const bool enabled = tabs->CanScrollTabs(tabs->ScrollsForward(upRight));
    const bool pressed = held_ && inside_ && upRight_ == upRight;
    const int state = !enabled ? 2 : pressed ? 1 : 0;
    static const TThemedSpin horizontalUp[] = {tsUpHorzNormal, tsUpHorzPressed, tsUpHorzDisabled};
    static const TThemedSpin horizontalDown[] = {tsDownHorzNormal, tsDownHorzPressed, tsDownHorzDisabled};
    static const TThemedSpin verticalUp[] = {tsUpNormal, tsUpPressed, tsUpDisabled};
    static const TThemedSpin verticalDown[] = {tsDownNormal, tsDownPressed, tsDownDisabled};
    const TThemedSpin* parts = orientation_ == orHorizontal ? (upRight ? horizontalUp : horizontalDown)
                                                            : (upRight ? verticalUp : verticalDown);
    DrawThemed(Canvas(), TThemeServices::GetElementDetails(parts[state]), rect);
}

// ---- close button --------------------------------------------------------------------------

void TUiTabCloseButton::DoClose() {
    if (OnClose) OnClose(this);
}

void TUiTabCloseButton::Paint() {
    const TRect rect(0, 0, Width(), Height());
    if (Themed()) {
        const TThemedWindow part = TabControl()->TabIndex() == -1 ? twSmallCloseButtonDisabled
                                   : inside_                      ? twSmallCloseButtonPushed
                                                                  : twSmallCloseButtonNormal;
        DrawThemed(Canvas(), TThemeServices::GetElementDetails(part), rect);
        return;
    }
    DrawFace(rect, inside_);
    DrawCloseX(Canvas(), rect, uiWindows95, inside_, true);
}

// ---- menu button ---------------------------------------------------------------------------

TUiTabMenuButton::TUiTabMenuButton(TComponent* owner) : TUiTabButton(owner), menu_(new TPopupMenu(this)) {}

void TUiTabMenuButton::BuildMenu() {
    TUiCustomTabControl* tabs = TabControl();
    menu_->Items()->Clear();
    menu_->SetImages(tabs->Images());
    TUiTabDataList* list = tabs->GetTabDataList();
    for (int i = 0; i < list->GetCount(); ++i) {
        const TUiTabData* tab = list->GetItem(i);
        if (!tab->Visible) continue;
        auto* item = new TMenuItem(menu_);
        item->SetCaption(tab->Caption);
        item->SetEnabled(tab->Enabled);
        item->SetChecked(i == tabs->TabIndex());
        item->SetImageIndex(!tab->Enabled && tab->DisabledIndex != -1 ? tab->DisabledIndex : tab->ImageIndex);
        item->SetTag(i);
        item->OnClick = [this](TObject* sender) { TabSelectedHandler(sender); };
        menu_->Items()->Add(item);
    }
}

void TUiTabMenuButton::TabSelectedHandler(TObject* sender) {
    TabControl()->SetTabIndex(static_cast<TMenuItem*>(sender)->Tag());
}

void TUiTabMenuButton::DisplayMenu() {
    BuildMenu();
    const TUiTabOrientation orientation = TabControl()->TabOrientation();
    const bool rev = TabControl()->TabSequence() == tsReverse;
    TPoint corner(0, 0);
    TPopupAlignment alignment = paRight;
    switch (orientation) {
    case toTop:
        corner = rev ? TPoint(0, Height()) : TPoint(Width(), Height());
        alignment = rev ? paLeft : paRight;
        break;
    case toBottom:
        corner = rev ? TPoint(0, 0) : TPoint(Width(), 0);
        alignment = rev ? paLeft : paRight;
        break;
    case toLeft:
        corner = TPoint(Width(), 0);
        alignment = paLeft;
        break;
    case toRight: break;
    }
    menu_->SetAlignment(alignment);
    const TPoint screen = ClientToScreen(corner);
    menu_->Popup(screen.X, screen.Y);
}

void TUiTabMenuButton::Paint() {
    const TUiTabOrientation orientation = TabControl()->TabOrientation();
    if (!Themed()) {
        const TRect rect(0, 0, Width(), Height());
        DrawFace(rect, inside_);
        static const TDirection directions[] = {dirDown, dirRight, dirUp, dirLeft};
        DrawSpinArrow(Canvas(), rect, uiWindows95, directions[orientation], inside_, true);
        return;
    }
    static const TThemedScrollBar normal[] = {tsArrowBtnDownNormal, tsArrowBtnRightNormal,
                                              tsArrowBtnUpNormal, tsArrowBtnLeftNormal};
    static const TThemedScrollBar pressed[] = {tsArrowBtnDownPressed, tsArrowBtnRightPressed,
                                               tsArrowBtnUpPressed, tsArrowBtnLeftPressed};
    const bool across = orientation == toLeft || orientation == toRight;
    auto image = std::make_unique<TBitmap>();
    image->SetSize(Width() + (across ? 1 : 2), Height() + (across ? 2 : 1));
    DrawThemed(image->Canvas(), TThemeServices::GetElementDetails((inside_ ? pressed : normal)[orientation]),
               TRect(0, 0, image->Width(), image->Height()));
    const int dx = across ? 0 : 1, dy = across ? 1 : 0;
    Canvas()->CopyRect(TRect(0, 0, Width(), Height()), image->Canvas(),
                       TRect(dx, dy, dx + Width(), dy + Height()));
}
