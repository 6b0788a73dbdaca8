#include "UiTabbedListBox.h"

#include "UiColors.h"
#include "UiGrafx.h"
#include "UiUtils.h"

namespace {

const char* const HeaderErrorText =
    "Only THeader and THeaderControl components can be passed to "
    "TUiCustomTabbedListBox.UpdateFromHeader";

// The width of `text` expanded at the stops, in `font` on a screen DC.
int TabbedWidth(TFont* font, const AnsiString& text, const std::vector<int>& positions) {
    ScreenDC dc;
    SelectedObject selected(dc, font->Handle());
    const DWORD size = GetTabbedTextExtentA(dc, text.c_str(), text.Length(),
                                            static_cast<int>(positions.size()),
                                            positions.empty() ? nullptr : positions.data());
    return LOWORD(size);
}

int PlainWidth(TFont* font, const AnsiString& text) {
    ScreenDC dc;
    SelectedObject selected(dc, font->Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), text.Length(), &size);
    return size.cx;
}

const bool tabbedPropertiesRegistered = [] {
    using B = TUiCustomTabbedListBox;
    RegisterProperty(B::StaticClass(), OrdinalProperty<B>("ShowItemHints", pkBool,
                                                          &B::ShowItemHints,
                                                          &B::SetShowItemHints, false));
    using C = TUiTabbedListBox;
    const TMetaClass* meta = C::StaticClass();
    TPropertyInfo stops = SubObjectProperty<C>("TabStops", &C::TabStops);
    stops.IsStored = [](TObject* o) { return static_cast<C*>(o)->TabStops()->GetCount() > 0; };
    RegisterProperty(meta, stops);
    RegisterProperty(meta, EnumProperty<C>("TabStopsMode", &C::TabStopsMode, &C::SetTabStopsMode,
                                           {"tsmManual", "tsmAutomatic"}, tsmManual));
    return true;
}();

}  // namespace

// ---------------------------------------------------------------------------------------------
// TUiTabStopList

TUiTabStopList::TUiTabStopList(TUiCustomTabbedListBox* listBox) : listBox_(listBox) {
    SetMax(2147483647);
    SetMin(-2147483647);
}

void TUiTabStopList::Changed() {
    if (listBox_) listBox_->UpdateTabStops();
}

void TUiTabStopList::SetItem(int index, int value) {
    TUiIntegerList::SetItem(index, value);
    Changed();
}

int TUiTabStopList::Add(int value) {
    const int index = TUiIntegerList::Add(value);
    Changed();
    return index;
}

void TUiTabStopList::Insert(int index, int value) {
    TUiIntegerList::Insert(index, value);
    Changed();
}

void TUiTabStopList::Delete(int index) {
    TUiIntegerList::Delete(index);
    Changed();
}

void TUiTabStopList::Clear() {
    TUiIntegerList::Clear();
    Changed();
}

// ---------------------------------------------------------------------------------------------
// TUiCustomTabbedListBox

TUiCustomTabbedListBox::TUiCustomTabbedListBox(TComponent* owner)
    : TUiCustomListBox(owner), tabStops_(nullptr) {
    tabStops_ = new TUiTabStopList(this);
    SetShowItemHints(false);
}

void TUiCustomTabbedListBox::BeforeDestruction() {
    TUiCustomListBox::BeforeDestruction();
    delete tabStops_;
    tabStops_ = nullptr;
}

void TUiCustomTabbedListBox::SetTabStops(TUiIntegerList* list) {
    tabStops_->Assign(list);
    UpdateTabStops();
}

void TUiCustomTabbedListBox::SetTabStopsMode(TUiTabStopsMode value) {
    if (value == tabStopsMode_) return;
    tabStopsMode_ = value;
    AdjustIfAutomatic();
}

void TUiCustomTabbedListBox::AdjustIfAutomatic() {
    if (tabStopsMode_ == tsmAutomatic && !InItemsUpdate()) AdjustTabStops();
}

void TUiCustomTabbedListBox::GetTabArray(int& count, int* array) {
    count = Min(tabStops_->GetCount(), MaxTabStops);
    for (int i = 0; i < count; ++i) array[i] = tabStops_->GetItem(i) * 4;
}

