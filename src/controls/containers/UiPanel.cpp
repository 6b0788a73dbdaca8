#include "UiPanel.h"

#include <algorithm>

#include "UiFrameController.h"
#include "UiPanelDockManager.h"
#include "cl_filer.h"

namespace {

using P = TUiCustomPanel;

// A published property and the identifiers its enumeration or set is written with.
struct TPanelProperty {
    TPropertyInfo Info;
    const std::vector<AnsiString>* Names;
};

template <class G, class S>
TPanelProperty BitSetProperty(const char* name, G get, S set, const std::vector<AnsiString>& names,
                              unsigned def) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkSet;
    info.GetText = [get, &names](TObject* o) { return BitSetText((static_cast<P*>(o)->*get)(), names); };
    info.SetText = [get, set, &names](TObject* o, const AnsiString& text) {
        using Value = std::decay_t<decltype((static_cast<P*>(o)->*get)())>;
        (static_cast<P*>(o)->*set)(static_cast<Value>(BitSetFromText(text, names)));
    };
    info.DefaultText = BitSetText(def, names);
    return {info, &names};
}

std::vector<TPanelProperty> PanelProperties() {
    std::vector<TPanelProperty> list;
    auto ordinal = [&list](const char* name, TPropertyKind kind, auto get, auto set, int def) {
        list.push_back({OrdinalProperty<P>(name, kind, get, set, def), nullptr});
    };
    auto enumeration = [&list](const char* name, auto get, auto set,
                               const std::vector<AnsiString>& names, int def) {
        list.push_back({EnumProperty<P>(name, get, set, names, def), &names});
    };
    enumeration("Align", &TControl::Align, &TControl::SetAlign, AlignIdents(), alNone);
    enumeration("Alignment", &P::Alignment, &P::SetAlignment, AlignmentIdents(), taCenter);
    ordinal("BevelWidth", pkInteger, &P::BevelWidth, &P::SetBevelWidth, 1);
    ordinal("BorderWidth", pkInteger, &P::BorderWidth, &P::SetBorderWidth, 0);
    ordinal("FullRepaint", pkBool, &P::FullRepaint, &P::SetFullRepaint, true);
    ordinal("Locked", pkBool, &P::Locked, &P::SetLocked, false);
    ordinal("DockSite", pkBool, &P::DockSite, &P::SetDockSite, false);
    ordinal("UseDockManager", pkBool, &P::UseDockManager, &P::SetUseDockManager, true);
    enumeration("AlignmentVertical", &P::AlignmentVertical, &P::SetAlignmentVertical,
                AlignmentVerticalIdents(), avCenter);
    enumeration("BorderInner", &P::BorderInner, &P::SetBorderInner, FrameStyleExIdents(), fsNone);
    enumeration("BorderOuter", &P::BorderOuter, &P::SetBorderOuter, FrameStyleExIdents(),
                fsRaised);
    list.push_back(BitSetProperty("BorderSides", &P::BorderSides, &P::SetBorderSides, SideNames(),
                                  AllSides));
    ordinal("BorderColor", pkColor, &P::BorderColor, &P::SetBorderColor, clBtnFace);
    ordinal("BorderHighlight", pkColor, &P::BorderHighlight, &P::SetBorderHighlight,
            clBtnHighlight);
    ordinal("BorderShadow", pkColor, &P::BorderShadow, &P::SetBorderShadow, clBtnShadow);
    ordinal("FlatColor", pkColor, &P::FlatColor, &P::SetFlatColor, clBtnShadow);
    ordinal("FlatColorAdjustment", pkInteger, &P::FlatColorAdjustment, &P::SetFlatColorAdjustment,
            30);
    list.push_back({ComponentProperty<P, TUiFrameController>("FrameController", &P::FrameController,
                                                             &P::SetFrameController),
                    nullptr});
    list.push_back(BitSetProperty("FrameControllerNotifications", &P::FrameControllerNotifications,
                                  &P::SetFrameControllerNotifications,
                                  FrameControllerPropertyNames(), AllFrameControllerNotifications));
    enumeration("GradientColorStyle", &P::GradientColorStyle, &P::SetGradientColorStyle,
                GradientColorStyleIdents(), gcsSystem);
    ordinal("GradientColorStart", pkColor, &P::GradientColorStart, &P::SetGradientColorStart,
            clWhite);
    ordinal("GradientColorStop", pkColor, &P::GradientColorStop, &P::SetGradientColorStop,
            clBtnFace);
    enumeration("GradientDirection", &P::GradientDirection, &P::SetGradientDirection,
                GradientDirectionIdents(), gdHorizontalEnd);
    ordinal("GridColor", pkColor, &P::GridColor, &P::SetGridColor, clBtnShadow);
    static const std::vector<AnsiString> gridStyles = {"gsDots", "gsDottedLines", "gsSolidLines"};
    enumeration("GridStyle", &P::GridStyle, &P::SetGridStyle, gridStyles, gsDots);
    ordinal("GridXSize", pkInteger, &P::GridXSize, &P::SetGridXSize, 8);
    ordinal("GridYSize", pkInteger, &P::GridYSize, &P::SetGridYSize, 8);
    ordinal("PaintClientArea", pkBool, &P::PaintClientArea, &P::SetPaintClientArea, true);
    ordinal("ShowDockClientCaptions", pkBool, &P::ShowDockClientCaptions,
            &P::SetShowDockClientCaptions, true);
    ordinal("ShowGrid", pkBool, &P::ShowGrid, &P::SetShowGrid, false);
    ordinal("TextMargin", pkInteger, &P::TextMargin, &P::SetTextMargin, 0);
    ordinal("TextMarginVertical", pkInteger, &P::TextMarginVertical, &P::SetTextMarginVertical, 0);
    ordinal("Transparent", pkBool, &P::Transparent, &P::SetTransparent, false);
    enumeration("VisualStyle", &P::VisualStyle, &P::SetVisualStyle, VisualStyleIdents(), vsWinXP);
    ordinal("WordWrap", pkBool, &P::WordWrap, &P::SetWordWrap, true);
    return list;
}

