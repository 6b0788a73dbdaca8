#include "UiGroupBox.h"

namespace {
constexpr int BannerPadding = 6;
constexpr int BannerTextInsetX = 4;
constexpr int BannerTextInsetY = 1;
}  // namespace

// Measured on the screen, so that laying out the children needs no window of the group box.
int TUiGroupBox::TextHeight(const AnsiString& text) {
    ScreenDC screen;
    HGDIOBJ previous = SelectObject(screen, Font()->Handle());
    SIZE size{};
    GetTextExtentPoint32A(screen, text.c_str(), text.Length(), &size);
    SelectObject(screen, previous);
    return size.cy;
}

TUiGroupBox::TUiGroupBox(TComponent* owner) : TUiCustomPanel(owner) {
    SetBevelOuter(bvNone);
    SetAlignment(taLeftJustify);
}

void TUiGroupBox::SetGroupBoxStyle(TUiGroupBoxStyle style) {
    if (style == groupStyle_) return;
    groupStyle_ = style;
    Realign();
    Invalidate();
}

void TUiGroupBox::AdjustClientRect(TRect& rect) {
    TUiCustomPanel::AdjustClientRect(rect);
    if (groupStyle_ == gsBanner) {
        rect.Top += TextHeight("Yy") + BannerPadding + 2;
        return;
    }
    rect.Top += TextHeight("0");
    rect.Left += 2;
    rect.Right -= 2;
    rect.Bottom -= 2;
}

TRect TUiGroupBox::BannerRect() {
    if (Caption().IsEmpty()) return TRect(0, 0, 0, 0);
    return TRect(0, 0, Width(), TextHeight(Caption()) + BannerPadding);
}

void TUiGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    canvas->SetFont(Font());
    if (groupStyle_ == gsBanner)
        PaintBanner();
    else
        PaintFrame();
}

void TUiGroupBox::PaintFrame() {
    TCanvas* canvas = Canvas();
    const int textHeight = canvas->TextHeight("0");
    TRect frame(0, textHeight / 2, Width(), Height());
    Frame3D(canvas, frame, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, frame, clBtnHighlight, clBtnShadow, 1);
    const AnsiString caption = Caption();
    if (caption.IsEmpty()) return;
    canvas->TextOut(8, 0, " " + caption + " ");
}

// An outline with cut corners around a gradient, the caption inside it.
void TUiGroupBox::PaintBanner() {
    TRect banner = BannerRect();
    if (banner.Height() == 0) return;
    TColor top, bottom, outline;
    GetGradientStatusBarColors(GradientColorStyle(), top, bottom, outline);
    TColor start = bottom, stop = top;
    if (GradientColorStyle() == gcsCustom) {
        start = GradientColorStart();
        stop = GradientColorStop();
    }
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetColor(outline);
    const int l = banner.Left, t = banner.Top, r = banner.Right - 1, b = banner.Bottom - 1;
    canvas->MoveTo(l, t + 1);
    canvas->LineTo(l, b);
    canvas->MoveTo(l + 1, t);
    canvas->LineTo(r, t);
    canvas->MoveTo(r, t + 1);
    canvas->LineTo(r, b);
    canvas->MoveTo(l + 1, b);
    canvas->LineTo(r, b);
    banner = TRect(l + 1, t + 1, r, b);
    PaintGradient(canvas, banner, gdHorizontalEnd, start, stop);
    banner = TRect(banner.Left + BannerTextInsetX, banner.Top + BannerTextInsetY,
                   banner.Right - BannerTextInsetX, banner.Bottom - BannerTextInsetY);
    const UINT align = Alignment() == taCenter        ? DT_CENTER
                       : Alignment() == taRightJustify ? DT_RIGHT
                                                       : DT_LEFT;
    canvas->Brush()->SetStyle(bsClear);
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    RECT rect = {banner.Left, banner.Top, banner.Right, banner.Bottom};
    DrawTextA(dc, Caption().c_str(), -1, &rect, align | DT_SINGLELINE);
}
