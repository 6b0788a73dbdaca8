#include "UiGroupBox.h"

#include "UiDrawing.h"
#include "UiThemeSrv.h"
#include "UiUtils.h"

namespace {

const bool groupBoxPropertiesRegistered = [] {
    using C = TUiGroupBox;
    const TMetaClass* meta = C::StaticClass();
    PublishPanelProperties(meta,
                           {"AlignmentVertical", "BorderHighlight", "BorderShadow", "FullRepaint",
                            "GridColor", "GridStyle", "GridXSize", "GridYSize", "Locked",
                            "PaintClientArea", "ShowGrid", "TextMargin", "TextMarginVertical",
                            "UseDockManager", "WordWrap"},
                           {{"Alignment", taLeftJustify}, {"BorderOuter", fsNone}});
    RegisterProperty(meta, EnumProperty<C>("GroupStyle", &C::GroupStyle, &C::SetGroupBoxStyle,
                                           {"gsStandard", "gsCustom", "gsTopLine", "gsFlat",
                                            "gsBanner", "gsUnderline"},
                                           gsFlat));
    RegisterClass(meta);
    return true;
}();

}  // namespace

TUiCustomGroupBox::TUiCustomGroupBox(TComponent* owner) : TUiCustomPanel(owner) {
    ControlStyle.insert(csSetCaption);
    ControlStyle.insert(csDoubleClicks);
    SetBorderOuter(fsNone);
    SetBorderInner(fsNone);
    SetAlignment(taLeftJustify);
    SetAlignmentVertical(avTop);
    SetHeight(105);
}

// Measured on the screen, so that laying out the children needs no window of the group box.
int TUiCustomGroupBox::TextHeight(const AnsiString& text) {
    ScreenDC screen;
    HGDIOBJ previous = SelectObject(screen, Font()->Handle());
    SIZE size{};
    GetTextExtentPoint32A(screen, text.c_str(), text.Length(), &size);
    SelectObject(screen, previous);
    return size.cy;
}

void TUiCustomGroupBox::SetGroupBoxStyle(TUiGroupBoxStyle style) {
    if (style == groupStyle_) return;
    groupStyle_ = style;
    Realign();
    Invalidate();
}

void TUiCustomGroupBox::AdjustClientRect(TRect& rect) {
    TUiCustomPanel::AdjustClientRect(rect);
    const int h = TextHeight("Yy");
    const int a = h / 2 - 1 < BorderWidth() ? h / 2 - 1 : h - BorderWidth();
    auto inset = [&rect](int n) { rect = TRect(rect.Left + n, rect.Top + n, rect.Right - n, rect.Bottom - n); };
    switch (groupStyle_) {
    case gsStandard: rect.Top += a; inset(2); break;
    case gsFlat: rect.Top += a; inset(1); break;
    case gsCustom:
        if (!Caption().IsEmpty()) rect.Top += h;
        inset(2);
        break;
    case gsTopLine: rect.Top += h; break;
    case gsBanner: rect.Top += h + 8; break;
    case gsUnderline: rect.Top += h + 4; break;
    }
}

void TUiCustomGroupBox::CustomFramingChanged() {
    if (groupStyle_ == gsCustom) TUiCustomPanel::CustomFramingChanged();
}

TRect TUiCustomGroupBox::CaptionRect() {
    if (Caption().IsEmpty() || groupStyle_ == gsCustom) return TRect(0, 0, 0, 0);
    const AnsiString text = RemovePrefixChars(Caption());
    ScreenDC screen;
    HGDIOBJ previous = SelectObject(screen, Font()->Handle());
    SIZE size{};
    GetTextExtentPoint32A(screen, text.c_str(), text.Length(), &size);
    SelectObject(screen, previous);
    const bool rightToLeft = UseRightToLeftAlignment();
    auto placed = [&](int margin) {
        return rightToLeft ? TRect(Width() - size.cx - margin, 0, Width() - margin, size.cy)
                           : TRect(margin, 0, size.cx + margin, size.cy);
    };
    switch (groupStyle_) {
    case gsStandard:
    case gsFlat: return placed(8);
    case gsTopLine: return rightToLeft ? placed(4) : TRect(0, 0, size.cx + 4, size.cy);
    case gsBanner: return TRect(0, 0, Width(), size.cy + 6);
    default: return TRect(0, 0, Width(), size.cy + 2);
    }
}