void SetDefault(TPanelProperty& property, int value) {
    TPropertyInfo& info = property.Info;
    if (info.Kind == pkEnum) {
        info.DefaultText = (*property.Names)[value];
    } else if (info.Kind == pkSet) {
        info.DefaultText = BitSetText(static_cast<unsigned>(value), *property.Names);
    } else {
        info.HasDefault = true;
        info.DefaultOrd = value;
    }
}

const bool panelPropertiesRegistered = [] {
    PublishPanelProperties(TUiPanel::StaticClass());
    RegisterClass(TUiPanel::StaticClass());
    return true;
}();

}  // namespace

void PublishPanelProperties(const TMetaClass* meta, std::initializer_list<const char*> omitted,
                            std::initializer_list<TPublishedDefault> defaults) {
    for (TPanelProperty& property : PanelProperties()) {
        const AnsiString& name = property.Info.Name;
        auto named = [&name](const char* other) { return SameText(name, other); };
        if (std::any_of(omitted.begin(), omitted.end(), named)) continue;
        for (const TPublishedDefault& d : defaults)
            if (named(d.Name)) SetDefault(property, d.Value);
        RegisterProperty(meta, property.Info);
    }
}

int FrameStyleWidth(TFrameStyleEx style, int bevelWidth) {
    switch (style) {
    case fsNone: return 0;
    case fsFlat: return 1;
    case fsStatus:
    case fsPopup: return bevelWidth;
    default: return 2;
    }
}

TUiCustomPanel::TUiCustomPanel(TComponent* owner)
    : TCustomPanel(owner), enabledStates_(new TStringList) {
    SetBevelOuter(bvNone);
    ControlStyle.erase(csSetCaption);
}

void TUiCustomPanel::BeforeDestruction() {
    SetFrameController(nullptr);
    TCustomPanel::BeforeDestruction();
    delete enabledStates_;
    enabledStates_ = nullptr;
}

void TUiCustomPanel::SetFrameController(TUiFrameController* value) {
    TUiFrameController::Relink(this, frameController_, value);
}

void TUiCustomPanel::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation == opRemove && component == frameController_) frameController_ = nullptr;
}

void TUiCustomPanel::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    if (value)
        ControlStyle.erase(csOpaque);
    else
        ControlStyle.insert(csOpaque);
    Invalidate();
    InvalidateControls(this);
}

TPoint TUiCustomPanel::CursorPosition() {
    POINT point{};
    GetCursorPos(&point);
    return ScreenToClient(TPoint(point.x, point.y));
}

void TUiCustomPanel::FixClientRect(TRect& rect, bool includeBorderWidth) {
    if (includeBorderWidth)
        rect = TRect(rect.Left + BorderWidth(), rect.Top + BorderWidth(),
                     rect.Right - BorderWidth(), rect.Bottom - BorderWidth());
    for (TFrameStyleEx style : {borderOuter_, borderInner_}) {
        const int pixels = FrameStyleWidth(style, BevelWidth());
        if (HasSide(borderSides_, sdLeft)) rect.Left += pixels;
        if (HasSide(borderSides_, sdTop)) rect.Top += pixels;
        if (HasSide(borderSides_, sdRight)) rect.Right -= pixels;
        if (HasSide(borderSides_, sdBottom)) rect.Bottom -= pixels;
    }
}

