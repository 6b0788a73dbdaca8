#include "UiTabs.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "UiUtils.h"

namespace {

void ShiftAlong(TRect& r, int dx) {
    r.Left += dx;
    r.Right += dx;
}

TSize MaxSize(TSize a, TSize b) { return {std::max(a.cx, b.cx), std::max(a.cy, b.cy)}; }

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
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        if (line[i] != '&') continue;
        if (line[i + 1] == '&') return line.substr(0, i) + line.substr(i + 1);
        return line.substr(0, i) + line.substr(i + 1);
    }
    return line;
}

}  // namespace

TUiCustomTabControl::TUiCustomTabControl(TComponent* owner)
    : TCustomControl(owner),
      tabs_(new TUiTabDataList),
      tabColors_(new TUiTabColors(this)),
      textColors_(new TUiTextColors(this)),
      regionCache_(new TUiTabRegionCache) {
    ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
    SetTabStop(true);
    SetBounds(Left(), Top(), 300, 100);
}

TUiCustomTabControl::~TUiCustomTabControl() = default;

void TUiCustomTabControl::BeforeDestruction() {
    TCustomControl::BeforeDestruction();
    delete regionCache_;
    delete textColors_;
    delete tabColors_;
    delete tabs_;
    regionCache_ = nullptr;
    textColors_ = nullptr;
    tabColors_ = nullptr;
    tabs_ = nullptr;
}

void TUiCustomTabControl::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TUiCustomTabControl::InvalidateControl() { Invalidate(); }

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

// ---- properties ------------------------------------------------------------------------

void TUiCustomTabControl::SetAlignTabs(bool value) {
    if (value == alignTabs_) return;
    alignTabs_ = value;
    if (multiLine_) Rebuild();
}

void TUiCustomTabControl::SetBackgroundColor(TColor value) {
    if (value == backgroundColor_) return;
    backgroundColor_ = value;
    InvalidateControl();
}

