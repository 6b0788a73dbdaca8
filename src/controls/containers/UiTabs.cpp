#include "UiTabs.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "UiColors.h"
#include "UiGrafx.h"
#include "UiTabButtons.h"
#include "UiUtils.h"
#include "cl_extctrls.h"
#include "cl_filer.h"
#include "cl_forms.h"
#include "cl_imagelist.h"

namespace {

constexpr UINT_PTR HotTrackTimerId = 1;

void ShiftAlong(TRect& r, int dx) {
    r.Left += dx;
    r.Right += dx;
}

void OffsetRect(TRect& r, int dx, int dy) {
    ShiftAlong(r, dx);
    r.Top += dy;
    r.Bottom += dy;
}

TSize MaxSize(TSize a, TSize b) { return {std::max(a.cx, b.cx), std::max(a.cy, b.cy)}; }

bool Contains(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// The caption's lines, cut at each CR LF; no empty last line after a trailing CR LF.
std::vector<AnsiString> ParseTextLines(const AnsiString& text) {
    std::vector<AnsiString> lines;
    const std::string s = text.c_str();
    size_t start = 0;
    while (start < s.size()) {
        const size_t end = s.find("\r\n", start);
        if (end == std::string::npos) {
            lines.emplace_back(s.substr(start).c_str());
            break;
        }
        lines.emplace_back(s.substr(start, end - start).c_str());
        start = end + 2;
    }
    return lines;
}

// The line as shown: the first "&" marks the mnemonic, "&&" stands for "&", a last "&" stays.
std::string WithoutMnemonic(const std::string& line) {
    for (size_t i = 0; i + 1 < line.size(); ++i)
        if (line[i] == '&') return line.substr(0, i) + line.substr(i + 1);
    return line;
}

// A caption cut at its mnemonic: the text before it, the underlined character and the rest.
std::vector<std::string> MnemonicParts(const std::string& text) {
    const size_t amp = text.find('&');
    if (amp == std::string::npos) return {text};
    if (amp + 1 < text.size() && text[amp + 1] == '&')
        return {text.substr(0, amp + 1), "", text.substr(amp + 2)};
    const std::string underlined = amp + 1 < text.size() ? text.substr(amp + 1, 1) : "";
    const std::string rest = amp + 2 < text.size() ? text.substr(amp + 2) : "";
    return {text.substr(0, amp), underlined, rest};
}

TSize MeasureLine(HDC dc, const std::string& line, bool horizontal) {
    const std::string shown = WithoutMnemonic(line);
    SIZE size = {0, 0};
    if (!GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &size)) size = {0, 0};
    if (!horizontal) std::swap(size.cx, size.cy);
    return {size.cx, size.cy};
}

// A font selected into a DC inside a saved drawing state; the font is deleted afterwards.
class TSelectedFont {
public:
    TSelectedFont(HDC dc, HFONT font) : dc_(dc), font_(font) {
        if (SaveDC(dc_) == 0) {
            DeleteObject(font_);
            throw EUiTabControlError(SUiTabSaveDC);
        }
        SelectObject(dc_, font_);
    }
    ~TSelectedFont() {
        RestoreDC(dc_, -1);
        DeleteObject(font_);
    }
    TSelectedFont(const TSelectedFont&) = delete;
    TSelectedFont& operator=(const TSelectedFont&) = delete;

private:
    HDC dc_;
    HFONT font_;
};

// A screen-compatible memory DC for measuring.
class TMeasureDC {
public:
    TMeasureDC() : dc_(CreateCompatibleDC(nullptr)) {}
    ~TMeasureDC() { DeleteDC(dc_); }
    TMeasureDC(const TMeasureDC&) = delete;
    TMeasureDC& operator=(const TMeasureDC&) = delete;
    HDC Handle() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace

void RegisterTabControlProperties(const TMetaClass* meta, bool withCardOptions) {
    using C = TUiCustomTabControl;
    struct Flag {
        const char* name;
        bool (C::*get)() const;
        void (C::*set)(bool);
        bool def;
    };
    const Flag flags[] = {{"AlignTabs", &C::AlignTabs, &C::SetAlignTabs, false},
                          {"AllowTabDragging", &C::AllowTabDragging, &C::SetAllowTabDragging,
                           false},
                          {"BoldCurrentTab", &C::BoldCurrentTab, &C::SetBoldCurrentTab, false},
                          {"HotTrack", &C::HotTrack, &C::SetHotTrack, true},
                          {"MultiLine", &C::MultiLine, &C::SetMultiLine, false},
                          {"ParentBackgroundColor", &C::ParentBackgroundColor,
                           &C::SetParentBackgroundColor, true},
                          {"ShowCardFrame", &C::ShowCardFrame, &C::SetShowCardFrame, true},
                          {"ShowCloseButton", &C::ShowCloseButton, &C::SetShowCloseButton, false},
                          {"ShowFocusRect", &C::ShowFocusRect, &C::SetShowFocusRect, true},
                          {"ShowFullFrame", &C::ShowFullFrame, &C::SetShowFullFrame, true},
                          {"ShowMenuButton", &C::ShowMenuButton, &C::SetShowMenuButton, false},
                          {"ShowShadow", &C::ShowShadow, &C::SetShowShadow, true},
                          {"SoftCorners", &C::SoftCorners, &C::SetSoftCorners, false},
                          {"TabHints", &C::TabHints, &C::SetTabHints, false},
                          {"Transparent", &C::Transparent, &C::SetTransparent, false},
                          {"UseColoredTabs", &C::UseColoredTabs, &C::SetUseColoredTabs, false},
                          {"UseGradients", &C::UseGradients, &C::SetUseGradients, true}};
    for (const Flag& p : flags)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkBool, p.get, p.set, p.def));
    struct Number {
        const char* name;
        TPropertyKind kind;
        int (C::*get)() const;
        void (C::*set)(int);
        int def;
    };
    const Number numbers[] = {
        {"CutCornerSize", pkInteger, &C::CutCornerSize, &C::SetCutCornerSize, 6},
        {"FlatColorAdjustment", pkInteger, &C::FlatColorAdjustment, &C::SetFlatColorAdjustment, 0},
        {"ImageMargin", pkInteger, &C::ImageMargin, &C::SetImageMargin, 2},
        {"Margin", pkInteger, &C::Margin, &C::SetMargin, 0},
        {"RowIndent", pkInteger, &C::RowIndent, &C::SetRowIndent, 5},
        {"RowOverlap", pkInteger, &C::RowOverlap, &C::SetRowOverlap, 5},
        {"TabHeight", pkInteger, &C::TabHeight, &C::SetTabHeight, 0},
        {"TabIndex", pkInteger, &C::TabIndex, &C::SetTabIndex, -1},
        {"TabOverlap", pkInteger, &C::TabOverlap, &C::SetTabOverlap, -1},
        {"TabWidth", pkInteger, &C::TabWidth, &C::SetTabWidth, 0},
        {"FlatColor", pkColor, &C::FlatColor, &C::SetFlatColor, clBtnShadow},
        {"HotTrackColor", pkColor, &C::HotTrackColor, &C::SetHotTrackColor, 1350640}};
    for (const Number& p : numbers)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, p.kind, p.get, p.set, p.def));
    TPropertyInfo background = OrdinalProperty<C>("BackgroundColor", pkColor, &C::BackgroundColor,
                                                  &C::SetBackgroundColor, clBtnFace);
    background.IsStored = [](TObject* o) { return !static_cast<C*>(o)->ParentBackgroundColor(); };
    RegisterProperty(meta, background);
    const std::vector<AnsiString> horizontal{"haLeft", "haCenter", "haRight"};
    const std::vector<AnsiString> vertical{"vaTop", "vaCenter", "vaBottom"};
    RegisterProperty(meta, EnumProperty<C>("HotTrackColorType", &C::HotTrackColorType,
                                           &C::SetHotTrackColorType,
                                           {"htctComplement", "htctActual"}, htctActual));
    RegisterProperty(meta, EnumProperty<C>("HotTrackStyle", &C::HotTrackStyle, &C::SetHotTrackStyle,
                                           {"htsTab", "htsText"}, htsTab));
    RegisterProperty(meta, EnumProperty<C>("ImageAlignment", &C::ImageAlignment,
                                           &C::SetImageAlignment, horizontal, haCenter));
    RegisterProperty(meta, EnumProperty<C>("ImageAlignmentVertical", &C::ImageAlignmentVertical,
                                           &C::SetImageAlignmentVertical, vertical, vaCenter));
    RegisterProperty(meta, EnumProperty<C>("ImagePosition", &C::ImagePosition, &C::SetImagePosition,
                                           {"ipLeft", "ipTop", "ipRight", "ipBottom", "ipBack",
                                            "ipStretch"},
                                           ipLeft));
    RegisterProperty(meta, EnumProperty<C>("TabOrientation", &C::TabOrientation,
                                           &C::SetTabOrientation,
                                           {"toTop", "toLeft", "toBottom", "toRight"}, toTop));
    RegisterProperty(meta, EnumProperty<C>("TabSequence", &C::TabSequence, &C::SetTabSequence,
                                           {"tsStandard", "tsReverse"}, tsStandard));
    RegisterProperty(meta, EnumProperty<C>("TabStyle", &C::TabStyle, &C::SetTabStyle,
                                           {"tsSingleSlant", "tsDoubleSlant", "tsCutCorner",
                                            "tsRoundCorners", "tsBackSlant"},
                                           tsSingleSlant));
    RegisterProperty(meta, EnumProperty<C>("TextAlignment", &C::TextAlignment, &C::SetTextAlignment,
                                           horizontal, haCenter));
    RegisterProperty(meta, EnumProperty<C>("TextAlignmentVertical", &C::TextAlignmentVertical,
                                           &C::SetTextAlignmentVertical, vertical, vaCenter));
    RegisterProperty(meta, EnumProperty<C>("TextOrientation", &C::TextOrientation,
                                           &C::SetTextOrientation, {"orHorizontal", "orVertical"},
                                           orHorizontal));
    RegisterProperty(meta, ComponentProperty<C, TCustomImageList>("Images", &C::Images,
                                                                  &C::SetImages));
    RegisterProperty(meta, SubObjectProperty<C>("TabColors", &C::TabColors));
    RegisterProperty(meta, SubObjectProperty<C>("TextColors", &C::TextColors));
    if (!withCardOptions) return;
    RegisterProperty(meta, OrdinalProperty<C>("ShowCard", pkBool, &C::ShowCard, &C::SetShowCard,
                                              true));
    RegisterProperty(meta, OrdinalProperty<C>("TabIndexDefault", pkInteger, &C::TabIndexDefault,
                                              &C::SetTabIndexDefault, 0));
}