void TUiCustomPanel::DefineProperties(TFiler* filer) {
    TCustomPanel::DefineProperties(filer);
    filer->DefineProperty("FrameSides", &TUiOldPropReader::ReadOldSetProp, nullptr, false);
    filer->DefineProperty("ThemeAware", &TUiOldPropReader::ReadOldBooleanProp, nullptr, false);
    filer->DefineProperty(
        "UseGradients",
        [this](TReader* reader) {
            if (reader->ReadBoolean()) SetVisualStyle(vsGradient);
        },
        nullptr, false);
}

IDockManager* TUiCustomPanel::CreateDockManager() {
    if (DockManager() || !DockSite() || !UseDockManager()) return DockManager();
    return new TUiPanelDockManager(this);
}

void TUiCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomPanel::AdjustClientRect(rect);
    if (DockSite()) FixClientRect(rect, false);
}

void TUiCustomPanel::AlignControls(TControl* control, TRect& rect) {
    FixClientRect(rect, false);
    TCustomPanel::AlignControls(control, rect);
}

void TUiCustomPanel::SetBounds(int left, int top, int width, int height) {
    if (Align() == alBottom && height != Height()) top -= height - Height();
    if (Align() == alRight && width != Width()) left -= width - Width();
    TCustomPanel::SetBounds(left, top, width, height);
}

void TUiCustomPanel::GetGradientColors(TColor& start, TColor& stop) {
    if (gradientColorStyle_ == gcsCustom) {
        start = gradientColorStart_;
        stop = gradientColorStop_;
    } else {
        GetGradientPanelColors(gradientColorStyle_, start, stop);
    }
}

void TUiCustomPanel::GetGradientFrameColor(TColor& frameColor, int& adjustment) {
    if (visualStyle_ == vsGradient && gradientColorStyle_ != gcsCustom) {
        frameColor = GetGradientPanelFrameColor(gradientColorStyle_);
        adjustment = 0;
    } else {
        frameColor = flatColor_;
        adjustment = flatColorAdjustment_;
    }
}

void TUiCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    TRect rect = GetControlRect();
    TColor frameColor;
    int adjustment;
    GetGradientFrameColor(frameColor, adjustment);
    const TColor parentColor = Parent() ? Parent()->Color() : Color();
    rect = DrawInnerOuterBorders(canvas, rect, borderOuter_, borderInner_, BorderWidth(),
                                 borderSides_, BevelWidth(), borderColor_, borderHighlight_,
                                 borderShadow_, frameColor, adjustment, Color(), parentColor,
                                 transparent_, false);
    if (!transparent_ && paintClientArea_) {
        if (visualStyle_ == vsGradient) {
            TColor start, stop;
            GetGradientColors(start, stop);
            PaintGradient(canvas, rect, gradientDirection_, start, stop, 1);
        } else {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(rect);
        }
    }
    if (showGrid_) DrawGrid(rect);
    canvas->Brush()->SetStyle(bsClear);
    DrawCaption(rect);
    canvas->Brush()->SetStyle(bsSolid);
    if (OnPaint) OnPaint(this);
}

void TUiCustomPanel::DrawCaption(TRect rect) {
    const AnsiString caption = Caption();
    if (caption.IsEmpty()) return;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    rect = TRect(rect.Left + textMargin_, rect.Top + textMarginVertical_,
                 rect.Right - textMargin_, rect.Bottom - textMarginVertical_);
    const UINT flags = DT_EXPANDTABS | DT_VCENTER | DrawTextWordWrap[wordWrap_] |
                       DrawTextAlignments[Alignment()];
    HDC dc = canvas->Handle();
    RECT measured = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    const int height = DrawTextA(dc, caption.c_str(), -1, &measured, flags | DT_CALCRECT);
    switch (alignmentVertical_) {
    case avTop:
        rect.Bottom = Min(rect.Bottom, rect.Top + height);
        break;
    case avCenter:
        rect.Top = (rect.Top + rect.Bottom - height) / 2;
        rect.Bottom = Min(rect.Bottom, rect.Top + height);
        break;
    case avBottom:
        rect.Top = Max(rect.Top, rect.Bottom - height - 1);
        break;
    }
    SetBkMode(dc, TRANSPARENT);
    if (!Enabled()) {
        RECT shifted = {rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1};
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextA(dc, caption.c_str(), -1, &shifted, flags);
        canvas->Font()->SetColor(clBtnShadow);
    }
    SetTextColor(dc, ColorToRGB(canvas->Font()->Color()));
    RECT target = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    DrawTextA(dc, caption.c_str(), -1, &target, flags);
}