void TUiCustomTabbedListBox::UpdateTabStops() {
    if (!tabStops_ || !HandleAllocated()) return;
    std::vector<int> array(MaxTabStops);
    int count = 0;
    GetTabArray(count, array.data());
    SendMessageA(WindowHandle(), LB_SETTABSTOPS, static_cast<WPARAM>(count),
                 count > 0 ? reinterpret_cast<LPARAM>(array.data()) : 0);
    Invalidate();
}

std::vector<int> TUiCustomTabbedListBox::TabPositions() {
    std::vector<int> positions;
    const int count = Min(tabStops_->GetCount(), MaxTabStops);
    for (int i = 0; i < count; ++i) positions.push_back(tabStops_->GetItem(i) * charUnit_);
    return positions;
}

void TUiCustomTabbedListBox::AdjustTabStops() {
    if (InState(csLoading) || InState(csDestroying)) return;
    tabStops_->Clear();
    const int count = Items()->Count();
    int columns = 0;
    std::vector<AnsiString> rest;
    for (int row = 0; row < count; ++row) {
        rest.push_back(Items()->Get(row));
        columns = Max(columns, CountChar('\t', rest.back()));
    }
    for (int column = 0; column < columns; ++column) {
        int widest = 0;
        for (int row = 0; row < count; ++row) {
            AnsiString& text = rest[row];
            const int tab = text.Pos("\t");
            AnsiString cell = tab > 0 ? text.SubString(1, tab - 1) : text;
            text = tab > 0 ? text.SubString(tab + 1, text.Length()) : AnsiString();
            int width;
            if (GetItemIsGroup(row)) {
                if (column == 0) cell = cell.SubString(GroupPrefix().Length() + 1, cell.Length());
                width = PlainWidth(GroupFont(), cell);
            } else {
                width = PlainWidth(Font(), cell) + (column == 0 ? InitialTabStopOffset() : 0);
            }
            widest = Max(widest, width);
        }
        const int last = tabStops_->GetCount() > 0 ? tabStops_->GetItem(tabStops_->GetCount() - 1)
                                                   : 0;
        tabStops_->Add(last + widest / charUnit_ + 4);
    }
}

void TUiCustomTabbedListBox::FindCell(int column, int row, int& start, int& length) {
    if (row < 0 || row >= Items()->Count()) throw EListError("Row parameter out of range");
    if (column < 0) throw EListError("Column parameter out of range");
    const AnsiString text = Items()->Get(row);
    start = 1;
    for (int skipped = 0; skipped < column; ++skipped) {
        const int tab = text.SubString(start, text.Length()).Pos("\t");
        if (tab == 0) throw EListError("Column parameter out of range");
        start += tab;
    }
    const int next = text.SubString(start, text.Length()).Pos("\t");
    length = next > 0 ? next - 1 : text.Length() - start + 1;
}

AnsiString TUiCustomTabbedListBox::GetCellText(int column, int row) {
    int start = 0, length = 0;
    FindCell(column, row, start, length);
    return Items()->Get(row).SubString(start, length);
}

void TUiCustomTabbedListBox::SetCellText(int column, int row, const AnsiString& text) {
    int start = 0, length = 0;
    FindCell(column, row, start, length);
    AnsiString item = Items()->Get(row);
    item = item.SubString(1, start - 1) + text + item.SubString(start + length, item.Length());
    Items()->Put(row, item);
}

void TUiCustomTabbedListBox::UpdateFromHeader(TControl* control) {
    auto* header = dynamic_cast<THeaderControl*>(control);
    if (!header) throw EHeaderError(HeaderErrorText);
    THeaderSections* sections = header->Sections();
    const int last = Min(sections->Count() - 1, tabStops_->GetCount() - 1);
    int total = 0;
    for (int i = 0; i <= last; ++i) {
        total += sections->Items(i)->Width();
        if (tabStops_->GetItem(i) >= 0)
            tabStops_->SetItem(i, total / charUnit_ + 1);
        else if (i + 1 < sections->Count())
            tabStops_->SetItem(i, 1 - (total + sections->Items(i + 1)->Width()) / charUnit_);
        else
            tabStops_->SetItem(i, 1 - Width() / charUnit_);
    }
}