TUiCustomTabControl::TUiCustomTabControl(TComponent* owner)
    : TCustomControl(owner),
      tabs_(new TUiTabDataList),
      tabColors_(new TUiTabColors(this)),
      textColors_(new TUiTextColors(this)),
      regionCache_(new TUiTabRegionCache),
      buffer_(new TBitmap),
      imageChangeLink_(new TChangeLink) {
    ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
    SetTabStop(true);
    SetBounds(Left(), Top(), 300, 100);
    imageChangeLink_->OnChange = [this](TObject* sender) { ImageListChange(sender); };
}

TUiCustomTabControl::~TUiCustomTabControl() = default;

void TUiCustomTabControl::BeforeDestruction() {
    CancelHotTrackTimer();
    TCustomControl::BeforeDestruction();
    delete imageChangeLink_;
    delete buffer_;
    delete regionCache_;
    delete textColors_;
    delete tabColors_;
    delete tabs_;
    imageChangeLink_ = nullptr;
    buffer_ = nullptr;
    regionCache_ = nullptr;
    textColors_ = nullptr;
    tabColors_ = nullptr;
    tabs_ = nullptr;
}

void TUiCustomTabControl::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TUiCustomTabControl::DefineProperties(TFiler* filer) {
    TCustomControl::DefineProperties(filer);
    filer->DefineProperty(
        "FixedDimension", [this](TReader* reader) { fixedDimension_ = reader->ReadInteger(); },
        [this](TWriter* writer) { writer->WriteInteger(fixedDimension_); }, true);
}

void TUiCustomTabControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == images_) SetImages(nullptr);
}

void TUiCustomTabControl::InvalidateControl() {
    hotTrackRepaint_ = false;
    Invalidate();
}

void TUiCustomTabControl::SetCalcNeeded(bool value) {
    if (value == calcNeeded_) return;
    calcNeeded_ = value;
    if (value) InvalidateControl();
}

int TUiCustomTabControl::GetFirstVisible() const {
    for (int i = 0; i < tabs_->GetCount(); ++i)
        if (tabs_->GetItem(i)->Visible) return i;
    return -1;
}

int TUiCustomTabControl::GetLastVisible() const {
    for (int i = tabs_->GetCount() - 1; i >= 0; --i)
        if (tabs_->GetItem(i)->Visible) return i;
    return -1;
}

TUiTabGeometry TUiCustomTabControl::Geometry() const {
    TUiTabGeometry g;
    g.Style = tabStyle_;
    g.Orientation = tabOrientation_;
    g.VerticalText = textOrientation_ == orVertical;
    g.SoftCorners = softCorners_;
    g.CutCornerSize = cutCornerSize_;
    g.TabOverlap = tabOverlap_;
    return g;
}

TColor TUiCustomTabControl::FrameColor() const { return AdjustColor(flatColor_, flatColorAdjustment_); }

// ---- properties ------------------------------------------------------------------------

void TUiCustomTabControl::SetAlignTabs(bool value) {
    if (value == alignTabs_) return;
    alignTabs_ = value;
    if (multiLine_) Rebuild();
}

void TUiCustomTabControl::SetBackgroundColor(TColor value) {
    parentBackgroundColor_ = false;
    if (value == backgroundColor_) return;
    backgroundColor_ = value;
    InvalidateControl();
}

void TUiCustomTabControl::SetParentBackgroundColor(bool value) {
    if (value == parentBackgroundColor_) return;
    parentBackgroundColor_ = value;
    if (Parent()) Perform(CM_PARENTCOLORCHANGED);
}

void TUiCustomTabControl::SetCutCornerSize(int value) {
    if (value < 0 || value == cutCornerSize_) return;
    cutCornerSize_ = value;
    if (tabStyle_ == tsCutCorner) Rebuild();
}

void TUiCustomTabControl::ApplyFrameColor() {
    const TColor color = FrameColor();
    if (scroller_) scroller_->SetFrameColor(color);
    if (closeButton_) closeButton_->SetFrameColor(color);
    if (menuButton_) menuButton_->SetFrameColor(color);
    InvalidateControl();
}

void TUiCustomTabControl::SetFlatColor(TColor value) {
    if (value == flatColor_) return;
    flatColor_ = value;
    ApplyFrameColor();
}

void TUiCustomTabControl::SetFlatColorAdjustment(int value) {
    if (value == flatColorAdjustment_) return;
    flatColorAdjustment_ = value;
    ApplyFrameColor();
}

void TUiCustomTabControl::SetHotTrack(bool value) {
    if (value == hotTrack_) return;
    hotTrack_ = value;
    if (!value && !tabHints_) CancelHotTrackTimer();
}

void TUiCustomTabControl::SetTabHints(bool value) {
    if (value == tabHints_) return;
    tabHints_ = value;
    if (value && !InState(csLoading)) savedHint_ = Hint();
    if (!value && !hotTrack_) CancelHotTrackTimer();
}

void TUiCustomTabControl::SetImages(TCustomImageList* value) {
    if (value == images_) return;
    if (images_) {
        images_->UnRegisterChanges(imageChangeLink_);
        images_->RemoveFreeNotification(this);
    }
    images_ = value;
    if (images_) {
        images_->RegisterChanges(imageChangeLink_);
        images_->FreeNotification(this);
    }
    Rebuild();
}

void TUiCustomTabControl::ImageListChange(TObject*) { InvalidateControl(); }

void TUiCustomTabControl::SetShowCloseButton(bool value) {
    if (value == showCloseButton_) return;
    showCloseButton_ = value;
    if (!closeButton_) CreateCloseButton();
    closeButton_->SetVisible(value);
    Rebuild();
    InvalidateControl();
}

void TUiCustomTabControl::SetShowMenuButton(bool value) {
    if (value == showMenuButton_) return;
    showMenuButton_ = value;
    if (!menuButton_) CreateMenuButton();
    menuButton_->SetVisible(value);
    Rebuild();
    InvalidateControl();
}

void TUiCustomTabControl::SetShowFocusRect(bool value) {
    if (value == showFocusRect_) return;
    showFocusRect_ = value;
    Invalidate();
}

void TUiCustomTabControl::SetShowFullFrame(bool value) {
    if (value == showFullFrame_) return;
    showFullFrame_ = value;
    if (!value) showShadow_ = false;
    Rebuild();
}

void TUiCustomTabControl::SetShowShadow(bool value) {
    if (value == showShadow_) return;
    showShadow_ = value;
    if (value) showFullFrame_ = true;
    Rebuild();
    InvalidateControl();
}

void TUiCustomTabControl::SetTabOrientation(TUiTabOrientation value) {
    if (value == tabOrientation_) return;
    tabOrientation_ = value;
    if (!InState(csLoading) && !InState(csReading)) Rebuild();
}

void TUiCustomTabControl::SetTextOrientation(TOrientation value) {
    if (value == textOrientation_) return;
    textOrientation_ = value;
    if (!InState(csLoading) && !IsTrueTypeFont(Font())) Font()->SetName("Verdana");
    Rebuild();
}

void TUiCustomTabControl::SetTabRegionCacheSize(int value) {
    if (value == -1 || (value > 0 && value != regionCache_->Capacity()))
        regionCache_->SetCapacity(value);
}

// ---- selection -------------------------------------------------------------------------

bool TUiCustomTabControl::TabSelectable(int index) const {
    if (index < 0 || index >= tabs_->GetCount()) return false;
    const TUiTabData* tab = tabs_->GetItem(index);
    return tab->Visible && (tab->Enabled || InState(csDesigning));
}

bool TUiCustomTabControl::CanSelectTab(int index) {
    if (!TabSelectable(index)) return false;
    return index == tabIndex_ || Changing(index);
}

bool TUiCustomTabControl::Changing(int newIndex) {
    bool allow = true;
    if (OnChanging) OnChanging(this, newIndex, allow);
    return allow;
}

void TUiCustomTabControl::Change() {
    if (OnChange) OnChange(this);
}

void TUiCustomTabControl::PageChange() {
    if (OnPageChange) OnPageChange(this);
}

void TUiCustomTabControl::TabClick() {
    if (OnTabClick) OnTabClick(this);
}

void TUiCustomTabControl::TabOrderChange(int oldIndex, int newIndex) {
    if (OnTabOrderChange) OnTabOrderChange(this, oldIndex, newIndex);
}

bool TUiCustomTabControl::CanClose() {
    bool allow = false;
    if (OnClose) OnClose(this, allow);
    return allow;
}

void TUiCustomTabControl::CloseActiveTab() {
    if (tabIndex_ != -1 && CanClose()) DestroyActiveTab();
}

void TUiCustomTabControl::SetTabIndex(int value) {
    if (InState(csLoading) || InState(csReading)) {
        tabIndex_ = value;
        return;
    }
    const int old = tabIndex_;
    bool scrolled = false;
    if (value < 0 || value >= tabs_->GetCount()) {
        tabIndex_ = -1;
        InvalidateControl();
    } else if (value == tabIndex_ || skipChanging_ || CanSelectTab(value)) {
        tabIndex_ = value;
        if (scrollerNeeded_) {
            if (value < scrollIndex_) {
                scrollIndex_ = value;
                scrolled = true;
            }
            while (tabIndex_ > scrollIndex_ && !TabInView(tabs_->GetItem(tabIndex_))) {
                ++scrollIndex_;
                scrolled = true;
            }
        } else if (multiLine_) {
            BringTabToFrontRow(tabs_->GetItem(value));
        }
    }
    if (scrolled || tabIndex_ != old) {
        InvalidateControl();
        if (scroller_) scroller_->Invalidate();
    }
    if (tabIndex_ != old) {
        Change();
        PageChange();
        if (InState(csDesigning) && painted_) UpdateObjectInspector(this);
    }
    if (showCloseButton_ && closeButton_) closeButton_->Invalidate();
    if (showMenuButton_ && menuButton_) menuButton_->Invalidate();
}