bool TUiCustomGroupBox::Themed() {
    return VisualStyle() == vsWinXP && ThemeServices()->GetThemesEnabled() &&
           (groupStyle_ == gsStandard || groupStyle_ == gsFlat);
}

void TUiCustomGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    const int frameTop = canvas->TextHeight("Pp") / 2 - 1;
    const TRect captionRect = CaptionRect();
    if (Themed()) {
        PaintThemed(captionRect, frameTop);
        return;
    }
    if (groupStyle_ == gsCustom) {
        TUiCustomPanel::Paint();
        return;
    }
    HDC dc = canvas->Handle();
    if (!Transparent()) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(TRect(0, 0, Width(), Height()));
    } else if (groupStyle_ != gsBanner) {
        ExcludeClipRect(dc, captionRect.Left, captionRect.Top, captionRect.Right,
                        captionRect.Bottom);
    }
    if (groupStyle_ == gsBanner)
        PaintBanner(captionRect);
    else
        PaintFrame(captionRect, frameTop);
    PaintCaptionText(captionRect);
}

void TUiCustomGroupBox::PaintThemed(const TRect& captionRect, int frameTop) {
    HDC dc = Canvas()->Handle();
    if (!Transparent()) DrawParentImage(this, dc, true);
    ExcludeClipRect(dc, captionRect.Left, captionRect.Top, captionRect.Right, captionRect.Bottom);
    const auto details =
        TThemeServices::GetElementDetails(Enabled() ? tbGroupBoxNormal : tbGroupBoxDisabled);
    ThemeServices()->DrawElement(dc, details, TRect(0, frameTop, Width(), Height()));
    SelectClipRgn(dc, nullptr);
    if (!Caption().IsEmpty())
        ThemeServices()->DrawText(dc, details, Caption(), captionRect,
                                  DrawTextAlignments[Alignment()], 0);
}

void TUiCustomGroupBox::PaintFrame(const TRect& captionRect, int frameTop) {
    TCanvas* canvas = Canvas();
    const TRect r(0, frameTop, Width(), Height());
    const TColor fc = AdjustColor(FlatColor(), FlatColorAdjustment());
    canvas->Pen()->SetColor(fc);
    auto line = [canvas](int x1, int y1, int x2, int y2) {
        canvas->MoveTo(x1, y1);
        canvas->LineTo(x2, y2);
    };
    const int l = r.Left, t = r.Top, rt = r.Right, b = r.Bottom;
    switch (groupStyle_) {
    case gsStandard:
        if (BorderOuter() == fsNone)
            DrawBorderSides(canvas, r, fsGroove, AllSides);
        else if (BorderOuter() == fsFlat)
            DrawBox(canvas, r, fc);
        else if (BorderOuter() == fsFlatBold)
            DrawBevel(canvas, r, fc, fc, 2, AllSides);
        else
            DrawBorderSides(canvas, r, BorderOuter(), AllSides);
        break;
    case gsTopLine:
        if (BorderOuter() == fsNone)
            DrawBorderSides(canvas, r, fsGroove, SideBit(sdTop));
        else if (BorderOuter() == fsFlat || BorderOuter() == fsFlatBold) {
            line(l + 2, t, rt - 2, t);
            if (BorderOuter() == fsFlatBold) line(l + 2, t + 1, rt - 2, t + 1);
        } else {
            DrawBorderSides(canvas, r, BorderOuter(), SideBit(sdTop));
        }
        break;
    case gsFlat: {
        line(l, t + 2, l, b - 2);
        line(l + 2, t, rt - 2, t);
        line(rt - 1, t + 2, rt - 1, b - 2);
        line(l + 2, b - 1, rt - 2, b - 1);
        const COLORREF color = ColorToRGB(fc);
        HDC dc = canvas->Handle();
        SetPixel(dc, l + 1, t + 1, color);
        SetPixel(dc, rt - 2, t + 1, color);
        SetPixel(dc, rt - 2, b - 2, color);
        SetPixel(dc, l + 1, b - 2, color);
        break;
    }
    case gsUnderline:
        line(captionRect.Left, captionRect.Bottom, captionRect.Right, captionRect.Bottom);
        break;
    default:
        break;
    }
}