void TUiCustomTabbedListBox::AdjustHorzExtent() {
    const std::vector<int> positions = TabPositions();
    int widest = 0;
    for (int i = 0; i < Items()->Count(); ++i)
        widest = Max(widest, TabbedWidth(Font(), Items()->Get(i) + "x", positions));
    SetHorzExtent((OwnerDrawItemIndent() + widest) & 0xFFFF);
}

void TUiCustomTabbedListBox::DrawTabbedText(const AnsiString& text, TRect rect) {
    TCanvas* canvas = ItemCanvas();
    HDC dc = canvas->Handle();
    const int offset = (ItemHeight() - canvas->TextHeight("Pp")) / 2;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
    SetTextColor(dc, ColorToRGB(canvas->Font()->Color()));
    SetBkColor(dc, ColorToRGB(canvas->Brush()->Color()));
    SetBkMode(dc, canvas->Brush()->Style() == bsClear ? TRANSPARENT : OPAQUE);
    const std::vector<int> positions = TabPositions();
    int x = rect.Left + 2;
    if (UseRightToLeftAlignment()) {
        SetTextAlign(dc, TA_RIGHT | TA_RTLREADING);
        x = rect.Right - 2;
    }
    TabbedTextOutA(dc, x, rect.Top + offset, text.c_str(), text.Length(),
                   static_cast<int>(positions.size()),
                   positions.empty() ? nullptr : positions.data(), 0);
    RestoreDC(dc, saved);
}

void TUiCustomTabbedListBox::DefaultDrawItem(int index, TRect rect, TOwnerDrawState) {
    ItemCanvas()->FillRect(rect);
    if (index < Count()) DrawTabbedText(RowText(index), rect);
}

void TUiCustomTabbedListBox::DrawGroup(int index, TRect rect, TOwnerDrawState state) {
    TCanvas* canvas = ItemCanvas();
    canvas->Font()->Assign(GroupFont());
    if (state.count(odSelected)) {
        canvas->Font()->SetColor(clHighlightText);
        canvas->Brush()->SetColor(clHighlight);
        canvas->FillRect(rect);
    } else if (!UseGradients() || !FullColorSupported) {
        canvas->Brush()->SetColor(GroupColor());
        canvas->FillRect(rect);
    } else if (UseRightToLeftAlignment()) {
        PaintGradient(canvas, rect, gdVerticalEnd, Color(), GroupColor(), 1);
    } else {
        PaintGradient(canvas, rect, gdVerticalEnd, GroupColor(), Color(), 1);
    }
    const TBrushStyle brushStyle = canvas->Brush()->Style();
    canvas->Brush()->SetStyle(bsClear);
    DrawTabbedText(ItemCaption(index), rect);
    canvas->Brush()->SetStyle(brushStyle);
}

void TUiCustomTabbedListBox::GroupFontChanged() { AdjustIfAutomatic(); }

void TUiCustomTabbedListBox::FontChanged() {
    charUnit_ = Max(1, GetAvgCharWidth(Font()));
    TUiCustomListBox::FontChanged();
    AdjustIfAutomatic();
}

void TUiCustomTabbedListBox::Loaded() {
    TUiCustomListBox::Loaded();
    AdjustIfAutomatic();
    UpdateTabStops();
}

void TUiCustomTabbedListBox::CreateParams(TCreateParams& params) {
    TUiCustomListBox::CreateParams(params);
    params.Style |= LBS_USETABSTOPS;
}

void TUiCustomTabbedListBox::CreateWnd() {
    TUiCustomListBox::CreateWnd();
    UpdateTabStops();
}

void TUiCustomTabbedListBox::Dispatch(TMessage& message) {
    TUiCustomListBox::Dispatch(message);
    switch (message.Msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
        return AdjustIfAutomatic();
    default:
        return;
    }
}