void TUiCustomTabControl::BringTabToFrontRow(const TUiTabData* chosen) {
    int rows = 0;
    for (int i = 0; i < tabs_->GetCount(); ++i)
        rows = std::max(rows, tabs_->GetItem(i)->RowIndex);
    rows += 1;
    std::vector<int> tops(rows, 0), bottoms(rows, 0);
    std::vector<bool> noted(rows, false);
    for (int i = 0; i < tabs_->GetCount(); ++i) {
        const TUiTabData* tab = tabs_->GetItem(i);
        if (!tab->Visible || noted[tab->RowIndex]) continue;
        noted[tab->RowIndex] = true;
        tops[tab->RowIndex] = tab->LayoutRect.Top;
        bottoms[tab->RowIndex] = tab->LayoutRect.Bottom;
    }
    const int shift = (rows - chosen->RowIndex) % rows;
    for (int i = 0; i < tabs_->GetCount(); ++i) {
        TUiTabData* tab = tabs_->GetItem(i);
        if (!tab->Visible) continue;
        tab->RowIndex = (tab->RowIndex + shift) % rows;
        tab->LayoutRect.Top = tops[tab->RowIndex];
        tab->LayoutRect.Bottom = bottoms[tab->RowIndex];
    }
}

// ---- measuring -------------------------------------------------------------------------