// An outline with cut corners around a gradient.
void TUiCustomGroupBox::PaintBanner(const TRect& captionRect) {
    if (captionRect.Height() == 0) return;
    TColor start, stop, outline;
    if (GradientColorStyle() == gcsCustom) {
        start = GradientColorStart();
        stop = GradientColorStop();
        outline = AdjustColor(FlatColor(), FlatColorAdjustment());
    } else {
        GetGradientStatusBarColors(GradientColorStyle(), stop, start, outline);
    }
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetColor(outline);
    const int l = captionRect.Left, t = captionRect.Top;
    const int r = captionRect.Right, b = captionRect.Bottom;
    canvas->MoveTo(l, t + 1);
    canvas->LineTo(l, b - 1);
    canvas->MoveTo(l + 1, t);
    canvas->LineTo(r - 1, t);
    canvas->MoveTo(r - 1, t + 1);
    canvas->LineTo(r - 1, b - 1);
    canvas->MoveTo(l + 1, b - 1);
    canvas->LineTo(r - 1, b - 1);
    PaintGradient(canvas, TRect(l + 1, t + 1, r - 1, b - 1), gdHorizontalEnd, start, stop);
}

void TUiCustomGroupBox::PaintCaptionText(TRect captionRect) {
    if (Caption().IsEmpty()) return;
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    if (!Transparent() && groupStyle_ != gsBanner) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(captionRect);
    }
    if (groupStyle_ == gsBanner)
        captionRect = TRect(captionRect.Left + 4, captionRect.Top + 1, captionRect.Right - 4,
                            captionRect.Bottom - 1);
    canvas->Brush()->SetStyle(bsClear);
    SetBkMode(dc, TRANSPARENT);
    const UINT flags = DrawTextAlignments[Alignment()] | DT_SINGLELINE;
    TColor color = Font()->Color();
    if (Enabled() && VisualStyle() == vsWinXP && ThemeServices()->GetThemesEnabled())
        color = GetXPThemeColor(xptcGroupBoxFont);
    if (!Enabled()) {
        RECT shifted = {captionRect.Left + 1, captionRect.Top + 1, captionRect.Right + 1,
                        captionRect.Bottom + 1};
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextA(dc, Caption().c_str(), -1, &shifted, flags);
        color = clBtnShadow;
    }
    SelectClipRgn(dc, nullptr);
    SetTextColor(dc, ColorToRGB(color));
    RECT target = {captionRect.Left, captionRect.Top, captionRect.Right, captionRect.Bottom};
    DrawTextA(dc, Caption().c_str(), -1, &target, flags);
}

void TUiCustomGroupBox::Dispatch(TMessage& message) {
    if (message.Msg == CM_DIALOGCHAR && IsAccel(static_cast<uint16_t>(message.WParam), Caption()) &&
        CanFocus()) {
        for (int i = 0; i < ControlCount(); ++i)
            if (auto* child = dynamic_cast<TWinControl*>(Controls(i))) {
                if (!child->CanFocus()) continue;
                child->SetFocus();
                message.Result = 1;
                return;
            }
    }
    TUiCustomPanel::Dispatch(message);
    if (message.Msg == CM_FONTCHANGED) Invalidate();
}