void TUiCustomTabControl::SetCutCornerSize(int value) {
    if (value < 0 || value == cutCornerSize_) return;
    cutCornerSize_ = value;
    if (tabStyle_ == tsCutCorner) Rebuild();
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
    return tab->Visible && tab->Enabled;
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

void TUiCustomTabControl::SetTabIndex(int value) {
    if (InState(csLoading) || InState(csReading)) {
        tabIndex_ = value;
        return;
    }
    const int old = tabIndex_;
    if (value < 0 || value >= tabs_->GetCount()) {
        tabIndex_ = -1;
        InvalidateControl();
    } else if (value == tabIndex_ || skipChanging_ || CanSelectTab(value)) {
        tabIndex_ = value;
        if (scrollerNeeded_) {
            if (value < scrollIndex_) scrollIndex_ = value;
            while (tabIndex_ > scrollIndex_ && !TabInView(tabs_->GetItem(tabIndex_))) ++scrollIndex_;
        } else if (multiLine_) {
            BringTabToFrontRow(tabs_->GetItem(value));
        }
    }
    if (tabIndex_ == old) return;
    InvalidateControl();
    Change();
    PageChange();
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

HFONT TUiCustomTabControl::CreateDrawingFont() {
    TFont* font = Font();
    LOGFONTA lf = {};
    lf.lfHeight = font->Height();
    if (textOrientation_ == orVertical)
        lf.lfEscapement = tabOrientation_ == toRight ? 2700 : 900;
    const bool bold = font->Style().count(fsBold) || boldCurrentTab_;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font->Style().count(fsItalic) != 0;
    lf.lfUnderline = font->Style().count(fsUnderline) != 0;
    lf.lfStrikeOut = font->Style().count(fsStrikeOut) != 0;
    lf.lfCharSet = static_cast<BYTE>(font->Charset());
    lstrcpynA(lf.lfFaceName, font->Name().c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

namespace {
// The measuring DC with the tab font selected, for the life of one measurement.
class TMeasureDC {
public:
    explicit TMeasureDC(HFONT font) : dc_(CreateCompatibleDC(nullptr)), font_(font) {
        if (SaveDC(dc_) == 0) {
            DeleteObject(font_);
            DeleteDC(dc_);
            throw EUiTabControlError(SUiTabSaveDC);
        }
        SelectObject(dc_, font_);
    }
    ~TMeasureDC() {
        RestoreDC(dc_, -1);
        DeleteDC(dc_);
        DeleteObject(font_);
    }
    TMeasureDC(const TMeasureDC&) = delete;
    TMeasureDC& operator=(const TMeasureDC&) = delete;
    HDC Handle() const { return dc_; }

private:
    HDC dc_;
    HFONT font_;
};
}  // namespace

TSize TUiCustomTabControl::CalcTextExtent(const AnsiString& text, bool horizontal) {
    TMeasureDC dc(CreateDrawingFont());
    TSize extent{0, 0};
    for (const AnsiString& line : ParseTextLines(text)) {
        const std::string shown = WithoutMnemonic(line.c_str());
        SIZE size = {0, 0};
        if (!GetTextExtentPoint32A(dc.Handle(), shown.c_str(), static_cast<int>(shown.size()), &size))
            size = {0, 0};
        if (!horizontal) std::swap(size.cx, size.cy);
        if (horizontal) {
            extent.cx = std::max<int>(extent.cx, size.cx);
            extent.cy += size.cy;
        } else {
            extent.cx += size.cx;
            extent.cy = std::max<int>(extent.cy, size.cy);
        }
    }
    return extent;
}

TSize TUiCustomTabControl::CalcDefaultTabFaceExtent(TFont* font) {
    const TSize measured = CalcTextExtent(RoundCorners() ? "AAA" : "A", true);
    const int height = std::abs(font->Height());
    if (textOrientation_ == orVertical) return {height, measured.cy};
    return {measured.cx, height};
}

TSize TUiCustomTabControl::TabFaceExtent(const TUiTabData* tab) {
    if (!tab->Visible) return {0, 0};
    const TSize image{0, 0};
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

int TUiCustomTabControl::GetTabOffset(int length) const {
    switch (tabStyle_) {
    case tsSingleSlant:
    case tsBackSlant: return length / 2;
    case tsDoubleSlant: return length;
    default: return tabOverlap_;
    }
}

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

int TUiCustomTabControl::GetScrollerSize() {
    const TSize a = CalcTextExtent("A", true);
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
        avail -= 2 * GetScrollerSize() + 2;
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
    const int avail = GetIndexWidth() - 2 * margin_;
    const int edge = tabs_->GetItem(Reverse() ? first : last)->LayoutRect.Right;
    scrollerNeeded_ = edge > avail;
}

bool TUiCustomTabControl::TabInView(const TUiTabData* tab) {
    if (!tab->Visible) return false;
    if (!scrollerNeeded_) return true;
    const int avail = GetIndexWidth() - 2 * GetScrollerSize() - 2 * margin_;
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
    lastDisplayRect_ = GetDisplayRect();
    rect = lastDisplayRect_;
    TCustomControl::AlignControls(control, rect);
}

void TUiCustomTabControl::DoRealign() {
    if (!(GetDisplayRect() == lastDisplayRect_)) Realign();
}

int TUiCustomTabControl::TabAtPos(TPoint point) {
    CheckCalcNeeded();
    for (int i = 0; i < tabs_->GetCount(); ++i) {
        const TUiTabData* tab = tabs_->GetItem(i);
        if (!TabInView(tab)) continue;
        const TRect r = CalcMappedTabRect(i, tab);
        if (point.X >= r.Left && point.X < r.Right && point.Y >= r.Top && point.Y < r.Bottom) return i;
    }
    return -1;
}

void TUiCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    const int index = TabAtPos(TPoint(x, y));
    if (TabSelectable(index)) SetTabIndex(index);
}

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
}

void TUiCustomTabControl::Loaded() {
    TCustomControl::Loaded();
    calcNeeded_ = true;
    if (tabIndexDefault_ != tabIndex_) tabIndex_ = tabIndexDefault_;
    if (textOrientation_ == orVertical && !IsTrueTypeFont(Font())) Font()->SetName("Verdana");
    SetTabIndex(tabIndex_);
}

void TUiCustomTabControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_GETDLGCODE: message.Result = 1; return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateControl(); break;
    default: break;
    }
    TCustomControl::Dispatch(message);
    if (message.Msg == WM_SIZE || message.Msg == CM_FONTCHANGED) Rebuild();
}

// ---- painting --------------------------------------------------------------------------

void TUiCustomTabControl::Paint() {
    CheckCalcNeeded();
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(backgroundColor_);
    canvas->FillRect(TRect(0, 0, Width(), Height()));
    if (showCard_) {
        const TRect card = CalcMappedCardRect(0);
        canvas->Brush()->SetColor(Color());
        canvas->Pen()->SetColor(clBtnShadow);
        canvas->Rectangle(TRect(card.Left, card.Top, card.Right + 1, card.Bottom + 1));
    }
    canvas->Font()->Assign(Font());
    for (int i = 0; i < tabs_->GetCount(); ++i) {
        const TUiTabData* tab = tabs_->GetItem(i);
        if (!TabInView(tab)) continue;
        const TRect r = CalcMappedTabRect(i, tab);
        const bool selected = i == tabIndex_;
        canvas->Brush()->SetColor(selected ? Color() : tabColors_->Unselected());
        canvas->Pen()->SetColor(clBtnShadow);
        canvas->Rectangle(TRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1));
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(!tab->Enabled ? textColors_->DisabledShadow()
                                 : selected    ? textColors_->Selected()
                                               : textColors_->Unselected());
        TRect text = r;
        DrawTextA(canvas->Handle(), tab->Caption.c_str(), -1, reinterpret_cast<RECT*>(&text),
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        canvas->Brush()->SetStyle(bsSolid);
    }
}