HFONT TUiCustomTabControl::CreateDrawingFont(bool bold, bool underline) {
    TFont* font = Font();
    LOGFONTA lf = {};
    lf.lfHeight = font->Height();
    if (textOrientation_ == orVertical) lf.lfEscapement = tabOrientation_ == toRight ? 2700 : 900;
    lf.lfWeight = bold || font->Style().count(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font->Style().count(fsItalic) != 0;
    lf.lfUnderline = underline || font->Style().count(fsUnderline) != 0;
    lf.lfStrikeOut = font->Style().count(fsStrikeOut) != 0;
    lf.lfCharSet = static_cast<BYTE>(font->Charset());
    lstrcpynA(lf.lfFaceName, font->Name().c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

TSize TUiCustomTabControl::CalcTextExtent(const AnsiString& text, bool horizontal) {
    return CalcTextExtent(text, horizontal, boldCurrentTab_);
}

TSize TUiCustomTabControl::CalcTextExtent(const AnsiString& text, bool horizontal, bool bold) {
    TMeasureDC dc;
    TSelectedFont font(dc.Handle(), CreateDrawingFont(bold));
    return MeasureText(dc.Handle(), text, horizontal);
}

TSize TUiCustomTabControl::MeasureText(HDC dc, const AnsiString& text, bool horizontal) {
    TSize extent{0, 0};
    for (const AnsiString& line : ParseTextLines(text)) {
        const TSize size = MeasureLine(dc, line.c_str(), horizontal);
        if (horizontal) {
            extent.cx = std::max(extent.cx, size.cx);
            extent.cy += size.cy;
        } else {
            extent.cx += size.cx;
            extent.cy = std::max(extent.cy, size.cy);
        }
    }
    return extent;
}

TSize TUiCustomTabControl::CalcImageExtent(int imageIndex) const {
    if (imageIndex == -1 || !images_) return {0, 0};
    return {images_->Width(), images_->Height()};
}

TSize TUiCustomTabControl::CalcDefaultTabFaceExtent(TFont* font) {
    const TSize measured = CalcTextExtent(RoundCorners() ? "AAA" : "A", true);
    const int height = std::abs(font->Height());
    if (textOrientation_ == orVertical) return {height, measured.cy};
    return {measured.cx, height};
}

TSize TUiCustomTabControl::TabFaceExtent(const TUiTabData* tab) {
    if (!tab->Visible) return {0, 0};
    const TSize image = CalcImageExtent(tab->ImageIndex);
    const TSize text = CalcTextExtent(tab->Caption, textOrientation_ == orHorizontal);
    TSize face;
    switch (imagePosition_) {
    case ipLeft:
    case ipRight:
        face = {imageMargin_ + image.cx + text.cx, std::max(image.cy, text.cy)};
        break;
    case ipTop:
    case ipBottom:
        face = {std::max(image.cx, text.cx), imageMargin_ + image.cy + text.cy};
        break;
    case ipBack: face = MaxSize(image, text); break;
    case ipStretch: face = text; break;
    }
    const TSize standard = CalcDefaultTabFaceExtent(Font());
    if (tabWidth_ == 0) face.cx = std::max(face.cx, standard.cx);
    if (tabHeight_ == 0) face.cy = std::max(face.cy, standard.cy);
    return face;
}

int TUiCustomTabControl::GetTabOffset(int length) const { return Geometry().Offset(length); }

TSize TUiCustomTabControl::CalcTabExtentFromTabFaceExtent(TSize face) {
    const int w = face.cx + 2, h = face.cy + 2, c = cutCornerSize_;
    const bool across = Horizontal();
    const bool textAcross = textOrientation_ == orHorizontal;
    switch (tabStyle_) {
    case tsSingleSlant:
    case tsBackSlant:
        if (across) return {w + 2 * GetTabOffset(h + 4) + 4 + tabHeight_ / 2, h + 4};
        return {w + 4, h + 2 * GetTabOffset(w + 4) + 4 + tabHeight_ / 2};
    case tsDoubleSlant:
        if (across) return {w + 2 * GetTabOffset(h) + 4 + tabHeight_, h + 4};
        return {w + 4, h + 2 * GetTabOffset(w) + 4 + tabHeight_};
    case tsCutCorner:
        if (textAcross) return across ? TSize{w + 2 * c + 6, h + 5} : TSize{w + c + 5, h + 8};
        return across ? TSize{w + 8, h + c + 5} : TSize{w + 5, h + 2 * c + 6};
    case tsRoundCorners:
        return textAcross ? TSize{w + 14, h + 4} : TSize{w + 4, h + 14};
    }
    return {w, h};
}

int TUiCustomTabControl::TabLength(const TUiTabData* tab, TSize largestFace, int available) {
    TSize face = TabFaceExtent(tab);
    if (Horizontal())
        face.cy = std::max(face.cy, largestFace.cy);
    else
        face.cx = std::max(face.cx, largestFace.cx);
    TSize extent = CalcTabExtentFromTabFaceExtent(face);
    if (tabWidth_ > 0) extent.cx = tabWidth_;
    if (tabHeight_ > 0) extent.cy = tabHeight_;
    const int length = Horizontal() ? extent.cx : extent.cy;
    return std::min(length, available - (RoundCorners() ? 4 : 0));
}

// ---- layout ----------------------------------------------------------------------------

TRect TUiCustomTabControl::CalcWholeRect() {
    if (HandleAllocated()) {
        const TRect client = ClientRect();
        return TRect(0, 0, client.Width() - 1, client.Height() - 1);
    }
    return TRect(0, 0, Width() - 1, Height() - 1);
}

int TUiCustomTabControl::GetIndexHeight() {
    if (showCard_)
        return (RoundCorners() ? 3 : 0) + fixedDimension_ +
               (fixedDimension_ - rowOverlap_) * (rowExtent_ - 1);
    const TRect whole = CalcWholeRect();
    const int height = Horizontal() ? whole.Bottom : whole.Right;
    const bool farSide = tabOrientation_ == toBottom || tabOrientation_ == toRight;
    return height - (RoundCorners() && farSide ? 1 : 0);
}

TRect TUiCustomTabControl::GetIndexRect() {
    const TRect whole = CalcWholeRect();
    const int w = whole.Right + 1, h = whole.Bottom + 1, depth = GetIndexHeight();
    switch (tabOrientation_) {
    case toTop: return TRect(0, 0, w - 1 - (showShadow_ && !Reverse() ? 2 : 0), depth);
    case toBottom: return TRect(0, h - 1 - depth, w - 1, h - 1);
    case toLeft: return TRect(0, 0, depth, h - 1);
    case toRight: return TRect(w - 1 - depth, 0, w - 1, h - 1);
    }
    return TRect();
}

int TUiCustomTabControl::GetIndexWidth() {
    const TRect r = GetIndexRect();
    return Horizontal() ? r.Right - r.Left : r.Bottom - r.Top;
}

int TUiCustomTabControl::GetCloseButtonSize() {
    return showCloseButton_ && tabs_->GetCount() > 0 ? GetScrollerSize() : 0;
}

int TUiCustomTabControl::GetMenuButtonSize() {
    return showMenuButton_ && tabs_->GetCount() > 0 ? GetScrollerSize() : 0;
}

int TUiCustomTabControl::ButtonsLength() {
    return (showCloseButton_ ? GetCloseButtonSize() + 2 : 0) + (showMenuButton_ ? GetMenuButtonSize() + 2 : 0);
}

int TUiCustomTabControl::GetScrollerSize() {
    const TSize a = CalcTextExtent("A", true, false);
    int size = a.cy + (textOrientation_ == orVertical ? 2 : 4);
    const bool grow = Horizontal() ? textOrientation_ == orHorizontal && tabHeight_ > 0
                                   : textOrientation_ == orVertical && tabWidth_ > 0;
    return grow ? std::max(size, fixedDimension_ - 2) : std::min(size, fixedDimension_ - 2);
}

void TUiCustomTabControl::CalcMetrics() {
    TSize largestFace{0, 0}, largestTab{0, 0};
    const TSize standard = CalcDefaultTabFaceExtent(Font());
    for (int i = 0; i < tabs_->GetCount(); ++i) {
        const TUiTabData* tab = tabs_->GetItem(i);
        if (!tab->Visible) continue;
        const TSize face = TabFaceExtent(tab);
        largestFace = MaxSize(largestFace, face);
        largestTab = MaxSize(largestTab, CalcTabExtentFromTabFaceExtent(MaxSize(face, standard)));
    }
    if (tabWidth_ > 0) largestTab.cx = tabWidth_;
    if (tabHeight_ > 0) largestTab.cy = tabHeight_;
    fixedDimension_ = Horizontal() ? largestTab.cy : largestTab.cx;
    CalcRows(largestFace);
    CalcPositions(largestFace);
    JustifyRows();
}

void TUiCustomTabControl::CalcRows(TSize largestFace) {
    if (!multiLine_) {
        rowExtent_ = 1;
        return;
    }
    const int last = GetLastVisible();
    int pos = margin_, avail = GetIndexWidth() - 2 * margin_, rows = 1, used = 1;
    for (int i = 0; i < tabs_->GetCount();) {
        const TUiTabData* tab = tabs_->GetItem(i);
        if (!tab->Visible) {
            ++i;
            continue;
        }
        const int length = TabLength(tab, largestFace, avail);
        if (pos + length < avail) {
            pos += length - GetTabOffset(fixedDimension_) + 1;
            ++i;
        } else if (used < rows) {
            ++used;
            if (pos == margin_) ++i;
            pos = margin_;
        } else if (pos != margin_ || i != last) {
            ++rows;
            avail -= rowIndent_;
            i = 0;
            used = 1;
            pos = margin_;
        } else {
            ++i;
            pos = margin_;
        }
    }
    rowExtent_ = used;
}

void TUiCustomTabControl::CalcPositions(TSize largestFace) {
    int y = GetIndexHeight() - fixedDimension_, row = 0;
    int avail = GetIndexWidth() - 2 * margin_;
    if (multiLine_)
        avail -= (rowExtent_ - 1) * rowIndent_;
    else
        avail -= ButtonsLength() + 2 * GetScrollerSize() + 2;
    const int advance = GetTabOffset(fixedDimension_) - 1;
    const int start = Reverse() ? -margin_ : margin_;
    int x = start;
    auto nextRow = [&] {
        y -= fixedDimension_ - rowOverlap_;
        ++row;
    };
    for (int i = 0; i < tabs_->GetCount(); ++i) {
        TUiTabData* tab = tabs_->GetItem(i);
        if (!tab->Visible) continue;
        const int length = TabLength(tab, largestFace, avail);
        const bool overflow =
            multiLine_ && (Reverse() ? x - length <= -avail : x + length >= avail);
        const bool placeFirst = overflow && x == start;
        if (overflow && !placeFirst) {
            x = start;
            nextRow();
        }
        tab->RowIndex = row;
        if (Reverse()) {
            tab->LayoutRect = TRect(x - length, y, x, y + fixedDimension_);
            x = x - length + advance;
        } else {
            tab->LayoutRect = TRect(x, y, x + length, y + fixedDimension_);
            x += length - advance;
        }
        if (placeFirst) {
            x = start;
            nextRow();
        }
    }
    if (!Reverse()) return;
    const int shift = multiLine_ ? Width() : std::abs(x);
    for (int i = 0; i < tabs_->GetCount(); ++i) {
        TUiTabData* tab = tabs_->GetItem(i);
        if (tab->Visible) ShiftAlong(tab->LayoutRect, shift);
    }
}

void TUiCustomTabControl::JustifyRows() {
    if (!alignTabs_ || !multiLine_ || (Horizontal() ? tabWidth_ : tabHeight_) != 0) return;
    const int avail = GetIndexWidth() - 2 * margin_ - (rowExtent_ - 1) * rowIndent_;
    for (int row = 0; row < rowExtent_; ++row) {
        std::vector<TUiTabData*> members;
        for (int i = 0; i < tabs_->GetCount(); ++i) {
            TUiTabData* tab = tabs_->GetItem(i);
            if (tab->Visible && tab->RowIndex == row) members.push_back(tab);
        }
        if (members.empty()) continue;
        const TRect& first = members.front()->LayoutRect;
        const TRect& last = members.back()->LayoutRect;
        const int used =
            (Reverse() ? first.Right - last.Left : last.Right - first.Left) + (RoundCorners() ? 4 : 0);
        const int extra = avail - used;
        if (extra <= 0) continue;
        const int n = static_cast<int>(members.size());
        int q = extra / n, r = extra % n, shift = 0;
        for (TUiTabData* tab : members) {
            const int growth = q + (r > 0 ? 1 : 0);
            if (r > 0) --r;
            if (Reverse()) {
                tab->LayoutRect.Right -= shift;
                tab->LayoutRect.Left -= shift + growth;
            } else {
                tab->LayoutRect.Left += shift;
                tab->LayoutRect.Right += shift + growth;
            }
            shift += growth;
        }
    }
}

int TUiCustomTabControl::GetInitialTabOffset() {
    if (scrollIndex_ < 0 || scrollIndex_ >= tabs_->GetCount()) return 0;
    const int b = margin_ + (RoundCorners() ? 2 : 0);
    const TRect& r = tabs_->GetItem(scrollIndex_)->LayoutRect;
    return Reverse() ? r.Right + b : r.Left - b;
}

TPoint TUiCustomTabControl::CalcMapPoint(TPoint p) {
    const int off = GetInitialTabOffset();
    const TRect ir = GetIndexRect();
    const bool rev = Reverse();
    switch (tabOrientation_) {
    case toTop: return rev ? TPoint(ir.Right - (off - p.X), p.Y + ir.Top) : TPoint(p.X - off + ir.Left, p.Y + ir.Top);
    case toBottom:
        return rev ? TPoint(ir.Right - (off - p.X), ir.Bottom - p.Y) : TPoint(p.X - off + ir.Left, ir.Bottom - p.Y);
    case toLeft: return rev ? TPoint(p.Y + ir.Left, (off - p.X) + ir.Top) : TPoint(p.Y + ir.Left, ir.Bottom - (p.X - off));
    case toRight:
        return rev ? TPoint(ir.Right - p.Y, ir.Bottom - (off - p.X)) : TPoint(ir.Right - p.Y, (p.X - off) + ir.Top);
    }
    return p;
}

TRect TUiCustomTabControl::CalcMapRect(const TRect& rect) {
    const TPoint a = CalcMapPoint(TPoint(rect.Left, rect.Top));
    const TPoint b = CalcMapPoint(TPoint(rect.Right, rect.Bottom));
    return TRect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

TRect TUiCustomTabControl::CalcTabRect(int index, const TUiTabData* tab) {
    TRect r = tab->LayoutRect;
    if (tab->RowIndex > 0) ShiftAlong(r, (Reverse() ? -1 : 1) * tab->RowIndex * rowIndent_);
    if (RoundCorners() && index == tabIndex_) {
        r.Left -= 2;
        r.Right += 2;
        r.Top -= 2;
    }
    return r;
}

TRect TUiCustomTabControl::CalcMappedTabRect(int index, const TUiTabData* tab) {
    return CalcMapRect(CalcTabRect(index, tab));
}

void TUiCustomTabControl::CalcScrollerNeeded() {
    scrollerNeeded_ = false;
    const int first = GetFirstVisible(), last = GetLastVisible();
    if (multiLine_ || first < 0) return;
    const int avail = GetIndexWidth() - 2 * margin_ - ButtonsLength();
    const int edge = tabs_->GetItem(Reverse() ? first : last)->LayoutRect.Right;
    scrollerNeeded_ = edge > avail;
}

bool TUiCustomTabControl::TabInView(const TUiTabData* tab) {
    if (!tab->Visible) return false;
    if (!scrollerNeeded_) return true;
    const int avail = GetIndexWidth() - 2 * GetScrollerSize() - 2 * margin_ - ButtonsLength();
    const int off = GetInitialTabOffset();
    const TRect& r = tab->LayoutRect;
    if (Reverse()) return off >= r.Right && off - r.Left <= avail;
    return r.Left >= off && r.Right - off <= avail;
}

void TUiCustomTabControl::CheckCalcNeeded(bool realign) {
    if (!calcNeeded_) return;
    SetCalcNeeded(false);
    CalcMetrics();
    regionCache_->Clear();
    const int saved = scrollIndex_, first = GetFirstVisible(), count = tabs_->GetCount();
    CalcScrollerNeeded();
    if (scrollerNeeded_) {
        while (scrollIndex_ >= 0 && scrollIndex_ < count && !TabInView(tabs_->GetItem(scrollIndex_)))
            ++scrollIndex_;
        if (scrollIndex_ >= count) {
            scrollIndex_ = saved - 1;
            while (scrollIndex_ >= 0 && !TabInView(tabs_->GetItem(scrollIndex_))) --scrollIndex_;
        }
        if (scrollIndex_ < 0) scrollIndex_ = first;
    } else {
        scrollIndex_ = first;
    }
    RepairSelection();
    if (realign) DoRealign();
}

// When no tab can be selected the selection stays as it is.
void TUiCustomTabControl::RepairSelection() {
    const int count = tabs_->GetCount();
    int t = GetFirstVisible() < 0 ? -1 : std::max(tabIndex_, -1);
    while (t >= 0 && t < count && !TabSelectable(t)) ++t;
    if (t >= count) {
        t = tabIndex_ == count ? tabIndex_ - 1 : std::min(tabIndex_, count - 1);
        while (t >= 0 && !TabSelectable(t)) --t;
        if (t < 0) return;
    }
    if (t == tabIndex_) return;
    skipChanging_ = true;
    if (t != -1) SetTabIndex(t);
    skipChanging_ = false;
}

TRect TUiCustomTabControl::CalcMappedCardRect(int row) {
    TRect r = CalcWholeRect();
    if (tabs_->GetCount() == 0 && showCard_) return r;
    const int step = fixedDimension_ - rowOverlap_;
    const int h = GetIndexHeight() - row * step, d = row * step;
    const int e = row * rowIndent_, f = (rowExtent_ - row - 1) * rowIndent_;
    const bool rev = Reverse();
    switch (tabOrientation_) {
    case toTop:
        r.Top += h, r.Bottom -= d, r.Left += rev ? f : e, r.Right -= rev ? e : f;
        break;
    case toBottom:
        r.Top += d, r.Bottom -= h, r.Left += rev ? f : e, r.Right -= rev ? e : f;
        break;
    case toLeft:
        r.Top += rev ? e : f, r.Bottom -= rev ? f : e, r.Left += h, r.Right -= d;
        break;
    case toRight:
        r.Top += rev ? f : e, r.Bottom -= rev ? e : f, r.Left += d, r.Right -= h;
        break;
    }
    if (r.Left > r.Right || r.Top > r.Bottom) r = TRect(0, 0, 0, 0);
    if (!showCard_) {
        if (tabOrientation_ != toRight) r.Right += 3;
        if (tabOrientation_ != toLeft) r.Left -= 3;
        if (tabOrientation_ != toTop) r.Top -= 3;
        if (tabOrientation_ != toBottom) r.Bottom += 3;
    }
    return r;
}

TRect TUiCustomTabControl::GetDisplayRect() {
    if (!showCard_) return TRect(-2, -2, -1, -1);
    TRect r = CalcMappedCardRect(0);
    if (showCardFrame_ && showFullFrame_) {
        r.Left += 1;
        r.Top += 1;
        if (tabOrientation_ == toTop && !Reverse() && showShadow_) {
            r.Right -= 2;
            r.Bottom -= 2;
        }
    } else if (showCardFrame_) {
        if (tabOrientation_ == toTop) r.Top += 1;
        r.Right += 1;
        r.Bottom += 1;
    } else {
        if (!showFullFrame_) {
            if (tabOrientation_ == toLeft) r.Left -= 1;
            if (tabOrientation_ == toBottom) r.Bottom += 1;
            if (tabOrientation_ == toRight) r.Right += 1;
        }
        r.Right += 1;
        r.Bottom += 1;
    }
    return r;
}

void TUiCustomTabControl::AdjustClientRect(TRect& rect) {
    CheckCalcNeeded(false);
    rect = GetDisplayRect();
}

void TUiCustomTabControl::AlignControls(TControl* control, TRect& rect) {
    CheckCalcNeeded(false);
    AlignCloseButton();
    AlignMenuButton();
    AlignScroller();
    lastDisplayRect_ = GetDisplayRect();
    rect = lastDisplayRect_;
    TCustomControl::AlignControls(control, rect);
}

void TUiCustomTabControl::DoRealign() {
    if (!(GetDisplayRect() == lastDisplayRect_)) Realign();
}

// ---- painting --------------------------------------------------------------------------

void TUiCustomTabControl::PaintBackground(TCanvas* canvas, const TRect& rect, bool& handled) {
    if (OnPaintBackground) OnPaintBackground(this, canvas, rect, handled);
}

void TUiCustomTabControl::PaintCardBackground(TCanvas* canvas, int row, const TRect& rect, bool& handled) {
    if (OnPaintCardBackground) OnPaintCardBackground(this, canvas, row, rect, handled);
}

void TUiCustomTabControl::PaintTabBackground(TCanvas* canvas, int tabIndex, const TRect& rect,
                                             bool& handled) {
    if (OnPaintTabBackground) OnPaintTabBackground(this, canvas, tabIndex, rect, handled);
}

void TUiCustomTabControl::GetTextColor(int tabIndex, TUiTextStyle style, TColor& color, bool& handled) {
    if (OnGetTextColor) OnGetTextColor(this, tabIndex, style, color, handled);
}

void TUiCustomTabControl::Paint() {
    painted_ = true;
    CheckCalcNeeded();
    const int w = Width(), h = Height();
    if (buffer_->Width() != w || buffer_->Height() != h) buffer_->SetSize(w, h);
    TCanvas* canvas = buffer_->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBlack);
    const TRect whole = CalcWholeRect();
    const TRect rect(0, 0, whole.Right + 1, whole.Bottom + 1);
    bool handled = false;
    PaintBackground(canvas, rect, handled);
    if (!handled) {
        if (transparent_) {
            DrawParentImage(this, canvas);
        } else {
            canvas->Brush()->SetColor(backgroundColor_);
            canvas->FillRect(rect);
        }
    }
    AlignCloseButton();
    AlignMenuButton();
    AlignScroller();
    DrawControlButtons();
    DrawTabs();
    const TRect client = ClientRect();
    Canvas()->CopyRect(client, canvas, client);
    hotTrackRepaint_ = false;
}

void TUiCustomTabControl::DrawControlButtons() {
    if (showMenuButton_ && menuButton_) menuButton_->Invalidate();
    if (showCloseButton_ && closeButton_) closeButton_->Invalidate();
    if (scroller_) scroller_->Invalidate();
}

void TUiCustomTabControl::DrawTabs() {
    const int count = tabs_->GetCount();
    if (count > 0) {
        int start = count;
        for (int i = 0; i < count; ++i) {
            const TUiTabData* tab = tabs_->GetItem(i);
            if (tab->Visible && tab->RowIndex == 0) {
                start = i == 0 ? count : i;
                break;
            }
        }
        int cur = rowExtent_ - 1;
        for (int step = 1; step <= count; ++step) {
            const int i = ((start - step) % count + count) % count;
            const TUiTabData* tab = tabs_->GetItem(i);
            if (!tab->Visible || !TabInView(tab) || i < scrollIndex_ || i == tabIndex_) continue;
            if (tab->RowIndex < cur && cur > 0) {
                DrawCard(cur);
                cur = tab->RowIndex;
            }
            DrawTab(i);
        }
        if (cur == 1) DrawCard(1);
        if (tabIndex_ >= 0 && tabIndex_ < count && tabIndex_ >= scrollIndex_ &&
            TabInView(tabs_->GetItem(tabIndex_)))
            DrawTab(tabIndex_);
    }
    DrawCard(0);
}

std::vector<TPoint> TUiCustomTabControl::CalcMappedTabRegionPts(int index) {
    std::vector<TPoint> points = TabOutline(Geometry(), CalcTabRect(index, tabs_->GetItem(index)));
    for (TPoint& p : points) p = CalcMapPoint(p);
    return points;
}

HRGN TUiCustomTabControl::CalcTabRegion(int index, const TRect& rect) {
    if (HRGN cached = regionCache_->Find(rect)) return cached;
    const std::vector<TPoint> points = CalcMappedTabRegionPts(index);
    if (points.size() < 3) return nullptr;
    std::vector<POINT> raw;
    for (const TPoint& p : points) raw.push_back({p.X, p.Y});
    HRGN region = CreatePolygonRgn(raw.data(), static_cast<int>(raw.size()), ALTERNATE);
    if (!region) throw EUiTabControlError(SUiTabCreateRegion);
    regionCache_->Add(rect, region);
    return region;
}

void TUiCustomTabControl::DrawTab(int index) {
    TCanvas* canvas = buffer_->Canvas();
    const TRect rect = CalcMappedTabRect(index, tabs_->GetItem(index));
    const TRect clip = canvas->ClipRect();
    if (rect.Right < clip.Left || rect.Left > clip.Right || rect.Bottom < clip.Top || rect.Top > clip.Bottom)
        return;
    if (HRGN region = CalcTabRegion(index, rect)) {
        HDC dc = canvas->Handle();
        if (SaveDC(dc) == 0) throw EUiTabControlError(SUiTabSaveDC);
        SelectClipRgn(dc, region);
        try {
            DrawTabBackground(index, rect);
            DrawTabFace(index, rect);
        } catch (...) {
            RestoreDC(dc, -1);
            canvas->Refresh();
            throw;
        }
        RestoreDC(dc, -1);
        canvas->Refresh();
    }
    const std::vector<TPoint> points = CalcMappedTabRegionPts(index);
    if (static_cast<int>(points.size()) != TabOutlinePointCount(Geometry()))
        throw EUiTabControlError(SUiTabShapePoints);
    commands_.Clear();
    commands_.AddPt(tcElement, TPoint(0, index));
    AddTabOutlineCommands(commands_, Geometry(), points);
    ProcessCommands();
}

void TUiCustomTabControl::DrawCard(int row) {
    const TRect card = CalcMappedCardRect(row);
    if (card == TRect(0, 0, 0, 0)) return;
    TRect rect = card;
    if (showCard_) {
        rect.Right += 1;
        rect.Bottom += 1;
    }
    TCanvas* canvas = buffer_->Canvas();
    bool handled = false;
    PaintCardBackground(canvas, row, rect, handled);
    if (!handled) {
        const bool colored = useColoredTabs_ && tabIndex_ >= 0 && tabIndex_ < tabs_->GetCount();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(colored ? tabs_->GetItem(tabIndex_)->Color : Color());
        canvas->FillRect(rect);
    }
    if (!showCardFrame_) return;
    TUiCardFrame frame;
    frame.Card = card;
    frame.Full = showFullFrame_;
    frame.Shadowed = Shadowed();
    frame.DrawShadow = !hotTrackRepaint_;
    const int active = tabIndex_;
    if (row == 0 && active >= 0 && active < tabs_->GetCount() && active >= scrollIndex_ &&
        TabInView(tabs_->GetItem(active))) {
        const std::vector<TPoint> outline = TabOutline(Geometry(), CalcTabRect(active, tabs_->GetItem(active)));
        frame.Open = true;
        frame.A = CalcMapPoint(TPoint(outline.front().X + 1, outline.front().Y));
        frame.B = CalcMapPoint(outline.back());
    }
    commands_.Clear();
    commands_.AddPt(tcElement, TPoint(1, row));
    AddCardFrameCommands(commands_, Geometry(), frame);
    ProcessCommands();
}

void TUiCustomTabControl::ProcessCommands() {
    TCanvas* canvas = buffer_->Canvas();
    TColor frameColor = FrameColor();
    std::unique_ptr<TBitmap> background;
    if (commands_.HasShadow()) {
        background = std::make_unique<TBitmap>();
        background->SetSize(Width(), Height());
        DrawParentImage(this, background->Canvas());
    }
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    const std::vector<int>& items = commands_.Items();
    for (size_t i = 0; i < items.size();) {
        const int code = items[i];
        if (code < tcElement) {
            if (code == tcFrameColor) canvas->Pen()->SetColor(frameColor);
            ++i;
            continue;
        }
        if (i + 2 >= items.size()) break;
        const TPoint p(items[i + 1], items[i + 2]);
        switch (code) {
        case tcElement: frameColor = FrameColor(); break;
        case tcMoveTo: canvas->MoveTo(p.X, p.Y); break;
        case tcLineTo: canvas->LineTo(p.X, p.Y); break;
        case tcDarkShadow: ShadowLine(canvas->PenPos(), p, 30, background.get()); break;
        case tcLightShadow: ShadowLine(canvas->PenPos(), p, 15, background.get()); break;
        default: break;
        }
        i += 3;
    }
}

// Each covered pixel becomes black blended over what lies behind the control.
void TUiCustomTabControl::ShadowLine(TPoint from, TPoint to, uint8_t amount, TBitmap* background) {
    TCanvas* canvas = buffer_->Canvas();
    auto shade = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= buffer_->Width() || y >= buffer_->Height()) return;
        canvas->SetPixels(x, y, BlendColors(clBlack, background->Canvas()->Pixels(x, y), amount));
    };
    if (from.X == to.X) {
        for (int y = std::min(from.Y, to.Y); y <= std::max(from.Y, to.Y); ++y) shade(from.X, y);
    } else {
        for (int x = std::min(from.X, to.X); x <= std::max(from.X, to.X); ++x) shade(x, from.Y);
    }
    canvas->MoveTo(to.X, to.Y);
}

void TUiCustomTabControl::DrawTabBackground(int index, const TRect& rect) {
    TCanvas* canvas = buffer_->Canvas();
    bool handled = false;
    PaintTabBackground(canvas, index, rect, handled);
    if (handled) return;
    const TUiTabData* tab = tabs_->GetItem(index);
    TColor selected = Color(), unselected = tabColors_->Unselected(), shadow = tabColors_->Shadow();
    if (useColoredTabs_) {
        selected = unselected = tab->Color;
        shadow = ColorToRGB(tab->Color) == clWhite ? clBtnFace : DarkerColor(tab->Color, 30);
    }
    const TRect fill(rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1);
    canvas->Brush()->SetStyle(bsSolid);
    if (index != tabIndex_ && useGradients_ && FullColorSupported) {
        const bool across = Horizontal();
        const bool fromCard = tabOrientation_ == toBottom || tabOrientation_ == toRight;
        PaintGradient(canvas, fill, across ? gdHorizontalEnd : gdVerticalEnd, fromCard ? shadow : unselected,
                      fromCard ? unselected : shadow, 1);
        return;
    }
    canvas->Brush()->SetColor(index == tabIndex_ ? selected : unselected);
    canvas->FillRect(fill);
}

TColor TUiCustomTabControl::CaptionColor(int index, TUiTextStyle style, TColor fallback) {
    TColor color = fallback;
    bool handled = false;
    GetTextColor(index, style, color, handled);
    return color;
}

void TUiCustomTabControl::DrawTabFace(int index, const TRect& rect) {
    const TUiTabData* tab = tabs_->GetItem(index);
    const TRect face = TabFaceRect(Geometry(), rect);
    const TSize image = CalcImageExtent(tab->ImageIndex);
    const int m = tab->ImageIndex == -1 ? 0 : imageMargin_;
    TRect text = face, place = face;
    switch (imagePosition_) {
    case ipLeft: text.Left += image.cx + m, place.Right = place.Left + image.cx; break;
    case ipTop: text.Top += image.cy + m, place.Bottom = place.Top + image.cy; break;
    case ipRight: text.Right -= image.cx + m, place.Left = place.Right - image.cx; break;
    case ipBottom: text.Bottom -= image.cy + m, place.Top = place.Bottom - image.cy; break;
    default: break;
    }
    if (images_ && tab->ImageIndex != -1) DrawTabImage(tab, place, face);
    if (!tab->Enabled) {
        DrawCaption(index, text, CaptionColor(index, tsDisabledHighlight, textColors_->DisabledHighlight()), 1);
        DrawCaption(index, text, CaptionColor(index, tsDisabledShadow, textColors_->DisabledShadow()), 0);
    } else if (hotTrack_ && index == hotTabIndex_) {
        if (hotTrackStyle_ == htsTab) DrawBar(index, true);
        const TColor fallback = hotTrackStyle_ == htsText ? hotTrackColor_ : textColors_->Selected();
        DrawCaption(index, text, CaptionColor(index, tsHotTrack, fallback), 0);
    } else if (index == tabIndex_) {
        if (hotTrack_ && hotTrackStyle_ == htsTab) DrawBar(index, false);
        DrawCaption(index, text, CaptionColor(index, tsSelected, textColors_->Selected()), 0);
    } else {
        DrawCaption(index, text, CaptionColor(index, tsUnselected, textColors_->Unselected()), 0);
    }
    if (showFocusRect_ && index == tabIndex_ && Focused()) DrawFocus(index, text);
}

void TUiCustomTabControl::DrawTabImage(const TUiTabData* tab, TRect place, const TRect& face) {
    TPoint at(face.Left, face.Top);
    if (imagePosition_ != ipStretch) {
        const int w = images_->Width(), h = images_->Height();
        const int roomX = place.Width() - w, roomY = place.Height() - h;
        at.X = place.Left + (imageAlignment_ == haLeft ? 0 : imageAlignment_ == haCenter ? roomX / 2 : roomX);
        at.Y = place.Top + (imageAlignmentVertical_ == vaTop ? 0 : imageAlignmentVertical_ == vaCenter ? roomY / 2 : roomY);
    }
    if (tab->DisabledIndex != -1)
        images_->Draw(buffer_->Canvas(), at.X, at.Y, tab->Enabled ? tab->ImageIndex : tab->DisabledIndex, true);
    else
        images_->Draw(buffer_->Canvas(), at.X, at.Y, tab->ImageIndex, tab->Enabled);
}

void TUiCustomTabControl::DrawBar(int index, bool hot) {
    TCanvas* canvas = buffer_->Canvas();
    TRect r = CalcMappedTabRect(index, tabs_->GetItem(index));
    r = TRect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
    const TColor previous = canvas->Brush()->Color();
    TColor color = tabColors_->HighlightBar();
    if (hot) color = hotTrackColorType_ == htctActual ? hotTrackColor_ : ComplementaryColor(hotTrackColor_, 140);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->Pen()->SetStyle(psClear);
    switch (tabOrientation_) {
    case toTop: r.Bottom = r.Top + 6; break;
    case toLeft: r.Right = r.Left + 6; break;
    case toBottom: r.Top = r.Bottom - 4; break;
    case toRight: r.Left = r.Right - 4; break;
    }
    canvas->Rectangle(r);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetColor(previous);
}

// The text rectangle narrowed to the caption block as the alignments place it.
TRect TUiCustomTabControl::FitTextRect(int index, TRect r) {
    const TUiTabData* tab = tabs_->GetItem(index);
    const bool horizontal = textOrientation_ == orHorizontal;
    const bool bold = index == tabIndex_ && boldCurrentTab_;
    const TSize extent = CalcTextExtent(tab->Caption, horizontal, bold);
    if (horizontal) {
        const int spare = r.Height() - extent.cy;
        if (textAlignmentVertical_ == vaCenter) {
            r.Top += spare / 2;
            r.Bottom -= spare / 2;
        } else if (textAlignmentVertical_ == vaBottom) {
            r.Top = r.Bottom - extent.cy;
        }
        return r;
    }
    const int spare = r.Width() - extent.cx;
    if (textAlignment_ == haCenter) {
        r.Left += spare / 2;
        r.Right -= spare / 2;
    } else if (tabOrientation_ == toRight && textAlignment_ == haLeft) {
        r.Right = r.Left + extent.cx;
    } else if (tabOrientation_ != toRight && textAlignment_ == haRight) {
        r.Left = r.Right - extent.cx;
    }
    return r;
}

void TUiCustomTabControl::DrawCaption(int index, const TRect& textRect, TColor color, int offset) {
    const TUiTabData* tab = tabs_->GetItem(index);
    if (tab->Caption.IsEmpty()) return;
    const bool horizontal = textOrientation_ == orHorizontal;
    const bool bold = index == tabIndex_ && boldCurrentTab_;
    const TRect r = FitTextRect(index, textRect);
    const int w = r.Width(), h = r.Height();
    int along = 0, across = 0;
    for (const AnsiString& line : ParseTextLines(tab->Caption)) {
        const TSize e = CalcTextExtent(line, horizontal, bold);
        int x, y;
        if (horizontal) {
            x = r.Left + (textAlignment_ == haLeft ? 0 : textAlignment_ == haCenter ? (w - e.cx) / 2 : w - e.cx);
            y = r.Top + across;
            across += e.cy;
        } else if (tabOrientation_ == toRight) {
            x = r.Right - along;
            y = r.Top + (textAlignmentVertical_ == vaTop      ? 0
                         : textAlignmentVertical_ == vaCenter ? (h - e.cy) / 2
                                                              : h - e.cy);
            along += e.cx;
        } else {
            x = r.Left + along;
            y = r.Bottom - (textAlignmentVertical_ == vaTop      ? h - e.cy
                            : textAlignmentVertical_ == vaCenter ? (h - e.cy) / 2
                                                                 : 0);
            along += e.cx;
        }
        DoTextOut(x + offset, y + offset, line, horizontal, bold, color);
    }
}

void TUiCustomTabControl::DoTextOut(int x, int y, const AnsiString& text, bool horizontal, bool bold,
                                    TColor color) {
    const std::vector<std::string> parts = MnemonicParts(text.c_str());
    HDC dc = buffer_->Canvas()->Handle();
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        TSelectedFont font(dc, CreateDrawingFont(bold, i == 1));
        SetTextColor(dc, ColorToRGB(color));
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, x, y, part.c_str(), static_cast<int>(part.size()));
        if (parts.size() == 1 || part.empty()) continue;
        const TSize e = MeasureLine(dc, part, horizontal);
        if (horizontal)
            x += e.cx;
        else if (tabOrientation_ == toRight)
            y += e.cy;
        else
            y -= e.cy;
    }
}