void TUiCustomPanel::DrawGrid(const TRect& rect) {
    const int nx = gridXSize_ > 0 ? rect.Width() / gridXSize_ : 0;
    const int ny = gridYSize_ > 0 ? rect.Height() / gridYSize_ : 0;
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetColor(gridColor_);
    HDC dc = canvas->Handle();
    const COLORREF color = ColorToRGB(gridColor_);
    auto xAt = [&](int i) { return rect.Left + gridXSize_ * i - 1; };
    auto yAt = [&](int j) { return rect.Top + gridYSize_ * j - 1; };
    switch (gridStyle_) {
    case gsDots:
        for (int i = 1; i <= nx; ++i)
            for (int j = 1; j <= ny; ++j) SetPixel(dc, xAt(i), yAt(j), color);
        break;
    case gsSolidLines:
        for (int i = 1; i <= nx; ++i) {
            canvas->MoveTo(xAt(i), rect.Top);
            canvas->LineTo(xAt(i), rect.Bottom);
        }
        for (int j = 1; j <= ny; ++j) {
            canvas->MoveTo(rect.Left, yAt(j));
            canvas->LineTo(rect.Right, yAt(j));
        }
        break;
    case gsDottedLines:
        for (int i = 1; i <= nx; ++i)
            for (int y = rect.Top + 1; y < rect.Bottom; y += 2) SetPixel(dc, xAt(i), y, color);
        for (int j = 1; j <= ny; ++j)
            for (int x = rect.Left + 1; x < rect.Right; x += 2) SetPixel(dc, x, yAt(j), color);
        break;
    }
}

void TUiCustomPanel::CustomFramingChanged() {
    if (!frameController_ || !frameController_->FrameVisible()) return;
    auto admitted = [this](TUiFrameControllerProperty p) { return (notifications_ >> p) & 1; };
    if (admitted(fcpFrameStyle)) borderOuter_ = frameController_->FrameStyle();
    if (admitted(fcpFrameSides)) borderSides_ = frameController_->FrameSides();
    if (admitted(fcpFrameColor)) {
        flatColor_ = frameController_->FrameColor();
        flatColorAdjustment_ = 0;
    }
    if (admitted(fcpColor)) SetColor(frameController_->Color());
    if (admitted(fcpParentColor)) SetParentColor(frameController_->ParentColor());
    if (admitted(fcpColor)) {
        borderHighlight_ = LighterColor(Color(), 100);
        borderShadow_ = DarkerColor(Color(), 50);
    }
    Invalidate();
}

// Disabling records each child's state; enabling gives every child back the state it had.
void TUiCustomPanel::EnabledChanged() {
    Invalidate();
    if (!Enabled()) {
        enabledStates_->Clear();
        for (int i = 0; i < ControlCount(); ++i)
            enabledStates_->AddObject(Controls(i)->Enabled() ? "1" : "0", Controls(i));
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(false);
        return;
    }
    for (int i = 0; i < ControlCount(); ++i) {
        const int record = enabledStates_->IndexOfObject(Controls(i));
        Controls(i)->SetEnabled(record < 0 || enabledStates_->Get(record) == "1");
    }
}

// Only the old border area, which becomes interior or moves, needs repainting.
void TUiCustomPanel::InvalidateOldBorders(const WINDOWPOS& pos) {
    if (!HandleAllocated() || (pos.flags & SWP_NOSIZE)) return;
    if (FullRepaint() || !Caption().IsEmpty()) {
        Invalidate();
        return;
    }
    TRect frame(0, 0, Width(), Height());
    FixClientRect(frame, true);
    const TPoint margin = InvalidateMarginSize();
    if (pos.cx != Width()) {
        RECT strip = {frame.Right - margin.X, 0, Width(), Height()};
        InvalidateRect(Handle(), &strip, TRUE);
    }
    if (pos.cy != Height()) {
        RECT strip = {0, frame.Bottom - margin.Y, Width(), Height()};
        InvalidateRect(Handle(), &strip, TRUE);
    }
}

void TUiCustomPanel::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
        InvalidateOldBorders(*reinterpret_cast<WINDOWPOS*>(message.LParam));
        break;
    case WM_ERASEBKGND:
        // A transparent panel's background is its parent's image, never its own colour.
        if (transparent_ && paintClientArea_) {
            DrawParentImage(this, reinterpret_cast<HDC>(message.WParam), true);
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TCustomPanel::Dispatch(message);
    if (message.Msg == CM_ENABLEDCHANGED) EnabledChanged();
    if (message.Msg == WM_THEMECHANGED) CurrentXPColorScheme = GetXPColorScheme();
}