void TUiCustomTabControl::DrawFocus(int index, const TRect& textRect) {
    TRect r = FitTextRect(index, textRect);
    if (Horizontal()) {
        r.Left -= 1;
        r.Right += 1;
        r.Bottom += 1;
    } else {
        r.Top -= 1;
        r.Bottom += 1;
    }
    if (RoundCorners()) {
        switch (tabOrientation_) {
        case toTop: r.Top += 1; break;
        case toLeft: r.Left += 2; break;
        case toBottom: r.Bottom -= 1; break;
        case toRight: r.Right -= 2; break;
        }
    }
    TCanvas* canvas = buffer_->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Font()->SetColor(clBlack);
    canvas->DrawFocusRect(r);
}

// ---- control buttons -------------------------------------------------------------------

void TUiCustomTabControl::CreateScroller() {
    scroller_ = new TUiTabScroller(this);
    scroller_->SetParent(this);
    scroller_->SetFrameColor(FrameColor());
    scroller_->OnDownLeftClick = [this](TObject*) { ScrollerClick(false); };
    scroller_->OnUpRightClick = [this](TObject*) { ScrollerClick(true); };
}

void TUiCustomTabControl::CreateCloseButton() {
    closeButton_ = new TUiTabCloseButton(this);
    closeButton_->SetParent(this);
    closeButton_->SetFrameColor(FrameColor());
    closeButton_->OnClose = [this](TObject*) { CloseActiveTab(); };
}

void TUiCustomTabControl::CreateMenuButton() {
    menuButton_ = new TUiTabMenuButton(this);
    menuButton_->SetParent(this);
    menuButton_->SetFrameColor(FrameColor());
}

// Where a button `along` long and `across` deep goes, after `before` pixels of other buttons.
TPoint TUiCustomTabControl::ButtonPlace(int along, int across, int before) {
    const TRect ir = GetIndexRect();
    const int m = margin_;
    const bool rev = Reverse();
    switch (tabOrientation_) {
    case toTop:
        return rev ? TPoint(ir.Left + m + before, ir.Bottom - across - 2)
                   : TPoint(ir.Right - along - m - before + (showShadow_ ? -1 : 1), ir.Bottom - across - 2);
    case toBottom:
        return TPoint(rev ? ir.Left + m + before : ir.Right - along - m - before + 1, ir.Top + 2);
    case toLeft:
        return TPoint(ir.Right - across - 2, rev ? ir.Bottom - along - m - before + 1 : ir.Top + m + before);
    case toRight:
        return TPoint(ir.Left + 2, rev ? ir.Top + m + before : ir.Bottom - along - m - before + 1);
    }
    return TPoint(0, 0);
}

void TUiCustomTabControl::AlignCloseButton() {
    if (!showCloseButton_ || !closeButton_ || InState(csLoading) || InState(csReading)) return;
    const int size = GetCloseButtonSize();
    const TPoint at = ButtonPlace(size, size, 0);
    closeButton_->SetBounds(at.X, at.Y, size, size);
}

void TUiCustomTabControl::AlignMenuButton() {
    if (!showMenuButton_ || !menuButton_ || InState(csLoading) || InState(csReading)) return;
    const int size = GetMenuButtonSize();
    const TPoint at = ButtonPlace(size, size, showCloseButton_ ? GetCloseButtonSize() + 2 : 0);
    menuButton_->SetBounds(at.X, at.Y, size, size);
}

void TUiCustomTabControl::AlignScroller() {
    if (InState(csLoading) || InState(csReading)) return;
    if (!scrollerNeeded_) {
        if (scroller_) scroller_->SetBounds(-scroller_->Width() - 1, -scroller_->Height() - 1,
                                            scroller_->Width(), scroller_->Height());
        return;
    }
    if (!scroller_) CreateScroller();
    const int s = GetScrollerSize(), along = 2 * s - 1;
    const TPoint at = ButtonPlace(along, s, ButtonsLength());
    scroller_->SetOrientation(Horizontal() ? orHorizontal : orVertical);
    if (Horizontal())
        scroller_->SetBounds(at.X, at.Y, along, s);
    else
        scroller_->SetBounds(at.X, at.Y, s, along);
    scroller_->SetVisible(true);
}

bool TUiCustomTabControl::ScrollsForward(bool upRight) const {
    const bool upRightForward = Reverse() == (tabOrientation_ == toRight);
    return upRight == upRightForward;
}

bool TUiCustomTabControl::CanScrollTabs(bool forward) {
    if (!scrollerNeeded_) return false;
    const int count = tabs_->GetCount();
    if (forward) {
        const int last = GetLastVisible();
        return scrollIndex_ < count - 1 && last >= 0 && !TabInView(tabs_->GetItem(last));
    }
    const int first = GetFirstVisible();
    return scrollIndex_ > 0 && first >= 0 && !TabInView(tabs_->GetItem(first));
}

void TUiCustomTabControl::ScrollTabs(bool forward) {
    if (!CanScrollTabs(forward)) return;
    const int saved = scrollIndex_, count = tabs_->GetCount();
    const int step = forward ? 1 : -1;
    do {
        scrollIndex_ += step;
    } while (scrollIndex_ >= 0 && scrollIndex_ < count && !TabInView(tabs_->GetItem(scrollIndex_)));
    if (scrollIndex_ < 0 || scrollIndex_ >= count) {
        scrollIndex_ = saved;
        return;
    }
    InvalidateControl();
}

void TUiCustomTabControl::ScrollerClick(bool upRight) {
    ScrollTabs(ScrollsForward(upRight));
    if (scroller_) scroller_->Invalidate();
}

// ---- mouse -----------------------------------------------------------------------------

int TUiCustomTabControl::TabAtPos(TPoint point) {
    CheckCalcNeeded();
    const int count = tabs_->GetCount();
    if (count == 0 || scrollIndex_ < 0) return -1;
    auto hit = [&](int i) {
        const TUiTabData* tab = tabs_->GetItem(i);
        if (!TabInView(tab)) return false;
        const TRect rect = CalcMappedTabRect(i, tab);
        if (!Contains(rect, point)) return false;
        HRGN region = CalcTabRegion(i, rect);
        return region && PtInRegion(region, point.X, point.Y);
    };
    if (tabIndex_ >= 0 && tabIndex_ < count && hit(tabIndex_)) return tabIndex_;
    int i = std::min(scrollIndex_, count - 1);
    do {
        if (i != tabIndex_ && hit(i)) return i;
        i = (i + 1) % count;
    } while (i != std::min(scrollIndex_, count - 1));
    return -1;
}

void TUiCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !(Enabled() || InState(csDesigning))) return;
    const int index = TabAtPos(TPoint(x, y));
    if (index >= 0 && (tabs_->GetItem(index)->Enabled || InState(csDesigning))) {
        if (TabStop() && index == tabIndex_ && !InState(csDesigning)) {
            SetFocus();
            if (!Focused()) return;
        }
        SetTabIndex(index);
        if (index == tabIndex_) TabClick();
    }
    mouseDownTabIndex_ = index;
}

void TUiCustomTabControl::MouseMove(TShiftState shift, int x, int y) {
    if (!InState(csDesigning) && (hotTrack_ || tabHints_)) TrackHotTab(x, y);
    TCustomControl::MouseMove(shift, x, y);
    if (allowTabDragging_ && shift.count(ssLeft) && mouseDownTabIndex_ >= 0 &&
        mouseDownTabIndex_ < tabs_->GetCount() && tabs_->GetItem(mouseDownTabIndex_)->Enabled)
        BeginDrag(false);
}

void TUiCustomTabControl::TrackHotTab(int x, int y) {
    const int index = TabAtPos(TPoint(x, y));
    if (index >= 0) {
        if (index == hotTabIndex_) return;
        hotTabIndex_ = index;
        if (hotTrack_) {
            hotTrackRepaint_ = true;
            const TRect strip = GetIndexRect();
            const RECT r = {strip.Left, strip.Top, strip.Right + 1, strip.Bottom + 1};
            InvalidateRect(WindowHandle(), &r, FALSE);
        }
        if (tabHints_) {
            Application->CancelHint();
            const AnsiString& hint = tabs_->GetItem(index)->Hint;
            SetHint(hint.IsEmpty() ? savedHint_ : hint);
        }
        if (!hotTrackTimer_) {
            hotTrackWindow_ = WindowHandle();
            hotTrackTimer_ = SetTimer(hotTrackWindow_, HotTrackTimerId, 60, nullptr);
        }
        return;
    }
    const bool inStrip = Contains(GetIndexRect(), TPoint(x, y));
    const AnsiString saved = savedHint_;
    if (tabHints_) {
        if (hotTabIndex_ != -1 || inStrip) Application->CancelHint();
        if (inStrip) savedHint_ = "";
    }
    StopHotTracking();
    if (tabHints_ && inStrip) savedHint_ = saved;
}

void TUiCustomTabControl::CancelHotTrackTimer() {
    if (!hotTrackTimer_) return;
    KillTimer(hotTrackWindow_, HotTrackTimerId);
    hotTrackTimer_ = 0;
    hotTrackWindow_ = nullptr;
}

void TUiCustomTabControl::StopHotTracking() {
    CancelHotTrackTimer();
    if (hotTabIndex_ != -1) {
        hotTabIndex_ = -1;
        if (HandleAllocated()) {
            hotTrackRepaint_ = true;
            const TRect strip = GetIndexRect();
            const RECT r = {strip.Left, strip.Top, strip.Right + 1, strip.Bottom + 1};
            InvalidateRect(WindowHandle(), &r, FALSE);
        }
    }
    if (tabHints_) SetHint(savedHint_);
}

// ---- keys ------------------------------------------------------------------------------

int TUiCustomTabControl::StepToSelectable(int start, int step, bool wrap) {
    const int count = tabs_->GetCount();
    int t = start;
    for (int tried = 0; tried < count; ++tried) {
        if (t == tabIndex_ || CanSelectTab(t)) return t;
        t += step;
        if (wrap) t = (t + count) % count;
        if (t < 0 || t >= count) break;
    }
    return tabIndex_;
}

void TUiCustomTabControl::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    const int count = tabs_->GetCount();
    if (count == 0) return;
    const bool flipped = (tabOrientation_ == toLeft) != Reverse();
    const int last = count - 1;
    int t = tabIndex_;
    switch (key) {
    case VK_RIGHT:
    case VK_DOWN:
    case VK_LEFT:
    case VK_UP: {
        const bool up = key == VK_LEFT || key == VK_UP;
        const int step = up == flipped ? 1 : -1;
        const int start = step > 0 ? (t >= last ? 0 : t + 1) : (t <= 0 ? last : t - 1);
        t = StepToSelectable(start, step, true);
        break;
    }
    case VK_HOME: t = flipped ? StepToSelectable(last, -1, false) : StepToSelectable(0, 1, false); break;
    case VK_END: t = flipped ? StepToSelectable(0, 1, false) : StepToSelectable(last, -1, false); break;
    default: return;
    }
    if (t == tabIndex_) return;
    skipChanging_ = true;
    SetTabIndex(t);
    skipChanging_ = false;
    TabClick();
}

bool TUiCustomTabControl::SelectByMnemonic(uint16_t key) {
    if (!CanFocus()) return false;
    for (int i = 0; i < tabs_->GetCount(); ++i) {
        const TUiTabData* tab = tabs_->GetItem(i);
        if (!tab->Enabled || !tab->Visible || !IsAccel(key, tab->Caption)) continue;
        SetFocus();
        if (Focused()) {
            SetTabIndex(i);
            if (i == tabIndex_) TabClick();
        }
        return true;
    }
    return false;
}

// ---- dragging a tab --------------------------------------------------------------------

TRect TUiCustomTabControl::CalcMoveIndicatorRect(int target) {
    TRect r = CalcMappedTabRect(target, tabs_->GetItem(target));
    const bool before = Reverse() ? target > tabIndex_ : target < tabIndex_;
    const int half = fixedDimension_ / 2;
    const bool slantFront = tabStyle_ == tsDoubleSlant || tabStyle_ == tsBackSlant;
    const bool slantBack = tabStyle_ == tsSingleSlant || tabStyle_ == tsDoubleSlant;
    const bool square = tabStyle_ == tsCutCorner || tabStyle_ == tsRoundCorners;
    switch (tabOrientation_) {
    case toTop:
    case toBottom:
        if (tabOrientation_ == toTop) {
            r.Top -= 2;
            r.Bottom = r.Top + 8;
        } else {
            r.Bottom += 2;
            r.Top = r.Bottom - 8;
        }
        if (before) {
            r.Left -= 8;
            r.Right = r.Left + 15;
            if (slantFront) OffsetRect(r, half, 0);
        } else {
            r.Right += 8;
            r.Left = r.Right - 15;
            if (slantBack) OffsetRect(r, -half, 0);
            if (square) OffsetRect(r, 1, 0);
        }
        break;
    case toLeft:
        r.Left -= 2;
        r.Right = r.Left + 8;
        if (before) {
            r.Bottom += 8;
            r.Top = r.Bottom - 15;
            if (slantFront) OffsetRect(r, 0, -half);
            if (square) OffsetRect(r, 0, 1);
        } else {
            r.Top -= 8;
            r.Bottom = r.Top + 15;
            if (slantBack) OffsetRect(r, 0, half);
        }
        break;
    case toRight:
        r.Right += 3;
        r.Left = r.Right - 8;
        if (before) {
            r.Top -= 8;
            r.Bottom = r.Top + 15;
            if (slantFront) OffsetRect(r, 0, half + 1);
        } else {
            r.Bottom += 8;
            r.Top = r.Bottom - 15;
            if (slantBack) OffsetRect(r, 0, -half);
            if (square) OffsetRect(r, 0, 1);
        }
        break;
    }
    return r;
}

// An arrow pointing at the card, inverted onto the screen: drawing it twice restores the screen.
void TUiCustomTabControl::DrawMoveTabIndicator(const TRect& rect) {
    auto arrow = std::make_unique<TBitmap>();
    arrow->SetSize(rect.Width(), rect.Height());
    TCanvas* canvas = arrow->Canvas();
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FillRect(TRect(0, 0, rect.Width(), rect.Height()));
    canvas->Brush()->SetColor(clBlack);
    canvas->Pen()->SetStyle(psClear);
    static const TPoint triangles[4][6] = {
        {{0, 0}, {8, 8}, {0, 8}, {7, 8}, {15, 0}, {15, 8}},
        {{1, 0}, {8, 0}, {8, 8}, {-1, 15}, {8, 7}, {8, 15}},
        {{-1, 8}, {-1, -1}, {8, -1}, {7, -1}, {15, 0}, {15, 8}},
        {{0, 0}, {7, 0}, {0, 7}, {0, 7}, {8, 15}, {0, 15}},
    };
    const TPoint* points = triangles[tabOrientation_];
    canvas->Polygon(points, 3);
    canvas->Polygon(points + 3, 3);
    const TPoint origin = ClientToScreen(TPoint(rect.Left, rect.Top));
    ScreenDC screen;
    BitBlt(screen, origin.X, origin.Y, rect.Width(), rect.Height(), canvas->Handle(), 0, 0, SRCINVERT);
}

void TUiCustomTabControl::ShowIndicator(const TRect& rect) {
    DrawMoveTabIndicator(rect);
    indicatorRect_ = rect;
    indicatorShown_ = true;
}

void TUiCustomTabControl::HideIndicator() {
    if (!indicatorShown_) return;
    DrawMoveTabIndicator(indicatorRect_);
    indicatorShown_ = false;
}

void TUiCustomTabControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    TCustomControl::DragOver(source, x, y, state, accept);
    if (source != this) return;
    const int target = TabAtPos(TPoint(x, y));
    if (target < 0) {
        if (!dragScrollTimer_) {
            dragScrollTimer_ = new TTimer(this);
            dragScrollTimer_->SetOnTimer([this](TObject* sender) { ScrollTimerExpired(sender); });
        }
        dragScrollTimer_->SetInterval(400);
        dragScrollTimer_->SetEnabled(true);
    }
    accept = target >= 0 && target != tabIndex_;
    if (target != dragOverTabIndex_) {
        dragOverTabIndex_ = target;
        HideIndicator();
        if (accept) ShowIndicator(CalcMoveIndicatorRect(target));
    }
    if (state == dsDragLeave && indicatorShown_) {
        HideIndicator();
        dragOverTabIndex_ = -1;
    }
}

void TUiCustomTabControl::ScrollTimerExpired(TObject*) {
    dragScrollTimer_->SetInterval(300);
    if (!Dragging()) {
        dragScrollTimer_->SetEnabled(false);
        return;
    }
    try {
        const TPoint p = ScreenToClient(Mouse->CursorPos());
        const bool rev = Reverse();
        int direction = 0;  // 1 forward, -1 backward
        switch (tabOrientation_) {
        case toTop:
        case toBottom: direction = p.X < 0 ? -1 : p.X > Width() ? 1 : 0; break;
        case toLeft: direction = p.Y < 0 ? 1 : p.Y > Height() ? -1 : 0; break;
        case toRight: direction = p.Y < 0 ? -1 : p.Y > Height() ? 1 : 0; break;
        }
        if (rev) direction = -direction;
        if (direction != 0) ScrollTabs(direction > 0);
    } catch (...) {
        dragScrollTimer_->SetEnabled(false);
        throw;
    }
}

void TUiCustomTabControl::DragDrop(TObject* source, int x, int y) {
    if (allowTabDragging_ && source == this) {
        if (dragScrollTimer_) dragScrollTimer_->SetEnabled(false);
        HideIndicator();
        const int target = TabAtPos(TPoint(x, y));
        if (target >= 0 && target != tabIndex_) ActiveTabMoved(target);
    }
    TCustomControl::DragDrop(source, x, y);
}

// ---- messages --------------------------------------------------------------------------

void TUiCustomTabControl::Loaded() {
    TCustomControl::Loaded();
    savedHint_ = Hint();
    calcNeeded_ = true;
    if (tabIndexDefault_ != tabIndex_) tabIndex_ = tabIndexDefault_;
    if (textOrientation_ == orVertical && !IsTrueTypeFont(Font())) Font()->SetName("Verdana");
    SetTabIndex(tabIndex_);
}

void TUiCustomTabControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND:
    case WM_GETDLGCODE: message.Result = 1; return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateControl(); break;
    case WM_TIMER:
        if (message.WParam == HotTrackTimerId && hotTrackTimer_) {
            if (TabAtPos(ScreenToClient(Mouse->CursorPos())) < 0) StopHotTracking();
            return;
        }
        break;
    case CM_DIALOGCHAR:
        if (SelectByMnemonic(static_cast<uint16_t>(message.WParam))) {
            message.Result = 1;
            return;
        }
        break;
    case CM_DESIGNHITTEST: {
        const int index = TabAtPos(TPoint(LOWORD(message.LParam), HIWORD(message.LParam)));
        message.Result = index >= 0 && index != tabIndex_;
        return;
    }
    case CM_COLORCHANGED:
        if (useColoredTabs_) {
            NotifyControls(CM_PARENTCOLORCHANGED);
            return;
        }
        TCustomControl::Dispatch(message);
        InvalidateControl();
        return;
    default: break;
    }
    TCustomControl::Dispatch(message);
    if (message.Msg == WM_SIZE || message.Msg == CM_FONTCHANGED) Rebuild();
    if (message.Msg == CM_PARENTCOLORCHANGED && parentBackgroundColor_ && Parent()) {
        SetBackgroundColor(Parent()->Color());
        parentBackgroundColor_ = true;
    }
}
